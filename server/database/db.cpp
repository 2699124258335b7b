#include "server/database/db.h"

#include <sqlite3.h>

#include "server/database/catalogue_messages.h"
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
    database_ = Database::open(filepath);
    try {
        if (version_test) {
            bool check_only = *version_test;
            version_test = Upgrade_DB(check_only, Upgrade_Description);
        } else {
            bool check_only = false;
            std::string scratch;
            Upgrade_DB(check_only, scratch);
        }
        Transaction reading(*database_, Transaction::Mode::Read);
        const std::int32_t rootId = entityIDByName(*database_, kTessaryRoot);
        reading.commit();
        root_id_ = rootId;
    } catch (const std::exception& error) {
        const std::string description = error.what();
        throw catalogueError(
            1, description.empty() ? std::string(msg::UnableToOpenDatabase.text) : description);
    }
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

bool db::Upgrade_DB(bool& check_only, std::string& Upgrade_Description) {
    return UpgradeCatalogue(*database_, UpgradeLog::besideCatalogue(database_->path()), check_only,
                            Upgrade_Description);
}

}  // namespace kt
