#include "server/database/type_codes.h"

#include <array>

namespace kt {

namespace {
constexpr std::array<TypeName, 10> kEntityTypeNames{{
    {1, "activity"},
    {2, "bundle"},
    {3, "port"},
    {4, "navigational_node"},
    {5, "dependency"},
    {6, "resource"},
    {7, "attribute_type"},
    {8, "entity_collection"},
    {9, "user_group"},
    {10, "exception_group"},
}};

constexpr std::array<TypeName, 15> kRelationTypeNames{{
    {1, "decomposition_relation"},
    {2, "connector_relation"},
    {3, "automatic_connector_relation"},
    {4, "navigation_relation"},
    {5, "is_managed_by_relation"},
    {6, "has_resource_relation"},
    {7, "membership"},
    {8, "automatic_decomposition_relation"},
    {9, "has_exception"},
    {10, "anticipates_exception"},
    {11, "avoids_exception"},
    {12, "detects_exception"},
    {13, "resolves_exception"},
    {14, "performed_by"},
    {15, "performed_where"},
}};
}  // namespace

std::span<const TypeName> entityTypeNames() {
    return kEntityTypeNames;
}
std::span<const TypeName> relationTypeNames() {
    return kRelationTypeNames;
}

}  // namespace kt
