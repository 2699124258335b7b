#include "server/database/fixed_entities.h"

#include <algorithm>
#include <array>

namespace kt {

namespace {
constexpr std::string_view kRootSuffix = " Root";

constexpr std::array<KindRoot, 10> kKindRoots{{
    {EntityType::Activity, "Activity Root"},
    {EntityType::Thing, "Thing Root"},
    {EntityType::Bundle, "Bundle Root"},
    {EntityType::Port, "Port Root"},
    {EntityType::Dependency, "Dependency Root"},
    {EntityType::AttributeType, "Attribute Type Root"},
    {EntityType::EntityCollection, "Entity Collection Root"},
    {EntityType::UserGroup, "User Group Root"},
    {EntityType::Resource, "Resource Root"},
    {EntityType::NavigationalNode, "Navigational Node Root"},
}};
}  // namespace

std::span<const KindRoot> kindRoots() {
    return kKindRoots;
}

std::string defaultParentNameOf(std::string_view kindRootName) {
    if (kindRootName.ends_with(kRootSuffix)) {
        kindRootName.remove_suffix(kRootSuffix.size());
    }
    return std::string(kDefaultParentPrefix) + std::string(kindRootName);
}

std::string DefaultParentName(int entityType) {
    const auto type = static_cast<EntityType>(entityType);
    if (type == EntityType::Bundle) {
        return {};
    }
    const auto root = std::ranges::find(kKindRoots, type, &KindRoot::type);
    return root == kKindRoots.end() ? std::string() : defaultParentNameOf(root->name);
}

}  // namespace kt
