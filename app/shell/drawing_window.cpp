#include "app/shell/drawing_window.h"

#include "app/common/literal_text.h"
#include "app/common/named_widgets.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QSvgRenderer>
#include <QVBoxLayout>

#include <cmath>
#include <exception>

namespace vrn {

namespace {

// The drawing is shown at screen size: its inches at this many pixels.
constexpr double kPixelsPerInch = 96;
// The share of the screen's free area the window may take: the rest keeps its title bar and
// frame on the screen.
constexpr double kScreenShare = 0.9;

const QString kSvgSuffix = QStringLiteral("svg");

bool isWebPage(const QString& name) {
    const QString suffix = QFileInfo(name).suffix();
    return suffix.compare(QStringLiteral("html"), Qt::CaseInsensitive) == 0 ||
           suffix.compare(QStringLiteral("htm"), Qt::CaseInsensitive) == 0;
}

// The drawing on a white sheet, as it prints.
QPixmap sheetOf(const SvgDrawingPage& page) {
    QImage sheet(static_cast<int>(std::lround(page.width() * kPixelsPerInch)),
                 static_cast<int>(std::lround(page.height() * kPixelsPerInch)),
                 QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QSvgRenderer renderer(QByteArray::fromStdString(page.Svg()));
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    return QPixmap::fromImage(sheet);
}

}  // namespace

DrawingWindow::DrawingWindow(std::unique_ptr<SvgDrawingPage> page,
                             std::unique_ptr<DrawingStencilFile> stencil, Prompt& prompt,
                             QString proposedFile, QWidget* parent)
    : QWidget(parent, Qt::Window),
      page_(std::move(page)),
      stencil_(std::move(stencil)),
      prompt_(prompt),
      proposedFile_(std::move(proposedFile)),
      picture_(new QLabel) {
    setObjectName(QStringLiteral("frmDrawing"));
    setAttribute(Qt::WA_DeleteOnClose);
    const QString name = QString::fromStdString(page_->Name());
    setWindowTitle(name.isEmpty() ? QStringLiteral("Drawing")
                                  : QStringLiteral("Drawing - %1").arg(literalWindowTitle(name)));

    picture_->setObjectName(QStringLiteral("picDrawing"));
    picture_->setPixmap(sheetOf(*page_));
    picture_->resize(picture_->pixmap().size());
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
    fitScreen(*area, *buttons);
}

DrawingWindow::~DrawingWindow() = default;

void DrawingWindow::fitScreen(const QScrollArea& area, const QLayout& buttons) {
    const QScreen* where = parentWidget() != nullptr ? parentWidget()->screen() : screen();
    if (where == nullptr) {
        where = QGuiApplication::primaryScreen();
    }
    // As large as the whole drawing with its buttons and scroll bars...
    const QMargins margins = layout()->contentsMargins();
    const int chrome = 2 * area.frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    QSize wanted = picture_->size() + QSize(chrome, chrome);
    wanted.rwidth() += margins.left() + margins.right();
    wanted.rheight() +=
        margins.top() + margins.bottom() + buttons.sizeHint().height() + layout()->spacing();
    // ...but inside the screen's free area, in its middle.
    if (where == nullptr) {
        resize(wanted);
        return;
    }
    const QRect free = where->availableGeometry();
    const QSize room(static_cast<int>(free.width() * kScreenShare),
                     static_cast<int>(free.height() * kScreenShare));
    QRect placed(QPoint(), wanted.boundedTo(room));
    placed.moveCenter(free.center());
    setGeometry(placed);
}

bool DrawingWindow::Save() {
    const std::optional<QString> chosen = prompt_.saveFile(
        {.title = QStringLiteral("Save Drawing"),
         .filter = QStringLiteral(
             "SVG Drawing (*.svg)|*.svg|Web Page (*.html)|*.html|All Files (*.*)|*.*"),
         .defaultExt = kSvgSuffix,
         .fileName = proposedFile_,
         .flags = FileDialogFlags::HideReadOnly | FileDialogFlags::OverwritePrompt});
    if (!chosen || chosen->isEmpty()) {
        return false;
    }
    // The save dialog adds the extension of the type chosen; a name that still has none is a
    // drawing.
    const QString path =
        QFileInfo(*chosen).suffix().isEmpty() ? *chosen + QLatin1Char('.') + kSvgSuffix : *chosen;
    try {
        if (isWebPage(path)) {
            page_->Export(path.toStdString());
        } else {
            page_->SaveSvg(path.toStdString());
        }
    } catch (const std::exception& error) {
        prompt_.messageBox(QStringLiteral("The drawing could not be saved: %1").arg(error.what()),
                           {.icon = MsgBoxIcon::Critical});
        return false;
    }
    return true;
}

}  // namespace vrn
