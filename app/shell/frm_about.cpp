#include "app/shell/frm_about.h"

#include "app/common/named_widgets.h"
#include "app/matrixwin/vrn_main.h"
#include "app/shell/emblem.h"
#include "app/shell/program_title.h"
#include "app/shell/program_version.h"
#include "app/shell/system_info.h"
#include "platform/startup_waits.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace vrn {

namespace {

constexpr int kPictureSize = 64;

}  // namespace

frmAbout::frmAbout(const VrnMain& program, Prompt& prompt, QWidget* parent)
    : QDialog(parent), prompt_(prompt), aboutMode_(program.About_Mode) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Vrn"));
    setModal(true);

    QPixmap picture(kPictureSize, kPictureSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    paintEmblem(painter, QRectF(0, 0, kPictureSize, kPictureSize));
    painter.end();
    auto* picIcon = namedLabel(QString(), "picIcon", this);
    picIcon->setPixmap(picture);

    auto* lblTitle = namedLabel(QLatin1String(kProgramTitle), "lblTitle", this);
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    auto* lblVersion = namedLabel(programVersionText(), "lblVersion", this);
    auto* lblLicense = namedLabel(noticeText(), "lblLicense", this);
    lblLicense->setWordWrap(true);
    lblLicense->setMinimumWidth(420);

    auto* cmdOK = namedButton(QStringLiteral("I Accept"), "cmdOK", this);
    cmdOK->setDefault(true);
    auto* btnCancel = namedButton(QStringLiteral("Cancel"), "btnCancel", this);
    auto* cmdSysInfo = namedButton(QStringLiteral("&System Info..."), "cmdSysInfo", this);
    btnCancel->setVisible(!aboutMode_);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);

    auto* heading = new QVBoxLayout;
    heading->addWidget(lblTitle);
    heading->addWidget(lblVersion);
    heading->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(picIcon, 0, Qt::AlignTop);
    top->addLayout(heading, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(btnCancel);
    buttons->addStretch();
    buttons->addWidget(cmdSysInfo);
    auto* body = new QHBoxLayout;
    body->addWidget(lblLicense, 1);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(body);
}

bool frmAbout::run() {
    if (acceptNoticeAutomatically()) {
        return true;
    }
    return exec() == QDialog::Accepted;
}

void frmAbout::reject() {
    // The About box cannot end the program: closing it is as good as accepting it.
    if (aboutMode_) {
        accept();
    } else {
        QDialog::reject();
    }
}

void frmAbout::StartSysInfo() {
    const QString text = systemInformationText();
    if (text.isEmpty()) {
        prompt_.messageBox(QStringLiteral("System Information Is Unavailable At This Time"));
    } else {
        prompt_.messageBox(text, {.icon = MsgBoxIcon::Information},
                           QStringLiteral("System Information"));
    }
}

QString frmAbout::noticeText() {
    return QStringLiteral(
        "This is an evolving version of Vrn, a program that is still under development. It is "
        "made available for research purposes only. Your comments, suggestions, bug reports and "
        "requests for features are welcome: please send them to the authors through the "
        "project's issue tracker.\n\n"
        "Copyright (c) 2026 the authors of Vrn. All rights reserved.\n\n"
        "THE SOFTWARE IS PROVIDED AS IS. THE AUTHORS MAKE NO REPRESENTATIONS AND GIVE NO "
        "WARRANTIES, EXPRESS OR IMPLIED. IN PARTICULAR, THEY MAKE NO REPRESENTATION OR WARRANTY "
        "OF MERCHANTABILITY OR OF FITNESS FOR ANY PARTICULAR PURPOSE, AND NONE THAT THE USE OF "
        "THE SOFTWARE OR ITS DOCUMENTATION DOES NOT INFRINGE ANY PATENT, TRADEMARK OR OTHER "
        "RIGHT OF OTHERS.\n"
        "The names of the authors may not be used in advertising or publicity about the "
        "distribution of the software.");
}

}  // namespace vrn
