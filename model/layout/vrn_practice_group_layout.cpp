#include <algorithm>

#include "model/layout/control_geometry.h"
#include "model/vrn_matrix.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"

namespace vrn {

namespace {

// A band never gets shorter than this, even with no practices to span.
constexpr float kShortestBand = 200;
// Where the running edges start: left of and above anything a window shows.
constexpr float kNoEdgeYet = -10'000'000;

}  // namespace

void VRN_PracticeGroup::Draw(float x, float Y, float& xmax, float& ymax) {
    const auto document = InMatrix.lock();
    if (No_Display || !Display || !document) {
        return;
    }
    WindowControl& band = *Display;
    band.setFontsize(document->VRN_Practice_Font_Size);
    FormatDisplay();
    band.setTop(Y);
    band.setLeft(x);

    // Practices follow one another along the band: beside each other below a column band,
    // below each other right of a row band.
    float right = kNoEdgeYet;
    float bottom = kNoEdgeYet;
    bool first = true;
    for (const auto& practice : PracticeParts) {
        if (horizontal_) {
            practice->Draw(first ? x : right, Y + band.Height(), right, bottom);
        } else {
            practice->Draw(x + band.Width(), first ? Y : bottom, right, bottom);
        }
        first = false;
        ymax = std::max(ymax, bottom);
        xmax = std::max(xmax, right);
    }

    if (horizontal_) {
        band.setWidth(std::max(right - band.left(), kShortestBand));
        ymax = std::max(ymax, band.top() + band.Height());
        xmax = std::max(xmax, band.left() + band.Width());
    } else {
        band.setHeight(std::max(bottom - band.top(), kShortestBand));
        ymax = std::max(band.top() + band.Height(), bottom);
        xmax = std::max(band.left() + band.Width(), right);
    }
    band.setVisible(document->Context.viewChecked(horizontal_ ? ViewMark::mnuViewAlternatives
                                                              : ViewMark::mnuViewExisting));
}

void VRN_PracticeGroup::MoveBy(float x, float Y) {
    if (Display) {
        ShiftControl(*Display, x, Y);
    }
    for (const auto& practice : PracticeParts) {
        practice->MoveBy(x, Y);
    }
}

}  // namespace vrn
