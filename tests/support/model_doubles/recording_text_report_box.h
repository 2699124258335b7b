#pragma once

#include <string>
#include <vector>

#include "model/reports/text_report_box.h"

namespace vrn::testing {

// A text box that keeps its text and counts the prints.
class RecordingTextReportBox : public TextReportBox {
public:
    void setText(const std::string& text) override { text_ = text; }
    std::string text() const override { return text_; }
    void SelPrint() override { printed_.push_back(text_); }

    const std::vector<std::string>& printed() const { return printed_; }

private:
    std::string text_;
    std::vector<std::string> printed_;
};

}  // namespace vrn::testing
