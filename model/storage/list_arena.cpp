#include "model/storage/list_arena.h"

#include <algorithm>
#include <cstdint>

#include "model/storage/bulk_memory.h"

namespace vrn {

ListArena::~ListArena() {
    for (const Chunk& chunk : chunks_) {
        FreeBulk(chunk.memory, chunk.bytes);
    }
}

void* ListArena::Allocate(std::size_t bytes, std::size_t alignment) {
    const auto at = reinterpret_cast<std::uintptr_t>(next_);
    std::byte* start = next_ + ((alignment - at % alignment) % alignment);
    if (next_ == nullptr || start + bytes > end_) {
        const std::size_t size = std::max(kHugePageBytes, bytes);
        ReserveOneMore(chunks_);
        void* chunk = AllocateBulk(size);
        chunks_.push_back({chunk, size});
        start = static_cast<std::byte*>(chunk);
        end_ = start + size;
    }
    next_ = start + bytes;
    return start;
}

}  // namespace vrn
