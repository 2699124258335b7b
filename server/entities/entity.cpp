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
