// What the program keeps per user beside sys.ini (window placement, recent files,
// choices of the menus): QSettings in the user's configuration folder
// (~/.config/radioprog/radioprog.conf on Linux). sys.ini keeps its three lines alone.
#pragma once

#include <QSettings>
#include <memory>

namespace radio {

std::unique_ptr<QSettings> UserSettings();

}  // namespace radio
