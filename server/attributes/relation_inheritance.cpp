#include "server/attributes/relation_inheritance.h"

#include <cstdint>

#include "server/attributes/new_relation.h"
#include "server/attributes/obj_relation.h"
#include "server/database/db.h"
#include "server/database/key_allocation.h"
#include "server/database/object_id.h"
#include "server/database/type_codes.h"
#include "server/entities/generic.h"
#include "server/entities/obj_relations.h"
#include "server/entities/relation_direction.h"

namespace kt {

namespace {

constexpr std::int16_t kAnyType = 0;
constexpr std::int16_t kByValue = 2;
constexpr std::int16_t kDefaultAsValue = 3;
constexpr std::int16_t kDefaultOnly = 4;

// Connectors and the relations drawn in a context belong to the context they are drawn in:
// they reach a specialization as connectors of its parent, never as relations of their start.
bool drawnInContext(std::int16_t type) {
    switch (type) {
        case 2:
        case 3:
        case 17:
        case 18:
        case 19:
            return true;
        default:
            return false;
    }
}

NewRelation copyOf(const ObjRelation& source, const generic& specialization,
                   const generic& parent) {
    NewRelation row = inheritedCopyRow(source);
    row.contact = parent.Contact();
    row.contextKey = specialization.ID();
    return row;
}

}  // namespace

NewRelation inheritedCopyRow(const ObjRelation& source) {
    NewRelation row;
    row.endKey = KeyOfID(source.EndID());
    row.inherited = true;
    row.inheritedFromKey = KeyOfID(source.InheritedFromRelID());
    row.type = source.RelationType();
    row.name = source.Name();
    row.slotId = source.SlotID();
    row.slotName = source.SlotName();
    row.contextPath = source.ContextPath();
    row.endEntityType = source.EndEntityType();
    row.slotUniqueId = source.SlotUniqueID();
    return row;
}

void InheritRelations(const generic& specialization, const generic& parent) {
    ObjRelation copy;
    const auto outgoing = parent.GetRelations(kAnyType, from_start);
    for (const auto& relation : *outgoing) {
        if (drawnInContext(relation->RelationType())) {
            continue;
        }
        NewRelation row = copyOf(*relation, specialization, parent);
        row.startKey = specialization.ID();
        row.displayOrder = relation->DisplayOrder();
        row.key = NewRelationID();
        copy.InsertNew(row);
        CopyRelationAttributes(*relation, copy);
    }
    const auto connectors = parent.GetContextConnectors(true);
    for (const auto& connector : *connectors) {
        NewRelation row = copyOf(*connector, specialization, parent);
        row.startKey = KeyOfID(connector->StartID());
        row.key = NewRelationID();
        copy.InsertNew(row);
        CopyRelationAttributes(*connector, copy);
    }
}

void CopyRelationAttributes(const ObjRelation& source, const ObjRelation& target) {
    Recordset attributes = global_db().CreateSnapshot(
        "SELECT atri_name, atri_data_type, atri_value, atri_default_value, "
        "atri_inherit_from_atri_id, atri_inherit_behavior FROM RelationAttributes "
        "WHERE atri_ent_ref = ? AND atri_deleted = 0 AND atri_inherit_behavior IN (?, ?, ?) "
        "ORDER BY atri_id",
        source.ID(), kByValue, kDefaultAsValue, kDefaultOnly);
    for (; !attributes.eof(); attributes.moveNext()) {
        const std::int16_t behaviour = attributes["atri_inherit_behavior"].asInteger();
        const Value defaultValue = attributes["atri_default_value"].value();
        Value value;
        switch (behaviour) {
            case kByValue:
                value = attributes["atri_value"].value();
                break;
            case kDefaultAsValue:
                value = defaultValue;
                break;
            default:
                value = std::string();
                break;
        }
        global_db().Execute(
            "INSERT INTO RelationAttributes (atri_id, atri_name, atri_inherit, atri_data_type, "
            "atri_value, atri_ent_ref, atri_inherit_from_atri_id, atri_class, atri_deleted, "
            "atri_default_value, atri_entity_value_id, atri_OLE_id, atri_inherit_from_parent, "
            "atri_inherit_behavior) VALUES (?, ?, 1, ?, ?, ?, ?, -1, 0, ?, -1, -1, 1, ?)",
            NewRelAttributeID(), attributes["atri_name"].value(),
            attributes["atri_data_type"].value(), value, target.ID(),
            attributes["atri_inherit_from_atri_id"].value(), defaultValue, behaviour);
    }
}

}  // namespace kt
