#include "server/entities/specialization_levels.h"

#include <algorithm>
#include <cstddef>
#include <unordered_map>
#include <unordered_set>

#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/time_stamp.h"
#include "server/database/type_codes.h"
#include "server/entities/generic.h"

namespace kt {

namespace {

// What one level's statement found: each parent's live links in display order, and the
// entities reached for the first time.
struct Level {
    std::unordered_map<std::int32_t, std::vector<std::int32_t>> children;
    std::vector<ReachedEntity> reached;
};

// An activity's specializations hang below it through spec_type 2, every other entity's
// through spec_type 1.
Level readLevel(const std::vector<std::int32_t>& parents, std::unordered_set<std::int32_t>& seen) {
    Recordset rows = global_db().CreateSnapshot(
        "SELECT s.spec_parent_ent_id, s.spec_child_ent_id, c.ent_id AS present, c.ent_type, "
        "c.ent_deleted FROM Specialization AS s JOIN Entity AS p ON p.ent_id = "
        "s.spec_parent_ent_id LEFT JOIN Entity AS c ON c.ent_id = s.spec_child_ent_id "
        "WHERE s.spec_parent_ent_id IN (SELECT value FROM json_each(?)) AND s.spec_deleted = 0 "
        "AND s.spec_type = CASE WHEN p.ent_type = ? THEN ? ELSE ? END "
        "ORDER BY s.spec_display_order, s.spec_id",
        keyArray(parents), EntityType::Activity, cache_specialization, direct_specialization);
    Level level;
    for (; !rows.eof(); rows.moveNext()) {
        const std::int32_t child = rows["spec_child_ent_id"].asLong();
        level.children[rows["spec_parent_ent_id"].asLong()].push_back(child);
        if (!seen.insert(child).second) {
            continue;
        }
        if (rows["present"].isNull()) {
            throw catalogueError(msg::EntityNotPresent);
        }
        if (!rows["ent_deleted"].asBoolean()) {
            level.reached.push_back({child, rows["ent_type"].asInteger()});
        }
    }
    return level;
}

// Replays the depth-first walk over what the levels found.
class WalkOrder {
public:
    explicit WalkOrder(std::int32_t top) : top_(top) {}

    void addChildren(std::unordered_map<std::int32_t, std::vector<std::int32_t>>&& children) {
        for (auto& [parent, list] : children) {
            children_[parent] = std::move(list);
        }
    }
    void judged(const ReachedEntity& entity, Verdict verdict) {
        judged_[entity.key] = {entity, verdict};
    }

    std::vector<ReachedEntity> visits() const {
        std::vector<ReachedEntity> order;
        std::unordered_set<std::int32_t> visited{top_};
        std::vector<std::int32_t> pending;
        pushChildren(top_, pending);
        while (!pending.empty()) {
            const std::int32_t key = pending.back();
            pending.pop_back();
            const auto found = judged_.find(key);
            if (!visited.insert(key).second || found == judged_.end()) {
                continue;  // seen already, or deleted
            }
            const auto& [entity, verdict] = found->second;
            if (verdict.visit) {
                order.push_back(entity);
            }
            if (verdict.descend) {
                pushChildren(key, pending);
            }
        }
        return order;
    }

private:
    void pushChildren(std::int32_t parent, std::vector<std::int32_t>& pending) const {
        const auto found = children_.find(parent);
        if (found != children_.end()) {
            // Last to first, so that the first specialization is walked first.
            pending.insert(pending.end(), found->second.rbegin(), found->second.rend());
        }
    }

    std::int32_t top_;
    std::unordered_map<std::int32_t, std::vector<std::int32_t>> children_;
    std::unordered_map<std::int32_t, std::pair<ReachedEntity, Verdict>> judged_;
};

}  // namespace

std::vector<ReachedEntity> plannedWalk(const generic& top, const LevelJudge& judge) {
    if (!top.isBound()) {
        throw catalogueError(msg::EntityNotPresent);
    }
    if (top.Deleted()) {
        throw catalogueError(msg::DeletedEntityChange);
    }
    WalkOrder order(top.ID());
    std::unordered_set<std::int32_t> seen{top.ID()};
    std::vector<std::int32_t> parents{top.ID()};
    while (!parents.empty()) {
        Level level = readLevel(parents, seen);
        order.addChildren(std::move(level.children));
        const std::vector<Verdict> verdicts =
            level.reached.empty() ? std::vector<Verdict>() : judge(level.reached);
        parents.clear();
        for (std::size_t i = 0; i < level.reached.size(); ++i) {
            const Verdict verdict = i < verdicts.size() ? verdicts[i] : Verdict{};
            order.judged(level.reached[i], verdict);
            if (verdict.descend) {
                parents.push_back(level.reached[i].key);
            }
        }
    }
    return order.visits();
}

void stampLastModified(const std::vector<ReachedEntity>& entities) {
    if (entities.empty()) {
        return;
    }
    global_db().Execute(
        "UPDATE Entity SET ent_last_modified = ? WHERE ent_id IN (SELECT value FROM json_each(?))",
        TimeStamp::now().lastModified(), keyArray(entities));
}

std::string keyArray(const std::vector<std::int32_t>& keys) {
    std::string text = "[";
    for (const std::int32_t key : keys) {
        if (text.size() > 1) {
            text += ',';
        }
        text += std::to_string(key);
    }
    return text + "]";
}

std::string keyArray(const std::vector<ReachedEntity>& entities) {
    std::vector<std::int32_t> keys;
    keys.reserve(entities.size());
    for (const ReachedEntity& entity : entities) {
        keys.push_back(entity.key);
    }
    return keyArray(keys);
}

}  // namespace kt
