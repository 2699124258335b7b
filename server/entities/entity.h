#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "server/attributes/obj_attribute.h"
#include "server/entities/context_arguments.h"
#include "server/entities/managing_structure.h"

namespace kt {

class Entities;
class ObjAttributes;
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

    // Attributes (entity_attributes.cpp). A name is a computed attribute ("kt_Name" ...
    // "kt_ACL"), a "kt_" alias of a stored attribute ("kt_Description" is the stored
    // "Description"), or the plain name of a stored attribute, compared exactly. A name that
    // belongs to other entity types raises error 3 before anything else is looked at. An
    // entity that was never bound refuses each member with error 2.
    //
    // The attribute object, bound to this entity's worker; error 11 for a stored name the
    // entity lacks, error 22 for a deleted entity.
    std::shared_ptr<ObjAttribute> GetAttribute(const std::string& attrName);
    // The stored attributes, then the computed ones of the entity's type.
    std::shared_ptr<ObjAttributes> GetAttributes();
    // The value: the row's cached fields for the computed scalars (deleted entity or not),
    // Null for "kt_ResourceID" of a dependency without a resource, the stored value
    // otherwise. Error 7 for the object-holding names.
    Value GetAttributeValue(const std::string& atriName);
    // What "kt_Bundles", "kt_Activities", "kt_ManagingEntity", "kt_ManagingEntities" and
    // "kt_ManagingConnectors" hold (the last two in the context of the entity with public ID
    // MainContextID); nothing for any other name.
    AttributeObject GetAttributeObject(const std::string& atriName, std::int32_t MainContextID = 0);
    // Checks the name and the value, then writes the value on this entity (errors 3 to 7, 11,
    // 22), or inside the context ContRels on the entity ResolveContextEntity gives, which
    // reports in Changed and ChanArr what it made; "kt_TradeoffLayout" is always written here.
    // One transaction.
    void SetAttributeValue(const std::string& atriName, const Value& atriVal,
                           const ObjRelations& ContRels, bool& Changed, ChangeArray& ChanArr);
    // The same, with what a context made left unreported.
    void SetAttributeValue(const std::string& atriName, const Value& atriVal,
                           const ObjRelations* ContRels = nullptr);
    // Error 19 for every name that holds no object; "kt_Bundles" and "kt_Activities" take a
    // list of entities as the new bundle membership (ObjAttribute::setObject); the managing
    // entities are not offered yet.
    void SetAttributeObject(const std::string& attrName, const AttributeObject& NewObj);
    // Error 19 for names other than "kt_Bundles", "kt_Activities" and "kt_ManagingEntities";
    // the membership lists gain or lose one entity (Index is 1-based) and are written back as
    // SetAttributeObject writes them. Removing from "kt_ManagingEntities" changes nothing;
    // adding to it is not offered yet.
    void AddItemToAttrCol(const std::string& attrName, const std::shared_ptr<Entity>& Obj);
    void RemoveItemFromAttrCol(const std::string& attrName, std::int16_t Index);
    // A new stored attribute with the value and inheritance behaviour (0 stands for 2, which
    // the caller's variable then holds; outside 1 to 5: error 15). Unless `system_attribute`,
    // an empty name (13) and a reserved name (14) are refused. ContextArr must hold at least
    // one element (else error 16); from index 1 on its public IDs become plain keys.
    std::shared_ptr<ObjAttribute> AddNewAttribute(const std::string& attrName,
                                                  std::vector<std::int32_t>& ContextArr,
                                                  std::vector<std::int32_t>& ChangedArr,
                                                  const Value& attrValue,
                                                  std::int16_t& inherit_type,
                                                  bool system_attribute = false);
    // Marks a stored attribute deleted with its following copies; error 10 for a "kt_" name.
    void DeleteAttribute(const std::string& attrName);
    // Adds to `CorrectedCount` the standard attributes an activity lacks.
    void Fix_all_system_attributes(std::int32_t& CorrectedCount);

    // Decomposition editing (entity_decomposition_editing.cpp). ContRels is the context path
    // from the edited entity upward (empty: no context); Changed and ChanArr report what the
    // context resolution specialized. Each edit is one transaction.
    //
    // NewEnt as a new child in a new slot after the current children; error 26 when this
    // entity's type does not take NewEnt's type.
    std::shared_ptr<ObjRelation> AddDecomp(Entity& NewEnt, const ObjRelations& ContRels,
                                           ChangeArray& ChanArr, bool& Changed,
                                           const std::string& UID, const std::string& SlotUID);
    // Takes this entity out of ParentEnt's slot MySlot (or the slot with that slot unique ID),
    // with the slot in every specialization still holding it; with delete_slot the whole slot
    // goes, whoever fills it. Any failure: error 28 "Relation could not be deleted.". True when
    // a relation was removed.
    bool RemoveFromDecomp(Entity& ParentEnt, std::int32_t MySlot, const std::string& SlotUID,
                          bool delete_slot);
    // Puts NewChildEntity in the slot of relation Decomp_Rel_ID in place of ChildEntity:
    // same slot, display order and slot unique ID; the relations drawn in this context to or
    // from the old child in that slot follow. Replace also copies the relation's attributes
    // and returns the new relation; refine returns true.
    std::shared_ptr<ObjRelation> ReplaceInDecomp(std::int32_t Decomp_Rel_ID, Entity& ChildEntity,
                                                 Entity& NewChildEntity,
                                                 const ObjRelations& ContRels, ChangeArray& ChanArr,
                                                 bool& Changed, const std::string& UID,
                                                 const std::string& SlotUID);
    bool ReFineInDecomp(std::int32_t Decomp_Rel_ID, Entity& ChildEntity, Entity& NewChildEntity,
                        const ObjRelations& ContRels, ChangeArray& ChanArr, bool& Changed,
                        const std::string& UID);

    // Connectors and relations drawn in this entity between entities of its decomposition
    // (entity_connectors.cpp). A slot path lists slot IDs separated by ",", from the port or
    // entity upward to the slot in this entity's decomposition; the path strings are consumed
    // (empty afterwards) once the context type has been accepted.
    //
    // Same path lengths: a connector between ports of two children; a shorter start (end)
    // path: a vertical connector from (to) a port of this entity. Errors 28 and 29.
    std::shared_ptr<ObjRelation> CreateConnector(Entity& EntStartPort, Entity& EntEndPort,
                                                 bool& Changed, const ObjRelations& ContRels,
                                                 ChangeArray& ChanArr, std::string& StartPortSlots,
                                                 std::string& EndPortSlots, const std::string& UID,
                                                 const std::string& SlotUID);
    // The earlier rules: each port's place is found from the relations that use it, the
    // entity types of both owners are checked (errors 28 to 31, 33, 34) and a port of this
    // entity takes one vertical connector only.
    std::shared_ptr<ObjRelation> CreateConnector_bak(Entity& EntStartPort, Entity& EntEndPort,
                                                     bool& Changed, const ObjRelations& ContRels,
                                                     ChangeArray& ChanArr,
                                                     std::string& StartPortSlots,
                                                     std::string& EndPortSlots);
    // A relation of type 17, 18 or 19 (else error 10) between the entities the two paths
    // reach; error 28 "Relation could not be made." when they reach none. StartEntity,
    // EndEntity and the context arguments are not read.
    std::shared_ptr<ObjRelation> CreateHorizonalRelation(
        std::int16_t rel_type, Entity& StartEntity, Entity& EndEntity, bool& Changed,
        const ObjRelations& ContRels, ChangeArray& ChanArr, std::string& StartSlotsString,
        std::string& EndSlotsString, const std::string& UID, const std::string& SlotUID);

    // Managing structure inside a context (entity_managing.cpp): "kt_ManagingEntity" of a port
    // takes the relation through which the managing port belongs to its activity;
    // "kt_ManagingEntities" of a dependency takes a list of at most one activity. Any other
    // name goes to the members without a context. Removing a manager is not supported.
    void SetAttributeObject(const std::string& attrName, const AttributeObject& NewObj,
                            const ObjRelations& ContRels, bool& Changed, ChangeArray& ChanArr);
    void AddItemToAttrCol(const std::string& attrName, const std::shared_ptr<Entity>& Obj,
                          const ObjRelations& ContRels, bool& Changed, ChangeArray& ChanArr);
    // "kt_ManagingEntity" of a port: NewObj is the relation from the managing activity to
    // the managing port. Errors 3, 17, 25, 39, 40 and 42 before anything is written.
    void SetAttributeObject(const std::string& attrName, const std::shared_ptr<ObjRelation>& NewObj,
                            const ObjRelations& ContRels, bool& Changed, ChangeArray& ChanArr);
    // Library-internal. The same, its new entities made by `specialize`.
    void SetAttributeObject(const std::string& attrName, const std::shared_ptr<ObjRelation>& NewObj,
                            const ObjRelations& ContRels, bool& Changed, ChangeArray& ChanArr,
                            const SpecializationMaker& specialize);

    // Library-internal (entity_context.cpp). The item of ContRels that ends at `ent`; error 25
    // when there is none.
    std::shared_ptr<ObjRelation> FindContextRelation(Entity& ent, const ObjRelations& ContRels);
    // Library-internal. The entity an edit in the context ContRels lands on. The path must
    // lead from this entity (or from a dependency it manages) up through linked relations,
    // else error 25 (37 for a managed activity); ChanArr is reset first. A path without an
    // inherited relation leaves Changed false and gives this entity; one with an inherited
    // relation gives the specialization of this entity made for the context
    // (SpecializeInContext), Changed true, or error 25 when the path made none of this entity.
    // One transaction.
    std::shared_ptr<Entity> ResolveContextEntity(const ObjRelations& ContRels, bool& Changed,
                                                 ChangeArray& ChanArr);

    // Specialization (entity.cpp). A new specialization of this entity, named Nm (empty or
    // ending in "Root": error 24), in the bundle with the public ID BundleID when this is an
    // activity; a new activity also gets its own bundle "Default " + Nm. One transaction.
    std::shared_ptr<Entity> AddNewSpecialization(
        const std::string& Nm, const std::string& Ct,
        std::optional<std::int32_t> BundleID = std::nullopt,
        std::optional<std::string> PIFID = std::nullopt);
    // Makes childEnt a specialization of this entity (generic::AdoptSpecialization).
    void AdoptSpecialization(Entity& childEnt);
    // Takes this entity out of the generalization ParentEnt (generic::RemoveFromSpec).
    bool RemoveFromSpec(Entity& ParentEnt);

private:
    std::shared_ptr<generic> worker_;
};

}  // namespace kt
