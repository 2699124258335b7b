#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vrn {

// Measures text in the font a drawing sets its text in. The drawing layer implements it with
// the metrics of the very font its output names, so that text placed by these measures is drawn
// where it was placed.
class DrawingTextMeasure {
public:
    virtual ~DrawingTextMeasure() = default;
    // The advance of one line of `text` (UTF-8) at `points`, in points.
    virtual double Width(std::string_view text, double points) const = 0;
    // The height above and below the baseline of a line at `points`, in points. Lines stack at
    // their sum.
    virtual double Ascent(double points) const = 0;
    virtual double Descent(double points) const = 0;
};

// Where a shape's text goes, in points: the shape's size along its text (width) and across it
// (height), the margins kept free inside it, and the alignment (0 left or top, 1 centred, 2
// right or bottom).
struct DrawingTextFrame {
    double width = 0;
    double height = 0;
    double leftMargin = 0;
    double rightMargin = 0;
    double topMargin = 0;
    double bottomMargin = 0;
    int horizontalAlign = 1;
    int verticalAlign = 1;
};

// One line of laid-out text, in points from the frame's top-left corner along the text.
struct DrawingTextLine {
    std::string text;
    double left = 0;
    double baseline = 0;  // downwards
    double width = 0;
};

struct DrawingTextLayout {
    double points = 0;  // the size every line is set in
    double ascent = 0;
    double descent = 0;
    int horizontalAlign = 1;  // the frame's, by which the lines were placed
    std::vector<DrawingTextLine> lines;
    bool shortened = false;  // some of the text did not fit: a line ends in "…" or is left out
};

// Lays `text` out in `frame` as the matrix window lays out a cell's text: wrapped at spaces into
// lines that stack inside the frame, at `points`; when that does not fit, a point or two smaller;
// when even that does not fit, as many whole lines as there is room for, the last one ending in
// "…", and so does a word too long for its line. A frame too small for its margins and one line
// lets the margins give way first. Line breaks in `text` start new lines. Every line lies inside
// the frame.
DrawingTextLayout LayOutDrawingText(const DrawingTextMeasure& measure, std::string_view text,
                                    const DrawingTextFrame& frame, double points);

}  // namespace vrn
