#include "server/attributes/resource_reference.h"

#include <string>
#include <string_view>

#include "server/attributes/new_relation.h"
#include "server/attributes/obj_relation.h"
#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/errors.h"
#include "server/database/field.h"
#include "server/database/key_allocation.h"
#include "server/database/object_id.h"
#include "server/database/type_codes.h"
#include "server/entities/generic.h"

namespace kt {

namespace {
constexpr std::string_view kHasResource = "Has Resource";
}  // namespace

std::int32_t checkedResourceKey(const Value& value) {
    std::int32_t id = 0;
    try {
        id = Field("value", value).asLong();
    } catch (const Error&) {
        throw catalogueError(msg::InvalidAttributeValue);
    }
    if (GetIDKind(id) != kind_entity) {
        throw catalogueError(msg::NotAnEntityID);
    }
    generic resource;
    try {
        resource.Init(KeyOfID(id));
    } catch (const Error&) {
        throw catalogueError(msg::InvalidAttributeValue);
    }
    if (!resource.hasType(EntityType::Resource)) {
        throw catalogueError(msg::InvalidAttributeValue);
    }
    return resource.ID();
}

NewRelation referenceRow(const generic& owner, std::int32_t endKey, RelationType type,
                         std::string_view name) {
    NewRelation row;
    row.key = NewRelationID();
    row.contact = owner.Contact();
    row.startKey = owner.ID();
    row.endKey = endKey;
    row.inheritedFromKey = row.key;
    row.type = static_cast<std::int16_t>(type);
    row.name = std::string(name);
    row.contextKey = owner.ID();
    return row;
}

void referResource(generic& dependency, std::int32_t resourceKey) {
    const Recordset existing = global_db().CreateSnapshot(
        "SELECT rel_id FROM Relation WHERE rel_start_ent_id = ? AND rel_Type = ? AND "
        "rel_deleted = 0 ORDER BY rel_id LIMIT 1",
        dependency.ID(), RelationType::HasResource);
    if (existing.eof()) {
        ObjRelation relation;
        relation.InsertNew(
            referenceRow(dependency, resourceKey, RelationType::HasResource, kHasResource));
    } else {
        global_db().Execute("UPDATE Relation SET rel_end_ent_id = ? WHERE rel_id = ?", resourceKey,
                            existing["rel_id"].asLong());
    }
    dependency.StampLastModified();
}

}  // namespace kt
