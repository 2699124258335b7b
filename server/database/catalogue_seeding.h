#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "server/database/time_stamp.h"
#include "server/database/value.h"

namespace kt {

class Database;

// Entities and attributes that the upgrade and the maintenance runs add to a catalogue, written
// as the entity model writes a host's edit: new specializations with the parent's inheritable
// attributes, new attributes passed on down the specializations. Each works inside the
// caller's writing transaction.
class CatalogueSeeder {
public:
    CatalogueSeeder(Database& database, TimeStamp stamp, std::string_view contact)
        : database_(database), stamp_(std::move(stamp)), contact_(contact) {}

    // A new specialization of `parent`, of the parent's type. A new activity goes into the
    // parent's default bundle and is also linked to the parent directly (spec_type 2); any
    // other entity is linked to the parent (spec_type 1). The parent's attributes of
    // behaviours 2 to 5 are copied. Returns the new key.
    std::int32_t addSpecialization(std::int32_t parent, std::string_view name);

    // A new stored attribute of `owner`, its own origin, then a copy in every specialization
    // the behaviour reaches (2: all, at every depth; 5: those of the owner's type). With
    // `onlyIfAbsent` nothing is added to an entity that has a live attribute of that name, nor
    // below it.
    void addAttribute(std::int32_t owner, std::string_view name, const Value& value, int behaviour,
                      bool onlyIfAbsent = false);

    // Passes an existing attribute on to the specializations that lack it, naming `origin` as
    // what every copy is inherited from.
    void propagateAttribute(std::int32_t owner, std::string_view name, const Value& value,
                            int behaviour, std::int32_t origin, bool onlyIfAbsent);

    // Sets the value of the owner's live stored attribute; the attribute stops following its
    // parent, and copies that still hold the old value follow the change. Error 11 when the
    // entity has no such attribute.
    void setAttributeValue(std::int32_t owner, std::string_view name, const Value& value);

private:
    void insertAttribute(std::int32_t owner, std::string_view name, const Value& value,
                         int behaviour, std::optional<std::int32_t> origin);
    void copyInheritedAttributes(std::int32_t from, std::int32_t to);
    // True when a live direct specialization lacks a live attribute of this name.
    bool anySpecializationLacks(std::int32_t owner, std::string_view name);
    void link(std::int32_t parent, std::int32_t child, int type);
    void stamp(std::int32_t key);

    Database& database_;
    TimeStamp stamp_;
    std::string_view contact_;
};

// Makes every live bundle a child of "Default Parent Bundle" and marks "Bundle Root" with its
// layout attribute; does nothing once the mark is there. Error 2 when either entity is missing.
void upgradeBundles(Database& database, const TimeStamp& stamp);

}  // namespace kt
