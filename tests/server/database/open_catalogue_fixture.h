#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "server/database/database.h"
#include "server/database/db.h"
#include "server/database/entity_insert.h"
#include "server/database/field.h"
#include "server/database/key_allocation.h"
#include "server/database/transaction.h"
#include "server/database/type_codes.h"
#include "tests/server/database/catalogue_fixture.h"

namespace kt::test {

// The rows of one relation a test needs; the other columns take plain values.
struct TestRelation {
    std::int32_t start = 0;
    std::int32_t end = 0;
    RelationType type = RelationType::Decomposition;
    std::int32_t context = 0;
    std::int32_t slot = 0;
    std::int32_t displayOrder = 0;
    std::string uniqueId{};
    std::string slotUniqueId{};
    bool inherited = false;
    std::int32_t inheritedFrom = 0;
    bool deleted = false;
    std::string name = "test relation";
};

// A fresh catalogue, opened as the shared database object, with helpers that write rows
// behind the entity model's back.
class OpenCatalogueFixture : public CatalogueFixture {
protected:
    void SetUp() override { global_db().OpenDB(newCatalogue().string()); }

    Database& database() { return global_db().database(); }

    // A live entity; returns its plain key.
    std::int32_t addEntity(const std::string& name, EntityType type = EntityType::Thing,
                           std::optional<std::string> pifId = std::nullopt) {
        Transaction operation(database());
        NewEntity entity;
        entity.name = name;
        entity.contact = "tester";
        entity.type = type;
        entity.pifId = std::move(pifId);
        entity.acl = 7;
        const std::int32_t key = insertEntity(database(), entity);
        operation.commit();
        return key;
    }

    void link(std::int32_t parent, std::int32_t child, SpecializationType type,
              bool deleted = false, std::int32_t displayOrder = 0) {
        Transaction operation(database());
        database().execute(
            "INSERT INTO Specialization (spec_id, spec_parent_ent_id, spec_child_ent_id, "
            "spec_deleted, spec_type, spec_display_order) VALUES (?, ?, ?, ?, ?, ?)",
            NextKey(database(), KeyColumn::Specialization), parent, child, deleted, type,
            displayOrder);
        operation.commit();
    }

    std::int32_t addRelation(const TestRelation& relation) {
        Transaction operation(database());
        const std::int32_t key = NextKey(database(), KeyColumn::Relation);
        database().execute(
            "INSERT INTO Relation (rel_id, rel_contact, rel_start_ent_id, rel_end_ent_id, "
            "rel_inherit, rel_inherit_from_rel_id, rel_deleted, rel_Type, rel_name, "
            "rel_context_ent_id, rel_slot_id, rel_slot_name, rel_context_path, "
            "rel_display_order, rel_end_ent_type, rel_unique_id, rel_slot_unique_id) "
            "VALUES (?, 'tester', ?, ?, ?, ?, ?, ?, ?, ?, ?, 'slot', 'path', ?, 3, ?, ?)",
            key, relation.start, relation.end, relation.inherited, relation.inheritedFrom,
            relation.deleted, relation.type, relation.name, relation.context, relation.slot,
            relation.displayOrder, relation.uniqueId, relation.slotUniqueId);
        operation.commit();
        return key;
    }

    std::int32_t addAttribute(std::int32_t owner, const std::string& name,
                              std::optional<std::string> value, bool deleted = false) {
        Transaction operation(database());
        const std::int32_t key = NextKey(database(), KeyColumn::Attribute);
        database().execute(
            "INSERT INTO Attributes (atri_id, atri_name, atri_data_type, atri_value, "
            "atri_ent_ref, atri_deleted, atri_inherit_behavior) VALUES (?, ?, 'String', ?, ?, ?, "
            "2)",
            key, name, value, owner, deleted);
        operation.commit();
        return key;
    }

    // A query of a thousand different rows of `width` bytes each, as the column v, made of one
    // new entity's value.
    std::string wideRows(int width) {
        const std::int32_t wide = addEntity("Wide value");
        sql("UPDATE Entity SET ent_unique_id = ? WHERE ent_id = ?", std::string(width, 'w'), wide);
        const std::string digits = "(VALUES (0), (1), (2), (3), (4), (5), (6), (7), (8), (9))";
        return "SELECT (a.column1 * 100 + b.column1 * 10 + c.column1) || w.ent_unique_id AS v "
               "FROM " +
               digits + " a, " + digits + " b, " + digits +
               " c, Entity w WHERE w.ent_id = " + std::to_string(wide);
    }

    // Changes the catalogue directly, as another program would.
    template <typename... Args>
    void sql(std::string_view statement, const Args&... args) {
        database().execute(statement, args...);
    }

    // The first column of the first row of a query.
    template <typename... Args>
    Value valueOf(std::string_view query, const Args&... args) {
        return database().scalar(query, args...).value();
    }
    template <typename... Args>
    std::string textOf(std::string_view query, const Args&... args) {
        return Field("value", valueOf(query, args...)).asText();
    }
};

}  // namespace kt::test
