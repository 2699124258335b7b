#include "platform/svg_font_metrics.h"

#include <QFontInfo>
#include <QStringList>

namespace vrn {

namespace {

// The size the metrics are taken at, in pixels: large enough that rounding says nothing.
constexpr int kReferencePixels = 1000;

// A font at the reference size from a CSS font-family list: named families in order, a generic
// family as the style hint for when none of them is installed.
QFont FontOf(const std::string& families) {
    QStringList named;
    QFont::StyleHint hint = QFont::SansSerif;
    for (const QString& entry : QString::fromStdString(families).split(QLatin1Char(','))) {
        QString family = entry.trimmed();
        family.remove(QLatin1Char('"')).remove(QLatin1Char('\''));
        if (family == QLatin1String("serif")) {
            hint = QFont::Serif;
        } else if (family == QLatin1String("monospace")) {
            hint = QFont::Monospace;
        } else if (family != QLatin1String("sans-serif") && !family.isEmpty()) {
            named << family;
        }
    }
    QFont font;
    font.setFamilies(named);
    font.setStyleHint(hint);
    font.setPixelSize(kReferencePixels);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

}  // namespace

SvgFontMetrics::SvgFontMetrics(const std::string& families)
    : font_(FontOf(families)), metrics_(font_) {}

double SvgFontMetrics::Width(std::string_view text, double points) const {
    const QString line = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return metrics_.horizontalAdvance(line) * points / kReferencePixels;
}

double SvgFontMetrics::Ascent(double points) const {
    return metrics_.ascent() * points / kReferencePixels;
}

double SvgFontMetrics::Descent(double points) const {
    return metrics_.descent() * points / kReferencePixels;
}

QString SvgFontMetrics::family() const {
    return QFontInfo(font_).family();
}

}  // namespace vrn
