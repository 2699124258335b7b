#include "server/attributes/obj_attribute.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <variant>
#include <vector>

#include "server/attributes/attribute_names.h"
#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "server/entities/entities.h"
#include "server/entities/entity.h"
#include "server/entities/generic.h"
#include "tests/server/database/open_catalogue_fixture.h"
#include "tests/server/support/fixture_catalogue.h"
#include "tests/server/support/relation_rows.h"

namespace kt {
namespace {

using test::errorOf;

Value text(const std::string& value) {
    return Value(value);
}

class ObjAttributeFixture : public test::OpenCatalogueFixture {
protected:
    static std::shared_ptr<generic> worker(std::int32_t key) {
        auto loaded = std::make_shared<generic>();
        loaded->Init(key);
        return loaded;
    }
    // A stored attribute of a new entity of `type`, loaded as hosts get it.
    std::shared_ptr<ObjAttribute> stored(const std::string& name,
                                         EntityType type = EntityType::Thing,
                                         const std::string& value = "old") {
        const auto owner = worker(make_.entity("owner", type));
        owner->AddNewAttribute(name, 1, text(value));
        return owner->GetDBAttribute(name);
    }
    std::string column(const ObjAttribute& attribute, const std::string& name) {
        return textOf("SELECT " + name + " FROM Attributes WHERE atri_id = ?",
                      KeyOfID(attribute.ID()));
    }

    test::FixtureCatalogue make_;
};

TEST_F(ObjAttributeFixture, MetadataChangesRefuseInOrder) {
    enum class Setup { Plain, Reserved, Deleted, EntityHolding };
    struct Case {
        std::string what;
        Setup setup;
        std::function<void(ObjAttribute&)> change;
        int error;
    };
    const auto rename = [](ObjAttribute& a) { a.setName("New"); };
    const auto retype = [](ObjAttribute& a) { a.setDataType("Long"); };
    const std::vector<Case> cases{
        {"deleted rename", Setup::Deleted, rename, 21},
        {"deleted behaviour", Setup::Deleted, [](ObjAttribute& a) { a.setInheritanceBehaviour(9); },
         21},
        {"deleted value", Setup::Deleted, [](ObjAttribute& a) { a.setValue(text("x")); }, 21},
        {"reserved rename", Setup::Reserved, rename, 10},
        {"reserved delete", Setup::Reserved, [](ObjAttribute& a) { a.setDeleted(true); }, 10},
        {"reserved default", Setup::Reserved, [](ObjAttribute& a) { a.setDefaultValue(text("d")); },
         10},
        {"entity type", Setup::EntityHolding, retype, 12},
        {"behaviour 0", Setup::Plain, [](ObjAttribute& a) { a.setInheritanceBehaviour(0); }, 20},
        {"behaviour 5", Setup::Plain, [](ObjAttribute& a) { a.setInheritanceBehaviour(5); }, 20},
    };
    for (const auto& [what, setup, change, number] : cases) {
        auto attribute = stored(setup == Setup::Reserved ? "Description" : "Colour");
        if (setup == Setup::EntityHolding) {
            attribute->setDataType("Entity Object");
        }
        if (setup == Setup::Deleted) {
            attribute->setDeleted(true);
        }
        const std::string before = column(*attribute, "atri_name") +
                                   column(*attribute, "atri_data_type") +
                                   column(*attribute, "atri_inherit_behavior");
        const std::string name = attribute->Name();
        EXPECT_EQ(errorOf([&] { change(*attribute); }).number(), objectError(number)) << what;
        EXPECT_EQ(attribute->Name(), name) << what;
        EXPECT_EQ(column(*attribute, "atri_name") + column(*attribute, "atri_data_type") +
                      column(*attribute, "atri_inherit_behavior"),
                  before)
            << what;
    }
}

TEST_F(ObjAttributeFixture, MetadataChangesWriteTheRowAndStampTheOwner) {
    auto attribute = stored("Colour");
    sql("UPDATE Entity SET ent_last_modified = '01-01-2000 00:00:00' WHERE ent_id = ?",
        KeyOfID(attribute->OwnerObjectID()));
    attribute->setName("Shade");
    attribute->setDataType("Entity Collection");  // onto a plain type it is allowed
    attribute->setDefaultValue(Value());
    attribute->setInheritFromParent(false);
    for (const std::int16_t behaviour : {1, 2, 3, 4}) {
        attribute->setInheritanceBehaviour(behaviour);
    }
    EXPECT_EQ(column(*attribute, "atri_name"), "Shade");
    EXPECT_EQ(column(*attribute, "atri_data_type"), "Entity Collection");
    EXPECT_EQ(column(*attribute, "atri_default_value"), "-");
    EXPECT_EQ(attribute->DefaultValue(), text("-"));
    EXPECT_EQ(column(*attribute, "atri_inherit_from_parent"), "0");
    EXPECT_EQ(column(*attribute, "atri_inherit_behavior"), "4");
    EXPECT_NE(textOf("SELECT ent_last_modified FROM Entity WHERE ent_id = ?",
                     KeyOfID(attribute->OwnerObjectID())),
              "01-01-2000 00:00:00");
}

TEST_F(ObjAttributeFixture, ValuesAreCheckedByNameAndOwnerType) {
    struct Case {
        std::string storedName;
        EntityType owner;
        Value value;
        int error;  // 0: written
    };
    const std::vector<Case> cases{
        {"Actors", EntityType::Activity, text("crew"), 0},
        {"Actors", EntityType::Port, text("crew"), 3},
        {"Location", EntityType::Thing, text("yard"), 3},
        {"PortType", EntityType::Port, text("Consumer"), 0},
        {"PortType", EntityType::Port, text("consumer"), 4},
        {"PortType", EntityType::Activity, text("Consumer"), 3},
        {"DecSentenceValue", EntityType::Port, text("v"), 0},
        {"Values", EntityType::AttributeType, text("a;b"), 0},
        {"DefaultValue", EntityType::Thing, text("a"), 3},
        {"Description", EntityType::Resource, text("d"), 0},
        {"Colour", EntityType::Resource, std::int64_t{7}, 0},
    };
    for (const auto& [storedName, owner, value, number] : cases) {
        auto attribute = stored(storedName, owner);
        const auto call = [&] { attribute->setValue(value); };
        if (number == 0) {
            call();
            EXPECT_EQ(column(*attribute, "atri_value"), Field("v", value).asText()) << storedName;
            EXPECT_EQ(attribute->Value(), text(Field("v", value).asText())) << storedName;
        } else {
            EXPECT_EQ(errorOf(call).number(), objectError(number)) << storedName;
            EXPECT_EQ(column(*attribute, "atri_value"), "old") << storedName;
            EXPECT_EQ(attribute->Value(), text("old")) << storedName;
        }
    }
    auto attribute = stored("Colour");
    EXPECT_EQ(errorOf([&] { attribute->setValue(Value()); }).description(), "Invalid use of Null");
}

TEST_F(ObjAttributeFixture, SystemAttributesWriteTheirEntity) {
    const auto owner = worker(make_.entity("Valve"));
    struct Case {
        std::string bareName;
        Value value;
        int error;
    };
    const std::vector<Case> cases{
        {"ID", text("5"), 5},       {"PIFID", text("x"), 5},   {"Name", text(""), 4},
        {"ACL", text("maybe"), 13}, {"Name", text("Gate"), 0}, {"Contact", text("me"), 0},
        {"ACL", text("True"), 0},
    };
    for (const auto& [bareName, value, number] : cases) {
        auto attribute = owner->GetVirtualAttribute(bareName, 0);
        const auto call = [&] { attribute->setValue(value); };
        if (number == 0) {
            EXPECT_NO_THROW(call()) << bareName;
        } else {
            EXPECT_EQ(errorOf(call).number(),
                      number == 13 ? typeMismatch().number() : objectError(number))
                << bareName;
        }
    }
    const auto reloaded = worker(owner->ID());
    EXPECT_EQ(reloaded->Name(), "Gate");
    EXPECT_EQ(reloaded->Contact(), "me");
    EXPECT_EQ(reloaded->ACL(), -1);
    for (const std::string bareName : {"Bundles"}) {
        const auto activity = worker(make_.entity("Lift", EntityType::Activity));
        EXPECT_EQ(errorOf([&] {
                      activity->GetVirtualAttribute(bareName, 0)->setValue(text("1"));
                  }).number(),
                  objectError(7));
    }
}

TEST_F(ObjAttributeFixture, LoadingShowsReservedNamesUnderTheirAlias) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"Description", "kt_Description"},
        {"description", "description"},
        {"Skills Required", "kt_SkillsRequired"},
        {"Password", "Password"},
        {"ACL", "kt_ACL"},
        {"kt_TradeoffLayout", "kt_TradeoffLayout"},
    };
    for (const auto& [storedName, shown] : cases) {
        const auto made = stored(storedName);
        ObjAttribute loaded;
        loaded.LoadFromID(made->ID(), 0);
        EXPECT_EQ(loaded.Name(), shown);
        EXPECT_EQ(SystemAttributeDisplayName(shown), storedName == "ACL" ? "kt_ACL" : storedName);
    }
    ObjAttribute attribute;
    EXPECT_EQ(errorOf([&] { attribute.LoadFromID(1280, 0); }).number(), objectError(8));
    EXPECT_EQ(errorOf([&] { attribute.LoadFromID(StoredAttributeID(99999), 0); }).number(),
              objectError(9));
    AttributeFields fields;
    fields.id = 1217;
    EXPECT_EQ(errorOf([&] { attribute.InitFromFields(fields); }).number(), objectError(8));
    EXPECT_EQ(attribute.ID(), 0);
}

TEST_F(ObjAttributeFixture, BundleListsKeepTheirMembersAtLoad) {
    const std::int32_t activity = make_.entity("Lift", EntityType::Activity);
    const std::int32_t first = make_.entity("Kit 1", EntityType::Bundle);
    const std::int32_t second = make_.entity("Kit 2", EntityType::Bundle);
    make_.specialize(activity, first);
    make_.specialize(activity, second);
    const auto bundles = worker(activity)->GetVirtualAttribute("Bundles", 0);
    EXPECT_EQ(bundles->memberIDs(),
              (std::vector<std::int32_t>{0, EntityID(first), EntityID(second)}));
    const auto list = std::get<std::shared_ptr<Entities>>(bundles->Object());
    EXPECT_EQ(list->owner(), bundles);
    EXPECT_TRUE(isNull(bundles->Value()));
}

TEST_F(ObjAttributeFixture, AnInsertOnlyIfAbsentLeavesAnExistingName) {
    const auto owner = worker(make_.entity("Valve"));
    owner->AddNewAttribute("Colour", 1, text("red"));
    const auto again = owner->AddNewAttribute("Colour", 1, text("blue"), std::nullopt, true);
    EXPECT_EQ(again->ID(), 0);
    EXPECT_EQ(again->Name(), "");
    EXPECT_EQ(textOf("SELECT COUNT(*) FROM Attributes WHERE atri_ent_ref = ?", owner->ID()), "1");
    // Without the test a second live row of the name is made.
    owner->AddNewAttribute("Colour", 1, text("blue"));
    EXPECT_EQ(textOf("SELECT COUNT(*) FROM Attributes WHERE atri_ent_ref = ?", owner->ID()), "2");
}

// The port "Valve" with the specialization "Valve A", which has "Valve A1"; the activities
// "Crew", "Team" and "Gang" can manage them.
class ManagingEntityObject : public ObjAttributeFixture {
protected:
    void SetUp() override {
        ObjAttributeFixture::SetUp();
        valve_ = make_.entity("Valve", EntityType::Port);
        valveA_ = make_.entity("Valve A", EntityType::Port);
        valveA1_ = make_.entity("Valve A1", EntityType::Port);
        make_.specialize(valve_, valveA_);
        make_.specialize(valveA_, valveA1_);
        crew_ = make_.entity("Crew", EntityType::Activity);
        team_ = make_.entity("Team", EntityType::Activity);
        gang_ = make_.entity("Gang", EntityType::Activity);
    }
    static std::shared_ptr<ObjAttribute> managingEntity(std::int32_t key) {
        return worker(key)->GetVirtualAttribute("ManagingEntity", 0);
    }
    static kt::AttributeObject entity(std::int32_t key) {
        auto bound = std::make_shared<Entity>();
        bound->LoadFromID(EntityID(key));
        return bound;
    }
    // The ends of the live managed-by relations of each entity, one entry per relation.
    std::vector<std::int32_t> managers(std::initializer_list<std::int32_t> keys) {
        std::vector<std::int32_t> ends;
        for (const std::int32_t key : keys) {
            Recordset rows = database().snapshot(
                "SELECT rel_end_ent_id FROM Relation WHERE rel_start_ent_id = ? AND rel_Type = 5 "
                "AND rel_deleted = 0 ORDER BY rel_id",
                key);
            for (; !rows.eof(); rows.moveNext()) {
                ends.push_back(rows["rel_end_ent_id"].asLong());
            }
        }
        return ends;
    }

    std::int32_t valve_ = 0, valveA_ = 0, valveA1_ = 0, crew_ = 0, team_ = 0, gang_ = 0;
};

TEST_F(ManagingEntityObject, OnlyALiveActivityIsTakenAndARefusalWritesNothing) {
    const std::int32_t thing = make_.entity("Pipe");
    const std::int32_t gone = make_.entity("Gone", EntityType::Activity);
    make_.deleteEntity(gone);
    const auto list = std::make_shared<Entities>();
    list->AddByID(EntityID(crew_));
    const std::vector<std::pair<std::string, kt::AttributeObject>> refused{
        {"nothing", kt::AttributeObject{}},
        {"a list", list},
        {"no entity", std::shared_ptr<Entity>()},
        {"an unbound entity", std::make_shared<Entity>()},
        {"a thing", entity(thing)},
        {"a deleted activity", entity(gone)},
    };
    const std::string before = test::catalogueState();
    for (const auto& [what, object] : refused) {
        EXPECT_EQ(errorOf([&] { managingEntity(valve_)->setObject(object); }).number(),
                  objectError(17))
            << what;
        EXPECT_EQ(test::catalogueState(), before) << what;
    }
}

TEST_F(ManagingEntityObject, ANewManagerIsMadeOrMovedAndTheCopiesBelowFollow) {
    // Without a managed-by relation one is made, and each specialization gets a copy of it.
    auto attribute = managingEntity(valve_);
    attribute->setObject(entity(crew_));
    EXPECT_EQ(managers({valve_, valveA_, valveA1_}), (std::vector{crew_, crew_, crew_}));
    const auto made = test::storedRelation(
        std::stoi(textOf("SELECT rel_id FROM Relation WHERE rel_start_ent_id = ? AND "
                         "rel_Type = 5",
                         valve_)));
    EXPECT_EQ(made.name, "Managed By");
    EXPECT_FALSE(made.inherited);
    EXPECT_EQ(made.inheritedFrom, made.key);
    EXPECT_EQ(made.context, valve_);
    const auto copy = managingEntity(valveA1_);
    EXPECT_EQ(copy->InheritedFromAttrID(), EncodeID(valve_, 12));
    const auto held = std::get<std::shared_ptr<Entity>>(attribute->Object());
    EXPECT_EQ(held->GetGeneric()->ID(), crew_);

    // "Valve A" takes a manager of its own; what inherits from it follows.
    managingEntity(valveA_)->setObject(entity(gang_));
    EXPECT_EQ(managers({valve_, valveA_, valveA1_}), (std::vector{crew_, gang_, gang_}));
    // A new manager of "Valve" moves its relation; "Valve A" keeps its own, with its subtree.
    const std::string stamp =
        textOf("SELECT ent_last_modified FROM Entity WHERE ent_id = ?", valveA1_);
    managingEntity(valve_)->setObject(entity(team_));
    EXPECT_EQ(managers({valve_, valveA_, valveA1_}), (std::vector{team_, gang_, gang_}));
    EXPECT_EQ(textOf("SELECT ent_last_modified FROM Entity WHERE ent_id = ?", valveA1_), stamp);
}

TEST_F(ManagingEntityObject, AFailureHalfWayLeavesNothing) {
    struct Case {
        std::string what;
        bool managed;  // "Valve" and its copies have a manager already: it is moved
    };
    for (const auto& [what, managed] : {Case{"made", false}, Case{"moved", true}}) {
        SCOPED_TRACE(what);
        if (managed) {
            managingEntity(valve_)->setObject(entity(crew_));
        }
        // The deepest copy cannot be written.
        sql("CREATE TRIGGER refuse_insert BEFORE INSERT ON Relation WHEN NEW.rel_start_ent_id = " +
            std::to_string(valveA1_) + " BEGIN SELECT RAISE(ABORT, 'injected'); END");
        sql("CREATE TRIGGER refuse_update BEFORE UPDATE ON Relation WHEN OLD.rel_start_ent_id = " +
            std::to_string(valveA1_) + " BEGIN SELECT RAISE(ABORT, 'injected'); END");
        auto attribute = managingEntity(valve_);
        const std::string before = test::catalogueState();
        EXPECT_NE(
            errorOf([&] { attribute->setObject(entity(team_)); }).description().find("injected"),
            std::string::npos);
        EXPECT_EQ(test::catalogueState(), before);
        EXPECT_EQ(std::holds_alternative<std::monostate>(attribute->Object()), !managed);
        sql("DROP TRIGGER refuse_insert");
        sql("DROP TRIGGER refuse_update");
    }
}

TEST_F(ObjAttributeFixture, ContextChangesChangeNothing) {
    auto attribute = stored("Colour");
    attribute->SetValueInContext(text("x"), {1}, {1});
    attribute->SetObjectInContext(std::make_shared<Entities>(), {1}, {1});
    attribute->DeleteInContext({1}, {1});
    attribute->SetAttributeType(std::make_shared<Entity>(), {1}, {1});
    EXPECT_EQ(attribute->GetAttributeType({1}, {1}), nullptr);
    EXPECT_EQ(column(*attribute, "atri_value"), "old");
    EXPECT_FALSE(attribute->Deleted());
}

}  // namespace
}  // namespace kt
