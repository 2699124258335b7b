#include "server/database/schema_operations.h"

#include <gtest/gtest.h>

#include "server/database/database.h"
#include "server/database/errors.h"
#include "tests/server/database/temporary_directory.h"

namespace kt {
namespace {

class SchemaOperations : public ::testing::Test {
protected:
    void SetUp() override {
        database_ = Database::create(directory_.file("schema.db"));
        const ColumnDefinition columns[] = {{"id", ColumnType::Long, {}, true},
                                            {"name", ColumnType::Text}};
        schema::createTable(*database_, "Thing", columns);
        database_->execute("INSERT INTO Thing (id, name) VALUES (1, 'old')");
    }

    Value valueOf(std::string_view sql) { return *database_->scalar(sql); }

    test::TemporaryDirectory directory_;
    std::unique_ptr<Database> database_;
};

TEST_F(SchemaOperations, ProbesIgnoreCase) {
    EXPECT_TRUE(schema::hasTable(*database_, "thing"));
    EXPECT_FALSE(schema::hasTable(*database_, "Other"));
    EXPECT_TRUE(schema::hasColumn(*database_, "Thing", "NAME"));
    EXPECT_FALSE(schema::hasColumn(*database_, "Thing", "size"));
    EXPECT_FALSE(schema::hasColumn(*database_, "Other", "name"));
}

TEST_F(SchemaOperations, AddedColumnsCarryTheirDefaults) {
    schema::addColumn(*database_, "Thing", {"slot", ColumnType::Long, Value(std::int64_t{-1})});
    schema::addColumn(*database_, "Thing", {"label", ColumnType::Text, Value("it's")});
    schema::addColumn(*database_, "Thing", {"flag", ColumnType::Boolean});
    database_->execute("INSERT INTO Thing (id) VALUES (2)");
    auto rows = database_->snapshot("SELECT slot, label, flag FROM Thing ORDER BY id");
    for (; !rows.eof(); rows.moveNext()) {
        EXPECT_EQ(rows["slot"].asLong(), -1);
        EXPECT_EQ(rows["label"].asText(), "it's");
        EXPECT_FALSE(rows["flag"].asBoolean());
    }
    EXPECT_THROW(database_->execute("UPDATE Thing SET flag = NULL"), DatabaseError);

    const auto info = schema::columns(*database_, "Thing");
    ASSERT_EQ(info.size(), 5u);
    EXPECT_EQ(info[2].name, "slot");
    EXPECT_EQ(info[2].declaredType, "INTEGER");
    EXPECT_EQ(info[2].defaultValue, "-1");
    EXPECT_EQ(info[4].declaredType, "INTEGER");
    EXPECT_TRUE(info[4].notNull);
    EXPECT_TRUE(info[0].primaryKey);
}

TEST_F(SchemaOperations, RenameAndDrop) {
    schema::renameColumn(*database_, "Thing", "name", "title");
    schema::renameTable(*database_, "Thing", "Item");
    EXPECT_EQ(std::get<std::string>(valueOf("SELECT title FROM Item")), "old");
    schema::addColumn(*database_, "Item", {"extra", ColumnType::Memo});
    schema::dropColumn(*database_, "Item", "extra");
    EXPECT_FALSE(schema::hasColumn(*database_, "Item", "extra"));
    schema::dropTable(*database_, "Item");
    EXPECT_FALSE(schema::hasTable(*database_, "Item"));
}

TEST_F(SchemaOperations, IndexesCanBeUnique) {
    const std::string columns[] = {"name"};
    schema::createIndex(*database_, "Thing_name", "Thing", columns, true);
    EXPECT_TRUE(schema::hasIndex(*database_, "thing_NAME"));
    EXPECT_THROW(database_->execute("INSERT INTO Thing (id, name) VALUES (2, 'OLD')"),
                 DatabaseError);
    schema::dropIndex(*database_, "Thing_name");
    EXPECT_FALSE(schema::hasIndex(*database_, "Thing_name"));
}

TEST_F(SchemaOperations, NamesThatAreNotPlainIdentifiersAreRefused) {
    for (const std::string name : {"Thing; DROP TABLE Thing", "", "9lives", "a\"b", "a b"}) {
        SCOPED_TRACE(name);
        EXPECT_THROW(schema::addColumn(*database_, "Thing", {name, ColumnType::Long}),
                     DatabaseError);
        EXPECT_THROW(schema::renameTable(*database_, "Thing", name), DatabaseError);
    }
    EXPECT_TRUE(schema::hasTable(*database_, "Thing"));
    EXPECT_EQ(schema::columns(*database_, "Thing").size(), 2u);
}

}  // namespace
}  // namespace kt
