#include "proppages/balloon_pages.h"

#include "proppages/page_dialog.h"
#include "proppages/page_ids.h"

namespace vrn::pp {

namespace {

PageIdentity balloonPage(const QUuid& clsid, const QString& stem, quint32 title, quint32 doc,
                         quint32 help, QSize units) {
    return {clsid, stem, title, doc, help, units, kIID_IBalloonControl, kBalloonWindowSlot};
}

// Places the listed rows one under the other in a new column.
void columnOf(PageDialog* dialog, const PageTable& table, std::initializer_list<int> ids) {
    DialogBuilder column = DialogBuilder::column(dialog);
    for (const int id : ids) {
        addRow(column, table, id);
    }
    column.stretch();
}

PageTable balloonGeneralTable() {
    PageTable t;
    t.identity = balloonPage(kCLSID_BlnGeneralPropPage, QStringLiteral("BlnGeneralPropPage"), 129,
                             131, 6703, {211, 122});
    t.reloadControl = 1099;
    t.rows = {
        {1099, QStringLiteral("&Automatically Scan"), FieldKind::List, 99, 6061},
        {1052, QStringLiteral("Scale &Mode"), FieldKind::List, 53, 6037},
        {1105, QStringLiteral("Hide on &Key Down"), FieldKind::List, 118, 6072},
        {1104, QStringLiteral("Hide on Mo&use Down"), FieldKind::List, 116, 6071},
        {1102, QStringLiteral("In&terval before Balloon Appears"), FieldKind::Long, 103, 6063},
        {1103, QStringLiteral("Interval for Ne&xt Control"), FieldKind::Long, 105, 6064},
        {1101, QStringLiteral("Hide on &Inactive Application"), FieldKind::Check, 114, 6070},
        {1049, QStringLiteral("Show for All &Controls"), FieldKind::Check, 101, 6062},
        {1050, QStringLiteral("Automatically &Size "), FieldKind::Check, 107, 6065},
        {203, QStringLiteral("Show for &Disabled Controls"), FieldKind::Check, 123, 6075},
        {1100, QStringLiteral("Hide on &Focus"), FieldKind::Check, 120, 6073},
        {204, QStringLiteral("Follow Focus"), FieldKind::Check, 127, 6077},
    };
    const QStringList hiding{"No", "Hide Till New", "Hide Till Mouse"};
    t.lists = {
        {1099, {"Off", "Popup Only", "Scan Only", "Both"}},
        {1052, {"Percentage", "Twips", "Pixels"}},
        {1105, hiding},
        {1104, hiding},
    };
    t.layout = [](PageDialog* dialog, const PageTable& table) {
        columnOf(dialog, table, {1099, 1052, 1105, 1104, 1102, 1103});
        columnOf(dialog, table, {1049, 203, 1050, 1101, 1100, 204});
    };
    return t;
}

PageTable balloonAppearanceTable() {
    PageTable t;
    t.identity = balloonPage(kCLSID_BlnAppearancePropPage, QStringLiteral("BlnAppearancePropPage"),
                             134, 136, 6700, {281, 113});
    t.reloadControl = 1074;
    t.rows = {
        {1074, QStringLiteral("&Shape"), FieldKind::List, 18, 6020},
        {1076, QStringLiteral("&Round Height"), FieldKind::Float, 22, 6022},
        {1078, QStringLiteral("Round &Width"), FieldKind::Float, 20, 6021},
        {1087, QStringLiteral("&Cloud Inset "), FieldKind::Float, 69, 6045},
        {1088, QStringLiteral("C&loud Min. Width"), FieldKind::Float, 71, 6046},
        {205, QStringLiteral("&Picture Style"), FieldKind::List, 49, 6035},
        {206, QStringLiteral("Hori&z. Picture Alignment"), FieldKind::List, 42, 6032},
        {207, QStringLiteral("&Vert. Picture Alignment"), FieldKind::List, 44, 6033},
        {1089, QStringLiteral("Drop Shadow &Type"), FieldKind::List, 95, 6058},
        {1090, QStringLiteral("Offset S&hadow in X Direction"), FieldKind::Signed, 91, 6056},
        {1091, QStringLiteral("Offset Sh&adow in Y Direction"), FieldKind::Signed, 93, 6057},
        {1068, QStringLiteral("3-D St&yle"), FieldKind::List, 55, 6038},
        {215, QStringLiteral("3-&D Appearance"), FieldKind::List, 125, 6076},
        {1070, QStringLiteral("3-D W&idth"), FieldKind::Signed, 28, 6025},
        {1072, QStringLiteral("&Border Width"), FieldKind::Signed, 24, 6023},
    };
    t.readOrder = {1074, 1076, 1078, 1087, 1088, 205,  206, 207,
                   1089, 1090, 1091, 1068, 1070, 1072, 215};
    t.lists = {
        {1074, {"Round", "Square", "Ellipse", "Cloud"}},
        {205, {"Normal", "Stretch", "Stretch Proportional", "Tile"}},
        {206, {"Left", "Center", "Right", "Left Of Text", "Right Of Text"}},
        {207, {"Top", "Center", "Bottom", "Top Of Text", "Bottom Of Text"}},
        {1089, {"None", "Solid", "Dithered"}},
        {1068, {"None", "Lowered", "Raised"}},
        {215, {"Auto", "Win95", "Windows"}},
    };
    t.layout = [](PageDialog* dialog, const PageTable& table) {
        DialogBuilder left = DialogBuilder::column(dialog);
        DialogBuilder shape = left.group(QStringLiteral("Balloon Shape"));
        for (const int id : {1074, 1078, 1076, 1087, 1088}) {
            addRow(shape, table, id);
        }
        for (const int id : {205, 206, 207}) {
            addRow(left, table, id);
        }
        left.stretch();
        columnOf(dialog, table, {1089, 1090, 1091, 1070, 1072, 215, 1068});
    };
    return t;
}

PageTable positionTable() {
    PageTable t;
    t.identity = balloonPage(kCLSID_BlnPositionPropPage, QStringLiteral("BlnPositionPropPage"), 139,
                             141, 6705, {179, 83});
    t.reloadControl = 1080;
    t.rows = {
        {1080, QStringLiteral("&Position of Balloon"), FieldKind::List, 57, 6039},
        {1085, QStringLiteral("Base Point in &X Direction"), FieldKind::List, 59, 6040},
        {1082, QStringLiteral("&Offset in X Direction"), FieldKind::Float, 63, 6042},
        {1086, QStringLiteral("Base Point in &Y Direction"), FieldKind::List, 61, 6041},
        {1083, QStringLiteral("O&ffset in Y Direction"), FieldKind::Float, 65, 6043},
    };
    const QStringList basePoints{"Cursor", "Cursor (Track)", "Control Center", "Control Edge",
                                 "Control Opposite Edge"};
    t.lists = {
        {1080, {"Lower Right", "Lower Left", "Upper Left", "Upper Right"}},
        {1085, basePoints},
        {1086, basePoints},
    };
    t.layout = [](PageDialog* dialog, const PageTable& table) {
        columnOf(dialog, table, {1080, 1085, 1082, 1086, 1083});
    };
    return t;
}

PageTable tailTable() {
    PageTable t;
    t.identity = balloonPage(kCLSID_BlnTailPropPage, QStringLiteral("BlnTailPropPage"), 144, 146,
                             6706, {245, 83});
    t.reloadControl = 1092;
    t.rows = {
        {1092, QStringLiteral("Tail &Type"), FieldKind::List, 75, 6048},
        {1094, QStringLiteral("Tail &Bubble Count"), FieldKind::Unsigned, 85, 6053},
        {1093, QStringLiteral("Tail &Shape"), FieldKind::List, 73, 6047},
        {1095, QStringLiteral("Tail Base Offset &Outside"), FieldKind::Float, 77, 6049},
        {1097, QStringLiteral("Tail Base &Axis Outside"), FieldKind::List, 81, 6052},
        {1096, QStringLiteral("Tail Base Offset &Inside"), FieldKind::Float, 79, 6050},
        {1098, QStringLiteral("Tail Base A&xis Inside"), FieldKind::List, 83, 6052},
    };
    t.readOrder = {1092, 1094, 1093, 1095, 1098, 1096, 1097};
    const QStringList axes{"Best Guess", "X-Axis", "Y-Axis"};
    t.lists = {
        {1092, {"None", "Solid", "Bubble"}},
        {1093, {"Straight", "Curl Out", "Curl In"}},
        {1097, axes},
        {1098, axes},
    };
    t.layout = [](PageDialog* dialog, const PageTable& table) {
        columnOf(dialog, table, {1092, 1094, 1093});
        columnOf(dialog, table, {1095, 1097, 1096, 1098});
    };
    return t;
}

PageTable textTable() {
    PageTable t;
    t.identity = balloonPage(kCLSID_BlnTextPropPage, QStringLiteral("BlnTextPropPage"), 149, 151,
                             6707, {146, 113});
    t.reloadControl = 1054;
    t.rows = {
        {1054, QStringLiteral("&Text"), FieldKind::Text, 16, 6019},
        {1056, QStringLiteral("&Maximum Width of Text"), FieldKind::Float, 67, 6044},
        {1060, QStringLiteral("&Horizontal Alignment"), FieldKind::List, 87, 6054},
        {1062, QStringLiteral("&Vertical Alignment"), FieldKind::List, 89, 6055},
        {1064, QStringLiteral("3-D Te&xt"), FieldKind::List, 34, 6028},
        {1066, QStringLiteral("3-D Text &Offset"), FieldKind::Signed, 40, 6031},
        {1106, QStringLiteral("Use Tag &Property"), FieldKind::Check, 109, 6066},
        {1058, QStringLiteral("&Word Wrap"), FieldKind::Check, 51, 6036},
    };
    t.lists = {
        {1060, {"Left", "Center", "Right"}},
        {1062, {"Top", "Center", "Bottom"}},
        {1064, {"None", "Lowered", "Raised", "Lowered w/ Shading", "Raised w/ Shading"}},
    };
    t.layout = [](PageDialog* dialog, const PageTable& table) {
        columnOf(dialog, table, {1054, 1056, 1060, 1062, 1064, 1066, 1106, 1058});
    };
    return t;
}

}  // namespace

CBlnGeneralPropPage::CBlnGeneralPropPage() : TablePage(balloonGeneralTable()) {}
CBlnAppearancePropPage::CBlnAppearancePropPage() : TablePage(balloonAppearanceTable()) {}
CBlnPositionPropPage::CBlnPositionPropPage() : TablePage(positionTable()) {}
CBlnTailPropPage::CBlnTailPropPage() : TablePage(tailTable()) {}
CBlnTextPropPage::CBlnTextPropPage() : TablePage(textTable()) {}

}  // namespace vrn::pp
