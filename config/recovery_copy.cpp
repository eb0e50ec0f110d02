#include "config/recovery_copy.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <algorithm>

#include "config/file_reading.h"
#include "config/file_saving.h"

namespace radio {

namespace {

const QByteArray kHeader = QByteArrayLiteral("radioprog recovery copy 1\n");
const QLatin1String kCopySuffix(".recovery");
const QLatin1String kLockSuffix(".lock");
// A copy is a header and a data file of 1704 bytes; anything much larger is no copy
// and is not read whole.
constexpr qint64 kLargestCopy = 64 * 1024;

QString LockPathOf(const QString& copyPath)
{
    return copyPath.left(copyPath.size() - kCopySuffix.size()) + kLockSuffix;
}

std::unique_ptr<QLockFile> NewLock(const QString& copyPath)
{
    auto lock = std::make_unique<QLockFile>(LockPathOf(copyPath));
    // A program holds its lock for hours: only a lock of a process that is gone is
    // stale, never an old one.
    lock->setStaleLockTime(0);
    return lock;
}

}  // namespace

QString RecoveryFolder()
{
    const QString overridden = qEnvironmentVariable("RADIOPROG_RECOVERY_DIR");
    if (!overridden.isEmpty()) {
        return overridden;
    }
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/radioprog/recovery");
}

QByteArray RecoveryCopyBytes(const RecoveryContent& content)
{
    // With the offset, so that the time means the same after a change of zone.
    const QDateTime time = content.time.toOffsetFromUtc(content.time.offsetFromUtc());
    return kHeader + "time=" + time.toString(Qt::ISODate).toLatin1() + '\n' +
           "file=" + QUrl::toPercentEncoding(content.fileName, "/") + "\n\n" + content.data;
}

bool ParseRecoveryCopy(const QByteArray& bytes, RecoveryContent& content)
{
    if (!bytes.startsWith(kHeader)) {
        return false;
    }
    const qsizetype end = bytes.indexOf("\n\n", kHeader.size() - 1);
    if (end < 0) {
        return false;
    }
    RecoveryContent parsed;
    const QByteArray fields = bytes.mid(kHeader.size(), end + 1 - kHeader.size());
    for (const QByteArray& line : fields.split('\n')) {
        if (line.startsWith("time=")) {
            parsed.time = QDateTime::fromString(QString::fromLatin1(line.mid(5)), Qt::ISODate);
        } else if (line.startsWith("file=")) {
            parsed.fileName = QUrl::fromPercentEncoding(line.mid(5));
        }
    }
    parsed.data = bytes.mid(end + 2);
    content = parsed;
    return true;
}

RecoverySlot::RecoverySlot(const QString& folder)
    : m_path(QDir(folder).filePath(QStringLiteral("%1-%2%3")
                                       .arg(QCoreApplication::applicationPid())
                                       .arg(QDateTime::currentMSecsSinceEpoch())
                                       .arg(kCopySuffix)))
{
}

RecoverySlot::RecoverySlot(QString path, std::unique_ptr<QLockFile> lock)
    : m_path(std::move(path)), m_lock(std::move(lock))
{
}

// Leaves the copy where it is: only Remove takes it away, so that a program that ends
// without removing it leaves it for the next start.
RecoverySlot::~RecoverySlot() = default;

bool RecoverySlot::TakeLock(QString& error)
{
    if (m_lock && m_lock->isLocked()) {
        return true;
    }
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder)) {
        error =
            QStringLiteral("the folder %1 cannot be made").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    if (!m_lock) {
        m_lock = NewLock(m_path);
    }
    if (!m_lock->tryLock(0)) {
        error =
            QStringLiteral(
                "its lock file %1 cannot be made (the disk may be full or the folder read-only)")
                .arg(QDir::toNativeSeparators(LockPathOf(m_path)));
        return false;
    }
    return true;
}

FileResult RecoverySlot::Save(const QByteArray& bytes)
{
    QString error;
    if (!TakeLock(error)) {
        return FileResult{FileStatus::WriteFailed, error.toStdString()};
    }
    return WriteFileAtomically(m_path, bytes);
}

void RecoverySlot::Remove()
{
    QFile::remove(m_path);
    if (m_lock) {
        m_lock->unlock();
    }
}

std::vector<LeftCopy> FindLeftCopies(const QString& folder)
{
    std::vector<LeftCopy> found;
    const QFileInfoList files =
        QDir(folder).entryInfoList({QStringLiteral("*") + kCopySuffix}, QDir::Files | QDir::System);
    for (const QFileInfo& file : files) {
        auto lock = NewLock(file.filePath());
        if (!lock->tryLock(0)) {
            continue;  // a running program's own, or a folder this user may not change
        }
        LeftCopy copy;
        copy.slot = std::make_unique<RecoverySlot>(file.filePath(), std::move(lock));
        copy.content.time = file.lastModified();
        QByteArray bytes;
        copy.check = ReadWholeFile(file.filePath(), bytes, kLargestCopy);
        if (copy.check.ok() && !ParseRecoveryCopy(bytes, copy.content)) {
            copy.check.status = FileStatus::OpenFailed;
            copy.check.detail = "it is no recovery copy (its header is missing)";
        } else if (copy.check.ok()) {
            if (!copy.content.time.isValid()) {
                copy.content.time = file.lastModified();
            }
            copy.check = RecogniseDataFile(
                reinterpret_cast<const std::uint8_t*>(copy.content.data.constData()),
                std::size_t(copy.content.data.size()));
        }
        found.push_back(std::move(copy));
    }
    std::stable_sort(found.begin(), found.end(), [](const LeftCopy& a, const LeftCopy& b) {
        return a.content.time > b.content.time;
    });
    return found;
}

FileResult RecoveredRecord(const RecoveryContent& content, const RadioData& base, RadioData& record)
{
    record = base;
    return ParseDataFile(reinterpret_cast<const std::uint8_t*>(content.data.constData()),
                         std::size_t(content.data.size()), record);
}

}  // namespace radio
