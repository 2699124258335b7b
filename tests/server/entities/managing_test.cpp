#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "server/attributes/obj_relation.h"
#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "server/entities/entities.h"
#include "server/entities/entity.h"
#include "server/entities/generic.h"
#include "server/entities/managing_structure.h"
#include "server/entities/obj_relations.h"
#include "tests/server/database/open_catalogue_fixture.h"
#include "tests/server/support/fixture_catalogue.h"
#include "tests/server/support/relation_keys.h"
#include "tests/server/support/relation_rows.h"

namespace kt {
namespace {

using test::errorOf;
using test::FixtureRelation;
using test::keysOf;
using test::loadedWorker;
using Keys = std::vector<std::int32_t>;

// The activity "Works" decomposes into the dependency "Flow" and the activity "Boss". "Flow"
// has the port "Drain" (a producer), "Boss" the port "Tap" (a consumer) and the port "Spout"
// (a producer).
class Managing : public test::OpenCatalogueFixture {
protected:
    void SetUp() override {
        OpenCatalogueFixture::SetUp();
        works_ = make_.entity("Works", EntityType::Activity);
        flow_ = make_.entity("Flow", EntityType::Dependency);
        boss_ = make_.entity("Boss", EntityType::Activity);
        drain_ = port("Drain", "Producer");
        tap_ = port("Tap", "Consumer");
        spout_ = port("Spout", "Producer");
        toDrain_ = decompose(flow_, drain_);
        toTap_ = decompose(boss_, tap_);
        toSpout_ = decompose(boss_, spout_);
        toFlow_ = decompose(works_, flow_);
        decompose(works_, boss_);
        flowContext_.AddItem(toFlow_);
        drainContext_.AddItem(toDrain_);
        drainContext_.AddItem(toFlow_);
    }

    std::int32_t port(const std::string& name, const std::string& type) {
        const std::int32_t key = make_.entity(name, EntityType::Port);
        loadedWorker(key).AddNewAttribute("PortType", 2, type);
        return key;
    }
    std::shared_ptr<ObjRelation> decompose(std::int32_t parent, std::int32_t child) {
        return loadedWorker(parent).AddDecomposition(loadedWorker(child), 0, 0, "", "");
    }
    static std::shared_ptr<Entity> entity(std::int32_t key) {
        auto bound = std::make_shared<Entity>();
        bound->LoadFromID(EntityID(key));
        return bound;
    }
    // "Boss" manages "Flow" in "Works".
    void bossManagesFlow() {
        entity(flow_)->AddItemToAttrCol("kt_ManagingEntities", entity(boss_), flowContext_,
                                        changed_, changes_);
    }
    void manage(std::int32_t managed, const std::shared_ptr<ObjRelation>& managing,
                const ObjRelations* context = nullptr) {
        entity(managed)->SetAttributeObject("kt_ManagingEntity", managing,
                                            context ? *context : drainContext_, changed_, changes_,
                                            maker());
    }
    // Makes specializations as rows of their own; one that takes the relations along takes a
    // relation key for a copied relation too, as the catalogue's own does.
    SpecializationMaker maker() {
        return [this](const generic& parent, const std::string& name, const std::string& contact,
                      bool copyRelations) -> std::shared_ptr<generic> {
            if (failAt_ && ++made_ == *failAt_) {
                throw catalogueError(24, "injected failure");
            }
            const std::int32_t key = make_.entity(name, static_cast<EntityType>(parent.Typ()));
            make_.specialize(parent.ID(), key);
            auto worker = std::make_shared<generic>(loadedWorker(key));
            worker->setContact(contact);
            if (copyRelations) {
                make_.relation({.type = RelationType::Navigation, .start = key, .end = key});
                generic original = parent;
                worker->AddNewAttribute("PortType", 2, original.GetAttributeVal("PortType"));
            }
            return worker;
        };
    }

    test::FixtureCatalogue make_;
    ObjRelations flowContext_, drainContext_;
    ChangeArray changes_;
    bool changed_ = true;
    std::optional<int> failAt_;
    int made_ = 0;
    std::int32_t works_ = 0, flow_ = 0, boss_ = 0, drain_ = 0, tap_ = 0, spout_ = 0;
    std::shared_ptr<ObjRelation> toDrain_, toTap_, toSpout_, toFlow_;
};

TEST_F(Managing, AManagingActivityTakesEachKeyWhenItsRowIsWritten) {
    // The next relation key is 40.
    sql("UPDATE Relation SET rel_id = 39 WHERE rel_id = (SELECT MAX(rel_id) FROM Relation)");
    const std::int32_t slot = std::stoi(textOf("SELECT MAX(rel_slot_id) + 1 FROM Relation"));
    std::optional<std::int32_t> origin;
    loadedWorker(flow_).SetManagingActivityForDepe(loadedWorker(boss_), loadedWorker(works_),
                                                   origin);
    EXPECT_EQ(origin, 40);
    const auto rows = test::storedRelationsAfter(39);
    ASSERT_EQ(rows.size(), 2u);
    const auto& managedBy = rows[0];
    EXPECT_EQ((Keys{managedBy.key, managedBy.inheritedFrom, managedBy.type, managedBy.start,
                    managedBy.end, managedBy.context, managedBy.slot, managedBy.endType}),
              (Keys{40, 40, 5, flow_, boss_, flow_, 0, 0}));
    EXPECT_EQ(managedBy.name, "Managed By Relation");
    EXPECT_EQ(managedBy.slotName + "/" + managedBy.contextPath, "no slot/no path");
    const auto& automatic = rows[1];
    EXPECT_EQ((Keys{automatic.key, automatic.inheritedFrom, automatic.type, automatic.start,
                    automatic.end, automatic.slot, automatic.endType}),
              (Keys{41, 40, 8, works_, boss_, slot, 1}));
    EXPECT_EQ(automatic.name, "Automatic Decomposition");
    EXPECT_EQ(automatic.slotName + "/" + automatic.contextPath, "auto decomp slot/decomp");
    EXPECT_FALSE(managedBy.inherited || automatic.inherited);

    // Works has its automatic decomposition to Boss now: a second dependency gets only its
    // managed-by relation, and no slot is drawn for it. A given origin marks it inherited.
    const std::int32_t other = make_.entity("Other flow", EntityType::Dependency);
    std::optional<std::int32_t> given = 7;
    loadedWorker(other).SetManagingActivityForDepe(loadedWorker(boss_), loadedWorker(works_),
                                                   given);
    const auto more = test::storedRelationsAfter(41);
    ASSERT_EQ(more.size(), 1u);
    EXPECT_TRUE(more[0].inherited);
    EXPECT_EQ((Keys{more[0].type, more[0].inheritedFrom}), (Keys{5, 7}));
    EXPECT_EQ(textOf("SELECT MAX(rel_slot_id) FROM Relation"), std::to_string(slot));
}

TEST_F(Managing, ADependencyTakesOneManagingActivityInAContext) {
    bossManagesFlow();
    EXPECT_FALSE(changed_);
    const auto managers = std::get<std::shared_ptr<ObjRelations>>(
        entity(flow_)->GetAttributeObject("kt_ManagingEntities", EntityID(works_)));
    ASSERT_EQ(managers->Count(), 1);
    EXPECT_EQ(managers->GetItemByIndex(1)->EndID(), EntityID(boss_));
    EXPECT_EQ(keysOf(*loadedWorker(flow_).GetManagingEntities()), (Keys{boss_}));
    EXPECT_EQ(keysOf(*loadedWorker(boss_).GetAllEntitiesBeingManaged()), (Keys{flow_}));

    const std::int32_t second = make_.entity("Second flow", EntityType::Dependency);
    const auto toSecond = decompose(works_, second);
    ObjRelations secondContext;
    secondContext.AddItem(toSecond);
    const auto pair = std::make_shared<Entities>();
    pair->AddItem(entity(boss_));
    pair->AddItem(entity(works_));
    const auto none = std::make_shared<Entities>();
    struct Case {
        const char* what;
        std::function<void()> call;
        std::int32_t number;
    };
    const Case cases[] = {
        {"already managed", [&] { bossManagesFlow(); }, 35},
        {"no context",
         [&] {
             entity(second)->AddItemToAttrCol("kt_ManagingEntities", entity(boss_), ObjRelations(),
                                              changed_, changes_);
         },
         25},
        {"not a dependency",
         [&] {
             entity(boss_)->AddItemToAttrCol("kt_ManagingEntities", entity(boss_), secondContext,
                                             changed_, changes_);
         },
         3},
        {"no entity",
         [&] {
             entity(second)->AddItemToAttrCol("kt_ManagingEntities", nullptr, secondContext,
                                              changed_, changes_);
         },
         17},
        {"two managers",
         [&] {
             entity(second)->SetAttributeObject("kt_ManagingEntities", pair, secondContext,
                                                changed_, changes_);
         },
         36},
        {"not a list",
         [&] {
             entity(second)->SetAttributeObject("kt_ManagingEntities", entity(boss_), secondContext,
                                                changed_, changes_);
         },
         17},
        {"removal by an empty list",
         [&] {
             entity(second)->SetAttributeObject("kt_ManagingEntities", none, secondContext,
                                                changed_, changes_);
         },
         19},
        {"removal of an item",
         [&] { entity(flow_)->RemoveItemFromAttrCol("kt_ManagingEntities", 1); }, 19},
        {"without context arguments",
         [&] { entity(second)->AddItemToAttrCol("kt_ManagingEntities", entity(boss_)); }, 25},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string before = test::catalogueState();
        EXPECT_EQ(errorOf(c.call).number(), objectError(c.number));
        EXPECT_EQ(test::catalogueState(), before);
    }
    EXPECT_NE(errorOf([&] { RemoveManagingPort(); }).description().find("not supported"),
              std::string::npos);

    // A list of one activity sets it.
    const auto one = std::make_shared<Entities>();
    one->AddItem(entity(boss_));
    entity(second)->SetAttributeObject("kt_ManagingEntities", one, secondContext, changed_,
                                       changes_);
    EXPECT_EQ(keysOf(*loadedWorker(second).GetManagingEntities()), (Keys{boss_}));
}

TEST_F(Managing, AManagingPortMustSuitTheManagedPort) {
    const std::int32_t open = port("Open", "Undeclared");
    const std::int32_t lone = make_.entity("Lone", EntityType::Activity);
    const auto toOpen = decompose(boss_, open);
    const auto toLoneOwner = decompose(lone, tap_);
    const std::int32_t undeclared = port("Vent", "Undeclared");
    ObjRelations ventContext;
    ventContext.AddItem(decompose(flow_, undeclared));
    ventContext.AddItem(toFlow_);
    struct Case {
        const char* what;
        std::int32_t managed;
        std::shared_ptr<ObjRelation> managing;
        bool managed_by_boss;
        std::int32_t number;
    };
    const Case cases[] = {
        {"not a port", flow_, toTap_, true, 3},
        {"managing end not a port", drain_, toFlow_, true, 17},
        {"same type", drain_, toSpout_, true, 39},
        {"undeclared by a declared port", undeclared, toTap_, true, 42},
        {"activity not managing", drain_, toTap_, false, 40},
        {"activity of the port not managing", drain_, toLoneOwner, true, 40},
    };
    bossManagesFlow();
    // Boss's management of Flow, switched on and off.
    const auto bossManaging = [&](bool on) {
        sql("UPDATE Relation SET rel_deleted = ? WHERE rel_Type IN (5, 8) AND rel_end_ent_id = ?",
            !on, boss_);
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        bossManaging(c.managed_by_boss);
        const std::string before = test::catalogueState();
        EXPECT_EQ(errorOf([&] {
                      manage(c.managed, c.managing,
                             c.managed == undeclared ? &ventContext : nullptr);
                  }).number(),
                  objectError(c.number));
        EXPECT_EQ(test::catalogueState(), before);
    }
    // An undeclared managing port suits any port; the new ports keep their inherited types.
    bossManaging(true);
    manage(undeclared, toOpen, &ventContext);
    EXPECT_EQ(textOf("SELECT group_concat(a.atri_value, ',') FROM Attributes a JOIN Entity e ON "
                     "a.atri_ent_ref = e.ent_id WHERE e.ent_name = 'Managing Port' AND "
                     "a.atri_name = 'PortType' AND a.atri_deleted = 0"),
              "Undeclared,Undeclared");
}

TEST_F(Managing, AManagedPortGetsItsStructureWithUniqueKeys) {
    bossManagesFlow();
    const std::int32_t last = std::stoi(textOf("SELECT MAX(rel_id) FROM Relation"));
    const std::int32_t slot = std::stoi(textOf("SELECT MAX(rel_slot_id) FROM Relation"));
    const std::int32_t bossSlot =
        std::stoi(textOf("SELECT rel_slot_id FROM Relation WHERE rel_Type = 8"));
    manage(drain_, toTap_);

    std::vector<test::StoredRelation> structure;
    std::set<std::int32_t> keys;
    for (const auto& row : test::storedRelationsAfter(last)) {
        keys.insert(row.key);
        if (row.type != static_cast<std::int16_t>(RelationType::Navigation)) {
            structure.push_back(row);  // not the stand-ins for copied relations
        }
    }
    ASSERT_EQ(structure.size(), 7u);
    const auto named = [&](const std::string& name) {
        const std::string found = textOf("SELECT MAX(ent_id) FROM Entity WHERE ent_name = ?", name);
        return std::stoi(found);
    };
    const std::int32_t managing = named("Managing Dependency");
    const std::int32_t drainCopy = std::stoi(textOf(
        "SELECT spec_child_ent_id FROM Specialization WHERE spec_parent_ent_id = ?", drain_));
    const std::int32_t tapCopy = std::stoi(
        textOf("SELECT spec_child_ent_id FROM Specialization WHERE spec_parent_ent_id = ?", tap_));
    struct Expected {
        std::int16_t type;
        std::int32_t start, end, context, slot, endType;
        const char* name;
        const char* path;
    };
    // The stand-ins for the relations copied into the two new ports took slots slot + 2 and
    // slot + 3 before the managing dependency's decompositions were written.
    const std::string s = std::to_string(slot + 1);
    const std::string path1 = std::to_string(toTap_->SlotID()) + "," + std::to_string(bossSlot) +
                              ":" + std::to_string(slot + 5) + "," + s;
    const std::string path2 = std::to_string(slot + 4) + "," + s + ":" +
                              std::to_string(toDrain_->SlotID()) + "," +
                              std::to_string(toFlow_->SlotID());
    const Expected expected[] = {
        {5, flow_, managing, flow_, 0, 0, "Is Managed By Relation", "no path"},
        {5, drain_, tap_, drain_, 0, 0, "Is Managed By Relation", "no path"},
        {8, works_, managing, works_, slot + 1, 5, "Automatically Generated Decomposition Relation",
         "decomp"},
        {1, managing, drainCopy, managing, slot + 4, 3, "Decomposition Relation", "decomp"},
        {1, managing, tapCopy, managing, slot + 5, 3, "Decomposition Relation", "decomp"},
        {3, tap_, tapCopy, works_, 0, 3, "Automatically Generated Connector", path1.c_str()},
        {3, drainCopy, drain_, works_, 0, 3, "Automatically Generated Connector", path2.c_str()},
    };
    for (std::size_t i = 0; i < structure.size(); ++i) {
        const auto& row = structure[i];
        const auto& want = expected[i];
        SCOPED_TRACE(want.name);
        EXPECT_EQ((Keys{row.type, row.start, row.end, row.context, row.slot, row.endType}),
                  (Keys{want.type, want.start, want.end, want.context, want.slot, want.endType}));
        EXPECT_EQ(row.name, want.name);
        EXPECT_EQ(row.contextPath, want.path);
        EXPECT_EQ(row.contact, "Automatically Generated");
        EXPECT_EQ(row.inheritedFrom, row.key);
    }
    EXPECT_EQ(
        textOf("SELECT group_concat(rel_imb_context_ent_id) FROM Relation WHERE rel_Type = 3"),
        std::to_string(flow_) + "," + std::to_string(flow_));
    // A producer managed by a consumer: its port becomes the producer, the managing copy the
    // consumer.
    EXPECT_EQ(loadedWorker(drainCopy).GetAttributeVal("PortType"), Value(std::string("Producer")));
    EXPECT_EQ(loadedWorker(tapCopy).GetAttributeVal("PortType"), Value(std::string("Consumer")));
    const auto connectors = std::get<std::shared_ptr<ObjRelations>>(
        entity(flow_)->GetAttributeObject("kt_ManagingConnectors", EntityID(works_)));
    EXPECT_EQ(connectors->Count(), 2);
}

TEST_F(Managing, AStructureThatFailsHalfWayLeavesNothing) {
    bossManagesFlow();
    for (const int failing : {1, 2, 3}) {
        SCOPED_TRACE(failing);
        failAt_ = failing;
        made_ = 0;
        const std::string before = test::catalogueState();
        const std::string entities = textOf("SELECT COUNT(*) FROM Entity");
        const auto error = errorOf([&] { manage(drain_, toTap_); });
        EXPECT_EQ(error.number(), objectError(24));
        EXPECT_EQ(error.description(), "SetManagingPort_Error: injected failure");
        EXPECT_EQ(test::catalogueState(), before);
        EXPECT_EQ(textOf("SELECT COUNT(*) FROM Entity"), entities);
    }
}

TEST_F(Managing, ThePublishedMemberMakesItsPortsAsRealSpecializations) {
    bossManagesFlow();
    entity(drain_)->SetAttributeObject("kt_ManagingEntity", toTap_, drainContext_, changed_,
                                       changes_);
    const auto childOf = [&](std::int32_t parent) {
        return std::stoi(textOf(
            "SELECT spec_child_ent_id FROM Specialization WHERE spec_parent_ent_id = ?", parent));
    };
    for (const std::int32_t port : {drain_, tap_}) {
        SCOPED_TRACE(port);
        const std::int32_t copy = childOf(port);
        EXPECT_EQ(textOf("SELECT ent_name FROM Entity WHERE ent_id = ?", copy), "Managing Port");
        EXPECT_TRUE(loadedWorker(copy).HasGeneralization(loadedWorker(port)));
        // The copy takes its port's attributes along.
        EXPECT_EQ(loadedWorker(copy).GetAttributeVal("PortType"),
                  port == drain_ ? Value(std::string("Producer")) : Value(std::string("Consumer")));
    }
    EXPECT_EQ(textOf("SELECT COUNT(*) FROM Entity WHERE ent_name = 'Managing Dependency'"), "1");
}

TEST_F(Managing, WalksAlongManagersEndQuietlyAndOnceAroundALoop) {
    // "Left" and "Right" manage each other; "Right" sits beside "Left" in "Box", and a connector
    // in "Works" joins "Right" to "Plug", which "Box" holds beside "Left".
    const std::int32_t left = port("Left", "Undeclared");
    const std::int32_t right = port("Right", "Undeclared");
    const std::int32_t plug = port("Plug", "Undeclared");
    const std::int32_t box = make_.entity("Box", EntityType::Dependency);
    decompose(box, plug);
    decompose(box, left);
    make_.relation({.type = RelationType::IsManagedBy, .start = left, .end = right});
    make_.relation({.type = RelationType::IsManagedBy, .start = right, .end = left});
    make_.relation(
        {.type = RelationType::Connector, .start = right, .end = plug, .context = works_});

    ObjRelations relations;
    Entities ports;
    loadedWorker(left).GetAllManagingDepesPortsAndRels(relations, ports);
    EXPECT_EQ(relations.size(), 2u);
    EXPECT_TRUE(ports.empty());

    Entities dangling;
    loadedWorker(left).GetAllDanglingPortsOfMDepes(dangling, loadedWorker(works_));
    EXPECT_EQ(keysOf(dangling), (Keys{left}));  // back at "Left": the walk ends

    // Links that are missing end the walk without an error.
    Entities none;
    loadedWorker(tap_).GetAllDanglingPortsOfMDepes(none, loadedWorker(works_));
    loadedWorker(drain_).GetAllDanglingPortsOfMDepes(none, loadedWorker(boss_));
    EXPECT_TRUE(none.empty());

    // A dependency's ports come with their first managing relation.
    ObjRelations flowRelations;
    Entities flowPorts;
    loadedWorker(box).GetAllManagingDepesPortsAndRels(flowRelations, flowPorts);
    EXPECT_EQ(keysOf(flowPorts), (Keys{plug, left}));
    EXPECT_EQ(flowRelations.size(), 3u);  // two decompositions, then Left's managing relation
}

TEST_F(Managing, TheOwnerOfAPortIsTheFirstActivityOrDependencyOnThePath) {
    EXPECT_EQ(loadedWorker(drain_).GetParentEntityRelationForPort(drainContext_)->ID(),
              toDrain_->ID());
    ObjRelations fromThing;
    const std::int32_t thing = make_.entity("Thing");
    fromThing.AddItem(decompose(thing, drain_));
    fromThing.AddItem(toFlow_);
    EXPECT_EQ(loadedWorker(drain_).GetParentEntityRelationForPort(fromThing)->ID(), toFlow_->ID());
    EXPECT_EQ(loadedWorker(drain_).GetParentEntityRelationForPort(ObjRelations())->ID(), 0);

    EXPECT_TRUE(loadedWorker(flow_).GetManagingEntities()->empty());
    EXPECT_TRUE(loadedWorker(boss_).GetAllEntitiesBeingManaged()->empty());
    make_.deleteEntity(flow_);
    EXPECT_EQ(errorOf([&] { loadedWorker(flow_).GetManagingEntities(); }).number(),
              objectError(22));
}

}  // namespace
}  // namespace kt
