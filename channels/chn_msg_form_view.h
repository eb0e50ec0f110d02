// CChnMsgFormView: the channel table. One row per channel, one column per field, edited
// in place (ChannelGrid, ChannelDelegate); every committed cell goes into the record
// through the document at once, so the record is always current for a transfer, a
// save or a printout.
//
// Its own part: the layout, the title that follows the current row, the messages, the
// clipboard and the row commands (insert, delete and close the gap, move, sort, fill,
// find, set for selected channels), each one step of the document's history named
// for its menu entry.
#pragma once

#include <QList>
#include <functional>
#include <vector>

#include "data/channel_columns.h"
#include "data/channel_rows.h"
#include "widgets/edit_view.h"

class QAction;

namespace radio {

class ChannelDelegate;
class ChannelGrid;
class ChannelTableModel;

class CChnMsgFormView : public CEditView {
    Q_OBJECT
public:
    explicit CChnMsgFormView(RadioDocument* document, QWidget* parent = nullptr);
    ~CChnMsgFormView() override;

    void LoadFromRecord() override;
    bool StoreToRecord() override;
    void RefreshTexts() override;
    void FocusEditing() override;
    QString ViewTitle() const override { return m_title; }

    // The table as shown: N + 1 rows; row 0 holds the header texts, column 0 the row
    // labels, rows 1..N the channels, columns 1..8 their fields.
    int RowCount() const;
    QString CellText(int row, int column) const;

    // The current cell in the same numbering (0 when there is none).
    int CurrentRow() const;
    int CurrentColumn() const;
    void SetCurrentCell(int row, int column);
    // The in-place editor open, if any.
    QWidget* ActiveEditor() const;
    // Closes the open editor without taking its text, as Escape does.
    void CancelEdit();
    ChannelGrid* Grid() const { return m_grid; }
    ChannelDelegate* Delegate() const { return m_delegate; }
    ChannelTableModel* Model() const { return m_model; }

    // The rows of the selection (at least the current row); `severalOrWhole` tells
    // whether the user chose rows (several, or whole rows by their labels) rather
    // than one cell.
    std::vector<int> SelectedRows(bool* severalOrWhole = nullptr) const;
    // The channel a fill counts from (1-based).
    int FillStartRow() const;
    // The clipboard: the selected channels as tab-separated lines; Cut copies them
    // and empties them; Paste fills the cells from the current cell rightwards and
    // downwards (copied rows, in the first column, whole channels), all or nothing;
    // one value pasted over several selected cells goes into each of them. Delete
    // empties the chosen rows, or, on one cell, does what emptying that cell does.
    // Each is one step of the document's history; none acts while an editor is open
    // (its own keys act on its text).
    void CopySelection();
    void CutSelection();
    void PasteClipboard();
    void DeleteSelection();
    // The tables of every language the program has, asked for at a paste: pasted
    // option texts may be in any of them.
    using LanguagesSource = std::function<const std::vector<LanguageTable>&()>;
    void SetLanguages(LanguagesSource languages) { m_languages = std::move(languages); }

    // Row commands, on the selected rows or the current row. Each first commits an
    // open edit (a refused one stops it), says why when it cannot act, and is one step.
    bool InsertChannels();
    bool DeleteChannelsClosingGap();
    bool MoveChannels(int step);  // -1 up, +1 down; the selection moves with them
    bool SortChannels();          // the selected rows, or every channel
    // Fill asks for the step; the second form takes it (10 Hz units). Both ask before
    // giving programmed channels new frequencies.
    bool FillFrequencies();
    bool FillFrequencies(std::uint32_t step);
    // Find asks for a frequency or tone and goes to the next channel that has it.
    bool Find();
    bool FindNext(const QString& text);
    // Set for selected channels asks what to set; the second form takes it.
    bool SetForSelected();
    bool SetForSelected(const BulkSettings& settings);

    // The entries of the table's context menu (right click, Menu key, Shift+F10).
    void SetContextActions(const QList<QAction*>& actions) { m_contextActions = actions; }

    QSize sizeHint() const override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ApplyLayout();
    int Pixels(int twips) const;
    bool RowEmpty(int row) const { return CellText(row, column::RxFrequency).isEmpty(); }
    void OnCurrentChanged();
    void ShowRefusal(const QString& why);
    void ClearRefusal();
    void EmptyCurrentCell();
    void ClearRows(const std::vector<int>& rows, RadioDocument::StepNamer stepName);
    // Runs a row command's change as one step named for menu text `menuText`, then
    // shows the result; the rows `select` (grid numbering) are selected afterwards.
    bool RowCommand(int menuText, const std::function<void(RadioData&)>& change);
    void SelectRows(const std::vector<int>& rows);
    void TellWhy(const QString& text);
    void SetTitle(int number);
    void ShowBandMessage();
    void ShowContextMenu(const QPoint& position);

    ChannelTableModel* m_model;
    ChannelDelegate* m_delegate;
    ChannelGrid* m_grid;
    QString m_title;
    bool m_shown = false;
    bool m_refusalShown = false;  // the status bar says why a text was refused
    LanguagesSource m_languages;
    QList<QAction*> m_contextActions;
    std::uint32_t m_lastFillStep = 1250;
    QString m_lastFind;
};

}  // namespace radio
