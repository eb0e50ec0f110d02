// The version of the programs, as the build gives it (the project version).
#pragma once

#include <QString>

namespace radio {

// "0.1"
QString ProgramVersion();
// "radioprog 0.1": what --version prints for a program of that name.
QString VersionLine(const QString& program);

}  // namespace radio
