#pragma once

#include <cstdint>

namespace kt {

// Which column of a relation must hold the entity's key in GetRelations and GetSlotRelations.
enum RelationDirection : std::int16_t {
    either_end = 0,  // rel_start_ent_id or rel_end_ent_id
    from_start = 1,  // rel_start_ent_id
    to_end = 2,      // rel_end_ent_id
    in_context = 3,  // rel_context_ent_id
};

}  // namespace kt
