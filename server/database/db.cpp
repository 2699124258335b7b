#include "server/database/db.h"

#include <sqlite3.h>

#include "server/database/catalogue_messages.h"
#include "server/database/catalogue_refusals.h"
#include "server/database/entity_lookup.h"
#include "server/database/errors.h"
#include "server/database/fixed_entities.h"
#include "server/database/transaction.h"
#include "server/database/upgrade_driver.h"
#include "server/database/upgrade_log.h"

namespace kt {

namespace {
std::unique_ptr<db>& sharedObject() {
    static std::unique_ptr<db> object;
    return object;
}
}  // namespace

db& global_db() {
    auto& object = sharedObject();
    if (!object) {
        object = std::make_unique<db>();
    }
    return *object;
}

void reset_global_db() {
    sharedObject().reset();
}

void db::OpenDB(const std::string& filepath) {
    std::optional<bool> version_test;
    std::string unused;
    OpenDB(filepath, version_test, unused);
}

void db::OpenDB(const std::string& filepath, std::optional<bool>& version_test,
                std::string& Upgrade_Description) {
    // What was open is let go first, so that a failed open leaves nothing open.
    database_.reset();
    std::unique_ptr<Database> database = Database::open(filepath, busyWait_);
    std::int32_t rootId = 0;
    try {
        if (version_test) {
            bool check_only = *version_test;
            version_test = Upgrade_DB(*database, check_only, Upgrade_Description);
        } else {
            bool check_only = false;
            std::string scratch;
            Upgrade_DB(*database, check_only, scratch);
        }
        Transaction reading(*database, Transaction::Mode::Read);
        rootId = entityIDByName(*database, kTessaryRoot);
        reading.commit();
    } catch (const std::exception& error) {
        // A read or a change that the upgrade or the root lookup makes is the open's.
        const auto refusal = openRefusal(error, database->path());
        const std::string description =
            refusal ? refusal->description() : std::string(error.what());
        throw catalogueError(
            1, description.empty() ? std::string(msg::UnableToOpenDatabase.text) : description);
    }
    database_ = std::move(database);
    root_id_ = rootId;
}

void db::CloseDB() {
    database_.reset();
}

Database& db::database() {
    if (!database_) {
        throw DatabaseError(SQLITE_MISUSE, "No catalogue is open: OpenDB has to come first.");
    }
    return *database_;
}

bool db::Upgrade_DB(Database& database, bool& check_only, std::string& Upgrade_Description) {
    return UpgradeCatalogue(database, UpgradeLog::besideCatalogue(database.path()), check_only,
                            Upgrade_Description);
}

}  // namespace kt
