#pragma once

#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "model/reports/printed_report_output.h"
#include "model/reports/report_printer.h"

namespace vrn {

// The report's page layout on a printer, in twips: 1200 margins, indent steps of 550, a page
// break wherever the next output would run into the bottom 1500 (the footer zone), and the
// page footer 1000 above the bottom edge. Nothing runs past the margins: a line goes on at its
// own indent after a line break in its text, a line too long is wrapped at a blank, a word too
// long for a line is broken, and a footer too long for three lines is shortened.
class PrinterPageOutput : public ReportPageOutput {
public:
    static constexpr double kMargin = 1200;
    static constexpr int kIndentStep = 550;
    static constexpr double kBottomZone = 1500;
    static constexpr double kFooterFromBottom = 1000;
    static constexpr double kFooterPoints = 8;
    static constexpr double kWrappedTextGap = 120;
    static constexpr std::size_t kFooterLines = 3;

    explicit PrinterPageOutput(ReportPrinter& printer) : printer_(printer) {}

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

    ReportPrinter& printer() { return printer_; }

private:
    double indentX(int indent) const { return kMargin + Print_Indent_Step * indent; }
    double rightLimit() const { return printer_.ScaleWidth() - kMargin; }
    double bottomLimit() const { return printer_.ScaleHeight() - kBottomZone; }
    void moveToNextTabStop();
    void printWord(std::string_view word, double left, const std::string& footer);
    void wrappedNewLine(double left, const std::string& footer);
    void fitLines(std::string_view text, double width, std::vector<std::string_view>& lines,
                  std::size_t mostLines = std::numeric_limits<std::size_t>::max()) const;
    void printFooterLines(const std::string& footer);

    ReportPrinter& printer_;
    // The lines of the text being printed, and of the footer that may break into it; reused.
    std::vector<std::string_view> lines_;
    std::vector<std::string_view> footerLines_;
    std::string shortenedFooter_;
    // Set by Printer_Setup; a segment printed without it gets the same values.
    std::string Print_Font_Name = "Arial";
    int Print_Indent_Step = kIndentStep;
};

}  // namespace vrn
