#include "app/matrixwin/frm_option_details.h"

#include "app/common/named_widgets.h"
#include "app/matrixwin/detail_dialog_support.h"
#include "app/matrixwin/kept_text_box.h"
#include "model/vrn_option.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace vrn {

namespace {

constexpr int kDesignWidth = 460;
constexpr int kDescriptionLines = 5;

}  // namespace

FrmOptionDetails::FrmOptionDetails(DetailDialogServices services, VRN_Option& option,
                                   QWidget* parent)
    : QDialog(parent), services_(services), option_(option) {
    setObjectName(QStringLiteral("frmOptionDetails"));
    setWindowTitle(QStringLiteral("Option Details"));
    setModal(true);

    txtName_ = new KeptLineEdit(this);
    txtName_->setObjectName(QStringLiteral("TxtPracticeName"));
    txtDescription_ = newDescriptionBox(this, kDescriptionLines);
    txtDiscussion_ = newDiscussionBox(this, true);
    for (QWidget* box : {static_cast<QWidget*>(txtName_), static_cast<QWidget*>(txtDescription_),
                         static_cast<QWidget*>(txtDiscussion_)}) {
        box->installEventFilter(this);
    }
    const auto changed = [this] { changed_ = true; };
    connect(txtName_, &QLineEdit::textChanged, this, changed);
    connect(txtDescription_, &QPlainTextEdit::textChanged, this, changed);
    connect(txtDiscussion_, &QLineEdit::textChanged, this, changed);

    btnColor_ = namedButton({}, "btnmycolor", this);
    btnColor_->setAccessibleName(QStringLiteral("Color"));
    connect(btnColor_, &QPushButton::clicked, this, &FrmOptionDetails::btnmycolor_Click);

    auto* fields = new QGridLayout;
    fields->addWidget(namedLabel(QStringLiteral("Option Title"), "", this), 0, 0);
    fields->addWidget(txtName_, 0, 1);
    fields->addWidget(namedLabel(QStringLiteral("Description"), "", this), 1, 0, Qt::AlignTop);
    fields->addWidget(txtDescription_, 1, 1);
    fields->addWidget(namedLabel(QStringLiteral("Discussion URL"), "", this), 2, 0);
    fields->addWidget(txtDiscussion_, 2, 1);
    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(btnColor_);
    colorRow->addStretch();
    fields->addWidget(namedLabel(QStringLiteral("Color"), "LBLcolor_choice", this), 3, 0);
    fields->addLayout(colorRow, 3, 1);

    QPushButton* ok = namedButton(QStringLiteral("OK"), "btnOK", this);
    QPushButton* cancel = namedButton(QStringLiteral("Cancel"), "btnCancel", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] {
        // The box being typed in keeps its text.
        writeBack(focusWidget());
        closed_ = true;
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &FrmOptionDetails::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    Load_Data();
    resize(kDesignWidth, sizeHint().height());
}

void FrmOptionDetails::Load_Data() {
    savedName_ = option_.Name();
    savedDescription_ = option_.Description();
    savedDiscussion_ = option_.Discussion;
    txtName_->setKeptText(savedName_);
    txtDescription_->setKeptText(savedDescription_);
    txtDiscussion_->setKeptText(savedDiscussion_);
    showButtonColor(*btnColor_, colorOrDefault(services_.program, option_.color));
    // Filling the boxes counts as a change.
    changed_ = true;
}

void FrmOptionDetails::writeBack(QObject* control) {
    if (!changed_ || closed_) {
        return;
    }
    if (control == txtName_) {
        option_.setName(txtName_->keptText());
    } else if (control == txtDescription_) {
        option_.setDescription(txtDescription_->keptText());
    } else if (control == txtDiscussion_) {
        option_.Discussion = txtDiscussion_->keptText();
    }
}

bool FrmOptionDetails::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        writeBack(watched);
    } else if (event->type() == QEvent::MouseButtonDblClick && watched == txtDiscussion_) {
        openDiscussion(services_, txtDiscussion_->text());
    }
    return QDialog::eventFilter(watched, event);
}

void FrmOptionDetails::btnmycolor_Click() {
    const qint32 color = chooseNewColor(services_.prompt, buttonColor(*btnColor_));
    showButtonColor(*btnColor_, color);
    option_.color = color;
}

void FrmOptionDetails::reject() {
    option_.setName(savedName_);
    option_.setDescription(savedDescription_);
    option_.Discussion = savedDiscussion_;
    closed_ = true;
    QDialog::reject();
}

}  // namespace vrn
