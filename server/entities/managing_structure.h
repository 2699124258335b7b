#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "server/database/catalogue_messages.h"

namespace kt {

class ObjRelation;
class generic;

// Makes a specialization of `parent` with that name and contact; with `copyRelations` it takes
// the parent's relations along. The structure below asks for its new entities through it.
using SpecializationMaker =
    std::function<std::shared_ptr<generic>(const generic& parent, const std::string& name,
                                           const std::string& contact, bool copyRelations)>;

// The entity model's own maker.
SpecializationMaker catalogueSpecializationMaker();

// Makes `target` (the managed port, or its specialization for the context) managed by the
// port at the end of `managingRelation` (the relation through which that port belongs to its
// activity), inside `context`: a "Managing Dependency" in the context that decomposes into a
// "Managing Port" specialization of each port, the two managed-by relations and two automatic
// connectors joining the new ports to the ports managed and managing. `ownerRelation` holds
// the managed port in its dependency, `contextRelation` the dependency in the context. Every
// key and slot is drawn when its row is written. One transaction: any error keeps its number,
// its description gets the prefix "SetManagingPort_Error: " and nothing stays written.
void SetManagingPort(const generic& target, const ObjRelation& managingRelation,
                     const generic& context, const ObjRelation& ownerRelation,
                     const ObjRelation& contextRelation, const SpecializationMaker& specialize);

// Taking a manager away (a managing activity or a managing port) is not supported.
inline constexpr CatalogueMessage kManagerRemovalNotSupported{
    19, "Removing a managing activity or a managing port is not supported."};

// Removing a managing port is not supported: a catalogue error says so.
void RemoveManagingPort();

}  // namespace kt
