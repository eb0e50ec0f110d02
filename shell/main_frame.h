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
#include "shell/command_table.h"
#include "shell/transfer_commands.h"
#include "shell/view_kind.h"
#include "shell/view_manager.h"
#include "widgets/radio_document.h"

namespace radio {

class CBgClientWnd;
class CChildFrame;
class CEditView;
class CProgStatusBar;
class CRadioProgApp;
class CTreeBar;
class ChannelPlanCommands;
class EditCommands;
class FileCommands;
class FrameActions;
class HelpCommands;
class ModelCommands;
class RecentFiles;
class SettingsCommands;
class ViewCommands;
class ViewSlots;

// The place where the window's parts and the controllers of its commands are wired
// together; the controllers reach it through ViewManager and TransferFrame.
class CMainFrame : public QMainWindow, public ViewManager, public TransferFrame {
    Q_OBJECT
public:
    CMainFrame(CRadioProgApp* app, ProgramFileLocator locate);
    ~CMainFrame() override;

    const RadioData& Data() const { return m_data; }
    // The data set: the record, its file name, its history of changes.
    RadioDocument& Document() { return m_document; }
    CRadioProgApp* App() const { return m_app; }
    const ProgramFileLocator& Locate() const { return m_locate; }

    // ViewManager. OpenView shows the view's child window (creating it the first time)
    // and activates it. RefreshViews: every open view reloads from the record, then
    // the channel view is shown and the caption updated. ReloadViews: the same without
    // opening or showing a view. CollectEdits: every open view stores its controls into
    // the record; false when a field failed its check (the user was told, the field
    // has the focus): the command that collects stops and changes nothing.
    QWidget* Window() override { return this; }
    CChildFrame* OpenView(ViewKind kind) override;
    void RefreshViews() override;
    void ReloadViews() override;
    bool CollectEdits() override;
    CEditView* View(ViewKind kind) const override;
    CEditView* ActiveView() const override;
    // Caption: the model's channel count (Channels32 for model 0, Channels16
    // otherwise), then " Q71/Q72(<lower>-<upper>MHZ)".
    // The status bar's port follows too.
    void UpdateTitle() override;
    // The status bar names the port in use and its device.
    void ShowPortInUse();
    static QString Title(const RadioData& data);
    // Rebuilds the channel masks of the record before a write (outside the history,
    // RadioDocument::PrepareWrite).
    void UpdateChannelMasks() override;
    // The check before a write: takes what the radio reported into the record
    // (RadioDocument::TakeRadioReport), then warns or asks; true lets the write go on.
    bool CheckBeforeWrite(const RadioReport& reported) override;
    // 0 hides the progress bar; any other value shows it at that position.
    void SetProgress(int value) override;

    void ApplyMenuTexts();
    void BuildTree(bool rebuild);
    // The picture may have changed (language or model): paint the background again.
    void RepaintBackground() override;
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
    std::vector<ViewKind> ExistingViews() const;

    bool TransferRunning() const override;
    // What a menu item, a toolbar button or a shortcut key does; a command that a
    // running transfer locks is refused.
    void RunCommand(FrameCommand command);

    FrameActions* Actions() const { return m_actions; }
    CProgStatusBar* ProgressBar() const override { return m_statusBar; }
    CTreeBar* TreeBar() const { return m_treeBar; }
    CBgClientWnd* Background() const { return m_background; }
    HelpCommands* Help() const { return m_help; }
    FileCommands* Files() const { return m_files; }
    RecentFiles* Recent() const { return m_recent; }

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
    void CreateControllers();
    // Brings the outer size to m_outerSize once the window manager's frame is known.
    void FitOuterSize();
    // The first start's outer size, for a window manager's frame of `margins`.
    QSize FirstOuterSize(QSize margins) const;

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
    // The controllers, one per concern.
    FileCommands* m_files = nullptr;
    std::unique_ptr<ChannelPlanCommands> m_channelPlans;
    TransferCommands* m_transfers = nullptr;
    EditCommands* m_edit = nullptr;
    ModelCommands* m_model = nullptr;
    ViewCommands* m_viewCommands = nullptr;
    HelpCommands* m_help = nullptr;
    SettingsCommands* m_settings = nullptr;
    QSize m_outerSize;   // still to be reached, until the frame's margins are known
    QSize m_firstRoom;   // the first start's room for every view, inside the area
    QSize m_firstInner;  // and the inner size that gives it
    RecentFiles* m_recent = nullptr;
};

}  // namespace radio
