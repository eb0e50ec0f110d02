// radioprog-cli show: what a data file holds, for people or (--json) for scripts.

#include "cli/cli_command.h"
#include "cli/cli_support.h"
#include "cli/show_output.h"

namespace radio::cli {

namespace {

int Show(const QCommandLineParser& parser, const QStringList& arguments)
{
    RadioData record;
    record.ResetRecord(true);
    if (const int status = LoadOrComplain(arguments.at(0), record); status != kOk) {
        return status;
    }
    const QByteArray out =
        parser.isSet(QStringLiteral("json")) ? ShowJson(record) : ShowText(record);
    // Standard output may be a file on a full disk: what did not reach it is no success.
    if (!PrintOut(out)) {
        return Fail(QStringLiteral("what %1 holds could not be written out").arg(arguments.at(0)));
    }
    return kOk;
}

}  // namespace

CliCommand ShowCommand()
{
    CliCommand command;
    command.name = QStringLiteral("show");
    command.brief = QStringLiteral("Shows what a data file holds.");
    command.arguments = QStringLiteral("FILE");
    command.minArguments = command.maxArguments = 1;
    command.summary = QStringLiteral(
        "Model, band, port, every field of every channel, and the optional features,\n"
        "key and scan settings of a data file.");
    command.options = {QCommandLineOption(QStringLiteral("json"),
                                          QStringLiteral("One line of JSON for scripts."))};
    command.run = Show;
    return command;
}

}  // namespace radio::cli
