#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kt {

class Entities;
class Entity;
class ObjRelation;
class ObjRelations;

// The host's entry object. It holds nothing itself: every member works on the shared database
// object (global_db), and creating a KTDB opens nothing. Each member runs as one transaction.
class KTDB {
public:
    void OpenDB(const std::string& filepath);
    void OpenDB(const std::string& filepath, std::optional<bool>& version_test,
                std::string& Upgrade_Description);
    void CloseDB();

    // "major.minor.revision" of the server.
    std::string Version() const;
    // Kept for hosts that call it; it has nothing to do.
    void ExitProcess() {}

    void CleanDB(std::int16_t Operation_type, std::int32_t& OK_Count,
                 std::int32_t& Corrected_count);
    // See catalogue_statistics.h.
    void GetStatistics(std::vector<std::string>& Statistic, std::vector<std::int32_t>& Values,
                       std::int32_t& Count);

    // See catalogue_queries.h.
    std::shared_ptr<Entity> GetEntity(std::int32_t entID);
    std::shared_ptr<Entity> GetEntityByPIFID(const std::string& PIFID);
    std::shared_ptr<Entity> GetRootEntity();
    std::shared_ptr<ObjRelation> GetRelationByUID(const std::string& UID);
    std::shared_ptr<ObjRelations> GetRelationsBySlotUID(const std::string& SlotUID);
    std::shared_ptr<Entities> GetEntitiesByName(const std::string& entName);
    // A new bundle named Nm (see new_bundle.h).
    std::shared_ptr<Entity> GetNewBundle(const std::string& Nm);

    // See host_queries.h: SQLString is a search condition in SQLite's dialect. SortByName is
    // accepted for hosts that pass it; the entities come in key order.
    std::shared_ptr<Entities> RunQuery(const std::string& SQLString, bool SearchAttributes,
                                       bool SortByName = false);
    bool RunNamesQuery(const std::string& SQLString, std::vector<std::string>& Names,
                       std::vector<std::int32_t>& IDs, std::vector<std::int32_t>& ACLs,
                       bool SearchAttributes, bool SortByName, bool IncludeNotes);
};

}  // namespace kt
