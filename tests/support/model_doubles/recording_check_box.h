#pragma once

#include "model/interfaces/check_box_control.h"
#include "tests/support/model_doubles/recording_control.h"

namespace vrn::testing {

class RecordingCheckBox : public RecordingControlBase<CheckBoxControl> {
public:
    bool Value() const override { return checked_; }
    void setValue(bool checked) override { checked_ = checked; }

private:
    bool checked_ = false;
};

}  // namespace vrn::testing
