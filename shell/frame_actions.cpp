#include "shell/frame_actions.h"

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

#include "config/text_of.h"

namespace radio {

namespace {

// Text number of each command's caption.
int CaptionText(FrameCommand command)
{
    switch (command) {
    case FrameCommand::FileNew: return 2;
    case FrameCommand::FileOpen: return 3;
    case FrameCommand::FileSave: return 4;
    case FrameCommand::FileSaveAs: return 5;
    case FrameCommand::ImportChannels: return text::ImportChannels;
    case FrameCommand::ExportChannels: return text::ExportChannels;
    case FrameCommand::FilePrint: return 6;
    case FrameCommand::FilePrintPreview: return text::PrintPreview;
    case FrameCommand::AppExit: return 7;
    case FrameCommand::ModelInfo: return 9;
    case FrameCommand::ViewChannels: return 11;
    case FrameCommand::ViewFeatures: return 12;
    case FrameCommand::ViewKeys: return 13;
    case FrameCommand::ViewScan: return 14;
    case FrameCommand::ReadRadio: return 20;
    case FrameCommand::WriteRadio: return 21;
    case FrameCommand::ComPort: return 26;
    case FrameCommand::Language: return 27;
    case FrameCommand::TreeView: return 29;
    case FrameCommand::ToolBar: return 30;
    case FrameCommand::StatusBar: return 31;
    case FrameCommand::Cascade: return 33;
    case FrameCommand::TileHorizontally: return 34;
    case FrameCommand::TileVertically: return 35;
    case FrameCommand::ArrangeIcons: return 36;
    case FrameCommand::CloseAllWindows: return 37;
    case FrameCommand::HelpTopics: return 39;
    case FrameCommand::About: return 40;
    case FrameCommand::VerifyAfterWrite: return text::VerifyAfterWrite;
    case FrameCommand::WriteSeveral: return text::WriteSeveral;
    case FrameCommand::OpenBackup: return text::OpenBackup;
    case FrameCommand::EditUndo: return text::MenuUndo;
    case FrameCommand::EditRedo: return text::MenuRedo;
    case FrameCommand::EditCut: return text::MenuCut;
    case FrameCommand::EditCopy: return text::MenuCopy;
    case FrameCommand::EditPaste: return text::MenuPaste;
    case FrameCommand::EditDelete: return text::MenuDelete;
    case FrameCommand::InsertChannel: return text::MenuInsertChannel;
    case FrameCommand::DeleteChannelClosingGap: return text::MenuDeleteChannel;
    case FrameCommand::MoveChannelUp: return text::MenuMoveUp;
    case FrameCommand::MoveChannelDown: return text::MenuMoveDown;
    case FrameCommand::SortChannels: return text::MenuSortByReceive;
    case FrameCommand::FillFrequencies: return text::MenuFillFrequencies;
    case FrameCommand::FindChannel: return text::MenuFind;
    case FrameCommand::SetForSelected: return text::MenuBulkSet;
    }
    return -1;
}

// Text number of each top-level menu, by position.
constexpr std::array<int, FrameActions::kMenuCount> kMenuTexts = {1, 8, 10, 19, 25, 28, 32, 38};

struct Button {
    FrameCommand command;
    const char* icon;
};

}  // namespace

// The desktop's own undo and redo icons, or the style's arrows where it has none.
QIcon StandardIcon(FrameCommand command)
{
    const bool undo = command == FrameCommand::EditUndo;
    const QIcon fallback =
        qApp->style()->standardIcon(undo ? QStyle::SP_ArrowBack : QStyle::SP_ArrowForward);
    return QIcon::fromTheme(undo ? QStringLiteral("edit-undo") : QStringLiteral("edit-redo"),
                            fallback);
}

QString ToolTipText(const QString& caption)
{
    const int paren = caption.indexOf(QLatin1Char('('));
    return (paren < 0 ? caption : caption.left(paren)).left(79);
}

FrameActions::FrameActions(const RadioData* data, QMainWindow* window)
    : QObject(window), m_data(data)
{
    QMenuBar* bar = window->menuBar();
    for (QMenu*& menu : m_menus) {
        menu = bar->addMenu(QString());
    }
    QMenu* file = m_menus[0];
    Add(file, FrameCommand::FileNew)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    Add(file, FrameCommand::FileOpen)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    Add(file, FrameCommand::OpenBackup);
    Add(file, FrameCommand::FileSave)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    Add(file, FrameCommand::FileSaveAs);
    file->addSeparator();
    Add(file, FrameCommand::ImportChannels);
    Add(file, FrameCommand::ExportChannels);
    file->addSeparator();
    Add(file, FrameCommand::FilePrint);
    Add(file, FrameCommand::FilePrintPreview);
    file->addSeparator();
    Add(file, FrameCommand::AppExit);

    Add(m_menus[1], FrameCommand::ModelInfo);

    // Redo answers both Ctrl+Shift+Z and Ctrl+Y. The clipboard keys reach a text field
    // first when one has the keyboard: these act on the channel table's rows.
    Add(m_menus[2], FrameCommand::EditUndo)->setShortcut(QKeySequence::Undo);
    Add(m_menus[2], FrameCommand::EditRedo)
        ->setShortcuts(
            {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    m_menus[2]->addSeparator();
    Add(m_menus[2], FrameCommand::EditCut)->setShortcut(QKeySequence::Cut);
    Add(m_menus[2], FrameCommand::EditCopy)->setShortcut(QKeySequence::Copy);
    Add(m_menus[2], FrameCommand::EditPaste)->setShortcut(QKeySequence::Paste);
    Add(m_menus[2], FrameCommand::EditDelete)->setShortcut(QKeySequence::Delete);
    m_menus[2]->addSeparator();
    // The channel table's row commands. Ctrl with Up and Down moves channels; the
    // arrows alone move between cells, Shift with them extends the selection.
    Add(m_menus[2], FrameCommand::InsertChannel)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Insert));
    Add(m_menus[2], FrameCommand::DeleteChannelClosingGap)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
    Add(m_menus[2], FrameCommand::MoveChannelUp)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up));
    Add(m_menus[2], FrameCommand::MoveChannelDown)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down));
    Add(m_menus[2], FrameCommand::SortChannels);
    Add(m_menus[2], FrameCommand::FillFrequencies);
    Add(m_menus[2], FrameCommand::FindChannel)->setShortcut(QKeySequence::Find);
    Add(m_menus[2], FrameCommand::SetForSelected);
    m_menus[2]->addSeparator();
    Add(m_menus[2], FrameCommand::ViewChannels);
    Add(m_menus[2], FrameCommand::ViewFeatures);
    Add(m_menus[2], FrameCommand::ViewKeys);
    Add(m_menus[2], FrameCommand::ViewScan);

    Add(m_menus[3], FrameCommand::ReadRadio)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    Add(m_menus[3], FrameCommand::WriteRadio)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    m_menus[3]->addSeparator();
    Add(m_menus[3], FrameCommand::VerifyAfterWrite)->setCheckable(true);
    Add(m_menus[3], FrameCommand::WriteSeveral);

    Add(m_menus[4], FrameCommand::ComPort);
    Add(m_menus[4], FrameCommand::Language);

    Add(m_menus[5], FrameCommand::TreeView)->setCheckable(true);
    Add(m_menus[5], FrameCommand::ToolBar)->setCheckable(true);
    Add(m_menus[5], FrameCommand::StatusBar)->setCheckable(true);
    Action(FrameCommand::ToolBar)->setChecked(true);
    Action(FrameCommand::StatusBar)->setChecked(true);

    Add(m_menus[6], FrameCommand::Cascade);
    Add(m_menus[6], FrameCommand::TileHorizontally);
    Add(m_menus[6], FrameCommand::TileVertically);
    Add(m_menus[6], FrameCommand::ArrangeIcons);
    Add(m_menus[6], FrameCommand::CloseAllWindows);

    Add(m_menus[7], FrameCommand::HelpTopics);
    Add(m_menus[7], FrameCommand::About);

    m_toolBar = window->addToolBar(QString());
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    const Button buttons[] = {
        {FrameCommand::FileNew, ":/icons/new.png"},
        {FrameCommand::FileOpen, ":/icons/open.png"},
        {FrameCommand::FileSave, ":/icons/save.png"},
        {FrameCommand::FilePrint, ":/icons/print.png"},
        {FrameCommand::EditUndo, nullptr},
        {FrameCommand::EditRedo, nullptr},
        {FrameCommand::ReadRadio, ":/icons/read.png"},
        {FrameCommand::WriteRadio, ":/icons/write.png"},
        {FrameCommand::About, ":/icons/about.png"},
    };
    for (const Button& b : buttons) {
        QAction* action = Action(b.command);
        action->setIcon(b.icon ? QIcon(QString::fromLatin1(b.icon)) : StandardIcon(b.command));
        if (b.command == FrameCommand::FileOpen || b.command == FrameCommand::EditUndo ||
            b.command == FrameCommand::ReadRadio || b.command == FrameCommand::WriteRadio) {
            m_toolBar->addSeparator();
        }
        m_toolBar->addAction(action);
        if (QWidget* button = m_toolBar->widgetForAction(action)) {
            button->installEventFilter(this);
        }
    }
}

QAction* FrameActions::Add(QMenu* menu, FrameCommand command)
{
    auto* action = new QAction(menu);
    action->setData(int(command));
    menu->addAction(action);
    connect(action, &QAction::triggered, this, [this, command] { emit triggered(command); });
    m_actions[command] = action;
    return action;
}

QAction* FrameActions::Action(FrameCommand command) const
{
    const auto it = m_actions.find(command);
    return it == m_actions.end() ? nullptr : it->second;
}

void FrameActions::ApplyMenuTexts()
{
    for (int i = 0; i < kMenuCount; ++i) {
        m_menus[std::size_t(i)]->setTitle(UiText(*m_data, kMenuTexts[std::size_t(i)]));
    }
    for (const auto& [command, action] : m_actions) {
        action->setText(UiText(*m_data, CaptionText(command)));
        action->setToolTip(ToolTipFor(command));
    }
}

QString FrameActions::ToolTipFor(FrameCommand command) const
{
    switch (command) {
    case FrameCommand::FileNew:
    case FrameCommand::FileOpen:
    case FrameCommand::FileSave:
    case FrameCommand::FilePrint:
    case FrameCommand::ReadRadio:
    case FrameCommand::WriteRadio: return ToolTipText(UiText(*m_data, CaptionText(command)));
    case FrameCommand::EditUndo:
    case FrameCommand::EditRedo: return PlainCaption(Action(command)->text());
    default: return QString();
    }
}

bool FrameActions::DisabledWhileTransferring(FrameCommand command)
{
    switch (command) {
    case FrameCommand::FileNew:
    case FrameCommand::FileOpen:
    case FrameCommand::FileSave:
    case FrameCommand::FileSaveAs:
    case FrameCommand::ImportChannels:
    case FrameCommand::ExportChannels:
    case FrameCommand::FilePrint:
    case FrameCommand::FilePrintPreview:
    case FrameCommand::ModelInfo:
    case FrameCommand::ReadRadio:
    case FrameCommand::WriteRadio:
    case FrameCommand::ComPort:
    case FrameCommand::Language:
    case FrameCommand::OpenBackup:
    case FrameCommand::WriteSeveral:
    // The history and the channel table's clipboard change the record; EditCommands
    // gives them back as the history and the active window allow.
    case FrameCommand::EditUndo:
    case FrameCommand::EditRedo:
    case FrameCommand::EditCut:
    case FrameCommand::EditPaste:
    case FrameCommand::EditDelete:
    case FrameCommand::InsertChannel:
    case FrameCommand::DeleteChannelClosingGap:
    case FrameCommand::MoveChannelUp:
    case FrameCommand::MoveChannelDown:
    case FrameCommand::SortChannels:
    case FrameCommand::FillFrequencies:
    case FrameCommand::FindChannel:
    case FrameCommand::SetForSelected:
    // A view that opens loads the record and takes the keyboard: it waits too.
    case FrameCommand::ViewChannels:
    case FrameCommand::ViewFeatures:
    case FrameCommand::ViewKeys:
    case FrameCommand::ViewScan: return true;
    default: return false;
    }
}

void FrameActions::SetTransferRunning(bool running)
{
    for (const auto& [command, action] : m_actions) {
        if (DisabledWhileTransferring(command)) {
            action->setEnabled(!running);
        }
    }
}

bool FrameActions::eventFilter(QObject* watched, QEvent* event)
{
    // A toolbar button's tool tip is its command's text as ToolTipFor gives it; a
    // button without one shows none (rather than the caption Qt would fall back to).
    if (event->type() == QEvent::ToolTip) {
        if (auto* button = qobject_cast<QToolButton*>(watched); button && button->defaultAction()) {
            const auto command = FrameCommand(button->defaultAction()->data().toInt());
            const QString tip = ToolTipFor(command);
            if (tip.isEmpty()) {
                QToolTip::hideText();
            } else {
                QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, button);
            }
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace radio
