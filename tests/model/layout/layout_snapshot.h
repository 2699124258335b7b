#pragma once

#include <string>
#include <vector>

#include "tests/support/model_doubles/recording_matrix_window.h"

namespace vrn::testing {

// Where one control of the recording window lies: a control's left, top, width and height, or a
// line's X1, Y1, X2 and Y2.
struct PlacedControl {
    std::string name;
    bool line = false;
    float a = 0;
    float b = 0;
    float c = 0;
    float d = 0;
    bool visible = false;
};

// Every control the window owns or handed out, in a fixed order.
std::vector<PlacedControl> SnapshotOf(RecordingMatrixWindow& window);

// `placed` moved by (x, Y): a control's corner, both ends of a line.
PlacedControl Shifted(PlacedControl placed, float x, float Y);

// Compares two snapshots of the same window: which controls show, and where the shown ones lie,
// to a small tolerance. Where a hidden control lies does not matter (hidden importance boxes,
// for one, move with their state but are placed only when shown). A failure names the control.
void ExpectSamePlaces(const std::vector<PlacedControl>& actual,
                      const std::vector<PlacedControl>& expected);

}  // namespace vrn::testing
