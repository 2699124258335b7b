#include "tests/model/layout/layout_snapshot.h"

#include <gtest/gtest.h>

namespace vrn::testing {

namespace {

PlacedControl Of(const std::string& name, const WindowControl& control) {
    return {name,
            false,
            control.left(),
            control.top(),
            control.Width(),
            control.Height(),
            control.Visible()};
}

PlacedControl Of(const std::string& name, const LineControl& line) {
    return {name, true, line.X1(), line.Y1(), line.X2(), line.Y2(), line.Visible()};
}

}  // namespace

std::vector<PlacedControl> SnapshotOf(RecordingMatrixWindow& window) {
    std::vector<PlacedControl> placed;
    const std::vector<std::pair<std::string, WindowControl*>> fixed{
        {"btnExisting", &window.btnExisting()},
        {"btnTarget", &window.btnTarget()},
        {"btnUpAlt", &window.btnUpAlt()},
        {"btnDownAlt", &window.btnDownAlt()},
        {"LblAltNum", &window.LblAltNum()},
        {"btnSortDown", &window.btnSortDown()},
        {"btnSortRight", &window.btnSortRight()},
        {"btnShowHorPGs", &window.btnShowHorPGs()},
        {"btnSHowPGs", &window.btnSHowPGs()},
        {"FrameDescription", &window.FrameDescription()},
        {"txtDescription", &window.txtDescription()},
        {"frmMatrixInteraction", &window.frmMatrixInteraction()},
        {"frmImportance", &window.frmImportance()},
        {"frameAttribution", &window.frameAttribution()},
        {"lblFooter", &window.lblFooter()},
    };
    for (const auto& [name, control] : fixed) {
        placed.push_back(Of(name, *control));
    }
    placed.push_back(Of("ThickLines(0)", window.ThickLines(0)));
    placed.push_back(Of("ThickLines(1)", window.ThickLines(1)));
    int index = 0;
    for (const auto& record : window.cells()) {
        placed.push_back(Of("btnGroup(" + std::to_string(++index) + ")", *record.control));
    }
    index = 0;
    for (const auto& record : window.interactionCells()) {
        placed.push_back(Of("lblInteract(" + std::to_string(++index) + ")", *record.control));
    }
    index = 0;
    for (const auto& line : window.lines()) {
        placed.push_back(Of("Lines(" + std::to_string(++index) + ")", *line));
    }
    return placed;
}

PlacedControl Shifted(PlacedControl placed, float x, float Y) {
    placed.a += x;
    placed.b += Y;
    if (placed.line) {
        placed.c += x;
        placed.d += Y;
    }
    return placed;
}

void ExpectSamePlaces(const std::vector<PlacedControl>& actual,
                      const std::vector<PlacedControl>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    constexpr float kTolerance = 0.01f;
    for (std::size_t i = 0; i < actual.size(); ++i) {
        const PlacedControl& got = actual[i];
        const PlacedControl& want = expected[i];
        SCOPED_TRACE(want.name);
        EXPECT_EQ(got.visible, want.visible);
        if (!want.visible) {
            continue;
        }
        EXPECT_NEAR(got.a, want.a, kTolerance);
        EXPECT_NEAR(got.b, want.b, kTolerance);
        EXPECT_NEAR(got.c, want.c, kTolerance);
        EXPECT_NEAR(got.d, want.d, kTolerance);
    }
}

}  // namespace vrn::testing
