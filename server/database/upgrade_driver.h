#pragma once

#include <string>

namespace kt {

class Database;
class UpgradeLog;
struct UpgradeStep;

enum class StepOutcome {
    NothingToDo,  // the probe found the step's work done
    Upgraded,     // the step ran
    Pending,      // the step is due, and was asked only to report that
};

// Probes one step while only reading, and runs it when it is due as one writing transaction:
// a current catalogue takes no write lock, and a step that fails leaves the catalogue as it
// found it. The failure is logged ("Error: ...") and raised as catalogue error 1 naming the
// step, or saying that another program holds the catalogue locked, that the file was replaced,
// moved or deleted while it was being upgraded (checked before each step as well as within
// it), or that it is damaged. With `checkOnly` a check-aware step only logs that it is due and
// hands its description to `Upgrade_Description`.
StepOutcome runUpgradeStep(Database& database, const UpgradeLog& log, const UpgradeStep& step,
                           bool checkOnly, std::string& Upgrade_Description);

// Brings the catalogue to the current schema by running every due step in order. With
// `check_only` the check-aware steps only report; the others always upgrade. Returns, and
// leaves in `check_only`, false only when the specialization display order is still missing.
// The first failing step ends the run with catalogue error 1; what the steps before it did
// stays. A catalogue that still lacks part of the schema afterwards is refused the same way.
bool UpgradeCatalogue(Database& database, const UpgradeLog& log, bool& check_only,
                      std::string& Upgrade_Description);

}  // namespace kt
