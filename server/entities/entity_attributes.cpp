// The published attribute members of Entity: they sort a name into a computed attribute, an
// alias of a stored one or a plain stored name, check it against the entity's type and hand
// the work to the worker.
#include <algorithm>
#include <array>
#include <string_view>

#include "server/attributes/attribute_names.h"
#include "server/attributes/resource_reference.h"
#include "server/database/blank_trim.h"
#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/errors.h"
#include "server/database/field.h"
#include "server/database/object_id.h"
#include "server/database/text_compare.h"
#include "server/database/transaction.h"
#include "server/database/type_codes.h"
#include "server/entities/entities.h"
#include "server/entities/entity.h"
#include "server/entities/generic.h"
#include "server/entities/obj_attributes.h"
#include "server/entities/obj_relations.h"

namespace kt {

namespace {

constexpr std::int16_t kDefaultBehaviour = 2;
constexpr std::int16_t kLowestBehaviour = 1;
constexpr std::int16_t kHighestBehaviour = 5;
constexpr std::string_view kTradeoffLayout = "kt_TradeoffLayout";

// A computed attribute that hosts reach by name, and the entity type it needs.
struct ComputedName {
    std::string_view name;
    std::optional<EntityType> entityType;
    bool holdsObjects = false;
};

constexpr std::array kComputedNames{
    ComputedName{"kt_Name", std::nullopt},
    ComputedName{"kt_Contact", std::nullopt},
    ComputedName{"kt_ID", std::nullopt},
    ComputedName{"kt_EntityType", std::nullopt},
    ComputedName{"kt_LastModified", std::nullopt},
    ComputedName{"kt_Deleted", std::nullopt},
    ComputedName{"kt_PIFID", std::nullopt},
    ComputedName{"kt_DecompCount", std::nullopt},
    ComputedName{"kt_SpecCount", std::nullopt},
    ComputedName{"kt_ACL", std::nullopt},
    ComputedName{"kt_Bundles", EntityType::Activity, true},
    ComputedName{"kt_Activities", EntityType::Bundle, true},
    ComputedName{"kt_ManagingEntity", EntityType::Port, true},
    ComputedName{"kt_ManagingEntities", EntityType::Dependency, true},
    ComputedName{"kt_ResourceID", EntityType::Dependency},
};

constexpr std::array<std::string_view, 3> kPortTypes{"Undeclared", "Producer", "Consumer"};
// Aliases whose value is read through the attribute object rather than the bare row.
constexpr std::array<std::string_view, 4> kReadThroughObject{"kt_EvaluationCriteria", "kt_Values",
                                                             "kt_DefaultValue", "kt_Password"};

const ComputedName* findComputed(std::string_view name) {
    const auto found = std::ranges::find(kComputedNames, name, &ComputedName::name);
    return found == kComputedNames.end() ? nullptr : &*found;
}

void requireType(const generic& entity, std::optional<EntityType> type) {
    if (type && !entity.hasType(*type)) {
        throw catalogueError(msg::SystemAttributeNotForType);
    }
}

std::string bareName(std::string_view name) {
    return std::string(name.substr(kSystemPrefix.size()));
}

bool isEmptyValue(const Value& value) {
    const auto* text = std::get_if<std::string>(&value);
    return isNull(value) || (text && text->empty());
}

// The Boolean a "kt_Deleted" value stands for: the words True or False, or the numbers 0, 1
// and -1; nothing for any other value.
std::optional<bool> booleanOf(const Value& value) {
    if (isNull(value)) {
        return std::nullopt;
    }
    if (const auto* text = std::get_if<std::string>(&value)) {
        const std::string_view word = trimBlanks(*text);
        if (equalsIgnoringCase(word, "true") || equalsIgnoringCase(word, "false")) {
            return equalsIgnoringCase(word, "true");
        }
    }
    double number = 0;
    try {
        number = Field("value", value).asDouble();
    } catch (const Error&) {
        return std::nullopt;
    }
    if (number == 0 || number == 1 || number == -1) {
        return number != 0;
    }
    return std::nullopt;
}

// The worker of a bound entity; error 2 for one that was never bound.
generic& boundWorker(const std::shared_ptr<generic>& worker) {
    if (!worker || !worker->isBound()) {
        throw catalogueError(msg::EntityNotPresent);
    }
    return *worker;
}

}  // namespace

std::shared_ptr<ObjAttribute> Entity::GetAttribute(const std::string& attrName) {
    generic& worker = boundWorker(GetGeneric());
    if (const ComputedName* computed = findComputed(attrName)) {
        requireType(worker, computed->entityType);
        return worker.GetVirtualAttribute(bareName(attrName), 0);
    }
    if (const AttributeAlias* alias = findAlias(attrName)) {
        requireType(worker, alias->entityType);
        return worker.GetDBAttribute(std::string(alias->storedName));
    }
    return worker.GetDBAttribute(attrName);
}

std::shared_ptr<ObjAttributes> Entity::GetAttributes() {
    return boundWorker(GetGeneric()).GetAllAttributes();
}

Value Entity::GetAttributeValue(const std::string& atriName) {
    generic& worker = boundWorker(GetGeneric());
    const std::string_view name = atriName;
    if (name == "kt_ID") {
        return std::int64_t{EntityID(worker.ID())};
    }
    if (name == "kt_Name") {
        return worker.Name();
    }
    if (name == "kt_Contact") {
        return worker.Contact();
    }
    if (name == "kt_PIFID") {
        return worker.UniqueID();
    }
    if (name == "kt_LastModified") {
        worker.LastModified();  // a stamp that is no date is refused
        return worker.LastModifiedText();
    }
    if (name == "kt_Deleted") {
        return std::int64_t{worker.Deleted() ? 1 : 0};
    }
    if (name == "kt_EntityType") {
        return std::int64_t{worker.Typ()};
    }
    if (name == "kt_BundleCount") {
        return std::int64_t{worker.BundleCount()};
    }
    if (name == "kt_ACL") {
        return std::int64_t{worker.ACL()};
    }
    if (name == "kt_DecompCount") {
        return std::int64_t{worker.DecompCount()};
    }
    if (name == "kt_SpecCount") {
        return std::int64_t{worker.SpecCount()};
    }
    if (const ComputedName* computed = findComputed(name); computed && computed->holdsObjects) {
        throw catalogueError(msg::AttributeHoldsObjects);
    }
    if (name == "kt_ResourceID") {
        requireType(worker, EntityType::Dependency);
        // A dependency without a resource has none: Null.
        return worker.GetAttributeVal("ResourceID");
    }
    if (const AttributeAlias* alias = findAlias(name)) {
        requireType(worker, alias->entityType);
        const std::string stored(alias->storedName);
        if (std::ranges::find(kReadThroughObject, name) != kReadThroughObject.end()) {
            return worker.GetAttributeVal(stored);
        }
        return worker.GetDBAttributeVal(stored);
    }
    return worker.GetDBAttributeVal(atriName);
}

AttributeObject Entity::GetAttributeObject(const std::string& atriName,
                                           std::int32_t MainContextID) {
    generic& worker = boundWorker(GetGeneric());
    const std::string_view name = atriName;
    if (name == "kt_ManagingEntities" || name == "kt_ManagingConnectors") {
        requireType(worker, EntityType::Dependency);
        return worker.GetAttributeObject(bareName(name), MainContextID);
    }
    if (const ComputedName* computed = findComputed(name); computed && computed->holdsObjects) {
        requireType(worker, computed->entityType);
        return worker.GetAttributeObject(bareName(name), 0);
    }
    return {};
}

void Entity::SetAttributeValue(const std::string& atriName, const Value& atriVal,
                               const ObjRelations* ContRels) {
    const ObjRelations noContext;
    bool changed = false;
    ChangeArray changes;
    SetAttributeValue(atriName, atriVal, ContRels ? *ContRels : noContext, changed, changes);
}

void Entity::SetAttributeValue(const std::string& atriName, const Value& atriVal,
                               const ObjRelations& ContRels, bool& Changed, ChangeArray& ChanArr) {
    generic& worker = boundWorker(GetGeneric());
    Transaction operation(global_db().database());
    const auto apply = [&] {
        const std::string_view name = atriName;
        // The entity the change lands on, asked for only once every check has passed, so that a
        // refused change makes no specialization.
        std::shared_ptr<Entity> resolved;
        const auto target = [&]() -> generic& {
            if (ContRels.empty()) {
                return worker;
            }
            resolved = ResolveContextEntity(ContRels, Changed, ChanArr);
            return *resolved->GetGeneric();
        };
        if (const ComputedName* computed = findComputed(name); computed && computed->holdsObjects) {
            throw catalogueError(msg::AttributeHoldsObjects);
        }
        if (name == "kt_Name") {
            if (isEmptyValue(atriVal)) {
                throw catalogueError(msg::NullAttributeValue);
            }
            target().setName(Field("value", atriVal).asText());
            return;
        }
        if (name == "kt_Contact" || name == "kt_ACL") {
            if (isEmptyValue(atriVal)) {
                throw catalogueError(msg::InvalidAttributeValue);
            }
            if (name == "kt_Contact") {
                target().setContact(Field("value", atriVal).asText());
            } else {
                target().setACL(Field("value", Value(Field("value", atriVal).asText())).asLong());
            }
            return;
        }
        if (isFixedValueName(name)) {
            throw catalogueError(msg::AttributeNotModifiable);
        }
        if (name == "kt_Deleted") {
            const auto deleted = booleanOf(atriVal);
            if (!deleted) {
                throw catalogueError(msg::InvalidAttributeValue);
            }
            target().setDeleted(*deleted);
            return;
        }
        if (name == "kt_ResourceID") {
            requireType(worker, EntityType::Dependency);
            const std::int32_t resource = checkedResourceKey(atriVal);
            target().SetAttributeVal("ResourceID", std::int64_t{resource});
            return;
        }
        if (name == kTradeoffLayout) {
            worker.SetAttributeVal(atriName, atriVal);
            return;
        }
        if (const AttributeAlias* alias = findAlias(name)) {
            requireType(worker, alias->entityType);
            if (name == "kt_PortType") {
                const auto* text = std::get_if<std::string>(&atriVal);
                if (!text || std::ranges::find(kPortTypes, *text) == kPortTypes.end()) {
                    throw catalogueError(msg::InvalidAttributeValue);
                }
            }
            target().SetAttributeVal(std::string(alias->storedName), atriVal);
            return;
        }
        target().SetAttributeVal(atriName, atriVal);
    };
    apply();
    operation.commit();
}

namespace {

bool holdsMembership(std::string_view name) {
    return name == "kt_Bundles" || name == "kt_Activities";
}

}  // namespace

void Entity::SetAttributeObject(const std::string& attrName, const AttributeObject& NewObj) {
    generic& worker = boundWorker(GetGeneric());
    if (attrName == "kt_ManagingEntity" || attrName == "kt_ManagingEntities") {
        ObjRelations noContext;  // managers are set in a context only
        bool changed = false;
        ChangeArray changes;
        SetAttributeObject(attrName, NewObj, noContext, changed, changes);
        return;
    }
    const ComputedName* computed = findComputed(attrName);
    if (!computed || !computed->holdsObjects) {
        throw catalogueError(msg::AttributeObjectFixed);
    }
    requireType(worker, computed->entityType);
    if (!holdsMembership(attrName)) {
        throw catalogueError(msg::AttributeObjectFixed);
    }
    worker.GetVirtualAttribute(bareName(attrName), 0)->setObject(NewObj);
}

namespace {

// The lists whose items can be added and removed one at a time.
const ComputedName* collectionNamed(std::string_view name) {
    const ComputedName* computed = findComputed(name);
    const bool list = computed && (holdsMembership(name) || name == "kt_ManagingEntities");
    if (!list) {
        throw catalogueError(msg::AttributeObjectFixed);
    }
    return computed;
}

// Changes the membership list of `attrName` as `change` says and writes it back.
template <typename Change>
void changeMembers(generic& worker, const std::string& attrName, Change change) {
    const auto attribute = worker.GetVirtualAttribute(bareName(attrName), 0);
    const auto members = std::get<std::shared_ptr<Entities>>(attribute->Object());
    change(*members);
    attribute->setObject(members);
}

}  // namespace

void Entity::AddItemToAttrCol(const std::string& attrName, const std::shared_ptr<Entity>& Obj) {
    generic& worker = boundWorker(GetGeneric());
    if (attrName == "kt_ManagingEntities") {
        ObjRelations noContext;  // managers are set in a context only
        bool changed = false;
        ChangeArray changes;
        AddItemToAttrCol(attrName, Obj, noContext, changed, changes);
        return;
    }
    requireType(worker, collectionNamed(attrName)->entityType);
    changeMembers(worker, attrName, [&](Entities& members) { members.AddItem(Obj); });
}

void Entity::RemoveItemFromAttrCol(const std::string& attrName, std::int16_t Index) {
    generic& worker = boundWorker(GetGeneric());
    const ComputedName* computed = collectionNamed(attrName);
    if (attrName == "kt_ManagingEntities") {
        requireType(worker, EntityType::Dependency);
        throw catalogueError(kManagerRemovalNotSupported);
    }
    requireType(worker, computed->entityType);
    changeMembers(worker, attrName, [&](Entities& members) { members.RemoveItemByIndex(Index); });
}

std::shared_ptr<ObjAttribute> Entity::AddNewAttribute(const std::string& attrName,
                                                      std::vector<std::int32_t>& ContextArr,
                                                      std::vector<std::int32_t>& /*ChangedArr*/,
                                                      const Value& attrValue,
                                                      std::int16_t& inherit_type,
                                                      bool system_attribute) {
    generic& worker = boundWorker(GetGeneric());
    if (ContextArr.empty()) {
        throw catalogueError(msg::MissingAttributeContext);
    }
    for (std::size_t i = 1; i < ContextArr.size(); ++i) {
        ContextArr[i] = KeyOfID(ContextArr[i]);
    }
    if (!system_attribute) {
        if (attrName.empty()) {
            throw catalogueError(msg::EmptyAttributeName);
        }
        if (isReservedAttributeName(attrName)) {
            throw catalogueError(msg::ReservedAttributeName);
        }
    }
    if (inherit_type == 0) {
        inherit_type = kDefaultBehaviour;
    }
    if (inherit_type < kLowestBehaviour || inherit_type > kHighestBehaviour) {
        throw catalogueError(msg::UnsupportedInheritanceType);
    }
    return worker.AddNewAttribute(attrName, inherit_type, attrValue);
}

void Entity::DeleteAttribute(const std::string& attrName) {
    generic& worker = boundWorker(GetGeneric());
    if (isSystemName(attrName)) {
        throw catalogueError(msg::SystemAttributePropertyFixed);
    }
    worker.DelAttribute(attrName);
}

void Entity::Fix_all_system_attributes(std::int32_t& CorrectedCount) {
    boundWorker(GetGeneric()).Fix_all_system_attributes(CorrectedCount);
}

}  // namespace kt
