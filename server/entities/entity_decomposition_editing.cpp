// The entity's decomposition editing: the rules on which entity types a decomposition takes,
// the context resolution, then the worker's edit.
#include <algorithm>
#include <array>
#include <cstdint>
#include <exception>
#include <memory>
#include <span>

#include "server/attributes/obj_relation.h"
#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "server/database/transaction.h"
#include "server/database/type_codes.h"
#include "server/entities/entity.h"
#include "server/entities/generic.h"
#include "server/entities/obj_relations.h"

namespace kt {

namespace {

using enum EntityType;

constexpr std::array kThingChildren{Thing, Activity, Port, Dependency, Resource, ExceptionGroup};
constexpr std::array kActivityChildren{Thing, Activity, Port, Dependency, ExceptionGroup};
constexpr std::array kDependencyChildren{Port, Dependency};

// True when a parent of type `parent` takes a child of type `child`; a type without a rule of
// its own takes its own type only.
bool decompositionTakes(std::int32_t parent, std::int32_t child) {
    std::span<const EntityType> accepted;
    switch (static_cast<EntityType>(parent)) {
        case Thing:
            accepted = kThingChildren;
            break;
        case Activity:
            accepted = kActivityChildren;
            break;
        case Dependency:
            accepted = kDependencyChildren;
            break;
        default:
            return parent == child;
    }
    return std::ranges::find(accepted, static_cast<EntityType>(child)) != accepted.end();
}

generic& boundWorker(Entity& entity) {
    generic& worker = *entity.GetGeneric();
    if (!worker.isBound()) {
        throw catalogueError(msg::EntityNotPresent);
    }
    return worker;
}

// What an edit names, as the context left it: a relation or an entity of a generalization
// that the context copied onto a new specialization is edited there. Public IDs.
std::int32_t inContext(std::int32_t ID, bool changed, const ChangeArray& changes) {
    return changed ? changes.ReplacementOf(ID).value_or(ID) : ID;
}

generic workerInContext(const generic& entity, bool changed, const ChangeArray& changes) {
    generic worker = entity;
    const std::int32_t ID = inContext(EntityID(entity.ID()), changed, changes);
    if (ID != EntityID(entity.ID())) {
        worker.Init(KeyOfID(ID));
    }
    return worker;
}

}  // namespace

std::shared_ptr<ObjRelation> Entity::AddDecomp(Entity& NewEnt, const ObjRelations& ContRels,
                                               ChangeArray& ChanArr, bool& Changed,
                                               const std::string& UID, const std::string& SlotUID) {
    const generic& self = boundWorker(*this);
    const generic& child = boundWorker(NewEnt);
    if (!decompositionTakes(self.Typ(), child.Typ())) {
        throw catalogueError(msg::DecompositionTypeNotAllowed);
    }
    Transaction operation(global_db().database());
    const auto parent = ResolveContextEntity(ContRels, Changed, ChanArr);
    auto relation = parent->GetGeneric()->AddDecomposition(child, 0, 0, UID, SlotUID);
    operation.commit();
    return relation;
}

bool Entity::RemoveFromDecomp(Entity& ParentEnt, std::int32_t MySlot, const std::string& SlotUID,
                              bool delete_slot) {
    try {
        return boundWorker(*this).RemoveFromDecomp(boundWorker(ParentEnt), MySlot, SlotUID,
                                                   delete_slot, false);
    } catch (const std::exception&) {
        throw catalogueError(msg::RelationNotDeleted);
    }
}

std::shared_ptr<ObjRelation> Entity::ReplaceInDecomp(std::int32_t Decomp_Rel_ID,
                                                     Entity& ChildEntity, Entity& NewChildEntity,
                                                     const ObjRelations& ContRels,
                                                     ChangeArray& ChanArr, bool& Changed,
                                                     const std::string& UID,
                                                     const std::string& /*SlotUID*/) {
    const generic& child = boundWorker(ChildEntity);
    const generic& newChild = boundWorker(NewChildEntity);
    boundWorker(*this);
    Transaction operation(global_db().database());
    const auto parent = ResolveContextEntity(ContRels, Changed, ChanArr);
    const bool moved = !ContRels.empty() && Changed;
    auto relation = parent->GetGeneric()->ReplaceInDecomp(inContext(Decomp_Rel_ID, moved, ChanArr),
                                                          workerInContext(child, moved, ChanArr),
                                                          newChild, UID);
    operation.commit();
    return relation;
}

bool Entity::ReFineInDecomp(std::int32_t Decomp_Rel_ID, Entity& ChildEntity, Entity& NewChildEntity,
                            const ObjRelations& ContRels, ChangeArray& ChanArr, bool& Changed,
                            const std::string& UID) {
    const generic& child = boundWorker(ChildEntity);
    const generic& newChild = boundWorker(NewChildEntity);
    boundWorker(*this);
    Transaction operation(global_db().database());
    const auto parent = ResolveContextEntity(ContRels, Changed, ChanArr);
    const bool moved = !ContRels.empty() && Changed;
    const bool refined =
        parent->GetGeneric()->ReFineInDecomp(inContext(Decomp_Rel_ID, moved, ChanArr),
                                             workerInContext(child, moved, ChanArr), newChild, UID);
    operation.commit();
    return refined;
}

}  // namespace kt
