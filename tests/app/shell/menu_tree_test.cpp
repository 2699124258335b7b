#include "tests/app/shell/main_window_fixture.h"

#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <ostream>
#include <stdexcept>
#include <vector>

namespace vrn::testing {
namespace {

// One menu or item as the user meets it. State letters: k checkable, c checked, h hidden,
// d disabled, s opens a submenu. "name(i)" is element i of a control array.
struct Row {
    QString name{};
    QString caption{};
    QString shortcut{};
    QString state{};
    bool isMenu = false;

    bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Row& row) {
    return out << (row.isMenu ? "" : "  ") << row.name.toStdString() << " | "
               << row.caption.toStdString() << " | " << row.shortcut.toStdString() << " | "
               << row.state.toStdString();
}

// The menus as designed, from data/menus.txt: a menu, then its items, each submenu after its menu.
std::vector<Row> designedMenus() {
    QFile file(QStringLiteral(VRN_TEST_DATA_DIR "/menus.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        throw std::runtime_error("cannot read menus.txt");
    }
    std::vector<Row> rows;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).chopped(1);
        if (line.startsWith(QLatin1Char('#')) || line.isEmpty()) {
            continue;
        }
        const QStringList fields = line.split(QLatin1Char('|'));
        if (fields.size() != 4) {
            throw std::runtime_error("menus.txt: not four fields in " + line.toStdString());
        }
        rows.push_back({.name = fields[0].trimmed(),
                        .caption = fields[1].trimmed(),
                        .shortcut = fields[2].trimmed(),
                        .state = fields[3].trimmed(),
                        .isMenu = !line.startsWith(QLatin1Char(' '))});
    }
    return rows;
}

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

// The menus of `bar` as they stand, in the order of data/menus.txt.
void collectMenus(QMenu& menu, std::vector<Row>& rows) {
    rows.push_back({.name = menu.objectName(),
                    .caption = menu.title(),
                    .state = stateOf(*menu.menuAction()).remove('s'),
                    .isMenu = true});
    std::vector<QMenu*> submenus;
    for (QAction* action : menu.actions()) {
        rows.push_back({.name = nameOf(*action),
                        .caption = action->isSeparator() ? QString() : action->text(),
                        .shortcut = action->shortcut().toString(),
                        .state = stateOf(*action)});
        if (action->menu() != nullptr) {
            submenus.push_back(action->menu());
        }
    }
    for (QMenu* submenu : submenus) {
        collectMenus(*submenu, rows);
    }
}

class MenuTreeTest : public MainWindowFixture {
protected:
    // The menus match data/menus.txt, but for the states and captions in the overrides.
    void expectMenus(const std::vector<std::pair<const char*, const char*>>& overrides,
                     const std::vector<std::pair<const char*, const char*>>& captions = {}) {
        std::vector<Row> expected = designedMenus();
        for (Row& row : expected) {
            for (const auto& [name, caption] : captions) {
                if (row.name == QLatin1String(name)) {
                    row.caption = QLatin1String(caption);
                }
            }
            for (const auto& [name, state] : overrides) {
                if (row.name == QLatin1String(name)) {
                    row.state = expectedState(state);
                }
            }
        }
        std::vector<Row> shown;
        for (const QAction* top : main_.menuBar()->actions()) {
            collectMenus(*top->menu(), shown);
        }
        ASSERT_EQ(shown.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(shown[i], expected[i]) << "row " << i;
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

TEST(MenuDesign, EveryNameStandsOnceAndEveryShortcutOpensOneItem) {
    QSet<QString> names;
    QSet<QString> shortcuts;
    for (const MenuItemDesign& entry : MenuTree::design()) {
        const QString key = MenuTree::key(QLatin1String(entry.name), entry.index);
        EXPECT_FALSE(names.contains(key)) << key.toStdString();
        names.insert(key);
        if (entry.shortcut != nullptr) {
            const QString shortcut = QKeySequence(QLatin1String(entry.shortcut)).toString();
            EXPECT_FALSE(shortcut.isEmpty()) << entry.name;
            EXPECT_FALSE(shortcuts.contains(shortcut)) << shortcut.toStdString();
            shortcuts.insert(shortcut);
        }
    }
    EXPECT_GT(names.size(), 100);
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
    EXPECT_EQ(main_.findChild<QLabel*>("Panel1")->textFormat(), Qt::PlainText);
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
