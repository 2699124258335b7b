#pragma once

#include <cstdint>

#include "server/database/value.h"

namespace kt {

class generic;

// The plain key of the resource entity that a "kt_ResourceID" value names, checked whole
// before anything is written: a value that is no number (4), an ID of another kind (6), an
// entity that is not there (4) or is not a resource (4) is refused.
std::int32_t checkedResourceKey(const Value& value);

// Points the dependency's "Has Resource" relation at the resource, making the relation when
// there is none, and stamps the dependency.
void referResource(generic& dependency, std::int32_t resourceKey);

}  // namespace kt
