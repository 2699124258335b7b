#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <vector>

namespace vrn {

// Storage for the lists of one file read: every practice's list of interactions, its state's
// and its document's, each reserved at its full length once the reader knows it. They are carved
// one after another from chunks of bulk memory, so that a large file's lists, tens of megabytes,
// come in huge pages; storage a list gives back is not used again (a list that outgrows its
// reserve takes new storage from the arena). The arena lives as long as the last list using it.
class ListArena {
public:
    ListArena() = default;
    ~ListArena();
    ListArena(const ListArena&) = delete;
    ListArena& operator=(const ListArena&) = delete;

    // `bytes` aligned to `alignment` (at most that of std::max_align_t).
    void* Allocate(std::size_t bytes, std::size_t alignment);

private:
    struct Chunk {
        void* memory;
        std::size_t bytes;
    };
    std::vector<Chunk> chunks_;
    std::byte* next_ = nullptr;
    std::byte* end_ = nullptr;
};

// Allocates from a list arena when it has one, else from the heap.
template <class T>
class ListAllocator {
public:
    using value_type = T;
    using propagate_on_container_copy_assignment = std::true_type;
    using propagate_on_container_move_assignment = std::true_type;
    using propagate_on_container_swap = std::true_type;

    ListAllocator() = default;
    explicit ListAllocator(std::shared_ptr<ListArena> arena) : arena_(std::move(arena)) {}
    template <class U>
    ListAllocator(const ListAllocator<U>& other) : arena_(other.arena()) {}

    T* allocate(std::size_t n) {
        if (arena_) {
            return static_cast<T*>(arena_->Allocate(n * sizeof(T), alignof(T)));
        }
        return std::allocator<T>().allocate(n);
    }
    void deallocate(T* p, std::size_t n) noexcept {
        if (!arena_) {
            std::allocator<T>().deallocate(p, n);
        }
    }

    const std::shared_ptr<ListArena>& arena() const { return arena_; }
    template <class U>
    bool operator==(const ListAllocator<U>& other) const {
        return arena_ == other.arena();
    }

private:
    std::shared_ptr<ListArena> arena_;
};

}  // namespace vrn
