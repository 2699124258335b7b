#include "tests/support/model_doubles/recording_page_output.h"

#include <cmath>
#include <stdexcept>

namespace vrn::testing {

namespace {

std::string number(double value) {
    return std::to_string(std::lround(value));
}

std::string weight(bool bold) {
    return bold ? "bold" : "plain";
}

std::string inBrackets(const std::string& footer) {
    return "[" + footer + "]";
}

}  // namespace

std::vector<std::string> RecordingPageOutput::callsOf(char kind) const {
    std::vector<std::string> selected;
    for (const auto& call : calls_) {
        if (!call.empty() && call.front() == kind) {
            selected.push_back(call);
        }
    }
    return selected;
}

void RecordingPageOutput::record(std::string call) {
    if (!failOn_.empty() && call.find(failOn_) != std::string::npos) {
        failOn_.clear();
        throw std::runtime_error("The printer stopped.");
    }
    calls_.push_back(std::move(call));
}

void RecordingPageOutput::Printer_Setup() {
    record("Setup");
}

void RecordingPageOutput::Print_Block(const std::string& text, double size, int indent, bool bold,
                                      const std::string& footer, bool rule) {
    record("B " + number(size) + " " + std::to_string(indent) + " " + weight(bold) + " " +
           (rule ? "rule" : "-") + " " + inBrackets(footer) + " " + text);
}

void RecordingPageOutput::Print_Segment(const std::string& text, int indent, double size, bool bold,
                                        const std::string& footer) {
    record("S " + number(size) + " " + std::to_string(indent) + " " + weight(bold) + " " +
           inBrackets(footer) + " " + text);
}

void RecordingPageOutput::Print_Wrapped(const std::string& text, int indent, double size, bool bold,
                                        const std::string& heading, const std::string& footer) {
    record("W " + number(size) + " " + std::to_string(indent) + " " + weight(bold) + " " +
           inBrackets(footer) + " " + text + (heading.empty() ? "" : " / " + heading));
}

void RecordingPageOutput::Print_Line(const std::string& text) {
    record("L " + text);
}

void RecordingPageOutput::Print_Page_Footer(const std::string& footer, bool newPage) {
    record("F " + inBrackets(footer) + (newPage ? " new" : " stay"));
}

void RecordingPageOutput::Print_Picture_To_Page(const ReportPicture& picture, bool fitOrientation,
                                                std::optional<double> scale,
                                                const std::string& footer) {
    record("P " + std::to_string(picture.Width) + "x" + std::to_string(picture.Height) + " " +
           (fitOrientation ? "fit" : "nofit") + " " + (scale ? number(*scale) : "-") + " " +
           inBrackets(footer));
}

void RecordingPageOutput::EndDoc() {
    record("EndDoc");
}

}  // namespace vrn::testing
