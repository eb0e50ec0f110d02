// The main window: menus, toolbar, status bar with the progress bar, the navigation
// bar, the background area with one child window per editing view. It owns the one
// radio record and the transfer worker for the life of the program, and offers the
// operations through which the transfer, the file commands and the views meet.
#pragma once

#include <QMainWindow>
#include <memory>

#include "config/program_file_locator.h"
#include "data/radio_data.h"
#include "link/transfer_worker.h"
#include "shell/frame_command.h"
#include "shell/view_kind.h"
#include "widgets/radio_document.h"

namespace radio {

class CBgClientWnd;
class CChildFrame;
class CEditView;
class CProgStatusBar;
class CRadioProgApp;
class CTreeBar;
class DialogCommands;
class EditCommands;
class FileCommands;
class FrameActions;
class RecentFiles;
class TransferCommands;
class ViewSlots;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CRadioProgApp* app, ProgramFileLocator locate);
    ~CMainFrame() override;

    const RadioData& Data() const { return m_data; }
    // The data set: the record, its file name, its history of changes.
    RadioDocument& Document() { return m_document; }
    CRadioProgApp* App() const { return m_app; }
    const ProgramFileLocator& Locate() const { return m_locate; }

    // Shows the view's child window (creating it the first time) and activates it.
    CChildFrame* OpenView(ViewKind kind);
    // Every open view reloads from the record; then the channel view is shown and
    // the caption updated.
    void RefreshViews();
    // Every open view reloads from the record and the caption follows; no view is
    // opened or shown.
    void ReloadViews();
    // Every open view stores its controls into the record. False when a field failed
    // its check (the user was told, the field has the focus): the command that
    // collects stops and changes nothing.
    bool CollectEdits();
    // Caption: text #184 (model 0) or #185, then " Q71/Q72(<lower>-<upper>MHZ)".
    // The status bar's port follows too.
    void UpdateTitle();
    // The status bar names the port in use and its device.
    void ShowPortInUse();
    static QString Title(const RadioData& data);
    // Rebuilds the channel masks of the record before a write (outside the history,
    // RadioDocument::PrepareWrite).
    void UpdateChannelMasks();
    // The check before a write: takes what the radio reported into the record
    // (RadioDocument::TakeRadioReport), then warns or asks; true lets the write go on.
    bool CheckBeforeWrite(const RadioReport& reported);
    // 0 hides the progress bar; any other value shows it at that position.
    void SetProgress(int value);

    void ApplyMenuTexts();
    void BuildTree(bool rebuild);
    // The picture may have changed (language or model): paint the background again.
    void RepaintBackground();
    // Opens the channel view once `ms` milliseconds after the window is up.
    void StartViewTimer(int ms);
    // Before the window is shown: where the user left it (size, position, maximised),
    // kept per user; the first time at (0, 0) with an outer size of at least
    // 773 x 548, the frame as the user sees it, and enough for every view to open
    // without scroll bars (up to 90 % of the screen's available area).
    void PlaceWindow();
    void SaveWindowPlacement() const;

    // The child window of a view; null until the view was first opened.
    CChildFrame* ChildFrame(ViewKind kind) const;
    CEditView* View(ViewKind kind) const;
    std::vector<ViewKind> ExistingViews() const;

    bool TransferRunning() const;
    // What a menu item, a toolbar button or a shortcut key does.
    void RunCommand(FrameCommand command);

    FrameActions* Actions() const { return m_actions; }
    CProgStatusBar* ProgressBar() const { return m_statusBar; }
    CTreeBar* TreeBar() const { return m_treeBar; }
    CBgClientWnd* Background() const { return m_background; }
    DialogCommands* Dialogs() const { return m_dialogs; }
    EditCommands* Edit() const { return m_edit; }
    FileCommands* Files() const { return m_files; }
    RecentFiles* Recent() const { return m_recent; }
    TransferCommands* Transfers() const { return m_transfers; }
    CTransferWorker& Worker() { return m_worker; }

signals:
    // The user confirmed leaving the program; the settings are saved.
    void exitConfirmed();
    // The start-up timer has opened the channel view.
    void startupViewOpened();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void SetTransferRunning(bool running);
    // Brings the outer size to m_outerSize once the window manager's frame is known.
    void FitOuterSize();
    // The first start's outer size, for a window manager's frame of `margins`.
    QSize FirstOuterSize(QSize margins) const;
    void ToggleTreeBar();
    void SyncTreeCheck();
    void Print(bool preview);

    CRadioProgApp* m_app;
    ProgramFileLocator m_locate;
    // Before the worker and the views, so that it outlives what uses it.
    RadioDocument m_document;
    const RadioData& m_data = m_document.Record();
    CTransferWorker m_worker;
    CBgClientWnd* m_background = nullptr;
    FrameActions* m_actions = nullptr;
    CProgStatusBar* m_statusBar = nullptr;
    CTreeBar* m_treeBar = nullptr;
    std::unique_ptr<ViewSlots> m_views;
    FileCommands* m_files = nullptr;
    DialogCommands* m_dialogs = nullptr;
    EditCommands* m_edit = nullptr;
    TransferCommands* m_transfers = nullptr;
    QSize m_outerSize;   // still to be reached, until the frame's margins are known
    QSize m_firstRoom;   // the first start's room for every view, inside the area
    QSize m_firstInner;  // and the inner size that gives it
    RecentFiles* m_recent = nullptr;
};

}  // namespace radio
