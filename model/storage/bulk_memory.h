#pragma once

#include <cstddef>

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

}  // namespace vrn
