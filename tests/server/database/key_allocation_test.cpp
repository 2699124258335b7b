#include "server/database/key_allocation.h"

#include <gtest/gtest.h>

#include "server/catalogue/ktdb.h"
#include "server/database/catalogue_schema.h"
#include "server/database/database.h"
#include "server/database/transaction.h"
#include "tests/server/database/catalogue_fixture.h"

namespace kt {
namespace {

using test::errorOf;

class KeyAllocation : public test::CatalogueFixture {
protected:
    void SetUp() override {
        database_ = Database::create(directory_.file("empty.db"));
        createCatalogueSchema(*database_);
    }

    std::int32_t next(KeyColumn column) {
        Transaction writing(*database_);
        return NextKey(*database_, column);
    }

    std::unique_ptr<Database> database_;
};

TEST_F(KeyAllocation, AnEmptyTableGivesKeyZero) {
    for (const auto column :
         {KeyColumn::Entity, KeyColumn::Slot, KeyColumn::Specialization, KeyColumn::Relation,
          KeyColumn::Attribute, KeyColumn::RelationAttribute}) {
        EXPECT_EQ(next(column), 0) << static_cast<int>(column);
    }
}

TEST_F(KeyAllocation, TheNextKeyIsTheMaximumPlusOneDeletedRowsIncluded) {
    for (const int key : {0, 9, 5}) {
        database_->execute("INSERT INTO Entity (ent_id, ent_deleted) VALUES (?, ?)", key, key == 9);
    }
    EXPECT_EQ(next(KeyColumn::Entity), 10);
    // Taking a key writes nothing: it is taken again until a row uses it.
    EXPECT_EQ(next(KeyColumn::Entity), 10);
}

TEST_F(KeyAllocation, SlotsWithoutNumberCountFromZero) {
    database_->execute("INSERT INTO Relation (rel_id) VALUES (0)");
    EXPECT_EQ(next(KeyColumn::Slot), 0);
    EXPECT_EQ(next(KeyColumn::Relation), 1);
}

TEST_F(KeyAllocation, TheLastLongKeyCannotBeFollowed) {
    database_->execute("INSERT INTO Specialization (spec_id) VALUES (2147483647)");
    EXPECT_EQ(errorOf([&] { next(KeyColumn::Specialization); }).description(), "Overflow");
}

TEST_F(KeyAllocation, TheSharedAllocatorsUseTheOpenCatalogue) {
    KTDB().OpenDB(newCatalogue().string());
    Transaction writing(global_db().database());
    EXPECT_EQ(NewEntityID(), 29);
    EXPECT_EQ(NewSpecID(), 30);
    EXPECT_EQ(NewRelationID(), 3);
    // The fixed relations hold slot -1; real slots start at 1.
    EXPECT_EQ(NewSlotID(), 1);
    EXPECT_EQ(NewAttributeID(), 64);
    EXPECT_EQ(NewRelAttributeID(), 0);
}

}  // namespace
}  // namespace kt
