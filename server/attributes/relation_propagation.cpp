#include "server/attributes/relation_propagation.h"

#include <cstdint>

#include "server/attributes/new_relation.h"
#include "server/attributes/obj_relation.h"
#include "server/attributes/relation_inheritance.h"
#include "server/database/fixed_entities.h"
#include "server/database/key_allocation.h"
#include "server/database/object_id.h"
#include "server/database/type_codes.h"
#include "server/entities/generic.h"
#include "server/entities/specialization_walk.h"

namespace kt {

namespace {

constexpr std::string_view kDecompositionName = "Decomposition Relation";
constexpr std::string_view kExceptionCopyName = "Exception Relation";

struct CopyKind {
    std::int16_t type;
    std::string name;
    bool countsDecomposition = false;
};

void propagate(const generic& owner, const ObjRelation& relation, const CopyKind& kind) {
    // Every copy at every depth names the top of the chain, never an intermediate copy.
    NewRelation row = inheritedCopyRow(relation);
    row.contact = std::string(kAutomaticallyGeneratedContact);
    row.type = kind.type;
    row.name = kind.name;
    row.displayOrder = relation.DisplayOrder();
    ObjRelation copy;
    forEachLiveSpecialization(owner, [&](const generic& specialization) {
        row.key = NewRelationID();
        row.startKey = specialization.ID();
        row.contextKey = specialization.ID();
        copy.InsertNew(row);
        if (kind.countsDecomposition) {
            generic counted = specialization;
            counted.UpdateDecompCount(1);
        }
        return true;
    });
}

}  // namespace

void PropagateDecomposition(const generic& owner, const ObjRelation& relation) {
    propagate(owner, relation,
              {static_cast<std::int16_t>(RelationType::Decomposition),
               std::string(kDecompositionName), true});
}

void PropagateExceptionHandler(const generic& owner, const ObjRelation& relation) {
    propagate(owner, relation, {relation.RelationType(), relation.Name()});
}

void PropagateRelation(const generic& owner, const ObjRelation& relation, const std::string& name) {
    propagate(owner, relation, {relation.RelationType(), name});
}

void PropagateExceptionRelation(const generic& owner, const ObjRelation& relation) {
    propagate(
        owner, relation,
        {static_cast<std::int16_t>(RelationType::HasException), std::string(kExceptionCopyName)});
}

}  // namespace kt
