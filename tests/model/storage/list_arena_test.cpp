#include "model/storage/list_arena.h"

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/collection.h"

namespace vrn {
namespace {

struct Item {
    int number = 0;
};

std::vector<int> Numbers(const Collection<Item>& items) {
    std::vector<int> numbers;
    for (const auto& item : items) {
        numbers.push_back(item->number);
    }
    return numbers;
}

TEST(ListArenaTest, ACollectionMovesIntoTheArenaInOrderAndGrowsOnBeyondItsReserve) {
    auto arena = std::make_shared<ListArena>();
    Collection<Item> items;
    std::vector<int> expected;
    for (int i = 1; i <= 3; ++i) {
        items.Add(std::make_shared<Item>(Item{i}));
        expected.push_back(i);
    }
    items.Reserve(10, arena);
    EXPECT_EQ(Numbers(items), expected);
    // Past the reserve, and past a chunk of the arena.
    for (int i = 4; i <= 200000; ++i) {
        items.Add(std::make_shared<Item>(Item{i}));
        expected.push_back(i);
    }
    EXPECT_EQ(Numbers(items), expected);
    items.RemoveItem(items.Item(2).get());
    EXPECT_EQ(items.Item(2)->number, 3);

    // A copy shares the arena; the arena lives on with the copy alone.
    Collection<Item> copy = items;
    arena.reset();
    items.Clear();
    EXPECT_EQ(copy.Count(), 199999);
    EXPECT_EQ(copy.Item(199999)->number, 200000);
}

}  // namespace
}  // namespace vrn
