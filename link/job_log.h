// The job log of writes into several radios: one CSV row per radio, appended when
// that radio's write has ended, so that a batch stopped half way (or a program that
// dies) keeps every finished row. Columns:
//   time, port, device, adapter serial, data file, data SHA-256, code 1, code 2,
//   result, backup, backup before
// time is ISO 8601 with the time zone (2026-12-09T14:03:52+01:00); result is
// "written", "written and verified", "failed: <reason>" or "not written: <reason>";
// backup is the copy kept of what was written, backup before the copy of what the
// radio held before it (when it was read first).
//
// Every append rewrites the whole file through the safe saving every file gets (a full
// disk leaves the log as it was and says so), under a lock file beside it that keeps
// two programs from appending at the same time. Radios of one batch that end while a
// row is being written have their rows written together, next.
#pragma once

#include <QDateTime>
#include <QString>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "data/data_file.h"
#include "link/multi_writer.h"

namespace radio {

struct JobLogRow {
    QDateTime time;
    QString port;           // COM2, or the device path given for it
    QString device;         // the device the port stands for
    QString adapterSerial;  // of the USB adapter behind it, when it has one
    QString dataFile;
    QString dataSha256;
    QString code1;
    QString code2;
    QString result;
    QString backup;
    QString backupBefore;
};

// The result column of how a radio ended; `reason` says why it failed or was not
// written.
QString JobResultText(MultiWriteResult::Outcome outcome, const QString& reason);
// ISO 8601 with the offset from UTC: 2026-12-09T14:03:52+01:00.
QString JobTimeText(const QDateTime& time);
// The SHA-256 of `bytes` in lower-case hex.
QString Sha256Text(const QByteArray& bytes);
// The part of a radio's row that its end gives: the time now, the codes its copy was
// written with, and the backups kept of what was written and of what it held before
// (empty when none was kept).
void TakeRadioEnd(JobLogRow& row, const RadioData& written, const BackupResult& backup,
                  const BackupResult& backupBefore);
// The row's fields, in the order of the columns.
QStringList JobLogFields(const JobLogRow& row);

class JobLog {
public:
    explicit JobLog(QString path);

    const QString& Path() const { return m_path; }

    // Before a batch: whether rows can be appended here. A name that is no regular
    // file, a file that may not be written and a file that holds something other than
    // a job log (a data file given by mistake) are refused; the reason is in detail.
    FileResult Check() const;
    // Appends one row, with the header first when the file is new or empty. From any
    // thread.
    FileResult Append(const JobLogRow& row);

private:
    struct Pending;
    // Appends the rows, in order, as one save.
    FileResult Write(const std::vector<Pending*>& rows) const;

    QString m_path;
    std::mutex m_mutex;
    std::condition_variable m_written;
    std::vector<Pending*> m_pending;  // rows waiting for the save under way to end
    bool m_writing = false;
};

}  // namespace radio
