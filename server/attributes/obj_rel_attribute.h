#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "server/attributes/context_operations.h"
#include "server/database/value.h"

namespace kt {

class ObjRelation;
class generic;

// An attribute of a relation: a row of RelationAttributes, owned by one relation. Relations
// have no system attributes. A new value goes through the owner relation, which carries it
// to the relations that repeat it in the specializations; every other change is written to
// the row alone. Once deleted, the attribute refuses every change (error 21).
class ObjRelAttribute : public InertContextOperations {
public:
    const std::string& Name() const { return name_; }
    const std::string& DataType() const { return dataType_; }
    const kt::Value& Value() const { return value_; }
    // A relation's attributes hold no objects: always nothing.
    AttributeObject Object() const { return {}; }
    bool Inherited() const { return inherited_; }
    std::int32_t ID() const { return id_; }
    bool Deleted() const { return deleted_; }
    kt::Value DefaultValue() const { return defaultValue_; }
    bool InheritFromParent() const { return inheritFromParent_; }
    std::int16_t InheritanceBehaviour() const { return inheritanceBehaviour_; }
    std::int32_t InheritedFromAttrID() const { return inheritedFromAttrId_; }
    // The owner relation's public ID.
    std::int32_t OwnerObjectID() const { return ownerObjectId_; }

    // Through the owner relation (ObjRelation::PropagateAttributeValue); error 91 when the
    // attribute is tied to none. On an error the object keeps its value.
    void setValue(const kt::Value& value);
    // The other setters refuse a name that begins with "kt_" (error 10) and write the row
    // alone. A Null default is stored as "-"; a behaviour outside 1 to 4 raises error 20.
    void setName(const std::string& value);
    void setDataType(const std::string& value);
    void setDeleted(bool value);
    void setDefaultValue(const kt::Value& value);
    void setInheritFromParent(bool value);
    void setInheritanceBehaviour(std::int16_t value);

    // Library-internal. Fills the object from the live row of a stored attribute ID (kind 70;
    // any other kind: error 8 "This is not a valid ID for an attribute.", before the database
    // is touched); no live row: error 9. The context ID is not read.
    void LoadFromID(std::int32_t ID, std::int32_t ContextID);
    // Library-internal. Ties the attribute to its relation; a deleted attribute refuses with
    // error 21.
    void BindOwner(std::shared_ptr<ObjRelation> owner);
    const std::shared_ptr<ObjRelation>& owner() const { return owner_; }

    // Library-internal. Inserts a new attribute of `owner` (the relation that belongs to
    // `anchorEntity`, ObjRelation::AnchorKey), ties the object to it, and adds the attribute to the
    // relations that repeat `owner` in the specializations (behaviours 2 and 5). Data type
    // "Unspecified"; value and default both the value's text (Null: "Invalid use of Null", nothing
    // written). With `inheritedFromID` the attribute is a copy of that attribute. Runs inside the
    // caller's writing transaction.
    void InsertNew(const generic& anchorEntity, std::shared_ptr<ObjRelation> owner,
                   const std::string& name, const kt::Value& value, std::int16_t behaviour,
                   std::optional<std::int32_t> inheritedFromID = std::nullopt);
    // Library-internal. The same without adding it to the specializations.
    void InsertRow(std::shared_ptr<ObjRelation> owner, const std::string& name,
                   const kt::Value& value, std::int16_t behaviour,
                   std::optional<std::int32_t> inheritedFromID);
    // Library-internal. Writes the value's text (Null: "Invalid use of Null", nothing written)
    // and keeps the text; nothing more.
    void WriteValue(const kt::Value& value);

private:
    std::int32_t key() const;
    void refuseChange() const;
    // The common steps of the setters other than setValue.
    void refuseMetadataChange() const;
    // Refuses as above, writes one column of the row and keeps the value.
    template <typename T>
    void changeColumn(std::string_view sql, const T& value, T& kept);

    std::string name_;
    std::string dataType_;
    kt::Value value_;
    bool inherited_ = false;
    std::int32_t id_ = 0;
    bool deleted_ = false;
    std::int32_t ownerObjectId_ = 0;
    std::int32_t inheritedFromAttrId_ = 0;
    std::int16_t inheritanceBehaviour_ = 0;
    bool inheritFromParent_ = false;
    kt::Value defaultValue_;
    std::shared_ptr<ObjRelation> owner_;
};

}  // namespace kt
