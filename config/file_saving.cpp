#include "config/file_saving.h"

#include <unistd.h>

#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

#include "config/odd_file.h"

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
    constexpr auto anyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return existing.isWritable() && (existing.permissions() & anyWrite);
}

// Writes `bytes` into the open temporary file and makes sure they are all in it: the
// write, the flush, the system's own write-back (fsync reports what a full disk or a
// quota held back) and the size the file has then. Empty when all went well,
// otherwise why not.
QString UnwrittenReason(QSaveFile& file, const QByteArray& bytes)
{
    const qint64 written = file.write(bytes);
    if (written == bytes.size() && file.flush()) {
        if (::fsync(file.handle()) != 0) {
            return QString::fromLocal8Bit(std::strerror(errno));
        }
        if (file.size() == bytes.size()) {
            return QString();
        }
    }
    // A write cut short by the size limit carries no error of its own; a full disk
    // reports ENOSPC, as the system words it.
    const int error = errno;
    QString why = file.error() != QFileDevice::NoError ? file.errorString() : QString();
    if (why.isEmpty() || why == QLatin1String("Unknown error")) {
        why = QString::fromLocal8Bit(std::strerror(error == 0 ? EIO : error));
    }
    return why;
}

}  // namespace

bool MayWriteFile(const QString& path)
{
    const QFileInfo existing(path);  // follows a link to what it points at
    return !existing.exists() || (!existing.isDir() && MayReplace(existing));
}

FileResult WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    // A FIFO, a device or a folder is not replaced by a plain file (a link to one is
    // followed to it, as QSaveFile would).
    if (const OddFile odd = OddFileAt(path); odd != OddFile::None) {
        return OddFileFailure(FileStatus::WriteFailed, odd);
    }
    if (!MayWriteFile(path)) {
        return Failed(QString::fromLocal8Bit(std::strerror(EACCES)));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return Failed(file.errorString());
    }
    // QSaveFile (Qt 6.4) renames its temporary file over the old one even when the
    // buffered bytes never reached it: a full disk shows only when the buffer is
    // flushed, inside commit(), and a file size limit cuts a write short without an
    // error at all. So every step is checked here, and the temporary file is abandoned
    // (removed when `file` goes) before commit() could rename anything.
    const QString reason = UnwrittenReason(file, bytes);
    if (!reason.isEmpty()) {
        file.cancelWriting();
        return Failed(reason);
    }
    if (!file.commit()) {
        return Failed(file.errorString());
    }
    return FileResult{};
}

QString WithDataFileExtension(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    if (name.isEmpty() || name.endsWith(QLatin1String(".tw"), Qt::CaseInsensitive)) {
        return path;
    }
    return path + (name.endsWith(QLatin1Char('.')) ? QLatin1String("tw") : QLatin1String(".tw"));
}

FileResult SaveDataFile(const QString& path, const RadioData& data)
{
    const auto bytes = DataFileBytes(data);
    return WriteFileAtomically(
        path, QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
}

}  // namespace radio
