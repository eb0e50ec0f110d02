// radioprog-cli: the radio link and data files without windows. The commands and
// their options are listed in command_list.cpp; `radioprog-cli --help` shows them.
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

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();

    // The command is the first argument that is not an option.
    QString name;
    for (int i = 1; i < arguments.size(); ++i) {
        if (IsHelp(arguments.at(i))) {
            std::fputs(qPrintable(UsageText()), stdout);
            return kOk;
        }
        if (IsVersion(arguments.at(i))) {
            std::puts(qPrintable(radio::VersionLine(QStringLiteral("radioprog-cli"))));
            return kOk;
        }
        if (!arguments.at(i).startsWith(QLatin1Char('-'))) {
            name = arguments.at(i);
            break;
        }
    }
    if (name.isEmpty()) {
        return Usage(QStringLiteral("no command given"));
    }
    const CliCommand* command = FindCommand(name);
    if (!command) {
        return Usage(QStringLiteral("unknown command %1").arg(name));
    }

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
        return Usage(QStringLiteral("%1 takes %2")
                         .arg(name, command->arguments.isEmpty() ? QStringLiteral("no arguments")
                                                                 : command->arguments));
    }
    return command->run(parser, positional);
}
