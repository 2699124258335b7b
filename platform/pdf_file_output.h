#pragma once

#include <QString>

#include <memory>
#include <string>

#include "model/reports/report_file.h"

class QPdfWriter;
class QPrinter;

namespace vrn {

// A PDF file that a printer was told to print to, written so that the previous file is never
// lost: the pages go through a QPdfWriter, set up like the printer, into the target's temporary
// file; Commit checks what was written (no write failed, the disk holds every byte, the file
// ends with the PDF trailer), flushes it to disk and renames it over the target. Destroyed
// without Commit, or when anything fails, it removes the temporary file and leaves the target
// as it was. Failures throw PrinterError naming the file and the system's reason.
class PdfFileOutput {
public:
    // Opens the temporary file for `printer`'s output file name. `what` names the output in
    // failures ("The report could not be written to ...").
    explicit PdfFileOutput(const QPrinter& printer,
                           const ReportFileOpener& openFile = OpenReportFile,
                           std::string what = "report");
    ~PdfFileOutput();
    PdfFileOutput(const PdfFileOutput&) = delete;
    PdfFileOutput& operator=(const PdfFileOutput&) = delete;

    // The device to paint the pages on. Painting must have ended before Commit.
    QPdfWriter& writer() { return *writer_; }

    void Commit();

private:
    class Device;

    [[noreturn]] void fail(const std::string& reason) const;

    QString target_;
    std::string what_;
    std::unique_ptr<SafeSaveFile> file_;
    std::unique_ptr<Device> device_;
    std::unique_ptr<QPdfWriter> writer_;
};

}  // namespace vrn
