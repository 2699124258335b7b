#pragma once

#include "app/matrixwin/kept_text_box.h"
#include "app/matrixwin/vrn_main.h"
#include "platform/prompt.h"

#include <QDialog>

#include <functional>
#include <memory>

class QPushButton;

namespace vrn {

// The dialog that shows, edits and prints one long text: the directions of the current matrix,
// or, when the program's Dialog_Title is "Description", the description of the state in
// Directions_Object. OK writes the text back; closing it any other way drops the edit.
class FrmDirectionsDetails : public QDialog {
    Q_OBJECT
public:
    FrmDirectionsDetails(VrnMain& program, Prompt& prompt, QWidget* parent = nullptr);

    // Takes the mode and what to edit from the program, and fills the text.
    void Load_Data();

    QPlainTextEdit& txtDirections() const { return *text_; }
    // What Print does with the text: prints it where Page Setup chose unless replaced, and on a
    // system without any printer where the print dialog chooses (a PDF file). Throws
    // (PrinterError) saying why nothing was printed; the dialog shows it.
    std::function<void(const QString&)> printText;

private:
    void btnOK_Click();
    void btnPrint_Click();

    VrnMain& program_;
    Prompt& prompt_;
    KeptTextEdit* text_;
    QString mode_;
    std::shared_ptr<VRN_State> target_;
    std::shared_ptr<VRN_Matrix> matrix_;
};

// Sets Dialog_Title and Directions_Object, then shows the directions dialog modally.
void Show_Directions_Dialog(VrnMain& program, Prompt& prompt, const QString& title,
                            const DirectionsTarget& object, QWidget* parent);

}  // namespace vrn
