#include "platform/qt_text_report_box.h"

#include "model/reports/report_printer.h"
#include "platform/text_printer.h"

namespace vrn {

void QtTextReportBox::SelPrint() {
    QString plain = QString::fromStdString(text_);
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!printTextPages(plain, printer_, openFile_, "report")) {
        throw PrinterError("The text could not be printed.");
    }
}

}  // namespace vrn
