#include "app/shell/frm_splash.h"

#include "app/common/named_widgets.h"
#include "app/shell/emblem.h"
#include "app/shell/frm_about.h"
#include "app/shell/frm_sponsor.h"
#include "app/shell/program_title.h"
#include "app/shell/program_version.h"
#include "platform/startup_waits.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace vrn {

namespace {

QLabel* wrappedLabel(const QString& text, const char* name, QWidget* parent) {
    QLabel* label = namedLabel(text, name, parent);
    label->setWordWrap(true);
    return label;
}

constexpr int kDesignWaitMs = 2000;
constexpr int kPictureSide = 120;

}  // namespace

frmSplash::frmSplash(VrnMain& program, ShellServices services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      Timer1(startupWaitMs(kDesignWaitMs)),
      program_(program),
      services_(services) {
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);

    auto* lblProductName = wrappedLabel(QString(), "lblProductName", this);
    QFont productFont = lblProductName->font();
    productFont.setPointSizeF(productFont.pointSizeF() * 2.4);
    productFont.setBold(true);
    lblProductName->setFont(productFont);
    auto* lblVersion = wrappedLabel(QStringLiteral("Version"), "lblVersion", this);
    auto* lblWarning = wrappedLabel(
        QStringLiteral("A research version: please read the notice before you use it."),
        "lblWarning", this);
    auto* lblCompany =
        wrappedLabel(QStringLiteral("Written by the authors of Vrn"), "lblCompany", this);
    auto* lblLicenseTo =
        wrappedLabel(QStringLiteral("Licensed for research use"), "lblLicenseTo", this);

    auto* text = new QVBoxLayout;
    text->addWidget(lblProductName);
    text->addWidget(lblVersion);
    text->addSpacing(12);
    text->addWidget(lblWarning);
    text->addStretch();
    text->addWidget(lblCompany);
    text->addWidget(lblLicenseTo);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(kPictureSide + 36, 24, 24, 24);
    layout->addLayout(text);
    setFixedSize(460, kPictureSide + 96);

    connect(&Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
}

bool frmSplash::Load() {
    namedChild<QLabel>(*this, "lblVersion").setText(programVersionText());
    namedChild<QLabel>(*this, "lblProductName").setText(QLatin1String(kProgramTitle));
    frmAbout notice(program_, services_.prompt);
    if (!notice.run()) {
        return false;
    }
    Timer1.setEnabled(true);
    return true;
}

void frmSplash::Timer1_Timer() {
    auto* sponsor = new frmSponsor(program_, services_);
    sponsor->Load();
    sponsor->show();
    close();
}

void frmSplash::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    paintEmblem(painter, QRectF(24, 24, kPictureSide, kPictureSide));
}

bool showSplashSequence(VrnMain& program, ShellServices services) {
    auto* splash = new frmSplash(program, services);
    if (!splash->Load()) {
        delete splash;
        return false;
    }
    centreOnScreen(*splash);
    splash->show();
    splash->repaint();
    return true;
}

}  // namespace vrn
