#pragma once

#include <string>
#include <string_view>

namespace vrn {

// Appends `text` to `out` so that it stands as plain text in XML and HTML, in an element or in
// a quoted attribute: the five markup characters become references, characters XML does not
// allow (control characters other than tab and line breaks) are dropped, and malformed UTF-8
// becomes U+FFFD. No text can thus end an element, an attribute or a script.
void AppendEscapedMarkup(std::string& out, std::string_view text);
std::string EscapedMarkup(std::string_view text);

// Appends `value` in plain decimal with at most three decimals, no exponent ("-0" is "0").
void AppendNumber(std::string& out, double value);

}  // namespace vrn
