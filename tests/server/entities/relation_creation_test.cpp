#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "server/attributes/obj_relation.h"
#include "server/database/errors.h"
#include "server/database/key_allocation.h"
#include "server/entities/generic.h"
#include "tests/server/database/open_catalogue_fixture.h"
#include "tests/server/support/fixture_catalogue.h"
#include "tests/server/support/relation_rows.h"

namespace kt {
namespace {

using test::errorOf;
using test::loadedWorker;
using test::StoredRelation;
using Keys = std::vector<std::int32_t>;

constexpr std::int32_t kGivenSlot = 9;
constexpr std::int32_t kNewSlot = 0;

// The thing "Top" has the specializations "Mid" (with "Low" below it) and "Side"; "Joint"
// specializes both "Mid" and "Side", so that the hierarchy below "Top" holds a diamond. The
// relations end at "Crew", whose contact differs from Top's.
class RelationCreation : public test::OpenCatalogueFixture {
protected:
    void SetUp() override {
        OpenCatalogueFixture::SetUp();
        top_ = make_.entity("Top");
        mid_ = make_.entity("Mid");
        low_ = make_.entity("Low");
        side_ = make_.entity("Side");
        joint_ = make_.entity("Joint");
        make_.specialize(top_, mid_, direct_specialization, 1);
        make_.specialize(top_, side_, direct_specialization, 2);
        make_.specialize(mid_, low_, direct_specialization, 1);
        make_.specialize(mid_, joint_, direct_specialization, 2);
        make_.specialize(side_, joint_);
        crew_ = make_.entity("Crew", EntityType::Resource);
        loadedWorker(top_).setContact("owner contact");
        loadedWorker(crew_).setContact("end contact");
    }

    generic top() const { return loadedWorker(top_); }
    generic crew() const { return loadedWorker(crew_); }
    // The slot number the next creator takes; nothing is written.
    std::int32_t freeSlot() {
        Transaction peek(database());
        return NewSlotID();
    }
    std::int32_t decompCount(std::int32_t key) { return loadedWorker(key).DecompCount(); }

    test::FixtureCatalogue make_;
    std::int32_t top_ = 0, mid_ = 0, low_ = 0, side_ = 0, joint_ = 0, crew_ = 0;
};

// What a creator writes in the row of the entity that receives the relation.
struct CreatorCase {
    std::string label;
    std::function<std::shared_ptr<ObjRelation>(generic& owner, const generic& end)> create;
    std::int16_t type;
    std::string name;
    std::string slotName;
    std::string contextPath;
    bool newSlot;  // else kGivenSlot, or 0 for the creators without a slot
    std::string contact;
    bool endType;  // the end's type, else 0
};

TEST_F(RelationCreation, EachCreatorWritesItsOwnRow) {
    const std::string endContact = "end contact", ownContact = "owner contact";
    const std::vector<CreatorCase> cases{
        {"exception handler 10",
         [](generic& o, const generic& e) { return o.AddExceptionHandler(e, 10, 0, "", ""); }, 10,
         "Anticipates Exception", "Exception_slot_name", "dec", true, endContact, true},
        {"exception handler 11",
         [](generic& o, const generic& e) { return o.AddExceptionHandler(e, 11, 9, "", ""); }, 11,
         "Avoids Exception", "Exception_slot_name", "dec", false, endContact, true},
        {"exception handler 12",
         [](generic& o, const generic& e) { return o.AddExceptionHandler(e, 12, 0, "", ""); }, 12,
         "Detects Exception", "Exception_slot_name", "dec", true, endContact, true},
        {"exception handler 13",
         [](generic& o, const generic& e) { return o.AddExceptionHandler(e, 13, 0, "", ""); }, 13,
         "ResolvesException", "Exception_slot_name", "dec", true, endContact, true},
        {"performed where",
         [](generic& o, const generic& e) { return o.AddRelation(e, 15, 0, "", ""); }, 15,
         "Performed_where", "Performed_where_slot", "no path", true, endContact, true},
        {"specialized by",
         [](generic& o, const generic& e) { return o.AddRelation(e, 16, 9, "", ""); }, 16,
         "Specialized_by", "Specialized_by_slot", "no path", false, endContact, true},
        {"behaviour 17",
         [](generic& o, const generic& e) { return o.AddRelation(e, 17, 0, "", ""); }, 17,
         "Has_Behavior", "Has_Behavior_slot", "no path", true, endContact, true},
        {"unnamed 18", [](generic& o, const generic& e) { return o.AddRelation(e, 18, 0, "", ""); },
         18, "Unknown", "Unknown", "no path", true, endContact, true},
        {"unnamed 19", [](generic& o, const generic& e) { return o.AddRelation(e, 19, 0, "", ""); },
         19, "Unknown", "Unknown", "no path", true, endContact, true},
        {"caused by", [](generic& o, const generic& e) { return o.AddRelation(e, 20, 0, "", ""); },
         20, "Caused_by", "Caused_by_slot", "no path", true, endContact, true},
        {"behaviour 21",
         [](generic& o, const generic& e) { return o.AddRelation(e, 21, 0, "", ""); }, 21,
         "Has_Behavior", "Has_Behavior_slot", "no path", true, endContact, true},
        {"performed by",
         [](generic& o, const generic& e) { return o.AddPerformedBy(e, 0, "", ""); }, 14,
         "Performed by", "Performed_by_slot_name", "no path", true, endContact, true},
        {"has exception", [](generic& o, const generic& e) { return o.AddException(e, 9, "", ""); },
         9, "Has Exception", "Exception_slot_name", "dec", false, endContact, true},
        {"navigation", [](generic& o, const generic& e) { return o.AddNewNavRelation(e, "", ""); },
         4, "Navigational Relation", "no slot", "no path", false, ownContact, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const std::int32_t freeSlot = this->freeSlot();
        generic owner = top();
        const auto relation = c.create(owner, crew());
        const StoredRelation row = test::storedRelation(test::keyOf(*relation));
        EXPECT_EQ(row.type, c.type);
        EXPECT_EQ(row.name, c.name);
        EXPECT_EQ(row.slotName, c.slotName);
        EXPECT_EQ(row.contextPath, c.contextPath);
        const bool navigation = c.type == 4;
        EXPECT_EQ(row.slot, c.newSlot ? freeSlot : navigation ? 0 : kGivenSlot);
        EXPECT_EQ(row.contact, c.contact);
        EXPECT_EQ(row.endType, c.endType ? static_cast<std::int32_t>(EntityType::Resource) : 0);
        EXPECT_EQ(row.displayOrder, 0);
        EXPECT_EQ((Keys{row.start, row.end, row.context}), (Keys{top_, crew_, top_}));
        EXPECT_FALSE(row.inherited);
        EXPECT_EQ(row.inheritedFrom, row.key);
        EXPECT_EQ(relation->Name(), c.name);
        EXPECT_EQ(relation->SlotID(), row.slot);
        // Only the navigation relation stays where it was made.
        EXPECT_EQ(test::storedRelationsAfter(row.key).size(), navigation ? 0U : 4U);
    }
}

TEST_F(RelationCreation, ADecompositionTakesItsPlaceAfterTheCountedChildrenUnlessGivenOne) {
    generic owner = top();
    owner.UpdateDecompCount(4, true);
    const std::int32_t freeSlot = this->freeSlot();

    const auto appended = owner.AddDecomposition(crew(), kNewSlot, 0, "", "");
    StoredRelation row = test::storedRelation(test::keyOf(*appended));
    EXPECT_EQ((Keys{row.displayOrder, row.slot, decompCount(top_)}), (Keys{5, freeSlot, 5}));
    EXPECT_EQ(row.name, "Decomposition Relation");
    EXPECT_EQ(row.slotName, "slot_name");
    EXPECT_EQ(row.contextPath, "dec");
    EXPECT_EQ(row.contact, "end contact");
    EXPECT_EQ(row.endType, static_cast<std::int32_t>(EntityType::Resource));

    const auto placed = owner.AddDecomposition(crew(), kGivenSlot, 7, "", "");
    row = test::storedRelation(test::keyOf(*placed));
    EXPECT_EQ((Keys{row.displayOrder, row.slot, decompCount(top_)}), (Keys{7, kGivenSlot, 6}));
    // Every specialization counted each child once, the diamond's "Joint" too.
    EXPECT_EQ((Keys{decompCount(mid_), decompCount(low_), decompCount(joint_), decompCount(side_)}),
              (Keys{2, 2, 2, 2}));
}

TEST_F(RelationCreation, AnExceptionHandlerOfAnotherTypeIsRefusedBeforeAnythingIsTaken) {
    const std::string before = test::catalogueState();
    const std::int32_t freeSlot = this->freeSlot();
    for (const std::int16_t type : {9, 14}) {
        const Error error = errorOf([&] { top().AddExceptionHandler(crew(), type, 0, "", ""); });
        EXPECT_EQ(error.number(), objectError(3));
        EXPECT_EQ(error.description(), "Invalid relation type for operation");
    }
    EXPECT_EQ(test::catalogueState(), before);
    EXPECT_EQ(this->freeSlot(), freeSlot);
}

// One propagated kind: how the copies are typed and named.
struct PropagationCase {
    std::string label;
    std::function<std::shared_ptr<ObjRelation>(generic& owner, const generic& end)> create;
    std::int16_t copyType = 0;
    std::string copyName = {};
};

TEST_F(RelationCreation, EverySpecializationGetsOneInheritedCopyThroughChainAndDiamond) {
    const std::vector<PropagationCase> cases{
        {"decomposition",
         [](generic& o, const generic& e) { return o.AddDecomposition(e, 0, 3, "", "slot uid"); },
         1, "Decomposition Relation"},
        {"exception handler",
         [](generic& o, const generic& e) { return o.AddExceptionHandler(e, 11, 0, "", ""); }, 11,
         "Avoids Exception"},
        {"typed relation",
         [](generic& o, const generic& e) { return o.AddRelation(e, 20, 0, "own uid", ""); }, 20,
         "Caused_by"},
        {"performed by",
         [](generic& o, const generic& e) { return o.AddPerformedBy(e, 0, "", ""); }, 14,
         "Performed by"},
        {"has exception", [](generic& o, const generic& e) { return o.AddException(e, 0, "", ""); },
         9, "Exception Relation"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        generic owner = top();
        const auto relation = c.create(owner, crew());
        const StoredRelation original = test::storedRelation(test::keyOf(*relation));
        const auto copies = test::storedRelationsAfter(original.key);
        // Depth first in display order; "Joint", below both "Mid" and "Side", once.
        Keys owners;
        for (const auto& copy : copies) {
            owners.push_back(copy.start);
            EXPECT_EQ(copy.context, copy.start);
            EXPECT_EQ(copy.end, crew_);
            EXPECT_TRUE(copy.inherited);
            EXPECT_EQ(copy.inheritedFrom, original.key);  // never an intermediate copy
            EXPECT_EQ(copy.contact, "Automatically Generated");
            EXPECT_EQ(copy.type, c.copyType);
            EXPECT_EQ(copy.name, c.copyName);
            EXPECT_EQ(copy.slot, original.slot);
            EXPECT_EQ(copy.slotName, original.slotName);
            EXPECT_EQ(copy.slotUniqueId, original.slotUniqueId);
            EXPECT_EQ(copy.contextPath, original.contextPath);
            EXPECT_EQ(copy.displayOrder, original.displayOrder);
            EXPECT_EQ(copy.endType, original.endType);
            EXPECT_NE(copy.uniqueId, original.uniqueId);
        }
        EXPECT_EQ(owners, (Keys{mid_, low_, joint_, side_}));
        EXPECT_NE(copies[0].uniqueId, copies[1].uniqueId);
    }
}

TEST_F(RelationCreation, ADeletedLinkOrEntityIsPassedOverWithEverythingBelowIt) {
    // "Mid" is cut off by its deleted link, "Side" is deleted itself; "Joint" hangs below both.
    sql("UPDATE Specialization SET spec_deleted = 1 WHERE spec_child_ent_id = ?", mid_);
    make_.deleteEntity(side_);
    const std::int32_t other = make_.entity("Other");
    make_.specialize(top_, other, direct_specialization, 3);

    generic owner = top();
    const auto relation = owner.AddPerformedBy(crew(), 0, "", "");
    Keys owners;
    for (const auto& copy : test::storedRelationsAfter(test::keyOf(*relation))) {
        owners.push_back(copy.start);
    }
    EXPECT_EQ(owners, (Keys{other}));
}

TEST_F(RelationCreation, ACycleOfSpecializationsEndsTheWalk) {
    make_.specialize(low_, top_);
    generic owner = top();
    const auto relation = owner.AddDecomposition(crew(), kNewSlot, 0, "", "");
    Keys owners;
    for (const auto& copy : test::storedRelationsAfter(test::keyOf(*relation))) {
        owners.push_back(copy.start);
    }
    EXPECT_EQ(owners, (Keys{mid_, low_, joint_, side_}));
    EXPECT_EQ(decompCount(top_), 1);
}

TEST_F(RelationCreation, ACreatorOnADeletedEntityWritesNothing) {
    make_.deleteEntity(top_);
    const std::string before = test::catalogueState();
    generic owner = top();
    EXPECT_EQ(errorOf([&] { owner.AddRelation(crew(), 17, 0, "", ""); }).number(), objectError(22));
    EXPECT_EQ(test::catalogueState(), before);
}

TEST_F(RelationCreation, AFailureHalfWayLeavesTheCatalogueAsItWas) {
    // The copy for "Low", the second entity of the walk, cannot be written.
    sql("CREATE TRIGGER refuse_low BEFORE INSERT ON Relation WHEN NEW.rel_start_ent_id = " +
        std::to_string(low_) + " BEGIN SELECT RAISE(ABORT, 'injected failure'); END");
    const std::vector<PropagationCase> cases{
        {"decomposition",
         [](generic& o, const generic& e) { return o.AddDecomposition(e, 0, 0, "", ""); }},
        {"exception handler",
         [](generic& o, const generic& e) { return o.AddExceptionHandler(e, 12, 0, "", ""); }},
        {"typed relation",
         [](generic& o, const generic& e) { return o.AddRelation(e, 16, 0, "", ""); }},
        {"performed by",
         [](generic& o, const generic& e) { return o.AddPerformedBy(e, 0, "", ""); }},
        {"has exception",
         [](generic& o, const generic& e) { return o.AddException(e, 0, "", ""); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const std::string before = test::catalogueState();
        generic owner = top();
        const Error error = errorOf([&] { c.create(owner, crew()); });
        EXPECT_NE(error.description().find("injected failure"), std::string::npos);
        EXPECT_EQ(test::catalogueState(), before);
    }
}

}  // namespace
}  // namespace kt
