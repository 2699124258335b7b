#include "proppages/button_pages.h"

#include "proppages/page_dialog.h"
#include "proppages/page_ids.h"
#include "proppages/page_lock.h"

namespace vrn::pp {

namespace {

PageIdentity buttonPage(const QUuid& clsid, const QString& stem, quint32 title, quint32 doc,
                        quint32 help, QSize units) {
    return {clsid, stem, title, doc, help, units, kIID_IButtonControl, kButtonWindowSlot};
}

PageTable buttonGeneralTable() {
    PageTable t;
    t.identity = buttonPage(kCLSID_BtnGeneralPropPage, QStringLiteral("BtnGeneralPropPage"), 109,
                            111, 5703, {314, 146});
    t.reloadControl = 1015;
    t.rows = {
        {1023, QStringLiteral("&Enable Button"), FieldKind::Check, 7, 5006},
        {1024, QStringLiteral("Selection Met&hod"), FieldKind::List, 114, 5069},
        {1030, QStringLiteral("&Static"), FieldKind::Check, 130, 5079},
        {1015, QStringLiteral("&Normal|T&wo State"), FieldKind::Radio, 69, 5048, 1016},
        {1017, QStringLiteral("Trans&parent Grey Area|O&paque|Transparent &Button"),
         FieldKind::Radio, 140, 5087, 1019},
        {1020, QStringLiteral("N&umber"), FieldKind::Unsigned, 112, 5068},
        {1022, QStringLiteral("No Focus on Clic&k"), FieldKind::Check, 71, 5049},
        {1028, QStringLiteral("Display &Focus Rectangle"), FieldKind::List, 116, 5071},
        {1021, QStringLiteral("&Offset on Click"), FieldKind::Check, 142, 5088},
        {1053, QStringLiteral("Toolbar &Mode"), FieldKind::List, 149, 5091},
        {1027, QStringLiteral("&Automatically size"), FieldKind::List, 151, 5092},
        {1055, QStringLiteral("&Left"), FieldKind::Float, 157, 5095},
        {1059, QStringLiteral("&Top"), FieldKind::Float, 153, 5093},
        {1057, QStringLiteral("&Right"), FieldKind::Float, 159, 5096},
        {1061, QStringLiteral("&Bottom"), FieldKind::Float, 155, 5094},
    };
    t.lists = {
        {1024,
         {"No Rule", "Any Combination", "No More Than One", "One And Only One", "One Or More",
          "Synchronized"}},
        {1028, {"Default", "No", "Around Text", "Around Button", "Around Active Cell"}},
        {1053, {"Default", "Single Cell MouseDown", "Single Cell MouseOver", "Single Cell Both"}},
        {1027, {"None", "Top", "Bottom", "Left", "Right", "Fill Parent"}},
    };
    t.layout = [](PageDialog* dialog, const PageTable& table) {
        DialogBuilder left = DialogBuilder::column(dialog);
        DialogBuilder type = left.group(QStringLiteral("Type"));
        addRow(type, table, 1015);
        DialogBuilder group = left.group(QStringLiteral("Group"));
        addRow(group, table, 1020);
        addRow(group, table, 1024);
        DialogBuilder back = left.group(QStringLiteral("Back Style"));
        addRow(back, table, 1017);
        left.stretch();
        DialogBuilder right = DialogBuilder::column(dialog);
        for (const int id : {1023, 1030, 1022, 1021, 1053, 1028}) {
            addRow(right, table, id);
        }
        DialogBuilder size = right.group(QStringLiteral("Auto Size"));
        addRow(size, table, 1027);
        DialogBuilder offsets = size.group(QStringLiteral("Offsets"));
        for (const int id : {1055, 1059, 1057, 1061}) {
            addRow(offsets, table, id);
        }
        right.stretch();
    };
    return t;
}

PageTable buttonAppearanceTable() {
    PageTable t;
    t.identity = buttonPage(kCLSID_BtnAppearancePropPage, QStringLiteral("BtnAppearancePropPage"),
                            114, 116, 5700, {206, 140});
    t.reloadControl = 1089;
    t.rows = {
        {1034, QStringLiteral("&Horizontal Picture Alignment"), FieldKind::List, 87, 5057},
        {1033, QStringLiteral("&Vertical Picture Alignment"), FieldKind::List, 89, 5058},
        {1032, QStringLiteral("&Gray Area Picture Style"), FieldKind::List, 126, 5077},
        {1035, QStringLiteral("&Picture Style"), FieldKind::List, 100, 5062},
        {1040, QStringLiteral("&Increase Border Width on Focus"), FieldKind::Check, 53, 5040},
        {1089, QStringLiteral("&Type"), FieldKind::List, 165, 6058},
        {1090, QStringLiteral("Offset Shadow in &X Direction"), FieldKind::Signed, 161, 6056},
        {1091, QStringLiteral("Offset Shadow in &Y Direction"), FieldKind::Signed, 163, 6057},
    };
    const QStringList pictureStyles{"Normal", "Stretch", "Stretch Proportional", "Tile"};
    t.lists = {
        {1034, {"Left", "Center", "Right", "Left Of Text", "Right Of Text"}},
        {1033, {"Top", "Center", "Bottom", "Top Of Text", "Bottom Of Text"}},
        {1032, pictureStyles},
        {1035, pictureStyles},
        {1089, {"None", "Solid", "Dithered", "Solid Focus", "Dithered Focus"}},
    };
    t.layout = [](PageDialog* dialog, const PageTable& table) {
        DialogBuilder column = DialogBuilder::column(dialog);
        DialogBuilder shadow = column.group(QStringLiteral("Drop Shadow"));
        for (const int id : {1089, 1090, 1091}) {
            addRow(shadow, table, id);
        }
        for (const int id : {1032, 1035, 1034, 1033, 1040}) {
            addRow(column, table, id);
        }
        column.stretch();
    };
    return t;
}

PageTable marginsTable() {
    PageTable t;
    t.identity = buttonPage(kCLSID_BtnMarginsPropPage, QStringLiteral("BtnMarginsPropPage"), 154,
                            156, 5707, {233, 77});
    t.reloadControl = 1007;
    // Each margin field edits the getter of its side in the margin set its group belongs to.
    t.rows = {
        {1007, QStringLiteral("Cell &Scale Mode"), FieldKind::List, 104, 5064},
        {1065, QStringLiteral("&Left"), FieldKind::Float, 173, 5103},
        {1067, QStringLiteral("&Top"), FieldKind::Float, 175, 5104},
        {1069, QStringLiteral("R&ight"), FieldKind::Float, 177, 5105},
        {1079, QStringLiteral("&Bottom"), FieldKind::Float, 179, 5106},
        {1071, QStringLiteral("&Left"), FieldKind::Float, 173, 5103},
        {1073, QStringLiteral("&Top"), FieldKind::Float, 175, 5104},
        {1075, QStringLiteral("R&ight"), FieldKind::Float, 177, 5105},
        {1077, QStringLiteral("&Bottom"), FieldKind::Float, 179, 5106},
    };
    t.lists = {{1007, {"Percent", "Twips", "Pixels"}}};
    t.layout = [](PageDialog* dialog, const PageTable& table) {
        DialogBuilder top = DialogBuilder::column(dialog);
        addRow(top, table, 1007);
        DialogBuilder text = top.group(QStringLiteral("T&ext"));
        for (const int id : {1065, 1067, 1069, 1079}) {
            addRow(text, table, id);
        }
        top.stretch();
        DialogBuilder right = DialogBuilder::column(dialog);
        DialogBuilder pictures = right.group(QStringLiteral("Pict&ures"));
        for (const int id : {1071, 1073, 1075, 1077}) {
            addRow(pictures, table, id);
        }
        right.stretch();
    };
    return t;
}

}  // namespace

CBtnGeneralPropPage::CBtnGeneralPropPage() : TablePage(buttonGeneralTable()) {}

CBtnAppearancePropPage::CBtnAppearancePropPage() : TablePage(buttonAppearanceTable()) {}

CBtnMarginsPropPage::CBtnMarginsPropPage() : TablePage(marginsTable()) {}

namespace {

// The rows of the cell scale mode, the text margins and the picture margins.
constexpr int kScaleModeRow = 0;
constexpr int kFirstTextRow = 1;
constexpr int kFirstPictureRow = 5;
constexpr int kMarginSides = 4;

}  // namespace

void CBtnMarginsPropPage::InitControls() {
    ControlProperties* first = control(0);
    if (first == nullptr || dialog() == nullptr) {
        return;
    }
    {
        PageLockGuard lock(PropPageLock());
        const auto& rows = table().rows;
        const PropertyValue selector = first->get(kMarginSetSlot);
        fillRow(dialog(), first, rows[kScaleModeRow]);
        first->set(kMarginSetSlot + 1, kTextMargins);
        for (int i = 0; i < kMarginSides; ++i) {
            fillRow(dialog(), first, rows[kFirstTextRow + i]);
        }
        first->set(kMarginSetSlot + 1, kPictureMargins);
        for (int i = 0; i < kMarginSides; ++i) {
            fillRow(dialog(), first, rows[kFirstPictureRow + i]);
        }
        first->set(kMarginSetSlot + 1, toShort(selector));
    }
    SetDirty(false);
}

void CBtnMarginsPropPage::applyToControls() {
    const auto& rows = table().rows;
    for (quint32 i = 0; i < objectCount(); ++i) {
        ControlProperties* target = control(i);
        if (target == nullptr) {
            continue;
        }
        {
            PageLockGuard lock(PropPageLock());
            const PropertyValue selector = target->get(kMarginSetSlot);
            applyRow(dialog(), target, rows[kScaleModeRow]);
            target->set(kMarginSetSlot + 1, kTextMargins);
            for (int side = 0; side < kMarginSides; ++side) {
                applyRow(dialog(), target, rows[kFirstTextRow + side]);
            }
            target->set(kMarginSetSlot + 1, kPictureMargins);
            for (int side = 0; side < kMarginSides; ++side) {
                applyRow(dialog(), target, rows[kFirstPictureRow + side]);
            }
            target->set(kMarginSetSlot + 1, toShort(selector));
        }
        repaintControl(target);
    }
    ReloadIfDirty();
}

}  // namespace vrn::pp
