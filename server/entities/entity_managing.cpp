// The entity's managing attributes in a context: a dependency managed by an activity of the
// same decomposition, and a port of it managed by a port of that activity. Every check runs
// before anything is written.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "server/attributes/obj_relation.h"
#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "server/database/transaction.h"
#include "server/database/type_codes.h"
#include "server/entities/entities.h"
#include "server/entities/entity.h"
#include "server/entities/generic.h"
#include "server/entities/managing_structure.h"
#include "server/entities/obj_relations.h"

namespace kt {

namespace {

constexpr std::string_view kManagingEntity = "kt_ManagingEntity";
constexpr std::string_view kManagingEntities = "kt_ManagingEntities";
constexpr std::string_view kUndeclared = "Undeclared";

generic& boundWorker(Entity& entity) {
    generic& worker = *entity.GetGeneric();
    if (!worker.isBound()) {
        throw catalogueError(msg::EntityNotPresent);
    }
    return worker;
}

void requireType(const generic& entity, EntityType type) {
    if (!entity.hasType(type)) {
        throw catalogueError(msg::SystemAttributeNotForType);
    }
}

std::shared_ptr<Entity> entityOf(std::int32_t id) {
    auto entity = std::make_shared<Entity>();
    entity->LoadFromID(id);
    return entity;
}

// The managing entities of `dependency` in the context of `context`: the automatic
// decompositions from the context to the dependency's managers.
std::shared_ptr<ObjRelations> managersInContext(Entity& dependency, const generic& context) {
    const AttributeObject held =
        dependency.GetAttributeObject(std::string(kManagingEntities), EntityID(context.ID()));
    const auto* relations = std::get_if<std::shared_ptr<ObjRelations>>(&held);
    return relations && *relations ? *relations : std::make_shared<ObjRelations>();
}

std::string portTypeOf(Entity& port) {
    const Value type = port.GetAttributeValue("kt_PortType");
    const auto* text = std::get_if<std::string>(&type);
    return text ? *text : std::string();
}

}  // namespace

void Entity::AddItemToAttrCol(const std::string& attrName, const std::shared_ptr<Entity>& Obj,
                              const ObjRelations& ContRels, bool& Changed, ChangeArray& ChanArr) {
    if (attrName != kManagingEntities) {
        AddItemToAttrCol(attrName, Obj);
        return;
    }
    generic& dependency = boundWorker(*this);
    requireType(dependency, EntityType::Dependency);
    if (!Obj || !Obj->GetGeneric()->isBound()) {
        throw catalogueError(msg::InvalidAttributeObject);
    }
    const auto contextRelation = FindContextRelation(*this, ContRels);
    const generic context = *entityOf(contextRelation->StartID())->GetGeneric();
    if (!managersInContext(*this, context)->empty()) {
        throw catalogueError(msg::DependencyAlreadyManaged);
    }
    if (ContRels.empty()) {
        throw catalogueError(msg::ManagingActivityNeedsDecomposition);
    }
    Transaction operation(global_db().database());
    const auto target = ResolveContextEntity(ContRels, Changed, ChanArr);
    std::optional<std::int32_t> origin;
    target->GetGeneric()->SetManagingActivityForDepe(*Obj->GetGeneric(), context, origin);
    operation.commit();
}

void Entity::SetAttributeObject(const std::string& attrName, const AttributeObject& NewObj,
                                const ObjRelations& ContRels, bool& Changed, ChangeArray& ChanArr) {
    if (attrName == kManagingEntity) {
        requireType(boundWorker(*this), EntityType::Port);
        throw catalogueError(msg::InvalidAttributeObject);  // takes a relation, not this
    }
    if (attrName != kManagingEntities) {
        SetAttributeObject(attrName, NewObj);
        return;
    }
    requireType(boundWorker(*this), EntityType::Dependency);
    const auto* list = std::get_if<std::shared_ptr<Entities>>(&NewObj);
    if (!list || !*list) {
        throw catalogueError(msg::InvalidAttributeObject);
    }
    const Entities& managers = **list;
    if (managers.size() > 1) {
        throw catalogueError(msg::InvalidManagingEntities);
    }
    if (managers.empty()) {
        throw catalogueError(kManagerRemovalNotSupported);
    }
    AddItemToAttrCol(attrName, *managers.begin(), ContRels, Changed, ChanArr);
}

void Entity::SetAttributeObject(const std::string& attrName,
                                const std::shared_ptr<ObjRelation>& NewObj,
                                const ObjRelations& ContRels, bool& Changed, ChangeArray& ChanArr) {
    SetAttributeObject(attrName, NewObj, ContRels, Changed, ChanArr,
                       catalogueSpecializationMaker());
}

void Entity::SetAttributeObject(const std::string& attrName,
                                const std::shared_ptr<ObjRelation>& NewObj,
                                const ObjRelations& ContRels, bool& Changed, ChangeArray& ChanArr,
                                const SpecializationMaker& specialize) {
    generic& port = boundWorker(*this);
    if (attrName != kManagingEntity) {
        throw catalogueError(msg::InvalidAttributeObject);
    }
    requireType(port, EntityType::Port);
    if (!NewObj) {
        throw catalogueError(msg::InvalidAttributeObject);
    }
    const auto managingPort = entityOf(EntityID(KeyOfID(NewObj->EndID())));
    if (!managingPort->GetGeneric()->hasType(EntityType::Port)) {
        throw catalogueError(msg::InvalidAttributeObject);
    }
    const std::string managedType = portTypeOf(*this);
    const std::string managingType = portTypeOf(*managingPort);
    if (managedType == kUndeclared && managingType != kUndeclared) {
        throw catalogueError(msg::UndeclaredPortManagement);
    }
    if (managedType != kUndeclared && managingType == managedType) {
        throw catalogueError(msg::ManagingPortOppositeType);
    }
    const auto ownerRelation = port.GetParentEntityRelationForPort(ContRels);
    if (ownerRelation->ID() == 0) {
        throw catalogueError(msg::InvalidContextRelations);  // no owner on the path
    }
    const auto dependency = entityOf(ownerRelation->StartID());
    const auto contextRelation = FindContextRelation(*dependency, ContRels);
    const auto context = entityOf(contextRelation->StartID());
    const generic& contextWorker = *context->GetGeneric();
    const auto activity = entityOf(EntityID(KeyOfID(NewObj->StartID())));
    bool activityManages = false;
    const auto managers = managersInContext(*dependency, contextWorker);
    for (const auto& relation : *managers) {
        activityManages =
            activityManages || relation->EndID() == EntityID(activity->GetGeneric()->ID());
    }
    if (!dependency->GetGeneric()->hasType(EntityType::Dependency) ||
        !activity->GetGeneric()->hasType(EntityType::Activity) || !activityManages) {
        throw catalogueError(msg::ManagingPortOwner);
    }
    bool contextOnPath = false;
    for (const auto& item : ContRels) {
        contextOnPath = contextOnPath || item->StartID() == EntityID(contextWorker.ID());
    }
    if (!contextOnPath) {
        throw catalogueError(msg::InvalidContextRelations);
    }
    Transaction operation(global_db().database());
    const auto target = ResolveContextEntity(ContRels, Changed, ChanArr);
    std::shared_ptr<Entity> structureContext = context;
    if (Changed) {
        if (const auto replacement = ChanArr.ReplacementOf(EntityID(contextWorker.ID()))) {
            structureContext = entityOf(*replacement);
        }
    }
    SetManagingPort(*target->GetGeneric(), *NewObj, *structureContext->GetGeneric(), *ownerRelation,
                    *contextRelation, specialize);
    operation.commit();
}

}  // namespace kt
