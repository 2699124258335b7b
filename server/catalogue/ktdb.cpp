#include "server/catalogue/ktdb.h"

#include "server/attributes/obj_relation.h"
#include "server/catalogue/catalogue_queries.h"
#include "server/catalogue/host_queries.h"
#include "server/database/catalogue_statistics.h"
#include "server/database/db.h"
#include "server/database/errors.h"
#include "server/database/maintenance.h"
#include "server/database/server_version.h"
#include "server/entities/entities.h"
#include "server/entities/new_bundle.h"
#include "server/entities/obj_relations.h"

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

void KTDB::CleanDB(std::int16_t Operation_type, std::int32_t& OK_Count,
                   std::int32_t& Corrected_count) {
    kt::CleanDB(Operation_type, OK_Count, Corrected_count);
}

void KTDB::GetStatistics(std::vector<std::string>& Statistic, std::vector<std::int32_t>& Values,
                         std::int32_t& Count) {
    kt::GetStatistics(Statistic, Values, Count);
}

std::shared_ptr<Entity> KTDB::GetEntity(std::int32_t entID) {
    return kt::GetEntity(entID);
}

std::shared_ptr<Entity> KTDB::GetEntityByPIFID(const std::string& PIFID) {
    return kt::GetEntityByPIFID(PIFID);
}

std::shared_ptr<Entity> KTDB::GetRootEntity() {
    return kt::GetRootEntity();
}

std::shared_ptr<ObjRelation> KTDB::GetRelationByUID(const std::string& UID) {
    return kt::GetRelationByUID(UID);
}

std::shared_ptr<ObjRelations> KTDB::GetRelationsBySlotUID(const std::string& SlotUID) {
    return kt::GetRelationsBySlotUID(SlotUID);
}

std::shared_ptr<Entities> KTDB::GetEntitiesByName(const std::string& entName) {
    return kt::GetEntitiesByName(entName);
}

std::shared_ptr<Entity> KTDB::GetNewBundle(const std::string& Nm) {
    return InsertNewBundle(Nm);
}

std::shared_ptr<Entities> KTDB::RunQuery(const std::string& SQLString, bool SearchAttributes,
                                         bool /*SortByName*/) {
    return kt::RunQuery(SQLString, SearchAttributes);
}

bool KTDB::RunNamesQuery(const std::string& SQLString, std::vector<std::string>& Names,
                         std::vector<std::int32_t>& IDs, std::vector<std::int32_t>& ACLs,
                         bool SearchAttributes, bool SortByName, bool IncludeNotes) {
    return kt::RunNamesQuery(SQLString, Names, IDs, ACLs, SearchAttributes, SortByName,
                             IncludeNotes);
}

}  // namespace kt
