// Upgrade steps that extend Relation: slots, display order and end type, the managed-by
// context, the relation attributes table and the relations' unique identifiers.

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "server/database/blank_trim.h"
#include "server/database/database.h"
#include "server/database/errors.h"
#include "server/database/field.h"
#include "server/database/fixed_entities.h"
#include "server/database/key_allocation.h"
#include "server/database/upgrade_log.h"
#include "server/database/upgrade_steps.h"
#include "server/database/upgrade_support.h"

namespace kt {

namespace {

// ---- Slots -----------------------------------------------------------------------------

// A live decomposition as the numbering sees it.
struct Decomposition {
    std::int32_t relation;
    std::optional<std::int32_t> origin;
    std::int32_t slot;
};

// Numbers the slots of every live decomposition, walking the specialization tree from the
// root so that generalizations come before their specializations. A decomposition that is its
// own origin takes the next slot number; a copy takes its origin's slot. The tree and the
// decompositions are read once, the numbers written row by row.
class SlotNumbering {
public:
    explicit SlotNumbering(UpgradeContext& context)
        : context_(context),
          database_(context.database),
          next_(std::max(NextKey(database_, KeyColumn::Slot), kFirstSlotID)) {}

    void run(std::int32_t root) {
        try {
            readTree();
            walk(root);
            resolvePendingCopies();
        } catch (const std::exception& error) {
            // Recorded where it happened; the step then fails whole.
            context_.log.write(std::string("Handle_Entity in DB Upgrade Error: ") + error.what());
            throw;
        }
    }

private:
    void readTree() {
        auto links = database_.snapshot(
            "SELECT spec_parent_ent_id, spec_child_ent_id FROM Specialization WHERE "
            "spec_deleted = 0 AND spec_parent_ent_id IS NOT NULL AND spec_child_ent_id IS NOT "
            "NULL ORDER BY spec_id");
        for (; !links.eof(); links.moveNext()) {
            children_[links.field(std::size_t{0}).asLong()].push_back(
                links.field(std::size_t{1}).asLong());
        }
        auto rows = database_.snapshot(
            "SELECT rel_id, rel_start_ent_id, rel_inherit_from_rel_id, rel_slot_id FROM Relation "
            "WHERE rel_Type = 1 AND rel_deleted = 0 AND rel_start_ent_id IS NOT NULL "
            "ORDER BY rel_id");
        for (; !rows.eof(); rows.moveNext()) {
            const auto origin = rows["rel_inherit_from_rel_id"];
            Decomposition decomposition{
                rows["rel_id"].asLong(),
                origin.isNull() ? std::nullopt : std::optional(origin.asLong()),
                rows["rel_slot_id"].isNull() ? kUnnumbered : rows["rel_slot_id"].asLong()};
            decompositions_[rows["rel_start_ent_id"].asLong()].push_back(decomposition);
        }
    }

    void walk(std::int32_t root) {
        std::vector<std::int32_t> stack{root};
        while (!stack.empty()) {
            const std::int32_t key = stack.back();
            stack.pop_back();
            if (!visited_.insert(key).second) {
                continue;
            }
            if (const auto found = decompositions_.find(key); found != decompositions_.end()) {
                for (Decomposition& decomposition : found->second) {
                    number(decomposition);
                }
            }
            if (const auto found = children_.find(key); found != children_.end()) {
                stack.insert(stack.end(), found->second.rbegin(), found->second.rend());
            }
        }
    }

    void number(const Decomposition& decomposition) {
        if (decomposition.slot != kUnnumbered) {
            return;
        }
        if (decomposition.origin && *decomposition.origin != decomposition.relation) {
            if (!copySlot(decomposition.relation, *decomposition.origin)) {
                pending_.push_back({decomposition.relation, *decomposition.origin});
            }
            return;
        }
        database_.execute("UPDATE Relation SET rel_slot_id = ? WHERE rel_id = ?", next_++,
                          decomposition.relation);
    }

    // False while the origin has no slot yet.
    bool copySlot(std::int32_t relation, std::int32_t origin) {
        const auto slot =
            database_.scalar("SELECT rel_slot_id FROM Relation WHERE rel_id = ?", origin);
        if (!slot || isNull(*slot) || Field("rel_slot_id", *slot).asLong() == kUnnumbered) {
            return false;
        }
        database_.execute("UPDATE Relation SET rel_slot_id = ? WHERE rel_id = ?", *slot, relation);
        return true;
    }

    // A copy whose origin lies in a second generalization, numbered after the copy was
    // reached, takes its slot now. Origins outside the root's tree keep theirs unnumbered.
    void resolvePendingCopies() {
        bool progress = true;
        while (progress && !pending_.empty()) {
            progress = false;
            std::erase_if(pending_, [&](const PendingCopy& copy) {
                const bool copied = copySlot(copy.relation, copy.origin);
                progress = progress || copied;
                return copied;
            });
        }
    }

    struct PendingCopy {
        std::int32_t relation;
        std::int32_t origin;
    };

    static constexpr std::int32_t kUnnumbered = -1;

    UpgradeContext& context_;
    Database& database_;
    std::int32_t next_;
    std::unordered_map<std::int32_t, std::vector<std::int32_t>> children_;
    std::unordered_map<std::int32_t, std::vector<Decomposition>> decompositions_;
    std::unordered_set<std::int32_t> visited_;
    std::vector<PendingCopy> pending_;
};

bool slotsDue(Database& database) {
    return !schema::hasColumn(database, "Relation", "rel_slot_id");
}

void addSlots(UpgradeContext& context) {
    context.log.write("Adding Slots...");
    // Existing rows take the columns' defaults: slot -1, "slot_name", "context_path".
    for (const auto column : {"rel_slot_id", "rel_slot_name", "rel_context_path"}) {
        upgrade::addCurrentColumn(context.database, "Relation", column);
    }
    upgrade::ensureLookupIndexes(context.database);
    SlotNumbering(context).run(upgrade::requireKeyOfName(context.database, kTessaryRoot));
}

// ---- Display order and end type -------------------------------------------------------

bool displayOrderDue(Database& database) {
    return !schema::hasColumn(database, "Relation", "rel_display_order");
}

// The display order an old "Notes" value carries before its first "!"; nothing for a value
// without one, an empty first field or one that is not a whole number.
std::optional<std::int32_t> displayOrderOf(std::string_view notes) {
    const auto bang = notes.find('!');
    if (bang == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view order = trimBlanks(notes.substr(0, bang));
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(order.data(), order.data() + order.size(), number);
    if (order.empty() || error != std::errc() || end != order.data() + order.size()) {
        return std::nullopt;
    }
    return number;
}

void addDisplayOrder(UpgradeContext& context) {
    Database& database = context.database;
    context.log.write("Upgrading display order information...");
    upgrade::addCurrentColumn(database, "Relation", "rel_display_order");
    upgrade::addCurrentColumn(database, "Relation", "rel_end_ent_type");
    database.execute(
        "UPDATE Relation SET rel_end_ent_type = (SELECT ent_type FROM Entity WHERE ent_id = "
        "Relation.rel_end_ent_id) WHERE EXISTS (SELECT 1 FROM Entity WHERE ent_id = "
        "Relation.rel_end_ent_id)");
    auto notes = database.snapshot(
        "SELECT atri_value, atri_ent_ref FROM Attributes WHERE atri_name = 'Notes' AND "
        "atri_deleted = 0 ORDER BY atri_id");
    for (; !notes.eof(); notes.moveNext()) {
        if (notes["atri_value"].isNull()) {
            continue;
        }
        if (const auto order = displayOrderOf(notes["atri_value"].asText())) {
            database.execute(
                "UPDATE Relation SET rel_display_order = ? WHERE rel_end_ent_id = ? AND "
                "rel_deleted = 0",
                *order, notes["atri_ent_ref"].value());
        }
    }
}

// ---- Managed-by context and relation attributes ----------------------------------------

bool managedByContextDue(Database& database) {
    return !schema::hasColumn(database, "Relation", "rel_imb_context_ent_id");
}

void addManagedByContext(UpgradeContext& context) {
    upgrade::addCurrentColumn(context.database, "Relation", "rel_imb_context_ent_id");
}

bool relationAttributesDue(Database& database) {
    return !schema::hasTable(database, "RelationAttributes");
}

void addRelationAttributes(UpgradeContext& context) {
    context.log.write("Adding attributes to relations... ");
    upgrade::createCurrentTable(context.database, "RelationAttributes");
    upgrade::ensureLookupIndexes(context.database);
    context.log.write("Done... ");
}

// ---- Unique identifiers of relations and slots ----------------------------------------

bool pifIdsDue(Database& database) {
    return !schema::hasColumn(database, "Relation", "rel_unique_id");
}

// Each relation's identifier is its start entity's, "RL" and its key; each slot's the same
// with "SL" and the slot number. A relation whose start entity is gone keeps none.
void addPifIds(UpgradeContext& context) {
    Database& database = context.database;
    context.log.write("Updating Relation Table to include PIFids and SlotPIFids...");
    upgrade::addCurrentColumn(database, "Relation", "rel_unique_id");
    upgrade::addCurrentColumn(database, "Relation", "rel_slot_unique_id");
    database.execute(
        "UPDATE Relation SET "
        "rel_unique_id = (SELECT ent_unique_id FROM Entity WHERE ent_id = "
        "Relation.rel_start_ent_id) || 'RL' || rel_id, "
        "rel_slot_unique_id = (SELECT ent_unique_id FROM Entity WHERE ent_id = "
        "Relation.rel_start_ent_id) || 'SL' || ifnull(rel_slot_id, '')");
    auto orphans = database.snapshot(
        "SELECT rel_id FROM Relation WHERE rel_unique_id IS NULL ORDER BY rel_id");
    for (; !orphans.eof(); orphans.moveNext()) {
        context.log.writeFields(
            "Error Occured during Updating Relation Table to include PIFids and SlotPIFids: ",
            "The start entity is missing; no identifier given. rel_id_str was: " +
                orphans["rel_id"].asText() + " ");
    }
    upgrade::ensureLookupIndexes(database);
}

}  // namespace

namespace upgrade {
const UpgradeStep Slot_Upgrade{"Slot_Upgrade", slotsDue, addSlots};
const UpgradeStep Display_Order_Upgrade{"Display_Order_Upgrade", displayOrderDue, addDisplayOrder};
const UpgradeStep Relation_IMB_Context_Upgrade{"Relation_IMB_Context_Upgrade", managedByContextDue,
                                               addManagedByContext};
const UpgradeStep Relation_Attributes_Upgrade{"Relation_Attributes_Upgrade", relationAttributesDue,
                                              addRelationAttributes};
const UpgradeStep Relation_PIF_Upgrade{
    "Relation_PIF_Upgrade",
    pifIdsDue,
    addPifIds,
    true,
    "TBD: Update Relation Table to include PIFids and SlotPIFids...",
    "Update Relation Table to include PIFids and SlotPIFids. This should take a few minutes"};
}  // namespace upgrade

}  // namespace kt
