#include "link/job_log.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QLockFile>

#include "config/file_reading.h"
#include "config/file_saving.h"
#include "config/fleet_codes.h"
#include "config/odd_file.h"
#include "data/csv_table.h"

namespace radio {

namespace {

const QStringList kColumns = {
    QStringLiteral("time"),          QStringLiteral("port"),
    QStringLiteral("device"),        QStringLiteral("adapter serial"),
    QStringLiteral("data file"),     QStringLiteral("data SHA-256"),
    QStringLiteral("code 1"),        QStringLiteral("code 2"),
    QStringLiteral("result"),        QStringLiteral("backup"),
    QStringLiteral("backup before"),
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
    if (!info.exists()) {
        return info.isSymLink() ? Refused(QStringLiteral("it links to a file that does not exist"))
                                : FileResult();
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
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

void TakeRadioEnd(JobLogRow& row, const RadioData& written, const BackupResult& backup,
                  const BackupResult& backupBefore)
{
    row.time = QDateTime::currentDateTime();
    row.code1 = Code1Of(written);
    row.code2 = Code2Of(written);
    row.backup = backup.ok ? backup.path : QString();
    row.backupBefore = backupBefore.ok ? backupBefore.path : QString();
}

QStringList JobLogFields(const JobLogRow& row)
{
    return {JobTimeText(row.time), row.port,  row.device, row.adapterSerial, row.dataFile,
            row.dataSha256,        row.code1, row.code2,  row.result,        row.backup,
            row.backupBefore};
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

struct JobLog::Pending {
    const JobLogRow* row;
    FileResult result;
    bool done = false;
};

FileResult JobLog::Append(const JobLogRow& row)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    Pending mine{&row, {}};
    m_pending.push_back(&mine);
    while (!mine.done) {
        if (m_writing) {
            m_written.wait(lock);
            continue;
        }
        // This thread writes every row that is waiting, its own among them.
        m_writing = true;
        std::vector<Pending*> rows;
        rows.swap(m_pending);
        lock.unlock();
        const FileResult result = Write(rows);
        lock.lock();
        for (Pending* pending : rows) {
            pending->result = result;
            pending->done = true;
        }
        m_writing = false;
        m_written.notify_all();
    }
    return mine.result;
}

FileResult JobLog::Write(const std::vector<Pending*>& rows) const
{
    QLockFile lock(m_path + QStringLiteral(".lock"));
    if (!lock.tryLock(kLockWaitMs)) {
        return Refused(lock.error() == QLockFile::LockFailedError
                           ? QStringLiteral("another program is appending to it")
                           : QStringLiteral("its lock file cannot be made beside it (a full "
                                            "disk, or a folder that may not be written)"));
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
    for (const Pending* pending : rows) {
        bytes += QByteArray::fromStdString(LineOf(JobLogFields(*pending->row)));
    }
    return WriteFileAtomically(m_path, bytes);
}

}  // namespace radio
