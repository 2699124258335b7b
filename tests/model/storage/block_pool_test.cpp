#include "model/storage/block_pool.h"

#include <cstdint>
#include <memory>
#include <new>
#include <vector>

#include <gtest/gtest.h>

namespace vrn {
namespace {

TEST(BlockPoolTest, BlocksOfOneSizeAreHandedOutAgainOnceGivenBack) {
    PoolHandle handle;
    BlockPool& pool = handle.Get();
    void* first = pool.Allocate(40);
    void* second = pool.Allocate(40);
    EXPECT_NE(first, second);
    pool.Deallocate(first);
    EXPECT_EQ(pool.Allocate(40), first);
    EXPECT_THROW(pool.Allocate(200), std::bad_alloc);
    pool.Deallocate(first);
    pool.Deallocate(second);
    EXPECT_EQ(pool.BlocksInUse(), 0u);
}

TEST(BlockPoolTest, ManyBlocksAcrossGrowingChunksKeepTheirContents) {
    PoolHandle handle;
    BlockPool& pool = handle.Get();
    pool.Expect(std::size_t{3} << 20);
    std::vector<std::int64_t*> blocks;
    for (std::int64_t i = 0; i < 100000; ++i) {
        auto* block = static_cast<std::int64_t*>(pool.Allocate(3 * sizeof(std::int64_t)));
        block[0] = block[1] = block[2] = i;
        blocks.push_back(block);
    }
    for (std::int64_t i = 0; i < 100000; ++i) {
        ASSERT_EQ(blocks[i][0] + blocks[i][1] + blocks[i][2], 3 * i);
    }
    for (auto* block : blocks) {
        pool.Deallocate(block);
    }
}

struct Element {
    int value = 7;
};

TEST(BlockPoolTest, ElementsOutliveTheOwnersOfTheirPool) {
    std::shared_ptr<Element> kept;
    std::weak_ptr<Element> watched;
    {
        PoolHandle owner;
        PoolHandle copy = owner;  // a document copied aside shares the pool
        kept = std::allocate_shared<Element>(PoolAllocator<Element>(owner.Get()));
        watched = std::allocate_shared<Element>(PoolAllocator<Element>(copy.Get()));
        EXPECT_TRUE(watched.expired());  // freed at once, weak semantics as usual
        EXPECT_EQ(owner.Get().BlocksInUse(), 1u);
    }
    // Both owners are gone; the pool stays for the element still held.
    EXPECT_EQ(kept->value, 7);
    kept->value = 8;
    kept.reset();  // the last block: the pool goes with it
}

TEST(BlockPoolTest, AddressSanitizerCatchesTheUseOfABlockGivenBack) {
#if defined(__SANITIZE_ADDRESS__)
    PoolHandle handle;
    auto element = std::allocate_shared<Element>(PoolAllocator<Element>(handle.Get()));
    auto* stale = static_cast<volatile int*>(&element->value);
    element.reset();
    EXPECT_DEATH(static_cast<void>(*stale), "use-after-poison");
#else
    GTEST_SKIP() << "only an AddressSanitizer build watches the blocks";
#endif
}

}  // namespace
}  // namespace vrn
