#include "app/matrixwin/frm_attribution.h"

#include "app/common/named_widgets.h"
#include "app/matrixwin/kept_text_box.h"
#include "model/vrn_matrix.h"

#include <QCheckBox>
#include <QDateTime>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLocale>
#include <QVBoxLayout>

namespace vrn {

namespace {

constexpr int kDesignWidth = 420;

}  // namespace

frmAttribution::frmAttribution(VrnMain& program, QWidget* parent)
    : QDialog(parent), program_(program) {
    setObjectName(QStringLiteral("frmAttribution"));
    setWindowTitle(QStringLiteral("Matrix Attribution"));
    setModal(true);

    auto* frame = new QGroupBox(QStringLiteral("Matrix Attribution"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* form = new QFormLayout(frame);
    frame->setLayout(form);
    const auto row = [this, form](const char* name, const char* label,
                                  std::string VRN_Matrix::*field) {
        KeptLineEdit* box = addField(name, label, field);
        form->addRow(namedLabel(QLatin1String(label), "", this), box);
        return box;
    };
    row("txtAuthors", "Authors:", &VRN_Matrix::Authors);
    row("txtAssignment", "Project:", &VRN_Matrix::Assignment);
    txtModified_ = row("txtModified", "Modified:", &VRN_Matrix::Modified);
    row("txtSources", "Sources:", &VRN_Matrix::Sources);
    row("txtReview", "Review Status:", &VRN_Matrix::Review);
    row("txtDistribution", "Documention:", &VRN_Matrix::Distribution);
    row("txtFooter", "Footer:", &VRN_Matrix::footer);
    chkLock_ = new QCheckBox(QStringLiteral("Locked"), frame);
    chkLock_->setObjectName(QStringLiteral("chkLock"));
    chkLock_->installEventFilter(this);
    form->addRow(chkLock_);
    connect(chkLock_, &QCheckBox::clicked, this, [this] { changed_ = true; });

    QPushButton* ok = namedButton(QStringLiteral("OK"), "btnOK", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &frmAttribution::btnOK_Click);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);
    resize(kDesignWidth, sizeHint().height());
}

KeptLineEdit* frmAttribution::addField(const char* name, const char* label,
                                       std::string VRN_Matrix::*field) {
    auto* box = new KeptLineEdit(this);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(QLatin1String(label));
    box->installEventFilter(this);
    connect(box, &QLineEdit::textChanged, this, [this] { changed_ = true; });
    fields_.at(fieldCount_++) = TextField{box, field};
    return box;
}

void frmAttribution::Load_Data(VRN_Matrix& cur_matrix) {
    matrix_ = cur_matrix.shared_from_this();
    const auto show = [this, &cur_matrix](const char* name) {
        for (const TextField& entry : fields_) {
            if (entry.box->objectName() == QLatin1String(name)) {
                entry.box->setKeptText(cur_matrix.*entry.field);
            }
        }
    };
    show("txtAuthors");
    show("txtAssignment");
    cur_matrix.Modified =
        QLocale().toString(QDateTime::currentDateTime(), QLocale::ShortFormat).toStdString();
    show("txtModified");
    if (program_.Save_As_Running) {
        program_.Save_As_Locked = cur_matrix.locked;
        chkLock_->setChecked(false);
    } else {
        chkLock_->setChecked(cur_matrix.locked);
    }
    for (const char* name : {"txtSources", "txtReview", "txtDistribution", "txtFooter"}) {
        show(name);
    }
    // Filling the boxes counts as a change.
    changed_ = true;
}

void frmAttribution::writeBack(QObject* control) {
    if (!changed_ || matrix_ == nullptr) {
        return;
    }
    if (control == chkLock_) {
        matrix_->locked = chkLock_->isChecked();
        changed_ = false;
        return;
    }
    for (const TextField& entry : fields_) {
        if (entry.box == control) {
            (*matrix_).*entry.field = entry.box->keptText();
            changed_ = false;
            return;
        }
    }
}

bool frmAttribution::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        writeBack(watched);
    }
    return QDialog::eventFilter(watched, event);
}

void frmAttribution::btnOK_Click() {
    // The focused box loses the focus before the dialog goes.
    writeBack(focusWidget());
    if (matrix_ != nullptr) {
        matrix_->Modified = txtModified_->keptText();
        matrix_->locked = chkLock_->isChecked();
    }
    accept();
}

void showAttribution(VrnMain& program, QWidget* parent) {
    if (program.Current_Matrix == nullptr) {
        return;
    }
    frmAttribution dialog(program, parent);
    dialog.Load_Data(*program.Current_Matrix);
    dialog.exec();
}

}  // namespace vrn
