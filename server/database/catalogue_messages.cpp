#include "server/database/catalogue_messages.h"

#include <array>
#include <string>

namespace kt {

namespace {
constexpr std::array kAllMessages{
    msg::InvalidCleanupOperation,
    msg::UnableToOpenDatabase,
    msg::EntityNotPresent,
    msg::RelationNotPresent,
    msg::SystemAttributeNotForType,
    msg::SystemAttributeNotForNonBundle,
    msg::InvalidSpecializationType,
    msg::InvalidRelationTypeForOperation,
    msg::InvalidAttributeValue,
    msg::NullAttributeValue,
    msg::AttributeNotModifiable,
    msg::NotAnEntityID,
    msg::AttributeHoldsObjects,
    msg::NotAnAttributeID,
    msg::AttributeNotPresent,
    msg::InvalidHorizontalRelation,
    msg::SystemAttributePropertyFixed,
    msg::EntityLacksAttribute,
    msg::EntityAttributePropertyFixed,
    msg::EmptyAttributeName,
    msg::ReservedAttributeName,
    msg::UnsupportedInheritanceType,
    msg::MissingAttributeContext,
    msg::InvalidAttributeObject,
    msg::DefaultBundleMember,
    msg::AttributeObjectFixed,
    msg::InvalidPropertyValue,
    msg::DeletedAttribute,
    msg::DeletedEntityChange,
    msg::DeletedRelationChange,
    msg::DeletedEntityNoAccess,
    msg::ObjectDeleted,
    msg::DeletedEntityAccess,
    msg::UnsupportedDirection,
    msg::RelationDoesNotExist,
    msg::UnsupportedRelAttributeRelationType,
    msg::UnsupportedRelationDelete,
    msg::InvalidEntityName,
    msg::InvalidContextRelations,
    msg::DecompositionTypeNotAllowed,
    msg::PerformedByNeedsActivity,
    msg::PerformedWhereTypeNotAllowed,
    msg::BehaviorTypeNotAllowed,
    msg::BehaviorNeedsActivity,
    msg::SpecializedByNeedsActivityOrResource,
    msg::SpecializedByNeedsActivityEnd,
    msg::RelationTypeNotSupported,
    msg::PerformerTypeNotAllowed,
    msg::ExceptionsNeedActivity,
    msg::ExceptionTypeNotAllowed,
    msg::ExceptionHandlerTypeNotAllowed,
    msg::AdoptSelf,
    msg::AdoptExistingSpecialization,
    msg::AdoptGeneralization,
    msg::AdoptIntoOrphanBundle,
    msg::ConnectorsNeedActivityContext,
    msg::RelationNotMade,
    msg::RelationNotDeleted,
    msg::NoDecompositionChildren,
    msg::SlotIdNotFound,
    msg::PortsNotInDecomposition,
    msg::IncorrectSlotIds,
    msg::HorizontalConnectorPorts,
    msg::ConnectorPortsNotInDecomposition,
    msg::VerticalConnectorPorts,
    msg::RemoveVerticalConnectorsFirst,
    msg::DependencyAlreadyManaged,
    msg::InvalidManagingEntities,
    msg::ChangeNotAllowedInContext,
    msg::ManagingActivityNeedsDecomposition,
    msg::ManagingPortOppositeType,
    msg::ManagingPortOwner,
    msg::UndeclaredPortManagement,
    msg::NotAnActivity,
    msg::BundleNotFound,
    msg::EntityDoesNotExist,
};
}  // namespace

Error catalogueError(const CatalogueMessage& message) {
    return catalogueError(message.number, std::string(message.text), std::string(message.source));
}

std::span<const CatalogueMessage> allCatalogueMessages() {
    return kAllMessages;
}

Error slotIdNotFound(std::int32_t slotId) {
    return catalogueError(29, "The slot id " + std::to_string(slotId) + " was not found.");
}

Error ambiguousContextPath(std::string_view name) {
    return catalogueError(
        29, "Ambiguous context path -- " + std::string(name) + " has multiple parents");
}

Error notASpecializationOf(std::string_view child, std::string_view parent) {
    return catalogueError(666,
                          std::string(child) + " is not a specialization of " + std::string(parent),
                          "RemoveFromSpec");
}

Error pifIdNotUnique(std::string_view pifId) {
    return catalogueError(667, "The PIF ID " + std::string(pifId) + " is not unique",
                          "AddNewSpecialization");
}

}  // namespace kt
