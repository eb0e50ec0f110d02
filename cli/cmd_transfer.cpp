// radioprog-cli read and write: one transfer between a radio and a data file.
#include "cli/cli_command.h"
#include "cli/cli_support.h"
#include "cli/transfer_messages.h"
#include "config/file_messages.h"
#include "config/file_saving.h"
#include "config/odd_file.h"

namespace radio::cli {

namespace {

// The radio of a read or a write: PORT and --retries.
struct Target {
    int number = 0;
    QString device;
    int retries = 0;
};

// Returns kOk, or the exit code of the usage message it printed.
int TargetOf(const QCommandLineParser& parser, const QString& port, Target& target)
{
    if (!ParsePort(port, target.number, target.device)) {
        return Usage(NotAPortMessage(port));
    }
    if (QString error; !RetriesOf(parser, target.retries, error)) {
        return Usage(error);
    }
    return kOk;
}

int Read(const QCommandLineParser& parser, const QStringList& arguments)
{
    Target target;
    if (const int status = TargetOf(parser, arguments.at(0), target); status != kOk) {
        return status;
    }
    const QString file = arguments.at(1);
    // A FIFO, a device or a folder cannot take the data file: said before the radio is
    // read, not after.
    if (const OddFile odd = OddFileAt(file); odd != OddFile::None) {
        return Fail(
            SaveFailureText(LanguageTable(), file, OddFileFailure(FileStatus::WriteFailed, odd)));
    }
    RadioData record;
    record.ResetRecord(true);
    record.port = target.number;
    CliHost host(record, target.retries, false, stderr);
    TransferChoices choices;
    choices.backupFolder = BackupFolderOf(parser);
    if (!RunTransfer(TransferMode::Read, record, target.device, host, choices)) {
        return Fail(host.Failure());
    }
    const FileResult saved = SaveDataFile(file, record);
    if (!saved.ok()) {
        return Fail(SaveFailureText(LanguageTable(), file, saved));
    }
    Say(QStringLiteral("read %1 into %2")
            .arg(BandAndModelText(record.bandLower, record.bandUpper, record.model), file));
    return kOk;
}

int Write(const QCommandLineParser& parser, const QStringList& arguments)
{
    Target target;
    if (const int status = TargetOf(parser, arguments.at(0), target); status != kOk) {
        return status;
    }
    RadioData record;
    record.ResetRecord(true);
    if (const int status = LoadOrComplain(arguments.at(1), record); status != kOk) {
        return status;
    }
    QString backupError;
    const bool backupFirst = BackupFirstOf(parser, backupError);
    if (!backupError.isEmpty()) {
        return Usage(backupError);
    }
    record.port = target.number;
    record.UpdateChannelMasks();
    TransferChoices choices;
    choices.backupFolder = BackupFolderOf(parser);
    // What the radio holds is kept before anything is sent; without that copy nothing
    // is written.
    QString heldNote;
    if (backupFirst) {
        RadioData held = record;
        CliHost reader(held, target.retries, false, stderr);
        reader.BackupIsRequired();
        TransferChoices first = choices;
        first.readBackupKind = BackupKind::BeforeWrite;
        if (!RunTransfer(TransferMode::Read, held, target.device, reader, first)) {
            return Fail(QStringLiteral("nothing was written: ") + reader.Failure());
        }
        if (!reader.LastBackup().ok) {
            return Fail(QStringLiteral("nothing was written: what the radio held could not be "
                                       "kept (%1: %2)")
                            .arg(reader.LastBackup().path, reader.LastBackup().error));
        }
        heldNote = QStringLiteral(", what it held kept in ") + reader.LastBackup().path;
    }
    CliHost host(record, target.retries, parser.isSet(QStringLiteral("force")), stderr);
    choices.verify = parser.isSet(QStringLiteral("verify"));
    if (!RunTransfer(TransferMode::Write, record, target.device, host, choices)) {
        return Fail(host.Failure());
    }
    Say(QStringLiteral("wrote %1 from %2%3%4")
            .arg(BandAndModelText(record.bandLower, record.bandUpper, record.model),
                 arguments.at(1), choices.verify ? QStringLiteral(", verified") : QString(),
                 heldNote));
    return kOk;
}

}  // namespace

CliCommand ReadCommand()
{
    CliCommand command;
    command.name = QStringLiteral("read");
    command.brief = QStringLiteral("Reads the radio into a data file.");
    command.arguments = QStringLiteral("PORT FILE");
    command.minArguments = command.maxArguments = 2;
    command.summary = QStringLiteral(
        "Reads the radio and saves its data as FILE. A failed read leaves FILE as it was.\n"
        "A backup of what was read is kept (see backups) unless --no-backup is given.");
    command.options = {RetriesOption(), NoBackupOption()};
    command.run = Read;
    return command;
}

CliCommand WriteCommand()
{
    CliCommand command;
    command.name = QStringLiteral("write");
    command.brief = QStringLiteral("Writes a data file into the radio.");
    command.arguments = QStringLiteral("PORT FILE");
    command.minArguments = command.maxArguments = 2;
    command.summary = QStringLiteral(
        "Writes the data file FILE into the radio. A radio of another band or model\n"
        "is refused unless --force is given. --verify reads the radio back and\n"
        "compares. A backup of what was written is kept unless --no-backup is given.");
    command.options = {ForceOption(), RetriesOption(), VerifyOption(), NoBackupOption(),
                       BackupFirstOption()};
    command.run = Write;
    return command;
}

}  // namespace radio::cli
