#pragma once

#include <QString>

#include "model/reports/text_report_box.h"

class QPrinter;

namespace vrn {

// The plain-text report's box: it prints its text in Arial 10 on a Qt printer (a PDF file when
// the printer's output file name is set), page by page.
class QtTextReportBox : public TextReportBox {
public:
    // `printer` is configured by the caller and outlives this box.
    explicit QtTextReportBox(QPrinter& printer) : printer_(printer) {}

    void setText(const std::string& text) override { text_ = text; }
    std::string text() const override { return text_; }
    void SelPrint() override;

private:
    QPrinter& printer_;
    std::string text_;
};

}  // namespace vrn
