#include "link/job_log.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QLockFile>

#include "config/file_reading.h"
#include "config/file_saving.h"
#include "config/odd_file.h"
#include "data/csv_table.h"

namespace radio {

namespace {

const QStringList kColumns = {
    QStringLiteral("time"),        QStringLiteral("port"),          QStringLiteral("device"),
    QStringLiteral("adapter serial"), QStringLiteral("data file"), QStringLiteral("data SHA-256"),
    QStringLiteral("code 1"),      QStringLiteral("code 2"),        QStringLiteral("result"),
    QStringLiteral("backup"),      QStringLiteral("backup before"),
};

// How long an append waits for another program's append to end.
constexpr int kLockWaitMs = 10000;

std::string LineOf(const QStringList& fields)
{
    std::vector<std::string> parts;
    for (const QString& field : fields) {
        parts.push_back(field.toStdString());
    }
    return CsvLine(parts);
}

FileResult Refused(const QString& why)
{
    FileResult result;
    result.status = FileStatus::WriteFailed;
    result.detail = why.toStdString();
    return result;
}

// What the log holds now; empty when there is no file yet.
FileResult Existing(const QString& path, QByteArray& bytes)
{
    bytes.clear();
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        return {};
    }
    if (const OddFile odd = OddFileAt(path); odd != OddFile::None) {
        return OddFileFailure(FileStatus::WriteFailed, odd);
    }
    FileResult read = ReadWholeFile(path, bytes);
    if (!read.ok()) {
        read.status = FileStatus::WriteFailed;
        return read;
    }
    const QByteArray header = QByteArray::fromStdString(LineOf(kColumns)).trimmed();
    if (!bytes.isEmpty() && !bytes.startsWith(header)) {
        return Refused(QStringLiteral("it holds something other than a job log"));
    }
    return {};
}

}  // namespace

QString JobResultText(MultiWriteResult::Outcome outcome, const QString& reason)
{
    switch (outcome) {
    case MultiWriteResult::Outcome::Written: return QStringLiteral("written");
    case MultiWriteResult::Outcome::Verified: return QStringLiteral("written and verified");
    case MultiWriteResult::Outcome::NotWritten: return QStringLiteral("not written: ") + reason;
    case MultiWriteResult::Outcome::Failed: break;
    }
    return QStringLiteral("failed: ") + reason;
}

QString JobTimeText(const QDateTime& time)
{
    const QDateTime local = time.toOffsetFromUtc(time.offsetFromUtc());
    return local.toString(Qt::ISODate);
}

QString Sha256Text(const QByteArray& bytes)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

QStringList JobLogFields(const JobLogRow& row)
{
    return {JobTimeText(row.time), row.port,  row.device,      row.adapterSerial,
            row.dataFile,          row.dataSha256, row.code1,  row.code2,
            row.result,            row.backup, row.backupBefore};
}

JobLog::JobLog(QString path) : m_path(std::move(path)) {}

FileResult JobLog::Check() const
{
    QByteArray bytes;
    if (FileResult existing = Existing(m_path, bytes); !existing.ok()) {
        return existing;
    }
    if (QFileInfo::exists(m_path) ? !MayWriteFile(m_path)
                                  : !QFileInfo(QFileInfo(m_path).absolutePath()).isDir()) {
        return Refused(QFileInfo::exists(m_path) ? QStringLiteral("it may not be written")
                                                 : QStringLiteral("its folder does not exist"));
    }
    return {};
}

FileResult JobLog::Append(const JobLogRow& row)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    QLockFile lock(m_path + QStringLiteral(".lock"));
    if (!lock.tryLock(kLockWaitMs)) {
        return Refused(lock.error() == QLockFile::LockFailedError
                           ? QStringLiteral("another program is appending to it")
                           : QStringLiteral("its lock file cannot be made beside it"));
    }
    QByteArray bytes;
    if (FileResult existing = Existing(m_path, bytes); !existing.ok()) {
        return existing;
    }
    if (bytes.isEmpty()) {
        bytes = QByteArray::fromStdString(LineOf(kColumns));
    } else if (!bytes.endsWith('\n')) {
        bytes += "\r\n";  // a last line cut short must not run into this one
    }
    bytes += QByteArray::fromStdString(LineOf(JobLogFields(row)));
    return WriteFileAtomically(m_path, bytes);
}

}  // namespace radio
