#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "server/database/database.h"
#include "server/database/recordset.h"

namespace kt {

// The one open catalogue of the process, shared by every object of the library. Nothing opens
// it implicitly: SQL before OpenDB, or after CloseDB, fails with a clear error.
class db {
public:
    // Opens the catalogue file, brings it to the current schema (upgrade_driver.h; what it
    // changes is logged in "OpenDB.log" beside the file) and finds "Tessary Root". A current
    // catalogue is only read: the write lock is taken only for an upgrade step that has work.
    // Errors of opening the file (a damaged file, another program holding it locked) pass
    // unchanged; any later error, a failed upgrade step included, is raised as catalogue error 1
    // with its description. The file is known by its absolute path and identity from here on
    // (Database). A failed open leaves no catalogue open (the one
    // open before is closed first) and root_id as it was. version_test, when given, asks the
    // upgrade to check only and receives its result.
    void OpenDB(const std::string& filepath);
    void OpenDB(const std::string& filepath, std::optional<bool>& version_test,
                std::string& Upgrade_Description);
    void CloseDB();
    bool isOpen() const { return database_ != nullptr; }

    // How long an open, or any statement after it, waits for a lock another program holds.
    std::chrono::milliseconds busyWait() const { return busyWait_; }
    void setBusyWait(std::chrono::milliseconds wait) { busyWait_ = wait; }

    template <typename... Args>
    void Execute(std::string_view sql, const Args&... args) {
        database().execute(sql, args...);
    }
    template <typename... Args>
    Recordset CreateSnapshot(std::string_view sql, const Args&... args) {
        return database().snapshot(sql, args...);
    }

    // The plain ent_id of "Tessary Root".
    std::int32_t root_id() const { return root_id_; }
    void set_root_id(std::int32_t rootId) { root_id_ = rootId; }

    // The open database, for transactions and the schema; refused when none is open.
    Database& database();

private:
    static bool Upgrade_DB(Database& database, bool& check_only, std::string& Upgrade_Description);

    std::unique_ptr<Database> database_;
    std::int32_t root_id_ = 0;
    std::chrono::milliseconds busyWait_ = Database::kDefaultBusyWait;
};

// The library's one shared catalogue connection and its only owner: every object of the library
// reaches the open catalogue through this accessor, never through a copy or a pointer of its own,
// so that OpenDB and CloseDB on it hold for all of them at once. Created on first use; lives until
// the process ends or reset_global_db.
db& global_db();
// Closes and forgets the shared object, so that tests start from nothing.
void reset_global_db();

}  // namespace kt
