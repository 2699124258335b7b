#include "server/database/catalogue_messages.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace kt {
namespace {

// The table hosts rely on, spelling included.
const std::vector<std::pair<int, std::string>> kExpected{
    {1, "Invalid DB Cleanup Operation Code.  Pleae contact KT development for details."},
    {1,
     "The Tessary Server is unable to open this database.  Please contact the system "
     "administrator."},
    {2, "This entity is not present in the database."},
    {2, "This relation is not present in the database."},
    {3, "This system generated attribute does not apply to the current entity type."},
    {3,
     "This system generated attribute does not apply to the current, non-bundle, entity "
     "type."},
    {3, "Invalid Specialization_type."},
    {3, "Invalid relation type for operation"},
    {4, "This is an invalid value for this attribute."},
    {4, "This is an invalid value: 'Null' for this attribute."},
    {5, "You are not allowed to modify the value of these attributes"},
    {6, "This is not the ID of an entity."},
    {7, "These attributes contain objects and cannot be manipulated by this method."},
    {8, "This is not a valid ID for an attribute."},
    {9, "This attribute is not present in the database."},
    {10, "Not valid horizontal relation."},
    {10, "You cannot change this property for the system-generated attributes."},
    {11, "This entity does not have this attribute."},
    {12, "You cannot change this property for attributes that contain entities."},
    {13, "An attribute name cannot be an empty string."},
    {14, "This attribute name has been reserved by the system."},
    {15, "Unsupported attribute inheritence type."},
    {16, "You cannot add an attribute without providing any context information."},
    {17, "This is an invalid object for this attribute."},
    {18, "You cannot remove this activity from the default bundle."},
    {19, "You cannot modify the object inside this attribute."},
    {20, "This is an invalid value for this property."},
    {21, "You cannot make any changes to a deleted attribute."},
    {22, "You cannot make any changes to a deleted entity."},
    {22, "You cannot make any changes to a deleted relation."},
    {22, "No access to a deleted entity."},
    {22, "Object is deleted."},
    {22, "You cannot access a deleted entity."},
    {22, "Unsupported direction specified."},
    {23, "This relation does not exist in the database."},
    {23, "Unsupported relation type for relation attribute updates."},
    {23,
     "Unsupported relation type.  This relation type cannot currently be deleted with this "
     "method."},
    {24, "This entity name is invalid."},
    {25, "The collection of ObjRelations (passed in as the context description) is not valid."},
    {26, "You cannot add this entity type to the decomposition."},
    {26, "Only activities can have Performed_By relations."},
    {26, "You cannot add this entity type as a performed where."},
    {26, "You cannot add this entity type as a behavior."},
    {26, "In general, activities have Behavior relations."},
    {26, "Only activities or resources can have Specialized_by relations."},
    {26,
     "You must have an activity to perform the specialization in the specialized by "
     "relation."},
    {26, "Relation Type not supported with this method."},
    {26, "You cannot add this entity type as an Performer."},
    {26, "Only activities can have exceptions."},
    {26, "You cannot add this entity type as an exception."},
    {26, "You cannot add this entity type as an exception handler."},
    {27, "An entity cannot be its own specialization."},
    {27, "This entity is already a specialization of the adopting entity."},
    {27, "An entity cannot adopt one of its own generalizations."},
    {27, "This bundle belongs to no activity, so it cannot adopt a specialization."},
    {28, "Connectors can only be created in the context of activities."},
    {28, "Relation could not be made."},
    {28, "Relation could not be deleted."},
    {29, "The context entity has no decomposition children"},
    {29, "The slot id was not found."},
    {29, "Both the start and the end port have to be in the decomposition of other entities."},
    {29, "The slot ids in the optional argument are incorrect"},
    {30,
     "Horizontal connectors can only be formed between a port of an activity and a port of "
     "a dependency."},
    {31,
     "Connectors can only be created between ports of the entities that exist in the "
     "immediate decomposition of the context entity."},
    {33,
     "Vertical connectors can only be formed between a ports of activities or between ports "
     "of dependency."},
    {34,
     "Remove all existing vertical connectors in the context of the current entity attached "
     "to the start port before calling this method."},
    {35,
     "You cannot set a managing activity for a dependency that is already being managed.  "
     "Remove the managing activity for this dependency before calling this method again."},
    {36,
     "The collection containing the new managing entities should either be empty or should "
     "contain one activity object.  The other objects in the collection are generated "
     "automatically by the system."},
    {37, "You cannot make changes to this activity in the context you have provided."},
    {38,
     "You can only set a managing activity for a dependency in the context of a "
     "decomposition."},
    {39, "A producer or a consumer port can only be managed by a port of the opposite type."},
    {40,
     "The port being set as the managing entity should belong to an activity that has "
     "already been set as the managing entity for the dependency."},
    {42, "An undeclared port can only be managed by an undeclared port."},
    {666, "This entity is not an activity"},
    {666, "Bundle not found"},
    {666, "This entity does not exist in the database"},
};

TEST(CatalogueMessages, MatchTheFixedTable) {
    const auto messages = allCatalogueMessages();
    ASSERT_EQ(messages.size(), kExpected.size());
    for (std::size_t i = 0; i < messages.size(); ++i) {
        EXPECT_EQ(messages[i].number, kExpected[i].first) << i;
        EXPECT_EQ(messages[i].text, kExpected[i].second) << i;
    }
}

TEST(CatalogueMessages, NumbersSkip32And41) {
    std::set<int> numbers;
    for (const auto& message : allCatalogueMessages()) {
        numbers.insert(message.number);
    }
    for (const int unused : {0, 32, 41, 43, 667}) {
        EXPECT_FALSE(numbers.contains(unused)) << unused;
    }
}

TEST(CatalogueMessages, RaiseWithTheObjectErrorOffsetAndTheServerAsSource) {
    const Error error = catalogueError(msg::EntityNotPresent);
    EXPECT_EQ(static_cast<std::uint32_t>(error.number()), 0x80040002u);
    EXPECT_EQ(error.source(), "KT_OLE");
    EXPECT_EQ(error.description(), "This entity is not present in the database.");

    EXPECT_EQ(static_cast<std::uint32_t>(catalogueError(msg::NotAnActivity).number()), 0x8004029Au);
}

TEST(CatalogueMessages, ValuesAreInsertedAndSourcesNamed) {
    struct Case {
        Error error;
        std::uint32_t number;
        std::string source;
        std::string text;
    };
    const std::vector<Case> cases{
        {slotIdNotFound(17), 0x8004001Du, "KT_OLE", "The slot id 17 was not found."},
        {ambiguousContextPath("Pump"), 0x8004001Du, "KT_OLE",
         "Ambiguous context path -- Pump has multiple parents"},
        {notASpecializationOf("Pump", "Machine"), 0x8004029Au, "RemoveFromSpec",
         "Pump is not a specialization of Machine"},
        {pifIdNotUnique("X1"), 0x8004029Bu, "AddNewSpecialization", "The PIF ID X1 is not unique"},
        {catalogueError(msg::EntityDoesNotExist), 0x8004029Au, "GetEntityByPIFID",
         "This entity does not exist in the database"},
        {plainError(666, "RemoveSlot", "disk I/O error"), 666u, "RemoveSlot", "disk I/O error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(static_cast<std::uint32_t>(c.error.number()), c.number);
        EXPECT_EQ(c.error.source(), c.source);
        EXPECT_EQ(c.error.description(), c.text);
    }
}

}  // namespace
}  // namespace kt
