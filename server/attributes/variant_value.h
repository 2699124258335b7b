#pragma once

#include <string>

#include "server/database/value.h"

namespace kt {

// A value as the text that is stored for it; Null raises "Invalid use of Null".
std::string variantText(const Value& value);

// Equality of two values as the attribute code compares them: Null equals nothing, texts
// match only when identical (case included), numbers by value, and a number and a text by the
// number's text.
bool variantEquals(const Value& a, const Value& b);

}  // namespace kt
