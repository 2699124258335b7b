#include "model/storage/bulk_memory.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace vrn {

namespace {

constexpr std::size_t kLineBytes = 64;

std::size_t RoundedUp(std::size_t bytes, std::size_t unit) {
    return (bytes + unit - 1) / unit * unit;
}

#if defined(__linux__)
// A mapping of `size` bytes aligned to `alignment`: one that large enough for any alignment,
// with what lies outside the aligned part given back at once.
void* MapAligned(std::size_t size, std::size_t alignment) {
    const std::size_t mapped = size + alignment;
    void* start = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (start == MAP_FAILED) {
        throw std::bad_alloc();
    }
    const auto at = reinterpret_cast<std::uintptr_t>(start);
    const std::uintptr_t aligned = RoundedUp(at, alignment);
    if (aligned != at) {
        munmap(start, aligned - at);
    }
    if (const std::size_t after = at + mapped - (aligned + size); after != 0) {
        munmap(reinterpret_cast<void*>(aligned + size), after);
    }
    // Only advice: without huge pages the block works all the same.
    madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
    return reinterpret_cast<void*>(aligned);
}
#endif

}  // namespace

void* AllocateBulk(std::size_t bytes, std::size_t atLeast) {
    const bool huge = bytes >= kHugePageBytes;
    const std::size_t alignment = std::max(huge ? kHugePageBytes : kLineBytes, atLeast);
    const std::size_t size = RoundedUp(bytes == 0 ? 1 : bytes, alignment);
#if defined(__linux__)
    if (huge) {
        return MapAligned(size, alignment);
    }
#endif
    void* block = std::aligned_alloc(alignment, size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    return block;
}

void FreeBulk(void* block, std::size_t bytes) noexcept {
#if defined(__linux__)
    if (bytes >= kHugePageBytes) {
        munmap(block, RoundedUp(bytes, kHugePageBytes));
        return;
    }
#endif
    (void)bytes;
    std::free(block);
}

}  // namespace vrn
