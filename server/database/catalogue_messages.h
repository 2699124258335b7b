#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "server/database/errors.h"

namespace kt {

// One fixed catalogue error: its number (offset by kObjectErrorBase when raised), its text and,
// for the few that name one, its source.
struct CatalogueMessage {
    int number;
    std::string_view text;
    std::string_view source = kServerSource;
};

Error catalogueError(const CatalogueMessage& message);

// Every fixed message, in number order.
std::span<const CatalogueMessage> allCatalogueMessages();

// Messages with a value inside them.
Error slotIdNotFound(std::int32_t slotId);
Error ambiguousContextPath(std::string_view name);
Error notASpecializationOf(std::string_view child, std::string_view parent);
Error pifIdNotUnique(std::string_view pifId);

// The texts keep their original spelling: hosts compare them.
namespace msg {
inline constexpr CatalogueMessage InvalidCleanupOperation{
    1, "Invalid DB Cleanup Operation Code.  Pleae contact KT development for details."};
inline constexpr CatalogueMessage UnableToOpenDatabase{
    1,
    "The Tessary Server is unable to open this database.  Please contact the system "
    "administrator."};
inline constexpr CatalogueMessage EntityNotPresent{2,
                                                   "This entity is not present in the database."};
inline constexpr CatalogueMessage RelationNotPresent{
    2, "This relation is not present in the database."};
inline constexpr CatalogueMessage SystemAttributeNotForType{
    3, "This system generated attribute does not apply to the current entity type."};
inline constexpr CatalogueMessage SystemAttributeNotForNonBundle{
    3, "This system generated attribute does not apply to the current, non-bundle, entity type."};
inline constexpr CatalogueMessage InvalidSpecializationType{3, "Invalid Specialization_type."};
inline constexpr CatalogueMessage InvalidRelationTypeForOperation{
    3, "Invalid relation type for operation"};
inline constexpr CatalogueMessage InvalidAttributeValue{
    4, "This is an invalid value for this attribute."};
inline constexpr CatalogueMessage NullAttributeValue{
    4, "This is an invalid value: 'Null' for this attribute."};
inline constexpr CatalogueMessage AttributeNotModifiable{
    5, "You are not allowed to modify the value of these attributes"};
inline constexpr CatalogueMessage NotAnEntityID{6, "This is not the ID of an entity."};
inline constexpr CatalogueMessage AttributeHoldsObjects{
    7, "These attributes contain objects and cannot be manipulated by this method."};
inline constexpr CatalogueMessage NotAnAttributeID{8, "This is not a valid ID for an attribute."};
inline constexpr CatalogueMessage AttributeNotPresent{
    9, "This attribute is not present in the database."};
inline constexpr CatalogueMessage InvalidHorizontalRelation{10, "Not valid horizontal relation."};
inline constexpr CatalogueMessage SystemAttributePropertyFixed{
    10, "You cannot change this property for the system-generated attributes."};
inline constexpr CatalogueMessage EntityLacksAttribute{11,
                                                       "This entity does not have this attribute."};
inline constexpr CatalogueMessage EntityAttributePropertyFixed{
    12, "You cannot change this property for attributes that contain entities."};
inline constexpr CatalogueMessage EmptyAttributeName{
    13, "An attribute name cannot be an empty string."};
inline constexpr CatalogueMessage ReservedAttributeName{
    14, "This attribute name has been reserved by the system."};
inline constexpr CatalogueMessage UnsupportedInheritanceType{
    15, "Unsupported attribute inheritence type."};
inline constexpr CatalogueMessage MissingAttributeContext{
    16, "You cannot add an attribute without providing any context information."};
inline constexpr CatalogueMessage InvalidAttributeObject{
    17, "This is an invalid object for this attribute."};
inline constexpr CatalogueMessage DefaultBundleMember{
    18, "You cannot remove this activity from the default bundle."};
inline constexpr CatalogueMessage AttributeObjectFixed{
    19, "You cannot modify the object inside this attribute."};
inline constexpr CatalogueMessage InvalidPropertyValue{
    20, "This is an invalid value for this property."};
inline constexpr CatalogueMessage DeletedAttribute{
    21, "You cannot make any changes to a deleted attribute."};
inline constexpr CatalogueMessage DeletedEntityChange{
    22, "You cannot make any changes to a deleted entity."};
inline constexpr CatalogueMessage DeletedRelationChange{
    22, "You cannot make any changes to a deleted relation."};
inline constexpr CatalogueMessage DeletedEntityNoAccess{22, "No access to a deleted entity."};
inline constexpr CatalogueMessage ObjectDeleted{22, "Object is deleted."};
inline constexpr CatalogueMessage DeletedEntityAccess{22, "You cannot access a deleted entity."};
inline constexpr CatalogueMessage UnsupportedDirection{22, "Unsupported direction specified."};
inline constexpr CatalogueMessage RelationDoesNotExist{
    23, "This relation does not exist in the database."};
inline constexpr CatalogueMessage UnsupportedRelAttributeRelationType{
    23, "Unsupported relation type for relation attribute updates."};
inline constexpr CatalogueMessage UnsupportedRelationDelete{
    23,
    "Unsupported relation type.  This relation type cannot currently be deleted with this "
    "method."};
inline constexpr CatalogueMessage InvalidEntityName{24, "This entity name is invalid."};
inline constexpr CatalogueMessage InvalidContextRelations{
    25, "The collection of ObjRelations (passed in as the context description) is not valid."};
inline constexpr CatalogueMessage DecompositionTypeNotAllowed{
    26, "You cannot add this entity type to the decomposition."};
inline constexpr CatalogueMessage PerformedByNeedsActivity{
    26, "Only activities can have Performed_By relations."};
inline constexpr CatalogueMessage PerformedWhereTypeNotAllowed{
    26, "You cannot add this entity type as a performed where."};
inline constexpr CatalogueMessage BehaviorTypeNotAllowed{
    26, "You cannot add this entity type as a behavior."};
inline constexpr CatalogueMessage BehaviorNeedsActivity{
    26, "In general, activities have Behavior relations."};
inline constexpr CatalogueMessage SpecializedByNeedsActivityOrResource{
    26, "Only activities or resources can have Specialized_by relations."};
inline constexpr CatalogueMessage SpecializedByNeedsActivityEnd{
    26, "You must have an activity to perform the specialization in the specialized by relation."};
inline constexpr CatalogueMessage RelationTypeNotSupported{
    26, "Relation Type not supported with this method."};
inline constexpr CatalogueMessage PerformerTypeNotAllowed{
    26, "You cannot add this entity type as an Performer."};
inline constexpr CatalogueMessage ExceptionsNeedActivity{26,
                                                         "Only activities can have exceptions."};
inline constexpr CatalogueMessage ExceptionTypeNotAllowed{
    26, "You cannot add this entity type as an exception."};
inline constexpr CatalogueMessage ExceptionHandlerTypeNotAllowed{
    26, "You cannot add this entity type as an exception handler."};
// Adoption refuses what would make the hierarchy loop or link an entity twice.
inline constexpr CatalogueMessage AdoptSelf{27, "An entity cannot be its own specialization."};
inline constexpr CatalogueMessage AdoptExistingSpecialization{
    27, "This entity is already a specialization of the adopting entity."};
inline constexpr CatalogueMessage AdoptGeneralization{
    27, "An entity cannot adopt one of its own generalizations."};
inline constexpr CatalogueMessage AdoptIntoOrphanBundle{
    27, "This bundle belongs to no activity, so it cannot adopt a specialization."};
inline constexpr CatalogueMessage ConnectorsNeedActivityContext{
    28, "Connectors can only be created in the context of activities."};
inline constexpr CatalogueMessage RelationNotMade{28, "Relation could not be made."};
inline constexpr CatalogueMessage RelationNotDeleted{28, "Relation could not be deleted."};
inline constexpr CatalogueMessage NoDecompositionChildren{
    29, "The context entity has no decomposition children"};
inline constexpr CatalogueMessage SlotIdNotFound{29, "The slot id was not found."};
inline constexpr CatalogueMessage PortsNotInDecomposition{
    29, "Both the start and the end port have to be in the decomposition of other entities."};
inline constexpr CatalogueMessage IncorrectSlotIds{
    29, "The slot ids in the optional argument are incorrect"};
inline constexpr CatalogueMessage HorizontalConnectorPorts{
    30,
    "Horizontal connectors can only be formed between a port of an activity and a port of a "
    "dependency."};
inline constexpr CatalogueMessage ConnectorPortsNotInDecomposition{
    31,
    "Connectors can only be created between ports of the entities that exist in the immediate "
    "decomposition of the context entity."};
inline constexpr CatalogueMessage VerticalConnectorPorts{
    33,
    "Vertical connectors can only be formed between a ports of activities or between ports of "
    "dependency."};
inline constexpr CatalogueMessage RemoveVerticalConnectorsFirst{
    34,
    "Remove all existing vertical connectors in the context of the current entity attached to "
    "the start port before calling this method."};
inline constexpr CatalogueMessage DependencyAlreadyManaged{
    35,
    "You cannot set a managing activity for a dependency that is already being managed.  Remove "
    "the managing activity for this dependency before calling this method again."};
inline constexpr CatalogueMessage InvalidManagingEntities{
    36,
    "The collection containing the new managing entities should either be empty or should "
    "contain one activity object.  The other objects in the collection are generated "
    "automatically by the system."};
inline constexpr CatalogueMessage ChangeNotAllowedInContext{
    37, "You cannot make changes to this activity in the context you have provided."};
inline constexpr CatalogueMessage ManagingActivityNeedsDecomposition{
    38, "You can only set a managing activity for a dependency in the context of a decomposition."};
inline constexpr CatalogueMessage ManagingPortOppositeType{
    39, "A producer or a consumer port can only be managed by a port of the opposite type."};
inline constexpr CatalogueMessage ManagingPortOwner{
    40,
    "The port being set as the managing entity should belong to an activity that has already "
    "been set as the managing entity for the dependency."};
inline constexpr CatalogueMessage UndeclaredPortManagement{
    42, "An undeclared port can only be managed by an undeclared port."};
inline constexpr CatalogueMessage NotAnActivity{666, "This entity is not an activity"};
inline constexpr CatalogueMessage BundleNotFound{666, "Bundle not found",
                                                 "GetParentBundleForActivity"};
inline constexpr CatalogueMessage EntityDoesNotExist{
    666, "This entity does not exist in the database", "GetEntityByPIFID"};
}  // namespace msg

}  // namespace kt
