#include "tests/app/shell/main_window_fixture.h"

#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

namespace vrn::testing {
namespace {

// One menu entry as the user meets it. State letters: k checkable, c checked, h hidden,
// d disabled, s opens a submenu. "name(i)" is element i of a control array.
struct Row {
    const char* name;
    const char* caption;
    const char* shortcut;
    const char* state;
};

struct Menu {
    const char* name;
    const char* caption;
    const char* state;
    std::vector<Row> rows;
};

// The menu bar as designed, before the window is loaded.
const std::vector<Menu> kMenus{
    {"mnuFile",
     "&File",
     "",
     {{"mnuFileNew", "&New", "Ctrl+N", ""},
      {"mnuFileOpen", "&Open", "Ctrl+O", ""},
      {"mnuFileClose", "&Close", "", ""},
      {"mnuFileBar1", "", "", ""},
      {"mnuFileSave", "&Save", "Ctrl+S", ""},
      {"mnuFileSaveAs", "Save &As...", "", ""},
      {"mnuFileSaveAll", "Save A&ll", "", "h"},
      {"mnuFileBar2", "", "", "h"},
      {"mnuFileProperties", "Propert&ies", "", "h"},
      {"mnuFileBar3", "", "", ""},
      {"mnuFilePageSetup", "Page Set&up...", "", ""},
      {"mnuFilePrintPreview", "Print Pre&view", "", "h"},
      {"mnuFilePrint", "Print...old", "", "h"},
      {"munFilePrintCaptured", "Print Captured Image", "", ""},
      {"mnuFileReportOptions", "Report Options", "", ""},
      {"mnuFilePrintReport", "Print Report", "", ""},
      {"mnuFileExportWord", "Export to Word", "", ""},
      {"mnuFileBar4", "", "", "h"},
      {"mnuFileSend", "Sen&d...", "", "h"},
      {"mnuFileBar5", "", "", ""},
      {"mnuFileMRU(0)", "", "", "h"},
      {"mnuFileMRU(1)", "", "", "h"},
      {"mnuFileMRU(2)", "", "", "h"},
      {"mnuFileMRU(3)", "", "", "h"},
      {"mnuFileBar6", "", "", "h"},
      {"mnuFileExit", "E&xit", "", ""}}},
    {"mnuEdit",
     "&Edit",
     "h",
     {{"mnuEditUndo", "&Undo", "Ctrl+Z", ""},
      {"mnuEditBar1", "", "", ""},
      {"mnuEditCut", "Cu&t", "Ctrl+X", ""},
      {"mnuEditCopy", "&Copy", "Ctrl+C", ""},
      {"mnuEditPaste", "&Paste", "Ctrl+V", ""},
      {"mnuEditPasteSpecial", "Paste &Special...", "", ""}}},
    {"mnuAction",
     "&Action",
     "",
     {{"mnuRenameMatrix", "Rename Matrix", "", ""},
      {"mnuFileGenerate", "&Generate Visio Drawing...", "", ""},
      {"mnuCapturePartofScreen", "&Partial Screen Capture", "Ctrl+P", ""},
      {"mnuFileGenerateHTML", "Generate HTML page", "", ""},
      {"mnuFileDiagnose", "Diagnose Visio Connection", "", "hd"},
      {"sep43", "", "", "h"},
      {"mnuActionCreateExRpt", "Create Excel Report", "", "h"},
      {"mnuActionCLoseExRpt", "Close Excel Report", "", "h"},
      {"mnuActionsep", "", "", ""},
      {"mnuActionAddGroup", "&Add New Practice Group ...", "", ""},
      {"mnuActionDeleteGroup", "&Delete Practice Group", "", ""},
      {"mnuActionsep1", "", "", ""},
      {"mnuActionAddPractice", "Add &New Practice ...", "Ctrl+A", ""},
      {"mnuActionDeletePractice", "Delete &Practice", "", ""}}},
    {"mnuAlternatives",
     "Alternatives",
     "",
     {{"mnuAlt(0)", "alt", "", "k"},
      {"sep21", "", "", ""},
      {"mnuAltRename", "Rename Alternative", "", ""},
      {"mnuAltAdd", "Add New Alternative", "", ""},
      {"sep23", "", "", ""},
      {"mnuAltImport", "Import Alternatives", "", ""},
      {"sep22", "", "", ""},
      {"mnuAltDel", "Delete Alternative", "", ""}}},
    {"mnuView",
     "&View",
     "",
     {{"mnuViewToolbar", "&Toolbar", "", "kc"},
      {"mnuViewStatusBar", "Status &Bar", "", "kc"},
      {"mnuViewBar3", "", "", ""},
      {"mnuViewTitle", "Title Box", "", "kc"},
      {"mnuViewAttribution", "Attribution Box", "", "k"},
      {"mnuViewLegend", "Legend", "", "kc"},
      {"mnuViewDirections", "Directions", "", "k"},
      {"sep41", "", "", ""},
      {"mnuViewImportance", "Importance", "Ctrl+I", "k"},
      {"mnuViewPracticeGroups", "Practice Groups", "", "kc"},
      {"mnuViewAlternatives", "Target Practices", "Ctrl+T", "kc"},
      {"mnuViewExisting", "Existing Practices", "Ctrl+E", "kc"},
      {"sep14", "", "", ""},
      {"mnuViewColor", "Color Activities", "", "kh"},
      {"mnuViewSortButtons", "Sort Buttons", "", "k"},
      {"mnuViewWeightedSort", "Weighted Sort", "", "kc"},
      {"mnuViewBar2", "", "", ""},
      {"mnuViewRefresh", "&Refresh", "", ""},
      {"mnuViewScaleUp", "Scale Up", "", ""},
      {"mnuViewScaledown", "Scale down", "", ""},
      {"mnuViewFontUp", "Font Up", "", ""},
      {"mnuViewFontDown", "Font Down", "", ""},
      {"mnusep49", "", "", ""},
      {"mnuViewOptions", "&Options...", "", ""}}},
    {"mnuWindow",
     "&Window",
     "",
     {{"mnuWindowNewWindow", "&New Window", "", ""},
      {"mnuWindowBar1", "", "", ""},
      {"mnuWindowCascade", "&Cascade", "", ""},
      {"mnuWindowTileHorizontal", "Tile &Horizontal", "", ""},
      {"mnuWindowTileVertical", "Tile &Vertical", "", ""},
      {"mnuWindowArrangeIcons", "&Arrange Icons", "", ""}}},
    {"mnuHelp",
     "&Help",
     "",
     {{"mnuHelpContents", "&Contents", "", "d"},
      {"mnuHelpSearch", "&Search For Help On...", "", "d"},
      {"mnuHelpDirections", "Directions", "", ""},
      {"mnuHelpBar1", "", "", ""},
      {"mnuHelpAbout", "&About Vrn...", "", ""}}},
    {"MnuPractice",
     "Practice",
     "",
     {{"mnuPracticeRename", "Rename", "", ""},
      {"mnuPracticeAddNew", "Add Practice", "", ""},
      {"mnuPracticeDetails", "Details", "", ""},
      {"mnuPracticeOptions", "Options", "", ""},
      {"sep89", "", "", ""},
      {"mnuPracticeSet_Color(0)", "Highlinght Color", "", ""},
      {"mnuPracticeSet_Color(1)", "Warning Color", "", ""},
      {"mnuPracticeSet_Color(99)", "CLear Color", "", ""},
      {"sep12", "", "", ""},
      {"mnuPracticeDelete", "Delete", "", ""}}},
    {"MnuPracticeGroup",
     "PracticeGroup",
     "",
     {{"mnuPracticeGroupHide", "Hide", "", ""},
      {"mnuPracticeGroupCycle", "Cycle Through", "", ""},
      {"mnuPracticeGroupReveal", "Reveal", "", "s"},
      {"sep24", "", "", ""},
      {"mnuPracticeGroupRename", "Rename", "", ""},
      {"mnuPracticeGroupAddNew", "Add Practice Group", "", ""},
      {"mnuPracticeGroupAddNewPractice", "Add Practice", "", ""},
      {"mnuPracticeGroupDetails", "Details", "", ""},
      {"MnuPracticeGroupCopy", "Copy", "", ""},
      {"MnuPracticeGroupPaste", "Paste", "", ""},
      {"mnuPracticeGroupDelete", "Delete", "", ""},
      {"mnuPracticeGroupAddBlank", "Add Blank", "", ""},
      {"sep2", "", "", ""},
      {"mnuPracticeGroupDialogue", "Run Dialogue", "", ""},
      {"mnuPracticeGroupNewVRN", "New Varnel", "", ""}}},
    {"mnuPracticeGroupReveal",
     "Reveal",
     "",
     {{"mnuPracticeGroupRevealPG(0)", "Reveal All", "", ""}}},
    {"mnuImportance",
     "Importance",
     "",
     {{"mnuImportance2", "'2'", "", ""},
      {"mnuImportance1", "'1'", "", ""},
      {"mnuImportance0", "'0'", "", ""},
      {"mnuImportanceM1", "'-1'", "", ""},
      {"mnuImportanceM2", "'-2'", "", ""}}},
    {"mnuInteraction",
     "Interaction",
     "",
     {{"mnuInteractionPlus", "'+' Reinforcing interaction", "", ""},
      {"mnuInteractionBlank", "'0' No interaction", "", ""},
      {"mnuInteractionMinus", "'-'  Interfering interaction", "", ""},
      {"mnuInteractionQuestion", "'?' Unknown Interaction", "", ""},
      {"sep26", "", "", ""},
      {"mnuInteractionSet_Color(0)", "Highlight color", "", ""},
      {"mnuInteractionSet_Color(1)", "Warning color", "", ""},
      {"mnuInteractionSet_Color(99)", "Clear color", "", ""},
      {"Interactionsep", "", "", ""},
      {"mnuInteractionEdit", "Details", "", ""},
      {"mnuInteractionDetails", "(old)Details", "", "h"},
      {"Exceptions(0)", "Exceptions", "", ""}}},
    {"mnuMatchingEntity", "MatchingEntity", "", {{"mnuMatchingItem", "Matching Item", "", ""}}},
};

// What loading the stand-alone program's main window changes.
const std::vector<std::pair<const char*, const char*>> kLoadedStates{
    {"mnuFileGenerateHTML", "d"},
    {"mnuMatchingEntity", "h"},
    {"MnuPractice", "h"},
    {"MnuPracticeGroup", "h"},
    {"mnuImportance", "h"},
    {"mnuInteraction", "h"},
    {"mnuActionAddGroup", "d"},
    {"mnuActionDeleteGroup", "d"},
    {"mnuActionAddPractice", "d"},
    {"mnuActionDeletePractice", "d"},
    // The new matrix window's menus: one alternative, shown and checked; nothing captured.
    {"mnuAlt(0)", "kc"},
    {"mnuAltDel", "d"},
    {"munFilePrintCaptured", "d"},
};

QString nameOf(const QAction& action) {
    const QVariant index = action.property("Index");
    return index.isValid() ? QStringLiteral("%1(%2)").arg(action.objectName()).arg(index.toInt())
                           : action.objectName();
}

// A hidden action reports itself disabled; whether it is disabled of its own shows once it is
// visible again.
bool enabledOf(QAction& action) {
    if (action.isVisible()) {
        return action.isEnabled();
    }
    const QSignalBlocker quiet(&action);
    action.setVisible(true);
    const bool enabled = action.isEnabled();
    action.setVisible(false);
    return enabled;
}

QString stateOf(QAction& action) {
    QString state;
    if (action.isCheckable()) {
        state += 'k';
    }
    if (action.isChecked()) {
        state += 'c';
    }
    if (!action.isVisible()) {
        state += 'h';
    }
    if (!enabledOf(action)) {
        state += 'd';
    }
    if (action.menu() != nullptr) {
        state += 's';
    }
    return state;
}

QString expectedState(const char* state) {
    QString sorted;
    for (const char letter : {'k', 'c', 'h', 'd', 's'}) {
        if (QLatin1String(state).contains(QLatin1Char(letter))) {
            sorted += letter;
        }
    }
    return sorted;
}

class MenuTreeTest : public MainWindowFixture {
protected:
    void expectMenus(const std::vector<std::pair<const char*, const char*>>& overrides,
                     const std::vector<std::pair<const char*, const char*>>& captions = {}) {
        const auto captionFor = [&captions](const char* name, const char* design) {
            for (const auto& [changed, caption] : captions) {
                if (QLatin1String(changed) == QLatin1String(name)) {
                    return QLatin1String(caption);
                }
            }
            return QLatin1String(design);
        };
        const auto stateFor = [&overrides](const char* name, const char* design) {
            for (const auto& [changed, state] : overrides) {
                if (QLatin1String(changed) == QLatin1String(name)) {
                    return expectedState(state);
                }
            }
            return expectedState(design);
        };
        for (const Menu& expected : kMenus) {
            SCOPED_TRACE(expected.name);
            QMenu* menu = main_.menu(QLatin1String(expected.name));
            ASSERT_NE(menu, nullptr);
            EXPECT_EQ(menu->title(), QLatin1String(expected.caption));
            EXPECT_EQ(stateOf(*menu->menuAction()).remove('s'),
                      stateFor(expected.name, expected.state));
            const QList<QAction*> actions = menu->actions();
            ASSERT_EQ(actions.size(), static_cast<qsizetype>(expected.rows.size()));
            for (std::size_t i = 0; i < expected.rows.size(); ++i) {
                const Row& row = expected.rows[i];
                QAction& action = *actions[static_cast<qsizetype>(i)];
                EXPECT_EQ(nameOf(action), QLatin1String(row.name));
                EXPECT_EQ(action.isSeparator() ? QString() : action.text(),
                          captionFor(row.name, row.caption))
                    << row.name;
                EXPECT_EQ(action.shortcut(), QKeySequence(QLatin1String(row.shortcut))) << row.name;
                EXPECT_EQ(stateOf(action), stateFor(row.name, row.state)) << row.name;
            }
        }
    }
};

TEST_F(MenuTreeTest, TheDesignedMenusStandInOrderWithTheirCaptionsShortcutsAndStates) {
    QStringList topMenus;
    for (const QAction* action : main_.menuBar()->actions()) {
        topMenus << action->objectName();
    }
    EXPECT_EQ(topMenus,
              QStringList({"mnuFile", "mnuEdit", "mnuAction", "mnuAlternatives", "mnuView",
                           "mnuWindow", "mnuHelp", "MnuPractice", "MnuPracticeGroup",
                           "mnuImportance", "mnuInteraction", "mnuMatchingEntity"}));
    expectMenus({});
}

TEST_F(MenuTreeTest, LoadingTheStandaloneProgramHidesThePopupMenusAndDisablesSelectionItems) {
    load();
    expectMenus(kLoadedStates, {{"mnuAlt(0)", "Target Practices: Alternative 1"}});
    EXPECT_FALSE(program_.Visio_Debug);
}

TEST_F(MenuTreeTest, ToolbarHasFifteenButtonsWithTheirTipsAndThreeTwoStateOnes) {
    struct Button {
        const char* key;
        const char* toolTip;
        const char* description;
        bool twoState;
    };
    const Button expected[] = {
        {"New", "New", "", false},
        {"Open", "Open", "", false},
        {"Save", "Save", "", false},
        {"Print", "Print", "", false},
        {"Generate", "Generate Visio Drawing", "", false},
        {"Cut", "Cut", "", false},
        {"Copy", "Copy", "", false},
        {"Paste", "Paste", "", false},
        {"Bold", "Bold", "", true},
        {"Italic", "Italic", "", true},
        {"Underline", "Underline", "", true},
        {"ScaleUp", "increases display sizes", "Scale Up", false},
        {"ScaleDown", "Scale Down display sizes", "Scale Down", false},
        {"FontUp", "Font Size Up", "", false},
        {"FontDown", "Font Size Down", "", false},
    };
    const auto* toolbar = main_.findChild<QToolBar*>("tbToolBar");
    ASSERT_NE(toolbar, nullptr);
    QList<QAction*> buttons;
    for (QAction* action : toolbar->actions()) {
        if (!action->isSeparator()) {
            buttons << action;
        }
    }
    ASSERT_EQ(buttons.size(), 15);
    for (int i = 0; i < 15; ++i) {
        const Button& button = expected[i];
        SCOPED_TRACE(button.key);
        EXPECT_EQ(buttons[i]->property("Key").toString(), QLatin1String(button.key));
        EXPECT_EQ(buttons[i]->toolTip(), QLatin1String(button.toolTip));
        EXPECT_EQ(buttons[i]->statusTip(), QLatin1String(button.description));
        EXPECT_EQ(buttons[i]->isCheckable(), button.twoState);
        EXPECT_FALSE(buttons[i]->icon().isNull());
    }
}

TEST_F(MenuTreeTest, StatusBarPanelShowsStatusUntilSetAndTheRefreshTimerIsOffAndShort) {
    EXPECT_EQ(main_.statusText(), "Status");
    main_.SetStatusText("Reinforcing interaction");
    EXPECT_EQ(main_.statusText(), "Reinforcing interaction");
    EXPECT_FALSE(main_.RefreshTimer().isEnabled());
    EXPECT_EQ(main_.RefreshTimer().interval(), 10);
}

TEST_F(MenuTreeTest, ShortcutsOfTheHiddenEditMenuDoNotFire) {
    load();
    int copies = 0;
    QObject::connect(&item("mnuEditCopy"), &QAction::triggered, [&copies] { ++copies; });
    int opens = 0;
    QObject::connect(&item("mnuFileOpen"), &QAction::triggered, [&opens] { ++opens; });
    main_.activateWindow();
    prompt_.cancel();
    QTest::keyClick(&main_, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(&main_, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(copies, 0);
    EXPECT_EQ(opens, 1);
}

}  // namespace
}  // namespace vrn::testing
