#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vrn {

// Text that grows in chunks of a fixed size instead of one block: a long document's body never
// needs a second copy of itself while it grows.
class DocxChunkedText {
public:
    DocxChunkedText& operator+=(std::string_view text);
    std::size_t size() const { return size_; }
    // Drops everything after the first `size` characters.
    void truncate(std::size_t size);
    void clear();
    std::vector<std::string_view> pieces() const;

private:
    static constexpr std::size_t kChunkSize = 4 * 1024 * 1024;

    std::vector<std::string> chunks_;
    std::size_t size_ = 0;
};

}  // namespace vrn
