#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "server/attributes/obj_attribute.h"
#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "server/entities/entities.h"
#include "server/entities/entity.h"
#include "server/entities/generic.h"
#include "server/entities/obj_attributes.h"
#include "server/entities/obj_relations.h"
#include "tests/server/database/open_catalogue_fixture.h"

namespace kt {
namespace {

using test::errorOf;

Value text(const std::string& value) {
    return Value(value);
}

class EntityAttributes : public test::OpenCatalogueFixture {
protected:
    std::shared_ptr<Entity> entity(std::int32_t key) {
        auto bound = std::make_shared<Entity>();
        bound->LoadFromID(EntityID(key));
        return bound;
    }
    std::shared_ptr<Entity> newEntity(EntityType type, const std::string& name = "subject") {
        return entity(addEntity(name, type));
    }
    std::vector<std::string> namesOf(const ObjAttributes& attributes) {
        std::vector<std::string> names;
        for (const auto& attribute : attributes) {
            names.push_back(attribute->Name());
        }
        return names;
    }
    std::int32_t keyOf(const std::shared_ptr<Entity>& bound) { return bound->GetGeneric()->ID(); }
    // A stored attribute that goes nowhere else.
    void store(const std::shared_ptr<Entity>& owner, const std::string& name,
               const std::string& value) {
        owner->GetGeneric()->AddNewAttribute(name, 1, Value(value));
    }
};

const std::vector<std::string> kCommon{
    "kt_Name",    "kt_Contact", "kt_ID",          "kt_EntityType", "kt_LastModified",
    "kt_Deleted", "kt_PIFID",   "kt_DecompCount", "kt_SpecCount",  "kt_ACL"};

std::vector<std::string> common(std::vector<std::string> before, std::vector<std::string> after) {
    before.insert(before.end(), kCommon.begin(), kCommon.end());
    before.insert(before.end(), after.begin(), after.end());
    return before;
}

TEST_F(EntityAttributes, TheListHoldsTheStoredThenTheComputedOnesOfTheType) {
    struct Case {
        EntityType type;
        std::vector<std::string> stored;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases{
        {EntityType::Thing, {}, common({}, {})},
        {EntityType::Dependency, {}, common({}, {"kt_ResourceID", "kt_ManagingEntities"})},
        {EntityType::Activity,
         {"Colour", "Description"},
         common({"Colour", "kt_Description"}, {"kt_Bundles"})},
        {EntityType::Bundle, {}, common({}, {"kt_Activities"})},
        {EntityType::Port, {"description"}, common({"description"}, {"kt_ManagingEntity"})},
        {EntityType::Resource, {}, common({}, {})},
    };
    for (const auto& [type, stored, expected] : cases) {
        const auto subject = newEntity(type);
        for (const auto& name : stored) {
            store(subject, name, "v");
        }
        EXPECT_EQ(namesOf(*subject->GetAttributes()), expected) << static_cast<int>(type);
    }
}

TEST_F(EntityAttributes, ComputedAttributesReadTheEntity) {
    const auto subject = newEntity(EntityType::Thing, "Valve");
    const std::int32_t key = keyOf(subject);
    struct Case {
        std::string name;
        std::int32_t kind;
        Value value;
        std::string dataType;
    };
    const std::vector<Case> cases{
        {"kt_Name", 1, text("Valve"), "String"},
        {"kt_Contact", 2, text("tester"), "String"},
        {"kt_ID", 3, std::int64_t{key * 100}, "Long"},
        {"kt_EntityType", 4, std::int64_t{0}, "Integer"},
        {"kt_Deleted", 6, std::int64_t{0}, "Boolean"},
        {"kt_DecompCount", 8, std::int64_t{0}, "Integer"},
        {"kt_SpecCount", 9, std::int64_t{0}, "Integer"},
        {"kt_ACL", 16, std::int64_t{7}, "Long"},
    };
    for (const auto& [name, kind, value, dataType] : cases) {
        const auto attribute = subject->GetAttribute(name);
        EXPECT_EQ(attribute->ID(), key * 100 + kind) << name;
        EXPECT_EQ(attribute->Value(), value) << name;
        EXPECT_EQ(attribute->DataType(), dataType) << name;
        EXPECT_EQ(attribute->OwnerObjectID(), key * 100) << name;
        EXPECT_EQ(attribute->InheritedFromAttrID(), -1) << name;
        EXPECT_TRUE(isNull(attribute->DefaultValue())) << name;
        EXPECT_EQ(subject->GetAttributeValue(name), value) << name;
    }
    EXPECT_EQ(subject->GetAttributeValue("kt_PIFID"), subject->GetAttribute("kt_PIFID")->Value());
    EXPECT_EQ(subject->GetAttributeValue("kt_BundleCount"), Value(std::int64_t{0}));
}

TEST_F(EntityAttributes, NamesAnswerOnlyForTheirEntityTypes) {
    enum class Member { Get, Value, Object, Set, SetObject, AddItem, RemoveItem };
    struct Case {
        std::string name;
        EntityType type;
        Member member;
        int error;  // 0: accepted
    };
    const std::vector<Case> cases{
        {"kt_Bundles", EntityType::Activity, Member::Get, 0},
        {"kt_Bundles", EntityType::Thing, Member::Get, 3},
        {"kt_Bundles", EntityType::Activity, Member::Value, 7},
        {"kt_Bundles", EntityType::Thing, Member::Set, 7},
        {"kt_Activities", EntityType::Bundle, Member::Object, 0},
        {"kt_Activities", EntityType::Activity, Member::Object, 3},
        {"kt_ManagingEntity", EntityType::Port, Member::Get, 0},
        {"kt_ManagingEntity", EntityType::Thing, Member::Get, 3},
        {"kt_ManagingEntities", EntityType::Dependency, Member::Get, 0},
        {"kt_ManagingEntities", EntityType::Port, Member::Object, 3},
        {"kt_ManagingEntities", EntityType::Dependency, Member::Value, 7},
        {"kt_ManagingConnectors", EntityType::Dependency, Member::Object, 0},
        {"kt_ManagingConnectors", EntityType::Dependency, Member::SetObject, 19},
        {"kt_ResourceID", EntityType::Dependency, Member::Value, 0},
        {"kt_ResourceID", EntityType::Thing, Member::Value, 3},
        {"kt_Actors", EntityType::Port, Member::Value, 3},
        {"kt_Actors", EntityType::Port, Member::Set, 3},
        {"kt_PortType", EntityType::Activity, Member::Get, 3},
        {"kt_Values", EntityType::Thing, Member::Value, 3},
        {"kt_Password", EntityType::Activity, Member::Set, 3},
        {"kt_Description", EntityType::Thing, Member::Get, 11},
        {"kt_ID", EntityType::Thing, Member::Set, 5},
        {"kt_SpecCount", EntityType::Thing, Member::Set, 5},
        {"kt_BundleCount", EntityType::Thing, Member::Value, 0},
        {"kt_BundleCount", EntityType::Thing, Member::Get, 11},
        {"KT_NAME", EntityType::Thing, Member::Get, 11},
        {"kt_Name", EntityType::Thing, Member::SetObject, 19},
        {"Unknown", EntityType::Thing, Member::Object, 0},
        {"kt_Name", EntityType::Thing, Member::AddItem, 19},
        {"kt_Bundles", EntityType::Thing, Member::AddItem, 3},
        {"kt_ManagingEntity", EntityType::Port, Member::RemoveItem, 19},
        {"kt_ManagingEntities", EntityType::Port, Member::RemoveItem, 3},
        // Taking a managing activity away is not supported.
        {"kt_ManagingEntities", EntityType::Dependency, Member::RemoveItem, 19},
    };
    for (const auto& [name, type, member, expected] : cases) {
        const auto subject = newEntity(type);
        const std::function<void()> calls[] = {
            [&] { subject->GetAttribute(name); },
            [&] { subject->GetAttributeValue(name); },
            [&] { subject->GetAttributeObject(name); },
            [&] { subject->SetAttributeValue(name, text("x")); },
            [&] { subject->SetAttributeObject(name, {}); },
            [&] { subject->AddItemToAttrCol(name, subject); },
            [&] { subject->RemoveItemFromAttrCol(name, 1); },
        };
        const auto& call = calls[static_cast<int>(member)];
        if (expected == 0) {
            EXPECT_NO_THROW(call()) << name << " " << static_cast<int>(member);
        } else {
            EXPECT_EQ(errorOf(call).number(), objectError(expected))
                << name << " " << static_cast<int>(member);
        }
    }
}

TEST_F(EntityAttributes, AnAliasReadsAndWritesItsStoredRow) {
    const auto activity = newEntity(EntityType::Activity);
    store(activity, "Description", "old");
    store(activity, "Skills Required", "none");
    EXPECT_EQ(activity->GetAttribute("Description")->ID(),
              activity->GetAttribute("kt_Description")->ID());
    EXPECT_EQ(activity->GetAttribute("Skills Required")->Name(), "kt_SkillsRequired");
    activity->SetAttributeValue("kt_Description", text("new"));
    activity->SetAttributeValue("kt_SkillsRequired", text("welding"));
    EXPECT_EQ(activity->GetAttributeValue("Description"), text("new"));
    EXPECT_EQ(activity->GetAttributeValue("kt_SkillsRequired"), text("welding"));

    const auto port = newEntity(EntityType::Port);
    store(port, "PortType", "Undeclared");
    EXPECT_EQ(errorOf([&] { port->SetAttributeValue("kt_PortType", text("producer")); }).number(),
              objectError(4));
    port->SetAttributeValue("kt_PortType", text("Producer"));
    EXPECT_EQ(port->GetAttributeValue("kt_PortType"), text("Producer"));
}

TEST_F(EntityAttributes, TheRowsOwnValuesRefuseBadInput) {
    const auto subject = newEntity(EntityType::Thing, "Valve");
    struct Case {
        std::string name;
        Value value;
        int error;
        std::string message;
    };
    const std::vector<Case> cases{
        {"kt_Name", text(""), 4, "This is an invalid value: 'Null' for this attribute."},
        {"kt_Name", Value(), 4, "This is an invalid value: 'Null' for this attribute."},
        {"kt_Contact", text(""), 4, "This is an invalid value for this attribute."},
        {"kt_ACL", Value(), 4, "This is an invalid value for this attribute."},
        {"kt_Deleted", text("maybe"), 4, "This is an invalid value for this attribute."},
        {"kt_Deleted", std::int64_t{2}, 4, "This is an invalid value for this attribute."},
        {"kt_Deleted", text("5"), 4, "This is an invalid value for this attribute."},
        {"Colour", text("red"), 11, "This entity does not have this attribute."},
    };
    for (const auto& [name, value, number, message] : cases) {
        const Error error = errorOf([&] { subject->SetAttributeValue(name, value); });
        EXPECT_EQ(error.number(), objectError(number)) << name;
        EXPECT_EQ(error.description(), message) << name;
    }
    subject->SetAttributeValue("kt_Name", text("Gate"));
    subject->SetAttributeValue("kt_Contact", text("me"));
    subject->SetAttributeValue("kt_ACL", text("12"));
    EXPECT_EQ(entity(keyOf(subject))->GetAttributeValue("kt_Name"), text("Gate"));
    EXPECT_EQ(entity(keyOf(subject))->GetAttributeValue("kt_Contact"), text("me"));
    EXPECT_EQ(entity(keyOf(subject))->GetAttributeValue("kt_ACL"), Value(std::int64_t{12}));
    subject->SetAttributeValue("kt_Deleted", text("0"));
    EXPECT_EQ(entity(keyOf(subject))->GetAttributeValue("kt_Deleted"), Value(std::int64_t{0}));
    subject->SetAttributeValue("kt_Deleted", text(" true"));
    EXPECT_EQ(entity(keyOf(subject))->GetAttributeValue("kt_Deleted"), Value(std::int64_t{1}));
}

TEST_F(EntityAttributes, ADeletedEntityGivesOnlyItsRowsValues) {
    const auto subject = newEntity(EntityType::Activity, "Gone");
    store(subject, "Description", "text");
    subject->GetGeneric()->setDeleted(true);
    EXPECT_EQ(subject->GetAttributeValue("kt_Name"), text("Gone"));
    const std::vector<std::pair<std::string, std::function<void()>>> refusals{
        {"You cannot access a deleted entity.",
         [&] { subject->GetAttributeValue("kt_Description"); }},
        {"You cannot make any changes to a deleted entity.",
         [&] { subject->GetAttribute("kt_Name"); }},
        {"You cannot make any changes to a deleted entity.", [&] { subject->GetAttributes(); }},
        {"You cannot make any changes to a deleted entity.",
         [&] { subject->SetAttributeValue("Description", text("x")); }},
        {"You cannot make any changes to a deleted entity.",
         [&] { subject->DeleteAttribute("Description"); }},
    };
    for (const auto& [message, call] : refusals) {
        const Error error = errorOf(call);
        EXPECT_EQ(error.number(), objectError(22));
        EXPECT_EQ(error.description(), message);
    }
}

TEST_F(EntityAttributes, AResourceReferenceIsMadeThenMoved) {
    const auto dependency = newEntity(EntityType::Dependency);
    EXPECT_TRUE(isNull(dependency->GetAttributeValue("kt_ResourceID")));
    EXPECT_TRUE(isNull(dependency->GetAttribute("kt_ResourceID")->Value()));

    const std::int32_t activity = addEntity("worker", EntityType::Activity);
    const std::vector<std::pair<Value, int>> refusals{
        {std::int64_t{EntityID(activity)}, 4},
        {std::int64_t{1234}, 6},
        {std::int64_t{EntityID(99999)}, 4},
        {text("lots"), 4},
    };
    for (const auto& [value, number] : refusals) {
        EXPECT_EQ(errorOf([&] { dependency->SetAttributeValue("kt_ResourceID", value); }).number(),
                  objectError(number));
    }
    const auto references = [&] {
        return textOf("SELECT COUNT(*) FROM Relation WHERE rel_Type = 6 AND rel_start_ent_id = ?",
                      keyOf(dependency));
    };
    EXPECT_EQ(references(), "0");

    const std::int32_t first = addEntity("crane", EntityType::Resource);
    const std::int32_t second = addEntity("hoist", EntityType::Resource);
    for (const std::int32_t resource : {first, second}) {
        dependency->SetAttributeValue("kt_ResourceID", std::int64_t{EntityID(resource)});
        EXPECT_EQ(dependency->GetAttributeValue("kt_ResourceID"),
                  Value(std::int64_t{EntityID(resource)}));
    }
    EXPECT_EQ(references(), "1");
    EXPECT_EQ(textOf("SELECT rel_name FROM Relation WHERE rel_Type = 6 AND rel_start_ent_id = ?",
                     keyOf(dependency)),
              "Has Resource");
}

TEST_F(EntityAttributes, ManagingEntitiesAreTheContextsDecompositionsToTheManagers) {
    const std::int32_t dependency = addEntity("load", EntityType::Dependency);
    const std::int32_t manager = addEntity("crew", EntityType::Activity);
    const std::int32_t context = addEntity("site", EntityType::Activity);
    addRelation({.start = dependency, .end = manager, .type = RelationType::IsManagedBy});
    const std::int32_t decomposition = addRelation(
        {.start = context, .end = manager, .type = RelationType::AutomaticDecomposition});
    addRelation(
        {.start = context, .end = dependency, .type = RelationType::AutomaticDecomposition});

    const auto subject = entity(dependency);
    const auto inContext = std::get<std::shared_ptr<ObjRelations>>(
        subject->GetAttributeObject("kt_ManagingEntities", EntityID(context)));
    ASSERT_EQ(inContext->size(), 1U);
    EXPECT_EQ((*inContext->begin())->ID(), RelationID(decomposition));
    const auto withoutContext = subject->GetAttribute("kt_ManagingEntities");
    EXPECT_TRUE(std::get<std::shared_ptr<ObjRelations>>(withoutContext->Object())->empty());
    EXPECT_EQ(withoutContext->DataType(), "Relations Collection");
}

TEST_F(EntityAttributes, NewAttributesCheckNameBehaviourAndContext) {
    const auto subject = newEntity(EntityType::Thing);
    struct Case {
        std::string name;
        std::int16_t behaviour;
        std::vector<std::int32_t> context;
        bool forSystem;
        int error;  // 0: made
    };
    const std::vector<Case> cases{
        {"", 2, {}, false, 16},  // the context is looked at first
        {"", 2, {0}, false, 13},
        {"Notes", 2, {0}, false, 14},
        {"Default Value", 2, {0}, false, 14},
        {"kt_Colour", 2, {0}, false, 14},
        {"kt_Colour", 2, {0}, true, 0},
        {"DefaultValue", 2, {0}, false, 0},
        {"Colour", 6, {0}, false, 15},
        {"Colour", -1, {0}, false, 15},
        {"Colour", 5, {0}, false, 0},
    };
    for (auto [name, behaviour, context, forSystem, expected] : cases) {
        std::vector<std::int32_t> changed;
        const auto call = [&] {
            subject->AddNewAttribute(name, context, changed, text("v"), behaviour, forSystem);
        };
        if (expected == 0) {
            EXPECT_NO_THROW(call()) << name;
        } else {
            EXPECT_EQ(errorOf(call).number(), objectError(expected)) << name << behaviour;
        }
    }
    std::vector<std::int32_t> context{0, 1200, 3400};
    std::vector<std::int32_t> changed;
    std::int16_t behaviour = 0;
    const auto made = subject->AddNewAttribute("Size", context, changed, text("1"), behaviour);
    EXPECT_EQ(context, (std::vector<std::int32_t>{0, 12, 34}));
    EXPECT_EQ(behaviour, 2);
    EXPECT_EQ(made->InheritanceBehaviour(), 2);
    EXPECT_EQ(made->DataType(), "Unspecified");
    EXPECT_EQ(made->DefaultValue(), text("-"));
    EXPECT_EQ(made->InheritedFromAttrID(), made->ID());
    EXPECT_FALSE(made->Inherited());
}

TEST_F(EntityAttributes, DeletingTakesStoredNamesOnly) {
    const auto subject = newEntity(EntityType::Thing);
    store(subject, "Description", "text");
    store(subject, "Colour", "red");
    // A reserved stored attribute answers to its "kt_" name, which the system keeps.
    for (const std::string name : {"kt_Description", "Description"}) {
        EXPECT_EQ(errorOf([&] { subject->DeleteAttribute(name); }).number(), objectError(10));
    }
    EXPECT_EQ(subject->GetAttributeValue("Description"), text("text"));
    EXPECT_EQ(errorOf([&] { subject->DeleteAttribute("Size"); }).number(), objectError(11));
    subject->DeleteAttribute("Colour");
    EXPECT_EQ(errorOf([&] { subject->GetAttribute("Colour"); }).number(), objectError(11));
}

TEST_F(EntityAttributes, MissingStandardAttributesAreCountedOnActivitiesOnly) {
    const auto activity = newEntity(EntityType::Activity);
    store(activity, "Description", "d");
    store(activity, "Notes", "n");
    std::int32_t count = 1;  // the count goes on from what the caller has
    activity->Fix_all_system_attributes(count);
    EXPECT_EQ(count, 9);
    newEntity(EntityType::Bundle)->Fix_all_system_attributes(count);
    EXPECT_EQ(count, 9);
}

}  // namespace
}  // namespace kt
