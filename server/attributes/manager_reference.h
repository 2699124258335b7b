#pragma once

#include <cstdint>

#include "server/attributes/obj_attribute.h"

namespace kt {

class generic;

// The plain key of the activity that an object for "kt_ManagingEntity" names, checked before
// anything is written: anything but a bound, live activity is refused with error 17.
std::int32_t checkedManagerKey(const AttributeObject& object);

// Points the entity's managed-by relation at the activity, making a "Managed By" relation when
// it has none, and stamps the entity. The specializations follow: where the entity's relation
// was moved, each copy of it that still ends at the old manager moves along; where it was made,
// each specialization without a managed-by relation of its own gets a copy. A specialization
// that keeps its own manager stops the walk there. Runs inside the caller's transaction.
void referManager(generic& entity, std::int32_t managerKey);

}  // namespace kt
