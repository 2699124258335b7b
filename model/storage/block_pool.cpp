#include "model/storage/block_pool.h"

#include <algorithm>

#include "model/storage/bulk_memory.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#endif

namespace vrn {

namespace {

// Under AddressSanitizer a block is out of bounds while no one holds it, so that a use after
// it was given back is caught as it would be on the heap.
void Lend(void* block, std::size_t bytes) {
#if defined(__SANITIZE_ADDRESS__)
    ASAN_UNPOISON_MEMORY_REGION(block, bytes);
#else
    (void)block;
    (void)bytes;
#endif
}
void TakeBack(void* block, std::size_t bytes) {
#if defined(__SANITIZE_ADDRESS__)
    ASAN_POISON_MEMORY_REGION(block, bytes);
#else
    (void)block;
    (void)bytes;
#endif
}

// A small document's pool stays small; a large one's chunks grow to huge pages.
constexpr std::size_t kFirstChunkBytes = std::size_t{16} << 10;
constexpr std::size_t kBlockAlignment = alignof(std::max_align_t);

}  // namespace

BlockPool::~BlockPool() {
    for (const Chunk& chunk : chunks_) {
        Lend(chunk.memory, chunk.bytes);
        FreeBulk(chunk.memory, chunk.bytes);
    }
}

void* BlockPool::Allocate(std::size_t bytes) {
    if (blockSize_ == 0) {
        blockSize_ = (std::max(bytes, sizeof(void*)) + kBlockAlignment - 1) / kBlockAlignment *
                     kBlockAlignment;
    } else if ((bytes + kBlockAlignment - 1) / kBlockAlignment * kBlockAlignment != blockSize_) {
        throw std::bad_alloc();
    }
    void* block = freed_;
    if (block != nullptr) {
        Lend(block, blockSize_);
        freed_ = *static_cast<void**>(block);
    } else {
        if (next_ == end_) {
            grow();
        }
        block = next_;
        next_ += blockSize_;
        Lend(block, blockSize_);
    }
    ++inUse_;
    return block;
}

void BlockPool::Deallocate(void* block) noexcept {
    *static_cast<void**>(block) = freed_;
    freed_ = block;
    TakeBack(block, blockSize_);
    --inUse_;
    freeWhenUnused();
}

void BlockPool::ReleaseOwner() noexcept {
    --owners_;
    freeWhenUnused();
}

void BlockPool::freeWhenUnused() noexcept {
    if (owners_ == 0 && inUse_ == 0) {
        delete this;
    }
}

void BlockPool::grow() {
    nextChunkBytes_ =
        nextChunkBytes_ == 0 ? kFirstChunkBytes : std::min(nextChunkBytes_ * 2, kHugePageBytes);
    nextChunkBytes_ = std::max(nextChunkBytes_, std::min(expectedBytes_, kHugePageBytes));
    const std::size_t bytes = std::max(nextChunkBytes_, blockSize_);
    ReserveOneMore(chunks_);
    void* chunk = AllocateBulk(bytes);
    chunks_.push_back({chunk, bytes});
    next_ = static_cast<std::byte*>(chunk);
    end_ = next_ + bytes / blockSize_ * blockSize_;
    TakeBack(chunk, bytes);
}

}  // namespace vrn
