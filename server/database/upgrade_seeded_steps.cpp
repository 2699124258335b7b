// Upgrade steps that add fixed rows rather than columns: the default parents, the dependency
// editor's sample entities, the bundle layout, the later type rows with the exception root,
// the root's description and the recount of the root's cached counts.

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "server/database/catalogue_seeding.h"
#include "server/database/database.h"
#include "server/database/entity_insert.h"
#include "server/database/field.h"
#include "server/database/fixed_entities.h"
#include "server/database/key_allocation.h"
#include "server/database/object_id.h"
#include "server/database/type_codes.h"
#include "server/database/upgrade_log.h"
#include "server/database/upgrade_steps.h"
#include "server/database/upgrade_support.h"

namespace kt {

namespace {

using upgrade::keyOfName;
using upgrade::requireKeyOfName;

// Behaviour 1 keeps an attribute with its owner; 2 passes it on to every specialization.
constexpr int kOwnOnly = 1;
constexpr int kInherited = 2;

Value text(std::string_view value) {
    return std::string(value);
}

// ---- Default parents --------------------------------------------------------------------

// Kind roots that exist and still lack their default parent.
std::vector<std::pair<std::int32_t, std::string_view>> kindRootsWithoutDefaultParent(
    Database& database) {
    std::vector<std::pair<std::int32_t, std::string_view>> roots;
    for (const KindRoot& root : kindRoots()) {
        const auto key = keyOfName(database, root.name);
        if (key && !keyOfName(database, defaultParentNameOf(root.name))) {
            roots.emplace_back(*key, root.name);
        }
    }
    return roots;
}

bool defaultParentsDue(Database& database) {
    return !kindRootsWithoutDefaultParent(database).empty();
}

void addDefaultParents(UpgradeContext& context) {
    context.log.write("Done schema update... adding specializations ");
    CatalogueSeeder seeder(context.database, context.stamp, kAutoUpgradeContact);
    for (const auto& [root, name] : kindRootsWithoutDefaultParent(context.database)) {
        seeder.addSpecialization(root, defaultParentNameOf(name));
    }
}

// ---- Dependency editor ------------------------------------------------------------------

constexpr std::string_view kPositions = "ICN_Positions";

bool dependencyEditorDue(Database& database) {
    const auto root = keyOfName(database, kTessaryRoot);
    return root && !upgrade::hasStoredAttribute(database, *root, kPositions);
}

Value publicIdOf(std::int32_t key) {
    return text(std::to_string(EntityID(key)));
}

void addDependencyEditorEntities(UpgradeContext& context) {
    Database& database = context.database;
    context.log.write("Adding attributes for dependency editor use... ");
    const std::int32_t root = requireKeyOfName(database, kTessaryRoot);
    const std::int32_t resourceRoot = requireKeyOfName(database, "Resource Root");
    const std::int32_t dependencyRoot = requireKeyOfName(database, "Dependency Root");
    const std::int32_t portRoot = requireKeyOfName(database, "Port Root");

    CatalogueSeeder seeder(database, context.stamp, kAutoUpgradeContact);
    seeder.addAttribute(root, kPositions, text(""), kOwnOnly);
    seeder.addSpecialization(resourceRoot, "ICN-TokenJwqQ");
    const std::int32_t dependency = seeder.addSpecialization(dependencyRoot, "ICN-Dependency");
    seeder.addAttribute(portRoot, "PortResourceType", publicIdOf(resourceRoot), kInherited);
    seeder.addAttribute(portRoot, "PortParameters", text(""), kInherited);

    const std::int32_t port = seeder.addSpecialization(portRoot, "ICN-Port");
    seeder.setAttributeValue(port, "PortResourceType", publicIdOf(dependency));
    const std::int32_t producer = seeder.addSpecialization(port, "ICN-Producer Port");
    seeder.setAttributeValue(producer, "PortType", text("Producer"));
    const std::int32_t consumer = seeder.addSpecialization(port, "ICN-Consumer Port");
    seeder.setAttributeValue(consumer, "PortType", text("Consumer"));
    seeder.addSpecialization(consumer, "ICN-Revoke Consumer Port");

    seeder.addAttribute(root, "GEN_ExeStatus", text("Unknown"), kOwnOnly);
    seeder.addAttribute(root, "GEN_ExeType", text("Undefined"), kOwnOnly);
    seeder.addAttribute(root, "GEN_ExePath", text("Undefined"), kOwnOnly);
}

// ---- Bundles ------------------------------------------------------------------------------

bool bundlesDue(Database& database) {
    const auto bundleRoot = keyOfName(database, "Bundle Root");
    // Without "Bundle Root" the step runs, to report that it is missing.
    return !bundleRoot || !upgrade::hasStoredAttribute(database, *bundleRoot, "kt_TradeoffLayout");
}

void addBundleLayout(UpgradeContext& context) {
    upgradeBundles(context.database, context.stamp);
}

// ---- Later type rows ----------------------------------------------------------------------

bool relationTypeMissing(Database& database, int code) {
    return !database
                .scalar("SELECT rel_type_id FROM Relation_Types WHERE rel_type_id = ?",
                        std::to_string(code))
                .has_value();
}

// Inserts the relation type names of these codes that are not there yet.
void addRelationTypes(Database& database, int first, int last) {
    for (const TypeName& type : relationTypeNames()) {
        if (type.code >= first && type.code <= last && relationTypeMissing(database, type.code)) {
            database.execute(
                "INSERT INTO Relation_Types (rel_type_id, rel_type_name) VALUES (?, ?)",
                std::to_string(type.code), type.name);
        }
    }
}

constexpr int kFirstExceptionType = static_cast<int>(RelationType::HasException);
constexpr int kLastExceptionType = static_cast<int>(RelationType::ResolvesException);
constexpr int kFirstPerformedType = static_cast<int>(RelationType::PerformedBy);
constexpr int kLastPerformedType = static_cast<int>(RelationType::PerformedWhere);

bool exceptionTypesDue(Database& database) {
    return relationTypeMissing(database, static_cast<int>(RelationType::DetectsException));
}

void addExceptionTypes(UpgradeContext& context) {
    Database& database = context.database;
    context.log.write("Adding relation_types 9:12 and exception root...");
    const std::int32_t root = requireKeyOfName(database, kTessaryRoot);
    addRelationTypes(database, kFirstExceptionType, kLastExceptionType);
    const std::string exceptionType = std::to_string(static_cast<int>(kExceptionRoot.type));
    if (!database.scalar("SELECT 1 FROM Entity_Types WHERE ent_type_id = ?", exceptionType)) {
        database.execute("INSERT INTO Entity_Types (ent_type_id, ent_type_name) VALUES (?, ?)",
                         exceptionType, "exception_group");
    }
    if (keyOfName(database, kExceptionRoot.name)) {
        return;
    }
    NewEntity exceptionRoot;
    exceptionRoot.name = std::string(kExceptionRoot.name);
    exceptionRoot.contact = std::string(kAutoUpgradeContact);
    exceptionRoot.type = kExceptionRoot.type;
    exceptionRoot.acl = 0;
    exceptionRoot.stamp = context.stamp;
    const std::int32_t key = insertEntity(database, exceptionRoot);
    database.execute(
        "INSERT INTO Specialization (spec_id, spec_parent_ent_id, spec_child_ent_id, "
        "spec_deleted) VALUES (?, ?, ?, 0)",
        NextKey(database, KeyColumn::Specialization), root, key);
}

bool performedTypesDue(Database& database) {
    return relationTypeMissing(database, kFirstPerformedType);
}

void addPerformedTypes(UpgradeContext& context) {
    context.log.write("Adding relation_types 14 and 15 ");
    addRelationTypes(context.database, kFirstPerformedType, kLastPerformedType);
}

// ---- The root's description and cached counts -----------------------------------------------

constexpr std::string_view kDescription = "Description";

bool rootDescriptionDue(Database& database) {
    const auto root = keyOfName(database, kTessaryRoot);
    return root && !upgrade::hasStoredAttribute(database, *root, kDescription);
}

void addRootDescription(UpgradeContext& context) {
    CatalogueSeeder(context.database, context.stamp, kAutoUpgradeContact)
        .addAttribute(requireKeyOfName(context.database, kTessaryRoot), kDescription, text("-"),
                      kInherited, true);
}

// The live entity of that name whose counts are recounted on every open.
std::optional<std::int32_t> liveKeyOfName(Database& database, std::string_view name) {
    const auto key = database.scalar(
        "SELECT ent_id FROM Entity WHERE ent_name = ? AND ent_deleted = 0 ORDER BY ent_id LIMIT 1",
        name);
    return key ? std::optional(Field("ent_id", *key).asLong()) : std::nullopt;
}

constexpr std::array<std::string_view, 2> kRecountedOnOpen{kTessaryRoot, "Default Parent Bundle"};

// A missing entity is passed over.
bool cachedCountsDue(Database& database) {
    return std::ranges::any_of(kRecountedOnOpen, [&](std::string_view name) {
        const auto key = liveKeyOfName(database, name);
        return key && upgrade::cachedCountsStale(database, *key);
    });
}

void recountRootCounts(UpgradeContext& context) {
    for (const std::string_view name : kRecountedOnOpen) {
        if (const auto key = liveKeyOfName(context.database, name)) {
            upgrade::recountCachedCounts(context.database, *key);
        }
    }
}

}  // namespace

namespace upgrade {
const UpgradeStep Default_Parents_Upgrade{"Default_Parents_Upgrade", defaultParentsDue,
                                          addDefaultParents};
const UpgradeStep Dependency_Editor_Upgrade{"Dependency_Editor_Upgrade", dependencyEditorDue,
                                            addDependencyEditorEntities};
const UpgradeStep Bundle_Upgrade{"Bundle_Upgrade", bundlesDue, addBundleLayout};
const UpgradeStep Relation_Upgrade{"Relation_Upgrade", exceptionTypesDue, addExceptionTypes, true,
                                   "TBD: relation_types 9:12..."};
const UpgradeStep Relation_Performed_Upgrade{"Relation_Performed_Upgrade", performedTypesDue,
                                             addPerformedTypes, true,
                                             "TBD: relation_types 14 and 15"};
const UpgradeStep Root_Description_Upgrade{"Root_Description_Upgrade", rootDescriptionDue,
                                           addRootDescription};
const UpgradeStep Update_cache_counts{"Update_cache_counts", cachedCountsDue, recountRootCounts};
}  // namespace upgrade

}  // namespace kt
