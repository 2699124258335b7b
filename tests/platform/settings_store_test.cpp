#include "platform/qt_settings_store.h"
#include "platform/testing/memory_settings_store.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vrn {
namespace {

class QtSettingsStoreTest : public ::testing::Test {
protected:
    QString iniPath() const { return dir_.filePath("Vrn.ini"); }

    QString iniText() const {
        QFile file(iniPath());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return QString::fromUtf8(file.readAll());
    }

    void writeIni(const QByteArray& text) const {
        QFile file(iniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QTemporaryDir dir_;
};

TEST_F(QtSettingsStoreTest, StoresEveryTypeAsTextInItsSection) {
    {
        auto store = QtSettingsStore::forIniFile(iniPath());
        store->writeSingle("VRNSettings", "PracticeWidth", 2700);
        store->writeInteger("VRNSettings", "Def_PracticeFontSize", 10);
        store->writeLong("Colors", "Color_0", 0x80FF80);
        store->writeLong("VRNSettings", "InteractionColor", static_cast<qint32>(0x8000000F));
        store->writeBoolean("VRNSettings", "Show_No_Sponsor", false);
        store->setText("Directories", "BrowserPath", "/usr/bin/browser, with comma");
    }
    const QString ini = iniText();
    EXPECT_TRUE(ini.contains("[VRNSettings]"));
    EXPECT_TRUE(ini.contains("PracticeWidth=2700"));
    EXPECT_TRUE(ini.contains("Def_PracticeFontSize=10"));
    EXPECT_TRUE(ini.contains("[Colors]\nColor_0=8454016"));
    EXPECT_TRUE(ini.contains("InteractionColor=-2147483633"));
    EXPECT_TRUE(ini.contains("Show_No_Sponsor=False"));

    auto reopened = QtSettingsStore::forIniFile(iniPath());
    EXPECT_EQ(reopened->readSingle("VRNSettings", "PracticeWidth", 0), 2700.0f);
    EXPECT_EQ(reopened->readInteger("VRNSettings", "Def_PracticeFontSize", 0), 10);
    EXPECT_EQ(reopened->readLong("VRNSettings", "InteractionColor", 0),
              static_cast<qint32>(0x8000000F));
    EXPECT_EQ(reopened->readBoolean("VRNSettings", "Show_No_Sponsor", true), false);
    EXPECT_EQ(reopened->readString("Directories", "BrowserPath", ""),
              "/usr/bin/browser, with comma");
}

TEST_F(QtSettingsStoreTest, MissingOrUnconvertibleValuesReadAsTheDefault) {
    writeIni(
        "[VRNSettings]\nPracticeWidth=wide\nDef_num_alternatives=70000\nShow_No_Sponsor=maybe\n"
        "HtmlURL=a,b\n[Colors]\nColor_1=blue\n");
    auto store = QtSettingsStore::forIniFile(iniPath());
    EXPECT_EQ(store->readSingle("VRNSettings", "PracticeWidth", 2700), 2700.0f);
    EXPECT_EQ(store->readInteger("VRNSettings", "Def_num_alternatives", 1), 1);
    EXPECT_EQ(store->readBoolean("VRNSettings", "Show_No_Sponsor", false), false);
    EXPECT_EQ(store->readLong("Colors", "Color_1", 255), 255);
    EXPECT_EQ(store->readLong("Colors", "Color_9", 7), 7);
    EXPECT_FALSE(store->text("VRNSettings", "Missing").has_value());
    // An unquoted comma makes a list in the file; it is still one text to us.
    EXPECT_EQ(store->readString("VRNSettings", "HtmlURL", ""), "a,b");
}

TEST(MemorySettingsStore, KeepsSectionsApart) {
    MemorySettingsStore store;
    store.writeSingle("VRNSettings", "Key", 1.5f);
    store.setText("Colors", "Key", "other");
    EXPECT_EQ(store.text("VRNSettings", "Key"), QString("1.5"));
    EXPECT_EQ(store.text("Colors", "Key"), QString("other"));
    EXPECT_EQ(store.size(), 2u);
}

}  // namespace
}  // namespace vrn
