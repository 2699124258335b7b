#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kt {

// A slot path as hosts write it ("7,12": slot 7 of the child in slot 12), taken apart into
// elements 1 to n; element 0 is empty, and an empty path is the single element "-". The text
// is consumed: it is empty afterwards.
std::vector<std::string> parseSlotPath(std::string& path);

// The number an element stands for; "Type mismatch" when it is none.
std::int32_t slotOfElement(std::string_view element);

// True when one of the slots of a context path ("7,12:3,15") is `slot`, compared as whole
// tokens: 1 is not in "12".
bool contextPathHasSlot(std::string_view contextPath, std::int32_t slot);

// The first slot of a context path's start side, and of its end side (empty when the path has
// none).
std::string startSlotPart(std::string_view contextPath);
std::string endSlotPart(std::string_view contextPath);

}  // namespace kt
