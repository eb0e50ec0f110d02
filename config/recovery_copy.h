// Recovery copies of unsaved edits. While the data being edited differ from what was
// last opened, saved, read or written, the desktop program keeps a copy of them in
//   RADIOPROG_RECOVERY_DIR when it is set, otherwise "radioprog/recovery" in the
//   user's data folder (~/.local/share/radioprog/recovery on Linux),
// so that a crash, a power cut or a killed process loses nothing. A copy is a small
// text header and the data as a data file would hold them:
//
//   radioprog recovery copy 1\n
//   time=2026-12-09T14:03:52+01:00\n        when the copy was made (ISO 8601)
//   file=/home/ann/plans/fleet%20a.tw\n     the data file it belongs to, percent-encoded
//   \n                                      (empty for data never saved)
//   <the 1704 bytes of a data file>
//
// Each running program has a copy of its own, "<pid>-<ms since 1970>.recovery", and
// holds the lock file "<same>.lock" beside it while it runs. A copy whose lock nobody
// holds was left by a program that ended without removing it: the next start offers
// it. Two programs at once thus never take each other's copy.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <memory>
#include <vector>

#include "data/data_file.h"
#include "data/radio_data.h"

namespace radio {

QString RecoveryFolder();

struct RecoveryContent {
    QDateTime time;
    QString fileName;  // empty: never saved to a file
    QByteArray data;   // a data file's bytes
};

QByteArray RecoveryCopyBytes(const RecoveryContent& content);
// False when `bytes` are no recovery copy (no header, a header cut short).
bool ParseRecoveryCopy(const QByteArray& bytes, RecoveryContent& content);

// One copy and its lock. A slot made for a new copy takes its lock before the copy is
// first written; one found by FindLeftCopies holds the lock of the copy it names.
// Not for two threads at once.
class RecoverySlot {
public:
    // A new copy of this program in `folder`; nothing is written yet.
    explicit RecoverySlot(const QString& folder);
    // A copy found at `path` whose lock the caller has taken.
    RecoverySlot(QString path, std::unique_ptr<QLockFile> lock);
    ~RecoverySlot();
    RecoverySlot(const RecoverySlot&) = delete;
    RecoverySlot& operator=(const RecoverySlot&) = delete;

    const QString& Path() const { return m_path; }
    // Replaces the copy with `bytes` by the safe saving of every file, making the
    // folder when it is missing.
    FileResult Save(const QByteArray& bytes);
    // Removes the copy and gives up its lock; the slot may save again later.
    void Remove();

private:
    bool TakeLock(QString& error);

    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

// A copy no running program holds, its lock now held by the caller.
struct LeftCopy {
    std::unique_ptr<RecoverySlot> slot;
    RecoveryContent content;  // without a header: the file's time, nothing else
    // Reading the file, its header, then the data file's check of its data.
    FileResult check;
    bool Usable() const { return check.ok(); }
};

// The copies in `folder` that no running program holds, newest first by their time.
std::vector<LeftCopy> FindLeftCopies(const QString& folder);

// The record of a usable copy: `base` (the program's texts and settings) with the
// copy's data taken in as File Open takes a data file's.
FileResult RecoveredRecord(const RecoveryContent& content, const RadioData& base,
                           RadioData& record);

}  // namespace radio
