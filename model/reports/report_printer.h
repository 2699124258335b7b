#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "model/reports/printed_report_picture.h"

namespace vrn {

// A printer that failed: it could not start, take a page or finish the job.
class PrinterError : public std::runtime_error {
public:
    explicit PrinterError(const std::string& message) : std::runtime_error(message) {}
};

enum class PageOrientation { Portrait, Landscape };

struct PrinterFont {
    std::string Name;
    double Size = 10;  // points
    bool Bold = false;

    bool operator==(const PrinterFont&) const = default;
};

// The printer the printed report writes on, in twips from the top left corner of the printable
// area. It keeps a current position and a current font like a line printer: Print writes at the
// position and, when it ends the line, returns to the left edge one line lower; without ending
// the line it moves right by the width of the text. A line break inside the text ("\r\n", "\n"
// or "\r") ends the line there. Page numbers start at 1.
//
// Implementations supply the drawing and measuring; the cursor and font logic lives here, so
// the program's printer and the tests' recording one move alike.
class ReportPrinter {
public:
    virtual ~ReportPrinter() = default;

    double ScaleWidth() const { return pageWidth(); }
    double ScaleHeight() const { return pageHeight(); }

    double CurrentX() const { return x_; }
    void setCurrentX(double value) { x_ = value; }
    double CurrentY() const { return y_; }
    void setCurrentY(double value) { y_ = value; }

    const std::string& FontName() const { return font_.Name; }
    void setFontName(const std::string& value) { font_.Name = value; }
    double FontSize() const { return font_.Size; }
    void setFontSize(double value) { font_.Size = value; }
    bool FontBold() const { return font_.Bold; }
    void setFontBold(bool value) { font_.Bold = value; }
    const PrinterFont& Font() const { return font_; }

    PageOrientation Orientation() const { return orientation_; }
    // Takes effect on the current page when nothing has been printed on it yet, else on the
    // next one.
    void setOrientation(PageOrientation value);

    int Page() const { return page_; }

    // Width of the widest line and height of all lines of `text` in the current font.
    double TextWidth(std::string_view text) const;
    double TextHeight(std::string_view text) const;

    // Prints `text` at the current position; see the class comment.
    void Print(std::string_view text = {}, bool endLine = true);

    // The outline of the rectangle with corners (x1, y1) and (x2, y2).
    void DrawBox(double x1, double y1, double x2, double y2);

    // Paints `picture` stretched into the rectangle at (x, y) of the given size.
    void PaintPicture(const ReportPicture& picture, double x, double y, double width,
                      double height);

    // Ends the page and starts the next one at its top left corner.
    void NewPage();

    // Ends the job and hands the pages to the printer (or writes the file). Throws PrinterError
    // when they cannot be delivered.
    void EndDoc();

    // Today's date as the user writes it in short form, for page footers.
    std::string ShortDateText() const { return shortDateText(); }

protected:
    virtual double pageWidth() const = 0;
    virtual double pageHeight() const = 0;
    virtual double measureWidth(const PrinterFont& font, std::string_view line) const = 0;
    virtual double lineHeight(const PrinterFont& font) const = 0;
    virtual void drawText(const PrinterFont& font, double x, double y, std::string_view line) = 0;
    virtual void drawBox(double x1, double y1, double x2, double y2) = 0;
    virtual void drawPicture(const ReportPicture& picture, double x, double y, double width,
                             double height) = 0;
    virtual void changeOrientation(PageOrientation orientation) = 0;
    virtual void startNextPage() = 0;
    virtual void endDocument() = 0;
    virtual std::string shortDateText() const = 0;

private:
    PrinterFont font_{"Arial", 10, false};
    PageOrientation orientation_ = PageOrientation::Portrait;
    double x_ = 0;
    double y_ = 0;
    int page_ = 1;
};

}  // namespace vrn
