#pragma once

#include <cstdint>
#include <optional>

namespace kt {

// The entity that a relation belongs to: its start entity, or the context entity in whose
// decomposition it is drawn. Its slot, deletion and attribute changes are followed from there
// down the specializations.
enum class RelationAnchor { Start, Context };

// Start for decompositions (1), "Has Resource" (6), exception relations (9 to 13), performed
// by and performed where (14, 15) and the behaviour and cause relations (20, 21); Context for
// connectors (2, 3) and relations drawn in a context (17 to 19); nothing for any other type.
std::optional<RelationAnchor> anchorOf(std::int16_t relationType);

}  // namespace kt
