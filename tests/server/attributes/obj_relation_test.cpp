#include "server/attributes/obj_relation.h"

#include <gtest/gtest.h>

#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "tests/server/database/open_catalogue_fixture.h"

namespace kt {
namespace {

using test::errorOf;

class RelationObject : public test::OpenCatalogueFixture {};

TEST_F(RelationObject, LoadFromIDRefusesOtherKindsBeforeTouchingTheDatabase) {
    reset_global_db();
    for (const std::int32_t id : {470, 400, 481, 1207}) {
        ObjRelation relation;
        const Error error = errorOf([&] { relation.LoadFromID(id); });
        EXPECT_EQ(error.number(), objectError(23)) << id;
        EXPECT_EQ(error.description(), "This relation does not exist in the database.");
    }
}

TEST_F(RelationObject, InheritedFromIsKeptOnlyForAnInheritedRelation) {
    RelationFields fields;
    fields.id = 480;
    fields.inheritedFromRelId = 980;
    ObjRelation own;
    own.InitFromFields(fields);
    EXPECT_EQ(own.InheritedFromRelID(), 480);
    fields.inherited = true;
    ObjRelation copy;
    copy.InitFromFields(fields);
    EXPECT_EQ(copy.InheritedFromRelID(), 980);
}

TEST_F(RelationObject, LoadFromIDReadsTheRowDeletedOrNot) {
    const std::int32_t original = addRelation({.start = 1, .end = 0});
    const std::int32_t key = addRelation({.start = 1,
                                          .end = 0,
                                          .type = RelationType::HasException,
                                          .inherited = true,
                                          .inheritedFrom = original,
                                          .deleted = true});
    ObjRelation relation;
    relation.LoadFromID(RelationID(key));
    EXPECT_EQ(relation.ID(), RelationID(key));
    EXPECT_EQ(relation.RelationType(), 9);
    EXPECT_EQ(relation.StartID(), 100);
    EXPECT_EQ(relation.InheritedFromRelID(), RelationID(original));
    EXPECT_TRUE(relation.Deleted());
    EXPECT_EQ(errorOf([&] { relation.LoadFromID(RelationID(key + 100)); }).number(),
              objectError(23));
    EXPECT_EQ(relation.ID(), RelationID(key));
}

}  // namespace
}  // namespace kt
