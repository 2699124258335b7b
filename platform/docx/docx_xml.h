#pragma once

#include <string>
#include <string_view>

namespace vrn {

// Appends `text` as XML character data or attribute value: markup characters escaped, malformed
// UTF-8 replaced by U+FFFD, and characters that XML 1.0 does not allow left out.
void AppendXmlEscaped(std::string& out, std::string_view text);
std::string XmlEscaped(std::string_view text);

// Appends `text` as the content of a WordprocessingML run: text pieces in <w:t>, tabs as
// <w:tab/>, line breaks (CR LF, LF or CR) as <w:br/>.
void AppendRunContent(std::string& out, std::string_view text);

}  // namespace vrn
