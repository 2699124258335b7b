#include "app/shell/window_arrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

#include <algorithm>

namespace vrn {

namespace {

// A cascaded window keeps at least this share of the area, however many windows there are.
constexpr double kCascadeShare = 0.6;

QList<QMdiSubWindow*> windowsToTile(QMdiArea& area) {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : area.subWindowList(QMdiArea::StackingOrder)) {
        if (window->isVisible() && !window->isMinimized()) {
            if (window->isMaximized()) {
                window->showNormal();
            }
            windows.append(window);
        }
    }
    return windows;
}

void tile(QMdiArea& area, bool stacked) {
    const QList<QMdiSubWindow*> windows = windowsToTile(area);
    if (windows.isEmpty()) {
        return;
    }
    const QRect space = area.viewport()->rect();
    const int count = static_cast<int>(windows.size());
    for (int i = 0; i < count; ++i) {
        const QRect slot =
            stacked ? QRect(0, space.height() * i / count, space.width(),
                            space.height() * (i + 1) / count - space.height() * i / count)
                    : QRect(space.width() * i / count, 0,
                            space.width() * (i + 1) / count - space.width() * i / count,
                            space.height());
        windows[i]->setGeometry(slot);
    }
}

}  // namespace

void tileHorizontally(QMdiArea& area) {
    tile(area, true);
}

void tileVertically(QMdiArea& area) {
    tile(area, false);
}

void cascade(QMdiArea& area) {
    QList<QMdiSubWindow*> windows = windowsToTile(area);
    if (windows.isEmpty()) {
        return;
    }
    // The stacking order puts the active window last: it ends on top, at the bottom right.
    const QRect space = area.viewport()->rect();
    const int step = std::max(1, windows.front()->style()->pixelMetric(QStyle::PM_TitleBarHeight,
                                                                       nullptr, windows.front()));
    const int count = static_cast<int>(windows.size());
    const QSize smallest(static_cast<int>(space.width() * kCascadeShare),
                         static_cast<int>(space.height() * kCascadeShare));
    const QSize size(std::max(smallest.width(), space.width() - step * (count - 1)),
                     std::max(smallest.height(), space.height() - step * (count - 1)));
    for (int i = 0; i < count; ++i) {
        // Past the room for another step the cascade starts again at the corner.
        const int maxSteps = std::max(1, std::min((space.width() - size.width()) / step,
                                                  (space.height() - size.height()) / step) +
                                             1);
        const int offset = step * (i % maxSteps);
        windows[i]->setGeometry(QRect(QPoint(offset, offset), size));
        windows[i]->raise();
    }
}

void fitInside(QMdiArea& area, QMdiSubWindow& window) {
    if (window.isMinimized() || window.isMaximized()) {
        return;
    }
    // Before the main window shows, the area has no size of its own yet.
    const QRect space = area.viewport()->rect();
    if (!area.isVisible() || space.isEmpty()) {
        return;
    }
    QRect placed = window.geometry();
    placed.setWidth(std::min(placed.width(), space.width()));
    placed.setHeight(std::min(placed.height(), space.height()));
    placed.moveLeft(std::clamp(placed.left(), 0, space.width() - placed.width()));
    placed.moveTop(std::clamp(placed.top(), 0, space.height() - placed.height()));
    if (placed != window.geometry()) {
        window.setGeometry(placed);
    }
}

void arrangeIcons(QMdiArea& area) {
    const QRect space = area.viewport()->rect();
    int x = 0;
    int bottom = space.bottom() + 1;
    int rowHeight = 0;
    for (QMdiSubWindow* window : area.subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized()) {
            continue;
        }
        const QSize size = window->size();
        if (x > 0 && x + size.width() > space.width()) {
            x = 0;
            bottom -= rowHeight;
            rowHeight = 0;
        }
        window->move(x, bottom - size.height());
        x += size.width();
        rowHeight = std::max(rowHeight, size.height());
    }
}

}  // namespace vrn
