#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kt {

class generic;

// The walk of specialization_walk.h for visits whose outcome depends on the entity alone, read
// a level at a time: one statement lists the live specializations of every entity of a level,
// and the caller judges each level's new entities with statements of its own. A hierarchy of
// thousands of entities so costs a few statements per level instead of several per entity, and
// the writes that follow can take all the entities at once.

// An entity the walk reaches.
struct ReachedEntity {
    std::int32_t key = 0;
    std::int16_t type = 0;
};

// What the walk does at one entity.
struct Verdict {
    bool visit = false;    // the entity is among those returned
    bool descend = false;  // the walk goes on below it
};

// Judges the live entities first reached at one level, in the order read: one verdict each,
// in the same order.
using LevelJudge = std::function<std::vector<Verdict>(const std::vector<ReachedEntity>&)>;

// The entities below `top` judged `visit`, in the order in which walkSpecializations visits
// them: depth-first, pre-order, each entity's specializations in spec_display_order, each
// entity once however many ways lead to it, a deleted link or entity passed over with
// everything below it. `top` must be live (error 22 "You cannot make any changes to a deleted
// entity."); a link to an entity whose row has gone raises error 2, as loading it would.
std::vector<ReachedEntity> plannedWalk(const generic& top, const LevelJudge& judge);

// Stamps each entity's last change with the current time in one statement, as
// generic::StampLastModified stamps one.
void stampLastModified(const std::vector<ReachedEntity>& entities);

// The keys as a JSON array, which a statement reads whole through json_each.
std::string keyArray(const std::vector<std::int32_t>& keys);
std::string keyArray(const std::vector<ReachedEntity>& entities);

}  // namespace kt
