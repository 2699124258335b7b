#include "server/attributes/relation_inheritance.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "server/attributes/new_relation.h"
#include "server/attributes/obj_relation.h"
#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/key_allocation.h"
#include "server/database/object_id.h"
#include "server/database/time_stamp.h"
#include "server/database/type_codes.h"
#include "server/entities/generic.h"
#include "server/entities/specialization_levels.h"

namespace kt {

namespace {

constexpr std::int16_t kByValue = 2;
constexpr std::int16_t kDefaultAsValue = 3;
constexpr std::int16_t kDefaultOnly = 4;

// Connectors and the relations drawn in a context belong to the context they are drawn in:
// they reach a specialization as connectors of its parent, never as relations of their start.
bool drawnInContext(std::int16_t type) {
    switch (type) {
        case 2:
        case 3:
        case 17:
        case 18:
        case 19:
            return true;
        default:
            return false;
    }
}

// The columns of a source relation that its copy reads.
constexpr std::string_view kSourceColumns =
    "rel_id, rel_Type, rel_start_ent_id, rel_end_ent_id, rel_inherit, rel_inherit_from_rel_id, "
    "rel_name, rel_slot_id, rel_slot_name, rel_context_path, rel_display_order, "
    "rel_end_ent_type, rel_slot_unique_id";

// Copies the relations `sources` (rows of kSourceColumns) into `specialization` under keys
// counted up from `key`, each drawn there: starting at the specialization with the source's
// display order when `startHere` (relations drawn in a context left out), else between the
// source's own ends at display order 0. A generated unique ID has the form ObjRelation::InsertNew
// gives it. The keys of the sources copied are added to `copied`.
void insertCopies(Recordset& sources, std::int32_t& key, bool startHere,
                  const generic& specialization, const generic& parent, const std::string& stamp,
                  std::vector<std::int32_t>& copied) {
    // One insert per copy: an INSERT that reads its own table makes the engine build and drop
    // a temporary table on every call.
    for (; !sources.eof(); sources.moveNext()) {
        if (startHere && drawnInContext(sources["rel_Type"].asInteger())) {
            continue;
        }
        const Value start = startHere ? Value(std::int64_t{specialization.ID()})
                                      : sources["rel_start_ent_id"].value();
        global_db().Execute(
            "INSERT INTO Relation (rel_id, rel_contact, rel_start_ent_id, rel_end_ent_id, "
            "rel_inherit, rel_inherit_from_rel_id, rel_deleted, rel_inherit_by_copy, rel_Type, "
            "rel_name, rel_inherit_from_parent, rel_context_ent_id, rel_suppressed, rel_slot_id, "
            "rel_slot_name, rel_context_path, rel_display_order, rel_end_ent_type, "
            "rel_imb_context_ent_id, rel_unique_id, rel_slot_unique_id) "
            "VALUES (?1, ?2, ?3, ?4, 1, CASE WHEN ?5 <> 0 THEN ?6 ELSE ?7 END, 0, 0, ?8, "
            "COALESCE(?9, ''), 0, ?10, 0, ?11, CASE WHEN COALESCE(?12, '') = '' THEN 'no slot' "
            "ELSE ?12 END, CASE WHEN COALESCE(?13, '') = '' THEN 'no path' ELSE ?13 END, "
            "CASE WHEN ?14 THEN ?15 ELSE 0 END, ?16, 0, ?17 || 'EI' || ?3 || 'RL' || "
            "(?1 * 100 + 80), CASE WHEN COALESCE(?18, '') = '' THEN ?17 || 'EI' || ?3 || 'SL' "
            "|| (?1 * 100 + 80) ELSE ?18 END)",
            key++, parent.Contact(), start, sources["rel_end_ent_id"].value(),
            sources["rel_inherit"].value(), sources["rel_inherit_from_rel_id"].value(),
            sources["rel_id"].value(), sources["rel_Type"].value(), sources["rel_name"].value(),
            specialization.ID(), sources["rel_slot_id"].value(), sources["rel_slot_name"].value(),
            sources["rel_context_path"].value(), startHere, sources["rel_display_order"].value(),
            sources["rel_end_ent_type"].value(), stamp, sources["rel_slot_unique_id"].value());
        copied.push_back(sources["rel_id"].asLong());
    }
}

// Gives the copies of `sources` (keys counted up from `firstKey` in the same order) a copy of
// each live attribute of their source as CopyRelationAttributes describes, under keys counted
// up in that order.
void copyAttributesOfCopies(const std::vector<std::int32_t>& sources, std::int32_t firstKey) {
    if (sources.empty()) {
        return;
    }
    // One statement for all the sources, in their order: its sorter holds only these rows.
    Recordset attributes = global_db().CreateSnapshot(
        "SELECT j.key AS position, a.atri_name, a.atri_data_type, CASE a.atri_inherit_behavior "
        "WHEN ?1 THEN a.atri_value WHEN ?2 THEN a.atri_default_value ELSE '' END AS value, "
        "a.atri_inherit_from_atri_id, a.atri_default_value, a.atri_inherit_behavior FROM "
        "json_each(?4) AS j JOIN RelationAttributes AS a ON a.atri_ent_ref = j.value * 100 + 80 "
        "WHERE a.atri_deleted = 0 AND (a.atri_inherit_behavior = ?1 OR a.atri_inherit_behavior "
        "= ?2 OR a.atri_inherit_behavior = ?3) ORDER BY j.key, a.atri_id",
        kByValue, kDefaultAsValue, kDefaultOnly, keyArray(sources));
    std::int32_t key = NewRelAttributeID();
    for (; !attributes.eof(); attributes.moveNext()) {
        global_db().Execute(
            "INSERT INTO RelationAttributes (atri_id, atri_name, atri_inherit, atri_data_type, "
            "atri_value, atri_ent_ref, atri_inherit_from_atri_id, atri_class, atri_deleted, "
            "atri_default_value, atri_entity_value_id, atri_OLE_id, atri_inherit_from_parent, "
            "atri_inherit_behavior) VALUES (?, ?, 1, ?, ?, ?, ?, -1, 0, ?, -1, -1, 1, ?)",
            key++, attributes["atri_name"].value(), attributes["atri_data_type"].value(),
            attributes["value"].value(), RelationID(firstKey + attributes["position"].asLong()),
            attributes["atri_inherit_from_atri_id"].value(),
            attributes["atri_default_value"].value(), attributes["atri_inherit_behavior"].value());
    }
}

}  // namespace

NewRelation inheritedCopyRow(const ObjRelation& source) {
    NewRelation row;
    row.endKey = KeyOfID(source.EndID());
    row.inherited = true;
    row.inheritedFromKey = KeyOfID(source.InheritedFromRelID());
    row.type = source.RelationType();
    row.name = source.Name();
    row.slotId = source.SlotID();
    row.slotName = source.SlotName();
    row.contextPath = source.ContextPath();
    row.endEntityType = source.EndEntityType();
    row.slotUniqueId = source.SlotUniqueID();
    return row;
}

void InheritRelations(const generic& specialization, const generic& parent) {
    if (!parent.isBound()) {
        throw catalogueError(msg::EntityNotPresent);
    }
    if (parent.Deleted()) {
        throw catalogueError(msg::DeletedEntityNoAccess);
    }
    const std::string columns(kSourceColumns);
    Recordset outgoing = global_db().CreateSnapshot(
        "SELECT " + columns +
            " FROM Relation WHERE rel_start_ent_id = ? AND rel_deleted = 0 ORDER BY rel_id",
        parent.ID());
    Recordset drawn = global_db().CreateSnapshot(
        "SELECT " + columns +
            " FROM Relation WHERE rel_context_ent_id = ? AND rel_deleted = 0 AND (rel_Type = 2 OR "
            "rel_Type = 3 OR rel_Type = 17 OR rel_Type = 18 OR rel_Type = 19) ORDER BY rel_id",
        parent.ID());
    // The copies take consecutive keys: the outgoing relations first, then the connectors.
    const std::int32_t firstKey = NewRelationID();
    std::int32_t key = firstKey;
    const std::string stamp = TimeStamp::now().identifierPrefix();
    std::vector<std::int32_t> sources;
    insertCopies(outgoing, key, true, specialization, parent, stamp, sources);
    insertCopies(drawn, key, false, specialization, parent, stamp, sources);
    copyAttributesOfCopies(sources, firstKey);
}

void CopyRelationAttributes(const ObjRelation& source, const ObjRelation& target) {
    copyAttributesOfCopies({KeyOfID(source.ID())}, KeyOfID(target.ID()));
}

}  // namespace kt
