#include "app/matrixwin/frm_practice_details.h"

#include "app/common/named_widgets.h"
#include "app/matrixwin/detail_dialog_support.h"
#include "app/matrixwin/frm_practice_options.h"
#include "app/matrixwin/kept_text_box.h"
#include "model/vrn_practice.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace vrn {

namespace {

constexpr int kDesignWidth = 480;
constexpr int kDescriptionLines = 5;

}  // namespace

FrmPracticeDetails::FrmPracticeDetails(DetailDialogServices services, VRN_Practice& practice,
                                       QWidget* parent)
    : QDialog(parent), services_(services), practice_(practice) {
    setObjectName(QStringLiteral("frmPracticeDetails"));
    setModal(true);

    txtName_ = new KeptLineEdit(this);
    txtName_->setObjectName(QStringLiteral("TxtPracticeName"));
    txtDescription_ = newDescriptionBox(this, kDescriptionLines);
    txtDiscussion_ = newDiscussionBox(this, true);
    for (QWidget* box : {static_cast<QWidget*>(txtName_), static_cast<QWidget*>(txtDescription_),
                         static_cast<QWidget*>(txtDiscussion_)}) {
        box->installEventFilter(this);
    }
    connect(txtName_, &QLineEdit::textChanged, this, [this] { nameOrDiscussionChanged_ = true; });
    connect(txtDiscussion_, &QLineEdit::textChanged, this,
            [this] { nameOrDiscussionChanged_ = true; });
    connect(txtDescription_, &QPlainTextEdit::textChanged, this,
            [this] { descriptionChanged_ = true; });

    btnColor_ = namedButton({}, "btnmycolor", this);
    btnColor_->setAccessibleName(QStringLiteral("Color"));
    connect(btnColor_, &QPushButton::clicked, this, &FrmPracticeDetails::btnmycolor_Click);

    auto* fields = new QGridLayout;
    fields->addWidget(namedLabel(QStringLiteral("Name"), "", this), 0, 0);
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

    QPushButton* options = namedButton(QStringLiteral("Create Options"), "btnViewOptions", this);
    QPushButton* details = namedButton(QStringLiteral("Details"), "btnPracticeDetails", this);
    QPushButton* ok = namedButton(QStringLiteral("OK"), "btnOK", this);
    QPushButton* cancel = namedButton(QStringLiteral("Cancel"), "btnCancel", this);
    ok->setDefault(true);
    connect(options, &QPushButton::clicked, this, [this] {
        if (openOptions) {
            openOptions(*this);
        }
    });
    connect(ok, &QPushButton::clicked, this, &FrmPracticeDetails::btnOK_Click);
    connect(cancel, &QPushButton::clicked, this, &FrmPracticeDetails::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(options);
    buttons->addWidget(details);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    openOptions = [](FrmPracticeDetails& dialog) {
        FrmPracticeOptions editor(
            dialog.services_, dialog.practice_,
            [&dialog](const std::string& name, const std::string& description,
                      const std::string& discussion, std::int32_t color) {
                dialog.set_practice(name, description, discussion, color);
            },
            &dialog);
        editor.exec();
    };

    Load_Data();
    resize(kDesignWidth, sizeHint().height());
}

void FrmPracticeDetails::Load_Data() {
    setWindowTitle(QStringLiteral("Practice"));
    savedName_ = practice_.Name();
    savedDescription_ = practice_.Description();
    savedDiscussion_ = practice_.Discussion;
    txtName_->setKeptText(savedName_);
    txtDescription_->setKeptText(savedDescription_);
    txtDiscussion_->setKeptText(savedDiscussion_);
    showButtonColor(*btnColor_, colorOrDefault(services_.program, practice_.color));
}

void FrmPracticeDetails::set_practice(const std::string& practice_name,
                                      const std::string& Practice_description,
                                      const std::string& Practice_discussion,
                                      std::int32_t Practice_color) {
    practice_.setName(practice_name);
    practice_.setDescription(Practice_description);
    practice_.Discussion = Practice_discussion;
    practice_.color = Practice_color;
    Load_Data();
}

void FrmPracticeDetails::writeBack(QObject* control) {
    if (closed_) {
        // A box that loses the focus as the dialog goes must not undo what Cancel put back.
        return;
    }
    if (control == txtName_ && nameOrDiscussionChanged_) {
        practice_.setName(txtName_->keptText());
    } else if (control == txtDiscussion_ && nameOrDiscussionChanged_) {
        practice_.Discussion = txtDiscussion_->keptText();
    } else if (control == txtDescription_ && descriptionChanged_) {
        practice_.setDescription(txtDescription_->keptText());
    }
}

bool FrmPracticeDetails::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        writeBack(watched);
    } else if (event->type() == QEvent::MouseButtonDblClick && watched == txtDiscussion_) {
        openDiscussion(services_, txtDiscussion_->text());
    }
    return QDialog::eventFilter(watched, event);
}

void FrmPracticeDetails::btnmycolor_Click() {
    const qint32 color = chooseNewColor(services_.prompt, buttonColor(*btnColor_));
    showButtonColor(*btnColor_, color);
    practice_.color = color;
    if (practice_.Display != nullptr) {
        practice_.Display->setBackColor(color);
    }
}

void FrmPracticeDetails::btnOK_Click() {
    if (txtName_->text().isEmpty()) {
        // An empty name is never stored.
        reject();
        return;
    }
    // Only what the user changed: the rest stays as the practice holds it.
    if (txtName_->isEdited()) {
        practice_.setName(txtName_->keptText());
    }
    if (txtDescription_->isEdited()) {
        practice_.setDescription(txtDescription_->keptText());
    }
    if (txtDiscussion_->isEdited()) {
        practice_.Discussion = txtDiscussion_->keptText();
    }
    closed_ = true;
    accept();
}

void FrmPracticeDetails::restoreTexts() {
    practice_.setName(savedName_);
    practice_.setDescription(savedDescription_);
    practice_.Discussion = savedDiscussion_;
}

void FrmPracticeDetails::reject() {
    restoreTexts();
    closed_ = true;
    QDialog::reject();
}

}  // namespace vrn
