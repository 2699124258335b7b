#pragma once

#include <string>
#include <string_view>

namespace vrn {

// A string value in a matrix file never holds a raw double quote: the writer puts this escape in
// its place and the reader turns it back. The escape itself is not escaped, so a text that holds
// "#quote#" reads back with a double quote there.
inline constexpr std::string_view kQuoteEscape = "#quote#";

// Replaces each double quote of `S` by the escape; `changed` tells whether there was one (`S`
// is left as it was when not).
void Encode_Quotes(std::string& S, bool& changed);

// Replaces each escape in `S` by a double quote, scanning left to right without rescanning what
// it produced; `changed` tells whether there was one.
void Decode_Quotes(std::string& S, bool& changed);

}  // namespace vrn
