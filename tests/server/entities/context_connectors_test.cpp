#include <gtest/gtest.h>

#include <memory>
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
using Keys = std::vector<std::int32_t>;

// The activity "Plant" decomposes into "Mixer" (a thing, slot 5), the activity "Oven" (slot
// 6), its own port "Feed" (slot 7) and the dependency "Pipe" (slot 8). "Mixer" has the port
// "Out" (slot 12), "Oven" the port "Heat" (slot 15), "Pipe" the port "Valve" (slot 16).
// "Plant A" is a specialization of "Plant" that inherited the decomposition.
class ContextConnectors : public test::OpenCatalogueFixture {
protected:
    void SetUp() override {
        OpenCatalogueFixture::SetUp();
        plant_ = make_.entity("Plant", EntityType::Activity);
        plantA_ = make_.entity("Plant A", EntityType::Activity);
        make_.specialize(plant_, plantA_, cache_specialization);
        mixer_ = make_.entity("Mixer");
        oven_ = make_.entity("Oven", EntityType::Activity);
        pipe_ = make_.entity("Pipe", EntityType::Dependency);
        feed_ = make_.entity("Feed", EntityType::Port);
        out_ = make_.entity("Out", EntityType::Port);
        heat_ = make_.entity("Heat", EntityType::Port);
        valve_ = make_.entity("Valve", EntityType::Port);
        decompose(mixer_, out_, 12);
        decompose(oven_, heat_, 15);
        decompose(pipe_, valve_, 16);
        decompose(plant_, mixer_, 5);
        decompose(plant_, oven_, 6);
        decompose(plant_, feed_, 7);
        decompose(plant_, pipe_, 8);
    }

    std::shared_ptr<ObjRelation> decompose(std::int32_t parent, std::int32_t child,
                                           std::int32_t slot) {
        return loadedWorker(parent).AddDecomposition(loadedWorker(child), slot, 0, "", "");
    }
    static std::shared_ptr<Entity> entity(std::int32_t key) {
        auto bound = std::make_shared<Entity>();
        bound->LoadFromID(EntityID(key));
        return bound;
    }
    std::shared_ptr<ObjRelation> connect(std::int32_t context, std::int32_t start, std::int32_t end,
                                         std::string startPath, std::string endPath) {
        return entity(context)->CreateConnector(*entity(start), *entity(end), changed_, noContext_,
                                                changes_, startPath, endPath, "", "");
    }
    std::shared_ptr<ObjRelation> connectBak(std::int32_t start, std::int32_t end,
                                            std::string startPath = "", std::string endPath = "") {
        return entity(plant_)->CreateConnector_bak(*entity(start), *entity(end), changed_,
                                                   noContext_, changes_, startPath, endPath);
    }
    // The rows of Plant A that repeat `relation`: (start, end) of each.
    Keys repeatedInPlantA(const ObjRelation& relation) {
        Keys ends;
        for (const auto& row : test::storedRelationsAfter(test::keyOf(relation))) {
            if (row.context == plantA_) {
                ends.insert(ends.end(), {row.start, row.end});
            }
        }
        return ends;
    }

    test::FixtureCatalogue make_;
    ObjRelations noContext_;
    ChangeArray changes_;
    bool changed_ = false;
    std::int32_t plant_ = 0, plantA_ = 0, mixer_ = 0, oven_ = 0, pipe_ = 0, feed_ = 0, out_ = 0,
                 heat_ = 0, valve_ = 0;
};

TEST_F(ContextConnectors, TheShapeOfThePathsDecidesTheConnector) {
    struct Case {
        std::int32_t start, end;
        const char* startPath;
        const char* endPath;
        const char* name;
        std::int32_t slot;  // -1: a new one
    };
    const Case cases[] = {
        {out_, heat_, "12,5", "15,6", "Connector", -1},
        {feed_, heat_, "7", "15,6", "Vertical Connector", 0},
        {out_, feed_, "12,5", "7", "Vertical Connector", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.startPath + std::string(":") + c.endPath);
        std::string startPath = c.startPath;
        std::string endPath = c.endPath;
        const auto connector =
            entity(plant_)->CreateConnector(*entity(c.start), *entity(c.end), changed_, noContext_,
                                            changes_, startPath, endPath, "", "");
        EXPECT_TRUE(startPath.empty() && endPath.empty());
        const auto row = test::storedRelation(test::keyOf(*connector));
        EXPECT_EQ((Keys{row.type, row.start, row.end, row.context}),
                  (Keys{2, c.start, c.end, plant_}));
        EXPECT_EQ(row.name, c.name);
        EXPECT_EQ(row.contextPath, std::string(c.startPath) + ":" + c.endPath);
        if (c.slot >= 0) {
            EXPECT_EQ(row.slot, c.slot);
        }
        // Plant A finds the same ports, whichever side is the context's own.
        EXPECT_EQ(repeatedInPlantA(*connector), (Keys{c.start, c.end}));
        EXPECT_FALSE(changed_);
    }
}

TEST_F(ContextConnectors, BadPathsAreRefusedBeforeAnythingIsWritten) {
    const std::int32_t bare = make_.entity("Bare", EntityType::Activity);
    const std::int32_t port = make_.entity("Lone port", EntityType::Port);
    struct Case {
        std::int32_t context, start, end;
        const char* startPath;
        const char* endPath;
        std::int32_t number;
        const char* description;  // empty: not compared
    };
    const Case cases[] = {
        {port, out_, heat_, "12,5", "15,6", objectError(28),
         "Connectors can only be created in the context of activities."},
        {bare, out_, heat_, "12,5", "15,6", objectError(29),
         "The context entity has no decomposition children"},
        {plant_, out_, heat_, "12,99", "15,6", objectError(29), "The slot id 99 was not found."},
        {plant_, out_, heat_, "12,5", "15,99", objectError(29), "The slot id was not found."},
        {plant_, out_, heat_, "13,5", "15,6", objectError(29), "The slot id was not found."},
        {plant_, feed_, feed_, "7", "7", objectError(29), "The slot id was not found."},
        // Plant and Mixer are not both activities.
        {plant_, feed_, out_, "7", "12,5", objectError(33), ""},
        {plant_, out_, heat_, "", "15,6", typeMismatch().number(), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.startPath + std::string(":") + c.endPath);
        const std::string before = test::catalogueState();
        std::string startPath = c.startPath;
        const auto error =
            errorOf([&] { connect(c.context, c.start, c.end, startPath, c.endPath); });
        EXPECT_EQ(error.number(), c.number);
        if (*c.description != '\0') {
            EXPECT_EQ(error.description(), c.description);
        }
        EXPECT_EQ(test::catalogueState(), before);
    }
    // The context type is checked before the paths are taken.
    std::string startPath = "12,5";
    std::string endPath = "15,6";
    errorOf([&] {
        entity(port)->CreateConnector(*entity(out_), *entity(heat_), changed_, noContext_, changes_,
                                      startPath, endPath, "", "");
    });
    EXPECT_EQ(startPath + ":" + endPath, "12,5:15,6");
}

TEST_F(ContextConnectors, AConnectorWhoseRowCannotBeWrittenIsError28WithNothingLeft) {
    sql("CREATE TRIGGER refuse BEFORE INSERT ON Relation WHEN NEW.rel_context_ent_id = " +
        std::to_string(plant_) + " BEGIN SELECT RAISE(ABORT, 'injected failure'); END");
    const std::string before = test::catalogueState();
    EXPECT_EQ(errorOf([&] { connect(plant_, out_, heat_, "12,5", "15,6"); }).number(),
              objectError(28));
    EXPECT_EQ(test::catalogueState(), before);
}

TEST_F(ContextConnectors, TheEarlierMemberChecksTheOwnersOfThePorts) {
    const std::int32_t tank = make_.entity("Tank", EntityType::Dependency);
    const std::int32_t lid = make_.entity("Lid", EntityType::Port);
    decompose(tank, lid, 17);
    const std::int32_t kiln = make_.entity("Kiln", EntityType::Activity);
    decompose(kiln, heat_, 18);  // "Heat" has two parents now
    struct Case {
        std::int32_t start, end;
        const char* startPath;
        const char* endPath;
        std::int32_t number;
        const char* description;
    };
    const Case cases[] = {
        {heat_, valve_, "", "", 29, "Ambiguous context path -- Heat has multiple parents"},
        {heat_, valve_, "19", "", 29, "The slot id 19 was not found."},
        {out_, heat_, "", "", 29, "Ambiguous context path -- Heat has multiple parents"},
        {out_, valve_, "", "", 30,
         "Horizontal connectors can only be formed between a port of an activity and a port of "
         "a dependency."},
        // Oven holds Heat in slot 15, but Plant holds Oven in slot 6.
        {heat_, valve_, "15", "", 31,
         "Connectors can only be created between ports of the entities that exist in the "
         "immediate decomposition of the context entity."},
        {heat_, lid, "15,6", "", 31,
         "Connectors can only be created between ports of the entities that exist in the "
         "immediate decomposition of the context entity."},
        // Plant A's copy uses "Feed" too: its slot picks Plant's relation.
        {feed_, valve_, "7", "", 33,
         "Vertical connectors can only be formed between a ports of activities or between ports "
         "of dependency."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        const std::string before = test::catalogueState();
        const auto error = errorOf([&] { connectBak(c.start, c.end, c.startPath, c.endPath); });
        EXPECT_EQ(error.number(), objectError(c.number));
        EXPECT_EQ(error.description(), c.description);
        EXPECT_EQ(test::catalogueState(), before);
    }
}

TEST_F(ContextConnectors, TheEarlierMemberTakesOneVerticalConnectorPerPortOfTheContext) {
    const auto first = connectBak(heat_, valve_, "15,6", "");
    EXPECT_EQ(test::storedRelation(test::keyOf(*first)).contextPath, "15,6:16,8");

    const auto vertical = connectBak(feed_, heat_, "7", "15");
    const auto row = test::storedRelation(test::keyOf(*vertical));
    EXPECT_EQ(row.name, "Vertical Connector");
    EXPECT_EQ(row.contextPath, "7:15,6");
    EXPECT_EQ(repeatedInPlantA(*vertical), (Keys{feed_, heat_}));
    const std::string before = test::catalogueState();
    EXPECT_EQ(errorOf([&] { connectBak(feed_, heat_, "7", "15"); }).number(), objectError(34));
    EXPECT_EQ(test::catalogueState(), before);
    // A thing is no context for it.
    EXPECT_EQ(errorOf([&] {
                  std::string none;
                  entity(mixer_)->CreateConnector_bak(*entity(out_), *entity(heat_), changed_,
                                                      noContext_, changes_, none, none);
              }).number(),
              objectError(28));
}

TEST_F(ContextConnectors, ARelationInContextJoinsTheEntitiesThePathsReach) {
    std::string startPath = "12,5";
    std::string endPath = "15,6";
    const auto relation = entity(plant_)->CreateHorizonalRelation(
        18, *entity(feed_), *entity(feed_), changed_, noContext_, changes_, startPath, endPath,
        "shared", "");
    EXPECT_TRUE(startPath.empty() && endPath.empty());
    const auto row = test::storedRelation(test::keyOf(*relation));
    EXPECT_EQ((Keys{row.type, row.start, row.end, row.context}), (Keys{18, out_, heat_, plant_}));
    EXPECT_EQ(row.name, "Causes_in_context");
    EXPECT_EQ(row.slotName, "Causes_in_context_slot");
    EXPECT_EQ(row.contextPath, "12,5:15,6");
    const auto copies = test::storedRelationsAfter(row.key);
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ((Keys{copies[0].context, copies[0].start, copies[0].end, copies[0].slot}),
              (Keys{plantA_, out_, heat_, row.slot}));
    EXPECT_EQ(copies[0].uniqueId, "shared");

    struct Case {
        std::int16_t type;
        const char* startPath;
        std::int32_t number;
    };
    for (const Case& c : {Case{20, "12,5", 10}, Case{17, "", 28}, Case{19, "12,9", 28}}) {
        SCOPED_TRACE(c.type);
        const std::string before = test::catalogueState();
        std::string from = c.startPath;
        std::string to = "15,6";
        EXPECT_EQ(errorOf([&] {
                      entity(plant_)->CreateHorizonalRelation(c.type, *entity(out_), *entity(heat_),
                                                              changed_, noContext_, changes_, from,
                                                              to, "", "");
                  }).number(),
                  objectError(c.number));
        EXPECT_EQ(test::catalogueState(), before);
    }
}

}  // namespace
}  // namespace kt
