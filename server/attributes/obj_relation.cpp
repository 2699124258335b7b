#include "server/attributes/obj_relation.h"

#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/object_id.h"

namespace kt {

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

}  // namespace kt
