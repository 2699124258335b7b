#include "app/matrixwin/frm_practice_options.h"
#include "model/vrn_option.h"
#include "model/vrn_optiongroup.h"
#include "model/vrn_practice.h"
#include "tests/app/matrixwin/detail_dialog_testing.h"
#include "tests/app/matrixwin/shown_tool_tip.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>

#include <functional>

namespace vrn::testing {
namespace {

// The screen width the dialogs' tests run on (tests/app/data/screen_1280x1024.json).
constexpr int kWideScreen = 1280;

struct Handed {
    std::string name;
    std::string description;
    std::string discussion;
    std::int32_t color = 0;
};

class PracticeOptionsTest : public DetailDialogTest {
protected:
    PracticeOptionsTest() {
        practice_->setName("Precast walls");
        practice_->setDescription("Walls arrive finished");
        practice_->Discussion = "http://example.org/walls";
    }

    std::unique_ptr<FrmPracticeOptions> open() {
        auto dialog = std::make_unique<FrmPracticeOptions>(
            services(), *practice_,
            [this](const std::string& name, const std::string& description,
                   const std::string& discussion, std::int32_t color) {
                handed_.push_back({name, description, discussion, color});
            });
        dialog->editOption = [this](VRN_Option& option) {
            edited_.push_back(&option);
            if (edit_) {
                edit_(option);
            }
        };
        return dialog;
    }
    // Gives the practice a group whose options carry these names; the first equals the practice.
    void giveOptions(const std::vector<std::string>& names) {
        open();
        for (std::size_t index = 1; index < names.size(); ++index) {
            auto option = std::make_shared<VRN_Option>();
            option->Create(names[index], practice_->OptionGroup, nullptr);
        }
    }
    QStringList entries(const FrmPracticeOptions& dialog) const {
        const auto& combo = child<QComboBox>(dialog, "cmbPracticeName");
        QStringList names;
        for (int index = 0; index < combo.count(); ++index) {
            names << combo.itemText(index);
        }
        return names;
    }
    static void select(FrmPracticeOptions& dialog, int position) {
        child<QComboBox>(dialog, "cmbPracticeName").setCurrentIndex(position - 1);
        dialog.cmbPracticeName_Click();
    }
    static bool enabled(const FrmPracticeOptions& dialog, const char* name) {
        return child(dialog, name).isEnabled();
    }

    std::shared_ptr<VRN_Practice> practice_ = std::make_shared<VRN_Practice>();
    std::vector<Handed> handed_;
    std::vector<VRN_Option*> edited_;
    std::function<void(VRN_Option&)> edit_;
};

TEST_F(PracticeOptionsTest, APracticeWithoutOptionsGetsAGroupWhoseOnlyOptionIsThePractice) {
    const auto dialog = open();
    EXPECT_EQ(dialog->windowTitle(), "Practice Options");
    const auto& group = practice_->OptionGroup;
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->Name(), "Precast walls_OptionGroup");
    EXPECT_EQ(group->Prompt, "What question?");
    EXPECT_EQ(child<QLineEdit>(*dialog, "TxtPrompt").text(), "What question?");
    ASSERT_EQ(group->Options.Count(), 1);
    const VRN_Option& first = *group->Options.Item(1);
    EXPECT_EQ(first.Name(), "Precast walls");
    EXPECT_EQ(first.Description(), "Walls arrive finished");
    EXPECT_EQ(first.Discussion, "http://example.org/walls");
    EXPECT_EQ(entries(*dialog), QStringList{"Precast walls"});
    EXPECT_EQ(dialog->selectedPosition(), 1);
    EXPECT_FALSE(enabled(*dialog, "btndelete"));
    EXPECT_FALSE(child<QAction>(*dialog, "mnuOptionsDelete").isEnabled());
    EXPECT_TRUE(enabled(*dialog, "btnDetails"));
    EXPECT_EQ(child<QPlainTextEdit>(*dialog, "txtDescription").toPlainText(),
              "Walls arrive finished");
}

TEST_F(PracticeOptionsTest, OpeningMatchesOptionsExactlyAndAddsThePracticeWhenNoneMatches) {
    struct Case {
        const char* what;
        std::function<void(VRN_Practice&)> change;
        int options;
        int selected;
    };
    const std::vector<Case> cases{
        {"unchanged", [](VRN_Practice&) {}, 2, 1},
        {"name differs in case", [](VRN_Practice& p) { p.setName("precast walls"); }, 3, 3},
        {"description differs", [](VRN_Practice& p) { p.setDescription("Walls arrive"); }, 3, 3},
        {"discussion has a blank", [](VRN_Practice& p) { p.Discussion += " "; }, 3, 3},
    };
    for (const Case& entry : cases) {
        practice_ = std::make_shared<VRN_Practice>();
        practice_->setName("Precast walls");
        practice_->setDescription("Walls arrive finished");
        practice_->Discussion = "http://example.org/walls";
        giveOptions({"Precast walls", "Brick walls"});
        entry.change(*practice_);
        const auto dialog = open();
        EXPECT_EQ(practice_->OptionGroup->Options.Count(), entry.options) << entry.what;
        EXPECT_EQ(dialog->selectedPosition(), entry.selected) << entry.what;
    }
}

TEST_F(PracticeOptionsTest, TheLastMatchingOptionIsSelected) {
    giveOptions({"Precast walls", "Brick walls", "Precast walls"});
    auto& third = *practice_->OptionGroup->Options.Item(3);
    third.setDescription(practice_->Description());
    third.Discussion = practice_->Discussion;
    EXPECT_EQ(open()->selectedPosition(), 3);
}

TEST_F(PracticeOptionsTest, AddOptionKeepsOnlyARenamedOption) {
    const std::vector<std::pair<std::string, bool>> cases{
        {"New Option", false}, {"", false}, {"Steel walls", true}};
    for (const auto& [name, added] : cases) {
        practice_->RemoveOptionGroup();
        const auto dialog = open();
        edit_ = [&name](VRN_Option& option) {
            EXPECT_EQ(option.Name(), "New Option");
            option.setName(name);
        };
        click(*dialog, "btnAddOption");
        EXPECT_EQ(program_.Current_Option.get(), edited_.back());
        EXPECT_EQ(practice_->OptionGroup->Options.Count(), added ? 2 : 1) << name;
        if (added) {
            EXPECT_EQ(entries(*dialog), (QStringList{"Precast walls", "Steel walls"}));
            EXPECT_TRUE(enabled(*dialog, "btndelete"));
        }
    }
}

TEST_F(PracticeOptionsTest, EditingTheFirstOptionAwayFromThePracticeAddsNothing) {
    giveOptions({"Precast walls", "Brick walls"});
    const auto dialog = open();
    edit_ = [](VRN_Option& option) { option.setName("Cast walls"); };
    select(*dialog, 1);
    click(*dialog, "btnDetails");
    EXPECT_EQ(practice_->OptionGroup->Options.Count(), 2);
    EXPECT_EQ(entries(*dialog), (QStringList{"Cast walls", "Brick walls"}));
    EXPECT_EQ(dialog->selectedPosition(), 1);

    // Editing another option reloads as after opening: the practice gets its option back.
    edit_ = [](VRN_Option& option) { option.color = 0x00FF00; };
    select(*dialog, 2);
    click(*dialog, "btnDetails");
    EXPECT_EQ(practice_->OptionGroup->Options.Count(), 3);
}

TEST_F(PracticeOptionsTest, DeletingTheFirstEntryRemovesTheWholeGroupAfterYes) {
    giveOptions({"Precast walls", "Brick walls"});
    for (const MsgBoxResult answer : {MsgBoxResult::No, MsgBoxResult::Cancel}) {
        const auto dialog = open();
        prompt_.answer(answer);
        click(*dialog, "btndelete");
        EXPECT_NE(practice_->OptionGroup, nullptr);
    }
    const auto dialog = open();
    dialog->show();
    prompt_.answer(MsgBoxResult::Yes);
    click(*dialog, "btndelete");
    EXPECT_EQ(practice_->OptionGroup, nullptr);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(handed_.empty());
    const auto& question = prompt_.questions().back();
    EXPECT_EQ(question.text,
              "Are you sure you want to delete the options altogether and exit this form? ");
    EXPECT_EQ(question.title, "Delete Option Group");
    EXPECT_EQ(question.style.buttons, MsgBoxButtons::YesNoCancel);
}

TEST_F(PracticeOptionsTest, DeletingAnotherEntryRemovesJustThatOptionAfterOk) {
    giveOptions({"Precast walls", "Brick walls", "Steel walls"});
    const auto dialog = open();
    select(*dialog, 2);
    prompt_.answer(MsgBoxResult::Cancel);
    click(*dialog, "btndelete");
    EXPECT_EQ(practice_->OptionGroup->Options.Count(), 3);
    prompt_.answer(MsgBoxResult::Ok);
    child<QAction>(*dialog, "mnuOptionsDelete").trigger();
    EXPECT_EQ(entries(*dialog), (QStringList{"Precast walls", "Steel walls"}));
    const auto& question = prompt_.questions().back();
    EXPECT_EQ(question.text, "Are you sure you wish to delete option: 'Brick walls'");
    EXPECT_EQ(question.title, "Delete Confirmation");
    EXPECT_EQ(question.style.buttons, MsgBoxButtons::OkCancel);
}

TEST_F(PracticeOptionsTest, OkHandsTheSelectedOptionToTheOpener) {
    giveOptions({"Precast walls", "Brick walls"});
    auto& brick = *practice_->OptionGroup->Options.Item(2);
    brick.setDescription("Laid on site");
    brick.Discussion = "http://example.org/brick";
    brick.color = 0x3366CC;
    const auto dialog = open();
    select(*dialog, 2);
    // Typed texts go to the opener only, never into the option.
    child<QLineEdit>(*dialog, "txtDiscussion").setText("http://example.org/typed");
    click(*dialog, "btnOK");
    ASSERT_EQ(handed_.size(), 1U);
    EXPECT_EQ(handed_[0].name, "Brick walls");
    EXPECT_EQ(handed_[0].description, "Laid on site");
    EXPECT_EQ(handed_[0].discussion, "http://example.org/typed");
    EXPECT_EQ(handed_[0].color, 0x3366CC);
    EXPECT_EQ(brick.Discussion, "http://example.org/brick");
}

TEST_F(PracticeOptionsTest, CancelKeepsAddedOptionsAndTheQuestionButLeavesThePractice) {
    const auto dialog = open();
    edit_ = [](VRN_Option& option) { option.setName("Steel walls"); };
    click(*dialog, "btnAddOption");
    auto& prompt = child<QLineEdit>(*dialog, "TxtPrompt");
    prompt.setText("Which walls?");
    leave(prompt);
    child<QAction>(*dialog, "munFileCancel").trigger();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(handed_.empty());
    EXPECT_EQ(practice_->OptionGroup->Options.Count(), 2);
    EXPECT_EQ(practice_->OptionGroup->Prompt, "Which walls?");
    EXPECT_EQ(practice_->Name(), "Precast walls");
}

struct LeavingRoute {
    const char* name;
    // Leaves the dialog with the cursor still in the question box.
    std::function<void(FrmPracticeOptions&, QLineEdit& question)> leave;
    bool accepted;
};

TEST_F(PracticeOptionsTest, AQuestionTypedIsKeptOnEveryWayOut) {
    const LeavingRoute routes[] = {
        {"Escape",
         [](FrmPracticeOptions&, QLineEdit& question) {
             QTest::keyClick(&question, Qt::Key_Escape);
         },
         false},
        {"the close button", [](FrmPracticeOptions& dialog, QLineEdit&) { dialog.close(); }, false},
        {"Cancel by mouse",
         [](FrmPracticeOptions& dialog, QLineEdit&) {
             QTest::mouseClick(&child<QPushButton>(dialog, "btnCancel"), Qt::LeftButton);
         },
         false},
        {"Quit",
         [](FrmPracticeOptions& dialog, QLineEdit&) {
             child<QAction>(dialog, "munFileCancel").trigger();
         },
         false},
        {"Return",
         [](FrmPracticeOptions&, QLineEdit& question) {
             QTest::keyClick(&question, Qt::Key_Return);
         },
         true},
    };
    for (const LeavingRoute& route : routes) {
        SCOPED_TRACE(route.name);
        handed_.clear();
        const auto dialog = open();
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        auto& question = child<QLineEdit>(*dialog, "TxtPrompt");
        question.setFocus();
        QTest::keyClick(&question, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&question, QStringLiteral("Which walls, %1?").arg(route.name));
        route.leave(*dialog, question);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), route.accepted ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_EQ(handed_.size(), route.accepted ? 1U : 0U);
        EXPECT_EQ(practice_->OptionGroup->Prompt,
                  QStringLiteral("Which walls, %1?").arg(route.name).toStdString());
    }

    // Deleting the whole group takes the question with it.
    giveOptions({"Precast walls", "Brick walls"});
    const auto dialog = open();
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    auto& question = child<QLineEdit>(*dialog, "TxtPrompt");
    question.setFocus();
    QTest::keyClicks(&question, QStringLiteral(" Gone"));
    prompt_.answer(MsgBoxResult::Yes);
    child<QAction>(*dialog, "mnuOptionsDelete").trigger();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(practice_->OptionGroup, nullptr);
}

TEST_F(PracticeOptionsTest, AnEmptyQuestionIsNotStored) {
    const auto dialog = open();
    auto& prompt = child<QLineEdit>(*dialog, "TxtPrompt");
    prompt.clear();
    leave(prompt);
    EXPECT_EQ(practice_->OptionGroup->Prompt, "What question?");
}

TEST_F(PracticeOptionsTest, AnOptionWithoutANameNeverEmptiesThePracticesName) {
    giveOptions({"Precast walls", "Brick walls"});
    practice_->OptionGroup->Options.Item(2)->setName("");
    const auto dialog = open();
    select(*dialog, 2);
    click(*dialog, "btnOK");
    EXPECT_TRUE(handed_.empty());
    EXPECT_EQ(practice_->Name(), "Precast walls");
}

// The width of the text field of `combo` as laid out.
int textFieldWidth(const QComboBox& combo) {
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    return combo.style()
        ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &combo)
        .width();
}

TEST_F(PracticeOptionsTest, TheOptionListShowsWholeNames) {
    if (QGuiApplication::primaryScreen()->availableGeometry().width() < kWideScreen) {
        GTEST_SKIP() << "a long name beside the option buttons needs a screen 1280 pixels wide "
                        "(ctest runs this program on one)";
    }
    const QString longName = "Precast walls from a contractor outside the organisation";
    giveOptions({"Precast walls", longName.toStdString()});
    const auto dialog = open();
    dialog->show();
    QApplication::processEvents();
    auto& combo = child<QComboBox>(*dialog, "cmbPracticeName");
    const QFontMetrics metrics(combo.font());
    EXPECT_GE(textFieldWidth(combo), metrics.horizontalAdvance(longName));
    EXPECT_GE(combo.view()->minimumWidth(), metrics.horizontalAdvance(longName));

    // A longer one added while the dialog is open widens it again.
    const QString longer = "Precast walls from a contractor outside the organisation, checked";
    edit_ = [&longer](VRN_Option& option) { option.setName(longer.toStdString()); };
    click(*dialog, "btnAddOption");
    QApplication::processEvents();
    EXPECT_GE(textFieldWidth(combo), metrics.horizontalAdvance(longer));

    // One wider than the screen allows shows whole in its tool tip.
    const QString huge = QString("Precast walls ").repeated(40);
    edit_ = [&huge](VRN_Option& option) { option.setName(huge.toStdString()); };
    click(*dialog, "btnAddOption");
    QApplication::processEvents();
    EXPECT_LE(combo.width(), combo.maximumWidth());
    const int last = combo.count() - 1;
    EXPECT_EQ(shownToolTip(combo.itemData(last, Qt::ToolTipRole).toString()), huge);
    combo.setCurrentIndex(last);
    EXPECT_EQ(shownToolTip(combo.toolTip()), huge);
}

TEST_F(PracticeOptionsTest, OptionNamesShowLiterallyInTheirToolTips) {
    const std::vector<std::string> names = {"Precast walls", "<b>x</b>", "<img src=x> & more",
                                            "<h1>Heading</h1>\nsecond line"};
    giveOptions(names);
    const auto dialog = open();
    auto& combo = child<QComboBox>(*dialog, "cmbPracticeName");
    ASSERT_EQ(combo.count(), static_cast<int>(names.size()));
    for (int index = 0; index < combo.count(); ++index) {
        const QString name = QString::fromStdString(names[static_cast<std::size_t>(index)]);
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(shownToolTip(combo.itemData(index, Qt::ToolTipRole).toString()), name);
        // The box shows the chosen name's tip, by the user's choice and by the dialog's own.
        combo.setCurrentIndex(index);
        EXPECT_EQ(shownToolTip(combo.toolTip()), name);
        select(*dialog, index + 1);
        EXPECT_EQ(shownToolTip(combo.toolTip()), name);
    }
}

}  // namespace
}  // namespace vrn::testing
