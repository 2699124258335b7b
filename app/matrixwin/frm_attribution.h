#pragma once

#include "app/matrixwin/vrn_main.h"

#include <QDialog>

#include <array>
#include <memory>
#include <string>

class QCheckBox;

namespace vrn {

class KeptLineEdit;

// "Matrix Attribution": shows and edits the attribution fields and the lock of the current
// matrix, and stamps it with the time it was shown. A field writes into the matrix when it loses
// the focus after an edit; OK writes the time stamp and the lock. During a Save As the lock shows
// unlocked and the program keeps the matrix's lock in Save_As_Locked.
class frmAttribution : public QDialog {
    Q_OBJECT
public:
    explicit frmAttribution(VrnMain& program, QWidget* parent = nullptr);

    // Fills the dialog from `cur_matrix` and stamps its Modified with the present time.
    void Load_Data(VRN_Matrix& cur_matrix);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TextField {
        KeptLineEdit* box;
        std::string VRN_Matrix::*field;
    };

    KeptLineEdit* addField(const char* name, const char* label, std::string VRN_Matrix::*field);
    // The control's value into the matrix, when anything was changed since the last write.
    void writeBack(QObject* control);
    void btnOK_Click();

    VrnMain& program_;
    std::shared_ptr<VRN_Matrix> matrix_;
    std::array<TextField, 7> fields_{};
    std::size_t fieldCount_ = 0;
    KeptLineEdit* txtModified_ = nullptr;
    QCheckBox* chkLock_ = nullptr;
    bool changed_ = false;
};

// Shows the attribution of the current matrix modally; nothing when there is none.
void showAttribution(VrnMain& program, QWidget* parent);

}  // namespace vrn
