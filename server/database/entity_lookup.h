#pragma once

#include <cstdint>
#include <string_view>

namespace kt {

class Database;

// The plain ent_id of the entity with this exact name (the text comparison ignores case),
// deleted or not; error 2 "This entity is not present in the database." when there is none.
std::int32_t entityIDByName(Database& database, std::string_view name);

// The same on the shared database object.
std::int32_t GetEntityIDByName(std::string_view name);

// The ent_id of the default parent of an entity type (DefaultParentName); error 2 for a type
// without one, as for a catalogue that lacks it.
std::int32_t GetDefaultParentID(int entityType);

}  // namespace kt
