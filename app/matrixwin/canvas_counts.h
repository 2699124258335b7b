#pragma once

#include "model/model_fwd.h"

namespace vrn {

// How many cells (practices, importance boxes, group bands), interaction cells and grid lines
// are shown with a size: what a window's canvas draws, or what its document placed.
struct CanvasCounts {
    int cells = 0;
    int interactionCells = 0;
    int lines = 0;

    bool operator==(const CanvasCounts&) const = default;
};

// What the document's last layout shows, read from the controls its elements hold.
CanvasCounts shownByDocument(VRN_Matrix& document);

}  // namespace vrn
