// The worker's readers of the specialization hierarchy.
#include <limits>
#include <string_view>

#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "server/database/transaction.h"
#include "server/database/type_codes.h"
#include "server/entities/entities.h"
#include "server/entities/generic.h"

namespace kt {

namespace {

// The activity at the top of the hierarchy reaches its generalization through spec_type 1,
// like any other entity.
constexpr std::string_view kActivityRoot = "Activity Root";

// Element 0 stays 0; the keys follow from index 1.
void fillKeys(Recordset rows, std::string_view column, std::vector<std::int32_t>& ids) {
    std::vector<std::int32_t> keys(1, 0);
    for (; !rows.eof(); rows.moveNext()) {
        keys.push_back(rows[column].asLong());
    }
    ids = std::move(keys);
}

// The live links to parents, of any type, of an entity that must be of the `required` type.
std::int16_t liveParentLinks(const generic& entity, EntityType required) {
    if (!entity.hasType(required)) {
        throw catalogueError(msg::SystemAttributeNotForType);
    }
    const auto count = Field("COUNT", global_db()
                                          .database()
                                          .scalar("SELECT COUNT(*) FROM Specialization WHERE "
                                                  "spec_child_ent_id = ? AND spec_deleted = 0",
                                                  entity.ID())
                                          .value())
                           .asLong();
    if (count > std::numeric_limits<std::int16_t>::max()) {
        throw overflowError();
    }
    return static_cast<std::int16_t>(count);
}

}  // namespace

void generic::GetSpecIDs(std::vector<std::int32_t>& ids,
                         std::optional<std::int16_t> linkType) const {
    refuseUnusable(msg::DeletedEntityChange);
    const std::int16_t type = linkType.value_or(
        hasType(EntityType::Activity) ? cache_specialization : direct_specialization);
    fillKeys(global_db().CreateSnapshot(
                 "SELECT spec_child_ent_id FROM Specialization WHERE spec_parent_ent_id = ? AND "
                 "spec_type = ? AND spec_deleted = 0 ORDER BY spec_display_order, spec_id",
                 record_.id, type),
             "spec_child_ent_id", ids);
}

void generic::GetGenIDs(std::vector<std::int32_t>& ids) const {
    refuseUnusable(msg::DeletedEntityChange);
    const bool throughActivityLinks =
        hasType(EntityType::Activity) && record_.name != kActivityRoot;
    fillKeys(global_db().CreateSnapshot(
                 "SELECT spec_parent_ent_id FROM Specialization WHERE spec_child_ent_id = ? AND "
                 "spec_type = ? AND spec_deleted = 0 ORDER BY spec_display_order, spec_id",
                 record_.id, throughActivityLinks ? cache_specialization : direct_specialization),
             "spec_parent_ent_id", ids);
}

std::shared_ptr<Entities> generic::GetBundles() const {
    refuseUnusable(msg::DeletedEntityChange);
    if (!hasType(EntityType::Activity)) {
        throw catalogueError(msg::SystemAttributeNotForType);
    }
    Transaction reading(global_db().database(), Transaction::Mode::Read);
    auto children = global_db().CreateSnapshot(
        "SELECT spec_child_ent_id FROM Specialization WHERE spec_parent_ent_id = ? AND "
        "spec_type = ? AND spec_deleted = 0 ORDER BY spec_display_order, spec_id",
        record_.id, direct_specialization);
    auto bundles = std::make_shared<Entities>();
    bundles->AddRows(children, "spec_child_ent_id");
    reading.commit();
    return bundles;
}

std::shared_ptr<Entities> generic::GetActivities() const {
    refuseUnusable(msg::DeletedEntityChange);
    if (!hasType(EntityType::Bundle)) {
        throw catalogueError(msg::SystemAttributeNotForNonBundle);
    }
    Transaction reading(global_db().database(), Transaction::Mode::Read);
    auto children = global_db().CreateSnapshot(
        "SELECT spec_child_ent_id, ent_type FROM Specialization LEFT JOIN Entity ON ent_id = "
        "spec_child_ent_id WHERE spec_parent_ent_id = ? AND spec_deleted = 0 "
        "ORDER BY spec_display_order, spec_id",
        record_.id);
    auto activities = std::make_shared<Entities>();
    for (; !children.eof(); children.moveNext()) {
        const Field type = children["ent_type"];
        if (type.isNull()) {
            throw catalogueError(msg::EntityNotPresent);  // a link to a row that has gone
        }
        if (type.asInteger() == static_cast<std::int16_t>(EntityType::Activity)) {
            activities->AddByID(EntityID(children["spec_child_ent_id"].asLong()));
        }
    }
    reading.commit();
    return activities;
}

std::int16_t generic::CountParentActivitiesForBundle() const {
    refuseUnusable(msg::DeletedEntityChange);
    return liveParentLinks(*this, EntityType::Bundle);
}

std::int16_t generic::CountParentBundlesForActivity() const {
    refuseUnusable(msg::DeletedEntityChange);
    return liveParentLinks(*this, EntityType::Activity);
}

}  // namespace kt
