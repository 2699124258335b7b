#include "app/common/literal_text.h"

namespace vrn {

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
