#pragma once

#include <cstddef>
#include <new>

#include "model/storage/bulk_memory.h"

namespace vrn {

// An allocator for vectors that may grow to millions of entries (the canvas's list of controls):
// storage of a megabyte or more comes as bulk memory in whole huge pages, anything smaller from
// the heap.
template <class T>
class BulkAllocator {
public:
    using value_type = T;

    BulkAllocator() = default;
    template <class U>
    BulkAllocator(const BulkAllocator<U>&) {}

    T* allocate(std::size_t n) {
        const std::size_t bytes = n * sizeof(T);
        if (bytes >= kBulkFrom) {
            return static_cast<T*>(AllocateBulk(RoundedUp(bytes)));
        }
        return static_cast<T*>(::operator new(bytes));
    }
    void deallocate(T* p, std::size_t n) noexcept {
        if (n * sizeof(T) >= kBulkFrom) {
            FreeBulk(p);
        } else {
            ::operator delete(p);
        }
    }

    template <class U>
    bool operator==(const BulkAllocator<U>&) const {
        return true;
    }

private:
    static constexpr std::size_t kBulkFrom = kHugePageBytes / 2;
    static std::size_t RoundedUp(std::size_t bytes) {
        return (bytes + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
    }
};

}  // namespace vrn
