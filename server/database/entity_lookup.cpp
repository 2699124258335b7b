#include "server/database/entity_lookup.h"

#include "server/database/catalogue_messages.h"
#include "server/database/database.h"
#include "server/database/db.h"
#include "server/database/field.h"
#include "server/database/fixed_entities.h"

namespace kt {

std::int32_t entityIDByName(Database& database, std::string_view name) {
    const auto key = database.scalar(
        "SELECT ent_id FROM Entity WHERE ent_name = ? ORDER BY ent_id LIMIT 1", name);
    if (!key) {
        throw catalogueError(msg::EntityNotPresent);
    }
    return Field("ent_id", *key).asLong();
}

std::int32_t GetEntityIDByName(std::string_view name) {
    return entityIDByName(global_db().database(), name);
}

std::int32_t GetDefaultParentID(int entityType) {
    const std::string name = DefaultParentName(entityType);
    if (name.empty()) {
        throw catalogueError(msg::EntityNotPresent);
    }
    return GetEntityIDByName(name);
}

}  // namespace kt
