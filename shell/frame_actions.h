// The menu bar, the toolbar and their actions, built from the command table: every
// caption comes from the language table, the top-level menus by position, the items
// by their rows.
#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <map>

#include "data/radio_data.h"
#include "shell/command_table.h"

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace radio {

// The text of a tool tip: the caption cut before its first "(" (the access key and
// everything after it go), at most 79 characters.
QString ToolTipText(const QString& caption);

class FrameActions : public QObject {
    Q_OBJECT
public:
    static constexpr int kMenuCount = radio::kMenuCount;

    // Builds the menus into the window's menu bar and the toolbar into the window.
    FrameActions(const RadioData* data, QMainWindow* window);

    // Connects every action to its controller's slot. `transferRunning` says whether a
    // transfer runs: meanwhile the commands it locks are refused even when they arrive.
    void Connect(const Controllers& controllers, std::function<bool()> transferRunning);
    // Runs a command as its menu item would.
    void Run(FrameCommand command, bool checked = false);

    QAction* Action(FrameCommand command) const;
    QMenu* Menu(int position) const { return m_menus[std::size_t(position)]; }
    QMenu* Menu(MenuId menu) const { return Menu(int(menu)); }
    QToolBar* ToolBar() const { return m_toolBar; }
    // The actions of the commands that act on the channel table, in menu order.
    QList<QAction*> ChannelTableActions() const;

    // Writes the language texts into the menu captions.
    void ApplyMenuTexts();
    // The tool tip of a toolbar button; empty for commands without one (About).
    QString ToolTipFor(FrameCommand command) const;
    // While a transfer runs, every command that changes the record, or reads it to
    // write it somewhere, is disabled: the files, the radio, the port, the language,
    // the history and the clipboard's changes, and opening the views. Showing and
    // hiding bars and arranging windows stay.
    void SetTransferRunning(bool running);
    // The commands SetTransferRunning disables.
    static bool DisabledWhileTransferring(FrameCommand command);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const RadioData* m_data;
    std::array<QMenu*, kMenuCount> m_menus{};
    std::map<FrameCommand, QAction*> m_actions;
    QToolBar* m_toolBar = nullptr;
    Controllers m_controllers{};
    std::function<bool()> m_transferRunning;
};

}  // namespace radio
