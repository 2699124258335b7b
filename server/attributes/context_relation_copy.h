#pragma once

#include <cstdint>
#include <vector>

namespace kt {

class generic;
class ObjRelations;

// How an entity came into the map of an edit in a context.
enum class ContextRole : std::int16_t {
    PathEntity = 0,  // an entity of the path that is not a port
    PathPort = 1,    // a port of the path, or a kept top entity that is a port
    OwnedPort = 2,   // a port taken in because it belongs to an entity of the map
};

// One entity of the edit: its plain key, the key of the entity that takes its place (the same
// for a kept entity) and its role.
struct ContextMapping {
    std::int32_t oldKey = 0;
    std::int32_t newKey = 0;
    ContextRole role = ContextRole::PathEntity;
};

// A relation and the copy made of it, as public IDs.
struct RelationMapping {
    std::int32_t oldID = 0;
    std::int32_t newID = 0;
};

// For every entity of `entityMap`, in order: copies the decomposition-type relations (1, 5, 8)
// that start at it and the connectors (2, 3) drawn in its context, their ends re-pointed
// through the map to the entities that take their places, drawn in its new entity. A
// decomposition to a replaced path entity moves: its source is soft-deleted. Relations of a
// kept entity with no end in the map are left alone. `relationMap` receives every source and
// its copy in creation order; `oldRels` and `newRels` receive, at the same positions, the
// sources of kept entities that were copied and their copies. Runs inside the caller's
// transaction; errors pass.
void CopyContextRelations(const std::vector<ContextMapping>& entityMap,
                          std::vector<RelationMapping>& relationMap, ObjRelations& oldRels,
                          ObjRelations& newRels);

// Re-points, in every live specialization below `kept` at any depth (each once), the
// decompositions and connectors drawn there that copy a relation of `oldRels`: they follow
// its copy at the same position of `newRels`.
void RedirectInheritedRelations(const ObjRelations& oldRels, const ObjRelations& newRels,
                                const generic& kept);

}  // namespace kt
