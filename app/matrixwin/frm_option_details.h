#pragma once

#include "app/matrixwin/detail_dialogs.h"

#include <QDialog>

#include <string>

class QPushButton;

namespace vrn {

class KeptLineEdit;
class KeptTextEdit;

// "Option Details": edits the title, description, discussion and colour of one option of a
// practice's option group. Texts reach the option as each box loses the focus, the colour at
// once; Cancel (or closing the window) puts the texts back and keeps the colour.
class FrmOptionDetails : public QDialog {
    Q_OBJECT
public:
    FrmOptionDetails(DetailDialogServices services, VRN_Option& option, QWidget* parent = nullptr);

    // Fills the dialog from the option and remembers its texts for Cancel.
    void Load_Data();

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void writeBack(QObject* control);
    void btnmycolor_Click();

    DetailDialogServices services_;
    VRN_Option& option_;
    std::string savedName_;
    std::string savedDescription_;
    std::string savedDiscussion_;
    // Shared by the three boxes and never cleared: once set, leaving any box writes it.
    bool changed_ = false;
    bool closed_ = false;
    KeptLineEdit* txtName_ = nullptr;
    KeptTextEdit* txtDescription_ = nullptr;
    KeptLineEdit* txtDiscussion_ = nullptr;
    QPushButton* btnColor_ = nullptr;
};

}  // namespace vrn
