#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "server/attributes/relation_anchor.h"
#include "server/database/type_codes.h"
#include "server/entities/generic.h"

namespace kt {
class ObjRelation;
}

namespace kt::test {

// One relation for FixtureCatalogue::relation; what is left out takes the values the
// relation creators give.
struct FixtureRelation {
    RelationType type = RelationType::Decomposition;
    std::int32_t start = 0;
    std::int32_t end = 0;
    std::optional<std::int32_t> context{};  // the start entity
    std::optional<std::int32_t> slot{};     // a new slot number
    std::int32_t displayOrder = 0;
    // The key of the relation this one repeats; the relation is then marked inherited.
    std::optional<std::int32_t> inheritedFrom{};
    std::string contextPath{};
    std::string uniqueId{};
};

// Catalogue content for tests, written through the library's own insert paths: entities as
// the catalogue inserts them, specialization links as the entity model writes them, relations
// through ObjRelation::InsertNew. It works on the shared database object, which must be open;
// each call is one transaction.
class FixtureCatalogue {
public:
    // A live entity; returns its key.
    std::int32_t entity(const std::string& name, EntityType type = EntityType::Thing);
    // Links `child` under `parent`.
    void specialize(std::int32_t parent, std::int32_t child,
                    SpecializationType type = direct_specialization, std::int32_t displayOrder = 0);
    // A new activity below `parent`, linked as activities are: through a bundle (type 1) and
    // directly (type 2).
    std::int32_t specializeActivity(std::int32_t parent, std::int32_t bundle,
                                    const std::string& name);
    // Inserts the relation under the next key and returns it as the creators would.
    std::shared_ptr<ObjRelation> relation(const FixtureRelation& relation);
    // The relation at the first of `entities`, and a repetition with its slot at each of the
    // others, as the creators repeat relations down the specializations: `anchor` says
    // whether it starts there or is drawn there. With `inherited` the repetitions name the
    // first as their origin.
    std::vector<std::shared_ptr<ObjRelation>> repeated(FixtureRelation relation,
                                                       std::initializer_list<std::int32_t> entities,
                                                       RelationAnchor anchor, bool inherited);
    // Marks the entity deleted through its worker.
    void deleteEntity(std::int32_t key);
};

// The plain key of a relation.
std::int32_t keyOf(const ObjRelation& relation);

// A worker bound to the entity.
generic loadedWorker(std::int32_t key);

}  // namespace kt::test
