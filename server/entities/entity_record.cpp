#include "server/entities/entity_record.h"

#include "server/database/recordset.h"

namespace kt {

EntityRecord readEntityRecord(const Recordset& row) {
    EntityRecord record;
    record.id = row["ent_id"].asLong();
    record.name = row["ent_name"].asText();
    record.contact = row["ent_contact"].asText();
    record.deleted = row["ent_deleted"].asBoolean();
    record.uniqueId = row["ent_unique_id"].asText();
    record.lastModified = row["ent_last_modified"].asText();
    record.type = row["ent_type"].asInteger();
    record.specCount = row["ent_cache_spec_count"].asLong();
    record.decompCount = row["ent_cache_decomp_count"].asLong();
    record.bundleCount = row["ent_cache_bundle_count"].asLong();
    const Field acl = row["ent_acl"];
    record.acl = acl.isNull() ? 0 : acl.asLong();
    return record;
}

}  // namespace kt
