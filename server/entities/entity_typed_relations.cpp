// The entity's typed relations: the rules on the types of the two ends, then the worker's
// creators.
#include <cstdint>
#include <initializer_list>

#include "server/attributes/obj_relation.h"
#include "server/database/catalogue_messages.h"
#include "server/database/type_codes.h"
#include "server/entities/entity.h"
#include "server/entities/generic.h"

namespace kt {

namespace {

constexpr std::int32_t kNewSlot = 0;

generic& boundWorkerOf(Entity& entity) {
    generic& worker = *entity.GetGeneric();
    if (!worker.isBound()) {
        throw catalogueError(msg::EntityNotPresent);
    }
    return worker;
}

// A worker bound to a live entity, as the start or the end of a new relation.
generic& liveWorkerOf(Entity& entity) {
    generic& worker = boundWorkerOf(entity);
    if (worker.Deleted()) {
        throw catalogueError(msg::DeletedEntityChange);
    }
    return worker;
}

bool isOneOf(const generic& entity, std::initializer_list<EntityType> types) {
    for (const EntityType type : types) {
        if (entity.hasType(type)) {
            return true;
        }
    }
    return false;
}

void require(bool rule, const CatalogueMessage& otherwise) {
    if (!rule) {
        throw catalogueError(otherwise);
    }
}

// The rules of AddRelation by type: what this entity must be, then what the end must be.
void checkTypedRelation(const generic& self, const generic& end, std::int16_t type) {
    switch (type) {
        case 15:
            require(self.hasType(EntityType::Activity), msg::PerformedByNeedsActivity);
            require(end.hasType(EntityType::Resource), msg::PerformedWhereTypeNotAllowed);
            return;
        case 16:
            require(isOneOf(self, {EntityType::Activity, EntityType::Resource}),
                    msg::SpecializedByNeedsActivityOrResource);
            require(end.hasType(EntityType::Activity), msg::SpecializedByNeedsActivityEnd);
            return;
        case 17:
        case 20:
            return;
        case 21:
            require(isOneOf(self, {EntityType::Thing, EntityType::Activity}),
                    msg::BehaviorNeedsActivity);
            require(end.hasType(EntityType::ExceptionGroup), msg::BehaviorTypeNotAllowed);
            return;
        default:
            throw catalogueError(msg::RelationTypeNotSupported);
    }
}

}  // namespace

std::shared_ptr<ObjRelation> Entity::AddRelation(Entity& NewEnt, std::int16_t Relation_Type,
                                                 const std::string& UID,
                                                 const std::string& SlotUID) {
    generic& self = liveWorkerOf(*this);
    const generic& end = liveWorkerOf(NewEnt);
    checkTypedRelation(self, end, Relation_Type);
    return self.AddRelation(end, Relation_Type, kNewSlot, UID, SlotUID);
}

std::shared_ptr<ObjRelation> Entity::AddPerformedBy(Entity& NewEnt, const std::string& UID,
                                                    const std::string& SlotUID) {
    generic& self = liveWorkerOf(*this);
    const generic& end = liveWorkerOf(NewEnt);
    require(self.hasType(EntityType::Activity), msg::PerformedByNeedsActivity);
    require(end.hasType(EntityType::Resource), msg::PerformerTypeNotAllowed);
    return self.AddPerformedBy(end, kNewSlot, UID, SlotUID);
}

std::shared_ptr<ObjRelation> Entity::AddException(Entity& NewEnt, const std::string& UID,
                                                  const std::string& SlotUID) {
    generic& self = liveWorkerOf(*this);
    const generic& end = liveWorkerOf(NewEnt);
    if (self.hasType(EntityType::Activity)) {
        require(end.hasType(EntityType::ExceptionGroup), msg::ExceptionTypeNotAllowed);
    } else {
        require(end.Typ() == self.Typ(), msg::ExceptionsNeedActivity);
    }
    return self.AddException(end, kNewSlot, UID, SlotUID);
}

std::shared_ptr<ObjRelation> Entity::AddExceptionHandler(Entity& NewEnt, std::int16_t Relation_Type,
                                                         const std::string& UID,
                                                         const std::string& SlotUID) {
    generic& self = liveWorkerOf(*this);
    const generic& end = liveWorkerOf(NewEnt);
    if (self.hasType(EntityType::ExceptionGroup)) {
        require(end.hasType(EntityType::Activity), msg::ExceptionHandlerTypeNotAllowed);
    } else {
        require(end.Typ() == self.Typ(), msg::ExceptionsNeedActivity);
    }
    return self.AddExceptionHandler(end, Relation_Type, kNewSlot, UID, SlotUID);
}

std::shared_ptr<ObjRelation> Entity::AddNewNavRelation(Entity& NewEndEnt, const std::string& UID,
                                                       const std::string& SlotUID) {
    generic& self = liveWorkerOf(*this);
    return self.AddNewNavRelation(liveWorkerOf(NewEndEnt), UID, SlotUID);
}

bool Entity::RemoveNavRelation(Entity& ParentEnt) {
    return boundWorkerOf(*this).RemoveNavRelation(boundWorkerOf(ParentEnt));
}

}  // namespace kt
