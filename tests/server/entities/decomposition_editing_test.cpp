#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "server/attributes/obj_rel_attribute.h"
#include "server/attributes/obj_relation.h"
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
using Keys = std::vector<std::int32_t>;

constexpr std::int32_t kPressSlot = 1;
constexpr std::int32_t kPressAgainSlot = 12;
constexpr std::int32_t kMillSlot = 2;

// The activity "Line" with the specialization "Line A", which has "Line A1". "Line" holds
// "Press" in slots 1 and 12 and "Mill" in slot 2; the specializations inherited them. "Press"
// has the port "In" (slot 3), "Mill" the port "Out" (slot 5).
class DecompositionEditing : public test::OpenCatalogueFixture {
protected:
    void SetUp() override {
        OpenCatalogueFixture::SetUp();
        line_ = make_.entity("Line", EntityType::Activity);
        lineA_ = make_.entity("Line A", EntityType::Activity);
        lineA1_ = make_.entity("Line A1", EntityType::Activity);
        make_.specialize(line_, lineA_, cache_specialization);
        make_.specialize(lineA_, lineA1_, cache_specialization);
        press_ = make_.entity("Press", EntityType::Activity);
        mill_ = make_.entity("Mill", EntityType::Activity);
        in_ = make_.entity("In", EntityType::Port);
        out_ = make_.entity("Out", EntityType::Port);
        toIn_ = decompose(press_, in_, 3);
        toOut_ = decompose(mill_, out_, 5);
        toPress_ = decompose(line_, press_, kPressSlot);
        toPressAgain_ = decompose(line_, press_, kPressAgainSlot);
        toMill_ = decompose(line_, mill_, kMillSlot);
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
    // The live decomposition rows of `parent` in `slot`, as their end entities.
    Keys childrenIn(std::int32_t parent, std::int32_t slot) {
        Keys ends;
        Recordset rows = global_db().CreateSnapshot(
            "SELECT rel_end_ent_id FROM Relation WHERE rel_start_ent_id = ? AND rel_slot_id = ? "
            "AND rel_Type = 1 AND rel_deleted = 0 ORDER BY rel_id",
            parent, slot);
        for (; !rows.eof(); rows.moveNext()) {
            ends.push_back(rows["rel_end_ent_id"].asLong());
        }
        return ends;
    }
    std::int32_t decompCount(std::int32_t key) { return loadedWorker(key).DecompCount(); }
    bool live(const ObjRelation& relation) {
        return textOf("SELECT rel_deleted FROM Relation WHERE rel_id = ?", test::keyOf(relation)) ==
               "0";
    }

    test::FixtureCatalogue make_;
    ObjRelations noContext_;
    ChangeArray changes_;
    bool changed_ = true;
    std::int32_t line_ = 0, lineA_ = 0, lineA1_ = 0, press_ = 0, mill_ = 0, in_ = 0, out_ = 0;
    std::shared_ptr<ObjRelation> toIn_, toOut_, toPress_, toPressAgain_, toMill_;
};

TEST_F(DecompositionEditing, ADecompositionTakesTheChildTypesItsParentTypeAllows) {
    using enum EntityType;
    struct Case {
        EntityType parent, child;
        bool allowed;
    };
    const Case cases[] = {
        {Activity, Resource, false},      {Thing, Resource, true},  {Bundle, Bundle, true},
        {Bundle, Activity, false},        {Dependency, Port, true}, {Dependency, Activity, false},
        {Activity, ExceptionGroup, true}, {Port, Port, true},       {Port, Thing, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.parent) * 100 + static_cast<int>(c.child));
        const auto parent = entity(make_.entity("parent", c.parent));
        const auto child = entity(make_.entity("child", c.child));
        const std::string before = test::catalogueState();
        if (c.allowed) {
            const auto relation = parent->AddDecomp(*child, noContext_, changes_, changed_, "", "");
            EXPECT_EQ(relation->EndID(), EntityID(child->GetGeneric()->ID()));
        } else {
            EXPECT_EQ(errorOf([&] {
                          parent->AddDecomp(*child, noContext_, changes_, changed_, "", "");
                      }).number(),
                      objectError(26));
            EXPECT_EQ(test::catalogueState(), before);
        }
    }
}

TEST_F(DecompositionEditing, AddingWithoutAContextPlacesTheChildAfterTheCurrentOnes) {
    const auto relation =
        entity(line_)->AddDecomp(*entity(make_.entity("Kiln", EntityType::Activity)), noContext_,
                                 changes_, changed_, "uid", "");
    const auto row = test::storedRelation(test::keyOf(*relation));
    EXPECT_EQ(row.displayOrder, 4);
    EXPECT_GT(row.slot, kPressAgainSlot);
    EXPECT_EQ(row.uniqueId, "uid");
    EXPECT_TRUE(changed_);  // untouched without a context
    EXPECT_EQ(changes_.Columns(), 0u);
}

TEST_F(DecompositionEditing, AContextWithoutInheritedRelationsEditsTheEntityItself) {
    ObjRelations context;
    context.AddItem(toPress_);
    const auto relation = entity(press_)->AddDecomp(*entity(make_.entity("Die", EntityType::Port)),
                                                    context, changes_, changed_, "", "");
    EXPECT_FALSE(changed_);
    EXPECT_EQ(changes_.Columns(), 0u);
    EXPECT_EQ(relation->StartID(), EntityID(press_));

    // A path whose links do not meet is refused before anything is written.
    ObjRelations broken;
    broken.AddItem(toIn_);
    broken.AddItem(toMill_);
    const std::string before = test::catalogueState();
    EXPECT_EQ(errorOf([&] {
                  entity(in_)->AddDecomp(*entity(out_), broken, changes_, changed_, "", "");
              }).number(),
              objectError(25));
    EXPECT_EQ(test::catalogueState(), before);
}

TEST_F(DecompositionEditing, RemovingAChildTakesItsSlotDownTheSpecializations) {
    ASSERT_EQ(childrenIn(lineA1_, kPressSlot), (Keys{press_}));
    const auto counts = Keys{decompCount(line_), decompCount(lineA_), decompCount(lineA1_)};
    EXPECT_TRUE(entity(press_)->RemoveFromDecomp(*entity(line_), kPressSlot, "", false));
    for (const std::int32_t parent : {line_, lineA_, lineA1_}) {
        EXPECT_TRUE(childrenIn(parent, kPressSlot).empty()) << parent;
        EXPECT_EQ(childrenIn(parent, kPressAgainSlot), (Keys{press_})) << parent;
    }
    EXPECT_EQ((Keys{decompCount(line_), decompCount(lineA_), decompCount(lineA1_)}),
              (Keys{counts[0] - 1, counts[1] - 1, counts[2] - 1}));

    // A slot that holds no relation for this child.
    const std::string before = test::catalogueState();
    const auto error =
        errorOf([&] { entity(press_)->RemoveFromDecomp(*entity(line_), kMillSlot, "", false); });
    EXPECT_EQ(error.number(), objectError(28));
    EXPECT_EQ(error.description(), "Relation could not be deleted.");
    EXPECT_EQ(test::catalogueState(), before);

    // A deleted child still leaves its slot.
    make_.deleteEntity(mill_);
    EXPECT_TRUE(entity(mill_)->RemoveFromDecomp(*entity(line_), kMillSlot, "", false));
    EXPECT_TRUE(childrenIn(lineA1_, kMillSlot).empty());
}

TEST_F(DecompositionEditing, ASpecializationThatReplacedTheChildKeepsItsSlot) {
    // "Line A" put "Drill" in Press's place (same slot unique ID); "Line A1" inherited it.
    const std::int32_t drill = make_.entity("Drill", EntityType::Activity);
    sql("UPDATE Relation SET rel_end_ent_id = ? WHERE rel_start_ent_id = ? AND rel_slot_id = ?",
        drill, lineA_, kPressSlot);
    EXPECT_TRUE(entity(press_)->RemoveFromDecomp(*entity(line_), kPressSlot, "", false));
    EXPECT_TRUE(childrenIn(line_, kPressSlot).empty());
    EXPECT_EQ(childrenIn(lineA_, kPressSlot), (Keys{drill}));
    EXPECT_EQ(childrenIn(lineA1_, kPressSlot), (Keys{press_}));  // not visited

    // The whole slot goes with delete_slot, whoever fills it.
    EXPECT_TRUE(entity(drill)->RemoveFromDecomp(*entity(lineA_), kPressSlot, "", true));
    EXPECT_TRUE(childrenIn(lineA_, kPressSlot).empty());
    EXPECT_TRUE(childrenIn(lineA1_, kPressSlot).empty());
}

TEST_F(DecompositionEditing, OnlyConnectorsThroughTheRemovedSlotGoWithTheChild) {
    generic line = loadedWorker(line_);
    ObjRelations viaFirst, viaSecond, toMill;
    viaFirst.AddItem(toIn_);
    viaFirst.AddItem(toPress_);
    viaSecond.AddItem(toIn_);
    viaSecond.AddItem(toPressAgain_);
    toMill.AddItem(toOut_);
    toMill.AddItem(toMill_);
    // "3,1:5,2" runs through slot 1, "3,12:5,2" through slot 12 only.
    const auto throughFirst =
        line.CreateHorizontalConnector(*entity(in_), *entity(out_), viaFirst, toMill, 0, "", "");
    const auto throughSecond =
        line.CreateHorizontalConnector(*entity(in_), *entity(out_), viaSecond, toMill, 0, "", "");
    ASSERT_EQ(throughSecond->ContextPath(), "3,12:5,2");
    EXPECT_TRUE(entity(press_)->RemoveFromDecomp(*entity(line_), kPressSlot, "", false));
    EXPECT_FALSE(live(*throughFirst));
    EXPECT_TRUE(live(*throughSecond));
}

TEST_F(DecompositionEditing, ARemovalThatFailsHalfWayLeavesEverything) {
    sql("CREATE TRIGGER refuse BEFORE UPDATE ON Relation WHEN OLD.rel_start_ent_id = " +
        std::to_string(lineA1_) + " BEGIN SELECT RAISE(ABORT, 'injected failure'); END");
    const std::string before = test::catalogueState();
    EXPECT_EQ(errorOf([&] {
                  entity(press_)->RemoveFromDecomp(*entity(line_), kPressSlot, "", false);
              }).number(),
              objectError(28));
    EXPECT_EQ(test::catalogueState(), before);
    const auto plain = errorOf([&] {
        loadedWorker(press_).RemoveFromDecomp(loadedWorker(line_), kPressSlot, "", false, false);
    });
    EXPECT_EQ(plain.number(), 666);
    EXPECT_EQ(plain.source(), "RemoveFromDecomp");
    EXPECT_NE(plain.description().find("injected failure"), std::string::npos);
}

TEST_F(DecompositionEditing, ReplacingAndRefiningKeepTheSlotAndMoveTheRelationsInContext) {
    for (const bool replace : {true, false}) {
        SCOPED_TRACE(replace ? "replace" : "refine");
        const std::int32_t parent = make_.entity("Cell", EntityType::Activity);
        const std::int32_t special = make_.entity("Cell S", EntityType::Activity);
        make_.specialize(parent, special, cache_specialization);
        const auto old = decompose(parent, press_, 0);
        decompose(parent, mill_, 0);
        old->AddNewAttribute("Note", std::string("keep"));
        std::shared_ptr<ObjRelation> interaction;
        const std::string slot = std::to_string(old->SlotID());
        ASSERT_TRUE(loadedWorker(parent).CreateHorizontalRelation(
            interaction, 17, "Interaction_in_context", {"", slot},
            {"", std::to_string(old->SlotID() + 1)}, 0, "", ""));
        const std::int32_t fresh = make_.entity("Press 2", EntityType::Activity);

        std::shared_ptr<ObjRelation> made;
        if (replace) {
            made = entity(parent)->ReplaceInDecomp(old->ID(), *entity(press_), *entity(fresh),
                                                   noContext_, changes_, changed_, "", "");
        } else {
            EXPECT_TRUE(entity(parent)->ReFineInDecomp(old->ID(), *entity(press_), *entity(fresh),
                                                       noContext_, changes_, changed_, ""));
            made = std::make_shared<ObjRelation>();
            made->LoadFromID(RelationID(std::stoi(
                textOf("SELECT rel_id FROM Relation WHERE rel_start_ent_id = ? AND rel_slot_id = ? "
                       "AND rel_deleted = 0",
                       parent, old->SlotID()))));
        }
        const auto row = test::storedRelation(test::keyOf(*made));
        EXPECT_EQ((Keys{row.end, row.slot, row.displayOrder}),
                  (Keys{fresh, old->SlotID(), old->DisplayOrder()}));
        EXPECT_EQ(row.slotUniqueId, old->SlotUniqueID());
        EXPECT_EQ(made->DBAttributeExists("Note"), replace);
        EXPECT_FALSE(live(*old));
        EXPECT_EQ(childrenIn(special, old->SlotID()), (Keys{fresh}));
        EXPECT_EQ(test::storedRelation(test::keyOf(*interaction)).start, fresh);
    }
}

TEST_F(DecompositionEditing, ReplacingARelationThatIsNotThereChangesNothing) {
    const auto fresh = entity(make_.entity("Press 2", EntityType::Activity));
    const std::string before = test::catalogueState();
    EXPECT_EQ(errorOf([&] {
                  entity(line_)->ReplaceInDecomp(toMill_->ID(), *entity(press_), *fresh, noContext_,
                                                 changes_, changed_, "", "");
              }).number(),
              objectError(23));
    const auto refined = errorOf([&] {
        entity(line_)->ReFineInDecomp(toMill_->ID(), *entity(press_), *fresh, noContext_, changes_,
                                      changed_, "");
    });
    EXPECT_EQ(refined.number(), 666);
    EXPECT_EQ(refined.source(), "RefineInDecomp");
    EXPECT_EQ(test::catalogueState(), before);
}

TEST_F(DecompositionEditing, BelowThePathOnlyWhatItsBottomManagesIsEdited) {
    ObjRelations context;
    context.AddItem(toPress_);  // its bottom is Press
    const auto managedBy = [&](std::int32_t managed, std::int32_t manager) {
        make_.relation({.type = RelationType::IsManagedBy, .start = managed, .end = manager});
    };
    const std::int32_t direct = make_.entity("Direct", EntityType::Dependency);
    managedBy(direct, press_);
    const std::int32_t chained = make_.entity("Chained", EntityType::Dependency);
    const std::int32_t relay = make_.entity("Relay", EntityType::Port);
    managedBy(chained, relay);
    managedBy(relay, press_);
    const std::int32_t stranger = make_.entity("Stranger", EntityType::Dependency);
    managedBy(stranger, mill_);
    const std::int32_t managedActivity = make_.entity("Managed", EntityType::Activity);
    managedBy(managedActivity, press_);
    struct Case {
        const char* name;
        std::int32_t edited;
        int error;  // 0: accepted
    };
    const Case cases[] = {
        {"a dependency the bottom manages", direct, 0},
        {"one it manages through a port", chained, 0},
        {"one another entity manages", stranger, 25},
        {"an unmanaged activity", make_.entity("Free", EntityType::Activity), 25},
        {"a managed activity", managedActivity, 37},
        {"a thing", make_.entity("Thing"), 25},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto port = entity(make_.entity("Tap", EntityType::Port));
        const std::string before = test::catalogueState();
        if (c.error == 0) {
            const auto relation =
                entity(c.edited)->AddDecomp(*port, context, changes_, changed_, "", "");
            EXPECT_FALSE(changed_);
            EXPECT_EQ(relation->StartID(), EntityID(c.edited));
        } else {
            EXPECT_EQ(errorOf([&] {
                          entity(c.edited)->AddDecomp(*port, context, changes_, changed_, "", "");
                      }).number(),
                      objectError(c.error));
            EXPECT_EQ(test::catalogueState(), before);
        }
    }
}

// Line A's copy of Line's relation to Press in `slot`: an inherited relation, so an edit of
// Press in this context lands on a specialization of Press made for Line A.
class InContextEditing : public DecompositionEditing {
protected:
    void SetUp() override {
        DecompositionEditing::SetUp();
        context_.AddByID(RelationID(std::stoi(
            textOf("SELECT rel_id FROM Relation WHERE rel_start_ent_id = ? AND rel_slot_id = ? AND "
                   "rel_deleted = 0",
                   lineA_, kPressSlot))));
    }
    // The entity that took the place of `key` in the last edit.
    std::int32_t madeFor(std::int32_t key) const {
        return KeyOfID(changes_.ReplacementOf(EntityID(key)).value_or(0));
    }

    ObjRelations context_;
};

TEST_F(InContextEditing, AnEditThroughAnInheritedRelationLandsOnASpecializationForTheContext) {
    const std::int32_t die = make_.entity("Die", EntityType::Activity);
    const auto relation =
        entity(press_)->AddDecomp(*entity(die), context_, changes_, changed_, "", "");

    ASSERT_TRUE(changed_);
    const std::int32_t press = madeFor(press_);
    const std::int32_t in = madeFor(in_);
    // The entities first, the press before its port, then the relations copied for them.
    EXPECT_EQ((Keys{changes_.At(1, 1), changes_.At(1, 2)}),
              (Keys{EntityID(press_), EntityID(in_)}));
    for (std::size_t column = 3; column <= changes_.Columns(); ++column) {
        EXPECT_EQ(changes_.At(1, column) % 100, 80);
        EXPECT_EQ(changes_.At(2, column) % 100, 80);
    }
    EXPECT_EQ(changes_.Columns(), 5u);  // Press, In; Press's port, Line A's two press slots
    EXPECT_EQ(relation->StartID(), EntityID(press));
    const generic made = loadedWorker(press);
    EXPECT_EQ(made.Name(), "Press");
    Keys generalizations;
    made.GetGenIDs(generalizations);
    EXPECT_EQ(generalizations, (Keys{0, press_}));
    EXPECT_EQ(made.GetBundles()->GetItemByIndex(1)->GetGeneric()->Name(), "Default Press");
    EXPECT_EQ(loadedWorker(in).Name(), "In");

    // The copy holds its own port and the new child; the press itself is as it was.
    EXPECT_EQ(childrenIn(press, 3), (Keys{in}));
    EXPECT_EQ(decompCount(press), 2);
    EXPECT_EQ(childrenIn(press_, 3), (Keys{in_}));
    EXPECT_EQ(decompCount(press_), 1);
    // Line A and what inherits from it use the copy in both press slots; Line keeps the press.
    for (const std::int32_t slot : {kPressSlot, kPressAgainSlot}) {
        EXPECT_EQ(childrenIn(lineA_, slot), (Keys{press}));
        EXPECT_EQ(childrenIn(lineA1_, slot), (Keys{press}));
        EXPECT_EQ(childrenIn(line_, slot), (Keys{press_}));
    }
    EXPECT_EQ(childrenIn(lineA_, kMillSlot), (Keys{mill_}));
    const auto moved = test::storedRelation(
        std::stoi(textOf("SELECT rel_id FROM Relation WHERE rel_start_ent_id = ? AND "
                         "rel_slot_id = ? AND rel_deleted = 0",
                         lineA_, kPressSlot)));
    EXPECT_FALSE(moved.inherited);
    EXPECT_EQ(moved.inheritedFrom, moved.key);
    EXPECT_EQ(moved.contact, "Generated Automatically");
    const auto below = test::storedRelation(
        std::stoi(textOf("SELECT rel_id FROM Relation WHERE rel_start_ent_id = ? AND "
                         "rel_slot_id = ? AND rel_deleted = 0",
                         lineA1_, kPressSlot)));
    EXPECT_EQ(below.inheritedFrom, moved.key);
}

TEST_F(InContextEditing, ReplaceAndRefineEditTheCopiesOfTheRelationAndChildTheyName) {
    const std::int32_t ram = make_.entity("Ram", EntityType::Activity);
    const auto toRam = decompose(press_, ram, 7);
    const std::int32_t hammer = make_.entity("Hammer", EntityType::Activity);
    entity(press_)->ReplaceInDecomp(toRam->ID(), *entity(ram), *entity(hammer), context_, changes_,
                                    changed_, "", "");
    const std::int32_t press = madeFor(press_);
    ASSERT_NE(press, 0);
    EXPECT_EQ(childrenIn(press, 7), (Keys{hammer}));
    EXPECT_EQ(childrenIn(press_, 7), (Keys{ram}));

    // Refining the port: the path's copy of the press holds the copy of the port.
    ObjRelations deeper;
    deeper.AddByID(RelationID(std::stoi(
        textOf("SELECT rel_id FROM Relation WHERE rel_start_ent_id = ? AND rel_slot_id = ? AND "
               "rel_deleted = 0",
               lineA1_, kMillSlot))));
    const std::int32_t outlet = make_.entity("Outlet", EntityType::Port);
    EXPECT_TRUE(entity(mill_)->ReFineInDecomp(toOut_->ID(), *entity(out_), *entity(outlet), deeper,
                                              changes_, changed_, ""));
    const std::int32_t mill = madeFor(mill_);
    EXPECT_EQ(childrenIn(mill, 5), (Keys{outlet}));
    EXPECT_EQ(childrenIn(mill_, 5), (Keys{out_}));
    EXPECT_EQ(childrenIn(lineA1_, kMillSlot), (Keys{mill}));
    EXPECT_EQ(childrenIn(lineA_, kMillSlot), (Keys{mill_}));
}

TEST_F(InContextEditing, AFailureWhileSpecializingLeavesNothing) {
    global_db().database().execute(
        "CREATE TRIGGER refuse BEFORE INSERT ON Relation WHEN NEW.rel_contact = "
        "'Generated Automatically' BEGIN SELECT RAISE(ABORT, 'no copies'); END");
    const std::string before = test::hierarchyState();
    const std::int32_t die = make_.entity("Die", EntityType::Activity);
    const std::string withDie = test::hierarchyState();
    ASSERT_NE(withDie, before);

    EXPECT_THROW(entity(press_)->AddDecomp(*entity(die), context_, changes_, changed_, "", ""),
                 Error);
    EXPECT_EQ(test::hierarchyState(), withDie);
}

TEST_F(InContextEditing, APathThroughADeletedRelationIsRefusedAndMakesNothing) {
    const std::int32_t die = make_.entity("Die", EntityType::Activity);
    // The path was read before Line A's press slot was removed.
    sql("UPDATE Relation SET rel_deleted = 1 WHERE rel_id = ?", KeyOfID((*context_.begin())->ID()));
    const std::string before = test::hierarchyState();
    EXPECT_EQ(errorOf([&] {
                  entity(press_)->AddDecomp(*entity(die), context_, changes_, changed_, "", "");
              }).number(),
              objectError(25));
    EXPECT_EQ(errorOf([&] {
                  entity(press_)->SetAttributeValue("kt_Name", Value(std::string("Other")),
                                                    context_, changed_, changes_);
              }).number(),
              objectError(25));
    EXPECT_EQ(test::hierarchyState(), before);
    EXPECT_EQ(loadedWorker(press_).Name(), "Press");
}

TEST_F(InContextEditing, AnAttributeChangedInTheContextLandsOnTheSpecialization) {
    const std::string before = test::hierarchyState();
    EXPECT_EQ(errorOf([&] {
                  entity(press_)->SetAttributeValue("kt_Name", Value(std::string()), context_,
                                                    changed_, changes_);
              }).number(),
              objectError(4));
    EXPECT_EQ(test::hierarchyState(), before);  // a refused value makes no specialization

    loadedWorker(press_).AddNewAttribute("Finish", 2, Value(std::string("plain")));
    entity(press_)->SetAttributeValue("Finish", Value(std::string("polished")), context_, changed_,
                                      changes_);
    ASSERT_TRUE(changed_);
    const auto finish = [&](std::int32_t key) {
        return Field("value", entity(key)->GetAttributeValue("Finish")).asText();
    };
    EXPECT_EQ(finish(madeFor(press_)), "polished");
    EXPECT_EQ(finish(press_), "plain");
}

}  // namespace
}  // namespace kt
