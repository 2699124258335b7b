// The worker's writers of the specialization hierarchy: new and adopted specializations and
// an activity's default bundle.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "server/attributes/attribute_inheritance.h"
#include "server/attributes/obj_relation.h"
#include "server/attributes/relation_inheritance.h"
#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/entity_insert.h"
#include "server/database/key_allocation.h"
#include "server/database/object_id.h"
#include "server/database/transaction.h"
#include "server/database/type_codes.h"
#include "server/entities/bundle_membership.h"
#include "server/entities/entities.h"
#include "server/entities/entity.h"
#include "server/entities/generalization.h"
#include "server/entities/generic.h"
#include "server/entities/new_bundle.h"
#include "server/entities/obj_relations.h"

namespace kt {

namespace {

constexpr std::string_view kDefaultBundlePrefix = "Default ";
constexpr std::string_view kMadeDefaultBundlePrefix = "Special Default ";

// Entities of these types hand neither relations nor a decomposition count to their
// specializations.
bool passesRelationsOn(const generic& entity) {
    return !entity.hasType(EntityType::Bundle) && !entity.hasType(EntityType::AttributeType) &&
           !entity.hasType(EntityType::EntityCollection) && !entity.hasType(EntityType::UserGroup);
}

void insertLink(std::int32_t parent, std::int32_t child, SpecializationType type) {
    global_db().Execute("INSERT INTO Specialization VALUES (?, ?, ?, 0, ?, 0)", NewSpecID(), parent,
                        child, type);
}

bool linked(std::int32_t parent, std::int32_t child) {
    return !global_db()
                .CreateSnapshot(
                    "SELECT spec_id FROM Specialization WHERE spec_parent_ent_id = ? AND "
                    "spec_child_ent_id = ? AND spec_deleted = 0 LIMIT 1",
                    parent, child)
                .eof();
}

// The first live bundle of `activity`, in display order, named exactly `name`. It is found
// through the name: the activity's links to its specializations, thousands of them maybe, are
// not read.
std::optional<std::int32_t> bundleNamed(std::int32_t activity, const std::string& name) {
    Recordset named = global_db().CreateSnapshot(
        "SELECT s.spec_child_ent_id, e.ent_name FROM Entity AS e CROSS JOIN Specialization AS s "
        "ON s.spec_child_ent_id = e.ent_id WHERE e.ent_name = ? AND e.ent_deleted = 0 AND "
        "+s.spec_parent_ent_id = ? AND s.spec_type = ? AND s.spec_deleted = 0 "
        "ORDER BY s.spec_display_order, s.spec_id",
        name, activity, direct_specialization);
    for (; !named.eof(); named.moveNext()) {
        // Names compare without regard to case in the catalogue; this one must match exactly.
        if (named["ent_name"].asText() == name) {
            return named["spec_child_ent_id"].asLong();
        }
    }
    return std::nullopt;
}

bool pifIdInUse(const std::string& pifId) {
    return !global_db()
                .CreateSnapshot(
                    "SELECT ent_id FROM Entity WHERE ent_unique_id = ? AND ent_deleted = 0 LIMIT 1",
                    pifId)
                .eof();
}

}  // namespace

std::shared_ptr<generic> generic::GetParentGenForBundle() const {
    std::vector<std::int32_t> parents;
    GetGenIDs(parents);
    for (std::size_t i = 1; i < parents.size(); ++i) {
        auto parent = workerFor(parents[i]);
        if (parent->hasType(EntityType::Activity) && !parent->Deleted()) {
            return parent;
        }
    }
    return nullptr;
}

std::shared_ptr<generic> generic::GetDefaultBundle() {
    refuseChange();
    if (!hasType(EntityType::Activity)) {
        throw catalogueError(msg::SystemAttributeNotForType);
    }
    Transaction operation(global_db().database());
    // The bundle named after the activity, else its first bundle.
    const std::string wanted = std::string(kDefaultBundlePrefix) + record_.name;
    std::optional<std::int32_t> chosen = bundleNamed(record_.id, wanted);
    if (!chosen) {
        const Recordset first = global_db().CreateSnapshot(
            "SELECT spec_child_ent_id FROM Specialization JOIN Entity ON ent_id = "
            "spec_child_ent_id WHERE spec_parent_ent_id = ? AND spec_type = ? AND "
            "spec_deleted = 0 AND ent_deleted = 0 ORDER BY spec_display_order, spec_id LIMIT 1",
            record_.id, direct_specialization);
        if (!first.eof()) {
            chosen = first["spec_child_ent_id"].asLong();
        }
    }
    std::shared_ptr<generic> bundle;
    if (chosen) {
        bundle = workerFor(*chosen);
    } else {
        const auto made = InsertNewBundle(std::string(kMadeDefaultBundlePrefix) + record_.name);
        Entities members;
        members.AddItem(made);
        SyncActivityBundles(*this, members, std::vector<std::int32_t>(1, 0));
        bundle = workerFor(made->GetGeneric()->ID());
    }
    operation.commit();
    return bundle;
}

std::shared_ptr<generic> generic::AddNewSpecialization(const std::string& name,
                                                       const std::string& contact, bool inherit,
                                                       std::optional<std::int32_t> bundleKey,
                                                       std::optional<std::string> pifId) {
    refuseChange();
    Database& database = global_db().database();
    Transaction operation(database);
    if (pifId && pifIdInUse(*pifId)) {
        throw pifIdNotUnique(*pifId);
    }
    NewEntity entity;
    entity.name = name;
    entity.contact = contact;
    entity.type = static_cast<EntityType>(record_.type);
    entity.pifId = std::move(pifId);
    entity.decompCount = inherit && passesRelationsOn(*this) ? record_.decompCount : 0;
    const std::int32_t key = insertEntity(database, entity);

    if (hasType(EntityType::Activity)) {
        std::shared_ptr<generic> bundle;
        if (bundleKey) {
            bundle = workerFor(*bundleKey);
            // Only a live bundle of this activity can hold its specializations.
            if (bundle->Deleted() || !bundle->hasType(EntityType::Bundle) ||
                !linked(record_.id, bundle->ID())) {
                throw catalogueError(msg::InvalidAttributeObject);
            }
        } else {
            bundle = GetDefaultBundle();
        }
        insertLink(bundle->ID(), key, direct_specialization);
        insertLink(record_.id, key, cache_specialization);
        UpdateSpecCount(1);
        bundle->UpdateSpecCount(1);
    } else {
        insertLink(record_.id, key, direct_specialization);
        UpdateSpecCount(1);
    }
    CopyInheritedAttributes(key, record_.id);
    auto specialization = workerFor(key);
    if (inherit && passesRelationsOn(*this)) {
        InheritRelations(*specialization, *this);
    }
    operation.commit();
    return specialization;
}

void generic::AdoptSpecialization(generic& child) {
    refuseChange();
    Transaction operation(global_db().database());
    const auto childDecomposition = child.GetDecompRelations();
    if (child.ID() == record_.id) {
        throw catalogueError(msg::AdoptSelf);
    }
    // A bundle passes its member the relations of the activity it belongs to.
    std::shared_ptr<generic> generalization;
    if (hasType(EntityType::Bundle)) {
        generalization = GetParentGenForBundle();
        if (!generalization) {
            throw catalogueError(msg::AdoptIntoOrphanBundle);
        }
    }
    generic& source = generalization ? *generalization : *this;
    if (linked(record_.id, child.ID()) || linked(source.ID(), child.ID())) {
        throw catalogueError(msg::AdoptExistingSpecialization);
    }
    if (IsGeneralizationOf(record_.id, child.ID()) || IsGeneralizationOf(source.ID(), child.ID())) {
        throw catalogueError(msg::AdoptGeneralization);
    }

    if (hasType(EntityType::Activity)) {
        const auto bundle = GetDefaultBundle();
        insertLink(bundle->ID(), child.ID(), direct_specialization);
        insertLink(record_.id, child.ID(), cache_specialization);
        UpdateSpecCount(1);
        bundle->UpdateSpecCount(1);
    } else if (generalization) {
        insertLink(record_.id, child.ID(), direct_specialization);
        UpdateSpecCount(1);
        insertLink(generalization->ID(), child.ID(), cache_specialization);
        generalization->UpdateSpecCount(1);
    } else {
        insertLink(record_.id, child.ID(), direct_specialization);
        UpdateSpecCount(1);
    }

    AdoptParentAttributes(child, source);
    const auto sourceDecomposition = source.GetDecompRelations();
    for (const auto& relation : *sourceDecomposition) {
        bool slotTaken = false;
        for (const auto& own : *childDecomposition) {
            slotTaken = slotTaken || own->SlotID() == relation->SlotID();
        }
        if (slotTaken) {
            continue;
        }
        const auto end = workerFor(KeyOfID(relation->EndID()));
        const auto copy = child.AddDecomposition(*end, relation->SlotID(), 0, "", "");
        copy->SetInherited(true);
        copy->SetInheritedFromRelID(relation->ID());
    }
    operation.commit();
}

}  // namespace kt
