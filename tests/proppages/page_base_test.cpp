#include "proppages/balloon_pages.h"
#include "proppages/page_dialog.h"
#include "proppages/string_table.h"
#include "tests/proppages/recording_control.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vrn::pp {
namespace {

using testing::ActivePage;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::RecordingControl;

constexpr int kText = 1054;
constexpr int kMaxWidth = 1056;
constexpr int kWordWrap = 1058;
constexpr int kTextSlot = 16;

std::shared_ptr<RecordingControl> balloon(const QString& text, bool answers = true) {
    auto control = std::make_shared<RecordingControl>(kIID_IBalloonControl, answers);
    control->preset(kTextSlot, text);
    control->preset(67, 120.5f);
    return control;
}

void focusIn(QWidget* widget) {
    QFocusEvent event(QEvent::FocusIn);
    QApplication::sendEvent(widget, &event);
}

TEST(PageBase, FillingLeavesThePageCleanAndTheFirstEditMakesItDirtyOnce) {
    auto control = balloon("Hello");
    ActivePage p(std::make_unique<CBlnTextPropPage>(), {control});
    EXPECT_EQ(p.text(kText), "Hello");
    EXPECT_EQ(p.text(kMaxWidth), "120.5");
    EXPECT_THAT(p.site.statuses, IsEmpty());
    EXPECT_EQ(p.page->IsPageDirty(), PageResult::False);

    p.type(kText, "Hi");
    p.click(kWordWrap);
    p.type(kMaxWidth, "80");
    EXPECT_THAT(p.site.statuses, ElementsAre(PROPPAGESTATUS_DIRTY));
    EXPECT_EQ(p.page->IsPageDirty(), PageResult::Ok);

    EXPECT_EQ(p.page->Apply(), PageResult::Ok);
    EXPECT_THAT(p.site.statuses, ElementsAre(PROPPAGESTATUS_DIRTY, PROPPAGESTATUS_CLEAN));
    EXPECT_EQ(p.page->IsPageDirty(), PageResult::False);
    EXPECT_EQ(std::get<QString>(control->values[kTextSlot]), "Hi");
    EXPECT_EQ(std::get<float>(control->values[67]), 80.0f);
}

TEST(PageBase, FocusOnTheFirstControlRefreshesACleanPageAndKeepsTheUsersEdits) {
    auto control = balloon("Hello");
    ActivePage p(std::make_unique<CBlnTextPropPage>(), {control});

    control->preset(kTextSlot, QString("Changed elsewhere"));
    focusIn(p.item(kText));
    EXPECT_EQ(p.text(kText), "Changed elsewhere");
    EXPECT_THAT(p.site.statuses, IsEmpty());

    p.type(kText, "Mine");
    control->preset(kTextSlot, QString("Changed again"));
    focusIn(p.item(kText));
    EXPECT_EQ(p.text(kText), "Mine");
    EXPECT_EQ(p.page->IsPageDirty(), PageResult::Ok);
    EXPECT_THAT(p.site.statuses, ElementsAre(PROPPAGESTATUS_DIRTY));
}

TEST(PageBase, NewObjectsReloadOnlyADirtyPage) {
    auto first = balloon("First");
    auto second = balloon("Second");
    ActivePage p(std::make_unique<CBlnTextPropPage>(), {first});
    std::vector<std::shared_ptr<SelectedObject>> next{second};

    ASSERT_EQ(p.page->SetObjects(1, next.data()), PageResult::Ok);
    EXPECT_EQ(p.text(kText), "First");
    EXPECT_THAT(p.site.statuses, IsEmpty());

    p.type(kText, "Edited");
    ASSERT_EQ(p.page->SetObjects(1, next.data()), PageResult::Ok);
    EXPECT_EQ(p.text(kText), "Second");
    EXPECT_THAT(p.site.statuses, ElementsAre(PROPPAGESTATUS_DIRTY, PROPPAGESTATUS_CLEAN));
}

TEST(PageBase, HelpOnAControlOpensItsContextUnlessItIsNoneOfItsOwn) {
    auto control = balloon("Hello");
    ActivePage p(std::make_unique<CBlnAppearancePropPage>(), {control});
    constexpr quint32 kPage = 6700;
    const std::pair<quint32, quint32> cases[] = {{0, kPage},   {9, kPage},     {10001, kPage},
                                                 {6020, 6020}, {10000, 10000}, {1, 1}};
    for (const auto& [given, opened] : cases) {
        p.help.contexts.clear();
        p.page->OnWmHelp(given);
        EXPECT_THAT(p.help.contexts, ElementsAre(opened)) << given;
    }
    EXPECT_THAT(p.help.helpFiles.back(), "BtnStavo.hlp");
    EXPECT_EQ(p.item(1074)->property(PageDialog::kHelpContextProperty).toUInt(), 6020u);
}

TEST(PageBase, HelpForThePageOpensTheFocusedControlOrThePageTopic) {
    auto control = balloon("Hello");
    ActivePage p(std::make_unique<CBlnTextPropPage>(), {control});
    QWidget frameHelp(&p.host);
    frameHelp.setProperty(PageDialog::kControlIdProperty, CzvPropPageBase::kFrameHelpButtonId);
    frameHelp.setFocusPolicy(Qt::StrongFocus);
    p.host.show();
    QApplication::setActiveWindow(&p.host);

    // A widget of no control of the page's (ID 0) has no topic of its own either.
    QWidget stranger(&p.host);
    stranger.setFocusPolicy(Qt::StrongFocus);
    stranger.show();
    const std::pair<QWidget*, quint32> cases[] = {{p.item(kMaxWidth), kMaxWidth},
                                                  {&frameHelp, 6707},
                                                  {p.item(kText), kText},
                                                  {&stranger, 6707}};
    for (const auto& [focus, opened] : cases) {
        focus->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), focus);
        p.help.contexts.clear();
        EXPECT_EQ(p.page->Help(QString()), PageResult::Ok);
        EXPECT_THAT(p.help.contexts, ElementsAre(opened));
    }
}

TEST(PageBase, F1OnAControlOpensTheContextItCarries) {
    auto control = balloon("Hello");
    ActivePage p(std::make_unique<CBlnTextPropPage>(), {control});
    p.host.show();
    QApplication::setActiveWindow(&p.host);
    p.item(kMaxWidth)->setFocus();
    QTest::keyClick(p.item(kMaxWidth), Qt::Key_F1);
    EXPECT_THAT(p.help.contexts, ElementsAre(6044u));
}

TEST(PageBase, ApplyWritesTheSameValuesIntoEveryControlThatAnswersAndRepaintsEach) {
    auto first = balloon("First");
    auto silent = balloon("Silent", false);
    auto third = balloon("Third");
    ActivePage p(std::make_unique<CBlnTextPropPage>(), {first, silent, third});
    EXPECT_EQ(p.text(kText), "First");
    first->clearLog();
    third->clearLog();

    p.type(kText, "Both");
    p.page->Apply();
    EXPECT_EQ(std::get<QString>(third->values[kTextSlot]), "Both");
    EXPECT_THAT(silent->log, IsEmpty());
    const auto thirdCalls = third->calls();
    ASSERT_FALSE(thirdCalls.empty());
    EXPECT_EQ(thirdCalls.back(), "repaint");
    EXPECT_EQ(third->setterSlots(), (std::vector<int>{17, 68, 88, 90, 35, 41, 110, 52}));
    // The first control also gives the reload its values after the writes.
    const auto firstCalls = first->calls();
    const auto repaint = std::find(firstCalls.begin(), firstCalls.end(), "repaint");
    ASSERT_NE(repaint, firstCalls.end());
    EXPECT_EQ(std::vector<std::string>(firstCalls.begin(), repaint + 1), thirdCalls);
}

TEST(PageBase, ApplyWithoutADialogWritesNothing) {
    auto control = balloon("Kept");
    CBlnTextPropPage page;
    std::vector<std::shared_ptr<SelectedObject>> objects{control};
    page.SetObjects(1, objects.data());
    EXPECT_EQ(page.Apply(), PageResult::Ok);
    EXPECT_THAT(control->calls("set"), IsEmpty());

    QWidget host;
    const QRect rect(0, 0, 300, 200);
    page.Activate(&host, &rect, false);
    page.Deactivate();
    control->clearLog();
    EXPECT_EQ(page.Apply(), PageResult::Ok);
    EXPECT_THAT(control->log, IsEmpty());
    EXPECT_EQ(std::get<QString>(control->values[kTextSlot]), "Kept");
}

TEST(PageBase, ADialogDeletedWithItsParentLeavesThePageInactive) {
    auto control = balloon("Kept");
    CBlnTextPropPage page;
    std::vector<std::shared_ptr<SelectedObject>> objects{control};
    page.SetObjects(1, objects.data());
    auto host = std::make_unique<QWidget>();
    const QRect rect(0, 0, 300, 200);
    ASSERT_EQ(page.Activate(host.get(), &rect, false), PageResult::Ok);
    host.reset();
    EXPECT_EQ(page.dialog(), nullptr);
    EXPECT_EQ(page.Show(true), PageResult::Unexpected);
    control->clearLog();
    EXPECT_EQ(page.Apply(), PageResult::Ok);
    EXPECT_THAT(control->log, IsEmpty());
}

TEST(PageBase, OperationsRefuseWhatTheyCannotDo) {
    CBlnTextPropPage page;
    testing::RecordingSite site;
    testing::RecordingSite other;
    EXPECT_EQ(page.SetPageSite(&site), PageResult::Ok);
    EXPECT_EQ(page.SetPageSite(&other), PageResult::Unexpected);
    EXPECT_EQ(page.SetPageSite(nullptr), PageResult::Ok);
    EXPECT_EQ(page.SetPageSite(&other), PageResult::Ok);

    QWidget host;
    const QRect rect(0, 0, 300, 200);
    EXPECT_EQ(page.Activate(&host, nullptr, false), PageResult::Pointer);
    EXPECT_EQ(page.Show(true), PageResult::Unexpected);
    EXPECT_EQ(page.Move(&rect), PageResult::Unexpected);
    EXPECT_EQ(page.SetObjects(0, nullptr), PageResult::Pointer);
    EXPECT_EQ(page.GetPageInfo(nullptr), PageResult::Pointer);
    EXPECT_EQ(page.Activate(&host, &rect, false), PageResult::Ok);
    EXPECT_EQ(page.Move(nullptr), PageResult::Pointer);
    EXPECT_EQ(page.Move(&rect), PageResult::Ok);

    // With nothing selected the page shows its empty fields and stays clean.
    EXPECT_EQ(page.IsPageDirty(), PageResult::False);
    EXPECT_EQ(page.Apply(), PageResult::Ok);
}

TEST(PageBase, FieldsConvertWhatTheUserTypedByTheirKind) {
    struct Case {
        int field;
        QString typed;
        int setter;
        std::string written;
    };
    const Case textPage[] = {
        {kMaxWidth, "letters", 68, "f 0"},   {kMaxWidth, "", 68, "f 0"},
        {kMaxWidth, "12.75", 68, "f 12.75"}, {kText, "", 17, "s \"\""},
        {1066, "-4", 41, "i16 -4"},          {1066, "x", 41, "i16 0"},
    };
    for (const Case& c : textPage) {
        auto control = balloon("Hello");
        ActivePage p(std::make_unique<CBlnTextPropPage>(), {control});
        p.type(c.field, c.typed);
        p.page->Apply();
        const auto sets = control->calls("set " + std::to_string(c.setter) + " ");
        ASSERT_FALSE(sets.empty());
        EXPECT_EQ(sets.front(), "set " + std::to_string(c.setter) + " " + c.written)
            << c.typed.toStdString();
    }

    auto control = balloon("Hello");
    ActivePage p(std::make_unique<CBlnTextPropPage>(), {control});
    p.type(kText, QString(300, u'y'));
    p.page->Apply();
    EXPECT_EQ(std::get<QString>(control->values[kTextSlot]), QString(254, u'y'));
}

TEST(PageBase, DelaysAreWrittenAs32BitNumbers) {
    const std::pair<QString, std::string> cases[] = {
        {"1500", "i32 1500"}, {"letters", "i32 0"}, {"70000", "i32 70000"}};
    for (const auto& [typed, written] : cases) {
        auto control = std::make_shared<RecordingControl>(kIID_IBalloonControl);
        ActivePage p(std::make_unique<CBlnGeneralPropPage>(), {control});
        p.click(204);
        EXPECT_EQ(p.page->IsPageDirty(), PageResult::Ok);
        p.type(1102, typed);
        p.page->Apply();
        EXPECT_EQ(control->calls("set 104 ").front(), "set 104 " + written);
        EXPECT_EQ(control->calls("set 128 ").front(), "set 128 i16 1");
    }
}

TEST(PageBase, StringsOfTheModule) {
    EXPECT_EQ(LoadPageString(kProjectNameString), "STVPPGS");
    EXPECT_EQ(LoadPageString(kHelpFileString), "BtnStavo.hlp");
    EXPECT_FALSE(LoadPageString(99999).has_value());
}

}  // namespace
}  // namespace vrn::pp
