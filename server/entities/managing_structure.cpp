// The structure that makes one port manage another inside a context.
#include "server/entities/managing_structure.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <string>

#include "server/attributes/new_relation.h"
#include "server/attributes/obj_relation.h"
#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/entity_lookup.h"
#include "server/database/errors.h"
#include "server/database/key_allocation.h"
#include "server/database/object_id.h"
#include "server/database/transaction.h"
#include "server/database/type_codes.h"
#include "server/entities/generic.h"

namespace kt {

namespace {

constexpr std::string_view kGenerated = "Automatically Generated";
constexpr std::string_view kErrorPrefix = "SetManagingPort_Error: ";
constexpr std::int32_t kPortType = static_cast<std::int32_t>(EntityType::Port);

generic workerOf(std::int32_t key) {
    generic worker;
    worker.Init(key);
    return worker;
}

// A row of the structure: drawn in `context`, a copy of nothing, copied by its
// specializations; its key is drawn now, as it is written.
void writeRow(NewRelation row) {
    row.key = NewRelationID();
    row.contact = std::string(kGenerated);
    row.inheritedFromKey = row.key;
    row.inheritByCopy = true;
    ObjRelation().InsertNew(row);
}

NewRelation rowOf(RelationType type, std::string name, std::int32_t start, std::int32_t end,
                  std::int32_t context) {
    NewRelation row;
    row.type = static_cast<std::int16_t>(type);
    row.name = std::move(name);
    row.startKey = start;
    row.endKey = end;
    row.contextKey = context;
    return row;
}

std::string textOf(const Value& value) {
    const auto* text = std::get_if<std::string>(&value);
    return text ? *text : std::string();
}

void build(const generic& target, const ObjRelation& managingRelation, const generic& context,
           const ObjRelation& ownerRelation, const ObjRelation& contextRelation,
           const SpecializationMaker& specialize) {
    const generic dependency = workerOf(KeyOfID(ownerRelation.StartID()));
    generic managingPort = workerOf(KeyOfID(managingRelation.EndID()));
    const std::int32_t activityKey = KeyOfID(managingRelation.StartID());

    const generic defaultDependency =
        workerOf(GetDefaultParentID(static_cast<int>(EntityType::Dependency)));
    const auto managing =
        specialize(defaultDependency, "Managing Dependency", std::string(kGenerated), false);

    auto managedBy = rowOf(RelationType::IsManagedBy, "Is Managed By Relation", dependency.ID(),
                           managing->ID(), dependency.ID());
    writeRow(managedBy);
    managedBy = rowOf(RelationType::IsManagedBy, "Is Managed By Relation", target.ID(),
                      managingPort.ID(), target.ID());
    writeRow(managedBy);
    auto inContext = rowOf(RelationType::AutomaticDecomposition,
                           "Automatically Generated Decomposition Relation", context.ID(),
                           managing->ID(), context.ID());
    const std::int32_t dependencySlot = NewSlotID();
    inContext.slotId = dependencySlot;
    inContext.slotName = "auto decomp";
    inContext.contextPath = "decomp";
    inContext.endEntityType = static_cast<std::int32_t>(EntityType::Dependency);
    writeRow(inContext);

    const auto managedCopy = specialize(target, "Managing Port", std::string(kGenerated), true);
    const auto managingCopy =
        specialize(managingPort, "Managing Port", std::string(kGenerated), true);
    const std::string managingType = textOf(managingPort.GetAttributeVal("PortType"));
    if (managingType == "Producer" || managingType == "Consumer") {
        const std::string opposite = managingType == "Producer" ? "Consumer" : "Producer";
        managedCopy->SetAttributeVal("PortType", opposite);
        managingCopy->SetAttributeVal("PortType", managingType);
    }

    const auto child = [&](const generic& port) {
        auto row = rowOf(RelationType::Decomposition, "Decomposition Relation", managing->ID(),
                         port.ID(), managing->ID());
        row.slotId = NewSlotID();
        row.slotName = "decomp";
        row.contextPath = "decomp";
        row.endEntityType = kPortType;
        writeRow(row);
        return row.slotId;
    };
    const std::int32_t managedSlot = child(*managedCopy);
    const std::int32_t managingSlot = child(*managingCopy);

    const Recordset activitySlot = global_db().CreateSnapshot(
        "SELECT rel_slot_id FROM Relation WHERE rel_start_ent_id = ? AND rel_end_ent_id = ? AND "
        "rel_Type = ? AND rel_deleted = 0 ORDER BY rel_id",
        context.ID(), activityKey, RelationType::AutomaticDecomposition);
    if (activitySlot.eof()) {
        throw catalogueError(msg::ManagingPortOwner);
    }
    const std::string s = std::to_string(dependencySlot);
    const auto connector = [&](const generic& from, const generic& to, std::string path) {
        auto row = rowOf(RelationType::AutomaticConnector, "Automatically Generated Connector",
                         from.ID(), to.ID(), context.ID());
        row.slotName = "Auto Connector";
        row.contextPath = std::move(path);
        row.endEntityType = kPortType;
        row.managingContextKey = dependency.ID();
        writeRow(row);
    };
    connector(managingPort, *managingCopy,
              std::to_string(managingRelation.SlotID()) + "," +
                  std::to_string(activitySlot["rel_slot_id"].asLong()) + ":" +
                  std::to_string(managingSlot) + "," + s);
    connector(*managedCopy, target,
              std::to_string(managedSlot) + "," + s + ":" + std::to_string(ownerRelation.SlotID()) +
                  "," + std::to_string(contextRelation.SlotID()));
}

}  // namespace

SpecializationMaker catalogueSpecializationMaker() {
    return [](const generic& parent, const std::string& name, const std::string& contact,
              bool copyRelations) -> std::shared_ptr<generic> {
        generic writer = parent;  // the maker writes through a worker of its own
        return writer.AddNewSpecialization(name, contact, copyRelations, std::nullopt,
                                           std::nullopt);
    };
}

void SetManagingPort(const generic& target, const ObjRelation& managingRelation,
                     const generic& context, const ObjRelation& ownerRelation,
                     const ObjRelation& contextRelation, const SpecializationMaker& specialize) {
    try {
        Transaction operation(global_db().database());
        build(target, managingRelation, context, ownerRelation, contextRelation, specialize);
        operation.commit();
    } catch (const Error& error) {
        throw Error(error.number(), error.source(), std::string(kErrorPrefix) + error.what());
    } catch (const std::exception& error) {
        throw Error(kObjectErrorBase, std::string(kServerSource),
                    std::string(kErrorPrefix) + error.what());
    }
}

void RemoveManagingPort() {
    throw catalogueError(kManagerRemovalNotSupported);
}

}  // namespace kt
