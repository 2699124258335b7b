#include "server/database/maintenance.h"

#include <unordered_set>
#include <vector>

#include "server/database/catalogue_messages.h"
#include "server/database/catalogue_seeding.h"
#include "server/database/database.h"
#include "server/database/db.h"
#include "server/database/field.h"
#include "server/database/fixed_entities.h"
#include "server/database/time_stamp.h"
#include "server/database/transaction.h"
#include "server/database/upgrade_support.h"

namespace kt {

namespace {

enum Operation : std::int16_t {
    kNothing = 0,
    kBundles = 1,
    kCachedCounts = 2,
    kPurgeRelations = 3,
    kSystemAttributes = 4,
};

// "Activity Root", where the attribute repair starts.
constexpr std::int32_t kActivityRootKey = 0;
constexpr std::string_view kSystemPrefix = "kt_";

void purgeRelations(Database& database, std::int32_t& okCount, std::int32_t& correctedCount) {
    std::unordered_set<std::int32_t> liveEntities;
    for (auto rows = database.snapshot("SELECT ent_id FROM Entity WHERE ent_deleted = 0");
         !rows.eof(); rows.moveNext()) {
        liveEntities.insert(rows["ent_id"].asLong());
    }
    const auto live = [&](const Field& key) {
        return !key.isNull() && liveEntities.contains(key.asLong());
    };
    auto relations = database.snapshot(
        "SELECT rel_id, rel_start_ent_id, rel_end_ent_id FROM Relation WHERE rel_deleted = 0 "
        "ORDER BY rel_id");
    for (; !relations.eof(); relations.moveNext()) {
        if (live(relations["rel_start_ent_id"]) && live(relations["rel_end_ent_id"])) {
            ++okCount;
            continue;
        }
        database.execute("UPDATE Relation SET rel_deleted = 1 WHERE rel_id = ?",
                         relations["rel_id"].value());
        ++correctedCount;
    }
}

// Walks the specialization tree from "Activity Root". An entity reached along two paths is
// visited (and counted) twice; a cycle is cut where it would return to an entity on the path.
class AttributeRepair {
public:
    explicit AttributeRepair(Database& database)
        : database_(database),
          seeder_(database, TimeStamp::now(), kAutomaticallyGeneratedContact),
          specializations_(database) {}

    void run(std::int32_t& okCount) {
        if (!database_.scalar("SELECT 1 FROM Entity WHERE ent_id = ?", kActivityRootKey)) {
            throw catalogueError(msg::EntityNotPresent);
        }
        visit(kActivityRootKey, okCount);
    }

private:
    void visit(std::int32_t key, std::int32_t& okCount) {
        if (!path_.insert(key).second) {
            return;
        }
        const auto deleted =
            database_.scalar("SELECT ent_deleted FROM Entity WHERE ent_id = ?", key);
        if (!deleted) {
            throw catalogueError(msg::EntityNotPresent);
        }
        if (Field("ent_deleted", *deleted).asBoolean()) {
            throw catalogueError(msg::DeletedEntityChange);
        }
        ++okCount;
        auto attributes = database_.snapshot(
            "SELECT atri_id, atri_name, atri_value, atri_inherit_behavior, "
            "ifnull(atri_inherit_from_atri_id, atri_id) AS origin "
            "FROM Attributes WHERE atri_ent_ref = ? AND atri_deleted = 0 ORDER BY atri_id",
            key);
        for (; !attributes.eof(); attributes.moveNext()) {
            const std::string name = attributes["atri_name"].asText();
            if (name.starts_with(kSystemPrefix) || attributes["atri_inherit_behavior"].isNull()) {
                continue;
            }
            seeder_.propagateAttribute(key, name, attributes["atri_value"].value(),
                                       attributes["atri_inherit_behavior"].asInteger(),
                                       attributes["origin"].asLong(), true);
        }
        for (const auto& child : specializations_.of(key)) {
            visit(child.key, okCount);
        }
        path_.erase(key);
    }

    Database& database_;
    CatalogueSeeder seeder_;
    upgrade::SpecializationQuery specializations_;
    std::unordered_set<std::int32_t> path_;
};

}  // namespace

void cleanCatalogue(Database& database, std::int16_t operation, std::int32_t& okCount,
                    std::int32_t& correctedCount) {
    switch (operation) {
        case kNothing:
            return;
        case kBundles:
            upgradeBundles(database, TimeStamp::now());
            return;
        case kCachedCounts:
            upgrade::recountAllCachedCounts(database, true);
            return;
        case kPurgeRelations:
            purgeRelations(database, okCount, correctedCount);
            return;
        case kSystemAttributes:
            AttributeRepair(database).run(okCount);
            return;
        default:
            throw catalogueError(msg::InvalidCleanupOperation);
    }
}

void CleanDB(std::int16_t Operation_type, std::int32_t& OK_Count, std::int32_t& Corrected_count) {
    Database& database = global_db().database();
    std::int32_t okCount = 0;
    std::int32_t correctedCount = 0;
    Transaction operation(database);
    cleanCatalogue(database, Operation_type, okCount, correctedCount);
    operation.commit();
    OK_Count = okCount;
    Corrected_count = correctedCount;
}

}  // namespace kt
