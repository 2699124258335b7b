#include "tests/server/database/legacy_catalogues.h"

#include <sqlite3.h>

#include <stdexcept>
#include <string>

namespace kt::test {

namespace {

constexpr std::string_view kOldestSchema = R"sql(
CREATE TABLE "Activity" ("acti_id" INTEGER PRIMARY KEY, "acti_name" TEXT COLLATE NOCASE,
  "acti_contact" TEXT COLLATE NOCASE, "acti_is_bundle" INTEGER NOT NULL DEFAULT 0,
  "acti_last_modified" TEXT COLLATE NOCASE, "acti_deleted" INTEGER NOT NULL DEFAULT 0,
  "acti_type" SMALLINT, "acti_unique_id" TEXT COLLATE NOCASE, "Acti_ACL" INTEGER);
CREATE TABLE "Decomposition" ("deco_id" INTEGER PRIMARY KEY, "deco_contact" TEXT COLLATE NOCASE,
  "deco_where_used_acti_id" INTEGER, "deco_subactivities_acti_id" INTEGER,
  "deco_inherit" INTEGER NOT NULL DEFAULT 0, "deco_inherit_from_deco_id" INTEGER,
  "deco_deleted" INTEGER NOT NULL DEFAULT 0, "Inherit_by_copy" INTEGER NOT NULL DEFAULT 0);
CREATE TABLE "Specialisation" ("spec_id" INTEGER PRIMARY KEY, "spec_parent_acti_id" INTEGER,
  "spec_child_acti_id" INTEGER, "spec_deleted" INTEGER NOT NULL DEFAULT 0);
CREATE TABLE "Attributes" ("atri_id" INTEGER PRIMARY KEY, "atri_name" TEXT COLLATE NOCASE,
  "atri_inherit" INTEGER NOT NULL DEFAULT 0, "atri_type" TEXT COLLATE NOCASE,
  "atri_value" TEXT COLLATE NOCASE, "atri_acti_ref" INTEGER, "atri_inherit_from_atri_id" INTEGER,
  "atri_class" INTEGER, "atri_deleted" INTEGER NOT NULL DEFAULT 0);
CREATE TABLE "Dependency_Type" ("dety_id" INTEGER PRIMARY KEY, "dety_name" TEXT);
CREATE TABLE "Dependency" ("depe_id" INTEGER PRIMARY KEY, "depe_name" TEXT,
  "depe_type" INTEGER REFERENCES "Dependency_Type" ("dety_id"));
CREATE TABLE "Producer" ("prod_id" INTEGER PRIMARY KEY,
  "prod_depe_id" INTEGER REFERENCES "Dependency" ("depe_id"),
  "prod_acti_id" INTEGER REFERENCES "Activity" ("acti_id"));
CREATE TABLE "Consumer" ("cons_id" INTEGER PRIMARY KEY,
  "cons_depe_id" INTEGER REFERENCES "Dependency" ("depe_id"),
  "cons_acti_id" INTEGER REFERENCES "Activity" ("acti_id"));
CREATE TABLE "Dependency_Attributes" ("deat_id" INTEGER PRIMARY KEY,
  "deat_depe_id" INTEGER REFERENCES "Dependency" ("depe_id"), "deat_value" TEXT);
CREATE TABLE "Can_Be_Managed_By" ("cbmb_id" INTEGER PRIMARY KEY,
  "cbmb_acti_id" INTEGER REFERENCES "Activity" ("acti_id"));
CREATE TABLE "Coordinates" ("coor_id" INTEGER PRIMARY KEY, "coor_x" INTEGER, "coor_y" INTEGER);
INSERT INTO Dependency_Type VALUES (1, 'flow');
INSERT INTO Dependency VALUES (1, 'old', 1);
INSERT INTO Activity VALUES (0, 'Old Root', 'Auto Upgrade', 0, '01-02-1999 10:00:00', 0, 0,
  '990102100000UF0', 0);
)sql";

constexpr std::string_view kOldestContent = R"sql(
INSERT INTO Activity VALUES (1, 'Resources', 'old', 0, '01-02-1999 10:00:00', 0, 3, 'P1', 0);
INSERT INTO Activity VALUES (2, 'Places', 'old', 0, '01-02-1999 10:00:00', 0, 9, 'P2', 0);
INSERT INTO Activity VALUES (3, 'Make tea', 'old', 0, '01-02-1999 10:00:00', 0, 0, 'P3', 5);
INSERT INTO Activity VALUES (4, 'Make green tea', 'old', 0, '01-02-1999 10:00:00', 0, 0, 'P4', 5);
INSERT INTO Activity VALUES (5, 'Kettle', 'old', 0, '01-02-1999 10:00:00', 0, 3, 'P5', 0);
INSERT INTO Activity VALUES (6, 'Old dependency', 'old', 0, '01-02-1999 10:00:00', 0, 5, 'P6', 0);
INSERT INTO Activity VALUES (7, 'Tea set', 'old', 1, '01-02-1999 10:00:00', 0, 0, 'P7', 0);
INSERT INTO Activity VALUES (8, 'Bundled place', 'old', 1, '01-02-1999 10:00:00', 0, 4, 'P8', 0);
INSERT INTO Specialisation VALUES (1, 0, 1, 0), (2, 0, 2, 0), (3, 0, 3, 0), (4, 3, 4, 0);
INSERT INTO Decomposition VALUES (1, 'old', 3, 5, 0, 1, 0, 0), (2, 'old', 4, 5, 1, 1, 0, 0),
  (3, 'old', 3, 4, 0, 3, 1, 0);
INSERT INTO Attributes VALUES (1, 'Activity Display', 0, 'String', '5 !first! second !third!', 3,
  1, 0, 0);
INSERT INTO Attributes VALUES (2, 'Activity Display', 0, 'String', 'no fields', 4, 2, 0, 0);
INSERT INTO Attributes VALUES (3, 'doclinks', 0, 'String', '4!0abcdef5!1abcdef-1', 3, 3, 0, 0);
INSERT INTO Attributes VALUES (4, 'doclinks', 0, 'String', '-1', 4, 4, 0, 0);
INSERT INTO Attributes VALUES (5, 'Skills Required', 0, 'String', 'lifting', 5, 5, 0, 0);
INSERT INTO Attributes VALUES (6, 'Actors', 0, 'String', 'cook', 3, 6, 0, 0);
INSERT INTO Attributes VALUES (7, 'Colour', 0, 'String', 'green', 4, 7, NULL, 0);
)sql";

constexpr std::string_view kVersion6Schema = R"sql(
CREATE TABLE "Entity" ("ent_id" INTEGER PRIMARY KEY, "ent_name" TEXT COLLATE NOCASE,
  "ent_contact" TEXT COLLATE NOCASE, "ent_is_bundle" INTEGER NOT NULL DEFAULT 0,
  "ent_last_modified" TEXT COLLATE NOCASE, "ent_deleted" INTEGER NOT NULL DEFAULT 0,
  "ent_type" SMALLINT, "ent_unique_id" TEXT COLLATE NOCASE, "ent_acl" INTEGER);
CREATE TABLE "Relation" ("rel_id" INTEGER PRIMARY KEY, "rel_contact" TEXT COLLATE NOCASE,
  "rel_start_ent_id" INTEGER, "rel_end_ent_id" INTEGER, "rel_inherit" INTEGER NOT NULL DEFAULT 0,
  "rel_inherit_from_rel_id" INTEGER, "rel_deleted" INTEGER NOT NULL DEFAULT 0,
  "rel_inherit_by_copy" INTEGER NOT NULL DEFAULT 0, "rel_Type" SMALLINT,
  "rel_name" TEXT COLLATE NOCASE, "rel_inherit_from_parent" INTEGER NOT NULL DEFAULT 0,
  "rel_context_ent_id" INTEGER, "rel_suppressed" INTEGER NOT NULL DEFAULT 0);
CREATE TABLE "Specialization" ("spec_id" INTEGER PRIMARY KEY, "spec_parent_ent_id" INTEGER,
  "spec_child_ent_id" INTEGER, "spec_deleted" INTEGER NOT NULL DEFAULT 0);
CREATE TABLE "Attributes" ("atri_id" INTEGER PRIMARY KEY, "atri_name" TEXT COLLATE NOCASE,
  "atri_inherit" INTEGER NOT NULL DEFAULT 0, "atri_data_type" TEXT COLLATE NOCASE,
  "atri_value" TEXT COLLATE NOCASE, "atri_ent_ref" INTEGER, "atri_inherit_from_atri_id" INTEGER,
  "atri_class" INTEGER, "atri_deleted" INTEGER NOT NULL DEFAULT 0,
  "atri_default_value" TEXT COLLATE NOCASE, "atri_entity_value_id" INTEGER,
  "atri_OLE_id" INTEGER, "atri_inherit_from_parent" INTEGER NOT NULL DEFAULT 0,
  "atri_inherit_behavior" SMALLINT);
CREATE TABLE "Entity_Types" ("ent_type_id" TEXT NOT NULL COLLATE NOCASE,
  "ent_type_name" TEXT COLLATE NOCASE);
CREATE UNIQUE INDEX "Ind1" ON "Entity_Types" ("ent_type_id");
CREATE TABLE "Relation_Types" ("rel_type_id" TEXT NOT NULL COLLATE NOCASE,
  "rel_type_name" TEXT COLLATE NOCASE);
CREATE UNIQUE INDEX "Ind2" ON "Relation_Types" ("rel_type_id");
INSERT INTO Entity_Types VALUES ('1', 'activity'), ('2', 'bundle'), ('3', 'port'),
  ('4', 'navigational_node'), ('5', 'dependency'), ('6', 'resource'), ('7', 'attribute_type'),
  ('8', 'entity_collection'), ('9', 'user_group');
INSERT INTO Relation_Types VALUES ('1', 'decomposition_relation'), ('2', 'connector_relation'),
  ('3', 'automatic_connector_relation'), ('4', 'navigation_relation'),
  ('5', 'is_managed_by_relation'), ('6', 'has_resource_relation'), ('7', 'membership'),
  ('8', 'automatic_decomposition_relation');
INSERT INTO Entity VALUES
  (0, 'Activity Root', 'Auto Upgrade', 0, '01-02-2001 10:00:00', 0, 1, '010102100000UF0', 0),
  (1, 'Tessary Root', 'Auto Upgrade', 0, '01-02-2001 10:00:00', 0, 0, '010102100000UF1', 0),
  (2, 'Thing Root', 'Auto Upgrade', 0, '01-02-2001 10:00:00', 0, 0, '010102100000UF2', 0),
  (3, 'Bundle Root', 'Auto Upgrade', 0, '01-02-2001 10:00:00', 0, 2, '010102100000UF3', 0),
  (4, 'Port Root', 'Auto Upgrade', 0, '01-02-2001 10:00:00', 0, 3, '010102100000UF4', 0),
  (5, 'Dependency Root', 'Auto Upgrade', 0, '01-02-2001 10:00:00', 0, 5, '010102100000UF5', 0),
  (6, 'Attribute Type Root', 'Auto Upgrade', 0, '01-02-2001 10:00:00', 0, 7, '010102100000UF6', 0),
  (7, 'Entity Collection Root', 'Auto Upgrade', 0, '01-02-2001 10:00:00', 0, 8, '010102100000UF7',
   0),
  (8, 'User Group Root', 'Auto Upgrade', 0, '01-02-2001 10:00:00', 0, 9, '010102100000UF8', 0),
  (9, 'Resource Root', 'old', 0, '01-02-2001 10:00:00', 0, 6, 'P9', 0),
  (10, 'Navigational Node Root', 'old', 0, '01-02-2001 10:00:00', 0, 4, 'P10', 0),
  (11, 'Default Activity Root', 'Auto Upgrade', 1, '01-02-2001 10:00:00', 0, 2, 'P11', NULL),
  (12, 'Make tea', 'old', 0, '01-02-2001 10:00:00', 0, 1, 'P12', 5),
  (13, 'Default Make tea', 'Auto Upgrade', 1, '01-02-2001 10:00:00', 0, 2, 'P13', NULL),
  (14, 'Make green tea', 'old', 0, '01-02-2001 10:00:00', 0, 1, 'P14', 5),
  (15, 'Default Make green tea', 'Auto Upgrade', 1, '01-02-2001 10:00:00', 0, 2, 'P15', NULL),
  (16, 'Kettle', 'old', 0, '01-02-2001 10:00:00', 0, 6, 'P16', 0);
INSERT INTO Specialization VALUES (1, 1, 0, 0), (2, 1, 2, 0), (3, 1, 3, 0), (4, 1, 4, 0),
  (5, 1, 5, 0), (6, 1, 6, 0), (7, 1, 7, 0), (8, 1, 8, 0), (9, 1, 9, 0), (10, 1, 10, 0),
  (11, 0, 11, 0), (12, 0, 12, 1), (13, 11, 12, 0), (14, 12, 13, 0), (15, 12, 14, 1),
  (16, 13, 14, 0), (17, 14, 15, 0);
INSERT INTO Relation VALUES
  (0, 'Upgraded from doclinks', 4, 0, 0, 0, 0, 0, 5, '4 is managed by 0', 0, NULL, 0),
  (1, 'Upgraded from doclinks', 5, 0, 0, 1, 0, 0, 5, '5 is managed by 0', 0, NULL, 0),
  (2, 'Upgraded from doclinks', 5, 0, 0, 2, 0, 0, 6, '5 has resource 0', 0, NULL, 0),
  (3, 'old', 12, 16, 0, 3, 0, 0, 1, '12 deco 16', 0, 12, 1),
  (4, 'old', 14, 16, 1, 3, 0, 0, 1, '14 deco 16', 0, 14, 1),
  (5, 'old', 12, 16, 0, 5, 1, 0, 1, '12 deco 16', 0, 12, 1),
  (6, 'old', 16, 12, 1, 99, 0, 0, 1, '16 deco 12', 0, 16, 1);
INSERT INTO Attributes VALUES
  (0, 'PortType', 0, 'String', 'Undeclared', 4, 0, -1, 0, 'Undeclared', -1, -1, 1, 2),
  (1, 'DecSentenceValue', 0, 'String', 'Null', 4, 1, -1, 0, 'Null', -1, -1, 1, 2),
  (2, 'Values', 0, 'String', 'Null', 6, 2, -1, 0, 'Null', -1, -1, 1, 2),
  (3, 'DefaultValue', 0, 'String', 'Null', 6, 3, -1, 0, 'Null', -1, -1, 1, 2),
  (4, 'Password', 0, 'String', 'Null', 8, 4, -1, 0, 'Null', -1, -1, 1, 2),
  (5, 'Notes', 0, 'String', '7!a!b!c', 16, 5, -1, 0, '7!a!b!c', -1, -1, 0, 2),
  (6, 'Notes', 0, 'String', '  !a!b!c', 14, 6, -1, 0, '  !a!b!c', -1, -1, 0, 2),
  (7, 'Notes', 0, 'String', 'x!a!b!c', 12, 7, -1, 0, 'x!a!b!c', -1, -1, 0, 2),
  (8, 'Notes', 0, 'String', 'no fields', 0, 8, -1, 0, 'no fields', -1, -1, 0, 2);
)sql";

struct Connection {
    sqlite3* handle = nullptr;
    ~Connection() { sqlite3_close(handle); }
};

void execute(const std::filesystem::path& path, std::string_view sql, int flags) {
    Connection connection;
    if (sqlite3_open_v2(path.c_str(), &connection.handle, flags, nullptr) != SQLITE_OK) {
        throw std::runtime_error("cannot open " + path.string());
    }
    char* message = nullptr;
    if (sqlite3_exec(connection.handle, std::string(sql).c_str(), nullptr, nullptr, &message) !=
        SQLITE_OK) {
        const std::string text = message ? message : "unknown error";
        sqlite3_free(message);
        throw std::runtime_error("SQL failed: " + text);
    }
}

void create(const std::filesystem::path& path, std::string_view sql) {
    execute(path, sql, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
}

}  // namespace

void writeOldestCatalogue(const std::filesystem::path& path) {
    create(path, kOldestSchema);
}

void writeOldestCatalogueWithContent(const std::filesystem::path& path) {
    create(path, std::string(kOldestSchema) + std::string(kOldestContent));
}

void writeVersion6Catalogue(const std::filesystem::path& path) {
    create(path, kVersion6Schema);
}

void runSql(const std::filesystem::path& path, std::string_view sql) {
    execute(path, sql, SQLITE_OPEN_READWRITE);
}

}  // namespace kt::test
