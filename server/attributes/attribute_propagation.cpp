#include "server/attributes/attribute_propagation.h"

#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "server/attributes/attribute_names.h"
#include "server/attributes/obj_attribute.h"
#include "server/attributes/variant_value.h"
#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/key_allocation.h"
#include "server/database/object_id.h"
#include "server/database/type_codes.h"
#include "server/entities/generic.h"
#include "server/entities/specialization_levels.h"
#include "server/entities/specialization_walk.h"

namespace kt {

namespace {

constexpr std::int16_t kEveryEntity = 2;
constexpr std::int16_t kSameEntityType = 5;

// The attribute a walk has reached: its key and the key it names as its origin.
struct Lineage {
    std::int32_t key;
    std::int32_t origin;
};

// The first copy in `entity` that follows the attribute `above`.
std::optional<Lineage> followingCopy(const generic& entity, const Lineage& above) {
    const Recordset rows = global_db().CreateSnapshot(
        "SELECT atri_id, atri_inherit_from_atri_id FROM Attributes WHERE atri_ent_ref = ? AND "
        "atri_inherit_from_atri_id IN (?, ?) AND atri_inherit_from_parent <> 0 AND "
        "atri_deleted = 0 ORDER BY atri_id LIMIT 1",
        entity.ID(), above.key, above.origin);
    if (rows.eof()) {
        return std::nullopt;
    }
    return Lineage{rows["atri_id"].asLong(), rows["atri_inherit_from_atri_id"].asLong()};
}

constexpr std::string_view kUnspecifiedType = "Unspecified";
constexpr std::string_view kNoDefault = "-";
// Written into the columns that only older programs used.
constexpr std::int32_t kUnusedColumn = -1;

// The entities of `level` that hold a live attribute of that name.
std::unordered_set<std::int32_t> holdersOf(const std::string& name,
                                           const std::vector<ReachedEntity>& level) {
    Recordset rows = global_db().CreateSnapshot(
        "SELECT DISTINCT atri_ent_ref FROM Attributes WHERE atri_ent_ref IN (SELECT value FROM "
        "json_each(?)) AND atri_name = ? AND atri_deleted = 0",
        keyArray(level), name);
    std::unordered_set<std::int32_t> holders;
    for (; !rows.eof(); rows.moveNext()) {
        holders.insert(rows["atri_ent_ref"].asLong());
    }
    return holders;
}

// An attribute that a value push changes.
struct HeldCopy {
    std::int32_t key;
    std::int16_t behaviour;
};

// In each entity of `level`, the first live attribute of that stored name holding `old`.
std::unordered_map<std::int32_t, HeldCopy> copiesHolding(const std::string& storedName,
                                                         const Value& old,
                                                         const std::vector<ReachedEntity>& level) {
    Recordset rows = global_db().CreateSnapshot(
        "SELECT atri_ent_ref, atri_id, atri_inherit_behavior FROM Attributes WHERE atri_ent_ref "
        "IN (SELECT value FROM json_each(?)) AND atri_name = ? AND atri_value IS ? AND "
        "atri_deleted = 0 ORDER BY atri_id",
        keyArray(level), storedName, old);
    std::unordered_map<std::int32_t, HeldCopy> copies;
    for (; !rows.eof(); rows.moveNext()) {
        copies.try_emplace(
            rows["atri_ent_ref"].asLong(),
            HeldCopy{rows["atri_id"].asLong(), rows["atri_inherit_behavior"].asInteger()});
    }
    return copies;
}

// A stored name that hosts reach through a "kt_" alias of one entity type takes values only on
// entities of that type (error 3), below as on the entity itself.
void refuseForeignTypes(const std::string& storedName, const std::vector<ReachedEntity>& holders) {
    const AttributeAlias* alias = findAlias(shownAttributeName(storedName));
    if (!alias || !alias->entityType) {
        return;
    }
    for (const ReachedEntity& entity : holders) {
        if (entity.type != static_cast<std::int16_t>(*alias->entityType)) {
            throw catalogueError(msg::SystemAttributeNotForType);
        }
    }
}

// Writes `value` into one column of every following copy below `owner`.
template <typename T>
void carryColumn(const ObjAttribute& attribute, const generic& owner, std::string_view sql,
                 const T& value) {
    if (owner.hasType(EntityType::Bundle)) {
        return;
    }
    const Lineage top{KeyOfID(attribute.ID()), KeyOfID(attribute.InheritedFromAttrID())};
    walkSpecializations(owner, top,
                        [&](const std::shared_ptr<generic>& entity,
                            const Lineage& above) -> std::optional<Lineage> {
                            const auto copy = followingCopy(*entity, above);
                            if (!copy) {
                                return std::nullopt;
                            }
                            global_db().Execute(sql, value, copy->key);
                            entity->StampLastModified();
                            if (entity->hasType(EntityType::Bundle)) {
                                return std::nullopt;
                            }
                            return copy;
                        });
}

}  // namespace

void PropagateNewAttribute(const ObjAttribute& attribute, const generic& owner,
                           std::int16_t behaviour, std::int32_t originKey) {
    if (behaviour != kEveryEntity && behaviour != kSameEntityType) {
        return;
    }
    const bool sameTypeOnly = behaviour == kSameEntityType;
    const std::int32_t ownerType = owner.Typ();
    const auto receivers = plannedWalk(owner, [&](const std::vector<ReachedEntity>& level) {
        const std::unordered_set<std::int32_t> holders = holdersOf(attribute.Name(), level);
        std::vector<Verdict> verdicts;
        for (const ReachedEntity& entity : level) {
            const bool receives =
                (!sameTypeOnly || entity.type == ownerType) && !holders.contains(entity.key);
            verdicts.push_back({receives, receives});
        }
        return verdicts;
    });
    if (receivers.empty()) {
        return;
    }
    // One key each, counted up in the order of the walk.
    global_db().Execute(
        "INSERT INTO Attributes (atri_id, atri_name, atri_inherit, atri_data_type, atri_value, "
        "atri_ent_ref, atri_inherit_from_atri_id, atri_class, atri_deleted, atri_default_value, "
        "atri_entity_value_id, atri_OLE_id, atri_inherit_from_parent, atri_inherit_behavior) "
        "SELECT ?1 + j.key, ?2, 1, ?3, ?4, j.value, ?5, ?6, 0, ?7, ?6, ?6, 1, ?8 "
        "FROM json_each(?9) AS j",
        NewAttributeID(), attribute.Name(), kUnspecifiedType, variantText(attribute.Value()),
        originKey, kUnusedColumn, kNoDefault, behaviour, keyArray(receivers));
    stampLastModified(receivers);
}

void PropagateAttributeName(const ObjAttribute& attribute, const generic& owner,
                            const std::string& newName) {
    carryColumn(attribute, owner, "UPDATE Attributes SET atri_name = ? WHERE atri_id = ?", newName);
}

void PropagateAttributeDataType(const ObjAttribute& attribute, const generic& owner,
                                const std::string& newType) {
    carryColumn(attribute, owner, "UPDATE Attributes SET atri_data_type = ? WHERE atri_id = ?",
                newType);
}

void PropagateAttributeDefault(const ObjAttribute& attribute, const generic& owner,
                               const std::string& newDefault) {
    carryColumn(attribute, owner, "UPDATE Attributes SET atri_default_value = ? WHERE atri_id = ?",
                newDefault);
}

void PropagateAttributeDeleted(const ObjAttribute& attribute, const generic& owner) {
    carryColumn(attribute, owner, "UPDATE Attributes SET atri_deleted = ? WHERE atri_id = ?", true);
}

void PushAttributeValueDown(const ObjAttribute& attribute, const generic& owner,
                            const Value& oldValue, const std::string& newValue) {
    if (owner.hasType(EntityType::Bundle)) {
        return;
    }
    const std::string storedName = SystemAttributeDisplayName(attribute.Name());
    // Stored values are text; a value that has not been stored yet may be a number.
    const Value old = isNull(oldValue) ? oldValue : Value(variantText(oldValue));
    std::unordered_map<std::int32_t, std::int32_t> copyOf;  // entity key -> attribute key
    const auto holders = plannedWalk(owner, [&](const std::vector<ReachedEntity>& level) {
        const auto copies = copiesHolding(storedName, old, level);
        std::vector<Verdict> verdicts;
        for (const ReachedEntity& entity : level) {
            const auto copy = copies.find(entity.key);
            if (copy == copies.end()) {
                verdicts.push_back({});
                continue;
            }
            copyOf[entity.key] = copy->second.key;
            verdicts.push_back(
                {true, copy->second.behaviour == kEveryEntity &&
                           entity.type != static_cast<std::int16_t>(EntityType::Bundle)});
        }
        return verdicts;
    });
    refuseForeignTypes(storedName, holders);
    std::vector<std::int32_t> changed;
    changed.reserve(holders.size());
    for (const ReachedEntity& entity : holders) {
        changed.push_back(copyOf.at(entity.key));
    }
    if (!changed.empty()) {
        global_db().Execute(
            "UPDATE Attributes SET atri_value = ? WHERE atri_id IN (SELECT value FROM "
            "json_each(?))",
            newValue, keyArray(changed));
    }
    stampLastModified(holders);
}

}  // namespace kt
