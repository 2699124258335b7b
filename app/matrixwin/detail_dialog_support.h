#pragma once

#include "app/matrixwin/detail_dialogs.h"

#include <QtGlobal>

class QAbstractButton;
class QString;
class QWidget;

namespace vrn {

class KeptLineEdit;
class KeptTextEdit;

// The colour choice of the detail dialogs: the colour dialog opens at `current`; a dialog closed
// without a choice gives `current` back.
qint32 chooseNewColor(Prompt& prompt, qint32 current);

// Shows the OLE colour on the button's face; the button's "BackColor" property keeps the value.
void showButtonColor(QAbstractButton& button, qint32 ole);
qint32 buttonColor(const QAbstractButton& button);

// A stored colour, or the program's default for the colour choice when it is 0 (none chosen).
qint32 colorOrDefault(const VrnMain& program, qint32 color);

// The dialogs' "txtDescription" box, `lines` text lines high.
KeptTextEdit* newDescriptionBox(QWidget* owner, int lines);
// The dialogs' "txtDiscussion" box for a link; with `opensOnDoubleClick` its tool tip says that a
// double click opens the link (the dialog's event filter does it).
KeptLineEdit* newDiscussionBox(QWidget* owner, bool opensOnDoubleClick);

// Opens a discussion link in the browser; texts of two characters or fewer are ignored.
void openDiscussion(const DetailDialogServices& services, const QString& text);

}  // namespace vrn
