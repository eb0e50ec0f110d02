#include "shell/nav_tree_ctrl.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace radio {

CNavTreeCtrl::CNavTreeCtrl(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    // Labels are not renamed: an item keeps the text of its view.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    setMouseTracking(true);  // hot tracking
}

QRect CNavTreeCtrl::LabelRect(QTreeWidgetItem* item) const
{
    const QRect cell = visualItemRect(item);
    if (cell.isNull()) {
        return {};
    }
    // The label is the text plus the item's small margins on both sides.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int width = fontMetrics().horizontalAdvance(item->text(0)) + 2 * margin;
    return QRect(cell.left(), cell.top(), std::min(width, cell.width()), cell.height());
}

void CNavTreeCtrl::mousePressEvent(QMouseEvent* event)
{
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    const bool onLabel = event->button() == Qt::LeftButton && item &&
                         LabelRect(item).contains(event->position().toPoint());
    if (onLabel) {
        emit labelChosen(item->text(0));
        setCurrentItem(item);
    }
    QTreeWidget::mousePressEvent(event);
}

void CNavTreeCtrl::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
        emit labelChosen(currentItem()->text(0));
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

}  // namespace radio
