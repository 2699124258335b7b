#include "server/attributes/obj_rel_attribute.h"

#include <string_view>

#include "server/attributes/obj_relation.h"
#include "server/attributes/rel_attribute_propagation.h"
#include "server/attributes/variant_value.h"
#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/errors.h"
#include "server/database/key_allocation.h"
#include "server/database/object_id.h"

namespace kt {

namespace {

// Names that system attributes use; a relation attribute renamed so keeps only its value
// changeable.
constexpr std::string_view kSystemPrefix = "kt_";
constexpr std::string_view kUnspecifiedType = "Unspecified";
constexpr std::int16_t kLowestBehaviour = 1;
constexpr std::int16_t kHighestSettableBehaviour = 4;

}  // namespace

std::int32_t ObjRelAttribute::key() const {
    return KeyOfID(id_);
}

void ObjRelAttribute::refuseChange() const {
    if (deleted_) {
        throw catalogueError(msg::DeletedAttribute);
    }
}

void ObjRelAttribute::refuseMetadataChange() const {
    refuseChange();
    if (name_.starts_with(kSystemPrefix)) {
        throw catalogueError(msg::SystemAttributePropertyFixed);
    }
}

void ObjRelAttribute::LoadFromID(std::int32_t ID, std::int32_t /*ContextID*/) {
    // Relations have no system attributes: only the stored kind names a row.
    if (GetIDKind(ID) != kind_stored_attribute) {
        throw catalogueError(msg::NotAnAttributeID);
    }
    const Recordset row = global_db().CreateSnapshot(
        "SELECT * FROM RelationAttributes WHERE atri_id = ? AND atri_deleted = 0", KeyOfID(ID));
    if (row.eof()) {
        throw catalogueError(msg::AttributeNotPresent);
    }
    // Read whole before anything is kept, so a bad column leaves the object as it was.
    std::string name = row["atri_name"].asText();
    std::string dataType = row["atri_data_type"].asText();
    const bool inherited = row["atri_inherit"].asBoolean();
    const bool deleted = row["atri_deleted"].asBoolean();
    const std::int32_t owner = row["atri_ent_ref"].asLong();
    const std::int32_t origin = StoredAttributeID(row["atri_inherit_from_atri_id"].asLong());
    const std::int16_t behaviour = row["atri_inherit_behavior"].asInteger();
    const bool inheritFromParent = row["atri_inherit_from_parent"].asBoolean();
    name_ = std::move(name);
    dataType_ = std::move(dataType);
    value_ = row["atri_value"].value();
    inherited_ = inherited;
    id_ = ID;
    deleted_ = deleted;
    ownerObjectId_ = owner;
    inheritedFromAttrId_ = origin;
    inheritanceBehaviour_ = behaviour;
    inheritFromParent_ = inheritFromParent;
    defaultValue_ = row["atri_default_value"].value();
}

void ObjRelAttribute::BindOwner(std::shared_ptr<ObjRelation> owner) {
    refuseChange();
    owner_ = std::move(owner);
}

void ObjRelAttribute::InsertNew(const generic& anchorEntity, std::shared_ptr<ObjRelation> owner,
                                const std::string& name, const kt::Value& value,
                                std::int16_t behaviour,
                                std::optional<std::int32_t> inheritedFromID) {
    InsertRow(owner, name, value, behaviour, inheritedFromID);
    // Every copy names the attribute that was created first.
    PropagateNewRelAttribute(*this, *owner_, anchorEntity, behaviour, KeyOfID(inheritedFromAttrId_),
                             false);
}

void ObjRelAttribute::InsertRow(std::shared_ptr<ObjRelation> owner, const std::string& name,
                                const kt::Value& value, std::int16_t behaviour,
                                std::optional<std::int32_t> inheritedFromID) {
    if (!owner) {
        throw objectNotSet();
    }
    const std::string text = variantText(value);
    const std::int32_t newKey = NewRelAttributeID();
    const std::int32_t originKey = inheritedFromID ? KeyOfID(*inheritedFromID) : newKey;
    global_db().Execute(
        "INSERT INTO RelationAttributes (atri_id, atri_name, atri_inherit, atri_data_type, "
        "atri_value, atri_ent_ref, atri_inherit_from_atri_id, atri_class, atri_deleted, "
        "atri_default_value, atri_entity_value_id, atri_OLE_id, atri_inherit_from_parent, "
        "atri_inherit_behavior) VALUES (?, ?, ?, ?, ?, ?, ?, -1, 0, ?, -1, -1, 1, ?)",
        newKey, name, inheritedFromID.has_value(), kUnspecifiedType, text, owner->ID(), originKey,
        text, behaviour);
    name_ = name;
    dataType_ = kUnspecifiedType;
    value_ = value;
    defaultValue_ = value;
    inherited_ = inheritedFromID.has_value();
    id_ = StoredAttributeID(newKey);
    deleted_ = false;
    ownerObjectId_ = owner->ID();
    inheritedFromAttrId_ = StoredAttributeID(originKey);
    inheritanceBehaviour_ = behaviour;
    inheritFromParent_ = true;
    owner_ = std::move(owner);
}

void ObjRelAttribute::WriteValue(const kt::Value& value) {
    std::string text = variantText(value);
    global_db().Execute("UPDATE RelationAttributes SET atri_value = ? WHERE atri_id = ?", text,
                        key());
    value_ = std::move(text);
}

void ObjRelAttribute::setValue(const kt::Value& value) {
    refuseChange();
    if (!owner_) {
        throw objectNotSet();
    }
    const kt::Value before = value_;
    try {
        owner_->PropagateAttributeValue(*this, value);
    } catch (...) {
        value_ = before;  // the write was rolled back with the rest
        throw;
    }
}

template <typename T>
void ObjRelAttribute::changeColumn(std::string_view sql, const T& value, T& kept) {
    refuseMetadataChange();
    global_db().Execute(sql, value, key());
    kept = value;
}

void ObjRelAttribute::setName(const std::string& value) {
    changeColumn("UPDATE RelationAttributes SET atri_name = ? WHERE atri_id = ?", value, name_);
}

void ObjRelAttribute::setDataType(const std::string& value) {
    changeColumn("UPDATE RelationAttributes SET atri_data_type = ? WHERE atri_id = ?", value,
                 dataType_);
}

void ObjRelAttribute::setDeleted(bool value) {
    changeColumn("UPDATE RelationAttributes SET atri_deleted = ? WHERE atri_id = ?", value,
                 deleted_);
}

void ObjRelAttribute::setDefaultValue(const kt::Value& value) {
    refuseMetadataChange();
    const kt::Value stored = isNull(value) ? kt::Value(std::string("-")) : value;
    global_db().Execute("UPDATE RelationAttributes SET atri_default_value = ? WHERE atri_id = ?",
                        variantText(stored), key());
    defaultValue_ = stored;
}

void ObjRelAttribute::setInheritFromParent(bool value) {
    changeColumn("UPDATE RelationAttributes SET atri_inherit_from_parent = ? WHERE atri_id = ?",
                 value, inheritFromParent_);
}

void ObjRelAttribute::setInheritanceBehaviour(std::int16_t value) {
    refuseMetadataChange();  // before the range: a deleted attribute says so first
    if (value < kLowestBehaviour || value > kHighestSettableBehaviour) {
        throw catalogueError(msg::InvalidPropertyValue);
    }
    changeColumn("UPDATE RelationAttributes SET atri_inherit_behavior = ? WHERE atri_id = ?", value,
                 inheritanceBehaviour_);
}

}  // namespace kt
