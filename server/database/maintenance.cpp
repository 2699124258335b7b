#include "server/database/maintenance.h"

#include <limits>
#include <unordered_map>
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

// Walks the specialization tree from "Activity Root" and passes each entity's attributes on to
// its specializations. The count is that of a walk along every path (an entity reached along
// two paths counts twice), but each entity is repaired and counted once: what lies below it
// counts again for every further path that reaches it. A cycle is cut where it would return to
// an entity on the path.
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
        const std::int64_t visits = okCount + countFrom(kActivityRootKey);
        if (visits > std::numeric_limits<std::int32_t>::max()) {
            throw overflowError();
        }
        okCount = static_cast<std::int32_t>(visits);
    }

private:
    // An entity being walked: its specializations and the count of those done so far.
    struct Frame {
        std::int32_t key;
        std::vector<std::int32_t> children;
        std::size_t next = 0;
        std::int64_t count = 1;
    };

    // The visits a walk along every path from `top` makes, each entity repaired once.
    std::int64_t countFrom(std::int32_t top) {
        std::vector<Frame> path;
        path.push_back(enter(top));
        while (true) {
            Frame& frame = path.back();
            if (frame.next < frame.children.size()) {
                const std::int32_t child = frame.children[frame.next++];
                if (const auto done = counted_.find(child); done != counted_.end()) {
                    frame.count += done->second;
                } else if (!onPath_.contains(child)) {
                    path.push_back(enter(child));
                }
                continue;
            }
            const std::int64_t count = frame.count;
            counted_.emplace(frame.key, count);
            onPath_.erase(frame.key);
            path.pop_back();
            if (path.empty()) {
                return count;
            }
            path.back().count += count;
        }
    }

    Frame enter(std::int32_t key) {
        repair(key);
        onPath_.insert(key);
        Frame frame{key, {}};
        for (const auto& child : specializations_.of(key)) {
            frame.children.push_back(child.key);
        }
        return frame;
    }

    void repair(std::int32_t key) {
        const auto deleted =
            database_.scalar("SELECT ent_deleted FROM Entity WHERE ent_id = ?", key);
        if (!deleted) {
            throw catalogueError(msg::EntityNotPresent);
        }
        if (Field("ent_deleted", *deleted).asBoolean()) {
            throw catalogueError(msg::DeletedEntityChange);
        }
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
    }

    Database& database_;
    CatalogueSeeder seeder_;
    upgrade::SpecializationQuery specializations_;
    std::unordered_set<std::int32_t> onPath_;
    std::unordered_map<std::int32_t, std::int64_t> counted_;
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
