#include "platform/docx/docx_chunked_text.h"

#include <algorithm>

namespace vrn {

DocxChunkedText& DocxChunkedText::operator+=(std::string_view text) {
    while (!text.empty()) {
        if (chunks_.empty() || chunks_.back().size() == kChunkSize) {
            chunks_.emplace_back();
            chunks_.back().reserve(kChunkSize);
        }
        std::string& chunk = chunks_.back();
        const std::size_t taken = std::min(text.size(), kChunkSize - chunk.size());
        chunk.append(text.substr(0, taken));
        text.remove_prefix(taken);
        size_ += taken;
    }
    return *this;
}

void DocxChunkedText::truncate(std::size_t size) {
    while (size_ > size) {
        std::string& chunk = chunks_.back();
        const std::size_t dropped = std::min(chunk.size(), size_ - size);
        chunk.resize(chunk.size() - dropped);
        size_ -= dropped;
        if (chunk.empty()) {
            chunks_.pop_back();
        }
    }
}

void DocxChunkedText::clear() {
    chunks_.clear();
    size_ = 0;
}

std::vector<std::string_view> DocxChunkedText::pieces() const {
    return {chunks_.begin(), chunks_.end()};
}

}  // namespace vrn
