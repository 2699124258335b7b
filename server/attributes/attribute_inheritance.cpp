#include "server/attributes/attribute_inheritance.h"

#include <string_view>

#include "server/attributes/attribute_names.h"
#include "server/attributes/obj_attribute.h"
#include "server/database/db.h"
#include "server/database/key_allocation.h"
#include "server/database/object_id.h"
#include "server/database/transaction.h"
#include "server/entities/generic.h"
#include "server/entities/obj_attributes.h"

namespace kt {

namespace {

enum Behaviour : std::int16_t {
    kWithValue = 2,
    kWithDefault = 3,
    kWithPlaceholder = 4,
    kSameTypeWithValue = 5,
};
constexpr std::string_view kPlaceholder = "-";

}  // namespace

void CopyInheritedAttributes(std::int32_t newKey, std::int32_t parentKey) {
    Transaction operation(global_db().database());
    // Read first, then one insert per copy: an INSERT that reads its own table, a window
    // function or an IN list of more than two values makes the engine build and drop a
    // temporary table (with a page cache of its own) on every call.
    Recordset sources = global_db().CreateSnapshot(
        "SELECT atri_id, atri_name, atri_data_type, CASE atri_inherit_behavior WHEN ?1 THEN "
        "atri_default_value WHEN ?2 THEN ?3 ELSE atri_value END AS value, atri_class, "
        "COALESCE(atri_default_value, '') AS default_value, atri_entity_value_id, atri_OLE_id, "
        "atri_inherit_from_parent, atri_inherit_behavior FROM Attributes WHERE atri_ent_ref = ?4 "
        "AND atri_deleted = 0 AND (atri_inherit_behavior = ?5 OR atri_inherit_behavior = ?1 OR "
        "atri_inherit_behavior = ?2 OR atri_inherit_behavior = ?6) ORDER BY atri_id",
        kWithDefault, kWithPlaceholder, kPlaceholder, parentKey, kWithValue, kSameTypeWithValue);
    std::int32_t key = NewAttributeID();
    for (; !sources.eof(); sources.moveNext()) {
        global_db().Execute(
            "INSERT INTO Attributes (atri_id, atri_name, atri_inherit, atri_data_type, "
            "atri_value, atri_ent_ref, atri_inherit_from_atri_id, atri_class, atri_deleted, "
            "atri_default_value, atri_entity_value_id, atri_OLE_id, atri_inherit_from_parent, "
            "atri_inherit_behavior) VALUES (?, ?, 1, ?, ?, ?, ?, ?, 0, ?, ?, ?, ?, ?)",
            key++, sources["atri_name"].value(), sources["atri_data_type"].value(),
            sources["value"].value(), newKey, sources["atri_id"].value(),
            sources["atri_class"].value(), sources["default_value"].value(),
            sources["atri_entity_value_id"].value(), sources["atri_OLE_id"].value(),
            sources["atri_inherit_from_parent"].value(), sources["atri_inherit_behavior"].value());
    }
    operation.commit();
}

void AdoptParentAttributes(generic& receiver, generic& source) {
    Transaction operation(global_db().database());
    const auto offered = source.GetAllAttributes();
    for (const auto& attribute : *offered) {
        const std::string& name = attribute->Name();
        if (isSystemName(name) || receiver.DBAttributeExists(name)) {
            continue;
        }
        receiver.AddNewAttribute(name, attribute->InheritanceBehaviour(), attribute->Value(),
                                 KeyOfID(attribute->InheritedFromAttrID()));
    }
    operation.commit();
}

}  // namespace kt
