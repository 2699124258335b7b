#include "server/attributes/obj_attribute.h"

#include "server/attributes/attribute_names.h"
#include "server/attributes/attribute_propagation.h"
#include "server/attributes/variant_value.h"
#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/errors.h"
#include "server/database/key_allocation.h"
#include "server/database/object_id.h"
#include "server/entities/entities.h"
#include "server/entities/entity.h"
#include "server/entities/generic.h"
#include "server/entities/obj_relations.h"

namespace kt {

namespace {

constexpr std::string_view kUnspecifiedType = "Unspecified";
constexpr std::string_view kNoDefault = "-";
// Written into the columns that only older programs used.
constexpr std::int32_t kUnusedColumn = -1;

enum SystemKind : std::int32_t {
    kName = 1,
    kContact,
    kID,
    kEntityType,
    kLastModified,
    kDeleted,
    kPIFID,
    kDecompCount,
    kSpecCount,
    kBundles,
    kActivities,
    kManagingEntity,
    kResourceID,
    kManagingEntities,
    kManagingConnectors,
    kACL,
};

struct SystemShape {
    std::string_view dataType;
    std::int16_t behaviour;
};

SystemShape shapeOf(std::int32_t kind) {
    switch (kind) {
        case kName:
        case kPIFID:
            return {"String", 0};
        case kContact:
            return {"String", 1};
        case kID:
        case kACL:
            return {"Long", 0};
        case kEntityType:
            return {"Integer", 1};
        case kLastModified:
            return {"Date", 0};
        case kDeleted:
            return {"Boolean", 0};
        case kDecompCount:
        case kSpecCount:
            return {"Integer", 0};
        case kBundles:
        case kActivities:
            return {"Entity Collection", 0};
        case kManagingEntity:
            return {"Entity Object", 1};
        case kResourceID:
            return {"Long", 1};
        case kManagingEntities:
            return {"Relation Collection", 1};
        default:  // kManagingConnectors
            return {"Relation Collection", 0};
    }
}

Value boolean(bool value) {
    return std::int64_t{value ? 1 : 0};
}

// The first live relation of `type` that starts at `key` (managed-by, has-resource).
Recordset firstReference(std::int32_t key, RelationType type) {
    return global_db().CreateSnapshot(
        "SELECT rel_end_ent_id, rel_inherit_from_rel_id, rel_id, rel_inherit_from_parent FROM "
        "Relation WHERE rel_start_ent_id = ? AND rel_Type = ? AND rel_deleted = 0 ORDER BY rel_id",
        key, type);
}

// The start entity of the relation that a reference was inherited from; nothing when that
// relation has gone.
std::optional<std::int32_t> originStart(std::int32_t relationKey) {
    const Recordset origin = global_db().CreateSnapshot(
        "SELECT rel_start_ent_id FROM Relation WHERE rel_id = ?", relationKey);
    if (origin.eof()) {
        return std::nullopt;
    }
    return origin["rel_start_ent_id"].asLong();
}

void markInherited(AttributeFields& fields, const Recordset& reference, std::int32_t kind) {
    if (const auto start = originStart(reference["rel_inherit_from_rel_id"].asLong())) {
        fields.inheritedFromAttrId = EncodeID(*start, kind);
        fields.inheritFromParent = reference["rel_inherit_from_parent"].asBoolean();
    }
}

// The value of a system attribute read from the entity's own row (kinds 1 to 9 and 16).
Value plainSystemValue(const generic& entity, std::int32_t kind) {
    switch (kind) {
        case kName:
            return entity.Name();
        case kContact:
            return entity.Contact();
        case kID:
            return std::int64_t{EntityID(entity.ID())};
        case kEntityType:
            return std::int64_t{entity.Typ()};
        case kLastModified:
            entity.LastModified();  // a stamp that is no date is refused here
            return entity.LastModifiedText();
        case kDeleted:
            return boolean(entity.Deleted());
        case kPIFID:
            return entity.UniqueID();
        case kDecompCount:
            return std::int64_t{entity.DecompCount()};
        case kSpecCount:
            return std::int64_t{entity.SpecCount()};
        default:  // kACL
            return std::int64_t{entity.ACL()};
    }
}

// "kt_ManagingEntity": the end of the managed-by relation, and where it was inherited from.
void readManagingEntity(AttributeFields& fields, std::int32_t key) {
    const Recordset reference = firstReference(key, RelationType::IsManagedBy);
    if (reference.eof()) {
        return;
    }
    auto manager = std::make_shared<Entity>();
    manager->LoadFromID(EntityID(reference["rel_end_ent_id"].asLong()));
    fields.object = std::move(manager);
    if (reference["rel_inherit_from_rel_id"].asLong() != 0) {
        markInherited(fields, reference, kManagingEntity);
    }
}

// "kt_ResourceID": the end of the "Has Resource" relation, unless that relation is the
// entity's own.
void readResourceID(AttributeFields& fields, std::int32_t key) {
    const Recordset reference = firstReference(key, RelationType::HasResource);
    if (reference.eof()) {
        return;
    }
    fields.value = std::int64_t{EntityID(reference["rel_end_ent_id"].asLong())};
    if (reference["rel_id"].asLong() != reference["rel_inherit_from_rel_id"].asLong()) {
        markInherited(fields, reference, kResourceID);
    }
}

// "kt_ManagingEntities": the automatic decompositions in the context that end at an entity
// managing this one.
void readManagingEntities(AttributeFields& fields, std::int32_t key, std::int32_t contextKey) {
    Recordset rows = global_db().CreateSnapshot(
        "SELECT DISTINCT Relation.* FROM Relation, Relation AS Relation_1 WHERE "
        "Relation.rel_start_ent_id = ? AND Relation.rel_Type = ? AND "
        "Relation.rel_deleted = 0 AND Relation_1.rel_start_ent_id = ? AND "
        "Relation_1.rel_Type = ? AND Relation_1.rel_deleted = 0 AND "
        "Relation.rel_end_ent_id = Relation_1.rel_end_ent_id ORDER BY Relation.rel_id",
        contextKey, RelationType::AutomaticDecomposition, key, RelationType::IsManagedBy);
    auto relations = std::make_shared<ObjRelations>();
    relations->AddRows(rows);
    if (relations->empty()) {
        fields.dataType = "Relations Collection";
    }
    fields.object = std::move(relations);
}

// "kt_ManagingConnectors": the automatic connectors in the context drawn for this entity.
std::shared_ptr<ObjRelations> managingConnectors(std::int32_t key, std::int32_t contextKey) {
    Recordset rows = global_db().CreateSnapshot(
        "SELECT * FROM Relation WHERE rel_context_ent_id = ? AND rel_Type = ? AND "
        "rel_deleted = 0 AND rel_imb_context_ent_id = ? ORDER BY rel_id",
        contextKey, RelationType::AutomaticConnector, key);
    auto relations = std::make_shared<ObjRelations>();
    relations->AddRows(rows);
    return relations;
}

// The members' public IDs, from index 1.
std::vector<std::int32_t> memberIdsOf(const Entities& members) {
    std::vector<std::int32_t> ids(1, 0);
    for (const auto& member : members) {
        ids.push_back(EntityID(member->GetGeneric()->ID()));
    }
    return ids;
}

}  // namespace

std::int32_t ObjAttribute::key() const {
    return KeyOfID(fields_.id);
}

void ObjAttribute::LoadFromID(std::int32_t ID, std::int32_t MainContextID) {
    const std::int32_t kind = GetIDKind(ID);
    if (kind == kind_stored_attribute) {
        loadStoredAttribute(ID);
    } else if (IsSystemAttributeKind(kind)) {
        loadSystemAttribute(ID, MainContextID);
    } else {
        throw catalogueError(msg::NotAnAttributeID);
    }
}

void ObjAttribute::loadSystemAttribute(std::int32_t ID, std::int32_t MainContextID) {
    const std::int32_t kind = GetIDKind(ID);
    const std::int32_t key = KeyOfID(ID);
    generic entity;
    entity.Init(key);
    const SystemShape shape = shapeOf(kind);
    AttributeFields fields;
    fields.name = std::string(SystemAttributeName(kind));
    fields.dataType = std::string(shape.dataType);
    fields.inheritanceBehaviour = shape.behaviour;
    fields.id = ID;
    fields.ownerObjectId = EntityID(key);
    std::vector<std::int32_t> members(1, 0);
    const std::int32_t contextKey = KeyOfID(MainContextID);
    switch (kind) {
        case kBundles:
        case kActivities: {
            auto list = kind == kBundles ? entity.GetBundles() : entity.GetActivities();
            members = memberIdsOf(*list);
            if (auto self = weak_from_this().lock()) {
                list->BindOwner(self);
            }
            fields.object = std::move(list);
            break;
        }
        case kManagingEntity:
            readManagingEntity(fields, key);
            break;
        case kResourceID:
            readResourceID(fields, key);
            break;
        case kManagingEntities:
            readManagingEntities(fields, key, contextKey);
            break;
        case kManagingConnectors:
            fields.object = managingConnectors(key, contextKey);
            break;
        default:
            fields.value = plainSystemValue(entity, kind);
            break;
    }
    fields_ = std::move(fields);
    memberIds_ = std::move(members);
}

void ObjAttribute::loadStoredAttribute(std::int32_t ID) {
    const Recordset row = global_db().CreateSnapshot(
        "SELECT * FROM Attributes WHERE atri_id = ? AND atri_deleted = 0", KeyOfID(ID));
    if (row.eof()) {
        throw catalogueError(msg::AttributeNotPresent);
    }
    // Read whole before anything is kept, so a bad column leaves the object as it was.
    AttributeFields fields;
    fields.name = shownAttributeName(row["atri_name"].asText());
    fields.dataType = row["atri_data_type"].asText();
    fields.value = row["atri_value"].value();
    fields.inherited = row["atri_inherit"].asBoolean();
    fields.id = ID;
    fields.deleted = row["atri_deleted"].asBoolean();
    fields.ownerObjectId = EntityID(row["atri_ent_ref"].asLong());
    fields.inheritedFromAttrId = StoredAttributeID(row["atri_inherit_from_atri_id"].asLong());
    fields.inheritanceBehaviour = row["atri_inherit_behavior"].asInteger();
    fields.inheritFromParent = row["atri_inherit_from_parent"].asBoolean();
    fields.defaultValue = row["atri_default_value"].value();
    fields_ = std::move(fields);
    memberIds_.assign(1, 0);
}

void ObjAttribute::InitFromFields(const AttributeFields& fields) {
    const std::int32_t kind = GetIDKind(fields.id);
    if (kind != kind_stored_attribute && !IsSystemAttributeKind(kind)) {
        throw catalogueError(msg::NotAnAttributeID);
    }
    fields_ = fields;
}

void ObjAttribute::BindOwner(std::shared_ptr<generic> owner) {
    refuseChange();
    owner_ = std::move(owner);
}

void ObjAttribute::refuseChange() const {
    if (fields_.deleted) {
        throw catalogueError(msg::DeletedAttribute);
    }
}

generic& ObjAttribute::boundOwner() const {
    if (!owner_) {
        throw objectNotSet();
    }
    return *owner_;
}

void ObjAttribute::InsertNew(const std::string& attrName, std::int16_t inherit_type,
                             const kt::Value& attrValue,
                             std::optional<std::int32_t> inheritedFromKey, bool onlyIfAbsent) {
    generic& owner = boundOwner();
    if (onlyIfAbsent && owner.DBAttributeExists(attrName)) {
        return;
    }
    InsertRow(attrName, inherit_type, attrValue, inheritedFromKey);
    owner.StampLastModified();
    PropagateNewAttribute(*this, owner, inherit_type, KeyOfID(fields_.inheritedFromAttrId));
}

void ObjAttribute::InsertRow(const std::string& attrName, std::int16_t inherit_type,
                             const kt::Value& attrValue,
                             std::optional<std::int32_t> inheritedFromKey) {
    const generic& owner = boundOwner();
    const std::string text = variantText(attrValue);
    const std::int32_t newKey = NewAttributeID();
    const std::int32_t originKey = inheritedFromKey.value_or(newKey);
    global_db().Execute(
        "INSERT INTO Attributes (atri_id, atri_name, atri_inherit, atri_data_type, atri_value, "
        "atri_ent_ref, atri_inherit_from_atri_id, atri_class, atri_deleted, atri_default_value, "
        "atri_entity_value_id, atri_OLE_id, atri_inherit_from_parent, atri_inherit_behavior) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, 0, ?, ?, ?, 1, ?)",
        newKey, attrName, inheritedFromKey.has_value(), kUnspecifiedType, text, owner.ID(),
        originKey, kUnusedColumn, kNoDefault, kUnusedColumn, kUnusedColumn, inherit_type);
    AttributeFields fields;
    fields.name = attrName;
    fields.dataType = std::string(kUnspecifiedType);
    fields.value = attrValue;
    fields.inherited = inheritedFromKey.has_value();
    fields.id = StoredAttributeID(newKey);
    fields.ownerObjectId = EntityID(owner.ID());
    fields.inheritedFromAttrId = StoredAttributeID(originKey);
    fields.inheritanceBehaviour = inherit_type;
    fields.inheritFromParent = true;
    fields.defaultValue = std::string(kNoDefault);
    fields_ = std::move(fields);
}

}  // namespace kt
