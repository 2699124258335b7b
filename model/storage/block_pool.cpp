#include "model/storage/block_pool.h"

#include <algorithm>

#include "model/storage/bulk_memory.h"

namespace vrn {

namespace {

// A small document's pool stays small; a large one's chunks grow to huge pages.
constexpr std::size_t kFirstChunkBytes = std::size_t{16} << 10;
constexpr std::size_t kBlockAlignment = alignof(std::max_align_t);

}  // namespace

BlockPool::~BlockPool() {
    for (const Chunk& chunk : chunks_) {
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
        freed_ = *static_cast<void**>(block);
    } else {
        if (next_ == end_) {
            grow();
        }
        block = next_;
        next_ += blockSize_;
    }
    ++inUse_;
    return block;
}

void BlockPool::Deallocate(void* block) noexcept {
    *static_cast<void**>(block) = freed_;
    freed_ = block;
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
}

}  // namespace vrn
