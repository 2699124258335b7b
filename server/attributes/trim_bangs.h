#pragma once

#include <string>
#include <string_view>

namespace kt {

// The readable part of a notes text: the text up to and including its first "!" is dropped,
// then every leading and trailing "!". A text without "!" comes back unchanged.
std::string TrimBangs(std::string_view text);

}  // namespace kt
