#include "platform/file_filter.h"

namespace vrn {

QStringList qtNameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString trimmed = pattern.trimmed();
            // On this system a name need not have a dot, so "*.*" would hide files.
            patterns << (trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
        }
        if (patterns.isEmpty()) {
            patterns << QStringLiteral("*");
        }
        // A description that shows its patterns, "All Files (*.*)", shows the ones in force.
        QString description = parts[i].trimmed();
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (description.endsWith(QLatin1Char(')')) && open >= 0) {
            description = description.left(open).trimmed();
        }
        const QString shown = patterns.join(QLatin1Char(' '));
        result << (description.isEmpty() ? shown
                                         : QStringLiteral("%1 (%2)").arg(description, shown));
    }
    return result;
}

QString nameFilterSuffix(const QString& nameFilter) {
    const qsizetype open = nameFilter.lastIndexOf(QLatin1Char('('));
    const qsizetype close = nameFilter.lastIndexOf(QLatin1Char(')'));
    const QString patterns =
        open >= 0 && close > open ? nameFilter.mid(open + 1, close - open - 1) : nameFilter;
    for (const QString& pattern : patterns.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString suffix = pattern.mid(2);
        const bool plain = !suffix.contains(QLatin1Char('*')) && !suffix.contains(QLatin1Char('?'));
        if (pattern.startsWith(QLatin1String("*.")) && !suffix.isEmpty() && plain) {
            return suffix;
        }
    }
    return {};
}

}  // namespace vrn
