#include "server/database/transaction.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <stdexcept>
#include <thread>

#include "server/database/database.h"
#include "server/database/entity_insert.h"
#include "server/database/key_allocation.h"
#include "tests/server/database/catalogue_fixture.h"

namespace kt {
namespace {

using test::errorOf;

class TransactionTest : public test::CatalogueFixture {
protected:
    void SetUp() override {
        path_ = newCatalogue();
        database_ = Database::open(path_);
        // Stands for any failure met half-way through an operation.
        database_->execute(
            "CREATE TRIGGER injected_failure BEFORE INSERT ON Entity WHEN NEW.ent_name = 'fail' "
            "BEGIN SELECT RAISE(ABORT, 'injected failure'); END");
        entitiesBefore_ = entityCount();
    }

    int entityCount() {
        return Field("n", *database_->scalar("SELECT COUNT(*) FROM Entity")).asLong();
    }
    bool has(const std::string& name) {
        return database_->scalar("SELECT 1 FROM Entity WHERE ent_name = ?", name).has_value();
    }
    void add(const std::string& name) {
        NewEntity entity;
        entity.name = name;
        insertEntity(*database_, entity);
    }
    // An operation that makes several rows, the way published operations do.
    void addAll(std::initializer_list<std::string> names) {
        Transaction operation(*database_);
        for (const auto& name : names) {
            add(name);
        }
        operation.commit();
    }

    std::filesystem::path path_;
    std::unique_ptr<Database> database_;
    int entitiesBefore_ = 0;
};

TEST_F(TransactionTest, CommittedWorkStays) {
    addAll({"one", "two"});
    EXPECT_TRUE(has("one"));
    EXPECT_TRUE(has("two"));
    EXPECT_FALSE(database_->inTransaction());
}

TEST_F(TransactionTest, FailurePartWayLeavesTheDatabaseUnchanged) {
    const Error error = errorOf([&] { addAll({"one", "two", "fail", "four"}); });
    EXPECT_NE(error.description().find("injected failure"), std::string::npos);
    EXPECT_EQ(entityCount(), entitiesBefore_);
    EXPECT_FALSE(has("one"));
    EXPECT_FALSE(database_->inTransaction());

    // Another connection sees nothing either.
    const auto other = Database::open(path_);
    EXPECT_FALSE(other->scalar("SELECT 1 FROM Entity WHERE ent_name = 'one'").has_value());
}

TEST_F(TransactionTest, ANestedOperationFailsWholeInsideTheOuterOne) {
    Transaction outer(*database_);
    add("before");
    EXPECT_THROW(addAll({"inner", "fail"}), Error);
    add("after");
    outer.commit();
    EXPECT_TRUE(has("before"));
    EXPECT_FALSE(has("inner"));
    EXPECT_TRUE(has("after"));
}

TEST_F(TransactionTest, AnUncommittedNestedGuardUndoesOnlyItsOwnPart) {
    {
        Transaction outer(*database_);
        add("kept");
        {
            Transaction inner(*database_);
            add("dropped");
        }
        outer.commit();
    }
    EXPECT_TRUE(has("kept"));
    EXPECT_FALSE(has("dropped"));
}

TEST_F(TransactionTest, ReadingOperationsMayNotWrite) {
    Transaction reading(*database_, Transaction::Mode::Read);
    EXPECT_THROW(Transaction{*database_}, std::logic_error);
    EXPECT_THROW(NextKey(*database_, KeyColumn::Entity), std::logic_error);
    Transaction nestedRead(*database_, Transaction::Mode::Read);
    nestedRead.commit();
    reading.commit();
}

TEST_F(TransactionTest, KeysAreTakenOnlyInsideAWritingTransaction) {
    EXPECT_THROW(NextKey(*database_, KeyColumn::Entity), std::logic_error);
    Transaction writing(*database_);
    Transaction nestedRead(*database_, Transaction::Mode::Read);
    EXPECT_NO_THROW(NextKey(*database_, KeyColumn::Entity));
}

TEST_F(TransactionTest, KeysStayUniqueWhileTwoConnectionsWrite) {
    constexpr int kPerWriter = 100;
    const auto write = [&](std::string& failure) {
        try {
            const auto connection = Database::open(path_);
            for (int i = 0; i < kPerWriter; ++i) {
                Transaction operation(*connection);
                NewEntity entity;
                entity.name = "concurrent";
                insertEntity(*connection, entity);
                operation.commit();
            }
        } catch (const std::exception& error) {
            failure = error.what();
        }
    };
    std::string firstFailure;
    std::string secondFailure;
    std::thread first(write, std::ref(firstFailure));
    std::thread second(write, std::ref(secondFailure));
    first.join();
    second.join();
    EXPECT_EQ(firstFailure, "");
    EXPECT_EQ(secondFailure, "");
    EXPECT_EQ(entityCount(), entitiesBefore_ + 2 * kPerWriter);
    auto keys = database_->snapshot("SELECT ent_id FROM Entity ORDER BY ent_id");
    std::set<std::int32_t> distinct;
    for (; !keys.eof(); keys.moveNext()) {
        distinct.insert(keys["ent_id"].asLong());
    }
    EXPECT_EQ(static_cast<int>(distinct.size()), entitiesBefore_ + 2 * kPerWriter);
}

}  // namespace
}  // namespace kt
