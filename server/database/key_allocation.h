#pragma once

#include <cstdint>

namespace kt {

class Database;

// The key columns that take MAX + 1 for a new row.
enum class KeyColumn {
    Entity,             // Entity.ent_id
    Slot,               // Relation.rel_slot_id
    Specialization,     // Specialization.spec_id
    Relation,           // Relation.rel_id
    Attribute,          // Attributes.atri_id
    RelationAttribute,  // RelationAttributes.atri_id
};

// The column's largest value plus one, deleted rows included; 0 in an empty table. Take each
// key right before the insert that uses it, inside a writing Transaction: the write lock is
// what keeps another process from drawing the same key. Called outside one it throws
// std::logic_error.
std::int32_t NextKey(Database& database, KeyColumn column);

// Slot numbers that a relation of its own slot can hold start here.
inline constexpr std::int32_t kFirstSlotID = 1;

// The same on the shared database object; a new slot number is never below kFirstSlotID.
std::int32_t NewEntityID();
std::int32_t NewSlotID();
std::int32_t NewSpecID();
std::int32_t NewRelationID();
std::int32_t NewAttributeID();
std::int32_t NewRelAttributeID();

}  // namespace kt
