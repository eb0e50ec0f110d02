// What the main window's commands are: one row per command (frame_commands.inc)
// with its caption, menu, keys, toolbar icon, the rules it follows and the controller
// slot that runs it. FrameActions builds the menus, the toolbar, the tool tips and the
// transfer lock from these rows and connects each action to its slot.
#pragma once

#include <QKeySequence>
#include <QList>
#include <array>
#include <tuple>
#include <vector>

#include "data/language_table.h"
#include "shell/frame_command.h"

namespace radio {

class ChannelPlanCommands;
class EditCommands;
class FileCommands;
class HelpCommands;
class ModelCommands;
class SettingsCommands;
class TransferCommands;
class ViewCommands;

// The controllers that run the commands, one per concern.
using Controllers =
    std::tuple<FileCommands*, ChannelPlanCommands*, TransferCommands*, EditCommands*,
               ModelCommands*, ViewCommands*, HelpCommands*, SettingsCommands*>;

// The top-level menus, in menu bar order.
enum class MenuId { File, Model, Edit, Programming, Settings, View, Window, Help };
constexpr int kMenuCount = 8;
// The language text of each top-level menu's caption, by position.
constexpr std::array<int, kMenuCount> kMenuCaptions = {
    text::FileMenu,     text::ModelMenu, text::EditMenu,   text::ProgrammingMenu,
    text::SettingsMenu, text::ViewMenu,  text::WindowMenu, text::HelpMenu};

namespace command {
enum Flag : unsigned {
    kNone = 0,
    kSeparator = 1u << 0,         // a separator line before its menu item
    kToolSeparator = 1u << 1,     // a separator before its toolbar button
    kCaptionTip = 1u << 2,        // its toolbar button's tip is its caption (ToolTipText)
    kStepTip = 1u << 3,           // the tip is the item's current text (the step named)
    kLockedByTransfer = 1u << 4,  // disabled while a transfer runs
    kSaysBusy = 1u << 5,          // run while a transfer runs, it says that one does
    kCheckable = 1u << 6,         // a check item
    kChecked = 1u << 7,           // checked at the start
    kChannelTable = 1u << 8,      // acts on the channel table; in its context menu
};
}  // namespace command

struct CommandRow {
    FrameCommand command;
    int caption;  // language text
    MenuId menu;
    QList<QKeySequence> keys;
    const char* icon;  // toolbar button; null: none
    unsigned flags;
    // Runs the command on its controller; `checked` is a check item's new state.
    void (*run)(const Controllers& controllers, bool checked);

    bool Has(command::Flag flag) const { return (flags & flag) != 0; }
};

// Every command, in menu order.
const std::vector<CommandRow>& CommandTable();
// The row of a command; every FrameCommand has one.
const CommandRow& CommandRowOf(FrameCommand command);

}  // namespace radio
