// The Window menu's arrangements that the MDI area does not offer itself.
#pragma once

class QMdiArea;

namespace radio {

// The visible, not minimised child windows one above the other, each the full width.
void TileHorizontally(QMdiArea* area);
// The same side by side, each the full height.
void TileVertically(QMdiArea* area);
// The minimised child windows in a row along the bottom edge.
void ArrangeIcons(QMdiArea* area);

}  // namespace radio
