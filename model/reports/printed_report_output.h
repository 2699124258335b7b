#pragma once

#include <optional>
#include <string>

#include "model/reports/printed_report_picture.h"

namespace vrn {

// The page routines the printed report is made of. Sizes are points, indents are levels of the
// report's indent step. `footer` is the text a page break prints at the bottom of the page it
// ends. PrinterPageOutput lays them out on a printer; tests record them.
class ReportPageOutput {
public:
    virtual ~ReportPageOutput() = default;

    // Starts a report at the top of the current page.
    virtual void Printer_Setup() = 0;
    // A heading line in a box, with a double rule to the right margin under it when `rule`.
    virtual void Print_Block(const std::string& text, double size, int indent, bool bold,
                             const std::string& footer, bool rule) = 0;
    // A plain line.
    virtual void Print_Segment(const std::string& text, int indent, double size, bool bold,
                               const std::string& footer) = 0;
    // Word-wrapped text; a heading of 3 or more characters is centred above it.
    virtual void Print_Wrapped(const std::string& text, int indent, double size, bool bold,
                               const std::string& heading, const std::string& footer) = 0;
    // A centred line between empty lines (nothing but the empty lines for a text shorter than 3).
    virtual void Print_Line(const std::string& text) = 0;
    // The footer, the date and the page number at the bottom; then, when `newPage`, a new page.
    virtual void Print_Page_Footer(const std::string& footer, bool newPage) = 0;
    // A page of its own holding `picture`, fitted into `scale` percent of the page (90 when
    // omitted) and centred, ended by the page footer. With `fitOrientation` the page turns to
    // landscape for a picture wider than tall; otherwise it is portrait.
    virtual void Print_Picture_To_Page(const ReportPicture& picture, bool fitOrientation,
                                       std::optional<double> scale, const std::string& footer) = 0;
    // Ends the print job.
    virtual void EndDoc() = 0;
};

}  // namespace vrn
