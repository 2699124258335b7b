// Upgrade steps that extend Specialization and the cached counts of Entity.

#include "server/database/database.h"
#include "server/database/key_allocation.h"
#include "server/database/upgrade_log.h"
#include "server/database/upgrade_steps.h"
#include "server/database/upgrade_support.h"

namespace kt {

namespace {

bool cacheSpecsDue(Database& database) {
    return !schema::hasColumn(database, "Specialization", "spec_type");
}

// Every existing link becomes a direct one (the column's default); then each activity gets a
// cached link straight to every member of each of its bundles.
void addCacheSpecs(UpgradeContext& context) {
    Database& database = context.database;
    context.log.write("Adding cache specialization relations... ");
    upgrade::addCurrentColumn(database, "Specialization", "spec_type");
    const std::int32_t firstKey = NextKey(database, KeyColumn::Specialization);
    database.execute(
        "INSERT INTO Specialization (spec_id, spec_parent_ent_id, spec_child_ent_id, "
        "spec_deleted, spec_type) "
        "SELECT ? - 1 + row_number() OVER (ORDER BY link.spec_id, member.spec_id), "
        "link.spec_parent_ent_id, member.spec_child_ent_id, 0, 2 "
        "FROM Specialization AS link "
        "JOIN Entity AS activity ON activity.ent_id = link.spec_parent_ent_id "
        "JOIN Entity AS bundle ON bundle.ent_id = link.spec_child_ent_id "
        "JOIN Specialization AS member ON member.spec_parent_ent_id = link.spec_child_ent_id "
        "AND member.spec_deleted = 0 AND member.spec_type = 1 "
        "WHERE link.spec_deleted = 0 AND link.spec_type = 1 AND activity.ent_type = 1 AND "
        "bundle.ent_type = 2",
        firstKey);
}

bool specCountDue(Database& database) {
    return !schema::hasColumn(database, "Entity", "ent_cache_spec_count");
}

// Deleted entities are counted too; deleted links are not.
void addSpecCount(UpgradeContext& context) {
    context.log.write("Adding cached specialization counts...");
    upgrade::addCurrentColumn(context.database, "Entity", "ent_cache_spec_count");
    context.database.execute(
        "UPDATE Entity SET ent_cache_spec_count = (SELECT COUNT(*) FROM Specialization WHERE "
        "spec_parent_ent_id = Entity.ent_id AND spec_deleted = 0 AND spec_type = "
        "CASE WHEN Entity.ent_type = 1 THEN 2 ELSE 1 END)");
}

bool bundleDecompCountDue(Database& database) {
    return !schema::hasColumn(database, "Entity", "ent_cache_bundle_count");
}

void addBundleDecompCount(UpgradeContext& context) {
    context.log.write("Adding bundle and decomp counts... ");
    upgrade::addCurrentColumn(context.database, "Entity", "ent_cache_bundle_count");
    upgrade::addCurrentColumn(context.database, "Entity", "ent_cache_decomp_count");
    context.database.execute(
        "UPDATE Entity SET ent_cache_decomp_count = (SELECT COUNT(*) FROM Relation WHERE "
        "rel_start_ent_id = Entity.ent_id AND rel_deleted = 0 AND rel_Type = 1), "
        "ent_cache_bundle_count = CASE WHEN Entity.ent_type = 1 THEN (SELECT COUNT(*) FROM "
        "Specialization WHERE spec_parent_ent_id = Entity.ent_id AND spec_deleted = 0 AND "
        "spec_type = 1) ELSE 0 END");
}

bool specOrderDue(Database& database) {
    return !schema::hasColumn(database, "Specialization", "spec_display_order");
}

void addSpecOrder(UpgradeContext& context) {
    context.log.write("Adding spec_display_order upgrade to Specialization table");
    upgrade::addCurrentColumn(context.database, "Specialization", "spec_display_order");
}

}  // namespace

namespace upgrade {
const UpgradeStep Add_Cache_Specs{"Add_Cache_Specs", cacheSpecsDue, addCacheSpecs};
const UpgradeStep Spec_Count_Upgrade{"Spec_Count_Upgrade", specCountDue, addSpecCount};
const UpgradeStep Bundle_Decomp_Count_Upgrade{"Bundle_Decomp_Count_Upgrade", bundleDecompCountDue,
                                              addBundleDecompCount};
const UpgradeStep Specialization_Order_Upgrade{
    "Specialization_Order_Upgrade",
    specOrderDue,
    addSpecOrder,
    true,
    "TBD: spec_display_order upgrade needed",
    "Update Specialization Table to include a display order field. This will take about a "
    "minute."};
}  // namespace upgrade

}  // namespace kt
