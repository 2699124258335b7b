#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "server/database/time_stamp.h"
#include "server/database/type_codes.h"

namespace kt {

class Database;

// The values of a new row of Entity.
struct NewEntity {
    std::string name;
    std::string contact;
    EntityType type = EntityType::Thing;
    bool isBundle = false;
    std::optional<std::string> pifId;  // generated from the time stamp and key when absent
    std::optional<std::int32_t> acl;
    std::int32_t specCount = 0;
    std::int32_t bundleCount = 0;
    std::int32_t decompCount = 0;
    TimeStamp stamp = TimeStamp::now();
};

// Takes the next ent_id and inserts the row under it; returns the key. Must run inside a
// writing Transaction.
std::int32_t insertEntity(Database& database, const NewEntity& entity);

}  // namespace kt
