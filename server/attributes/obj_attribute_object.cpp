// The object write of an attribute: bundle membership and the managing activity.
#include "server/attributes/manager_reference.h"
#include "server/attributes/obj_attribute.h"
#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/object_id.h"
#include "server/database/transaction.h"
#include "server/entities/bundle_membership.h"
#include "server/entities/entities.h"
#include "server/entities/generic.h"

namespace kt {

void ObjAttribute::setObject(const AttributeObject& value) {
    refuseChange();
    const bool activities = fields_.name == "kt_Activities";
    if (activities || fields_.name == "kt_Bundles") {
        const auto* list = std::get_if<std::shared_ptr<Entities>>(&value);
        if (!list || !*list) {
            throw catalogueError(msg::InvalidAttributeObject);
        }
        generic& owner = boundOwner();
        Transaction operation(global_db().database());
        owner.StampLastModified();
        if (activities) {
            SyncBundleActivities(owner, **list, memberIds_);
        } else {
            SyncActivityBundles(owner, **list, memberIds_);
        }
        operation.commit();
        std::vector<std::int32_t> members(1, 0);
        for (const auto& member : **list) {
            members.push_back(EntityID(member->GetGeneric()->ID()));
        }
        fields_.object = value;
        memberIds_ = std::move(members);
        return;
    }
    if (fields_.name == "kt_ManagingEntity") {
        const std::int32_t managerKey = checkedManagerKey(value);
        generic& owner = boundOwner();
        Transaction operation(global_db().database());
        referManager(owner, managerKey);
        operation.commit();
        fields_.object = value;
        return;
    }
    if (fields_.name != "kt_ManagingEntities") {
        throw catalogueError(msg::AttributeObjectFixed);
    }
    fields_.object = value;
}

}  // namespace kt
