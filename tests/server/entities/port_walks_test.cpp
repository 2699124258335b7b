#include <gtest/gtest.h>

#include <vector>

#include "server/attributes/obj_relation.h"
#include "server/database/errors.h"
#include "server/entities/entities.h"
#include "server/entities/generic.h"
#include "server/entities/obj_relations.h"
#include "tests/server/database/open_catalogue_fixture.h"
#include "tests/server/support/fixture_catalogue.h"
#include "tests/server/support/relation_keys.h"

namespace kt {
namespace {

using test::errorOf;
using test::keysOf;
using Keys = std::vector<std::int32_t>;

// The activity "Pump" decomposes into the activity "Drive", which has a port of its own, and
// the port "Outlet", which holds the port "Nozzle"; "Nozzle" decomposes into the thing "Tip".
class PortWalks : public test::OpenCatalogueFixture {
protected:
    void SetUp() override {
        OpenCatalogueFixture::SetUp();
        pump_ = make_.entity("Pump", EntityType::Activity);
        drive_ = make_.entity("Drive", EntityType::Activity);
        outlet_ = make_.entity("Outlet", EntityType::Port);
        nozzle_ = make_.entity("Nozzle", EntityType::Port);
        tip_ = make_.entity("Tip");
        toDrive_ = decompose(pump_, drive_);
        decompose(drive_, make_.entity("Shaft", EntityType::Port));
        toOutlet_ = decompose(pump_, outlet_);
        toNozzle_ = decompose(outlet_, nozzle_);
        toTip_ = decompose(nozzle_, tip_);
    }

    std::int32_t decompose(std::int32_t parent, std::int32_t child) {
        return test::keyOf(*make_.relation({.start = parent, .end = child}));
    }
    generic pump() const { return test::loadedWorker(pump_); }

    test::FixtureCatalogue make_;
    std::int32_t pump_ = 0, drive_ = 0, outlet_ = 0, nozzle_ = 0, tip_ = 0;
    std::int32_t toDrive_ = 0, toOutlet_ = 0, toNozzle_ = 0, toTip_ = 0;
};

TEST_F(PortWalks, DecompositionRelationsGoDownThroughPortsOnly) {
    EXPECT_EQ(keysOf(*pump().GetDecRelsOfPortsToo()),
              (Keys{toDrive_, toOutlet_, toNozzle_, toTip_}));
}

TEST_F(PortWalks, PortsComeDepthFirstWithTheirRelationsInStep) {
    Entities ports;
    pump().GetPorts(ports, nullptr);  // without the flag the relations are never touched
    EXPECT_EQ(keysOf(ports), (Keys{outlet_, nozzle_}));

    Entities more;
    ObjRelations relations;
    more.AddByID(EntityID(tip_));
    pump().GetPorts(more, &relations, true);
    EXPECT_EQ(keysOf(more), (Keys{tip_, outlet_, nozzle_}));  // appended to what was there
    EXPECT_EQ(keysOf(relations), (Keys{toOutlet_, toNozzle_}));

    ObjRelations untouched;
    pump().GetPorts(ports, &untouched, false);
    EXPECT_EQ(untouched.Count(), 0);
    EXPECT_EQ(errorOf([&] { pump().GetPorts(ports, nullptr, true); }).number(), 91);
}

TEST_F(PortWalks, ACycleOfPortsEndsTheWalk) {
    const std::int32_t back = decompose(nozzle_, outlet_);
    EXPECT_EQ(keysOf(*pump().GetDecRelsOfPortsToo()),
              (Keys{toDrive_, toOutlet_, toNozzle_, toTip_, back}));
    Entities ports;
    ObjRelations relations;
    pump().GetPorts(ports, &relations, true);
    EXPECT_EQ(keysOf(ports), (Keys{outlet_, nozzle_}));
    EXPECT_EQ(keysOf(relations), (Keys{toOutlet_, toNozzle_}));
}

TEST_F(PortWalks, ADeletedPortIsLeftOutAndStopsTheDescent) {
    make_.deleteEntity(nozzle_);
    Entities ports;
    const Error error = errorOf([&] { pump().GetPorts(ports, nullptr); });
    EXPECT_EQ(error.number(), objectError(22));
    EXPECT_EQ(error.description(), "No access to a deleted entity.");
    EXPECT_EQ(keysOf(ports), Keys{outlet_});
    EXPECT_EQ(errorOf([&] { pump().GetDecRelsOfPortsToo(); }).description(),
              "No access to a deleted entity.");
}

}  // namespace
}  // namespace kt
