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

TEST(StartupWaits, TheSwitchMakesTheWaitsZero) {
    const QByteArray saved = qgetenv(kSkipSplashWaitVariable);
    struct Case {
        const char* value;  // nullptr: not set
        int expected;
    };
    for (const Case& c :
         {Case{nullptr, 2000}, Case{"", 2000}, Case{"0", 2000}, Case{"1", 0}, Case{"yes", 0}}) {
        if (c.value == nullptr) {
            qunsetenv(kSkipSplashWaitVariable);
        } else {
            qputenv(kSkipSplashWaitVariable, c.value);
        }
        EXPECT_EQ(startupWaitMs(2000), c.expected) << (c.value ? c.value : "(unset)");
    }
    if (saved.isNull()) {
        qunsetenv(kSkipSplashWaitVariable);
    } else {
        qputenv(kSkipSplashWaitVariable, saved);
    }
}

}  // namespace
}  // namespace vrn
