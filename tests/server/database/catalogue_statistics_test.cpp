#include "server/database/catalogue_statistics.h"

#include <gtest/gtest.h>

#include <map>

#include "server/catalogue/ktdb.h"
#include "server/database/errors.h"
#include "tests/server/database/open_catalogue_fixture.h"

namespace kt {
namespace {

using test::errorOf;

const std::vector<std::string> kNames{"Total Entities",
                                      "Activities",
                                      "Bundles",
                                      "Ports",
                                      "Dependencies",
                                      "Resources",
                                      "Exceptions",
                                      "User Groups",
                                      "Navigational Nodes",
                                      "Total relations",
                                      "Specialization relations",
                                      "Bundle relations",
                                      "Decomposition relations",
                                      "Connector relations",
                                      "Automatic connector relations",
                                      "Navigation relations",
                                      "Has resource relations",
                                      "Membership relations",
                                      "Automatic decomposition relations",
                                      "Has exception relations",
                                      "Anticipates exception relations",
                                      "Avoids exception relations",
                                      "Detects exception",
                                      "Resolves exception"};

class Statistics : public test::OpenCatalogueFixture {
protected:
    std::map<std::string, std::int32_t> figures() {
        std::vector<std::string> names;
        std::vector<std::int32_t> values;
        std::int32_t count = 0;
        ktdb_.GetStatistics(names, values, count);
        EXPECT_EQ(count, 24);
        std::map<std::string, std::int32_t> byName;
        for (std::size_t i = 1; i < names.size(); ++i) {
            byName[names[i]] = values[i];
        }
        return byName;
    }

    std::int32_t rows(std::string_view query) { return Field("count", valueOf(query)).asLong(); }

    KTDB ktdb_;
};

TEST_F(Statistics, TwentyFourFiguresFromIndex1) {
    std::vector<std::string> names;
    std::vector<std::int32_t> values;
    std::int32_t count = 0;
    ktdb_.GetStatistics(names, values, count);
    ASSERT_EQ(count, 24);
    ASSERT_EQ(names.size(), 25u);
    EXPECT_EQ(names[0], "");
    EXPECT_EQ(std::vector<std::string>(names.begin() + 1, names.end()), kNames);
    EXPECT_EQ(values[1], rows("SELECT COUNT(*) FROM Entity WHERE ent_deleted = 0"));
    EXPECT_EQ(values[10], rows("SELECT (SELECT COUNT(*) FROM Relation WHERE rel_deleted = 0) + "
                               "(SELECT COUNT(*) FROM Specialization WHERE spec_deleted = 0)"));
}

TEST_F(Statistics, FiguresContinueFromTheCallersCount) {
    std::vector<std::string> names{"", "mine", "also mine"};
    std::vector<std::int32_t> values{0, 41, 42};
    std::int32_t count = 2;
    ktdb_.GetStatistics(names, values, count);
    EXPECT_EQ(count, 26);
    EXPECT_EQ(names[2], "also mine");
    EXPECT_EQ(values[1], 41);
    EXPECT_EQ(names[3], "Total Entities");
    EXPECT_EQ(names[26], "Resolves exception");

    std::int32_t negative = -1;
    EXPECT_EQ(errorOf([&] { ktdb_.GetStatistics(names, values, negative); }).number(), 5);
    EXPECT_EQ(negative, -1);
}

TEST_F(Statistics, EveryLiveRowCountsUnderItsType) {
    const auto before = figures();
    const std::int32_t activity = addEntity("a", EntityType::Activity);
    const std::int32_t bundle = addEntity("b", EntityType::Bundle);
    addEntity("p", EntityType::Port);
    addEntity("e", EntityType::ExceptionGroup);
    addEntity("collection", EntityType::EntityCollection);  // counts only in the total
    sql("UPDATE Entity SET ent_deleted = 1 WHERE ent_id = ?",
        addEntity("gone", EntityType::Activity));
    link(activity, bundle, direct_specialization);
    link(bundle, activity, cache_specialization);
    link(bundle, activity, cache_specialization, true);
    addRelation({.start = activity, .end = bundle, .type = RelationType::Decomposition});
    addRelation({.start = activity, .end = bundle, .type = RelationType::Decomposition});
    addRelation({.start = activity, .end = bundle, .type = RelationType::ResolvesException});
    addRelation({.start = activity, .end = bundle, .type = RelationType::IsManagedBy});
    addRelation(
        {.start = activity, .end = bundle, .type = RelationType::Navigation, .deleted = true});

    auto after = figures();
    for (const auto& [name, value] : before) {
        after[name] -= value;
    }
    const std::map<std::string, std::int32_t> expected{{"Total Entities", 5},
                                                       {"Activities", 1},
                                                       {"Bundles", 1},
                                                       {"Ports", 1},
                                                       {"Exceptions", 1},
                                                       {"Total relations", 6},
                                                       {"Specialization relations", 1},
                                                       {"Bundle relations", 1},
                                                       {"Decomposition relations", 2},
                                                       {"Resolves exception", 1}};
    for (const auto& [name, change] : after) {
        const auto wanted = expected.find(name);
        EXPECT_EQ(change, wanted == expected.end() ? 0 : wanted->second) << name;
    }
}

}  // namespace
}  // namespace kt
