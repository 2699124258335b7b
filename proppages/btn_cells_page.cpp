#include "proppages/btn_cells_page.h"

#include "proppages/button_slots.h"
#include "proppages/dialog_fields.h"
#include "proppages/field_conversions.h"
#include "proppages/page_dialog.h"
#include "proppages/page_ids.h"
#include "proppages/page_lock.h"

#include <QLineEdit>
#include <QPushButton>

namespace vrn::pp {

namespace {

constexpr int kThreeDAppearance = 1029;
constexpr int kThreeDOffset = 1031;
constexpr int kFocusRectangle = 1026;
constexpr int kScaleMode = 1007;

// The cell's fields, disabled while an index is typed but not applied.
const int kPerCellControls[] = {1041, 1044, 1045, 1043, 1002, 1007, 1009, 1010, 1008,
                                1046, 1037, 1039, 1029, 1031, 1026, 1051, 1081, 1012};

PageTable cellsTable() {
    PageTable t;
    t.identity = {kCLSID_BtnCellsPropPage,
                  QStringLiteral("BtnCellsPropPage"),
                  119,
                  121,
                  5705,
                  {275, 161},
                  kIID_IButtonControl,
                  kButtonWindowSlot};
    t.reloadControl = CBtnCellsPropPage::kCount;
    // The order of Apply; the rows marked below are handled apart from the others.
    t.rows = {
        {1002, QStringLiteral("&Orientation of Cell Contents"), FieldKind::List, 81, 5054},
        {1007, QStringLiteral("&Scale Mode"), FieldKind::List, 104, 5064},
        {1041, QStringLiteral("&Height"), FieldKind::Float, 79, 5053},
        {1044, QStringLiteral("&Left"), FieldKind::Float, 73, 5050},
        {1043, QStringLiteral("&Width"), FieldKind::Float, 77, 5052},
        {1045, QStringLiteral("&Top"), FieldKind::Float, 75, 5051},
        {1026, QStringLiteral("Display &Focus Rectangle in Cell "), FieldKind::Check, 118, 5072},
        {1009, QStringLiteral("Te&xt in Current Cell"), FieldKind::Text, 25, 5026},
        {1010, QStringLiteral("Text in Current Cell When Button &Down"), FieldKind::Text, 27, 5027},
        {1012, QStringLiteral("Tag / Tooltip Te&xt"), FieldKind::Text, 193, 5113},
        {1037, QStringLiteral("&H Align"), FieldKind::List, 83, 5055},
        {1039, QStringLiteral("&V Align"), FieldKind::List, 85, 5056},
        {1029, QStringLiteral("Appearance"), FieldKind::List, 61, 5044},
        {1031, QStringLiteral("Offs&et"), FieldKind::Signed, 67, 5047},
        {1046, QStringLiteral("Use Default"), FieldKind::Check, 144, 5089},
        {1008, QStringLiteral("Wra&p Text "), FieldKind::Check, 102, 5063},
        {1051, QStringLiteral("Transparent"), FieldKind::Check, 185, 5109},
        {1081, QStringLiteral("E&nabled"), FieldKind::Check, 187, 5110},
    };
    t.lists = {
        {1002,
         {"Horizontal", "Vertical LTR", "Rotate Down", "Rotate Up", "Invert", "Vertical RTL"}},
        {1007, {"Percent", "Twips", "Pixels"}},
        {1037, {"Left", "Center", "Right"}},
        {1039, {"Top", "Center", "Bottom"}},
        {1029, {"None", "Lowered", "Raised", "Lowered w/ Shading", "Raised w/ Shading"}},
    };
    t.layout = [](PageDialog* dialog, const PageTable& table) {
        DialogBuilder left = DialogBuilder::column(dialog);
        left.editWithButton(CBtnCellsPropPage::kCount, QStringLiteral("&Count"), 5065,
                            CBtnCellsPropPage::kApplyCount, QStringLiteral("Apply Co&unt"));
        left.editWithButton(CBtnCellsPropPage::kIndex, QStringLiteral("&Index"), 5066,
                            CBtnCellsPropPage::kApplyIndex, QStringLiteral("&Apply Index"));
        DialogBuilder size = left.group(QStringLiteral("Size and Position"));
        for (const int id : {1044, 1045, 1043, 1041}) {
            addRow(size, table, id);
        }
        DialogBuilder text3d = left.group(QStringLiteral("&3-D Text"));
        for (const int id : {1046, 1029, 1031}) {
            addRow(text3d, table, id);
        }
        left.stretch();
        DialogBuilder right = DialogBuilder::column(dialog);
        for (const int id : {1009, 1010, 1012, 1037, 1039, 1007, 1002, 1081, 1051, 1026, 1008}) {
            addRow(right, table, id);
        }
        right.stretch();
    };
    return t;
}

}  // namespace

CBtnCellsPropPage::CBtnCellsPropPage() : TablePage(cellsTable()) {}

QList<int> CBtnCellsPropPage::changeControlIds() const {
    QList<int> ids;
    for (const FieldRow& r : table().rows) {
        ids.append(r.control);
    }
    return ids;
}

void CBtnCellsPropPage::connectCommands() {
    auto* count = qobject_cast<QLineEdit*>(dialog()->GetDlgItem(kCount));
    auto* index = qobject_cast<QLineEdit*>(dialog()->GetDlgItem(kIndex));
    auto* applyIndex = qobject_cast<QPushButton*>(dialog()->GetDlgItem(kApplyIndex));
    auto* applyCount = qobject_cast<QPushButton*>(dialog()->GetDlgItem(kApplyCount));
    connect(count, &QLineEdit::textChanged, this, &CBtnCellsPropPage::OnChangeCellCount);
    connect(index, &QLineEdit::textChanged, this, &CBtnCellsPropPage::OnChangeCellIndex);
    connect(applyIndex, &QPushButton::clicked, this, &CBtnCellsPropPage::OnApplyIndex);
    connect(applyCount, &QPushButton::clicked, this, &CBtnCellsPropPage::OnApplyCount);
}

bool CBtnCellsPropPage::hasPendingEdits() const {
    // An index or count typed but not applied yet.
    return AnyDlgItemEnabled(dialog(), {kApplyIndex, kApplyCount});
}

void CBtnCellsPropPage::enablePerCell(bool enable, bool withThreeDText) {
    for (const int id : kPerCellControls) {
        if (withThreeDText || (id != kThreeDAppearance && id != kThreeDOffset)) {
            EnableDlgItem(dialog(), id, enable);
        }
    }
}

// "Use Default" and the 3-D text fields for the current cell: the defaults of all cells always
// have their own 3-D text; another cell has it when its flag says so.
void CBtnCellsPropPage::showThreeDText(ControlProperties* first, qint16 index,
                                       bool enableUseDefault) {
    if (index == btn::kDefaultCell) {
        SetCheck(dialog(), kUseDefault, 1);
        EnableDlgItem(dialog(), kUseDefault, false);
        EnableDlgItem(dialog(), kThreeDAppearance, true);
        EnableDlgItem(dialog(), kThreeDOffset, true);
        return;
    }
    if (enableUseDefault) {
        EnableDlgItem(dialog(), kUseDefault, true);
    }
    const bool own = first != nullptr && toShort(first->get(btn::kOwnThreeDText)) != 0;
    SetCheck(dialog(), kUseDefault, own ? 0 : 1);
    EnableDlgItem(dialog(), kThreeDAppearance, own);
    EnableDlgItem(dialog(), kThreeDOffset, own);
}

void CBtnCellsPropPage::InitControls() {
    ControlProperties* first = control(0);
    if (first == nullptr || dialog() == nullptr) {
        return;
    }
    quint32 count = 0;
    {
        PageLockGuard lock(PropPageLock());
        SetDlgItemInt(dialog(), kCount, widenedShort(toShort(first->get(btn::kCellCount))), false);
        const qint16 index = toShort(first->get(btn::kCurrentCell));
        SetDlgItemInt(dialog(), kIndex, widenedShort(index), true);
        for (const int id : {1002, 1007, 1041, 1044, 1043, 1045}) {
            fillRow(dialog(), first, row(id));
        }
        SetCheck(dialog(), kFocusRectangle, toShort(first->get(btn::kFocusCell)) == index ? 1 : 0);
        for (const int id : {1009, 1010, 1012, 1037, 1039, 1029, 1031, 1008}) {
            fillRow(dialog(), first, row(id));
        }
        showThreeDText(first, index, false);
        for (const int id : {1051, 1081}) {
            fillRow(dialog(), first, row(id));
        }
        EnableDlgItem(dialog(), kApplyIndex, false);
        EnableDlgItem(dialog(), kApplyCount, false);
        count = GetDlgItemInt(dialog(), kCount, false);
    }
    EnableDlgItem(dialog(), kIndex, static_cast<qint32>(count) >= 0);
    OnApplyIndex();
    SetDirty(false);
}

void CBtnCellsPropPage::OnChangeCellCount() {
    if (!isLoading()) {
        EnableDlgItem(dialog(), kApplyCount, true);
    }
}

void CBtnCellsPropPage::OnChangeCellIndex() {
    if (!isLoading()) {
        enablePerCell(false, true);
        EnableDlgItem(dialog(), kApplyIndex, true);
    }
}

void CBtnCellsPropPage::OnApplyCount() {
    {
        PageLockGuard lock(PropPageLock());
        const auto count = static_cast<qint16>(GetDlgItemInt(dialog(), kCount, false));
        for (quint32 i = 0; i < objectCount(); ++i) {
            if (ControlProperties* target = control(i)) {
                target->set(btn::kCellCount + 1, count);
            }
        }
        if (count < 0) {
            EnableDlgItem(dialog(), kIndex, false);
            SetDlgItemInt(dialog(), kIndex, widenedShort(btn::kDefaultCell), true);
        } else {
            EnableDlgItem(dialog(), kIndex, true);
        }
    }
    // The count is written; edits of the cell's fields still wait for Apply, so the dirty flag
    // stays as it is.
    EnableDlgItem(dialog(), kApplyCount, false);
}

void CBtnCellsPropPage::OnApplyIndex() {
    bool applied = false;
    {
        PageLockGuard lock(PropPageLock());
        const auto count = static_cast<qint32>(GetDlgItemInt(dialog(), kCount, true));
        const auto index = static_cast<qint32>(GetDlgItemInt(dialog(), kIndex, true));
        // Cell indexes run up to the count itself.
        applied = count >= index || index == btn::kDefaultCell;
        if (applied) {
            ControlProperties* first = control(0);
            if (first != nullptr) {
                const qint32 scaleMode = GetComboSel(dialog(), kScaleMode);
                if (static_cast<qint16>(scaleMode) != toShort(first->get(btn::kCellScaleMode))) {
                    first->set(btn::kCellScaleMode + 1, scaleMode);
                }
                first->set(btn::kCurrentCell + 1, static_cast<qint16>(index));
            }
            enablePerCell(true, false);
            showThreeDText(first, static_cast<qint16>(index), true);
            for (quint32 i = 1; i < objectCount(); ++i) {
                if (ControlProperties* target = control(i)) {
                    target->set(btn::kCurrentCell + 1, static_cast<qint16>(index));
                }
            }
        }
    }
    EnableDlgItem(dialog(), kApplyIndex, false);
    if (isLoading()) {
        return;
    }
    // Another cell is current now: its fields replace the last cell's, or Apply would write
    // them into it.
    if (applied) {
        reload();
    } else {
        ReloadIfDirty();
    }
}

void CBtnCellsPropPage::applyToControls() {
    for (quint32 i = 0; i < objectCount(); ++i) {
        ControlProperties* target = control(i);
        if (target == nullptr) {
            continue;
        }
        {
            PageLockGuard lock(PropPageLock());
            const auto index = static_cast<qint16>(GetDlgItemInt(dialog(), kIndex, true));
            if (index != toShort(target->get(btn::kCurrentCell))) {
                // An index typed but not applied: apply it, and nothing else.
                OnApplyIndex();
                return;
            }
            target->set(btn::kCellCount + 1,
                        static_cast<qint16>(GetDlgItemInt(dialog(), kCount, false)));
            target->set(btn::kCurrentCell + 1, index);
            for (const int id : {1002, 1007, 1041, 1044, 1043, 1045}) {
                applyRow(dialog(), target, row(id));
            }
            if (GetCheck(dialog(), kFocusRectangle) != 0) {
                target->set(btn::kFocusCell + 1,
                            static_cast<qint16>(GetDlgItemInt(dialog(), kIndex, true)));
            }
            for (const int id : {1009, 1010, 1012, 1037, 1039}) {
                applyRow(dialog(), target, row(id));
            }
            const bool ownThreeDText =
                index == btn::kDefaultCell || GetCheck(dialog(), kUseDefault) == 0;
            if (index != btn::kDefaultCell) {
                target->set(btn::kOwnThreeDText + 1, static_cast<qint16>(ownThreeDText ? 1 : 0));
            }
            if (ownThreeDText) {
                applyRow(dialog(), target, row(kThreeDAppearance));
                applyRow(dialog(), target, row(kThreeDOffset));
            }
            for (const int id : {1008, 1051, 1081}) {
                applyRow(dialog(), target, row(id));
            }
        }
        repaintControl(target);
    }
    ReloadIfDirty();
}

}  // namespace vrn::pp
