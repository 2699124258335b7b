#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "platform/text_width_cache.h"

namespace vrn {
namespace {

std::optional<double> widthOf(TextWidthCache& cache, std::size_t font, std::string_view text) {
    const double* width = cache.find(font, text);
    return width != nullptr ? std::optional<double>(*width) : std::nullopt;
}

TEST(TextWidthCacheTest, KeepsWidthsByFontAndText) {
    TextWidthCache cache(1U << 20U);
    EXPECT_EQ(widthOf(cache, 0, "Practice 1:"), std::nullopt);
    cache.keep(0, "Practice 1:", 900);
    cache.keep(1, "Practice 1:", 1200);
    cache.keep(0, "", 0);
    EXPECT_EQ(widthOf(cache, 0, "Practice 1:"), 900);
    EXPECT_EQ(widthOf(cache, 1, "Practice 1:"), 1200);
    EXPECT_EQ(widthOf(cache, 0, ""), 0);
    EXPECT_EQ(widthOf(cache, 0, "Practice 1"), std::nullopt);
    EXPECT_EQ(cache.size(), 3U);

    // A long text is measured each time, not kept.
    const std::string longText(TextWidthCache::kLongestText + 1, 'n');
    cache.keep(0, longText, 1e6);
    EXPECT_EQ(widthOf(cache, 0, longText), std::nullopt);
    EXPECT_EQ(cache.size(), 3U);
}

TEST(TextWidthCacheTest, ForgetsTheLeastRecentlyUsedWithinItsBudget) {
    // Find the bytes one entry takes, then allow three.
    TextWidthCache probe(1U << 20U);
    probe.keep(0, "text 0", 0);
    TextWidthCache cache(3 * probe.bytes());
    for (int i = 0; i < 3; ++i) {
        cache.keep(0, "text " + std::to_string(i), i);
    }
    EXPECT_TRUE(widthOf(cache, 0, "text 0"));  // used again: now the most recent
    cache.keep(0, "text 3", 3);
    EXPECT_EQ(cache.size(), 3U);
    EXPECT_LE(cache.bytes(), 3 * probe.bytes());
    EXPECT_EQ(widthOf(cache, 0, "text 1"), std::nullopt);  // the least recently used went
    EXPECT_EQ(widthOf(cache, 0, "text 0"), 0);
    EXPECT_EQ(widthOf(cache, 0, "text 2"), 2);
    EXPECT_EQ(widthOf(cache, 0, "text 3"), 3);

    // Many more texts than fit: the budget holds, the newest are there.
    for (int i = 4; i < 1000; ++i) {
        cache.keep(0, "text " + std::to_string(i), i);
    }
    EXPECT_EQ(cache.size(), 3U);
    EXPECT_LE(cache.bytes(), 3 * probe.bytes());
    EXPECT_EQ(widthOf(cache, 0, "text 999"), 999);
}

}  // namespace
}  // namespace vrn
