#pragma once

#include <span>
#include <string>
#include <string_view>

#include "server/database/type_codes.h"

namespace kt {

// The root of the whole catalogue, found by its exact name.
inline constexpr std::string_view kTessaryRoot = "Tessary Root";

// Contact texts of rows the server makes on its own.
inline constexpr std::string_view kAutoUpgradeContact = "Auto Upgrade";
inline constexpr std::string_view kAutomaticallyGeneratedContact = "Automatically Generated";
inline constexpr std::string_view kDoclinksContact = "Upgraded from doclinks";

// An activity's own bundle is named with this prefix before the activity's name.
inline constexpr std::string_view kDefaultBundlePrefix = "Default ";
inline constexpr std::string_view kDefaultParentPrefix = "Default Parent ";

struct KindRoot {
    EntityType type;
    std::string_view name;
};

// The kind roots directly below "Tessary Root", in the order they are linked there.
std::span<const KindRoot> kindRoots();
inline constexpr KindRoot kExceptionRoot{EntityType::ExceptionGroup, "Exception Root"};

// "Default Parent " and the kind root's name less its " Root": "Default Parent Activity".
std::string defaultParentNameOf(std::string_view kindRootName);

// The default parent that new entities of a type are placed under, by type code; empty for
// bundles, exception groups and unknown codes, which have none to look up.
std::string DefaultParentName(int entityType);

}  // namespace kt
