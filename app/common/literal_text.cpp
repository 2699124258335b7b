#include "app/common/literal_text.h"

#include <QTextDocument>

namespace vrn {

QString plainToolTip(const QString& text) {
    if (text.isEmpty()) {
        return text;
    }
    // A line ends wherever the text's own lines end, in any of their forms.
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return Qt::convertFromPlainText(lines, Qt::WhiteSpacePre);
}

QString literalAmpersands(const QString& text) {
    QString literal = text;
    return literal.replace(QLatin1Char('&'), QLatin1String("&&"));
}

QString literalWindowTitle(const QString& text) {
    // Qt shows "[*][*]" as "[*]".
    QString literal = text;
    return literal.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
}

}  // namespace vrn
