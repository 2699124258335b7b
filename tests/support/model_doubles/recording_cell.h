#pragma once

#include <cstdint>

#include "model/interfaces/cell_control.h"
#include "tests/support/model_doubles/recording_control.h"

namespace vrn::testing {

// A cell handed out by the recording window: every property as last set.
class RecordingCell : public RecordingControlBase<CellControl> {
public:
    std::int16_t CellOrientation() const override { return orientation_; }
    void setCellOrientation(std::int16_t value) override { orientation_ = value; }
    bool fontbold() const override { return bold_; }
    void setFontbold(bool value) override { bold_ = value; }
    bool FontItalic() const override { return italic_; }
    void setFontItalic(bool value) override { italic_ = value; }
    bool FontUnderline() const override { return underline_; }
    void setFontUnderline(bool value) override { underline_ = value; }
    bool Value() const override { return pressed_; }
    void setValue(bool value) override { pressed_ = value; }

private:
    std::int16_t orientation_ = 0;
    bool bold_ = false;
    bool italic_ = false;
    bool underline_ = false;
    bool pressed_ = false;
};

}  // namespace vrn::testing
