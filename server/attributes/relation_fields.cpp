#include "server/attributes/relation_fields.h"

#include "server/database/object_id.h"
#include "server/database/recordset.h"

namespace kt {

RelationFields readRelationFields(const Recordset& row) {
    RelationFields fields;
    fields.name = row["rel_name"].asText();
    fields.type = row["rel_type"].asInteger();
    fields.startId = EntityID(row["rel_start_ent_id"].asLong());
    fields.endId = EntityID(row["rel_end_ent_id"].asLong());
    fields.inherited = row["rel_inherit"].asBoolean();
    fields.id = RelationID(row["rel_id"].asLong());
    fields.deleted = row["rel_deleted"].asBoolean();
    // Catalogues made before the managed-by markers had a context hold none for them.
    const Field context = row["rel_context_ent_id"];
    fields.contextId = context.isNull() ? 0 : EntityID(context.asLong());
    // Only an inherited relation names another; the column of any other is not read.
    fields.inheritedFromRelId =
        fields.inherited ? RelationID(row["rel_inherit_from_rel_id"].asLong()) : fields.id;
    fields.slotId = row["rel_slot_id"].asLong();
    fields.slotName = row["rel_slot_name"].asText();
    fields.contextPath = row["rel_context_path"].asText();
    fields.displayOrder = row["rel_display_order"].asLong();
    fields.endEntityType = row["rel_end_ent_type"].asLong();
    fields.uniqueId = row["rel_unique_id"].asText();
    fields.slotUniqueId = row["rel_slot_unique_id"].asText();
    return fields;
}

}  // namespace kt
