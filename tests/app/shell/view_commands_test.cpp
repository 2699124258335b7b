#include "app/shell/view_steps.h"
#include "model/vrn_matrix.h"
#include "tests/app/shell/main_window_fixture.h"
#include "tests/support/modal_script.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace vrn::testing {
namespace {

class ViewCommandsTest : public MainWindowFixture {
protected:
    ViewCommandsTest() { load(); }

    VRN_Matrix& document() { return *activeWindow().base(); }
};

TEST_F(ViewCommandsTest, ScaleUpTwiceGrowsTheSizesAndFontAndNewWindowsFollow) {
    document().VRN_PracticeWidth = 2300;
    item("mnuViewScaleUp").trigger();
    item("mnuViewScaleUp").trigger();
    EXPECT_EQ(document().VRN_PracticeHeight, 800);
    EXPECT_EQ(document().VRN_PracticeWidth, 2500);
    EXPECT_EQ(document().VRN_PracticeGrpHeight, 800);
    EXPECT_EQ(document().VRN_PracticeGrpWidth, 1500);
    EXPECT_EQ(document().VRN_Practice_Font_Size, 12);
    EXPECT_EQ(program_.prefs.PracticeGroupWidth, 1500);
    EXPECT_EQ(program_.prefs.Practice_Font_Size, 10);

    item("mnuFileNew").trigger();
    EXPECT_EQ(document().VRN_PracticeHeight, 800);
    EXPECT_EQ(document().VRN_PracticeWidth, 2500);
    EXPECT_EQ(document().VRN_PracticeGrpHeight, 800);
    EXPECT_EQ(document().VRN_Practice_Font_Size, 10);
}

TEST_F(ViewCommandsTest, ScaleDownTenTimesThenUpTenTimesGivesTheSameSizesBack) {
    const ScaleSizes start{600, 2700, 600, 10};
    const auto sizes = [this] {
        return ScaleSizes{document().VRN_PracticeHeight, document().VRN_PracticeWidth,
                          document().VRN_PracticeGrpHeight, document().VRN_Practice_Font_Size};
    };
    ASSERT_EQ(sizes(), start);
    for (int i = 0; i < 10; ++i) {
        item("mnuViewScaledown").trigger();
        const ScaleSizes now = sizes();
        SCOPED_TRACE(i);
        // Never below the smallest legible size, and always in step with each other.
        EXPECT_GE(now.practiceHeight, kSmallestLegible.practiceHeight);
        EXPECT_GE(now.fontSize, kSmallestLegible.fontSize);
        const float steps = (start.practiceHeight - now.practiceHeight) / 100;
        EXPECT_EQ(start.practiceWidth - now.practiceWidth, steps * 100);
        EXPECT_EQ(start.groupHeight - now.groupHeight, steps * 100);
        EXPECT_EQ(start.fontSize - now.fontSize, steps);
    }
    EXPECT_EQ(sizes(), (ScaleSizes{400, 2500, 400, 8}));
    EXPECT_TRUE(main_.statusText().contains("smallest legible size"))
        << main_.statusText().toStdString();

    for (int i = 0; i < 10; ++i) {
        item("mnuViewScaleUp").trigger();
    }
    EXPECT_EQ(sizes(), start);
    EXPECT_FALSE(main_.statusText().contains("smallest legible size"));
    EXPECT_EQ(program_.prefs.PracticeHeight, 600);
    EXPECT_EQ(program_.prefs.PracticeWidth, 2700);
    EXPECT_EQ(program_.prefs.PracticeGroupHeight, 600);
    item("mnuViewScaleUp").trigger();
    EXPECT_EQ(sizes(), (ScaleSizes{700, 2800, 700, 11}));
}

TEST(ViewSteps, AStepMovesEverySizeOrNone) {
    struct Case {
        const char* name;
        ScaleSizes from;
        int direction;
        float delta;
        ScaleSizes to;
    };
    const Case cases[] = {
        {"down", {600, 2700, 600, 10}, -1, 100, {500, 2600, 500, 9}},
        {"down onto the floor", {500, 1300, 500, 9}, -1, 100, {400, 1200, 400, 8}},
        {"the width stops it", {900, 1250, 900, 12}, -1, 100, {900, 1250, 900, 12}},
        {"the font stops it", {900, 2700, 900, 8}, -1, 100, {900, 2700, 900, 8}},
        {"a negative step from the store", {600, 2700, 600, 10}, -1, -100, {500, 2600, 500, 9}},
        {"no step", {600, 2700, 600, 10}, -1, 0, {600, 2700, 600, 10}},
        {"up from below the floor", {40, 40, 40, 2}, 1, 100, {140, 140, 140, 3}},
        {"up beyond a cell", {9.99999e6F, 600, 600, 10}, 1, 100, {9.99999e6F, 600, 600, 10}},
        {"up beyond the font", {600, 600, 600, 2160}, 1, 100, {600, 600, 600, 2160}},
    };
    for (const Case& c : cases) {
        HeldScaleSteps held;
        EXPECT_EQ(scaledSizes(c.from, c.direction, c.delta, held), c.to) << c.name;
    }
}

TEST(ViewSteps, HeldStepsLapseWhenTheSizesChangeOtherwise) {
    const ScaleSizes floor = kSmallestLegible;
    HeldScaleSteps held;
    EXPECT_EQ(scaledSizes(floor, -1, 100, held), floor);
    EXPECT_EQ(scaledSizes(floor, -1, 100, held), floor);
    EXPECT_EQ(held.count, 2);
    // A font step since: the sizes are not those the steps were held at.
    ScaleSizes bigger = floor;
    bigger.fontSize = 10;
    EXPECT_EQ(scaledSizes(bigger, 1, 100, held), (ScaleSizes{500, 1300, 500, 11}));
    EXPECT_EQ(held.count, 0);
}

TEST(ViewSteps, FontStepsStopAtTheSmallestLegibleAndTheLargestSize) {
    EXPECT_EQ(steppedFontSize(9, -1), 8);
    EXPECT_EQ(steppedFontSize(8, -1), 8);
    EXPECT_EQ(steppedFontSize(4, -1), 4);
    EXPECT_EQ(steppedFontSize(4, 1), 5);
    EXPECT_EQ(steppedFontSize(2160, 1), 2160);
    EXPECT_EQ(steppedFontSize(32767, 1), 32767);
}

TEST_F(ViewCommandsTest, FontStepsLeaveThePreferencesAlone) {
    item("mnuViewFontUp").trigger();
    EXPECT_EQ(document().VRN_Practice_Font_Size, 11);
    EXPECT_EQ(program_.prefs.Practice_Font_Size, 10);
    EXPECT_EQ(document().VRN_PracticeHeight, 600);
}

TEST_F(ViewCommandsTest, StepsWithoutADocumentChangeNothing) {
    closeWithoutSaving();
    main_.mdiArea().closeAllSubWindows();
    ASSERT_EQ(program_.Current_Matrix, nullptr);
    const Preferences before = program_.prefs;
    for (const char* command :
         {"mnuViewScaleUp", "mnuViewScaledown", "mnuViewFontUp", "mnuViewFontDown",
          "mnuViewRefresh", "mnuViewImportance", "mnuViewWeightedSort", "mnuViewTitle"}) {
        item(command).trigger();
    }
    EXPECT_EQ(program_.prefs, before);
    // Only the two questions of closing the window.
    EXPECT_EQ(prompt_.questions().size(), 2U);
}

TEST_F(ViewCommandsTest, ToolbarAndStatusBarSwitchesShowAndHideThem) {
    auto* toolbar = main_.findChild<QToolBar*>("tbToolBar");
    item("mnuViewToolbar").trigger();
    EXPECT_FALSE(item("mnuViewToolbar").isChecked());
    EXPECT_FALSE(toolbar->isVisible());
    item("mnuViewToolbar").trigger();
    EXPECT_TRUE(toolbar->isVisible());
    item("mnuViewStatusBar").trigger();
    EXPECT_FALSE(main_.statusBar()->isVisible());
}

TEST_F(ViewCommandsTest, CheckMarksAreWhatTheModelReads) {
    struct Case {
        const char* item;
        ViewMark mark;
        bool designed;
    };
    for (const Case& c : {Case{"mnuViewTitle", ViewMark::mnuViewTitle, true},
                          Case{"mnuViewAttribution", ViewMark::mnuViewAttribution, false},
                          Case{"mnuViewLegend", ViewMark::mnuViewLegend, true},
                          Case{"mnuViewImportance", ViewMark::mnuViewImportance, false},
                          Case{"mnuViewPracticeGroups", ViewMark::mnuViewPracticeGroups, true},
                          Case{"mnuViewAlternatives", ViewMark::mnuViewAlternatives, true},
                          Case{"mnuViewExisting", ViewMark::mnuViewExisting, true},
                          Case{"mnuViewSortButtons", ViewMark::mnuViewSortButtons, false},
                          Case{"mnuViewWeightedSort", ViewMark::mnuViewWeightedSort, true}}) {
        SCOPED_TRACE(c.item);
        EXPECT_EQ(main_.Checked(c.mark), c.designed);
        item(c.item).trigger();
        EXPECT_EQ(main_.Checked(c.mark), !c.designed);
        main_.setChecked(c.mark, c.designed);
        EXPECT_EQ(item(c.item).isChecked(), c.designed);
    }
    EXPECT_TRUE(main_.mnuFileSaveEnabled());
    main_.setMnuFileSaveEnabled(false);
    EXPECT_FALSE(item("mnuFileSave").isEnabled());
}

TEST_F(ViewCommandsTest, WeightedSortFollowsTheMarkInTheActiveWindow) {
    EXPECT_TRUE(activeWindow().Weighted);
    item("mnuViewWeightedSort").trigger();
    EXPECT_FALSE(activeWindow().Weighted);
    item("mnuViewWeightedSort").trigger();
    EXPECT_TRUE(activeWindow().Weighted);
}

TEST_F(ViewCommandsTest, ColorActivitiesSwitchesBetweenActivityAndPracticeColours) {
    Preferences& prefs = program_.prefs;
    item("mnuViewColor").trigger();
    EXPECT_EQ(prefs.Current_ActivityColor, prefs.ActivityColor);
    EXPECT_EQ(prefs.Current_EntityColor, prefs.PracticeEntityColor);
    item("mnuViewColor").trigger();
    EXPECT_EQ(prefs.Current_ActivityColor, prefs.PracticeColor);
    EXPECT_EQ(prefs.Current_EntityColor, prefs.PracticeColor);
}

TEST_F(ViewCommandsTest, OptionsChangeTheActiveDocumentsFontAndStoreIt) {
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->objectName(), "frmOptions");
        auto* font = dialog->findChild<QLineEdit*>("TxtFontSize");
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(font->text(), "10");
        font->setText("14");
        emit font->editingFinished();
        dialog->findChild<QPushButton*>("cmdOK")->click();
    });
    item("mnuViewOptions").trigger();
    EXPECT_EQ(document().VRN_Practice_Font_Size, 14);
    EXPECT_EQ(settings_.text("VRNSettings", "Def_PracticeFontSize"), QString("14"));
}

TEST_F(ViewCommandsTest, OkWithNewSizesReachesTheNextNewWindow) {
    ModalScript dialogs;
    dialogs.then("frmOptions", [](QDialog& dialog) {
        const auto enter = [&dialog](const char* name, const char* text) {
            auto* box = dialog.findChild<QLineEdit*>(name);
            box->setText(text);
            emit box->editingFinished();
        };
        enter("txtPHeight", "750");
        enter("txtPWidth", "3100");
        enter("txtPGHeight", "820");
        enter("TxtFontSize", "13");
        dialog.findChild<QPushButton*>("cmdOK")->click();
    });
    item("mnuViewOptions").trigger();
    // The active window keeps its sizes; only its font follows at once.
    EXPECT_EQ(document().VRN_PracticeHeight, 600);
    EXPECT_EQ(document().VRN_Practice_Font_Size, 13);

    item("mnuFileNew").trigger();
    EXPECT_EQ(document().VRN_PracticeHeight, 750);
    EXPECT_EQ(document().VRN_PracticeWidth, 3100);
    EXPECT_EQ(document().VRN_PracticeGrpHeight, 820);
    EXPECT_EQ(document().VRN_Practice_Font_Size, 13);
    // Refreshing a window with other sizes does not change what the next one gets.
    document().VRN_PracticeHeight = 500;
    item("mnuViewRefresh").trigger();
    item("mnuFileNew").trigger();
    EXPECT_EQ(document().VRN_PracticeHeight, 750);
}

TEST_F(ViewCommandsTest, CancelAfterPickingAColourLeavesTheSettingsAsTheyWere) {
    const std::size_t storedBefore = settings_.size();
    ModalScript dialogs;
    dialogs.then("frmOptions", [this](QDialog& dialog) {
        prompt_.answerColor(QColor(0, 0, 255));
        for (auto* swatch : dialog.findChildren<QWidget*>("lblColor")) {
            if (swatch->property("Index").toInt() == 3) {
                static_cast<QAbstractButton*>(swatch)->click();
            }
        }
        dialog.findChild<QPushButton*>("cmdCancel")->click();
    });
    item("mnuViewOptions").trigger();
    EXPECT_EQ(settings_.size(), storedBefore);
    EXPECT_FALSE(settings_.text("Colors", "Color_3").has_value());
    item("mnuFileNew").trigger();
    EXPECT_EQ(document().User_FormBackgroundColor, Preferences().Color_3);
}

TEST_F(ViewCommandsTest, TheDirectionsMarkShowsTheDirectionsOnceAndClearsItself) {
    document().Directions = "Read the roof first";
    ModalScript dialogs;
    dialogs.then("FrmDirectionsDetails", [](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Directions");
        EXPECT_EQ(dialog.findChild<QPlainTextEdit*>("txtDirections")->toPlainText(),
                  "Read the roof first");
        dialog.findChild<QPushButton*>("btnOK")->click();
    });
    item("mnuViewDirections").trigger();
    EXPECT_FALSE(item("mnuViewDirections").isChecked());
    item("mnuViewRefresh").trigger();
    EXPECT_EQ(dialogs.seen(), QStringList{"FrmDirectionsDetails"});
}

TEST_F(ViewCommandsTest, ANewWindowClearsTheDirectionsMark) {
    item("mnuViewDirections").setChecked(true);
    item("mnuFileNew").trigger();
    EXPECT_FALSE(item("mnuViewDirections").isChecked());
}

}  // namespace
}  // namespace vrn::testing
