#include "server/attributes/attribute_names.h"

#include <algorithm>
#include <array>

namespace kt {

namespace {

constexpr std::array kAliases{
    AttributeAlias{"kt_Description", "Description", std::nullopt},
    AttributeAlias{"kt_Actors", "Actors", EntityType::Activity},
    AttributeAlias{"kt_SkillsRequired", "Skills Required", EntityType::Activity},
    AttributeAlias{"kt_Location", "Location", EntityType::Activity},
    AttributeAlias{"kt_ResourcesRequired", "Resources Required", EntityType::Activity},
    AttributeAlias{"kt_EvaluationCriteria", "Evaluation Criteria", EntityType::Activity},
    AttributeAlias{"kt_DecisionSentence", "DecisionSentence", EntityType::Activity},
    AttributeAlias{"kt_PortType", "PortType", EntityType::Port},
    AttributeAlias{"kt_DecSentenceValue", "DecSentenceValue", EntityType::Port},
    AttributeAlias{"kt_Values", "Values", EntityType::AttributeType},
    AttributeAlias{"kt_DefaultValue", "DefaultValue", EntityType::AttributeType},
    AttributeAlias{"kt_Password", "Password", EntityType::UserGroup},
};

// A loaded row keeps this stored name as it is, although it has an alias.
constexpr std::string_view kPlainPassword = "Password";
// A stored "ACL" row shows under the name of the computed attribute.
constexpr std::string_view kStoredACL = "ACL";
constexpr std::string_view kShownACL = "kt_ACL";

constexpr std::array<std::string_view, 6> kFixedValueNames{
    "kt_ID", "kt_EntityType", "kt_LastModified", "kt_PIFID", "kt_SpecCount", "kt_DecompCount"};

constexpr std::array<std::string_view, 10> kReservedPlainNames{
    "Default Value",      "Values",
    "DecSentenceValue",   "PortType",
    "DecisionSentence",   "Evaluation Criteria",
    "Resources Required", "Location",
    "Skills Required",    "Notes"};

// The alias a value push looks for by its stored name; the system's resource reference too.
constexpr std::string_view kResourceID = "kt_ResourceID";
constexpr std::string_view kResourceIDStored = "ResourceID";

}  // namespace

bool isFixedValueName(std::string_view name) {
    return std::ranges::find(kFixedValueNames, name) != kFixedValueNames.end();
}

const AttributeAlias* findAlias(std::string_view shownName) {
    const auto found = std::ranges::find(kAliases, shownName, &AttributeAlias::shownName);
    return found == kAliases.end() ? nullptr : &*found;
}

std::string shownAttributeName(std::string_view storedName) {
    if (storedName == kStoredACL) {
        return std::string(kShownACL);
    }
    const auto found = std::ranges::find(kAliases, storedName, &AttributeAlias::storedName);
    if (found == kAliases.end() || storedName == kPlainPassword) {
        return std::string(storedName);
    }
    return std::string(found->shownName);
}

std::string SystemAttributeDisplayName(std::string_view name) {
    if (name == kResourceID) {
        return std::string(kResourceIDStored);
    }
    if (const AttributeAlias* alias = findAlias(name)) {
        return std::string(alias->storedName);
    }
    return std::string(name);
}

bool isReservedAttributeName(std::string_view name) {
    return isSystemName(name) ||
           std::ranges::find(kReservedPlainNames, name) != kReservedPlainNames.end();
}

}  // namespace kt
