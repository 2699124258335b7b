#include "server/database/upgrade_steps.h"

#include <array>

namespace kt {

std::span<const UpgradeStep> upgradeSteps() {
    static const std::array<UpgradeStep, 17> steps{
        upgrade::Version6_Upgrade,
        upgrade::Slot_Upgrade,
        upgrade::Add_Cache_Specs,
        upgrade::Spec_Count_Upgrade,
        upgrade::Bundle_Decomp_Count_Upgrade,
        upgrade::Display_Order_Upgrade,
        upgrade::Default_Parents_Upgrade,
        upgrade::Dependency_Editor_Upgrade,
        upgrade::Relation_IMB_Context_Upgrade,
        upgrade::Relation_Attributes_Upgrade,
        upgrade::Bundle_Upgrade,
        upgrade::Relation_Upgrade,
        upgrade::Relation_PIF_Upgrade,
        upgrade::Relation_Performed_Upgrade,
        upgrade::Specialization_Order_Upgrade,
        upgrade::Root_Description_Upgrade,
        upgrade::Update_cache_counts,
    };
    return steps;
}

}  // namespace kt
