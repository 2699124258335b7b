#include "platform/qt_text_report_box.h"

#include <QFont>
#include <QPrinter>
#include <QTextDocument>

#include "model/reports/report_printer.h"

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
    document.print(&printer_);
    if (printer_.printerState() == QPrinter::Error) {
        throw PrinterError("The text could not be printed.");
    }
}

}  // namespace vrn
