#pragma once

#include "model/reports/report_file.h"
#include "platform/printer_choice.h"

#include <QString>

#include <string>

class QPrinter;

namespace vrn {

class Prompt;

// Prints plain text in Arial 10, with its pages, on `printer` as it is set up: into its output
// file when it has one, the safe way (PdfFileOutput, which throws PrinterError naming the output
// `what`), or else on the printer. False when the printer failed.
bool printTextPages(const QString& text, QPrinter& printer, const ReportFileOpener& openFile,
                    std::string what);

// Prints plain text in Arial 10 where Page Setup chose, with its pages: on the chosen printer, or
// on the default printer when nothing was chosen or the chosen printer is gone, or into the
// chosen PDF file the way every file is saved (PdfFileOutput): beside it first, checked, then
// renamed over it, so that a failed print leaves the old file. When the system has no printer
// at all, `prompt` asks for one as Print Report does (choosePrinter), which offers a PDF file;
// a cancelled dialog prints nothing. Throws PrinterError saying why nothing was printed: the
// printer's failure or the file's reason.
void printPlainText(const QString& text, const PrinterChoice& choice, Prompt& prompt);

}  // namespace vrn
