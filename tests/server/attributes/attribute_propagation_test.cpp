#include "server/attributes/attribute_propagation.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "server/attributes/attribute_inheritance.h"
#include "server/attributes/obj_attribute.h"
#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "server/database/transaction.h"
#include "server/entities/generic.h"
#include "server/entities/obj_attributes.h"
#include "tests/server/database/open_catalogue_fixture.h"
#include "tests/server/support/fixture_catalogue.h"

namespace kt {
namespace {

using test::errorOf;
using Values = std::vector<std::optional<std::string>>;

// The thing "Pump" with, in display order, "Pump A" (which has "Pump A1"), the resource
// "Pump B" (which has the resource "Pump B1") and the bundle "Pump Kit" (which has the thing
// "Pump Kit 1"): three levels, another entity type and a bundle.
class AttributePropagation : public test::OpenCatalogueFixture {
protected:
    void SetUp() override {
        OpenCatalogueFixture::SetUp();
        pump_ = make_.entity("Pump");
        a_ = make_.entity("Pump A");
        a1_ = make_.entity("Pump A1");
        b_ = make_.entity("Pump B", EntityType::Resource);
        b1_ = make_.entity("Pump B1", EntityType::Resource);
        kit_ = make_.entity("Pump Kit", EntityType::Bundle);
        kit1_ = make_.entity("Pump Kit 1");
        make_.specialize(pump_, a_, direct_specialization, 1);
        make_.specialize(a_, a1_);
        make_.specialize(pump_, b_, direct_specialization, 2);
        make_.specialize(b_, b1_);
        make_.specialize(pump_, kit_, direct_specialization, 3);
        make_.specialize(kit_, kit1_);
        below_ = {a_, a1_, b_, b1_, kit_, kit1_};
    }

    static std::shared_ptr<generic> worker(std::int32_t key) {
        auto loaded = std::make_shared<generic>();
        loaded->Init(key);
        return loaded;
    }

    std::shared_ptr<ObjAttribute> add(std::int32_t owner, const std::string& name,
                                      const std::string& value, std::int16_t behaviour = 2) {
        return worker(owner)->AddNewAttribute(name, behaviour, Value(value));
    }

    // The live value of the attribute on each entity, nothing where it has none.
    Values values(const std::vector<std::int32_t>& entities, const std::string& name) {
        Values result;
        for (const std::int32_t entity : entities) {
            const auto row = database().scalar(
                "SELECT atri_value FROM Attributes WHERE atri_ent_ref = ? AND atri_name = ? AND "
                "atri_deleted = 0 ORDER BY atri_id",
                entity, name);
            result.push_back(row ? std::optional(Field("v", *row).asText()) : std::nullopt);
        }
        return result;
    }

    // Every row of the tables an attribute change may touch, in key order, as text.
    std::vector<std::string> everyRow() {
        std::vector<std::string> rows;
        for (const char* query : {"SELECT * FROM Attributes ORDER BY atri_id",
                                  "SELECT * FROM Entity ORDER BY ent_id"}) {
            Recordset set = database().snapshot(query);
            for (; !set.eof(); set.moveNext()) {
                std::string row;
                for (std::size_t i = 0; i < set.fieldCount(); ++i) {
                    row += set.field(i).isNull() ? "<null>" : set.field(i).asText();
                    row += '|';
                }
                rows.push_back(row);
            }
        }
        return rows;
    }

    test::FixtureCatalogue make_;
    std::int32_t pump_ = 0, a_ = 0, a1_ = 0, b_ = 0, b1_ = 0, kit_ = 0, kit1_ = 0;
    std::vector<std::int32_t> below_;
};

TEST_F(AttributePropagation, ANewAttributeGoesWhereItsBehaviourSays) {
    struct Case {
        std::int16_t behaviour;
        Values below;  // a_, a1_, b_, b1_, kit_, kit1_
    };
    const std::vector<Case> cases{
        {1, {{}, {}, {}, {}, {}, {}}},
        {2, {"v", "v", "v", "v", "v", "v"}},
        {3, {{}, {}, {}, {}, {}, {}}},
        {4, {{}, {}, {}, {}, {}, {}}},
        // Only things: the resource and the bundle end the walk with what is below them.
        {5, {"v", "v", {}, {}, {}, {}}},
    };
    for (const auto& [behaviour, expected] : cases) {
        const std::string name = "New " + std::to_string(behaviour);
        const auto added = add(pump_, name, "v", behaviour);
        EXPECT_EQ(values(below_, name), expected) << behaviour;
        if (behaviour == 2) {
            // The copies' keys follow the walk: depth first, in display order.
            std::vector<std::int32_t> owners;
            Recordset rows = database().snapshot(
                "SELECT atri_ent_ref FROM Attributes WHERE atri_name = ? ORDER BY atri_id", name);
            for (; !rows.eof(); rows.moveNext()) {
                owners.push_back(rows["atri_ent_ref"].asLong());
            }
            EXPECT_EQ(owners, (std::vector<std::int32_t>{pump_, a_, a1_, b_, b1_, kit_, kit1_}));
            const auto copy = worker(a1_)->GetDBAttribute(name);
            EXPECT_TRUE(copy->Inherited());
            EXPECT_EQ(copy->InheritedFromAttrID(), added->ID());  // the attribute made first
            EXPECT_EQ(copy->InheritanceBehaviour(), 2);
        }
    }
}

TEST_F(AttributePropagation, ANewSpecializationCopiesByBehaviour) {
    const std::vector<std::pair<std::int16_t, std::optional<std::string>>> cases{
        {1, std::nullopt}, {2, "value"}, {3, "default"}, {4, "-"}, {5, "value"}, {6, std::nullopt}};
    for (const auto& [behaviour, expected] : cases) {
        const auto source = add(pump_, "Copied " + std::to_string(behaviour), "value", behaviour);
        sql("UPDATE Attributes SET atri_default_value = 'default', atri_class = 7 WHERE atri_id = "
            "?",
            KeyOfID(source->ID()));
    }
    const std::int32_t pumpC = make_.entity("Pump C");
    make_.specialize(pump_, pumpC);
    std::int32_t firstKey = 0;
    {
        Transaction operation(database());
        firstKey = NextKey(database(), KeyColumn::Attribute);
        CopyInheritedAttributes(pumpC, pump_);
        operation.commit();
    }
    std::int32_t nextKey = firstKey;
    for (const auto& [behaviour, expected] : cases) {
        const std::string name = "Copied " + std::to_string(behaviour);
        EXPECT_EQ(values({pumpC}, name), Values{expected}) << behaviour;
        if (!expected) {
            continue;
        }
        const auto copy = worker(pumpC)->GetDBAttribute(name);
        EXPECT_EQ(KeyOfID(copy->ID()), nextKey++);  // keys follow the source rows' order
        EXPECT_TRUE(copy->Inherited());
        EXPECT_EQ(copy->InheritedFromAttrID(), worker(pump_)->GetDBAttribute(name)->ID());
        EXPECT_EQ(copy->DefaultValue(), Value(std::string("default")));
        EXPECT_EQ(copy->InheritanceBehaviour(), behaviour);
        EXPECT_EQ(
            textOf("SELECT atri_class FROM Attributes WHERE atri_id = ?", KeyOfID(copy->ID())),
            "7");
    }
}

TEST_F(AttributePropagation, ACopyKeepsTheColumnsItDoesNotDecide) {
    const auto source = add(pump_, "Kept", "value", 5);
    sql("UPDATE Attributes SET atri_data_type = 'Long', atri_default_value = NULL, atri_class = "
        "7, atri_entity_value_id = 8, atri_OLE_id = 9, atri_inherit_from_parent = 0 WHERE "
        "atri_id = ?",
        KeyOfID(source->ID()));
    const std::int32_t pumpC = make_.entity("Pump C");
    {
        Transaction operation(database());
        CopyInheritedAttributes(pumpC, pump_);
        operation.commit();
    }
    Recordset copy = database().snapshot(
        "SELECT atri_name || '|' || atri_inherit || '|' || atri_data_type || '|' || atri_value "
        "|| '|' || (atri_ent_ref = ?) || '|' || (atri_inherit_from_atri_id = ?) || '|' || "
        "atri_class || '|' || atri_deleted || '|' || quote(atri_default_value) || '|' || "
        "atri_entity_value_id || '|' || atri_OLE_id || '|' || atri_inherit_from_parent || '|' "
        "|| atri_inherit_behavior AS row FROM Attributes WHERE atri_ent_ref = ?",
        pumpC, KeyOfID(source->ID()), pumpC);
    ASSERT_EQ(copy.recordCount(), 1u);
    // A missing default becomes an empty one.
    EXPECT_EQ(copy["row"].asText(), "Kept|1|Long|value|1|1|7|0|''|8|9|0|5");
}

TEST_F(AttributePropagation, AValueChangeIsPushedOnlyForBehaviourTwo) {
    // Every level holds a copy; the behaviour of the attribute changed decides the push.
    for (const std::int16_t behaviour : {1, 2, 3, 4}) {
        const std::string name = "Pushed " + std::to_string(behaviour);
        add(pump_, name, "old");
        if (behaviour != 2) {
            worker(pump_)->GetDBAttribute(name)->setInheritanceBehaviour(behaviour);
        }
        worker(pump_)->SetAttributeVal(name, Value(std::string("new")));
        // Nothing is carried on from the bundle.
        const Values pushed{"new", "new", "new", "new", "new", "old"};
        const Values kept(below_.size(), "old");
        EXPECT_EQ(values(below_, name), behaviour == 2 ? pushed : kept) << behaviour;
    }
    add(pump_, "Pushed 5", "old", 5);
    worker(pump_)->SetAttributeVal("Pushed 5", Value(std::string("new")));
    EXPECT_EQ(values({a_, a1_}, "Pushed 5"), (Values{"old", "old"}));
}

TEST_F(AttributePropagation, APushStopsAtACopyGivenAnotherValue) {
    add(pump_, "Size", "10");
    // "Pump A" gives its copy a value of its own without passing it on.
    worker(a_)->GetDBAttribute("Size")->setInheritanceBehaviour(1);
    worker(a_)->SetAttributeVal("Size", Value(std::string("own")));
    // "Pump A1" still holds the old value, but the push does not go past "Pump A".
    worker(pump_)->SetAttributeVal("Size", Value(std::string("12")));
    EXPECT_EQ(values({pump_, a_, a1_, b_, b1_}, "Size"), (Values{"12", "own", "10", "12", "12"}));
    // A value set on the entity itself stops following; a pushed one does not.
    EXPECT_FALSE(worker(a_)->GetDBAttribute("Size")->InheritFromParent());
    EXPECT_TRUE(worker(b_)->GetDBAttribute("Size")->InheritFromParent());
}

TEST_F(AttributePropagation, AHostWriteNeitherStopsFollowingNorPushesAnotherChangesOldValue) {
    add(pump_, "Size", "10");
    add(pump_, "Colour", "red", 1);
    add(pump_, "Actors", "crew", 1);
    const auto direct = [&](const std::string& name, const std::string& value) {
        return errorOf([&] { worker(pump_)->SetAttributeVal(name, Value(value)); }).number();
    };
    // Direct changes that fail part-way, and one of another attribute.
    EXPECT_EQ(direct("Missing", "x"), objectError(11));
    EXPECT_EQ(direct("Actors", "team"), objectError(3));  // an activity's attribute
    worker(pump_)->SetAttributeVal("Colour", Value(std::string("blue")));

    const auto copy = worker(a_)->GetDBAttribute("Size");
    copy->setValue(Value(std::string("20")));
    EXPECT_TRUE(worker(a_)->GetDBAttribute("Size")->InheritFromParent());
    // The push looks for the copy's own old value, not the colour's.
    EXPECT_EQ(values({pump_, a_, a1_}, "Size"), (Values{"10", "20", "20"}));
}

TEST_F(AttributePropagation, QuotesSurviveThreeLevelsUnchanged) {
    const auto size = add(pump_, "Size", R"(say "hi")");
    EXPECT_EQ(size->Value(), Value(std::string(R"(say "hi")")));
    EXPECT_EQ(values({a_, a1_}, "Size"), (Values{R"(say "hi")", R"(say "hi")"}));
    // The old value, quotes and all, finds the copies again.
    auto attribute = worker(pump_)->GetDBAttribute("Size");
    attribute->setValue(Value(std::string(R"(a "b" c)")));
    EXPECT_EQ(attribute->Value(), Value(std::string(R"(a "b" c)")));
    EXPECT_EQ(values({pump_, a_, a1_}, "Size"), (Values{R"(a "b" c)", R"(a "b" c)", R"(a "b" c)"}));
}

TEST_F(AttributePropagation, MetadataChangesReachTheCopiesThatFollow) {
    add(pump_, "Size", "10");
    worker(a_)->GetDBAttribute("Size")->setInheritFromParent(false);
    worker(pump_)->GetDBAttribute("Size")->setName("Dimension");
    // A copy that stopped following keeps its name, and so does everything below it; nothing
    // is carried on from the bundle.
    EXPECT_EQ(values(below_, "Dimension"), (Values{{}, {}, "10", "10", "10", {}}));
    EXPECT_EQ(values({a_, a1_, kit1_}, "Size"), (Values{"10", "10", "10"}));

    const auto dimension = worker(pump_)->GetDBAttribute("Dimension");
    dimension->setDataType("Long");
    dimension->setDefaultValue(Value(std::string("none")));
    for (const std::int32_t entity : {b_, b1_, kit_}) {
        const auto copy = worker(entity)->GetDBAttribute("Dimension");
        EXPECT_EQ(copy->DataType(), "Long");
        EXPECT_EQ(copy->DefaultValue(), Value(std::string("none")));
    }
    EXPECT_EQ(worker(a_)->GetDBAttribute("Size")->DataType(), "Unspecified");
}

TEST_F(AttributePropagation, ARenameReachesCopiesOfNewSpecializationsAtEveryDepth) {
    add(pump_, "Size", "10");
    const std::int32_t c = make_.entity("Pump C");
    const std::int32_t c1 = make_.entity("Pump C1");
    make_.specialize(pump_, c);
    make_.specialize(c, c1);
    {
        Transaction operation(database());
        CopyInheritedAttributes(c, pump_);
        CopyInheritedAttributes(c1, c);
        operation.commit();
    }
    worker(pump_)->GetDBAttribute("Size")->setName("Dimension");
    EXPECT_EQ(values({a_, a1_, c, c1}, "Dimension"), (Values{"10", "10", "10", "10"}));
}

TEST_F(AttributePropagation, OnlyDeletingTrueIsCarriedDown) {
    add(pump_, "Size", "10");
    worker(pump_)->GetDBAttribute("Size")->setDeleted(false);
    EXPECT_EQ(values(below_, "Size"), Values(below_.size(), "10"));

    worker(pump_)->DelAttribute("Size");
    EXPECT_EQ(values({pump_, a_, a1_, b_, b1_, kit_}, "Size"), Values(6));
    EXPECT_EQ(values({kit1_}, "Size"), (Values{"10"}));  // not carried on from the bundle
}

TEST_F(AttributePropagation, ADeletedSpecializationIsPassedOverWithItsSubtree) {
    add(pump_, "Size", "10");
    make_.deleteEntity(a_);
    add(pump_, "Weight", "3");
    EXPECT_EQ(values(below_, "Weight"), (Values{{}, {}, "3", "3", "3", "3"}));
    worker(pump_)->SetAttributeVal("Size", Value(std::string("11")));
    worker(pump_)->GetDBAttribute("Size")->setName("Dimension");
    worker(pump_)->DelAttribute("Dimension");
    EXPECT_EQ(values({a_, a1_}, "Size"), (Values{"10", "10"}));
}

TEST_F(AttributePropagation, ACycleOfSpecializationsEndsEveryWalk) {
    make_.specialize(a1_, pump_);
    add(pump_, "Size", "10");
    EXPECT_EQ(values({pump_, a_, a1_}, "Size"), (Values{"10", "10", "10"}));
    worker(pump_)->SetAttributeVal("Size", Value(std::string("11")));
    worker(pump_)->GetDBAttribute("Size")->setName("Dimension");
    EXPECT_EQ(values({pump_, a_, a1_}, "Dimension"), (Values{"11", "11", "11"}));
}

TEST_F(AttributePropagation, OnlyIfAbsentLeavesAnExistingNameAndWhatIsBelowIt) {
    add(a_, "Size", "mine", 1);
    worker(pump_)->AddNewAttribute("Size", 2, Value(std::string("10")), std::nullopt, true);
    EXPECT_EQ(values(below_, "Size"), (Values{"mine", {}, "10", "10", "10", "10"}));
}

TEST_F(AttributePropagation, ANewAttributePassesOverASpecializationThatHasTheNameAndItsSubtree) {
    struct Case {
        std::int16_t behaviour;
        Values below;  // a_, a1_, b_, b1_, kit_, kit1_
    };
    const std::vector<Case> cases{
        {2, {"mine", {}, "new", "new", "new", "new"}},
        {5, {"mine", {}, {}, {}, {}, {}}},
    };
    for (const auto& [behaviour, expected] : cases) {
        const std::string name = "Size " + std::to_string(behaviour);
        add(a_, name, "mine", 1);
        // A deleted row of the name does not count.
        add(b_, name, "gone", 1);
        worker(b_)->DelAttribute(name);
        add(pump_, name, "new", behaviour);
        EXPECT_EQ(values(below_, name), expected) << behaviour;
        EXPECT_EQ(textOf("SELECT COUNT(*) FROM Attributes WHERE atri_ent_ref = ? AND "
                         "atri_name = ? AND atri_deleted = 0",
                         a_, name),
                  "1");
        EXPECT_EQ(worker(a_)->GetDBAttribute(name)->Value(), Value(std::string("mine")));
    }
}

TEST_F(AttributePropagation, AFailureAnywhereLeavesEveryRowAsItWas) {
    add(pump_, "Size", "10");
    // The deepest thing refuses every change to its attributes.
    sql("CREATE TRIGGER refuse_update BEFORE UPDATE ON Attributes WHEN OLD.atri_ent_ref = " +
        std::to_string(a1_) + " BEGIN SELECT RAISE(ABORT, 'injected'); END");
    sql("CREATE TRIGGER refuse_insert BEFORE INSERT ON Attributes WHEN NEW.atri_ent_ref = " +
        std::to_string(a1_) + " BEGIN SELECT RAISE(ABORT, 'injected'); END");
    const auto size = worker(pump_)->GetDBAttribute("Size");
    const std::vector<std::pair<std::string, std::function<void()>>> operations{
        {"new attribute", [&] { add(pump_, "Weight", "3"); }},
        {"value", [&] { worker(pump_)->SetAttributeVal("Size", Value(std::string("11"))); }},
        {"name", [&] { size->setName("Dimension"); }},
        {"data type", [&] { size->setDataType("Long"); }},
        {"default", [&] { size->setDefaultValue(Value(std::string("1"))); }},
        {"deletion", [&] { size->setDeleted(true); }},
    };
    const auto before = everyRow();
    for (const auto& [name, operation] : operations) {
        EXPECT_NE(errorOf(operation).description().find("injected"), std::string::npos) << name;
        EXPECT_EQ(everyRow(), before) << name;
    }
    EXPECT_EQ(size->Name(), "Size");
    EXPECT_FALSE(size->Deleted());
    EXPECT_EQ(size->Value(), Value(std::string("10")));
}

TEST_F(AttributePropagation, AdoptionOffersOnlyTheNamesTheReceiverLacks) {
    const auto size = add(pump_, "Size", "10");
    add(pump_, "Description", "pumps", 1);
    const std::int32_t other = make_.entity("Other");
    add(other, "Weight", "mine");
    add(pump_, "Weight", "3");  // the receiver has one already
    auto receiver = worker(other);
    {
        Transaction operation(database());
        AdoptParentAttributes(*receiver, *worker(pump_));
        operation.commit();
    }
    EXPECT_EQ(values({other}, "Size"), (Values{"10"}));
    EXPECT_EQ(values({other}, "Weight"), (Values{"mine"}));
    // A reserved stored name shows under its "kt_" alias and is not offered.
    EXPECT_EQ(values({other}, "Description"), (Values{std::nullopt}));
    const auto adopted = receiver->GetDBAttribute("Size");
    EXPECT_TRUE(adopted->Inherited());
    EXPECT_EQ(adopted->InheritedFromAttrID(), size->ID());
}

}  // namespace
}  // namespace kt
