#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "server/entities/entity_record.h"

namespace kt {

// The worker behind one Entity: a copy of the entity's row of table Entity, and every
// statement that reads or changes that row. The copy is filled once when the worker is bound
// (Init, InitFromFields) and afterwards changed only by the worker's own setters; another
// worker of the same entity does not see those changes until it reloads.
//
// Every change runs as one transaction: the row and the copy change together or not at all.
class generic {
public:
    // Binds the worker to the row with this plain ent_id, deleted or not. A missing row raises
    // error 2 "This entity is not present in the database." and keeps the copy as it was.
    void Init(std::int32_t key);
    // Binds the worker to a row that a query has read already.
    void InitFromFields(const EntityRecord& record);
    // False until Init or InitFromFields succeeded: a worker without a row reads as empty values
    // and refuses every change with error 2.
    bool isBound() const { return bound_; }

    std::int32_t ID() const { return record_.id; }  // the plain ent_id
    std::int32_t Typ() const { return record_.type; }
    const std::string& Name() const { return record_.name; }
    const std::string& Contact() const { return record_.contact; }
    bool Deleted() const { return record_.deleted; }
    const std::string& UniqueID() const { return record_.uniqueId; }
    // The stored last-modified text as a local date and time; "Type mismatch" when the text is
    // not one.
    std::chrono::local_seconds LastModified() const;
    const std::string& LastModifiedText() const { return record_.lastModified; }
    const EntityRecord& record() const { return record_; }

    // The setters refuse a deleted entity with error 22 and stamp the change.
    void setName(const std::string& value);
    void setContact(const std::string& value);
    // Marking the entity deleted writes the flag and the stamp together. A deleted entity
    // cannot be brought back (error 22).
    void setDeleted(bool value);

    // Writes the current local time into ent_last_modified ("mm-dd-yyyy hh:mm:ss").
    void StampLastModified();

    std::int32_t ACL() const { return record_.acl; }
    void setACL(std::int32_t value);

    // The published counts are 16-bit: past 32,767 they raise the overflow error.
    std::int16_t DecompCount() const;
    std::int16_t SpecCount() const;
    std::int32_t BundleCount() const { return record_.bundleCount; }

    // Recounts the three cached counts from Relation and Specialization and stores them. An
    // activity counts its bundles (spec_type 1) apart from its specializations (spec_type 2);
    // any other entity counts spec_type 1 links as specializations and has no bundles.
    void UpdateCachedCounts();
    // Reload the row, then add `value` to the count (or set it, when `absolute`) and store it.
    // A count may become negative.
    void UpdateDecompCount(std::int32_t value, bool absolute = false);
    void UpdateSpecCount(std::int32_t value, bool absolute = false);
    // Changes only a live row: a deleted entity keeps its stored count, and so does the copy.
    void UpdateBundleCount(std::int32_t value, bool absolute = false);

    // The keys of this entity's direct generalizations, from index 1 (element 0 is 0): through
    // spec_type 2 for an activity other than "Activity Root", through spec_type 1 otherwise.
    // Refuses a deleted entity with error 22.
    void GetGenIDs(std::vector<std::int32_t>& ids) const;
    // True when GeneralEnt is this entity or one of its generalizations at any depth.
    bool HasGeneralization(const generic& GeneralEnt) const;

private:
    enum class CountColumn { Decomposition, Specialization, Bundle };

    void refuseChange() const;
    // Writes one column and a fresh stamp together, then takes both into the copy.
    template <typename T>
    void changeStamped(std::string_view sql, const T& value, T& cached);
    void adjustCount(CountColumn column, std::int32_t value, bool absolute);
    // Runs an UPDATE of this entity's row; error 2 when the row has gone.
    template <typename... Args>
    void updateRow(std::string_view sql, const Args&... args);

    EntityRecord record_;
    bool bound_ = false;
};

}  // namespace kt
