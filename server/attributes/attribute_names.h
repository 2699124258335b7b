#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "server/database/type_codes.h"

namespace kt {

// Names that begin with this belong to the system: computed attributes and the published
// names of reserved stored attributes.
inline constexpr std::string_view kSystemPrefix = "kt_";

inline bool isSystemName(std::string_view name) {
    return name.starts_with(kSystemPrefix);
}

// The computed attributes whose values no host may set.
bool isFixedValueName(std::string_view name);

// A stored attribute that hosts reach under a "kt_" name, and the entity type it belongs to
// (none: every type).
struct AttributeAlias {
    std::string_view shownName;   // "kt_Description"
    std::string_view storedName;  // "Description"
    std::optional<EntityType> entityType;
};

// The alias of a "kt_" name, compared exactly; nothing for any other name.
const AttributeAlias* findAlias(std::string_view shownName);

// The name an attribute object shows for a stored row: the "kt_" name of a reserved stored
// name ("Description" shows as "kt_Description", "ACL" as "kt_ACL"), any other name as it is.
std::string shownAttributeName(std::string_view storedName);

// The stored name behind a "kt_" name of a stored attribute ("kt_Description" gives
// "Description"); any other name comes back unchanged.
std::string SystemAttributeDisplayName(std::string_view name);

// Names that a new attribute may not take unless it is made for the system: every "kt_" name
// and the plain names of the reserved stored attributes that hosts set through their aliases.
bool isReservedAttributeName(std::string_view name);

}  // namespace kt
