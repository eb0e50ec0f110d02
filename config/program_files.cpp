#include "config/program_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace radio {

QString FindProgramFile(const QString& name)
{
    if (QFileInfo::exists(name)) {
        return name;
    }
    if (QCoreApplication::instance()) {
        const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(name);
        if (QFileInfo::exists(beside)) {
            return beside;
        }
    }
    return name;
}

}  // namespace radio
