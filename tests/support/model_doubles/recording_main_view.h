#pragma once

#include <array>
#include <cstddef>

#include "model/interfaces/main_view.h"

namespace vrn::testing {

// The main window's View marks and File > Save as plain values. It starts as the program's
// menu is designed: Title, Legend, Practice Groups, Target Practices, Existing Practices and
// Weighted Sort checked; the others unchecked; Save enabled.
class RecordingMainView : public MainView {
public:
    RecordingMainView();

    bool Checked(ViewMark mark) const override { return marks_[index(mark)]; }
    void setChecked(ViewMark mark, bool checked) override { marks_[index(mark)] = checked; }
    bool mnuFileSaveEnabled() const override { return saveEnabled_; }
    void setMnuFileSaveEnabled(bool enabled) override { saveEnabled_ = enabled; }

private:
    static std::size_t index(ViewMark mark) { return static_cast<std::size_t>(mark); }

    std::array<bool, static_cast<std::size_t>(ViewMark::mnuViewWeightedSort) + 1> marks_{};
    bool saveEnabled_ = true;
};

}  // namespace vrn::testing
