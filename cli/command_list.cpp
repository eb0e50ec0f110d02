#include "cli/cli_command.h"

namespace radio::cli {

const std::vector<CliCommand>& AllCommands()
{
    // One command a line, in the order of the usage text.
    // clang-format off
    static const std::vector<CliCommand> commands = {
        PortsCommand(),
        ReadCommand(),
        WriteCommand(),
        ShowCommand(),
        ExportCommand(),
        ImportCommand(),
        CloneCommand(),
        BackupsCommand(),
    };
    // clang-format on
    return commands;
}

QString UsageText()
{
    QString text = QStringLiteral("Usage:\n");
    for (const CliCommand& command : AllCommands()) {
        QString line = QStringLiteral("  radioprog-cli ") + command.name;
        if (!command.arguments.isEmpty()) {
            line += QLatin1Char(' ') + command.arguments;
        }
        for (const QCommandLineOption& option : command.options) {
            line += QStringLiteral(" [--") + option.names().constFirst();
            if (!option.valueName().isEmpty()) {
                line += QLatin1Char(' ') + option.valueName();
            }
            line += QLatin1Char(']');
        }
        text += line + QLatin1Char('\n');
        for (const QString& summaryLine : command.summary.split(QLatin1Char('\n'))) {
            text += QStringLiteral("      ") + summaryLine + QLatin1Char('\n');
        }
    }
    text += QStringLiteral(
        "\n"
        "PORT is COM1..COM10 (set RADIOPROG_COM<n> to choose the device COMn stands for)\n"
        "or a device path such as /dev/ttyUSB0. --retries N repeats a failed transfer up\n"
        "to N times (default 0).\n"
        "Exit codes: 0 success, 1 the transfer or the import failed, 2 usage errors and\n"
        "unreadable files. radioprog-cli --version prints the version.\n");
    return text;
}

}  // namespace radio::cli
