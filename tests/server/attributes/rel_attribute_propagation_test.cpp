#include "server/attributes/rel_attribute_propagation.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "server/attributes/obj_rel_attribute.h"
#include "server/attributes/obj_relation.h"
#include "server/attributes/relation_inheritance.h"
#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "server/database/transaction.h"
#include "server/entities/obj_rel_attributes.h"
#include "tests/server/database/open_catalogue_fixture.h"
#include "tests/server/support/fixture_catalogue.h"

namespace kt {
namespace {

using test::errorOf;

Value text(const std::string& value) {
    return Value(value);
}

// The thing "Line" with the specializations "Line 1" (which has "Line 1.1") and the bundle
// "Line 2". An exception relation of "Line" and a connector drawn in it are repeated in each
// of them with the same slot, as the creators repeat them.
class RelationAttributePropagation : public test::OpenCatalogueFixture {
protected:
    void SetUp() override {
        OpenCatalogueFixture::SetUp();
        line_ = make_.entity("Line");
        line1_ = make_.entity("Line 1");
        line11_ = make_.entity("Line 1.1");
        line2_ = make_.entity("Line 2", EntityType::Bundle);
        make_.specialize(line_, line1_);
        make_.specialize(line1_, line11_);
        make_.specialize(line_, line2_);
        const std::int32_t jam = make_.entity("Jam", EntityType::ExceptionGroup);
        exceptions_ =
            repeated({.type = RelationType::HasException, .start = line_, .end = jam}, false);
        const std::int32_t port = make_.entity("Port", EntityType::Port);
        connectors_ = repeated(
            {.type = RelationType::Connector, .start = port, .end = port, .context = line_}, true);
    }

    std::vector<std::shared_ptr<ObjRelation>> repeated(const test::FixtureRelation& relation,
                                                       bool byContext) {
        return make_.repeated(relation, {line_, line1_, line11_, line2_},
                              byContext ? RelationAnchor::Context : RelationAnchor::Start, true);
    }

    // The value of each relation's attribute, or nothing where it has none.
    std::vector<std::optional<std::string>> values(
        const std::vector<std::shared_ptr<ObjRelation>>& relations, const std::string& name) {
        std::vector<std::optional<std::string>> result;
        for (const auto& relation : relations) {
            if (relation->DBAttributeExists(name)) {
                result.emplace_back(std::get<std::string>(relation->GetAttributeValue(name)));
            } else {
                result.emplace_back();
            }
        }
        return result;
    }

    test::FixtureCatalogue make_;
    std::int32_t line_ = 0, line1_ = 0, line11_ = 0, line2_ = 0;
    std::vector<std::shared_ptr<ObjRelation>> exceptions_;
    std::vector<std::shared_ptr<ObjRelation>> connectors_;
};

using Values = std::vector<std::optional<std::string>>;

TEST_F(RelationAttributePropagation, ANewAttributeReachesTheRepeatingRelations) {
    const auto added = exceptions_[0]->AddNewAttribute("Weight", text("5"));
    EXPECT_EQ(values(exceptions_, "Weight"), (Values{"5", "5", "5", "5"}));
    for (std::size_t i = 1; i < exceptions_.size(); ++i) {
        const auto copy = exceptions_[i]->GetAttribute("Weight");
        EXPECT_TRUE(copy->Inherited());
        EXPECT_EQ(copy->InheritedFromAttrID(), added->ID());  // the attribute created first
        EXPECT_EQ(copy->InheritanceBehaviour(), 2);
        EXPECT_EQ(copy->OwnerObjectID(), exceptions_[i]->ID());
    }
    EXPECT_EQ(values(connectors_, "Weight"), (Values{{}, {}, {}, {}}));
}

// A copy of a relation receives, in the source's order, its live attributes of behaviours 2
// (the source's value), 3 (the default as the value) and 4 (an empty value).
TEST_F(RelationAttributePropagation, ARelationsCopyReceivesItsAttributesByBehaviour) {
    // The attribute the sources name as their origin.
    const std::int32_t origin = StoredAttributeID(7);
    for (const std::int16_t behaviour : {4, 1, 3, 5, 2}) {
        const std::string n = std::to_string(behaviour);
        exceptions_[0]
            ->AddNewAttribute("Behaviour " + n, text("v" + n), origin, behaviour)
            ->setDefaultValue(text("d" + n));
    }
    exceptions_[0]->AddNewAttribute("Gone", text("g"))->setDeleted(true);
    {
        Transaction operation(database());
        CopyRelationAttributes(*exceptions_[0], *connectors_[1]);
        operation.commit();
    }
    std::vector<std::string> copies;
    std::int32_t lastKey = 0;
    const auto received = connectors_[1]->GetAttributes();
    for (const auto& copy : *received) {
        EXPECT_TRUE(copy->Inherited());
        EXPECT_TRUE(copy->InheritFromParent());
        EXPECT_EQ(copy->InheritedFromAttrID(), origin);
        EXPECT_EQ(copy->OwnerObjectID(), connectors_[1]->ID());
        EXPECT_GT(copy->ID(), lastKey);
        lastKey = copy->ID();
        copies.push_back(copy->Name() + "=" + std::get<std::string>(copy->Value()) + "/" +
                         std::get<std::string>(copy->DefaultValue()) + "/" +
                         std::to_string(copy->InheritanceBehaviour()));
    }
    EXPECT_EQ(copies, (std::vector<std::string>{"Behaviour 4=/d4/4", "Behaviour 3=d3/d3/3",
                                                "Behaviour 2=v2/d2/2"}));
}

TEST_F(RelationAttributePropagation, TheBehaviourChoosesWhereANewAttributeGoes) {
    exceptions_[0]->AddNewAttribute("Same type", text("t"), std::nullopt, 5);
    EXPECT_EQ(values(exceptions_, "Same type"), (Values{"t", "t", "t", {}}));
    for (const std::int16_t behaviour : {1, 3, 4}) {
        const std::string name = "Behaviour " + std::to_string(behaviour);
        exceptions_[0]->AddNewAttribute(name, text("b"), std::nullopt, behaviour);
        EXPECT_EQ(values(exceptions_, name), (Values{"b", {}, {}, {}})) << behaviour;
    }
}

TEST_F(RelationAttributePropagation, ASpecializationWithoutTheRelationEndsTheWalkThere) {
    exceptions_[1]->SetDeleted(true);
    exceptions_[0]->AddNewAttribute("Weight", text("5"));
    EXPECT_FALSE(exceptions_[1]->DBAttributeExists("Weight"));
    EXPECT_EQ(values({exceptions_[0], exceptions_[2], exceptions_[3]}, "Weight"),
              (Values{"5", {}, "5"}));
}

TEST_F(RelationAttributePropagation, ANewValueFollowsWhereTheOldOneStill) {
    exceptions_[0]->AddNewAttribute("Weight", text("5"));
    exceptions_[0]->SetAttributeValue("Weight", text("8"));
    EXPECT_EQ(values(exceptions_, "Weight"), (Values{"8", "8", "8", "5"}));  // not into a bundle

    // A repetition given a value of its own keeps it, and so does everything below it.
    exceptions_[1]->GetAttribute("Weight")->WriteValue(text("own"));
    exceptions_[0]->SetAttributeValue("Weight", text("9"));
    EXPECT_EQ(values(exceptions_, "Weight"), (Values{"9", "own", "8", "5"}));
}

TEST_F(RelationAttributePropagation, ConnectorsFollowThroughTheirContext) {
    // A new attribute goes down the context entity's specializations, bundle included.
    const auto added = connectors_[0]->AddNewAttribute("Flow", text("low"));
    EXPECT_EQ(values(connectors_, "Flow"), (Values{"low", "low", "low", "low"}));
    EXPECT_EQ(connectors_[2]->GetAttribute("Flow")->InheritedFromAttrID(), added->ID());
    // A new value stops at the bundle.
    connectors_[0]->SetAttributeValue("Flow", text("high"));
    EXPECT_EQ(values(connectors_, "Flow"), (Values{"high", "high", "high", "low"}));
}

TEST_F(RelationAttributePropagation, AFailedChangeWritesNothing) {
    // A type whose entity is not known.
    const auto navigation = make_.relation(
        {.type = RelationType::Navigation, .start = line_, .end = line1_, .slot = 0});
    const auto weight = navigation->AddNewAttribute("Weight", text("5"));
    Error error = errorOf([&] { weight->setValue(text("6")); });
    EXPECT_EQ(error.number(), objectError(23));
    EXPECT_EQ(error.description(), "Unsupported relation type for relation attribute updates.");
    EXPECT_EQ(weight->Value(), text("5"));
    EXPECT_EQ(navigation->GetAttributeValue("Weight"), text("5"));

    // An owning entity that was deleted.
    exceptions_[0]->AddNewAttribute("Weight", text("5"));
    make_.deleteEntity(line_);
    error = errorOf([&] { exceptions_[0]->SetAttributeValue("Weight", text("6")); });
    EXPECT_EQ(error.number(), objectError(22));
    EXPECT_EQ(error.description(), "No access to a deleted entity.");
    EXPECT_EQ(values(exceptions_, "Weight"), (Values{"5", "5", "5", "5"}));
}

TEST_F(RelationAttributePropagation, ADeletedSpecializationIsPassedOverWithItsSubtree) {
    exceptions_[0]->AddNewAttribute("Weight", text("5"));
    make_.deleteEntity(line1_);
    exceptions_[0]->AddNewAttribute("Height", text("2"));
    EXPECT_EQ(values(exceptions_, "Height"), (Values{"2", {}, {}, "2"}));
    exceptions_[0]->SetAttributeValue("Weight", text("6"));
    EXPECT_EQ(values(exceptions_, "Weight"), (Values{"6", "5", "5", "5"}));
}

TEST_F(RelationAttributePropagation, ACycleOfSpecializationsEndsBothWalks) {
    make_.specialize(line11_, line_);
    exceptions_[0]->AddNewAttribute("Weight", text("5"));
    EXPECT_EQ(values(exceptions_, "Weight"), (Values{"5", "5", "5", "5"}));
    exceptions_[0]->SetAttributeValue("Weight", text("6"));
    EXPECT_EQ(values(exceptions_, "Weight"), (Values{"6", "6", "6", "5"}));
}

}  // namespace
}  // namespace kt
