// The Window menu's arrangements that the MDI area does not offer itself.
#pragma once

#include <QPoint>
#include <QSize>

class QMdiArea;
class QMdiSubWindow;

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

}  // namespace radio
