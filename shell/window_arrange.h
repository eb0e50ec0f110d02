// The Window menu's arrangements that the MDI area does not offer itself.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace radio {

// The visible, not minimised child windows one above the other, each the full width.
void TileHorizontally(QMdiArea* area);
// The same side by side, each the full height.
void TileVertically(QMdiArea* area);
// The minimised child windows in a row along the bottom edge.
void ArrangeIcons(QMdiArea* area);

// Where a new child window of `size` opens: the first step of a cascade from the top
// left at which it lies wholly inside the area and no other window has its corner
// there; the top left corner when the area is too small for it (the area then
// scrolls).
QPoint NewWindowPosition(const QMdiArea* area, QSize size, const QMdiSubWindow* self);

// Where a top-level window of `size` opens: centred over `anchor` (a shown window;
// none: the primary screen), no larger than the available area of the anchor's screen
// less the window manager's frame (taken from the anchor's own), and wholly inside it.
QRect PlaceOnScreen(const QWidget* anchor, QSize size);

// The room the window manager's frame takes around `window` (nothing before it is
// shown, or without a window manager).
QMargins FrameMargins(const QWidget* window);

}  // namespace radio
