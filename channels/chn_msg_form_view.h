// CChnMsgFormView: the channel table. One row per channel, one column per field, edited
// in place: a numeric edit box over the frequency cells and a drop list over the
// others. Every committed cell goes into the channel's record at once, so the record
// is always current for a transfer, a save or a printout.
//
// Keyboard first: the grid has the focus when the view opens, typing starts the edit
// of the current cell, Tab and Enter commit and move on, Up and Down commit and move,
// Escape abandons the open edit, Delete on a frequency cell empties it. A text that
// is not a frequency is never taken as an empty one: the editor stays open with the
// text as typed, and the status bar says why.
#pragma once

#include <QMetaObject>
#include <functional>
#include <memory>
#include <vector>

#include "channels/channel_sheet.h"
#include "widgets/edit_view.h"

namespace radio {

class ChannelEditors;
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
    void ClearAllChannels() override;

    // The table as shown, for the printout: N + 1 rows; row 0 holds the header texts,
    // column 0 the row labels, rows 1..N the channels, columns 1..8 their fields.
    int RowCount() const { return m_sheet.RowCount(); }
    QString CellText(int row, int column) const { return m_sheet.Cell(row, column); }

    // The current cell in the same numbering (0 when there is none).
    int CurrentRow() const;
    int CurrentColumn() const;
    // The in-place editor open over the current cell, if any.
    QWidget* ActiveEditor() const { return m_active; }
    // Closes the open editor without taking its text, as Escape does.
    void CancelEdit() { DiscardEdit(); }
    ChannelGrid* Grid() const { return m_grid; }
    ChannelEditors* Editors() const { return m_editors.get(); }
    void SetCurrentCell(int row, int column);

    // The rows of the selection (at least the current row); `severalOrWhole` tells
    // whether the user chose rows (several, or whole rows by their labels) rather
    // than one cell.
    std::vector<int> SelectedRows(bool* severalOrWhole = nullptr) const;
    // The clipboard: the selected channels as tab-separated lines; Cut copies them
    // and empties them; Paste fills the cells from the current cell rightwards and
    // downwards (copied rows, in the first column, whole channels), all or nothing.
    // Delete empties the chosen rows, or, on one cell, does what emptying
    // that cell does. Each is one step of the document's history; none acts while
    // an editor is open (its own keys act on its text).
    void CopySelection();
    void CutSelection();
    void PasteClipboard();
    void DeleteSelection();
    // The tables of every language the program has, asked for at a paste: pasted
    // option texts may be in any of them.
    using LanguagesSource = std::function<const std::vector<LanguageTable>&()>;
    void SetLanguages(LanguagesSource languages) { m_languages = std::move(languages); }

    QSize sizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void ApplyLayout();
    int Pixels(int twips) const;
    bool RowEmpty(int row) const { return m_sheet.Cell(row, column::RxFrequency).isEmpty(); }

    void EnterCell();
    bool LeaveCell();
    void OnCurrentChanged();
    void KeepRefusedEdit(const QString& text, const QString& reason);
    void ClearRefusal();
    void RefuseTypedTone();
    void TypeIntoList(const QString& typed);
    void EmptyCurrentCell();
    void ClearRows(const std::vector<int>& rows, RadioDocument::StepNamer stepName);
    RadioDocument::StepNamer CellStepName(int row, int column) const;
    void DiscardEdit();
    void HandFocusToGrid(QWidget* editor);
    void BeginEdit(int key, bool selectAll);
    void OnClick();
    void OnCharacter(int key);
    void Advance(bool forward);
    void MoveVertically(int step);
    void SetTitle(int number);
    void ShowBandMessage();
    void OnFocusChanged(QWidget* old, QWidget* now);

    ChannelSheet m_sheet;
    ChannelTableModel* m_model;
    ChannelGrid* m_grid;
    std::unique_ptr<ChannelEditors> m_editors;
    QWidget* m_active = nullptr;  // the editor shown, between begin-edit and leave-cell
    int m_editRow = 0;
    int m_editColumn = 0;
    QString m_title;
    bool m_shown = false;
    bool m_keepingEdit = false;   // the current cell goes back to a refused edit
    bool m_refusalShown = false;  // the status bar says why a text was refused
    LanguagesSource m_languages;
    QMetaObject::Connection m_focusConnection;
};

}  // namespace radio
