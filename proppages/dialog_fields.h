#pragma once

#include <initializer_list>

#include <QString>
#include <QtGlobal>

namespace vrn::pp {

class PageDialog;

// Moving one value between a control of a page dialog and a property, by the control's ID.
// A missing control, or one of another kind, is left alone and reads as the kind's empty value.

// Lists: the entry at position value (0-based); reading gives -1 when nothing is selected. The
// selection only moves when it differs, so an unchanged list raises no change.
void SetComboSel(PageDialog* dialog, int id, qint32 value);
qint32 GetComboSel(PageDialog* dialog, int id);

// Check boxes: checked when the value is not 0; reads 1 or 0.
void SetCheck(PageDialog* dialog, int id, qint16 value);
qint16 GetCheck(PageDialog* dialog, int id);

// Integer fields, signed or unsigned per control (see parseDialogInt).
void SetDlgItemInt(PageDialog* dialog, int id, quint32 value, bool isSigned);
quint32 GetDlgItemInt(PageDialog* dialog, int id, bool isSigned);

void SetItemLong(PageDialog* dialog, int id, qint32 value);
qint32 GetItemLong(PageDialog* dialog, int id);

// A float that has no text (infinite, NaN) leaves the field as it is.
void SetItemFloat(PageDialog* dialog, int id, float value);
float GetItemFloat(PageDialog* dialog, int id);

// The field is only rewritten when its text differs.
void SetItemText(PageDialog* dialog, int id, const QString& value);
QString GetItemText(PageDialog* dialog, int id);

// Radio groups: checks the button check among first..last by ID and clears the others.
void CheckRadioButton(PageDialog* dialog, int first, int last, int check);
bool IsDlgButtonChecked(PageDialog* dialog, int id);

void EnableDlgItem(PageDialog* dialog, int id, bool enable);
// True when one of the fields is there and enabled.
bool AnyDlgItemEnabled(const PageDialog* dialog, std::initializer_list<int> ids);

}  // namespace vrn::pp
