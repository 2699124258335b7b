#include "platform/text_printer.h"

#include <QFont>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>

#include "model/reports/report_printer.h"
#include "platform/pdf_file_output.h"

namespace vrn {

namespace {

constexpr int kPrintPoints = 10;

}  // namespace

void printPlainText(const QString& text, const PrinterChoice& choice) {
    PrinterChoice destination = choice;
    if (destination.outputFile.isEmpty() &&
        QPrinterInfo::printerInfo(destination.printerName).isNull()) {
        // The chosen printer is gone, or none was chosen: the default one.
        destination.printerName = QPrinterInfo::defaultPrinterName();
        if (destination.printerName.isEmpty()) {
            throw PrinterError("The text could not be printed: no printer is available.");
        }
    }
    QPrinter printer;
    applyPrinterChoice(destination, printer);
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("Arial"), kPrintPoints));
    document.setPlainText(text);
    if (!destination.outputFile.isEmpty()) {
        PdfFileOutput pdf(printer, OpenReportFile, "text");
        document.print(&pdf.writer());
        pdf.Commit();
        return;
    }
    document.print(&printer);
    if (printer.printerState() == QPrinter::Error) {
        throw PrinterError("The text could not be printed on '" +
                           destination.printerName.toStdString() + "'.");
    }
}

}  // namespace vrn
