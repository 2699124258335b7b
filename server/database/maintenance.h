#pragma once

#include <cstdint>

namespace kt {

class Database;

// Repair runs a host starts over the whole catalogue (KTDB.CleanDB):
//   0 nothing;
//   1 every live bundle becomes a child of "Default Parent Bundle" (once, like the upgrade);
//   2 every live entity's cached counts are recounted;
//   3 live relations whose start or end entity is missing or deleted are marked deleted:
//     OK_Count counts the sound ones, Corrected_count the marked ones;
//   4 the stored attributes of every entity below "Activity Root" are passed on to the
//     specializations that lack them; OK_Count counts the entities reached, once per path
//     (each entity is still repaired once), and a count past the Long range is an overflow.
// Any other code raises catalogue error 1. The run is one transaction: on an error nothing of
// it stays and the counters are left as they were.
void CleanDB(std::int16_t Operation_type, std::int32_t& OK_Count, std::int32_t& Corrected_count);

// The same on a given database, inside the caller's writing transaction.
void cleanCatalogue(Database& database, std::int16_t operation, std::int32_t& okCount,
                    std::int32_t& correctedCount);

}  // namespace kt
