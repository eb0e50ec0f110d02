#include "shell/edit_commands.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QUndoStack>

#include "channels/chn_msg_form_view.h"
#include "config/text_of.h"
#include "shell/frame_actions.h"
#include "shell/view_manager.h"

namespace radio {

EditCommands::EditCommands(RadioDocument& document, ViewManager& views, FrameActions& actions,
                           QMdiArea* area, QObject* parent)
    : QObject(parent), m_document(document), m_views(views), m_actions(actions)
{
    QUndoStack* history = m_document.History();
    connect(history, &QUndoStack::indexChanged, this, &EditCommands::UpdateActions);
    connect(history, &QUndoStack::cleanChanged, this, &EditCommands::UpdateActions);
    connect(area, &QMdiArea::subWindowActivated, this, &EditCommands::UpdateActions);
}

CChnMsgFormView* EditCommands::ActiveChannelView() const
{
    return qobject_cast<CChnMsgFormView*>(m_views.ActiveView());
}

void EditCommands::Undo()
{
    if (m_views.TransferRunning()) {
        return;
    }
    // In a cell being edited, undo takes back the edit itself, as Escape does.
    if (CChnMsgFormView* view = ActiveChannelView(); view && view->ActiveEditor()) {
        view->CancelEdit();
        return;
    }
    if (m_views.CollectEdits()) {
        m_document.History()->undo();
    }
}

void EditCommands::Redo()
{
    // An edit in progress would end what there is to redo; it waits.
    if (CChnMsgFormView* view = ActiveChannelView(); view && view->ActiveEditor()) {
        return;
    }
    if (!m_views.TransferRunning() && m_views.CollectEdits()) {
        m_document.History()->redo();
    }
}

void EditCommands::Cut()
{
    if (CChnMsgFormView* view = ActiveChannelView(); view && !m_views.TransferRunning()) {
        view->CutSelection();
    }
}

void EditCommands::Copy()
{
    if (CChnMsgFormView* view = ActiveChannelView()) {
        view->CopySelection();
    }
}

void EditCommands::Paste()
{
    if (CChnMsgFormView* view = ActiveChannelView(); view && !m_views.TransferRunning()) {
        view->PasteClipboard();
    }
}

void EditCommands::Delete()
{
    if (CChnMsgFormView* view = ActiveChannelView(); view && !m_views.TransferRunning()) {
        view->DeleteSelection();
    }
}

// Runs a row command on the channel view when it is the active child window and no
// transfer runs.
template <typename Command>
void EditCommands::OnChannelView(Command command)
{
    if (CChnMsgFormView* view = ActiveChannelView(); view && !m_views.TransferRunning()) {
        command(*view);
    }
}

void EditCommands::InsertChannel()
{
    OnChannelView([](CChnMsgFormView& view) { view.InsertChannels(); });
}

void EditCommands::DeleteChannelClosingGap()
{
    OnChannelView([](CChnMsgFormView& view) { view.DeleteChannelsClosingGap(); });
}

void EditCommands::MoveChannelUp()
{
    OnChannelView([](CChnMsgFormView& view) { view.MoveChannels(-1); });
}

void EditCommands::MoveChannelDown()
{
    OnChannelView([](CChnMsgFormView& view) { view.MoveChannels(1); });
}

void EditCommands::SortChannels()
{
    OnChannelView([](CChnMsgFormView& view) { view.SortChannels(); });
}

void EditCommands::FillFrequencies()
{
    OnChannelView([](CChnMsgFormView& view) { view.FillFrequencies(); });
}

void EditCommands::FindChannel()
{
    OnChannelView([](CChnMsgFormView& view) { view.Find(); });
}

void EditCommands::SetForSelected()
{
    OnChannelView([](CChnMsgFormView& view) { view.SetForSelected(); });
}

QList<QAction*> EditCommands::ContextActions() const
{
    return m_actions.ChannelTableActions();
}

void EditCommands::UpdateActions()
{
    const RadioData& data = m_document.Record();
    const QUndoStack* history = m_document.History();
    const bool idle = !m_views.TransferRunning();

    QAction* undo = m_actions.Action(FrameCommand::EditUndo);
    undo->setEnabled(idle && history->canUndo());
    undo->setText(history->canUndo() ? UiText(data, text::MenuUndoStep).arg(history->undoText())
                                     : UiText(data, text::MenuUndo));
    QAction* redo = m_actions.Action(FrameCommand::EditRedo);
    redo->setEnabled(idle && history->canRedo());
    redo->setText(history->canRedo() ? UiText(data, text::MenuRedoStep).arg(history->redoText())
                                     : UiText(data, text::MenuRedo));
    for (QAction* action : {undo, redo}) {
        action->setToolTip(PlainCaption(action->text()));
    }

    // The channel table's commands need the table; those that change the record wait
    // for a transfer too (Copy does not).
    const bool channels = ActiveChannelView() != nullptr;
    for (const CommandRow& row : CommandTable()) {
        if (row.Has(command::kChannelTable)) {
            m_actions.Action(row.command)
                ->setEnabled(channels && (idle || !row.Has(command::kLockedByTransfer)));
        }
    }
}

}  // namespace radio
