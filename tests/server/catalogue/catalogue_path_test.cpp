#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "server/catalogue/ktdb.h"
#include "server/database/catalogue_creator.h"
#include "server/database/database.h"
#include "server/database/entity_insert.h"
#include "server/database/object_id.h"
#include "server/database/transaction.h"
#include "server/entities/entities.h"
#include "server/entities/entity.h"
#include "tests/server/database/catalogue_fixture.h"

// The tests that change the process's working directory are all here.

namespace kt {
namespace {

// Makes `path` the working directory of the whole process until it ends.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::filesystem::path& path)
        : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(path);
    }
    ~WorkingDirectory() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
    }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    std::filesystem::path previous_;
};

// Two catalogues of the same name in two folders, whose entity of the same key has another
// name in each.
class CataloguePath : public test::CatalogueFixture {
protected:
    void SetUp() override {
        for (const auto& folder : {alphaFolder_, betaFolder_}) {
            std::filesystem::create_directories(folder);
            CreateCatalogue(folder / kName);
        }
        key_ = addEntity(alphaFolder_ / kName, "ALPHA-0");
        ASSERT_EQ(addEntity(betaFolder_ / kName, "BETA-0"), key_);
    }

    static std::int32_t addEntity(const std::filesystem::path& path, const std::string& name) {
        const auto database = Database::open(path);
        Transaction operation(*database);
        NewEntity entity;
        entity.name = name;
        entity.contact = "tester";
        const std::int32_t key = insertEntity(*database, entity);
        operation.commit();
        return key;
    }

    // Searches, by name and by key, find what the opened catalogue holds, and an entity found
    // is that catalogue's.
    void expectSearchesReadTheOpenedCatalogue() {
        std::vector<std::string> names;
        std::vector<std::int32_t> ids;
        std::vector<std::int32_t> acls;
        ktdb_.RunNamesQuery("ent_contact = 'tester'", names, ids, acls, false, false, false);
        EXPECT_EQ(names, (std::vector<std::string>{"", "ALPHA-0"}));
        EXPECT_EQ(ids, (std::vector<std::int32_t>{0, EntityID(key_)}));
        EXPECT_EQ(ktdb_.GetEntity(EntityID(key_))->Name(), "ALPHA-0");

        const auto alpha = ktdb_.RunQuery("ent_name = 'ALPHA-0'", false);
        ASSERT_EQ(alpha->Count(), 1);
        EXPECT_EQ(alpha->GetItemByIndex(1)->Name(), "ALPHA-0");
        EXPECT_EQ(ktdb_.RunQuery("ent_name = 'BETA-0'", false)->Count(), 0);
        EXPECT_EQ(
            ktdb_.RunQuery("ent_id = " + std::to_string(key_), false)->GetItemByIndex(1)->Name(),
            "ALPHA-0");
    }

    static constexpr const char* kName = "x.cat";
    std::filesystem::path alphaFolder_ = directory_.file("alpha");
    std::filesystem::path betaFolder_ = directory_.file("beta");
    std::int32_t key_ = 0;
    KTDB ktdb_;
};

TEST_F(CataloguePath, ASearchAfterAChangeOfWorkingDirectoryReadsTheOpenedCatalogue) {
    {
        const WorkingDirectory inAlpha(alphaFolder_);
        ktdb_.OpenDB(kName);
    }
    EXPECT_EQ(global_db().database().path(), alphaFolder_ / kName);
    const WorkingDirectory inBeta(betaFolder_);
    expectSearchesReadTheOpenedCatalogue();
}

TEST_F(CataloguePath, AFileRenamedOverTheOpenedCatalogueIsNotSearched) {
    {
        const WorkingDirectory inAlpha(alphaFolder_);
        ktdb_.OpenDB(kName);
        std::filesystem::rename(betaFolder_ / kName, kName);
    }
    expectSearchesReadTheOpenedCatalogue();
}

}  // namespace
}  // namespace kt
