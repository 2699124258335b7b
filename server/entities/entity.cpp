#include "server/entities/entity.h"

#include "server/database/catalogue_messages.h"
#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "server/entities/generic.h"

namespace kt {

std::string Entity::Name() const {
    return worker_ ? worker_->Name() : std::string();
}

void Entity::setName(const std::string& value) {
    GetGeneric()->setName(value);
}

void Entity::UpdateCachedCounts() {
    GetGeneric()->UpdateCachedCounts();
}

bool Entity::HasGeneralization(Entity& GeneralEnt) {
    return GetGeneric()->HasGeneralization(*GeneralEnt.GetGeneric());
}

void Entity::LoadFromID(std::int32_t ID) {
    if (GetIDKind(ID) != kind_entity) {
        throw catalogueError(msg::NotAnEntityID);
    }
    GetGeneric()->Init(KeyOfID(ID));
}

const std::shared_ptr<generic>& Entity::GetGeneric() {
    if (!worker_) {
        worker_ = std::make_shared<generic>();
    }
    return worker_;
}

void Entity::SetGeneric(std::shared_ptr<generic> worker) {
    worker_ = std::move(worker);
}

std::shared_ptr<Entities> Entity::GetParentBundles() {
    throw notImplemented("Entity.GetParentBundles");
}

std::shared_ptr<ObjRelations> Entity::GetRelations(std::int16_t /*rel_type*/,
                                                   std::int16_t /*direction*/) {
    throw notImplemented("Entity.GetRelations");
}

std::shared_ptr<ObjRelations> Entity::GetPerformedBy() {
    throw notImplemented("Entity.GetPerformedBy");
}

std::shared_ptr<ObjRelations> Entity::GetExceptions() {
    throw notImplemented("Entity.GetExceptions");
}

std::shared_ptr<ObjRelations> Entity::GetExceptionHandlers() {
    throw notImplemented("Entity.GetExceptionHandlers");
}

std::shared_ptr<ObjRelations> Entity::GetDecomposition() {
    throw notImplemented("Entity.GetDecomposition");
}

std::shared_ptr<ObjRelations> Entity::GetPortRelations() {
    throw notImplemented("Entity.GetPortRelations");
}

std::shared_ptr<ObjRelations> Entity::GetWhereUsed() {
    throw notImplemented("Entity.GetWhereUsed");
}

std::shared_ptr<ObjRelations> Entity::GetNavRelations() {
    throw notImplemented("Entity.GetNavRelations");
}

std::shared_ptr<ObjRelations> Entity::GetNavigatedFrom() {
    throw notImplemented("Entity.GetNavigatedFrom");
}

std::shared_ptr<Entities> Entity::GetSpecializations(
    std::optional<std::int16_t> /*Specialization_Type*/) {
    throw notImplemented("Entity.GetSpecializations");
}

std::shared_ptr<Entities> Entity::GetGeneralizations() {
    throw notImplemented("Entity.GetGeneralizations");
}

void Entity::Fix_all_system_attributes(std::int32_t& /*CorrectedCount*/) {
    throw notImplemented("Entity.Fix_all_system_attributes");
}

std::shared_ptr<Entity> Entity::AddNewSpecialization(const std::string& /*Nm*/,
                                                     const std::string& /*Ct*/,
                                                     std::optional<std::int32_t> /*BundleID*/,
                                                     std::optional<std::string> /*PIFID*/) {
    throw notImplemented("Entity.AddNewSpecialization");
}

void Entity::AdoptSpecialization(Entity& /*childEnt*/) {
    throw notImplemented("Entity.AdoptSpecialization");
}

}  // namespace kt
