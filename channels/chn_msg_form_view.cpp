#include "channels/chn_msg_form_view.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QMenu>
#include <QVBoxLayout>
#include <algorithm>

#include "channels/bulk_set_dialog.h"
#include "channels/channel_cells.h"
#include "channels/channel_clipboard.h"
#include "channels/channel_delegate.h"
#include "channels/channel_grid.h"
#include "channels/channel_table_model.h"
#include "channels/fill_dialog.h"
#include "channels/find_dialog.h"
#include "data/channel_codec.h"
#include "widgets/message_box.h"
#include "widgets/modal_dialog.h"
#include "widgets/num_edit.h"

namespace radio {

namespace {

// The table's size and row height at 96 dots per inch, in twips (15 twips a pixel).
constexpr int kTableWidthTwips = 667 * 15;
constexpr int kTableHeightTwips = 296 * 15;
constexpr int kRowHeightTwips = 240;
constexpr int kTwipsPerInch = 1440;

std::vector<int> Indexes(const std::vector<int>& rows)
{
    std::vector<int> indexes;
    indexes.reserve(rows.size());
    for (int row : rows) {
        indexes.push_back(row - 1);
    }
    return indexes;
}

}  // namespace

CChnMsgFormView::CChnMsgFormView(RadioDocument* document, QWidget* parent)
    : CEditView(document, parent),
      m_model(new ChannelTableModel(document, this)),
      m_delegate(new ChannelDelegate(Data(), this)),
      m_grid(new ChannelGrid(m_model, m_delegate, this))
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8.25);
    m_grid->setFont(font);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid);

    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &CChnMsgFormView::OnCurrentChanged);
    connect(m_grid, &ChannelGrid::refused, this, &CChnMsgFormView::ShowRefusal);
    connect(m_grid, &ChannelGrid::refusalEnded, this, &CChnMsgFormView::ClearRefusal);
    connect(m_grid, &ChannelGrid::outOfBandStored, this, &CChnMsgFormView::ShowBandMessage);
    connect(m_grid, &ChannelGrid::deleteRequested, this, &CChnMsgFormView::DeleteSelection);
    connect(m_grid, &QWidget::customContextMenuRequested, this, &CChnMsgFormView::ShowContextMenu);

    SetTitle(1);
    LoadFromRecord();
}

CChnMsgFormView::~CChnMsgFormView()
{
    // No slot of this view may run while its children go.
    m_grid->selectionModel()->disconnect(this);
    m_grid->disconnect(this);
}

int CChnMsgFormView::RowCount() const
{
    return TableRowCount(*m_data);
}

QString CChnMsgFormView::CellText(int row, int column) const
{
    return radio::CellText(*m_data, row, column);
}

int CChnMsgFormView::CurrentRow() const
{
    return m_grid->CurrentRow();
}

int CChnMsgFormView::CurrentColumn() const
{
    return m_grid->CurrentColumn();
}

void CChnMsgFormView::SetCurrentCell(int row, int column)
{
    m_grid->SetCurrentCell(row, column);
}

QWidget* CChnMsgFormView::ActiveEditor() const
{
    return m_grid->OpenEditor();
}

void CChnMsgFormView::CancelEdit()
{
    m_grid->DiscardEdit();
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
    m_grid->SetCornerText(CellText(0, column::Label));
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
    m_grid->DiscardEdit();
    const int row = CurrentRow();
    const int column = CurrentColumn();
    m_model->Reload();
    m_grid->setAccessibleName(Text(text::ChannelsView));
    m_delegate->Fill();
    ApplyLayout();
    const int targetRow = std::clamp(row, 1, std::max(1, m_model->rowCount()));
    const int targetColumn = column > 0 ? column : 1;
    if (CurrentRow() == targetRow && CurrentColumn() == targetColumn) {
        OnCurrentChanged();
    } else {
        SetCurrentCell(targetRow, targetColumn);
    }
}

bool CChnMsgFormView::StoreToRecord()
{
    return m_grid->CommitEdit();
}

void CChnMsgFormView::FocusEditing()
{
    if (QWidget* editor = ActiveEditor()) {
        editor->setFocus(Qt::OtherFocusReason);
    } else {
        m_grid->setFocus(Qt::OtherFocusReason);
    }
}

void CChnMsgFormView::RefreshTexts()
{
    LoadFromRecord();
}

void CChnMsgFormView::SetTitle(int number)
{
    const QString title = Text(text::ChannelsView) + QStringLiteral("- %1").arg(number);
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

// The title follows the current row.
void CChnMsgFormView::OnCurrentChanged()
{
    if (CurrentRow() != 0) {
        SetTitle(CurrentRow());
    }
}

void CChnMsgFormView::ShowRefusal(const QString& why)
{
    Beep(this);
    emit statusMessage(why);
    m_refusalShown = true;
}

// A refused text mended or given up: its message goes from the status bar.
void CChnMsgFormView::ClearRefusal()
{
    if (m_refusalShown) {
        m_refusalShown = false;
        emit statusMessage(QString());
    }
}

// Delete on a frequency cell does what emptying the cell's editor does.
void CChnMsgFormView::EmptyCurrentCell()
{
    const int row = CurrentRow();
    const int column = CurrentColumn();
    if (row == 0 || !IsFrequencyColumn(column) || CellText(row, column).isEmpty()) {
        return;
    }
    m_model->setData(m_model->IndexOf(row, column), QString());
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
    if (ActiveEditor() != nullptr) {
        return;  // the open editor's own keys copy its text
    }
    QGuiApplication::clipboard()->setText(ChannelRowsText(*m_data, SelectedRows()));
}

void CChnMsgFormView::CutSelection()
{
    if (ActiveEditor() != nullptr) {
        return;
    }
    const std::vector<int> rows = SelectedRows();
    QGuiApplication::clipboard()->setText(ChannelRowsText(*m_data, rows));
    ClearRows(rows, [this, n = rows.size()] { return Text(text::UndoCut).arg(n); });
}

void CChnMsgFormView::DeleteSelection()
{
    if (ActiveEditor() != nullptr) {
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
                CommitCell(data, row, column::RxFrequency, QString());
            }
        }
        return stepName;
    });
    m_model->Reload();
}

void CChnMsgFormView::PasteClipboard()
{
    const int first = CurrentRow();
    if (ActiveEditor() != nullptr || first == 0) {
        return;
    }
    const QString text = QGuiApplication::clipboard()->text();
    if (text.isEmpty()) {
        return;
    }
    static const std::vector<LanguageTable> kNoOtherLanguages;
    const std::vector<LanguageTable>& languages = m_languages ? m_languages() : kNoOtherLanguages;
    // One value over several selected cells goes into each of them, as a spreadsheet
    // fills a selection; a cell of a row without a channel stays as it is, unless it
    // is the receive frequency, which makes the channel.
    const QString value = text.endsWith(QLatin1Char('\n')) ? text.chopped(1) : text;
    const QModelIndexList cells = m_grid->selectionModel()->selectedIndexes();
    const bool fill = cells.size() > 1 && !value.contains(QLatin1Char('\t')) &&
                      !value.contains(QLatin1Char('\n'));
    PastePlan plan;
    if (fill) {
        plan.result = *m_data;
        int outOfBand = 0;
        for (const QModelIndex& cell : cells) {
            const int row = cell.row() + 1;
            const int column = cell.column() + 1;
            if (column != column::RxFrequency && CellText(row, column::RxFrequency).isEmpty()) {
                continue;
            }
            PastePlan one = PlanPaste(plan.result, row, column, value, languages);
            if (!one.ok()) {
                plan.problem = one.problem;
                break;
            }
            outOfBand += one.outOfBand;
            plan.result = one.result;
            plan.rows.push_back(row);
        }
        plan.outOfBand = outOfBand;
    } else {
        plan = PlanPaste(*m_data, first, CurrentColumn(), text, languages);
    }
    if (!plan.ok()) {
        Beep(this);
        BoxRequest box;
        box.caption = Text(text::WarningCaption);
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
        if (!ConfirmWarning(this, question, Text(text::WarningCaption))) {
            return;
        }
    }
    ChangeRecord([&](RadioData& data) {
        ApplyPaste(plan, data);
        return RadioDocument::StepNamer(
            [this, n = plan.rows.size()] { return Text(text::UndoPaste).arg(n); });
    });
    m_model->Reload();
    if (fill) {
        return;  // the filled cells stay selected
    }
    // The pasted cells stay selected, as after a paste in a spreadsheet.
    m_grid->selectionModel()->select(
        QItemSelection(m_model->IndexOf(plan.rows.front(), plan.firstColumn),
                       m_model->IndexOf(plan.rows.back(), plan.lastColumn)),
        QItemSelectionModel::ClearAndSelect);
}

bool CChnMsgFormView::RowCommand(int menuText, const std::function<void(RadioData&)>& change)
{
    const bool changed = ChangeRecord([&](RadioData& data) {
        change(data);
        return RadioDocument::StepNamer([this, menuText] { return PlainCaption(Text(menuText)); });
    });
    m_model->Reload();
    return changed;
}

void CChnMsgFormView::SelectRows(const std::vector<int>& rows)
{
    if (rows.empty()) {
        return;
    }
    const int column = std::max(1, CurrentColumn());
    QItemSelection selection;
    for (int row : rows) {
        selection.select(m_model->IndexOf(row, 1), m_model->IndexOf(row, column::Last));
    }
    m_grid->selectionModel()->setCurrentIndex(m_model->IndexOf(rows.front(), column),
                                              QItemSelectionModel::NoUpdate);
    m_grid->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void CChnMsgFormView::TellWhy(const QString& text)
{
    Beep(this);
    BoxRequest box;
    box.caption = Text(text::WarningCaption);
    box.icon = QMessageBox::Warning;
    box.text = text;
    ShowBox(this, box);
}

bool CChnMsgFormView::InsertChannels()
{
    if (!m_grid->CommitEdit() || CurrentRow() == 0) {
        return false;
    }
    const std::vector<int> rows = SelectedRows();
    const int first = rows.front();
    const int count = int(rows.size());
    RowsRefusal refusal;
    RadioData trial = *m_data;
    refusal = InsertEmptyChannels(trial, first - 1, count);
    if (!refusal.ok()) {
        TellWhy(Text(text::InsertNoRoom).arg(refusal.channel + 1));
        return false;
    }
    RowCommand(text::MenuInsertChannel,
               [&](RadioData& data) { InsertEmptyChannels(data, first - 1, count); });
    SelectRows(rows);
    return true;
}

bool CChnMsgFormView::DeleteChannelsClosingGap()
{
    if (!m_grid->CommitEdit() || CurrentRow() == 0) {
        return false;
    }
    const std::vector<int> rows = SelectedRows();
    const bool changed = RowCommand(text::MenuDeleteChannel, [&](RadioData& data) {
        radio::DeleteChannels(data, Indexes(rows));
    });
    SelectRows({rows.front()});
    return changed;
}

bool CChnMsgFormView::MoveChannels(int step)
{
    if (!m_grid->CommitEdit() || CurrentRow() == 0) {
        return false;
    }
    const std::vector<int> rows = SelectedRows();
    RadioData trial = *m_data;
    std::vector<int> moved;
    if (!radio::MoveChannels(trial, Indexes(rows), step, &moved).ok()) {
        Beep(this);
        return false;
    }
    RowCommand(step < 0 ? text::MenuMoveUp : text::MenuMoveDown,
               [&](RadioData& data) { radio::MoveChannels(data, Indexes(rows), step); });
    std::vector<int> shown;
    for (int index : moved) {
        shown.push_back(index + 1);
    }
    SelectRows(shown);
    return true;
}

bool CChnMsgFormView::SortChannels()
{
    if (!m_grid->CommitEdit() || CurrentRow() == 0) {
        return false;
    }
    const std::vector<int> rows = SelectedRows();
    const bool changed = RowCommand(text::MenuSortByReceive, [&](RadioData& data) {
        SortChannelsByReceive(data, Indexes(rows));
    });
    if (rows.size() > 1) {
        SelectRows(rows);
    }
    return changed;
}

// A fill counts from the top of the selection (Shift+Down leaves the current cell at
// its bottom), or from the current channel when the selection is one row.
int CChnMsgFormView::FillStartRow() const
{
    const std::vector<int> rows = SelectedRows();
    return rows.size() > 1 ? rows.front() : CurrentRow();
}

bool CChnMsgFormView::FillFrequencies()
{
    if (!m_grid->CommitEdit() || CurrentRow() == 0) {
        return false;
    }
    const int current = FillStartRow();
    if (RowEmpty(current)) {
        TellWhy(Text(text::ChannelNotInUse).arg(current));
        return false;
    }
    FillDialog dialog(*m_data, current, CellText(current, column::RxFrequency), m_lastFillStep,
                      this);
    if (RunModal(dialog) != QDialog::Accepted) {
        return false;
    }
    m_lastFillStep = dialog.Step();
    return FillFrequencies(m_lastFillStep);
}

bool CChnMsgFormView::FillFrequencies(std::uint32_t step)
{
    if (!m_grid->CommitEdit() || CurrentRow() == 0) {
        return false;
    }
    const int current = FillStartRow() - 1;
    const std::vector<int> rows = Indexes(SelectedRows());
    RadioData trial = *m_data;
    const RowsRefusal refusal = radio::FillFrequencies(trial, current, rows, step);
    if (refusal.kind == RowsRefusal::Kind::NoStart) {
        TellWhy(Text(text::ChannelNotInUse).arg(current + 1));
        return false;
    }
    if (refusal.kind == RowsRefusal::Kind::OutOfBand) {
        const QString frequency =
            QString::fromStdString(FormatFrequency(FrequencyWordOf(refusal.frequency)));
        TellWhy(
            Text(text::FillOutOfBand).arg(frequency).arg(m_data->bandLower).arg(m_data->bandUpper));
        return false;
    }
    const std::vector<int> targets = FillTargets(current, rows);
    const int programmed = ProgrammedCount(*m_data, targets);
    if (programmed > 0 && !ConfirmWarning(this, Text(text::FillOverwrite).arg(programmed),
                                          Text(text::WarningCaption))) {
        return false;
    }
    return RowCommand(text::MenuFillFrequencies,
                      [&](RadioData& data) { radio::FillFrequencies(data, current, rows, step); });
}

bool CChnMsgFormView::Find()
{
    if (!m_grid->CommitEdit()) {
        return false;
    }
    FindDialog dialog(*m_data, m_lastFind, this);
    if (RunModal(dialog) != QDialog::Accepted) {
        return false;
    }
    m_lastFind = dialog.Text();
    return FindNext(m_lastFind);
}

bool CChnMsgFormView::FindNext(const QString& text)
{
    if (!m_grid->CommitEdit() || text.trimmed().isEmpty()) {
        return false;
    }
    m_lastFind = text.trimmed();
    const RowsRefusal found =
        FindChannel(*m_data, std::max(0, CurrentRow() - 1), m_lastFind.toStdString());
    if (found.kind == RowsRefusal::Kind::NotUnderstood) {
        TellWhy(Text(text::FindNotUnderstood).arg(m_lastFind));
        return false;
    }
    if (!found.ok()) {
        TellWhy(Text(text::FindNotFound).arg(m_lastFind));
        return false;
    }
    SetCurrentCell(found.channel + 1, std::max(1, CurrentColumn()));
    m_grid->scrollTo(m_grid->currentIndex());
    return true;
}

bool CChnMsgFormView::SetForSelected()
{
    if (!m_grid->CommitEdit() || CurrentRow() == 0) {
        return false;
    }
    BulkSetDialog dialog(*m_data, this);
    if (RunModal(dialog) != QDialog::Accepted) {
        return false;
    }
    return SetForSelected(dialog.Settings());
}

bool CChnMsgFormView::SetForSelected(const BulkSettings& settings)
{
    if (!m_grid->CommitEdit() || CurrentRow() == 0 || settings.IsEmpty()) {
        return false;
    }
    const std::vector<int> rows = SelectedRows();
    RadioData trial = *m_data;
    if (!ApplyBulkSettings(trial, Indexes(rows), settings).ok()) {
        TellWhy(Text(text::BulkNoChannels));
        return false;
    }
    return RowCommand(text::MenuBulkSet,
                      [&](RadioData& data) { ApplyBulkSettings(data, Indexes(rows), settings); });
}

void CChnMsgFormView::ShowContextMenu(const QPoint& position)
{
    if (m_contextActions.isEmpty()) {
        return;
    }
    QMenu menu(this);
    menu.addActions(m_contextActions);
    menu.exec(m_grid->viewport()->mapToGlobal(position));
}

void CChnMsgFormView::ShowBandMessage()
{
    // The box takes the mouse: a button released over it never reaches the grid.
    SetNumericEntryLock(false);
    BoxRequest box;
    box.text = Text(text::OutOfBand);
    box.caption = Text(text::OutOfBandCaption);
    box.icon = QMessageBox::Warning;
    ShowBox(this, box);
}

}  // namespace radio
