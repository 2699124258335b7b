#include "server/attributes/attribute_propagation.h"

#include <memory>
#include <optional>
#include <string_view>

#include "server/attributes/attribute_names.h"
#include "server/attributes/obj_attribute.h"
#include "server/attributes/variant_value.h"
#include "server/database/db.h"
#include "server/database/object_id.h"
#include "server/database/type_codes.h"
#include "server/entities/generic.h"
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
                           std::int16_t behaviour, std::int32_t originKey, bool onlyIfAbsent) {
    if (behaviour != kEveryEntity && behaviour != kSameEntityType) {
        return;
    }
    const bool sameTypeOnly = behaviour == kSameEntityType;
    const bool testExisting = onlyIfAbsent && !sameTypeOnly;
    const std::int32_t ownerType = owner.Typ();
    walkSpecializations(owner, true, [&](const std::shared_ptr<generic>& entity, bool) {
        if (sameTypeOnly && entity->Typ() != ownerType) {
            return std::optional<bool>();
        }
        if (testExisting && entity->DBAttributeExists(attribute.Name())) {
            return std::optional<bool>();
        }
        ObjAttribute copy;
        copy.BindOwner(entity);
        copy.InsertRow(attribute.Name(), behaviour, attribute.Value(), originKey);
        entity->StampLastModified();
        return std::optional<bool>(true);
    });
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
    walkSpecializations(owner, true, [&](const std::shared_ptr<generic>& entity, bool) {
        const Recordset rows = global_db().CreateSnapshot(
            "SELECT atri_id FROM Attributes WHERE atri_ent_ref = ? AND atri_name = ? AND "
            "atri_value IS ? AND atri_deleted = 0 ORDER BY atri_id LIMIT 1",
            entity->ID(), storedName, old);
        if (rows.eof()) {
            return std::optional<bool>();
        }
        auto copy = std::make_shared<ObjAttribute>();
        copy->LoadFromID(StoredAttributeID(rows["atri_id"].asLong()), 0);
        copy->BindOwner(entity);
        copy->ApplyValue(newValue, false);
        if (copy->InheritanceBehaviour() != kEveryEntity || entity->hasType(EntityType::Bundle)) {
            return std::optional<bool>();
        }
        return std::optional<bool>(true);
    });
}

}  // namespace kt
