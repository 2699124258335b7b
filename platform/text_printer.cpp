#include "platform/text_printer.h"

#include <QFont>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>

namespace vrn {

namespace {

constexpr int kPrintPoints = 10;

}  // namespace

bool printPlainText(const QString& text, const QPageLayout& layout) {
    const QPrinterInfo destination = QPrinterInfo::defaultPrinter();
    if (destination.isNull()) {
        return false;
    }
    QPrinter printer(destination);
    if (layout.isValid()) {
        printer.setPageLayout(layout);
    }
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("Arial"), kPrintPoints));
    document.setPlainText(text);
    document.print(&printer);
    return printer.printerState() != QPrinter::Error;
}

}  // namespace vrn
