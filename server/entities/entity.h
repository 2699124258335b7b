#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace kt {

class Entities;
class ObjRelation;
class ObjRelations;
class generic;

// The published object for one row of Entity. It holds nothing but its worker, which keeps
// the row and runs every statement for it. An Entity is made per request: two Entity objects
// of one row have separate workers and separate copies of the row. One that was never bound
// reads as empty values and refuses every change.
class Entity {
public:
    std::string Name() const;
    void setName(const std::string& value);

    // Recounts and stores the entity's cached decomposition, specialization and bundle counts.
    void UpdateCachedCounts();
    // True when GeneralEnt is this entity or one of its generalizations at any depth.
    bool HasGeneralization(Entity& GeneralEnt);

    // Library-internal. Binds this entity to the row of a public entity ID (key * 100): an ID
    // of another kind raises error 6 "This is not the ID of an entity." before the database is
    // touched; a missing row raises error 2. A deleted entity loads like any other.
    void LoadFromID(std::int32_t ID);
    // Library-internal. The worker, made empty (not bound) on first use.
    const std::shared_ptr<generic>& GetGeneric();
    // Library-internal. Makes `worker` this entity's worker, for queries that filled one from
    // a row already read.
    void SetGeneric(std::shared_ptr<generic> worker);

    // Relation lists and the hierarchy (entity_relation_lists.cpp). The lists are the
    // worker's (generic.h), handed back unchanged: GetRelations is GetRelations,
    // GetPerformedBy is GetPerformedByRelations, GetPortRelations is GetPortRels, the others
    // carry the worker's names. An entity that was never bound refuses each with error 2.
    std::shared_ptr<ObjRelations> GetRelations(std::int16_t rel_type, std::int16_t direction);
    std::shared_ptr<ObjRelations> GetPerformedBy();
    std::shared_ptr<ObjRelations> GetExceptions();
    std::shared_ptr<ObjRelations> GetExceptionHandlers();
    std::shared_ptr<ObjRelations> GetDecomposition();
    std::shared_ptr<ObjRelations> GetPortRelations();
    std::shared_ptr<ObjRelations> GetWhereUsed();
    std::shared_ptr<ObjRelations> GetNavRelations();
    std::shared_ptr<ObjRelations> GetNavigatedFrom();
    // The bundles that hold this activity, deleted ones left out, deleted activity or not;
    // error 666 "This entity is not an activity" for any other entity.
    std::shared_ptr<Entities> GetParentBundles();
    // The live specializations in display order: through Specialization_Type 1 or 2 (any other
    // value: error 3 "Invalid Specialization_type."), or without one as GetSpecIDs chooses.
    std::shared_ptr<Entities> GetSpecializations(
        std::optional<std::int16_t> Specialization_Type = std::nullopt);
    // The live direct generalizations, as GetGenIDs finds them.
    std::shared_ptr<Entities> GetGeneralizations();

    // Typed relations from this entity to another (entity_typed_relations.cpp). Each checks
    // the types of both ends first (error 26 with the rule's message), then has this entity's
    // worker insert the relation in a new slot and repeat it in every specialization; the
    // navigation relation is not repeated. Unbound entities raise error 2, deleted ones error
    // 22 "You cannot make any changes to a deleted entity."; nothing is written on an error.
    //
    // Types 15, 16, 17, 20 and 21; any other: "Relation Type not supported with this method.".
    std::shared_ptr<ObjRelation> AddRelation(Entity& NewEnt, std::int16_t Relation_Type,
                                             const std::string& UID, const std::string& SlotUID);
    std::shared_ptr<ObjRelation> AddPerformedBy(Entity& NewEnt, const std::string& UID,
                                                const std::string& SlotUID);
    std::shared_ptr<ObjRelation> AddException(Entity& NewEnt, const std::string& UID,
                                              const std::string& SlotUID);
    // Types 10 to 13; after the entity rules, any other is error 3 "Invalid relation type
    // for operation".
    std::shared_ptr<ObjRelation> AddExceptionHandler(Entity& NewEnt, std::int16_t Relation_Type,
                                                     const std::string& UID,
                                                     const std::string& SlotUID);
    // Any two entities, also an entity with itself.
    std::shared_ptr<ObjRelation> AddNewNavRelation(Entity& NewEndEnt, const std::string& UID,
                                                   const std::string& SlotUID);
    // Removes the navigation relations from ParentEnt to this entity; true when there was one.
    bool RemoveNavRelation(Entity& ParentEnt);

    // Published members whose work is still to come: each raises "not implemented".
    void Fix_all_system_attributes(std::int32_t& CorrectedCount);
    std::shared_ptr<Entity> AddNewSpecialization(
        const std::string& Nm, const std::string& Ct,
        std::optional<std::int32_t> BundleID = std::nullopt,
        std::optional<std::string> PIFID = std::nullopt);
    void AdoptSpecialization(Entity& childEnt);

private:
    std::shared_ptr<generic> worker_;
};

}  // namespace kt
