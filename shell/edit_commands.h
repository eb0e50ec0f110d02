// The Edit menu's own commands: undo and redo of the document's history, and the
// clipboard of the channel table. Undo and redo first take the views' pending edits
// into the record (they become the last step), so that nothing typed is lost behind
// the user's back; a field that fails its check stops them. A transfer disables them
// all, as it disables every command that changes the record.
#pragma once

#include <QList>
#include <QObject>

#include "widgets/radio_document.h"

class QAction;
class QMdiArea;

namespace radio {

class CChnMsgFormView;
class FrameActions;
class ViewManager;

class EditCommands : public QObject {
    Q_OBJECT
public:
    // `area` holds the child windows: the commands follow the active one.
    EditCommands(RadioDocument& document, ViewManager& views, FrameActions& actions, QMdiArea* area,
                 QObject* parent);

    void Undo();
    void Redo();
    void Cut();
    void Copy();
    void Paste();
    void Delete();
    // The channel table's row commands, on the channel view when it is the active
    // child window.
    void InsertChannel();
    void DeleteChannelClosingGap();
    void MoveChannelUp();
    void MoveChannelDown();
    void SortChannels();
    void FillFrequencies();
    void FindChannel();
    void SetForSelected();
    // The entries of the channel table's context menu.
    QList<QAction*> ContextActions() const;

    // Enables the commands for the history, the active child window and a transfer,
    // and names the steps in the menu texts; after the menu texts were applied.
    void UpdateActions();

private:
    // The channel view when it is the active child window.
    CChnMsgFormView* ActiveChannelView() const;
    template <typename Command>
    void OnChannelView(Command command);

    RadioDocument& m_document;
    ViewManager& m_views;
    FrameActions& m_actions;
};

}  // namespace radio
