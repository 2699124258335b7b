#include "server/database/object_id.h"

#include <gtest/gtest.h>

#include <limits>

#include "server/database/errors.h"

namespace kt {
namespace {

TEST(ObjectId, KindIsTheLastTwoDecimalDigits) {
    struct Case {
        std::int32_t id;
        std::int32_t kind;
        std::int32_t key;
    };
    for (const Case& c :
         {Case{1280, 80, 12}, Case{1200, 0, 12}, Case{1207, 7, 12}, Case{5, 5, 0}, Case{470, 70, 4},
          Case{403, 3, 4}, Case{-1, -1, 0}, Case{-170, 70, -1}, Case{1717, 17, 17}}) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(GetIDKind(c.id), c.kind);
        EXPECT_EQ(KeyOfID(c.id), c.key);
    }
}

TEST(ObjectId, EncodingJoinsKeyAndKind) {
    EXPECT_EQ(EntityID(12), 1200);
    EXPECT_EQ(RelationID(12), 1280);
    EXPECT_EQ(StoredAttributeID(4), 470);
    EXPECT_EQ(EncodeID(4, 3), 403);
    EXPECT_EQ(RelationID(21474835), 2147483580);
}

TEST(ObjectId, EncodingOutsideTheLongRangeOverflows) {
    constexpr auto largest = std::numeric_limits<std::int32_t>::max();
    EXPECT_THROW(EntityID(largest / 100 + 1), Error);
    // The key fits when multiplied, the kind code pushes it over.
    EXPECT_THROW(RelationID(largest / 100), Error);
    try {
        EntityID(largest);
        FAIL();
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "Overflow");
    }
}

TEST(ObjectId, SystemAttributesAreKinds1To16) {
    EXPECT_EQ(SystemAttributeKind("kt_Name"), 1);
    EXPECT_EQ(SystemAttributeKind("kt_PIFID"), 7);
    EXPECT_EQ(SystemAttributeKind("kt_ACL"), 16);
    EXPECT_EQ(SystemAttributeKind("kt_acl"), std::nullopt);
    EXPECT_EQ(SystemAttributeKind("kt_TradeoffLayout"), std::nullopt);
    EXPECT_EQ(SystemAttributeName(3), "kt_ID");
    EXPECT_EQ(SystemAttributeName(70), "");
    EXPECT_TRUE(IsSystemAttributeKind(16));
    EXPECT_FALSE(IsSystemAttributeKind(0));
    EXPECT_FALSE(IsSystemAttributeKind(17));
}

}  // namespace
}  // namespace kt
