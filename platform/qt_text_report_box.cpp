#include "platform/qt_text_report_box.h"

#include <QFont>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextDocument>

#include "model/reports/report_printer.h"
#include "platform/pdf_file_output.h"

namespace vrn {

namespace {

constexpr int kTextPoints = 10;

}  // namespace

void QtTextReportBox::SelPrint() {
    QString plain = QString::fromStdString(text_);
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("Arial"), kTextPoints));
    document.setPlainText(plain);
    if (!printer_.outputFileName().isEmpty()) {
        PdfFileOutput pdf(printer_, openFile_);
        document.print(&pdf.writer());
        pdf.Commit();
        return;
    }
    document.print(&printer_);
    if (printer_.printerState() == QPrinter::Error) {
        throw PrinterError("The text could not be printed.");
    }
}

}  // namespace vrn
