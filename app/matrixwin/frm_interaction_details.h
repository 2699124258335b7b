#pragma once

#include "app/matrixwin/detail_dialogs.h"

#include <QDialog>

#include <array>
#include <string>

class QButtonGroup;
class QLabel;
class QListWidget;
class QPushButton;

namespace vrn {

class KeptLineEdit;
class KeptTextEdit;

// "Interaction Details": edits the value, note, description, discussion and, for an interaction
// between an existing and a target practice, the colour of one interaction. Every edit reaches
// the interaction at once (a text box writes when it loses the focus); there is no Cancel.
class FrmInteractionDetails : public QDialog {
    Q_OBJECT
public:
    static constexpr int kValueCount = 4;

    FrmInteractionDetails(DetailDialogServices services, VRN_MatrixInteraction& interaction,
                          QWidget* parent = nullptr);

    // Fills the dialog from the interaction.
    void Load_Data();
    // Presses the button of `Value` ("+", "", "-" or "?"); any other text presses none.
    void set_buttons(const std::string& Value);
    // The value button at `index` (0 to 3); nothing when none is pressed.
    QPushButton& valueButton(int index) const;
    int pressedValue() const;

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void btnInteraction_Click(int index);
    void btnmycolor_Click();
    void writeBack(QObject* control);
    void setNote(const std::string& note);

    DetailDialogServices services_;
    VRN_MatrixInteraction& interaction_;
    QButtonGroup* values_ = nullptr;
    std::array<QPushButton*, kValueCount> valueButtons_{};
    QLabel* lblInteraction_ = nullptr;
    QLabel* lblColor_ = nullptr;
    QPushButton* btnColor_ = nullptr;
    KeptLineEdit* txtNote_ = nullptr;
    KeptTextEdit* txtDescription_ = nullptr;
    KeptLineEdit* txtDiscussion_ = nullptr;
    QListWidget* lstExceptions_ = nullptr;
    bool changed_ = false;
};

}  // namespace vrn
