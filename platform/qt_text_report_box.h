#pragma once

#include <QString>

#include "model/reports/report_file.h"
#include "model/reports/text_report_box.h"

class QPrinter;

namespace vrn {

// The plain-text report's box: it prints its text in Arial 10 on a Qt printer, page by page.
// When the printer's output file name is set, the pages go to that PDF file the safe way
// (PdfFileOutput): the previous file stays until the new one is whole on disk.
class QtTextReportBox : public TextReportBox {
public:
    // `printer` is configured by the caller and outlives this box; `openFile` opens the file a
    // PDF goes to.
    explicit QtTextReportBox(QPrinter& printer, ReportFileOpener openFile = OpenReportFile)
        : printer_(printer), openFile_(std::move(openFile)) {}

    void setText(const std::string& text) override { text_ = text; }
    std::string text() const override { return text_; }
    void SelPrint() override;

private:
    QPrinter& printer_;
    ReportFileOpener openFile_;
    std::string text_;
};

}  // namespace vrn
