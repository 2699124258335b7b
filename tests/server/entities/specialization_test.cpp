#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "server/attributes/obj_relation.h"
#include "server/catalogue/catalogue_queries.h"
#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "server/entities/entities.h"
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

std::string text(const std::string& sql) {
    const auto value = global_db().database().scalar(sql);
    return value && !isNull(*value) ? Field("text", *value).asText() : std::string();
}

std::int32_t number(const std::string& sql, std::int32_t key) {
    return Field("number", *global_db().database().scalar(sql, key)).asLong();
}

struct Link {
    std::int32_t parent;
    std::int16_t type;
    bool operator==(const Link&) const = default;
};

// The live links to a child, in key order.
std::vector<Link> linksTo(std::int32_t child) {
    Recordset rows = global_db().CreateSnapshot(
        "SELECT spec_parent_ent_id, spec_type FROM Specialization WHERE spec_child_ent_id = ? "
        "AND spec_deleted = 0 ORDER BY spec_id",
        child);
    std::vector<Link> links;
    for (; !rows.eof(); rows.moveNext()) {
        links.push_back({rows["spec_parent_ent_id"].asLong(), rows["spec_type"].asInteger()});
    }
    return links;
}

std::shared_ptr<Entity> entity(std::int32_t key) {
    return GetEntity(EntityID(key));
}

std::int32_t keyOf(const Entity& entity) {
    return const_cast<Entity&>(entity).GetGeneric()->ID();
}

std::int32_t keyNamed(const std::string& name) {
    return Field("key",
                 *global_db().database().scalar(
                     "SELECT ent_id FROM Entity WHERE ent_name = ? AND ent_deleted = 0", name))
        .asLong();
}

class Specialization : public test::OpenCatalogueFixture {
protected:
    test::FixtureCatalogue make_;
};

// The thing "Tool" holds an attribute of each behaviour, decomposes into "Blade" and "Grip"
// (with a connector between them drawn in Tool), is managed by "Boss", and starts a connector
// drawn in "Shed". Its decomposition carries relation attributes of every behaviour.
class ThingSpecialization : public Specialization {
protected:
    void SetUp() override {
        Specialization::SetUp();
        tool_ = make_.entity("Tool");
        blade_ = make_.entity("Blade");
        grip_ = make_.entity("Grip");
        boss_ = make_.entity("Boss", EntityType::Activity);
        shed_ = make_.entity("Shed");
        loadedWorker(tool_).setContact("tool maker");
        generic tool = loadedWorker(tool_);
        for (std::int16_t behaviour = 1; behaviour <= 5; ++behaviour) {
            tool.AddNewAttribute("Attr " + std::to_string(behaviour), behaviour,
                                 Value(std::string("v")));
        }
        bladeSlot_ = test::keyOf(*tool.AddDecomposition(loadedWorker(blade_), 0, 1, "", ""));
        gripSlot_ = test::keyOf(*tool.AddDecomposition(loadedWorker(grip_), 0, 2, "", ""));
        managed_ = test::keyOf(*make_.relation(
            {.type = RelationType::IsManagedBy, .start = tool_, .end = boss_, .displayOrder = 4}));
        inner_ = test::keyOf(*make_.relation({.type = RelationType::Connector,
                                              .start = blade_,
                                              .end = grip_,
                                              .context = tool_,
                                              .displayOrder = 6,
                                              .contextPath = "1/2"}));
        make_.relation(
            {.type = RelationType::Connector, .start = tool_, .end = grip_, .context = shed_});
        const auto blade = std::make_shared<ObjRelation>();
        blade->LoadFromID(RelationID(bladeSlot_));
        for (std::int16_t behaviour = 1; behaviour <= 5; ++behaviour) {
            blade->AddNewAttribute("Rel " + std::to_string(behaviour), Value(std::string("value")),
                                   std::nullopt, behaviour);
        }
        global_db().Execute("UPDATE RelationAttributes SET atri_default_value = 'default'");
    }

    std::int32_t tool_ = 0, blade_ = 0, grip_ = 0, boss_ = 0, shed_ = 0;
    std::int32_t bladeSlot_ = 0, gripSlot_ = 0, managed_ = 0, inner_ = 0;
};

TEST_F(ThingSpecialization, ANewSpecializationGetsRowsCountsAttributesAndRelations) {
    const std::int32_t lastRelation = number("SELECT MAX(rel_id) FROM Relation WHERE ?", 1);
    const auto made = entity(tool_)->AddNewSpecialization("Hammer", "smith");
    const std::int32_t hammer = keyOf(*made);
    const generic row = loadedWorker(hammer);
    EXPECT_EQ(row.Name(), "Hammer");
    EXPECT_EQ(row.Contact(), "smith");
    EXPECT_EQ(row.Typ(), 0);
    EXPECT_EQ(row.SpecCount(), 0);
    EXPECT_EQ(row.DecompCount(), 2);
    EXPECT_TRUE(row.UniqueID().ends_with("UF" + std::to_string(hammer)));
    EXPECT_EQ(linksTo(hammer), (std::vector<Link>{{tool_, 1}}));
    EXPECT_EQ(loadedWorker(tool_).SpecCount(), 1);

    // Attributes follow their behaviour: 1 stays behind.
    EXPECT_EQ(text("SELECT group_concat(atri_name, ',') FROM Attributes WHERE atri_ent_ref = " +
                   std::to_string(hammer)),
              "Attr 2,Attr 3,Attr 4,Attr 5");

    // Two decompositions and the managed-by relation start at Hammer; the connector drawn in
    // Tool is drawn in Hammer; the connector drawn in Shed stays behind.
    const auto copies = test::storedRelationsAfter(lastRelation);
    ASSERT_EQ(copies.size(), 4u);
    for (const StoredRelation& copy : copies) {
        EXPECT_TRUE(copy.inherited);
        EXPECT_EQ(copy.context, hammer);
        EXPECT_EQ(copy.contact, "tool maker");
        const StoredRelation source = test::storedRelation(copy.inheritedFrom);
        EXPECT_EQ(copy.type, source.type);
        EXPECT_EQ(copy.name, source.name);
        EXPECT_EQ(copy.end, source.end);
        EXPECT_EQ(copy.slot, source.slot);
        EXPECT_EQ(copy.contextPath, source.contextPath);
        EXPECT_EQ(copy.slotUniqueId, source.slotUniqueId);
        EXPECT_NE(copy.uniqueId, source.uniqueId);
        if (copy.inheritedFrom == inner_) {
            EXPECT_EQ(copy.start, blade_);
            EXPECT_EQ(copy.displayOrder, 0);
        } else {
            EXPECT_EQ(copy.start, hammer);
            EXPECT_EQ(copy.displayOrder, source.displayOrder);
        }
    }
    EXPECT_EQ(copies[2].inheritedFrom, managed_);
    EXPECT_EQ(copies[3].inheritedFrom, inner_);
}

TEST_F(ThingSpecialization, RelationAttributesAreCopiedByBehaviour) {
    const auto made = entity(tool_)->AddNewSpecialization("Hammer", "smith");
    const std::int32_t bladeCopy =
        number("SELECT rel_id FROM Relation WHERE rel_start_ent_id = ? AND rel_end_ent_id = " +
                   std::to_string(blade_),
               keyOf(*made));
    Recordset rows = global_db().CreateSnapshot(
        "SELECT a.atri_name, a.atri_value, a.atri_default_value, a.atri_inherit, "
        "a.atri_inherit_from_atri_id = s.atri_inherit_from_atri_id AS same_origin "
        "FROM RelationAttributes a JOIN RelationAttributes s ON s.atri_name = a.atri_name AND "
        "s.atri_ent_ref = ? WHERE a.atri_ent_ref = ? ORDER BY a.atri_id",
        RelationID(bladeSlot_), RelationID(bladeCopy));
    std::vector<std::string> copied;
    for (; !rows.eof(); rows.moveNext()) {
        copied.push_back(rows["atri_name"].asText() + "=" + rows["atri_value"].asText() + "/" +
                         rows["atri_default_value"].asText());
        EXPECT_TRUE(rows["atri_inherit"].asBoolean());
        EXPECT_TRUE(rows["same_origin"].asBoolean());
    }
    EXPECT_EQ(copied, (std::vector<std::string>{"Rel 2=value/default", "Rel 3=default/default",
                                                "Rel 4=/default"}));
}

TEST_F(ThingSpecialization, CopiesFillInWhatTheirSourcesLeaveEmpty) {
    // The blade decomposition lacks a name, slot name, context path and slot unique ID; the
    // managed-by relation is itself a copy of relation 900; the grip decomposition gets a
    // relation attribute of its own.
    global_db().Execute(
        "UPDATE Relation SET rel_name = NULL, rel_slot_name = '', rel_context_path = NULL, "
        "rel_slot_unique_id = '' WHERE rel_id = ?",
        bladeSlot_);
    global_db().Execute(
        "UPDATE Relation SET rel_inherit = 1, rel_inherit_from_rel_id = 900 WHERE rel_id = ?",
        managed_);
    const auto grip = std::make_shared<ObjRelation>();
    grip->LoadFromID(RelationID(gripSlot_));
    grip->AddNewAttribute("Grip 2", Value(std::string("g")), std::nullopt, 2);
    const std::int32_t lastRelation = number("SELECT MAX(rel_id) FROM Relation WHERE ?", 1);
    const std::int32_t lastAttribute =
        number("SELECT MAX(atri_id) FROM RelationAttributes WHERE ?", 1);

    const std::int32_t hammer = keyOf(*entity(tool_)->AddNewSpecialization("Hammer", "smith"));
    const auto copies = test::storedRelationsAfter(lastRelation);
    ASSERT_EQ(copies.size(), 4u);
    const StoredRelation& blade = copies[0];
    const std::string bladeId = std::to_string(RelationID(blade.key));
    EXPECT_EQ(blade.name, "");
    EXPECT_EQ(blade.slotName, "no slot");
    EXPECT_EQ(blade.contextPath, "no path");
    EXPECT_TRUE(blade.uniqueId.ends_with("EI" + std::to_string(hammer) + "RL" + bladeId));
    EXPECT_TRUE(blade.slotUniqueId.ends_with("EI" + std::to_string(hammer) + "SL" + bladeId));
    EXPECT_EQ(blade.uniqueId.substr(0, blade.uniqueId.find("EI")),
              blade.slotUniqueId.substr(0, blade.slotUniqueId.find("EI")));
    EXPECT_EQ(copies[2].inheritedFrom, 900);
    // The connector drawn in Tool keeps its start, which its unique ID names.
    EXPECT_TRUE(copies[3].uniqueId.ends_with("EI" + std::to_string(blade_) + "RL" +
                                             std::to_string(RelationID(copies[3].key))));

    // The relation attributes' keys follow the copies, then the sources' keys.
    Recordset attributes = global_db().CreateSnapshot(
        "SELECT atri_ent_ref, atri_name FROM RelationAttributes WHERE atri_id > ? ORDER BY "
        "atri_id",
        lastAttribute);
    std::vector<std::string> made;
    for (; !attributes.eof(); attributes.moveNext()) {
        made.push_back(std::to_string(attributes["atri_ent_ref"].asLong() / 100) + " " +
                       attributes["atri_name"].asText());
    }
    const std::string first = std::to_string(copies[0].key) + " ";
    const std::string second = std::to_string(copies[1].key) + " ";
    EXPECT_EQ(made, (std::vector<std::string>{first + "Rel 2", first + "Rel 3", first + "Rel 4",
                                              second + "Grip 2"}));
}

TEST_F(ThingSpecialization, APifIdHeldByALiveEntityIsRefusedAndWritesNothing) {
    addEntity("Holder", EntityType::Thing, "PIF-1");
    const std::int32_t gone = addEntity("Gone", EntityType::Thing, "PIF-2");
    make_.deleteEntity(gone);
    const std::string before = test::hierarchyState();
    const Error error =
        errorOf([&] { entity(tool_)->AddNewSpecialization("Hammer", "", {}, "PIF-1"); });
    EXPECT_EQ(error.number(), objectError(667));
    EXPECT_EQ(error.source(), "AddNewSpecialization");
    EXPECT_EQ(error.description(), "The PIF ID PIF-1 is not unique");
    EXPECT_EQ(test::hierarchyState(), before);

    const auto made = entity(tool_)->AddNewSpecialization("Hammer", "", {}, "PIF-2");
    EXPECT_EQ(made->GetGeneric()->UniqueID(), "PIF-2");
}

TEST_F(ThingSpecialization, NamesEndingInRootAreRefused) {
    for (const std::string name : {"", "Root", "Activity Root", "Tree Root"}) {
        SCOPED_TRACE(name);
        const std::string before = test::hierarchyState();
        EXPECT_EQ(errorOf([&] { entity(tool_)->AddNewSpecialization(name, ""); }).number(),
                  objectError(24));
        EXPECT_EQ(test::hierarchyState(), before);
    }
    for (const std::string name : {"Rootstock", "Tree root", "Say \"hi\""}) {
        EXPECT_EQ(entity(tool_)->AddNewSpecialization(name, "")->Name(), name);
    }
}

TEST_F(Specialization, ParentsThatPassNoRelationsGiveADecompositionCountOfZero) {
    for (const EntityType type : {EntityType::Bundle, EntityType::AttributeType,
                                  EntityType::EntityCollection, EntityType::UserGroup}) {
        SCOPED_TRACE(static_cast<int>(type));
        const std::int32_t parent = make_.entity("Parent", type);
        loadedWorker(parent).AddDecomposition(loadedWorker(make_.entity("Child")), 0, 0, "", "");
        ASSERT_EQ(loadedWorker(parent).DecompCount(), 1);
        const auto made = loadedWorker(parent).AddNewSpecialization("Kid", "", true, {}, {});
        EXPECT_EQ(made->DecompCount(), 0);
        EXPECT_EQ(made->GetDecompRelations()->Count(), 0);
    }
}

TEST_F(Specialization, ADeletedParentRefusesANewSpecialization) {
    const std::int32_t parent = make_.entity("Parent");
    make_.deleteEntity(parent);
    Entity deleted;
    deleted.LoadFromID(EntityID(parent));
    EXPECT_EQ(errorOf([&] { deleted.AddNewSpecialization("Kid", ""); }).number(), objectError(22));
}

// The activity "Run" with the default bundle "Default Run".
class ActivitySpecialization : public Specialization {
protected:
    void SetUp() override {
        Specialization::SetUp();
        run_ = keyOf(*entity(0)->AddNewSpecialization("Run", ""));
        runBundle_ = keyNamed("Default Run");
    }
    std::int32_t run_ = 0, runBundle_ = 0;
};

TEST_F(ActivitySpecialization, ANewActivityJoinsTheDefaultBundleAndGetsItsOwn) {
    loadedWorker(run_).AddNewAttribute("Pace", 2, Value(std::string("fast")));
    const std::int32_t step = make_.entity("Step", EntityType::Activity);
    loadedWorker(run_).AddDecomposition(loadedWorker(step), 0, 0, "", "");
    const auto sprint = entity(run_)->AddNewSpecialization("Sprint", "");
    const std::int32_t key = keyOf(*sprint);
    const std::int32_t own = keyNamed("Default Sprint");
    EXPECT_EQ(linksTo(key), (std::vector<Link>{{runBundle_, 1}, {run_, 2}}));
    EXPECT_EQ(linksTo(own), (std::vector<Link>{{key, 1}}));
    EXPECT_EQ(loadedWorker(run_).SpecCount(), 1);
    EXPECT_EQ(loadedWorker(runBundle_).SpecCount(), 1);
    EXPECT_EQ(loadedWorker(key).BundleCount(), 1);
    EXPECT_EQ(loadedWorker(key).GetDBAttributeVal("Pace"), Value(std::string("fast")));
    const auto decomposition = loadedWorker(key).GetDecompRelations();
    ASSERT_EQ(decomposition->Count(), 1);
    EXPECT_EQ(KeyOfID(decomposition->GetItemByIndex(1)->EndID()), step);
    EXPECT_TRUE(decomposition->GetItemByIndex(1)->Inherited());
    EXPECT_EQ(loadedWorker(key).DecompCount(), 1);
    EXPECT_EQ(sprint->GetSpecializations()->Count(), 0);
    EXPECT_EQ(entity(run_)->GetSpecializations()->Count(), 1);
}

TEST_F(ActivitySpecialization, AGivenBundleHoldsTheNewActivity) {
    const std::int32_t other = make_.entity("Other", EntityType::Bundle);
    entity(run_)->AddItemToAttrCol("kt_Bundles", entity(other));
    const auto jog = entity(run_)->AddNewSpecialization("Jog", "", EntityID(other));
    EXPECT_EQ(linksTo(keyOf(*jog)), (std::vector<Link>{{other, 1}, {run_, 2}}));

    // A bundle of another activity is no place for it.
    const std::int32_t stray = make_.entity("Stray", EntityType::Bundle);
    const std::string before = test::hierarchyState();
    EXPECT_EQ(
        errorOf([&] { entity(run_)->AddNewSpecialization("Walk", "", EntityID(stray)); }).number(),
        objectError(17));
    EXPECT_EQ(test::hierarchyState(), before);
}

TEST_F(Specialization, CreatingTheDefaultBundleOnTheWayTakesFreshKeys) {
    // An activity without any bundle: the new specialization makes one first.
    const std::int32_t bare = make_.entity("Bare", EntityType::Activity);
    const std::int32_t before = number("SELECT COUNT(*) FROM Specialization WHERE ?", 1);
    const auto kid = entity(bare)->AddNewSpecialization("Kid", "");
    const std::int32_t made = keyNamed("Special Default Bare");
    EXPECT_EQ(linksTo(made), (std::vector<Link>{{bare, 1}}));
    EXPECT_EQ(linksTo(keyOf(*kid)), (std::vector<Link>{{made, 1}, {bare, 2}}));
    EXPECT_EQ(number("SELECT COUNT(*) FROM Specialization WHERE ?", 1), before + 4);
    EXPECT_EQ(number("SELECT COUNT(DISTINCT spec_id) FROM Specialization WHERE ?", 1), before + 4);
    EXPECT_EQ(loadedWorker(bare).BundleCount(), 1);
}

TEST_F(Specialization, TheDefaultBundleIsNamedForTheActivityElseTheFirstElseMade) {
    struct Case {
        std::string activity;
        std::vector<std::string> bundles;
        std::string expected;
    };
    const std::vector<Case> cases{
        {"A", {"B1", "Default A"}, "Default A"},
        {"A", {"B1"}, "B1"},
        {"A", {}, "Special Default A"},
        {"Say \"hi\"", {"B1", "Default Say \"hi\""}, "Default Say \"hi\""},
        // Names compare without regard to case in the catalogue, but not here.
        {"A", {"DEFAULT A", "Default A"}, "Default A"},
        {"A", {"default a", "B1"}, "default a"},
        {"A", {"B1", "default a"}, "B1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        const std::int32_t activity = make_.entity(c.activity, EntityType::Activity);
        for (const std::string& name : c.bundles) {
            make_.specialize(activity, make_.entity(name, EntityType::Bundle));
        }
        generic worker = loadedWorker(activity);
        const auto bundle = worker.GetDefaultBundle();
        EXPECT_EQ(bundle->Name(), c.expected);
        EXPECT_EQ(linksTo(bundle->ID()), (std::vector<Link>{{activity, 1}}));
        // Asked again, the same bundle.
        EXPECT_EQ(loadedWorker(activity).GetDefaultBundle()->ID(), bundle->ID());
    }
    generic thing = loadedWorker(make_.entity("Thing"));
    EXPECT_EQ(errorOf([&] { thing.GetDefaultBundle(); }).number(), objectError(3));
}

// Adoption. "Frame" (a thing) decomposes in slots 5 and 6 and holds the attribute "Size";
// "Loose" already fills slot 5 and has its own "Size".
class Adoption : public Specialization {
protected:
    void SetUp() override {
        Specialization::SetUp();
        frame_ = make_.entity("Frame");
        loose_ = make_.entity("Loose");
        const std::int32_t wheel = make_.entity("Wheel");
        const std::int32_t seat = make_.entity("Seat");
        slot5_ = test::keyOf(*make_.relation({.start = frame_, .end = wheel, .slot = 5}));
        slot6_ = test::keyOf(*make_.relation({.start = frame_, .end = seat, .slot = 6}));
        ownSlot5_ = test::keyOf(*make_.relation({.start = loose_, .end = seat, .slot = 5}));
        loadedWorker(frame_).AddNewAttribute("Size", 2, Value(std::string("L")));
        loadedWorker(frame_).AddNewAttribute("Weight", 2, Value(std::string("9")));
        loadedWorker(loose_).AddNewAttribute("Size", 2, Value(std::string("S")));
    }
    std::int32_t frame_ = 0, loose_ = 0, slot5_ = 0, slot6_ = 0, ownSlot5_ = 0;
};

TEST_F(Adoption, TheChildKeepsItsSlotsAndGainsTheOthers) {
    entity(frame_)->AdoptSpecialization(*entity(loose_));
    EXPECT_EQ(linksTo(loose_), (std::vector<Link>{{frame_, 1}}));
    EXPECT_EQ(loadedWorker(frame_).SpecCount(), 1);
    EXPECT_EQ(loadedWorker(loose_).GetDBAttributeVal("Size"), Value(std::string("S")));
    EXPECT_EQ(loadedWorker(loose_).GetDBAttributeVal("Weight"), Value(std::string("9")));

    const auto decomposition = loadedWorker(loose_).GetDecompRelations();
    ASSERT_EQ(decomposition->Count(), 2);
    EXPECT_EQ(test::keyOf(*decomposition->GetItemByIndex(1)), ownSlot5_);
    const StoredRelation gained =
        test::storedRelation(test::keyOf(*decomposition->GetItemByIndex(2)));
    EXPECT_EQ(gained.slot, 6);
    EXPECT_EQ(gained.end, test::storedRelation(slot6_).end);
    EXPECT_TRUE(gained.inherited);
    EXPECT_EQ(gained.inheritedFrom, slot6_);
}

TEST_F(Adoption, AnActivityAdoptsThroughItsDefaultBundle) {
    const std::int32_t run = keyOf(*entity(0)->AddNewSpecialization("Run", ""));
    const std::int32_t stray = make_.entity("Stray", EntityType::Activity);
    entity(run)->AdoptSpecialization(*entity(stray));
    const std::int32_t bundle = keyNamed("Default Run");
    EXPECT_EQ(linksTo(stray), (std::vector<Link>{{bundle, 1}, {run, 2}}));
    EXPECT_EQ(loadedWorker(run).SpecCount(), 1);
    EXPECT_EQ(loadedWorker(bundle).SpecCount(), 1);

    // A bundle adopts for its activity, which passes on its relations.
    const std::int32_t other = make_.entity("Other", EntityType::Activity);
    entity(bundle)->AdoptSpecialization(*entity(other));
    EXPECT_EQ(linksTo(other), (std::vector<Link>{{bundle, 1}, {run, 2}}));
    EXPECT_EQ(loadedWorker(run).SpecCount(), 2);
    EXPECT_EQ(loadedWorker(bundle).SpecCount(), 2);
}

TEST_F(Adoption, EveryKindOfLoopIsRefusedBeforeAnythingIsWritten) {
    const std::int32_t middle = make_.entity("Middle");
    const std::int32_t bottom = make_.entity("Bottom");
    make_.specialize(frame_, middle);
    make_.specialize(middle, bottom);
    const std::int32_t orphan = make_.entity("Orphan", EntityType::Bundle);
    const std::int32_t activity = make_.entity("Act", EntityType::Activity);
    struct Case {
        std::string label;
        std::int32_t parent;
        std::int32_t child;
        std::string message;
    };
    const std::vector<Case> cases{
        {"itself", middle, middle, "An entity cannot be its own specialization."},
        {"already below", frame_, middle,
         "This entity is already a specialization of the adopting entity."},
        {"its parent", middle, frame_, "An entity cannot adopt one of its own generalizations."},
        {"its grandparent", bottom, frame_,
         "An entity cannot adopt one of its own generalizations."},
        {"bundle without activity", orphan, activity,
         "This bundle belongs to no activity, so it cannot adopt a specialization."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const std::string before = test::hierarchyState();
        const Error error =
            errorOf([&] { entity(c.parent)->AdoptSpecialization(*entity(c.child)); });
        EXPECT_EQ(error.number(), objectError(27));
        EXPECT_EQ(error.description(), c.message);
        EXPECT_EQ(test::hierarchyState(), before);
    }
    make_.deleteEntity(loose_);
    Entity deleted;
    deleted.LoadFromID(EntityID(loose_));
    EXPECT_EQ(errorOf([&] { entity(frame_)->AdoptSpecialization(deleted); }).number(),
              objectError(22));
}

TEST_F(Specialization, AnExceptionReachesTwoSpecializationsAndTheOneBelow) {
    const std::int32_t top = make_.entity("Top", EntityType::Activity);
    const std::int32_t left = make_.entity("Left", EntityType::Activity);
    const std::int32_t right = make_.entity("Right", EntityType::Activity);
    const std::int32_t under = make_.entity("Under", EntityType::Activity);
    make_.specialize(top, left, cache_specialization, 1);
    make_.specialize(top, right, cache_specialization, 2);
    make_.specialize(left, under, cache_specialization);
    const std::int32_t problem = make_.entity("Problem", EntityType::ExceptionGroup);
    const auto added = entity(top)->AddException(*entity(problem), "", "");
    const std::int32_t key = test::keyOf(*added);
    const auto copies = test::storedRelationsAfter(key);
    ASSERT_EQ(copies.size(), 3u);
    std::set<std::int32_t> keys;
    Keys starts;
    for (const StoredRelation& copy : copies) {
        keys.insert(copy.key);
        starts.push_back(copy.start);
        EXPECT_EQ(copy.inheritedFrom, key);
        EXPECT_EQ(copy.type, 9);
        EXPECT_EQ(copy.name, "Exception Relation");
    }
    EXPECT_EQ(keys.size(), 3u);
    EXPECT_EQ(starts, (Keys{left, under, right}));
}

}  // namespace
}  // namespace kt
