#include "platform/text_printer.h"

#include <QFont>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>

#include <utility>

#include "model/reports/report_printer.h"
#include "platform/pdf_file_output.h"
#include "platform/prompt.h"

namespace vrn {

namespace {

constexpr int kPrintPoints = 10;

}  // namespace

bool printTextPages(const QString& text, QPrinter& printer, const ReportFileOpener& openFile,
                    std::string what) {
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("Arial"), kPrintPoints));
    document.setPlainText(text);
    if (!printer.outputFileName().isEmpty()) {
        PdfFileOutput pdf(printer, openFile, std::move(what));
        document.print(&pdf.writer());
        pdf.Commit();
        return true;
    }
    document.print(&printer);
    return printer.printerState() != QPrinter::Error;
}

void printPlainText(const QString& text, const PrinterChoice& choice, Prompt& prompt) {
    QPrinter printer;
    applyPrinterChoice(choice, printer);
    if (choice.outputFile.isEmpty() && QPrinterInfo::printerInfo(choice.printerName).isNull()) {
        // The chosen printer is gone, or none was chosen: the default one.
        const QString defaultPrinter = QPrinterInfo::defaultPrinterName();
        if (!defaultPrinter.isEmpty()) {
            printer.setPrinterName(defaultPrinter);
        } else if (!prompt.choosePrinter(printer, {})) {
            // The system has none: the print dialog, as Print Report shows it, offers the
            // printers it finds and a PDF file. The user cancelled it.
            return;
        }
    }
    if (!printTextPages(text, printer, OpenReportFile, "text")) {
        throw PrinterError("The text could not be printed on '" +
                           printer.printerName().toStdString() + "'.");
    }
}

}  // namespace vrn
