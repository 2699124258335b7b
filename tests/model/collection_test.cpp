#include "model/collection.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace vrn {
namespace {

struct Item {
    std::string name;
};

std::vector<std::string> Names(const Collection<Item>& items) {
    std::vector<std::string> names;
    for (const auto& item : items) {
        names.push_back(item->name);
    }
    return names;
}

class CollectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"a", "b", "c"}) {
            items.Add(std::make_shared<Item>(Item{name}));
        }
    }
    Collection<Item> items;
    std::shared_ptr<Item> stranger = std::make_shared<Item>(Item{"x"});
};

TEST_F(CollectionTest, IndexesFromOne) {
    EXPECT_EQ(items.Count(), 3);
    EXPECT_EQ(items.Item(1)->name, "a");
    EXPECT_EQ(items.Item(3)->name, "c");
    EXPECT_EQ(items.IndexOf(items.Item(2).get()), 2);
    EXPECT_EQ(items.IndexOf(stranger.get()), 0);
}

TEST_F(CollectionTest, BadIndexesRaiseAClearError) {
    for (int index : {0, 4, -1}) {
        EXPECT_THROW(items.Item(index), CollectionIndexError) << index;
        EXPECT_THROW(items.Remove(index), CollectionIndexError) << index;
    }
    EXPECT_THROW(items.InsertAfter(4, stranger), CollectionIndexError);
    EXPECT_EQ(Names(items), (std::vector<std::string>{"a", "b", "c"}));
    try {
        items.Item(7);
    } catch (const CollectionIndexError& error) {
        EXPECT_STREQ(error.what(),
                     "Collection index 7 is out of range (the collection holds 3 items)");
    }
}

TEST_F(CollectionTest, InsertsAfterPositionOrAnchor) {
    items.InsertAfter(0, std::make_shared<Item>(Item{"first"}));
    items.InsertAfter(2, std::make_shared<Item>(Item{"after a"}));
    items.AddAfter(items.Item(5).get(), std::make_shared<Item>(Item{"last"}));
    items.AddAfter(stranger.get(), std::make_shared<Item>(Item{"unanchored"}));
    EXPECT_EQ(Names(items),
              (std::vector<std::string>{"first", "a", "after a", "b", "c", "last", "unanchored"}));
}

TEST_F(CollectionTest, RemovesByIdentityOnlyWhatItFinds) {
    const auto b = items.Item(2);
    EXPECT_TRUE(items.RemoveItem(b.get()));
    EXPECT_FALSE(items.RemoveItem(b.get()));
    EXPECT_FALSE(items.RemoveItem(stranger.get()));
    EXPECT_EQ(Names(items), (std::vector<std::string>{"a", "c"}));
    items.Remove(1);
    EXPECT_EQ(Names(items), (std::vector<std::string>{"c"}));
}

TEST_F(CollectionTest, SnapshotIsUnaffectedByLaterChanges) {
    const auto snapshot = items.Snapshot();
    for (const auto& item : snapshot) {
        items.RemoveItem(item.get());
    }
    EXPECT_TRUE(items.Empty());
    EXPECT_EQ(snapshot.size(), 3u);
}

}  // namespace
}  // namespace vrn
