// The worker's procedures on an entity's stored and computed attributes.
#include <algorithm>
#include <array>
#include <string_view>

#include "server/attributes/attribute_names.h"
#include "server/attributes/obj_attribute.h"
#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "server/database/transaction.h"
#include "server/database/type_codes.h"
#include "server/entities/generic.h"
#include "server/entities/obj_attributes.h"

namespace kt {

namespace {

constexpr std::string_view kResourceID = "ResourceID";
// Entity IDs are keys times this; a plain key set as "ResourceID" becomes one.
constexpr std::int64_t kIdFactor = 100;

// What every activity is expected to hold, in the order they are checked.
constexpr std::array<std::string_view, 10> kStandardActivityAttributes{
    "Description",        "Location", "Workflow_Animation",
    "ReviewStatus",       "Actors",   "Evaluation Criteria",
    "Resources Required", "Notes",    "OLE_OBJECT",
    "ICN_Positions"};

// The kinds that every entity lists, in their order.
constexpr std::array<std::int32_t, 10> kCommonKinds{1, 2, 3, 4, 5, 6, 7, 8, 9, 16};
constexpr std::int32_t kBundlesKind = 10;
constexpr std::int32_t kActivitiesKind = 11;
constexpr std::int32_t kManagingEntityKind = 12;
constexpr std::int32_t kResourceIDKind = 13;
constexpr std::int32_t kManagingEntitiesKind = 14;
constexpr std::int32_t kManagingConnectorsKind = 15;

std::optional<std::int32_t> storedAttributeKey(std::int32_t owner, const std::string& name) {
    const auto key = global_db().database().scalar(
        "SELECT atri_id FROM Attributes WHERE atri_name = ? AND atri_ent_ref = ? AND "
        "atri_deleted = 0 ORDER BY atri_id LIMIT 1",
        name, owner);
    if (!key) {
        return std::nullopt;
    }
    return Field("atri_id", *key).asLong();
}

// A computed value's entity ID times 100 again, for a plain key.
Value timesIdFactor(const Value& value) {
    if (isNull(value)) {
        throw invalidUseOfNull();
    }
    return static_cast<std::int64_t>(Field("value", value).asDouble() * kIdFactor);
}

}  // namespace

std::shared_ptr<generic> generic::self() {
    if (auto me = weak_from_this().lock()) {
        return me;
    }
    return std::make_shared<generic>(*this);
}

bool generic::DBAttributeExists(const std::string& name) const {
    return storedAttributeKey(record_.id, name).has_value();
}

std::shared_ptr<ObjAttribute> generic::GetDBAttribute(const std::string& name) {
    refuseChange();
    const auto key = storedAttributeKey(record_.id, name);
    if (!key) {
        throw catalogueError(msg::EntityLacksAttribute);
    }
    auto attribute = std::make_shared<ObjAttribute>();
    attribute->LoadFromID(StoredAttributeID(*key), 0);
    attribute->BindOwner(self());
    return attribute;
}

Value generic::GetDBAttributeVal(const std::string& name) const {
    refuseUnusable(msg::DeletedEntityAccess);
    const Recordset rows = global_db().CreateSnapshot(
        "SELECT atri_value FROM Attributes WHERE atri_name = ? AND atri_ent_ref = ? AND "
        "atri_deleted = 0 ORDER BY atri_id LIMIT 1",
        name, record_.id);
    if (rows.eof()) {
        throw catalogueError(msg::EntityLacksAttribute);
    }
    return rows["atri_value"].value();
}

std::shared_ptr<ObjAttribute> generic::GetVirtualAttribute(const std::string& name,
                                                           std::int32_t MainContextID) {
    refuseChange();
    auto attribute = std::make_shared<ObjAttribute>();
    if (const auto kind = SystemAttributeKind(std::string(kSystemPrefix) + name)) {
        const bool inContext = *kind == kManagingEntitiesKind || *kind == kManagingConnectorsKind;
        attribute->LoadFromID(EncodeID(record_.id, *kind), inContext ? MainContextID : 0);
    }
    attribute->BindOwner(self());
    return attribute;
}

Value generic::GetAttributeVal(const std::string& name) {
    const auto attribute =
        name == kResourceID ? GetVirtualAttribute(name, 0) : GetDBAttribute(name);
    return attribute->Value();
}

AttributeObject generic::GetAttributeObject(const std::string& name, std::int32_t MainContextID) {
    return GetVirtualAttribute(name, MainContextID)->Object();
}

void generic::SetAttributeVal(const std::string& name, const Value& value) {
    refuseChange();
    if (name == kResourceID) {
        GetVirtualAttribute(name, 0)->SetValueDirectly(timesIdFactor(value));
    } else {
        GetDBAttribute(name)->SetValueDirectly(value);
    }
}

void generic::DelAttribute(const std::string& name) {
    GetDBAttribute(name)->setDeleted(true);
}

std::shared_ptr<ObjAttribute> generic::AddNewAttribute(const std::string& name,
                                                       std::int16_t inheritanceBehaviour,
                                                       const Value& value,
                                                       std::optional<std::int32_t> inheritedFromKey,
                                                       bool onlyIfAbsent) {
    refuseChange();
    Transaction operation(global_db().database());
    auto attribute = std::make_shared<ObjAttribute>();
    attribute->BindOwner(self());
    attribute->InsertNew(name, inheritanceBehaviour, value, inheritedFromKey, onlyIfAbsent);
    operation.commit();
    return attribute;
}

std::shared_ptr<ObjAttributes> generic::GetAllAttributes() {
    refuseChange();
    Transaction reading(global_db().database(), Transaction::Mode::Read);
    auto attributes = std::make_shared<ObjAttributes>();
    const auto owner = self();
    Recordset stored = global_db().CreateSnapshot(
        "SELECT atri_id FROM Attributes WHERE atri_ent_ref = ? AND atri_deleted = 0 "
        "ORDER BY atri_id",
        record_.id);
    for (; !stored.eof(); stored.moveNext()) {
        attributes->AddByID(StoredAttributeID(stored["atri_id"].asLong()), owner);
    }
    std::vector<std::int32_t> kinds(kCommonKinds.begin(), kCommonKinds.end());
    switch (static_cast<EntityType>(record_.type)) {
        case EntityType::Activity:
            kinds.push_back(kBundlesKind);
            break;
        case EntityType::Bundle:
            kinds.push_back(kActivitiesKind);
            break;
        case EntityType::Port:
            kinds.push_back(kManagingEntityKind);
            break;
        case EntityType::Dependency:
            kinds.push_back(kResourceIDKind);
            kinds.push_back(kManagingEntitiesKind);
            break;
        default:
            break;
    }
    for (const std::int32_t kind : kinds) {
        attributes->AddByID(EncodeID(record_.id, kind), owner);
    }
    reading.commit();
    return attributes;
}

void generic::Fix_all_system_attributes(std::int32_t& CorrectedCount) const {
    if (!hasType(EntityType::Activity)) {
        return;
    }
    for (const std::string_view name : kStandardActivityAttributes) {
        if (!DBAttributeExists(std::string(name))) {
            ++CorrectedCount;
        }
    }
}

}  // namespace kt
