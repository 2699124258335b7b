#include "platform/testing/scripted_prompt.h"

#include <gtest/gtest.h>

namespace vrn {
namespace {

TEST(ScriptedPrompt, AnswersInOrderAndRecordsEveryQuestion) {
    ScriptedPrompt prompt;
    prompt.answer(MsgBoxResult::No);
    prompt.answerText("New name");
    prompt.answerText("/tmp/a.vrn");
    prompt.answerColor(QColor(1, 2, 3));

    EXPECT_EQ(
        prompt.messageBox("Save?", {.buttons = MsgBoxButtons::YesNo, .icon = MsgBoxIcon::Question},
                          "Exit Dependency Editor"),
        MsgBoxResult::No);
    EXPECT_EQ(prompt.inputBox("Name:", "New Name", "old"), QString("New name"));
    EXPECT_EQ(prompt.saveFile(
                  {.title = "Save", .filter = "*.vrn|*.vrn", .defaultExt = "vrn", .flags = 2052}),
              QString("/tmp/a.vrn"));
    EXPECT_EQ(prompt.chooseColor("Choose new color", Qt::red, ColorDialogFlags::RgbInit),
              QColor(1, 2, 3));

    const auto& asked = prompt.questions();
    ASSERT_EQ(asked.size(), 4u);
    EXPECT_EQ(asked[0].kind, ScriptedPrompt::Kind::MessageBox);
    EXPECT_EQ(asked[0].text, "Save?");
    EXPECT_EQ(asked[0].title, "Exit Dependency Editor");
    EXPECT_EQ(asked[0].style.buttons, MsgBoxButtons::YesNo);
    EXPECT_EQ(asked[0].style.icon, MsgBoxIcon::Question);
    EXPECT_EQ(asked[1].defaultText, "old");
    EXPECT_EQ(asked[2].kind, ScriptedPrompt::Kind::SaveFile);
    EXPECT_EQ(asked[2].file.defaultExt, "vrn");
    EXPECT_EQ(asked[2].file.flags, 2052);
    EXPECT_EQ(asked[3].initialColor, QColor(Qt::red));
    EXPECT_EQ(asked[3].flags, ColorDialogFlags::RgbInit);
    EXPECT_TRUE(prompt.problems().isEmpty());
    EXPECT_EQ(prompt.pendingAnswers(), 0u);
}

TEST(ScriptedPrompt, CancelAnswersAsAUserClosingTheDialog) {
    ScriptedPrompt prompt;
    prompt.cancel();
    prompt.cancel();
    prompt.cancel();
    EXPECT_EQ(prompt.messageBox("Sure?", {.buttons = MsgBoxButtons::YesNoCancel}),
              MsgBoxResult::Cancel);
    EXPECT_FALSE(prompt.openFile({.title = "Open"}).has_value());
    EXPECT_FALSE(prompt.chooseColor("Colour", Qt::red, 0).has_value());
    EXPECT_TRUE(prompt.problems().isEmpty());
}

TEST(ScriptedPrompt, UnscriptedOrMismatchedQuestionsAreReportedNotBlocking) {
    ScriptedPrompt prompt;
    EXPECT_EQ(prompt.messageBox("Unexpected", {.buttons = MsgBoxButtons::YesNo}), MsgBoxResult::No);
    prompt.answerText("text");
    EXPECT_EQ(prompt.messageBox("Kind", {.buttons = MsgBoxButtons::OkOnly}), MsgBoxResult::Ok);
    prompt.answer(MsgBoxResult::Yes);
    EXPECT_EQ(prompt.messageBox("No such button", {.buttons = MsgBoxButtons::OkCancel}),
              MsgBoxResult::Cancel);
    EXPECT_EQ(prompt.problems().size(), 3);
    EXPECT_EQ(prompt.questions().size(), 3u);
}

TEST(ScriptedPrompt, EscapeAnswerIsCancelWhereABoxHasOne) {
    EXPECT_EQ(escapeAnswer(MsgBoxButtons::OkOnly), MsgBoxResult::Ok);
    EXPECT_EQ(escapeAnswer(MsgBoxButtons::OkCancel), MsgBoxResult::Cancel);
    EXPECT_EQ(escapeAnswer(MsgBoxButtons::AbortRetryIgnore), MsgBoxResult::Abort);
    EXPECT_EQ(escapeAnswer(MsgBoxButtons::YesNoCancel), MsgBoxResult::Cancel);
    EXPECT_EQ(escapeAnswer(MsgBoxButtons::YesNo), MsgBoxResult::No);
    EXPECT_EQ(escapeAnswer(MsgBoxButtons::RetryCancel), MsgBoxResult::Cancel);
}

}  // namespace
}  // namespace vrn
