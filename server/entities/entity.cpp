#include "server/entities/entity.h"

#include <string_view>

#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/object_id.h"
#include "server/database/transaction.h"
#include "server/database/type_codes.h"
#include "server/entities/generic.h"
#include "server/entities/new_bundle.h"

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

namespace {

constexpr std::string_view kReservedNameEnding = "Root";
constexpr std::string_view kOwnBundlePrefix = "Default ";

}  // namespace

std::shared_ptr<Entity> Entity::AddNewSpecialization(const std::string& Nm, const std::string& Ct,
                                                     std::optional<std::int32_t> BundleID,
                                                     std::optional<std::string> PIFID) {
    if (Nm.empty() || Nm.ends_with(kReservedNameEnding)) {
        throw catalogueError(msg::InvalidEntityName);
    }
    std::optional<std::int32_t> bundleKey;
    if (BundleID) {
        if (GetIDKind(*BundleID) != kind_entity) {
            throw catalogueError(msg::NotAnEntityID);
        }
        bundleKey = KeyOfID(*BundleID);
    }
    const auto& worker = GetGeneric();
    Transaction operation(global_db().database());
    auto specialization = std::make_shared<Entity>();
    specialization->SetGeneric(
        worker->AddNewSpecialization(Nm, Ct, true, bundleKey, std::move(PIFID)));
    // Every activity holds its own specializations in a bundle of its own.
    if (specialization->GetGeneric()->hasType(EntityType::Activity)) {
        specialization->AddItemToAttrCol("kt_Bundles",
                                         InsertNewBundle(std::string(kOwnBundlePrefix) + Nm));
    }
    operation.commit();
    return specialization;
}

void Entity::AdoptSpecialization(Entity& childEnt) {
    GetGeneric()->AdoptSpecialization(*childEnt.GetGeneric());
}

bool Entity::RemoveFromSpec(Entity& ParentEnt) {
    return GetGeneric()->RemoveFromSpec(*ParentEnt.GetGeneric());
}

}  // namespace kt
