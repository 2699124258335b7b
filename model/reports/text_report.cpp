#include "model/reports/text_report.h"

#include "model/reports/printed_report.h"
#include "model/reports/printed_report_text.h"
#include "model/reports/text_report_box.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"

namespace vrn {

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr int kBannerLeadingLines = 6;

// Separator lines: runs of underscores of these lengths.
const std::string kRule45(45, '_');
const std::string kRule40(40, '_');
const std::string kRule28(28, '_');
const std::string kRule16(16, '_');

std::string line(const std::string& text) {
    return text + kCrLf;
}

}  // namespace

std::string TextReportBanner() {
    std::string text;
    for (int i = 0; i < kBannerLeadingLines; ++i) {
        text += kCrLf;
    }
    text += line(kRule45);
    text += line("    ----- Varnel -----   ");
    text += line("    ----- V " + reportVersionText() + " -----   ");
    text += line(kRule45);
    return text;
}

std::string TextReportAttribution(const VRN_Matrix& matrix) {
    std::string text = std::string(kCrLf) + kCrLf;
    const auto field = [&](const char* heading, const std::string& value) {
        text += line(std::string("    --- ") + heading + " ---   ");
        text += line(value);
        text += line(kRule16);
    };
    field("Authors", matrix.Authors);
    field("Project", matrix.Assignment);
    field("Modified", matrix.Modified);
    field("Sources", matrix.Sources);
    field("Review Status", matrix.Review);
    field("Documentation", matrix.Distribution);
    text += line("    --- Footer ---   ");
    text += line(matrix.footer);
    text += line(kRule28);
    text += line(kRule40);
    return text;
}

std::string TextReport::GetText(const std::string& segment, bool PrintDescription) const {
    if (segment == "MatrixName") {
        return matrixName();
    }
    if (segment == "MatrixDescription") {
        return matrixDescription();
    }
    if (segment == "MatrixMetaData") {
        return TextReportBanner();
    }
    if (segment == "MatrixAttribution") {
        return TextReportAttribution(matrix_);
    }
    if (segment == "MatrixAllAlternatives") {
        return allAlternatives(PrintDescription);
    }
    if (segment == "CurrentPracticeNames") {
        return {};
    }
    matrix_.Context.MsgBox("unrecognized segment name: " + segment);
    return {};
}

std::string TextReport::matrixName() const {
    return line(kRule45) + line(matrix_.title + "  " + matrix_.Name) + line(kRule45);
}

std::string TextReport::matrixDescription() const {
    return matrix_.alternative()->Description + line(kRule45);
}

std::string TextReport::allAlternatives(bool PrintDescription) const {
    std::string text = line(kRule45);
    for (int i = 1; i <= matrix_.Alt_count; ++i) {
        const auto& state = *matrix_.Alternatives_col.Item(i);
        text += line(state.Name) + line(kRule40);
        if (PrintDescription && isPrintedText(state.Description)) {
            text += line("Description:: ") + line(state.Description) + kCrLf;
        }
        for (const auto& group : state.PGroups) {
            text += std::string(kCrLf) + line(group->Name());
            for (const auto& practice : group->PracticeParts) {
                text += kCrLf + practice->Name();
                if (PrintDescription && isPrintedText(practice->Description())) {
                    text += kCrLf + line(practice->Description());
                }
                text += kCrLf;
            }
        }
    }
    return text + line(kRule45);
}

std::string TextReport::Summary() const {
    std::string text = TextReportBanner();
    text += line(matrix_.Name) + line(kRule40);
    text += TextReportAttribution(matrix_);
    for (int i = 1; i <= matrix_.Alt_count; ++i) {
        const auto& state = *matrix_.Alternatives_col.Item(i);
        text += line(state.Name) + line(kRule40) + kCrLf + kCrLf;
        text += line(state.Description) + kCrLf + kCrLf;
    }
    return text + line(kRule45) + line(kRule45);
}

std::string VRN_Matrix::GetText(const std::string& segment, bool PrintDescription) {
    return TextReport(*this).GetText(segment, PrintDescription);
}

void VRN_Matrix::PrintText(TextReportBox& box) {
    box.setText(TextReport(*this).Summary());
    box.SelPrint();
}

}  // namespace vrn
