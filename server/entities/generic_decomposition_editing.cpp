// The worker's side of decomposition editing: taking a child out of a slot, and putting a new
// child in the slot of an old one, followed down the specializations by the slot unique ID.
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "server/attributes/obj_rel_attribute.h"
#include "server/attributes/obj_relation.h"
#include "server/attributes/relation_fields.h"
#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "server/database/transaction.h"
#include "server/database/type_codes.h"
#include "server/entities/entities.h"
#include "server/entities/generic.h"
#include "server/entities/obj_rel_attributes.h"
#include "server/entities/obj_relations.h"
#include "server/entities/slot_path.h"
#include "server/entities/specialization_walk.h"

namespace kt {

namespace {

// Raised as it stands, not offset: hosts test for this number.
constexpr std::int32_t kDecompositionEditFailed = 666;
constexpr std::int16_t kDecomposition = static_cast<std::int16_t>(RelationType::Decomposition);

// Soft-deletes the child's relation (or, with wholeSlot, every relation) of the slot under
// `parent`; the number of rows it took.
int removeFromSlot(const generic& child, const generic& parent, const std::string& slotUniqueId,
                   bool wholeSlot) {
    Database& database = global_db().database();
    if (wholeSlot) {
        database.execute(
            "UPDATE Relation SET rel_deleted = 1 WHERE rel_start_ent_id = ? AND rel_Type = ? AND "
            "rel_slot_unique_id = ? AND rel_deleted = 0",
            parent.ID(), kDecomposition, slotUniqueId);
    } else {
        database.execute(
            "UPDATE Relation SET rel_deleted = 1 WHERE rel_end_ent_id = ? AND rel_start_ent_id = "
            "? AND rel_Type = ? AND rel_slot_unique_id = ? AND rel_deleted = 0",
            child.ID(), parent.ID(), kDecomposition, slotUniqueId);
    }
    return database.changes();
}

// The keys of the ports below `key`, through ports only, each once; deleted ones count too, so
// that a deleted child's connectors are found.
std::unordered_set<std::int32_t> portsBelow(std::int32_t key) {
    std::unordered_set<std::int32_t> ports;
    std::vector<std::int32_t> pending{key};
    while (!pending.empty()) {
        Recordset rows = global_db().CreateSnapshot(
            "SELECT Relation.rel_end_ent_id FROM Relation JOIN Entity ON Entity.ent_id = "
            "Relation.rel_end_ent_id WHERE Relation.rel_start_ent_id = ? AND Relation.rel_Type IN "
            "(1, 8) AND Relation.rel_deleted = 0 AND Entity.ent_type = ?",
            pending.back(), EntityType::Port);
        pending.pop_back();
        for (; !rows.eof(); rows.moveNext()) {
            const std::int32_t port = rows["rel_end_ent_id"].asLong();
            if (ports.insert(port).second) {
                pending.push_back(port);
            }
        }
    }
    return ports;
}

// The connectors of the child's ports drawn in `parent` whose context path passes through
// `slot` go with the child.
void removeConnectorsThrough(const generic& child, generic& parent, std::int32_t slot) {
    const auto ports = portsBelow(child.ID());
    if (ports.empty()) {
        return;
    }
    const auto connectors = parent.GetContextConnectors(false);
    for (const auto& connector : *connectors) {
        const bool ofChild = ports.contains(KeyOfID(connector->StartID())) ||
                             ports.contains(KeyOfID(connector->EndID()));
        if (ofChild && contextPathHasSlot(connector->ContextPath(), slot)) {
            parent.RemoveConnectorSlot(*connector);
        }
    }
}

// The relations drawn in `parent` between its children (17 to 19) that end (start) at the old
// child through `slot` move to the new child.
void redirectRelationsInContext(const generic& parent, const generic& oldChild,
                                const generic& newChild, std::int32_t slot) {
    const std::string slotText = std::to_string(slot);
    Recordset rows = global_db().CreateSnapshot(
        "SELECT rel_id, rel_start_ent_id, rel_end_ent_id, rel_context_path FROM Relation WHERE "
        "rel_context_ent_id = ? AND (rel_end_ent_id = ?2 OR rel_start_ent_id = ?2) AND rel_Type "
        "IN (17, 18, 19) AND rel_deleted = 0 ORDER BY rel_id",
        parent.ID(), oldChild.ID());
    for (; !rows.eof(); rows.moveNext()) {
        const std::string path = rows["rel_context_path"].asText();
        const std::int32_t key = rows["rel_id"].asLong();
        if (rows["rel_end_ent_id"].asLong() == oldChild.ID()) {
            if (endSlotPart(path) == slotText) {
                global_db().Execute("UPDATE Relation SET rel_end_ent_id = ? WHERE rel_id = ?",
                                    newChild.ID(), key);
            }
        } else if (startSlotPart(path) == slotText) {
            global_db().Execute("UPDATE Relation SET rel_start_ent_id = ? WHERE rel_id = ?",
                                newChild.ID(), key);
        }
    }
}

// Puts `newChild` in the slot of the parent's relation to `oldChild`, then takes the old child
// out of it; the new relation.
std::shared_ptr<ObjRelation> replaceChild(generic& parent, std::int32_t relationID,
                                          const generic& oldChild, const generic& newChild,
                                          const std::string& UID, bool copyAttributes) {
    Transaction operation(global_db().database());
    Recordset row = global_db().CreateSnapshot(
        "SELECT * FROM Relation WHERE rel_id = ? AND rel_start_ent_id = ? AND rel_end_ent_id = ? "
        "AND rel_deleted = 0",
        KeyOfID(relationID), parent.ID(), oldChild.ID());
    if (row.eof()) {
        throw catalogueError(msg::RelationDoesNotExist);
    }
    auto old = std::make_shared<ObjRelation>();
    old->InitFromFields(readRelationFields(row));
    auto made = parent.AddDecomposition(newChild, old->SlotID(), old->DisplayOrder(), UID,
                                        old->SlotUniqueID());
    if (copyAttributes) {
        const auto attributes = old->GetAttributes();
        for (const auto& attribute : *attributes) {
            made->AddNewAttribute(attribute->Name(), attribute->Value());
        }
    }
    redirectRelationsInContext(parent, oldChild, newChild, old->SlotID());
    generic(oldChild).RemoveFromDecomp(parent, old->SlotID(), "", false, true);
    operation.commit();
    return made;
}

}  // namespace

bool generic::GetDecompRelBySlotUID(const generic& parent, const std::string& SlotUID,
                                    bool wholeSlot) const {
    const Recordset rows =
        wholeSlot ? global_db().CreateSnapshot(
                        "SELECT rel_id FROM Relation WHERE rel_start_ent_id = ? AND "
                        "rel_slot_unique_id = ? AND rel_deleted = 0",
                        parent.ID(), SlotUID)
                  : global_db().CreateSnapshot(
                        "SELECT rel_id FROM Relation WHERE rel_start_ent_id = ? AND "
                        "rel_end_ent_id = ? AND rel_slot_unique_id = ? AND rel_deleted = 0",
                        parent.ID(), record_.id, SlotUID);
    return !rows.eof();
}

bool generic::RemoveFromDecomp(const generic& parent, std::int32_t MySlot,
                               const std::string& SlotUID, bool delete_slot, bool keepConnectors) {
    try {
        // A deleted child may still leave its slots.
        if (!bound_ || !parent.isBound()) {
            throw catalogueError(msg::EntityNotPresent);
        }
        Transaction operation(global_db().database());
        std::string slotUniqueId = SlotUID;
        if (slotUniqueId.empty()) {
            const Recordset row = global_db().CreateSnapshot(
                "SELECT rel_slot_unique_id FROM Relation WHERE rel_end_ent_id = ? AND "
                "rel_start_ent_id = ? AND rel_Type = ? AND rel_slot_id = ? AND rel_deleted = 0 "
                "ORDER BY rel_id",
                record_.id, parent.ID(), kDecomposition, MySlot);
            if (row.eof()) {
                throw Error(kDecompositionEditFailed, "RemoveFromDecomp",
                            "RemoveFromDecomp: relation not found");
            }
            slotUniqueId = row["rel_slot_unique_id"].asText();
        }
        bool removed = false;
        const auto removeAt = [&](const generic& level) {
            if (!GetDecompRelBySlotUID(level, slotUniqueId, delete_slot)) {
                return false;  // replaced or gone here: this branch keeps what it has
            }
            const int taken = removeFromSlot(*this, level, slotUniqueId, delete_slot);
            removed = removed || taken > 0;
            generic counted = level;
            counted.UpdateDecompCount(-taken);
            if (!keepConnectors) {
                removeConnectorsThrough(*this, counted, MySlot);
            }
            return true;
        };
        if (removeAt(parent)) {
            forEachLiveSpecialization(parent, removeAt);
        }
        operation.commit();
        return removed;
    } catch (const Error& error) {
        if (error.number() == kDecompositionEditFailed) {
            throw;
        }
        throw Error(kDecompositionEditFailed, "RemoveFromDecomp", error.what());
    } catch (const std::exception& error) {
        throw Error(kDecompositionEditFailed, "RemoveFromDecomp", error.what());
    }
}

std::shared_ptr<ObjRelation> generic::ReplaceInDecomp(std::int32_t Decomp_Rel_ID,
                                                      const generic& child, const generic& newChild,
                                                      const std::string& UID) {
    refuseChange();
    return replaceChild(*this, Decomp_Rel_ID, child, newChild, UID, true);
}

bool generic::ReFineInDecomp(std::int32_t Decomp_Rel_ID, const generic& child,
                             const generic& newChild, const std::string& UID) {
    try {
        refuseChange();
        replaceChild(*this, Decomp_Rel_ID, child, newChild, UID, false);
        return true;
    } catch (const std::exception& error) {
        throw Error(kDecompositionEditFailed, "RefineInDecomp", error.what());
    }
}

}  // namespace kt
