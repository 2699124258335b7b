#pragma once

namespace vrn::pp {

// Getter slots of the button's cell and segment bookkeeping; each setter is the slot + 1.
namespace btn {
constexpr int kCellScaleMode = 104;
constexpr int kCellCount = 106;
constexpr int kCurrentCell = 108;
constexpr int kFocusCell = 118;
constexpr int kOwnThreeDText = 144;
constexpr int kThreeDTextAppearance = 61;
constexpr int kThreeDTextOffset = 67;
constexpr int kSegmentScaleMode = 29;
constexpr int kSegmentCount = 31;
constexpr int kCurrentSegment = 37;
constexpr int kSegmentEditing = 171;
constexpr int kCellMaskPictureStyle = 212;
// The current-cell index that stands for the defaults of all cells, and the segment index that
// stands for none.
constexpr short kDefaultCell = -1;
constexpr short kNoSegment = -1;
}  // namespace btn

}  // namespace vrn::pp
