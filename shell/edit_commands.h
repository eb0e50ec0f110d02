// The Edit menu's own commands: undo and redo of the document's history, and the
// clipboard of the channel table. Undo and redo first take the views' pending edits
// into the record (they become the last step), so that nothing typed is lost behind
// the user's back; a field that fails its check stops them. A transfer disables them
// all, as it disables every command that changes the record.
#pragma once

#include <QList>
#include <QObject>

#include "shell/frame_command.h"

class QAction;

namespace radio {

class CChnMsgFormView;
class CMainFrame;

class EditCommands : public QObject {
    Q_OBJECT
public:
    explicit EditCommands(CMainFrame* frame);

    void Undo();
    void Redo();
    void Cut();
    void Copy();
    void Paste();
    void Delete();
    // The channel table's row commands (Insert empty channel here ... Set for selected
    // channels), on the channel view when it is the active child window.
    void RowCommand(FrameCommand command);
    // The entries of the channel table's context menu.
    QList<QAction*> ContextActions() const;

    // Enables the commands for the history, the active child window and a transfer,
    // and names the steps in the menu texts; after the menu texts were applied.
    void UpdateActions();

private:
    // The channel view when it is the active child window.
    CChnMsgFormView* ActiveChannelView() const;

    CMainFrame* m_frame;
};

}  // namespace radio
