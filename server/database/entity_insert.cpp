#include "server/database/entity_insert.h"

#include "server/database/database.h"
#include "server/database/key_allocation.h"

namespace kt {

std::int32_t insertEntity(Database& database, const NewEntity& entity) {
    const std::int32_t key = NextKey(database, KeyColumn::Entity);
    database.execute(
        "INSERT INTO Entity (ent_id, ent_name, ent_contact, ent_is_bundle, ent_last_modified, "
        "ent_deleted, ent_type, ent_unique_id, ent_acl, ent_cache_spec_count, "
        "ent_cache_bundle_count, ent_cache_decomp_count) "
        "VALUES (?, ?, ?, ?, ?, 0, ?, ?, ?, ?, ?, ?)",
        key, entity.name, entity.contact, entity.isBundle, entity.stamp.lastModified(), entity.type,
        entity.pifId ? *entity.pifId : entity.stamp.pifId(key), entity.acl, entity.specCount,
        entity.bundleCount, entity.decompCount);
    return key;
}

}  // namespace kt
