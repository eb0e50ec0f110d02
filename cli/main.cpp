// radioprog-cli: the radio link and data files without windows. The commands and
// their options are listed in command_list.cpp; `radioprog-cli --help` shows them and
// `radioprog-cli COMMAND --help` what one command takes.
#include <QCoreApplication>
#include <cstdio>

#include "cli/cli_command.h"
#include "cli/cli_support.h"
#include "config/program_version.h"

using namespace radio::cli;

namespace {

const CliCommand* FindCommand(const QString& name)
{
    for (const CliCommand& command : AllCommands()) {
        if (command.name == name) {
            return &command;
        }
    }
    return nullptr;
}

bool IsHelp(const QString& argument)
{
    return argument == QLatin1String("--help") || argument == QLatin1String("-h");
}

bool IsVersion(const QString& argument)
{
    return argument == QLatin1String("--version");
}

// How many arguments were given, in words: "1 argument given".
QString GivenText(int count)
{
    if (count == 0) {
        return QStringLiteral("none given");
    }
    return QStringLiteral("%1 %2 given")
        .arg(count)
        .arg(count == 1 ? QStringLiteral("argument") : QStringLiteral("arguments"));
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();

    // The command is the first argument that is not an option. --help and --version are
    // answered wherever they stand before a lone "--", which ends the options.
    QString name;
    bool help = false;
    bool version = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--")) {
            if (name.isEmpty() && i + 1 < arguments.size()) {
                name = arguments.at(i + 1);
            }
            break;
        }
        if (IsHelp(argument)) {
            help = true;
        } else if (IsVersion(argument)) {
            version = true;
        } else if (name.isEmpty() && !argument.startsWith(QLatin1Char('-'))) {
            name = argument;
        }
    }
    const CliCommand* command = name.isEmpty() ? nullptr : FindCommand(name);
    if (!name.isEmpty() && !command) {
        return Usage(QStringLiteral("unknown command '%1'").arg(name));
    }
    if (help) {
        std::fputs(qPrintable(command ? CommandHelp(*command) : UsageText()), stdout);
        return kOk;
    }
    if (version) {
        std::puts(qPrintable(radio::VersionLine(QStringLiteral("radioprog-cli"))));
        return kOk;
    }
    if (!command) {
        return Usage(QStringLiteral("no command given"));
    }
    // From here on a usage error points to this command's own help.
    SetUsageCommand(name);

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const QCommandLineOption& option : command->options) {
        parser.addOption(option);
    }
    if (!parser.parse(arguments)) {
        return Usage(parser.errorText());
    }
    QStringList positional = parser.positionalArguments();
    positional.removeFirst();  // the command itself
    const int count = int(positional.size());
    const bool tooFew = count < command->minArguments;
    const bool tooMany = command->maxArguments >= 0 && count > command->maxArguments;
    if (tooFew || tooMany) {
        return Usage(QStringLiteral("%1 takes %2; %3")
                         .arg(name,
                              command->arguments.isEmpty() ? QStringLiteral("no arguments")
                                                           : command->arguments,
                              GivenText(count)));
    }
    return command->run(parser, positional);
}
