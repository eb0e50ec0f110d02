#include "cli/cli_support.h"

#include <QFile>
#include <cstdio>

#include "cli/cli_command.h"
#include "config/backup_store.h"
#include "config/file_messages.h"
#include "config/file_reading.h"
#include "data/data_file.h"
#include "link/port_names.h"

namespace radio::cli {

int Usage(const QString& message)
{
    std::fprintf(stderr, "radioprog-cli: %s\n\n%s", qPrintable(message), qPrintable(UsageText()));
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
    number = PortNumberOf(text);
    if (number > 0) {
        device.clear();
        return true;
    }
    if (text.contains(QLatin1Char('/'))) {
        number = 1;
        device = text;
        return true;
    }
    return false;
}

QString NotAPortMessage(const QString& text)
{
    return QStringLiteral("%1 is not a port: give COM1..COM10 or a device path").arg(text);
}

int LoadOrComplain(const QString& path, RadioData& data)
{
    const FileResult result = LoadDataFile(QFile::encodeName(path).toStdString(), data);
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
    worker.Init(&host, &record);
    worker.SetDeviceOverride(device);
    worker.SetVerify(choices.verify);
    worker.SetBackupFolder(choices.backupFolder);
    if (!worker.SetMode(mode)) {
        return false;
    }
    CTestThread thread(&worker);
    thread.start();
    thread.wait();
    return host.Succeeded();
}

}  // namespace radio::cli
