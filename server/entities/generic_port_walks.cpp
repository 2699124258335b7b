// The worker's walks down the decomposition through ports.
#include <unordered_set>
#include <vector>

#include "server/database/db.h"
#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "server/database/transaction.h"
#include "server/database/type_codes.h"
#include "server/entities/entities.h"
#include "server/entities/generic.h"
#include "server/entities/obj_relations.h"

namespace kt {

namespace {

// Walks the decomposition from one entity, depth first and in list order, descending only
// into ports and into each entity once. `visit` is told of every decomposition relation met
// and of the port at its end, when it leads to one that has not been expanded yet; it
// returns whether to descend into that port.
template <typename Visit>
void walkThroughPorts(const generic& top, Visit visit) {
    Transaction reading(global_db().database(), Transaction::Mode::Read);
    std::unordered_set<std::int32_t> expanded{top.ID()};
    struct Level {
        std::shared_ptr<ObjRelations> relations;
        std::size_t next = 0;
    };
    std::vector<Level> levels;
    const auto enter = [&](const generic& entity) {
        levels.push_back({entity.GetDecompRelations()});
    };
    enter(top);
    generic child;
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next == level.relations->size()) {
            levels.pop_back();
            continue;
        }
        const std::shared_ptr<ObjRelation> relation =
            *(level.relations->begin() + static_cast<std::ptrdiff_t>(level.next++));
        child.Init(KeyOfID(relation->EndID()));
        const bool newPort = child.hasType(EntityType::Port) && !expanded.contains(child.ID());
        if (visit(relation, newPort ? &child : nullptr) && newPort) {
            expanded.insert(child.ID());
            enter(child);  // invalidates `level`, which is not used again
        }
    }
    reading.commit();
}

}  // namespace

std::shared_ptr<ObjRelations> generic::GetDecRelsOfPortsToo() const {
    auto result = std::make_shared<ObjRelations>();
    walkThroughPorts(*this, [&](const std::shared_ptr<ObjRelation>& relation, const generic*) {
        result->AddItem(relation);
        return true;
    });
    return result;
}

void generic::GetPorts(Entities& ports, ObjRelations* relations,
                       std::optional<bool> withRelations) const {
    const bool collectRelations = withRelations.value_or(false);
    if (collectRelations && relations == nullptr) {
        throw objectNotSet();
    }
    walkThroughPorts(*this, [&](const std::shared_ptr<ObjRelation>& relation, const generic* port) {
        if (port == nullptr) {
            return false;
        }
        ports.AddByID(EntityID(port->ID()));
        if (collectRelations) {
            relations->AddItem(relation);
        }
        return true;
    });
}

}  // namespace kt
