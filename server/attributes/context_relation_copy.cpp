#include "server/attributes/context_relation_copy.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>

#include "server/attributes/new_relation.h"
#include "server/attributes/obj_relation.h"
#include "server/database/db.h"
#include "server/database/key_allocation.h"
#include "server/database/object_id.h"
#include "server/database/type_codes.h"
#include "server/entities/generic.h"
#include "server/entities/obj_relations.h"
#include "server/entities/specialization_walk.h"

namespace kt {

namespace {

constexpr std::string_view kContextCopyContact = "Generated Automatically";
constexpr std::string_view kConnectorName = "Connector";

// The first entity of the map with this old key.
const ContextMapping* mappingOf(const std::vector<ContextMapping>& entityMap, std::int32_t key) {
    const auto found = std::ranges::find(entityMap, key, &ContextMapping::oldKey);
    return found == entityMap.end() ? nullptr : &*found;
}

// A copy of the row the recordset stands on, drawn in `context`, keeping what the source's
// type, slot and place say; ends, inheritance and name are the caller's.
NewRelation copyOf(const Recordset& source, std::int32_t context) {
    NewRelation copy;
    copy.contact = std::string(kContextCopyContact);
    copy.contextKey = context;
    copy.type = source["rel_Type"].asInteger();
    copy.slotId = source["rel_slot_id"].asLong();
    copy.slotName = source["rel_slot_name"].asText();
    copy.contextPath = source["rel_context_path"].asText();
    copy.displayOrder = source["rel_display_order"].asLong();
    copy.endEntityType = source["rel_end_ent_type"].asLong();
    copy.inheritedFromKey = source["rel_inherit_from_rel_id"].asLong();
    copy.name = source["rel_name"].asText();
    return copy;
}

class ContextCopier {
public:
    ContextCopier(const std::vector<ContextMapping>& entityMap,
                  std::vector<RelationMapping>& relationMap, ObjRelations& oldRels,
                  ObjRelations& newRels)
        : entityMap_(entityMap), relationMap_(relationMap), oldRels_(oldRels), newRels_(newRels) {}

    void copyDecompositions(const ContextMapping& owner) {
        // Equalities rather than an IN list: a list of three values makes the engine build a
        // temporary table for every run.
        Recordset rows = global_db().CreateSnapshot(
            "SELECT * FROM Relation WHERE rel_start_ent_id = ?1 AND rel_deleted = 0 AND (rel_Type "
            "= ?2 OR rel_Type = ?3 OR rel_Type = ?4) ORDER BY rel_id",
            owner.oldKey, RelationType::Decomposition, RelationType::IsManagedBy,
            RelationType::AutomaticDecomposition);
        const bool replaced = owner.newKey != owner.oldKey;
        for (; !rows.eof(); rows.moveNext()) {
            const ContextMapping* end = mappingOf(entityMap_, rows["rel_end_ent_id"].asLong());
            if (!end && !replaced) {
                continue;
            }
            NewRelation copy = copyOf(rows, owner.newKey);
            copy.startKey = owner.newKey;
            copy.endKey = end ? end->newKey : rows["rel_end_ent_id"].asLong();
            // A decomposition to a replaced path entity moves to its replacement; the others
            // stay copies of what their sources copy.
            copy.inherited = !end || end->role == ContextRole::PathPort;
            const bool moves = end && end->role == ContextRole::PathEntity;
            const RelationMapping made = insert(rows, copy, moves);
            if (moves) {
                global_db().Execute(
                    "UPDATE Relation SET rel_deleted = 1 WHERE rel_id = ? AND rel_deleted = 0",
                    rows["rel_id"].asLong());
            }
            if (end && !replaced) {
                pair(made);
            }
        }
    }

    void copyConnectors(const ContextMapping& owner) {
        Recordset rows = global_db().CreateSnapshot(
            "SELECT * FROM Relation WHERE rel_context_ent_id = ? AND rel_deleted = 0 AND rel_Type "
            "IN (?, ?) ORDER BY rel_id",
            owner.oldKey, RelationType::Connector, RelationType::AutomaticConnector);
        const bool replaced = owner.newKey != owner.oldKey;
        for (; !rows.eof(); rows.moveNext()) {
            const ContextMapping* start = mappingOf(entityMap_, rows["rel_start_ent_id"].asLong());
            const ContextMapping* end = mappingOf(entityMap_, rows["rel_end_ent_id"].asLong());
            if (!start && !end && !replaced) {
                continue;
            }
            NewRelation copy = copyOf(rows, owner.newKey);
            copy.startKey = start ? start->newKey : rows["rel_start_ent_id"].asLong();
            copy.endKey = end ? end->newKey : rows["rel_end_ent_id"].asLong();
            copy.name = std::string(kConnectorName);
            const RelationMapping made = insert(rows, copy, false);
            if ((start || end) && !replaced) {
                pair(made);
            }
        }
    }

private:
    RelationMapping insert(const Recordset& source, NewRelation& copy, bool ownOrigin) {
        copy.key = NewRelationID();
        if (ownOrigin) {
            copy.inheritedFromKey = copy.key;
        }
        ObjRelation made;
        made.InsertNew(copy);
        const RelationMapping mapping{RelationID(source["rel_id"].asLong()), made.ID()};
        relationMap_.push_back(mapping);
        return mapping;
    }

    void pair(const RelationMapping& made) {
        oldRels_.AddByID(made.oldID);
        newRels_.AddByID(made.newID);
    }

    const std::vector<ContextMapping>& entityMap_;
    std::vector<RelationMapping>& relationMap_;
    ObjRelations& oldRels_;
    ObjRelations& newRels_;
};

}  // namespace

void CopyContextRelations(const std::vector<ContextMapping>& entityMap,
                          std::vector<RelationMapping>& relationMap, ObjRelations& oldRels,
                          ObjRelations& newRels) {
    relationMap.clear();
    ContextCopier copier(entityMap, relationMap, oldRels, newRels);
    for (const ContextMapping& owner : entityMap) {
        copier.copyDecompositions(owner);
        copier.copyConnectors(owner);
    }
}

void RedirectInheritedRelations(const ObjRelations& oldRels, const ObjRelations& newRels,
                                const generic& kept) {
    forEachLiveSpecialization(kept, [&](const generic& specialization) {
        const auto drawn = specialization.GetDecomposition();
        for (const auto& relation : *drawn) {
            const auto found =
                std::ranges::find(oldRels, relation->InheritedFromRelID(),
                                  [](const auto& old) { return old->InheritedFromRelID(); });
            if (found == oldRels.end()) {
                continue;
            }
            const ObjRelation& before = **found;
            const ObjRelation& after = **(newRels.begin() + (found - oldRels.begin()));
            const std::int16_t type = relation->RelationType();
            const bool connector =
                type == static_cast<std::int16_t>(RelationType::Connector) ||
                type == static_cast<std::int16_t>(RelationType::AutomaticConnector);
            const bool decomposition =
                type == static_cast<std::int16_t>(RelationType::Decomposition) ||
                type == static_cast<std::int16_t>(RelationType::AutomaticDecomposition);
            if (connector && before.EndID() == after.EndID()) {
                global_db().Execute(
                    "UPDATE Relation SET rel_start_ent_id = ?, rel_inherit_from_rel_id = ? WHERE "
                    "rel_id = ?",
                    KeyOfID(after.StartID()), KeyOfID(after.InheritedFromRelID()),
                    KeyOfID(relation->ID()));
            } else if (connector || decomposition) {
                global_db().Execute(
                    "UPDATE Relation SET rel_end_ent_id = ?, rel_inherit_from_rel_id = ? WHERE "
                    "rel_id = ?",
                    KeyOfID(after.EndID()), KeyOfID(after.InheritedFromRelID()),
                    KeyOfID(relation->ID()));
            }
        }
        return true;
    });
}

}  // namespace kt
