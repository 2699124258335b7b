#include "server/database/catalogue_creator.h"

#include <sqlite3.h>

#include <random>
#include <string>
#include <vector>

#include "server/database/catalogue_schema.h"
#include "server/database/database.h"
#include "server/database/entity_insert.h"
#include "server/database/errors.h"
#include "server/database/exclusive_file.h"
#include "server/database/fixed_entities.h"
#include "server/database/key_allocation.h"
#include "server/database/transaction.h"

namespace kt {

namespace {

// Behaviour 2: the attribute is copied to new specializations and follows later changes.
constexpr int kInheritWithValue = 2;

class CatalogueBuilder {
public:
    explicit CatalogueBuilder(Database& database) : database_(database) {}

    void build() {
        createCatalogueSchema(database_);
        writeTypeNames();

        const std::int32_t activityRoot = addEntity("Activity Root", EntityType::Activity);
        const std::int32_t tessaryRoot = addEntity(std::string(kTessaryRoot), EntityType::Thing);
        std::vector<std::pair<KindRoot, std::int32_t>> roots;
        for (const KindRoot& root : kindRoots()) {
            roots.emplace_back(root, root.type == EntityType::Activity
                                         ? activityRoot
                                         : addEntity(std::string(root.name), root.type));
        }
        addFixedAttributes(roots);
        addManagedByMarkers(roots, activityRoot);
        for (const auto& [root, key] : roots) {
            link(tessaryRoot, key, direct_specialization);
        }

        NewEntity bundle =
            entity(std::string(kDefaultBundlePrefix) + "Activity Root", EntityType::Bundle);
        bundle.isBundle = true;
        bundle.acl.reset();
        const std::int32_t defaultBundle = insertEntity(database_, bundle);
        link(activityRoot, defaultBundle, direct_specialization);

        for (const auto& [root, key] : roots) {
            addDefaultParent(root, key, activityRoot, defaultBundle);
        }

        link(tessaryRoot, addEntity(std::string(kExceptionRoot.name), kExceptionRoot.type),
             direct_specialization);
        recountCachedCounts();
    }

private:
    void writeTypeNames() {
        for (const TypeName& type : entityTypeNames()) {
            database_.execute("INSERT INTO Entity_Types (ent_type_id, ent_type_name) VALUES (?, ?)",
                              std::to_string(type.code), type.name);
        }
        for (const TypeName& type : relationTypeNames()) {
            database_.execute(
                "INSERT INTO Relation_Types (rel_type_id, rel_type_name) VALUES (?, ?)",
                std::to_string(type.code), type.name);
        }
    }

    NewEntity entity(std::string name, EntityType type) const {
        NewEntity row;
        row.name = std::move(name);
        row.contact = kAutoUpgradeContact;
        row.type = type;
        row.acl = 0;
        row.stamp = stamp_;
        return row;
    }

    std::int32_t addEntity(std::string name, EntityType type) {
        return insertEntity(database_, entity(std::move(name), type));
    }

    void link(std::int32_t parent, std::int32_t child, SpecializationType type) {
        database_.execute(
            "INSERT INTO Specialization (spec_id, spec_parent_ent_id, spec_child_ent_id, "
            "spec_deleted, spec_type, spec_display_order) VALUES (?, ?, ?, 0, ?, 0)",
            NextKey(database_, KeyColumn::Specialization), parent, child, type);
    }

    static std::int32_t keyOf(const std::vector<std::pair<KindRoot, std::int32_t>>& roots,
                              EntityType type) {
        for (const auto& [root, key] : roots) {
            if (root.type == type) {
                return key;
            }
        }
        throw std::logic_error("missing kind root");
    }

    void addFixedAttributes(const std::vector<std::pair<KindRoot, std::int32_t>>& roots) {
        const std::int32_t port = keyOf(roots, EntityType::Port);
        addAttribute(port, "PortType", "Undeclared");
        addAttribute(port, "DecSentenceValue", "Null");
        const std::int32_t attributeType = keyOf(roots, EntityType::AttributeType);
        addAttribute(attributeType, "Values", "Null");
        addAttribute(attributeType, "DefaultValue", "Null");
        addAttribute(keyOf(roots, EntityType::UserGroup), "Password", "Null");
    }

    // A stored attribute made directly: it names itself as its origin.
    void addAttribute(std::int32_t owner, std::string_view name, std::string_view value) {
        const std::int32_t key = NextKey(database_, KeyColumn::Attribute);
        database_.execute(
            "INSERT INTO Attributes (atri_id, atri_name, atri_inherit, atri_data_type, "
            "atri_value, atri_ent_ref, atri_inherit_from_atri_id, atri_class, atri_deleted, "
            "atri_default_value, atri_entity_value_id, atri_OLE_id, atri_inherit_from_parent, "
            "atri_inherit_behavior) VALUES (?, ?, 0, 'String', ?, ?, ?, -1, 0, ?, -1, -1, 1, ?)",
            key, name, value, owner, key, value, kInheritWithValue);
    }

    // Ports and dependencies start out managed by "Activity Root"; dependencies also hold it
    // as their resource.
    void addManagedByMarkers(const std::vector<std::pair<KindRoot, std::int32_t>>& roots,
                             std::int32_t activityRoot) {
        const std::int32_t port = keyOf(roots, EntityType::Port);
        const std::int32_t dependency = keyOf(roots, EntityType::Dependency);
        addRelation(port, activityRoot, RelationType::IsManagedBy, " is managed by ");
        addRelation(dependency, activityRoot, RelationType::IsManagedBy, " is managed by ");
        addRelation(dependency, activityRoot, RelationType::HasResource, " has resource ");
    }

    void addRelation(std::int32_t start, std::int32_t end, RelationType type,
                     std::string_view phrase) {
        const std::int32_t key = NextKey(database_, KeyColumn::Relation);
        const std::string startPif =
            textOf("SELECT ent_unique_id FROM Entity WHERE ent_id = ?", start);
        const std::string endType = textOf("SELECT ent_type FROM Entity WHERE ent_id = ?", end);
        constexpr std::int32_t kNoSlot = -1;
        database_.execute(
            "INSERT INTO Relation (rel_id, rel_contact, rel_start_ent_id, rel_end_ent_id, "
            "rel_inherit, rel_inherit_from_rel_id, rel_deleted, rel_inherit_by_copy, rel_Type, "
            "rel_name, rel_inherit_from_parent, rel_context_ent_id, rel_suppressed, rel_slot_id, "
            "rel_slot_name, rel_context_path, rel_display_order, rel_end_ent_type, "
            "rel_imb_context_ent_id, rel_unique_id, rel_slot_unique_id) "
            "VALUES (?, ?, ?, ?, 0, ?, 0, 0, ?, ?, 0, ?, 0, ?, 'slot_name', 'context_path', 0, ?, "
            "0, ?, ?)",
            key, kDoclinksContact, start, end, key, type,
            std::to_string(start) + std::string(phrase) + std::to_string(end), start, kNoSlot,
            endType, startPif + "RL" + std::to_string(key),
            startPif + "SL" + std::to_string(kNoSlot));
    }

    std::string textOf(std::string_view sql, std::int32_t key) {
        const auto value = database_.scalar(sql, key);
        return value ? Field("value", *value).asText() : std::string();
    }

    // The first specialization of each kind root, made as a new specialization would be: an
    // activity goes into the default bundle, and copies of the root's inheritable attributes.
    void addDefaultParent(const KindRoot& root, std::int32_t rootKey, std::int32_t activityRoot,
                          std::int32_t defaultBundle) {
        NewEntity parent = entity(defaultParentNameOf(root.name), root.type);
        parent.acl.reset();
        const std::int32_t key = insertEntity(database_, parent);
        if (root.type == EntityType::Activity) {
            link(defaultBundle, key, direct_specialization);
            link(activityRoot, key, cache_specialization);
        } else {
            link(rootKey, key, direct_specialization);
        }
        copyInheritedAttributes(rootKey, key);
    }

    void copyInheritedAttributes(std::int32_t from, std::int32_t to) {
        auto source = database_.snapshot(
            "SELECT * FROM Attributes WHERE atri_ent_ref = ? AND atri_deleted = 0 "
            "AND atri_inherit_behavior BETWEEN 2 AND 5 ORDER BY atri_id",
            from);
        for (; !source.eof(); source.moveNext()) {
            const auto behaviour = source["atri_inherit_behavior"].asInteger();
            const Value value = behaviour == 3   ? source["atri_default_value"].value()
                                : behaviour == 4 ? Value(std::string("-"))
                                                 : source["atri_value"].value();
            database_.execute(
                "INSERT INTO Attributes (atri_id, atri_name, atri_inherit, atri_data_type, "
                "atri_value, atri_ent_ref, atri_inherit_from_atri_id, atri_class, atri_deleted, "
                "atri_default_value, atri_entity_value_id, atri_OLE_id, "
                "atri_inherit_from_parent, atri_inherit_behavior) "
                "VALUES (?, ?, 1, ?, ?, ?, ?, ?, 0, ?, ?, ?, ?, ?)",
                NextKey(database_, KeyColumn::Attribute), source["atri_name"].value(),
                source["atri_data_type"].value(), value, to, source["atri_id"].value(),
                source["atri_class"].value(), source["atri_default_value"].value(),
                source["atri_entity_value_id"].value(), source["atri_OLE_id"].value(),
                source["atri_inherit_from_parent"].value(), behaviour);
        }
    }

    // Activities count their bundles apart from their specializations.
    void recountCachedCounts() {
        database_.execute(
            "UPDATE Entity SET "
            "ent_cache_decomp_count = (SELECT COUNT(*) FROM Relation WHERE rel_start_ent_id = "
            "Entity.ent_id AND rel_Type = 1 AND rel_deleted = 0), "
            "ent_cache_spec_count = (SELECT COUNT(*) FROM Specialization WHERE "
            "spec_parent_ent_id = Entity.ent_id AND spec_deleted = 0 AND spec_type = "
            "CASE WHEN Entity.ent_type = 1 THEN 2 ELSE 1 END), "
            "ent_cache_bundle_count = CASE WHEN ent_type = 1 THEN (SELECT COUNT(*) FROM "
            "Specialization WHERE spec_parent_ent_id = Entity.ent_id AND spec_deleted = 0 AND "
            "spec_type = 1) ELSE 0 END");
    }

    Database& database_;
    TimeStamp stamp_ = TimeStamp::now();
};

// Removes the half-made file, and the engine's journal beside it, unless it was moved away.
class TemporaryFile {
public:
    explicit TemporaryFile(std::filesystem::path path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
        std::filesystem::remove(path_.string() + "-journal", ignored);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

std::filesystem::path temporaryPathBeside(const std::filesystem::path& path) {
    std::random_device random;
    const auto suffix = std::to_string(random()) + std::to_string(random());
    return path.parent_path() / (path.filename().string() + ".creating-" + suffix);
}

DatabaseError alreadyExists(const std::filesystem::path& path) {
    return DatabaseError(SQLITE_CANTOPEN,
                         "Cannot create \"" + path.string() + "\": the file exists already.");
}

}  // namespace

void CreateCatalogue(const std::filesystem::path& path) {
    if (std::filesystem::exists(path)) {
        throw alreadyExists(path);
    }
    TemporaryFile temporary(temporaryPathBeside(path));
    {
        const auto database = Database::create(temporary.path());
        Transaction writing(*database);
        CatalogueBuilder(*database).build();
        writing.commit();
    }
    // Another creator may have finished first meanwhile: its catalogue stays.
    if (const std::error_code error = publishWithoutReplacing(temporary.path(), path)) {
        if (error == std::errc::file_exists) {
            throw alreadyExists(path);
        }
        throw DatabaseError(SQLITE_CANTOPEN,
                            "Cannot create \"" + path.string() + "\": " + error.message() + ".");
    }
}

}  // namespace kt
