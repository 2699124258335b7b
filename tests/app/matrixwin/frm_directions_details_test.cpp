#include "app/matrixwin/frm_directions_details.h"
#include "model/vrn_matrix.h"
#include "model/vrn_state.h"
#include "platform/testing/scripted_prompt.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace vrn {
namespace {

class DirectionsDialogTest : public ::testing::Test {
protected:
    DirectionsDialogTest() {
        matrix_->Directions = "Start at the roof.";
        state_->Name = "Alternative 2";
        state_->Description = "Fewer layers";
        program_.Current_Matrix = matrix_;
    }

    std::unique_ptr<FrmDirectionsDetails> open(const char* title) {
        program_.Dialog_Title = QLatin1String(title);
        program_.Directions_Object = state_;
        auto dialog = std::make_unique<FrmDirectionsDetails>(program_, prompt_);
        dialog->printText = [this](const QString& text) {
            printed_ << text;
            return printerAvailable_;
        };
        return dialog;
    }
    static void click(FrmDirectionsDetails& dialog, const char* button) {
        dialog.findChild<QPushButton*>(button)->click();
    }

    VrnMain program_;
    ScriptedPrompt prompt_;
    std::shared_ptr<VRN_Matrix> matrix_ = std::make_shared<VRN_Matrix>();
    std::shared_ptr<VRN_State> state_ = std::make_shared<VRN_State>();
    QStringList printed_;
    bool printerAvailable_ = true;
};

TEST_F(DirectionsDialogTest, TheDescriptionModeEditsTheStateItWasGiven) {
    const auto dialog = open("Description");
    EXPECT_EQ(dialog->windowTitle(), "Description of: Alternative 2");
    EXPECT_EQ(dialog->txtDirections().toPlainText(), "Fewer layers");
    dialog->txtDirections().setPlainText("Two layers");
    click(*dialog, "btnOK");
    EXPECT_EQ(state_->Description, "Two layers");
    EXPECT_EQ(matrix_->Directions, "Start at the roof.");
}

TEST_F(DirectionsDialogTest, AnyOtherModeEditsTheCurrentMatrixsDirections) {
    for (const char* title : {"Directions", "Something else"}) {
        const auto dialog = open(title);
        EXPECT_EQ(dialog->windowTitle(), "Directions");
        EXPECT_EQ(dialog->txtDirections().toPlainText(), "Start at the roof.");
    }
    const auto dialog = open("Directions");
    dialog->txtDirections().setPlainText("Start at the crossings.");
    click(*dialog, "btnOK");
    EXPECT_EQ(matrix_->Directions, "Start at the crossings.");
}

TEST_F(DirectionsDialogTest, ClosingWithoutOkDropsTheEdit) {
    const auto dialog = open("Directions");
    dialog->txtDirections().setPlainText("Never mind");
    dialog->reject();
    EXPECT_EQ(matrix_->Directions, "Start at the roof.");
}

TEST_F(DirectionsDialogTest, PrintPrintsTheTextAsEditedWhileTheModelKeepsTheOld) {
    const auto dialog = open("Directions");
    dialog->txtDirections().setPlainText("Edited, not yet kept");
    click(*dialog, "btnPrint");
    EXPECT_EQ(printed_, QStringList{"Edited, not yet kept"});
    EXPECT_EQ(matrix_->Directions, "Start at the roof.");
    EXPECT_TRUE(prompt_.questions().empty());

    printerAvailable_ = false;
    prompt_.answer(MsgBoxResult::Ok);
    click(*dialog, "btnPrint");
    ASSERT_EQ(prompt_.questions().size(), 1U);
    EXPECT_TRUE(prompt_.questions()[0].text.contains("no printer"));
}

TEST_F(DirectionsDialogTest, WithoutAMatrixTheDirectionsModeShowsAndWritesNothing) {
    program_.Current_Matrix = nullptr;
    const auto dialog = open("Directions");
    EXPECT_TRUE(dialog->txtDirections().toPlainText().isEmpty());
    dialog->txtDirections().setPlainText("Lost");
    click(*dialog, "btnOK");
    EXPECT_EQ(matrix_->Directions, "Start at the roof.");
}

}  // namespace
}  // namespace vrn
