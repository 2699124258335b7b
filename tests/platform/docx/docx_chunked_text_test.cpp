#include <gtest/gtest.h>

#include <string>

#include "platform/docx/docx_chunked_text.h"

namespace vrn::testing {
namespace {

std::string Joined(const DocxChunkedText& text) {
    std::string all;
    for (const auto piece : text.pieces()) {
        all += piece;
    }
    return all;
}

TEST(DocxChunkedTextTest, KeepsTheTextAcrossChunksAndTruncatesBackToAnyLength) {
    constexpr std::size_t kMB = 1024 * 1024;
    DocxChunkedText text;
    std::string expected;
    for (const char c : {'a', 'b', 'c'}) {
        const std::string part(3 * kMB + 7, c);
        text += part;
        expected += part;
    }
    EXPECT_EQ(text.size(), expected.size());
    EXPECT_EQ(Joined(text), expected);

    for (const std::size_t length :
         {expected.size(), 5 * kMB, 4 * kMB, 4 * kMB - 1, std::size_t{0}}) {
        SCOPED_TRACE(length);
        text.truncate(length);
        expected.resize(length);
        text += "tail";
        expected += "tail";
        EXPECT_EQ(text.size(), expected.size());
        EXPECT_EQ(Joined(text), expected);
        text.truncate(length);
        expected.resize(length);
    }
    text.clear();
    EXPECT_EQ(text.size(), 0U);
    EXPECT_TRUE(text.pieces().empty());
}

}  // namespace
}  // namespace vrn::testing
