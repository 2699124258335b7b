#include "server/attributes/rel_attribute_propagation.h"

#include <memory>

#include "server/attributes/obj_rel_attribute.h"
#include "server/attributes/obj_relation.h"
#include "server/attributes/relation_anchor.h"
#include "server/database/catalogue_messages.h"
#include "server/database/object_id.h"
#include "server/database/type_codes.h"
#include "server/entities/generic.h"
#include "server/entities/obj_relations.h"
#include "server/entities/relation_direction.h"
#include "server/entities/specialization_walk.h"

namespace kt {

namespace {

constexpr std::int16_t kEveryEntity = 2;
constexpr std::int16_t kSameEntityType = 5;

}  // namespace

void PropagateNewRelAttribute(const ObjRelAttribute& attribute, const ObjRelation& relation,
                              const generic& anchorEntity, std::int16_t behaviour,
                              std::int32_t originKey, bool checkExisting) {
    if (behaviour != kEveryEntity && behaviour != kSameEntityType) {
        return;
    }
    const std::int32_t slot = relation.SlotID();
    const std::int16_t type = relation.RelationType();
    const std::int32_t anchorType = anchorEntity.Typ();
    const auto anchor = anchorOf(type);
    const std::int16_t direction =
        anchor && *anchor == RelationAnchor::Context ? in_context : from_start;
    forEachLiveSpecialization(anchorEntity, [&](const generic& entity) {
        if (behaviour == kSameEntityType && entity.Typ() != anchorType) {
            return false;
        }
        std::shared_ptr<ObjRelation> repeat;
        const auto candidates = entity.GetRelations(type, direction);
        for (const auto& candidate : *candidates) {
            if (candidate->SlotID() == slot) {
                repeat = candidate;
                break;
            }
        }
        if (!repeat || (checkExisting && repeat->DBAttributeExists(attribute.Name()))) {
            return false;
        }
        ObjRelAttribute copy;
        copy.InsertRow(repeat, attribute.Name(), attribute.Value(), behaviour,
                       StoredAttributeID(originKey));
        return true;
    });
}

void PropagateRelAttributeUpdate(const generic& entity, const ObjRelation& relation,
                                 const ObjRelAttribute& attribute, const Value& oldValue) {
    const auto anchor = anchorOf(relation.RelationType());
    if (!anchor) {
        throw catalogueError(msg::UnsupportedRelAttributeRelationType);
    }
    const std::int16_t direction = *anchor == RelationAnchor::Context ? in_context : from_start;
    // Updates the slot's relations at one entity; true when one of them changed.
    const auto update = [&](const generic& at) {
        if (at.hasType(EntityType::Bundle)) {
            return false;  // nothing is carried on from a bundle
        }
        bool changed = false;
        const auto repeats = at.GetSlotRelations(relation.SlotID(), direction);
        for (const auto& repeat : *repeats) {
            changed =
                repeat->SetAttributeValueLocal(attribute.Name(), oldValue, attribute.Value()) ||
                changed;
        }
        return changed;
    };
    if (update(entity)) {
        forEachLiveSpecialization(entity, update);
    }
}

}  // namespace kt
