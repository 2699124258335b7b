#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

#include "server/attributes/obj_relation.h"
#include "server/database/errors.h"
#include "tests/server/database/open_catalogue_fixture.h"
#include "tests/server/support/fixture_catalogue.h"

namespace kt {
namespace {

using test::errorOf;
using test::FixtureRelation;

// The thing "Frame" with the specialization "Frame 1", which has "Frame 1.1"; "Frame 2" is a
// second specialization of "Frame". Relations are made in "Frame" and repeated below it the
// way the creators and the inheritance repeat them.
class SlotRemoval : public test::OpenCatalogueFixture {
protected:
    void SetUp() override {
        OpenCatalogueFixture::SetUp();
        frame_ = make_.entity("Frame");
        frame1_ = make_.entity("Frame 1");
        frame11_ = make_.entity("Frame 1.1");
        frame2_ = make_.entity("Frame 2");
        make_.specialize(frame_, frame1_);
        make_.specialize(frame1_, frame11_);
        make_.specialize(frame_, frame2_);
        left_ = make_.entity("Left", EntityType::Port);
        right_ = make_.entity("Right", EntityType::Port);
        crew_ = make_.entity("Crew", EntityType::Resource);
    }

    // The relation in "Frame" and, with the same slot, a repetition in each specialization,
    // not marked inherited.
    std::vector<std::shared_ptr<ObjRelation>> repeated(const FixtureRelation& relation,
                                                       bool byContext) {
        return make_.repeated(relation, {frame_, frame1_, frame11_, frame2_},
                              byContext ? RelationAnchor::Context : RelationAnchor::Start, false);
    }

    bool live(const ObjRelation& relation) {
        return textOf("SELECT rel_deleted FROM Relation WHERE rel_id = ?", test::keyOf(relation)) ==
               "0";
    }
    std::vector<bool> liveness(const std::vector<std::shared_ptr<ObjRelation>>& relations) {
        std::vector<bool> result;
        for (const auto& relation : relations) {
            result.push_back(live(*relation));
        }
        return result;
    }

    test::FixtureCatalogue make_;
    std::int32_t frame_ = 0, frame1_ = 0, frame11_ = 0, frame2_ = 0, left_ = 0, right_ = 0,
                 crew_ = 0;
};

TEST_F(SlotRemoval, ARelationWithItsOwnSlotGoesWithEveryRelationOfThatSlotBelow) {
    const auto connectors = repeated(
        {.type = RelationType::Connector, .start = left_, .end = right_, .contextPath = "1:2"},
        true);
    const auto other = make_.relation(
        {.type = RelationType::Connector, .start = right_, .end = left_, .context = frame_});
    const auto exceptions =
        repeated({.type = RelationType::HasException, .start = frame_, .end = crew_}, false);

    EXPECT_TRUE(connectors[0]->Delete());
    EXPECT_TRUE(connectors[0]->Deleted());
    EXPECT_EQ(liveness(connectors), (std::vector<bool>{false, false, false, false}));
    EXPECT_TRUE(live(*other));

    // Removed through a repetition, only the repetitions at and below it go.
    EXPECT_TRUE(exceptions[1]->Delete());
    EXPECT_TRUE(exceptions[1]->Deleted());
    EXPECT_EQ(liveness(exceptions), (std::vector<bool>{true, false, false, true}));
}

TEST_F(SlotRemoval, ARelationWithoutASlotGoesOnlyWithItsCopies) {
    const auto resource = make_.relation(
        {.type = RelationType::HasResource, .start = frame_, .end = crew_, .slot = 0});
    const auto copy1 = make_.relation({.type = RelationType::HasResource,
                                       .start = frame1_,
                                       .end = crew_,
                                       .slot = 0,
                                       .inheritedFrom = test::keyOf(*resource)});
    const auto copy11 = make_.relation({.type = RelationType::HasResource,
                                        .start = frame11_,
                                        .end = crew_,
                                        .slot = 0,
                                        .inheritedFrom = test::keyOf(*resource)});
    // Other relations without a slot, here and below.
    std::vector<std::shared_ptr<ObjRelation>> others{
        make_.relation({.type = RelationType::HasResource,
                        .start = frame_,
                        .end = make_.entity("Tools", EntityType::Resource),
                        .slot = 0}),
        make_.relation(
            {.type = RelationType::IsManagedBy, .start = frame_, .end = crew_, .slot = -1}),
        make_.relation(
            {.type = RelationType::Navigation, .start = frame_, .end = crew_, .slot = 0}),
        make_.relation(
            {.type = RelationType::HasResource, .start = frame1_, .end = crew_, .slot = 0}),
    };

    EXPECT_TRUE(resource->Delete());
    EXPECT_EQ(liveness({resource, copy1, copy11}), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(liveness(others), (std::vector<bool>{true, true, true, true}));
}

TEST_F(SlotRemoval, AVerticalConnectorGoesWithTheConnectorsOfItsPathBelow) {
    const auto vertical = repeated({.type = RelationType::Connector,
                                    .start = left_,
                                    .end = right_,
                                    .slot = 0,
                                    .contextPath = "3:4,5"},
                                   true);
    const auto otherPath = repeated({.type = RelationType::Connector,
                                     .start = right_,
                                     .end = left_,
                                     .slot = 0,
                                     .contextPath = "3:6"},
                                    true);
    // A copy made for a later specialization names the connector it came from.
    const std::int32_t frame3 = make_.entity("Frame 3");
    make_.specialize(frame_, frame3);
    const auto inherited = make_.relation({.type = RelationType::Connector,
                                           .start = left_,
                                           .end = right_,
                                           .context = frame3,
                                           .slot = 0,
                                           .inheritedFrom = test::keyOf(*vertical[0]),
                                           .contextPath = "3:4,5"});

    EXPECT_TRUE(vertical[0]->Delete());
    EXPECT_EQ(liveness(vertical), (std::vector<bool>{false, false, false, false}));
    EXPECT_FALSE(live(*inherited));
    EXPECT_EQ(liveness(otherPath), (std::vector<bool>{true, true, true, true}));
}

TEST_F(SlotRemoval, TypesWithoutAnAnchorAreRefusedAndNothingChanges) {
    for (const auto type :
         {RelationType::Decomposition, RelationType::Navigation, RelationType::IsManagedBy,
          RelationType::Membership, RelationType::AutomaticDecomposition,
          static_cast<RelationType>(16), static_cast<RelationType>(22)}) {
        const auto relation = make_.relation({.type = type, .start = frame_, .end = crew_});
        const Error error = errorOf([&] { relation->Delete(); });
        EXPECT_EQ(error.number(), objectError(23)) << static_cast<int>(type);
        EXPECT_EQ(error.description(),
                  "Unsupported relation type.  This relation type cannot currently be deleted "
                  "with this method.");
        EXPECT_TRUE(live(*relation));
        EXPECT_FALSE(relation->Deleted());
    }
}

TEST_F(SlotRemoval, AFailureOnTheWayIsError666AndUndoesEverything) {
    const auto connectors =
        repeated({.type = RelationType::Connector, .start = left_, .end = right_}, true);
    const auto exceptions =
        repeated({.type = RelationType::HasException, .start = frame_, .end = crew_}, false);
    make_.deleteEntity(frame11_);
    for (const auto& [relation, source] :
         {std::pair{connectors[0], "RemoveSlot"}, std::pair{exceptions[0], "DeleteRelation"}}) {
        const Error error = errorOf([&] { relation->Delete(); });
        EXPECT_EQ(error.number(), 666);  // as it stands, not offset
        EXPECT_EQ(error.source(), source);
        EXPECT_EQ(error.description(), "You cannot make any changes to a deleted entity.");
        EXPECT_FALSE(relation->Deleted());
    }
    EXPECT_EQ(liveness(connectors), (std::vector<bool>{true, true, true, true}));
    EXPECT_EQ(liveness(exceptions), (std::vector<bool>{true, true, true, true}));
}

TEST_F(SlotRemoval, ACycleOfSpecializationsEndsTheWalk) {
    make_.specialize(frame11_, frame_);
    const auto exceptions =
        repeated({.type = RelationType::HasException, .start = frame_, .end = crew_}, false);
    EXPECT_TRUE(exceptions[0]->Delete());
    EXPECT_EQ(liveness(exceptions), (std::vector<bool>{false, false, false, false}));
}

}  // namespace
}  // namespace kt
