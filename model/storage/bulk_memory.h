#pragma once

#include <cstddef>

namespace vrn {

// Memory for many small elements of one kind, taken in large blocks: a document's interactions,
// a window's interaction cells. A block of kHugePageBytes or more is aligned to that size and, on
// Linux, asks for transparent huge pages: half a million interactions would otherwise bring their
// memory in 4 KiB at a time, and each such page fault costs more than filling the page.
inline constexpr std::size_t kHugePageBytes = std::size_t{2} << 20;

// `bytes` of memory aligned to 64 bytes, or to kHugePageBytes for blocks of that size or more.
// Throws std::bad_alloc.
void* AllocateBulk(std::size_t bytes);
void FreeBulk(void* block) noexcept;

}  // namespace vrn
