// What the program keeps per user besides sys.ini (recent files and the like):
// ~/.config/radioprog/radioprog.conf, never sys.ini.
#pragma once

#include <QSettings>
#include <memory>

namespace radio {

std::unique_ptr<QSettings> OpenUserSettings();

}  // namespace radio
