#include "server/entities/generic.h"

#include <limits>

#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/errors.h"
#include "server/database/time_stamp.h"
#include "server/database/transaction.h"
#include "server/database/type_codes.h"
#include "server/entities/generalization.h"

namespace kt {

namespace {

std::int16_t publishedCount(std::int32_t count) {
    if (count < std::numeric_limits<std::int16_t>::min() ||
        count > std::numeric_limits<std::int16_t>::max()) {
        throw overflowError();
    }
    return static_cast<std::int16_t>(count);
}

std::int32_t countOf(std::string_view sql, std::int32_t key, std::int32_t type) {
    return Field("COUNT", global_db().database().scalar(sql, key, type).value()).asLong();
}

}  // namespace

void generic::Init(std::int32_t key) {
    const Recordset row = global_db().CreateSnapshot("SELECT * FROM Entity WHERE ent_id = ?", key);
    if (row.eof()) {
        throw catalogueError(msg::EntityNotPresent);
    }
    EntityRecord record = readEntityRecord(row);
    record.id = key;
    record_ = std::move(record);
    bound_ = true;
}

void generic::InitFromFields(const EntityRecord& record) {
    record_ = record;
    bound_ = true;
}

std::chrono::local_seconds generic::LastModified() const {
    return lastModifiedDate(record_.lastModified);
}

void generic::refuseUnusable(const CatalogueMessage& deletedMessage) const {
    if (!bound_) {
        throw catalogueError(msg::EntityNotPresent);
    }
    if (record_.deleted) {
        throw catalogueError(deletedMessage);
    }
}

void generic::refuseChange() const {
    refuseUnusable(msg::DeletedEntityChange);
}

template <typename... Args>
void generic::updateRow(std::string_view sql, const Args&... args) {
    Database& database = global_db().database();
    database.execute(sql, args...);
    if (database.changes() == 0) {
        throw catalogueError(msg::EntityNotPresent);
    }
}

template <typename T>
void generic::changeStamped(std::string_view sql, const T& value, T& cached) {
    refuseChange();
    const TimeStamp stamp = TimeStamp::now();
    Transaction operation(global_db().database());
    updateRow(sql, value, stamp.lastModified(), record_.id);
    operation.commit();
    cached = value;
    record_.lastModified = stamp.lastModified();
}

void generic::setName(const std::string& value) {
    changeStamped("UPDATE Entity SET ent_name = ?, ent_last_modified = ? WHERE ent_id = ?", value,
                  record_.name);
}

void generic::setContact(const std::string& value) {
    changeStamped("UPDATE Entity SET ent_contact = ?, ent_last_modified = ? WHERE ent_id = ?",
                  value, record_.contact);
}

void generic::setDeleted(bool value) {
    changeStamped("UPDATE Entity SET ent_deleted = ?, ent_last_modified = ? WHERE ent_id = ?",
                  value, record_.deleted);
}

void generic::StampLastModified() {
    refuseChange();
    const TimeStamp stamp = TimeStamp::now();
    Transaction operation(global_db().database());
    updateRow("UPDATE Entity SET ent_last_modified = ? WHERE ent_id = ?", stamp.lastModified(),
              record_.id);
    operation.commit();
    record_.lastModified = stamp.lastModified();
}

void generic::setACL(std::int32_t value) {
    changeStamped("UPDATE Entity SET ent_acl = ?, ent_last_modified = ? WHERE ent_id = ?", value,
                  record_.acl);
}

std::int16_t generic::DecompCount() const {
    return publishedCount(record_.decompCount);
}

std::int16_t generic::SpecCount() const {
    return publishedCount(record_.specCount);
}

void generic::UpdateCachedCounts() {
    if (!bound_) {
        throw catalogueError(msg::EntityNotPresent);
    }
    Transaction operation(global_db().database());
    constexpr std::string_view children =
        "SELECT COUNT(*) FROM Relation WHERE rel_start_ent_id = ? AND rel_Type = ? AND "
        "rel_deleted = 0";
    constexpr std::string_view links =
        "SELECT COUNT(*) FROM Specialization WHERE spec_parent_ent_id = ? AND spec_deleted = 0 "
        "AND spec_type = ?";
    const std::int32_t decomposition =
        countOf(children, record_.id, static_cast<std::int32_t>(RelationType::Decomposition));
    const std::int32_t direct = countOf(links, record_.id, direct_specialization);
    const bool activity = hasType(EntityType::Activity);
    const std::int32_t specialization =
        activity ? countOf(links, record_.id, cache_specialization) : direct;
    const std::int32_t bundle = activity ? direct : 0;
    updateRow(
        "UPDATE Entity SET ent_cache_spec_count = ?, ent_cache_decomp_count = ?, "
        "ent_cache_bundle_count = ? WHERE ent_id = ?",
        specialization, decomposition, bundle, record_.id);
    operation.commit();
    record_.specCount = specialization;
    record_.decompCount = decomposition;
    record_.bundleCount = bundle;
}

void generic::UpdateDecompCount(std::int32_t value, bool absolute) {
    adjustCount(CountColumn::Decomposition, value, absolute);
}

void generic::UpdateSpecCount(std::int32_t value, bool absolute) {
    adjustCount(CountColumn::Specialization, value, absolute);
}

void generic::UpdateBundleCount(std::int32_t value, bool absolute) {
    adjustCount(CountColumn::Bundle, value, absolute);
}

void generic::adjustCount(CountColumn column, std::int32_t value, bool absolute) {
    if (!bound_) {
        throw catalogueError(msg::EntityNotPresent);
    }
    Database& database = global_db().database();
    Transaction operation(database);
    // Another worker may have moved the count since this copy was read.
    Init(record_.id);
    std::int32_t& count = column == CountColumn::Decomposition    ? record_.decompCount
                          : column == CountColumn::Specialization ? record_.specCount
                                                                  : record_.bundleCount;
    const std::int64_t wanted = absolute ? std::int64_t{value} : std::int64_t{count} + value;
    if (wanted < std::numeric_limits<std::int32_t>::min() ||
        wanted > std::numeric_limits<std::int32_t>::max()) {
        throw overflowError();
    }
    const auto updated = static_cast<std::int32_t>(wanted);
    switch (column) {
        case CountColumn::Decomposition:
            updateRow("UPDATE Entity SET ent_cache_decomp_count = ? WHERE ent_id = ?", updated,
                      record_.id);
            break;
        case CountColumn::Specialization:
            updateRow("UPDATE Entity SET ent_cache_spec_count = ? WHERE ent_id = ?", updated,
                      record_.id);
            break;
        case CountColumn::Bundle:
            database.execute(
                "UPDATE Entity SET ent_cache_bundle_count = ? WHERE ent_deleted = 0 AND ent_id = ?",
                updated, record_.id);
            if (database.changes() == 0) {
                return;  // a deleted entity: the stored count stands, and the copy shows it
            }
            break;
    }
    operation.commit();
    count = updated;
}

bool generic::HasGeneralization(const generic& GeneralEnt) const {
    // An unbound worker's key 0 would stand for "Activity Root".
    if (!bound_ || !GeneralEnt.bound_) {
        throw catalogueError(msg::EntityNotPresent);
    }
    return IsGeneralizationOf(record_.id, GeneralEnt.record_.id);
}

std::shared_ptr<generic> workerFor(std::int32_t key) {
    auto worker = std::make_shared<generic>();
    worker->Init(key);
    return worker;
}

}  // namespace kt
