#include "server/attributes/relation_anchor.h"

namespace kt {

std::optional<RelationAnchor> anchorOf(std::int16_t relationType) {
    switch (relationType) {
        case 1:
        case 6:
        case 9:
        case 10:
        case 11:
        case 12:
        case 13:
        case 14:
        case 15:
        case 20:
        case 21:
            return RelationAnchor::Start;
        case 2:
        case 3:
        case 17:
        case 18:
        case 19:
            return RelationAnchor::Context;
        default:
            return std::nullopt;
    }
}

}  // namespace kt
