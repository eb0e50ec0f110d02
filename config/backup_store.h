// Automatic backups of radio images. Every image read from a radio and every image
// written into one is kept as a data file (.tw, the record's 1704-byte image) in one
// folder shared by the desktop program and radioprog-cli:
//   RADIOPROG_BACKUP_DIR when it is set, otherwise "radioprog/backups" in the user's
//   data folder (~/.local/share/radioprog/backups on Linux).
// A name tells when, what, band and channel count, in local time:
//   20240131-142501-123_read_400-470MHz_16ch.tw   (read, write or before-write)
// with "-2", "-3", ... before ".tw" when two backups fall in the same millisecond.
// After each save only the newest 500 are kept (by the files' modification times, never
// pruning the one just saved); files of other names are never touched.
#pragma once

#include <QDateTime>
#include <QString>
#include <vector>

#include "data/radio_data.h"

namespace radio {

// What the radio held before a write is kept as a before-write backup: the read a
// write preview (or --backup-first) makes, so that an overwritten radio can be restored.
enum class BackupKind { Read, Write, BeforeWrite };

constexpr int kBackupsKept = 500;

struct BackupEntry {
    QString path;
    QDateTime time;
    BackupKind kind = BackupKind::Read;
    int bandLower = 0;
    int bandUpper = 0;
    int channels = 0;
    int sequence = 1;  // 2, 3, ... for the later ones of the same millisecond
};

struct BackupResult {
    bool ok = false;
    QString path;   // the file written, or the one that could not be
    QString error;  // why it could not
};

QString BackupFolder();
// "read", "write" or "before-write".
QString BackupKindName(BackupKind kind);

QString BackupFileName(const QDateTime& time, BackupKind kind, const RadioData& data,
                       int sequence = 1);
// False for a name that is not a backup's.
bool ParseBackupFileName(const QString& name, BackupEntry& entry);

// Saves `data` under a new name in `folder` (created when missing), then removes all
// but the newest `keep` backups there, the new one always kept. A backup that could not
// be saved in full is not kept and fails with the reason. Safe to call from several
// threads at once.
BackupResult SaveBackup(const RadioData& data, BackupKind kind, const QString& folder,
                        const QDateTime& time = QDateTime::currentDateTime(),
                        int keep = kBackupsKept);

// The backups in `folder`, newest first by the time in their names.
std::vector<BackupEntry> ListBackups(const QString& folder);
// Removes all but the newest `keep` backups, newest by the files' modification times
// (the name decides between equal times), and never the backup `spare` (the one just
// written, which counts among those kept); returns how many were removed.
int PruneBackups(const QString& folder, int keep, const QString& spare = QString());

}  // namespace radio
