#include "app/matrixwin/frm_option_details.h"
#include "model/vrn_option.h"
#include "tests/app/matrixwin/detail_dialog_testing.h"

#include <QLineEdit>
#include <QPlainTextEdit>

namespace vrn::testing {
namespace {

class OptionDialogTest : public DetailDialogTest {
protected:
    OptionDialogTest() {
        option_->setName("Crane");
        option_->setDescription("Lift the walls in");
        option_->Discussion = "http://example.org/crane";
    }
    std::unique_ptr<FrmOptionDetails> open() {
        return std::make_unique<FrmOptionDetails>(services(), *option_);
    }

    std::shared_ptr<VRN_Option> option_ = std::make_shared<VRN_Option>();
};

TEST_F(OptionDialogTest, AnOptionWithColourZeroShowsTheDefaultAndKeepsZeroUntilAColourIsPicked) {
    program_.Current_Default_Color = 0xC0C0C0;
    const auto dialog = open();
    EXPECT_EQ(dialog->windowTitle(), "Option Details");
    EXPECT_EQ(child<QLineEdit>(*dialog, "TxtPracticeName").text(), "Crane");
    EXPECT_EQ(shownColor(*dialog), 0xC0C0C0);
    click(*dialog, "btnOK");
    EXPECT_EQ(option_->color, 0);

    const auto again = open();
    prompt_.answerColor(QColor(0x12, 0x34, 0x56));
    click(*again, "btnmycolor");
    EXPECT_EQ(option_->color, 0x563412);
    EXPECT_EQ(shownColor(*again), 0x563412);
    EXPECT_EQ(prompt_.questions().at(0).initialColor, QColor(0xC0, 0xC0, 0xC0));
}

TEST_F(OptionDialogTest, CancelRestoresTheTextsAndKeepsTheColour) {
    const auto dialog = open();
    auto& name = child<QLineEdit>(*dialog, "TxtPracticeName");
    auto& description = child<QPlainTextEdit>(*dialog, "txtDescription");
    auto& discussion = child<QLineEdit>(*dialog, "txtDiscussion");
    name.setText("Hoist");
    leave(name);
    description.setPlainText("Pull them up");
    leave(description);
    discussion.setText("http://example.org/hoist");
    leave(discussion);
    EXPECT_EQ(option_->Name(), "Hoist");
    EXPECT_EQ(option_->Description(), "Pull them up");
    EXPECT_EQ(option_->Discussion, "http://example.org/hoist");
    prompt_.answerColor(QColor(0, 255, 0));
    click(*dialog, "btnmycolor");

    click(*dialog, "btnCancel");
    EXPECT_EQ(option_->Name(), "Crane");
    EXPECT_EQ(option_->Description(), "Lift the walls in");
    EXPECT_EQ(option_->Discussion, "http://example.org/crane");
    EXPECT_EQ(option_->color, 0x00FF00);
}

TEST_F(OptionDialogTest, LeavingAnyBoxWritesItOnceTheDialogIsFilled) {
    const auto dialog = open();
    // Filling the boxes counts as a change: leaving an untouched box writes its text.
    option_->setName("Changed behind the dialog");
    leave(child<QLineEdit>(*dialog, "TxtPracticeName"));
    EXPECT_EQ(option_->Name(), "Crane");
    option_->Discussion = "elsewhere";
    leave(child<QLineEdit>(*dialog, "txtDiscussion"));
    EXPECT_EQ(option_->Discussion, "http://example.org/crane");
}

}  // namespace
}  // namespace vrn::testing
