#include "app/shell/window_arrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace vrn {

namespace {

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
