#include "proppages/string_table.h"

#include <QHash>

namespace vrn::pp {

std::optional<QString> LoadPageString(quint32 id) {
    static const QHash<quint32, QString> kStrings{
        {kProjectNameString, QStringLiteral("STVPPGS")},
        {kHelpFileString, QStringLiteral("BtnStavo.hlp")},
        {109, QStringLiteral("General")},
        {111, QStringLiteral("General Property Page")},
        {114, QStringLiteral("Appearance")},
        {116, QStringLiteral("zvBtn Appearance Page")},
        {119, QStringLiteral("Cells")},
        {121, QStringLiteral("zvBtn Cells Page")},
        {124, QStringLiteral("Segments")},
        {126, QStringLiteral("zvBtn Segments Page")},
        {129, QStringLiteral("General")},
        {131, QStringLiteral("zvBln General Page")},
        {134, QStringLiteral("Appearance")},
        {136, QStringLiteral("zvBln Appearance Page")},
        {139, QStringLiteral("Position")},
        {141, QStringLiteral("zvBln Position Page")},
        {144, QStringLiteral("Tail")},
        {146, QStringLiteral("zvBln Tail Page")},
        {149, QStringLiteral("Text")},
        {151, QStringLiteral("zvBln Text Page")},
        {154, QStringLiteral("Margins")},
        {156, QStringLiteral("zvBtn Margins Page")},
    };
    const auto found = kStrings.constFind(id);
    if (found == kStrings.constEnd()) {
        return std::nullopt;
    }
    return *found;
}

}  // namespace vrn::pp
