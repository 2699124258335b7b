#include "app/common/preferences.h"
#include "platform/qt_settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vrn {
namespace {

class PreferencesTest : public ::testing::Test {
protected:
    std::unique_ptr<QtSettingsStore> openStore() {
        return QtSettingsStore::forIniFile(dir_.filePath("Vrn.ini"));
    }

    void writeIni(const QByteArray& text) {
        QFile file(dir_.filePath("Vrn.ini"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QTemporaryDir dir_;
};

TEST_F(PreferencesTest, AnEmptyStoreGivesTheDefaults) {
    const Preferences p = Preferences::load(*openStore());
    EXPECT_EQ(p, Preferences{});

    EXPECT_EQ(p.MainLeft, 1000);
    EXPECT_EQ(p.MainTop, 1000);
    EXPECT_EQ(p.MainWidth, 9000);
    EXPECT_EQ(p.MainHeight, 8000);
    EXPECT_EQ(p.PracticeGroupHeight, 600);
    EXPECT_EQ(p.PracticeGroupWidth, 1500);
    EXPECT_EQ(p.PracticeHeight, 600);
    EXPECT_EQ(p.PracticeWidth, 2700);
    EXPECT_EQ(p.Delta_updown, 100);
    EXPECT_EQ(p.Def_PracticeGroupHeight, 600);
    EXPECT_EQ(p.Def_PracticeHeight, 600);
    EXPECT_EQ(p.Def_PracticeWidth, 2300);
    EXPECT_EQ(p.Def_num_alternatives, 1);
    EXPECT_EQ(p.Practice_Font_Size, 10);
    EXPECT_EQ(p.Def_PracticeFontSize, 10);
    EXPECT_EQ(p.Color_0, 0x80FF80);
    EXPECT_EQ(p.Color_1, 0x0000FF);
    EXPECT_EQ(p.Color_2, 0xFFFFC0);
    EXPECT_EQ(p.Color_3, 0xCFCFCF);
    EXPECT_EQ(p.Color_4, 0x808080);
    EXPECT_EQ(p.HighlightColor, 0x00FFFF);
    EXPECT_EQ(p.PracticeColor, 0xFFFFC0);
    EXPECT_EQ(p.ActivityColor, 0xE0E0E0);
    EXPECT_EQ(p.PracticeEntityColor, 0xFFFF00);
    EXPECT_EQ(p.InteractionColor, static_cast<qint32>(0x8000000F));
    EXPECT_EQ(p.BlankColor, 0xFFFFC0);
    EXPECT_EQ(p.Current_ActivityColor, 0xFFFFC0);
    EXPECT_EQ(p.Current_EntityColor, 0xFFFFC0);
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    // The drawing template that comes with the program.
    EXPECT_TRUE(p.VisioTemplatePath.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(p.templateFolder() + "/Basic Diagram.VST"))
        << p.templateFolder().toStdString();
    EXPECT_TRUE(p.Browser_Path.isEmpty());
    EXPECT_EQ(p.HtmlPath, data + "/html/dependency_maps/");
    EXPECT_EQ(p.HtmlURL, "/html/Dependency_Maps/");
    EXPECT_FALSE(p.Show_No_Sponsor);
}

TEST_F(PreferencesTest, PracticeAndBlankColoursDefaultToTheColoursReadBefore) {
    struct Case {
        const char* ini;
        qint32 practice;
        qint32 blank;
    };
    const Case cases[] = {
        {"[Colors]\nColor_2=255\n", 255, 255},
        {"[Colors]\nColor_2=255\n[VRNSettings]\nPracticeColor=65280\n", 65280, 65280},
        {"[Colors]\nColor_2=255\n[VRNSettings]\nBlankColor=7\n", 255, 7},
        {"[VRNSettings]\nPracticeColor=bad\n", 0xFFFFC0, 0xFFFFC0},
    };
    for (const Case& c : cases) {
        writeIni(c.ini);
        const Preferences p = Preferences::load(*openStore());
        EXPECT_EQ(p.PracticeColor, c.practice) << c.ini;
        EXPECT_EQ(p.BlankColor, c.blank) << c.ini;
        EXPECT_EQ(p.Current_ActivityColor, c.practice) << c.ini;
        EXPECT_EQ(p.Current_EntityColor, c.practice) << c.ini;
    }
}

TEST_F(PreferencesTest, EveryKeyIsStoredAsTextInItsSection) {
    Preferences{}.store(*openStore());
    QSettings ini(dir_.filePath("Vrn.ini"), QSettings::IniFormat);
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const std::pair<const char*, QString> expected[] = {
        {"VRNSettings/MainLeft", "1000"},
        {"VRNSettings/MainTop", "1000"},
        {"VRNSettings/MainWidth", "9000"},
        {"VRNSettings/MainHeight", "8000"},
        {"VRNSettings/PracticeGroupHeight", "600"},
        {"VRNSettings/PracticeGroupWidth", "1500"},
        {"VRNSettings/PracticeHeight", "600"},
        {"VRNSettings/PracticeWidth", "2700"},
        {"VRNSettings/Delta_updown", "100"},
        {"VRNSettings/Def_PracticeGroupHeight", "600"},
        {"VRNSettings/Def_PracticeHeight", "600"},
        {"VRNSettings/Def_PracticeWidth", "2300"},
        {"VRNSettings/Def_num_alternatives", "1"},
        {"VRNSettings/Def_PracticeFontSize", "10"},
        {"Colors/Color_0", "8454016"},
        {"Colors/Color_1", "255"},
        {"Colors/Color_2", "16777152"},
        {"Colors/Color_3", "13619151"},
        {"Colors/Color_4", "8421504"},
        {"VRNSettings/HighlightColor", "65535"},
        {"VRNSettings/PracticeColor", "16777152"},
        {"VRNSettings/ActivityColor", "14737632"},
        {"VRNSettings/PracticeEntityColor", "16776960"},
        {"VRNSettings/InteractionColor", "-2147483633"},
        {"VRNSettings/BlankColor", "16777152"},
        {"VRNSettings/VisioTemplatePath", ""},
        {"Directories/BrowserPath", ""},
        {"VRNSettings/HtmlPath", data + "/html/dependency_maps/"},
        {"VRNSettings/HtmlURL", "/html/Dependency_Maps/"},
        {"VRNSettings/Show_No_Sponsor", "False"},
    };
    for (const auto& [key, text] : expected) {
        EXPECT_EQ(ini.value(key).toString(), text) << key;
    }
    EXPECT_EQ(ini.allKeys().size(), static_cast<qsizetype>(std::size(expected)));
}

TEST_F(PreferencesTest, EveryKeyRoundTrips) {
    Preferences p;
    p.MainLeft = 11;
    p.MainTop = -12;
    p.MainWidth = 13000.5f;
    p.MainHeight = 14;
    p.PracticeGroupHeight = 700;
    p.PracticeGroupWidth = 1600;
    p.PracticeHeight = 800;
    p.PracticeWidth = 2500;
    p.Delta_updown = 50;
    p.Def_PracticeGroupHeight = 610;
    p.Def_PracticeHeight = 620;
    p.Def_PracticeWidth = 2310;
    p.Def_num_alternatives = 3;
    p.Def_PracticeFontSize = 14;
    p.Practice_Font_Size = 14;  // read from the same key
    p.Color_0 = 1;
    p.Color_1 = 2;
    p.Color_2 = 3;
    p.Color_3 = 4;
    p.Color_4 = 5;
    p.HighlightColor = 6;
    p.PracticeColor = 7;
    p.ActivityColor = 8;
    p.PracticeEntityColor = 9;
    p.InteractionColor = static_cast<qint32>(0x80000005);
    p.BlankColor = 10;
    p.VisioTemplatePath = dir_.path();  // a folder that exists
    p.Browser_Path = "/usr/bin/some browser";
    p.HtmlPath = "/srv/html/";
    p.HtmlURL = "/maps/";
    p.Show_No_Sponsor = true;
    p.Current_ActivityColor = p.PracticeColor;  // derived on load
    p.Current_EntityColor = p.PracticeColor;
    p.store(*openStore());
    EXPECT_EQ(Preferences::load(*openStore()), p);
}

TEST_F(PreferencesTest, StoredTextThatDoesNotConvertFallsBackToTheDefault) {
    writeIni(
        "[VRNSettings]\nMainLeft=left\nPracticeWidth=1e40\nDelta_updown=\n"
        "Def_num_alternatives=40000\nDef_PracticeFontSize=ten\nHighlightColor=yellow\n"
        "InteractionColor=99999999999\nShow_No_Sponsor=perhaps\n[Colors]\nColor_3=&HZZ\n");
    EXPECT_EQ(Preferences::load(*openStore()), Preferences{});
}

TEST_F(PreferencesTest, TheInstalledTemplateFolderIsFoundAtEachStartAndNeverStored) {
    const QString installed = Preferences::installedTemplatePath();
    ASSERT_TRUE(QFileInfo::exists(installed + "/Basic Diagram.VST")) << installed.toStdString();
    struct Case {
        QString stored;
        QString kept;  // empty: the installed folder
    };
    const Case cases[] = {
        {"", ""},
        // An old build tree's folder that is gone, and the installed folder itself.
        {"/gone/build/platform/drawing_templates", ""},
        {installed, ""},
        {installed + "/", ""},
        // A folder the user chose stays theirs.
        {dir_.path(), dir_.path()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.toStdString());
        openStore()->setText("VRNSettings", "VisioTemplatePath", c.stored);
        const Preferences p = Preferences::load(*openStore());
        EXPECT_EQ(p.VisioTemplatePath, c.kept);
        EXPECT_EQ(p.templateFolder(), c.kept.isEmpty() ? installed : c.kept);
        p.store(*openStore());
        const QString stored = QSettings(dir_.filePath("Vrn.ini"), QSettings::IniFormat)
                                   .value("VRNSettings/VisioTemplatePath")
                                   .toString();
        if (c.kept.isEmpty()) {
            EXPECT_FALSE(QDir::isAbsolutePath(stored)) << stored.toStdString();
            EXPECT_TRUE(stored.isEmpty());
        } else {
            EXPECT_EQ(stored, c.kept);
        }
    }
}

TEST(PreferencesColor, IndexesTheFiveUserColours) {
    Preferences p;
    p.color(3) = 42;
    EXPECT_EQ(p.Color_3, 42);
    EXPECT_EQ(std::as_const(p).color(0), p.Color_0);
    EXPECT_THROW(p.color(5), std::out_of_range);
    EXPECT_THROW(p.color(-1), std::out_of_range);
}

}  // namespace
}  // namespace vrn
