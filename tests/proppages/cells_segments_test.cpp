#include "proppages/btn_cells_page.h"
#include "proppages/btn_segments_page.h"
#include "proppages/button_pages.h"
#include "proppages/standin/standin_button.h"
#include "tests/proppages/recording_control.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>

#include <functional>
#include <map>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vrn::pp {
namespace {

using testing::ActivePage;
using ::testing::Contains;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::Eq;
using ::testing::IsEmpty;
using ::testing::Not;
using testing::RecordingControl;

using Cells = CBtnCellsPropPage;
using Segments = CBtnSegmentsPropPage;

constexpr int kCellText = 1009;
constexpr int kCellHeight = 1041;
constexpr int kThreeDAppearance = 1029;

std::shared_ptr<RecordingControl> button(qint16 cells, qint16 currentCell) {
    auto control = std::make_shared<RecordingControl>(kIID_IButtonControl);
    control->preset(106, cells);
    control->preset(108, currentCell);
    control->preset(31, qint16{3});
    control->preset(37, qint16{0});
    control->preset(171, qint16{0});
    return control;
}

bool enabled(const ActivePage& p, int id) {
    return p.item(id)->isEnabled();
}
bool checked(const ActivePage& p, int id) {
    return qobject_cast<QAbstractButton*>(p.item(id))->isChecked();
}

TEST(CellsPage, AcceptsIndexesUpToTheCountAndTheDefaultCell) {
    struct Case {
        const char* index;
        bool applied;
    };
    const Case cases[] = {{"3", true}, {"4", false}, {"-1", true}, {"2", true}};
    for (const Case& c : cases) {
        auto control = button(3, 0);
        ActivePage p(std::make_unique<Cells>(), {control});
        EXPECT_FALSE(enabled(p, Cells::kApplyIndex));
        p.type(Cells::kIndex, c.index);
        EXPECT_FALSE(enabled(p, kCellHeight));
        EXPECT_TRUE(enabled(p, Cells::kApplyIndex));

        p.click(Cells::kApplyIndex);
        EXPECT_EQ(toShort(control->values[108]), c.applied ? QString(c.index).toShort() : 0)
            << c.index;
        EXPECT_EQ(enabled(p, kCellHeight), c.applied) << c.index;
        EXPECT_FALSE(enabled(p, Cells::kApplyIndex));
        EXPECT_EQ(p.page->IsPageDirty(), PageResult::False);
    }
}

TEST(CellsPage, UseDefaultFollowsTheCellsOwn3DTextAndDecidesWhatApplyWrites) {
    struct Case {
        qint16 cell;
        qint16 ownThreeD;
        bool useDefaultChecked;
        bool useDefaultEnabled;
        std::vector<std::string> threeDWrites;
    };
    const Case cases[] = {
        {-1, 0, true, false, {"set 62 i32 2", "set 68 i16 5"}},
        {1, 1, false, true, {"set 145 i16 1", "set 62 i32 2", "set 68 i16 5"}},
        {1, 0, true, true, {"set 145 i16 0"}},
    };
    for (const Case& c : cases) {
        auto control = button(3, c.cell);
        control->preset(144, c.ownThreeD);
        control->preset(61, qint32{2});
        control->preset(67, qint16{5});
        ActivePage p(std::make_unique<Cells>(), {control});
        EXPECT_EQ(checked(p, Cells::kUseDefault), c.useDefaultChecked) << c.cell;
        EXPECT_EQ(enabled(p, Cells::kUseDefault), c.useDefaultEnabled) << c.cell;
        EXPECT_EQ(enabled(p, kThreeDAppearance), !c.useDefaultChecked || c.cell == -1);

        control->clearLog();
        p.page->Apply();
        std::vector<std::string> threeD;
        for (const std::string& call : control->calls("set ")) {
            for (const char* slot : {"set 145 ", "set 62 ", "set 68 "}) {
                if (call.rfind(slot, 0) == 0) {
                    threeD.push_back(call);
                }
            }
        }
        EXPECT_EQ(threeD, c.threeDWrites) << c.cell;
        EXPECT_EQ(control->log.back(), "repaint");
    }
}

TEST(CellsPage, ANegative3DTextOffsetIsWrittenBackAsItWas) {
    auto control = button(3, -1);
    control->preset(67, qint16{-2});
    ActivePage p(std::make_unique<Cells>(), {control});
    EXPECT_EQ(p.text(1031), "-2");
    p.page->Apply();
    EXPECT_THAT(control->calls("set 68 "), ElementsAre("set 68 i16 -2"));
}

TEST(CellsPage, ApplyWithAnIndexNotYetAppliedAppliesTheIndexOnly) {
    auto control = button(3, 0);
    ActivePage p(std::make_unique<Cells>(), {control});
    p.type(Cells::kIndex, "2");
    p.type(kCellText, "not for cell 2");
    control->clearLog();
    p.page->Apply();
    // The index, and again as the page reloads the new cell's fields; nothing else.
    const auto sets = control->calls("set ");
    EXPECT_FALSE(sets.empty());
    EXPECT_THAT(sets, Each(Eq("set 109 i16 2")));
    EXPECT_THAT(control->log, Not(Contains("repaint")));
    EXPECT_NE(p.text(kCellText), "not for cell 2");
}

TEST(CellsPage, FocusRectangleIsWrittenOnlyWhenTicked) {
    auto control = button(3, 1);
    control->preset(118, qint16{1});
    ActivePage p(std::make_unique<Cells>(), {control});
    EXPECT_TRUE(checked(p, 1026));
    p.page->Apply();
    EXPECT_THAT(control->calls("set 119 "), ElementsAre("set 119 i16 1"));

    control->preset(118, qint16{0});
    ActivePage q(std::make_unique<Cells>(), {control});
    control->clearLog();
    q.page->Apply();
    EXPECT_THAT(control->calls("set 119 "), IsEmpty());
}

TEST(CellsPage, ApplyingACountWritesItAtOnceAndKeepsTheFieldEdits) {
    auto control = button(3, 0);
    ActivePage p(std::make_unique<Cells>(), {control});
    p.type(kCellText, "edited");
    p.type(Cells::kCount, "5");
    EXPECT_TRUE(enabled(p, Cells::kApplyCount));
    p.click(Cells::kApplyCount);
    EXPECT_EQ(toShort(control->values[106]), 5);
    EXPECT_FALSE(enabled(p, Cells::kApplyCount));
    EXPECT_EQ(p.text(kCellText), "edited");
    EXPECT_EQ(p.page->IsPageDirty(), PageResult::Ok);

    // A count that is negative as a 16-bit number leaves only the defaults of all cells.
    p.type(Cells::kCount, "65535");
    p.click(Cells::kApplyCount);
    EXPECT_EQ(toShort(control->values[106]), -1);
    EXPECT_FALSE(enabled(p, Cells::kIndex));
    EXPECT_EQ(p.text(Cells::kIndex), "-1");
}

TEST(CellsPage, ShowingThePageAgainRefreshesItUnlessItHoldsEdits) {
    auto control = button(3, 0);
    control->preset(25, QString("first"));
    ActivePage p(std::make_unique<Cells>(), {control});
    p.host.show();

    control->preset(25, QString("changed elsewhere"));
    p.page->Show(false);
    p.page->Show(true);
    EXPECT_EQ(p.text(kCellText), "changed elsewhere");

    p.type(kCellText, "mine");
    control->preset(25, QString("changed again"));
    p.page->Show(false);
    p.page->Show(true);
    EXPECT_EQ(p.text(kCellText), "mine");

    // An index typed but not applied survives the focus reaching the count.
    ActivePage q(std::make_unique<Cells>(), {control});
    q.type(Cells::kIndex, "2");
    QFocusEvent focus(QEvent::FocusIn);
    QApplication::sendEvent(q.item(Cells::kCount), &focus);
    EXPECT_EQ(q.text(Cells::kIndex), "2");
}

TEST(CellsPage, AnotherCellShowsItsOwnFieldsAndApplyWritesIntoIt) {
    auto stand = std::make_shared<StandInButton>();
    ActivePage p(std::make_unique<Cells>(), {stand});
    EXPECT_EQ(p.text(kCellText), "Stand-in");
    p.type(Cells::kIndex, "1");
    p.click(Cells::kApplyIndex);
    EXPECT_EQ(p.text(kCellText), "Button");

    p.type(kCellText, "Second");
    p.page->Apply();
    EXPECT_EQ(toText(stand->get(25)), "Second");
    stand->set(109, qint16{0});
    EXPECT_EQ(toText(stand->get(25)), "Stand-in");
}

TEST(SegmentsPage, AcceptsIndexesBelowTheCount) {
    struct Case {
        const char* index;
        bool applied;
    };
    const Case cases[] = {{"2", true}, {"3", false}, {"-1", true}, {"1", true}};
    for (const Case& c : cases) {
        auto control = button(2, 0);
        ActivePage p(std::make_unique<Segments>(), {control});
        p.type(Segments::kIndex, c.index);
        EXPECT_FALSE(enabled(p, 1005));
        p.click(Segments::kApplyIndex);
        EXPECT_EQ(toShort(control->values[37]), c.applied ? QString(c.index).toShort() : 0)
            << c.index;
        EXPECT_EQ(enabled(p, 1005), c.applied) << c.index;
        EXPECT_FALSE(enabled(p, Segments::kApplyIndex));
    }
}

TEST(SegmentsPage, ListsTheDefaultCellThenEachCell) {
    auto control = button(2, 0);
    ActivePage p(std::make_unique<Segments>(), {control});
    auto* cells = qobject_cast<QComboBox*>(p.item(Segments::kCellList));
    ASSERT_EQ(cells->count(), 3);
    EXPECT_EQ(cells->itemText(0), "Cell -1");
    EXPECT_EQ(cells->itemText(1), "Cell 0");
    EXPECT_EQ(cells->itemText(2), "Cell 1");
    EXPECT_EQ(cells->currentText(), "Cell 0");
    EXPECT_EQ(toShort(control->values[171]), 0);
}

TEST(SegmentsPage, ApplyPutsEachButtonsCellAndSwitchBack) {
    auto first = button(2, 0);
    auto second = button(2, 0);
    ActivePage p(std::make_unique<Segments>(), {first, second});
    p.choose(Segments::kCellList, 2);
    EXPECT_EQ(toShort(first->values[108]), 1);
    EXPECT_EQ(toShort(second->values[108]), 1);

    // Another program moves the second button's current cell meanwhile.
    second->preset(108, qint16{0});
    second->preset(171, qint16{7});
    p.type(1005, "4.5");
    second->clearLog();
    p.page->Apply();
    const auto sets = second->calls("set ");
    const auto mask = std::find(sets.begin(), sets.end(), "set 213 i32 0");
    ASSERT_NE(mask, sets.end());
    ASSERT_GE(mask - sets.begin(), 4);
    EXPECT_EQ(sets[0], "set 109 i16 1");
    EXPECT_EQ(sets[1], "set 172 i16 1");
    EXPECT_THAT(sets, Contains("set 34 f 4.5"));
    EXPECT_EQ(*(mask - 2), "set 172 i16 7");
    EXPECT_EQ(*(mask - 1), "set 109 i16 0");
    EXPECT_EQ(toShort(second->values[108]), 0);
    EXPECT_EQ(toShort(second->values[171]), 7);
    EXPECT_THAT(second->log, Contains("repaint"));
}

TEST(SegmentsPage, ApplyingNoSegmentsLeavesNoIndex) {
    auto control = button(2, 0);
    ActivePage p(std::make_unique<Segments>(), {control});
    p.type(Segments::kCount, "0");
    EXPECT_TRUE(enabled(p, Segments::kApplyCount));
    control->clearLog();
    p.click(Segments::kApplyCount);
    EXPECT_THAT(control->calls("set "),
                ElementsAre("set 109 i16 0", "set 172 i16 1", "set 32 i16 0", "set 109 i16 0",
                            "set 172 i16 0"));
    EXPECT_FALSE(enabled(p, Segments::kIndex));
    EXPECT_EQ(p.text(Segments::kIndex), "-1");
    EXPECT_FALSE(enabled(p, Segments::kApplyIndex));
    EXPECT_FALSE(enabled(p, Segments::kApplyCount));
}

TEST(SegmentsPage, ChoosingACellShowsItsSegments) {
    auto stand = std::make_shared<StandInButton>();
    stand->set(109, qint16{1});
    stand->set(34, 7.0f);
    stand->set(109, qint16{0});
    ActivePage p(std::make_unique<Segments>(), {stand});
    EXPECT_EQ(p.text(1005), "0");
    p.choose(Segments::kCellList, 2);
    EXPECT_EQ(p.text(1005), "7");
    EXPECT_EQ(toShort(stand->get(108)), 1);
}

}  // namespace
}  // namespace vrn::pp

namespace vrn::pp {
namespace {

TEST(ButtonPartPages, FillAndWriteAButtonBackUnchangedInTheirOrder) {
    struct Case {
        const char* name;
        std::function<std::unique_ptr<CzvPropPageBase>()> create;
        std::map<int, PropertyValue> presets;
        std::vector<int> setters;
    };
    const Case cases[] = {
        {"cells",
         [] { return std::make_unique<Cells>(); },
         {{106, qint16{3}},    {108, qint16{1}}, {144, qint16{1}},   {118, qint16{1}},
          {81, qint32{2}},     {104, qint32{1}}, {79, 10.5f},        {73, 1.5f},
          {77, 20.0f},         {75, 2.5f},       {25, QString("a")}, {27, QString("b")},
          {193, QString("t")}, {83, qint32{2}},  {85, qint32{0}},    {61, qint32{3}},
          {67, qint16{4}},     {102, qint16{1}}, {185, qint16{0}},   {187, qint16{1}}},
         {107, 109, 82, 105, 80, 74, 78, 76, 119, 26, 28, 194, 84, 86, 145, 62, 68, 103, 186, 188}},
        {"segments",
         [] { return std::make_unique<Segments>(); },
         {{106, qint16{2}},
          {108, qint16{0}},
          {171, qint16{0}},
          {31, qint16{3}},
          {37, qint16{1}},
          {29, qint32{2}},
          {39, qint32{4}},
          {33, 1.5f},
          {35, 2.5f},
          {41, qint16{1}},
          {45, 3.5f},
          {43, 4.5f},
          {138, qint32{2}},
          {49, qint16{-1}},
          {55, qint16{2}},
          {195, qint16{1}},
          {132, qint32{3}},
          {212, qint32{2}}},
         {109, 172, 32, 38, 30, 40, 34, 36, 42, 46, 44, 139, 50, 56, 196, 133, 172, 109, 213}},
        {"margins",
         [] { return std::make_unique<CBtnMarginsPropPage>(); },
         {{181, qint16{2}}, {104, qint32{2}}},
         {105, 182, 174, 176, 178, 180, 182, 174, 176, 178, 180, 182}},
    };
    for (const Case& c : cases) {
        auto control = std::make_shared<RecordingControl>(kIID_IButtonControl);
        control->values = c.presets;
        ActivePage p(c.create(), {control});
        control->clearLog();
        p.page->Apply();
        EXPECT_EQ(control->setterSlots(), c.setters) << c.name;
        for (const auto& [slot, value] : c.presets) {
            EXPECT_EQ(control->values[slot], value) << c.name << " slot " << slot;
        }
        EXPECT_EQ(control->log.back(), "repaint") << c.name;
    }
}

}  // namespace
}  // namespace vrn::pp
