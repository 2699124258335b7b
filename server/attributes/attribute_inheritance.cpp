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
    // One statement for all the copies; their keys follow the source rows' order.
    global_db().Execute(
        "INSERT INTO Attributes (atri_id, atri_name, atri_inherit, atri_data_type, atri_value, "
        "atri_ent_ref, atri_inherit_from_atri_id, atri_class, atri_deleted, atri_default_value, "
        "atri_entity_value_id, atri_OLE_id, atri_inherit_from_parent, atri_inherit_behavior) "
        "SELECT ?1 + row_number() OVER (ORDER BY atri_id) - 1, atri_name, 1, atri_data_type, "
        "CASE atri_inherit_behavior WHEN ?2 THEN atri_default_value WHEN ?3 THEN ?4 "
        "ELSE atri_value END, ?5, atri_id, atri_class, 0, COALESCE(atri_default_value, ''), "
        "atri_entity_value_id, atri_OLE_id, atri_inherit_from_parent, atri_inherit_behavior "
        "FROM Attributes WHERE atri_ent_ref = ?6 AND atri_deleted = 0 AND "
        "atri_inherit_behavior IN (?7, ?2, ?3, ?8)",
        NewAttributeID(), kWithDefault, kWithPlaceholder, kPlaceholder, newKey, parentKey,
        kWithValue, kSameTypeWithValue);
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
