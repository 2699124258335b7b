#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "server/database/schema_operations.h"

namespace kt {

class Database;

// Helpers the upgrade steps and the maintenance runs share. Each works inside the caller's
// writing transaction.
namespace upgrade {

// A column as the current schema declares it; the steps add columns only in this form, so an
// upgraded catalogue and a new one declare them alike.
const ColumnDefinition& currentColumn(std::string_view table, std::string_view column);
void addCurrentColumn(Database& database, std::string_view table, std::string_view column);
// Creates the table as the current schema declares it.
void createCurrentTable(Database& database, std::string_view table);

// Creates every lookup index of the current schema whose table and columns exist and that is
// not there yet.
void ensureLookupIndexes(Database& database);

// The key of the first entity with this exact name, deleted or not; nothing when none has it.
std::optional<std::int32_t> keyOfName(Database& database, std::string_view name);
// The same; error 2 "This entity is not present in the database." when none has it.
std::int32_t requireKeyOfName(Database& database, std::string_view name);

// True when the entity has a live stored attribute of this name.
bool hasStoredAttribute(Database& database, std::int32_t owner, std::string_view name);

// The live direct specializations, as the entity model lists them: through spec_type 2 for
// an activity and spec_type 1 for any other entity (every link while spec_type is not there
// yet), in display order. Each row: the child's key, type, deleted flag and, when a name is
// given, whether it has a live stored attribute of that name.
struct Specialization {
    std::int32_t key;
    std::int16_t type;
    bool deleted;
    bool hasAttribute;
};

// The query for the schema as it stands; make it once per walk.
class SpecializationQuery {
public:
    explicit SpecializationQuery(Database& database);
    std::vector<Specialization> of(std::int32_t key, std::string_view attributeName = {}) const;

private:
    Database& database_;
    std::string sql_;
};

// True when a stored cached count of the entity differs from a recount.
bool cachedCountsStale(Database& database, std::int32_t key);
// Recounts the three cached counts of one entity; true when a stored count changed. An
// activity counts its bundles (spec_type 1) apart from its specializations (spec_type 2).
bool recountCachedCounts(Database& database, std::int32_t key);
// The same for every entity, or every live one.
void recountAllCachedCounts(Database& database, bool liveOnly);

}  // namespace upgrade
}  // namespace kt
