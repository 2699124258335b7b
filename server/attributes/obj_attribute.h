#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "server/attributes/context_operations.h"
#include "server/database/value.h"

namespace kt {

class Entities;
class Entity;
class ObjRelations;
class generic;

// The fields of an attribute object in the order InitFromFields takes them. IDs are public
// IDs (key * 100 + kind), never plain keys.
struct AttributeFields {
    std::string name;
    std::string dataType;
    Value value;
    AttributeObject object;
    bool inherited = false;
    std::int32_t id = 0;
    bool deleted = false;
    std::int32_t ownerObjectId = 0;
    std::int32_t inheritedFromAttrId = -1;  // -1: inherited from nothing
    std::int16_t inheritanceBehaviour = 0;
    bool inheritFromParent = false;
    Value defaultValue;
};

// An attribute of an entity: a stored row of Attributes (kind 70), or a system attribute
// (kinds 1 to 16) computed from the entity each time it is loaded and stored nowhere. The
// object keeps what it was loaded with; another object of the same attribute does not see its
// changes. A deleted attribute refuses binding and every change with error 21.
//
// Every published change is one transaction: the attribute's row, its owner's stamp and the
// copies in the specializations change together or not at all, and on an error the object
// keeps its fields.
class ObjAttribute : public std::enable_shared_from_this<ObjAttribute>,
                     public InertContextOperations {
public:
    const std::string& Name() const { return fields_.name; }
    const std::string& DataType() const { return fields_.dataType; }
    const kt::Value& Value() const { return fields_.value; }
    const AttributeObject& Object() const { return fields_.object; }
    bool Inherited() const { return fields_.inherited; }
    std::int32_t ID() const { return fields_.id; }
    bool Deleted() const { return fields_.deleted; }
    std::int32_t OwnerObjectID() const { return fields_.ownerObjectId; }
    std::int32_t InheritedFromAttrID() const { return fields_.inheritedFromAttrId; }
    std::int16_t InheritanceBehaviour() const { return fields_.inheritanceBehaviour; }
    bool InheritFromParent() const { return fields_.inheritFromParent; }
    kt::Value DefaultValue() const { return fields_.defaultValue; }
    // The public IDs of the entities that "kt_Bundles" or "kt_Activities" held when it was
    // loaded, from index 1 (element 0 is 0).
    const std::vector<std::int32_t>& memberIDs() const { return memberIds_; }

    // Metadata changes (obj_attribute_changes.cpp). Each refuses a deleted attribute (21) and
    // a "kt_" name (10), writes the row, stamps the owner and, except for the last two,
    // carries the change to the copies that follow this attribute in the specializations.
    void setName(const std::string& value);
    // Refused (12) while the attribute holds entities ("Entity Collection", "Entity Object").
    void setDataType(const std::string& value);
    // Only True is carried to the copies; False on a live attribute changes nothing else.
    void setDeleted(bool value);
    // Null is stored as "-".
    void setDefaultValue(const kt::Value& value);
    void setInheritFromParent(bool value);
    // 1 to 4; any other value: error 20.
    void setInheritanceBehaviour(std::int16_t value);

    // A new value, checked by the attribute's name and its owner's type, then written where
    // the name says: the owner's row for "kt_Name", "kt_Contact", "kt_ACL" and "kt_Deleted",
    // the owner's "Has Resource" relation for "kt_ResourceID", the stored row otherwise. A
    // stored value of behaviour 2 goes on to the specializations' attributes of that name
    // that still hold the old value. Null raises "Invalid use of Null".
    void setValue(const kt::Value& value);
    // A new object (obj_attribute_object.cpp). "kt_Activities" and "kt_Bundles" take a list of
    // entities (anything else: error 17) and make it the owner's bundle membership, stamping
    // the owner, as one transaction (bundle_membership.h); the list then stands as loaded.
    // "kt_ManagingEntity" takes a live activity (anything else: error 17) and makes it the
    // owner's manager, stamping the owner, with the copies in the specializations following,
    // as one transaction (manager_reference.h). "kt_ManagingEntities" keeps the object without
    // a change; every other name is refused with error 19. A deleted attribute refuses with
    // error 21.
    void setObject(const AttributeObject& value);
    // Library-internal. The same for a value set on the owner entity itself: the row stops
    // following its generalization (atri_inherit_from_parent False).
    void SetValueDirectly(const kt::Value& value);

    // Library-internal. Fills the object from an attribute ID: a system kind (1 to 16) is
    // computed from its entity (missing entity: error 2), kind 70 read from its live row
    // (none: error 9); any other kind raises error 8 before the database is touched.
    // MainContextID, the public ID of an entity, is read only by kinds 14 and 15. The object
    // changes only when the whole load succeeded; it is not bound (callers bind).
    void LoadFromID(std::int32_t ID, std::int32_t MainContextID);
    // Library-internal. Takes the fields as given; an ID of another kind than 1 to 16 or 70
    // raises error 8 and changes nothing.
    void InitFromFields(const AttributeFields& fields);
    // Library-internal. Ties the attribute to the worker of its entity; a deleted attribute
    // refuses with error 21.
    void BindOwner(std::shared_ptr<generic> owner);
    const std::shared_ptr<generic>& owner() const { return owner_; }

    // Library-internal. Inserts a new stored attribute of the bound owner: data type
    // "Unspecified", default "-", following its origin (atri_inherit_from_parent True). With
    // `inheritedFromKey` (a plain atri_id) it is an inherited copy of that attribute,
    // otherwise its own origin. Then stamps the owner and gives the attribute to the owner's
    // specializations (PropagateNewAttribute). With `onlyIfAbsent` and a live attribute of
    // that name on the owner, nothing is written and the object stays empty. Runs inside the
    // caller's writing transaction; a Null value raises "Invalid use of Null".
    void InsertNew(const std::string& attrName, std::int16_t inherit_type,
                   const kt::Value& attrValue, std::optional<std::int32_t> inheritedFromKey,
                   bool onlyIfAbsent);

    // Library-internal. Only the insert of InsertNew, for the walks that make the copies
    // themselves: the owner is neither stamped nor followed down.
    void InsertRow(const std::string& attrName, std::int16_t inherit_type,
                   const kt::Value& attrValue, std::optional<std::int32_t> inheritedFromKey);

    // Library-internal. The checks and writes of a value write without a transaction of its
    // own and without the push; the old value when the value went to the stored row.
    std::optional<kt::Value> ApplyValue(const kt::Value& value, bool direct);
    // Library-internal. Writes the stored value as text and keeps it, marking the row as no
    // longer following its origin when `direct`. The old value is returned, for the push.
    kt::Value WriteValue(const std::string& text, bool direct);

private:
    std::int32_t key() const;
    void refuseChange() const;
    void refuseMetadataChange() const;
    generic& boundOwner() const;
    void loadSystemAttribute(std::int32_t ID, std::int32_t MainContextID);
    void loadStoredAttribute(std::int32_t ID);
    void changeValue(const kt::Value& value, bool direct);
    // One metadata change as one transaction: writes `value` through `sql` (value, key),
    // stamps the owner and lets `propagate` carry the change down; the object keeps the value
    // in `kept` once everything is committed.
    template <typename T, typename Propagate>
    void changeMetadata(std::string_view sql, const T& value, T& kept, Propagate propagate);

    AttributeFields fields_;
    std::vector<std::int32_t> memberIds_ = std::vector<std::int32_t>(1, 0);
    std::shared_ptr<generic> owner_;
};

}  // namespace kt
