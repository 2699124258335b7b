#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "server/catalogue/ktdb.h"
#include "server/database/catalogue_creator.h"
#include "server/database/database.h"
#include "server/database/db.h"
#include "server/database/errors.h"
#include "server/database/field.h"
#include "server/database/schema_operations.h"
#include "server/database/upgrade_driver.h"
#include "server/database/upgrade_log.h"
#include "server/database/upgrade_steps.h"
#include "server/entities/entities.h"
#include "server/entities/entity.h"
#include "tests/server/database/catalogue_fixture.h"
#include "tests/server/database/legacy_catalogues.h"

namespace kt {
namespace {

using test::errorOf;

// Every row of a query, columns joined by "|", Null as "NULL"; time stamps are masked so that
// catalogues made at different moments compare.
std::vector<std::string> rowsOf(Database& database, std::string_view sql) {
    static const std::regex stamp(R"(\d\d-\d\d-\d{4} \d\d:\d\d:\d\d)");
    static const std::regex pifPrefix(R"(\d{12}(UF|RL|SL))");
    std::vector<std::string> result;
    for (auto rows = database.snapshot(sql); !rows.eof(); rows.moveNext()) {
        std::string row;
        for (std::size_t i = 0; i < rows.fieldCount(); ++i) {
            const Field field = rows.field(i);
            row += (i ? "|" : "") + (field.isNull() ? std::string("NULL") : field.asText());
        }
        row = std::regex_replace(row, stamp, "<stamp>");
        result.push_back(std::regex_replace(row, pifPrefix, "<pif>$1"));
    }
    return result;
}

std::vector<std::string> linesOf(const std::filesystem::path& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

class Upgrade : public test::CatalogueFixture {
protected:
    std::filesystem::path path(const std::string& name = "old.db") { return directory_.file(name); }
    std::filesystem::path logPath() { return directory_.file(std::string(UpgradeLog::kFileName)); }

    // Runs the steps before `step` (by position), each as the driver runs it.
    static void runStepsBefore(Database& database, std::size_t step) {
        std::string description;
        for (std::size_t i = 0; i < step; ++i) {
            runUpgradeStep(database, UpgradeLog::silent(), upgradeSteps()[i], false, description);
        }
    }

    static StepOutcome run(Database& database, const UpgradeStep& step) {
        std::string description;
        return runUpgradeStep(database, UpgradeLog::silent(), step, false, description);
    }

    static std::size_t positionOf(const UpgradeStep& step) {
        for (std::size_t i = 0; i < upgradeSteps().size(); ++i) {
            if (upgradeSteps()[i].name == step.name) {
                return i;
            }
        }
        ADD_FAILURE() << "no step " << step.name;
        return 0;
    }

    // A version 6 catalogue brought up to just before `step`.
    std::unique_ptr<Database> version6Before(const UpgradeStep& step) {
        writeVersion6Catalogue(path());
        auto database = Database::open(path());
        runStepsBefore(*database, positionOf(step));
        return database;
    }

    static void writeVersion6Catalogue(const std::filesystem::path& file) {
        test::writeVersion6Catalogue(file);
    }
};

TEST_F(Upgrade, EachStepUpgradesItsIntermediateSchemaAndThenFindsNothingToDo) {
    for (std::size_t i = 0; i < upgradeSteps().size(); ++i) {
        const UpgradeStep& step = upgradeSteps()[i];
        SCOPED_TRACE(std::string(step.name));
        const auto file = path("step" + std::to_string(i) + ".db");
        if (i == 0) {
            test::writeOldestCatalogueWithContent(file);
        } else {
            test::writeVersion6Catalogue(file);
        }
        auto database = Database::open(file);
        runStepsBefore(*database, i);
        EXPECT_TRUE(step.due(*database));
        EXPECT_EQ(run(*database, step), StepOutcome::Upgraded);
        EXPECT_EQ(run(*database, step), StepOutcome::NothingToDo);
    }
}

TEST_F(Upgrade, TheOldestCatalogueBecomesExactlyANewOne) {
    test::writeOldestCatalogue(path());
    KTDB().OpenDB(path().string());
    KTDB().CloseDB();
    const auto fresh = newCatalogue("fresh.db");
    auto upgraded = Database::open(path());
    auto created = Database::open(fresh);

    const auto tables =
        rowsOf(*created, "SELECT name FROM sqlite_schema WHERE type = 'table' ORDER BY name");
    EXPECT_EQ(
        rowsOf(*upgraded, "SELECT name FROM sqlite_schema WHERE type = 'table' ORDER BY name"),
        tables);
    EXPECT_EQ(tables.size(), 7u);
    for (const std::string& table : tables) {
        SCOPED_TRACE(table);
        for (const std::string& sql :
             {"SELECT * FROM pragma_table_info('" + table + "') ORDER BY cid",
              "SELECT l.name, l.\"unique\", i.name FROM pragma_index_list('" + table +
                  "') AS l, pragma_index_info(l.name) AS i ORDER BY l.name, i.seqno",
              "SELECT * FROM \"" + table + "\" ORDER BY 1, 2"}) {
            EXPECT_EQ(rowsOf(*upgraded, sql), rowsOf(*created, sql)) << sql;
        }
    }
    // The comparison covers the rows the later steps add.
    EXPECT_EQ(rowsOf(*created,
                     "SELECT COUNT(*) FROM Attributes WHERE atri_name IN ('Description', "
                     "'ICN_Positions', 'kt_TradeoffLayout')"),
              std::vector<std::string>{"31"});
}

TEST_F(Upgrade, TheVersion6ConversionTypesTheOldCatalogue) {
    test::writeOldestCatalogueWithContent(path());
    auto database = Database::open(path());
    EXPECT_EQ(run(*database, upgrade::Version6_Upgrade), StepOutcome::Upgraded);

    EXPECT_EQ(
        rowsOf(*database, "SELECT name FROM sqlite_schema WHERE type = 'table' ORDER BY name"),
        (std::vector<std::string>{"Attributes", "Entity", "Entity_Types", "Relation",
                                  "Relation_Types", "Specialization"}));
    // key|name|type|bundle flag|contact|ACL
    EXPECT_EQ(rowsOf(*database,
                     "SELECT ent_id, ent_name, ent_type, ent_is_bundle, ent_contact, "
                     "ent_acl FROM Entity ORDER BY ent_id"),
              (std::vector<std::string>{
                  "0|Activity Root|1|0|Auto Upgrade|0",
                  "1|Resource Root|6|0|old|0",
                  "2|Navigational Node Root|4|0|old|0",
                  "3|Make tea|1|0|old|5",
                  "4|Make green tea|1|0|old|5",
                  "5|Kettle|6|0|old|0",
                  "7|Tea set|2|1|old|0",
                  "8|Tessary Root|0|0|Auto Upgrade|0",
                  "9|Thing Root|0|0|Auto Upgrade|0",
                  "10|Bundle Root|2|0|Auto Upgrade|0",
                  "11|Port Root|3|0|Auto Upgrade|0",
                  "12|Dependency Root|5|0|Auto Upgrade|0",
                  "13|Attribute Type Root|7|0|Auto Upgrade|0",
                  "14|Entity Collection Root|8|0|Auto Upgrade|0",
                  "15|User Group Root|9|0|Auto Upgrade|0",
                  "16|Default Activity Root|2|1|Auto Upgrade|NULL",
                  "17|Default Make tea|2|1|Auto Upgrade|NULL",
                  "18|Default Make green tea|2|1|Auto Upgrade|NULL",
              }));
    // parent|child|deleted
    EXPECT_EQ(
        rowsOf(*database,
               "SELECT spec_parent_ent_id, spec_child_ent_id, spec_deleted FROM "
               "Specialization ORDER BY spec_id"),
        (std::vector<std::string>{"0|1|1", "0|2|1", "0|3|1", "3|4|1", "8|0|0", "8|9|0", "8|10|0",
                                  "8|11|0", "8|12|0", "8|13|0", "8|14|0", "8|15|0", "8|1|0",
                                  "8|2|0", "0|16|0", "3|17|0", "4|18|0", "16|3|0", "17|4|0"}));
    // key|type|name|start|end|context|suppressed|follows parent|contact
    EXPECT_EQ(rowsOf(*database,
                     "SELECT rel_id, rel_Type, rel_name, rel_start_ent_id, "
                     "rel_end_ent_id, rel_context_ent_id, rel_suppressed, "
                     "rel_inherit_from_parent, rel_contact FROM Relation ORDER BY rel_id"),
              (std::vector<std::string>{
                  "1|1|3 deco 5|3|5|3|1|0|old",
                  "2|1|4 deco 5|4|5|4|1|0|old",
                  "3|1|3 deco 4|3|4|3|1|0|old",
                  "4|4|3 nav 4|3|4|NULL|0|0|Upgraded from doclinks",
                  "5|5|11 is managed by 0|11|0|11|0|0|Upgraded from doclinks",
                  "6|5|12 is managed by 0|12|0|12|0|0|Upgraded from doclinks",
                  "7|6|12 has resource 0|12|0|12|0|0|Upgraded from doclinks",
              }));
    // owner|name|value|default|class|follows parent|behaviour
    EXPECT_EQ(rowsOf(*database,
                     "SELECT atri_ent_ref, atri_name, atri_value, atri_default_value, "
                     "atri_class, atri_inherit_from_parent, atri_inherit_behavior FROM "
                     "Attributes WHERE atri_id < 8 ORDER BY atri_id"),
              (std::vector<std::string>{
                  "3|Notes|5!first!second!third|5 !first! second !third!|0|0|2",
                  "4|Notes|no fields|no fields|0|0|2",
                  "3|Actors|cook|cook|0|1|2",
                  "4|Colour|green|green|-1|0|2",
              }));
}

TEST_F(Upgrade, TheEntityModelWorksOnAnUpgradedCatalogue) {
    test::writeOldestCatalogueWithContent(path());
    KTDB ktdb;
    ktdb.OpenDB(path().string());
    EXPECT_EQ(ktdb.GetRootEntity()->Name(), "Tessary Root");
    const auto found = ktdb.GetEntitiesByName("Make green tea");
    ASSERT_EQ(found->Count(), 1);
    // Through its default bundle the old child now specializes "Make tea".
    const auto generalizations = found->GetItemByIndex(1)->GetGeneralizations();
    ASSERT_EQ(generalizations->Count(), 1);
    EXPECT_EQ(generalizations->GetItemByIndex(1)->Name(), "Make tea");
    const auto kindRoots = ktdb.GetRootEntity()->GetSpecializations();
    EXPECT_EQ(kindRoots->Count(), 11);
}

TEST_F(Upgrade, SlotsAreNumberedDownTheSpecializations) {
    auto database = version6Before(upgrade::Slot_Upgrade);
    EXPECT_EQ(run(*database, upgrade::Slot_Upgrade), StepOutcome::Upgraded);
    // key|slot|slot name|context path: the copy shares its origin's slot; the deleted one and
    // the copy of a missing origin keep -1, as do the markers that are not decompositions.
    EXPECT_EQ(
        rowsOf(*database,
               "SELECT rel_id, rel_slot_id, rel_slot_name, rel_context_path FROM "
               "Relation ORDER BY rel_id"),
        (std::vector<std::string>{"0|-1|slot_name|context_path", "1|-1|slot_name|context_path",
                                  "2|-1|slot_name|context_path", "3|1|slot_name|context_path",
                                  "4|1|slot_name|context_path", "5|-1|slot_name|context_path",
                                  "6|-1|slot_name|context_path"}));
}

TEST_F(Upgrade, ACopyWhoseOriginLiesInASecondGeneralizationTakesItsSlot) {
    auto database = version6Before(upgrade::Slot_Upgrade);
    // "Kettle" (16) also specializes "Make green tea" (14), reached later in the walk; its
    // decomposition repeats one of 14's, which is numbered only then.
    database->execute("INSERT INTO Specialization VALUES (40, 10, 16, 0), (41, 14, 16, 0)");
    database->execute(
        "INSERT INTO Relation (rel_id, rel_start_ent_id, rel_end_ent_id, rel_inherit_from_rel_id, "
        "rel_Type, rel_deleted) VALUES (20, 14, 2, 20, 1, 0), (21, 16, 2, 20, 1, 0)");
    database->execute("UPDATE Specialization SET spec_deleted = 1 WHERE spec_child_ent_id = 14");
    database->execute("INSERT INTO Specialization VALUES (42, 2, 14, 0)");
    EXPECT_EQ(run(*database, upgrade::Slot_Upgrade), StepOutcome::Upgraded);
    EXPECT_EQ(rowsOf(*database, "SELECT rel_id, rel_slot_id FROM Relation WHERE rel_id >= 20"),
              (std::vector<std::string>{"20|2", "21|2"}));
}

TEST_F(Upgrade, CachedLinksAndCountsFollowTheBundles) {
    auto database = version6Before(upgrade::Display_Order_Upgrade);
    // parent|child|type: each activity reaches the members of its bundles directly.
    EXPECT_EQ(rowsOf(*database,
                     "SELECT spec_parent_ent_id, spec_child_ent_id FROM Specialization "
                     "WHERE spec_type = 2 ORDER BY spec_id"),
              (std::vector<std::string>{"0|12", "12|14"}));
    // key|specializations|bundles|decomposition
    EXPECT_EQ(
        rowsOf(*database,
               "SELECT ent_id, ent_cache_spec_count, ent_cache_bundle_count, "
               "ent_cache_decomp_count FROM Entity WHERE ent_id IN (0, 1, 12, 13, "
               "16) ORDER BY ent_id"),
        (std::vector<std::string>{"0|1|1|0", "1|10|0|0", "12|1|1|1", "13|1|0|0", "16|0|0|1"}));
}

TEST_F(Upgrade, DisplayOrderComesFromTheNotesOfTheEndEntity) {
    auto database = version6Before(upgrade::Display_Order_Upgrade);
    EXPECT_EQ(run(*database, upgrade::Display_Order_Upgrade), StepOutcome::Upgraded);
    // Notes "7!..." on 16 orders the live relations ending there; blank, non-numeric and
    // field-less values are passed over.
    EXPECT_EQ(
        rowsOf(*database,
               "SELECT rel_id, rel_display_order, rel_end_ent_type FROM Relation "
               "ORDER BY rel_id"),
        (std::vector<std::string>{"0|0|1", "1|0|1", "2|0|1", "3|7|6", "4|7|6", "5|0|6", "6|0|1"}));
}

TEST_F(Upgrade, RelationIdentifiersComeFromTheStartEntity) {
    auto database = version6Before(upgrade::Relation_PIF_Upgrade);
    database->execute(
        "INSERT INTO Relation (rel_id, rel_start_ent_id, rel_Type) VALUES (30, 77, 4)");
    EXPECT_EQ(run(*database, upgrade::Relation_PIF_Upgrade), StepOutcome::Upgraded);
    EXPECT_EQ(rowsOf(*database,
                     "SELECT rel_id, rel_unique_id, rel_slot_unique_id FROM Relation "
                     "WHERE rel_id IN (0, 3, 4, 30) ORDER BY rel_id"),
              (std::vector<std::string>{"0|<pif>UF4RL0|<pif>UF4SL-1", "3|P12RL3|P12SL1",
                                        "4|P14RL4|P14SL1", "30|NULL|NULL"}));
}

TEST_F(Upgrade, TypeRowsAlreadyThereAreNotInsertedAgain) {
    auto database = version6Before(upgrade::Relation_Upgrade);
    database->execute(
        "INSERT INTO Relation_Types VALUES ('9', 'has_exception'), "
        "('10', 'anticipates_exception')");
    EXPECT_EQ(run(*database, upgrade::Relation_Upgrade), StepOutcome::Upgraded);
    EXPECT_EQ(rowsOf(*database,
                     "SELECT rel_type_id, rel_type_name FROM Relation_Types WHERE "
                     "CAST(rel_type_id AS INTEGER) > 8 ORDER BY rel_type_id + 0"),
              (std::vector<std::string>{"9|has_exception", "10|anticipates_exception",
                                        "11|avoids_exception", "12|detects_exception",
                                        "13|resolves_exception"}));
    EXPECT_EQ(rowsOf(*database,
                     "SELECT ent_type, spec_parent_ent_id FROM Entity JOIN "
                     "Specialization ON spec_child_ent_id = ent_id WHERE ent_name = "
                     "'Exception Root'"),
              std::vector<std::string>{"10|1"});
}

TEST_F(Upgrade, ABundleAlreadyUnderTheDefaultParentGetsNoSecondLink) {
    auto database = version6Before(upgrade::Bundle_Upgrade);
    const std::string parent = rowsOf(*database,
                                      "SELECT ent_id FROM Entity WHERE ent_name = "
                                      "'Default Parent Bundle'")
                                   .at(0);
    database->execute(
        "INSERT INTO Specialization (spec_id, spec_parent_ent_id, spec_child_ent_id, "
        "spec_deleted, spec_type) VALUES (100, " +
        parent + ", 13, 0, 1)");
    EXPECT_EQ(run(*database, upgrade::Bundle_Upgrade), StepOutcome::Upgraded);
    EXPECT_EQ(rowsOf(*database,
                     "SELECT spec_child_ent_id, COUNT(*) FROM Specialization WHERE "
                     "spec_parent_ent_id = " +
                         parent + " GROUP BY spec_child_ent_id ORDER BY 1"),
              (std::vector<std::string>{"11|1", "13|1", "15|1"}));
    EXPECT_EQ(rowsOf(*database,
                     "SELECT atri_value FROM Attributes JOIN Entity ON ent_id = "
                     "atri_ent_ref WHERE atri_name = 'kt_TradeoffLayout'"),
              std::vector<std::string>{":"});
}

TEST_F(Upgrade, TheDependencyEditorEntitiesCarryTheirPortSettings) {
    const auto fresh = newCatalogue();
    auto database = Database::open(fresh);
    // entity|attribute|value
    EXPECT_EQ(rowsOf(*database,
                     "SELECT ent_name, atri_name, atri_value FROM Attributes JOIN Entity ON "
                     "ent_id = atri_ent_ref WHERE ent_name LIKE 'ICN-%Port' AND atri_name IN "
                     "('PortType', 'PortResourceType') ORDER BY ent_id, atri_name"),
              (std::vector<std::string>{
                  "ICN-Port|PortResourceType|2300", "ICN-Port|PortType|Undeclared",
                  "ICN-Producer Port|PortResourceType|2300", "ICN-Producer Port|PortType|Producer",
                  "ICN-Consumer Port|PortResourceType|2300", "ICN-Consumer Port|PortType|Consumer",
                  "ICN-Revoke Consumer Port|PortResourceType|2300",
                  "ICN-Revoke Consumer Port|PortType|Consumer"}));
    EXPECT_EQ(rowsOf(*database,
                     "SELECT atri_name, atri_value FROM Attributes WHERE atri_ent_ref "
                     "= 1 ORDER BY atri_id"),
              (std::vector<std::string>{"ICN_Positions|", "GEN_ExeStatus|Unknown",
                                        "GEN_ExeType|Undefined", "GEN_ExePath|Undefined",
                                        "Description|-"}));
}

TEST_F(Upgrade, OpenDBLogsBesideTheCatalogueAndASecondOpenLogsNothing) {
    writeVersion6Catalogue(path());
    KTDB().OpenDB(path().string());
    KTDB().CloseDB();
    std::vector<std::string> lines = linesOf(logPath());
    for (auto& line : lines) {
        line = std::regex_replace(line, std::regex(R"(\d\d-\d\d-\d{4} \d\d:\d\d:\d\d)"), "<now>");
    }
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "\"Adding Slots...<now>\"",
                         "\"Adding cache specialization relations... <now>\"",
                         "\"Adding cached specialization counts...<now>\"",
                         "\"Adding bundle and decomp counts... <now>\"",
                         "\"Upgrading display order information...<now>\"",
                         "\"Done schema update... adding specializations <now>\"",
                         "\"Adding attributes for dependency editor use... <now>\"",
                         "\"Adding attributes to relations... <now>\"",
                         "\"Done... <now>\"",
                         "\"Adding relation_types 9:12 and exception root...<now>\"",
                         "\"Updating Relation Table to include PIFids and SlotPIFids...<now>\"",
                         "\"Adding relation_types 14 and 15 <now>\"",
                         "\"Adding spec_display_order upgrade to Specialization table<now>\"",
                     }));

    KTDB().OpenDB(path().string());
    EXPECT_EQ(linesOf(logPath()).size(), lines.size());
}

TEST_F(Upgrade, ALogThatCannotBeWrittenNeverFailsTheOpen) {
    test::writeOldestCatalogueWithContent(path());
    std::filesystem::create_directory(logPath());
    KTDB().OpenDB(path().string());
    EXPECT_EQ(global_db().root_id(), 8);
}

TEST_F(Upgrade, AFailureInsideAStepUndoesThatStepAndFailsTheOpen) {
    writeVersion6Catalogue(path());
    // The slot step fails on the copy it numbers second, after adding its columns and
    // numbering the copy's origin.
    test::runSql(path(),
                 "CREATE TRIGGER poison BEFORE UPDATE ON Relation WHEN OLD.rel_id = 4 "
                 "BEGIN SELECT RAISE(ABORT, 'injected failure'); END");
    const Error error = errorOf([&] { KTDB().OpenDB(path().string()); });
    EXPECT_EQ(error.number(), objectError(1));
    EXPECT_EQ(error.description(),
              "Upgrading the catalogue failed in Slot_Upgrade: injected failure");
    KTDB().CloseDB();

    auto database = Database::open(path());
    EXPECT_FALSE(schema::hasColumn(*database, "Relation", "rel_slot_id"));
    EXPECT_FALSE(schema::hasColumn(*database, "Specialization", "spec_type"));
    EXPECT_TRUE(schema::hasTable(*database, "Entity"));
    const auto lines = linesOf(logPath());
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(lines[1].starts_with("\"Handle_Entity in DB Upgrade Error: injected failure"))
        << lines[1];
    EXPECT_TRUE(lines[2].starts_with("\"Error: injected failure    ")) << lines[2];

    // Once the cause is gone, the next open upgrades the rest.
    database->execute("DROP TRIGGER poison");
    database.reset();
    KTDB().OpenDB(path().string());
    EXPECT_EQ(global_db().root_id(), 1);
}

TEST_F(Upgrade, CheckOnlyReportsTheLongStepsAndUpgradesTheRest) {
    struct Case {
        std::string name;
        std::vector<std::string> drops;
        bool result;
        std::string description;
        std::vector<std::string> pendingLines;
    };
    const std::vector<Case> cases{
        {"display order missing",
         {"ALTER TABLE Specialization DROP COLUMN spec_display_order"},
         false,
         "Update Specialization Table to include a display order field. This will take about a "
         "minute.",
         {"TBD: spec_display_order upgrade needed"}},
        {"identifiers missing",
         {"DROP INDEX Relation_unique_id", "DROP INDEX Relation_slot_unique_id",
          "ALTER TABLE Relation DROP COLUMN rel_unique_id",
          "ALTER TABLE Relation DROP COLUMN rel_slot_unique_id"},
         true,
         "Update Relation Table to include PIFids and SlotPIFids. This should take a few minutes",
         {"TBD: Update Relation Table to include PIFids and SlotPIFids..."}},
        {"both missing, and the type rows",
         {"ALTER TABLE Specialization DROP COLUMN spec_display_order",
          "DROP INDEX Relation_unique_id", "DROP INDEX Relation_slot_unique_id",
          "ALTER TABLE Relation DROP COLUMN rel_unique_id",
          "ALTER TABLE Relation DROP COLUMN rel_slot_unique_id",
          "DELETE FROM Relation_Types WHERE rel_type_id IN ('12', '14')",
          "ALTER TABLE Relation DROP COLUMN rel_imb_context_ent_id"},
         false,
         "Update Specialization Table to include a display order field. This will take about a "
         "minute.",
         {"TBD: relation_types 9:12...",
          "TBD: Update Relation Table to include PIFids and "
          "SlotPIFids...",
          "TBD: relation_types 14 and 15", "TBD: spec_display_order upgrade needed"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto file = newCatalogue(c.name + ".db");
        for (const auto& sql : c.drops) {
            test::runSql(file, sql);
        }
        std::filesystem::remove(logPath());
        std::optional<bool> version_test = true;
        std::string description;
        KTDB().OpenDB(file.string(), version_test, description);
        EXPECT_EQ(version_test, c.result);
        EXPECT_EQ(description, c.description);
        std::vector<std::string> lines;
        for (const auto& line : linesOf(logPath())) {
            lines.push_back(
                std::regex_replace(line, std::regex(R"(^"|\d\d-\d\d-\d{4} \d\d:\d\d:\d\d"$)"), ""));
        }
        EXPECT_EQ(lines, c.pendingLines);
        // The steps that always upgrade did so; the reporting ones changed nothing.
        Database& database = global_db().database();
        EXPECT_TRUE(schema::hasColumn(database, "Relation", "rel_imb_context_ent_id"));
        EXPECT_EQ(schema::hasColumn(database, "Specialization", "spec_display_order"), c.result);
        KTDB().CloseDB();
    }
}

}  // namespace
}  // namespace kt
