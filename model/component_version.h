#pragma once

#include <string_view>

namespace vrn {

// Version of the matrix component, shown in the program's About box.
std::string_view componentVersion();

}  // namespace vrn
