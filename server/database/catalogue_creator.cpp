#include "server/database/catalogue_creator.h"

#include <sqlite3.h>

#include <random>
#include <string>

#include "server/database/database.h"
#include "server/database/errors.h"
#include "server/database/exclusive_file.h"
#include "server/database/legacy_schema.h"
#include "server/database/time_stamp.h"
#include "server/database/transaction.h"
#include "server/database/upgrade_driver.h"
#include "server/database/upgrade_log.h"

namespace kt {

namespace {

// A new catalogue is an empty one of the oldest schema brought up to date by the same steps
// that upgrade a user's old catalogue, so the two can never differ.
void buildCatalogue(Database& database) {
    createLegacySchema(database);
    insertLegacyRoot(database, TimeStamp::now());
    bool checkOnly = false;
    std::string unused;
    UpgradeCatalogue(database, UpgradeLog::silent(), checkOnly, unused);
}

// Removes the half-made file, and the engine's journal beside it, unless it was moved away.
class TemporaryFile {
public:
    explicit TemporaryFile(std::filesystem::path path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
        std::filesystem::remove(path_.string() + "-journal", ignored);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

std::filesystem::path temporaryPathBeside(const std::filesystem::path& path) {
    std::random_device random;
    const auto suffix = std::to_string(random()) + std::to_string(random());
    return path.parent_path() / (path.filename().string() + ".creating-" + suffix);
}

DatabaseError alreadyExists(const std::filesystem::path& path) {
    return DatabaseError(SQLITE_CANTOPEN,
                         "Cannot create \"" + path.string() + "\": the file exists already.");
}

}  // namespace

void CreateCatalogue(const std::filesystem::path& path) {
    if (std::filesystem::exists(path)) {
        throw alreadyExists(path);
    }
    TemporaryFile temporary(temporaryPathBeside(path));
    {
        const auto database = Database::create(temporary.path());
        Transaction writing(*database);
        buildCatalogue(*database);
        writing.commit();
    }
    // Another creator may have finished first meanwhile: its catalogue stays.
    if (const std::error_code error = publishWithoutReplacing(temporary.path(), path)) {
        if (error == std::errc::file_exists) {
            throw alreadyExists(path);
        }
        throw DatabaseError(SQLITE_CANTOPEN,
                            "Cannot create \"" + path.string() + "\": " + error.message() + ".");
    }
}

}  // namespace kt
