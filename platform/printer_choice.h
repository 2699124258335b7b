#pragma once

#include <QPageLayout>
#include <QString>

class QPrinter;

namespace vrn {

// The printer and pages that File > Page Setup chose, for the prints that ask for no printer of
// their own and as the start of those that do. Empty until then: such prints use the default
// printer and its own pages.
struct PrinterChoice {
    // A printer of the system; empty for the default printer or when printing into a file.
    QString printerName{};
    // Printing into this PDF file instead of on a printer.
    QString outputFile{};
    // Invalid: the printer's own.
    QPageLayout pageLayout{};

    bool empty() const { return printerName.isEmpty() && outputFile.isEmpty(); }
    bool operator==(const PrinterChoice&) const = default;
};

// Sets `printer` up as chosen. A chosen printer that the system no longer has leaves `printer`
// on its own printer.
void applyPrinterChoice(const PrinterChoice& choice, QPrinter& printer);
// What `printer` is set up for.
PrinterChoice printerChoiceOf(const QPrinter& printer);

}  // namespace vrn
