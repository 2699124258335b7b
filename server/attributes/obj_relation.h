#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "server/attributes/relation_fields.h"
#include "server/database/value.h"

namespace kt {

class Entity;
class ObjRelAttribute;
class ObjRelAttributes;
struct NewRelation;

// One row of Relation: a typed link from a start entity to an end entity, possibly inside a
// context entity and a slot. The object holds a copy of the row, filled once by InsertNew,
// LoadFromID or InitFromFields; afterwards only its own setters and Delete change it, so it
// does not see changes made to the row through other objects.
//
// The relation's attributes are rows of RelationAttributes owned by its ID; they are read
// anew on every call. Handing them out ties them to this object, which must therefore be held
// by a shared_ptr, as the collections and the creators hold it.
class ObjRelation : public std::enable_shared_from_this<ObjRelation> {
public:
    std::int32_t ID() const { return fields_.id; }
    const std::string& Name() const { return fields_.name; }
    std::int16_t RelationType() const { return fields_.type; }
    std::int32_t StartID() const { return fields_.startId; }
    std::int32_t EndID() const { return fields_.endId; }
    bool Inherited() const { return fields_.inherited; }
    bool Deleted() const { return fields_.deleted; }
    std::int32_t ContextID() const { return fields_.contextId; }
    std::int32_t InheritedFromRelID() const { return fields_.inheritedFromRelId; }
    std::int32_t SlotID() const { return fields_.slotId; }
    const std::string& SlotName() const { return fields_.slotName; }
    const std::string& SlotUniqueID() const { return fields_.slotUniqueId; }
    const std::string& UniqueID() const { return fields_.uniqueId; }
    const std::string& ContextPath() const { return fields_.contextPath; }
    std::int32_t DisplayOrder() const { return fields_.displayOrder; }
    std::int32_t EndEntityType() const { return fields_.endEntityType; }

    // Writes rel_display_order, whether the row exists or not, and keeps the value.
    void setDisplayOrder(std::int32_t value);

    // The live attributes of this relation, or of the relation with the public ID `MyID`,
    // each tied to this object; empty when there are none.
    std::shared_ptr<ObjRelAttributes> GetAttributes();
    std::shared_ptr<ObjRelAttributes> GetDBAttributes(std::int32_t MyID);
    // The live attribute of that name (compared without regard to case), tied to this
    // object. A deleted relation refuses with error 22 "You cannot make any changes to a
    // deleted entity."; a missing attribute raises error 11.
    std::shared_ptr<ObjRelAttribute> GetDBAttribute(const std::string& attrName);
    std::shared_ptr<ObjRelAttribute> GetAttribute(const std::string& attrName);
    Value GetAttributeValue(const std::string& atriName);
    // Sets the attribute's value and carries it to the relations that repeat this one in the
    // specializations of its entity (ObjRelAttribute::setValue).
    void SetAttributeValue(const std::string& atriName, const Value& atriVal);
    bool DBAttributeExists(const std::string& attrName);
    // A new attribute of this relation, also given to the relations that repeat this one in
    // the specializations of its entity (AnchorKey; behaviours 2 and 5). The behaviour is 2
    // when none is given; that entity must exist (error 2) and the relation must be live
    // (error 22 "You cannot make any changes to a deleted relation."). One transaction.
    std::shared_ptr<ObjRelAttribute> AddNewAttribute(
        const std::string& attrName, const Value& attrValue,
        std::optional<std::int32_t> AtriInheritedFromAtriID = std::nullopt,
        std::optional<std::int16_t> Inheritance_type = std::nullopt);

    // The plain key of the entity the relation belongs to (relation_anchor.h): the context
    // entity of connectors and relations drawn in a context, the start entity otherwise.
    std::int32_t AnchorKey() const;

    // The entities at the two ends, bound anew.
    std::shared_ptr<Entity> GetParentEntity() const;
    std::shared_ptr<Entity> GetChildEntity() const;

    // Soft-deletes the relation with its repetitions in the specializations of the entity it
    // belongs to (generic::DeleteRelation, generic::RemoveConnectorSlot) and marks the object
    // deleted; true. Connectors and relations in a context (2, 3, 17 to 19) go through their
    // context entity, types 6, 9 to 15, 20 and 21 through their start entity; any other type
    // raises error 23 "Unsupported relation type.  This relation type cannot currently be
    // deleted with this method." and changes nothing.
    bool Delete();

    // Library-internal. Inserts the one new row and fills the object from it. An empty slot
    // name is written as "no slot", an empty context path as "no path"; an empty unique ID
    // becomes "yymmddhhnnss" + "EI" + start key + "RL" + the relation's public ID, an empty
    // slot unique ID the same with "SL". The object changes only when the row was written.
    void InsertNew(const NewRelation& row);
    // Library-internal. Fills the object from the row of a relation ID, deleted or not; an ID of
    // another kind, or one without a row, raises error 23 "This relation does not exist in the
    // database.".
    void LoadFromID(std::int32_t ID);
    // Library-internal. Fills the object from a row already read; the inherited-from ID is kept
    // only for an inherited relation.
    void InitFromFields(const RelationFields& fields);

    // Library-internal. Each writes one column of the row and keeps the value; a row that has
    // gone is not an error. SetInherited leaves InheritedFromRelID as it is.
    void SetInheritedFromRelID(std::int32_t relationID);
    void SetInherited(bool value);
    void SetDeleted(bool value);

    // Library-internal. Writes `attribute`'s new value, then changes the attributes of that
    // name that still hold the old value on the relations of this slot in the specializations
    // of the relation's entity, at any depth. The entity must be live (error 22 "No access to
    // a deleted entity."), and the type one whose entity is known (error 23 "Unsupported
    // relation type for relation attribute updates."). One transaction: on an error nothing
    // is written.
    void PropagateAttributeValue(ObjRelAttribute& attribute, const Value& newValue);
    // Library-internal. Writes `newValue` into this relation's attribute `name` when that
    // attribute's value equals `oldValue`, without carrying it further; true when it did. A
    // relation that is deleted or lacks the attribute gives false; database errors pass.
    bool SetAttributeValueLocal(const std::string& name, const Value& oldValue,
                                const Value& newValue);

private:
    // This object as its attributes hold it.
    std::shared_ptr<ObjRelation> self();
    std::int32_t key() const;

    RelationFields fields_;
};

}  // namespace kt
