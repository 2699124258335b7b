#pragma once

#include "platform/printer_choice.h"

#include <QString>

namespace vrn {

// Prints plain text in Arial 10 where Page Setup chose, with its pages: on the chosen printer, or
// into the chosen file (written beside it first, so that a failed print leaves the old file), or
// on the default printer when nothing was chosen or the chosen printer is gone. False when
// nothing could be printed.
bool printPlainText(const QString& text, const PrinterChoice& choice);

}  // namespace vrn
