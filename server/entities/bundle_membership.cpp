#include "server/entities/bundle_membership.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <unordered_set>

#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/field.h"
#include "server/database/key_allocation.h"
#include "server/database/object_id.h"
#include "server/database/type_codes.h"
#include "server/entities/entities.h"
#include "server/entities/entity.h"
#include "server/entities/generic.h"

namespace kt {

namespace {

using Keys = std::vector<std::int32_t>;

// The plain keys of the members, each checked to be a live entity of `type`.
Keys checkedKeys(const Entities& members, EntityType type) {
    Keys keys;
    for (const auto& member : members) {
        const auto& worker = member->GetGeneric();
        if (!worker->isBound() || worker->Deleted() || !worker->hasType(type)) {
            throw catalogueError(msg::InvalidAttributeObject);
        }
        keys.push_back(worker->ID());
    }
    return keys;
}

Keys plainKeys(const std::vector<std::int32_t>& publicIds) {
    Keys keys;
    for (std::size_t i = 1; i < publicIds.size(); ++i) {
        keys.push_back(KeyOfID(publicIds[i]));
    }
    return keys;
}

// The entries of `from` that `other` lacks, in the order of `from`.
Keys missingFrom(const Keys& from, const Keys& other) {
    Keys missing;
    for (const std::int32_t key : from) {
        if (std::ranges::find(other, key) == other.end()) {
            missing.push_back(key);
        }
    }
    return missing;
}

void insertMembership(std::int32_t parent, std::int32_t child) {
    global_db().Execute("INSERT INTO Specialization VALUES (?, ?, ?, 0, ?, 0)", NewSpecID(), parent,
                        child, direct_specialization);
}

void endMembership(std::int32_t parent, std::int32_t child) {
    global_db().Execute(
        "UPDATE Specialization SET spec_deleted = 1 WHERE spec_parent_ent_id = ? AND "
        "spec_child_ent_id = ? AND spec_deleted = 0",
        parent, child);
}

std::int32_t liveMembershipCount(std::int32_t bundle) {
    return static_cast<std::int32_t>(
        Field("COUNT", global_db()
                           .database()
                           .scalar("SELECT COUNT(*) FROM Specialization WHERE spec_deleted = 0 "
                                   "AND spec_type = ? AND spec_parent_ent_id = ?",
                                   direct_specialization, bundle)
                           .value())
            .asLong());
}

// The bundle's generalization activity; error 17 when it has none.
std::shared_ptr<generic> generalizationOf(const generic& bundle) {
    auto generalization = bundle.GetParentGenForBundle();
    if (!generalization) {
        throw catalogueError(msg::InvalidAttributeObject);
    }
    return generalization;
}

// Whether an activity other than `activity` holds the bundle.
bool heldByAnotherActivity(std::int32_t bundle, std::int32_t activity) {
    return !global_db()
                .CreateSnapshot(
                    "SELECT spec_id FROM Specialization JOIN Entity ON ent_id = "
                    "spec_parent_ent_id WHERE spec_child_ent_id = ? AND spec_deleted = 0 AND "
                    "ent_type = ? AND ent_deleted = 0 AND spec_parent_ent_id <> ? LIMIT 1",
                    bundle, EntityType::Activity, activity)
                .eof();
}

}  // namespace

void SyncBundleActivities(generic& bundle, const Entities& members,
                          const std::vector<std::int32_t>& oldMembers) {
    const Keys wanted = checkedKeys(members, EntityType::Activity);
    const auto generalization = generalizationOf(bundle);
    Keys specializations;
    generalization->GetSpecIDs(specializations);
    for (const std::int32_t key : wanted) {
        if (specializations.empty() || std::find(specializations.begin() + 1, specializations.end(),
                                                 key) == specializations.end()) {
            throw catalogueError(msg::InvalidAttributeObject);
        }
    }
    const Keys old = plainKeys(oldMembers);
    const Keys added = missingFrom(wanted, old);
    const Keys removed = missingFrom(old, wanted);

    for (const std::int32_t activity : added) {
        insertMembership(bundle.ID(), activity);
    }
    std::shared_ptr<generic> defaultBundle;
    if (!removed.empty()) {
        // The activities that another bundle of the generalization still holds.
        std::unordered_set<std::int32_t> heldElsewhere;
        const auto bundles = generalization->GetBundles();
        for (const auto& other : *bundles) {
            const auto& otherBundle = other->GetGeneric();
            if (otherBundle->ID() == bundle.ID()) {
                continue;
            }
            const auto activities = otherBundle->GetActivities();
            for (const auto& member : *activities) {
                heldElsewhere.insert(member->GetGeneric()->ID());
            }
        }
        defaultBundle = generalization->GetDefaultBundle();
        for (const std::int32_t activity : removed) {
            if (heldElsewhere.contains(activity)) {
                endMembership(bundle.ID(), activity);
                continue;
            }
            if (defaultBundle->ID() == bundle.ID()) {
                throw catalogueError(msg::DefaultBundleMember);
            }
            endMembership(bundle.ID(), activity);
            insertMembership(defaultBundle->ID(), activity);
        }
    }
    bundle.UpdateSpecCount(static_cast<std::int32_t>(added.size()) -
                           static_cast<std::int32_t>(removed.size()));
    if (defaultBundle) {
        defaultBundle->UpdateSpecCount(liveMembershipCount(defaultBundle->ID()), true);
    }
}

void SyncActivityBundles(generic& activity, const Entities& members,
                         const std::vector<std::int32_t>& oldMembers) {
    const Keys wanted = checkedKeys(members, EntityType::Bundle);
    const Keys old = plainKeys(oldMembers);
    const Keys added = missingFrom(wanted, old);
    const Keys removed = missingFrom(old, wanted);
    for (const std::int32_t bundle : added) {
        if (heldByAnotherActivity(bundle, activity.ID())) {
            throw catalogueError(msg::InvalidAttributeObject);
        }
    }
    for (const std::int32_t bundle : added) {
        insertMembership(activity.ID(), bundle);
    }
    std::int32_t removedCount = 0;
    std::shared_ptr<generic> defaultBundle;
    if (!removed.empty()) {
        defaultBundle = activity.GetDefaultBundle();
        for (const std::int32_t key : removed) {
            if (key == defaultBundle->ID()) {
                continue;  // an activity always keeps its default bundle
            }
            generic bundle;
            bundle.Init(key);
            if (!bundle.Deleted()) {
                auto activities = bundle.GetVirtualAttribute("Activities", 0);
                SyncBundleActivities(bundle, Entities(), activities->memberIDs());
            }
            endMembership(activity.ID(), key);
            ++removedCount;
        }
    }
    activity.UpdateBundleCount(static_cast<std::int32_t>(added.size()) - removedCount);
    if (defaultBundle) {
        defaultBundle->UpdateCachedCounts();
    }
}

}  // namespace kt
