#include "channels/channel_grid.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QStyleOptionHeader>
#include <QStylePainter>

#include "channels/channel_table_model.h"
#include "widgets/num_edit.h"

namespace radio {

ChannelGrid::ChannelGrid(ChannelTableModel* model, ChannelDelegate* delegate, QWidget* parent)
    : QTableView(parent), m_model(model), m_delegate(delegate)
{
    setModel(model);
    setItemDelegate(delegate);
    // The grid opens its editors itself, by the table's own keys and clicks.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Rows are chosen for the clipboard and the row commands with the row labels,
    // Shift and Ctrl, and Shift with the arrows.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    // Tab moves between the cells (keyPressEvent), never out of the table.
    setTabKeyNavigation(true);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    setContextMenuPolicy(Qt::CustomContextMenu);
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
    connect(delegate, &ChannelDelegate::moveRequested, this, &ChannelGrid::OnMove);
    connect(delegate, &ChannelDelegate::escapePressed, this, [this] { DiscardEdit(); });
    connect(delegate, &ChannelDelegate::focusLeft, this,
            [this](QWidget* editor) { CommitAndClose(editor); });
    connect(delegate, &ChannelDelegate::refused, this, &ChannelGrid::refused);
    connect(delegate, &ChannelDelegate::refusalEnded, this, &ChannelGrid::refusalEnded);
}

void ChannelGrid::SetCornerText(const QString& text)
{
    m_cornerText = text;
    if (m_corner != nullptr) {
        m_corner->update();
    }
}

int ChannelGrid::CurrentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

int ChannelGrid::CurrentColumn() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() + 1 : 0;
}

void ChannelGrid::SetCurrentCell(int row, int column)
{
    const QModelIndex target = m_model->IndexOf(row, column);
    if (target.isValid()) {
        setCurrentIndex(target);
    }
}

bool ChannelGrid::RowEmpty(int row) const
{
    return m_model->Cell(row, column::RxFrequency).isEmpty();
}

QWidget* ChannelGrid::OpenEditor() const
{
    return m_editIndex.isValid() ? indexWidget(m_editIndex) : nullptr;
}

void ChannelGrid::BeginEdit(int key, bool selectAll)
{
    int row = CurrentRow();
    int column = CurrentColumn();
    if (row == 0 || column == 0) {
        return;
    }
    // An empty row is no channel yet: every edit in it starts with its receive frequency.
    if (column != column::RxFrequency && RowEmpty(row)) {
        SetCurrentCell(row, column::RxFrequency);
        column = column::RxFrequency;
    }
    const QModelIndex index = m_model->IndexOf(row, column);
    QWidget* editor = OpenEditor();
    if (editor != nullptr && m_editIndex != index) {
        if (!CommitAndClose(editor)) {
            return;
        }
        editor = nullptr;
    }
    scrollTo(index);
    if (editor == nullptr) {
        m_editIndex = index;
        edit(index, QAbstractItemView::AllEditTriggers, nullptr);
        editor = OpenEditor();
        if (editor == nullptr) {
            return;
        }
    }
    editor->setFocus();
    m_delegate->BeginTyping(editor, key, selectAll);
}

// Commits `editor` and closes it; the keyboard goes back to the grid first, so that
// the next key starts the next edit.
bool ChannelGrid::CommitAndClose(QWidget* editor)
{
    if (!m_delegate->Commit(editor)) {
        return false;
    }
    HandFocusToGrid(editor);
    if (auto* list = qobject_cast<QComboBox*>(editor)) {
        list->hidePopup();
    }
    m_editIndex = QPersistentModelIndex();
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    if (m_model->LastCommit().outOfBand) {
        emit outOfBandStored();
    }
    return true;
}

bool ChannelGrid::CommitEdit()
{
    QWidget* editor = OpenEditor();
    return editor == nullptr || CommitAndClose(editor);
}

void ChannelGrid::DiscardEdit()
{
    QWidget* editor = OpenEditor();
    if (editor == nullptr) {
        return;
    }
    emit refusalEnded();
    HandFocusToGrid(editor);
    if (auto* list = qobject_cast<QComboBox*>(editor)) {
        list->hidePopup();
    }
    m_editIndex = QPersistentModelIndex();
    closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

// The window's focus widget is asked rather than hasFocus(), which is false while the
// window is not the active one (a window manager that has not activated it yet, or
// none at all).
void ChannelGrid::HandFocusToGrid(QWidget* editor)
{
    QWidget* focus = editor->window()->focusWidget();
    if (focus == editor || editor->isAncestorOf(focus)) {
        setFocus();
    }
}

// The current cell moved (a click, an arrow, Tab): the open edit is committed, or,
// when its text is refused, the current cell goes back to the edited one and the
// editor keeps the keyboard.
void ChannelGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QWidget* editor = OpenEditor();
    if (!m_keepingEdit && editor != nullptr && current != m_editIndex && !CommitAndClose(editor)) {
        QScopedValueRollback<bool> keeping(m_keepingEdit, true);
        setCurrentIndex(m_editIndex);
        if (editor->window()->focusWidget() != editor) {
            editor->setFocus(Qt::OtherFocusReason);
        }
        viewport()->update();
        return;
    }
    QTableView::currentChanged(current, previous);
}

void ChannelGrid::OnClick()
{
    const int row = CurrentRow();
    const int column = CurrentColumn();
    if (row == 0 || column == 0) {
        return;
    }
    if (column != column::RxFrequency && m_model->Cell(row, column).isEmpty()) {
        if (RowEmpty(row)) {
            SetCurrentCell(row, column::RxFrequency);
        }
    } else if (column == column::TxTone && m_model->Cell(row, column::TxFrequency).isEmpty()) {
        // A transmit tone needs a transmit frequency first.
        SetCurrentCell(row, column::TxFrequency);
    }
    BeginEdit(0, true);
}

void ChannelGrid::OnMove(QWidget* /*editor*/, CellMove move)
{
    switch (move) {
    case CellMove::Next: Advance(true); break;
    case CellMove::Previous: Advance(false); break;
    case CellMove::Up: MoveVertically(-1); break;
    case CellMove::Down: MoveVertically(1); break;
    }
}

// Tab and Enter: the next column, or column 1 of the next row. The last cell of the
// table only commits.
void ChannelGrid::Advance(bool forward)
{
    const int row = CurrentRow();
    const int column = CurrentColumn();
    if (row == 0 || !CommitEdit()) {
        return;  // a refused text keeps its editor and its cell
    }
    if (forward) {
        if (column < column::Last) {
            SetCurrentCell(row, column + 1);
        } else if (row < m_model->rowCount()) {
            SetCurrentCell(row + 1, column::RxFrequency);
        }
    } else {
        if (column > column::RxFrequency) {
            SetCurrentCell(row, column - 1);
        } else if (row > 1) {
            SetCurrentCell(row - 1, column::Last);
        }
    }
}

// Up and Down: a row without a channel is entered at its receive frequency.
void ChannelGrid::MoveVertically(int step)
{
    const int target = CurrentRow() + step;
    if (CurrentRow() == 0 || target < 1 || target > m_model->rowCount() || !CommitEdit()) {
        return;
    }
    SetCurrentCell(target, RowEmpty(target) ? int(column::RxFrequency) : CurrentColumn());
}

void ChannelGrid::ShowContextMenuAtCurrent()
{
    const QModelIndex current = currentIndex();
    const QRect cell = current.isValid() ? visualRect(current) : QRect();
    emit customContextMenuRequested(cell.isValid() ? cell.center() : QPoint(0, 0));
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
        OnClick();
    }
}

void ChannelGrid::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool plain = !(modifiers & (Qt::ControlModifier | Qt::AltModifier));
    switch (event->key()) {
    case Qt::Key_Tab:
        if (modifiers == Qt::NoModifier) {
            Advance(true);
            event->accept();
            return;
        }
        break;
    case Qt::Key_Backtab:
        Advance(false);
        event->accept();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (modifiers == Qt::NoModifier) {
            MoveVertically(event->key() == Qt::Key_Up ? -1 : 1);
            event->accept();
            return;
        }
        break;
    case Qt::Key_F2:
        OnClick();
        event->accept();
        return;
    case Qt::Key_Delete:
        if (modifiers == Qt::NoModifier) {
            emit deleteRequested();
            event->accept();
            return;
        }
        break;
    case Qt::Key_Menu:
        ShowContextMenuAtCurrent();
        event->accept();
        return;
    case Qt::Key_F10:
        if (modifiers == Qt::ShiftModifier) {
            ShowContextMenuAtCurrent();
            event->accept();
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (plain) {
            BeginEdit(13, false);
            event->accept();
            return;
        }
        break;
    default: break;
    }
    const QString text = event->text();
    if (plain && !text.isEmpty() && CurrentRow() != 0 && CurrentColumn() != 0) {
        const char16_t c = text.front().unicode();
        if ((c >= 32 && c != 0x7f) || c == 8) {
            BeginEdit(int(c), false);
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
