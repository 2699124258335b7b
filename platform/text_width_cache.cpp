#include "platform/text_width_cache.h"

#include <functional>

namespace vrn {

namespace {

// An odd constant that spreads the font number over the bits of the text's hash.
constexpr std::size_t kFontSpread = 0x9E3779B97F4A7C15ULL;

}  // namespace

std::size_t TextWidthCache::KeyHash::operator()(const Key& key) const {
    return std::hash<std::string_view>{}(key.text) ^ (key.font * kFontSpread);
}

std::size_t TextWidthCache::bytesOf(const Entry& entry) {
    // The list node with its two links, the index's node with its link and hash, and a bucket.
    constexpr std::size_t kLinks = 2;
    constexpr std::size_t kIndexWords = 3;
    constexpr std::size_t kEntryBytes = sizeof(Entry) + kLinks * sizeof(void*) + sizeof(Key) +
                                        sizeof(Entries::iterator) + kIndexWords * sizeof(void*);
    return kEntryBytes + entry.text.capacity() + 1;
}

const double* TextWidthCache::find(std::size_t font, std::string_view text) {
    const auto found = index_.find(Key{font, text});
    if (found == index_.end()) {
        return nullptr;
    }
    entries_.splice(entries_.begin(), entries_, found->second);
    return &found->second->width;
}

void TextWidthCache::keep(std::size_t font, std::string_view text, double width) {
    if (text.size() > kLongestText) {
        return;
    }
    entries_.push_front(Entry{font, std::string(text), width});
    const Entry& kept = entries_.front();
    if (!index_.emplace(Key{font, kept.text}, entries_.begin()).second) {
        entries_.pop_front();  // kept already
        return;
    }
    bytes_ += bytesOf(kept);
    while (bytes_ > mostBytes_ && index_.size() > 1) {
        forgetLeastRecentlyUsed();
    }
}

void TextWidthCache::forgetLeastRecentlyUsed() {
    const Entry& last = entries_.back();
    bytes_ -= bytesOf(last);
    index_.erase(Key{last.font, last.text});
    entries_.pop_back();
}

}  // namespace vrn
