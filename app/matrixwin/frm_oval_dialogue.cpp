#include "app/matrixwin/frm_oval_dialogue.h"

#include "model/vrn_option.h"
#include "model/vrn_optiongroup.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "platform/cell_button.h"
#include "platform/ole_color.h"

#include <QGridLayout>
#include <QPixmap>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace vrn {

namespace {

constexpr int kAnswerColumns = 4;
constexpr int kQuestionHeight = 72;
constexpr int kAnswerWidth = 150;
constexpr int kAnswerHeight = 56;
constexpr double kQuestionFontSize = 11.0;
constexpr double kAnswerFontSize = 9.0;
constexpr qint32 kRed = 0x0000FF;
constexpr qint32 kBlue = 0xFF0000;
constexpr qint32 kWhite = 0xFFFFFF;

CellButton* makeCell(const QString& name, double fontSize, QWidget* parent) {
    auto* cell = new CellButton(parent);
    cell->setObjectName(name);
    cell->setFontSize(fontSize);
    // Keys do nothing on these buttons: only the pointer answers.
    cell->setFocusPolicy(Qt::NoFocus);
    // The dialog is as wide as its row of answers, whatever the length of a name: a cell wraps
    // its text, shortens what does not fit, and shows that whole in its tool tip.
    cell->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return cell;
}

}  // namespace

FrmOvalDialogue::FrmOvalDialogue(DetailDialogServices services, QWidget* parent)
    : QDialog(parent), services_(services) {
    setObjectName(QStringLiteral("frmOvalDialogue"));
    setWindowTitle(QStringLiteral("Practice Questions"));
    setModal(true);

    btnQuestion_ = makeCell(QStringLiteral("BtnQuestion"), kQuestionFontSize, this);
    btnQuestion_->setFontBold(true);
    btnQuestion_->setMinimumSize(kAnswerColumns * kAnswerWidth, kQuestionHeight);
    connect(btnQuestion_, &CellButton::clicked, this, [this] { Dialogue_Proceed(1); });

    answerGrid_ = new QGridLayout;
    for (std::size_t index = 0; index < kAnswerButtons; ++index) {
        answerButton(index);
    }

    hScroll_ = new QScrollBar(Qt::Horizontal, this);
    hScroll_->setObjectName(QStringLiteral("HScroll1"));
    hScroll_->setPageStep(1);
    connect(hScroll_, &QScrollBar::valueChanged, this, &FrmOvalDialogue::HScroll1_Change);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(btnQuestion_);
    layout->addLayout(answerGrid_);
    layout->addStretch();
    layout->addWidget(hScroll_);

    Load_Logo_Picture(QStringLiteral("Logo_On_Form.bmp"));
}

CellButton& FrmOvalDialogue::answerButton(std::size_t index) {
    while (answers_.size() <= index) {
        const std::size_t next = answers_.size();
        auto* cell = makeCell(QStringLiteral("BTNanswer_%1").arg(next), kAnswerFontSize, this);
        cell->setMinimumSize(kAnswerWidth, kAnswerHeight);
        cell->hide();
        const int option = static_cast<int>(next) + 2;
        connect(cell, &CellButton::clicked, this, [this, option] {
            choose_option(option);
            Dialogue_Proceed(1);
        });
        answerGrid_->addWidget(cell, static_cast<int>(next) / kAnswerColumns,
                               static_cast<int>(next) % kAnswerColumns);
        answers_.push_back(cell);
    }
    return *answers_[index];
}

void FrmOvalDialogue::Load_Logo_Picture(const QString& file) {
    // The picture is decoration: without it the form keeps its plain background.
    const QPixmap logo(file);
    if (logo.isNull()) {
        return;
    }
    QPalette shown = palette();
    shown.setBrush(QPalette::Window, logo);
    setPalette(shown);
    setAutoFillBackground(true);
}

void FrmOvalDialogue::Load_Data(const std::shared_ptr<VRN_PracticeGroup>& group) {
    group_ = group;
    const int count = group_ != nullptr ? group_->PracticeParts.Count() : 0;
    {
        const QSignalBlocker quiet(hScroll_);
        hScroll_->setMinimum(1);
        hScroll_->setMaximum(std::max(count, 1));
    }
    position_ = 0;
    if (count > 0) {
        Show_Practice_Question(1);
    }
}

void FrmOvalDialogue::Show_Practice_Question(int position) {
    for (CellButton* cell : answers_) {
        cell->hide();
    }
    position_ = position;
    {
        const QSignalBlocker quiet(hScroll_);
        hScroll_->setValue(position);
    }
    practice_ = group_->PracticeParts.Item(position);
    const std::string practiceName = practice_->Name();
    const auto& options = practice_->OptionGroup;
    if (options == nullptr) {
        // Nothing to ask here: the question of the practice before must not stand for this one.
        btnQuestion_->setText(
            QStringLiteral("No question for '%1'").arg(QString::fromStdString(practiceName)));
        btnQuestion_->setBackColor(kOleButtonFace);
        return;
    }
    int index = 0;
    for (const auto& option : options->Options) {
        ++index;
        if (index == 1) {
            btnQuestion_->setText(QString::fromStdString(options->Prompt));
            btnQuestion_->setBackColor(option->color != 0 ? option->color : kRed);
            continue;
        }
        CellButton& cell = answerButton(static_cast<std::size_t>(index - 2));
        cell.setText(QString::fromStdString(option->Name()));
        if (option->Name() == practiceName) {
            // The answer in force.
            cell.setBackColor(kBlue);
        } else {
            cell.setBackColor(option->color != 0 ? option->color : kWhite);
        }
        cell.show();
    }
}

void FrmOvalDialogue::choose_option(int option) {
    if (practice_ == nullptr || practice_->OptionGroup == nullptr) {
        return;
    }
    const auto& options = practice_->OptionGroup->Options;
    if (option < 1 || option > options.Count()) {
        return;
    }
    const VRN_Option& chosen = *options.Item(option);
    practice_->setDescription(chosen.Description());
    practice_->setName(chosen.Name());
    practice_->color = chosen.color;
}

void FrmOvalDialogue::Dialogue_Proceed(int direction) {
    const int count = group_ != nullptr ? group_->PracticeParts.Count() : 0;
    if (count == 0) {
        return;
    }
    int next = position_;
    if (direction < 1) {
        next = next <= 1 ? count : next - 1;
    } else {
        next = next >= count ? 1 : next + 1;
    }
    // The group may have lost practices since the last step.
    next = std::min(next, count);
    Show_Practice_Question(next);
}

void FrmOvalDialogue::HScroll1_Change(int value) {
    if (value > position_) {
        Dialogue_Proceed(1);
    } else if (value < position_) {
        Dialogue_Proceed(-1);
    }
}

}  // namespace vrn
