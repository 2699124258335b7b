#pragma once

#include "app/matrixwin/detail_dialogs.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <string>

class QPushButton;

namespace vrn {

class KeptLineEdit;
class KeptTextEdit;

// "Practice": edits the name, description, discussion and colour of a practice that has no
// option group, with a way into its options. Texts reach the practice as each box loses the
// focus and the colour at once; Cancel puts the texts back as they were when the dialog was
// filled (the colour stays), and OK with an empty name acts as Cancel.
class FrmPracticeDetails : public QDialog {
    Q_OBJECT
public:
    FrmPracticeDetails(DetailDialogServices services, VRN_Practice& practice,
                       QWidget* parent = nullptr);

    // Fills the dialog from the practice; what it shows becomes the point Cancel returns to.
    void Load_Data();
    // Writes the four values into the practice and fills the dialog again; the options editor
    // hands its chosen option back this way.
    void set_practice(const std::string& practice_name, const std::string& Practice_description,
                      const std::string& Practice_discussion, std::int32_t Practice_color);

    // Opens the options editor of the practice; by default modally, tests replace it.
    std::function<void(FrmPracticeDetails&)> openOptions;

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void writeBack(QObject* control);
    void btnmycolor_Click();
    void btnOK_Click();
    void restoreTexts();

    DetailDialogServices services_;
    VRN_Practice& practice_;
    std::string savedName_;
    std::string savedDescription_;
    std::string savedDiscussion_;
    bool nameOrDiscussionChanged_ = false;
    bool descriptionChanged_ = false;
    bool closed_ = false;
    KeptLineEdit* txtName_ = nullptr;
    KeptTextEdit* txtDescription_ = nullptr;
    KeptLineEdit* txtDiscussion_ = nullptr;
    QPushButton* btnColor_ = nullptr;
};

}  // namespace vrn
