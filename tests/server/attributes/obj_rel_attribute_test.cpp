#include "server/attributes/obj_rel_attribute.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "server/attributes/obj_relation.h"
#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "server/entities/entity.h"
#include "tests/server/database/open_catalogue_fixture.h"
#include "tests/server/support/fixture_catalogue.h"

namespace kt {
namespace {

using test::errorOf;

Value text(const std::string& value) {
    return Value(value);
}
Value number(std::int64_t value) {
    return Value(value);
}

// One exception relation of an entity without specializations, with the attribute "Weight".
class RelationAttribute : public test::OpenCatalogueFixture {
protected:
    void SetUp() override {
        OpenCatalogueFixture::SetUp();
        relation_ = make_.relation(
            {.type = RelationType::HasException, .start = addEntity("Press"), .end = 1});
        weight_ = relation_->AddNewAttribute("Weight", number(5));
    }

    std::string column(std::string_view name) {
        return textOf("SELECT " + std::string(name) + " FROM RelationAttributes WHERE atri_id = ?",
                      KeyOfID(weight_->ID()));
    }
    std::shared_ptr<ObjRelAttribute> reloaded() { return relation_->GetAttribute("Weight"); }

    test::FixtureCatalogue make_;
    std::shared_ptr<ObjRelation> relation_;
    std::shared_ptr<ObjRelAttribute> weight_;
};

TEST_F(RelationAttribute, ANewAttributeHoldsWhatWasGivenAndTheRowItsText) {
    EXPECT_EQ(weight_->Name(), "Weight");
    EXPECT_EQ(weight_->Value(), number(5));
    EXPECT_EQ(weight_->DefaultValue(), number(5));
    EXPECT_EQ(weight_->DataType(), "Unspecified");
    EXPECT_FALSE(weight_->Inherited());
    EXPECT_TRUE(weight_->InheritFromParent());
    EXPECT_FALSE(weight_->Deleted());
    EXPECT_EQ(GetIDKind(weight_->ID()), 70);
    EXPECT_EQ(weight_->InheritedFromAttrID(), weight_->ID());
    EXPECT_EQ(weight_->OwnerObjectID(), relation_->ID());
    EXPECT_EQ(column("atri_ent_ref"), std::to_string(relation_->ID()));
    EXPECT_EQ(column("atri_class"), "-1");

    const auto loaded = reloaded();
    EXPECT_EQ(loaded->Value(), text("5"));
    EXPECT_EQ(loaded->DefaultValue(), text("5"));
    EXPECT_EQ(loaded->InheritedFromAttrID(), weight_->ID());
    EXPECT_EQ(loaded->InheritanceBehaviour(), 2);
    EXPECT_EQ(loaded->OwnerObjectID(), relation_->ID());
}

TEST_F(RelationAttribute, ACopyNamesItsOriginAndIsInherited) {
    const auto copy = relation_->AddNewAttribute("Copy", text("x"), weight_->ID(), 3);
    EXPECT_TRUE(copy->Inherited());
    EXPECT_EQ(copy->InheritedFromAttrID(), weight_->ID());
    EXPECT_EQ(relation_->GetAttribute("Copy")->InheritedFromAttrID(), weight_->ID());
    EXPECT_TRUE(relation_->GetAttribute("Copy")->Inherited());
    EXPECT_EQ(copy->InheritanceBehaviour(), 3);
}

TEST_F(RelationAttribute, QuotesAndNamesAreStoredAsGiven) {
    const auto quoted = relation_->AddNewAttribute("Say \"hi\"", text("a \"b\" c"));
    EXPECT_EQ(relation_->GetAttribute("Say \"hi\"")->Value(), text("a \"b\" c"));
    quoted->WriteValue(text("d \"e\""));
    EXPECT_EQ(quoted->Value(), text("d \"e\""));
    EXPECT_EQ(relation_->GetAttributeValue("Say \"hi\""), text("d \"e\""));
}

TEST_F(RelationAttribute, WriteValueKeepsTheTextAndNothingElse) {
    weight_->WriteValue(number(7));
    EXPECT_EQ(weight_->Value(), text("7"));
    EXPECT_EQ(column("atri_value"), "7");
    EXPECT_EQ(column("atri_default_value"), "5");
    EXPECT_EQ(errorOf([&] { weight_->WriteValue(Value()); }).description(), "Invalid use of Null");
    EXPECT_EQ(column("atri_value"), "7");
}

TEST_F(RelationAttribute, SettersWriteTheRowAlone) {
    auto attribute = reloaded();
    attribute->setDataType("Long");
    attribute->setDefaultValue(Value());
    attribute->setInheritFromParent(false);
    attribute->setInheritanceBehaviour(4);
    attribute->setName("Mass");
    EXPECT_EQ(attribute->DataType(), "Long");
    EXPECT_EQ(attribute->DefaultValue(), text("-"));
    EXPECT_FALSE(attribute->InheritFromParent());
    EXPECT_EQ(attribute->InheritanceBehaviour(), 4);
    EXPECT_EQ(attribute->Name(), "Mass");
    const auto stored = relation_->GetAttribute("Mass");
    EXPECT_EQ(stored->DataType(), "Long");
    EXPECT_EQ(stored->DefaultValue(), text("-"));
    EXPECT_FALSE(stored->InheritFromParent());
    EXPECT_EQ(stored->InheritanceBehaviour(), 4);
}

TEST_F(RelationAttribute, ABehaviourOutsideOneToFourIsRefused) {
    for (const std::int16_t behaviour : {0, 5, -1}) {
        const Error error = errorOf([&] { weight_->setInheritanceBehaviour(behaviour); });
        EXPECT_EQ(error.number(), objectError(20));
        EXPECT_EQ(error.description(), "This is an invalid value for this property.");
    }
    EXPECT_EQ(weight_->InheritanceBehaviour(), 2);
    EXPECT_EQ(column("atri_inherit_behavior"), "2");
}

TEST_F(RelationAttribute, HoldsNoObjectAndItsContextOperationsChangeNothing) {
    const std::string before = column("atri_value") + column("atri_deleted");
    EXPECT_TRUE(std::holds_alternative<std::monostate>(weight_->Object()));
    weight_->SetValueInContext(text("9"), {0, 1}, {0});
    weight_->SetObjectInContext(std::make_shared<Entity>(), {0, 1}, {0});
    weight_->DeleteInContext({0, 1}, {0});
    weight_->SetAttributeType(std::make_shared<Entity>(), {0, 1}, {0});
    EXPECT_EQ(weight_->GetAttributeType({0, 1}, {0}), nullptr);
    EXPECT_EQ(column("atri_value") + column("atri_deleted"), before);
    EXPECT_EQ(weight_->Value(), number(5));
    EXPECT_FALSE(weight_->Deleted());
}

TEST_F(RelationAttribute, ASystemNameKeepsOnlyTheValueChangeable) {
    weight_->setName("kt_Weight");
    EXPECT_EQ(weight_->Name(), "kt_Weight");
    for (const auto& change : std::vector<std::function<void()>>{
             [&] { weight_->setName("Again"); }, [&] { weight_->setDataType("Long"); },
             [&] { weight_->setDeleted(true); }, [&] { weight_->setDefaultValue(number(1)); },
             [&] { weight_->setInheritFromParent(false); },
             [&] { weight_->setInheritanceBehaviour(3); }}) {
        const Error error = errorOf(change);
        EXPECT_EQ(error.number(), objectError(10));
        EXPECT_EQ(error.description(),
                  "You cannot change this property for the system-generated attributes.");
    }
    weight_->setValue(number(9));
    EXPECT_EQ(column("atri_value"), "9");
}

TEST_F(RelationAttribute, ADeletedAttributeRefusesEveryChange) {
    weight_->setDeleted(true);
    EXPECT_EQ(column("atri_deleted"), "1");
    for (const auto& change : std::vector<std::function<void()>>{
             [&] { weight_->setValue(number(1)); }, [&] { weight_->setName("Again"); },
             [&] { weight_->setDeleted(false); }, [&] { weight_->BindOwner(relation_); }}) {
        const Error error = errorOf(change);
        EXPECT_EQ(error.number(), objectError(21));
        EXPECT_EQ(error.description(), "You cannot make any changes to a deleted attribute.");
    }
    EXPECT_EQ(column("atri_deleted"), "1");
    EXPECT_EQ(column("atri_value"), "5");
    EXPECT_FALSE(relation_->DBAttributeExists("Weight"));
}

TEST_F(RelationAttribute, LoadFromIDTakesStoredAttributesOnly) {
    reset_global_db();  // refused before any query
    for (const std::int32_t id : {501, 515, 516, 500, 580, 569, -1}) {
        ObjRelAttribute attribute;
        const Error error = errorOf([&] { attribute.LoadFromID(id, 0); });
        EXPECT_EQ(error.number(), objectError(8)) << id;
        EXPECT_EQ(error.description(), "This is not a valid ID for an attribute.");
    }
}

TEST_F(RelationAttribute, LoadFromIDOfAMissingOrDeletedRowIsError9) {
    ObjRelAttribute attribute;
    EXPECT_EQ(errorOf([&] { attribute.LoadFromID(StoredAttributeID(999), 0); }).number(),
              objectError(9));
    const std::int32_t id = weight_->ID();
    weight_->setDeleted(true);
    const Error error = errorOf([&] { attribute.LoadFromID(id, 0); });
    EXPECT_EQ(error.number(), objectError(9));
    EXPECT_EQ(error.description(), "This attribute is not present in the database.");
    EXPECT_EQ(attribute.ID(), 0);
}

TEST_F(RelationAttribute, AValueNeedsAnOwner) {
    ObjRelAttribute attribute;
    attribute.LoadFromID(weight_->ID(), 0);
    EXPECT_EQ(errorOf([&] { attribute.setValue(number(1)); }).number(), 91);
    EXPECT_EQ(column("atri_value"), "5");
}

}  // namespace
}  // namespace kt
