#pragma once

#include "server/attributes/new_relation.h"

namespace kt {

class ObjRelation;
class generic;

// How a new specialization receives the relations of the entity it specializes. Both run
// inside the caller's writing transaction; errors pass.

// Gives `specialization` an inherited copy of every live relation that starts at `parent`
// (connectors and relations drawn in a context left out: 2, 3, 17, 18, 19), starting at the
// specialization and drawn there, and of every connector and relation drawn inside `parent`
// (same types), with its own ends, drawn in the specialization at display order 0. Each copy
// carries the parent's contact, the source's slot, slot name, slot unique ID, context path
// and end entity type, names the top of the source's chain as its origin, and receives the
// source's relation attributes (CopyRelationAttributes).
void InheritRelations(const generic& specialization, const generic& parent);

// A row for an inherited copy of `source`: its end, type, name, slot, slot name, slot unique
// ID, context path and end entity type, marked inherited from the top of the source's chain.
// Key, contact, start, context and display order are the caller's.
NewRelation inheritedCopyRow(const ObjRelation& source);

// Gives `target` a copy of each live attribute of `source` by its inheritance behaviour: 2
// with the source's value, 3 with its default as the value, 4 with an empty value; 1, 5 and
// any other code not at all. Each copy keeps name, data type, default and behaviour, is marked
// inherited, follows its origin, and names the source's origin.
void CopyRelationAttributes(const ObjRelation& source, const ObjRelation& target);

}  // namespace kt
