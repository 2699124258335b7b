#pragma once

#include <cstdint>

namespace vrn {

// A straight line on the matrix window, from (X1, Y1) to (X2, Y2) in twips.
class LineControl {
public:
    virtual ~LineControl() = default;

    virtual float X1() const = 0;
    virtual void setX1(float value) = 0;
    virtual float Y1() const = 0;
    virtual void setY1(float value) = 0;
    virtual float X2() const = 0;
    virtual void setX2(float value) = 0;
    virtual float Y2() const = 0;
    virtual void setY2(float value) = 0;

    virtual bool Visible() const = 0;
    virtual void setVisible(bool value) = 0;
    virtual std::int16_t BorderWidth() const = 0;
    virtual void setBorderWidth(std::int16_t value) = 0;
};

}  // namespace vrn
