#include "app/shell/frm_sponsor.h"

#include "app/common/named_widgets.h"
#include "app/common/preference_keys.h"
#include "app/matrixwin/vrn_main.h"
#include "app/shell/frm_main.h"
#include "platform/startup_waits.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>

namespace vrn {

namespace {

constexpr int kDesignWaitMs = 2000;
constexpr int kRunWaitMs = 3000;
constexpr int kLogoSide = 56;

// A plain mark in place of a sponsor's logo.
QPixmap logo(const QColor& color, bool round) {
    QPixmap picture(kLogoSide, kLogoSide);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color.darker(140), 2));
    painter.setBrush(color);
    const QRectF area(4, 4, kLogoSide - 8, kLogoSide - 8);
    if (round) {
        painter.drawEllipse(area);
    } else {
        painter.drawPolygon(QPolygonF(
            {QPointF(area.center().x(), area.top()), QPointF(area.right(), area.center().y()),
             QPointF(area.center().x(), area.bottom()), QPointF(area.left(), area.center().y())}));
    }
    return picture;
}

QLabel* centredLabel(const QString& text, const char* name, QWidget* parent) {
    QLabel* label = namedLabel(text, name, parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace

frmSponsor::frmSponsor(VrnMain& program, ShellServices services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      Timer1(kDesignWaitMs),
      program_(program),
      services_(services) {
    setObjectName(QStringLiteral("frmSponsor"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);

    auto* lblThanks =
        centredLabel(QStringLiteral("With thanks for research funding to"), "lblThanks", this);
    auto* image7 = centredLabel(QString(), "Image7", this);
    image7->setPixmap(logo(QColor(90, 140, 200), true));
    auto* image8 = centredLabel(QString(), "Image8", this);
    image8->setPixmap(logo(QColor(120, 180, 110), false));
    auto* lblsponsor1 = centredLabel(QStringLiteral("the sponsors"), "Lblsponsor1", this);
    auto* lblsponsor2 = centredLabel(QStringLiteral("of this research"), "Lblsponsor2", this);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(32, 24, 32, 24);
    layout->addWidget(lblThanks, 0, 0, 1, 2);
    layout->addWidget(image7, 1, 0);
    layout->addWidget(image8, 1, 1);
    layout->addWidget(lblsponsor1, 2, 0);
    layout->addWidget(lblsponsor2, 2, 1);

    connect(&Timer1, &QTimer::timeout, this, &frmSponsor::Timer1_Timer);
}

void frmSponsor::Load() {
    Preferences& prefs = program_.prefs;
    prefs.Show_No_Sponsor = services_.settings.readBoolean(
        QLatin1String(prefkey::kVrnSettings), QLatin1String(prefkey::kShowNoSponsor), false);
    auto* lblsponsor1 = &namedChild<QLabel>(*this, "Lblsponsor1");
    auto* lblsponsor2 = &namedChild<QLabel>(*this, "Lblsponsor2");
    namedChild<QLabel>(*this, "Image7").setVisible(!prefs.Show_No_Sponsor);
    namedChild<QLabel>(*this, "Image8").setVisible(!prefs.Show_No_Sponsor);
    if (prefs.Show_No_Sponsor) {
        lblsponsor1->setText(QStringLiteral("our research"));
        lblsponsor2->setText(QStringLiteral("partners"));
    }
    lblsponsor1->setVisible(true);
    lblsponsor2->setVisible(true);
    adjustSize();
    centreOnScreen(*this);
    Timer1.setInterval(startupWaitMs(kRunWaitMs));
    Timer1.setEnabled(true);
}

void frmSponsor::Timer1_Timer() {
    // The program state knows the main window only as the matrix windows' host.
    if (auto* main = dynamic_cast<frmMain*>(program_.Main_Window)) {
        main->Show();
    }
    close();
}

void centreOnScreen(QWidget& window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
}

}  // namespace vrn
