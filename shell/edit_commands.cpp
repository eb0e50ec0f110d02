#include "shell/edit_commands.h"

#include <QAction>
#include <QUndoStack>

#include "channels/chn_msg_form_view.h"
#include "config/text_of.h"
#include "shell/bg_client_wnd.h"
#include "shell/child_frame.h"
#include "shell/frame_actions.h"
#include "shell/main_frame.h"

namespace radio {

EditCommands::EditCommands(CMainFrame* frame) : QObject(frame), m_frame(frame)
{
    QUndoStack* history = frame->Document().History();
    connect(history, &QUndoStack::indexChanged, this, &EditCommands::UpdateActions);
    connect(history, &QUndoStack::cleanChanged, this, &EditCommands::UpdateActions);
    connect(frame->Background(), &QMdiArea::subWindowActivated, this, &EditCommands::UpdateActions);
}

CChnMsgFormView* EditCommands::ActiveChannelView() const
{
    auto* child = qobject_cast<CChildFrame*>(m_frame->Background()->activeSubWindow());
    return child && child->isVisible() ? qobject_cast<CChnMsgFormView*>(child->View()) : nullptr;
}

void EditCommands::Undo()
{
    if (m_frame->TransferRunning()) {
        return;
    }
    // In a cell being edited, undo takes back the edit itself, as Escape does.
    if (CChnMsgFormView* view = ActiveChannelView(); view && view->ActiveEditor()) {
        view->CancelEdit();
        return;
    }
    if (m_frame->CollectEdits()) {
        m_frame->Document().History()->undo();
    }
}

void EditCommands::Redo()
{
    // An edit in progress would end what there is to redo; it waits.
    if (CChnMsgFormView* view = ActiveChannelView(); view && view->ActiveEditor()) {
        return;
    }
    if (!m_frame->TransferRunning() && m_frame->CollectEdits()) {
        m_frame->Document().History()->redo();
    }
}

void EditCommands::Cut()
{
    if (CChnMsgFormView* view = ActiveChannelView(); view && !m_frame->TransferRunning()) {
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
    if (CChnMsgFormView* view = ActiveChannelView(); view && !m_frame->TransferRunning()) {
        view->PasteClipboard();
    }
}

void EditCommands::Delete()
{
    if (CChnMsgFormView* view = ActiveChannelView(); view && !m_frame->TransferRunning()) {
        view->DeleteSelection();
    }
}

namespace {

constexpr FrameCommand kRowCommands[] = {
    FrameCommand::InsertChannel, FrameCommand::DeleteChannelClosingGap,
    FrameCommand::MoveChannelUp, FrameCommand::MoveChannelDown,
    FrameCommand::SortChannels,  FrameCommand::FillFrequencies,
    FrameCommand::FindChannel,   FrameCommand::SetForSelected,
};

}  // namespace

void EditCommands::RowCommand(FrameCommand command)
{
    CChnMsgFormView* view = ActiveChannelView();
    if (view == nullptr || m_frame->TransferRunning()) {
        return;
    }
    switch (command) {
    case FrameCommand::InsertChannel: view->InsertChannels(); break;
    case FrameCommand::DeleteChannelClosingGap: view->DeleteChannelsClosingGap(); break;
    case FrameCommand::MoveChannelUp: view->MoveChannels(-1); break;
    case FrameCommand::MoveChannelDown: view->MoveChannels(1); break;
    case FrameCommand::SortChannels: view->SortChannels(); break;
    case FrameCommand::FillFrequencies: view->FillFrequencies(); break;
    case FrameCommand::FindChannel: view->Find(); break;
    case FrameCommand::SetForSelected: view->SetForSelected(); break;
    default: break;
    }
}

QList<QAction*> EditCommands::ContextActions() const
{
    FrameActions* actions = m_frame->Actions();
    QList<QAction*> list;
    for (FrameCommand command : {FrameCommand::EditCut, FrameCommand::EditCopy,
                                 FrameCommand::EditPaste, FrameCommand::EditDelete}) {
        list.append(actions->Action(command));
    }
    for (FrameCommand command : kRowCommands) {
        list.append(actions->Action(command));
    }
    return list;
}

void EditCommands::UpdateActions()
{
    const RadioData& data = m_frame->Data();
    const QUndoStack* history = m_frame->Document().History();
    const bool idle = !m_frame->TransferRunning();
    FrameActions* actions = m_frame->Actions();

    QAction* undo = actions->Action(FrameCommand::EditUndo);
    undo->setEnabled(idle && history->canUndo());
    undo->setText(history->canUndo() ? UiText(data, text::MenuUndoStep).arg(history->undoText())
                                     : UiText(data, text::MenuUndo));
    QAction* redo = actions->Action(FrameCommand::EditRedo);
    redo->setEnabled(idle && history->canRedo());
    redo->setText(history->canRedo() ? UiText(data, text::MenuRedoStep).arg(history->redoText())
                                     : UiText(data, text::MenuRedo));
    for (QAction* action : {undo, redo}) {
        action->setToolTip(PlainCaption(action->text()));
    }

    const bool channels = ActiveChannelView() != nullptr;
    actions->Action(FrameCommand::EditCopy)->setEnabled(channels);
    for (FrameCommand command :
         {FrameCommand::EditCut, FrameCommand::EditPaste, FrameCommand::EditDelete}) {
        actions->Action(command)->setEnabled(channels && idle);
    }
    for (FrameCommand command : kRowCommands) {
        actions->Action(command)->setEnabled(channels && idle);
    }
}

}  // namespace radio
