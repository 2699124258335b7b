#include "server/database/upgrade_driver.h"

#include <stdexcept>

#include "server/database/catalogue_schema.h"
#include "server/database/database.h"
#include "server/database/errors.h"
#include "server/database/transaction.h"
#include "server/database/upgrade_log.h"
#include "server/database/upgrade_steps.h"

namespace kt {

namespace {

void refuseIncompleteSchema(Database& database) {
    Transaction reading(database, Transaction::Mode::Read);
    const auto missing = missingSchemaParts(database);
    reading.commit();
    if (missing.empty()) {
        return;
    }
    std::string list;
    for (const auto& part : missing) {
        list += (list.empty() ? "" : ", ") + part;
    }
    throw catalogueError(
        1, "This catalogue lacks " + list + " of the current schema, and no upgrade step adds it.");
}

}  // namespace

StepOutcome runUpgradeStep(Database& database, const UpgradeLog& log, const UpgradeStep& step,
                           bool checkOnly, std::string& Upgrade_Description) {
    try {
        Transaction writing(database);
        if (!step.due(database)) {
            writing.commit();
            return StepOutcome::NothingToDo;
        }
        if (checkOnly && step.checkAware) {
            log.write(step.pendingLine);
            if (!step.pendingDescription.empty()) {
                Upgrade_Description = std::string(step.pendingDescription);
            }
            writing.commit();
            return StepOutcome::Pending;
        }
        UpgradeContext context{database, log};
        step.run(context);
        writing.commit();
        return StepOutcome::Upgraded;
    } catch (const std::exception& error) {
        const std::string description = error.what();
        log.write("Error: " + description + "    ");
        throw catalogueError(
            1, "Upgrading the catalogue failed in " + std::string(step.name) + ": " + description);
    }
}

bool UpgradeCatalogue(Database& database, const UpgradeLog& log, bool& check_only,
                      std::string& Upgrade_Description) {
    const bool checkOnly = check_only;
    bool result = true;
    bool anyPending = false;
    for (const UpgradeStep& step : upgradeSteps()) {
        const StepOutcome outcome =
            runUpgradeStep(database, log, step, checkOnly, Upgrade_Description);
        anyPending = anyPending || outcome == StepOutcome::Pending;
        // The display order step, the last that may only report, decides the result.
        if (step.name == upgrade::Specialization_Order_Upgrade.name) {
            result = outcome != StepOutcome::Pending;
        }
    }
    if (!anyPending) {
        refuseIncompleteSchema(database);
    }
    check_only = result;
    return result;
}

}  // namespace kt
