#include "app/matrixwin/frm_attribution.h"
#include "app/matrixwin/frm_directions_details.h"
#include "app/matrixwin/frm_interaction_details.h"
#include "app/matrixwin/frm_option_details.h"
#include "app/matrixwin/frm_oval_dialogue.h"
#include "app/matrixwin/frm_practice_details.h"
#include "app/matrixwin/frm_practice_options.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_option.h"
#include "model/vrn_optiongroup.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"
#include "platform/cell_button.h"
#include "platform/qt_prompt.h"
#include "tests/app/matrixwin/detail_dialog_testing.h"
#include "tests/app/matrixwin/shown_tool_tip.h"
#include "tests/support/modal_script.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>

#include <functional>

// Every dialog that shows a user's text keeps within the screen it opens on, whatever the length
// of that text, and every one of its controls can be reached: names of 1,000 and 50,000
// characters, in words and as one word. The test program runs on a 1280 x 1024 screen (its
// ctest environment); started on another, it measures against that one.

namespace vrn::testing {
namespace {

struct LongName {
    const char* name;
    qsizetype length;
    bool words;
};

constexpr LongName kNames[] = {
    {"1,000 characters", 1000, true},
    {"50,000 characters", 50000, true},
    {"50,000 characters in one word", 50000, false},
};

std::string longName(const char* start, const LongName& form) {
    std::string text = start;
    while (std::ssize(text) < form.length) {
        text += form.words ? " practice" : "Practice";
    }
    text.resize(static_cast<std::size_t>(form.length));
    return text;
}

// The controls a user reaches in a dialog: its buttons, boxes, lists, labels and scroll bars.
bool reached(const QWidget& control) {
    return qobject_cast<const QAbstractButton*>(&control) != nullptr ||
           qobject_cast<const QLineEdit*>(&control) != nullptr ||
           qobject_cast<const QComboBox*>(&control) != nullptr ||
           qobject_cast<const QLabel*>(&control) != nullptr ||
           (qobject_cast<const QAbstractScrollArea*>(&control) != nullptr) ||
           (qobject_cast<const QScrollBar*>(&control) != nullptr &&
            control.parentWidget() == control.window());
}

// The dialog, shown, lies within its screen's free area, and so does every control of it.
void expectFits(QWidget& dialog) {
    ASSERT_TRUE(dialog.isVisible());
    QApplication::processEvents();
    const QRect available = dialog.screen()->availableGeometry();
    EXPECT_LE(dialog.frameGeometry().width(), available.width());
    EXPECT_LE(dialog.frameGeometry().height(), available.height());
    EXPECT_TRUE(available.contains(dialog.frameGeometry()))
        << "dialog at " << dialog.frameGeometry().x() << "," << dialog.frameGeometry().y() << " "
        << dialog.frameGeometry().width() << "x" << dialog.frameGeometry().height();
    for (const QWidget* control : dialog.findChildren<QWidget*>()) {
        if (!control->isVisibleTo(&dialog) || !reached(*control)) {
            continue;
        }
        const QRect at(control->mapTo(&dialog, QPoint(0, 0)), control->size());
        EXPECT_TRUE(dialog.rect().contains(at))
            << control->metaObject()->className() << " " << control->objectName().toStdString()
            << " at " << at.x() << "," << at.y() << " " << at.width() << "x" << at.height();
    }
}

// The tool tip `widget` shows where the pointer rests on it.
QString toolTipOf(QWidget& widget) {
    QToolTip::hideText();
    const QPoint at = widget.rect().center();
    QHelpEvent help(QEvent::ToolTip, at, widget.mapToGlobal(at));
    QApplication::sendEvent(&widget, &help);
    return QToolTip::isVisible() ? shownToolTip(QToolTip::text()) : QString();
}

class DialogScreenFitTest : public DetailDialogTest {
protected:
    // A matrix whose practices, state and option texts are `form` long.
    void fill(const LongName& form) {
        document_ = std::make_shared<VRN_Matrix>();
        document_->CreateNew({}, nullptr, true);
        document_->CreateInit(1);
        document_->Authors = longName("Authors", form);
        state_ = document_->Existing();
        state_->Name = longName("State", form);
        group_ = state_->PGroups.Item(1);
        for (const auto& practice : group_->PracticeParts) {
            practice->setName(longName("Practice", form));
        }
        withOptions_ = group_->PracticeParts.Item(1);
        auto options = std::make_shared<VRN_Optiongroup>();
        options->Create("Choices", withOptions_, nullptr);
        options->Prompt = longName("Which", form);
        for (const char* start : {"", "Other", "Third"}) {
            auto option = std::make_shared<VRN_Option>();
            option->Create(*start != '\0' ? longName(start, form) : withOptions_->Name(), options,
                           nullptr);
        }
        program_.Current_Matrix = document_;
    }

    struct Opener {
        const char* name;
        std::function<std::unique_ptr<QDialog>()> open;
    };
    std::vector<Opener> everyDialog() {
        return {
            {"guided questions", [this] { return guidedQuestions(1); }},
            {"guided questions without options", [this] { return guidedQuestions(2); }},
            {"interaction",
             [this] {
                 return std::make_unique<FrmInteractionDetails>(services(),
                                                                *state_->Interactions.Item(1));
             }},
            {"practice",
             [this] { return std::make_unique<FrmPracticeDetails>(services(), *withOptions_); }},
            {"option",
             [this] {
                 return std::make_unique<FrmOptionDetails>(
                     services(), *withOptions_->OptionGroup->Options.Item(2));
             }},
            {"practice options",
             [this] {
                 return std::make_unique<FrmPracticeOptions>(services(), *withOptions_,
                                                             FrmPracticeOptions::PracticeSetter());
             }},
            {"attribution",
             [this] {
                 auto dialog = std::make_unique<frmAttribution>(program_);
                 dialog->Load_Data(*document_);
                 return dialog;
             }},
            {"state description",
             [this] {
                 program_.Dialog_Title = QStringLiteral("Description");
                 program_.Directions_Object = state_;
                 return std::make_unique<FrmDirectionsDetails>(program_, prompt_);
             }},
        };
    }

    std::unique_ptr<FrmOvalDialogue> guidedQuestions(int position) {
        auto dialog = std::make_unique<FrmOvalDialogue>(services());
        dialog->Load_Data(group_);
        while (dialog->position() != position) {
            dialog->Dialogue_Proceed(1);
        }
        return dialog;
    }

    std::shared_ptr<VRN_Matrix> document_;
    std::shared_ptr<VRN_State> state_;
    std::shared_ptr<VRN_PracticeGroup> group_;
    std::shared_ptr<VRN_Practice> withOptions_;
};

TEST_F(DialogScreenFitTest, EveryDetailDialogFitsTheScreenWhateverTheLengthOfItsNames) {
    for (const LongName& form : kNames) {
        fill(form);
        for (const Opener& opener : everyDialog()) {
            SCOPED_TRACE(std::string(opener.name) + ", " + form.name);
            const auto dialog = opener.open();
            dialog->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
            expectFits(*dialog);
        }
    }
}

TEST_F(DialogScreenFitTest, TheQuestionsAndMessagesOfThePromptFitTheScreen) {
    for (const LongName& form : kNames) {
        SCOPED_TRACE(form.name);
        const QString name = QString::fromStdString(longName("Practice", form));
        QtPrompt prompt(QStringLiteral("Vrn"));
        ModalScript dialogs;
        const auto fitsThenCloses = [](QDialog& dialog) {
            expectFits(dialog);
            dialog.reject();
        };
        dialogs.then("", fitsThenCloses);
        prompt.messageBox(QStringLiteral("The file '%1' is open in another window.").arg(name));
        dialogs.then("", fitsThenCloses);
        prompt.inputBox(QStringLiteral("Please Enter The New Name for '%1'").arg(name),
                        QStringLiteral("New Name"), name);
    }
}

TEST_F(DialogScreenFitTest, AShortenedTextShowsWholeInItsToolTip) {
    const LongName& form = kNames[0];
    fill(form);
    const auto guided = guidedQuestions(1);
    guided->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(guided.get()));
    EXPECT_EQ(toolTipOf(guided->question()), QString::fromStdString(longName("Which", form)));
    // A text that shows whole has no tool tip.
    group_->PracticeParts.Item(1)->OptionGroup->Prompt = "Which?";
    const auto shortOne = guidedQuestions(1);
    shortOne->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(shortOne.get()));
    EXPECT_TRUE(toolTipOf(shortOne->question()).isEmpty());

    FrmInteractionDetails interaction(services(), *state_->Interactions.Item(1));
    // Both names, as far as a tool tip holds.
    const QString tip = shownToolTip(child<QLabel>(interaction, "LblInteraction").toolTip());
    EXPECT_TRUE(tip.startsWith(QStringLiteral("Interaction:  'Practice practice")));
    EXPECT_TRUE(tip.contains(QStringLiteral("'  --and--  'Practice practice")));
}

}  // namespace
}  // namespace vrn::testing
