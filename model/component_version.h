#pragma once

#include <string_view>

namespace vrn {

// Version of the matrix component, shown in the program's About box.
std::string_view componentVersion();

// The same as numbers, for report banners.
struct ComponentVersionNumbers {
    int Major = 0;
    int Minor = 0;
    int Revision = 0;
};
ComponentVersionNumbers componentVersionNumbers();

}  // namespace vrn
