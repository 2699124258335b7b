// The search tests once more in a host that turned the engine's count of its memory off, a
// documented speed setting. It must come before anything else uses the engine, so these tests
// run as a program of their own.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <iostream>

namespace {

TEST(WithoutMemoryStatistics, TheEngineCountsNoMemory) {
    sqlite3* connection = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &connection), SQLITE_OK);
    EXPECT_EQ(
        sqlite3_exec(connection, "CREATE TABLE t(x); INSERT INTO t VALUES (zeroblob(1000000))",
                     nullptr, nullptr, nullptr),
        SQLITE_OK);
    EXPECT_EQ(sqlite3_memory_used(), 0);
    sqlite3_close(connection);
}

}  // namespace

int main(int argc, char** argv) {
    if (sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0) != SQLITE_OK) {
        std::cerr << "The engine was in use before the test could turn its statistics off.\n";
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
