#include "server/entities/collection.h"

#include <gtest/gtest.h>

#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "server/entities/entities.h"
#include "server/entities/generic.h"
#include "server/entities/obj_attributes.h"
#include "server/entities/obj_rel_attributes.h"
#include "server/entities/obj_relations.h"
#include "tests/server/database/open_catalogue_fixture.h"

namespace kt {
namespace {

using test::errorOf;

struct Item {
    std::string name;
};

class ThreeItems : public ::testing::Test {
protected:
    void SetUp() override {
        for (auto* item : {&a_, &b_, &c_}) {
            list_.AddItem(*item);
        }
    }
    std::shared_ptr<Item> a_ = std::make_shared<Item>(Item{"A"});
    std::shared_ptr<Item> b_ = std::make_shared<Item>(Item{"B"});
    std::shared_ptr<Item> c_ = std::make_shared<Item>(Item{"C"});
    Collection<Item> list_;
};

TEST(CollectionOfItems, AFreshCollectionIsEmpty) {
    Collection<Item> list;
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(errorOf([&] { list.GetItemByIndex(1); }).number(), 9);
}

TEST_F(ThreeItems, PositionsOutsideOneToCountFailAndChangeNothing) {
    for (const std::int16_t index : {0, -1, 4, -32768, 32767}) {
        SCOPED_TRACE(index);
        const Error get = errorOf([&] { list_.GetItemByIndex(index); });
        EXPECT_EQ(get.number(), 9);
        EXPECT_EQ(get.description(), "Subscript out of range");
        EXPECT_EQ(errorOf([&] { list_.RemoveItemByIndex(index); }).number(), 9);
        EXPECT_EQ(list_.Count(), 3);
        EXPECT_EQ(list_.GetItemByIndex(1), a_);
        EXPECT_EQ(list_.GetItemByIndex(3), c_);
    }
}

TEST_F(ThreeItems, RemovingReturnsTheItemAndMovesLaterOnesUp) {
    EXPECT_EQ(list_.RemoveItemByIndex(2), b_);
    EXPECT_EQ(list_.Count(), 2);
    EXPECT_EQ(list_.GetItemByIndex(1), a_);
    EXPECT_EQ(list_.GetItemByIndex(2), c_);
    EXPECT_EQ(list_.RemoveItemByIndex(1), a_);
    EXPECT_EQ(list_.GetItemByIndex(1), c_);
}

TEST_F(ThreeItems, ItemsAreSharedNotCopiedAndMayRepeat) {
    list_.AddItem(a_);
    EXPECT_EQ(list_.Count(), 4);
    EXPECT_EQ(list_.GetItemByIndex(4), list_.GetItemByIndex(1));
    a_->name = "changed";
    EXPECT_EQ(list_.GetItemByIndex(4)->name, "changed");
}

TEST_F(ThreeItems, AMissingObjectIsRefused) {
    EXPECT_EQ(errorOf([&] { list_.AddItem(nullptr); }).number(), 91);
    EXPECT_EQ(list_.Count(), 3);
}

TEST(CollectionOfItems, CountPast32767RaisesOverflowInsteadOfWrapping) {
    Collection<Item> list;
    const auto item = std::make_shared<Item>();
    for (int i = 0; i < 32767; ++i) {
        list.AddItem(item);
    }
    EXPECT_EQ(list.Count(), 32767);
    EXPECT_EQ(list.GetItemByIndex(32767), item);
    list.AddItem(item);
    EXPECT_EQ(errorOf([&] { (void)list.Count(); }).description(), "Overflow");
    EXPECT_EQ(list.size(), 32768u);
}

class CatalogueCollections : public test::OpenCatalogueFixture {};

TEST_F(CatalogueCollections, EntitiesAddByIDSkipsDeletedEntities) {
    const std::int32_t live = addEntity("live");
    const std::int32_t gone = addEntity("gone");
    sql("UPDATE Entity SET ent_deleted = 1 WHERE ent_id = ?", gone);
    Entities list;
    list.AddByID(EntityID(live));
    list.AddByID(EntityID(gone));
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.GetItemByIndex(1)->Name(), "live");
}

TEST_F(CatalogueCollections, AFailedAddByIDAppendsNothing) {
    Entities entities;
    EXPECT_EQ(errorOf([&] { entities.AddByID(1207); }).number(), objectError(6));
    EXPECT_EQ(errorOf([&] { entities.AddByID(EntityID(9999)); }).number(), objectError(2));
    EXPECT_EQ(entities.Count(), 0);

    ObjRelations relations;
    EXPECT_EQ(errorOf([&] { relations.AddByID(EntityID(1)); }).number(), objectError(23));
    EXPECT_EQ(errorOf([&] { relations.AddByID(RelationID(9999)); }).number(), objectError(23));
    EXPECT_EQ(relations.Count(), 0);

    ObjAttributes attributes;
    EXPECT_EQ(errorOf([&] {
                  attributes.AddByID(StoredAttributeID(99999), std::make_shared<generic>());
              }).number(),
              objectError(9));
    EXPECT_EQ(
        errorOf([&] { attributes.AddByID(EntityID(1), std::make_shared<generic>()); }).number(),
        objectError(8));
    EXPECT_EQ(attributes.Count(), 0);
    ObjRelAttributes relationAttributes;
    EXPECT_THROW(relationAttributes.AddByID(StoredAttributeID(1), std::make_shared<ObjRelation>()),
                 Error);
    EXPECT_EQ(relationAttributes.Count(), 0);
}

TEST_F(CatalogueCollections, EntitiesFromWorkersAndTheirOwner) {
    auto worker = std::make_shared<generic>();
    worker->Init(1);
    Entities list;
    list.AddFromGeneric(worker);
    EXPECT_EQ(list.GetItemByIndex(1)->GetGeneric(), worker);
    EXPECT_EQ(list.GetItemByIndex(1)->Name(), "Tessary Root");

    auto owner = std::make_shared<ObjAttribute>();
    list.BindOwner(owner);
    EXPECT_EQ(list.owner(), owner);
    EXPECT_EQ(list.ownerID(), owner->ID());
    owner.reset();
    EXPECT_EQ(list.owner(), nullptr);  // the attribute holds the list, not the other way round
}

TEST_F(CatalogueCollections, RelationsAddByIDLoadsTheRow) {
    const std::int32_t start = addEntity("start");
    const std::int32_t key = addRelation({.start = start,
                                          .end = 1,
                                          .type = RelationType::Navigation,
                                          .uniqueId = "U1",
                                          .deleted = true});
    ObjRelations list;
    list.AddByID(RelationID(key));
    const auto& relation = list.GetItemByIndex(1);
    EXPECT_EQ(relation->ID(), RelationID(key));
    EXPECT_EQ(relation->StartID(), EntityID(start));
    EXPECT_EQ(relation->RelationType(), 4);
    EXPECT_TRUE(relation->Deleted());
    EXPECT_EQ(relation->UniqueID(), "U1");
}

}  // namespace
}  // namespace kt
