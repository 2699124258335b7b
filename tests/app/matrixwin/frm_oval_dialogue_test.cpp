#include "app/matrixwin/frm_oval_dialogue.h"
#include "model/vrn_option.h"
#include "model/vrn_optiongroup.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "platform/cell_button.h"
#include "tests/app/matrixwin/detail_dialog_testing.h"

#include <QImage>
#include <QScrollBar>

#include <algorithm>
#include <utility>

namespace vrn::testing {
namespace {

constexpr qint32 kRed = 0x0000FF;
constexpr qint32 kBlue = 0xFF0000;
constexpr qint32 kWhite = 0xFFFFFF;

class GuidedQuestionsTest : public DetailDialogTest {
protected:
    // A practice named `name` whose option group asks `prompt`; option 1 is the practice.
    std::shared_ptr<VRN_Practice> addPractice(const std::string& name, const std::string& prompt,
                                              const std::vector<std::string>& answers,
                                              std::int32_t firstColor = 0) {
        auto practice = std::make_shared<VRN_Practice>();
        practice->setName(name);
        group_->PracticeParts.Add(practice);
        if (prompt.empty()) {
            return practice;
        }
        auto options = std::make_shared<VRN_Optiongroup>();
        options->Create(name + "_OptionGroup", practice, nullptr);
        options->Prompt = prompt;
        auto first = std::make_shared<VRN_Option>();
        first->Create(name, options, nullptr);
        first->color = firstColor;
        for (const std::string& answer : answers) {
            auto option = std::make_shared<VRN_Option>();
            option->Create(answer, options, nullptr);
            option->setDescription("About " + answer);
        }
        return practice;
    }
    std::unique_ptr<FrmOvalDialogue> open() {
        auto dialog = std::make_unique<FrmOvalDialogue>(services());
        dialog->Load_Data(group_);
        return dialog;
    }
    static QStringList shownAnswers(const FrmOvalDialogue& dialog) {
        QStringList texts;
        for (int index = 0; index < dialog.answerCount(); ++index) {
            if (!dialog.answer(index).isHidden()) {
                texts << dialog.answer(index).text();
            }
        }
        return texts;
    }

    std::shared_ptr<VRN_PracticeGroup> group_ = std::make_shared<VRN_PracticeGroup>();
};

TEST_F(GuidedQuestionsTest, AGroupWithOnlyTheFirstOptionAsksWithoutAnswersOnRed) {
    addPractice("Walls", "Which walls?", {});
    const auto dialog = open();
    EXPECT_EQ(dialog->question().text(), "Which walls?");
    EXPECT_EQ(dialog->question().backColor(), kRed);
    EXPECT_TRUE(shownAnswers(*dialog).isEmpty());

    group_ = std::make_shared<VRN_PracticeGroup>();
    addPractice("Roof", "Which roof?", {}, 0x00FF00);
    EXPECT_EQ(open()->question().backColor(), 0x00FF00);
}

TEST_F(GuidedQuestionsTest, TheAnswerInForceIsBlueAndAChosenAnswerTakesItsPlace) {
    const auto walls = addPractice("Walls", "Which walls?", {"Brick", "Walls", "Steel"});
    walls->OptionGroup->Options.Item(4)->color = 0x00FF00;
    addPractice("Roof", "Which roof?", {"Tiles"});
    const auto dialog = open();
    EXPECT_EQ(shownAnswers(*dialog), (QStringList{"Brick", "Walls", "Steel"}));
    EXPECT_EQ(dialog->answer(0).backColor(), kWhite);
    EXPECT_EQ(dialog->answer(1).backColor(), kBlue);
    EXPECT_EQ(dialog->answer(2).backColor(), 0x00FF00);

    dialog->answer(2).click();
    EXPECT_EQ(walls->Name(), "Steel");
    EXPECT_EQ(walls->Description(), "About Steel");
    EXPECT_EQ(walls->color, 0x00FF00);
    EXPECT_EQ(dialog->position(), 2);
    EXPECT_EQ(dialog->question().text(), "Which roof?");

    dialog->Dialogue_Proceed(-1);
    EXPECT_EQ(dialog->answer(1).backColor(), kWhite);
    EXPECT_EQ(dialog->answer(2).backColor(), kBlue);
}

TEST_F(GuidedQuestionsTest, TheWalkWrapsBothWays) {
    addPractice("Walls", "Which walls?", {"Brick"});
    addPractice("Plain", "", {});
    const auto roof = addPractice("Roof", "Which roof?", {"Tiles", "Slate"});
    const auto dialog = open();
    auto& scroll = child<QScrollBar>(*dialog, "HScroll1");
    EXPECT_EQ(scroll.minimum(), 1);
    EXPECT_EQ(scroll.maximum(), 3);

    dialog->Dialogue_Proceed(0);
    EXPECT_EQ(dialog->position(), 3);
    EXPECT_EQ(scroll.value(), 3);
    dialog->answer(1).click();  // on the last practice: on to the first
    EXPECT_EQ(roof->Name(), "Slate");
    EXPECT_EQ(dialog->position(), 1);

    // A practice without options asks nothing: the question before it does not stay.
    dialog->question().click();
    EXPECT_EQ(dialog->position(), 2);
    EXPECT_EQ(dialog->question().text(), "No question for 'Plain'");
    EXPECT_NE(dialog->question().backColor(), kRed);
    EXPECT_TRUE(shownAnswers(*dialog).isEmpty());

    // The bar moves one practice whatever the jump, and is set back to it.
    scroll.setValue(1);
    EXPECT_EQ(dialog->position(), 1);
    scroll.setValue(3);
    EXPECT_EQ(dialog->position(), 2);
    EXPECT_EQ(scroll.value(), 2);
}

TEST_F(GuidedQuestionsTest, EveryOptionBeyondTheFirstGetsAnAnswerButton) {
    std::vector<std::string> answers;
    for (int number = 2; number <= 10; ++number) {
        answers.push_back("Answer " + std::to_string(number));
    }
    const auto walls = addPractice("Walls", "Which walls?", answers);
    const auto dialog = open();
    ASSERT_EQ(shownAnswers(*dialog).size(), 9);
    EXPECT_EQ(shownAnswers(*dialog).back(), "Answer 10");
    dialog->answer(8).click();
    EXPECT_EQ(walls->Name(), "Answer 10");

    // A later group with fewer options hides the extra buttons.
    group_ = std::make_shared<VRN_PracticeGroup>();
    addPractice("Roof", "Which roof?", {"Tiles"});
    dialog->Load_Data(group_);
    EXPECT_EQ(shownAnswers(*dialog), QStringList{"Tiles"});
}

// How many pixels of `cell`, painted at `size`, are whitish and how many near black.
std::pair<int, int> whiteAndBlack(CellButton& cell, const QSize& size) {
    cell.resize(size);
    const QImage picture = cell.grab().toImage();
    int white = 0;
    int black = 0;
    for (int y = 2; y < picture.height() - 2; ++y) {
        for (int x = 2; x < picture.width() - 2; ++x) {
            const QColor pixel = picture.pixelColor(x, y);
            white += std::min({pixel.red(), pixel.green(), pixel.blue()}) > 100 ? 1 : 0;
            black += std::max({pixel.red(), pixel.green(), pixel.blue()}) < 40 ? 1 : 0;
        }
    }
    return {white, black};
}

TEST_F(GuidedQuestionsTest, AnswersArePaintedAsCellsInTheirColourWithTextThatReadsOnIt) {
    addPractice("Walls", "Which walls?", {"Walls"});
    const auto dialog = open();
    CellButton& answer = dialog->answer(0);
    answer.resize(150, 56);
    const QImage picture = answer.grab().toImage();
    // A point inside the panel, clear of the text and the bevel.
    EXPECT_EQ(picture.pixelColor(10, picture.height() / 2), QColor(0, 0, 255));

    // White text on the blue answer in force and on the red question, none in black.
    for (CellButton* cell : {&answer, &dialog->question()}) {
        const auto [white, black] = whiteAndBlack(*cell, QSize(300, 60));
        EXPECT_GT(white, 20) << cell->objectName().toStdString();
        EXPECT_EQ(black, 0) << cell->objectName().toStdString();
    }
}

TEST_F(GuidedQuestionsTest, AnEmptyGroupShowsNothingAndDoesNotMove) {
    const auto dialog = open();
    EXPECT_EQ(dialog->position(), 0);
    dialog->Dialogue_Proceed(1);
    dialog->question().click();
    EXPECT_EQ(dialog->position(), 0);
}

}  // namespace
}  // namespace vrn::testing
