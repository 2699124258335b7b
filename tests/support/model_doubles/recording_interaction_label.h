#pragma once

#include <cstdint>
#include <string>

#include "model/interfaces/interaction_label.h"
#include "tests/support/model_doubles/recording_control.h"

namespace vrn::testing {

// An interaction cell handed out by the recording window.
class RecordingInteractionLabel : public RecordingControlBase<InteractionLabel> {
public:
    std::string ToolTipText() const override { return toolTip_; }
    void setToolTipText(const std::string& value) override { toolTip_ = value; }
    std::int16_t BackStyle() const override { return backStyle_; }
    void setBackStyle(std::int16_t value) override { backStyle_ = value; }

private:
    std::string toolTip_;
    std::int16_t backStyle_ = 0;
};

}  // namespace vrn::testing
