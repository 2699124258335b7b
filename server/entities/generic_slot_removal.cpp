// The worker's removal of a relation together with its repetitions in the specializations.
#include <cstddef>
#include <exception>
#include <string>
#include <unordered_set>
#include <vector>

#include "server/attributes/obj_relation.h"
#include "server/database/db.h"
#include "server/database/errors.h"
#include "server/database/key_allocation.h"
#include "server/database/object_id.h"
#include "server/database/transaction.h"
#include "server/database/type_codes.h"
#include "server/entities/generic.h"

namespace kt {

namespace {
// Raised as it stands, not offset: hosts test for this number.
constexpr std::int32_t kSlotRemovalFailed = 666;
}  // namespace

bool generic::DeleteRelation(const ObjRelation& relation) {
    return removeSlot(SlotColumn::Start, relation);
}

bool generic::RemoveConnectorSlot(const ObjRelation& relation) {
    return removeSlot(SlotColumn::Context, relation);
}

bool generic::RemoveNavRelation(const generic& parent) const {
    try {
        Database& database = global_db().database();
        Transaction operation(database);
        database.execute(
            "UPDATE Relation SET rel_deleted = 1 WHERE rel_end_ent_id = ? AND rel_start_ent_id = ? "
            "AND rel_Type = ? AND rel_deleted = 0",
            record_.id, parent.ID(), static_cast<std::int16_t>(RelationType::Navigation));
        const bool changed = database.changes() > 0;
        operation.commit();
        return changed;
    } catch (const std::exception& error) {
        throw plainError(kSlotRemovalFailed, "RemoveNavRelation", error.what());
    }
}

bool generic::removeSlot(SlotColumn column, const ObjRelation& relation) const {
    const bool byContext = column == SlotColumn::Context;
    try {
        Database& database = global_db().database();
        Transaction operation(database);
        // Relations without a slot of their own share slot 0 (or -1) with every other such
        // relation of the entity: only the relation itself and its copies may go.
        const bool ownSlot = relation.SlotID() >= kFirstSlotID;
        const std::int32_t origin = KeyOfID(relation.InheritedFromRelID());
        std::unordered_set<std::int32_t> visited;
        std::vector<std::int32_t> pending{record_.id};
        std::vector<std::int32_t> specializations;
        bool top = true;  // this entity, whose worker is at hand
        bool changed = false;
        for (; !pending.empty(); top = false) {
            const std::int32_t key = pending.back();
            pending.pop_back();
            if (!visited.insert(key).second) {
                continue;  // met again through a cycle or a second generalization
            }
            generic loaded;
            if (!top) {
                loaded.Init(key);
            }
            const generic& entity = top ? *this : loaded;
            if (ownSlot) {
                database.execute(byContext ? "UPDATE Relation SET rel_deleted = 1 WHERE "
                                             "rel_deleted = 0 AND rel_context_ent_id = ? AND "
                                             "rel_slot_id = ?"
                                           : "UPDATE Relation SET rel_deleted = 1 WHERE "
                                             "rel_deleted = 0 AND rel_start_ent_id = ? AND "
                                             "rel_slot_id = ?",
                                 key, relation.SlotID());
            } else if (top) {
                database.execute(
                    "UPDATE Relation SET rel_deleted = 1 WHERE rel_deleted = 0 AND rel_id = ?",
                    KeyOfID(relation.ID()));
            } else if (byContext) {
                // Connectors repeated in a specialization are not marked inherited; their
                // context path, made of slots that the specialization shares, finds them.
                database.execute(
                    "UPDATE Relation SET rel_deleted = 1 WHERE rel_deleted = 0 AND "
                    "rel_context_ent_id = ? AND rel_slot_id = ? AND rel_Type = ? AND "
                    "((rel_inherit = 1 AND rel_inherit_from_rel_id = ?) OR rel_context_path = ?)",
                    key, relation.SlotID(), relation.RelationType(), origin,
                    relation.ContextPath());
            } else {
                database.execute(
                    "UPDATE Relation SET rel_deleted = 1 WHERE rel_deleted = 0 AND "
                    "rel_start_ent_id = ? AND rel_slot_id = ? AND rel_Type = ? AND "
                    "rel_inherit = 1 AND rel_inherit_from_rel_id = ?",
                    key, relation.SlotID(), relation.RelationType(), origin);
            }
            // Rows already deleted are left alone, so that only a real change counts.
            changed = changed || database.changes() > 0;
            entity.GetSpecIDs(specializations);
            // Last to first, so that the first specialization is walked first.
            for (std::size_t i = specializations.size(); i-- > 1;) {
                pending.push_back(specializations[i]);
            }
        }
        operation.commit();
        return changed;
    } catch (const std::exception& error) {
        throw plainError(kSlotRemovalFailed, byContext ? "RemoveSlot" : "DeleteRelation",
                         error.what());
    }
}

}  // namespace kt
