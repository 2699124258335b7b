#pragma once

#include <cstdint>
#include <string>

#include "server/database/value.h"

namespace kt {

class ObjAttribute;
class generic;

// The carrying of attribute changes down the specialization hierarchy. Each walk goes
// depth-first through the live specializations in display order
// (server/entities/specialization_walk.h), visits every entity once and passes over deleted
// specializations with everything below them. They write the copies and stamp the entities that own
// them, and run inside the caller's writing transaction, so a failure anywhere leaves every row as
// it was.

// A new attribute of `owner`: with behaviour 2 every specialization at every depth gets a
// copy, with 5 only those of the owner's entity type (a specialization of another type ends
// the walk there); other behaviours go nowhere. Each copy has the attribute's name and value,
// is marked inherited and names `originKey` (the attribute created first) as its origin.
// With `onlyIfAbsent`, a behaviour-2 specialization that has a live attribute of that name
// gets no copy and the walk stops there.
void PropagateNewAttribute(const ObjAttribute& attribute, const generic& owner,
                           std::int16_t behaviour, std::int32_t originKey, bool onlyIfAbsent);

// A copy follows the attribute above it when it is live, still follows its parent
// (atri_inherit_from_parent) and names as its origin that attribute or that attribute's own
// origin. In each specialization the first copy that follows takes the change, and the walk
// goes on below it from that copy; where none follows, it stops. Nothing is carried from a
// bundle.
void PropagateAttributeName(const ObjAttribute& attribute, const generic& owner,
                            const std::string& newName);
void PropagateAttributeDataType(const ObjAttribute& attribute, const generic& owner,
                                const std::string& newType);
void PropagateAttributeDefault(const ObjAttribute& attribute, const generic& owner,
                               const std::string& newDefault);
// Marks the following copies deleted.
void PropagateAttributeDeleted(const ObjAttribute& attribute, const generic& owner);

// A new value of `attribute` (the stored text `newValue`, replacing `oldValue`): in each
// specialization the first live attribute of the same stored name that still holds the old
// value takes the new one through its own value write, and when its behaviour is 2 the push
// goes on below it. An attribute holding another value keeps it, and so does everything below
// it. Nothing is pushed from a bundle.
void PushAttributeValueDown(const ObjAttribute& attribute, const generic& owner,
                            const Value& oldValue, const std::string& newValue);

}  // namespace kt
