#pragma once

#include "platform/printer_choice.h"

#include <QString>

namespace vrn {

class Prompt;

// Prints plain text in Arial 10 where Page Setup chose, with its pages: on the chosen printer, or
// on the default printer when nothing was chosen or the chosen printer is gone, or into the
// chosen PDF file the way every file is saved (PdfFileOutput): beside it first, checked, then
// renamed over it, so that a failed print leaves the old file. When the system has no printer
// at all, `prompt` asks for one as Print Report does (choosePrinter), which offers a PDF file;
// a cancelled dialog prints nothing. Throws PrinterError saying why nothing was printed: the
// printer's failure or the file's reason.
void printPlainText(const QString& text, const PrinterChoice& choice, Prompt& prompt);

}  // namespace vrn
