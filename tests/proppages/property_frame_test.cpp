#include "proppages/property_frame.h"
#include "proppages/page_ids.h"
#include "proppages/standin/standin_balloon.h"
#include "proppages/standin/standin_button.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace vrn::pp {
namespace {

TEST(PropertyFrame, ApplyIsOfferedWhileAPageHoldsEditsAndWritesThem) {
    auto balloon = std::make_shared<StandInBalloon>();
    auto button = std::make_shared<StandInButton>();
    {
        PropertyFrame frame;
        ASSERT_TRUE(frame.addPage(kCLSID_BlnTextPropPage, {balloon}));
        ASSERT_TRUE(frame.addPage(kCLSID_BtnCellsPropPage, {button}));
        EXPECT_FALSE(frame.addPage(QUuid(), {button}));
        ASSERT_EQ(frame.tabs()->count(), 2);
        EXPECT_EQ(frame.tabs()->tabText(0), "Text");
        auto* apply = frame.findChild<QPushButton*>("btnApply");
        EXPECT_FALSE(apply->isEnabled());

        frame.page(0)->dialog()->findChild<QLineEdit*>("ctl1054")->setText("From the frame");
        EXPECT_TRUE(apply->isEnabled());
        apply->click();
        EXPECT_FALSE(apply->isEnabled());
        EXPECT_EQ(toText(balloon->get(16)), "From the frame");
    }
    // The frame let go of the controls with its pages.
    EXPECT_EQ(balloon.use_count(), 1);
}

}  // namespace
}  // namespace vrn::pp
