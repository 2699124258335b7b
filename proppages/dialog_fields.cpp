#include "proppages/dialog_fields.h"

#include "proppages/field_conversions.h"
#include "proppages/page_dialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

namespace vrn::pp {

namespace {

template <typename Control>
Control* item(PageDialog* dialog, int id) {
    return dialog == nullptr ? nullptr : qobject_cast<Control*>(dialog->GetDlgItem(id));
}

void setFieldText(PageDialog* dialog, int id, const QString& text) {
    if (auto* field = item<QLineEdit>(dialog, id)) {
        field->setText(text);
    }
}

QString fieldText(PageDialog* dialog, int id) {
    const auto* field = item<QLineEdit>(dialog, id);
    return field == nullptr ? QString() : field->text();
}

}  // namespace

void SetComboSel(PageDialog* dialog, int id, qint32 value) {
    auto* combo = item<QComboBox>(dialog, id);
    if (combo == nullptr) {
        return;
    }
    if (static_cast<qint16>(combo->currentIndex()) != static_cast<qint16>(value)) {
        // A position beyond the list leaves nothing selected.
        combo->setCurrentIndex(value >= 0 && value < combo->count() ? value : -1);
    }
}

qint32 GetComboSel(PageDialog* dialog, int id) {
    const auto* combo = item<QComboBox>(dialog, id);
    return combo == nullptr ? -1 : combo->currentIndex();
}

void SetCheck(PageDialog* dialog, int id, qint16 value) {
    auto* button = item<QAbstractButton>(dialog, id);
    if (button != nullptr && button->isChecked() != (value != 0)) {
        button->setChecked(value != 0);
    }
}

qint16 GetCheck(PageDialog* dialog, int id) {
    const auto* button = item<QAbstractButton>(dialog, id);
    return button != nullptr && button->isChecked() ? 1 : 0;
}

void SetDlgItemInt(PageDialog* dialog, int id, quint32 value, bool isSigned) {
    setFieldText(dialog, id, formatDialogInt(value, isSigned));
}

quint32 GetDlgItemInt(PageDialog* dialog, int id, bool isSigned) {
    return parseDialogInt(fieldText(dialog, id), isSigned);
}

void SetItemLong(PageDialog* dialog, int id, qint32 value) {
    setFieldText(dialog, id, QString::number(value));
}

qint32 GetItemLong(PageDialog* dialog, int id) {
    return parseLongField(fieldText(dialog, id));
}

void SetItemFloat(PageDialog* dialog, int id, float value) {
    if (const auto text = formatFloatField(value)) {
        setFieldText(dialog, id, *text);
    }
}

float GetItemFloat(PageDialog* dialog, int id) {
    return parseFloatField(fieldText(dialog, id));
}

void SetItemText(PageDialog* dialog, int id, const QString& value) {
    auto* field = item<QLineEdit>(dialog, id);
    if (field != nullptr && field->text() != value) {
        field->setText(value);
    }
}

QString GetItemText(PageDialog* dialog, int id) {
    return capText(fieldText(dialog, id));
}

void CheckRadioButton(PageDialog* dialog, int first, int last, int check) {
    for (int id = first; id <= last; ++id) {
        if (auto* button = item<QAbstractButton>(dialog, id)) {
            // Radio buttons of one group exclude each other; lift that while setting them.
            const bool exclusive = button->autoExclusive();
            button->setAutoExclusive(false);
            button->setChecked(id == check);
            button->setAutoExclusive(exclusive);
        }
    }
}

bool IsDlgButtonChecked(PageDialog* dialog, int id) {
    const auto* button = item<QAbstractButton>(dialog, id);
    return button != nullptr && button->isChecked();
}

void EnableDlgItem(PageDialog* dialog, int id, bool enable) {
    if (auto* control = dialog == nullptr ? nullptr : dialog->GetDlgItem(id)) {
        control->setEnabled(enable);
    }
}

bool AnyDlgItemEnabled(const PageDialog* dialog, std::initializer_list<int> ids) {
    if (dialog == nullptr) {
        return false;
    }
    for (const int id : ids) {
        const QWidget* control = dialog->GetDlgItem(id);
        if (control != nullptr && control->isEnabled()) {
            return true;
        }
    }
    return false;
}

}  // namespace vrn::pp
