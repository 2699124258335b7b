#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "server/attributes/obj_relation.h"
#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "server/entities/entity.h"
#include "server/entities/generic.h"
#include "server/entities/obj_relations.h"
#include "server/entities/relation_direction.h"
#include "tests/server/database/open_catalogue_fixture.h"
#include "tests/server/support/fixture_catalogue.h"
#include "tests/server/support/relation_keys.h"

namespace kt {
namespace {

using test::errorOf;
using test::keysOf;
using Keys = std::vector<std::int32_t>;

constexpr auto kInContext = static_cast<RelationType>(17);

// An activity "Assemble" with a decomposition (the activity "Bolt" and the port "Inlet", which
// holds the port "Inner"), connectors drawn in it, exceptions and their handlers, a performer
// and navigation, and one relation of each list that is deleted.
class RelationLists : public test::OpenCatalogueFixture {
protected:
    void SetUp() override {
        OpenCatalogueFixture::SetUp();
        assemble_ = make_.entity("Assemble", EntityType::Activity);
        bolt_ = make_.entity("Bolt", EntityType::Activity);
        inlet_ = make_.entity("Inlet", EntityType::Port);
        inner_ = make_.entity("Inner", EntityType::Port);
        crew_ = make_.entity("Crew", EntityType::Resource);
        jam_ = make_.entity("Jam", EntityType::ExceptionGroup);
        docs_ = make_.entity("Docs");
        tool_ = make_.entity("Tool");

        toBolt_ = add({.start = assemble_, .end = bolt_, .displayOrder = 2});
        toInlet_ = add({.start = assemble_, .end = inlet_, .displayOrder = 1});
        add({.start = inlet_, .end = inner_});
        connector_ = add({.type = RelationType::Connector,
                          .start = inlet_,
                          .end = bolt_,
                          .context = assemble_,
                          .displayOrder = 9});
        automatic_ = add({.type = RelationType::AutomaticConnector,
                          .start = bolt_,
                          .end = inlet_,
                          .context = assemble_});
        inContext_ = add({.type = kInContext,
                          .start = bolt_,
                          .end = inner_,
                          .context = assemble_,
                          .slot = slotOf(connector_)});
        exceptionLate_ = add({.type = RelationType::HasException,
                              .start = assemble_,
                              .end = jam_,
                              .displayOrder = 2});
        exceptionEarly_ = add({.type = RelationType::HasException,
                               .start = assemble_,
                               .end = jam_,
                               .displayOrder = 1});
        detects_ = add({.type = RelationType::DetectsException, .start = jam_, .end = assemble_});
        anticipatesLate_ = add({.type = RelationType::AnticipatesException,
                                .start = jam_,
                                .end = assemble_,
                                .displayOrder = 5});
        anticipatesEarly_ = add({.type = RelationType::AnticipatesException,
                                 .start = jam_,
                                 .end = assemble_,
                                 .displayOrder = 1});
        performedBy_ = add({.type = RelationType::PerformedBy, .start = assemble_, .end = crew_});
        navigation_ =
            add({.type = RelationType::Navigation, .start = assemble_, .end = docs_, .slot = 0});
        selfNavigation_ = add(
            {.type = RelationType::Navigation, .start = assemble_, .end = assemble_, .slot = 0});
        navigatedFrom_ =
            add({.type = RelationType::Navigation, .start = tool_, .end = assemble_, .slot = 0});
        automaticDecomposition_ =
            add({.type = RelationType::AutomaticDecomposition, .start = tool_, .end = bolt_});
        for (const auto type : {RelationType::Decomposition, RelationType::Connector,
                                RelationType::HasException, RelationType::AnticipatesException,
                                RelationType::PerformedBy, RelationType::Navigation}) {
            make_.relation({.type = type, .start = assemble_, .end = bolt_, .context = assemble_})
                ->SetDeleted(true);
        }
        make_
            .relation({.type = RelationType::AutomaticDecomposition, .start = tool_, .end = bolt_})
            ->SetDeleted(true);
    }

    std::int32_t add(const test::FixtureRelation& relation) {
        auto inserted = make_.relation(relation);
        slots_[test::keyOf(*inserted)] = inserted->SlotID();
        return test::keyOf(*inserted);
    }
    std::int32_t slotOf(std::int32_t relationKey) { return slots_.at(relationKey); }

    static generic worker(std::int32_t key) { return test::loadedWorker(key); }

    test::FixtureCatalogue make_;
    std::map<std::int32_t, std::int32_t> slots_;
    std::int32_t assemble_ = 0, bolt_ = 0, inlet_ = 0, inner_ = 0, crew_ = 0, jam_ = 0, docs_ = 0,
                 tool_ = 0;
    std::int32_t toBolt_ = 0, toInlet_ = 0, connector_ = 0, automatic_ = 0, inContext_ = 0,
                 exceptionLate_ = 0, exceptionEarly_ = 0, detects_ = 0, anticipatesLate_ = 0,
                 anticipatesEarly_ = 0, performedBy_ = 0, navigation_ = 0, selfNavigation_ = 0,
                 navigatedFrom_ = 0, automaticDecomposition_ = 0;
};

TEST_F(RelationLists, EveryListAnswersWithItsRelationsInOrder) {
    const generic assemble = worker(assemble_);
    const generic jam = worker(jam_);
    const std::vector<std::tuple<std::string, Keys, Keys>> cases{
        {"decomposition: type 1 before 2, each by display order",
         keysOf(*assemble.GetDecomposition()),
         {toInlet_, toBolt_, connector_}},
        {"port relations", keysOf(*assemble.GetPortRels()), {toInlet_}},
        {"connectors of Bolt in Assemble",
         keysOf(*worker(bolt_).GetConnectors(assemble_)),
         {connector_, automatic_}},
        {"context connectors",
         keysOf(*assemble.GetContextConnectors(false)),
         {connector_, automatic_}},
        {"context connectors and in-context relations",
         keysOf(*assemble.GetContextConnectors(true)),
         {connector_, automatic_, inContext_}},
        {"exceptions of an activity",
         keysOf(*assemble.GetExceptions()),
         {exceptionEarly_, exceptionLate_}},
        {"exceptions of another entity",
         keysOf(*jam.GetExceptions()),
         {exceptionEarly_, exceptionLate_}},
        {"handlers of an activity, by type and order",
         keysOf(*assemble.GetExceptionHandlers()),
         {anticipatesEarly_, anticipatesLate_, detects_}},
        {"handlers of another entity",
         keysOf(*jam.GetExceptionHandlers()),
         {anticipatesEarly_, anticipatesLate_, detects_}},
        {"performed by, of an activity",
         keysOf(*assemble.GetPerformedByRelations()),
         {performedBy_}},
        {"performed by, of a resource",
         keysOf(*worker(crew_).GetPerformedByRelations()),
         {performedBy_}},
        {"performed by, of a thing", keysOf(*worker(docs_).GetPerformedByRelations()), {}},
        {"navigation", keysOf(*assemble.GetNavRelations()), {navigation_, selfNavigation_}},
        {"navigated from", keysOf(*assemble.GetNavigatedFrom()), {selfNavigation_, navigatedFrom_}},
        {"where used", keysOf(*worker(bolt_).GetWhereUsed()), {toBolt_, automaticDecomposition_}},
        {"decomposition relations", keysOf(*assemble.GetDecompRelations()), {toBolt_, toInlet_}},
        {"automatic decomposition relations",
         keysOf(*worker(tool_).GetDecompRelations()),
         {automaticDecomposition_}},
        {"connectors in context",
         keysOf(*worker(inlet_).GetConnectorsInContext(assemble)),
         {connector_, automatic_}},
    };
    for (const auto& [what, actual, expected] : cases) {
        EXPECT_EQ(actual, expected) << what;
    }
}

TEST_F(RelationLists, GetRelationsChoosesTypeAndColumn) {
    const generic assemble = worker(assemble_);
    const std::vector<std::tuple<std::int16_t, std::int16_t, Keys>> cases{
        // Every type at either end; the relation from Assemble to itself comes once.
        {0,
         either_end,
         {toBolt_, toInlet_, exceptionLate_, exceptionEarly_, detects_, anticipatesLate_,
          anticipatesEarly_, performedBy_, navigation_, selfNavigation_, navigatedFrom_}},
        {0,
         in_context,
         {toBolt_, toInlet_, connector_, automatic_, inContext_, exceptionLate_, exceptionEarly_,
          performedBy_, navigation_, selfNavigation_}},
        {9, from_start, {exceptionLate_, exceptionEarly_}},
        {10, to_end, {anticipatesLate_, anticipatesEarly_}},
        {4, either_end, {navigation_, selfNavigation_, navigatedFrom_}},
        // A type with the context column, which only the published member once refused.
        {1, in_context, {toBolt_, toInlet_}},
        {2, from_start, {}},
    };
    for (const auto& [type, direction, expected] : cases) {
        EXPECT_EQ(keysOf(*assemble.GetRelations(type, direction)), expected)
            << "type " << type << ", direction " << direction;
    }
}

TEST_F(RelationLists, GetSlotRelationsTakesEveryTypeOfTheSlot) {
    const generic assemble = worker(assemble_);
    EXPECT_EQ(keysOf(*assemble.GetSlotRelations(slotOf(connector_), in_context)),
              (Keys{connector_, inContext_}));
    EXPECT_EQ(keysOf(*assemble.GetSlotRelations(slotOf(connector_), from_start)), Keys{});
    EXPECT_EQ(keysOf(*assemble.GetSlotRelations(slotOf(toBolt_), either_end)), Keys{toBolt_});
    // Slot numbers are 32-bit.
    const std::int32_t far =
        add({.type = RelationType::PerformedBy, .start = assemble_, .end = crew_, .slot = 40000});
    EXPECT_EQ(keysOf(*assemble.GetSlotRelations(40000, from_start)), Keys{far});
}

TEST_F(RelationLists, ListsCarryTheRowsValues) {
    const auto navigation = worker(assemble_).GetNavRelations();
    ASSERT_EQ(navigation->Count(), 2);
    const auto& relation = navigation->GetItemByIndex(1);
    EXPECT_EQ(relation->ID(), RelationID(navigation_));
    EXPECT_EQ(relation->StartID(), EntityID(assemble_));
    EXPECT_EQ(relation->EndID(), EntityID(docs_));
    EXPECT_EQ(relation->RelationType(), 4);
    EXPECT_EQ(relation->ContextID(), -1);  // navigation relations report no context
    EXPECT_EQ(relation->InheritedFromRelID(), relation->ID());
    EXPECT_EQ(relation->SlotName(), "no slot");
    EXPECT_EQ(relation->ContextPath(), "no path");

    const auto from = worker(assemble_).GetNavigatedFrom();
    EXPECT_EQ(from->GetItemByIndex(2)->ContextID(), EntityID(tool_));
    const auto decomposition = worker(assemble_).GetDecomposition();
    EXPECT_EQ(decomposition->GetItemByIndex(1)->EndEntityType(), 3);
    EXPECT_EQ(decomposition->GetItemByIndex(1)->DisplayOrder(), 1);
}

TEST_F(RelationLists, AnEntityWithoutRelationsGetsEmptyLists) {
    const generic lonely = worker(make_.entity("Lonely", EntityType::Activity));
    const std::vector<std::shared_ptr<ObjRelations>> lists{
        lonely.GetConnectors(assemble_),
        lonely.GetDecomposition(),
        lonely.GetPortRels(),
        lonely.GetNavRelations(),
        lonely.GetNavigatedFrom(),
        lonely.GetWhereUsed(),
        lonely.GetContextConnectors(true),
        lonely.GetExceptions(),
        lonely.GetExceptionHandlers(),
        lonely.GetPerformedByRelations(),
        lonely.GetRelations(0, 0),
        lonely.GetSlotRelations(5, 3),
        lonely.GetDecompRelations(),
        lonely.GetConnectorsInContext(lonely),
        lonely.GetDecRelsOfPortsToo(),
    };
    for (const auto& list : lists) {
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->Count(), 0);
    }
}

TEST_F(RelationLists, ADeletedEntityIsRefusedWithEachListsOwnMessage) {
    make_.deleteEntity(assemble_);
    const generic assemble = worker(assemble_);
    constexpr std::string_view change = "You cannot make any changes to a deleted entity.";
    constexpr std::string_view object = "Object is deleted.";
    constexpr std::string_view access = "No access to a deleted entity.";
    const std::vector<std::tuple<std::string, std::function<void()>, std::string_view>> lists{
        {"GetConnectors", [&] { assemble.GetConnectors(1); }, change},
        {"GetDecomposition", [&] { assemble.GetDecomposition(); }, change},
        {"GetPortRels", [&] { assemble.GetPortRels(); }, change},
        {"GetNavRelations", [&] { assemble.GetNavRelations(); }, change},
        {"GetContextConnectors", [&] { assemble.GetContextConnectors(false); }, change},
        {"GetWhereUsed", [&] { assemble.GetWhereUsed(); }, change},
        {"GetNavigatedFrom", [&] { assemble.GetNavigatedFrom(); }, change},
        {"GetExceptions", [&] { assemble.GetExceptions(); }, object},
        {"GetExceptionHandlers", [&] { assemble.GetExceptionHandlers(); }, object},
        {"GetPerformedByRelations", [&] { assemble.GetPerformedByRelations(); }, access},
        {"GetRelations", [&] { assemble.GetRelations(0, 0); }, access},
        {"GetSlotRelations", [&] { assemble.GetSlotRelations(1, 0); }, access},
        {"GetDecompRelations", [&] { assemble.GetDecompRelations(); }, access},
        {"GetDecRelsOfPortsToo", [&] { assemble.GetDecRelsOfPortsToo(); }, access},
        {"GetPorts",
         [&] {
             Entities ports;
             assemble.GetPorts(ports, nullptr);
         },
         access},
    };
    for (const auto& [name, call, message] : lists) {
        const Error error = errorOf(call);
        EXPECT_EQ(error.number(), objectError(22)) << name;
        EXPECT_EQ(error.description(), message) << name;
    }
    // Its connectors can still be found through a context.
    EXPECT_EQ(keysOf(*worker(bolt_).GetConnectorsInContext(assemble)),
              (Keys{connector_, automatic_}));
    EXPECT_EQ(keysOf(*assemble.GetConnectorsInContext(worker(bolt_))), Keys{});
}

TEST_F(RelationLists, AnUnknownDirectionFailsBeforeAnyQuery) {
    const generic assemble = worker(assemble_);
    make_.deleteEntity(jam_);
    const generic deleted = worker(jam_);
    reset_global_db();  // a query would now fail with another error
    for (const std::int16_t direction : {-1, 4, 100}) {
        for (const auto& call :
             std::vector<std::function<void()>>{[&] { assemble.GetRelations(0, direction); },
                                                [&] { assemble.GetRelations(9, direction); },
                                                [&] { assemble.GetSlotRelations(3, direction); }}) {
            const Error error = errorOf(call);
            EXPECT_EQ(error.number(), objectError(22)) << direction;
            EXPECT_EQ(error.description(), "Unsupported direction specified.");
        }
    }
    // The deleted entity is refused first.
    EXPECT_EQ(errorOf([&] { deleted.GetRelations(0, 4); }).description(),
              "No access to a deleted entity.");
}

TEST_F(RelationLists, TheEntityHandsOnItsWorkersLists) {
    Entity assemble;
    assemble.LoadFromID(EntityID(assemble_));
    const generic& worker = *assemble.GetGeneric();
    const std::vector<std::pair<std::shared_ptr<ObjRelations>, std::shared_ptr<ObjRelations>>>
        pairs{
            {assemble.GetRelations(0, 3), worker.GetRelations(0, 3)},
            {assemble.GetPerformedBy(), worker.GetPerformedByRelations()},
            {assemble.GetExceptions(), worker.GetExceptions()},
            {assemble.GetExceptionHandlers(), worker.GetExceptionHandlers()},
            {assemble.GetDecomposition(), worker.GetDecomposition()},
            {assemble.GetPortRelations(), worker.GetPortRels()},
            {assemble.GetWhereUsed(), worker.GetWhereUsed()},
            {assemble.GetNavRelations(), worker.GetNavRelations()},
            {assemble.GetNavigatedFrom(), worker.GetNavigatedFrom()},
        };
    for (const auto& [published, own] : pairs) {
        EXPECT_EQ(keysOf(*published), keysOf(*own));
        EXPECT_NE(published, own);  // a new list for every call
    }
    EXPECT_EQ(errorOf([&] { assemble.GetRelations(0, 4); }).description(),
              "Unsupported direction specified.");

    // An entity that was never bound does not answer for key 0.
    Entity unbound;
    EXPECT_EQ(errorOf([&] { unbound.GetDecomposition(); }).number(), objectError(2));
    EXPECT_EQ(errorOf([&] { unbound.GetRelations(0, 0); }).number(), objectError(2));
}

}  // namespace
}  // namespace kt
