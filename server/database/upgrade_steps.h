#pragma once

#include <span>
#include <string>
#include <string_view>

#include "server/database/time_stamp.h"

namespace kt {

class Database;
class UpgradeLog;

// What an upgrade step works with. Every step runs inside its own writing transaction.
struct UpgradeContext {
    Database& database;
    const UpgradeLog& log;
    TimeStamp stamp = TimeStamp::now();
};

// One step that brings a catalogue closer to the current schema. `due` is the cheap probe:
// true when the step has work to do. `run` does that work and writes its own log lines.
struct UpgradeStep {
    std::string_view name;
    bool (*due)(Database& database);
    void (*run)(UpgradeContext& context);
    // Steps that may take long on a large catalogue can be asked only to report that they are
    // due: they then log `pendingLine` and, where they have one, hand `pendingDescription` to
    // the host.
    bool checkAware = false;
    std::string_view pendingLine{};
    std::string_view pendingDescription{};
};

// Every step, in the order they run.
std::span<const UpgradeStep> upgradeSteps();

// The steps of each group, defined beside their work.
namespace upgrade {
extern const UpgradeStep Version6_Upgrade;
extern const UpgradeStep Slot_Upgrade;
extern const UpgradeStep Add_Cache_Specs;
extern const UpgradeStep Spec_Count_Upgrade;
extern const UpgradeStep Bundle_Decomp_Count_Upgrade;
extern const UpgradeStep Display_Order_Upgrade;
extern const UpgradeStep Default_Parents_Upgrade;
extern const UpgradeStep Dependency_Editor_Upgrade;
extern const UpgradeStep Relation_IMB_Context_Upgrade;
extern const UpgradeStep Relation_Attributes_Upgrade;
extern const UpgradeStep Bundle_Upgrade;
extern const UpgradeStep Relation_Upgrade;
extern const UpgradeStep Relation_PIF_Upgrade;
extern const UpgradeStep Relation_Performed_Upgrade;
extern const UpgradeStep Specialization_Order_Upgrade;
extern const UpgradeStep Root_Description_Upgrade;
extern const UpgradeStep Update_cache_counts;
}  // namespace upgrade

}  // namespace kt
