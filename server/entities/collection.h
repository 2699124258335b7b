#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

#include "server/database/errors.h"

namespace kt {

// The catalogue's published lists: the items in the order they were added, at positions 1 to
// Count, with no keys. An item is the caller's own object, shared, not a copy; the same object
// may stand at several positions. Positions and Count are 16-bit, as hosts see them; the list
// itself may grow past that, and Count then raises the overflow error instead of wrapping.
template <typename Item>
class Collection {
public:
    using Pointer = std::shared_ptr<Item>;

    // Appends the item. A missing object is refused: a hole in the list would fail later, far
    // from its cause.
    void AddItem(Pointer item) {
        if (!item) {
            throw objectNotSet();
        }
        items_.push_back(std::move(item));
    }

    // The item at `Ind`; error 9 "Subscript out of range" outside 1 to Count.
    const Pointer& GetItemByIndex(std::int16_t Ind) const { return items_[offsetOf(Ind)]; }

    // Takes the item at `Ind` out and returns it; later items move up by one. Outside 1 to
    // Count it fails like GetItemByIndex and changes nothing.
    Pointer RemoveItemByIndex(std::int16_t Ind) {
        const std::size_t offset = offsetOf(Ind);
        Pointer item = std::move(items_[offset]);
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(offset));
        return item;
    }

    std::int16_t Count() const {
        if (items_.size() > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max())) {
            throw overflowError();
        }
        return static_cast<std::int16_t>(items_.size());
    }

    // For the library's own walks, which are not bound to 16 bits.
    std::size_t size() const noexcept { return items_.size(); }
    bool empty() const noexcept { return items_.empty(); }
    auto begin() const noexcept { return items_.begin(); }
    auto end() const noexcept { return items_.end(); }

private:
    std::size_t offsetOf(std::int16_t Ind) const {
        if (Ind < 1 || static_cast<std::size_t>(Ind) > items_.size()) {
            throw subscriptOutOfRange();
        }
        return static_cast<std::size_t>(Ind) - 1;
    }

    std::vector<Pointer> items_;
};

}  // namespace kt
