#pragma once

#include <string>
#include <vector>

#include "model/reports/printed_report_output.h"

namespace vrn::testing {

// Records every page routine the printed report calls, one line each:
//   B size indent bold|plain rule|- [footer] text
//   S size indent bold|plain [footer] text
//   W size indent bold|plain [footer] text      (" / heading" appended when there is one)
//   L text, F [footer] new|stay, P WxH fit|nofit scale [footer], Setup, EndDoc
class RecordingPageOutput : public ReportPageOutput {
public:
    const std::vector<std::string>& calls() const { return calls_; }
    // Only the lines that start with `kind` ("B", "S", ...).
    std::vector<std::string> callsOf(char kind) const;
    // The next call whose text contains `fragment` throws instead of being recorded.
    void failOn(std::string fragment) { failOn_ = std::move(fragment); }

    void Printer_Setup() override;
    void Print_Block(const std::string& text, double size, int indent, bool bold,
                     const std::string& footer, bool rule) override;
    void Print_Segment(const std::string& text, int indent, double size, bool bold,
                       const std::string& footer) override;
    void Print_Wrapped(const std::string& text, int indent, double size, bool bold,
                       const std::string& heading, const std::string& footer) override;
    void Print_Line(const std::string& text) override;
    void Print_Page_Footer(const std::string& footer, bool newPage) override;
    void Print_Picture_To_Page(const ReportPicture& picture, bool fitOrientation,
                               std::optional<double> scale, const std::string& footer) override;
    void EndDoc() override;

private:
    void record(std::string call);

    std::vector<std::string> calls_;
    std::string failOn_;
};

}  // namespace vrn::testing
