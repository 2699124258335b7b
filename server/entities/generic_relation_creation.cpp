// The worker's creators of single relations, each repeated down the specializations by the
// propagation of its kind.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "server/attributes/new_relation.h"
#include "server/attributes/obj_relation.h"
#include "server/attributes/relation_propagation.h"
#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/key_allocation.h"
#include "server/database/transaction.h"
#include "server/database/type_codes.h"
#include "server/entities/generic.h"

namespace kt {

namespace {

constexpr std::string_view kDecompositionPath = "dec";
constexpr std::int16_t kFirstHandlerType =
    static_cast<std::int16_t>(RelationType::AnticipatesException);
constexpr std::int16_t kLastHandlerType =
    static_cast<std::int16_t>(RelationType::ResolvesException);

struct RelationNames {
    std::string_view name;
    std::string_view slotName;
};

RelationNames namesOfTypedRelation(std::int16_t type) {
    switch (type) {
        case 15:
            return {"Performed_where", "Performed_where_slot"};
        case 16:
            return {"Specialized_by", "Specialized_by_slot"};
        case 17:
        case 21:
            return {"Has_Behavior", "Has_Behavior_slot"};
        case 20:
            return {"Caused_by", "Caused_by_slot"};
        default:
            return {"Unknown", "Unknown"};
    }
}

std::string_view nameOfHandler(std::int16_t type) {
    switch (type) {
        case 10:
            return "Anticipates Exception";
        case 11:
            return "Avoids Exception";
        case 12:
            return "Detects Exception";
        default:
            return "ResolvesException";
    }
}

std::int32_t slotOrNew(std::int32_t slotId) {
    return slotId == 0 ? NewSlotID() : slotId;
}

// Error 2 for a worker that was never bound: its key 0 would stand for "Activity Root".
void refuseUnbound(const generic& entity) {
    if (!entity.isBound()) {
        throw catalogueError(msg::EntityNotPresent);
    }
}

// The row that every single-relation creator starts from: this entity to `end`, drawn here,
// not inherited, with the end entity's contact and type.
NewRelation rowTo(const generic& self, const generic& end, std::int16_t type, std::string_view name,
                  std::string_view slotName, std::int32_t slotId, const std::string& UID,
                  const std::string& SlotUID) {
    NewRelation row;
    row.key = NewRelationID();
    row.contact = end.Contact();
    row.startKey = self.ID();
    row.endKey = end.ID();
    row.inheritedFromKey = row.key;
    row.type = type;
    row.name = std::string(name);
    row.contextKey = self.ID();
    row.slotId = slotId;
    row.slotName = std::string(slotName);
    row.endEntityType = end.Typ();
    row.uniqueId = UID;
    row.slotUniqueId = SlotUID;
    return row;
}

}  // namespace

std::shared_ptr<ObjRelation> generic::AddDecomposition(const generic& end, std::int32_t slotId,
                                                       std::int32_t displayOrder,
                                                       const std::string& UID,
                                                       const std::string& SlotUID) {
    refuseChange();
    refuseUnbound(end);
    Transaction operation(global_db().database());
    const std::int32_t slot = slotOrNew(slotId);
    // The count of the stored row: another worker may have added children since this copy
    // was read.
    Init(record_.id);
    NewRelation row = rowTo(*this, end, static_cast<std::int16_t>(RelationType::Decomposition),
                            "Decomposition Relation", "slot_name", slot, UID, SlotUID);
    row.contextPath = std::string(kDecompositionPath);
    row.displayOrder = displayOrder == 0 ? record_.decompCount + 1 : displayOrder;
    auto relation = std::make_shared<ObjRelation>();
    relation->InsertNew(row);
    UpdateDecompCount(1);
    PropagateDecomposition(*this, *relation);
    operation.commit();
    return relation;
}

std::shared_ptr<ObjRelation> generic::AddExceptionHandler(const generic& end,
                                                          std::int16_t relationType,
                                                          std::int32_t slotId,
                                                          const std::string& UID,
                                                          const std::string& SlotUID) {
    if (relationType < kFirstHandlerType || relationType > kLastHandlerType) {
        throw catalogueError(msg::InvalidRelationTypeForOperation);
    }
    refuseChange();
    refuseUnbound(end);
    Transaction operation(global_db().database());
    NewRelation row = rowTo(*this, end, relationType, nameOfHandler(relationType),
                            "Exception_slot_name", slotOrNew(slotId), UID, SlotUID);
    row.contextPath = std::string(kDecompositionPath);
    auto relation = std::make_shared<ObjRelation>();
    relation->InsertNew(row);
    PropagateExceptionHandler(*this, *relation);
    operation.commit();
    return relation;
}

std::shared_ptr<ObjRelation> generic::AddRelation(const generic& end, std::int16_t relationType,
                                                  std::int32_t slotId, const std::string& UID,
                                                  const std::string& SlotUID) {
    refuseChange();
    refuseUnbound(end);
    Transaction operation(global_db().database());
    const RelationNames names = namesOfTypedRelation(relationType);
    const NewRelation row = rowTo(*this, end, relationType, names.name, names.slotName,
                                  slotOrNew(slotId), UID, SlotUID);
    auto relation = std::make_shared<ObjRelation>();
    relation->InsertNew(row);
    PropagateRelation(*this, *relation, row.name);
    operation.commit();
    return relation;
}

std::shared_ptr<ObjRelation> generic::AddPerformedBy(const generic& end, std::int32_t slotId,
                                                     const std::string& UID,
                                                     const std::string& SlotUID) {
    refuseChange();
    refuseUnbound(end);
    Transaction operation(global_db().database());
    const NewRelation row =
        rowTo(*this, end, static_cast<std::int16_t>(RelationType::PerformedBy), "Performed by",
              "Performed_by_slot_name", slotOrNew(slotId), UID, SlotUID);
    auto relation = std::make_shared<ObjRelation>();
    relation->InsertNew(row);
    PropagateRelation(*this, *relation, row.name);
    operation.commit();
    return relation;
}

std::shared_ptr<ObjRelation> generic::AddException(const generic& end, std::int32_t slotId,
                                                   const std::string& UID,
                                                   const std::string& SlotUID) {
    refuseChange();
    refuseUnbound(end);
    Transaction operation(global_db().database());
    NewRelation row =
        rowTo(*this, end, static_cast<std::int16_t>(RelationType::HasException), "Has Exception",
              "Exception_slot_name", slotOrNew(slotId), UID, SlotUID);
    row.contextPath = std::string(kDecompositionPath);
    auto relation = std::make_shared<ObjRelation>();
    relation->InsertNew(row);
    PropagateExceptionRelation(*this, *relation);
    operation.commit();
    return relation;
}

std::shared_ptr<ObjRelation> generic::AddNewNavRelation(const generic& end, const std::string& UID,
                                                        const std::string& SlotUID) {
    refuseUnbound(*this);
    refuseUnbound(end);
    Transaction operation(global_db().database());
    NewRelation row = rowTo(*this, end, static_cast<std::int16_t>(RelationType::Navigation),
                            "Navigational Relation", "", 0, UID, SlotUID);
    row.contact = record_.contact;
    row.endEntityType = 0;
    auto relation = std::make_shared<ObjRelation>();
    relation->InsertNew(row);
    operation.commit();
    return relation;
}

}  // namespace kt
