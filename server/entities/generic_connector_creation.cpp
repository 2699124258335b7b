// The worker's creators of connectors and of relations drawn between entities of its
// decomposition. Each repeats itself in every live specialization below, where the
// specialization's own decomposition holds the same places: matched by slot ID for the
// horizontal kinds, by the relation inherited from for the vertical connector.
#include <charconv>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "server/attributes/new_relation.h"
#include "server/attributes/obj_relation.h"
#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/errors.h"
#include "server/database/key_allocation.h"
#include "server/database/object_id.h"
#include "server/database/transaction.h"
#include "server/database/type_codes.h"
#include "server/entities/entity.h"
#include "server/entities/generic.h"
#include "server/entities/obj_relations.h"
#include "server/entities/specialization_walk.h"

namespace kt {

namespace {

// Every failure of the vertical connector is reported under this number.
constexpr int kVerticalConnectorFailed = 29;

constexpr std::int16_t kConnectorType = static_cast<std::int16_t>(RelationType::Connector);

// The slot IDs of a path's relations joined with ","; an empty path has no text.
std::string pathText(const ObjRelations& path) {
    if (path.empty()) {
        throw invalidProcedureCall();
    }
    std::string text;
    for (const auto& relation : path) {
        text += (text.empty() ? "" : ",") + std::to_string(relation->SlotID());
    }
    return text;
}

// Elements 1 to the last joined with ","; element 0 is not part of the path.
std::string slotsText(const std::vector<std::string>& slots) {
    std::string text;
    for (std::size_t i = 1; i < slots.size(); ++i) {
        text += (i == 1 ? "" : ",") + slots[i];
    }
    return text;
}

// The relation at a 1-based position of a path; none past its end.
const ObjRelation* itemAt(const ObjRelations& path, std::size_t position) {
    if (position < 1 || position > path.size()) {
        return nullptr;
    }
    return (path.begin() + static_cast<std::ptrdiff_t>(position - 1))->get();
}

template <typename Match>
std::shared_ptr<ObjRelation> firstOf(const ObjRelations& relations, Match match) {
    for (const auto& relation : relations) {
        if (match(*relation)) {
            return relation;
        }
    }
    return nullptr;
}

std::optional<generic> workerOf(std::int32_t entityID) {
    generic worker;
    worker.Init(KeyOfID(entityID));
    return worker;
}

// The end of the first relation of `relations` in slot `slotId`, loaded.
std::optional<generic> endInSlot(const ObjRelations& relations, std::int32_t slotId) {
    const auto found = firstOf(
        relations, [&](const ObjRelation& relation) { return relation.SlotID() == slotId; });
    return found ? workerOf(found->EndID()) : std::nullopt;
}

// The end of the first relation of `relations` repeating the same relation as `like`.
std::optional<generic> endLike(const ObjRelations& relations, const ObjRelation& like) {
    const auto found = firstOf(relations, [&](const ObjRelation& relation) {
        return relation.InheritedFromRelID() == like.InheritedFromRelID();
    });
    return found ? workerOf(found->EndID()) : std::nullopt;
}

std::optional<std::int32_t> slotNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return number;
}

// The entity that a slot path reaches from `top`: the last element is looked up in top's
// decomposition first, then each lower one in the entity found; none when a level lacks it.
std::optional<generic> reachBySlots(const generic& top, const std::vector<std::string>& slots) {
    std::optional<generic> current = top;
    for (std::size_t i = slots.size() - 1; i >= 1 && current; --i) {
        const auto slot = slotNumber(slots[i]);
        if (!slot) {
            return std::nullopt;
        }
        current = endInSlot(*current->GetDecompRelations(), *slot);
    }
    return current;
}

// A port's worker; error 2 for a port that was never bound, whose key 0 would stand for
// "Activity Root".
const generic& boundPort(Entity& port) {
    const generic& worker = *port.GetGeneric();
    if (!worker.isBound()) {
        throw catalogueError(msg::EntityNotPresent);
    }
    return worker;
}

// Runs `repeat` for one specialization inside a savepoint of its own: a repetition that fails
// leaves nothing behind and counts as not made, so that the walk passes over what lies below.
template <typename Repeat>
bool repeatedQuietly(Repeat repeat) {
    try {
        Transaction copy(global_db().database());
        if (!repeat()) {
            return false;
        }
        copy.commit();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// Writes `row` as a relation drawn in `context` from `start` to `end`, under a new key that is
// also its origin.
std::shared_ptr<ObjRelation> insertInContext(NewRelation& row, const generic& context,
                                             const generic& start, const generic& end) {
    row.key = NewRelationID();
    row.inheritedFromKey = row.key;
    row.contact = context.Contact();
    row.contextKey = context.ID();
    row.startKey = start.ID();
    row.endKey = end.ID();
    row.endEntityType = end.Typ();
    auto relation = std::make_shared<ObjRelation>();
    relation->InsertNew(row);
    return relation;
}

}  // namespace

std::shared_ptr<ObjRelation> generic::CreateHorizontalConnector(
    Entity& startPort, Entity& endPort, const ObjRelations& startPath, const ObjRelations& endPath,
    std::int32_t slotId, const std::string& UID, const std::string& SlotUID) {
    const std::string contextPath = pathText(startPath) + ":" + pathText(endPath);
    try {
        refuseChange();
        Transaction operation(global_db().database());
        NewRelation row;
        row.type = kConnectorType;
        row.name = "Connector";
        row.slotId = slotId == 0 ? NewSlotID() : slotId;
        row.slotName = "Connector_slot_name";
        row.contextPath = contextPath;
        row.uniqueId = UID;
        row.slotUniqueId = SlotUID;
        // The repetitions share the slot number; each takes the caller's slot unique ID, or
        // generates its own.
        const auto relation = insertInContext(row, *this, boundPort(startPort), boundPort(endPort));

        const ObjRelation* startChildSlot = itemAt(startPath, startPath.size());
        const ObjRelation* endChildSlot = itemAt(endPath, endPath.size());
        const ObjRelation* startPortSlot = itemAt(startPath, 1);
        const ObjRelation* endPortSlot = itemAt(endPath, 1);
        forEachLiveSpecialization(*this, [&](const generic& specialization) {
            return repeatedQuietly([&] {
                if (!startChildSlot || !endChildSlot) {
                    return false;
                }
                const auto children = specialization.GetDecompRelations();
                const auto startChild = endInSlot(*children, startChildSlot->SlotID());
                const auto endChild = endInSlot(*children, endChildSlot->SlotID());
                if (!startChild || !endChild) {
                    return false;
                }
                const auto start = endInSlot(*startChild->GetPortRels(), startPortSlot->SlotID());
                const auto end = endInSlot(*endChild->GetPortRels(), endPortSlot->SlotID());
                if (!start || !end) {
                    return false;
                }
                insertInContext(row, specialization, *start, *end);
                return true;
            });
        });
        operation.commit();
        return relation;
    } catch (const std::exception&) {
        return nullptr;
    }
}

std::shared_ptr<ObjRelation> generic::CreateVerticalConnector(
    Entity& startPort, Entity& endPort, const ObjRelations& startPath, const ObjRelations& endPath,
    bool startOnThisEntity, const std::string& UID, const std::string& SlotUID) {
    try {
        refuseChange();
        NewRelation row;
        row.type = kConnectorType;
        row.name = "Vertical Connector";
        row.slotId = 0;
        row.slotName = "Connector";
        row.contextPath = pathText(startPath) + ":" + pathText(endPath);
        row.uniqueId = UID;
        row.slotUniqueId = SlotUID;
        Transaction operation(global_db().database());
        const auto relation = insertInContext(row, *this, boundPort(startPort), boundPort(endPort));
        row.slotUniqueId = relation->SlotUniqueID();

        const ObjRelations& childPath = startOnThisEntity ? endPath : startPath;
        const ObjRelation& childSlot = *itemAt(childPath, childPath.size());
        const ObjRelation& startPortRelation = *itemAt(startPath, 1);
        const ObjRelation& endPortRelation = *itemAt(endPath, 1);
        forEachLiveSpecialization(*this, [&](const generic& specialization) {
            // The side of this entity's own port is the specialization itself.
            const auto child = endLike(*specialization.GetDecompRelations(), childSlot);
            if (!child) {
                return false;
            }
            const generic& startSide = startOnThisEntity ? specialization : *child;
            const generic& endSide = startOnThisEntity ? *child : specialization;
            const auto start = endLike(*startSide.GetDecRelsOfPortsToo(), startPortRelation);
            const auto end = endLike(*endSide.GetDecRelsOfPortsToo(), endPortRelation);
            if (!start || !end) {
                return false;
            }
            insertInContext(row, specialization, *start, *end);
            return true;
        });
        operation.commit();
        return relation;
    } catch (const std::exception& error) {
        throw catalogueError(kVerticalConnectorFailed, error.what());
    }
}

bool generic::CreateHorizontalRelation(std::shared_ptr<ObjRelation>& relation,
                                       std::int16_t relationType, const std::string& name,
                                       const std::vector<std::string>& startSlots,
                                       const std::vector<std::string>& endSlots,
                                       std::int32_t slotId, const std::string& UID,
                                       const std::string& SlotUID) {
    if (startSlots.size() < 2 || endSlots.size() < 2) {
        return false;
    }
    try {
        refuseChange();
        Transaction operation(global_db().database());
        const auto start = reachBySlots(*this, startSlots);
        const auto end = start ? reachBySlots(*this, endSlots) : std::nullopt;
        if (!end) {
            return false;
        }
        NewRelation row;
        row.type = relationType;
        row.name = name;
        row.slotId = slotId == 0 ? NewSlotID() : slotId;
        row.slotName = name + "_slot";
        row.contextPath = slotsText(startSlots) + ":" + slotsText(endSlots);
        row.uniqueId = UID;
        row.slotUniqueId = SlotUID;
        auto made = insertInContext(row, *this, *start, *end);
        row.slotUniqueId = made->SlotUniqueID();
        forEachLiveSpecialization(*this, [&](const generic& specialization) {
            return repeatedQuietly([&] {
                const auto from = reachBySlots(specialization, startSlots);
                const auto to = from ? reachBySlots(specialization, endSlots) : std::nullopt;
                if (!to) {
                    return false;
                }
                insertInContext(row, specialization, *from, *to);
                return true;
            });
        });
        operation.commit();
        relation = std::move(made);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace kt
