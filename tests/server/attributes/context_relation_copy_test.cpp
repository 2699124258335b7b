#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "server/attributes/context_relation_copy.h"
#include "server/attributes/obj_relation.h"
#include "server/database/key_allocation.h"
#include "server/database/object_id.h"
#include "server/database/transaction.h"
#include "server/entities/generic.h"
#include "server/entities/obj_relations.h"
#include "tests/server/database/open_catalogue_fixture.h"
#include "tests/server/support/fixture_catalogue.h"
#include "tests/server/support/relation_rows.h"

namespace kt {
namespace {

using test::loadedWorker;
using test::StoredRelation;
using Keys = std::vector<std::int32_t>;

// "Kept" stays; "Old" is replaced by "New" and its port "Pin" by "Pin 2". "Far" and "Side" lie
// outside the edit.
class ContextRelationCopy : public test::OpenCatalogueFixture {
protected:
    void SetUp() override {
        OpenCatalogueFixture::SetUp();
        kept_ = make_.entity("Kept");
        old_ = make_.entity("Old");
        new_ = make_.entity("New");
        pin_ = make_.entity("Pin", EntityType::Port);
        pin2_ = make_.entity("Pin 2", EntityType::Port);
        far_ = make_.entity("Far");
        side_ = make_.entity("Side");
        map_ = {{old_, new_, ContextRole::PathEntity},
                {pin_, pin2_, ContextRole::OwnedPort},
                {kept_, kept_, ContextRole::PathEntity}};
    }

    std::int32_t relation(RelationType type, std::int32_t start, std::int32_t end,
                          std::int32_t context, std::int32_t inheritedFrom = 0) {
        test::FixtureRelation row{.type = type, .start = start, .end = end, .context = context};
        if (inheritedFrom != 0) {
            row.inheritedFrom = inheritedFrom;
        }
        return test::keyOf(*make_.relation(row));
    }

    test::FixtureCatalogue make_;
    std::int32_t kept_ = 0, old_ = 0, new_ = 0, pin_ = 0, pin2_ = 0, far_ = 0, side_ = 0;
    std::vector<ContextMapping> map_;
};

TEST_F(ContextRelationCopy, EachRelationIsCopiedByWhereItsEndsLie) {
    using enum RelationType;
    const std::int32_t toPin = relation(Decomposition, old_, pin_, old_);
    const std::int32_t toFar = relation(Decomposition, old_, far_, old_, toPin);
    const std::int32_t outside = relation(Connector, far_, side_, old_);
    const std::int32_t toOld = relation(Decomposition, kept_, old_, kept_);
    relation(Decomposition, kept_, far_, kept_);  // kept, nothing of it in the edit
    const std::int32_t fromPin = relation(AutomaticConnector, pin_, side_, kept_);
    relation(Connector, side_, far_, kept_);  // kept, neither end in the edit
    std::vector<RelationMapping> relationMap;
    ObjRelations oldRels;
    ObjRelations newRels;
    Transaction operation(database());  // as the callers run it
    const std::int32_t first = NewRelationID();
    CopyContextRelations(map_, relationMap, oldRels, newRels);
    operation.commit();

    // Sources by the map's order and then by key, the copies under consecutive keys.
    const Keys sources{toPin, toFar, outside, toOld, fromPin};
    ASSERT_EQ(relationMap.size(), sources.size());
    for (std::size_t i = 0; i < sources.size(); ++i) {
        EXPECT_EQ(relationMap[i].oldID, sources[i] * 100 + 80);
        EXPECT_EQ(relationMap[i].newID, (first + static_cast<std::int32_t>(i)) * 100 + 80);
    }
    struct Expected {
        std::int32_t start, end, context;
        bool inherited;
        std::int32_t inheritedFrom;  // 0: the copy itself
        std::string name;
    };
    const std::int32_t pinOrigin = test::storedRelation(toPin).inheritedFrom;
    const Expected expected[] = {
        {new_, pin2_, new_, false, pinOrigin, "test relation"},  // to a port taken in
        {new_, far_, new_, true, toPin, "test relation"},        // its end stays
        {far_, side_, new_, false, 0, "Connector"},              // in the replaced context
        {kept_, new_, kept_, false, 0, "test relation"},         // moves to the replacement
        {pin2_, side_, kept_, false, 0, "Connector"},
    };
    for (std::size_t i = 0; i < sources.size(); ++i) {
        SCOPED_TRACE(i);
        const StoredRelation copy = test::storedRelation(first + static_cast<std::int32_t>(i));
        const StoredRelation source = test::storedRelation(sources[i]);
        EXPECT_EQ((Keys{copy.start, copy.end, copy.context}),
                  (Keys{expected[i].start, expected[i].end, expected[i].context}));
        EXPECT_EQ(copy.inherited, expected[i].inherited);
        const std::int32_t origin =
            i == 3 ? copy.key
                   : (expected[i].inheritedFrom ? expected[i].inheritedFrom : source.inheritedFrom);
        EXPECT_EQ(copy.inheritedFrom, origin);
        EXPECT_EQ(copy.name, expected[i].name == "test relation" ? source.name : "Connector");
        EXPECT_EQ(copy.type, source.type);
        EXPECT_EQ(copy.slot, source.slot);
        EXPECT_EQ(copy.contact, "Generated Automatically");
        EXPECT_EQ(source.deleted, i == 3);  // only the moved decomposition goes
    }
    // Only the kept entity's relations are paired for the specializations below it.
    ASSERT_EQ(oldRels.size(), 2u);
    EXPECT_EQ((Keys{(*oldRels.begin())->ID(), (*(oldRels.begin() + 1))->ID()}),
              (Keys{toOld * 100 + 80, fromPin * 100 + 80}));
    EXPECT_EQ((Keys{(*newRels.begin())->ID(), (*(newRels.begin() + 1))->ID()}),
              (Keys{(first + 3) * 100 + 80, (first + 4) * 100 + 80}));
}

TEST_F(ContextRelationCopy, NothingToCopyLeavesTheMapsEmpty) {
    relation(RelationType::Decomposition, kept_, far_, kept_);
    std::vector<RelationMapping> relationMap{{1, 2}};
    ObjRelations oldRels;
    ObjRelations newRels;
    Transaction operation(database());
    CopyContextRelations(map_, relationMap, oldRels, newRels);
    operation.commit();
    EXPECT_TRUE(relationMap.empty());
    EXPECT_TRUE(oldRels.empty() && newRels.empty());
}

TEST_F(ContextRelationCopy, TheSpecializationsBelowTheKeptEntityFollowTheCopies) {
    // "Kept" inherits its relation to Old from "Top"; "Below" inherited it from Top as well, and
    // the connector from Pin from Kept.
    const std::int32_t top = make_.entity("Top");
    const std::int32_t below = make_.entity("Below");
    make_.specialize(kept_, below);
    const std::int32_t origin = relation(RelationType::Decomposition, top, old_, top);
    const std::int32_t toOld = relation(RelationType::Decomposition, kept_, old_, kept_, origin);
    const std::int32_t fromPin = relation(RelationType::Connector, pin_, side_, kept_);
    const std::int32_t belowToOld =
        relation(RelationType::Decomposition, below, old_, below, origin);
    const std::int32_t belowFromPin =
        relation(RelationType::Connector, pin_, side_, below, fromPin);
    const std::int32_t unrelated = relation(RelationType::Decomposition, below, far_, below);

    std::vector<RelationMapping> relationMap;
    ObjRelations oldRels;
    ObjRelations newRels;
    Transaction operation(database());
    CopyContextRelations(map_, relationMap, oldRels, newRels);
    ASSERT_EQ(oldRels.size(), 2u);
    RedirectInheritedRelations(oldRels, newRels, loadedWorker(kept_));
    operation.commit();

    const std::int32_t movedTo = KeyOfID((*newRels.begin())->ID());
    const std::int32_t connectorCopy = KeyOfID((*(newRels.begin() + 1))->ID());
    const StoredRelation decomposition = test::storedRelation(belowToOld);
    EXPECT_EQ((Keys{decomposition.start, decomposition.end, decomposition.inheritedFrom}),
              (Keys{below, new_, movedTo}));
    const StoredRelation connector = test::storedRelation(belowFromPin);
    EXPECT_EQ((Keys{connector.start, connector.end, connector.inheritedFrom}),
              (Keys{pin2_, side_, connectorCopy}));
    EXPECT_EQ(test::storedRelation(connectorCopy).inheritedFrom, fromPin);
    EXPECT_EQ(test::storedRelation(unrelated).end, far_);
    EXPECT_EQ(test::storedRelation(toOld).deleted, true);
}

}  // namespace
}  // namespace kt
