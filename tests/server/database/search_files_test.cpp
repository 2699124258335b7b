#include "server/database/search_files.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/server/database/temporary_directory.h"

namespace kt {
namespace {

constexpr std::int64_t kBudget = 256 * 1024;
// Past the first block of a temporary file.
constexpr sqlite3_int64 kAcrossBlocks = 64 * 1024 - 100;

// A temporary file opened as the engine opens one for a sort: no name.
class TemporaryFile {
public:
    explicit TemporaryFile(const SearchFiles& files) {
        sqlite3_vfs* layer = sqlite3_vfs_find(files.name());
        storage_.resize(static_cast<std::size_t>(layer->szOsFile));
        opened_ = layer->xOpen(layer, nullptr, file(),
                               SQLITE_OPEN_TRANSIENT_DB | SQLITE_OPEN_READWRITE |
                                   SQLITE_OPEN_CREATE | SQLITE_OPEN_DELETEONCLOSE,
                               nullptr);
    }
    ~TemporaryFile() { close(); }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int opened() const { return opened_; }
    int write(const std::string& text, sqlite3_int64 offset) {
        return file()->pMethods->xWrite(file(), text.data(), static_cast<int>(text.size()), offset);
    }
    // The result code and the bytes read.
    std::pair<int, std::string> read(int amount, sqlite3_int64 offset) {
        std::string bytes(static_cast<std::size_t>(amount), '?');
        const int code = file()->pMethods->xRead(file(), bytes.data(), amount, offset);
        return {code, bytes};
    }
    int truncate(sqlite3_int64 size) { return file()->pMethods->xTruncate(file(), size); }
    sqlite3_int64 size() {
        sqlite3_int64 size = -1;
        file()->pMethods->xFileSize(file(), &size);
        return size;
    }
    void close() {
        if (file()->pMethods != nullptr) {
            file()->pMethods->xClose(file());
            file()->pMethods = nullptr;
        }
    }

private:
    sqlite3_file* file() { return reinterpret_cast<sqlite3_file*>(storage_.data()); }

    std::vector<std::max_align_t> storage_;
    int opened_ = SQLITE_ERROR;
};

TEST(SearchFiles, IsANamedLayerOfItsOwnForItsLifeOnly) {
    sqlite3_vfs* system = sqlite3_vfs_find(nullptr);
    std::string name;
    {
        const SearchFiles one(kBudget);
        const SearchFiles other(kBudget);
        name = one.name();
        EXPECT_NE(name, other.name());
        EXPECT_NE(sqlite3_vfs_find(one.name()), nullptr);
        EXPECT_EQ(sqlite3_vfs_find(nullptr), system);
    }
    EXPECT_EQ(sqlite3_vfs_find(name.c_str()), nullptr);
}

TEST(SearchFiles, ATemporaryFileReadsBackWhatWasWrittenAndZerosElsewhere) {
    SearchFiles files(kBudget);
    TemporaryFile file(files);
    ASSERT_EQ(file.opened(), SQLITE_OK);
    const std::string text(300, 'x');
    ASSERT_EQ(file.write(text, kAcrossBlocks), SQLITE_OK);
    EXPECT_EQ(file.size(), kAcrossBlocks + 300);
    EXPECT_EQ(file.read(300, kAcrossBlocks), std::pair(SQLITE_OK, text));
    // Never written, and past the end.
    EXPECT_EQ(file.read(4, 10), std::pair(SQLITE_OK, std::string(4, '\0')));
    EXPECT_EQ(file.read(8, kAcrossBlocks + 296),
              std::pair(SQLITE_IOERR_SHORT_READ, std::string("xxxx") + std::string(4, '\0')));
    // Cut inside the text, then grown past it again: the cut part reads as zeros.
    ASSERT_EQ(file.truncate(kAcrossBlocks + 2), SQLITE_OK);
    EXPECT_EQ(file.size(), kAcrossBlocks + 2);
    ASSERT_EQ(file.write("y", kAcrossBlocks + 10), SQLITE_OK);
    EXPECT_EQ(file.read(11, kAcrossBlocks),
              std::pair(SQLITE_OK, std::string("xx") + std::string(8, '\0') + "y"));
}

TEST(SearchFiles, TemporaryFilesShareTheBudgetAndGiveItBackWhenClosed) {
    SearchFiles files(kBudget);
    TemporaryFile first(files);
    TemporaryFile second(files);
    ASSERT_EQ(first.write(std::string(100'000, 'a'), 0), SQLITE_OK);
    const std::int64_t held = files.used();
    EXPECT_GE(held, 100'000);
    // The rest of the budget cannot hold 200,000 more bytes: nothing is written or taken.
    EXPECT_EQ(second.write(std::string(200'000, 'b'), 0), SQLITE_FULL);
    EXPECT_TRUE(files.refused());
    EXPECT_EQ(files.used(), held);
    EXPECT_EQ(second.size(), 0);
    EXPECT_EQ(second.write(std::string(100'000, 'b'), 0), SQLITE_OK);
    EXPECT_EQ(files.peak(), 2 * held);

    first.close();
    EXPECT_EQ(files.used(), held);
    ASSERT_EQ(second.truncate(0), SQLITE_OK);
    EXPECT_EQ(files.used(), 0);
    files.startSearch();
    EXPECT_FALSE(files.refused());
    EXPECT_EQ(files.peak(), 0);
}

// A connection opened through the layer reads its database file as any other, and what the
// engine sorts past its cache lands in the layer's temporary files.
TEST(SearchFiles, TheEngineSortsIntoTheLayersFiles) {
    test::TemporaryDirectory directory;
    const std::string path = directory.file("sorted.db").string();
    sqlite3* writer = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &writer), SQLITE_OK);
    ASSERT_EQ(
        sqlite3_exec(writer,
                     "CREATE TABLE t(v); WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT "
                     "i + 1 FROM n WHERE i < 2000) INSERT INTO t SELECT i || randomblob(1000) "
                     "FROM n",
                     nullptr, nullptr, nullptr),
        SQLITE_OK);
    sqlite3_close(writer);

    SearchFiles files(8 << 20);
    sqlite3* reader = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path.c_str(), &reader, SQLITE_OPEN_READONLY, files.name()),
              SQLITE_OK);
    const std::unique_ptr<sqlite3, decltype(&sqlite3_close)> closer(reader, &sqlite3_close);
    ASSERT_EQ(sqlite3_exec(reader, "PRAGMA temp_store = FILE; PRAGMA cache_size = 10", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);
    std::string count;
    const auto keep = [](void* out, int, char** values, char**) {
        *static_cast<std::string*>(out) = values[0];
        return 0;
    };
    EXPECT_EQ(sqlite3_exec(reader, "SELECT COUNT(*) FROM (SELECT DISTINCT v FROM t)", keep, &count,
                           nullptr),
              SQLITE_OK);
    EXPECT_EQ(count, "2000");
    EXPECT_GT(files.peak(), 1 << 20);
    EXPECT_EQ(files.used(), 0);

    // Past the budget the statement fails, and the files are given back.
    files.startSearch();
    EXPECT_EQ(
        sqlite3_exec(reader,
                     "SELECT COUNT(*) FROM (SELECT DISTINCT v || v || v || v || v || v FROM t)",
                     keep, &count, nullptr),
        SQLITE_FULL);
    EXPECT_TRUE(files.refused());
    EXPECT_EQ(files.used(), 0);
}

}  // namespace
}  // namespace kt
