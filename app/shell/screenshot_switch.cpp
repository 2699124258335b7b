#include "app/shell/screenshot_switch.h"

#include "app/matrixwin/canvas_counts.h"
#include "app/matrixwin/frm_matrix.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFileInfo>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <cstdio>

namespace vrn {

namespace {

// Long enough for the first refresh and the window manager to settle.
constexpr int kSettleMs = 600;
// How often the switch looks for the main window or a dialog.
constexpr int kLookMs = 200;
// More dialogs than a file opens on its way in means one of them stays.
constexpr int kMostDialogs = 20;

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
    if (path_.isEmpty()) {
        return;
    }
    // A timer rather than the window's events: it also runs inside a dialog's own event loop,
    // which may open before the main window shows.
    watch_.setInterval(kLookMs);
    connect(&watch_, &QTimer::timeout, this, &ScreenshotSwitch::look);
    watch_.start();
}

QString ScreenshotSwitch::besidePath(const QString& suffix) const {
    const QFileInfo info(path_);
    return info.path() + QLatin1Char('/') + info.completeBaseName() + suffix;
}

void ScreenshotSwitch::look() {
    if (QWidget* dialog = QApplication::activeModalWidget()) {
        quietLooks_ = 0;
        captureDialog(*dialog);
        return;
    }
    if (!window_.isVisible()) {
        return;
    }
    // The first refresh and the window manager settle before the picture.
    if (++quietLooks_ * kLookMs < kSettleMs) {
        return;
    }
    watch_.stop();
    captureWindow();
}

void ScreenshotSwitch::captureDialog(QWidget& dialog) {
    if (dialogs_ == kMostDialogs) {
        // A box that does not go away would keep the run alive for ever.
        report(QStringLiteral("could not close dialog '%1'").arg(dialog.windowTitle()));
        QApplication::exit(1);
        return;
    }
    const QString path = besidePath(QStringLiteral("-dialog-%1.png").arg(++dialogs_));
    QScreen* screen = dialog.screen();
    QPixmap picture = screen != nullptr ? screen->grabWindow(0) : QPixmap();
    if (picture.isNull()) {
        picture = dialog.grab();
    }
    report(QStringLiteral("%1 %2 (dialog '%3')")
               .arg(picture.save(path, "PNG") ? QStringLiteral("saved")
                                              : QStringLiteral("could not save"),
                    path, dialog.windowTitle()));
    // As Escape would: a message box without an Escape button takes its default answer.
    if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
        QAbstractButton* leave = box->escapeButton() != nullptr
                                     ? box->escapeButton()
                                     : static_cast<QAbstractButton*>(box->defaultButton());
        if (leave != nullptr) {
            leave->click();
            return;
        }
    }
    if (auto* modal = qobject_cast<QDialog*>(&dialog)) {
        modal->reject();
        return;
    }
    dialog.close();
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
    const QString menuPath = besidePath(QStringLiteral("-view-menu.png"));
    QScreen* screen = window_.screen();
    const QPixmap desktop = screen != nullptr ? screen->grabWindow(0) : QPixmap();
    if (!desktop.isNull() && desktop.save(menuPath, "PNG")) {
        report(QStringLiteral("saved %1").arg(menuPath));
    }
    QApplication::exit(0);
}

}  // namespace vrn
