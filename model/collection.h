#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/storage/list_arena.h"

namespace vrn {

// A 1-based index that names no item of a collection.
class CollectionIndexError : public std::out_of_range {
public:
    CollectionIndexError(int index, int count)
        : std::out_of_range("Collection index " + std::to_string(index) +
                            " is out of range (the collection holds " + std::to_string(count) +
                            (count == 1 ? " item)" : " items)")) {}
};

// The model's ordered list of shared elements: 1-based like the matrix file and the program's
// menus expect, searched by identity. Range-for walks the items in order; a loop whose body may
// add to or remove from this collection walks a Snapshot() instead.
template <class T>
class Collection {
public:
    using Pointer = std::shared_ptr<T>;

    int Count() const noexcept { return static_cast<int>(items_.size()); }
    bool Empty() const noexcept { return items_.empty(); }

    // The item at 1-based `index`; throws CollectionIndexError when there is none.
    const Pointer& Item(int index) const {
        checkIndex(index, 1, Count());
        return items_[static_cast<std::size_t>(index - 1)];
    }

    void Add(Pointer item) { items_.push_back(std::move(item)); }

    // Inserts after 1-based `position`; 0 puts the item first.
    void InsertAfter(int position, Pointer item) {
        checkIndex(position, 0, Count());
        items_.insert(items_.begin() + position, std::move(item));
    }

    // Inserts right after the first entry that is `anchor`, or at the end when there is none.
    void AddAfter(const T* anchor, Pointer item) {
        const int position = IndexOf(anchor);
        InsertAfter(position == 0 ? Count() : position, std::move(item));
    }

    // Removes the entry at 1-based `index`; throws CollectionIndexError when there is none.
    void Remove(int index) {
        checkIndex(index, 1, Count());
        items_.erase(items_.begin() + (index - 1));
    }

    // Removes the first entry that is `item`; false when there is none.
    bool RemoveItem(const T* item) {
        const int position = IndexOf(item);
        if (position == 0) {
            return false;
        }
        items_.erase(items_.begin() + (position - 1));
        return true;
    }

    // Removes every entry for which `doomed(entry)` holds, keeping the order of the others.
    template <class Predicate>
    std::size_t RemoveIf(Predicate doomed) {
        return std::erase_if(items_, doomed);
    }

    // The 1-based position of the first entry that is `item`, 0 when there is none.
    int IndexOf(const T* item) const noexcept {
        const auto found = std::find_if(items_.begin(), items_.end(), [item](const Pointer& entry) {
            return entry.get() == item;
        });
        return found == items_.end() ? 0 : static_cast<int>(found - items_.begin()) + 1;
    }
    bool Contains(const T* item) const noexcept { return IndexOf(item) != 0; }

    void Clear() noexcept { items_.clear(); }
    void Reserve(int count) { items_.reserve(static_cast<std::size_t>(count)); }
    // Makes room for `count` entries in storage taken from `arena`, where the entries move.
    void Reserve(int count, const std::shared_ptr<ListArena>& arena) {
        if (!arena || items_.get_allocator().arena() == arena) {
            Reserve(count);
            return;
        }
        Items moved{ListAllocator<Pointer>(arena)};
        moved.reserve(static_cast<std::size_t>(std::max(count, Count())));
        std::move(items_.begin(), items_.end(), std::back_inserter(moved));
        items_ = std::move(moved);
    }

    // A copy of the entries, for loops that change this collection.
    std::vector<Pointer> Snapshot() const { return {items_.begin(), items_.end()}; }

    auto begin() const noexcept { return items_.begin(); }
    auto end() const noexcept { return items_.end(); }

private:
    void checkIndex(int index, int lowest, int highest) const {
        if (index < lowest || index > highest) {
            throw CollectionIndexError(index, Count());
        }
    }

    using Items = std::vector<Pointer, ListAllocator<Pointer>>;
    Items items_;
};

}  // namespace vrn
