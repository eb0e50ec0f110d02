#include "config/backup_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>
#include <mutex>

#include "config/file_saving.h"

namespace radio {

namespace {

const QString kTimeFormat = QStringLiteral("yyyyMMdd-HHmmss-zzz");

const QRegularExpression& NamePattern()
{
    static const QRegularExpression pattern(QStringLiteral(
        R"(^(\d{8}-\d{6}-\d{3})_(read|write|before-write)_(\d{1,4})-(\d{1,4})MHz_(16|32)ch(?:-(\d{1,6}))?\.tw$)"));
    return pattern;
}

// Newest first; within a millisecond the later sequence first.
bool Newer(const BackupEntry& a, const BackupEntry& b)
{
    if (a.time != b.time) {
        return a.time > b.time;
    }
    return a.sequence > b.sequence;
}

// One save (name, write, pruning) at a time: the transfers of several radios may
// end together.
std::mutex& SaveMutex()
{
    static std::mutex mutex;
    return mutex;
}

}  // namespace

QString BackupFolder()
{
    const QString overridden = qEnvironmentVariable("RADIOPROG_BACKUP_DIR");
    if (!overridden.isEmpty()) {
        return overridden;
    }
    // The desktop program's own data folder, also when radioprog-cli asks.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/radioprog/backups");
}

QString BackupKindName(BackupKind kind)
{
    switch (kind) {
    case BackupKind::Read: return QStringLiteral("read");
    case BackupKind::Write: return QStringLiteral("write");
    case BackupKind::BeforeWrite: return QStringLiteral("before-write");
    }
    return QStringLiteral("read");
}

QString BackupFileName(const QDateTime& time, BackupKind kind, const RadioData& data, int sequence)
{
    QString name = QStringLiteral("%1_%2_%3-%4MHz_%5ch")
                       .arg(time.toString(kTimeFormat), BackupKindName(kind))
                       .arg(data.bandLower)
                       .arg(data.bandUpper)
                       .arg(data.ChannelCount());
    if (sequence > 1) {
        name += QStringLiteral("-%1").arg(sequence);
    }
    return name + QStringLiteral(".tw");
}

bool ParseBackupFileName(const QString& name, BackupEntry& entry)
{
    const QRegularExpressionMatch match = NamePattern().match(name);
    if (!match.hasMatch()) {
        return false;
    }
    const QDateTime time = QDateTime::fromString(match.captured(1), kTimeFormat);
    if (!time.isValid()) {
        return false;
    }
    entry.time = time;
    for (BackupKind kind : {BackupKind::Read, BackupKind::Write, BackupKind::BeforeWrite}) {
        if (match.captured(2) == BackupKindName(kind)) {
            entry.kind = kind;
        }
    }
    entry.bandLower = match.captured(3).toInt();
    entry.bandUpper = match.captured(4).toInt();
    entry.channels = match.captured(5).toInt();
    entry.sequence = match.captured(6).isEmpty() ? 1 : match.captured(6).toInt();
    return true;
}

std::vector<BackupEntry> ListBackups(const QString& folder)
{
    std::vector<BackupEntry> entries;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.tw")}, QDir::Files)) {
        BackupEntry entry;
        if (ParseBackupFileName(name, entry)) {
            entry.path = dir.filePath(name);
            entries.push_back(entry);
        }
    }
    std::sort(entries.begin(), entries.end(), Newer);
    return entries;
}

int PruneBackups(const QString& folder, int keep, const QString& spare)
{
    // The newest by the time each file was last written, not by the time in its name:
    // names written while the clock was wrong (or in another time zone) must not
    // outlive the backups written since. Within one modification time (the system
    // stamps files a few milliseconds apart at best) the order of the names decides.
    struct Written {
        QString path;
        QDateTime modified;
    };
    std::vector<Written> backups;
    for (const BackupEntry& entry : ListBackups(folder)) {  // newest name first
        backups.push_back({entry.path, QFileInfo(entry.path).lastModified()});
    }
    std::stable_sort(backups.begin(), backups.end(),
                     [](const Written& a, const Written& b) { return a.modified > b.modified; });
    // The spared backup (the one just written) counts among those kept, whatever its age.
    const auto spared = std::find_if(backups.begin(), backups.end(),
                                     [&spare](const Written& w) { return w.path == spare; });
    if (spared != backups.end()) {
        std::rotate(backups.begin(), spared, spared + 1);
    }
    int removed = 0;
    for (std::size_t i = std::size_t(std::max(keep, 0)); i < backups.size(); ++i) {
        if (backups[i].path != spare) {
            removed += QFile::remove(backups[i].path) ? 1 : 0;
        }
    }
    return removed;
}

BackupResult SaveBackup(const RadioData& data, BackupKind kind, const QString& folder,
                        const QDateTime& time, int keep)
{
    std::lock_guard<std::mutex> lock(SaveMutex());
    BackupResult result;
    const QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("."))) {
        result.path = folder;
        result.error = QStringLiteral("the folder cannot be created");
        return result;
    }
    int sequence = 1;
    do {
        result.path = dir.filePath(BackupFileName(time, kind, data, sequence++));
    } while (QFile::exists(result.path));

    const FileResult saved = SaveDataFile(result.path, data);
    if (!saved.ok()) {
        result.error = QString::fromStdString(saved.detail);
        return result;
    }
    result.ok = true;
    PruneBackups(folder, keep, result.path);
    return result;
}

}  // namespace radio
