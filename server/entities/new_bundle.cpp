#include "server/entities/new_bundle.h"

#include "server/database/db.h"
#include "server/database/entity_insert.h"
#include "server/database/fixed_entities.h"
#include "server/database/object_id.h"
#include "server/database/transaction.h"
#include "server/entities/entity.h"

namespace kt {

std::shared_ptr<Entity> InsertNewBundle(const std::string& name) {
    Database& database = global_db().database();
    Transaction operation(database);
    NewEntity bundle;
    bundle.name = name;
    bundle.contact = kAutoUpgradeContact;
    bundle.type = EntityType::Bundle;
    auto entity = std::make_shared<Entity>();
    entity->LoadFromID(EntityID(insertEntity(database, bundle)));
    operation.commit();
    return entity;
}

}  // namespace kt
