// The changes a host makes through an attribute object.
#include <algorithm>
#include <array>
#include <string_view>

#include "server/attributes/attribute_names.h"
#include "server/attributes/attribute_propagation.h"
#include "server/attributes/obj_attribute.h"
#include "server/attributes/resource_reference.h"
#include "server/attributes/variant_value.h"
#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "server/database/transaction.h"
#include "server/database/type_codes.h"
#include "server/entities/entity.h"
#include "server/entities/generic.h"

namespace kt {

namespace {

constexpr std::int16_t kLowestBehaviour = 1;
constexpr std::int16_t kHighestSettableBehaviour = 4;
constexpr std::int16_t kPushedBehaviour = 2;
constexpr std::string_view kNoDefault = "-";
// The ACL a Boolean stands for.
constexpr std::int32_t kAclOn = -1;
constexpr std::int32_t kAclOff = 0;

constexpr std::array<std::string_view, 5> kObjectAttributes{
    "kt_Bundles", "kt_Activities", "kt_ManagingEntity", "kt_ManagingEntities",
    "kt_ManagingConnectors"};
constexpr std::array<std::string_view, 3> kPortTypes{"Producer", "Consumer", "Undeclared"};

template <std::size_t N>
bool isOneOf(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::ranges::find(names, name) != names.end();
}

bool isEntityHolding(std::string_view dataType) {
    return dataType == "Entity Collection" || dataType == "Entity Object";
}

bool textAsBoolean(const std::string& text) {
    return Field("value", Value(text)).asBoolean();
}

}  // namespace

void ObjAttribute::refuseMetadataChange() const {
    refuseChange();
    if (isSystemName(fields_.name)) {
        throw catalogueError(msg::SystemAttributePropertyFixed);
    }
}

template <typename T, typename Propagate>
void ObjAttribute::changeMetadata(std::string_view sql, const T& value, T& kept,
                                  Propagate propagate) {
    generic& owner = boundOwner();
    Transaction operation(global_db().database());
    global_db().Execute(sql, value, key());
    owner.StampLastModified();
    propagate(owner);
    operation.commit();
    kept = value;
}

void ObjAttribute::setName(const std::string& value) {
    refuseMetadataChange();
    changeMetadata("UPDATE Attributes SET atri_name = ? WHERE atri_id = ?", value, fields_.name,
                   [&](const generic& owner) { PropagateAttributeName(*this, owner, value); });
}

void ObjAttribute::setDataType(const std::string& value) {
    refuseMetadataChange();
    if (isEntityHolding(fields_.dataType)) {
        throw catalogueError(msg::EntityAttributePropertyFixed);
    }
    changeMetadata("UPDATE Attributes SET atri_data_type = ? WHERE atri_id = ?", value,
                   fields_.dataType,
                   [&](const generic& owner) { PropagateAttributeDataType(*this, owner, value); });
}

void ObjAttribute::setDeleted(bool value) {
    refuseMetadataChange();
    changeMetadata("UPDATE Attributes SET atri_deleted = ? WHERE atri_id = ?", value,
                   fields_.deleted, [&](const generic& owner) {
                       // Storing False on a live attribute changes nothing, so its copies stay
                       // as they are.
                       if (value) {
                           PropagateAttributeDeleted(*this, owner);
                       }
                   });
}

void ObjAttribute::setDefaultValue(const kt::Value& value) {
    refuseMetadataChange();
    const kt::Value text = isNull(value) ? std::string(kNoDefault) : variantText(value);
    changeMetadata("UPDATE Attributes SET atri_default_value = ? WHERE atri_id = ?", text,
                   fields_.defaultValue, [&](const generic& owner) {
                       PropagateAttributeDefault(*this, owner, std::get<std::string>(text));
                   });
}

void ObjAttribute::setInheritFromParent(bool value) {
    refuseMetadataChange();
    changeMetadata("UPDATE Attributes SET atri_inherit_from_parent = ? WHERE atri_id = ?", value,
                   fields_.inheritFromParent, [](const generic&) {});
}

void ObjAttribute::setInheritanceBehaviour(std::int16_t value) {
    refuseMetadataChange();
    if (value < kLowestBehaviour || value > kHighestSettableBehaviour) {
        throw catalogueError(msg::InvalidPropertyValue);
    }
    changeMetadata("UPDATE Attributes SET atri_inherit_behavior = ? WHERE atri_id = ?", value,
                   fields_.inheritanceBehaviour, [](const generic&) {});
}

void ObjAttribute::setValue(const kt::Value& value) {
    changeValue(value, false);
}

void ObjAttribute::SetValueDirectly(const kt::Value& value) {
    changeValue(value, true);
}

void ObjAttribute::changeValue(const kt::Value& value, bool direct) {
    const AttributeFields before = fields_;
    try {
        Transaction operation(global_db().database());
        const std::optional<kt::Value> old = ApplyValue(value, direct);
        if (old && fields_.inheritanceBehaviour == kPushedBehaviour) {
            PushAttributeValueDown(*this, *owner_, *old, std::get<std::string>(fields_.value));
        }
        operation.commit();
    } catch (...) {
        fields_ = before;  // the rows were rolled back with the rest
        throw;
    }
}

std::optional<kt::Value> ObjAttribute::ApplyValue(const kt::Value& value, bool direct) {
    const std::string text = variantText(value);
    refuseChange();
    const std::string_view name = fields_.name;
    if (isOneOf(kObjectAttributes, name)) {
        throw catalogueError(msg::AttributeHoldsObjects);
    }
    if (isFixedValueName(name)) {
        throw catalogueError(msg::AttributeNotModifiable);
    }
    generic& owner = boundOwner();
    const auto requireType = [&](EntityType type) {
        if (!owner.hasType(type)) {
            throw catalogueError(msg::SystemAttributeNotForType);
        }
    };
    std::optional<kt::Value> old;
    if (name == "kt_Name" || name == "kt_Contact") {
        if (text.empty()) {
            throw catalogueError(msg::InvalidAttributeValue);
        }
        if (name == "kt_Name") {
            owner.setName(text);
        } else {
            owner.setContact(text);
        }
    } else if (name == "kt_ACL") {
        owner.setACL(textAsBoolean(text) ? kAclOn : kAclOff);
    } else if (name == "kt_Deleted") {
        owner.setDeleted(textAsBoolean(text));
    } else if (name == "kt_ResourceID") {
        requireType(EntityType::Dependency);
        referResource(owner, checkedResourceKey(kt::Value(text)));
    } else {
        if (const AttributeAlias* alias = findAlias(name); alias && alias->entityType) {
            requireType(*alias->entityType);
        }
        if (name == "kt_PortType" && !isOneOf(kPortTypes, text)) {
            throw catalogueError(msg::InvalidAttributeValue);
        }
        owner.StampLastModified();
        old = WriteValue(text, direct);
    }
    fields_.value = text;
    return old;
}

kt::Value ObjAttribute::WriteValue(const std::string& text, bool direct) {
    global_db().Execute("UPDATE Attributes SET atri_value = ? WHERE atri_id = ?", text, key());
    if (direct) {
        // A value set on the entity itself no longer follows its generalization.
        global_db().Execute("UPDATE Attributes SET atri_inherit_from_parent = 0 WHERE atri_id = ?",
                            key());
    }
    kt::Value old = std::move(fields_.value);
    fields_.value = text;
    return old;
}

}  // namespace kt
