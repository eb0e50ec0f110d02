#include "channels/channel_grid.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionHeader>
#include <QStylePainter>

#include "widgets/num_edit.h"

namespace radio {

ChannelGrid::ChannelGrid(QWidget* parent) : QTableView(parent)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Rows are chosen for the clipboard with the row labels, Shift and Ctrl, and
    // Shift with the arrows.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionsClickable(true);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setHighlightSections(false);
    m_corner = findChild<QAbstractButton*>();
    if (m_corner != nullptr) {
        m_corner->installEventFilter(this);
    }
}

void ChannelGrid::SetCornerText(const QString& text)
{
    m_cornerText = text;
    if (m_corner != nullptr) {
        m_corner->update();
    }
}

void ChannelGrid::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        // Typing into a number field is blocked while the button is held on the grid.
        SetNumericEntryLock(true);
        m_pressed = indexAt(event->position().toPoint());
    }
    QTableView::mousePressEvent(event);
}

void ChannelGrid::mouseReleaseEvent(QMouseEvent* event)
{
    QTableView::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton) {
        return;
    }
    SetNumericEntryLock(false);
    const QModelIndex released = indexAt(event->position().toPoint());
    // A click with Shift or Ctrl chooses rows; it opens no editor.
    const bool choosing = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier);
    const bool click =
        !choosing && released.isValid() && released == m_pressed && released == currentIndex();
    m_pressed = QPersistentModelIndex();
    if (click) {
        emit cellClicked();
    }
}

void ChannelGrid::keyPressEvent(QKeyEvent* event)
{
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    const QString text = event->text();
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        emit characterTyped(13);
        event->accept();
        return;
    }
    if (plain && !text.isEmpty()) {
        const char16_t c = text.front().unicode();
        if ((c >= 32 && c != 0x7f) || c == 8) {
            emit characterTyped(int(c));
            event->accept();
            return;
        }
    }
    // Arrows, page keys, Home and End move the current cell as usual.
    QTableView::keyPressEvent(event);
}

bool ChannelGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_corner && event->type() == QEvent::Paint) {
        QStylePainter painter(m_corner);
        QStyleOptionHeader option;
        option.initFrom(m_corner);
        option.rect = m_corner->rect();
        // Painted like the other header sections, although the button is disabled.
        option.state |= QStyle::State_Enabled;
        option.palette.setCurrentColorGroup(QPalette::Active);
        option.text = m_cornerText;
        option.textAlignment = Qt::AlignCenter;
        option.position = QStyleOptionHeader::OnlyOneSection;
        option.orientation = Qt::Horizontal;
        painter.drawControl(QStyle::CE_Header, option);
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

}  // namespace radio
