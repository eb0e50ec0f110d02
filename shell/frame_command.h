// The main window's commands, numbered as the menus, the toolbar and the shortcut
// keys know them. Each one is a line of frame_commands.inc.
#pragma once

namespace radio {

enum class FrameCommand : int {
#define COMMAND(name, number, ...) name = number,
#include "shell/frame_commands.inc"
#undef COMMAND
};

}  // namespace radio
