#include "app/common/preference_keys.h"
#include "app/shell/frm_about.h"
#include "app/shell/frm_main.h"
#include "app/shell/frm_sponsor.h"
#include "app/shell/program.h"
#include "app/shell/program_version.h"
#include "platform/startup_waits.h"
#include "platform/testing/memory_settings_store.h"
#include "platform/testing/recording_program_starter.h"
#include "platform/testing/scripted_prompt.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace vrn {
namespace {

// Sets an environment variable for the life of the object.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name), saved_(qgetenv(name)) {
        qputenv(name, value);
    }
    ~ScopedVariable() {
        if (saved_.isNull()) {
            qunsetenv(name_);
        } else {
            qputenv(name_, saved_);
        }
    }

private:
    const char* name_;
    QByteArray saved_;
};

// Presses a button of the next modal window once it shows.
void pressInNextModal(const char* button) {
    QTimer::singleShot(0, [button] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        auto* found = modal->findChild<QPushButton*>(QLatin1String(button));
        ASSERT_NE(found, nullptr) << button;
        ASSERT_TRUE(found->isVisible()) << button;
        found->click();
    });
}

class StartupTest : public ::testing::Test {
protected:
    StartupTest() : program_({settings_, prompt_, starter_}) {}

    QStringList windowCaptions() {
        QStringList captions;
        for (const QMdiSubWindow* child : program_.mainWindow()->mdiArea().subWindowList()) {
            captions << child->windowTitle();
        }
        return captions;
    }

    ScopedVariable skipWaits_{kSkipSplashWaitVariable, "1"};
    MemorySettingsStore settings_;
    ScriptedPrompt prompt_;
    RecordingProgramStarter starter_;
    Program program_;
};

TEST_F(StartupTest, AfterTheNoticeIsAcceptedTheMainWindowShowsDocumentOne) {
    pressInNextModal("cmdOK");
    ASSERT_TRUE(program_.Main({}));
    EXPECT_TRUE(program_.state().Standalone);
    EXPECT_FALSE(program_.state().About_Mode);
    ASSERT_NE(program_.mainWindow(), nullptr);
    EXPECT_EQ(program_.state().Main_Window, program_.mainWindow());
    EXPECT_FALSE(program_.mainWindow()->isLoaded());
    QTRY_VERIFY(program_.mainWindow()->isVisible());
    EXPECT_EQ(windowCaptions(), QStringList{"Document 1"});
    for (QWidget* window : QApplication::topLevelWidgets()) {
        EXPECT_FALSE(window->isVisible() && window->objectName() == "frmSplash");
        EXPECT_FALSE(window->isVisible() && window->objectName() == "frmSponsor");
    }
}

TEST_F(StartupTest, TheSwitchAcceptsTheNoticeForRunsNobodyWatches) {
    ScopedVariable accept(kAcceptNoticeVariable, "1");
    ASSERT_TRUE(program_.Main({"\"/data/plan.vrn\""}));
    EXPECT_TRUE(program_.state().Command_Line_Given);
    EXPECT_EQ(program_.state().Command_Line, "\"/data/plan.vrn\"");
    prompt_.answer(MsgBoxResult::Ok);
    QTRY_VERIFY(program_.mainWindow()->isVisible());
    EXPECT_FALSE(program_.state().Command_Line_Given);
}

TEST_F(StartupTest, CancelInTheNoticeEndsTheRunBeforeAnyOtherWindowOrSetting) {
    pressInNextModal("btnCancel");
    EXPECT_FALSE(program_.Main({}));
    EXPECT_EQ(program_.mainWindow(), nullptr);
    QApplication::processEvents();
    EXPECT_EQ(settings_.size(), 0U);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
    }
}

TEST_F(StartupTest, AboutShowsTheNoticeWithoutCancelAndBringsTheMainWindowBack) {
    ScopedVariable accept(kAcceptNoticeVariable, "1");
    ASSERT_TRUE(program_.Main({}));
    QTRY_VERIFY(program_.mainWindow()->isVisible());

    qunsetenv(kAcceptNoticeVariable);
    QTimer::singleShot(0, [] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        EXPECT_FALSE(modal->findChild<QPushButton*>("btnCancel")->isVisible());
        // Closing the About box goes on as accepting it.
        modal->close();
    });
    program_.mainWindow()->menuItem("mnuHelpAbout")->trigger();
    EXPECT_TRUE(program_.state().About_Mode);
    QTest::qWait(50);
    EXPECT_TRUE(program_.mainWindow()->isVisible());
    EXPECT_EQ(windowCaptions(), QStringList{"Document 1"});
}

TEST(Notice, ShowsTheTitleVersionAndOurNotice) {
    VrnMain program;
    ScriptedPrompt prompt;
    frmAbout notice(program, prompt);
    EXPECT_EQ(notice.windowTitle(), "About Vrn");
    EXPECT_EQ(notice.findChild<QLabel*>("lblTitle")->text(), "Vrn");
    EXPECT_EQ(notice.findChild<QLabel*>("lblVersion")->text(), programVersionText());
    EXPECT_TRUE(programVersionText().contains(QRegularExpression("^Version \\d+\\.\\d+\\.\\d+$")));
    const QString text = notice.findChild<QLabel*>("lblLicense")->text();
    EXPECT_TRUE(text.contains("research purposes only"));
    EXPECT_TRUE(text.contains("MERCHANTABILITY"));
    EXPECT_EQ(notice.findChild<QPushButton*>("cmdOK")->text(), "I Accept");
    EXPECT_EQ(notice.findChild<QPushButton*>("btnCancel")->text(), "Cancel");
    EXPECT_EQ(notice.findChild<QPushButton*>("cmdSysInfo")->text(), "&System Info...");

    notice.findChild<QPushButton*>("cmdSysInfo")->click();
    ASSERT_EQ(prompt.questions().size(), 1U);
    EXPECT_TRUE(prompt.questions()[0].text.contains("Operating system"));
}

TEST(Sponsor, TheSettingHidesTheLogosAndThanksOurResearchPartners) {
    for (const bool hidden : {false, true}) {
        VrnMain program;
        MemorySettingsStore settings;
        ScriptedPrompt prompt;
        RecordingProgramStarter starter;
        settings.writeBoolean(prefkey::kVrnSettings, prefkey::kShowNoSponsor, hidden);
        frmSponsor sponsor(program, {settings, prompt, starter});
        sponsor.Load();
        EXPECT_EQ(program.prefs.Show_No_Sponsor, hidden);
        EXPECT_EQ(sponsor.findChild<QLabel*>("Image7")->isHidden(), hidden);
        EXPECT_EQ(sponsor.findChild<QLabel*>("Image8")->isHidden(), hidden);
        const QString thanks = sponsor.findChild<QLabel*>("Lblsponsor1")->text() + " " +
                               sponsor.findChild<QLabel*>("Lblsponsor2")->text();
        EXPECT_EQ(thanks == "our research partners", hidden) << thanks.toStdString();
        EXPECT_TRUE(sponsor.Timer1.isEnabled());
        sponsor.Timer1.setEnabled(false);
    }
}

}  // namespace
}  // namespace vrn
