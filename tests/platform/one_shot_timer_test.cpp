#include "platform/one_shot_timer.h"
#include "platform/startup_waits.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace vrn {
namespace {

TEST(OneShotTimer, FiresOnceEachTimeItIsEnabled) {
    OneShotTimer timer(5);
    QSignalSpy fired(&timer, &QTimer::timeout);
    EXPECT_FALSE(timer.isEnabled());
    timer.setEnabled(true);
    EXPECT_TRUE(timer.isEnabled());
    ASSERT_TRUE(fired.wait(1000));
    EXPECT_FALSE(timer.isEnabled());
    QTest::qWait(30);
    EXPECT_EQ(fired.count(), 1);

    timer.setEnabled(true);
    ASSERT_TRUE(fired.wait(1000));
    EXPECT_EQ(fired.count(), 2);
}

TEST(OneShotTimer, DisablingStopsItBeforeItFires) {
    OneShotTimer timer(20);
    QSignalSpy fired(&timer, &QTimer::timeout);
    timer.setEnabled(true);
    timer.setEnabled(false);
    QTest::qWait(60);
    EXPECT_EQ(fired.count(), 0);
}

TEST(StartupWaits, TheSwitchesMakeTheWaitsZeroAndAcceptTheNotice) {
    struct Case {
        const char* value;  // nullptr: not set
        bool on;
    };
    for (const char* variable : {kSkipSplashWaitVariable, kAcceptNoticeVariable}) {
        const QByteArray saved = qgetenv(variable);
        for (const Case& c : {Case{nullptr, false}, Case{"", false}, Case{"0", false},
                              Case{"1", true}, Case{"yes", true}}) {
            if (c.value == nullptr) {
                qunsetenv(variable);
            } else {
                qputenv(variable, c.value);
            }
            const bool waitsSkipped = startupWaitMs(2000) == 0;
            const bool switchOn =
                variable == kSkipSplashWaitVariable ? waitsSkipped : acceptNoticeAutomatically();
            EXPECT_EQ(switchOn, c.on) << variable << "=" << (c.value ? c.value : "(unset)");
        }
        if (saved.isNull()) {
            qunsetenv(variable);
        } else {
            qputenv(variable, saved);
        }
    }
}

}  // namespace
}  // namespace vrn
