#pragma once

#include <cstdint>
#include <vector>

#include "server/attributes/context_relation_copy.h"

namespace kt {

class ChangeArray;
class Entity;
class ObjRelations;

// Makes the specializations an edit of `ent` in the context `ContRels` needs. The path is
// checked first (error 25, or 37 for a managed activity below it, before anything is
// written). When no relation of the path is inherited, Changed becomes false and nothing is
// written. Otherwise every entity from the bottom of the path up to the end of its topmost
// inherited relation is specialized for the context with the ports that go with it, the
// relations of the context are copied onto the new entities, the inherited copies below the
// entity that holds the topmost inherited relation follow them, and Changed becomes true.
// ChanArr is reset first and then receives the (old, new) public IDs of every new entity, in
// creation order, followed by those of every copied relation. Runs inside the caller's
// transaction.
void SpecializeInContext(Entity& ent, const ObjRelations& ContRels, ChangeArray& ChanArr,
                         bool& Changed);

// Specializes each entity of `pathKeys` (a dependency also with the entities it manages that
// are not ports), then the ports of each that are not on the path or specialized already, and
// appends one mapping per new entity to `entityMap`. A new activity gets its own bundle
// "Default " + its name.
void CreateDefaultSpecialization(const std::vector<std::int32_t>& pathKeys,
                                 std::vector<ContextMapping>& entityMap);

}  // namespace kt
