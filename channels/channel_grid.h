// The grid of the channel table: a table view over ChannelTableModel whose editors
// come from ChannelDelegate and are opened, placed and closed by Qt, and whose keys
// are those of the table:
//
// - typing a character starts the edit of the current cell (a digit or point begins
//   a frequency, a character on a list chooses an entry); Enter, F2 and a click on
//   the current cell open it as it is;
// - Tab and Enter commit and move to the next column, or column 1 of the next row;
//   Backtab back; Up and Down commit and move between rows, entering a row without a
//   channel at its receive frequency; Escape abandons the edit;
// - a text the model refuses keeps its editor open, with the text as typed, and the
//   current cell stays where it is, whatever moved it;
// - the keyboard going to something outside the table commits the edit.
//
// The grid also holds the numeric-entry lock while the left mouse button is down on
// it, shows the label column's header text in its corner, and asks for the context
// menu on a right click, the Menu key and Shift+F10.
#pragma once

#include <QPersistentModelIndex>
#include <QTableView>

#include "channels/channel_delegate.h"

class QAbstractButton;

namespace radio {

class ChannelTableModel;

class ChannelGrid : public QTableView {
    Q_OBJECT
public:
    ChannelGrid(ChannelTableModel* model, ChannelDelegate* delegate, QWidget* parent = nullptr);

    void SetCornerText(const QString& text);
    QString CornerText() const { return m_cornerText; }
    ChannelDelegate* Delegate() const { return m_delegate; }

    // The current cell in grid numbering (channel_cells.h); 0 when there is none.
    int CurrentRow() const;
    int CurrentColumn() const;
    void SetCurrentCell(int row, int column);

    // The editor open, if any.
    QWidget* OpenEditor() const;
    // Opens the editor of the current cell: `key` as BeginTyping takes it.
    void BeginEdit(int key, bool selectAll);
    // Commits the open editor, if any, and closes it. False when its text was refused:
    // the editor stays open with the text as typed.
    bool CommitEdit();
    // Closes the open editor without taking its text, as Escape does.
    void DiscardEdit();

signals:
    // A committed frequency lies outside the band (it was stored).
    void outOfBandStored();
    // Delete pressed on the grid itself.
    void deleteRequested();
    void refused(const QString& why);
    void refusalEnded();

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool RowEmpty(int row) const;
    bool CommitAndClose(QWidget* editor);
    void HandFocusToGrid(QWidget* editor);
    void OnClick();
    void OnMove(QWidget* editor, CellMove move);
    void Advance(bool forward);
    void MoveVertically(int step);
    void ShowContextMenuAtCurrent();

    ChannelTableModel* m_model;
    ChannelDelegate* m_delegate;
    QPersistentModelIndex m_editIndex;  // the cell whose editor is open
    QPersistentModelIndex m_pressed;
    bool m_keepingEdit = false;  // the current cell goes back to a refused edit
    QString m_cornerText;
    QAbstractButton* m_corner = nullptr;
};

}  // namespace radio
