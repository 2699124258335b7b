#pragma once

#include <string>

namespace kt {

class ObjRelation;
class generic;

// Each gives every live specialization below `owner`, at any depth, one inherited copy of
// `relation`, the relation just added to `owner`: it starts at the specialization and is drawn
// there, ends where the relation ends, and keeps its slot, slot name, slot unique ID, context
// path, display order and end entity type; it names the relation (or, for a relation that is
// itself a copy, the relation it was copied from) as its origin, and carries the contact
// "Automatically Generated" and a unique ID of its own. An entity met twice in the walk gets
// one copy. The callers run them inside their own transaction; errors pass.

// Copies of type 1 named "Decomposition Relation"; each specialization's cached
// decomposition count grows by one.
void PropagateDecomposition(const generic& owner, const ObjRelation& relation);
// Copies of the relation's own type and name.
void PropagateExceptionHandler(const generic& owner, const ObjRelation& relation);
// Copies of the relation's own type, named `name`.
void PropagateRelation(const generic& owner, const ObjRelation& relation, const std::string& name);
// Copies of type 9 named "Exception Relation".
void PropagateExceptionRelation(const generic& owner, const ObjRelation& relation);

}  // namespace kt
