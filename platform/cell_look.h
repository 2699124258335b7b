#pragma once

#include <QColor>
#include <QString>

namespace vrn {

// What a matrix cell shows: the properties of the cell control that decide its look.
struct CellLook {
    // Text runs along the cell (0) or is turned a quarter to read upwards in a column (3).
    static constexpr int kAlong = 0;
    static constexpr int kTurned = 3;

    QString text{};
    QColor backColor{};  // invalid: the palette's button colour
    int cellOrientation = kAlong;
    double fontSize = 8.0;  // points
    bool fontBold = false;
    bool fontItalic = false;
    bool fontUnderline = false;
    bool pressed = false;  // the control's Value
};

}  // namespace vrn
