// radioprog-cli backups: the images kept of every read and write, newest first.
#include <cstdio>

#include "cli/cli_command.h"
#include "cli/cli_support.h"
#include "config/backup_store.h"

namespace radio::cli {

namespace {

int Backups(const QCommandLineParser&, const QStringList&)
{
    const QString folder = BackupFolder();
    const std::vector<BackupEntry> entries = ListBackups(folder);
    if (entries.empty()) {
        Say(QStringLiteral("no backups in %1").arg(folder));
        return kOk;
    }
    for (const BackupEntry& e : entries) {
        std::printf("%s  %s  %-5s  %d-%d MHz  %d channels\n", qPrintable(e.path),
                    qPrintable(e.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))),
                    qPrintable(BackupKindName(e.kind)), e.bandLower, e.bandUpper, e.channels);
    }
    return kOk;
}

}  // namespace

CliCommand BackupsCommand()
{
    CliCommand command;
    command.name = QStringLiteral("backups");
    command.brief = QStringLiteral("Lists the backups kept of every read and write.");
    command.summary = QStringLiteral(
        "Lists the backups kept of every read and write, newest first: path, time, read\n"
        "or write, band and channels. They are data files: show, write and the desktop\n"
        "program open them. The newest 500 are kept, in RADIOPROG_BACKUP_DIR when set,\n"
        "else in ~/.local/share/radioprog/backups.");
    command.run = Backups;
    return command;
}

}  // namespace radio::cli
