#pragma once

#include <cstdint>

#include "server/attributes/obj_relation.h"
#include "server/entities/collection.h"

namespace kt {

class Recordset;

// A list of relations, as entities and queries hand them out.
class ObjRelations : public Collection<ObjRelation> {
public:
    // Library-internal. Appends the relation of a relation ID, deleted or not; errors of the
    // load reach the caller and append nothing.
    void AddByID(std::int32_t ID);
    // Library-internal. Appends a relation made from a row already read.
    void AddFromFields(const RelationFields& fields);
    // Library-internal. Appends a relation for every row of a SELECT * FROM Relation, from
    // the current row to the end, in their order.
    void AddRows(Recordset& rows);
};

}  // namespace kt
