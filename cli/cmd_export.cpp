// radioprog-cli export: the programmed channels of a data file as a CSV channel plan
// in CHIRP's generic format.

#include "cli/cli_command.h"
#include "cli/cli_support.h"
#include "config/file_messages.h"
#include "config/file_saving.h"
#include "data/channel_csv.h"

namespace radio::cli {

namespace {

int Export(const QCommandLineParser&, const QStringList& arguments)
{
    RadioData record;
    record.ResetRecord(true);
    if (const int status = LoadOrComplain(arguments.at(0), record); status != kOk) {
        return status;
    }
    const QByteArray csv = QByteArray::fromStdString(ExportChannelsCsv(record));
    const QString out = arguments.at(1);
    if (out == QLatin1String("-")) {
        return PrintOut(csv) ? kOk : Fail(QStringLiteral("the channels could not be written out"));
    }
    const FileResult saved = WriteFileAtomically(out, csv);
    if (!saved.ok()) {
        return Fail(SaveFailureText(LanguageTable(), out, saved));
    }
    Say(QStringLiteral("exported %1 channels to %2")
            .arg(QString::number(ProgrammedChannelCount(record)), out));
    return kOk;
}

}  // namespace

CliCommand ExportCommand()
{
    CliCommand command;
    command.name = QStringLiteral("export");
    command.brief = QStringLiteral("Writes the channels of a data file as a CSV channel plan.");
    command.arguments = QStringLiteral("FILE OUT.csv");
    command.minArguments = command.maxArguments = 2;
    command.summary = QStringLiteral(
        "Writes the programmed channels of the data file FILE as a CSV channel plan in\n"
        "CHIRP's generic format; OUT.csv - writes to standard output.");
    command.run = Export;
    return command;
}

}  // namespace radio::cli
