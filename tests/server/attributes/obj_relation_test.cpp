#include "server/attributes/obj_relation.h"

#include <gtest/gtest.h>

#include <regex>

#include "server/attributes/new_relation.h"
#include "server/attributes/obj_rel_attribute.h"
#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "server/entities/entity.h"
#include "server/entities/obj_rel_attributes.h"
#include "tests/server/database/open_catalogue_fixture.h"
#include "tests/server/support/fixture_catalogue.h"

namespace kt {
namespace {

using test::errorOf;

class RelationObject : public test::OpenCatalogueFixture {
protected:
    // A row as a creator fills it, for start key 12 and relation key 7.
    static NewRelation row() {
        NewRelation values;
        values.key = 7;
        values.contact = "creator";
        values.startKey = 12;
        values.endKey = 13;
        values.inheritedFromKey = 7;
        values.type = 9;
        values.name = "Has Exception";
        values.contextKey = 12;
        values.slotId = 40000;
        values.slotName = "Exception_slot_name";
        values.contextPath = "dec";
        values.displayOrder = 3;
        values.endEntityType = 10;
        return values;
    }

    std::string column(std::string_view name, std::int32_t key = 7) {
        return textOf("SELECT " + std::string(name) + " FROM Relation WHERE rel_id = ?", key);
    }

    test::FixtureCatalogue make_;
};

TEST_F(RelationObject, LoadFromIDRefusesOtherKindsBeforeTouchingTheDatabase) {
    reset_global_db();
    for (const std::int32_t id : {470, 400, 481, 1207}) {
        ObjRelation relation;
        const Error error = errorOf([&] { relation.LoadFromID(id); });
        EXPECT_EQ(error.number(), objectError(23)) << id;
        EXPECT_EQ(error.description(), "This relation does not exist in the database.");
    }
}

TEST_F(RelationObject, InheritedFromIsKeptOnlyForAnInheritedRelation) {
    RelationFields fields;
    fields.id = 480;
    fields.inheritedFromRelId = 980;
    ObjRelation own;
    own.InitFromFields(fields);
    EXPECT_EQ(own.InheritedFromRelID(), 480);
    fields.inherited = true;
    ObjRelation copy;
    copy.InitFromFields(fields);
    EXPECT_EQ(copy.InheritedFromRelID(), 980);
}

TEST_F(RelationObject, LoadFromIDReadsTheRowDeletedOrNot) {
    const std::int32_t original = addRelation({.start = 1, .end = 0});
    const std::int32_t key = addRelation({.start = 1,
                                          .end = 0,
                                          .type = RelationType::HasException,
                                          .inherited = true,
                                          .inheritedFrom = original,
                                          .deleted = true});
    ObjRelation relation;
    relation.LoadFromID(RelationID(key));
    EXPECT_EQ(relation.ID(), RelationID(key));
    EXPECT_EQ(relation.RelationType(), 9);
    EXPECT_EQ(relation.StartID(), 100);
    EXPECT_EQ(relation.InheritedFromRelID(), RelationID(original));
    EXPECT_TRUE(relation.Deleted());
    EXPECT_EQ(errorOf([&] { relation.LoadFromID(RelationID(key + 100)); }).number(),
              objectError(23));
    EXPECT_EQ(relation.ID(), RelationID(key));
}

TEST_F(RelationObject, InsertNewWritesTheRowAndFillsTheObject) {
    auto relation = std::make_shared<ObjRelation>();
    relation->InsertNew(row());
    EXPECT_EQ(relation->ID(), 780);
    EXPECT_EQ(relation->StartID(), 1200);
    EXPECT_EQ(relation->EndID(), 1300);
    EXPECT_EQ(relation->ContextID(), 1200);
    EXPECT_EQ(relation->RelationType(), 9);
    EXPECT_EQ(relation->SlotID(), 40000);
    EXPECT_EQ(relation->DisplayOrder(), 3);
    EXPECT_EQ(relation->EndEntityType(), 10);
    // Generated identifiers: the date and time, the start key and the relation's ID.
    const std::regex generated(R"(\d{12}EI12(RL|SL)780)");
    EXPECT_TRUE(std::regex_match(relation->UniqueID(), generated)) << relation->UniqueID();
    EXPECT_TRUE(std::regex_match(relation->SlotUniqueID(), generated));
    EXPECT_EQ(relation->UniqueID().substr(16, 2), "RL");
    EXPECT_EQ(relation->SlotUniqueID().substr(16, 2), "SL");

    ObjRelation loaded;
    loaded.LoadFromID(780);
    EXPECT_EQ(loaded.UniqueID(), relation->UniqueID());
    EXPECT_EQ(loaded.SlotUniqueID(), relation->SlotUniqueID());
    EXPECT_EQ(loaded.Name(), "Has Exception");
    EXPECT_EQ(loaded.SlotName(), "Exception_slot_name");
    EXPECT_EQ(loaded.ContextPath(), "dec");
    EXPECT_EQ(loaded.SlotID(), 40000);
    EXPECT_EQ(column("rel_contact"), "creator");
    EXPECT_EQ(column("rel_suppressed"), "0");
}

TEST_F(RelationObject, InsertNewKeepsGivenIdentifiersAndNamesEmptySlotsAndPaths) {
    NewRelation values = row();
    values.uniqueId = "U-\"1\"";
    values.slotUniqueId = "S-1";
    values.slotName.clear();
    values.contextPath.clear();
    values.inheritedFromKey = 5;  // written, though the relation is not inherited
    ObjRelation relation;
    relation.InsertNew(values);
    EXPECT_EQ(relation.UniqueID(), "U-\"1\"");
    EXPECT_EQ(relation.SlotUniqueID(), "S-1");
    EXPECT_EQ(relation.SlotName(), "no slot");
    EXPECT_EQ(relation.ContextPath(), "no path");
    EXPECT_EQ(column("rel_slot_name"), "no slot");
    EXPECT_EQ(column("rel_context_path"), "no path");
    EXPECT_EQ(column("rel_inherit_from_rel_id"), "5");
    EXPECT_EQ(relation.InheritedFromRelID(), relation.ID());

    values.key = 8;
    values.inherited = true;
    ObjRelation copy;
    copy.InsertNew(values);
    EXPECT_EQ(copy.InheritedFromRelID(), 580);
}

TEST_F(RelationObject, AFailedInsertLeavesTheObjectAsItWas) {
    ObjRelation relation;
    relation.InsertNew(row());
    NewRelation again = row();
    again.name = "second";
    EXPECT_THROW(relation.InsertNew(again), DatabaseError);  // the key is taken
    EXPECT_EQ(relation.Name(), "Has Exception");
}

TEST_F(RelationObject, FieldSettersWriteOneColumnEach) {
    ObjRelation relation;
    relation.InsertNew(row());
    relation.setDisplayOrder(12);
    relation.SetInherited(true);
    relation.SetInheritedFromRelID(480);
    relation.SetDeleted(true);
    EXPECT_EQ(relation.DisplayOrder(), 12);
    EXPECT_TRUE(relation.Inherited());
    EXPECT_EQ(relation.InheritedFromRelID(), 480);
    EXPECT_TRUE(relation.Deleted());
    EXPECT_EQ(column("rel_display_order"), "12");
    EXPECT_EQ(column("rel_inherit"), "1");
    EXPECT_EQ(column("rel_inherit_from_rel_id"), "4");
    EXPECT_EQ(column("rel_deleted"), "1");

    // A row that has gone is not an error.
    RelationFields gone;
    gone.id = RelationID(999);
    ObjRelation detached;
    detached.InitFromFields(gone);
    detached.setDisplayOrder(5);
    EXPECT_EQ(detached.DisplayOrder(), 5);
}

TEST_F(RelationObject, TheEndsAreBoundAnew) {
    const std::int32_t start = addEntity("Start");
    const auto relation = make_.relation({.start = start, .end = 1});
    EXPECT_EQ(relation->GetParentEntity()->Name(), "Start");
    EXPECT_EQ(relation->GetChildEntity()->Name(), "Tessary Root");
    EXPECT_NE(relation->GetParentEntity(), relation->GetParentEntity());
}

TEST_F(RelationObject, AttributesAreFoundByName) {
    const auto relation =
        make_.relation({.type = RelationType::HasException, .start = addEntity("E"), .end = 1});
    EXPECT_EQ(relation->GetAttributes()->Count(), 0);
    const auto added = relation->AddNewAttribute("Weight", Value(std::int64_t{5}));
    EXPECT_EQ(added->InheritanceBehaviour(), 2);  // without a behaviour
    EXPECT_EQ(added->owner(), relation);
    relation->AddNewAttribute("Colour", Value(std::string("red")), std::nullopt, 1);

    EXPECT_TRUE(relation->DBAttributeExists("WEIGHT"));
    EXPECT_FALSE(relation->DBAttributeExists("Height"));
    EXPECT_EQ(relation->GetAttribute("weight")->ID(), added->ID());
    EXPECT_EQ(relation->GetAttributeValue("Weight"), Value(std::string("5")));
    const auto all = relation->GetAttributes();
    ASSERT_EQ(all->Count(), 2);
    EXPECT_EQ(all->GetItemByIndex(2)->Name(), "Colour");
    EXPECT_EQ(all->GetItemByIndex(2)->owner(), relation);
    EXPECT_EQ(relation->GetDBAttributes(RelationID(999))->Count(), 0);

    const Error missing = errorOf([&] { relation->GetAttribute("Height"); });
    EXPECT_EQ(missing.number(), objectError(11));
    EXPECT_EQ(missing.description(), "This entity does not have this attribute.");
    EXPECT_FALSE(relation->SetAttributeValueLocal("Height", Value(), Value(std::string("1"))));
}

TEST_F(RelationObject, ADeletedRelationRefusesItsAttributes) {
    const auto relation =
        make_.relation({.type = RelationType::HasException, .start = addEntity("E"), .end = 1});
    relation->AddNewAttribute("Weight", Value(std::int64_t{5}));
    relation->SetDeleted(true);
    EXPECT_EQ(errorOf([&] { relation->GetAttribute("Weight"); }).description(),
              "You cannot make any changes to a deleted entity.");
    const Error adding = errorOf([&] { relation->AddNewAttribute("Other", Value()); });
    EXPECT_EQ(adding.number(), objectError(22));
    EXPECT_EQ(adding.description(), "You cannot make any changes to a deleted relation.");
    // Neither the list nor the test for a name looks at the flag.
    EXPECT_EQ(relation->GetAttributes()->Count(), 1);
    EXPECT_TRUE(relation->DBAttributeExists("Weight"));
    EXPECT_FALSE(relation->SetAttributeValueLocal("Weight", Value(std::string("5")),
                                                  Value(std::string("6"))));
}

}  // namespace
}  // namespace kt
