#pragma once

#include <cstdint>

#include "model/interfaces/line_control.h"

namespace vrn::testing {

// A line handed out by the recording window, or one of its ThickLines.
class RecordingLine : public LineControl {
public:
    float X1() const override { return x1_; }
    void setX1(float value) override { x1_ = value; }
    float Y1() const override { return y1_; }
    void setY1(float value) override { y1_ = value; }
    float X2() const override { return x2_; }
    void setX2(float value) override { x2_ = value; }
    float Y2() const override { return y2_; }
    void setY2(float value) override { y2_ = value; }
    bool Visible() const override { return visible_; }
    void setVisible(bool value) override { visible_ = value; }
    std::int16_t BorderWidth() const override { return borderWidth_; }
    void setBorderWidth(std::int16_t value) override { borderWidth_ = value; }

private:
    float x1_ = 0;
    float y1_ = 0;
    float x2_ = 0;
    float y2_ = 0;
    bool visible_ = false;
    std::int16_t borderWidth_ = 1;
};

}  // namespace vrn::testing
