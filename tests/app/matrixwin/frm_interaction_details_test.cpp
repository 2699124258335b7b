#include "app/matrixwin/frm_interaction_details.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_state.h"
#include "tests/app/matrixwin/detail_dialog_testing.h"
#include "tests/support/model_doubles/recording_interaction_label.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include <fstream>

namespace vrn::testing {
namespace {

class InteractionDialogTest : public DetailDialogTest {
protected:
    InteractionDialogTest() {
        std::ifstream file(VRN_SAMPLE_MATRIX, std::ios::binary);
        bool directions = false;
        document_->Read(*file.rdbuf(), "sample.vrn", nullptr, directions, {nullptr, true, nullptr});
        cross_ = document_->Interactions.Item(1);
        within_ = document_->Existing()->Interactions.Item(1);
        for (const auto& interaction : {cross_, within_}) {
            interaction->Display = std::make_shared<RecordingInteractionLabel>();
        }
    }

    std::unique_ptr<FrmInteractionDetails> open(VRN_MatrixInteraction& interaction) {
        return std::make_unique<FrmInteractionDetails>(services(), interaction);
    }
    const RecordingInteractionLabel& label(const VRN_MatrixInteraction& interaction) {
        return static_cast<const RecordingInteractionLabel&>(*interaction.Display);
    }

    std::shared_ptr<VRN_Matrix> document_ = std::make_shared<VRN_Matrix>();
    std::shared_ptr<VRN_MatrixInteraction> cross_;
    std::shared_ptr<VRN_MatrixInteraction> within_;
};

TEST_F(InteractionDialogTest, TheValuePressesItsButtonAndAnUnknownValueNone) {
    const std::vector<std::pair<std::string, int>> cases{{"+", 0},  {"", 1},    {"-", 2},  {"?", 3},
                                                         {"x", -1}, {"+ ", -1}, {"--", -1}};
    for (const auto& [value, pressed] : cases) {
        cross_->setValue(value);
        const auto dialog = open(*cross_);
        EXPECT_EQ(dialog->pressedValue(), pressed) << "value '" << value << "'";
        // Showing the value writes nothing.
        EXPECT_EQ(cross_->Value(), value);
    }
}

TEST_F(InteractionDialogTest, ShowsBothPracticesAndTheTexts) {
    cross_->setNote("A note");
    cross_->setDescription("Why");
    cross_->setDiscussion("http://example.org/why");
    const auto dialog = open(*cross_);
    EXPECT_EQ(dialog->windowTitle(), "Interaction Details");
    EXPECT_EQ(child<QLabel>(*dialog, "LblInteraction").text(),
              QStringLiteral("Interaction:  '%1'  --and--  '%2'")
                  .arg(QString::fromStdString(cross_->practice2.lock()->Name()),
                       QString::fromStdString(cross_->Practice1.lock()->Name())));
    EXPECT_EQ(child<QLineEdit>(*dialog, "txtNote").text(), "A note");
    EXPECT_EQ(child<QPlainTextEdit>(*dialog, "txtDescription").toPlainText(), "Why");
    EXPECT_EQ(child<QLineEdit>(*dialog, "txtDiscussion").text(), "http://example.org/why");
    EXPECT_EQ(child<QListWidget>(*dialog, "LstExceptions").count(), 0);
}

TEST_F(InteractionDialogTest, AValueButtonReplacesTheNoteInTheBoxTheInteractionAndTheTip) {
    cross_->setNote(std::string(300, 'n'));
    const auto dialog = open(*cross_);
    dialog->valueButton(2).click();
    EXPECT_EQ(cross_->Value(), "-");
    EXPECT_EQ(cross_->Note(), "Interfering Interaction");
    EXPECT_EQ(child<QLineEdit>(*dialog, "txtNote").text(), "Interfering Interaction");
    EXPECT_EQ(label(*cross_).ToolTipText(), "Interfering Interaction");
    EXPECT_EQ(label(*cross_).text(), "-");

    dialog->valueButton(1).click();
    EXPECT_EQ(cross_->Value(), "");
    EXPECT_EQ(cross_->Note(), "");
    EXPECT_EQ(dialog->pressedValue(), 1);
}

TEST_F(InteractionDialogTest, TheColourRowFollowsTheInteractionsOwnPlaceNotTheLastHover) {
    program_.Last_Hover_Cross = false;
    const auto crossDialog = open(*cross_);
    EXPECT_FALSE(child(*crossDialog, "btnmycolor").isHidden());
    EXPECT_FALSE(child(*crossDialog, "LBLcolor_choice").isHidden());

    program_.Last_Hover_Cross = true;
    const auto withinDialog = open(*within_);
    EXPECT_TRUE(child(*withinDialog, "btnmycolor").isHidden());
    EXPECT_TRUE(child(*withinDialog, "LBLcolor_choice").isHidden());
}

TEST_F(InteractionDialogTest, ACancelledColourOnColourZeroStoresTheDefaultTheButtonShowed) {
    cross_->color = 0;
    const auto dialog = open(*cross_);
    EXPECT_EQ(shownColor(*dialog), 0xC0C0C0);
    prompt_.cancel();
    click(*dialog, "btnmycolor");
    EXPECT_EQ(cross_->color, 0xC0C0C0);
    EXPECT_EQ(label(*cross_).BackColor(), 0xC0C0C0);
    ASSERT_EQ(prompt_.questions().size(), 1U);
    EXPECT_EQ(prompt_.questions()[0].text, "Choose new color");
    EXPECT_EQ(prompt_.questions()[0].initialColor, QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(prompt_.questions()[0].flags, 1);

    prompt_.answerColor(QColor(255, 0, 0));
    click(*dialog, "btnmycolor");
    EXPECT_EQ(cross_->color, 0x0000FF);
    EXPECT_EQ(shownColor(*dialog), 0x0000FF);
}

TEST_F(InteractionDialogTest, ATextBoxWritesWhenItLosesTheFocusAfterAChange) {
    const auto dialog = open(*cross_);
    auto& note = child<QLineEdit>(*dialog, "txtNote");
    auto& description = child<QPlainTextEdit>(*dialog, "txtDescription");
    auto& discussion = child<QLineEdit>(*dialog, "txtDiscussion");
    leave(note);
    EXPECT_EQ(cross_->Note(), "");  // nothing changed yet

    note.setText("Watch the order");
    leave(note);
    EXPECT_EQ(cross_->Note(), "Watch the order");
    EXPECT_EQ(label(*cross_).ToolTipText(), "Watch the order");
    description.setPlainText("Both need the crane");
    leave(description);
    EXPECT_EQ(cross_->Description(), "Both need the crane");
    discussion.setText("file:///notes.html");
    leave(discussion);
    EXPECT_EQ(cross_->Discussion(), "file:///notes.html");
}

TEST_F(InteractionDialogTest, OkKeepsWhatIsTypedInTheFocusedBox) {
    const auto dialog = open(*cross_);
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    auto& note = child<QLineEdit>(*dialog, "txtNote");
    note.setFocus();
    QApplication::processEvents();
    if (dialog->focusWidget() != &note) {
        GTEST_SKIP() << "this platform gives no focus to the dialog";
    }
    note.setText("Typed, then OK");
    dialog->done(QDialog::Accepted);
    EXPECT_EQ(cross_->Note(), "Typed, then OK");
}

TEST_F(InteractionDialogTest, UnfinishedButtonsAndTheExceptionsListOnlySaySo) {
    const auto dialog = open(*cross_);
    prompt_.answer(MsgBoxResult::Ok);
    prompt_.answer(MsgBoxResult::Ok);
    prompt_.answer(MsgBoxResult::Ok);
    click(*dialog, "Command1");
    click(*dialog, "btndeleteRelation");
    doubleClick(*child<QListWidget>(*dialog, "LstExceptions").viewport());
    ASSERT_EQ(prompt_.questions().size(), 3U);
    EXPECT_EQ(prompt_.questions()[0].text, "TBD");
    EXPECT_EQ(prompt_.questions()[1].text, "TBD");
    EXPECT_EQ(prompt_.questions()[2].text,
              "This operation is Unsupported in the standalone version of the VRN software");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(document_->Interactions.Item(1), cross_);
}

}  // namespace
}  // namespace vrn::testing
