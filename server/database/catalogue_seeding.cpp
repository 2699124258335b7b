#include "server/database/catalogue_seeding.h"

#include <string>
#include <unordered_set>
#include <vector>

#include "server/database/catalogue_messages.h"
#include "server/database/database.h"
#include "server/database/entity_insert.h"
#include "server/database/field.h"
#include "server/database/fixed_entities.h"
#include "server/database/key_allocation.h"
#include "server/database/type_codes.h"
#include "server/database/upgrade_support.h"

namespace kt {

namespace {

// Behaviours that a new specialization copies, and how it takes the value.
constexpr int kCopiedWithValue = 2;
constexpr int kCopiedWithDefault = 3;
constexpr int kCopiedBlank = 4;
constexpr int kCopiedSameType = 5;
// Behaviour 1: the attribute stays with its owner.
constexpr int kNotInherited = 1;

constexpr std::string_view kBlankValue = "-";
constexpr std::string_view kUnspecifiedType = "Unspecified";

}  // namespace

std::int32_t CatalogueSeeder::addSpecialization(std::int32_t parent, std::string_view name) {
    auto parentRow =
        database_.snapshot("SELECT ent_type, ent_name FROM Entity WHERE ent_id = ?", parent);
    if (parentRow.eof()) {
        throw catalogueError(msg::EntityNotPresent);
    }
    const auto type = static_cast<EntityType>(parentRow["ent_type"].asInteger());
    std::optional<std::int32_t> bundle;
    if (type == EntityType::Activity) {
        const std::string defaultBundle =
            std::string(kDefaultBundlePrefix) + parentRow["ent_name"].asText();
        const auto found = database_.scalar(
            "SELECT spec_child_ent_id FROM Specialization JOIN Entity ON ent_id = "
            "spec_child_ent_id WHERE spec_parent_ent_id = ? AND spec_type = 1 AND "
            "spec_deleted = 0 AND ent_type = 2 ORDER BY ent_name = ? DESC, spec_id LIMIT 1",
            parent, defaultBundle);
        if (!found) {
            throw catalogueError(msg::EntityNotPresent);
        }
        bundle = Field("spec_child_ent_id", *found).asLong();
    }

    NewEntity entity;
    entity.name = std::string(name);
    entity.contact = std::string(contact_);
    entity.type = type;
    entity.stamp = stamp_;
    const std::int32_t key = insertEntity(database_, entity);
    if (bundle) {
        link(*bundle, key, direct_specialization);
        link(parent, key, cache_specialization);
    } else {
        link(parent, key, direct_specialization);
    }
    copyInheritedAttributes(parent, key);
    upgrade::recountCachedCounts(database_, parent);
    if (bundle) {
        upgrade::recountCachedCounts(database_, *bundle);
    }
    return key;
}

void CatalogueSeeder::addAttribute(std::int32_t owner, std::string_view name, const Value& value,
                                   int behaviour, bool onlyIfAbsent) {
    if (onlyIfAbsent && upgrade::hasStoredAttribute(database_, owner, name)) {
        return;
    }
    const std::int32_t key = NextKey(database_, KeyColumn::Attribute);
    insertAttribute(owner, name, value, behaviour, std::nullopt);
    propagateAttribute(owner, name, value, behaviour, key, onlyIfAbsent);
}

void CatalogueSeeder::propagateAttribute(std::int32_t owner, std::string_view name,
                                         const Value& value, int behaviour, std::int32_t origin,
                                         bool onlyIfAbsent) {
    if (behaviour != kCopiedWithValue && behaviour != kCopiedSameType) {
        return;
    }
    const bool sameTypeOnly = behaviour == kCopiedSameType;
    const bool testPresence = onlyIfAbsent && !sameTypeOnly;
    // A walk that would stop at every direct specialization is not started: most owners a
    // repair passes have handed the attribute on already.
    if (testPresence && !anySpecializationLacks(owner, name)) {
        return;
    }
    const std::int32_t firstKey = NextKey(database_, KeyColumn::Attribute);
    // The walk reaches each entity once however many paths lead to it; deleted entities, and
    // with the presence test entities that have the attribute, take no copy and pass none on.
    database_.execute(
        "INSERT INTO Attributes (atri_id, atri_name, atri_inherit, atri_data_type, atri_value, "
        "atri_ent_ref, atri_inherit_from_atri_id, atri_class, atri_deleted, atri_default_value, "
        "atri_entity_value_id, atri_OLE_id, atri_inherit_from_parent, atri_inherit_behavior) "
        "WITH RECURSIVE walk(key, type) AS ("
        "  SELECT ent_id, ent_type FROM Entity WHERE ent_id = ?1"
        "  UNION"
        "  SELECT child.ent_id, child.ent_type FROM walk"
        "  JOIN Specialization ON spec_parent_ent_id = walk.key AND spec_deleted = 0 AND"
        "    spec_type = CASE WHEN walk.type = 1 THEN 2 ELSE 1 END"
        "  JOIN Entity AS child ON child.ent_id = spec_child_ent_id AND child.ent_deleted = 0"
        "  WHERE (?2 = 0 OR child.ent_type IS (SELECT ent_type FROM Entity WHERE ent_id = ?1))"
        "  AND (?3 = 0 OR NOT EXISTS (SELECT 1 FROM Attributes WHERE atri_ent_ref = child.ent_id"
        "    AND atri_name = ?4 AND atri_deleted = 0))) "
        "SELECT ?5 - 1 + row_number() OVER (ORDER BY key), ?4, 1, ?6, ?7, key, ?8, -1, 0, ?9, "
        "-1, -1, 1, ?10 FROM walk WHERE key <> ?1",
        owner, sameTypeOnly, testPresence, name, firstKey, kUnspecifiedType, value, origin,
        kBlankValue, behaviour);
    database_.execute(
        "UPDATE Entity SET ent_last_modified = ? WHERE ent_id IN (SELECT atri_ent_ref FROM "
        "Attributes WHERE atri_id >= ?)",
        stamp_.lastModified(), firstKey);
}

bool CatalogueSeeder::anySpecializationLacks(std::int32_t owner, std::string_view name) {
    return Field(
               "lacks",
               database_
                   .scalar("SELECT EXISTS (SELECT 1 FROM Specialization JOIN Entity AS child ON "
                           "child.ent_id = spec_child_ent_id AND child.ent_deleted = 0 WHERE "
                           "spec_parent_ent_id = ?1 AND spec_deleted = 0 AND spec_type = CASE WHEN "
                           "(SELECT ent_type FROM Entity WHERE ent_id = ?1) = 1 THEN 2 ELSE 1 END "
                           "AND NOT EXISTS (SELECT 1 FROM Attributes WHERE atri_ent_ref = "
                           "child.ent_id AND atri_name = ?2 AND atri_deleted = 0))",
                           owner, name)
                   .value())
        .asBoolean();
}

void CatalogueSeeder::setAttributeValue(std::int32_t owner, std::string_view name,
                                        const Value& value) {
    auto row = database_.snapshot(
        "SELECT atri_id, atri_value, atri_inherit_behavior FROM Attributes WHERE atri_ent_ref = ? "
        "AND atri_name = ? AND atri_deleted = 0 ORDER BY atri_id LIMIT 1",
        owner, name);
    if (row.eof()) {
        throw catalogueError(msg::EntityLacksAttribute);
    }
    const Value oldValue = row["atri_value"].value();
    database_.execute(
        "UPDATE Attributes SET atri_value = ?, atri_inherit_from_parent = 0 WHERE atri_id = ?",
        value, row["atri_id"].value());
    stamp(owner);
    if (row["atri_inherit_behavior"].isNull() ||
        row["atri_inherit_behavior"].asInteger() != kCopiedWithValue) {
        return;
    }
    const upgrade::SpecializationQuery specializations(database_);
    std::unordered_set<std::int32_t> visited{owner};
    std::vector<std::int32_t> pending{owner};
    while (!pending.empty()) {
        const std::int32_t current = pending.back();
        pending.pop_back();
        for (const auto& [child, type, deleted, has] : specializations.of(current)) {
            if (!visited.insert(child).second) {
                continue;
            }
            database_.execute(
                "UPDATE Attributes SET atri_value = ? WHERE atri_ent_ref = ? AND atri_name = ? "
                "AND atri_deleted = 0 AND atri_inherit_from_parent = 1 AND atri_value IS ?",
                value, child, name, oldValue);
            if (database_.changes() > 0) {
                pending.push_back(child);
            }
        }
    }
}

void CatalogueSeeder::insertAttribute(std::int32_t owner, std::string_view name, const Value& value,
                                      int behaviour, std::optional<std::int32_t> origin) {
    const std::int32_t key = NextKey(database_, KeyColumn::Attribute);
    database_.execute(
        "INSERT INTO Attributes (atri_id, atri_name, atri_inherit, atri_data_type, atri_value, "
        "atri_ent_ref, atri_inherit_from_atri_id, atri_class, atri_deleted, "
        "atri_default_value, atri_entity_value_id, atri_OLE_id, atri_inherit_from_parent, "
        "atri_inherit_behavior) VALUES (?, ?, ?, ?, ?, ?, ?, -1, 0, ?, -1, -1, 1, ?)",
        key, name, origin.has_value(), kUnspecifiedType, value, owner, origin.value_or(key),
        kBlankValue, behaviour);
    stamp(owner);
}

void CatalogueSeeder::copyInheritedAttributes(std::int32_t from, std::int32_t to) {
    auto source = database_.snapshot(
        "SELECT * FROM Attributes WHERE atri_ent_ref = ? AND atri_deleted = 0 "
        "AND atri_inherit_behavior BETWEEN ? AND ? ORDER BY atri_id",
        from, kCopiedWithValue, kCopiedSameType);
    for (; !source.eof(); source.moveNext()) {
        const auto behaviour = source["atri_inherit_behavior"].asInteger();
        const Value value = behaviour == kCopiedWithDefault ? source["atri_default_value"].value()
                            : behaviour == kCopiedBlank     ? Value(std::string(kBlankValue))
                                                            : source["atri_value"].value();
        database_.execute(
            "INSERT INTO Attributes (atri_id, atri_name, atri_inherit, atri_data_type, "
            "atri_value, atri_ent_ref, atri_inherit_from_atri_id, atri_class, atri_deleted, "
            "atri_default_value, atri_entity_value_id, atri_OLE_id, "
            "atri_inherit_from_parent, atri_inherit_behavior) "
            "VALUES (?, ?, 1, ?, ?, ?, ?, ?, 0, ?, ?, ?, ?, ?)",
            NextKey(database_, KeyColumn::Attribute), source["atri_name"].value(),
            source["atri_data_type"].value(), value, to, source["atri_id"].value(),
            source["atri_class"].value(), source["atri_default_value"].value(),
            source["atri_entity_value_id"].value(), source["atri_OLE_id"].value(),
            source["atri_inherit_from_parent"].value(), behaviour);
    }
}

void CatalogueSeeder::link(std::int32_t parent, std::int32_t child, int type) {
    database_.execute(
        "INSERT INTO Specialization (spec_id, spec_parent_ent_id, spec_child_ent_id, "
        "spec_deleted, spec_type) VALUES (?, ?, ?, 0, ?)",
        NextKey(database_, KeyColumn::Specialization), parent, child, type);
}

void CatalogueSeeder::stamp(std::int32_t key) {
    database_.execute("UPDATE Entity SET ent_last_modified = ? WHERE ent_id = ?",
                      stamp_.lastModified(), key);
}

void upgradeBundles(Database& database, const TimeStamp& stamp) {
    constexpr std::string_view kLayoutMark = "kt_TradeoffLayout";
    constexpr std::string_view kEmptyLayout = ":";
    const std::int32_t bundleRoot = upgrade::requireKeyOfName(database, "Bundle Root");
    if (upgrade::hasStoredAttribute(database, bundleRoot, kLayoutMark)) {
        return;
    }
    const std::int32_t defaultParent =
        upgrade::requireKeyOfName(database, defaultParentNameOf("Bundle Root"));
    auto bundles = database.snapshot(
        "SELECT ent_id FROM Entity WHERE ent_type = 2 AND ent_deleted = 0 AND ent_id NOT IN "
        "(?, ?) AND NOT EXISTS (SELECT 1 FROM Specialization WHERE spec_parent_ent_id = ? AND "
        "spec_child_ent_id = Entity.ent_id AND spec_deleted = 0 AND spec_type = 1) "
        "ORDER BY ent_id",
        defaultParent, bundleRoot, defaultParent);
    std::int32_t key = NextKey(database, KeyColumn::Specialization);
    for (; !bundles.eof(); bundles.moveNext()) {
        database.execute(
            "INSERT INTO Specialization (spec_id, spec_parent_ent_id, spec_child_ent_id, "
            "spec_deleted, spec_type) VALUES (?, ?, ?, 0, 1)",
            key++, defaultParent, bundles["ent_id"].value());
    }
    CatalogueSeeder(database, stamp, kAutoUpgradeContact)
        .addAttribute(bundleRoot, kLayoutMark, Value(std::string(kEmptyLayout)), kNotInherited);
    upgrade::recountCachedCounts(database, bundleRoot);
    upgrade::recountCachedCounts(database, defaultParent);
}

}  // namespace kt
