#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "tests/model/layout/layout_fixture.h"

namespace vrn::testing {
namespace {

constexpr float W = 2700;  // the fixture's practice width
constexpr float H = 600;   // its practice height and group height

class StateLayoutTest : public LayoutFixture {
protected:
    void SetUp() override { document = NewDocument(1); }

    // Lays `state` out at (x, Y) from zero extents; returns them.
    std::pair<float, float> DrawState(VRN_State& state, float x, float Y) {
        float xmax = 0;
        float ymax = 0;
        state.Draw(x, Y, xmax, ymax);
        return {xmax, ymax};
    }

    static void ExpectLine(const LineControl& line, float X1, float Y1, float X2, float Y2) {
        EXPECT_FLOAT_EQ(line.X1(), X1);
        EXPECT_FLOAT_EQ(line.Y1(), Y1);
        EXPECT_FLOAT_EQ(line.X2(), X2);
        EXPECT_FLOAT_EQ(line.Y2(), Y2);
    }

    std::shared_ptr<VRN_Matrix> document;
};

TEST_F(StateLayoutTest, TargetRoofRisesOverThePracticesAndPushesThemDown) {
    // Three columns of 600 from x = 1000: R = 2800, the roof is 900 high, and the state moves
    // down by 950 with groups shown (margin 50) or by 1250 without them (margin 350).
    for (const auto& [groupsShown, margin] : {std::pair{true, 50.0f}, {false, 350.0f}}) {
        SCOPED_TRACE(groupsShown ? "groups shown" : "groups hidden");
        mainView.setChecked(ViewMark::mnuViewPracticeGroups, groupsShown);
        const auto& target = *document->alternative(1);
        const float Y = 2000;
        const auto [xmax, ymax] = DrawState(*document->alternative(1), 1000, Y);
        const float move = 900 + margin;

        const float band = groupsShown ? H : 0;
        EXPECT_EQ(CellOf(target.Practices.Item(1)).top(), Y + band + move);
        EXPECT_EQ(CellOf(target.Practices.Item(3)).left(), 2200);
        EXPECT_EQ(xmax, 2800);
        EXPECT_EQ(ymax, Y + band + W + move);

        ASSERT_EQ(target.Lines.Count(), 6);
        // From each left edge up to the right, from each right edge up to the left.
        ExpectLine(*target.Lines.Item(1), 1000, Y + move, 1900, Y + move - 900);
        ExpectLine(*target.Lines.Item(3), 2200, Y + move, 2500, Y + move - 300);
        ExpectLine(*target.Lines.Item(4), 1600, Y + move, 1300, Y + move - 300);
        ExpectLine(*target.Lines.Item(6), 2800, Y + move, 1900, Y + move - 900);
        EXPECT_TRUE(target.Lines.Item(1)->Visible());

        EXPECT_EQ(window.btnSortDown().left(), xmax);
        EXPECT_EQ(window.btnSortDown().top(), ymax);
        EXPECT_EQ(window.btnShowHorPGs().left(), xmax);
        EXPECT_EQ(window.btnShowHorPGs().top(), ymax - (W + H));
        EXPECT_EQ(window.btnShowHorPGs().Height(), H);
    }
}

TEST_F(StateLayoutTest, ExistingRoofLeansLeftAndPushesTheRowsRight) {
    const auto& existing = *document->Existing();
    const float x = 1000;
    const float Y = 2000;
    const auto [xmax, ymax] = DrawState(*document->Existing(), x, Y);
    // Rows from 2000 to B = 3800: the roof is 900 wide, plus the margin of 50.
    EXPECT_EQ(existing.PGroups.Item(1)->Display->left(), x + 950);
    EXPECT_EQ(CellOf(existing.Practices.Item(1)).left(), x + 950 + H);
    EXPECT_EQ(xmax, x + H + W + 950);
    EXPECT_EQ(ymax, Y + 3 * H);
    EXPECT_EQ(existing.spot, x);
    ExpectLine(*existing.Lines.Item(1), x + 950, 2000, x + 950 - 900, 2900);
    ExpectLine(*existing.Lines.Item(6), x + 950, 3800, x + 950 - 900, 2900);

    EXPECT_EQ(window.btnSortRight().top(), ymax);
    EXPECT_EQ(window.btnSortRight().left(), xmax);
    EXPECT_EQ(window.btnSHowPGs().top(), ymax);
    EXPECT_EQ(window.btnSHowPGs().left(), xmax - (W + H));
    EXPECT_EQ(window.btnSHowPGs().Width(), H);
}

TEST_F(StateLayoutTest, HiddenGroupIsCountedSkippedAndOffersTheShowButton) {
    auto& existing = *document->Existing();
    const auto second = existing.PGroups.Item(1)->AddNewPracticeGroup("Second");
    second->AddNewPracticeGroup("Third");
    second->DisplayPG = false;

    DrawState(existing, 1, 1);
    EXPECT_EQ(existing.hidePGcount, 1);
    EXPECT_EQ(existing.Practices.Count(), 4);
    EXPECT_FALSE(existing.Practices.Contains(second->PracticeParts.Item(1).get()));
    EXPECT_FALSE(second->Display->Visible());
    EXPECT_TRUE(window.btnSHowPGs().Visible());
    // The third group follows the first directly.
    const auto& third = *existing.PGroups.Item(3);
    EXPECT_EQ(third.Display->top(), existing.PGroups.Item(1)->Display->top() +
                                        existing.PGroups.Item(1)->Display->Height());

    mainView.setChecked(ViewMark::mnuViewExisting, false);
    DrawState(existing, 1, 1);
    EXPECT_FALSE(window.btnSHowPGs().Visible());

    mainView.setChecked(ViewMark::mnuViewExisting, true);
    second->DisplayPG = true;
    DrawState(existing, 1, 1);
    EXPECT_EQ(existing.hidePGcount, 0);
    EXPECT_EQ(existing.Practices.Count(), 5);
    EXPECT_FALSE(window.btnSHowPGs().Visible());
}

TEST_F(StateLayoutTest, ShownGroupsPutTheSortedPracticesBackInGroupOrder) {
    auto& existing = *document->Existing();
    existing.PGroups.Item(1)->AddNewPracticeGroup("Second");
    const auto byGroup = existing.PracticesByGroup();
    auto reversed = byGroup;
    std::reverse(reversed.begin(), reversed.end());
    existing.Practices.Clear();
    for (const auto& practice : reversed) {
        existing.Practices.Add(practice);
    }

    DrawState(existing, 1, 1);
    EXPECT_EQ(existing.Practices.Snapshot(), byGroup);
    // The roof ends at the last practice of the last group.
    const auto& last = CellOf(byGroup.back());
    EXPECT_FLOAT_EQ(existing.Lines.Item(2 * 4)->Y1(), last.top() + last.Height());
}

TEST_F(StateLayoutTest, HiddenGroupsDrawThePracticesInSortOrderWithoutCaption) {
    mainView.setChecked(ViewMark::mnuViewPracticeGroups, false);
    auto& existing = *document->Existing();
    auto reversed = existing.Practices.Snapshot();
    std::reverse(reversed.begin(), reversed.end());
    existing.Practices.Clear();
    for (const auto& practice : reversed) {
        existing.Practices.Add(practice);
    }
    window.btnExisting().setText("untouched");

    DrawState(existing, 1, 1);
    DrawState(*document->alternative(1), 1, 1);
    EXPECT_EQ(window.btnExisting().text(), "untouched");
    EXPECT_TRUE(window.alternativeNames().empty());
    EXPECT_FALSE(existing.PGroups.Item(1)->Display->Visible());
    EXPECT_TRUE(window.btnSHowPGs().Visible());
    // Sorted order, top to bottom, right of a roof 300 twips further out.
    EXPECT_LT(CellOf(reversed[0]).top(), CellOf(reversed[1]).top());
    EXPECT_EQ(CellOf(reversed[0]).left(), 1 + 900 + 300);
}

TEST_F(StateLayoutTest, EmptyNamesGiveTheAxisCaptions) {
    document->Existing()->Name.clear();
    document->alternative(1)->Name.clear();
    DrawState(*document->Existing(), 1, 1);
    DrawState(*document->alternative(1), 1, 1);
    EXPECT_EQ(window.btnExisting().text(), "Exisiting Practices");
    EXPECT_EQ(window.alternativeNames(), std::vector<std::string>{"Target Practices"});

    document->alternative(1)->Name = "Shared services";
    DrawState(*document->alternative(1), 1, 1);
    EXPECT_EQ(window.btnTarget().text(), "Shared services");
}

TEST_F(StateLayoutTest, ScrollingMovesRoofAndButtonsWithTheCells) {
    auto& target = *document->alternative(1);
    DrawState(target, 1000, 1000);
    // What the target state placed: the roof, its two buttons, its cells and its own
    // interaction cells; nothing of the existing state or the cross cells.
    std::set<std::string> moving{"btnSortDown", "btnShowHorPGs"};
    for (int i = 1; i <= static_cast<int>(window.lines().size()); ++i) {
        moving.insert("Lines(" + std::to_string(i) + ")");
    }
    for (std::size_t i = 0; i < window.cells().size(); ++i) {
        if (window.cells()[i].horizontal) {
            moving.insert("btnGroup(" + std::to_string(i + 1) + ")");
        }
    }
    for (std::size_t i = 0; i < window.interactionCells().size(); ++i) {
        const auto interaction = window.interactionCells()[i].interaction.lock();
        if (interaction->parentState().get() == &target) {
            moving.insert("lblInteract(" + std::to_string(i + 1) + ")");
        }
    }
    EXPECT_EQ(moving.size(), 2 + 6 + (1 + 2 * 3) + 3);

    const auto before = SnapshotOf(window);
    target.MoveBy(-500, 0);
    std::vector<PlacedControl> expected;
    for (const auto& placed : before) {
        expected.push_back(moving.contains(placed.name) ? Shifted(placed, -500, 0) : placed);
    }
    ExpectSamePlaces(SnapshotOf(window), expected);
}

TEST_F(StateLayoutTest, SecondLayoutReusesTheRoofLines) {
    auto& existing = *document->Existing();
    DrawState(existing, 1, 1);
    const auto lines = window.lines().size();
    DrawState(existing, 1, 1);
    EXPECT_EQ(window.lines().size(), lines);
    EXPECT_EQ(existing.Lines.Count(), 6);

    existing.HideLines();
    for (const auto& line : existing.Lines) {
        EXPECT_FALSE(line->Visible());
    }
}

TEST_F(StateLayoutTest, NoDisplayDrawsNothing) {
    auto& existing = *document->Existing();
    existing.hidePGcount = 7;
    existing.No_Display = true;
    const auto before = SnapshotOf(window);
    const auto [xmax, ymax] = DrawState(existing, 1, 1);
    EXPECT_EQ(existing.hidePGcount, 7);
    EXPECT_EQ(xmax, 0);
    EXPECT_EQ(ymax, 0);
    ExpectSamePlaces(SnapshotOf(window), before);
}

}  // namespace
}  // namespace vrn::testing
