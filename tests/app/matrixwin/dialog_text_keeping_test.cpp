#include "app/matrixwin/frm_attribution.h"
#include "app/matrixwin/frm_directions_details.h"
#include "app/matrixwin/frm_interaction_details.h"
#include "app/matrixwin/frm_option_details.h"
#include "app/matrixwin/frm_practice_details.h"
#include "app/matrixwin/frm_practice_options.h"
#include "app/matrixwin/kept_text_box.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_option.h"
#include "model/vrn_optiongroup.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"
#include "tests/app/matrixwin/detail_dialog_testing.h"
#include "tests/support/saved_bytes.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <functional>

// The detail dialogs give back exactly the text they were given unless the user changes it, and
// an edit keeps what the widgets would otherwise change; Tab and Return move on and close.

namespace vrn::testing {
namespace {

// Text a widget might change: CR LF, CR and LF line ends, non-breaking spaces, a tab, quotes,
// runs of blanks, and more characters than a line edit holds by default.
std::string hostileText(const char* start) {
    std::string text = std::string(start) +
                       "\r\nsecond\xC2\xA0line\rthird\nfourth\t\"quoted\"  two  blanks\r\n\r\n";
    while (QString::fromStdString(text).size() < 40000) {
        text += "a long line\xC2\xA0of text ";
    }
    return text;
}

class DialogTextKeepingTest : public DetailDialogTest {
protected:
    DialogTextKeepingTest() {
        document_->CreateNew({}, nullptr, true);
        document_->CreateInit(1);
        for (std::string VRN_Matrix::*field :
             {&VRN_Matrix::Authors, &VRN_Matrix::Assignment, &VRN_Matrix::Modified,
              &VRN_Matrix::Sources, &VRN_Matrix::Review, &VRN_Matrix::Distribution,
              &VRN_Matrix::footer, &VRN_Matrix::Directions}) {
            (*document_).*field = hostileText("Matrix field");
        }
        state_ = document_->Existing();
        state_->Description = hostileText("State");
        practice_ = state_->PGroups.Item(1)->PracticeParts.Item(1);
        practice_->setName(hostileText("Practice"));
        practice_->setDescription(hostileText("Description"));
        practice_->Discussion = hostileText("Discussion");
        interaction_ = state_->Interactions.Item(1);
        interaction_->setNote(hostileText("Note"));
        interaction_->setDescription(hostileText("Rationale"));
        interaction_->setDiscussion(hostileText("Talk"));

        // A practice with options, the first of which is the practice.
        withOptions_ = state_->PGroups.Item(1)->PracticeParts.Item(2);
        withOptions_->setName(hostileText("Optional"));
        withOptions_->setDescription(hostileText("Optional description"));
        auto group = std::make_shared<VRN_Optiongroup>();
        group->Create("Choices", withOptions_, nullptr);
        group->Prompt = hostileText("Which?");
        for (const char* other : {"", "Other"}) {
            auto option = std::make_shared<VRN_Option>();
            option->Create(*other ? std::string(other) : withOptions_->Name(), group, nullptr);
            option->setDescription(*other ? hostileText("Other") : withOptions_->Description());
            option->Discussion = withOptions_->Discussion;
            option->color = withOptions_->color;
        }
        option_ = group->Options.Item(2);
        program_.Current_Matrix = document_;
    }

    // The user moves through every text box of `dialog` without typing, then presses OK.
    static void leaveEveryBoxThenOk(QDialog& dialog) {
        for (QLineEdit* box : dialog.findChildren<QLineEdit*>()) {
            leave(*box);
        }
        for (QPlainTextEdit* box : dialog.findChildren<QPlainTextEdit*>()) {
            leave(*box);
        }
        click(dialog, "btnOK");
    }

    std::unique_ptr<QDialog> openPracticeOptions() {
        return std::make_unique<FrmPracticeOptions>(
            services(), *withOptions_,
            [this](const std::string& name, const std::string& description,
                   const std::string& discussion, std::int32_t color) {
                withOptions_->setName(name);
                withOptions_->setDescription(description);
                withOptions_->Discussion = discussion;
                withOptions_->color = color;
            });
    }
    std::unique_ptr<QDialog> openDirections(const char* mode) {
        program_.Dialog_Title = QLatin1String(mode);
        program_.Directions_Object = state_;
        return std::make_unique<FrmDirectionsDetails>(program_, prompt_);
    }
    std::unique_ptr<QDialog> openAttribution() {
        auto dialog = std::make_unique<frmAttribution>(program_);
        dialog->Load_Data(*document_);
        return dialog;
    }

    struct Opener {
        const char* name;
        std::function<std::unique_ptr<QDialog>()> open;
    };
    std::vector<Opener> everyDialog() {
        return {
            {"interaction",
             [this] { return std::make_unique<FrmInteractionDetails>(services(), *interaction_); }},
            {"practice",
             [this] { return std::make_unique<FrmPracticeDetails>(services(), *practice_); }},
            {"option", [this] { return std::make_unique<FrmOptionDetails>(services(), *option_); }},
            {"practice options", [this] { return openPracticeOptions(); }},
            {"attribution", [this] { return openAttribution(); }},
            {"directions", [this] { return openDirections("Directions"); }},
            {"state description", [this] { return openDirections("Description"); }},
        };
    }

    // Shows `dialog` as the active window, or skips when the platform gives it no focus.
    static bool activate(QDialog& dialog) {
        dialog.show();
        dialog.activateWindow();
        return QTest::qWaitForWindowActive(&dialog);
    }

    std::shared_ptr<VRN_Matrix> document_ = std::make_shared<VRN_Matrix>();
    std::shared_ptr<VRN_State> state_;
    std::shared_ptr<VRN_Practice> practice_;
    std::shared_ptr<VRN_Practice> withOptions_;
    std::shared_ptr<VRN_Option> option_;
    std::shared_ptr<VRN_MatrixInteraction> interaction_;
};

TEST_F(DialogTextKeepingTest, OkWithoutEditsLeavesTheSavedFileByteForByteTheSame) {
    const std::string stamp = document_->Modified;
    const std::string before = SavedBytes(*document_);
    for (const Opener& opener : everyDialog()) {
        SCOPED_TRACE(opener.name);
        const auto dialog = opener.open();
        leaveEveryBoxThenOk(*dialog);
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        // The attribution stamps the time of its showing; nothing else may change.
        document_->Modified = stamp;
        EXPECT_TRUE(SavedBytes(*document_) == before);
    }
}

TEST_F(DialogTextKeepingTest, AnEditedTextKeepsItsLineEndsAndEveryCharacter) {
    struct Case {
        std::string given;
        std::function<void(KeptTextEdit&)> type;
        std::string kept;
    };
    const auto atEnd = [](const QString& typed) {
        return [typed](KeptTextEdit& box) {
            box.moveCursor(QTextCursor::End);
            QTest::keyClicks(&box, typed);
        };
    };
    const auto newLineAtEnd = [](KeptTextEdit& box) {
        box.moveCursor(QTextCursor::End);
        QTest::keyClick(&box, Qt::Key_Return);
        QTest::keyClicks(&box, "next");
    };
    const Case cases[] = {
        {"a\r\nb\xC2\xA0"
         "c\td",
         atEnd("!"),
         "a\r\nb\xC2\xA0"
         "c\td!"},
        {"one\rtwo\nthree\r\nfour", atEnd("!"), "one\rtwo\nthree\r\nfour!"},
        {"one\r\ntwo", newLineAtEnd, "one\r\ntwo\r\nnext"},
        {"single", newLineAtEnd, "single\r\nnext"},
        {"", newLineAtEnd, "\r\nnext"},
        {hostileText("Long"), atEnd("!"), hostileText("Long") + "!"},
    };
    for (const Case& c : cases) {
        KeptTextEdit box;
        box.setKeptText(c.given);
        EXPECT_FALSE(box.isEdited());
        c.type(box);
        EXPECT_TRUE(box.isEdited());
        EXPECT_TRUE(box.keptText() == c.kept) << c.kept.substr(0, 40);
    }

    KeptLineEdit line;
    line.setKeptText(hostileText("Name"));
    line.end(false);
    QTest::keyClicks(&line, "!");
    EXPECT_TRUE(line.keptText() == hostileText("Name") + "!");

    // Through a dialog: the description typed into reaches the practice with its line ends.
    FrmPracticeDetails dialog(services(), *practice_);
    auto& description = child<KeptTextEdit>(dialog, "txtDescription");
    description.moveCursor(QTextCursor::End);
    QTest::keyClicks(&description, "added");
    click(dialog, "btnOK");
    EXPECT_TRUE(practice_->Description() == hostileText("Description") + "added");
    EXPECT_TRUE(practice_->Name() == hostileText("Practice"));
}

TEST_F(DialogTextKeepingTest, TabMovesOnFromEveryDescriptionBox) {
    for (const Opener& opener : everyDialog()) {
        SCOPED_TRACE(opener.name);
        const auto dialog = opener.open();
        for (QPlainTextEdit* box : dialog->findChildren<QPlainTextEdit*>()) {
            if (!activate(*dialog)) {
                GTEST_SKIP() << "this platform gives no focus to the dialog";
            }
            box->setFocus();
            ASSERT_EQ(QApplication::focusWidget(), box);
            const QString before = box->toPlainText();
            QTest::keyClick(box, Qt::Key_Tab);
            EXPECT_NE(QApplication::focusWidget(), box);
            EXPECT_EQ(box->toPlainText(), before);
        }
        dialog->reject();
    }
}

TEST_F(DialogTextKeepingTest, ReturnInAOneLineFieldPressesOkAndTheDirectionsOpenOnOk) {
    const std::string before = SavedBytes(*document_);
    const std::string stamp = document_->Modified;
    for (const Opener& opener : everyDialog()) {
        SCOPED_TRACE(opener.name);
        const auto dialog = opener.open();
        EXPECT_TRUE(child<QPushButton>(*dialog, "btnOK").isDefault());
        const QList<QLineEdit*> lines = dialog->findChildren<QLineEdit*>();
        if (!lines.isEmpty()) {
            dialog->show();
            QTest::keyClick(lines.front(), Qt::Key_Return);
        } else {
            // The directions dialog has one long text: it opens on OK, so Return closes it.
            if (!activate(*dialog)) {
                GTEST_SKIP() << "this platform gives no focus to the dialog";
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_FALSE(dialog->isVisible());
        document_->Modified = stamp;
        EXPECT_TRUE(SavedBytes(*document_) == before);
    }
}

}  // namespace
}  // namespace vrn::testing
