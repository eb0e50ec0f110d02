// The in-place editors of the channel table, made, filled and read by Qt's item view
// machinery: a numeric edit box over the frequency cells, a drop list over the tones
// (the 1077 entries of one shared model) and one over each option column.
//
// The delegate also reads the editor's keys: Tab, Backtab, Enter and (in the edit box)
// Up and Down ask the grid to commit and move on; Escape closes the editor without
// taking its text; characters typed into a list choose an entry (ListSearch). What the
// grid commits goes through Commit(), which tells whether the model took the text.
#pragma once

#include <QStyledItemDelegate>
#include <array>

#include "channels/list_search.h"

class QComboBox;
class QStringListModel;

namespace radio {

struct RadioData;

enum class CellMove { Next, Previous, Up, Down };

class ChannelDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    ChannelDelegate(const RadioData* data, QObject* parent = nullptr);

    // Takes the lists' texts from the language. The tone list depends only on the off
    // text and is rebuilt only when that changes.
    void Fill();
    QStringListModel* Tones() const { return m_tones; }
    bool IsList(const QWidget* editor) const;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

    // The edit just opened began with `key` typed on the grid (0 for a click or F2,
    // 8 Backspace, 13 Enter, else a printable character): a digit or point starts the
    // edit box's text, another printable key blanks it, and a list takes the key into
    // its search. `selectAll` selects the edit box's text (a click), else the cursor
    // stands at its end.
    void BeginTyping(QWidget* editor, int key, bool selectAll);
    // Takes the editor's text into the model. False when it was refused: `refused`
    // has said why and the editor keeps the text as typed.
    bool Commit(QWidget* editor);

signals:
    void moveRequested(QWidget* editor, CellMove move);
    void escapePressed(QWidget* editor);
    // The keyboard went from the editor to something outside the table.
    void focusLeft(QWidget* editor);
    // Why a text was refused, for the status bar; and that the refusal is over.
    void refused(const QString& why);
    void refusalEnded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void TypeIntoList(QComboBox* list, const QString& typed);
    bool IsToneList(const QWidget* editor) const;
    QString Text(int n) const;

    const RadioData* m_data;
    QStringListModel* m_tones;
    QString m_toneOffText;
    std::array<QStringList, 4> m_options;  // the option columns' entries
    ListSearch m_search;                   // of the one list open
    // What the last setModelData made of its text.
    mutable bool m_taken = false;
    mutable QString m_refusal;
};

}  // namespace radio
