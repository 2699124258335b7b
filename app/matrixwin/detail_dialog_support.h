#pragma once

#include "app/matrixwin/detail_dialogs.h"

#include <QtGlobal>

class QAbstractButton;
class QString;

namespace vrn {

// The colour choice of the detail dialogs: the colour dialog opens at `current`; a dialog closed
// without a choice gives `current` back.
qint32 chooseNewColor(Prompt& prompt, qint32 current);

// Shows the OLE colour on the button's face; the button's "BackColor" property keeps the value.
void showButtonColor(QAbstractButton& button, qint32 ole);
qint32 buttonColor(const QAbstractButton& button);

// A stored colour, or the program's default for the colour choice when it is 0 (none chosen).
qint32 colorOrDefault(const VrnMain& program, qint32 color);

// Opens a discussion link in the browser; texts of two characters or fewer are ignored.
void openDiscussion(const DetailDialogServices& services, const QString& text);

}  // namespace vrn
