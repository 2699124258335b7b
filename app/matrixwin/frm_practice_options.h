#pragma once

#include "app/matrixwin/detail_dialogs.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QAction;
class QComboBox;
class QPushButton;

namespace vrn {

class KeptLineEdit;
class KeptTextEdit;

// "Practice Options": edits the question of a practice's option group and its options. The first
// option mirrors the practice as it was when the group was made. Added, edited and deleted
// options and the question stay whatever closes the dialog; OK also hands the selected option's
// name, description, discussion and colour to the window that opened the editor.
class FrmPracticeOptions : public QDialog {
    Q_OBJECT
public:
    using PracticeSetter =
        std::function<void(const std::string& name, const std::string& description,
                           const std::string& discussion, std::int32_t color)>;

    FrmPracticeOptions(DetailDialogServices services, VRN_Practice& practice,
                       PracticeSetter set_practice, QWidget* parent = nullptr);

    // Fills the dialog from the practice. `afterFirstEdited` and `keepOptions` (set after an
    // edit) keep a group that holds no option equal to the practice from gaining one.
    void Load_Data(bool afterFirstEdited, bool keepOptions);
    // Shows the option at the selected entry (the first when none is selected).
    void cmbPracticeName_Click();

    // Edits one option in the option details dialog; by default modally, tests replace it.
    std::function<void(VRN_Option&)> editOption;

    // 1-based position of the selected entry; 0 when the list is empty.
    int selectedPosition() const { return position_; }

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    // Gives the practice an option group whose only option equals the practice.
    void createFirstOption(bool keepEntity);
    std::shared_ptr<VRN_Option> newOption(const std::string& name,
                                          const std::shared_ptr<VRN_Optiongroup>& group);
    void btnAddOption_Click();
    void btnDetails_Click();
    void btndelete_Click();
    void btnOK_Click();
    void writePrompt();

    DetailDialogServices services_;
    VRN_Practice& practice_;
    PracticeSetter set_practice_;
    int position_ = 0;
    std::int32_t color_ = 0;
    bool promptChanged_ = false;
    bool closed_ = false;
    KeptLineEdit* txtPrompt_ = nullptr;
    QComboBox* cmbPracticeName_ = nullptr;
    KeptTextEdit* txtDescription_ = nullptr;
    KeptLineEdit* txtDiscussion_ = nullptr;
    QPushButton* btnDetails_ = nullptr;
    QPushButton* btnDelete_ = nullptr;
    QAction* mnuOptionsDelete_ = nullptr;
};

}  // namespace vrn
