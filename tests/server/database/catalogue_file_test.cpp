#include "server/database/catalogue_file.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>

#include "server/database/catalogue_creator.h"
#include "server/database/database.h"
#include "server/database/errors.h"
#include "server/database/read_confinement.h"
#include "tests/server/database/catalogue_fixture.h"
#include "tests/server/database/temporary_directory.h"

namespace kt {
namespace {

using test::errorOf;

struct ConnectionCloser {
    void operator()(sqlite3* connection) const { sqlite3_close(connection); }
};
using Connection = std::unique_ptr<sqlite3, ConnectionCloser>;

Connection connectTo(const std::filesystem::path& path) {
    sqlite3* connection = nullptr;
    EXPECT_EQ(sqlite3_open_v2(path.c_str(), &connection, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    return Connection(connection);
}

// Two catalogues, the second to be renamed over the first.
class CatalogueFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        CreateCatalogue(opened_);
        CreateCatalogue(other_);
    }

    test::TemporaryDirectory directory_;
    std::filesystem::path opened_ = directory_.file("opened.db");
    std::filesystem::path other_ = directory_.file("other.db");
};

TEST_F(CatalogueFileTest, AConnectionIsKnownByItsFileUntilTheNameLeadsElsewhere) {
    const Connection connection = connectTo(opened_);
    const std::optional<CatalogueFile> file = openedCatalogueFile(connection.get());
    ASSERT_TRUE(file.has_value());
    struct stat status {};
    ASSERT_EQ(::stat(opened_.c_str(), &status), 0);
    EXPECT_EQ(file->device, static_cast<std::uint64_t>(status.st_dev));
    EXPECT_EQ(file->inode, static_cast<std::uint64_t>(status.st_ino));
    EXPECT_TRUE(file->path.is_absolute());
    EXPECT_TRUE(std::filesystem::equivalent(file->path, opened_));
    EXPECT_TRUE(file->stillAtPath());

    std::filesystem::rename(other_, opened_);
    EXPECT_FALSE(openedCatalogueFile(connection.get()).has_value());
    EXPECT_FALSE(file->stillAtPath());
    std::filesystem::remove(opened_);
    EXPECT_FALSE(openedCatalogueFile(connection.get()).has_value());
    EXPECT_FALSE(file->stillAtPath());
}

// Another file renamed over the catalogue between the opening of the library's connection and
// the opening of the search connection: the search connection is refused.
TEST_F(CatalogueFileTest, ASearchConnectionToAnotherFileIsRefused) {
    const Connection connection = connectTo(opened_);
    const CatalogueFile file = openedCatalogueFile(connection.get()).value();
    EXPECT_NO_THROW({ const Confinement search(file, opened_); });

    std::filesystem::rename(other_, opened_);
    const Error error = errorOf([&] { const Confinement search(file, opened_); });
    EXPECT_EQ(error.number(), SQLITE_CANTOPEN);
    EXPECT_EQ(error.description(), "Cannot open the catalogue \"" + opened_.string() +
                                       "\": the file at that path was replaced, moved or deleted "
                                       "while it was being opened. Try again.");
    std::filesystem::remove(opened_);
    EXPECT_EQ(errorOf([&] { const Confinement search(file, opened_); }).number(), SQLITE_CANTOPEN);
}

}  // namespace
}  // namespace kt
