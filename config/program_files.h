// The program's own files (language texts, pictures, help pages) are looked up in the
// working directory first and then beside the executable, where the build puts them.
#pragma once

#include <QString>

namespace radio {

// The path of `name` in the working directory when it is there, else beside the
// executable when it is there, else `name` itself (relative to the working directory).
QString FindProgramFile(const QString& name);

}  // namespace radio
