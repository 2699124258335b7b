#pragma once

#include "app/matrixwin/detail_dialogs.h"

#include <QDialog>

#include <memory>
#include <string>
#include <vector>

class QGridLayout;
class QScrollBar;

namespace vrn {

class CellButton;

// The guided option questions: walks through the practices of one practice group and, for each
// practice with an option group, asks the group's question and offers the options after the
// first as answers. An answer is applied to the practice at once and the walk moves on; the
// question button and the scroll bar move without answering. There is no OK or Cancel.
class FrmOvalDialogue : public QDialog {
    Q_OBJECT
public:
    // Answer buttons the dialog starts with; a group with more options gets more.
    static constexpr int kAnswerButtons = 7;

    explicit FrmOvalDialogue(DetailDialogServices services, QWidget* parent = nullptr);

    // Starts the walk at the group's first practice.
    void Load_Data(const std::shared_ptr<VRN_PracticeGroup>& group);
    // The current practice takes option `option` (1-based) of its option group.
    void choose_option(int option);
    // One practice forward (1 or more) or back (below 1), wrapping around.
    void Dialogue_Proceed(int direction);

    // 1-based position in the group; 0 for a group without practices.
    int position() const { return position_; }
    CellButton& question() const { return *btnQuestion_; }
    // The answer button for option `index` + 2.
    CellButton& answer(int index) const { return *answers_.at(static_cast<std::size_t>(index)); }
    int answerCount() const { return static_cast<int>(answers_.size()); }

private:
    void Show_Practice_Question(int position);
    CellButton& answerButton(std::size_t index);
    void HScroll1_Change(int value);
    void Load_Logo_Picture(const QString& file);

    DetailDialogServices services_;
    std::shared_ptr<VRN_PracticeGroup> group_;
    std::shared_ptr<VRN_Practice> practice_;
    int position_ = 0;
    CellButton* btnQuestion_ = nullptr;
    std::vector<CellButton*> answers_;
    QGridLayout* answerGrid_ = nullptr;
    QScrollBar* hScroll_ = nullptr;
};

}  // namespace vrn
