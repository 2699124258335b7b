#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "server/database/db.h"
#include "server/database/field.h"
#include "server/database/recordset.h"

namespace kt::test {

// The stored columns of one Relation row that the creators decide, read back as written.
struct StoredRelation {
    std::int32_t key = 0;
    std::string contact;
    std::int32_t start = 0;
    std::int32_t end = 0;
    bool inherited = false;
    std::int32_t inheritedFrom = 0;
    bool deleted = false;
    std::int16_t type = 0;
    std::string name;
    std::int32_t context = 0;
    std::int32_t slot = 0;
    std::string slotName;
    std::string contextPath;
    std::int32_t displayOrder = 0;
    std::int32_t endType = 0;
    std::string uniqueId;
    std::string slotUniqueId;
};

inline StoredRelation storedRelationOf(const Recordset& rows) {
    StoredRelation row;
    row.key = rows["rel_id"].asLong();
    row.contact = rows["rel_contact"].asText();
    row.start = rows["rel_start_ent_id"].asLong();
    row.end = rows["rel_end_ent_id"].asLong();
    row.inherited = rows["rel_inherit"].asBoolean();
    row.inheritedFrom = rows["rel_inherit_from_rel_id"].asLong();
    row.deleted = rows["rel_deleted"].asBoolean();
    row.type = rows["rel_Type"].asInteger();
    row.name = rows["rel_name"].asText();
    row.context = rows["rel_context_ent_id"].asLong();
    row.slot = rows["rel_slot_id"].asLong();
    row.slotName = rows["rel_slot_name"].asText();
    row.contextPath = rows["rel_context_path"].asText();
    row.displayOrder = rows["rel_display_order"].asLong();
    row.endType = rows["rel_end_ent_type"].asLong();
    row.uniqueId = rows["rel_unique_id"].asText();
    row.slotUniqueId = rows["rel_slot_unique_id"].asText();
    return row;
}

inline StoredRelation storedRelation(std::int32_t key) {
    const Recordset rows =
        global_db().CreateSnapshot("SELECT * FROM Relation WHERE rel_id = ?", key);
    return storedRelationOf(rows);
}

// The rows made after `afterKey`, in key order: what one call wrote.
inline std::vector<StoredRelation> storedRelationsAfter(std::int32_t afterKey) {
    Recordset rows = global_db().CreateSnapshot(
        "SELECT * FROM Relation WHERE rel_id > ? ORDER BY rel_id", afterKey);
    std::vector<StoredRelation> all;
    for (; !rows.eof(); rows.moveNext()) {
        all.push_back(storedRelationOf(rows));
    }
    return all;
}

// Everything in Relation and the cached counts of Entity, as one text, to show that a failed
// call changed nothing.
inline std::string catalogueState() {
    const auto text = [](const char* sql) {
        const auto value = global_db().database().scalar(sql);
        return value && !isNull(*value) ? Field("state", *value).asText() : std::string();
    };
    return text("SELECT group_concat(rel_id || '/' || rel_deleted, ' ') FROM Relation") + " | " +
           text("SELECT group_concat(ent_id || '/' || ent_cache_decomp_count, ' ') FROM Entity") +
           " | " + text("SELECT MAX(rel_slot_id) FROM Relation");
}

// Every row a change of the specialization hierarchy can touch, as one text: entities with
// their flags and cached counts, specialization links, relations and the attribute counts.
inline std::string hierarchyState() {
    const auto text = [](const char* sql) {
        const auto value = global_db().database().scalar(sql);
        return value && !isNull(*value) ? Field("state", *value).asText() : std::string();
    };
    return text(
               "SELECT group_concat(ent_id || '/' || ent_name || '/' || ent_deleted || '/' || "
               "ent_last_modified || '/' || ent_cache_spec_count || '/' || "
               "ent_cache_bundle_count || '/' || ent_cache_decomp_count, ' ') FROM Entity") +
           " | " +
           text(
               "SELECT group_concat(spec_id || '/' || spec_parent_ent_id || '/' || "
               "spec_child_ent_id || '/' || spec_type || '/' || spec_deleted, ' ') "
               "FROM Specialization") +
           " | " + text("SELECT group_concat(rel_id || '/' || rel_deleted, ' ') FROM Relation") +
           " | " + text("SELECT COUNT(*) FROM Attributes") + " | " +
           text("SELECT COUNT(*) FROM RelationAttributes");
}

}  // namespace kt::test
