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
    Recordset rows = global_db().CreateSnapshot(
        "SELECT * FROM Attributes WHERE atri_ent_ref = ? AND atri_deleted = 0 ORDER BY atri_id",
        parentKey);
    const std::int32_t firstKey = NewAttributeID();
    std::int32_t copied = 0;
    for (; !rows.eof(); rows.moveNext()) {
        const std::int16_t behaviour = rows["atri_inherit_behavior"].asInteger();
        Value value;
        switch (behaviour) {
            case kWithValue:
            case kSameTypeWithValue:
                value = rows["atri_value"].value();
                break;
            case kWithDefault:
                value = rows["atri_default_value"].value();
                break;
            case kWithPlaceholder:
                value = std::string(kPlaceholder);
                break;
            default:
                continue;  // not inherited
        }
        const Value defaultValue = rows["atri_default_value"].isNull()
                                       ? Value(std::string())
                                       : rows["atri_default_value"].value();
        global_db().Execute(
            "INSERT INTO Attributes (atri_id, atri_name, atri_inherit, atri_data_type, "
            "atri_value, atri_ent_ref, atri_inherit_from_atri_id, atri_class, atri_deleted, "
            "atri_default_value, atri_entity_value_id, atri_OLE_id, atri_inherit_from_parent, "
            "atri_inherit_behavior) VALUES (?, ?, 1, ?, ?, ?, ?, ?, 0, ?, ?, ?, ?, ?)",
            firstKey + copied, rows["atri_name"].value(), rows["atri_data_type"].value(), value,
            newKey, rows["atri_id"].asLong(), rows["atri_class"].value(), defaultValue,
            rows["atri_entity_value_id"].value(), rows["atri_OLE_id"].value(),
            rows["atri_inherit_from_parent"].value(), behaviour);
        ++copied;
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
