#include <gtest/gtest.h>

#include "tests/model/layout/layout_fixture.h"

namespace vrn::testing {
namespace {

// The fixture's document: practice width W = 2700, practice height H = 600, group height 600.
constexpr float W = 2700;
constexpr float H = 600;

class PracticeLayoutTest : public LayoutFixture {
protected:
    void SetUp() override { document = NewDocument(1); }

    std::shared_ptr<VRN_Practice> existingPractice() const {
        return document->Existing()->Practices.Item(1);
    }
    std::shared_ptr<VRN_Practice> targetPractice() const {
        return document->alternative(1)->Practices.Item(1);
    }

    std::shared_ptr<VRN_Matrix> document;
};

TEST_F(PracticeLayoutTest, CellAndImportanceBoxTakeTheirPlaceForEitherAxis) {
    struct Case {
        bool horizontal;
        bool importance;
        float width, height;    // the practice's extent
        float boxLeft, boxTop;  // where the importance box goes when shown
    };
    const Case cases[] = {
        // A row header: W by H, the H-square box to its right.
        {false, false, W, H, 0, 0},
        {false, true, W + H, H, 100 + W, 200},
        // A column header stands on end: H by W, the box below it.
        {true, false, H, W, 0, 0},
        {true, true, H, W + H, 100, 200 + W},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.horizontal ? "column" : "row") +
                     (c.importance ? " with importance" : ""));
        mainView.setChecked(ViewMark::mnuViewImportance, c.importance);
        const auto practice = c.horizontal ? targetPractice() : existingPractice();
        float xmax = 0;
        float ymax = 0;
        practice->Draw(100, 200, xmax, ymax);

        EXPECT_EQ(practice->left, 100);
        EXPECT_EQ(practice->top, 200);
        EXPECT_EQ(practice->Width, c.width);
        EXPECT_EQ(practice->Height, c.height);
        EXPECT_EQ(xmax, 100 + c.width);
        EXPECT_EQ(ymax, 200 + c.height);
        EXPECT_EQ(practice->Display->CellOrientation(), c.horizontal ? 3 : 0);
        EXPECT_EQ(practice->Display->fontsize(), 10);
        EXPECT_TRUE(practice->Display->Visible());
        const auto& box = *practice->Importance;
        EXPECT_EQ(box.Width(), H);
        EXPECT_EQ(box.Height(), H);
        EXPECT_EQ(box.Visible(), c.importance);
        if (c.importance) {
            EXPECT_EQ(box.left(), c.boxLeft);
            EXPECT_EQ(box.top(), c.boxTop);
        }
    }
}

TEST_F(PracticeLayoutTest, ExtentsOnlyEverGrow) {
    const auto practice = existingPractice();
    float xmax = 50'000;
    float ymax = 200 + H;  // equal to the practice's bottom: left as it is
    practice->Draw(100, 200, xmax, ymax);
    EXPECT_EQ(xmax, 50'000);
    EXPECT_EQ(ymax, 200 + H);
}

TEST_F(PracticeLayoutTest, HiddenAxisHidesBothControlsButKeepsTheExtent) {
    mainView.setChecked(ViewMark::mnuViewImportance, true);
    mainView.setChecked(ViewMark::mnuViewExisting, false);
    const auto practice = existingPractice();
    float xmax = 0;
    float ymax = 0;
    practice->Draw(0, 0, xmax, ymax);
    EXPECT_FALSE(practice->Display->Visible());
    EXPECT_FALSE(practice->Importance->Visible());
    EXPECT_EQ(xmax, W + H);
    EXPECT_EQ(ymax, H);
    // The other axis is unaffected.
    targetPractice()->Draw(0, 0, xmax, ymax);
    EXPECT_TRUE(targetPractice()->Display->Visible());
}

TEST_F(PracticeLayoutTest, CellColourComesFromBlanknessThenOwnColourThenTheDocument) {
    const auto practice = existingPractice();
    float xmax = 0;
    float ymax = 0;
    practice->Draw(0, 0, xmax, ymax);
    EXPECT_EQ(practice->Display->BackColor(), kPracticeColor);

    practice->color = 0x123456;
    practice->Draw(0, 0, xmax, ymax);
    EXPECT_EQ(practice->Display->BackColor(), 0x123456);

    const auto blankGroup = document->Existing()->PGroups.Item(1)->AddBlankPracticeGroup();
    const auto blank = blankGroup->PracticeParts.Item(1);
    blank->color = 0x123456;
    blank->Draw(0, 0, xmax, ymax);
    EXPECT_EQ(blank->Display->BackColor(), kBlankColor);
}

TEST_F(PracticeLayoutTest, MoveByShiftsTheControlsButNotTheRecordedPlace) {
    mainView.setChecked(ViewMark::mnuViewImportance, true);
    const auto practice = existingPractice();
    float xmax = 0;
    float ymax = 0;
    practice->Draw(100, 200, xmax, ymax);
    practice->MoveBy(-30, 500);
    EXPECT_EQ(practice->Display->left(), 70);
    EXPECT_EQ(practice->Display->top(), 700);
    EXPECT_EQ(practice->Importance->left(), 100 + W - 30);
    EXPECT_EQ(practice->Importance->top(), 700);
    EXPECT_EQ(practice->left, 100);
    EXPECT_EQ(practice->top, 200);
}

TEST_F(PracticeLayoutTest, GroupBandRunsAlongItsPractices) {
    // A row band stands on its side left of its rows; a column band lies above its columns.
    const auto rows = document->Existing()->PGroups.Item(1);
    float xmax = 0;
    float ymax = 0;
    rows->Draw(100, 200, xmax, ymax);
    EXPECT_EQ(rows->Display->CellOrientation(), 3);
    EXPECT_EQ(rows->Display->Width(), 600);
    EXPECT_EQ(rows->Display->Height(), 3 * H);
    EXPECT_TRUE(rows->Display->Visible());
    float top = 200;
    for (const auto& practice : rows->PracticeParts) {
        EXPECT_EQ(practice->Display->left(), 100 + 600);
        EXPECT_EQ(practice->Display->top(), top);
        top += H;
    }
    EXPECT_EQ(xmax, 100 + 600 + W);
    EXPECT_EQ(ymax, 200 + 3 * H);

    const auto columns = document->alternative(1)->PGroups.Item(1);
    xmax = 0;
    ymax = 0;
    columns->Draw(100, 200, xmax, ymax);
    EXPECT_EQ(columns->Display->CellOrientation(), 0);
    EXPECT_EQ(columns->Display->Width(), 3 * H);
    EXPECT_EQ(columns->Display->Height(), 600);
    float left = 100;
    for (const auto& practice : columns->PracticeParts) {
        EXPECT_EQ(practice->Display->left(), left);
        EXPECT_EQ(practice->Display->top(), 200 + 600);
        left += H;
    }
    EXPECT_EQ(xmax, 100 + 3 * H);
    EXPECT_EQ(ymax, 200 + 600 + W);

    // Moving a band moves its practices along.
    columns->MoveBy(10, 20);
    EXPECT_EQ(columns->Display->left(), 110);
    EXPECT_EQ(columns->PracticeParts.Item(3)->Display->top(), 200 + 600 + 20);
}

TEST_F(PracticeLayoutTest, BandWithoutPracticesIsStill200Long) {
    for (const bool horizontal : {false, true}) {
        const auto state = horizontal ? document->alternative(1) : document->Existing();
        auto empty = std::make_shared<VRN_PracticeGroup>();
        state->PGroups.Add(empty);
        empty->Create("Empty", horizontal, state, &window, false, {}, 0, nullptr, nullptr, true);
        float xmax = 0;
        float ymax = 0;
        empty->Draw(0, 0, xmax, ymax);
        EXPECT_EQ(horizontal ? empty->Display->Width() : empty->Display->Height(), 200);
        EXPECT_EQ(horizontal ? xmax : ymax, 200);
    }
}

}  // namespace
}  // namespace vrn::testing
