#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vrn {

// One part of an Office Open XML package: its name inside the zip and its bytes, given as
// pieces that are joined in order (so a large part need not be copied into one string).
struct DocxPart {
    std::string name;
    std::vector<std::string_view> pieces;
    bool compressed = true;  // false for parts that are compressed already (pictures)
};

// The zip file holding `parts` in order. The pieces must stay valid during the call. Throws
// DocxError when the zip library refuses.
std::string ZipPackage(const std::vector<DocxPart>& parts);

}  // namespace vrn
