#include "model/reports/drawing_rectangle.h"

#include "model/reports/drawing_cells.h"

namespace vrn {

namespace {

constexpr char kRectangleMaster[] = "Rectangle";
constexpr char kPlainStyle[] = "None";
constexpr double kQuarterTurn = 3.14159265359 / 2;

}  // namespace

std::shared_ptr<DrawingShape> Visio_Rectangle(DrawingPage& objPage, DrawingStencil* /*objStencil*/,
                                              DrawingMasters& objMasters,
                                              const WindowControl& control, bool Keep_Style,
                                              bool Rotate, float X_offset, float Y_offset,
                                              float Width_adjust, bool /*Use_Caption*/) {
    const DrawingMaster& master = objMasters.Item(kRectangleMaster);
    const float x = control.left() + control.Width() / 2 + X_offset;
    const float y = control.top() + control.Height() / 2 + Y_offset;
    const float width = Rotate ? control.Height() : control.Width() + Width_adjust;
    const float height = Rotate ? control.Width() : control.Height();

    auto shape = objPage.Drop(master, DrawingLength(x), DrawingY(y));
    shape->setText(control.text());
    shape->setCell(cells::Height, DrawingLength(height));
    shape->setCell(cells::Width, DrawingLength(width));
    if (Rotate) {
        shape->setCell(cells::Angle, kQuarterTurn);
    }
    if (Keep_Style) {
        shape->BringToFront();
    } else {
        shape->setStyle(kPlainStyle);
    }
    return shape;
}

}  // namespace vrn
