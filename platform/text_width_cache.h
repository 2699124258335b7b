#pragma once

#include <cstddef>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>

namespace vrn {

// The widths of texts measured in a printer's fonts, so that a report measures a heading or a
// name it prints again without shaping it again. It keeps the most recently used widths within
// a budget of bytes and forgets the least recently used first, so it holds what the pages being
// printed need however long the document is. Texts longer than `kLongestText` bytes are never
// kept: they are parts of a long text searched for where it breaks, and do not come again.
class TextWidthCache {
public:
    static constexpr std::size_t kLongestText = 512;

    explicit TextWidthCache(std::size_t mostBytes) : mostBytes_(mostBytes) {}

    // The width kept for `text` in the font numbered `font`, if any; it becomes the most
    // recently used.
    const double* find(std::size_t font, std::string_view text);
    // Keeps the width of a text not kept yet, forgetting the least recently used ones as the
    // budget needs.
    void keep(std::size_t font, std::string_view text, double width);

    std::size_t size() const { return index_.size(); }
    // Roughly what the widths kept take: the texts and the entries that hold them.
    std::size_t bytes() const { return bytes_; }

private:
    struct Entry {
        std::size_t font;
        std::string text;
        double width;
    };
    using Entries = std::list<Entry>;
    // A key views the text of its entry, or the text looked for.
    struct Key {
        std::size_t font;
        std::string_view text;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& key) const;
    };

    static std::size_t bytesOf(const Entry& entry);
    void forgetLeastRecentlyUsed();

    std::size_t mostBytes_;
    std::size_t bytes_ = 0;
    Entries entries_;  // most recently used first
    std::unordered_map<Key, Entries::iterator, KeyHash> index_;
};

}  // namespace vrn
