#include "shell/window_arrange.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QStyle>
#include <algorithm>

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

// Each window gets its share of the area, but never less than it needs to stay
// readable: windows that need more push the next ones on, and the area scrolls.
void Tile(QMdiArea* area, Qt::Orientation stacking)
{
    const QList<QMdiSubWindow*> windows = Tiled(area);
    if (windows.isEmpty()) {
        return;
    }
    const QRect space = area->viewport()->rect();
    const int n = int(windows.size());
    int offset = 0;
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* w = windows[i];
        if (w->isMaximized()) {
            w->showNormal();
        }
        const QSize least = w->minimumSizeHint().expandedTo(w->minimumSize());
        if (stacking == Qt::Vertical) {
            const int share = space.height() * (i + 1) / n - space.height() * i / n;
            const int height = std::max(share, least.height());
            w->setGeometry(0, offset, std::max(space.width(), least.width()), height);
            offset += height;
        } else {
            const int share = space.width() * (i + 1) / n - space.width() * i / n;
            const int width = std::max(share, least.width());
            w->setGeometry(offset, 0, width, std::max(space.height(), least.height()));
            offset += width;
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

QPoint NewWindowPosition(const QMdiArea* area, QSize size, const QMdiSubWindow* self)
{
    const QRect space = area->viewport()->rect();
    const int step = std::max(16, area->style()->pixelMetric(QStyle::PM_TitleBarHeight));
    QList<QPoint> taken;
    for (const QMdiSubWindow* w : area->subWindowList()) {
        if (w != self && w->isVisible()) {
            taken.append(w->pos());
        }
    }
    for (QPoint corner(0, 0); space.contains(QRect(corner, size)); corner += QPoint(step, step)) {
        if (!taken.contains(corner)) {
            return corner;
        }
    }
    return QPoint(0, 0);
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

QMargins FrameMargins(const QWidget* window)
{
    if (window == nullptr) {
        return {};
    }
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

QRect PlaceOnScreen(const QWidget* anchor, QSize size)
{
    const QScreen* screen = anchor != nullptr ? anchor->screen() : nullptr;
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return {QPoint(0, 0), size};
    }
    const QMargins frame = anchor != nullptr ? FrameMargins(anchor) : QMargins();
    const QRect room = screen->availableGeometry().marginsRemoved(frame);
    const QSize fitted = size.boundedTo(room.size());
    QRect placed(QPoint(0, 0), fitted);
    placed.moveCenter(anchor != nullptr && anchor->isVisible() ? anchor->geometry().center()
                                                               : room.center());
    // Inside the room: the right and bottom edges first, so that the top left corner
    // (title bar, menus) wins when nothing else helps.
    placed.moveRight(std::min(placed.right(), room.right()));
    placed.moveBottom(std::min(placed.bottom(), room.bottom()));
    placed.moveLeft(std::max(placed.left(), room.left()));
    placed.moveTop(std::max(placed.top(), room.top()));
    return placed;
}

}  // namespace radio
