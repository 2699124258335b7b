#pragma once

#include <cstddef>
#include <new>
#include <utility>
#include <vector>

namespace vrn {

// Equally sized blocks carved from large chunks of bulk memory, handed out and taken back in
// constant time, with no bookkeeping in the blocks: a document allocates its interactions here.
// A pool lives as long as the last of its owners (PoolHandle) and of the blocks it handed out, so
// an element may outlive the document whose pool it came from. Like the documents, a pool and
// its blocks belong to one thread.
class BlockPool {
public:
    // A pool with one owner.
    static BlockPool* Create() { return new BlockPool(); }
    BlockPool(const BlockPool&) = delete;
    BlockPool& operator=(const BlockPool&) = delete;

    // A block of `bytes`; the first call fixes the size, and asking for another throws
    // std::bad_alloc.
    void* Allocate(std::size_t bytes);
    void Deallocate(void* block) noexcept;

    // About `bytes` of blocks are coming: the chunks start large enough for them, up to a huge
    // page, rather than growing from small.
    void Expect(std::size_t bytes) { expectedBytes_ = bytes; }

    void AddOwner() noexcept { ++owners_; }
    void ReleaseOwner() noexcept;

    std::size_t BlocksInUse() const { return inUse_; }

private:
    BlockPool() = default;
    ~BlockPool();
    void grow();
    void freeWhenUnused() noexcept;

    struct Chunk {
        void* memory;
        std::size_t bytes;
    };
    std::vector<Chunk> chunks_;
    std::size_t nextChunkBytes_ = 0;
    std::size_t expectedBytes_ = 0;
    std::byte* next_ = nullptr;  // the rest of the newest chunk, never handed out yet
    std::byte* end_ = nullptr;
    void* freed_ = nullptr;  // blocks taken back, each holding the next
    std::size_t blockSize_ = 0;
    std::size_t inUse_ = 0;
    std::size_t owners_ = 1;
};

// One owner's share of a pool, made on first use. Copies share the pool.
class PoolHandle {
public:
    PoolHandle() = default;
    PoolHandle(const PoolHandle& other) : pool_(other.pool_) {
        if (pool_ != nullptr) {
            pool_->AddOwner();
        }
    }
    PoolHandle& operator=(const PoolHandle& other) {
        PoolHandle copy(other);
        std::swap(pool_, copy.pool_);
        return *this;
    }
    ~PoolHandle() {
        if (pool_ != nullptr) {
            pool_->ReleaseOwner();
        }
    }

    BlockPool& Get() {
        if (pool_ == nullptr) {
            pool_ = BlockPool::Create();
        }
        return *pool_;
    }

private:
    BlockPool* pool_ = nullptr;
};

// Allocates from a pool, for std::allocate_shared: the control block and the element share one
// block.
template <class T>
class PoolAllocator {
public:
    using value_type = T;

    explicit PoolAllocator(BlockPool& pool) : pool_(&pool) {}
    template <class U>
    PoolAllocator(const PoolAllocator<U>& other) : pool_(other.pool()) {}

    T* allocate(std::size_t n) {
        static_assert(alignof(T) <= alignof(std::max_align_t));
        if (n != 1) {
            throw std::bad_alloc();
        }
        return static_cast<T*>(pool_->Allocate(sizeof(T)));
    }
    void deallocate(T* block, std::size_t) noexcept { pool_->Deallocate(block); }

    BlockPool* pool() const { return pool_; }
    template <class U>
    bool operator==(const PoolAllocator<U>& other) const {
        return pool_ == other.pool();
    }

private:
    BlockPool* pool_;
};

}  // namespace vrn
