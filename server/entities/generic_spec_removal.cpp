// Taking an entity out of one of its generalizations, and deleting it when that was its last.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "server/attributes/obj_relation.h"
#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "server/database/time_stamp.h"
#include "server/database/transaction.h"
#include "server/database/type_codes.h"
#include "server/entities/entities.h"
#include "server/entities/entity.h"
#include "server/entities/generic.h"
#include "server/entities/obj_relations.h"

namespace kt {

namespace {

// Raised with its number as it stands, not offset like the numbered catalogue errors.
constexpr std::int32_t kSpecRemovalFailed = 666;
constexpr std::string_view kSpecRemovalSource = "RemoveFromSpec";

// The first live link from `parent` to `child` (of `type`, when given).
std::optional<std::int32_t> firstLink(std::int32_t parent, std::int32_t child,
                                      std::optional<std::int16_t> type = std::nullopt) {
    const Recordset rows =
        type ? global_db().CreateSnapshot(
                   "SELECT spec_id FROM Specialization WHERE spec_parent_ent_id = ? AND "
                   "spec_child_ent_id = ? AND spec_type = ? AND spec_deleted = 0 ORDER BY spec_id "
                   "LIMIT 1",
                   parent, child, *type)
             : global_db().CreateSnapshot(
                   "SELECT spec_id FROM Specialization WHERE spec_parent_ent_id = ? AND "
                   "spec_child_ent_id = ? AND spec_deleted = 0 ORDER BY spec_id LIMIT 1",
                   parent, child);
    if (rows.eof()) {
        return std::nullopt;
    }
    return rows["spec_id"].asLong();
}

void unlink(std::int32_t specId) {
    global_db().Execute("UPDATE Specialization SET spec_deleted = 1 WHERE spec_id = ?", specId);
}

bool contains(const std::vector<std::int32_t>& keys, std::int32_t key) {
    // Element 0 is not a key.
    for (std::size_t i = 1; i < keys.size(); ++i) {
        if (keys[i] == key) {
            return true;
        }
    }
    return false;
}

// The first decomposition relation in `slot` among those of the generalizations, in order.
std::shared_ptr<ObjRelation> slotFilledBy(const std::vector<std::int32_t>& generalizations,
                                          std::int32_t slot) {
    for (std::size_t i = 1; i < generalizations.size(); ++i) {
        const auto relations = workerFor(generalizations[i])->GetDecompRelations();
        for (const auto& relation : *relations) {
            if (relation->SlotID() == slot) {
                return relation;
            }
        }
    }
    return nullptr;
}

// Marks deleted the live relations at `key` in one column and recounts the entity at the other
// end of each.
void dropRelations(std::int32_t key, bool startingHere) {
    Recordset rows = global_db().CreateSnapshot(
        startingHere ? "SELECT rel_id, rel_end_ent_id AS other FROM Relation WHERE "
                       "rel_start_ent_id = ? AND rel_deleted = 0 ORDER BY rel_id"
                     : "SELECT rel_id, rel_start_ent_id AS other FROM Relation WHERE "
                       "rel_end_ent_id = ? AND rel_deleted = 0 ORDER BY rel_id",
        key);
    for (; !rows.eof(); rows.moveNext()) {
        const auto other = workerFor(rows["other"].asLong());
        global_db().Execute("UPDATE Relation SET rel_deleted = 1 WHERE rel_id = ?",
                            rows["rel_id"].asLong());
        other->UpdateCachedCounts();
    }
}

}  // namespace

std::shared_ptr<generic> generic::GetParentBundleForActivity(const generic& ParentActivity,
                                                             bool Quiet, bool& Found) const {
    // The live bundle links into this activity whose bundle the given activity holds.
    Recordset rows = global_db().CreateSnapshot(
        "SELECT DISTINCT inner_link.spec_parent_ent_id FROM Specialization AS inner_link, "
        "Specialization AS outer_link WHERE inner_link.spec_child_ent_id = ? AND "
        "inner_link.spec_type = ? AND inner_link.spec_deleted = 0 AND "
        "outer_link.spec_parent_ent_id = ? AND outer_link.spec_child_ent_id = "
        "inner_link.spec_parent_ent_id ORDER BY inner_link.spec_id",
        record_.id, direct_specialization, ParentActivity.ID());
    for (; !rows.eof(); rows.moveNext()) {
        auto candidate = workerFor(rows["spec_parent_ent_id"].asLong());
        if (candidate->hasType(EntityType::Bundle)) {
            Found = true;
            return candidate;
        }
    }
    if (!Quiet) {
        throw catalogueError(msg::BundleNotFound);
    }
    Found = false;
    return nullptr;
}

bool generic::RemoveFromSpec(generic& ParentGen) {
    try {
        Transaction operation(global_db().database());
        std::unordered_set<std::int32_t> removed;
        const bool left = leaveGeneralization(ParentGen, removed);
        operation.commit();
        if (!removed.empty()) {
            Init(record_.id);  // the copy now reads deleted too
        }
        return left;
    } catch (const std::exception& error) {
        throw plainError(kSpecRemovalFailed, std::string(kSpecRemovalSource), error.what());
    }
}

bool generic::leaveGeneralization(generic& generalization,
                                  std::unordered_set<std::int32_t>& removed) {
    if (!bound_ || !generalization.isBound()) {
        throw catalogueError(msg::EntityNotPresent);
    }
    Init(record_.id);
    refuseChange();

    if (generalization.hasType(EntityType::Bundle) && hasType(EntityType::Activity)) {
        // The last link from the bundle, as a bundle may hold an activity more than once.
        Recordset links = global_db().CreateSnapshot(
            "SELECT spec_id FROM Specialization WHERE spec_child_ent_id = ? AND spec_type = ? "
            "AND spec_deleted = 0 AND spec_parent_ent_id = ? ORDER BY spec_id DESC LIMIT 1",
            record_.id, direct_specialization, generalization.ID());
        if (links.eof()) {
            return false;  // not a member: nothing to take it out of
        }
        generalization.UpdateSpecCount(-1);
        unlink(links["spec_id"].asLong());
        if (const auto activity = generalization.GetParentGenForBundle()) {
            if (const auto link = firstLink(activity->ID(), record_.id)) {
                activity->UpdateSpecCount(-1);
                unlink(*link);
            }
        }
    } else {
        std::vector<std::int32_t> generalizations;
        GetGenIDs(generalizations);
        if (!contains(generalizations, generalization.ID())) {
            throw plainError(kSpecRemovalFailed, std::string(kSpecRemovalSource),
                             record_.name + " is not a specialization of " + generalization.Name());
        }
        if (generalization.hasType(EntityType::Activity)) {
            bool found = false;
            const auto bundle = GetParentBundleForActivity(generalization, true, found);
            generalization.UpdateSpecCount(-1);
            if (found) {
                bundle->UpdateSpecCount(-1);
                global_db().Execute(
                    "UPDATE Specialization SET spec_deleted = 1 WHERE spec_parent_ent_id = ? AND "
                    "spec_child_ent_id = ? AND spec_deleted = 0",
                    bundle->ID(), record_.id);
            }
            if (const auto link = firstLink(generalization.ID(), record_.id,
                                            static_cast<std::int16_t>(cache_specialization))) {
                unlink(*link);
            }
        } else if (const auto link = firstLink(generalization.ID(), record_.id)) {
            unlink(*link);
            generalization.UpdateSpecCount(-1);
        }
    }

    std::vector<std::int32_t> remaining;
    GetGenIDs(remaining);
    if (remaining.size() <= 1) {
        removeFromHierarchy(generalization, removed);
        return true;
    }
    // The slots the generalization filled follow another generalization that fills them;
    // the children of the others leave.
    const auto own = GetDecompRelations();
    const auto given = generalization.GetDecompRelations();
    for (const auto& inherited : *given) {
        const std::int32_t slot = inherited->SlotID();
        for (const auto& relation : *own) {
            if (relation->SlotID() != slot) {
                continue;
            }
            if (const auto source = slotFilledBy(remaining, slot)) {
                relation->SetInheritedFromRelID(source->ID());
                break;
            }
            workerFor(KeyOfID(relation->EndID()))->RemoveFromDecomp(*this, slot, "", false, false);
        }
    }
    return true;
}

void generic::removeFromHierarchy(const generic& generalization,
                                  std::unordered_set<std::int32_t>& removed) {
    removed.insert(record_.id);
    // What hangs below is read before anything changes.
    std::vector<std::int32_t> bundles;
    if (generalization.hasType(EntityType::Activity) && hasType(EntityType::Activity)) {
        const auto owned = GetBundles();
        for (const auto& bundle : *owned) {
            bundles.push_back(bundle->GetGeneric()->ID());
        }
    }
    std::vector<std::int32_t> specializations;
    GetSpecIDs(specializations);

    for (const std::int32_t bundle : bundles) {
        global_db().Execute("UPDATE Relation SET rel_deleted = 1 WHERE rel_end_ent_id = ?", bundle);
        global_db().Execute("UPDATE Relation SET rel_deleted = 1 WHERE rel_start_ent_id = ?",
                            bundle);
        global_db().Execute(
            "UPDATE Entity SET ent_deleted = 1, ent_last_modified = ? WHERE ent_id = ?",
            TimeStamp::now().lastModified(), bundle);
    }
    for (std::size_t i = 1; i < specializations.size(); ++i) {
        if (removed.contains(specializations[i])) {
            continue;
        }
        const auto specialization = workerFor(specializations[i]);
        if (!specialization->Deleted()) {
            specialization->leaveGeneralization(*this, removed);
        }
    }
    dropRelations(record_.id, false);
    dropRelations(record_.id, true);
    // The row goes last: the specializations above read this entity's decomposition as they
    // leave it, and its readers refuse a deleted entity.
    global_db().Execute("UPDATE Entity SET ent_deleted = 1, ent_last_modified = ? WHERE ent_id = ?",
                        TimeStamp::now().lastModified(), record_.id);
}

}  // namespace kt
