#include "channels/chn_msg_form_view.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QVBoxLayout>
#include <algorithm>

#include "channels/channel_clipboard.h"
#include "channels/channel_editors.h"
#include "channels/channel_grid.h"
#include "channels/channel_table_model.h"
#include "widgets/message_box.h"
#include "widgets/num_edit.h"

namespace radio {

namespace {

// The table's size and row height at 96 dots per inch, in twips (15 twips a pixel).
constexpr int kTableWidthTwips = 667 * 15;
constexpr int kTableHeightTwips = 296 * 15;
constexpr int kRowHeightTwips = 240;
constexpr int kTwipsPerInch = 1440;

constexpr int kWarningCaption = 89;

bool StartsTextWith(int key)
{
    return (key >= '0' && key <= '9') || key == '.';
}

}  // namespace

CChnMsgFormView::CChnMsgFormView(RadioDocument* document, QWidget* parent)
    : CEditView(document, parent),
      m_sheet(Data()),
      m_model(new ChannelTableModel(&m_sheet, this)),
      m_grid(new ChannelGrid(this))
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8.25);
    m_grid->setFont(font);
    m_grid->setModel(m_model);
    m_editors = std::make_unique<ChannelEditors>(m_grid->viewport());
    for (QWidget* editor : m_editors->All()) {
        editor->setFont(font);
        editor->installEventFilter(this);
    }
    m_grid->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid);

    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &CChnMsgFormView::OnCurrentChanged);
    connect(m_grid, &ChannelGrid::cellClicked, this, &CChnMsgFormView::OnClick);
    connect(m_grid, &ChannelGrid::characterTyped, this, &CChnMsgFormView::OnCharacter);
    m_focusConnection =
        connect(qApp, &QApplication::focusChanged, this, &CChnMsgFormView::OnFocusChanged);

    SetTitle(1);
    LoadFromRecord();
}

CChnMsgFormView::~CChnMsgFormView()
{
    // The grid and its model read the sheet, a member that dies before the children
    // would: take them down first, with no slot or filter of this view running.
    disconnect(m_focusConnection);
    m_grid->selectionModel()->disconnect(this);
    m_grid->removeEventFilter(this);
    for (QWidget* editor : m_editors->All()) {
        editor->removeEventFilter(this);
    }
    delete m_grid;
    delete m_model;
}

int CChnMsgFormView::CurrentRow() const
{
    const QModelIndex current = m_grid->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

int CChnMsgFormView::CurrentColumn() const
{
    const QModelIndex current = m_grid->currentIndex();
    return current.isValid() ? current.column() + 1 : 0;
}

void CChnMsgFormView::SetCurrentCell(int row, int column)
{
    const QModelIndex target = m_model->IndexOf(row, column);
    if (target.isValid()) {
        m_grid->setCurrentIndex(target);
    }
}

int CChnMsgFormView::Pixels(int twips) const
{
    return twips * m_grid->logicalDpiX() / kTwipsPerInch;
}

QSize CChnMsgFormView::sizeHint() const
{
    return QSize(Pixels(kTableWidthTwips),
                 kTableHeightTwips * m_grid->logicalDpiY() / kTwipsPerInch);
}

void CChnMsgFormView::ApplyLayout()
{
    m_grid->SetCornerText(m_sheet.Cell(0, column::Label));
    m_grid->verticalHeader()->setFixedWidth(Pixels(kColumnLayout[column::Label].widthTwips));
    m_grid->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    for (int c = 1; c < column::Count; ++c) {
        m_grid->setColumnWidth(c - 1, Pixels(kColumnLayout[std::size_t(c)].widthTwips));
    }
    const int rowHeight = std::max(kRowHeightTwips * m_grid->logicalDpiY() / kTwipsPerInch,
                                   m_grid->fontMetrics().height() + 4);
    m_grid->verticalHeader()->setDefaultSectionSize(rowHeight);
}

void CChnMsgFormView::LoadFromRecord()
{
    // An edit still open belongs to the data being replaced.
    DiscardEdit();
    const int row = CurrentRow();
    const int column = CurrentColumn();
    m_model->Reload();
    m_editors->Fill(*m_data);
    ApplyLayout();
    const int targetRow = std::clamp(row, 1, std::max(1, m_sheet.ChannelCount()));
    const int targetColumn = column > 0 ? column : 1;
    if (CurrentRow() == targetRow && CurrentColumn() == targetColumn) {
        EnterCell();
    } else {
        SetCurrentCell(targetRow, targetColumn);
    }
}

bool CChnMsgFormView::StoreToRecord()
{
    return LeaveCell();
}

void CChnMsgFormView::FocusEditing()
{
    if (m_active != nullptr) {
        m_active->setFocus(Qt::OtherFocusReason);
    } else {
        m_grid->setFocus(Qt::OtherFocusReason);
    }
}

void CChnMsgFormView::RefreshTexts()
{
    LoadFromRecord();
}

void CChnMsgFormView::ClearAllChannels()
{
    DiscardEdit();
    const int column = std::max(1, CurrentColumn());
    // Part of the step that changed the band, when one runs.
    ChangeRecord([this](RadioData& data) {
        m_model->ClearAllChannels(data);
        return RadioDocument::StepNamer(
            [this, n = m_sheet.ChannelCount()] { return Text(text::UndoDelete).arg(n); });
    });
    ApplyLayout();
    SetCurrentCell(1, column);
}

void CChnMsgFormView::SetTitle(int number)
{
    const QString title = Text(chtext::Title) + QStringLiteral("- %1").arg(number);
    if (title != m_title) {
        m_title = title;
        emit titleChanged(m_title);
    }
}

void CChnMsgFormView::showEvent(QShowEvent* event)
{
    CEditView::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        m_grid->setFocus();
        emit titleChanged(m_title);
    }
}

// The current cell changed to this one (or the table was rebuilt): the title follows
// the row, and the column's editor holds the cell's text for the next edit.
void CChnMsgFormView::EnterCell()
{
    const int row = CurrentRow();
    if (row == 0) {
        return;
    }
    SetTitle(row);
    m_editors->Preset(CurrentColumn(), m_sheet.Cell(row, CurrentColumn()));
}

// The grid takes the keyboard back from an editor that is about to hide, so that the
// next key starts the next edit. The window's focus widget is asked rather than
// hasFocus(), which is false while the window is not the active one (a window
// manager that has not activated it yet, or none at all).
void CChnMsgFormView::HandFocusToGrid(QWidget* editor)
{
    QWidget* focus = editor->window()->focusWidget();
    if (focus == editor || editor->isAncestorOf(focus)) {
        m_grid->setFocus();
    }
}

// Commits the open editor, if any, into its cell and the record. False when its text
// was refused: the editor stays open with the text as typed.
bool CChnMsgFormView::LeaveCell()
{
    if (m_active == nullptr) {
        return true;
    }
    QWidget* editor = m_active;
    if (editor == m_editors->ToneList() && m_editors->ToneSearchFailed()) {
        RefuseTypedTone();
        return false;
    }
    const QString text = m_editors->TextOf(editor);
    CommitResult result;
    ChangeRecord([&](RadioData& data) {
        result = m_sheet.Commit(data, m_editRow, m_editColumn, text);
        return CellStepName(m_editRow, m_editColumn);
    });
    if (result.refused) {
        KeepRefusedEdit(text, result.reason);
        return false;
    }
    m_active = nullptr;
    ClearRefusal();
    HandFocusToGrid(editor);
    if (m_editors->IsList(editor)) {
        static_cast<QComboBox*>(editor)->hidePopup();
    }
    editor->hide();
    m_model->RowChanged(m_editRow);
    // The editor holds the cell's text again, so that the next edit of the same cell
    // starts from what the cell shows.
    m_editors->Preset(m_editColumn, m_sheet.Cell(m_editRow, m_editColumn));
    if (result.outOfBand) {
        ShowBandMessage();
    }
    return true;
}

void CChnMsgFormView::KeepRefusedEdit(const QString& text, const QString& reason)
{
    Beep();
    // Blanks alone would read as nothing at all.
    const QString shown =
        text.trimmed().isEmpty() ? QLatin1Char('"') + text + QLatin1Char('"') : text;
    emit statusMessage(reason.isEmpty() ? Text(text::NotAFrequency).arg(shown) : reason);
    m_refusalShown = true;
}

// What was typed into the tone list names no tone: the list stays open for a mended
// text, an entry chosen, or Escape.
void CChnMsgFormView::RefuseTypedTone()
{
    Beep();
    emit statusMessage(Text(text::NotATone).arg(m_editors->SearchText()));
    m_refusalShown = true;
}

// A key typed into a list goes to its search.
void CChnMsgFormView::TypeIntoList(const QString& typed)
{
    auto* list = static_cast<QComboBox*>(m_active);
    const bool found =
        typed.isEmpty() ? m_editors->BackspaceInList(list) : m_editors->TypeIntoList(list, typed);
    if (m_editors->ToneSearchFailed()) {
        RefuseTypedTone();
    } else if (found) {
        ClearRefusal();
    }
}

// A refused text mended or given up: its message goes from the status bar.
void CChnMsgFormView::ClearRefusal()
{
    if (m_refusalShown) {
        m_refusalShown = false;
        emit statusMessage(QString());
    }
}

// The grid moved (a click, an arrow, Tab): the open edit is committed, or, when its
// text is refused, the grid goes back to the edited cell and the editor keeps the
// keyboard.
void CChnMsgFormView::OnCurrentChanged()
{
    if (m_keepingEdit) {
        return;
    }
    if (!LeaveCell()) {
        QScopedValueRollback<bool> keeping(m_keepingEdit, true);
        m_grid->setCurrentIndex(m_model->IndexOf(m_editRow, m_editColumn));
        if (m_active->window()->focusWidget() != m_active) {
            m_active->setFocus(Qt::OtherFocusReason);
        }
        return;
    }
    EnterCell();
}

// Delete on a frequency cell does what emptying the cell's editor does.
void CChnMsgFormView::EmptyCurrentCell()
{
    const int row = CurrentRow();
    const int column = CurrentColumn();
    if (row == 0 || !IsFrequencyColumn(column) || m_sheet.Cell(row, column).isEmpty()) {
        return;
    }
    ChangeRecord([&](RadioData& data) {
        m_sheet.Commit(data, row, column, QString());
        return CellStepName(row, column);
    });
    m_model->RowChanged(row);
    EnterCell();
}

// "Channel 3 receive frequency 435.12500", "Channel 3 transmit frequency emptied".
RadioDocument::StepNamer CChnMsgFormView::CellStepName(int row, int column) const
{
    static constexpr int kFieldNames[] = {
        0,
        text::FieldReceiveFrequency,
        text::FieldTransmitFrequency,
        text::FieldReceiveTone,
        text::FieldTransmitTone,
        text::FieldBandwidth,
        text::FieldPower,
        text::FieldScanAdd,
        text::FieldBusyLock,
    };
    const int field = kFieldNames[std::clamp(column, 0, int(column::Last))];
    const QString value = m_sheet.Cell(row, column);
    // A value of a list column ("Wide", "Off") is a language text itself: the name
    // then follows the language too.
    int valueText = -1;
    for (int n = 0; n < LanguageTable::Count() && valueText < 0 && !value.isEmpty(); ++n) {
        if (Text(n) == value) {
            valueText = n;
        }
    }
    return [this, row, field, value, valueText] {
        return value.isEmpty() ? Text(text::UndoCellEmptied).arg(row).arg(Text(field))
                               : Text(text::UndoCellValue)
                                     .arg(row)
                                     .arg(Text(field), valueText >= 0 ? Text(valueText) : value);
    };
}

std::vector<int> CChnMsgFormView::SelectedRows(bool* severalOrWhole) const
{
    std::vector<int> rows;
    bool whole = false;
    for (const QModelIndex& index : m_grid->selectionModel()->selectedIndexes()) {
        rows.push_back(index.row() + 1);
        whole = whole || m_grid->selectionModel()->isRowSelected(index.row(), QModelIndex());
    }
    if (rows.empty() && CurrentRow() != 0) {
        rows.push_back(CurrentRow());
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (severalOrWhole != nullptr) {
        *severalOrWhole = whole || rows.size() > 1;
    }
    return rows;
}

void CChnMsgFormView::CopySelection()
{
    if (m_active != nullptr) {
        return;  // the open editor's own keys copy its text
    }
    QGuiApplication::clipboard()->setText(ChannelRowsText(m_sheet, SelectedRows()));
}

void CChnMsgFormView::CutSelection()
{
    if (m_active != nullptr) {
        return;
    }
    const std::vector<int> rows = SelectedRows();
    QGuiApplication::clipboard()->setText(ChannelRowsText(m_sheet, rows));
    ClearRows(rows, [this, n = rows.size()] { return Text(text::UndoCut).arg(n); });
}

void CChnMsgFormView::DeleteSelection()
{
    if (m_active != nullptr) {
        return;
    }
    bool rowsChosen = false;
    const std::vector<int> rows = SelectedRows(&rowsChosen);
    if (!rowsChosen) {
        EmptyCurrentCell();  // one cell: what emptying it does
        return;
    }
    ClearRows(rows, [this, n = rows.size()] { return Text(text::UndoDelete).arg(n); });
}

void CChnMsgFormView::ClearRows(const std::vector<int>& rows, RadioDocument::StepNamer stepName)
{
    ChangeRecord([&](RadioData& data) {
        for (int row : rows) {
            if (!RowEmpty(row)) {
                m_sheet.Commit(data, row, column::RxFrequency, QString());
            }
        }
        return stepName;
    });
    m_model->AllChanged();
    EnterCell();
}

void CChnMsgFormView::PasteClipboard()
{
    const int first = CurrentRow();
    if (m_active != nullptr || first == 0) {
        return;
    }
    const QString text = QGuiApplication::clipboard()->text();
    if (text.isEmpty()) {
        return;
    }
    static const std::vector<LanguageTable> kNoOtherLanguages;
    const PastePlan plan = PlanPaste(*m_data, first, CurrentColumn(), text,
                                     m_languages ? m_languages() : kNoOtherLanguages);
    if (!plan.ok()) {
        Beep();
        BoxRequest box;
        box.caption = Text(kWarningCaption);
        box.icon = QMessageBox::Warning;
        box.text = PasteProblemText(*m_data, plan.problem);
        ShowBox(this, box);
        return;
    }
    if (plan.rows.empty()) {
        return;  // line ends alone
    }
    if (plan.outOfBand > 0) {
        const QString question = Text(text::PasteOutOfBand)
                                     .arg(plan.outOfBand)
                                     .arg(m_data->bandLower)
                                     .arg(m_data->bandUpper);
        if (!ConfirmWarning(this, question, Text(kWarningCaption))) {
            return;
        }
    }
    ChangeRecord([&](RadioData& data) {
        ApplyPaste(plan, data);
        return RadioDocument::StepNamer(
            [this, n = plan.rows.size()] { return Text(text::UndoPaste).arg(n); });
    });
    m_sheet.Load();
    m_model->AllChanged();
    // The pasted cells stay selected, as after a paste in a spreadsheet.
    m_grid->selectionModel()->select(
        QItemSelection(m_model->IndexOf(plan.rows.front(), plan.firstColumn),
                       m_model->IndexOf(plan.rows.back(), plan.lastColumn)),
        QItemSelectionModel::ClearAndSelect);
    EnterCell();
}

void CChnMsgFormView::DiscardEdit()
{
    if (m_active == nullptr) {
        return;
    }
    QWidget* editor = m_active;
    m_active = nullptr;
    ClearRefusal();
    HandFocusToGrid(editor);
    if (m_editors->IsList(editor)) {
        static_cast<QComboBox*>(editor)->hidePopup();
    }
    editor->hide();
    m_editors->Preset(m_editColumn, m_sheet.Cell(m_editRow, m_editColumn));
}

void CChnMsgFormView::ShowBandMessage()
{
    // The box takes the mouse: a button released over it never reaches the grid.
    SetNumericEntryLock(false);
    BoxRequest box;
    box.text = Text(chtext::OutOfBand);
    box.caption = Text(chtext::OutOfBandCaption);
    box.icon = QMessageBox::Warning;
    ShowBox(this, box);
}

void CChnMsgFormView::BeginEdit(int key, bool selectAll)
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
    if (m_active != nullptr && (m_editRow != row || m_editColumn != column) && !LeaveCell()) {
        return;
    }
    QWidget* editor = m_editors->EditorFor(column);
    CNumEdit* edit = m_editors->Edit();
    if (editor == edit && key >= 32 && !NumericEntryLocked()) {
        edit->setText(StartsTextWith(key) ? QString(QChar(key)) : QStringLiteral("  "));
    }
    const QModelIndex index = m_model->IndexOf(row, column);
    m_grid->scrollTo(index);
    editor->setGeometry(m_grid->visualRect(index));
    m_active = editor;
    m_editRow = row;
    m_editColumn = column;
    editor->show();
    editor->raise();
    editor->setFocus();
    if (editor == edit) {
        if (selectAll) {
            edit->selectAll();
        } else {
            edit->deselect();
            edit->setCursorPosition(int(edit->text().size()));
        }
    } else {
        m_editors->StartSearch();
        if (key > 32 && !NumericEntryLocked()) {
            // The character typed on a list cell begins the choice of an entry.
            TypeIntoList(QString(QChar(key)));
        }
    }
}

void CChnMsgFormView::OnClick()
{
    const int row = CurrentRow();
    const int column = CurrentColumn();
    if (row == 0 || column == 0) {
        return;
    }
    if (column != column::RxFrequency && m_sheet.Cell(row, column).isEmpty()) {
        if (RowEmpty(row)) {
            SetCurrentCell(row, column::RxFrequency);
        }
    } else if (column == column::TxTone && m_sheet.Cell(row, column::TxFrequency).isEmpty()) {
        // A transmit tone needs a transmit frequency first.
        SetCurrentCell(row, column::TxFrequency);
    }
    BeginEdit(0, true);
}

void CChnMsgFormView::OnCharacter(int key)
{
    if (CurrentRow() != 0 && CurrentColumn() != 0) {
        BeginEdit(key, false);
    }
}

// Tab and Enter: the next column, or column 1 of the next row. The last cell of the
// table only commits.
void CChnMsgFormView::Advance(bool forward)
{
    const int row = CurrentRow();
    const int column = CurrentColumn();
    if (row == 0) {
        return;
    }
    if (!LeaveCell()) {
        return;  // a refused text keeps its editor and its cell
    }
    if (forward) {
        if (column < column::Last) {
            SetCurrentCell(row, column + 1);
        } else if (row < m_sheet.ChannelCount()) {
            SetCurrentCell(row + 1, column::RxFrequency);
        } else {
            LeaveCell();
        }
    } else {
        if (column > column::RxFrequency) {
            SetCurrentCell(row, column - 1);
        } else if (row > 1) {
            SetCurrentCell(row - 1, column::Last);
        } else {
            LeaveCell();
        }
    }
}

// Up and Down: a row without a channel is entered at its receive frequency.
void CChnMsgFormView::MoveVertically(int step)
{
    const int target = CurrentRow() + step;
    if (CurrentRow() == 0 || target < 1 || target > m_sheet.ChannelCount() || !LeaveCell()) {
        return;
    }
    SetCurrentCell(target, RowEmpty(target) ? int(column::RxFrequency) : CurrentColumn());
}

bool CChnMsgFormView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress) {
        return CEditView::eventFilter(watched, event);
    }
    const bool fromGrid = watched == m_grid;
    const bool fromEditor = m_active != nullptr && watched == m_active;
    if (!fromGrid && !fromEditor) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    switch (key->key()) {
    case Qt::Key_Tab:
        if (modifiers == Qt::NoModifier) {
            Advance(true);
            return true;
        }
        break;
    case Qt::Key_Backtab: Advance(false); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (fromEditor && modifiers == Qt::NoModifier) {
            Advance(true);
            return true;
        }
        break;
    case Qt::Key_Escape:
        if (fromEditor) {
            DiscardEdit();
            return true;
        }
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        // On a list the arrows choose the entry; elsewhere they move between rows.
        if (modifiers == Qt::NoModifier && (fromGrid || m_active == m_editors->Edit())) {
            MoveVertically(key->key() == Qt::Key_Up ? -1 : 1);
            return true;
        }
        break;
    case Qt::Key_F2:
        if (fromGrid) {
            OnClick();
            return true;
        }
        break;
    case Qt::Key_Delete:
        if (fromGrid && modifiers == Qt::NoModifier) {
            DeleteSelection();
            return true;
        }
        break;
    default: break;
    }
    const QString text = key->text();
    const bool plain = !(modifiers & (Qt::ControlModifier | Qt::AltModifier));
    if (fromEditor && m_editors->IsList(m_active) && plain && key->key() == Qt::Key_Backspace) {
        TypeIntoList(QString());
        return true;
    }
    if (fromEditor && m_editors->IsList(m_active) && !text.isEmpty() &&
        text.front().unicode() > 32 && text.front().unicode() != 0x7f && plain) {
        TypeIntoList(text);
        return true;
    }
    return false;
}

// Focus going anywhere outside the table (another window of the program, a dialog)
// commits the open edit. The popup of a drop list is part of the edit.
void CChnMsgFormView::OnFocusChanged(QWidget* /*old*/, QWidget* now)
{
    if (m_active == nullptr || now == nullptr || now == m_active || isAncestorOf(now)) {
        return;
    }
    if (now->window()->windowType() == Qt::Popup) {
        return;
    }
    LeaveCell();
}

}  // namespace radio
