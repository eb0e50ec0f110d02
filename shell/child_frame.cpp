#include "shell/child_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>

#include "widgets/edit_view.h"

namespace radio {

CChildFrame::CChildFrame(ViewKind kind, CEditView* view, QWidget* parent)
    : QMdiSubWindow(parent), m_kind(kind), m_view(view)
{
    setWidget(view);
    setWindowTitle(view->ViewTitle());
    connect(view, &CEditView::titleChanged, this, &QWidget::setWindowTitle);
    connect(view, &CEditView::closeRequested, this, &QWidget::hide);
    // The window menu's Close answers Ctrl+F4 only: Ctrl+W writes to the radio.
    if (QMenu* menu = systemMenu()) {
        for (QAction* action : menu->actions()) {
            if (action->shortcuts().contains(QKeySequence(QKeySequence::Close)) ||
                action->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_W))) {
                action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
            }
        }
    }
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    // Take a pending edit into the record before the window goes out of sight; a
    // disabled view (a transfer is using the record) has nothing to give.
    event->ignore();
    if (m_view->isEnabled() && !m_view->StoreToRecord()) {
        return;  // the refused field keeps its window open and the focus
    }
    hide();
}

}  // namespace radio
