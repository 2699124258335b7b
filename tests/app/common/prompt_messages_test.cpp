#include "app/common/prompt_messages.h"
#include "platform/testing/scripted_prompt.h"

#include <gtest/gtest.h>

namespace vrn {
namespace {

TEST(PromptMessages, TheModelsBoxesReachThePromptWithTheirButtonsIconAndTitle) {
    struct Case {
        MsgButtons buttons;
        MsgIcon icon;
        MsgBoxButtons promptButtons;
        MsgBoxIcon promptIcon;
        MsgBoxResult answer;
        MsgAnswer modelAnswer;
    };
    const Case cases[] = {
        {MsgButtons::OKOnly, MsgIcon::None, MsgBoxButtons::OkOnly, MsgBoxIcon::None,
         MsgBoxResult::Ok, MsgAnswer::OK},
        {MsgButtons::OKCancel, MsgIcon::Critical, MsgBoxButtons::OkCancel, MsgBoxIcon::Critical,
         MsgBoxResult::Cancel, MsgAnswer::Cancel},
        {MsgButtons::AbortRetryIgnore, MsgIcon::Exclamation, MsgBoxButtons::AbortRetryIgnore,
         MsgBoxIcon::Exclamation, MsgBoxResult::Ignore, MsgAnswer::Ignore},
        {MsgButtons::YesNoCancel, MsgIcon::Question, MsgBoxButtons::YesNoCancel,
         MsgBoxIcon::Question, MsgBoxResult::Yes, MsgAnswer::Yes},
        {MsgButtons::YesNo, MsgIcon::Information, MsgBoxButtons::YesNo, MsgBoxIcon::Information,
         MsgBoxResult::No, MsgAnswer::No},
        {MsgButtons::RetryCancel, MsgIcon::None, MsgBoxButtons::RetryCancel, MsgBoxIcon::None,
         MsgBoxResult::Retry, MsgAnswer::Retry},
        {MsgButtons::AbortRetryIgnore, MsgIcon::None, MsgBoxButtons::AbortRetryIgnore,
         MsgBoxIcon::None, MsgBoxResult::Abort, MsgAnswer::Abort},
    };
    for (const Case& c : cases) {
        ScriptedPrompt prompt;
        PromptMessages messages(prompt);
        prompt.answer(c.answer);
        EXPECT_EQ(messages.MsgBox("Sorted \u00e9", c.buttons, c.icon, "Title"), c.modelAnswer);
        ASSERT_EQ(prompt.questions().size(), 1U);
        const ScriptedPrompt::Question& asked = prompt.questions()[0];
        EXPECT_EQ(asked.text, QString::fromUtf8("Sorted \u00e9"));
        EXPECT_EQ(asked.title, "Title");
        EXPECT_EQ(asked.style.buttons, c.promptButtons);
        EXPECT_EQ(asked.style.icon, c.promptIcon);
    }
}

}  // namespace
}  // namespace vrn
