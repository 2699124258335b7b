#include "server/database/upgrade_driver.h"

#include <stdexcept>

#include "server/database/catalogue_refusals.h"
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

bool probe(Database& database, const UpgradeStep& step) {
    Transaction reading(database, Transaction::Mode::Read);
    const bool due = step.due(database);
    reading.commit();
    return due;
}

// Catalogue error 1 naming the step, or what kept it from running: another program's lock, a
// file moved while it was being upgraded, or a damaged file.
Error describeFailure(Database& database, const UpgradeStep& step, const std::exception& error) {
    if (const auto refusal = openRefusal(error, database.path())) {
        return catalogueError(1, refusal->description());
    }
    if (const auto* engine = dynamic_cast<const DatabaseError*>(&error);
        engine != nullptr && damagedFile(*engine)) {
        return catalogueError(
            1, catalogueDamaged(database.path(), engine->description()).description());
    }
    return catalogueError(
        1, "Upgrading the catalogue failed in " + std::string(step.name) + ": " + error.what());
}

}  // namespace

StepOutcome runUpgradeStep(Database& database, const UpgradeLog& log, const UpgradeStep& step,
                           bool checkOnly, std::string& Upgrade_Description) {
    try {
        // Each step commits on its own: once the file has left its path, no further step runs
        // and the open is refused.
        if (!database.file().stillAtPath()) {
            throw CatalogueMoved(database.path());
        }
        // The probe takes no write lock: opening a current catalogue writes nothing.
        if (!probe(database, step)) {
            return StepOutcome::NothingToDo;
        }
        if (checkOnly && step.checkAware) {
            log.write(step.pendingLine);
            if (!step.pendingDescription.empty()) {
                Upgrade_Description = std::string(step.pendingDescription);
            }
            return StepOutcome::Pending;
        }
        Transaction writing(database);
        // Another program may have done the work meanwhile.
        if (!step.due(database)) {
            writing.commit();
            return StepOutcome::NothingToDo;
        }
        UpgradeContext context{database, log};
        step.run(context);
        writing.commit();
        return StepOutcome::Upgraded;
    } catch (const std::exception& error) {
        log.write("Error: " + std::string(error.what()) + "    ");
        throw describeFailure(database, step, error);
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
