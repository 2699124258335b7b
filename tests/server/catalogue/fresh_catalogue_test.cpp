// What a host can do with the kind roots of a catalogue just made, and of one made before the
// managed-by markers had a context.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "server/catalogue/ktdb.h"
#include "server/database/object_id.h"
#include "server/entities/entities.h"
#include "server/entities/entity.h"
#include "server/entities/generic.h"
#include "server/entities/obj_relations.h"
#include "server/entities/relation_direction.h"
#include "tests/server/database/open_catalogue_fixture.h"

namespace kt {
namespace {

struct Listed {
    std::string name;
    std::int16_t type;
    std::int32_t start;
    std::int32_t context;
    bool operator==(const Listed&) const = default;
};

std::vector<Listed> listed(const ObjRelations& relations) {
    std::vector<Listed> rows;
    for (const auto& relation : relations) {
        rows.push_back({relation->Name(), relation->RelationType(), relation->StartID(),
                        relation->ContextID()});
    }
    return rows;
}

class FreshCatalogue : public test::OpenCatalogueFixture {
protected:
    std::shared_ptr<Entity> named(const std::string& name) {
        return ktdb_.GetEntitiesByName(name)->GetItemByIndex(1);
    }

    KTDB ktdb_;
};

constexpr std::int32_t kPortRoot = 4;
constexpr std::int32_t kDependencyRoot = 5;

TEST_F(FreshCatalogue, KindRootsWithManagedByMarkersSpecializeAndListTheirRelations) {
    const struct {
        std::string root;
        std::int32_t key;
        std::vector<Listed> markers;
    } cases[] = {
        {"Port Root",
         kPortRoot,
         {{"4 is managed by 0", 5, EntityID(kPortRoot), EntityID(kPortRoot)}}},
        {"Dependency Root",
         kDependencyRoot,
         {{"5 is managed by 0", 5, EntityID(kDependencyRoot), EntityID(kDependencyRoot)},
          {"5 has resource 0", 6, EntityID(kDependencyRoot), EntityID(kDependencyRoot)}}},
    };
    for (const auto& kind : cases) {
        SCOPED_TRACE(kind.root);
        const auto root = named(kind.root);
        EXPECT_EQ(listed(*root->GetRelations(0, from_start)), kind.markers);
        EXPECT_EQ(listed(*root->GetRelations(0, in_context)), kind.markers);

        const auto before = root->GetSpecializations()->Count();
        const auto made = root->AddNewSpecialization("New " + kind.root.substr(0, 4), "tester");
        EXPECT_EQ(made->GetAttributeValue("kt_EntityType"),
                  root->GetAttributeValue("kt_EntityType"));
        // The specialization inherits the markers, started and drawn in itself.
        std::vector<Listed> inherited = kind.markers;
        for (Listed& relation : inherited) {
            relation.start = relation.context = EntityID(made->GetGeneric()->ID());
        }
        EXPECT_EQ(listed(*made->GetRelations(0, either_end)), inherited);
        EXPECT_EQ(root->GetSpecializations()->Count(), before + 1);
    }
}

TEST_F(FreshCatalogue, MarkersOfAnOlderCatalogueWithoutAContextReadAsContextZero) {
    sql("UPDATE Relation SET rel_context_ent_id = NULL WHERE rel_start_ent_id IN (4, 5)");
    const auto relations = named("Dependency Root")->GetRelations(0, from_start);
    ASSERT_EQ(relations->Count(), 2);
    EXPECT_EQ(relations->GetItemByIndex(1)->ContextID(), 0);
    EXPECT_EQ(relations->GetItemByIndex(2)->ContextID(), 0);
    EXPECT_NO_THROW(named("Port Root")->AddNewSpecialization("Old port", "tester"));
}

}  // namespace
}  // namespace kt
