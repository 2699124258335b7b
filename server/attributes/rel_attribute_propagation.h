#pragma once

#include <cstdint>

#include "server/database/value.h"

namespace kt {

class ObjRelAttribute;
class ObjRelation;
class generic;

// Gives a new relation attribute to the relations that repeat `relation` down the
// specializations of the entity it belongs to, `anchorEntity` (relationAnchorKey): with
// behaviour 2 in every specialization, with 5 only in those of the anchor's type, with any
// other behaviour nowhere. In each specialization the first relation of the relation's type
// and slot anchored there (starting there, or drawn there for connectors and relations in a
// context) receives a copy that names the attribute with key `originKey` as its origin, and
// the walk goes on below it; where there is no such relation, or with `checkExisting` it has
// an attribute of that name already, the walk stops. Each entity is visited once; deleted
// specializations are passed over with everything below them.
void PropagateNewRelAttribute(const ObjRelAttribute& attribute, const ObjRelation& relation,
                              const generic& anchorEntity, std::int16_t behaviour,
                              std::int32_t originKey, bool checkExisting);

// Carries `attribute`'s new value from `entity` (a specialization of the entity that
// `relation` belongs to) downwards: on every relation of the relation's slot at that entity,
// the attribute of that name changes when it still holds `oldValue`; where one changed, the
// walk goes on into the specializations. It stops at bundles and visits each entity once.
// Error 23 for a relation type whose entity is not known.
void PropagateRelAttributeUpdate(const generic& entity, const ObjRelation& relation,
                                 const ObjRelAttribute& attribute, const Value& oldValue);

}  // namespace kt
