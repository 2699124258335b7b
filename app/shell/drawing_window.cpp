#include "app/shell/drawing_window.h"

#include "app/common/named_widgets.h"

#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QSvgRenderer>
#include <QVBoxLayout>

#include <cmath>
#include <exception>

namespace vrn {

namespace {

// The drawing is shown at screen size: its inches at this many pixels.
constexpr double kPixelsPerInch = 96;

bool isWebPage(const QString& name) {
    return name.endsWith(QStringLiteral(".html"), Qt::CaseInsensitive) ||
           name.endsWith(QStringLiteral(".htm"), Qt::CaseInsensitive);
}

}  // namespace

DrawingWindow::DrawingWindow(std::unique_ptr<SvgDrawingPage> page,
                             std::unique_ptr<DrawingStencilFile> stencil, Prompt& prompt,
                             QWidget* parent)
    : QWidget(parent, Qt::Window),
      page_(std::move(page)),
      stencil_(std::move(stencil)),
      prompt_(prompt),
      picture_(new QLabel) {
    setObjectName(QStringLiteral("frmDrawing"));
    setAttribute(Qt::WA_DeleteOnClose);
    const QString name = QString::fromStdString(page_->Name());
    setWindowTitle(name.isEmpty() ? QStringLiteral("Drawing")
                                  : QStringLiteral("Drawing - %1").arg(name));

    picture_->setObjectName(QStringLiteral("picDrawing"));
    // The drawing on a white sheet, as it prints.
    QImage sheet(static_cast<int>(std::lround(page_->width() * kPixelsPerInch)),
                 static_cast<int>(std::lround(page_->height() * kPixelsPerInch)),
                 QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QSvgRenderer renderer(QByteArray::fromStdString(page_->Svg()));
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    picture_->setPixmap(QPixmap::fromImage(sheet));
    auto* area = new QScrollArea(this);
    area->setBackgroundRole(QPalette::Dark);
    area->setWidget(picture_);
    area->setAlignment(Qt::AlignCenter);

    auto* save = namedButton(QStringLiteral("&Save..."), "btnSave", this);
    connect(save, &QPushButton::clicked, this, &DrawingWindow::Save);
    auto* close = namedButton(QStringLiteral("Close"), "btnClose", this);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addStretch();
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(area, 1);
    resize(900, 700);
}

DrawingWindow::~DrawingWindow() = default;

bool DrawingWindow::Save() {
    const std::optional<QString> chosen = prompt_.saveFile(
        {.title = QStringLiteral("Save Drawing"),
         .filter = QStringLiteral(
             "SVG Drawing (*.svg)|*.svg|Web Page (*.html)|*.html|All Files (*.*)|*.*"),
         .defaultExt = QStringLiteral("svg"),
         .flags = FileDialogFlags::HideReadOnly | FileDialogFlags::OverwritePrompt});
    if (!chosen || chosen->isEmpty()) {
        return false;
    }
    try {
        if (isWebPage(*chosen)) {
            page_->Export(chosen->toStdString());
        } else {
            page_->SaveSvg(chosen->toStdString());
        }
    } catch (const std::exception& error) {
        prompt_.messageBox(QStringLiteral("The drawing could not be saved: %1").arg(error.what()),
                           {.icon = MsgBoxIcon::Critical});
        return false;
    }
    return true;
}

}  // namespace vrn
