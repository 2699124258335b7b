#include "server/entities/obj_relations.h"

#include <memory>

#include "server/database/recordset.h"

namespace kt {

void ObjRelations::AddByID(std::int32_t ID) {
    auto relation = std::make_shared<ObjRelation>();
    relation->LoadFromID(ID);
    AddItem(std::move(relation));
}

void ObjRelations::AddFromFields(const RelationFields& fields) {
    auto relation = std::make_shared<ObjRelation>();
    relation->InitFromFields(fields);
    AddItem(std::move(relation));
}

void ObjRelations::AddRows(Recordset& rows) {
    for (; !rows.eof(); rows.moveNext()) {
        AddFromFields(readRelationFields(rows));
    }
}

}  // namespace kt
