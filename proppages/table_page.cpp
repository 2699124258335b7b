#include "proppages/table_page.h"

#include "proppages/dialog_fields.h"
#include "proppages/field_conversions.h"
#include "proppages/page_dialog.h"
#include "proppages/page_lock.h"

#include <QComboBox>

#include <stdexcept>

namespace vrn::pp {

void addRow(DialogBuilder& builder, const PageTable& table, int control) {
    for (const FieldRow& row : table.rows) {
        if (row.control != control) {
            continue;
        }
        switch (row.kind) {
            case FieldKind::List:
                builder.list(row.control, row.caption, row.helpContext);
                break;
            case FieldKind::Check:
                builder.check(row.control, row.caption, row.helpContext);
                break;
            case FieldKind::Radio: {
                const QStringList captions = row.caption.split(u'|');
                for (int id = row.control; id <= row.lastRadio; ++id) {
                    builder.radio(id, captions.value(id - row.control), row.helpContext);
                }
                break;
            }
            default:
                builder.edit(row.control, row.caption, row.helpContext);
                break;
        }
        return;
    }
    throw std::logic_error("no table row for control " + std::to_string(control));
}

void fillRow(PageDialog* dialog, ControlProperties* control, const FieldRow& row) {
    const PropertyValue value = control->get(row.slot);
    switch (row.kind) {
        case FieldKind::List:
            SetComboSel(dialog, row.control, toLong(value));
            break;
        case FieldKind::Check:
            SetCheck(dialog, row.control, toShort(value));
            break;
        case FieldKind::Unsigned:
        case FieldKind::Signed:
            SetDlgItemInt(dialog, row.control, widenedShort(toShort(value)),
                          row.kind == FieldKind::Signed);
            break;
        case FieldKind::Long:
            SetItemLong(dialog, row.control, toLong(value));
            break;
        case FieldKind::Float:
            SetItemFloat(dialog, row.control, toFloat(value));
            break;
        case FieldKind::Text:
            SetItemText(dialog, row.control, toText(value));
            break;
        case FieldKind::Radio: {
            const qint16 n = toShort(value);
            const int buttons = row.lastRadio - row.control + 1;
            const int check = n >= 0 && n < buttons - 1 ? row.control + n : row.lastRadio;
            CheckRadioButton(dialog, row.control, row.lastRadio, check);
            break;
        }
    }
}

void applyRow(PageDialog* dialog, ControlProperties* control, const FieldRow& row) {
    const int setter = row.slot + 1;
    switch (row.kind) {
        case FieldKind::List:
            control->set(setter, GetComboSel(dialog, row.control));
            break;
        case FieldKind::Check:
            control->set(setter, GetCheck(dialog, row.control));
            break;
        case FieldKind::Unsigned:
        case FieldKind::Signed:
            control->set(setter, static_cast<qint16>(GetDlgItemInt(dialog, row.control,
                                                                   row.kind == FieldKind::Signed)));
            break;
        case FieldKind::Long:
            control->set(setter, GetItemLong(dialog, row.control));
            break;
        case FieldKind::Float:
            control->set(setter, GetItemFloat(dialog, row.control));
            break;
        case FieldKind::Text:
            control->set(setter, GetItemText(dialog, row.control));
            break;
        case FieldKind::Radio: {
            qint16 n = static_cast<qint16>(row.lastRadio - row.control);
            for (int id = row.control; id < row.lastRadio; ++id) {
                if (IsDlgButtonChecked(dialog, id)) {
                    n = static_cast<qint16>(id - row.control);
                    break;
                }
            }
            control->set(setter, n);
            break;
        }
    }
}

TablePage::TablePage(PageTable table) : CzvPropPageBase(table.identity), table_(std::move(table)) {}

const FieldRow& TablePage::row(int control) const {
    for (const FieldRow& r : table_.rows) {
        if (r.control == control) {
            return r;
        }
    }
    throw std::logic_error("no table row for control " + std::to_string(control));
}

void TablePage::buildDialog(PageDialog* dialog) {
    table_.layout(dialog, table_);
}

void TablePage::OnInitDialog() {
    for (const ComboEntries& list : table_.lists) {
        if (auto* combo = qobject_cast<QComboBox*>(dialog()->GetDlgItem(list.control))) {
            combo->clear();
            combo->addItems(list.entries);
            combo->setCurrentIndex(-1);
        }
    }
}

void TablePage::InitControls() {
    ControlProperties* first = control(0);
    if (first == nullptr || dialog() == nullptr) {
        return;
    }
    {
        PageLockGuard lock(PropPageLock());
        if (table_.readOrder.empty()) {
            for (const FieldRow& r : table_.rows) {
                fillRow(dialog(), first, r);
            }
        } else {
            for (const int id : table_.readOrder) {
                fillRow(dialog(), first, row(id));
            }
        }
    }
    SetDirty(false);
}

void TablePage::applyToControls() {
    for (quint32 i = 0; i < objectCount(); ++i) {
        ControlProperties* target = control(i);
        if (target == nullptr) {
            continue;
        }
        {
            PageLockGuard lock(PropPageLock());
            for (const FieldRow& r : table_.rows) {
                applyRow(dialog(), target, r);
            }
        }
        repaintControl(target);
    }
    ReloadIfDirty();
}

QList<int> TablePage::changeControlIds() const {
    QList<int> ids;
    for (const FieldRow& r : table_.rows) {
        for (int id = r.control; id <= (r.kind == FieldKind::Radio ? r.lastRadio : r.control);
             ++id) {
            ids.append(id);
        }
    }
    return ids;
}

}  // namespace vrn::pp
