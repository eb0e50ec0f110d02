#include "shell/main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QToolBar>

#include "channels/chn_msg_form_view.h"
#include "config/text_of.h"
#include "config/user_preferences.h"
#include "config/user_settings.h"
#include "link/port_names.h"
#include "link/write_check.h"
#include "shell/bg_client_wnd.h"
#include "shell/channel_plan_commands.h"
#include "shell/child_frame.h"
#include "shell/dialog_commands.h"
#include "shell/edit_commands.h"
#include "shell/file_commands.h"
#include "shell/file_drop.h"
#include "shell/frame_actions.h"
#include "shell/print_hook.h"
#include "shell/prog_status_bar.h"
#include "shell/radio_prog_app.h"
#include "shell/recent_files.h"
#include "shell/transfer_commands.h"
#include "shell/transfer_texts.h"
#include "shell/tree_bar.h"
#include "shell/view_slots.h"
#include "shell/window_arrange.h"
#include "widgets/edit_view.h"
#include "widgets/message_box.h"

namespace radio {

namespace {
// How long a view's message (a refused text) stays in the status bar.
constexpr int kStatusMessageMs = 8000;
// The window's outer size at the first start.
constexpr QSize kFirstOuterSize(773, 548);
const char* const kGeometryKey = "mainWindow/geometry";
// The status bar's first pane while no transfer runs.
constexpr int kReadyText = 154;
}  // namespace

CMainFrame::CMainFrame(CRadioProgApp* app, ProgramFileLocator locate)
    : m_app(app), m_locate(std::move(locate))
{
    setObjectName(QStringLiteral("mainFrame"));

    m_background = new CBgClientWnd(m_locate, this);
    m_background->SetPictureNumberSource([this] { return m_app ? m_app->PictureNumber() : 0; });
    setCentralWidget(m_background);
    m_views = std::make_unique<ViewSlots>(m_background, &m_document);

    m_actions = new FrameActions(&Data(), this);
    connect(m_actions, &FrameActions::triggered, this, &CMainFrame::RunCommand);
    m_edit = new EditCommands(this);
    connect(&m_document, &RadioDocument::modifiedChanged, this, &QWidget::setWindowModified);
    // Undo and redo: the views show the record afresh by themselves; the caption and
    // the picture follow the band and the model.
    connect(&m_document, &RadioDocument::recordReplaced, this, [this] {
        UpdateTitle();
        RepaintBackground();
    });

    m_statusBar = new CProgStatusBar(this);
    setStatusBar(m_statusBar);

    m_treeBar = new CTreeBar(&Data(), this);
    addDockWidget(Qt::LeftDockWidgetArea, m_treeBar);
    resizeDocks({m_treeBar}, {127}, Qt::Horizontal);
    m_treeBar->hide();  // the bar starts hidden
    connect(m_treeBar, &CTreeBar::viewRequested, this, &CMainFrame::OpenView);
    connect(m_treeBar, &QDockWidget::visibilityChanged, this, &CMainFrame::SyncTreeCheck);
    connect(m_actions->ToolBar(), &QToolBar::visibilityChanged, this, [this](bool) {
        m_actions->Action(FrameCommand::ToolBar)->setChecked(!m_actions->ToolBar()->isHidden());
    });

    m_files = new FileCommands(this);
    m_dialogs = new DialogCommands(this);
    m_transfers = new TransferCommands(this, &m_worker);
    connect(m_transfers, &TransferCommands::runningChanged, this, &CMainFrame::SetTransferRunning);

    // File > Recent files, and data files dropped on the window.
    m_recent = new RecentFiles(this, m_actions->Menu(0), m_actions->Action(FrameCommand::AppExit));
    connect(m_files, &FileCommands::fileUsed, m_recent, &RecentFiles::Add);
    new FileDrop(this);
    m_actions->Action(FrameCommand::VerifyAfterWrite)->setChecked(VerifyAfterWrite());
}

CMainFrame::~CMainFrame()
{
    // Closing the window hides the bars; this frame is no longer there to follow.
    m_treeBar->disconnect(this);
    m_actions->ToolBar()->disconnect(this);
    // The transfer thread and the views use the record and the worker, which go
    // before the window's children: stop and remove them first.
    delete m_transfers;
    m_transfers = nullptr;
    delete m_background;
    m_background = nullptr;
}

CChildFrame* CMainFrame::OpenView(ViewKind kind)
{
    const bool created = m_views->Frame(kind) == nullptr;
    CChildFrame* frame = m_views->Open(kind, frameGeometry().size());
    if (created) {
        connect(frame->View(), &CEditView::statusMessage, this,
                [this](const QString& text) { m_statusBar->showMessage(text, kStatusMessageMs); });
        auto* channels = qobject_cast<CChnMsgFormView*>(frame->View());
        if (channels != nullptr && m_app != nullptr) {
            channels->SetLanguages([this]() -> const auto& { return m_app->Languages(); });
        }
        if (channels != nullptr) {
            channels->SetContextActions(m_edit->ContextActions());
        }
    }
    UpdateTitle();
    return frame;
}

void CMainFrame::RefreshViews()
{
    ReloadViews();
    OpenView(ViewKind::Channels);
}

void CMainFrame::ReloadViews()
{
    m_views->LoadAll();
    UpdateTitle();
}

bool CMainFrame::CollectEdits()
{
    return m_views->StoreAll();
}

QString CMainFrame::Title(const RadioData& data)
{
    return UiText(data, data.model == 0 ? 184 : 185) +
           QStringLiteral(" Q71/Q72(%1-%2MHZ)").arg(data.bandLower).arg(data.bandUpper);
}

void CMainFrame::UpdateTitle()
{
    // "[*]" shows as "*" while the data differ from what was last opened, saved,
    // read or written.
    setWindowTitle(Title(Data()) + QStringLiteral("[*]"));
    setWindowModified(m_document.IsModified());
    ShowPortInUse();
}

void CMainFrame::ShowPortInUse()
{
    const int port = Data().port;
    m_statusBar->SetPort(PortName(port), ResolvePortDevice(port));
}

void CMainFrame::UpdateChannelMasks()
{
    m_document.PrepareWrite();
}

bool CMainFrame::CheckBeforeWrite(const RadioReport& reported)
{
    // The data's band and model stand for the radio's when it did not report; the
    // identity bytes follow them as for a radio that reported the same.
    const WriteCheck check = m_document.TakeRadioReport(reported);
    const RadioData& data = m_document.Record();
    UpdateTitle();
    switch (check) {
    case WriteCheck::NotReported: {
        BoxRequest box;
        box.text = UiText(data, 97);
        box.caption = UiText(data, 89);
        box.icon = QMessageBox::Warning;
        ShowBox(this, box);
        return true;
    }
    case WriteCheck::Match: return true;
    case WriteCheck::Mismatch: {
        const QString text =
            UiText(data, text::WriteMismatch)
                .arg(BandAndModelText(data, data.radioBandLower, data.radioBandUpper,
                                      data.radioModel),
                     BandAndModelText(data, data.bandLower, data.bandUpper, data.model));
        return ConfirmWarning(this, text, UiText(data, 89));
    }
    }
    return false;
}

void CMainFrame::SetProgress(int value)
{
    m_statusBar->SetProgress(value);
}

void CMainFrame::ApplyMenuTexts()
{
    m_actions->ApplyMenuTexts();
    m_statusBar->SetReadyText(UiText(Data(), kReadyText));
    m_recent->ApplyTexts();
    m_edit->UpdateActions();
}

void CMainFrame::BuildTree(bool rebuild)
{
    m_treeBar->BuildTree(rebuild);
    SyncTreeCheck();
}

void CMainFrame::RepaintBackground()
{
    if (m_app) {
        m_app->NotePictureModel();
    }
    m_background->viewport()->update();
}

void CMainFrame::StartViewTimer(int ms)
{
    QTimer::singleShot(ms, this, [this] {
        OpenView(ViewKind::Channels);
        emit startupViewOpened();
    });
}

CChildFrame* CMainFrame::ChildFrame(ViewKind kind) const
{
    return m_views->Frame(kind);
}

CEditView* CMainFrame::View(ViewKind kind) const
{
    return m_views->View(kind);
}

std::vector<ViewKind> CMainFrame::ExistingViews() const
{
    return m_views->Existing();
}

bool CMainFrame::TransferRunning() const
{
    return m_transfers && m_transfers->IsRunning();
}

void CMainFrame::SetTransferRunning(bool running)
{
    m_actions->SetTransferRunning(running);
    m_treeBar->SetTransferRunning(running);
    m_edit->UpdateActions();
    m_views->SetEditingEnabled(!running);
    m_recent->UpdateEnabled();
}

void CMainFrame::RunCommand(FrameCommand command)
{
    // The actions are disabled meanwhile; a command that still arrives is refused.
    if (FrameActions::DisabledWhileTransferring(command) && TransferRunning()) {
        if (command == FrameCommand::ReadRadio || command == FrameCommand::WriteRadio) {
            m_transfers->Start(TransferMode::Read);  // tells the user one is running
        }
        return;
    }
    switch (command) {
    case FrameCommand::FileNew: m_files->New(); break;
    case FrameCommand::FileOpen: m_files->Open(); break;
    case FrameCommand::FileSave: m_files->Save(); break;
    case FrameCommand::FileSaveAs: m_files->SaveAs(); break;
    case FrameCommand::ImportChannels: ChannelPlanCommands(this).Import(); break;
    case FrameCommand::ExportChannels: ChannelPlanCommands(this).Export(); break;
    case FrameCommand::FilePrint: Print(false); break;
    case FrameCommand::FilePrintPreview: Print(true); break;
    case FrameCommand::AppExit: close(); break;
    case FrameCommand::ModelInfo: m_dialogs->ModelInfo(); break;
    case FrameCommand::ViewChannels: OpenView(ViewKind::Channels); break;
    case FrameCommand::ViewFeatures: OpenView(ViewKind::Features); break;
    case FrameCommand::ViewKeys: OpenView(ViewKind::Keys); break;
    case FrameCommand::ViewScan: OpenView(ViewKind::Scan); break;
    case FrameCommand::ReadRadio: m_transfers->Start(TransferMode::Read); break;
    case FrameCommand::WriteRadio: m_transfers->Start(TransferMode::Write); break;
    case FrameCommand::ComPort: m_dialogs->ComPort(); break;
    case FrameCommand::Language: m_dialogs->Language(); break;
    case FrameCommand::TreeView: ToggleTreeBar(); break;
    case FrameCommand::ToolBar:
        m_actions->ToolBar()->setVisible(m_actions->Action(FrameCommand::ToolBar)->isChecked());
        break;
    case FrameCommand::StatusBar:
        m_statusBar->setVisible(m_actions->Action(FrameCommand::StatusBar)->isChecked());
        break;
    case FrameCommand::Cascade: m_background->cascadeSubWindows(); break;
    case FrameCommand::TileHorizontally: TileHorizontally(m_background); break;
    case FrameCommand::TileVertically: TileVertically(m_background); break;
    case FrameCommand::ArrangeIcons: ArrangeIcons(m_background); break;
    case FrameCommand::CloseAllWindows:
        // Closes the navigation bar; the child windows stay.
        if (!m_treeBar->isHidden()) {
            m_treeBar->hide();
        }
        SyncTreeCheck();
        break;
    case FrameCommand::HelpTopics: m_dialogs->HelpTopics(); break;
    case FrameCommand::About: m_dialogs->About(); break;
    case FrameCommand::VerifyAfterWrite:
        SetVerifyAfterWrite(m_actions->Action(FrameCommand::VerifyAfterWrite)->isChecked());
        break;
    case FrameCommand::WriteSeveral: m_dialogs->WriteSeveral(); break;
    case FrameCommand::OpenBackup: m_files->OpenBackup(); break;
    case FrameCommand::EditUndo: m_edit->Undo(); break;
    case FrameCommand::EditRedo: m_edit->Redo(); break;
    case FrameCommand::EditCut: m_edit->Cut(); break;
    case FrameCommand::EditCopy: m_edit->Copy(); break;
    case FrameCommand::EditPaste: m_edit->Paste(); break;
    case FrameCommand::EditDelete: m_edit->Delete(); break;
    case FrameCommand::InsertChannel:
    case FrameCommand::DeleteChannelClosingGap:
    case FrameCommand::MoveChannelUp:
    case FrameCommand::MoveChannelDown:
    case FrameCommand::SortChannels:
    case FrameCommand::FillFrequencies:
    case FrameCommand::FindChannel:
    case FrameCommand::SetForSelected: m_edit->RowCommand(command); break;
    }
}

void CMainFrame::ToggleTreeBar()
{
    m_treeBar->setVisible(m_treeBar->isHidden());
    SyncTreeCheck();
}

void CMainFrame::SyncTreeCheck()
{
    m_actions->Action(FrameCommand::TreeView)->setChecked(!m_treeBar->isHidden());
}

// The printout takes its rows from the channel table and its summary from the
// features view, so the four views are opened (or shown again) first.
void CMainFrame::Print(bool preview)
{
    PrintRequest request;
    request.parent = this;
    request.data = &Data();
    for (ViewKind kind : kAllViewKinds) {
        OpenView(kind);
        request.views[std::size_t(kind)] = View(kind);
    }
    if (preview) {
        PreviewChannelTable(request);
    } else {
        PrintChannelTable(request);
    }
}

void CMainFrame::PlaceWindow()
{
    const auto settings = UserSettings();
    const QByteArray saved = settings->value(QLatin1String(kGeometryKey)).toByteArray();
    if (!saved.isEmpty() && restoreGeometry(saved)) {
        return;
    }
    move(0, 0);
    // The room the views need, plus what the menus, the bars and the area's frame take
    // around it: a first guess from the bars' own sizes (the window is not laid out
    // yet), made exact once it is shown.
    constexpr int kSeparators = 8;
    const int areaFrame = 2 * m_background->frameWidth();
    int bars = menuBar()->sizeHint().height() + statusBar()->sizeHint().height() + kSeparators;
    if (!m_actions->ToolBar()->isHidden()) {
        bars += m_actions->ToolBar()->sizeHint().height();
    }
    const QSize chrome(areaFrame + kSeparators, areaFrame + bars);
    m_firstRoom = m_views->RoomForEveryView(kFirstOuterSize);
    m_firstInner = m_firstRoom + chrome;
    m_outerSize = FirstOuterSize(QSize());
    resize(m_outerSize);
}

QSize CMainFrame::FirstOuterSize(QSize margins) const
{
    QSize outer = (m_firstInner + margins).expandedTo(kFirstOuterSize);
    if (const QScreen* shown = screen()) {
        outer = outer.boundedTo(shown->availableGeometry().size() * 0.9);
    }
    return outer;
}

void CMainFrame::SaveWindowPlacement() const
{
    UserSettings()->setValue(QLatin1String(kGeometryKey), saveGeometry());
}

void CMainFrame::FitOuterSize()
{
    const QSize margins = frameGeometry().size() - geometry().size();
    if (margins.isEmpty()) {
        return;  // no frame yet (or none at all: then outer and inner are the same)
    }
    if (m_firstRoom.isValid()) {
        // Shown and laid out now: what the bars take is known exactly.
        if (QLayout* frameLayout = layout()) {
            frameLayout->activate();
        }
        m_firstInner = m_firstRoom + (size() - m_background->viewport()->size());
    }
    const QSize outer = m_firstInner.isValid() ? FirstOuterSize(margins) : m_outerSize;
    m_outerSize = QSize();
    m_firstInner = QSize();
    m_firstRoom = QSize();
    resize(outer - margins);
}

void CMainFrame::changeEvent(QEvent* event)
{
    // The marker follows the data alone. A child window that goes out of sight
    // clears the main window's marker on its own (it takes it for one it lent out
    // while maximised); the data's state is put back at once.
    if (event->type() == QEvent::ModifiedChange && isWindowModified() != m_document.IsModified()) {
        setWindowModified(m_document.IsModified());
    }
    QMainWindow::changeEvent(event);
}

bool CMainFrame::event(QEvent* event)
{
    if (m_outerSize.isValid() &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
         event->type() == QEvent::WindowActivate)) {
        FitOuterSize();
    }
    return QMainWindow::event(event);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (TransferRunning()) {
        // The transfer thread may be waiting for this window; leaving now would
        // cut a write short. The user waits for it (or answers its box) first.
        BoxRequest box;
        box.text = UiText(Data(), text::TransferRunning);
        box.caption = UiText(Data(), 91);
        box.icon = QMessageBox::Warning;
        ShowBox(this, box);
        return;
    }
    const bool leave = m_files->MayLeaveData([this] {
        BoxRequest box;
        box.text = UiText(Data(), 90);
        box.caption = UiText(Data(), 91);
        box.icon = QMessageBox::Question;
        box.buttons = QMessageBox::Yes | QMessageBox::No;
        return ShowBox(this, box) == QMessageBox::Yes;
    });
    if (!leave) {
        return;
    }
    if (m_app) {
        m_app->SaveSettings();
    }
    SaveWindowPlacement();
    event->accept();
    emit exitConfirmed();
}

}  // namespace radio
