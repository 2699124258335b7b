#include "server/database/ktdb.h"

#include "server/database/db.h"
#include "server/database/errors.h"
#include "server/database/server_version.h"

namespace kt {

void KTDB::OpenDB(const std::string& filepath) {
    global_db().OpenDB(filepath);
}

void KTDB::OpenDB(const std::string& filepath, std::optional<bool>& version_test,
                  std::string& Upgrade_Description) {
    global_db().OpenDB(filepath, version_test, Upgrade_Description);
}

void KTDB::CloseDB() {
    global_db().CloseDB();
}

std::string KTDB::Version() const {
    return std::to_string(kServerVersion.major) + "." + std::to_string(kServerVersion.minor) + "." +
           std::to_string(kServerVersion.revision);
}

void KTDB::CleanDB(std::int16_t /*Operation_type*/, std::int32_t& /*OK_Count*/,
                   std::int32_t& /*Corrected_count*/) {
    throw notImplemented("KTDB.CleanDB");
}

void KTDB::GetStatistics(std::vector<std::string>& /*Statistic*/,
                         std::vector<std::int32_t>& /*Values*/, std::int32_t& /*Count*/) {
    throw notImplemented("KTDB.GetStatistics");
}

}  // namespace kt
