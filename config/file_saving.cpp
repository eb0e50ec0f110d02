#include "config/file_saving.h"

#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

namespace radio {

namespace {

FileResult Failed(const QString& detail)
{
    FileResult result;
    result.status = FileStatus::WriteFailed;
    result.detail = detail.toStdString();
    return result;
}

// A file nobody may write (mode 0444) counts as read-only even for a user, such as
// root, whom the system would let write it.
bool MayReplace(const QFileInfo& existing)
{
    constexpr auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup |
                              QFileDevice::WriteOther;
    return existing.isWritable() && (existing.permissions() & anyWrite);
}

}  // namespace

bool MayWriteFile(const QString& path)
{
    const QFileInfo existing(path);  // follows a link to what it points at
    return !existing.exists() || (!existing.isDir() && MayReplace(existing));
}

FileResult WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    const QFileInfo existing(path);
    if (existing.isDir()) {
        return Failed(QString::fromLocal8Bit(std::strerror(EISDIR)));
    }
    if (!MayWriteFile(path)) {
        return Failed(QString::fromLocal8Bit(std::strerror(EACCES)));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return Failed(file.errorString());
    }
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return Failed(reason);
    }
    if (!file.commit()) {
        return Failed(file.errorString());
    }
    return FileResult{};
}

FileResult SaveDataFile(const std::string& path, const RadioData& data)
{
    const auto image = data.ToImage();
    return WriteFileAtomically(
        QString::fromStdString(path),
        QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size())));
}

}  // namespace radio
