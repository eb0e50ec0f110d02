// The program's own files (language texts, pictures, help pages) are looked up in the
// working directory first, then beside the executable, where the build puts them, and
// then in ../share/radioprog/ relative to the executable, where an installed program
// has them.
#pragma once

#include <QString>
#include <QStringList>

namespace radio {

// The folders searched after the working directory, for a program in `programDir`:
// the program's folder and ../share/radioprog beside it.
QStringList ProgramFileFolders(const QString& programDir);

// The path of `name` in the first place that holds it: the working directory, then
// ProgramFileFolders(folder of the executable); `name` itself (relative to the working
// directory) when none does.
QString FindProgramFile(const QString& name);
// The same search with the program's folder given.
QString FindProgramFileFrom(const QString& name, const QString& programDir);

}  // namespace radio
