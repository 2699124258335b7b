#include "app/matrixwin/frm_directions_details.h"

#include "app/common/literal_text.h"
#include "app/common/named_widgets.h"
#include "model/vrn_matrix.h"
#include "model/vrn_state.h"
#include "platform/text_printer.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <exception>

namespace vrn {

namespace {

const QString kDescriptionMode = QStringLiteral("Description");
constexpr QSize kDesignSize(480, 360);

}  // namespace

FrmDirectionsDetails::FrmDirectionsDetails(VrnMain& program, Prompt& prompt, QWidget* parent)
    : QDialog(parent), program_(program), prompt_(prompt), text_(new KeptTextEdit(this)) {
    setObjectName(QStringLiteral("FrmDirectionsDetails"));
    setModal(true);
    text_->setObjectName(QStringLiteral("txtDirections"));
    QPushButton* ok = namedButton(QStringLiteral("OK"), "btnOK", this);
    QPushButton* print = namedButton(QStringLiteral("Print"), "btnPrint", this);
    // Return closes the dialog from the start; it adds lines only once the user is in the text.
    ok->setDefault(true);
    ok->setFocus();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(print);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addLayout(buttons);
    resize(kDesignSize);

    printText = [this](const QString& text) {
        printPlainText(text, program_.Printer_Choice, prompt_);
    };
    connect(ok, &QPushButton::clicked, this, &FrmDirectionsDetails::btnOK_Click);
    connect(print, &QPushButton::clicked, this, &FrmDirectionsDetails::btnPrint_Click);
    Load_Data();
}

void FrmDirectionsDetails::Load_Data() {
    mode_ = program_.Dialog_Title;
    target_ = nullptr;
    matrix_ = nullptr;
    if (mode_ == kDescriptionMode) {
        if (const auto* state =
                std::get_if<std::shared_ptr<VRN_State>>(&program_.Directions_Object)) {
            target_ = *state;
        }
        text_->setKeptText(target_ ? target_->Description : std::string());
        setWindowTitle(
            literalWindowTitle(QStringLiteral("Description of: ") +
                               (target_ ? QString::fromStdString(target_->Name) : QString())));
        return;
    }
    matrix_ = program_.Current_Matrix;
    text_->setKeptText(matrix_ ? matrix_->Directions : std::string());
    setWindowTitle(QStringLiteral("Directions"));
}

void FrmDirectionsDetails::btnOK_Click() {
    const std::string text = text_->keptText();
    if (mode_ == kDescriptionMode) {
        if (target_) {
            target_->Description = text;
        }
    } else if (matrix_) {
        matrix_->Directions = text;
    }
    accept();
}

void FrmDirectionsDetails::btnPrint_Click() {
    if (!printText) {
        return;
    }
    try {
        printText(text_->toPlainText());
    } catch (const std::exception& error) {
        prompt_.messageBox(QString::fromStdString(error.what()), {.icon = MsgBoxIcon::Exclamation});
    }
}

void Show_Directions_Dialog(VrnMain& program, Prompt& prompt, const QString& title,
                            const DirectionsTarget& object, QWidget* parent) {
    program.Dialog_Title = title;
    program.Directions_Object = object;
    FrmDirectionsDetails dialog(program, prompt, parent);
    dialog.exec();
}

}  // namespace vrn
