#include "app/shell/view_steps.h"
#include "model/vrn_matrix.h"
#include "tests/app/shell/main_window_fixture.h"
#include "tests/support/modal_script.h"

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

TEST_F(ViewCommandsTest, ScaleAndFontStepsStopAtTheirFloors) {
    struct Case {
        const char* command;
        float size;
        std::int16_t font;
        float expectedSize;
        std::int16_t expectedFont;
    };
    const Case cases[] = {
        {"mnuViewScaledown", 600, 10, 500, 9},
        {"mnuViewScaledown", 200, 5, 100, 4},
        {"mnuViewScaledown", 150, 4, 100, 4},
        {"mnuViewScaledown", 100, 4, 100, 4},
        // Already below the floor: a step down leaves it where it is.
        {"mnuViewScaledown", 40, 2, 40, 2},
        {"mnuViewScaleUp", 40, 2, 140, 3},
        {"mnuViewFontDown", 600, 5, 600, 4},
        {"mnuViewFontDown", 600, 4, 600, 4},
        {"mnuViewFontUp", 600, 4, 600, 5},
        {"mnuViewFontUp", 600, 2160, 600, 2160},
        {"mnuViewScaleUp", 9.99999e6F, 10, 1.0e7F, 11},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.command) + " from " + std::to_string(c.size));
        document().VRN_PracticeHeight = c.size;
        document().VRN_PracticeWidth = c.size;
        document().VRN_PracticeGrpHeight = c.size;
        document().VRN_Practice_Font_Size = c.font;
        item(c.command).trigger();
        EXPECT_EQ(document().VRN_PracticeHeight, c.expectedSize);
        EXPECT_EQ(document().VRN_PracticeWidth, c.expectedSize);
        EXPECT_EQ(document().VRN_PracticeGrpHeight, c.expectedSize);
        EXPECT_EQ(document().VRN_Practice_Font_Size, c.expectedFont);
    }
}

TEST(ViewSteps, ANegativeStepFromTheStoreNeverTakesASizeBelowItsFloor) {
    EXPECT_EQ(scaledSize(600, -900, -900), 600);
    EXPECT_EQ(scaledSize(600, -100, 100), 500);
    EXPECT_EQ(steppedFontSize(32767, 1), 32767);
    EXPECT_EQ(steppedFontSize(-5, -1), -5);
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
