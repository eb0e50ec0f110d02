#include "shell/window_arrange.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace radio {

namespace {

QList<QMdiSubWindow*> Tiled(QMdiArea* area)
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* w : area->subWindowList(QMdiArea::StackingOrder)) {
        if (w->isVisible() && !w->isMinimized()) {
            windows.append(w);
        }
    }
    return windows;
}

void Tile(QMdiArea* area, Qt::Orientation stacking)
{
    const QList<QMdiSubWindow*> windows = Tiled(area);
    if (windows.isEmpty()) {
        return;
    }
    const QRect space = area->viewport()->rect();
    const int n = int(windows.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* w = windows[i];
        if (w->isMaximized()) {
            w->showNormal();
        }
        if (stacking == Qt::Vertical) {
            const int top = space.height() * i / n;
            const int bottom = space.height() * (i + 1) / n;
            w->setGeometry(0, top, space.width(), bottom - top);
        } else {
            const int left = space.width() * i / n;
            const int right = space.width() * (i + 1) / n;
            w->setGeometry(left, 0, right - left, space.height());
        }
    }
}

}  // namespace

void TileHorizontally(QMdiArea* area)
{
    Tile(area, Qt::Vertical);
}

void TileVertically(QMdiArea* area)
{
    Tile(area, Qt::Horizontal);
}

void ArrangeIcons(QMdiArea* area)
{
    const QRect space = area->viewport()->rect();
    int x = 0;
    int y = space.height();
    for (QMdiSubWindow* w : area->subWindowList(QMdiArea::CreationOrder)) {
        if (!w->isVisible() || !w->isMinimized()) {
            continue;
        }
        const QSize size = w->size();
        if (x > 0 && x + size.width() > space.width()) {
            x = 0;
            y -= size.height();
        }
        w->move(x, y - size.height());
        x += size.width();
    }
}

}  // namespace radio
