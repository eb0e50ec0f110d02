#include "cli/cli_support.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "cli/cli_command.h"
#include "config/backup_store.h"
#include "config/file_messages.h"
#include "config/file_reading.h"
#include "data/data_file.h"
#include "link/port_names.h"

namespace radio::cli {

namespace {
QString g_usageCommand;  // the command being run, once it is known
}

void SetUsageCommand(const QString& name)
{
    g_usageCommand = name;
}

int Usage(const QString& message)
{
    QString line = message;
    if (!line.endsWith(QLatin1Char('.'))) {
        line += QLatin1Char('.');
    }
    const QString help = g_usageCommand.isEmpty()
                             ? QStringLiteral("radioprog-cli --help")
                             : QStringLiteral("radioprog-cli %1 --help").arg(g_usageCommand);
    std::fprintf(stderr, "radioprog-cli: %s Try '%s'.\n", qPrintable(line), qPrintable(help));
    return kUsage;
}

void Say(const QString& message)
{
    std::fprintf(stderr, "radioprog-cli: %s\n", qPrintable(message));
}

int Fail(const QString& message)
{
    Say(message);
    return kFailed;
}

QCommandLineOption RetriesOption()
{
    return QCommandLineOption(QStringLiteral("retries"),
                              QStringLiteral("Repeats a failed transfer up to N times."),
                              QStringLiteral("N"));
}

QCommandLineOption ForceOption()
{
    return QCommandLineOption(QStringLiteral("force"),
                              QStringLiteral("Writes into a radio of another band or model."));
}

QCommandLineOption VerifyOption()
{
    return QCommandLineOption(QStringLiteral("verify"),
                              QStringLiteral("Reads the radio back after the write and compares."));
}

QCommandLineOption NoBackupOption()
{
    return QCommandLineOption(QStringLiteral("no-backup"),
                              QStringLiteral("Keeps no backup of the image read or written."));
}

QCommandLineOption BackupFirstOption()
{
    return QCommandLineOption(
        QStringLiteral("backup-first"),
        QStringLiteral("Backs up what the radio held first; no backup, no write."));
}

bool BackupFirstOf(const QCommandLineParser& parser, QString& error)
{
    const bool first = parser.isSet(QStringLiteral("backup-first"));
    if (first && parser.isSet(QStringLiteral("no-backup"))) {
        error = QStringLiteral("--backup-first keeps a backup: it cannot go with --no-backup");
    }
    return first;
}

QString BackupFolderOf(const QCommandLineParser& parser)
{
    return parser.isSet(QStringLiteral("no-backup")) ? QString() : BackupFolder();
}

bool RetriesOf(const QCommandLineParser& parser, int& retries, QString& error)
{
    retries = 0;
    if (!parser.isSet(QStringLiteral("retries"))) {
        return true;
    }
    bool ok = false;
    retries = parser.value(QStringLiteral("retries")).toInt(&ok);
    if (!ok || retries < 0) {
        error = QStringLiteral("--retries needs a number of 0 or more");
        return false;
    }
    return true;
}

bool ParsePort(const QString& text, int& number, QString& device)
{
    number = PortNumberOf(text, kCliPortCount);
    if (number > kPortCount) {
        // Beyond the ten ports a transfer knows by number: its device is given instead.
        const QString resolved = ResolvePortDevice(number);
        device = resolved.isEmpty() ? text : resolved;
        number = 1;
        return true;
    }
    if (number > 0) {
        device.clear();
        return true;
    }
    // A path: one with a slash, or a name here that is no regular file (such as the
    // link radiosim makes; a data file given where the port belongs is none). The
    // serial library would look for a bare name in /dev, so a relative path goes on
    // from the working folder.
    const QFileInfo here(text);
    if (text.contains(QLatin1Char('/')) || (!text.isEmpty() && here.exists() && !here.isFile())) {
        number = 1;
        if (QDir::isAbsolutePath(text)) {
            device = text;
        } else {
            device =
                QDir::current().filePath(text.startsWith(QLatin1String("./")) ? text.mid(2) : text);
        }
        return true;
    }
    return false;
}

QString NotAPortMessage(const QString& text)
{
    const QString why = QFileInfo::exists(text) ? QStringLiteral("it is a file and not a device")
                                                : QStringLiteral("nothing here is named so");
    return QStringLiteral("%1 is not a port (%2): give COM1..COM16 or the path of a device")
        .arg(text, why);
}

bool PrintOut(const QByteArray& bytes)
{
    return std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout) ==
               std::size_t(bytes.size()) &&
           std::fflush(stdout) == 0;
}

int LoadOrComplain(const QString& path, RadioData& data)
{
    const FileResult result = LoadDataFile(path, data);
    if (result.ok()) {
        return kOk;
    }
    Say(OpenFailureText(LanguageTable(), path, result));
    return kUsage;
}

int ReadOrComplain(const QString& path, QByteArray& bytes)
{
    if (const FileResult result = ReadWholeFile(path, bytes); !result.ok()) {
        Say(OpenFailureText(LanguageTable(), path, result));
        return kUsage;
    }
    return kOk;
}

bool RunTransfer(TransferMode mode, RadioData& record, const QString& device, CliHost& host,
                 const TransferChoices& choices)
{
    CTransferWorker worker;
    worker.Init(&host, record);
    worker.SetDeviceOverride(device);
    worker.SetVerify(choices.verify);
    worker.SetBackupFolder(choices.backupFolder);
    worker.SetReadBackupKind(choices.readBackupKind);
    if (!worker.SetMode(mode)) {
        return false;
    }
    CTestThread thread(&worker);
    thread.start();
    thread.wait();
    return host.Succeeded();
}

}  // namespace radio::cli
