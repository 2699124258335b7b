#include "app/shell/screenshot_switch.h"

#include "app/matrixwin/canvas_counts.h"
#include "app/matrixwin/frm_matrix.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

#include <cstdio>

namespace vrn {

namespace {

// Long enough for the first refresh and the window manager to settle.
constexpr int kSettleMs = 600;

void report(const QString& line) {
    std::fprintf(stdout, "%s\n", qPrintable(line));
    std::fflush(stdout);
}

QString describe(const CanvasCounts& counts) {
    return QStringLiteral("%1 cells, %2 interaction cells, %3 lines")
        .arg(counts.cells)
        .arg(counts.interactionCells)
        .arg(counts.lines);
}

// What each matrix window's canvas draws beside what its document placed: they must agree.
void reportCanvases(const QMdiArea& area) {
    for (const QMdiSubWindow* child : area.subWindowList()) {
        auto* window = qobject_cast<frmMatrix*>(child->widget());
        if (window == nullptr) {
            continue;
        }
        const CanvasCounts drawn = window->canvasCounts();
        const CanvasCounts placed = shownByDocument(*window->base());
        report(QStringLiteral("matrix window '%1': canvas %2; document %3: %4")
                   .arg(child->windowTitle(), describe(drawn), describe(placed),
                        drawn == placed ? QStringLiteral("same") : QStringLiteral("differ")));
    }
}

}  // namespace

ScreenshotSwitch::ScreenshotSwitch(QMainWindow& window, QObject* parent)
    : QObject(parent), window_(window), path_(qEnvironmentVariable(kScreenshotVariable)) {
    if (!path_.isEmpty()) {
        window.installEventFilter(this);
    }
}

bool ScreenshotSwitch::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::Show && !scheduled_) {
        scheduled_ = true;
        QTimer::singleShot(kSettleMs, this, &ScreenshotSwitch::captureWindow);
    }
    return QObject::eventFilter(watched, event);
}

void ScreenshotSwitch::captureWindow() {
    QStringList windows;
    const auto* area = window_.findChild<QMdiArea*>();
    if (area != nullptr) {
        for (const QMdiSubWindow* child : area->subWindowList()) {
            windows << child->windowTitle();
        }
    }
    const bool saved = window_.grab().save(path_, "PNG");
    report(QStringLiteral("%1 %2 (%3; matrix windows: %4)")
               .arg(saved ? QStringLiteral("saved") : QStringLiteral("could not save"), path_,
                    window_.windowTitle(), windows.join(QStringLiteral(", "))));
    if (area != nullptr) {
        reportCanvases(*area);
    }
    QMenu* view = window_.findChild<QMenu*>(QStringLiteral("mnuView"));
    if (!saved || view == nullptr) {
        QApplication::exit(saved ? 0 : 1);
        return;
    }
    view->popup(window_.menuBar()->mapToGlobal(
        window_.menuBar()->actionGeometry(view->menuAction()).bottomLeft()));
    QTimer::singleShot(kSettleMs, this, &ScreenshotSwitch::captureMenu);
}

void ScreenshotSwitch::captureMenu() {
    const QFileInfo info(path_);
    const QString menuPath =
        info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral("-view-menu.png");
    QScreen* screen = window_.screen();
    const QPixmap desktop = screen != nullptr ? screen->grabWindow(0) : QPixmap();
    if (!desktop.isNull() && desktop.save(menuPath, "PNG")) {
        report(QStringLiteral("saved %1").arg(menuPath));
    }
    QApplication::exit(0);
}

}  // namespace vrn
