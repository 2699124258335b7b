#include "model/component_version.h"

#include <gtest/gtest.h>

TEST(ComponentVersion, IsNotEmpty) {
    EXPECT_FALSE(vrn::componentVersion().empty());
}
