#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vrn {

// Conversions between the text of a record's value and the numbers and truth values it stands
// for, as the matrix file writes and reads them.

// A decimal number (blanks around it, a sign, a fraction and an exponent allowed) rounded to the
// nearest whole number, halves to even; none for any other text or a number beyond 2^53.
std::optional<std::int64_t> WholeNumberFromText(std::string_view text);

// #TRUE# or #FALSE#, True or False in any case, or a number (anything but 0 is true); none for
// any other text.
std::optional<bool> TruthValueFromText(std::string_view text);

// A single-precision number as plain decimal with a point, never with an exponent: 8000, 612.5.
std::string NumberText(float value);

// Text from a file or a user as a message quotes it: whole up to 40 bytes, else cut there (never
// inside a character) and followed by "...". A message stays readable, and quick to show, however
// long the text.
std::string ShortenedForMessage(std::string_view text);

}  // namespace vrn
