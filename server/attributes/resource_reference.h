#pragma once

#include <cstdint>
#include <string_view>

#include "server/attributes/new_relation.h"
#include "server/database/type_codes.h"
#include "server/database/value.h"

namespace kt {

class generic;

// The plain key of the resource entity that a "kt_ResourceID" value names, checked whole
// before anything is written: a value that is no number (4), an ID of another kind (6), an
// entity that is not there (4) or is not a resource (4) is refused.
std::int32_t checkedResourceKey(const Value& value);

// The row of a new relation by which `owner` refers to `endKey` ("Has Resource", "Managed
// By"): the owner's own, drawn in the owner, under the next key.
NewRelation referenceRow(const generic& owner, std::int32_t endKey, RelationType type,
                         std::string_view name);

// Points the dependency's "Has Resource" relation at the resource, making the relation when
// there is none, and stamps the dependency.
void referResource(generic& dependency, std::int32_t resourceKey);

}  // namespace kt
