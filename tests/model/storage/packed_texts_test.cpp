#include "model/storage/packed_texts.h"

#include <string>

#include <gtest/gtest.h>

namespace vrn {
namespace {

struct Extra {
    std::string field;
};

using Texts = PackedTexts<3, Extra>;

void ExpectTexts(const Texts& texts, const std::string& a, const std::string& b,
                 const std::string& c) {
    EXPECT_EQ(texts.Get(0), a);
    EXPECT_EQ(texts.Get(1), b);
    EXPECT_EQ(texts.Get(2), c);
}

TEST(PackedTextsTest, EachTextChangesAloneAndEmptyTextsTakeNothing) {
    Texts texts;
    ExpectTexts(texts, "", "", "");
    texts.Set(1, "middle");
    ExpectTexts(texts, "", "middle", "");
    texts.Set(0, "first, longer than a short string keeps in place");
    texts.Set(2, "last");
    ExpectTexts(texts, "first, longer than a short string keeps in place", "middle", "last");
    texts.Set(1, texts.Get(2));  // a text of the block itself
    ExpectTexts(texts, "first, longer than a short string keeps in place", "last", "last");
    for (int i = 0; i < 3; ++i) {
        texts.Set(i, "");
    }
    ExpectTexts(texts, "", "", "");
    EXPECT_EQ(texts.extra(), nullptr);
}

TEST(PackedTextsTest, TheExtraSurvivesEveryChangeOfTheTexts) {
    Texts texts;
    texts.Set(2, "discussion");
    texts.MakeExtra().field = "kept";
    ExpectTexts(texts, "", "", "discussion");
    texts.Set(0, "note");
    texts.Set(2, "");
    texts.Set(0, "");  // no text left: the extra still holds the block
    ASSERT_NE(texts.extra(), nullptr);
    EXPECT_EQ(texts.extra()->field, "kept");
    texts.Set(1, "description");
    EXPECT_EQ(&texts.MakeExtra(), texts.extra());
    EXPECT_EQ(texts.extra()->field, "kept");
    ExpectTexts(texts, "", "description", "");
}

}  // namespace
}  // namespace vrn
