#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace kt {

// ent_type
enum class EntityType : std::int16_t {
    Thing = 0,
    Activity = 1,
    Bundle = 2,
    Port = 3,
    NavigationalNode = 4,
    Dependency = 5,
    Resource = 6,
    AttributeType = 7,
    EntityCollection = 8,
    UserGroup = 9,
    ExceptionGroup = 10,
};

// rel_Type; the entity model also uses codes from 16 on, which have no name row.
enum class RelationType : std::int16_t {
    Decomposition = 1,
    Connector = 2,
    AutomaticConnector = 3,
    Navigation = 4,
    IsManagedBy = 5,
    HasResource = 6,
    Membership = 7,
    AutomaticDecomposition = 8,
    HasException = 9,
    AnticipatesException = 10,
    AvoidsException = 11,
    DetectsException = 12,
    ResolvesException = 13,
    PerformedBy = 14,
    PerformedWhere = 15,
};

// spec_type
enum SpecializationType : std::int16_t {
    direct_specialization = 1,
    cache_specialization = 2,
};

// A row of Entity_Types or Relation_Types: the code (stored as text) and its name.
struct TypeName {
    std::int16_t code;
    std::string_view name;
};

// Every named entity type (1 to 10; the thing type 0 has no row) and relation type (1 to 15).
std::span<const TypeName> entityTypeNames();
std::span<const TypeName> relationTypeNames();

}  // namespace kt
