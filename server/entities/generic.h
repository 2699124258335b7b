#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "server/attributes/obj_attribute.h"
#include "server/database/catalogue_messages.h"
#include "server/database/type_codes.h"
#include "server/entities/entity_record.h"

namespace kt {

class Entities;
class ObjAttribute;
class ObjAttributes;
class Entity;
class ObjRelation;
class ObjRelations;

// The worker behind one Entity: a copy of the entity's row of table Entity, and every
// statement that reads or changes that row. The copy is filled once when the worker is bound
// (Init, InitFromFields) and afterwards changed only by the worker's own setters; another
// worker of the same entity does not see those changes until it reloads.
//
// Every change runs as one transaction: the row and the copy change together or not at all.
class generic : public std::enable_shared_from_this<generic> {
public:
    // Binds the worker to the row with this plain ent_id, deleted or not. A missing row raises
    // error 2 "This entity is not present in the database." and keeps the copy as it was.
    void Init(std::int32_t key);
    // Binds the worker to a row that a query has read already.
    void InitFromFields(const EntityRecord& record);
    // False until Init or InitFromFields succeeded: a worker without a row reads as empty values
    // and refuses every change with error 2.
    bool isBound() const { return bound_; }

    std::int32_t ID() const { return record_.id; }  // the plain ent_id
    std::int32_t Typ() const { return record_.type; }
    bool hasType(EntityType type) const { return record_.type == static_cast<std::int16_t>(type); }
    const std::string& Name() const { return record_.name; }
    const std::string& Contact() const { return record_.contact; }
    bool Deleted() const { return record_.deleted; }
    const std::string& UniqueID() const { return record_.uniqueId; }
    // The stored last-modified text as a local date and time; "Type mismatch" when the text is
    // not one.
    std::chrono::local_seconds LastModified() const;
    const std::string& LastModifiedText() const { return record_.lastModified; }
    const EntityRecord& record() const { return record_; }

    // The setters refuse a deleted entity with error 22 and stamp the change.
    void setName(const std::string& value);
    void setContact(const std::string& value);
    // Marking the entity deleted writes the flag and the stamp together. A deleted entity
    // cannot be brought back (error 22).
    void setDeleted(bool value);

    // Writes the current local time into ent_last_modified ("mm-dd-yyyy hh:mm:ss").
    void StampLastModified();

    std::int32_t ACL() const { return record_.acl; }
    void setACL(std::int32_t value);

    // The published counts are 16-bit: past 32,767 they raise the overflow error.
    std::int16_t DecompCount() const;
    std::int16_t SpecCount() const;
    std::int32_t BundleCount() const { return record_.bundleCount; }

    // Recounts the three cached counts from Relation and Specialization and stores them. An
    // activity counts its bundles (spec_type 1) apart from its specializations (spec_type 2);
    // any other entity counts spec_type 1 links as specializations and has no bundles.
    void UpdateCachedCounts();
    // Reload the row, then add `value` to the count (or set it, when `absolute`) and store it.
    // A count may become negative.
    void UpdateDecompCount(std::int32_t value, bool absolute = false);
    void UpdateSpecCount(std::int32_t value, bool absolute = false);
    // Changes only a live row: a deleted entity keeps its stored count, and so does the copy.
    void UpdateBundleCount(std::int32_t value, bool absolute = false);

    // Hierarchy readers (generic_hierarchy.cpp). Each refuses an unbound worker with error 2
    // and a deleted entity with error 22 "You cannot make any changes to a deleted entity.".
    //
    // The keys of this entity's live direct specializations, from index 1 (element 0 is 0) in
    // spec_display_order: through the given link type, or without one through spec_type 2 for
    // an activity and spec_type 1 for any other entity.
    void GetSpecIDs(std::vector<std::int32_t>& ids,
                    std::optional<std::int16_t> linkType = std::nullopt) const;
    // The keys of this entity's direct generalizations, laid out as GetSpecIDs lays them out:
    // through spec_type 2 for an activity other than "Activity Root", through spec_type 1
    // otherwise.
    void GetGenIDs(std::vector<std::int32_t>& ids) const;
    // An activity's live bundles; error 3 for any other entity.
    std::shared_ptr<Entities> GetBundles() const;
    // A bundle's live member activities, whatever the link type; error 3 for any other entity.
    std::shared_ptr<Entities> GetActivities() const;
    // The number of live links to parents, of any link type, of a bundle or of an activity;
    // error 3 for an entity of the other types.
    std::int16_t CountParentActivitiesForBundle() const;
    std::int16_t CountParentBundlesForActivity() const;
    // True when GeneralEnt is this entity or one of its generalizations at any depth.
    bool HasGeneralization(const generic& GeneralEnt) const;

    // Hierarchy writers (generic_specialization.cpp). Each is one transaction and refuses an
    // unbound worker with error 2 and a deleted entity with error 22 "You cannot make any
    // changes to a deleted entity.".
    //
    // A bundle's first live generalization that is an activity; nullptr when it has none.
    std::shared_ptr<generic> GetParentGenForBundle() const;
    // An activity's bundle "Default " + its name, else its first bundle; an activity without
    // one gets a new bundle "Special Default " + its name. Error 3 for any other entity.
    std::shared_ptr<generic> GetDefaultBundle();
    // A new entity of this entity's type below it: an activity's specialization goes into
    // `bundleKey` (a live bundle of this activity, else error 17) or the default bundle. It
    // receives the inheritable attributes and, with `inherit`, the relations and the cached
    // decomposition count (neither from a bundle, attribute type, entity collection or user
    // group). A PIF ID that a live entity holds is refused with error 667; without one it is
    // generated.
    std::shared_ptr<generic> AddNewSpecialization(const std::string& name,
                                                  const std::string& contact, bool inherit,
                                                  std::optional<std::int32_t> bundleKey,
                                                  std::optional<std::string> pifId);
    // Links `child` below this entity as AddNewSpecialization links a new one (below a bundle:
    // also below the bundle's activity), gives it the attributes it lacks and the decomposition
    // children of slots it does not fill, marked inherited. Refused with error 27, before
    // anything is written: the entity itself, a child already linked here, one of this
    // entity's generalizations, and a bundle without an activity.
    void AdoptSpecialization(generic& child);
    // On an activity: the bundle of `ParentActivity` that holds this activity, found through
    // the live links. None: error 666 "Bundle not found" (source
    // "GetParentBundleForActivity"), or with `Quiet` nullptr and `Found` false.
    std::shared_ptr<generic> GetParentBundleForActivity(const generic& ParentActivity, bool Quiet,
                                                        bool& Found) const;
    // Takes this entity out of the generalization `ParentGen` (an activity out of one of its
    // bundles, or out of its generalization activity with the bundle between them). With a
    // generalization left, its decomposition slots that `ParentGen` filled follow the other
    // generalization, or their children leave. With none left the entity is deleted with its
    // relations in both directions, its bundles when `ParentGen` is an activity, and every
    // specialization below that loses its last generalization. One transaction; any failure,
    // "is not a specialization of" included, is the plain error 666, source "RemoveFromSpec".
    // False, with nothing written, when the bundle does not hold the activity.
    bool RemoveFromSpec(generic& ParentGen);

    // Relation lists (generic_relation_lists.cpp): the live relations of one kind, each list
    // new for the call and empty when nothing matches. Each refuses an unbound worker with
    // error 2 and a deleted entity with error 22 and the message noted. Lists without an order
    // of their own come in key order.
    //
    // Connectors (2, 3) drawn in the context `contextKey` that start or end here. Deleted:
    // "You cannot make any changes to a deleted entity.", as for the next seven.
    std::shared_ptr<ObjRelations> GetConnectors(std::int32_t contextKey) const;
    // Decompositions (1), then connectors (2), drawn in this entity, each by display order.
    std::shared_ptr<ObjRelations> GetDecomposition() const;
    // Decompositions drawn in this entity that end at a port.
    std::shared_ptr<ObjRelations> GetPortRels() const;
    // Navigation relations (4) from this entity; each reports the context ID -1.
    std::shared_ptr<ObjRelations> GetNavRelations() const;
    // Navigation relations to this entity.
    std::shared_ptr<ObjRelations> GetNavigatedFrom() const;
    // Decompositions (1, 8) that end at this entity.
    std::shared_ptr<ObjRelations> GetWhereUsed() const;
    // Connectors (2, 3), and with `includeInContext` the relations drawn in a context (17 to
    // 19), whose context is this entity.
    std::shared_ptr<ObjRelations> GetContextConnectors(bool includeInContext) const;
    // Has-exception relations (9) from an activity, or to any other entity, by display order.
    // Deleted: "Object is deleted.", as for the next one.
    std::shared_ptr<ObjRelations> GetExceptions() const;
    // Exception handlers (10 to 13) to an activity, or from any other entity, by type and then
    // display order.
    std::shared_ptr<ObjRelations> GetExceptionHandlers() const;
    // Performed-by relations (14) from an activity or to a resource; empty, without a query,
    // for any other entity. Deleted: "No access to a deleted entity.", as for the rest.
    std::shared_ptr<ObjRelations> GetPerformedByRelations() const;
    // Relations of `rel_type` (0: every type) in the column that `direction` names
    // (RelationDirection); any other direction fails with error 22 "Unsupported direction
    // specified." before a query.
    std::shared_ptr<ObjRelations> GetRelations(std::int16_t rel_type, std::int16_t direction) const;
    // Relations of every type in one slot, in the column that `direction` names, as above.
    std::shared_ptr<ObjRelations> GetSlotRelations(std::int32_t slotId,
                                                   std::int16_t direction) const;
    // Decompositions (1, 8) that start at this entity.
    std::shared_ptr<ObjRelations> GetDecompRelations() const;
    // Connectors (2, 3) in the context of `context` that start or end here, deleted entity or
    // not.
    std::shared_ptr<ObjRelations> GetConnectorsInContext(const generic& context) const;

    // Port walks (generic_port_walks.cpp). Both go down the decomposition through ports only,
    // depth first, and expand every entity once, so a cycle of ports ends the walk. A deleted
    // port on the way fails with error 22 "No access to a deleted entity.".
    //
    // This entity's decompositions, each that ends at a port followed by that port's own list.
    std::shared_ptr<ObjRelations> GetDecRelsOfPortsToo() const;
    // Appends the ports below this entity to `ports` (deleted ones left out) and, with
    // `withRelations` true, the relation leading to each to `relations`, in step.
    void GetPorts(Entities& ports, ObjRelations* relations,
                  std::optional<bool> withRelations = std::nullopt) const;

    // Relation creators (generic_relation_creation.cpp, generic_connector_creation.cpp). Each
    // inserts one new relation owned by this entity and repeats it in every live
    // specialization below, as one transaction. A slot ID of 0 asks for a new slot; `UID` and
    // `SlotUID` are written as given, or generated when empty.
    //
    // A decomposition (1) to `end`, "Decomposition Relation", path "dec". A display order of
    // 0 places it after the children counted so far; the cached decomposition count of this
    // entity and of every specialization grows by one.
    std::shared_ptr<ObjRelation> AddDecomposition(const generic& end, std::int32_t slotId,
                                                  std::int32_t displayOrder, const std::string& UID,
                                                  const std::string& SlotUID);
    // An exception handler of type 10 to 13; any other type raises error 3 "Invalid relation
    // type for operation" before anything is written.
    std::shared_ptr<ObjRelation> AddExceptionHandler(const generic& end, std::int16_t relationType,
                                                     std::int32_t slotId, const std::string& UID,
                                                     const std::string& SlotUID);
    // A relation of the given type, named by its type ("Unknown" for a type without a name).
    std::shared_ptr<ObjRelation> AddRelation(const generic& end, std::int16_t relationType,
                                             std::int32_t slotId, const std::string& UID,
                                             const std::string& SlotUID);
    std::shared_ptr<ObjRelation> AddPerformedBy(const generic& end, std::int32_t slotId,
                                                const std::string& UID, const std::string& SlotUID);
    std::shared_ptr<ObjRelation> AddException(const generic& end, std::int32_t slotId,
                                              const std::string& UID, const std::string& SlotUID);
    // A navigation relation (4): slot 0, end type 0, this entity's contact, not repeated.
    std::shared_ptr<ObjRelation> AddNewNavRelation(const generic& end, const std::string& UID,
                                                   const std::string& SlotUID);
    // Both connector creators read their paths from the port upward: item 1 is the port's own
    // relation, the last item the relation in this entity's decomposition.
    //
    // A connector (2) drawn in this entity between ports of two of its children; the context
    // path joins the paths' slot IDs. An empty path
    // raises "Invalid procedure call or argument" before anything is written; any later
    // failure of this entity's own insert gives nullptr with nothing written. A specialization
    // whose decomposition lacks the two children or ports, or whose copy fails, is passed over
    // with everything below it. All copies share the slot; each takes `SlotUID`, or generates
    // a slot unique ID of its own when it is empty.
    std::shared_ptr<ObjRelation> CreateHorizontalConnector(Entity& startPort, Entity& endPort,
                                                           const ObjRelations& startPath,
                                                           const ObjRelations& endPath,
                                                           std::int32_t slotId,
                                                           const std::string& UID,
                                                           const std::string& SlotUID);
    // A connector (2) "Vertical Connector" between a port of this entity and a port of one of
    // its children, in slot 0; `startOnThisEntity` says which side's port belongs to this
    // entity. Any failure raises error 29 with its description and writes nothing.
    std::shared_ptr<ObjRelation> CreateVerticalConnector(Entity& startPort, Entity& endPort,
                                                         const ObjRelations& startPath,
                                                         const ObjRelations& endPath,
                                                         bool startOnThisEntity,
                                                         const std::string& UID,
                                                         const std::string& SlotUID);
    // A relation of `relationType` drawn in this entity between the entities that two slot
    // paths reach in its decomposition (elements 1 to the last; the last is walked first,
    // from this entity down). False, with nothing written and `relation` untouched, when a
    // path is empty or leads nowhere or the insert fails; a specialization where the paths
    // lead nowhere, or whose copy fails, is passed over with everything below it.
    bool CreateHorizontalRelation(std::shared_ptr<ObjRelation>& relation, std::int16_t relationType,
                                  const std::string& name,
                                  const std::vector<std::string>& startSlots,
                                  const std::vector<std::string>& endSlots, std::int32_t slotId,
                                  const std::string& UID, const std::string& SlotUID);

    // Soft-deletes the navigation relations from `parent` to this entity; true when there was
    // one. Any failure is raised as the plain error 666, source "RemoveNavRelation".
    bool RemoveNavRelation(const generic& parent) const;

    // Slot removal (generic_slot_removal.cpp). Soft-deletes `relation` with its repetitions
    // down the specializations, as one transaction. A relation with a slot of its own takes
    // every relation of that slot anchored at this entity and at every specialization below;
    // a relation without one (slot 0 or below: navigation, managed-by, "Has Resource",
    // vertical connectors) takes itself and, below, only its copies: those inherited from the
    // same relation, and, drawn in a context, those with the same context path. Any failure
    // is raised as the plain error 666 with its description and changes nothing.
    //
    // For a relation that starts at this entity; source "DeleteRelation". True when a row
    // changed.
    bool DeleteRelation(const ObjRelation& relation);
    // For a relation drawn in this entity's context; source "RemoveSlot". True when a row
    // changed.
    bool RemoveConnectorSlot(const ObjRelation& relation);

    // Decomposition editing (generic_decomposition_editing.cpp), called on the child's
    // worker for `parent`. Soft-deletes the child's relation in the slot (found by MySlot when
    // SlotUID is empty; none: plain error 666 "RemoveFromDecomp: relation not found"), or with
    // delete_slot every relation of the slot, here and in every specialization of the parent
    // that still holds it; the parent's cached count drops by one at each. Unless
    // keepConnectors, the connectors of the child's ports whose context path names the slot
    // go with it. One transaction; any failure is the plain error 666, source
    // "RemoveFromDecomp". True when a relation was removed.
    bool RemoveFromDecomp(const generic& parent, std::int32_t MySlot, const std::string& SlotUID,
                          bool delete_slot, bool keepConnectors);
    // True when `parent` holds a live relation of that slot unique ID (to this entity only,
    // unless wholeSlot).
    bool GetDecompRelBySlotUID(const generic& parent, const std::string& SlotUID,
                               bool wholeSlot) const;
    // On the parent: `newChild` takes the place of `child` in the slot of relation
    // Decomp_Rel_ID (a public ID); error 23 when the parent holds no such live relation to
    // `child`. Replace copies the relation attributes; refine raises its failures as the plain
    // error 666, source "RefineInDecomp". One transaction each.
    std::shared_ptr<ObjRelation> ReplaceInDecomp(std::int32_t Decomp_Rel_ID, const generic& child,
                                                 const generic& newChild, const std::string& UID);
    bool ReFineInDecomp(std::int32_t Decomp_Rel_ID, const generic& child, const generic& newChild,
                        const std::string& UID);

    // Managing relations (generic_managing.cpp). Walks along managing relations expand every
    // entity once and end quietly where a link is missing.
    //
    // On a dependency: a managed-by relation (5) to `activity` and, unless `parent` has one
    // already, an automatic decomposition (8) from `parent` to it, both marked as copies of
    // `inheritedFromKey`, or of the managed-by relation (whose key `inheritedFromKey` then
    // takes). Each key and slot is drawn when its row is written. One transaction.
    void SetManagingActivityForDepe(const generic& activity, const generic& parent,
                                    std::optional<std::int32_t>& inheritedFromKey);
    // The entities that manage this one (error 22 for a deleted entity), and those it manages
    // (deleted ones left out).
    std::shared_ptr<Entities> GetManagingEntities() const;
    std::shared_ptr<Entities> GetAllEntitiesBeingManaged() const;
    // Appends this entity's ports and the relations leading to them, the first managing
    // relation of each port, then this entity's own managing relations, following managers
    // that are ports.
    void GetAllManagingDepesPortsAndRels(ObjRelations& relations, Entities& ports) const;
    // The first item of the path that starts at a dependency or an activity; an empty relation
    // when none does.
    std::shared_ptr<ObjRelation> GetParentEntityRelationForPort(
        const ObjRelations& contextPath) const;
    // On a managed port: follows its managers' connectors in `context` to the ports beside
    // them and appends those.
    void GetAllDanglingPortsOfMDepes(Entities& ports, const generic& context) const;

    // Attributes (generic_attributes.cpp). Names are the stored names and the bare names of
    // the computed attributes ("Name" for "kt_Name"). Every procedure but DBAttributeExists and
    // Fix_all_system_attributes refuses an unbound worker with error 2 and a deleted entity
    // with error 22. The attributes handed out are bound to this worker when a shared_ptr
    // holds it, to a copy of it otherwise.
    //
    // True when the entity has a live stored attribute of that name.
    bool DBAttributeExists(const std::string& name) const;
    // The first live stored attribute of that name; error 11 when there is none.
    std::shared_ptr<ObjAttribute> GetDBAttribute(const std::string& name);
    // Its stored value, Null included, read without an attribute object; error 11 as above.
    // Deleted: "You cannot access a deleted entity.".
    Value GetDBAttributeVal(const std::string& name) const;
    // The computed attribute of that bare name; the context (an entity's public ID) reaches
    // only "ManagingEntities" and "ManagingConnectors". Any other name gives an empty
    // attribute.
    std::shared_ptr<ObjAttribute> GetVirtualAttribute(const std::string& name,
                                                      std::int32_t MainContextID);
    // The value of "ResourceID" (computed) or of the stored attribute of that name.
    Value GetAttributeVal(const std::string& name);
    // What the computed attribute holds.
    AttributeObject GetAttributeObject(const std::string& name, std::int32_t MainContextID);
    // Sets the value of "ResourceID" (a plain entity key) or of a stored attribute on this
    // entity itself: the stored row stops following its generalization. One transaction.
    void SetAttributeVal(const std::string& name, const Value& value);
    // Marks the stored attribute deleted, with its following copies below.
    void DelAttribute(const std::string& name);
    // A new stored attribute (ObjAttribute::InsertNew), given to the specializations by its
    // behaviour; `inheritedFromKey` is the plain atri_id it is a copy of. With `onlyIfAbsent`
    // and an attribute of that name already there, nothing is written and the attribute
    // handed back is empty. One transaction.
    std::shared_ptr<ObjAttribute> AddNewAttribute(
        const std::string& name, std::int16_t inheritanceBehaviour, const Value& value,
        std::optional<std::int32_t> inheritedFromKey = std::nullopt, bool onlyIfAbsent = false);
    // The live stored attributes in key order, then the computed ones of every entity (kinds
    // 1 to 9 and 16), then those of its type: "Bundles" for an activity, "Activities" for a
    // bundle, "ManagingEntity" for a port, "ResourceID" and "ManagingEntities" (without a
    // context) for a dependency.
    std::shared_ptr<ObjAttributes> GetAllAttributes();
    // Adds to `CorrectedCount` the standard attributes an activity lacks; other entities add
    // nothing. Nothing is written.
    void Fix_all_system_attributes(std::int32_t& CorrectedCount) const;

private:
    enum class CountColumn { Decomposition, Specialization, Bundle };
    enum class SlotColumn { Start, Context };

    // Error 2 for an unbound worker, then error 22 with `deletedMessage` for a deleted entity.
    void refuseUnusable(const CatalogueMessage& deletedMessage) const;
    void refuseChange() const;
    // This worker as attributes hold it.
    std::shared_ptr<generic> self();
    bool removeSlot(SlotColumn column, const ObjRelation& relation) const;
    // RemoveFromSpec without its transaction; `removed` holds the entities this operation has
    // deleted so far, so none is taken twice however the hierarchy leads back to it.
    bool leaveGeneralization(generic& generalization, std::unordered_set<std::int32_t>& removed);
    // Soft-deletes this entity (its copy keeps reading live until the end) and what goes with
    // it, as RemoveFromSpec describes.
    void removeFromHierarchy(const generic& generalization,
                             std::unordered_set<std::int32_t>& removed);
    // Writes one column and a fresh stamp together, then takes both into the copy.
    template <typename T>
    void changeStamped(std::string_view sql, const T& value, T& cached);
    void adjustCount(CountColumn column, std::int32_t value, bool absolute);
    // Runs an UPDATE of this entity's row; error 2 when the row has gone.
    template <typename... Args>
    void updateRow(std::string_view sql, const Args&... args);

    EntityRecord record_;
    bool bound_ = false;
};

// A new worker bound to the entity with this plain key (generic::Init).
std::shared_ptr<generic> workerFor(std::int32_t key);

}  // namespace kt
