#include "app/common/named_widgets.h"
#include "tests/app/shell/main_window_fixture.h"

#include <QDirIterator>
#include <QFile>
#include <QMenu>
#include <QRegularExpression>
#include <QSet>
#include <QToolBar>

#include <stdexcept>

namespace vrn::testing {
namespace {

// The program's window sources, read as text: each name they look up in the main window must be
// one the main window has, or the look-up throws the first time a user reaches it.
struct Source {
    QString path;
    QString text;
};

std::vector<Source> windowSources() {
    std::vector<Source> sources;
    for (const char* folder : {"app/shell", "app/matrixwin"}) {
        QDirIterator files(QStringLiteral(VRN_SOURCE_DIR "/") + QLatin1String(folder),
                           {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files);
        while (files.hasNext()) {
            const QString path = files.next();
            // The menu design itself declares the names; it looks none up. The practice options
            // editor declares a menu of its own.
            if (path.endsWith(QLatin1String("/menu_tree.cpp")) ||
                path.endsWith(QLatin1String("/frm_practice_options.cpp"))) {
                continue;
            }
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                throw std::runtime_error("cannot read " + path.toStdString());
            }
            sources.push_back({path, QString::fromUtf8(file.readAll())});
        }
    }
    return sources;
}

// Every first capture of `pattern` in `sources`, with where it stands.
std::vector<std::pair<QString, QString>> captures(const std::vector<Source>& sources,
                                                  const QRegularExpression& pattern) {
    std::vector<std::pair<QString, QString>> found;
    for (const Source& source : sources) {
        for (const QRegularExpressionMatch& match : pattern.globalMatch(source.text)) {
            found.emplace_back(match.captured(1), source.path);
        }
    }
    return found;
}

class LookedUpNamesTest : public MainWindowFixture {};

TEST_F(LookedUpNamesTest, EveryMenuNameAndToolbarKeyTheWindowsUseIsInTheMainWindow) {
    load();
    QSet<QString> menuNames;
    for (const QAction* action : main_.findChildren<QAction*>()) {
        menuNames.insert(action->objectName());
    }
    for (const QMenu* menu : main_.findChildren<QMenu*>()) {
        menuNames.insert(menu->objectName());
    }
    const std::vector<Source> sources = windowSources();
    ASSERT_GT(sources.size(), 10U);

    // Menu names stand as literals in look-ups, tables and lists alike.
    const auto menuLiterals =
        captures(sources, QRegularExpression(QStringLiteral("\"((?:mnu|Mnu|mun)\\w*)\"")));
    const auto otherMenuLookups = captures(
        sources,
        QRegularExpression(QStringLiteral(
            "(?:menuItem|hostMenuItem|menu)\\((?:QStringLiteral|QLatin1String)\\(\"(\\w+)\"")));
    ASSERT_GT(menuLiterals.size(), 50U);
    ASSERT_GT(otherMenuLookups.size(), 10U);
    for (const auto& lookups : {menuLiterals, otherMenuLookups}) {
        for (const auto& [name, path] : lookups) {
            EXPECT_TRUE(menuNames.contains(name))
                << name.toStdString() << " in " << path.toStdString();
        }
    }

    const auto toolbarKeys =
        captures(sources, QRegularExpression(QStringLiteral(
                              "[Tt]oolbarButton\\((?:QStringLiteral|QLatin1String)\\(\"(\\w+)\"")));
    ASSERT_GE(toolbarKeys.size(), 3U);
    for (const auto& [key, path] : toolbarKeys) {
        EXPECT_NO_THROW(main_.toolbarButton(key))
            << key.toStdString() << " in " << path.toStdString();
    }
}

TEST_F(LookedUpNamesTest, ANameTheMainWindowLacksFailsAtOnceNamingIt) {
    const auto message = [](const auto& lookUp) {
        try {
            lookUp();
        } catch (const std::out_of_range& error) {
            return std::string(error.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message([this] { main_.menuItem(QStringLiteral("mnuFileOpenn")); }),
              "no menu item mnuFileOpenn");
    EXPECT_EQ(message([this] { main_.menuItem(QStringLiteral("mnuAlt"), 7); }),
              "no menu item mnuAlt(7)");
    EXPECT_EQ(message([this] { main_.menu(QStringLiteral("mnuFiles")); }), "no menu mnuFiles");
    EXPECT_EQ(message([this] { main_.toolbarButton(QStringLiteral("bold")); }),
              "no toolbar button bold");
    EXPECT_EQ(message([this] { main_.hostMenuItem(QStringLiteral("mnuHelpDirectionz")); }),
              "no menu item mnuHelpDirectionz");
    EXPECT_EQ(message([this] { namedChild<QToolBar>(main_, "tbToolbar"); }),
              "no control tbToolbar in " + main_.objectName().toStdString());
}

}  // namespace
}  // namespace vrn::testing
