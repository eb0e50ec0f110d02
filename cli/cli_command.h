// One command of radioprog-cli: its name, what it takes, its options and what it does.
// Each command lives in a file of its own (cmd_*.cpp); command_list.cpp keeps the list
// that main.cpp dispatches on and that the help texts are made from.
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace radio::cli {

// Exit codes: 0 success, 1 the transfer failed or was refused, 2 usage errors and
// files that cannot be read.
constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

struct CliCommand {
    QString name;
    QString arguments;     // as the usage text shows them: "PORT FILE"
    int minArguments = 0;  // how many positional arguments it takes
    int maxArguments = 0;  // -1: any number from minArguments on
    QString brief;         // what it does in one short line, for the list of commands
    QString summary;       // what it does, one or more lines of the command's own help
    std::vector<QCommandLineOption> options;
    // Runs the command with the parsed command line; positional arguments after the
    // command name come as `arguments`. Returns the exit code.
    std::function<int(const QCommandLineParser& parser, const QStringList& arguments)> run;
};

// Every command, in the order the usage text shows them.
const std::vector<CliCommand>& AllCommands();
// `radioprog-cli --help`: every command on one line with its options, and a brief.
QString UsageText();
// `radioprog-cli COMMAND --help`: what the command does, its arguments and options.
QString CommandHelp(const CliCommand& command);
// The synopsis line: "radioprog-cli read PORT FILE [--retries N] [--no-backup]".
QString Synopsis(const CliCommand& command);

CliCommand PortsCommand();
CliCommand ReadCommand();
CliCommand WriteCommand();
CliCommand ShowCommand();
CliCommand DiffCommand();
CliCommand ExportCommand();
CliCommand ImportCommand();
CliCommand CloneCommand();
CliCommand BackupsCommand();

}  // namespace radio::cli
