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
#include "shell/transfer_commands.h"

namespace radio {

namespace {

// A toolbar icon: a resource path, or "theme:<name>" for the desktop's own icon with
// the style's arrows where it has none (undo and redo).
QIcon ButtonIcon(const char* icon)
{
    const QString name = QString::fromLatin1(icon);
    if (!name.startsWith(QLatin1String("theme:"))) {
        return QIcon(name);
    }
    const QString theme = name.mid(6);
    const bool back = theme == QLatin1String("edit-undo");
    return QIcon::fromTheme(
        theme, qApp->style()->standardIcon(back ? QStyle::SP_ArrowBack : QStyle::SP_ArrowForward));
}

}  // namespace

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
    m_toolBar = window->addToolBar(QString());
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);

    for (const CommandRow& row : CommandTable()) {
        QMenu* menu = Menu(row.menu);
        if (row.Has(command::kSeparator)) {
            menu->addSeparator();
        }
        auto* action = new QAction(menu);
        action->setData(int(row.command));
        action->setShortcuts(row.keys);
        action->setCheckable(row.Has(command::kCheckable));
        action->setChecked(row.Has(command::kChecked));
        menu->addAction(action);
        const FrameCommand command = row.command;
        connect(action, &QAction::triggered, this,
                [this, command](bool checked) { Run(command, checked); });
        m_actions[command] = action;

        if (row.icon != nullptr) {
            action->setIcon(ButtonIcon(row.icon));
            if (row.Has(command::kToolSeparator)) {
                m_toolBar->addSeparator();
            }
            m_toolBar->addAction(action);
            if (QWidget* button = m_toolBar->widgetForAction(action)) {
                button->installEventFilter(this);
            }
        }
    }
}

void FrameActions::Connect(const Controllers& controllers, std::function<bool()> transferRunning)
{
    m_controllers = controllers;
    m_transferRunning = std::move(transferRunning);
}

void FrameActions::Run(FrameCommand command, bool checked)
{
    const CommandRow& row = CommandRowOf(command);
    if (std::get<FileCommands*>(m_controllers) == nullptr) {
        return;  // not connected yet
    }
    // The actions are disabled meanwhile; a command that still arrives is refused,
    // where it is a transfer of its own with a word.
    if (row.Has(command::kLockedByTransfer) && m_transferRunning && m_transferRunning()) {
        if (row.Has(command::kSaysBusy)) {
            std::get<TransferCommands*>(m_controllers)->SayRunning();
        }
        return;
    }
    row.run(m_controllers, checked);
}

QAction* FrameActions::Action(FrameCommand command) const
{
    const auto it = m_actions.find(command);
    return it == m_actions.end() ? nullptr : it->second;
}

QList<QAction*> FrameActions::ChannelTableActions() const
{
    QList<QAction*> list;
    for (const CommandRow& row : CommandTable()) {
        if (row.Has(command::kChannelTable)) {
            list.append(Action(row.command));
        }
    }
    return list;
}

void FrameActions::ApplyMenuTexts()
{
    for (int i = 0; i < kMenuCount; ++i) {
        m_menus[std::size_t(i)]->setTitle(UiText(*m_data, kMenuCaptions[std::size_t(i)]));
    }
    for (const CommandRow& row : CommandTable()) {
        QAction* action = Action(row.command);
        action->setText(UiText(*m_data, row.caption));
        action->setToolTip(ToolTipFor(row.command));
    }
}

QString FrameActions::ToolTipFor(FrameCommand command) const
{
    const CommandRow& row = CommandRowOf(command);
    if (row.Has(command::kCaptionTip)) {
        return ToolTipText(UiText(*m_data, row.caption));
    }
    if (row.Has(command::kStepTip)) {
        return PlainCaption(Action(command)->text());
    }
    return QString();
}

bool FrameActions::DisabledWhileTransferring(FrameCommand command)
{
    return CommandRowOf(command).Has(command::kLockedByTransfer);
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
