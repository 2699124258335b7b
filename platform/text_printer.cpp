#include "platform/text_printer.h"

#include <QFont>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>

#include "model/reports/report_printer.h"
#include "platform/pdf_file_output.h"
#include "platform/prompt.h"

namespace vrn {

namespace {

constexpr int kPrintPoints = 10;

}  // namespace

void printPlainText(const QString& text, const PrinterChoice& choice, Prompt& prompt) {
    QPrinter printer;
    applyPrinterChoice(choice, printer);
    if (choice.outputFile.isEmpty() && QPrinterInfo::printerInfo(choice.printerName).isNull()) {
        // The chosen printer is gone, or none was chosen: the default one.
        const QString defaultPrinter = QPrinterInfo::defaultPrinterName();
        if (!defaultPrinter.isEmpty()) {
            printer.setPrinterName(defaultPrinter);
        } else if (!prompt.choosePrinter(printer)) {
            // The system has none: the print dialog, as Print Report shows it, offers the
            // printers it finds and a PDF file. The user cancelled it.
            return;
        }
    }
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("Arial"), kPrintPoints));
    document.setPlainText(text);
    if (!printer.outputFileName().isEmpty()) {
        PdfFileOutput pdf(printer, OpenReportFile, "text");
        document.print(&pdf.writer());
        pdf.Commit();
        return;
    }
    document.print(&printer);
    if (printer.printerState() == QPrinter::Error) {
        throw PrinterError("The text could not be printed on '" +
                           printer.printerName().toStdString() + "'.");
    }
}

}  // namespace vrn
