#include "server/entities/generalization.h"

#include <cstddef>
#include <unordered_set>
#include <vector>

#include "server/database/db.h"
#include "server/database/transaction.h"
#include "server/entities/generic.h"

namespace kt {

bool IsGeneralizationOf(std::int32_t entityKey, std::int32_t generalizationKey) {
    if (entityKey == generalizationKey) {
        return true;
    }
    Transaction reading(global_db().database(), Transaction::Mode::Read);
    std::unordered_set<std::int32_t> visited;
    std::vector<std::int32_t> pending{entityKey};
    std::vector<std::int32_t> parents;
    while (!pending.empty()) {
        const std::int32_t key = pending.back();
        pending.pop_back();
        if (key == generalizationKey) {
            return true;
        }
        if (!visited.insert(key).second) {
            continue;
        }
        generic worker;
        worker.Init(key);
        worker.GetGenIDs(parents);
        // Pushed last to first, so that the first generalization is walked first.
        for (std::size_t i = parents.size(); i-- > 1;) {
            pending.push_back(parents[i]);
        }
    }
    return false;
}

}  // namespace kt
