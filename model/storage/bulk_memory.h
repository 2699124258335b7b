#pragma once

#include <cstddef>
#include <vector>

namespace vrn {

// Memory for many small elements of one kind, taken in large blocks: a document's interactions,
// their lists, a window's interaction cells. A block of kHugePageBytes or more is aligned to that
// size, comes straight from the system and, on Linux, asks for transparent huge pages: half a
// million interactions would otherwise bring their memory in 4 KiB at a time, and each such page
// fault costs more than filling the page. The system takes such a block back as soon as it is
// freed, so a closed document leaves no memory behind, and every read gets its memory the same
// way.
inline constexpr std::size_t kHugePageBytes = std::size_t{2} << 20;

// `bytes` of memory aligned to 64 bytes, or to kHugePageBytes for blocks of that size or more,
// or at least to `alignment` (a power of two). Throws std::bad_alloc.
void* AllocateBulk(std::size_t bytes, std::size_t alignment = 0);
// Frees a block of `bytes` from AllocateBulk.
void FreeBulk(void* block, std::size_t bytes) noexcept;

// Makes room for one more entry in a list of blocks before a block is taken, so that keeping it
// cannot fail and lose it; the room grows by half at a time, as a push would grow it.
template <class T>
void ReserveOneMore(std::vector<T>& blocks) {
    if (blocks.size() == blocks.capacity()) {
        blocks.reserve(blocks.size() + blocks.size() / 2 + 1);
    }
}

}  // namespace vrn
