#include "app/shell/options_dialog.h"
#include "platform/cell_button.h"
#include "platform/qt_settings_store.h"
#include "platform/testing/scripted_prompt.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace vrn {
namespace {

class FakeMatrixFont : public ActiveMatrixFont {
public:
    qint16 practiceFontSize() const override { return size; }
    void setPracticeFontSize(qint16 points) override { size = points; }

    qint16 size = 12;
};

class OptionsDialogTest : public ::testing::Test {
protected:
    OptionsDialogTest() : store_(QtSettingsStore::forIniFile(dir_.filePath("Vrn.ini"))) {
        prefs_.VisioTemplatePath = "/opt/templates";
        prefs_.Browser_Path = "/usr/bin/browser";
    }

    std::unique_ptr<OptionsDialog> makeDialog(ActiveMatrixFont* matrix) {
        return std::make_unique<OptionsDialog>(prefs_, *store_, prompt_, matrix);
    }

    QLineEdit* box(const OptionsDialog& dialog, const char* name) {
        auto* found = dialog.findChild<QLineEdit*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    template <typename Widget = QPushButton>
    Widget* widget(const OptionsDialog& dialog, const char* name) {
        auto* found = dialog.findChild<Widget*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    CellButton* swatch(const OptionsDialog& dialog, int index) {
        for (CellButton* candidate : dialog.findChildren<CellButton*>("lblColor")) {
            if (candidate->property("Index").toInt() == index) {
                return candidate;
            }
        }
        ADD_FAILURE() << "no swatch " << index;
        return nullptr;
    }

    // Types text into a box and leaves it.
    static void enter(QLineEdit* box, const QString& text) {
        box->setText(text);
        emit box->editingFinished();
    }

    QString stored(const char* key) {
        QSettings ini(dir_.filePath("Vrn.ini"), QSettings::IniFormat);
        return ini.value(key).toString();
    }

    QStringList storedKeys() {
        QSettings ini(dir_.filePath("Vrn.ini"), QSettings::IniFormat);
        return ini.allKeys();
    }

    QTemporaryDir dir_;
    std::unique_ptr<QtSettingsStore> store_;
    Preferences prefs_;
    ScriptedPrompt prompt_;
    FakeMatrixFont matrix_;
};

TEST_F(OptionsDialogTest, ShowsThePreferencesAndLaysThePreviewOut) {
    auto dialog = makeDialog(&matrix_);
    EXPECT_EQ(dialog->objectName(), "frmOptions");
    EXPECT_EQ(dialog->windowTitle(), "Options");
    auto* tabs = widget<QTabWidget>(*dialog, "SSTab1");
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_EQ(tabs->tabText(0), "Formating");
    EXPECT_EQ(tabs->tabText(3), "Internet");
    EXPECT_EQ(box(*dialog, "txtPGHeight")->text(), "600");
    EXPECT_EQ(box(*dialog, "txtPHeight")->text(), "600");
    EXPECT_EQ(box(*dialog, "txtPWidth")->text(), "2700");
    EXPECT_EQ(box(*dialog, "TxtFontSize")->text(), "12");  // the active matrix's
    EXPECT_EQ(box(*dialog, "txtTemplateDir")->text(), "/opt/templates");
    EXPECT_EQ(box(*dialog, "txtBrowser")->text(), "/usr/bin/browser");
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(swatch(*dialog, i)->backColor(), prefs_.color(i)) << i;
        EXPECT_FALSE(swatch(*dialog, i)->isHidden()) << i;
    }
    EXPECT_TRUE(swatch(*dialog, 5)->isHidden());
    EXPECT_EQ(swatch(*dialog, 4)->text(), "Blank Row Color");

    auto* group = widget<CellButton>(*dialog, "btnPG");
    auto* first = widget<CellButton>(*dialog, "btnP1");
    auto* second = widget<CellButton>(*dialog, "btnP2");
    EXPECT_EQ(group->cellWidth(), 600);
    EXPECT_EQ(group->cellHeight(), 1200);
    EXPECT_EQ(first->left(), group->left() + 600);
    EXPECT_EQ(first->cellWidth(), 2700);
    EXPECT_EQ(second->left(), first->left());
    EXPECT_EQ(second->top(), first->top() + 600);
    EXPECT_EQ(second->fontSize(), 12);
}

TEST_F(OptionsDialogTest, OkStoresEveryKey) {
    auto dialog = makeDialog(&matrix_);
    enter(box(*dialog, "txtPGHeight"), "650");
    enter(box(*dialog, "txtPHeight"), "700.5");
    enter(box(*dialog, "txtPWidth"), "3000");
    enter(box(*dialog, "TxtFontSize"), "14");
    box(*dialog, "txtTemplateDir")->setText("/srv/visio");
    box(*dialog, "txtBrowser")->setText("/usr/bin/other browser");
    prompt_.answerColor(QColor(1, 2, 3));
    swatch(*dialog, 2)->click();
    prompt_.answerColor(QColor(4, 5, 6));
    swatch(*dialog, 4)->click();
    const qint32 blankBefore = prefs_.BlankColor;

    widget(*dialog, "cmdOK")->click();

    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(stored("VRNSettings/VisioTemplatePath"), "/srv/visio");
    EXPECT_EQ(stored("Directories/BrowserPath"), "/usr/bin/other browser");
    EXPECT_EQ(stored("VRNSettings/PracticeGroupHeight"), "650");
    EXPECT_EQ(stored("VRNSettings/PracticeHeight"), "700.5");
    EXPECT_EQ(stored("VRNSettings/PracticeWidth"), "3000");
    EXPECT_EQ(stored("VRNSettings/Def_PracticeFontSize"), "14");
    EXPECT_EQ(stored("Colors/Color_0"), "8454016");
    EXPECT_EQ(stored("Colors/Color_1"), "255");
    EXPECT_EQ(stored("Colors/Color_2"), QString::number(0x030201));
    EXPECT_EQ(stored("Colors/Color_3"), "13619151");
    EXPECT_EQ(stored("Colors/Color_4"), QString::number(0x060504));
    EXPECT_EQ(stored("VRNSettings/PracticeColor"), QString::number(0x030201));
    EXPECT_EQ(stored("VRNSettings/BlankColor"), QString::number(0x060504));
    EXPECT_EQ(stored("VRNSettings/Show_No_Sponsor"), "False");
    EXPECT_EQ(storedKeys().size(), 14);

    // The run's values, used at once.
    EXPECT_EQ(prefs_.VisioTemplatePath, "/srv/visio");
    EXPECT_EQ(prefs_.Browser_Path, "/usr/bin/other browser");
    EXPECT_EQ(prefs_.PracticeGroupHeight, 650);
    EXPECT_EQ(prefs_.PracticeHeight, 700.5);
    EXPECT_EQ(prefs_.PracticeWidth, 3000);
    EXPECT_EQ(matrix_.size, 14);
    EXPECT_EQ(prefs_.Practice_Font_Size, 14);  // for the windows opened from now on
    EXPECT_EQ(prefs_.Def_PracticeFontSize, 10);
    EXPECT_EQ(prefs_.Color_2, 0x030201);
    EXPECT_EQ(prefs_.PracticeColor, 0x030201);
    EXPECT_EQ(prefs_.BlankColor, blankBefore);  // until the next start
    EXPECT_TRUE(prompt_.problems().isEmpty());
}

TEST_F(OptionsDialogTest, ABadNumberIsPutBackSilently) {
    struct Case {
        const char* box;
        const char* text;
        const char* restored;
    };
    const Case cases[] = {
        {"TxtFontSize", "abc", "12"},     {"TxtFontSize", "0", "12"},
        {"TxtFontSize", "40000", "12"},   {"TxtFontSize", "5000", "12"},
        {"txtPWidth", "wide", "2700"},    {"txtPWidth", "-15", "2700"},
        {"txtPHeight", "1e40", "600"},    {"txtPGHeight", "", "600"},
        {"txtPHeight", "9000000", "600"},  // twice that is beyond the preview
    };
    auto dialog = makeDialog(&matrix_);
    auto* first = widget<CellButton>(*dialog, "btnP1");
    for (const Case& c : cases) {
        enter(box(*dialog, c.box), c.text);
        EXPECT_EQ(box(*dialog, c.box)->text(), c.restored) << c.box << " " << c.text;
        EXPECT_EQ(first->cellWidth(), 2700) << c.box << " " << c.text;
        EXPECT_EQ(first->cellHeight(), 600) << c.box << " " << c.text;
        EXPECT_EQ(first->fontSize(), 12) << c.box << " " << c.text;
    }
    EXPECT_TRUE(prompt_.questions().empty());
    EXPECT_EQ(matrix_.size, 12);
}

TEST_F(OptionsDialogTest, AGoodNumberRedrawsThePreviewOnly) {
    auto dialog = makeDialog(&matrix_);
    enter(box(*dialog, "txtPWidth"), " 3100 ");
    enter(box(*dialog, "TxtFontSize"), "9");
    EXPECT_EQ(widget<CellButton>(*dialog, "btnP2")->cellWidth(), 3100);
    EXPECT_EQ(widget<CellButton>(*dialog, "btnPG")->fontSize(), 9);
    EXPECT_EQ(prefs_.PracticeWidth, 2700);
    EXPECT_EQ(matrix_.size, 12);
}

TEST_F(OptionsDialogTest, OkPutsBackABoxThatWasNeverLeft) {
    auto dialog = makeDialog(&matrix_);
    box(*dialog, "txtPWidth")->setText("abc");
    widget(*dialog, "cmdOK")->click();
    EXPECT_EQ(stored("VRNSettings/PracticeWidth"), "2700");
    EXPECT_EQ(prefs_.PracticeWidth, 2700);
}

TEST_F(OptionsDialogTest, RestoreDefaultsFillsTheBoxesAndOkAppliesThem) {
    prefs_.PracticeGroupHeight = 800;
    prefs_.PracticeHeight = 900;
    auto dialog = makeDialog(&matrix_);
    widget(*dialog, "btnRestoreDefaults")->click();
    EXPECT_EQ(box(*dialog, "txtPWidth")->text(), "2300");
    EXPECT_EQ(box(*dialog, "txtPHeight")->text(), "600");
    EXPECT_EQ(box(*dialog, "TxtFontSize")->text(), "10");
    EXPECT_EQ(widget<CellButton>(*dialog, "btnP1")->cellWidth(), 2300);
    // A box that does not convert goes back to what the dialog shows, the default.
    enter(box(*dialog, "txtPHeight"), "tall");
    EXPECT_EQ(box(*dialog, "txtPHeight")->text(), "600");
    EXPECT_EQ(prefs_.PracticeHeight, 900);
    EXPECT_EQ(matrix_.size, 12);

    widget(*dialog, "cmdOK")->click();
    EXPECT_EQ(prefs_.PracticeWidth, 2300);
    EXPECT_EQ(prefs_.PracticeHeight, 600);
    EXPECT_EQ(prefs_.PracticeGroupHeight, 600);
    EXPECT_EQ(matrix_.size, 10);
}

TEST_F(OptionsDialogTest, CancelLeavesThePreferencesTheMatrixAndTheSettingsAsTheyWere) {
    prefs_.PracticeHeight = 900;
    const Preferences before = prefs_;
    auto dialog = makeDialog(&matrix_);
    prompt_.answerColor(QColor(0, 0, 255));
    swatch(*dialog, 0)->click();
    prompt_.cancel();
    swatch(*dialog, 2)->click();
    widget(*dialog, "btnRestoreDefaults")->click();
    enter(box(*dialog, "TxtFontSize"), "20");
    widget(*dialog, "cmdCancel")->click();

    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(storedKeys().isEmpty()) << storedKeys().join(", ").toStdString();
    EXPECT_EQ(prefs_, before);
    EXPECT_EQ(matrix_.size, 12);
    // The next start reads what was there before.
    EXPECT_EQ(Preferences::load(*store_).Color_0, 0x80FF80);
}

TEST_F(OptionsDialogTest, ASwatchAsksForItsColourAndOkStoresIt) {
    auto dialog = makeDialog(&matrix_);
    prompt_.cancel();
    swatch(*dialog, 2)->click();
    ASSERT_EQ(prompt_.questions().size(), 1u);
    const ScriptedPrompt::Question& question = prompt_.questions()[0];
    EXPECT_EQ(question.kind, ScriptedPrompt::Kind::Color);
    EXPECT_EQ(question.text, "Choose new color");
    EXPECT_EQ(question.flags, ColorDialogFlags::RgbInit);
    EXPECT_EQ(question.initialColor, QColor(0xC0, 0xFF, 0xFF));
    EXPECT_EQ(swatch(*dialog, 2)->backColor(), 0xFFFFC0);

    prompt_.answerColor(QColor(0, 0, 255));
    swatch(*dialog, 0)->click();
    EXPECT_EQ(swatch(*dialog, 0)->backColor(), 0xFF0000);
    EXPECT_EQ(prefs_.Color_0, 0x80FF80);  // the run's colours change only at OK
    widget(*dialog, "cmdOK")->click();
    EXPECT_EQ(stored("Colors/Color_0"), QString::number(0xFF0000));
    EXPECT_EQ(stored("Colors/Color_2"), "16777152");
    EXPECT_EQ(prefs_.Color_0, 0xFF0000);
}

TEST_F(OptionsDialogTest, ACancelledSystemColourIsStoredUnchanged) {
    prefs_.Color_3 = static_cast<qint32>(0x8000000F);
    auto dialog = makeDialog(&matrix_);
    prompt_.cancel();
    swatch(*dialog, 3)->click();
    widget(*dialog, "cmdOK")->click();
    EXPECT_EQ(stored("Colors/Color_3"), "-2147483633");
}

TEST_F(OptionsDialogTest, LookupsTakeAnExistingFilesFolderOrPath) {
    const QString file = dir_.filePath("Basic Diagram.VST");
    {
        QFile created(file);
        ASSERT_TRUE(created.open(QIODevice::WriteOnly));
    }
    auto dialog = makeDialog(&matrix_);
    prompt_.answerText(file);
    widget(*dialog, "btnLookup")->click();
    EXPECT_EQ(box(*dialog, "txtTemplateDir")->text(), dir_.path());
    ASSERT_EQ(prompt_.questions().size(), 1u);
    EXPECT_EQ(prompt_.questions()[0].text, "Template Directory (select 'Basic Diagram.VST' !!)");
    EXPECT_EQ(prompt_.questions()[0].file.filter, "All Files (*.*)|*.*");
    EXPECT_EQ(prompt_.questions()[0].file.flags, 4);

    prompt_.answerText(dir_.filePath("missing.exe"));
    widget(*dialog, "btnLookup")->click();
    prompt_.cancel();
    widget(*dialog, "btnLookup")->click();
    EXPECT_EQ(box(*dialog, "txtTemplateDir")->text(), dir_.path());

    prompt_.answerText(file);
    widget(*dialog, "btnLoookupBrowser")->click();
    EXPECT_EQ(box(*dialog, "txtBrowser")->text(), file);
    EXPECT_EQ(prompt_.questions().back().text,
              "Internet Browser Path (e.g. select 'netscape.exe' !!)");
    prompt_.cancel();
    widget(*dialog, "btnLoookupBrowser")->click();
    EXPECT_EQ(box(*dialog, "txtBrowser")->text(), file);
    EXPECT_TRUE(prompt_.problems().isEmpty());
}

TEST_F(OptionsDialogTest, WithoutAnActiveMatrixTheFontSizeIsThePreference) {
    prefs_.Practice_Font_Size = 11;
    auto dialog = makeDialog(nullptr);
    EXPECT_EQ(box(*dialog, "TxtFontSize")->text(), "11");
    enter(box(*dialog, "TxtFontSize"), "abc");
    EXPECT_EQ(box(*dialog, "TxtFontSize")->text(), "11");
    box(*dialog, "TxtFontSize")->setText("13");
    widget(*dialog, "cmdOK")->click();
    EXPECT_EQ(prefs_.Practice_Font_Size, 13);
    EXPECT_EQ(stored("VRNSettings/Def_PracticeFontSize"), "13");
}

TEST_F(OptionsDialogTest, CtrlTabCyclesThroughTheTabsBothWays) {
    auto dialog = makeDialog(&matrix_);
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    auto* tabs = widget<QTabWidget>(*dialog, "SSTab1");
    box(*dialog, "txtPWidth")->setFocus();
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        seen.push_back(tabs->currentIndex());
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 0}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab,
                    Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(tabs->currentIndex(), 3);
    dialog->reject();
}

}  // namespace
}  // namespace vrn
