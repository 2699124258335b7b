#include "proppages/demo/demo_window.h"

#include "proppages/page_ids.h"
#include "proppages/property_frame.h"
#include "proppages/standin/standin_balloon.h"
#include "proppages/standin/standin_button.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace vrn::pp {

namespace {

// Room for the stand-ins to show their cells and their tail.
constexpr int kStandInWidth = 240;

}  // namespace

DemoWindow::DemoWindow(QWidget* parent)
    : QWidget(parent),
      button_(std::make_shared<StandInButton>()),
      balloon_(std::make_shared<StandInBalloon>()),
      frame_(new PropertyFrame(this)),
      helpLine_(new QLabel(this)) {
    setWindowTitle(tr("Property pages demo"));
    auto* controls = new QGroupBox(tr("Controls"), this);

    auto* column = new QHBoxLayout(controls);
    // The controls live as long as the pages hold them; the layout only shows them.
    button_->setMinimumSize(button_->sizeHint().expandedTo({kStandInWidth, 0}));
    balloon_->setMinimumSize(balloon_->sizeHint().expandedTo({kStandInWidth, 0}));
    column->addWidget(button_.get(), 0, Qt::AlignTop);
    column->addWidget(balloon_.get(), 0, Qt::AlignTop);
    helpLine_->setObjectName(QStringLiteral("lblHelp"));
    helpLine_->setWordWrap(true);
    column->addWidget(helpLine_, 1);

    frame_->setWindowFlags(Qt::Widget);
    frame_->setHelpProvider(this);
    const std::vector<std::shared_ptr<SelectedObject>> button{button_};
    const std::vector<std::shared_ptr<SelectedObject>> balloon{balloon_};
    for (const QUuid& clsid :
         {kCLSID_BtnGeneralPropPage, kCLSID_BtnAppearancePropPage, kCLSID_BtnMarginsPropPage,
          kCLSID_BtnCellsPropPage, kCLSID_BtnSegmentsPropPage}) {
        frame_->addPage(clsid, button, tr("Button"));
    }
    for (const QUuid& clsid :
         {kCLSID_BlnGeneralPropPage, kCLSID_BlnAppearancePropPage, kCLSID_BlnPositionPropPage,
          kCLSID_BlnTailPropPage, kCLSID_BlnTextPropPage}) {
        frame_->addPage(clsid, balloon, tr("Balloon"));
    }
    connect(frame_, &QDialog::finished, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(controls);
    layout->addWidget(frame_, 1);
}

DemoWindow::~DemoWindow() {
    // The frame's pages let go of the controls before the controls' widgets go.
    delete frame_;
    button_->setParent(nullptr);
    balloon_->setParent(nullptr);
}

void DemoWindow::showHelp(QWidget* /*owner*/, const QString& helpFile, quint32 context) {
    helpLine_->setText(
        tr("Help: topic %1 of %2 (no help file comes with the demo)").arg(context).arg(helpFile));
}

}  // namespace vrn::pp
