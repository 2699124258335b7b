#include "model/storage/bulk_memory.h"

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

}  // namespace

void* AllocateBulk(std::size_t bytes) {
    const bool huge = bytes >= kHugePageBytes;
    const std::size_t alignment = huge ? kHugePageBytes : kLineBytes;
    const std::size_t size = RoundedUp(bytes == 0 ? 1 : bytes, alignment);
    void* block = std::aligned_alloc(alignment, size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
#if defined(MADV_HUGEPAGE)
    if (huge) {
        // Only advice: without huge pages the block works all the same.
        madvise(block, size, MADV_HUGEPAGE);
    }
#endif
    return block;
}

void FreeBulk(void* block) noexcept {
    std::free(block);
}

}  // namespace vrn
