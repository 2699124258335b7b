#include "server/database/host_queries.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "server/database/errors.h"
#include "server/database/ktdb.h"
#include "server/database/object_id.h"
#include "server/entities/entities.h"
#include "server/entities/generic.h"
#include "tests/server/database/open_catalogue_fixture.h"

namespace kt {
namespace {

using test::errorOf;

constexpr std::string_view kTestEntities = "ent_contact = 'tester'";
constexpr std::string_view kSalesOwners = "atri_name = 'Owner' AND atri_value = 'Sales'";

// Entities made by the test carry the contact "tester"; a few own an "Owner" attribute.
class HostQueries : public test::OpenCatalogueFixture {
protected:
    void SetUp() override {
        OpenCatalogueFixture::SetUp();
        tools_ = addEntity("Tools", EntityType::Bundle);
        gamma_ = addEntity("Gamma");
        beta_ = addEntity("beta");
        alpha_ = addEntity("Alpha");
        emptyDefault_ = addEntity("Default Empty", EntityType::Bundle);
        usedDefault_ = addEntity("Default Used", EntityType::Bundle);
        gone_ = addEntity("Alpha gone");
        sql("UPDATE Entity SET ent_cache_spec_count = 1 WHERE ent_id = ?", usedDefault_);
        sql("UPDATE Entity SET ent_acl = NULL WHERE ent_id = ?", beta_);
        sql("UPDATE Entity SET ent_acl = 3 WHERE ent_id = ?", alpha_);
        sql("UPDATE Entity SET ent_deleted = 1 WHERE ent_id = ?", gone_);

        addAttribute(alpha_, "Notes", "x!Ready!");
        addAttribute(beta_, "Notes", std::nullopt);
        addAttribute(gamma_, "Notes", "only!");
        addAttribute(tools_, "Notes", "a!kit!!");

        addAttribute(alpha_, "Owner", "Sales");
        addAttribute(tools_, "Owner", "Sales");
        addAttribute(beta_, "Owner", "sales");
        addAttribute(gone_, "Owner", "Sales");
        addAttribute(gamma_, "Owner", "Sales", true);
        addAttribute(alpha_, "owner", "Sales");
    }

    struct NamesResult {
        std::vector<std::string> names;
        std::vector<std::int32_t> ids;
        std::vector<std::int32_t> acls;
    };

    NamesResult names(std::string_view condition, bool searchAttributes, bool sortByName,
                      bool includeNotes) {
        NamesResult result{{"stale", "stale"}, {9, 9, 9, 9}, {9, 9, 9, 9, 9, 9, 9, 9, 9, 9}};
        EXPECT_TRUE(ktdb_.RunNamesQuery(std::string(condition), result.names, result.ids,
                                        result.acls, searchAttributes, sortByName, includeNotes));
        return result;
    }

    std::vector<std::int32_t> keysOf(const Entities& entities) {
        std::vector<std::int32_t> keys;
        for (const auto& entity : entities) {
            keys.push_back(entity->GetGeneric()->ID());
        }
        return keys;
    }

    std::int64_t entityRows() {
        return std::get<std::int64_t>(valueOf("SELECT COUNT(*) FROM Entity"));
    }

    KTDB ktdb_;
    std::int32_t tools_ = 0, gamma_ = 0, beta_ = 0, alpha_ = 0;
    std::int32_t emptyDefault_ = 0, usedDefault_ = 0, gone_ = 0;
};

using Names = std::vector<std::string>;
using Keys = std::vector<std::int32_t>;

TEST_F(HostQueries, RunQueryListsLiveEntitiesInKeyOrder) {
    const auto found = ktdb_.RunQuery(std::string(kTestEntities), false, true);
    EXPECT_EQ(keysOf(*found), (Keys{tools_, gamma_, beta_, alpha_, emptyDefault_, usedDefault_}));
    EXPECT_EQ(found->GetItemByIndex(4)->Name(), "Alpha");
    EXPECT_EQ(ktdb_.RunQuery("ent_name = 'nobody'", false)->Count(), 0);
}

TEST_F(HostQueries, RunQueryOverAttributesListsAnOwnerOncePerAttribute) {
    const auto found = ktdb_.RunQuery(std::string(kSalesOwners), true);
    EXPECT_EQ(keysOf(*found), (Keys{alpha_, tools_, beta_, alpha_}));
    EXPECT_NE(found->GetItemByIndex(1), found->GetItemByIndex(4));
}

TEST_F(HostQueries, DeletedRowsNeverComeBack) {
    for (const std::string condition :
         {"ent_deleted = 1", "ent_name = 'Alpha gone' OR 1 = 1", "ent_name LIKE 'Alpha%' -- note",
          "ent_name = 'Alpha gone' /* comment */"}) {
        SCOPED_TRACE(condition);
        const auto keys = keysOf(*ktdb_.RunQuery(condition, false));
        EXPECT_EQ(std::ranges::count(keys, gone_), 0);
        Names names;
        Keys ids;
        Keys acls;
        ktdb_.RunNamesQuery(condition, names, ids, acls, false, true, false);
        EXPECT_EQ(std::ranges::count(ids, EntityID(gone_)), 0);
    }
}

TEST_F(HostQueries, WritesAndChainedStatementsAreRefused) {
    const std::int64_t rows = entityRows();
    for (const std::string condition : {
             "1 = 1; DELETE FROM Entity",
             "1 = 1); DELETE FROM Entity; SELECT (1",
             "1 = 1)\n; DROP TABLE Entity; --",
             "ent_id IN (DELETE FROM Entity RETURNING ent_id)",
             "ent_id = ?",
             "ent_name = \"Alpha\"",
             "",
         }) {
        SCOPED_TRACE(condition);
        EXPECT_THROW(ktdb_.RunQuery(condition, false), DatabaseError);
        EXPECT_THROW(ktdb_.RunQuery(condition, true), DatabaseError);
        Names names{"kept"};
        Keys ids;
        Keys acls;
        EXPECT_THROW(ktdb_.RunNamesQuery(condition, names, ids, acls, true, true, true),
                     DatabaseError);
        EXPECT_EQ(names, Names{"kept"});
    }
    EXPECT_EQ(entityRows(), rows);
}

TEST_F(HostQueries, NamesFromEntityRowsAreSortedByTheDatabase) {
    const auto result = names(kTestEntities, false, true, true);
    EXPECT_EQ(result.names,
              (Names{"", "Alpha {Ready}", "beta", "[Default Used]", "Gamma", "[Tools {kit}]"}));
    EXPECT_EQ(result.ids, (Keys{0, EntityID(alpha_), EntityID(beta_), EntityID(usedDefault_),
                                EntityID(gamma_), EntityID(tools_)}));
    EXPECT_EQ(result.acls, (Keys{0, 3, 0, 7, 7, 7}));
}

TEST_F(HostQueries, NamesWithoutNotesOrSorting) {
    const auto result = names(kTestEntities, false, false, false);
    EXPECT_EQ(result.names, (Names{"", "[Tools]", "Gamma", "beta", "Alpha", "[Default Used]"}));
    EXPECT_EQ(result.acls.size(), result.names.size());
}

TEST_F(HostQueries, NamesFromAttributesSortByCharacterCodes) {
    EXPECT_EQ(names(kSalesOwners, true, false, true).names,
              (Names{"", "Alpha {Ready}", "[Tools {kit}]", "beta", "Alpha {Ready}"}));
    // Capitals come before "[" and "[" before small letters; equal names keep their order.
    const auto sorted = names(kSalesOwners, true, true, true);
    EXPECT_EQ(sorted.names, (Names{"", "Alpha {Ready}", "Alpha {Ready}", "[Tools {kit}]", "beta"}));
    EXPECT_EQ(sorted.ids,
              (Keys{0, EntityID(alpha_), EntityID(alpha_), EntityID(tools_), EntityID(beta_)}));
    EXPECT_EQ(sorted.acls, (Keys{0, 3, 3, 7, 0}));
}

TEST_F(HostQueries, NothingFoundLeavesOnlyTheEmptyElement) {
    const auto result = names("ent_name = 'nobody'", false, true, true);
    EXPECT_EQ(result.names, Names{""});
    EXPECT_EQ(result.ids, Keys{0});
    EXPECT_EQ(result.acls, Keys{0});
}

}  // namespace
}  // namespace kt
