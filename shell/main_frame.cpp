#include "shell/main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
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
#include "shell/edit_commands.h"
#include "shell/file_commands.h"
#include "shell/file_drop.h"
#include "shell/frame_actions.h"
#include "shell/help_commands.h"
#include "shell/model_commands.h"
#include "shell/prog_status_bar.h"
#include "shell/radio_prog_app.h"
#include "shell/recent_files.h"
#include "shell/settings_commands.h"
#include "shell/transfer_commands.h"
#include "shell/transfer_texts.h"
#include "shell/tree_bar.h"
#include "shell/view_commands.h"
#include "shell/view_slots.h"
#include "widgets/edit_view.h"
#include "widgets/message_box.h"

namespace radio {

namespace {
// How long a view's message (a refused text) stays in the status bar.
constexpr int kStatusMessageMs = 8000;
// The window's outer size at the first start.
constexpr QSize kFirstOuterSize(773, 548);
const char* const kGeometryKey = "mainWindow/geometry";
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

    CreateControllers();

    // File > Recent files, and data files dropped on the window.
    m_recent = new RecentFiles(m_document, *this, *m_files, m_actions->Menu(MenuId::File),
                               m_actions->Action(FrameCommand::AppExit), this);
    connect(m_files, &FileCommands::fileUsed, m_recent, &RecentFiles::Add);
    new FileDrop(this, *this, *m_files);
}

// One controller per concern, each given what it works on; the command table names
// the slot of each command.
void CMainFrame::CreateControllers()
{
    m_files = new FileCommands(m_document, *this, this);
    m_channelPlans = std::make_unique<ChannelPlanCommands>(m_document, *this);
    m_transfers = new TransferCommands(m_document, *this, *this, &m_worker, *m_files,
                                       m_actions->Action(FrameCommand::VerifyAfterWrite),
                                       m_actions->Action(FrameCommand::ShowChangesBeforeWriting),
                                       this);
    connect(m_transfers, &TransferCommands::runningChanged, this, &CMainFrame::SetTransferRunning);
    m_edit = new EditCommands(m_document, *this, *m_actions, m_background, this);
    m_help = new HelpCommands(m_document, *this, m_app, m_locate, this);
    // F1 is no menu command: it opens the help on the view being worked in.
    auto* contextHelp = new QShortcut(QKeySequence::HelpContents, this);
    connect(contextHelp, &QShortcut::activated, m_help, &HelpCommands::HelpForActiveView);
    m_model = new ModelCommands(m_document, *this, *m_help, this);
    m_viewCommands =
        new ViewCommands(*this, m_background,
                         ViewCommands::Bars{m_treeBar, m_actions->Action(FrameCommand::TreeView),
                                            m_actions->ToolBar(),
                                            m_actions->Action(FrameCommand::ToolBar), m_statusBar},
                         this);
    m_settings = new SettingsCommands(m_document, *this, m_worker, m_app, *m_help, this);
    m_actions->Connect(Controllers{m_files, m_channelPlans.get(), m_transfers, m_edit, m_model,
                                   m_viewCommands, m_help, m_settings},
                       [this] { return TransferRunning(); });
}

CMainFrame::~CMainFrame()
{
    // Closing the window hides the bars; the check marks are no longer there to follow.
    m_treeBar->disconnect(m_viewCommands);
    m_actions->ToolBar()->disconnect(m_viewCommands);
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
    return UiText(data, data.model == 0 ? text::Channels32 : text::Channels16) +
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
        box.text = UiText(data, text::RadioBandUnknown);
        box.caption = UiText(data, text::WarningCaption);
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
        return ConfirmWarning(this, text, UiText(data, text::WarningCaption));
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
    m_statusBar->SetReadyText(UiText(Data(), text::ReadyStatus));
    m_recent->ApplyTexts();
    m_edit->UpdateActions();
}

void CMainFrame::BuildTree(bool rebuild)
{
    m_treeBar->BuildTree(rebuild);
    m_viewCommands->SyncNavigationCheck();
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

CEditView* CMainFrame::ActiveView() const
{
    auto* child = qobject_cast<CChildFrame*>(m_background->activeSubWindow());
    return child && child->isVisible() ? child->View() : nullptr;
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
    m_actions->Run(command, m_actions->Action(command)->isChecked());
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
        box.caption = UiText(Data(), text::ExitCaption);
        box.icon = QMessageBox::Warning;
        ShowBox(this, box);
        return;
    }
    const bool leave = m_files->MayLeaveData([this] {
        BoxRequest box;
        box.text = UiText(Data(), text::ExitQuestion);
        box.caption = UiText(Data(), text::ExitCaption);
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
