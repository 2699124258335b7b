// The entity's connectors between ports and relations drawn between entities of its
// decomposition: the slot paths are resolved and checked here, the rows are the worker's.
//
// Path lists go to the worker from the port upward: item 1 is the port's own relation, the
// last item the relation in this entity's decomposition.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

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
#include "server/entities/obj_relations.h"
#include "server/entities/slot_path.h"

namespace kt {

namespace {

using Path = std::vector<std::string>;
using RelationList = std::vector<std::shared_ptr<ObjRelation>>;

constexpr std::string_view kNoPath = "-";

generic& boundWorker(Entity& entity) {
    generic& worker = *entity.GetGeneric();
    if (!worker.isBound()) {
        throw catalogueError(msg::EntityNotPresent);
    }
    return worker;
}

generic workerOf(std::int32_t entityID) {
    generic worker;
    worker.Init(KeyOfID(entityID));
    return worker;
}

// The first relation of `relations` in the slot that `element` names; none in an empty list,
// before the element is read.
std::shared_ptr<ObjRelation> inSlot(const ObjRelations& relations, const std::string& element) {
    if (relations.empty()) {
        return nullptr;
    }
    const std::int32_t slot = slotOfElement(element);
    for (const auto& relation : relations) {
        if (relation->SlotID() == slot) {
            return relation;
        }
    }
    return nullptr;
}

std::shared_ptr<ObjRelation> required(std::shared_ptr<ObjRelation> relation) {
    if (!relation) {
        throw catalogueError(msg::SlotIdNotFound);
    }
    return relation;
}

// The relation of a child's own decomposition in the slot of `element`, below `childSlot`.
std::shared_ptr<ObjRelation> belowChild(const ObjRelation& childSlot, const std::string& element) {
    return required(inSlot(*workerOf(childSlot.EndID()).GetDecomposition(), element));
}

ObjRelations listOf(std::initializer_list<std::shared_ptr<ObjRelation>> relations) {
    ObjRelations list;
    for (const auto& relation : relations) {
        list.AddItem(relation);
    }
    return list;
}

ObjRelations listOf(const RelationList& relations) {
    ObjRelations list;
    for (const auto& relation : relations) {
        list.AddItem(relation);
    }
    return list;
}

bool isOfType(const generic& entity, EntityType type) {
    return entity.hasType(type);
}

// Climbs from a port through the relations that use it to the entity that is not a port: the
// relations met on the way, from the port's own upward, and that entity.
struct Climb {
    RelationList relations;
    generic owner;
};

Climb climbFrom(generic port, const Path& slots, bool endSide) {
    Climb climb;
    auto uses = port.GetWhereUsed();
    if (uses->empty()) {
        throw catalogueError(msg::PortsNotInDecomposition);
    }
    std::shared_ptr<ObjRelation> taken = *uses->begin();
    if (uses->size() > 1) {
        if (slots[1] == kNoPath) {
            throw ambiguousContextPath(port.Name());
        }
        taken = inSlot(*uses, slots[1]);
        if (!taken) {
            throw endSide ? catalogueError(msg::SlotIdNotFound)
                          : slotIdNotFound(slotOfElement(slots[1]));
        }
    }
    climb.relations.push_back(taken);
    climb.owner = workerOf(taken->StartID());
    std::unordered_set<std::int32_t> visited{port.ID()};
    for (std::size_t k = 2; climb.owner.hasType(EntityType::Port); ++k) {
        if (!visited.insert(climb.owner.ID()).second) {
            throw catalogueError(msg::IncorrectSlotIds);  // ports that use each other in a ring
        }
        uses = climb.owner.GetWhereUsed();
        if (uses->empty()) {
            throw catalogueError(msg::PortsNotInDecomposition);
        }
        taken = *uses->begin();
        if (uses->size() > 1) {
            taken = k < slots.size() ? inSlot(*uses, slots[k]) : nullptr;
            if (!taken) {
                throw catalogueError(msg::IncorrectSlotIds);
            }
        }
        climb.relations.push_back(taken);
        climb.owner = workerOf(taken->StartID());
    }
    return climb;
}

bool sameKind(const generic& one, const generic& other) {
    return (isOfType(one, EntityType::Activity) && isOfType(other, EntityType::Activity)) ||
           (isOfType(one, EntityType::Dependency) && isOfType(other, EntityType::Dependency));
}

// The relation of `context`'s decomposition that ends at `owner` in the slot of `element` ("-"
// takes any slot).
std::shared_ptr<ObjRelation> ownerInContext(const ObjRelations& decomposition, const generic& owner,
                                            const std::string& element) {
    for (const auto& relation : decomposition) {
        if (relation->EndID() == EntityID(owner.ID()) &&
            (element == kNoPath || std::to_string(relation->SlotID()) == element)) {
            return relation;
        }
    }
    return nullptr;
}

std::shared_ptr<ObjRelation> firstEndingAt(const ObjRelations& decomposition,
                                           const generic& owner) {
    return ownerInContext(decomposition, owner, std::string(kNoPath));
}

void refuseSecondVerticalConnector(const ObjRelations& connectors, const generic& port) {
    const std::int32_t id = EntityID(port.ID());
    for (const auto& connector : connectors) {
        if (connector->StartID() == id || connector->EndID() == id) {
            throw catalogueError(msg::RemoveVerticalConnectorsFirst);
        }
    }
}

std::string relationName(std::int16_t type) {
    switch (type) {
        case 17:
            return "Interaction_in_context";
        case 18:
            return "Causes_in_context";
        case 19:
            return "Maps_to_in_context";
        default:
            throw catalogueError(msg::InvalidHorizontalRelation);
    }
}

}  // namespace

std::shared_ptr<ObjRelation> Entity::CreateConnector(
    Entity& EntStartPort, Entity& EntEndPort, bool& /*Changed*/, const ObjRelations& /*ContRels*/,
    ChangeArray& /*ChanArr*/, std::string& StartPortSlots, std::string& EndPortSlots,
    const std::string& UID, const std::string& SlotUID) {
    generic& context = boundWorker(*this);
    if (!isOfType(context, EntityType::Thing) && !isOfType(context, EntityType::Activity)) {
        throw catalogueError(msg::ConnectorsNeedActivityContext);
    }
    const Path S = parseSlotPath(StartPortSlots);
    const Path E = parseSlotPath(EndPortSlots);
    const std::size_t m = S.size() - 1;
    const std::size_t n = E.size() - 1;
    const auto decomposition = context.GetDecomposition();
    if (decomposition->empty()) {
        throw catalogueError(msg::NoDecompositionChildren);
    }
    const auto startTop = inSlot(*decomposition, S[m]);
    if (!startTop) {
        throw slotIdNotFound(slotOfElement(S[m]));
    }
    const auto endTop = required(inSlot(*decomposition, E[n]));
    Transaction operation(global_db().database());
    std::shared_ptr<ObjRelation> connector;
    if (m == n) {
        const auto startBelow = belowChild(*startTop, S[m - 1]);
        const auto endBelow = belowChild(*endTop, E[n - 1]);
        connector = context.CreateHorizontalConnector(EntStartPort, EntEndPort,
                                                      listOf({startBelow, startTop}),
                                                      listOf({endBelow, endTop}), 0, UID, SlotUID);
        if (!connector) {
            throw catalogueError(msg::RelationNotMade);
        }
    } else if (m < n) {
        const auto endBelow = belowChild(*endTop, E[n - 1]);
        if (!sameKind(context, workerOf(endTop->EndID()))) {
            throw catalogueError(msg::VerticalConnectorPorts);
        }
        connector = context.CreateVerticalConnector(EntStartPort, EntEndPort, listOf({startTop}),
                                                    listOf({endBelow, endTop}), true, UID, SlotUID);
    } else {
        const auto startBelow = belowChild(*startTop, S[m - 1]);
        connector = context.CreateVerticalConnector(EntStartPort, EntEndPort,
                                                    listOf({startBelow, startTop}),
                                                    listOf({endTop}), false, UID, SlotUID);
    }
    operation.commit();
    return connector;
}

std::shared_ptr<ObjRelation> Entity::CreateConnector_bak(
    Entity& EntStartPort, Entity& EntEndPort, bool& Changed, const ObjRelations& ContRels,
    ChangeArray& ChanArr, std::string& StartPortSlots, std::string& EndPortSlots) {
    generic& context = boundWorker(*this);
    if (!isOfType(context, EntityType::Activity)) {
        throw catalogueError(msg::ConnectorsNeedActivityContext);
    }
    const Path S = parseSlotPath(StartPortSlots);
    const Path E = parseSlotPath(EndPortSlots);
    const generic& startPort = boundWorker(EntStartPort);
    const generic& endPort = boundWorker(EntEndPort);

    enum class Kind { Horizontal, StartOnContext, EndOnContext } kind = Kind::Horizontal;
    Entities ownPorts;
    context.GetPorts(ownPorts, nullptr);
    for (const auto& port : ownPorts) {
        const std::int32_t key = port->GetGeneric()->ID();
        if (key == startPort.ID()) {
            kind = Kind::StartOnContext;
            break;
        }
        if (key == endPort.ID()) {
            kind = Kind::EndOnContext;
            break;
        }
    }
    ObjRelations verticals;
    const auto inContext = context.GetContextConnectors(false);
    for (const auto& connector : *inContext) {
        if (connector->RelationType() == static_cast<std::int16_t>(RelationType::Connector)) {
            verticals.AddItem(connector);
        }
    }

    Climb start = climbFrom(startPort, S, false);
    Climb end = climbFrom(endPort, E, true);
    const auto decomposition = context.GetDecompRelations();
    switch (kind) {
        case Kind::Horizontal: {
            const bool activityAndDependency = (isOfType(start.owner, EntityType::Activity) &&
                                                isOfType(end.owner, EntityType::Dependency)) ||
                                               (isOfType(start.owner, EntityType::Dependency) &&
                                                isOfType(end.owner, EntityType::Activity));
            if (!activityAndDependency) {
                throw catalogueError(msg::HorizontalConnectorPorts);
            }
            const auto startTop = ownerInContext(*decomposition, start.owner, S.back());
            const auto endTop = ownerInContext(*decomposition, end.owner, E.back());
            if (!startTop || !endTop) {
                throw catalogueError(msg::ConnectorPortsNotInDecomposition);
            }
            start.relations.push_back(startTop);
            end.relations.push_back(endTop);
            break;
        }
        case Kind::StartOnContext: {
            if (!sameKind(context, end.owner)) {
                throw catalogueError(msg::VerticalConnectorPorts);
            }
            const auto endTop = firstEndingAt(*decomposition, end.owner);
            if (!endTop) {
                throw catalogueError(msg::ConnectorPortsNotInDecomposition);
            }
            end.relations.push_back(endTop);
            refuseSecondVerticalConnector(verticals, startPort);
            break;
        }
        case Kind::EndOnContext: {
            if (!sameKind(context, start.owner)) {
                throw catalogueError(msg::VerticalConnectorPorts);
            }
            const auto startTop = firstEndingAt(*decomposition, start.owner);
            if (!startTop) {
                throw catalogueError(msg::ConnectorPortsNotInDecomposition);
            }
            start.relations.push_back(startTop);
            refuseSecondVerticalConnector(verticals, endPort);
            break;
        }
    }

    Transaction operation(global_db().database());
    if (!ContRels.empty()) {
        ResolveContextEntity(ContRels, Changed, ChanArr);
    }
    std::shared_ptr<ObjRelation> connector;
    if (kind == Kind::Horizontal) {
        connector = context.CreateHorizontalConnector(
            EntStartPort, EntEndPort, listOf(start.relations), listOf(end.relations), 0, "", "");
        if (!connector) {
            throw catalogueError(msg::RelationNotMade);
        }
    } else {
        connector = context.CreateVerticalConnector(EntStartPort, EntEndPort,
                                                    listOf(start.relations), listOf(end.relations),
                                                    kind == Kind::StartOnContext, "", "");
    }
    operation.commit();
    return connector;
}

std::shared_ptr<ObjRelation> Entity::CreateHorizonalRelation(
    std::int16_t rel_type, Entity& /*StartEntity*/, Entity& /*EndEntity*/, bool& /*Changed*/,
    const ObjRelations& /*ContRels*/, ChangeArray& /*ChanArr*/, std::string& StartSlotsString,
    std::string& EndSlotsString, const std::string& UID, const std::string& SlotUID) {
    generic& context = boundWorker(*this);
    const std::string name = relationName(rel_type);
    const Path start = parseSlotPath(StartSlotsString);
    const Path end = parseSlotPath(EndSlotsString);
    std::shared_ptr<ObjRelation> relation;
    if (!context.CreateHorizontalRelation(relation, rel_type, name, start, end, 0, UID, SlotUID)) {
        throw catalogueError(msg::RelationNotMade);
    }
    return relation;
}

}  // namespace kt
