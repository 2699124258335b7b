#include "server/database/catalogue_creator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <latch>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "server/catalogue/ktdb.h"
#include "server/database/database.h"
#include "server/database/errors.h"
#include "server/database/schema_operations.h"
#include "tests/server/database/catalogue_fixture.h"

namespace kt {
namespace {

using test::errorOf;

// name|declared type|not null|default|primary key
const std::map<std::string, std::vector<std::string>> kGoldenColumns{
    {"Entity",
     {"ent_id|INTEGER|0||1", "ent_name|TEXT|0||0", "ent_contact|TEXT|0||0",
      "ent_is_bundle|INTEGER|1|0|0", "ent_last_modified|TEXT|0||0", "ent_deleted|INTEGER|1|0|0",
      "ent_type|SMALLINT|0||0", "ent_unique_id|TEXT|0||0", "ent_acl|INTEGER|0||0",
      "ent_cache_spec_count|INTEGER|0|0|0", "ent_cache_bundle_count|INTEGER|0|0|0",
      "ent_cache_decomp_count|INTEGER|0|0|0"}},
    {"Relation",
     {"rel_id|INTEGER|0||1",
      "rel_contact|TEXT|0||0",
      "rel_start_ent_id|INTEGER|0||0",
      "rel_end_ent_id|INTEGER|0||0",
      "rel_inherit|INTEGER|1|0|0",
      "rel_inherit_from_rel_id|INTEGER|0||0",
      "rel_deleted|INTEGER|1|0|0",
      "rel_inherit_by_copy|INTEGER|1|0|0",
      "rel_Type|SMALLINT|0||0",
      "rel_name|TEXT|0||0",
      "rel_inherit_from_parent|INTEGER|1|0|0",
      "rel_context_ent_id|INTEGER|0||0",
      "rel_suppressed|INTEGER|1|0|0",
      "rel_slot_id|INTEGER|0|-1|0",
      "rel_slot_name|TEXT|0|'slot_name'|0",
      "rel_context_path|TEXT|0|'context_path'|0",
      "rel_display_order|INTEGER|0|0|0",
      "rel_end_ent_type|INTEGER|0|0|0",
      "rel_imb_context_ent_id|INTEGER|0|0|0",
      "rel_unique_id|TEXT|0||0",
      "rel_slot_unique_id|TEXT|0||0"}},
    {"Specialization",
     {"spec_id|INTEGER|0||1", "spec_parent_ent_id|INTEGER|0||0", "spec_child_ent_id|INTEGER|0||0",
      "spec_deleted|INTEGER|1|0|0", "spec_type|SMALLINT|0|1|0",
      "spec_display_order|INTEGER|0|0|0"}},
    {"Attributes",
     {"atri_id|INTEGER|0||1", "atri_name|TEXT|0||0", "atri_inherit|INTEGER|1|0|0",
      "atri_data_type|TEXT|0||0", "atri_value|TEXT|0||0", "atri_ent_ref|INTEGER|0||0",
      "atri_inherit_from_atri_id|INTEGER|0||0", "atri_class|INTEGER|0||0",
      "atri_deleted|INTEGER|1|0|0", "atri_default_value|TEXT|0||0",
      "atri_entity_value_id|INTEGER|0||0", "atri_OLE_id|INTEGER|0||0",
      "atri_inherit_from_parent|INTEGER|1|0|0", "atri_inherit_behavior|SMALLINT|0||0"}},
    {"RelationAttributes",
     {"atri_id|INTEGER|0||1", "atri_name|TEXT|0||0", "atri_inherit|INTEGER|1|0|0",
      "atri_data_type|TEXT|0||0", "atri_value|TEXT|0||0", "atri_ent_ref|INTEGER|0||0",
      "atri_inherit_from_atri_id|INTEGER|0||0", "atri_class|INTEGER|0||0",
      "atri_deleted|INTEGER|1|0|0", "atri_default_value|TEXT|0||0",
      "atri_entity_value_id|INTEGER|0||0", "atri_ole_id|INTEGER|0||0",
      "atri_inherit_from_parent|INTEGER|1|0|0", "atri_inherit_behavior|SMALLINT|0||0"}},
    {"Entity_Types", {"ent_type_id|TEXT|1||0", "ent_type_name|TEXT|0||0"}},
    {"Relation_Types", {"rel_type_id|TEXT|1||0", "rel_type_name|TEXT|0||0"}},
};

// table: index(columns), "unique" before the parenthesis when it is
const std::map<std::string, std::set<std::string>> kGoldenIndexes{
    {"Entity", {"Entity_name(ent_name)", "Entity_unique_id(ent_unique_id)"}},
    {"Relation",
     {"Relation_start(rel_start_ent_id)", "Relation_end(rel_end_ent_id)",
      "Relation_context(rel_context_ent_id)", "Relation_inherit_from(rel_inherit_from_rel_id)",
      "Relation_slot(rel_slot_id)", "Relation_unique_id(rel_unique_id)",
      "Relation_slot_unique_id(rel_slot_unique_id)"}},
    {"Specialization",
     {"Specialization_parent(spec_parent_ent_id)", "Specialization_child(spec_child_ent_id)"}},
    {"Attributes",
     {"Attributes_owner(atri_ent_ref)", "Attributes_inherit_from(atri_inherit_from_atri_id)"}},
    {"RelationAttributes",
     {"RelationAttributes_owner(atri_ent_ref)",
      "RelationAttributes_inherit_from(atri_inherit_from_atri_id)"}},
    {"Entity_Types", {"Ind1 unique(ent_type_id)"}},
    {"Relation_Types", {"Ind2 unique(rel_type_id)"}},
};

class CatalogueCreation : public test::CatalogueFixture {
protected:
    void SetUp() override {
        path_ = newCatalogue();
        database_ = Database::open(path_);
    }

    std::vector<std::string> strings(std::string_view sql) {
        std::vector<std::string> result;
        for (auto rows = database_->snapshot(sql); !rows.eof(); rows.moveNext()) {
            std::string row;
            for (std::size_t i = 0; i < rows.fieldCount(); ++i) {
                const Field field = rows.field(i);
                row += (i ? "|" : "") + (field.isNull() ? std::string("NULL") : field.asText());
            }
            result.push_back(row);
        }
        return result;
    }

    std::filesystem::path path_;
    std::unique_ptr<Database> database_;
};

TEST_F(CatalogueCreation, SchemaMatchesTheGoldenList) {
    std::set<std::string> tables;
    for (const auto& name :
         strings("SELECT name FROM sqlite_schema WHERE type = 'table' ORDER BY name")) {
        tables.insert(name);
    }
    std::set<std::string> expectedTables;
    for (const auto& [table, columns] : kGoldenColumns) {
        expectedTables.insert(table);
    }
    EXPECT_EQ(tables, expectedTables);

    for (const auto& [table, expected] : kGoldenColumns) {
        SCOPED_TRACE(table);
        std::vector<std::string> actual;
        for (const ColumnInfo& column : schema::columns(*database_, table)) {
            actual.push_back(column.name + "|" + column.declaredType + "|" +
                             (column.notNull ? "1" : "0") + "|" + column.defaultValue.value_or("") +
                             "|" + (column.primaryKey ? "1" : "0"));
        }
        EXPECT_EQ(actual, expected);
    }

    for (const auto& [table, expected] : kGoldenIndexes) {
        SCOPED_TRACE(table);
        std::set<std::string> actual;
        auto indexes = database_->snapshot(
            "SELECT l.name, l.\"unique\", group_concat(i.name) AS columns FROM "
            "pragma_index_list(?) AS l, pragma_index_info(l.name) AS i GROUP BY l.name",
            table);
        for (; !indexes.eof(); indexes.moveNext()) {
            actual.insert(indexes["name"].asText() +
                          (indexes["unique"].asBoolean() ? " unique" : "") + "(" +
                          indexes["columns"].asText() + ")");
        }
        EXPECT_EQ(actual, expected);
    }
}

TEST_F(CatalogueCreation, TextColumnsCompareWithoutRegardToCase) {
    for (const auto& [table, columns] : kGoldenColumns) {
        const std::string sql =
            Field("sql", *database_->scalar("SELECT sql FROM sqlite_schema WHERE name = ?", table))
                .asText();
        for (const auto& column : columns) {
            const std::string name = column.substr(0, column.find('|'));
            if (column.find("|TEXT|") != std::string::npos) {
                EXPECT_TRUE(
                    std::regex_search(sql, std::regex("\"" + name + "\" TEXT[^,]* COLLATE NOCASE")))
                    << table << "." << name;
            }
        }
    }
}

TEST_F(CatalogueCreation, TypeNamesAreWritten) {
    EXPECT_EQ(
        strings("SELECT ent_type_id, ent_type_name FROM Entity_Types ORDER BY "
                "CAST(ent_type_id AS INTEGER)"),
        (std::vector<std::string>{"1|activity", "2|bundle", "3|port", "4|navigational_node",
                                  "5|dependency", "6|resource", "7|attribute_type",
                                  "8|entity_collection", "9|user_group", "10|exception_group"}));
    EXPECT_EQ(
        strings("SELECT rel_type_id, rel_type_name FROM Relation_Types ORDER BY "
                "CAST(rel_type_id AS INTEGER)"),
        (std::vector<std::string>{
            "1|decomposition_relation", "2|connector_relation", "3|automatic_connector_relation",
            "4|navigation_relation", "5|is_managed_by_relation", "6|has_resource_relation",
            "7|membership", "8|automatic_decomposition_relation", "9|has_exception",
            "10|anticipates_exception", "11|avoids_exception", "12|detects_exception",
            "13|resolves_exception", "14|performed_by", "15|performed_where"}));
}

TEST_F(CatalogueCreation, FixedEntitiesAreMade) {
    // key|name|type|bundle flag|contact|ACL|specializations|bundles|decomposition
    EXPECT_EQ(strings("SELECT ent_id, ent_name, ent_type, ent_is_bundle, ent_contact, ent_acl, "
                      "ent_cache_spec_count, ent_cache_bundle_count, ent_cache_decomp_count "
                      "FROM Entity WHERE ent_deleted = 0 ORDER BY ent_id"),
              (std::vector<std::string>{
                  "0|Activity Root|1|0|Auto Upgrade|0|1|1|0",
                  "1|Tessary Root|0|0|Auto Upgrade|0|11|0|0",
                  "2|Thing Root|0|0|Auto Upgrade|0|1|0|0",
                  "3|Bundle Root|2|0|Auto Upgrade|0|1|0|0",
                  "4|Port Root|3|0|Auto Upgrade|0|2|0|0",
                  "5|Dependency Root|5|0|Auto Upgrade|0|2|0|0",
                  "6|Attribute Type Root|7|0|Auto Upgrade|0|1|0|0",
                  "7|Entity Collection Root|8|0|Auto Upgrade|0|1|0|0",
                  "8|User Group Root|9|0|Auto Upgrade|0|1|0|0",
                  "9|Resource Root|6|0|Auto Upgrade|0|2|0|0",
                  "10|Navigational Node Root|4|0|Auto Upgrade|0|1|0|0",
                  "11|Default Activity Root|2|1|Auto Upgrade|NULL|1|0|0",
                  "12|Default Parent Activity|1|0|Auto Upgrade|NULL|0|0|0",
                  "13|Default Parent Thing|0|0|Auto Upgrade|NULL|0|0|0",
                  "14|Default Parent Bundle|2|0|Auto Upgrade|NULL|1|0|0",
                  "15|Default Parent Port|3|0|Auto Upgrade|NULL|0|0|0",
                  "16|Default Parent Dependency|5|0|Auto Upgrade|NULL|0|0|0",
                  "17|Default Parent Attribute Type|7|0|Auto Upgrade|NULL|0|0|0",
                  "18|Default Parent Entity Collection|8|0|Auto Upgrade|NULL|0|0|0",
                  "19|Default Parent User Group|9|0|Auto Upgrade|NULL|0|0|0",
                  "20|Default Parent Resource|6|0|Auto Upgrade|NULL|0|0|0",
                  "21|Default Parent Navigational Node|4|0|Auto Upgrade|NULL|0|0|0",
                  "22|ICN-TokenJwqQ|6|0|Auto Upgrade|NULL|0|0|0",
                  "23|ICN-Dependency|5|0|Auto Upgrade|NULL|0|0|0",
                  "24|ICN-Port|3|0|Auto Upgrade|NULL|2|0|0",
                  "25|ICN-Producer Port|3|0|Auto Upgrade|NULL|0|0|0",
                  "26|ICN-Consumer Port|3|0|Auto Upgrade|NULL|1|0|0",
                  "27|ICN-Revoke Consumer Port|3|0|Auto Upgrade|NULL|0|0|0",
                  "28|Exception Root|10|0|Auto Upgrade|0|0|0|0",
              }));
}

TEST_F(CatalogueCreation, StampsAndPifIdsAreWellFormed) {
    auto rows = database_->snapshot("SELECT ent_id, ent_last_modified, ent_unique_id FROM Entity");
    std::set<std::string> pifIds;
    for (; !rows.eof(); rows.moveNext()) {
        const std::string key = rows["ent_id"].asText();
        EXPECT_TRUE(std::regex_match(rows["ent_last_modified"].asText(),
                                     std::regex(R"(\d\d-\d\d-\d{4} \d\d:\d\d:\d\d)")));
        EXPECT_TRUE(
            std::regex_match(rows["ent_unique_id"].asText(), std::regex(R"(\d{12}UF)" + key)));
        pifIds.insert(rows["ent_unique_id"].asText());
    }
    EXPECT_EQ(pifIds.size(), rows.recordCount());
}

TEST_F(CatalogueCreation, HierarchyRunsFromTheRootThroughKindRootsToDefaultParents) {
    // parent|child|type, in link order
    EXPECT_EQ(strings("SELECT p.ent_name, c.ent_name, spec_type FROM Specialization "
                      "JOIN Entity p ON p.ent_id = spec_parent_ent_id "
                      "JOIN Entity c ON c.ent_id = spec_child_ent_id "
                      "WHERE spec_deleted = 0 ORDER BY spec_id"),
              (std::vector<std::string>{
                  "Tessary Root|Activity Root|1",
                  "Tessary Root|Thing Root|1",
                  "Tessary Root|Bundle Root|1",
                  "Tessary Root|Port Root|1",
                  "Tessary Root|Dependency Root|1",
                  "Tessary Root|Attribute Type Root|1",
                  "Tessary Root|Entity Collection Root|1",
                  "Tessary Root|User Group Root|1",
                  "Tessary Root|Resource Root|1",
                  "Tessary Root|Navigational Node Root|1",
                  "Activity Root|Default Activity Root|1",
                  "Default Activity Root|Default Parent Activity|1",
                  "Activity Root|Default Parent Activity|2",
                  "Thing Root|Default Parent Thing|1",
                  "Bundle Root|Default Parent Bundle|1",
                  "Port Root|Default Parent Port|1",
                  "Dependency Root|Default Parent Dependency|1",
                  "Attribute Type Root|Default Parent Attribute Type|1",
                  "Entity Collection Root|Default Parent Entity Collection|1",
                  "User Group Root|Default Parent User Group|1",
                  "Resource Root|Default Parent Resource|1",
                  "Navigational Node Root|Default Parent Navigational Node|1",
                  "Resource Root|ICN-TokenJwqQ|1",
                  "Dependency Root|ICN-Dependency|1",
                  "Port Root|ICN-Port|1",
                  "ICN-Port|ICN-Producer Port|1",
                  "ICN-Port|ICN-Consumer Port|1",
                  "ICN-Consumer Port|ICN-Revoke Consumer Port|1",
                  "Default Parent Bundle|Default Activity Root|1",
                  "Tessary Root|Exception Root|1",
              }));
}

TEST_F(CatalogueCreation, FixedAttributesAreInheritedByTheDefaultParents) {
    // owner|name|value|default|inherited|origin|class|entity value|OLE|follows parent|behaviour
    EXPECT_EQ(strings("SELECT e.ent_name, atri_name, atri_value, atri_default_value, "
                      "atri_inherit, atri_inherit_from_atri_id, atri_class, "
                      "atri_entity_value_id, atri_OLE_id, atri_inherit_from_parent, "
                      "atri_inherit_behavior || '|' || atri_data_type || '|' || atri_deleted "
                      "FROM Attributes JOIN Entity e ON e.ent_id = atri_ent_ref WHERE atri_id < 10 "
                      "ORDER BY atri_id"),
              (std::vector<std::string>{
                  "Port Root|PortType|Undeclared|Undeclared|0|0|-1|-1|-1|1|2|String|0",
                  "Port Root|DecSentenceValue|Null|Null|0|1|-1|-1|-1|1|2|String|0",
                  "Attribute Type Root|Values|Null|Null|0|2|-1|-1|-1|1|2|String|0",
                  "Attribute Type Root|DefaultValue|Null|Null|0|3|-1|-1|-1|1|2|String|0",
                  "User Group Root|Password|Null|Null|0|4|-1|-1|-1|1|2|String|0",
                  "Default Parent Port|PortType|Undeclared|Undeclared|1|0|-1|-1|-1|1|2|String|0",
                  "Default Parent Port|DecSentenceValue|Null|Null|1|1|-1|-1|-1|1|2|String|0",
                  "Default Parent Attribute Type|Values|Null|Null|1|2|-1|-1|-1|1|2|String|0",
                  "Default Parent Attribute Type|DefaultValue|Null|Null|1|3|-1|-1|-1|1|2|String|0",
                  "Default Parent User Group|Password|Null|Null|1|4|-1|-1|-1|1|2|String|0",
              }));
    EXPECT_EQ(strings("SELECT COUNT(*) FROM RelationAttributes"), std::vector<std::string>{"0"});
}

TEST_F(CatalogueCreation, PortsAndDependenciesStartManagedByTheActivityRoot) {
    const std::string pif = "(SELECT ent_unique_id FROM Entity WHERE ent_id = rel_start_ent_id)";
    EXPECT_EQ(strings("SELECT rel_id, rel_name, rel_Type, rel_start_ent_id, rel_end_ent_id, "
                      "rel_context_ent_id, rel_inherit_from_rel_id, rel_contact, rel_end_ent_type, "
                      "rel_slot_id, rel_slot_name, rel_context_path, rel_display_order, "
                      "rel_imb_context_ent_id, rel_inherit, rel_deleted, rel_suppressed, "
                      "rel_unique_id = " +
                      pif +
                      " || 'RL' || rel_id, "
                      "rel_slot_unique_id = " +
                      pif +
                      " || 'SL-1' "
                      "FROM Relation ORDER BY rel_id"),
              (std::vector<std::string>{
                  "0|4 is managed by 0|5|4|0|4|0|Upgraded from doclinks|1|-1|slot_name|"
                  "context_path|0|0|0|0|0|1|1",
                  "1|5 is managed by 0|5|5|0|5|1|Upgraded from doclinks|1|-1|slot_name|"
                  "context_path|0|0|0|0|0|1|1",
                  "2|5 has resource 0|6|5|0|5|2|Upgraded from doclinks|1|-1|slot_name|"
                  "context_path|0|0|0|0|0|1|1",
              }));
}

TEST_F(CatalogueCreation, IntegrityCheckSaysOk) {
    database_.reset();
    const std::string command = "sqlite3 '" + path_.string() + "' 'PRAGMA integrity_check'";
    std::FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) {
        output += buffer;
    }
    EXPECT_EQ(pclose(pipe), 0);
    EXPECT_EQ(output, "ok\n");
}

TEST_F(CatalogueCreation, OpenDBFindsTheRoot) {
    KTDB().OpenDB(path_.string());
    EXPECT_EQ(global_db().root_id(), 1);
}

TEST_F(CatalogueCreation, AnExistingFileIsNeverReplaced) {
    const auto path = directory_.file("taken.db");
    std::ofstream(path) << "keep me";
    EXPECT_THROW(CreateCatalogue(path), DatabaseError);
    EXPECT_THROW(CreateCatalogue(path_), DatabaseError);
    std::ifstream in(path);
    std::string contents;
    std::getline(in, contents);
    EXPECT_EQ(contents, "keep me");
}

TEST_F(CatalogueCreation, AFailedCreationLeavesNothingBehind) {
    const auto missingDirectory = directory_.file("no such directory");
    EXPECT_THROW(CreateCatalogue(missingDirectory / "catalogue.db"), DatabaseError);
    EXPECT_FALSE(std::filesystem::exists(missingDirectory));
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory_.path())) {
        names.push_back(entry.path().filename().string());
    }
    // The catalogue of the fixture, open between operations, is the one file there.
    EXPECT_EQ(names, std::vector<std::string>{"catalogue.db"});
}

TEST_F(CatalogueCreation, OfCreatorsRacingForOnePathExactlyOneWins) {
    constexpr int kRounds = 5;
    constexpr std::size_t kCreators = 4;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        const auto path = directory_.file("raced" + std::to_string(round) + ".db");
        std::latch start(kCreators);
        std::array<std::string, kCreators> failures;
        std::vector<std::thread> creators;
        for (std::size_t creator = 0; creator < kCreators; ++creator) {
            creators.emplace_back([&, creator] {
                start.arrive_and_wait();
                try {
                    CreateCatalogue(path);
                } catch (const Error& error) {
                    failures[creator] = error.description();
                }
            });
        }
        for (std::thread& creator : creators) {
            creator.join();
        }
        for (const std::string& failure : failures) {
            EXPECT_TRUE(failure.empty() || failure.find("exists already") != std::string::npos)
                << failure;
        }
        EXPECT_EQ(std::ranges::count(failures, std::string()), 1);
        EXPECT_NO_THROW(Database::open(path));
    }
    for (const auto& entry : std::filesystem::directory_iterator(directory_.path())) {
        EXPECT_EQ(entry.path().filename().string().find("creating"), std::string::npos);
    }
}

}  // namespace
}  // namespace kt
