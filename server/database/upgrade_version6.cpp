// Converts an activity catalogue of the oldest schema into the typed-entity schema: tables and
// columns renamed and added, old markers turned into typed relations, entities sorted into
// their types, the fixed roots created and every activity given its default bundle.

#include <array>
#include <charconv>
#include <string>
#include <vector>

#include "server/database/database.h"
#include "server/database/errors.h"
#include "server/database/field.h"
#include "server/database/fixed_entities.h"
#include "server/database/key_allocation.h"
#include "server/database/legacy_schema.h"
#include "server/database/new_notes.h"
#include "server/database/type_codes.h"
#include "server/database/upgrade_log.h"
#include "server/database/upgrade_steps.h"
#include "server/database/upgrade_support.h"

namespace kt {

namespace {

using upgrade::addCurrentColumn;

// The last code of each type table that the conversion writes; later steps add the rest.
constexpr std::int16_t kLastVersion6EntityType = 9;
constexpr std::int16_t kLastVersion6RelationType = 8;

constexpr std::array<std::string_view, 5> kAddedRelationColumns{
    "rel_Type", "rel_name", "rel_inherit_from_parent", "rel_context_ent_id", "rel_suppressed"};
constexpr std::array<std::string_view, 5> kAddedAttributeColumns{
    "atri_default_value", "atri_entity_value_id", "atri_OLE_id", "atri_inherit_from_parent",
    "atri_inherit_behavior"};

// Old attribute whose value was the four notes fields; it becomes "Notes".
constexpr std::string_view kActivityDisplay = "Activity Display";
constexpr std::string_view kNotes = "Notes";
constexpr std::string_view kDoclinks = "doclinks";
constexpr std::string_view kNoLinks = "-1";
// In a doclinks value each target is followed by "!", a flag character and six more
// characters before the next target.
constexpr std::size_t kDoclinkTailLength = 7;

// The old root activity; it becomes "Activity Root".
constexpr std::int32_t kOldRootKey = 0;

bool due(Database& database) {
    return !schema::hasTable(database, "Entity");
}

std::optional<std::int32_t> wholeNumber(std::string_view text) {
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return number;
}

class Conversion {
public:
    explicit Conversion(UpgradeContext& context) : context_(context), database_(context.database) {}

    void run() {
        context_.log.writePlain("Upgrading to Version 6...");
        dropDependencyTables();
        renameTablesAndColumns();
        addColumns();
        createTypeTables();
        // The lookups of the rest of the conversion want their indexes on a large catalogue.
        upgrade::ensureLookupIndexes(database_);
        writeTypeNames();
        convertDecompositions();
        convertAttributes();
        convertDoclinks();
        database_.execute("DELETE FROM Entity WHERE ent_type IN (4, 5, 6, 7, 8, 10, 11, 12, 14)");
        sortEntityTypes();
        const std::int32_t tessaryRoot = insertRoot(kTessaryRoot, EntityType::Thing);
        adoptOldRootChildren();
        insertOtherKindRoots();
        linkKindRoots(tessaryRoot);
        dropActivityOnlyAttributes();
        addDefaultBundles();
        database_.execute("UPDATE Attributes SET atri_class = -1 WHERE atri_class IS NULL");
    }

private:
    void dropDependencyTables() {
        for (const std::string_view table : legacyDependencyTables()) {
            if (schema::hasTable(database_, table)) {
                schema::dropTable(database_, table);
            }
        }
    }

    void renameTablesAndColumns() {
        for (const TableRename& table : legacyTableRenames()) {
            if (table.from != table.to) {
                schema::renameTable(database_, table.from, table.to);
            }
            for (const ColumnRename& column : table.columns) {
                if (column.from == column.to) {
                    continue;
                }
                if (schema::hasColumn(database_, table.to, column.from)) {
                    schema::renameColumn(database_, table.to, column.from, column.to);
                } else if (!schema::hasColumn(database_, table.to, column.to)) {
                    addCurrentColumn(database_, table.to, column.to);
                }
            }
        }
    }

    void addColumns() {
        for (const auto column : kAddedRelationColumns) {
            addCurrentColumn(database_, "Relation", column);
        }
        for (const auto column : kAddedAttributeColumns) {
            addCurrentColumn(database_, "Attributes", column);
        }
    }

    void createTypeTables() {
        upgrade::createCurrentTable(database_, "Entity_Types");
        upgrade::createCurrentTable(database_, "Relation_Types");
    }

    void writeTypeNames() {
        for (const TypeName& type : entityTypeNames()) {
            if (type.code <= kLastVersion6EntityType) {
                database_.execute(
                    "INSERT INTO Entity_Types (ent_type_id, ent_type_name) VALUES (?, ?)",
                    std::to_string(type.code), type.name);
            }
        }
        for (const TypeName& type : relationTypeNames()) {
            if (type.code <= kLastVersion6RelationType) {
                database_.execute(
                    "INSERT INTO Relation_Types (rel_type_id, rel_type_name) VALUES (?, ?)",
                    std::to_string(type.code), type.name);
            }
        }
    }

    // Every old row is a decomposition drawn in its parent.
    void convertDecompositions() {
        database_.execute(
            "UPDATE Relation SET rel_Type = 1, "
            "rel_name = ifnull(rel_start_ent_id, '') || ' deco ' || ifnull(rel_end_ent_id, ''), "
            "rel_inherit_from_parent = 0, rel_context_ent_id = rel_start_ent_id, "
            "rel_suppressed = 1");
    }

    void convertAttributes() {
        database_.execute(
            "UPDATE Attributes SET atri_default_value = atri_value, atri_entity_value_id = -1, "
            "atri_OLE_id = -1, atri_inherit_behavior = 2, atri_inherit_from_parent = "
            "(atri_name IN ('Actors', 'Skills Required', 'Location', 'Resources Required', "
            "'Evaluation Criteria', 'DecisionSentence', 'DecisionSentenceValue'))");
        auto rows = database_.snapshot(
            "SELECT atri_id, atri_value FROM Attributes WHERE atri_name = ?", kActivityDisplay);
        for (; !rows.eof(); rows.moveNext()) {
            Value value = rows["atri_value"].value();
            if (!rows["atri_value"].isNull()) {
                std::string parts[4];
                try {
                    GetNewNotes(rows["atri_value"].asText(), parts[0], parts[1], parts[2],
                                parts[3]);
                    value = parts[0] + "!" + parts[1] + "!" + parts[2] + "!" + parts[3];
                } catch (const Error&) {
                    // A value without its four fields is kept as it stands.
                }
            }
            database_.execute(
                "UPDATE Attributes SET atri_value = ?, atri_name = ? WHERE atri_id = ?", value,
                kNotes, rows["atri_id"].value());
        }
    }

    // Each "doclinks" value lists navigation targets; those flagged "0" become navigation
    // relations. The attributes themselves go.
    void convertDoclinks() {
        std::int32_t key = NextKey(database_, KeyColumn::Relation);
        auto rows = database_.snapshot(
            "SELECT atri_value, atri_ent_ref FROM Attributes WHERE atri_name = ? ORDER BY atri_id",
            kDoclinks);
        for (; !rows.eof(); rows.moveNext()) {
            if (rows["atri_value"].isNull()) {
                continue;
            }
            const Value owner = rows["atri_ent_ref"].value();
            const std::string ownerText =
                rows["atri_ent_ref"].isNull() ? std::string() : rows["atri_ent_ref"].asText();
            std::string rest = rows["atri_value"].asText();
            while (rest != kNoLinks) {
                const auto bang = rest.find('!');
                if (bang == std::string::npos) {
                    break;  // the rest of a damaged value names no further target
                }
                const std::string target = rest.substr(0, bang);
                rest = rest.substr(bang + 1);
                const char flag = rest.empty() ? '\0' : rest.front();
                rest = rest.size() > kDoclinkTailLength ? rest.substr(kDoclinkTailLength) : "";
                const auto targetKey = wholeNumber(target);
                if (flag == '0' && targetKey) {
                    database_.execute(
                        "INSERT INTO Relation (rel_id, rel_contact, rel_start_ent_id, "
                        "rel_end_ent_id, rel_inherit, rel_inherit_from_rel_id, rel_deleted, "
                        "rel_inherit_by_copy, rel_Type, rel_name) "
                        "VALUES (?, ?, ?, ?, 0, ?, 0, 0, ?, ?)",
                        key, kDoclinksContact, owner, *targetKey, key, RelationType::Navigation,
                        ownerText + " nav " + target);
                    ++key;
                }
            }
        }
        database_.execute("DELETE FROM Attributes WHERE atri_name = ?", kDoclinks);
    }

    void sortEntityTypes() {
        database_.execute(
            "UPDATE Entity SET ent_type = CASE WHEN ent_is_bundle THEN 2 "
            "WHEN ent_type = 0 THEN 1 WHEN ent_type = 3 THEN 6 WHEN ent_type = 9 THEN 4 "
            "ELSE ent_type END");
    }

    std::int32_t insertRoot(std::string_view name, EntityType type) {
        const std::int32_t key = NextKey(database_, KeyColumn::Entity);
        database_.execute(
            "INSERT INTO Entity (ent_id, ent_name, ent_contact, ent_is_bundle, ent_last_modified, "
            "ent_deleted, ent_type, ent_unique_id, ent_acl) VALUES (?, ?, ?, 0, ?, 0, ?, ?, 0)",
            key, name, kAutoUpgradeContact, context_.stamp.lastModified(), type,
            context_.stamp.pifId(key));
        return key;
    }

    // The old root held the resource and navigational node roots; they move below
    // "Tessary Root" with the other kind roots.
    void adoptOldRootChildren() {
        auto links = database_.snapshot(
            "SELECT spec_id, spec_child_ent_id, ent_type FROM Specialization LEFT JOIN Entity "
            "ON ent_id = spec_child_ent_id WHERE spec_parent_ent_id = ? AND spec_deleted = 0 "
            "ORDER BY spec_id",
            kOldRootKey);
        for (; !links.eof(); links.moveNext()) {
            if (links["ent_type"].isNull()) {
                continue;
            }
            const auto type = static_cast<EntityType>(links["ent_type"].asInteger());
            if (type != EntityType::Resource && type != EntityType::NavigationalNode) {
                continue;
            }
            database_.execute("UPDATE Entity SET ent_name = ? WHERE ent_id = ?", nameOfRoot(type),
                              links["spec_child_ent_id"].value());
            database_.execute("UPDATE Specialization SET spec_deleted = 1 WHERE spec_id = ?",
                              links["spec_id"].value());
        }
        database_.execute("UPDATE Entity SET ent_name = ? WHERE ent_id = ?",
                          nameOfRoot(EntityType::Activity), kOldRootKey);
    }

    static std::string_view nameOfRoot(EntityType type) {
        for (const KindRoot& root : kindRoots()) {
            if (root.type == type) {
                return root.name;
            }
        }
        return {};
    }

    // Every other kind root, with the fixed attributes and managed-by markers. A catalogue
    // whose old root held no resource or navigational node root gets new ones, so that
    // every kind has its root.
    void insertOtherKindRoots() {
        for (const KindRoot& root : kindRoots()) {
            if (!upgrade::keyOfName(database_, root.name)) {
                insertRoot(root.name, root.type);
            }
        }
        const std::int32_t port =
            upgrade::requireKeyOfName(database_, nameOfRoot(EntityType::Port));
        addAttribute(port, "PortType", "Undeclared");
        addAttribute(port, "DecSentenceValue", "Null");
        const std::int32_t attributeType =
            upgrade::requireKeyOfName(database_, nameOfRoot(EntityType::AttributeType));
        addAttribute(attributeType, "Values", "Null");
        addAttribute(attributeType, "DefaultValue", "Null");
        addAttribute(upgrade::requireKeyOfName(database_, nameOfRoot(EntityType::UserGroup)),
                     "Password", "Null");

        const std::int32_t dependency =
            upgrade::requireKeyOfName(database_, nameOfRoot(EntityType::Dependency));
        addMarker(port, RelationType::IsManagedBy, " is managed by 0");
        addMarker(dependency, RelationType::IsManagedBy, " is managed by 0");
        addMarker(dependency, RelationType::HasResource, " has resource 0");
    }

    void addAttribute(std::int32_t owner, std::string_view name, std::string_view value) {
        const std::int32_t key = NextKey(database_, KeyColumn::Attribute);
        database_.execute(
            "INSERT INTO Attributes (atri_id, atri_name, atri_inherit, atri_data_type, "
            "atri_value, atri_ent_ref, atri_inherit_from_atri_id, atri_default_value, "
            "atri_entity_value_id, atri_OLE_id, atri_class, atri_deleted, "
            "atri_inherit_from_parent, atri_inherit_behavior) "
            "VALUES (?, ?, 0, 'String', ?, ?, ?, ?, -1, -1, -1, 0, 1, 2)",
            key, name, value, owner, key, value);
    }

    // A relation from a kind root to the old root, which stands for "not yet managed". Like
    // every converted relation it is drawn in its start entity: a relation without a context
    // cannot be read.
    void addMarker(std::int32_t start, RelationType type, std::string_view phrase) {
        const std::int32_t key = NextKey(database_, KeyColumn::Relation);
        database_.execute(
            "INSERT INTO Relation (rel_id, rel_contact, rel_start_ent_id, rel_end_ent_id, "
            "rel_inherit, rel_inherit_from_rel_id, rel_deleted, rel_inherit_by_copy, rel_Type, "
            "rel_name, rel_context_ent_id) VALUES (?1, ?2, ?3, ?4, 0, ?1, 0, 0, ?5, ?6, ?3)",
            key, kDoclinksContact, start, kOldRootKey, type,
            std::to_string(start) + std::string(phrase));
    }

    void linkKindRoots(std::int32_t tessaryRoot) {
        for (const KindRoot& root : kindRoots()) {
            link(tessaryRoot, upgrade::requireKeyOfName(database_, root.name));
        }
    }

    void link(std::int32_t parent, std::int32_t child) {
        database_.execute(
            "INSERT INTO Specialization (spec_id, spec_parent_ent_id, spec_child_ent_id, "
            "spec_deleted) VALUES (?, ?, ?, 0)",
            NextKey(database_, KeyColumn::Specialization), parent, child);
    }

    void dropActivityOnlyAttributes() {
        database_.execute(
            "DELETE FROM Attributes WHERE atri_name IN ('Skills Required', 'Actors', "
            "'Evaluation Criteria', 'Resources Required', 'Location', 'Workflow_Animation') "
            "AND atri_ent_ref IN (SELECT ent_id FROM Entity WHERE ent_type IN (6, 4, 2))");
    }

    // Each activity gets a bundle "Default <name>" that takes over its activity children. The
    // activities are numbered in key order; activity n gets bundle key firstBundle + n - 1.
    void addDefaultBundles() {
        constexpr std::string_view kActivities =
            "WITH activity(key, n) AS (SELECT ent_id, row_number() OVER (ORDER BY ent_id) FROM "
            "Entity WHERE ent_type = 1 AND ent_id < ?1) ";
        const std::int32_t firstBundle = NextKey(database_, KeyColumn::Entity);
        const std::int32_t firstLink = NextKey(database_, KeyColumn::Specialization);
        database_.execute(
            "INSERT INTO Entity (ent_id, ent_name, ent_contact, ent_is_bundle, "
            "ent_last_modified, ent_deleted, ent_type, ent_unique_id) " +
                std::string(kActivities) +
                "SELECT ?1 - 1 + n, ?2 || ifnull(ent_name, ''), ?3, 1, ?4, 0, 2, "
                "?5 || (?1 - 1 + n) FROM activity JOIN Entity ON ent_id = key",
            firstBundle, kDefaultBundlePrefix, kAutoUpgradeContact, context_.stamp.lastModified(),
            context_.stamp.identifierPrefix() + "UF");
        database_.execute(
            "INSERT INTO Specialization (spec_id, spec_parent_ent_id, spec_child_ent_id, "
            "spec_deleted) " +
                std::string(kActivities) + "SELECT ?2 - 1 + n, key, ?1 - 1 + n, 0 FROM activity",
            firstBundle, firstLink);
        // The activity children move from their parent activity to its bundle.
        const std::int32_t firstMove = NextKey(database_, KeyColumn::Specialization);
        database_.execute(
            "INSERT INTO Specialization (spec_id, spec_parent_ent_id, spec_child_ent_id, "
            "spec_deleted) " +
                std::string(kActivities) +
                "SELECT ?2 - 1 + row_number() OVER (ORDER BY spec_id), ?1 - 1 + n, "
                "spec_child_ent_id, 0 FROM Specialization JOIN activity ON key = "
                "spec_parent_ent_id JOIN Entity AS child ON child.ent_id = spec_child_ent_id "
                "WHERE spec_deleted = 0 AND spec_id < ?3 AND child.ent_type = 1",
            firstBundle, firstMove, firstLink);
        database_.execute(
            "UPDATE Specialization SET spec_deleted = 1 WHERE spec_id < ?1 AND spec_deleted = 0 "
            "AND EXISTS (SELECT 1 FROM Entity WHERE ent_id = spec_parent_ent_id AND ent_type = 1 "
            "AND ent_id < ?2) AND EXISTS (SELECT 1 FROM Entity WHERE ent_id = spec_child_ent_id "
            "AND ent_type = 1 AND ent_id < ?2)",
            firstLink, firstBundle);
    }

    UpgradeContext& context_;
    Database& database_;
};

void run(UpgradeContext& context) {
    Conversion(context).run();
}

}  // namespace

namespace upgrade {
const UpgradeStep Version6_Upgrade{"Version6_Upgrade", due, run};
}  // namespace upgrade

}  // namespace kt
