#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vrn {

// A picture handed to a report, such as the captured matrix window: pixels row by row from the
// top left, each 0xAARRGGBB.
struct ReportPicture {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint32_t> Pixels;

    bool Empty() const {
        return Width <= 0 || Height <= 0 ||
               Pixels.size() != static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height);
    }
};

}  // namespace vrn
