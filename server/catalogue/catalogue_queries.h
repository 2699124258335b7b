#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace kt {

class Entities;
class Entity;
class ObjRelation;
class ObjRelations;

// The look-ups a host reaches through KTDB, on the shared database object. Values are compared
// the way the catalogue compares text (without regard to case); deleted rows never come back.

// The entity of a public entity ID (errors of Entity::LoadFromID).
std::shared_ptr<Entity> GetEntity(std::int32_t entID);
// The live entity with this PIF ID; error 666 "This entity does not exist in the database"
// (source "GetEntityByPIFID") when there is none.
std::shared_ptr<Entity> GetEntityByPIFID(const std::string& PIFID);
// "Tessary Root", looked up by name on every call; error 2 when it is missing.
std::shared_ptr<Entity> GetRootEntity();
// The live relation with this unique ID; error 2 "This relation is not present in the
// database." when there is none.
std::shared_ptr<ObjRelation> GetRelationByUID(const std::string& UID);
// The live relations of one slot, by relation type and display order; empty when none.
std::shared_ptr<ObjRelations> GetRelationsBySlotUID(const std::string& SlotUID);
// Every live entity of this name, each with its own worker filled from its row; empty when
// none.
std::shared_ptr<Entities> GetEntitiesByName(const std::string& entName);

}  // namespace kt
