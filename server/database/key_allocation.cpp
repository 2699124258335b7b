#include "server/database/key_allocation.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string_view>

#include "server/database/database.h"
#include "server/database/db.h"
#include "server/database/errors.h"
#include "server/database/recordset.h"

namespace kt {

namespace {
std::string_view maximumQuery(KeyColumn column) {
    switch (column) {
        case KeyColumn::Entity:
            return "SELECT MAX(ent_id) FROM Entity";
        case KeyColumn::Slot:
            return "SELECT MAX(rel_slot_id) FROM Relation";
        case KeyColumn::Specialization:
            return "SELECT MAX(spec_id) FROM Specialization";
        case KeyColumn::Relation:
            return "SELECT MAX(rel_id) FROM Relation";
        case KeyColumn::Attribute:
            return "SELECT MAX(atri_id) FROM Attributes";
        case KeyColumn::RelationAttribute:
            return "SELECT MAX(atri_id) FROM RelationAttributes";
    }
    throw std::invalid_argument("unknown key column");
}
}  // namespace

std::int32_t NextKey(Database& database, KeyColumn column) {
    if (!database.inWriteTransaction()) {
        throw std::logic_error("A key is taken only inside a writing transaction.");
    }
    const auto maximum = database.scalar(maximumQuery(column));
    if (!maximum || isNull(*maximum)) {
        return 0;
    }
    const std::int64_t next = Field("MAX", *maximum).asLong() + std::int64_t{1};
    if (next > std::numeric_limits<std::int32_t>::max()) {
        throw overflowError();
    }
    return static_cast<std::int32_t>(next);
}

std::int32_t NewEntityID() {
    return NextKey(global_db().database(), KeyColumn::Entity);
}
std::int32_t NewSlotID() {
    // Slot 0 and below mark relations without a slot of their own (navigation, managed-by,
    // vertical connectors), and a creator given slot 0 asks for a new one: a real slot is
    // never one of them, even while every stored slot is still -1.
    return std::max(NextKey(global_db().database(), KeyColumn::Slot), kFirstSlotID);
}
std::int32_t NewSpecID() {
    return NextKey(global_db().database(), KeyColumn::Specialization);
}
std::int32_t NewRelationID() {
    return NextKey(global_db().database(), KeyColumn::Relation);
}
std::int32_t NewAttributeID() {
    return NextKey(global_db().database(), KeyColumn::Attribute);
}
std::int32_t NewRelAttributeID() {
    return NextKey(global_db().database(), KeyColumn::RelationAttribute);
}

}  // namespace kt
