#include "server/attributes/relation_inheritance.h"

#include <cstdint>
#include <string>
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

// Copies the relations `sources` into `specialization` under keys counted up from
// `firstKey`, each drawn there: starting at the specialization with the source's display order
// when `startHere`, else between the source's own ends at display order 0. A generated unique
// ID has the form ObjRelation::InsertNew gives it.
void insertCopies(const std::vector<std::int32_t>& sources, std::int32_t firstKey, bool startHere,
                  const generic& specialization, const generic& parent, const std::string& stamp) {
    if (sources.empty()) {
        return;
    }
    global_db().Execute(
        "INSERT INTO Relation (rel_id, rel_contact, rel_start_ent_id, rel_end_ent_id, "
        "rel_inherit, rel_inherit_from_rel_id, rel_deleted, rel_inherit_by_copy, rel_Type, "
        "rel_name, rel_inherit_from_parent, rel_context_ent_id, rel_suppressed, rel_slot_id, "
        "rel_slot_name, rel_context_path, rel_display_order, rel_end_ent_type, "
        "rel_imb_context_ent_id, rel_unique_id, rel_slot_unique_id) "
        "SELECT c.id, ?2, c.start, c.rel_end_ent_id, 1, CASE WHEN c.rel_inherit <> 0 THEN "
        "c.rel_inherit_from_rel_id ELSE c.rel_id END, 0, 0, c.rel_Type, COALESCE(c.rel_name, ''), "
        "0, ?4, 0, c.rel_slot_id, CASE WHEN COALESCE(c.rel_slot_name, '') = '' THEN 'no slot' "
        "ELSE c.rel_slot_name END, CASE WHEN COALESCE(c.rel_context_path, '') = '' THEN "
        "'no path' ELSE c.rel_context_path END, CASE WHEN ?3 THEN c.rel_display_order ELSE 0 END, "
        "c.rel_end_ent_type, 0, ?5 || 'EI' || c.start || 'RL' || (c.id * 100 + 80), "
        "CASE WHEN COALESCE(c.rel_slot_unique_id, '') = '' THEN ?5 || 'EI' || c.start || 'SL' "
        "|| (c.id * 100 + 80) ELSE c.rel_slot_unique_id END "
        "FROM (SELECT ?1 + j.key AS id, CASE WHEN ?3 THEN ?4 ELSE r.rel_start_ent_id END AS start, "
        "r.* FROM json_each(?6) AS j JOIN Relation AS r ON r.rel_id = j.value) AS c",
        firstKey, parent.Contact(), startHere, specialization.ID(), stamp, keyArray(sources));
}

// Gives the copies of `sources` (keys counted up from `firstKey` in the same order) the
// attributes CopyRelationAttributes gives one copy, under keys counted up in that order.
void copyAttributesOfCopies(const std::vector<std::int32_t>& sources, std::int32_t firstKey) {
    if (sources.empty()) {
        return;
    }
    global_db().Execute(
        "INSERT INTO RelationAttributes (atri_id, atri_name, atri_inherit, atri_data_type, "
        "atri_value, atri_ent_ref, atri_inherit_from_atri_id, atri_class, atri_deleted, "
        "atri_default_value, atri_entity_value_id, atri_OLE_id, atri_inherit_from_parent, "
        "atri_inherit_behavior) "
        "SELECT ?1 + row_number() OVER (ORDER BY j.key, a.atri_id) - 1, a.atri_name, 1, "
        "a.atri_data_type, CASE a.atri_inherit_behavior WHEN ?3 THEN a.atri_value WHEN ?4 THEN "
        "a.atri_default_value ELSE '' END, (?2 + j.key) * 100 + 80, a.atri_inherit_from_atri_id, "
        "-1, 0, a.atri_default_value, -1, -1, 1, a.atri_inherit_behavior "
        "FROM json_each(?6) AS j JOIN RelationAttributes AS a ON a.atri_ent_ref = "
        "j.value * 100 + 80 WHERE a.atri_deleted = 0 AND a.atri_inherit_behavior IN (?3, ?4, ?5)",
        NewRelAttributeID(), firstKey, kByValue, kDefaultAsValue, kDefaultOnly, keyArray(sources));
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
    std::vector<std::int32_t> outgoing;
    Recordset starting = global_db().CreateSnapshot(
        "SELECT rel_id, rel_Type FROM Relation WHERE rel_start_ent_id = ? AND rel_deleted = 0 "
        "ORDER BY rel_id",
        parent.ID());
    for (; !starting.eof(); starting.moveNext()) {
        if (!drawnInContext(starting["rel_Type"].asInteger())) {
            outgoing.push_back(starting["rel_id"].asLong());
        }
    }
    std::vector<std::int32_t> drawn;
    Recordset connectors = global_db().CreateSnapshot(
        "SELECT rel_id FROM Relation WHERE rel_Type IN (2, 3, 17, 18, 19) AND "
        "rel_context_ent_id = ? AND rel_deleted = 0 ORDER BY rel_id",
        parent.ID());
    for (; !connectors.eof(); connectors.moveNext()) {
        drawn.push_back(connectors["rel_id"].asLong());
    }
    // The copies take consecutive keys: the outgoing relations first, then the connectors.
    const std::int32_t firstKey = NewRelationID();
    const std::string stamp = TimeStamp::now().identifierPrefix();
    insertCopies(outgoing, firstKey, true, specialization, parent, stamp);
    const auto connectorKey = firstKey + static_cast<std::int32_t>(outgoing.size());
    insertCopies(drawn, connectorKey, false, specialization, parent, stamp);
    std::vector<std::int32_t> sources = std::move(outgoing);
    sources.insert(sources.end(), drawn.begin(), drawn.end());
    copyAttributesOfCopies(sources, firstKey);
}

void CopyRelationAttributes(const ObjRelation& source, const ObjRelation& target) {
    Recordset attributes = global_db().CreateSnapshot(
        "SELECT atri_name, atri_data_type, atri_value, atri_default_value, "
        "atri_inherit_from_atri_id, atri_inherit_behavior FROM RelationAttributes "
        "WHERE atri_ent_ref = ? AND atri_deleted = 0 AND atri_inherit_behavior IN (?, ?, ?) "
        "ORDER BY atri_id",
        source.ID(), kByValue, kDefaultAsValue, kDefaultOnly);
    for (; !attributes.eof(); attributes.moveNext()) {
        const std::int16_t behaviour = attributes["atri_inherit_behavior"].asInteger();
        const Value defaultValue = attributes["atri_default_value"].value();
        Value value;
        switch (behaviour) {
            case kByValue:
                value = attributes["atri_value"].value();
                break;
            case kDefaultAsValue:
                value = defaultValue;
                break;
            default:
                value = std::string();
                break;
        }
        global_db().Execute(
            "INSERT INTO RelationAttributes (atri_id, atri_name, atri_inherit, atri_data_type, "
            "atri_value, atri_ent_ref, atri_inherit_from_atri_id, atri_class, atri_deleted, "
            "atri_default_value, atri_entity_value_id, atri_OLE_id, atri_inherit_from_parent, "
            "atri_inherit_behavior) VALUES (?, ?, 1, ?, ?, ?, ?, -1, 0, ?, -1, -1, 1, ?)",
            NewRelAttributeID(), attributes["atri_name"].value(),
            attributes["atri_data_type"].value(), value, target.ID(),
            attributes["atri_inherit_from_atri_id"].value(), defaultValue, behaviour);
    }
}

}  // namespace kt
