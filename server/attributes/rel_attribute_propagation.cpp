#include "server/attributes/rel_attribute_propagation.h"

#include <memory>
#include <ranges>
#include <unordered_set>
#include <vector>

#include "server/attributes/obj_rel_attribute.h"
#include "server/attributes/obj_relation.h"
#include "server/attributes/relation_anchor.h"
#include "server/database/catalogue_messages.h"
#include "server/database/object_id.h"
#include "server/database/type_codes.h"
#include "server/entities/generic.h"
#include "server/entities/obj_relations.h"
#include "server/entities/relation_direction.h"

namespace kt {

namespace {

constexpr std::int16_t kEveryEntity = 2;
constexpr std::int16_t kSameEntityType = 5;

// A depth-first, pre-order walk down the specializations from `top` (not visited itself).
// `visit` gets each entity once, loaded, and returns whether to go on below it.
template <typename Visit>
void walkSpecializations(const generic& top, Visit visit) {
    std::unordered_set<std::int32_t> visited{top.ID()};
    std::vector<std::int32_t> pending;
    std::vector<std::int32_t> keys;
    const auto pushSpecializationsOf = [&](const generic& entity) {
        entity.GetSpecIDs(keys);
        // Last to first, so that the first specialization is walked first.
        for (const std::int32_t key : keys | std::views::drop(1) | std::views::reverse) {
            pending.push_back(key);
        }
    };
    pushSpecializationsOf(top);
    generic entity;
    while (!pending.empty()) {
        const std::int32_t key = pending.back();
        pending.pop_back();
        if (!visited.insert(key).second) {
            continue;
        }
        entity.Init(key);
        if (visit(entity)) {
            pushSpecializationsOf(entity);
        }
    }
}

}  // namespace

void PropagateNewRelAttribute(const ObjRelAttribute& attribute, const ObjRelation& relation,
                              const generic& startEntity, std::int16_t behaviour,
                              std::int32_t originKey, bool checkExisting) {
    if (behaviour != kEveryEntity && behaviour != kSameEntityType) {
        return;
    }
    const std::int32_t slot = relation.SlotID();
    const std::int16_t type = relation.RelationType();
    const std::int32_t startType = startEntity.Typ();
    walkSpecializations(startEntity, [&](const generic& entity) {
        if (behaviour == kSameEntityType && entity.Typ() != startType) {
            return false;
        }
        std::shared_ptr<ObjRelation> repeat;
        const auto candidates = entity.GetRelations(type, from_start);
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
        walkSpecializations(entity, update);
    }
}

}  // namespace kt
