#include "server/attributes/obj_relation.h"

#include <stdexcept>
#include <vector>

#include "server/attributes/new_relation.h"
#include "server/attributes/obj_rel_attribute.h"
#include "server/attributes/rel_attribute_propagation.h"
#include "server/attributes/relation_anchor.h"
#include "server/attributes/variant_value.h"
#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/object_id.h"
#include "server/database/time_stamp.h"
#include "server/database/transaction.h"
#include "server/database/type_codes.h"
#include "server/entities/entity.h"
#include "server/entities/generic.h"
#include "server/entities/obj_rel_attributes.h"
#include "server/entities/relation_direction.h"

namespace kt {

namespace {

// Behaviour 2: the attribute is copied to the repeating relations and follows later changes.
constexpr std::int16_t kInheritWithValue = 2;

std::string generatedIdentifier(const TimeStamp& stamp, std::int32_t startKey,
                                std::string_view kind, std::int32_t relationId) {
    return stamp.identifierPrefix() + "EI" + std::to_string(startKey) + std::string(kind) +
           std::to_string(relationId);
}

}  // namespace

std::int32_t ObjRelation::key() const {
    return KeyOfID(fields_.id);
}

std::shared_ptr<ObjRelation> ObjRelation::self() {
    auto me = weak_from_this().lock();
    if (!me) {
        throw std::logic_error("A relation hands out attributes only while a shared_ptr holds it.");
    }
    return me;
}

void ObjRelation::InsertNew(const NewRelation& row) {
    RelationFields fields;
    fields.name = row.name;
    fields.type = row.type;
    fields.startId = EntityID(row.startKey);
    fields.endId = EntityID(row.endKey);
    fields.inherited = row.inherited;
    fields.id = RelationID(row.key);
    fields.deleted = row.deleted;
    fields.contextId = EntityID(row.contextKey);
    fields.inheritedFromRelId = row.inherited ? RelationID(row.inheritedFromKey) : fields.id;
    fields.slotId = row.slotId;
    fields.slotName = row.slotName.empty() ? "no slot" : row.slotName;
    fields.contextPath = row.contextPath.empty() ? "no path" : row.contextPath;
    fields.displayOrder = row.displayOrder;
    fields.endEntityType = row.endEntityType;
    const TimeStamp stamp = TimeStamp::now();
    fields.uniqueId = row.uniqueId.empty()
                          ? generatedIdentifier(stamp, row.startKey, "RL", fields.id)
                          : row.uniqueId;
    fields.slotUniqueId = row.slotUniqueId.empty()
                              ? generatedIdentifier(stamp, row.startKey, "SL", fields.id)
                              : row.slotUniqueId;
    global_db().Execute(
        "INSERT INTO Relation (rel_id, rel_contact, rel_start_ent_id, rel_end_ent_id, "
        "rel_inherit, rel_inherit_from_rel_id, rel_deleted, rel_inherit_by_copy, rel_Type, "
        "rel_name, rel_inherit_from_parent, rel_context_ent_id, rel_suppressed, rel_slot_id, "
        "rel_slot_name, rel_context_path, rel_display_order, rel_end_ent_type, "
        "rel_imb_context_ent_id, rel_unique_id, rel_slot_unique_id) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, ?, ?, ?, ?, ?, ?, ?, ?)",
        row.key, row.contact, row.startKey, row.endKey, row.inherited, row.inheritedFromKey,
        row.deleted, row.inheritByCopy, row.type, row.name, row.inheritFromParent, row.contextKey,
        row.slotId, fields.slotName, fields.contextPath, row.displayOrder, row.endEntityType,
        row.managingContextKey, fields.uniqueId, fields.slotUniqueId);
    fields_ = std::move(fields);
}

void ObjRelation::LoadFromID(std::int32_t ID) {
    if (GetIDKind(ID) != kind_relation) {
        throw catalogueError(msg::RelationDoesNotExist);
    }
    const Recordset row =
        global_db().CreateSnapshot("SELECT * FROM Relation WHERE rel_id = ?", KeyOfID(ID));
    if (row.eof()) {
        throw catalogueError(msg::RelationDoesNotExist);
    }
    RelationFields fields = readRelationFields(row);
    fields.id = ID;
    InitFromFields(fields);
}

void ObjRelation::InitFromFields(const RelationFields& fields) {
    fields_ = fields;
    if (!fields_.inherited) {
        fields_.inheritedFromRelId = fields_.id;
    }
}

void ObjRelation::setDisplayOrder(std::int32_t value) {
    global_db().Execute("UPDATE Relation SET rel_display_order = ? WHERE rel_id = ?", value, key());
    fields_.displayOrder = value;
}

void ObjRelation::SetInheritedFromRelID(std::int32_t relationID) {
    global_db().Execute("UPDATE Relation SET rel_inherit_from_rel_id = ? WHERE rel_id = ?",
                        KeyOfID(relationID), key());
    fields_.inheritedFromRelId = relationID;
}

void ObjRelation::SetInherited(bool value) {
    global_db().Execute("UPDATE Relation SET rel_inherit = ? WHERE rel_id = ?", value, key());
    fields_.inherited = value;
}

void ObjRelation::SetDeleted(bool value) {
    global_db().Execute("UPDATE Relation SET rel_deleted = ? WHERE rel_id = ?", value, key());
    fields_.deleted = value;
}

bool ObjRelation::Delete() {
    const auto anchor = anchorOf(fields_.type);
    // A decomposition is removed through its parent's decomposition editing, not here.
    if (!anchor || fields_.type == static_cast<std::int16_t>(RelationType::Decomposition)) {
        throw catalogueError(msg::UnsupportedRelationDelete);
    }
    generic owner;
    if (*anchor == RelationAnchor::Context) {
        owner.Init(KeyOfID(fields_.contextId));
        owner.RemoveConnectorSlot(*this);
    } else {
        owner.Init(KeyOfID(fields_.startId));
        owner.DeleteRelation(*this);
    }
    fields_.deleted = true;
    return true;
}

std::shared_ptr<ObjRelAttributes> ObjRelation::GetAttributes() {
    return GetDBAttributes(fields_.id);
}

std::shared_ptr<ObjRelAttributes> ObjRelation::GetDBAttributes(std::int32_t MyID) {
    Transaction reading(global_db().database(), Transaction::Mode::Read);
    auto rows = global_db().CreateSnapshot(
        "SELECT atri_id FROM RelationAttributes WHERE atri_ent_ref = ? AND atri_deleted = 0 "
        "ORDER BY atri_id",
        MyID);
    auto attributes = std::make_shared<ObjRelAttributes>();
    for (; !rows.eof(); rows.moveNext()) {
        attributes->AddByID(StoredAttributeID(rows["atri_id"].asLong()), self());
    }
    reading.commit();
    return attributes;
}

std::shared_ptr<ObjRelAttribute> ObjRelation::GetDBAttribute(const std::string& attrName) {
    if (fields_.deleted) {
        throw catalogueError(msg::DeletedEntityChange);
    }
    Transaction reading(global_db().database(), Transaction::Mode::Read);
    const auto key = global_db().database().scalar(
        "SELECT atri_id FROM RelationAttributes WHERE atri_name = ? AND atri_ent_ref = ? AND "
        "atri_deleted = 0 ORDER BY atri_id LIMIT 1",
        attrName, fields_.id);
    if (!key) {
        throw catalogueError(msg::EntityLacksAttribute);
    }
    auto attribute = std::make_shared<ObjRelAttribute>();
    attribute->LoadFromID(StoredAttributeID(Field("atri_id", *key).asLong()), 0);
    attribute->BindOwner(self());
    reading.commit();
    return attribute;
}

std::shared_ptr<ObjRelAttribute> ObjRelation::GetAttribute(const std::string& attrName) {
    return GetDBAttribute(attrName);
}

Value ObjRelation::GetAttributeValue(const std::string& atriName) {
    return GetDBAttribute(atriName)->Value();
}

void ObjRelation::SetAttributeValue(const std::string& atriName, const Value& atriVal) {
    GetDBAttribute(atriName)->setValue(atriVal);
}

bool ObjRelation::DBAttributeExists(const std::string& attrName) {
    return global_db()
        .database()
        .scalar(
            "SELECT 1 FROM RelationAttributes WHERE atri_name = ? AND atri_ent_ref = ? AND "
            "atri_deleted = 0 LIMIT 1",
            attrName, fields_.id)
        .has_value();
}

std::shared_ptr<ObjRelAttribute> ObjRelation::AddNewAttribute(
    const std::string& attrName, const Value& attrValue,
    std::optional<std::int32_t> AtriInheritedFromAtriID,
    std::optional<std::int16_t> Inheritance_type) {
    Transaction operation(global_db().database());
    generic anchorEntity;
    anchorEntity.Init(AnchorKey());
    if (fields_.deleted) {
        throw catalogueError(msg::DeletedRelationChange);
    }
    auto attribute = std::make_shared<ObjRelAttribute>();
    attribute->InsertNew(anchorEntity, self(), attrName, attrValue,
                         Inheritance_type.value_or(kInheritWithValue), AtriInheritedFromAtriID);
    operation.commit();
    return attribute;
}

std::int32_t ObjRelation::AnchorKey() const {
    const auto anchor = anchorOf(fields_.type);
    return KeyOfID(anchor && *anchor == RelationAnchor::Context ? fields_.contextId
                                                                : fields_.startId);
}

std::shared_ptr<Entity> ObjRelation::GetParentEntity() const {
    auto entity = std::make_shared<Entity>();
    entity->LoadFromID(fields_.startId);
    return entity;
}

std::shared_ptr<Entity> ObjRelation::GetChildEntity() const {
    auto entity = std::make_shared<Entity>();
    entity->LoadFromID(fields_.endId);
    return entity;
}

void ObjRelation::PropagateAttributeValue(ObjRelAttribute& attribute, const Value& newValue) {
    Transaction operation(global_db().database());
    // Everything that can refuse the change is asked before anything is written.
    const auto anchor = anchorOf(fields_.type);
    if (!anchor) {
        throw catalogueError(msg::UnsupportedRelAttributeRelationType);
    }
    const bool byContext = *anchor == RelationAnchor::Context;
    generic owner;
    owner.Init(AnchorKey());
    // The list is not needed; asking for it refuses a deleted owner.
    owner.GetSlotRelations(fields_.slotId, byContext ? in_context : from_start);
    std::vector<std::int32_t> specializations;
    owner.GetSpecIDs(specializations);

    const Value oldValue = attribute.Value();
    attribute.WriteValue(newValue);
    generic specialization;
    for (std::size_t i = 1; i < specializations.size(); ++i) {
        specialization.Init(specializations[i]);
        if (!specialization.Deleted()) {
            PropagateRelAttributeUpdate(specialization, *this, attribute, oldValue);
        }
    }
    operation.commit();
}

bool ObjRelation::SetAttributeValueLocal(const std::string& name, const Value& oldValue,
                                         const Value& newValue) {
    try {
        const auto attribute = GetDBAttribute(name);
        if (!variantEquals(attribute->Value(), oldValue)) {
            return false;
        }
        attribute->WriteValue(newValue);
        return true;
    } catch (const DatabaseError&) {
        throw;  // a failing database is not a relation without the attribute
    } catch (const Error&) {
        return false;
    }
}

}  // namespace kt
