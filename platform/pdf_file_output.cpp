#include "platform/pdf_file_output.h"

#include <QIODevice>
#include <QPdfWriter>
#include <QPrinter>

#include <exception>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

#include "model/reports/report_printer.h"

namespace vrn {

namespace {

constexpr std::string_view kPdfTrailer = "%%EOF";

}  // namespace

// The QPdfWriter's output: the writer's many small writes are gathered into blocks for the
// saved file; the first failure is kept, and the writer is told of it, for Commit to report.
class PdfFileOutput::Device : public QIODevice {
public:
    explicit Device(SafeSaveFile& file) : file_(file) {
        block_.reserve(kBlock);
        open(QIODevice::WriteOnly);
    }

    std::uint64_t written() const { return written_; }
    const std::optional<std::string>& failure() const { return failure_; }

    // Writes out what is gathered; false on failure.
    bool flush() {
        if (!failure_ && !block_.empty()) {
            try {
                file_.Write(block_);
                written_ += block_.size();
            } catch (const std::exception& error) {
                failure_ = error.what();
                setErrorString(QString::fromStdString(*failure_));
            }
        }
        block_.clear();
        return !failure_;
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override {
        block_.append(data, static_cast<std::size_t>(length));
        if (block_.size() >= kBlock && !flush()) {
            return -1;
        }
        return failure_ ? -1 : length;
    }

private:
    static constexpr std::size_t kBlock = 64 * 1024;

    SafeSaveFile& file_;
    std::string block_;
    std::uint64_t written_ = 0;
    std::optional<std::string> failure_;
};

PdfFileOutput::PdfFileOutput(const QPrinter& printer, const ReportFileOpener& openFile,
                             std::string what)
    : target_(printer.outputFileName()), what_(std::move(what)) {
    try {
        file_ = openFile(target_.toStdString());
    } catch (const std::exception& error) {
        fail(error.what());
    }
    device_ = std::make_unique<Device>(*file_);
    writer_ = std::make_unique<QPdfWriter>(device_.get());
    writer_->setResolution(printer.resolution());
    writer_->setPageLayout(printer.pageLayout());
    writer_->setTitle(printer.docName());
    writer_->setCreator(printer.creator());
    writer_->setPdfVersion(printer.pdfVersion());
}

// The writer goes before its device, the device before the file it writes to.
PdfFileOutput::~PdfFileOutput() = default;

void PdfFileOutput::Commit() {
    if (!device_->flush()) {
        fail(*device_->failure());
    }
    try {
        CheckReportFileBytes(*file_, device_->written(), kPdfTrailer);
        file_->Commit();
    } catch (const std::exception& error) {
        fail(error.what());
    }
}

void PdfFileOutput::fail(const std::string& reason) const {
    throw PrinterError("The " + what_ + " could not be written to " + target_.toStdString() + ": " +
                       reason + ".");
}

}  // namespace vrn
