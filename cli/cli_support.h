// What the commands of radioprog-cli share: messages on standard error, port and
// number arguments, opening a data file, and running one transfer to its end.
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>

#include "cli/cli_host.h"
#include "data/radio_data.h"
#include "link/transfer_worker.h"

namespace radio::cli {

// One line on standard error, "radioprog-cli: message. Try 'radioprog-cli read
// --help'.", naming the command's own help once SetUsageCommand has named the command
// (before that, the list of commands); returns kUsage.
int Usage(const QString& message);
void SetUsageCommand(const QString& name);
// "radioprog-cli: message" on standard error; returns kFailed.
int Fail(const QString& message);
// "radioprog-cli: message" on standard error.
void Say(const QString& message);

QCommandLineOption RetriesOption();
QCommandLineOption ForceOption();
QCommandLineOption VerifyOption();
QCommandLineOption NoBackupOption();
QCommandLineOption BackupFirstOption();
// Whether --backup-first is given; `error` says why it cannot be (with --no-backup).
bool BackupFirstOf(const QCommandLineParser& parser, QString& error);
// Where the transfers of this command keep their backups; empty with --no-backup.
QString BackupFolderOf(const QCommandLineParser& parser);
// The value of --retries (0 when not given); false with `error` set when it is not a
// whole number of 0 or more.
bool RetriesOf(const QCommandLineParser& parser, int& retries, QString& error);

// COM1..COM10 give their number and no device; COM11..COM16 give port number 1 and
// the device they stand for (or their name, which no device has); a device path (one with a slash,
// or a name in the working folder that is no regular file) gives port number 1 and the path, made
// absolute.
bool ParsePort(const QString& text, int& number, QString& device);
QString NotAPortMessage(const QString& text);

// Writes `bytes` to standard output; false when not all of it got there (a full disk,
// a closed pipe).
bool PrintOut(const QByteArray& bytes);

// Opens a data file into `data`; says why on standard error when it cannot and
// returns kUsage then, kOk otherwise.
int LoadOrComplain(const QString& path, RadioData& data);
// Reads a whole file; says why on standard error when it cannot and returns kUsage
// then, kOk otherwise.
int ReadOrComplain(const QString& path, QByteArray& bytes);

// How a transfer runs besides its mode and port.
struct TransferChoices {
    bool verify = false;   // read a write back and compare
    QString backupFolder;  // empty: no backup
    BackupKind readBackupKind = BackupKind::Read;
};

// Runs one transfer on its own thread and waits for it; true when it succeeded.
bool RunTransfer(TransferMode mode, RadioData& record, const QString& device, CliHost& host,
                 const TransferChoices& choices = {});

}  // namespace radio::cli
