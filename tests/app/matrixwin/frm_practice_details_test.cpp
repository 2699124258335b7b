#include "app/matrixwin/frm_practice_details.h"
#include "app/matrixwin/frm_practice_options.h"
#include "model/vrn_option.h"
#include "model/vrn_optiongroup.h"
#include "model/vrn_practice.h"
#include "tests/app/matrixwin/detail_dialog_testing.h"
#include "tests/support/model_doubles/recording_cell.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace vrn::testing {
namespace {

class PracticeDialogTest : public DetailDialogTest {
protected:
    PracticeDialogTest() {
        practice_->setName("Precast walls");
        practice_->setDescription("Walls arrive finished");
        practice_->Discussion = "http://example.org/walls";
        practice_->Display = cell_;
    }

    std::unique_ptr<FrmPracticeDetails> open() {
        return std::make_unique<FrmPracticeDetails>(services(), *practice_);
    }
    void expectOriginalTexts() const {
        EXPECT_EQ(practice_->Name(), "Precast walls");
        EXPECT_EQ(practice_->Description(), "Walls arrive finished");
        EXPECT_EQ(practice_->Discussion, "http://example.org/walls");
    }

    std::shared_ptr<VRN_Practice> practice_ = std::make_shared<VRN_Practice>();
    std::shared_ptr<RecordingCell> cell_ = std::make_shared<RecordingCell>();
};

TEST_F(PracticeDialogTest, ShowsThePracticeAndTheDefaultColourForColourZero) {
    program_.Current_Default_Color = 0xC0C0C0;
    const auto dialog = open();
    EXPECT_EQ(dialog->windowTitle(), "Practice");
    EXPECT_EQ(child<QLineEdit>(*dialog, "TxtPracticeName").text(), "Precast walls");
    EXPECT_EQ(child<QPlainTextEdit>(*dialog, "txtDescription").toPlainText(),
              "Walls arrive finished");
    EXPECT_EQ(child<QLineEdit>(*dialog, "txtDiscussion").text(), "http://example.org/walls");
    EXPECT_EQ(shownColor(*dialog), 0xC0C0C0);
    EXPECT_EQ(child<QPushButton>(*dialog, "btnViewOptions").text(), "Create Options");

    practice_->color = 0x00FF00;
    EXPECT_EQ(shownColor(*open()), 0x00FF00);
}

TEST_F(PracticeDialogTest, OkStoresTheThreeTexts) {
    const auto dialog = open();
    child<QLineEdit>(*dialog, "TxtPracticeName").setText("Brick walls");
    child<QPlainTextEdit>(*dialog, "txtDescription").setPlainText("Laid on site");
    child<QLineEdit>(*dialog, "txtDiscussion").setText("");
    click(*dialog, "btnOK");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(practice_->Name(), "Brick walls");
    EXPECT_EQ(cell_->text(), "Brick walls");
    EXPECT_EQ(practice_->Description(), "Laid on site");
    EXPECT_EQ(practice_->Discussion, "");
}

TEST_F(PracticeDialogTest, OkWithAnEmptyNameActsAsCancel) {
    const auto dialog = open();
    auto& description = child<QPlainTextEdit>(*dialog, "txtDescription");
    description.setPlainText("Changed on the way");
    leave(description);
    EXPECT_EQ(practice_->Description(), "Changed on the way");
    auto& name = child<QLineEdit>(*dialog, "TxtPracticeName");
    name.clear();
    leave(name);
    click(*dialog, "btnOK");
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    expectOriginalTexts();
}

TEST_F(PracticeDialogTest, CancelRestoresTheTextsButNotTheColour) {
    const auto dialog = open();
    auto& name = child<QLineEdit>(*dialog, "TxtPracticeName");
    name.setText("Timber walls");
    leave(name);
    EXPECT_EQ(practice_->Name(), "Timber walls");  // reached the practice on leaving the box
    auto& discussion = child<QLineEdit>(*dialog, "txtDiscussion");
    discussion.setText("http://example.org/timber");
    leave(discussion);
    EXPECT_EQ(practice_->Discussion, "http://example.org/timber");

    prompt_.answerColor(QColor(0, 0, 255));
    click(*dialog, "btnmycolor");
    EXPECT_EQ(practice_->color, 0xFF0000);
    EXPECT_EQ(cell_->BackColor(), 0xFF0000);

    click(*dialog, "btnCancel");
    expectOriginalTexts();
    EXPECT_EQ(practice_->color, 0xFF0000);
    EXPECT_EQ(cell_->BackColor(), 0xFF0000);
}

TEST_F(PracticeDialogTest, ClosingTheWindowActsAsCancel) {
    const auto dialog = open();
    auto& name = child<QLineEdit>(*dialog, "TxtPracticeName");
    name.setText("Gone");
    leave(name);
    dialog->reject();
    expectOriginalTexts();
}

TEST_F(PracticeDialogTest, TheOptionsEditorHandsItsChoiceBackAsTheNewCancelPoint) {
    const auto dialog = open();
    int opened = 0;
    dialog->openOptions = [this, &opened](FrmPracticeDetails& details) {
        ++opened;
        FrmPracticeOptions editor(
            services(), *practice_,
            [&details](const std::string& name, const std::string& description,
                       const std::string& discussion, std::int32_t color) {
                details.set_practice(name, description, discussion, color);
            },
            &details);
        editor.editOption = [](VRN_Option& option) {
            option.setName("Steel walls");
            option.setDescription("Light frames");
            option.color = 0x123456;
        };
        click(editor, "btnAddOption");
        child<QComboBox>(editor, "cmbPracticeName").setCurrentIndex(1);
        editor.cmbPracticeName_Click();
        click(editor, "btnOK");
    };
    click(*dialog, "btnViewOptions");
    ASSERT_EQ(opened, 1);
    // The editor created the group from the practice; OK handed the selected option back.
    ASSERT_NE(practice_->OptionGroup, nullptr);
    EXPECT_EQ(practice_->OptionGroup->Options.Count(), 2);
    EXPECT_EQ(practice_->Name(), "Steel walls");
    EXPECT_EQ(practice_->Description(), "Light frames");
    EXPECT_EQ(practice_->color, 0x123456);
    EXPECT_EQ(child<QLineEdit>(*dialog, "TxtPracticeName").text(), "Steel walls");
    click(*dialog, "btnCancel");
    EXPECT_EQ(practice_->Name(), "Steel walls");
    EXPECT_EQ(practice_->Description(), "Light frames");
}

}  // namespace
}  // namespace vrn::testing
