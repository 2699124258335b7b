#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>

namespace vrn {

// A few texts and one object of rarely needed fields (`Extra`) behind a single pointer: the texts
// in one heap block of just their size, which also holds the Extra's address; no block while the
// texts are empty and there is no Extra. Most of a large document's interactions have no note,
// description or discussion, and those that have them should not pay for three strings each.
template <std::size_t N, class Extra>
class PackedTexts {
public:
    PackedTexts() = default;
    ~PackedTexts() { release(block_, true); }
    PackedTexts(const PackedTexts&) = delete;
    PackedTexts& operator=(const PackedTexts&) = delete;

    std::string_view Get(std::size_t index) const {
        if (block_ == nullptr) {
            return {};
        }
        const Header& head = header();
        std::size_t offset = sizeof(Header);
        for (std::size_t i = 0; i < index; ++i) {
            offset += head.lengths[i];
        }
        return std::string_view(block_ + offset, head.lengths[index]);
    }

    void Set(std::size_t index, std::string_view text) {
        if (Get(index) == text) {
            return;
        }
        std::array<std::string_view, N> texts = all();
        texts[index] = text;
        rebuild(texts, block_ != nullptr ? header().extra : nullptr);
    }

    // The extra fields; none until made.
    const Extra* extra() const { return block_ != nullptr ? header().extra : nullptr; }
    Extra& MakeExtra() {
        if (extra() == nullptr) {
            auto made = std::make_unique<Extra>();
            rebuild(all(), made.get());
            made.release();
        }
        return *header().extra;
    }

private:
    struct Header {
        Extra* extra = nullptr;
        std::array<std::uint32_t, N> lengths{};
    };

    Header& header() const { return *std::launder(reinterpret_cast<Header*>(block_)); }

    std::array<std::string_view, N> all() const {
        std::array<std::string_view, N> texts;
        for (std::size_t i = 0; i < N; ++i) {
            texts[i] = Get(i);
        }
        return texts;
    }

    // A new block holding `texts` and `extra`, or none when there is nothing to hold; the old
    // block goes, and with it an Extra other than `extra`.
    void rebuild(const std::array<std::string_view, N>& texts, Extra* extra) {
        Header head;
        head.extra = extra;
        std::size_t total = 0;
        for (std::size_t i = 0; i < N; ++i) {
            head.lengths[i] = static_cast<std::uint32_t>(texts[i].size());
            total += texts[i].size();
        }
        char* block = nullptr;
        if (total != 0 || head.extra != nullptr) {
            block = static_cast<char*>(::operator new(sizeof(Header) + total));
            new (block) Header(head);
            std::size_t offset = sizeof(Header);
            for (const std::string_view part : texts) {
                if (!part.empty()) {
                    std::memcpy(block + offset, part.data(), part.size());
                }
                offset += part.size();
            }
        }
        release(block_, block_ != nullptr && header().extra != extra);
        block_ = block;
    }

    static void release(char* block, bool withExtra) {
        if (block == nullptr) {
            return;
        }
        Header* head = std::launder(reinterpret_cast<Header*>(block));
        if (withExtra) {
            delete head->extra;
        }
        head->~Header();
        ::operator delete(block);
    }

    char* block_ = nullptr;
};

}  // namespace vrn
