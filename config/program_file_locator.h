// How the shell finds its own files (language texts, pictures, help pages). The
// program uses FindProgramFile; tests give a lookup confined to their own folder.
#pragma once

#include <QString>
#include <functional>

namespace radio {

using ProgramFileLocator = std::function<QString(const QString& name)>;

}  // namespace radio
