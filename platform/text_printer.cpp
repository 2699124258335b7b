#include "platform/text_printer.h"

#include "model/file/safe_save_file.h"

#include <QFile>
#include <QFont>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>

#include <filesystem>
#include <system_error>

namespace vrn {

namespace {

constexpr int kPrintPoints = 10;

bool print(const QString& text, QPrinter& printer) {
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("Arial"), kPrintPoints));
    document.setPlainText(text);
    document.print(&printer);
    return printer.printerState() != QPrinter::Error;
}

bool printIntoFile(const QString& text, QPrinter& printer, const QString& target) {
    const std::filesystem::path targetPath = target.toStdString();
    const std::filesystem::path partial = SafeSaveFile::TemporaryPathFor(targetPath);
    printer.setOutputFileName(QString::fromStdString(partial.string()));
    std::error_code error;
    if (print(text, printer) && QFile::exists(printer.outputFileName())) {
        std::filesystem::rename(partial, targetPath, error);
        if (!error) {
            return true;
        }
    }
    std::filesystem::remove(partial, error);
    return false;
}

}  // namespace

bool printPlainText(const QString& text, const PrinterChoice& choice) {
    PrinterChoice destination = choice;
    if (destination.outputFile.isEmpty() &&
        QPrinterInfo::printerInfo(destination.printerName).isNull()) {
        // The chosen printer is gone, or none was chosen: the default one.
        destination.printerName = QPrinterInfo::defaultPrinterName();
        if (destination.printerName.isEmpty()) {
            return false;
        }
    }
    QPrinter printer;
    applyPrinterChoice(destination, printer);
    if (!destination.outputFile.isEmpty()) {
        return printIntoFile(text, printer, destination.outputFile);
    }
    return print(text, printer);
}

}  // namespace vrn
