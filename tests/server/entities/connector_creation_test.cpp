#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "server/attributes/obj_relation.h"
#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "server/entities/entity.h"
#include "server/entities/generic.h"
#include "server/entities/obj_relations.h"
#include "tests/server/database/open_catalogue_fixture.h"
#include "tests/server/support/fixture_catalogue.h"
#include "tests/server/support/relation_rows.h"

namespace kt {
namespace {

using test::errorOf;
using test::loadedWorker;
using test::StoredRelation;
using Keys = std::vector<std::int32_t>;

// "Plant" decomposes into "Mixer" (slot 5), the activity "Oven" (slot 6) and its own port
// "Feed" (slot 7); "Mixer" has the ports "Out" (slot 12) and "In" (slot 14), "Oven" the port
// "Heat" (slot 15). "Plant" has the specializations "Plant A" (with "Plant A1") and "Plant B"
// (with "Plant B1"), which inherited the decomposition with its slots.
class ConnectorCreation : public test::OpenCatalogueFixture {
protected:
    void SetUp() override {
        OpenCatalogueFixture::SetUp();
        plant_ = make_.entity("Plant");
        plantA_ = make_.entity("Plant A");
        plantA1_ = make_.entity("Plant A1");
        plantB_ = make_.entity("Plant B");
        plantB1_ = make_.entity("Plant B1");
        make_.specialize(plant_, plantA_, direct_specialization, 1);
        make_.specialize(plantA_, plantA1_);
        make_.specialize(plant_, plantB_, direct_specialization, 2);
        make_.specialize(plantB_, plantB1_);
        loadedWorker(plant_).setContact("plant contact");
        loadedWorker(plantA_).setContact("plant A contact");
        mixer_ = make_.entity("Mixer");
        oven_ = make_.entity("Oven", EntityType::Activity);
        feed_ = make_.entity("Feed", EntityType::Port);
        out_ = make_.entity("Out", EntityType::Port);
        in_ = make_.entity("In", EntityType::Port);
        heat_ = make_.entity("Heat", EntityType::Port);
        toMixer_ = decompose(plant_, mixer_, 5);
        toOven_ = decompose(plant_, oven_, 6);
        toFeed_ = decompose(plant_, feed_, 7);
        toOut_ = decompose(mixer_, out_, 12);
        toIn_ = decompose(mixer_, in_, 14);
        toHeat_ = decompose(oven_, heat_, 15);
    }

    std::shared_ptr<ObjRelation> decompose(std::int32_t parent, std::int32_t child,
                                           std::int32_t slot) {
        generic owner = loadedWorker(parent);
        return owner.AddDecomposition(loadedWorker(child), slot, 0, "", "");
    }
    static ObjRelations path(std::initializer_list<std::shared_ptr<ObjRelation>> relations) {
        ObjRelations list;
        for (const auto& relation : relations) {
            list.AddItem(relation);
        }
        return list;
    }
    static std::shared_ptr<Entity> entity(std::int32_t key) {
        auto bound = std::make_shared<Entity>();
        bound->LoadFromID(EntityID(key));
        return bound;
    }
    generic plant() const { return loadedWorker(plant_); }
    // Makes every insert of a relation drawn in `context` fail.
    void refuseInsertsIn(std::int32_t context) {
        sql("CREATE TRIGGER refuse_" + std::to_string(context) +
            " BEFORE INSERT ON Relation WHEN NEW.rel_context_ent_id = " + std::to_string(context) +
            " BEGIN SELECT RAISE(ABORT, 'injected failure'); END");
    }
    static Keys contextsOf(const std::vector<StoredRelation>& rows) {
        Keys contexts;
        for (const auto& row : rows) {
            contexts.push_back(row.context);
        }
        return contexts;
    }

    test::FixtureCatalogue make_;
    std::int32_t plant_ = 0, plantA_ = 0, plantA1_ = 0, plantB_ = 0, plantB1_ = 0;
    std::int32_t mixer_ = 0, oven_ = 0, feed_ = 0, out_ = 0, in_ = 0, heat_ = 0;
    std::shared_ptr<ObjRelation> toMixer_, toOven_, toFeed_, toOut_, toIn_, toHeat_;
};

TEST_F(ConnectorCreation, AHorizontalConnectorIsRepeatedInOneSlotInEverySpecialization) {
    // Both ports belong to "Mixer": the two paths meet in the same child.
    const auto startPath = path({toOut_, toMixer_});
    const auto endPath = path({toIn_, toMixer_});
    for (const std::string uid : {"", "shared uid"}) {
        SCOPED_TRACE(uid);
        // The slot unique ID is given with the unique ID or generated like it.
        const std::string slotUid = uid.empty() ? "" : "shared slot uid";
        const auto connector = plant().CreateHorizontalConnector(
            *entity(out_), *entity(in_), startPath, endPath, 0, uid, slotUid);
        ASSERT_TRUE(connector);
        const StoredRelation row = test::storedRelation(test::keyOf(*connector));
        EXPECT_EQ((Keys{row.type, row.start, row.end, row.context, row.endType}),
                  (Keys{2, out_, in_, plant_, 3}));
        EXPECT_EQ(row.name, "Connector");
        EXPECT_EQ(row.slotName, "Connector_slot_name");
        EXPECT_EQ(row.contextPath, "12,5:14,5");
        EXPECT_EQ(row.contact, "plant contact");
        EXPECT_FALSE(row.inherited);
        EXPECT_GT(row.slot, toHeat_->SlotID());  // a new one
        const auto copies = test::storedRelationsAfter(row.key);
        EXPECT_EQ(contextsOf(copies), (Keys{plantA_, plantA1_, plantB_, plantB1_}));
        std::set<std::string> slotUids{row.slotUniqueId};
        for (const auto& copy : copies) {
            EXPECT_EQ((Keys{copy.type, copy.start, copy.end, copy.slot}),
                      (Keys{2, out_, in_, row.slot}));
            EXPECT_EQ(copy.contextPath, row.contextPath);
            EXPECT_EQ(copy.inheritedFrom, copy.key);
            slotUids.insert(copy.slotUniqueId);
            if (uid.empty()) {
                EXPECT_NE(copy.uniqueId, row.uniqueId);
            } else {
                EXPECT_EQ(copy.uniqueId, uid);
                EXPECT_EQ(copy.slotUniqueId, slotUid);
            }
        }
        // Generated, every copy has its own; given, they all hold it.
        EXPECT_EQ(slotUids.size(), uid.empty() ? copies.size() + 1 : 1);
        // A lookup by the original's slot unique ID finds the original alone.
        if (uid.empty()) {
            EXPECT_EQ(valueOf("SELECT COUNT(*) FROM Relation WHERE rel_slot_unique_id = ?",
                              row.slotUniqueId),
                      Value(std::int64_t{1}));
        }
        EXPECT_EQ(copies.front().contact, "plant A contact");
    }
}

TEST_F(ConnectorCreation, ASpecializationWithoutTheChildIsPassedOverWithWhatLiesBelow) {
    sql("UPDATE Relation SET rel_deleted = 1 WHERE rel_context_ent_id = ? AND rel_end_ent_id = ?",
        plantB_, oven_);
    const auto connector =
        plant().CreateHorizontalConnector(*entity(out_), *entity(heat_), path({toOut_, toMixer_}),
                                          path({toHeat_, toOven_}), 40, "", "");
    ASSERT_TRUE(connector);
    const StoredRelation row = test::storedRelation(test::keyOf(*connector));
    EXPECT_EQ(row.contextPath, "12,5:15,6");
    EXPECT_EQ(row.slot, 40);
    EXPECT_EQ(row.endType, static_cast<std::int32_t>(EntityType::Port));
    EXPECT_EQ(contextsOf(test::storedRelationsAfter(row.key)), (Keys{plantA_, plantA1_}));

    // Removing the slot tells whether anything was left to remove.
    EXPECT_TRUE(plant().RemoveConnectorSlot(*connector));
    EXPECT_EQ(valueOf("SELECT COUNT(*) FROM Relation WHERE rel_slot_id = 40 AND rel_deleted = 0"),
              Value(std::int64_t{0}));
    EXPECT_FALSE(plant().RemoveConnectorSlot(*connector));
}

TEST_F(ConnectorCreation, HorizontalConnectorFailures) {
    const std::string before = test::catalogueState();
    // An empty path is reported before anything is written.
    EXPECT_EQ(errorOf([&] {
                  plant().CreateHorizontalConnector(*entity(out_), *entity(in_), ObjRelations{},
                                                    path({toIn_, toMixer_}), 0, "", "");
              }).number(),
              invalidProcedureCall().number());
    // The connector's own insert fails: no connector, nothing written.
    refuseInsertsIn(plant_);
    EXPECT_FALSE(plant().CreateHorizontalConnector(
        *entity(out_), *entity(in_), path({toOut_, toMixer_}), path({toIn_, toMixer_}), 0, "", ""));
    EXPECT_EQ(test::catalogueState(), before);
    sql("DROP TRIGGER refuse_" + std::to_string(plant_));

    // A repetition fails: that specialization and the ones below it go without.
    refuseInsertsIn(plantA_);
    const auto connector = plant().CreateHorizontalConnector(
        *entity(out_), *entity(in_), path({toOut_, toMixer_}), path({toIn_, toMixer_}), 0, "", "");
    ASSERT_TRUE(connector);
    EXPECT_EQ(contextsOf(test::storedRelationsAfter(test::keyOf(*connector))),
              (Keys{plantB_, plantB1_}));
}

TEST_F(ConnectorCreation, AVerticalConnectorJoinsTheContextsOwnPortWithAChildsPort) {
    struct Case {
        bool startOnContext;
        std::int32_t start, end;
        std::string contextPath;
    };
    for (const Case& c : {Case{true, feed_, in_, "7:14,5"}, Case{false, in_, feed_, "14,5:7"}}) {
        SCOPED_TRACE(c.contextPath);
        const auto own = path({toFeed_});
        const auto child = path({toIn_, toMixer_});
        const auto connector = plant().CreateVerticalConnector(
            *entity(c.start), *entity(c.end), c.startOnContext ? own : child,
            c.startOnContext ? child : own, c.startOnContext, "", "");
        const StoredRelation row = test::storedRelation(test::keyOf(*connector));
        EXPECT_EQ((Keys{row.type, row.start, row.end, row.context, row.slot}),
                  (Keys{2, c.start, c.end, plant_, 0}));
        EXPECT_EQ(row.name, "Vertical Connector");
        EXPECT_EQ(row.slotName, "Connector");
        EXPECT_EQ(row.contextPath, c.contextPath);
        EXPECT_EQ(row.contact, "plant contact");
        const auto copies = test::storedRelationsAfter(row.key);
        EXPECT_EQ(contextsOf(copies), (Keys{plantA_, plantA1_, plantB_, plantB1_}));
        for (const auto& copy : copies) {
            EXPECT_EQ((Keys{copy.start, copy.end, copy.slot}), (Keys{c.start, c.end, 0}));
            EXPECT_EQ(copy.contextPath, c.contextPath);
            EXPECT_EQ(copy.slotUniqueId, row.slotUniqueId);
        }
    }
}

TEST_F(ConnectorCreation, AFailedVerticalConnectorIsError29AndWritesNothing) {
    refuseInsertsIn(plantA1_);
    const std::string before = test::catalogueState();
    const Error error = errorOf([&] {
        plant().CreateVerticalConnector(*entity(feed_), *entity(in_), path({toFeed_}),
                                        path({toIn_, toMixer_}), true, "", "");
    });
    EXPECT_EQ(error.number(), objectError(29));
    EXPECT_NE(error.description().find("injected failure"), std::string::npos);
    EXPECT_EQ(test::catalogueState(), before);
}

TEST_F(ConnectorCreation, AHorizontalRelationFindsItsEndsBySlotPathsInEachSpecialization) {
    // "Plant B" lost its "Mixer": the start path leads nowhere there.
    sql("UPDATE Relation SET rel_deleted = 1 WHERE rel_context_ent_id = ? AND rel_end_ent_id = ?",
        plantB_, mixer_);
    std::shared_ptr<ObjRelation> relation;
    ASSERT_TRUE(plant().CreateHorizontalRelation(relation, 17, "Flows", {"", "12", "5"}, {"", "6"},
                                                 0, "", ""));
    ASSERT_TRUE(relation);
    const StoredRelation row = test::storedRelation(test::keyOf(*relation));
    EXPECT_EQ((Keys{row.type, row.start, row.end, row.context, row.endType}),
              (Keys{17, out_, oven_, plant_, 1}));
    EXPECT_EQ(row.name, "Flows");
    EXPECT_EQ(row.slotName, "Flows_slot");
    EXPECT_EQ(row.contextPath, "12,5:6");
    EXPECT_EQ(row.contact, "plant contact");
    const auto copies = test::storedRelationsAfter(row.key);
    EXPECT_EQ(contextsOf(copies), (Keys{plantA_, plantA1_}));
    for (const auto& copy : copies) {
        EXPECT_EQ((Keys{copy.start, copy.end, copy.slot}), (Keys{out_, oven_, row.slot}));
    }
}

TEST_F(ConnectorCreation, AHorizontalRelationThatCannotBeMadeIsFalseAndWritesNothing) {
    const auto untouched = toMixer_;
    const std::string before = test::catalogueState();
    struct Case {
        std::string label;
        std::vector<std::string> start, end;
    };
    const std::vector<Case> cases{
        {"no such slot below the start", {"", "99", "5"}, {"", "6"}},
        {"no such slot at the end", {"", "12", "5"}, {"", "8"}},
        {"not a number", {"", "x"}, {"", "6"}},
        {"empty path", {""}, {"", "6"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        std::shared_ptr<ObjRelation> relation = untouched;
        EXPECT_FALSE(
            plant().CreateHorizontalRelation(relation, 17, "Flows", c.start, c.end, 0, "", ""));
        EXPECT_EQ(relation, untouched);
    }
    refuseInsertsIn(plant_);
    std::shared_ptr<ObjRelation> relation = untouched;
    EXPECT_FALSE(
        plant().CreateHorizontalRelation(relation, 17, "Flows", {"", "5"}, {"", "6"}, 0, "", ""));
    EXPECT_EQ(relation, untouched);
    EXPECT_EQ(test::catalogueState(), before);
}

}  // namespace
}  // namespace kt
