#include "config/program_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace radio {

QStringList ProgramFileFolders(const QString& programDir)
{
    const QDir dir(programDir);
    return {dir.path(), QDir::cleanPath(dir.filePath(QStringLiteral("../share/radioprog")))};
}

QString FindProgramFileFrom(const QString& name, const QString& programDir)
{
    if (QFileInfo::exists(name)) {
        return name;
    }
    if (!programDir.isEmpty()) {
        for (const QString& folder : ProgramFileFolders(programDir)) {
            const QString candidate = QDir(folder).filePath(name);
            if (QFileInfo::exists(candidate)) {
                return candidate;
            }
        }
    }
    return name;
}

QString FindProgramFile(const QString& name)
{
    return FindProgramFileFrom(
        name, QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString());
}

}  // namespace radio
