#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "server/attributes/obj_relation.h"
#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "server/entities/entity.h"
#include "server/entities/generic.h"
#include "tests/server/database/open_catalogue_fixture.h"
#include "tests/server/support/fixture_catalogue.h"
#include "tests/server/support/relation_rows.h"

namespace kt {
namespace {

using test::errorOf;
using test::loadedWorker;
using Keys = std::vector<std::int32_t>;

class TypedRelations : public test::OpenCatalogueFixture {
protected:
    std::shared_ptr<Entity> entity(EntityType type, const std::string& name = "Entity") {
        auto bound = std::make_shared<Entity>();
        bound->LoadFromID(EntityID(make_.entity(name, type)));
        return bound;
    }
    static std::int32_t keyOf(Entity& entity) { return entity.GetGeneric()->ID(); }

    test::FixtureCatalogue make_;
};

using Add = std::function<std::shared_ptr<ObjRelation>(Entity& self, Entity& end)>;

Add typedRelation(std::int16_t type) {
    return [type](Entity& self, Entity& end) { return self.AddRelation(end, type, "", ""); };
}
Add exceptionHandler(std::int16_t type) {
    return
        [type](Entity& self, Entity& end) { return self.AddExceptionHandler(end, type, "", ""); };
}
const Add addPerformedBy = [](Entity& self, Entity& end) {
    return self.AddPerformedBy(end, "", "");
};
const Add addException = [](Entity& self, Entity& end) { return self.AddException(end, "", ""); };

struct RuleCase {
    std::string label;
    EntityType self;
    EntityType end;
    Add add;
    // The stored name when the relation is made, else the error's number and text.
    std::string name;
    int error = 0;
    std::string message{};
};

TEST_F(TypedRelations, TheTypesOfBothEndsDecideBeforeAnythingIsWritten) {
    using T = EntityType;
    const std::string unsupported = "Relation Type not supported with this method.";
    const std::vector<RuleCase> cases{
        {"performed where", T::Activity, T::Resource, typedRelation(15), "Performed_where"},
        {"performed where from a thing", T::Thing, T::Resource, typedRelation(15), "", 26,
         "Only activities can have Performed_By relations."},
        {"performed where at a thing", T::Activity, T::Thing, typedRelation(15), "", 26,
         "You cannot add this entity type as a performed where."},
        {"specialized by from a resource", T::Resource, T::Activity, typedRelation(16),
         "Specialized_by"},
        {"specialized by from a dependency", T::Dependency, T::Activity, typedRelation(16), "", 26,
         "Only activities or resources can have Specialized_by relations."},
        {"specialized by at a thing", T::Activity, T::Thing, typedRelation(16), "", 26,
         "You must have an activity to perform the specialization in the specialized by relation."},
        {"behaviour between any", T::Port, T::Bundle, typedRelation(17), "Has_Behavior"},
        {"caused by between any", T::Resource, T::Port, typedRelation(20), "Caused_by"},
        {"behaviour of a thing", T::Thing, T::ExceptionGroup, typedRelation(21), "Has_Behavior"},
        {"behaviour of a port", T::Port, T::ExceptionGroup, typedRelation(21), "", 26,
         "In general, activities have Behavior relations."},
        {"behaviour at an activity", T::Activity, T::Activity, typedRelation(21), "", 26,
         "You cannot add this entity type as a behavior."},
        {"type 14", T::Activity, T::Resource, typedRelation(14), "", 26, unsupported},
        {"type 18", T::Activity, T::Resource, typedRelation(18), "", 26, unsupported},
        {"type 19", T::Activity, T::Resource, typedRelation(19), "", 26, unsupported},
        {"type 22", T::Activity, T::Resource, typedRelation(22), "", 26, unsupported},
        {"performed by", T::Activity, T::Resource, addPerformedBy, "Performed by"},
        {"performed by a thing", T::Activity, T::Thing, addPerformedBy, "", 26,
         "You cannot add this entity type as an Performer."},
        {"performed by for a thing", T::Thing, T::Resource, addPerformedBy, "", 26,
         "Only activities can have Performed_By relations."},
        {"exception of an activity", T::Activity, T::ExceptionGroup, addException, "Has Exception"},
        {"exception of a group", T::ExceptionGroup, T::ExceptionGroup, addException,
         "Has Exception"},
        {"exception of a thing", T::Thing, T::Activity, addException, "", 26,
         "Only activities can have exceptions."},
        {"activity's exception a thing", T::Activity, T::Thing, addException, "", 26,
         "You cannot add this entity type as an exception."},
        {"handler", T::ExceptionGroup, T::Activity, exceptionHandler(12), "Detects Exception"},
        {"handler a thing", T::ExceptionGroup, T::Thing, exceptionHandler(12), "", 26,
         "You cannot add this entity type as an exception handler."},
        {"handler of other types", T::Thing, T::Activity, exceptionHandler(12), "", 26,
         "Only activities can have exceptions."},
        {"handler type 9", T::ExceptionGroup, T::Activity, exceptionHandler(9), "", 3,
         "Invalid relation type for operation"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        auto self = entity(c.self);
        auto end = entity(c.end);
        const std::string before = test::catalogueState();
        if (c.error != 0) {
            const Error error = errorOf([&] { c.add(*self, *end); });
            EXPECT_EQ(error.number(), objectError(c.error));
            EXPECT_EQ(error.description(), c.message);
            EXPECT_EQ(test::catalogueState(), before);
            continue;
        }
        const auto relation = c.add(*self, *end);
        const auto row = test::storedRelation(test::keyOf(*relation));
        EXPECT_EQ(row.name, c.name);
        EXPECT_EQ((Keys{row.start, row.end, row.context}),
                  (Keys{keyOf(*self), keyOf(*end), keyOf(*self)}));
        EXPECT_GT(row.slot, 0);
    }
}

TEST_F(TypedRelations, ANavigationRelationMayJoinAnEntityWithItselfAndStaysWhereItIsMade) {
    auto self = entity(EntityType::Port);
    const auto below = make_.entity("Below", EntityType::Port);
    make_.specialize(keyOf(*self), below);
    const auto first = self->AddNewNavRelation(*self, "", "");
    const auto second = self->AddNewNavRelation(*self, "", "");
    const auto row = test::storedRelation(test::keyOf(*first));
    EXPECT_EQ((Keys{row.type, row.slot, row.endType, row.start, row.end}),
              (Keys{4, 0, 0, keyOf(*self), keyOf(*self)}));
    EXPECT_EQ(row.slotName, "no slot");
    EXPECT_EQ(row.contextPath, "no path");
    EXPECT_NE(row.uniqueId, test::storedRelation(test::keyOf(*second)).uniqueId);
    EXPECT_EQ(test::storedRelationsAfter(test::keyOf(*second)).size(), 0U);
}

TEST_F(TypedRelations, UnboundAndDeletedEntitiesAreRefused) {
    auto self = entity(EntityType::Activity);
    auto crew = entity(EntityType::Resource);
    Entity unbound;
    EXPECT_EQ(errorOf([&] { self->AddPerformedBy(unbound, "", ""); }).number(), objectError(2));
    EXPECT_EQ(errorOf([&] { unbound.AddNewNavRelation(*crew, "", ""); }).number(), objectError(2));
    crew->GetGeneric()->setDeleted(true);
    const std::string before = test::catalogueState();
    const Error error = errorOf([&] { self->AddPerformedBy(*crew, "", ""); });
    EXPECT_EQ(error.number(), objectError(22));
    EXPECT_EQ(error.description(), "You cannot make any changes to a deleted entity.");
    EXPECT_EQ(test::catalogueState(), before);
}

TEST_F(TypedRelations, RemovingNavigationRelationsTellsWhetherThereWasOne) {
    auto parent = entity(EntityType::Thing, "Parent");
    auto other = entity(EntityType::Thing, "Other");
    auto target = entity(EntityType::Thing, "Target");
    const auto first = parent->AddNewNavRelation(*target, "", "");
    const auto second = parent->AddNewNavRelation(*target, "", "");
    const auto kept = other->AddNewNavRelation(*target, "", "");
    const auto backwards = target->AddNewNavRelation(*parent, "", "");

    EXPECT_TRUE(target->RemoveNavRelation(*parent));
    EXPECT_FALSE(target->RemoveNavRelation(*parent));
    EXPECT_FALSE(parent->RemoveNavRelation(*parent));
    const auto deleted = [](const ObjRelation& r) {
        return test::storedRelation(test::keyOf(r)).deleted;
    };
    EXPECT_EQ(
        (std::vector<bool>{deleted(*first), deleted(*second), deleted(*kept), deleted(*backwards)}),
        (std::vector<bool>{true, true, false, false}));
}

TEST_F(TypedRelations, ATypedRelationIsRemovedWithItsCopiesInTheSubtree) {
    auto top = entity(EntityType::Activity, "Top");
    const auto mid = make_.entity("Mid", EntityType::Activity);
    const auto low = make_.entity("Low", EntityType::Activity);
    make_.specialize(keyOf(*top), mid, cache_specialization);
    make_.specialize(mid, low, cache_specialization);
    auto crew = entity(EntityType::Resource, "Crew");
    const auto relation = top->AddPerformedBy(*crew, "", "");
    const auto copies = test::storedRelationsAfter(test::keyOf(*relation));
    ASSERT_EQ(copies.size(), 2U);

    // Removed at "Mid": "Mid" and "Low" lose it, "Top" keeps it.
    auto atMid = std::make_shared<ObjRelation>();
    atMid->LoadFromID(RelationID(copies[0].key));
    EXPECT_TRUE(atMid->Delete());
    EXPECT_EQ((std::vector<bool>{test::storedRelation(test::keyOf(*relation)).deleted,
                                 test::storedRelation(copies[0].key).deleted,
                                 test::storedRelation(copies[1].key).deleted}),
              (std::vector<bool>{false, true, true}));
    // Nothing is left to remove there a second time.
    EXPECT_FALSE(loadedWorker(mid).DeleteRelation(*atMid));
    EXPECT_TRUE(loadedWorker(keyOf(*top)).DeleteRelation(*relation));
}

}  // namespace
}  // namespace kt
