#include "platform/browser_launcher.h"
#include "platform/testing/recording_program_starter.h"
#include "platform/testing/scripted_prompt.h"

#include <gtest/gtest.h>

namespace vrn {
namespace {

using Outcome = BrowserLauncher::Outcome;

class BrowserLauncherTest : public ::testing::Test {
protected:
    RecordingProgramStarter starter_;
    ScriptedPrompt prompt_;
    BrowserLauncher launcher_{starter_, prompt_};
};

TEST_F(BrowserLauncherTest, ShellTextTravelsAsOneHarmlessArgument) {
    EXPECT_EQ(launcher_.openInBrowser("; rm -rf ~", "/usr/bin/browser"), Outcome::Started);
    ASSERT_EQ(starter_.starts().size(), 1u);
    EXPECT_EQ(starter_.starts()[0].program, "/usr/bin/browser");
    EXPECT_EQ(starter_.starts()[0].arguments, QStringList{"; rm -rf ~"});
    EXPECT_TRUE(starter_.openedUrls().empty());
    EXPECT_TRUE(prompt_.questions().empty());
}

TEST_F(BrowserLauncherTest, WithABrowserEveryLinkGoesToItTrimmed) {
    const char* links[] = {"http://example.org/a b", "  notes.txt  ", "$(reboot)", "`id`",
                           "file:///tmp/x"};
    for (const char* link : links) {
        EXPECT_EQ(launcher_.openInBrowser(link, "browser"), Outcome::Started) << link;
    }
    ASSERT_EQ(starter_.starts().size(), std::size(links));
    EXPECT_EQ(starter_.starts()[1].arguments, QStringList{"notes.txt"});
    EXPECT_EQ(starter_.starts()[2].arguments, QStringList{"$(reboot)"});
}

TEST_F(BrowserLauncherTest, WithoutABrowserOnlyDesktopSchemesAreOpened) {
    struct Case {
        const char* link;
        Outcome outcome;
    };
    const Case cases[] = {
        {"http://example.org/page", Outcome::Started},
        {"https://example.org/?q=1&r=2", Outcome::Started},
        {"HTTPS://EXAMPLE.ORG", Outcome::Started},
        {"mailto:someone@example.org", Outcome::Started},
        {"file:///home/user/notes.txt", Outcome::Started},
        {"javascript:alert(1)", Outcome::Refused},
        {"ftp://example.org", Outcome::Refused},
        {"/usr/bin/xterm", Outcome::Refused},
        {"www.example.org", Outcome::Refused},
        {"; rm -rf ~", Outcome::Refused},
    };
    int refused = 0;
    for (const Case& c : cases) {
        if (c.outcome == Outcome::Refused) {
            prompt_.answer(MsgBoxResult::Ok);
            ++refused;
        }
        EXPECT_EQ(launcher_.openInBrowser(c.link, ""), c.outcome) << c.link;
    }
    EXPECT_TRUE(starter_.starts().empty());
    EXPECT_EQ(starter_.openedUrls().size(), std::size(cases) - refused);
    EXPECT_EQ(starter_.openedUrls()[0], QUrl("http://example.org/page"));
    EXPECT_EQ(prompt_.questions().size(), static_cast<std::size_t>(refused));
    EXPECT_TRUE(prompt_.problems().isEmpty()) << prompt_.problems().join("; ").toStdString();
}

TEST_F(BrowserLauncherTest, BlankTextOpensNothingAndAsksNothing) {
    EXPECT_EQ(launcher_.openInBrowser("   ", "browser"), Outcome::NothingToOpen);
    EXPECT_EQ(launcher_.openInBrowser("", ""), Outcome::NothingToOpen);
    EXPECT_TRUE(starter_.starts().empty());
    EXPECT_TRUE(prompt_.questions().empty());
}

TEST_F(BrowserLauncherTest, ALinkLikeAnOptionIsNeverHandedToTheBrowser) {
    prompt_.answer(MsgBoxResult::Ok);
    EXPECT_EQ(launcher_.openInBrowser(" --gpu-launcher=xterm", "browser"), Outcome::Refused);
    EXPECT_TRUE(starter_.starts().empty());
    ASSERT_EQ(prompt_.questions().size(), 1u);
    EXPECT_EQ(prompt_.questions()[0].title, "Error");
}

TEST_F(BrowserLauncherTest, AFailedStartShowsThePreferencesMessage) {
    starter_.setSucceeds(false);
    prompt_.answer(MsgBoxResult::Ok);
    EXPECT_EQ(launcher_.openInBrowser("http://example.org", "/no/such/browser"), Outcome::Failed);
    ASSERT_EQ(prompt_.questions().size(), 1u);
    const ScriptedPrompt::Question& question = prompt_.questions()[0];
    EXPECT_EQ(question.text,
              "Unable to launch the browser.  Please insure that the browser path: "
              "'/no/such/browser' listed in user preferences is valid");
    EXPECT_EQ(question.title, "Error");
    EXPECT_EQ(question.style.buttons, MsgBoxButtons::OkOnly);
}

}  // namespace
}  // namespace vrn
