#include "platform/printer_choice.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace vrn {

void applyPrinterChoice(const PrinterChoice& choice, QPrinter& printer) {
    if (!choice.outputFile.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(choice.outputFile);
    } else if (!choice.printerName.isEmpty() &&
               !QPrinterInfo::printerInfo(choice.printerName).isNull()) {
        printer.setPrinterName(choice.printerName);
    }
    if (choice.pageLayout.isValid()) {
        printer.setPageLayout(choice.pageLayout);
    }
}

PrinterChoice printerChoiceOf(const QPrinter& printer) {
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
    return PrinterChoice{.printerName = toFile ? QString() : printer.printerName(),
                         .outputFile = toFile ? printer.outputFileName() : QString(),
                         .pageLayout = printer.pageLayout()};
}

}  // namespace vrn
