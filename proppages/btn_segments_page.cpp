#include "proppages/btn_segments_page.h"

#include "proppages/button_slots.h"
#include "proppages/dialog_fields.h"
#include "proppages/field_conversions.h"
#include "proppages/page_dialog.h"
#include "proppages/page_ids.h"
#include "proppages/page_lock.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace vrn::pp {

namespace {

constexpr int kSegmentScaleModeList = 1014;
constexpr int kMaskPictureStyle = 1084;
constexpr qint16 kEditingOn = 1;

// The segment's fields, disabled while a segment index is typed but not applied.
const int kPerSegmentControls[] = {1014, 1011, 1005, 1004, 1013, 1003, 1006};

PageTable segmentsTable() {
    PageTable t;
    t.identity = {kCLSID_BtnSegmentsPropPage,
                  QStringLiteral("BtnSegmentPropPage"),
                  124,
                  126,
                  5706,
                  {260, 146},
                  kIID_IButtonControl,
                  kButtonWindowSlot};
    t.reloadControl = CBtnSegmentsPropPage::kCellList;
    t.rows = {
        {1047, QStringLiteral("&Count"), FieldKind::Signed, btn::kSegmentCount, 5029},
        {202, QStringLiteral("&Index"), FieldKind::Signed, btn::kCurrentSegment, 5032},
        {1014, QStringLiteral("Scale &Mode"), FieldKind::List, btn::kSegmentScaleMode, 5028},
        {1011, QStringLiteral("&Shape"), FieldKind::List, 39, 5033},
        {1005, QStringLiteral("Starting &X Coordinate"), FieldKind::Float, 33, 5030},
        {1004, QStringLiteral("Starting &Y Coordinate"), FieldKind::Float, 35, 5031},
        {1013, QStringLiteral("&Flip Segment"), FieldKind::Check, 41, 5034},
        {1003, QStringLiteral("Round Segment &Height"), FieldKind::Float, 45, 5036},
        {1006, QStringLiteral("Round Segment &Width"), FieldKind::Float, 43, 5035},
        {1025, QStringLiteral("3-&D Appearance"), FieldKind::List, 138, 5085},
        {1038, QStringLiteral("Border &Width"), FieldKind::Signed, 49, 5038},
        {1036, QStringLiteral("3-&D Width"), FieldKind::Signed, 55, 5041},
        {1063, QStringLiteral("Active Border"), FieldKind::Check, 195, 5114},
        {1042, QStringLiteral("&Appearance When Button Is Down"), FieldKind::List, 132, 5080},
        {1084, QStringLiteral("Cell Mask Picture Style"), FieldKind::List,
         btn::kCellMaskPictureStyle, 5117},
    };
    t.lists = {
        {1084, {"Normal", "Stretch", "Stretch Proportional", "Tile"}},
        {1014, {"Percent", "Twips", "Pixels"}},
        {1011, {"Default", "Round", "Square", "Straight", "Ellipse"}},
        {1025, {"Auto", "Win95", "Windows"}},
        {1042, {"Offset", "Three Dimensional", "Inverted", "Dithered", "Dithered Three-D"}},
    };
    t.layout = [](PageDialog* dialog, const PageTable& table) {
        DialogBuilder left = DialogBuilder::column(dialog);
        left.list(CBtnSegmentsPropPage::kCellList, QStringLiteral("Edit Segments for"), 5102);
        left.editWithButton(CBtnSegmentsPropPage::kCount, QStringLiteral("&Count"), 5029,
                            CBtnSegmentsPropPage::kApplyCount, QStringLiteral("Apply Co&unt"));
        left.editWithButton(CBtnSegmentsPropPage::kIndex, QStringLiteral("&Index"), 5032,
                            CBtnSegmentsPropPage::kApplyIndex, QStringLiteral("&Apply Index"));
        for (const int id : {1005, 1004, 1006, 1003, 1011, 1013}) {
            addRow(left, table, id);
        }
        left.stretch();
        DialogBuilder right = DialogBuilder::column(dialog);
        for (const int id : {1025, 1038, 1036, 1042, 1084, 1014, 1063}) {
            addRow(right, table, id);
        }
        right.stretch();
    };
    return t;
}

}  // namespace

CBtnSegmentsPropPage::CBtnSegmentsPropPage() : TablePage(segmentsTable()) {}

QList<int> CBtnSegmentsPropPage::changeControlIds() const {
    QList<int> ids;
    for (const FieldRow& r : table().rows) {
        if (r.control != kCount && r.control != kIndex) {
            ids.append(r.control);
        }
    }
    return ids;
}

void CBtnSegmentsPropPage::connectCommands() {
    auto* cells = qobject_cast<QComboBox*>(dialog()->GetDlgItem(kCellList));
    auto* count = qobject_cast<QLineEdit*>(dialog()->GetDlgItem(kCount));
    auto* index = qobject_cast<QLineEdit*>(dialog()->GetDlgItem(kIndex));
    auto* applyIndex = qobject_cast<QPushButton*>(dialog()->GetDlgItem(kApplyIndex));
    auto* applyCount = qobject_cast<QPushButton*>(dialog()->GetDlgItem(kApplyCount));
    connect(cells, &QComboBox::currentIndexChanged, this, &CBtnSegmentsPropPage::OnSelChangeCell);
    connect(count, &QLineEdit::textChanged, this, &CBtnSegmentsPropPage::OnChangeSegmentCount);
    connect(index, &QLineEdit::textChanged, this, &CBtnSegmentsPropPage::OnChangeSegmentIndex);
    connect(applyIndex, &QPushButton::clicked, this, &CBtnSegmentsPropPage::OnApplyIndex);
    connect(applyCount, &QPushButton::clicked, this, &CBtnSegmentsPropPage::OnApplyCount);
}

bool CBtnSegmentsPropPage::hasPendingEdits() const {
    // An index or count typed but not applied yet.
    return AnyDlgItemEnabled(dialog(), {kApplyIndex, kApplyCount});
}

void CBtnSegmentsPropPage::enablePerSegment(bool enable) {
    for (const int id : kPerSegmentControls) {
        EnableDlgItem(dialog(), id, enable);
    }
}

// The cell the list shows; its first entry stands for the defaults of all cells.
qint16 CBtnSegmentsPropPage::chosenCell() {
    return static_cast<qint16>(GetComboSel(dialog(), kCellList) - 1);
}

void CBtnSegmentsPropPage::InitControls() {
    ControlProperties* first = control(0);
    if (first == nullptr || dialog() == nullptr) {
        return;
    }
    {
        PageLockGuard lock(PropPageLock());
        const qint16 editing = toShort(first->get(btn::kSegmentEditing));
        first->set(btn::kSegmentEditing + 1, kEditingOn);

        auto* cells = qobject_cast<QComboBox*>(dialog()->GetDlgItem(kCellList));
        const qint16 cellCount = toShort(first->get(btn::kCellCount));
        cells->clear();
        for (int cell = btn::kDefaultCell; cell < cellCount; ++cell) {
            cells->addItem(QStringLiteral("Cell %1").arg(cell));
        }
        SetComboSel(dialog(), kCellList, toShort(first->get(btn::kCurrentCell)) + 1);

        first->set(btn::kSegmentEditing + 1, kEditingOn);
        for (const FieldRow& r : table().rows) {
            fillRow(dialog(), first, r);
        }
        first->set(btn::kSegmentEditing + 1, editing);

        EnableDlgItem(dialog(), kApplyIndex, false);
        EnableDlgItem(dialog(), kApplyCount, false);
        if (static_cast<qint16>(GetDlgItemInt(dialog(), kCount, true)) > 0) {
            EnableDlgItem(dialog(), kIndex, true);
        } else {
            EnableDlgItem(dialog(), kIndex, false);
            SetDlgItemInt(dialog(), kIndex, widenedShort(btn::kNoSegment), true);
            OnChangeSegmentIndex();
        }
        EnableDlgItem(dialog(), kApplyIndex, false);
    }
    OnApplyIndex();
    SetDirty(false);
}

void CBtnSegmentsPropPage::OnSelChangeCell() {
    if (isLoading()) {
        return;
    }
    {
        PageLockGuard lock(PropPageLock());
        const qint16 cell = chosenCell();
        for (quint32 i = 0; i < objectCount(); ++i) {
            if (ControlProperties* target = control(i)) {
                target->set(btn::kCurrentCell + 1, cell);
            }
        }
    }
    // The fields show the segments of the cell chosen now, not of the last one.
    reload();
}

void CBtnSegmentsPropPage::OnChangeSegmentCount() {
    if (!isLoading()) {
        EnableDlgItem(dialog(), kApplyCount, true);
    }
}

void CBtnSegmentsPropPage::OnChangeSegmentIndex() {
    if (!isLoading()) {
        enablePerSegment(false);
        EnableDlgItem(dialog(), kApplyIndex, true);
    }
}

void CBtnSegmentsPropPage::OnApplyCount() {
    PageLockGuard lock(PropPageLock());
    const auto count = static_cast<qint16>(GetDlgItemInt(dialog(), kCount, true));
    const qint16 cell = chosenCell();
    for (quint32 i = 0; i < objectCount(); ++i) {
        ControlProperties* target = control(i);
        if (target == nullptr) {
            continue;
        }
        const PropertyValue current = target->get(btn::kCurrentCell);
        const PropertyValue editing = target->get(btn::kSegmentEditing);
        target->set(btn::kCurrentCell + 1, cell);
        target->set(btn::kSegmentEditing + 1, kEditingOn);
        target->set(btn::kSegmentCount + 1, count);
        target->set(btn::kCurrentCell + 1, toShort(current));
        target->set(btn::kSegmentEditing + 1, toShort(editing));
    }
    if (count > 0) {
        EnableDlgItem(dialog(), kIndex, true);
    } else {
        EnableDlgItem(dialog(), kIndex, false);
        const bool wasLoading = isLoading();
        setLoading(true);
        SetDlgItemInt(dialog(), kIndex, widenedShort(btn::kNoSegment), true);
        setLoading(wasLoading);
        EnableDlgItem(dialog(), kApplyIndex, false);
    }
    if (QWidget* countField = dialog()->GetDlgItem(kCount)) {
        countField->setFocus();
    }
    EnableDlgItem(dialog(), kApplyCount, false);
}

void CBtnSegmentsPropPage::OnApplyIndex() {
    bool applied = false;
    {
        PageLockGuard lock(PropPageLock());
        const auto count = static_cast<qint32>(GetDlgItemInt(dialog(), kCount, true));
        const auto index = static_cast<qint32>(GetDlgItemInt(dialog(), kIndex, true));
        // Segment indexes run below the count.
        applied = count > index || index == btn::kNoSegment;
        if (applied) {
            if (ControlProperties* first = control(0)) {
                const qint32 scaleMode = GetComboSel(dialog(), kSegmentScaleModeList);
                if (static_cast<qint16>(scaleMode) != toShort(first->get(btn::kSegmentScaleMode))) {
                    first->set(btn::kSegmentScaleMode + 1, scaleMode);
                }
                first->set(btn::kCurrentSegment + 1, static_cast<qint16>(index));
            }
            enablePerSegment(true);
            for (quint32 i = 1; i < objectCount(); ++i) {
                if (ControlProperties* target = control(i)) {
                    target->set(btn::kCurrentSegment + 1,
                                static_cast<qint16>(GetDlgItemInt(dialog(), kIndex, true)));
                }
            }
        }
        EnableDlgItem(dialog(), kApplyIndex, false);
    }
    if (isLoading()) {
        return;
    }
    // Another segment is current now: show its fields.
    if (applied) {
        reload();
    } else {
        ReloadIfDirty();
    }
}

void CBtnSegmentsPropPage::applyToControls() {
    for (quint32 i = 0; i < objectCount(); ++i) {
        ControlProperties* target = control(i);
        if (target == nullptr) {
            continue;
        }
        {
            PageLockGuard lock(PropPageLock());
            const PropertyValue editing = target->get(btn::kSegmentEditing);
            const PropertyValue current = target->get(btn::kCurrentCell);
            target->set(btn::kCurrentCell + 1, chosenCell());
            target->set(btn::kSegmentEditing + 1, kEditingOn);
            for (const FieldRow& r : table().rows) {
                if (r.control != kMaskPictureStyle) {
                    applyRow(dialog(), target, r);
                }
            }
            target->set(btn::kSegmentEditing + 1, toShort(editing));
            target->set(btn::kCurrentCell + 1, toShort(current));
            applyRow(dialog(), target, row(kMaskPictureStyle));
        }
        // The button shows its segments as they are now.
        repaintControl(target);
    }
    ReloadIfDirty();
}

}  // namespace vrn::pp
