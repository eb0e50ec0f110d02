#include "cli/cli_command.h"

#include <algorithm>

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
        DiffCommand(),
        ExportCommand(),
        ImportCommand(),
        CloneCommand(),
        BackupsCommand(),
    };
    // clang-format on
    return commands;
}

namespace {

constexpr const char* kExitCodes =
    "Exit codes: 0 success, 1 the transfer or the import failed, 2 usage errors and\n"
    "unreadable files.\n";

// What each argument word of the synopsis lines stands for.
QString ArgumentHelp(const QString& word)
{
    if (word == QLatin1String("PORT")) {
        return QStringLiteral(
            "COM1..COM16 (RADIOPROG_COM<n> names the device COMn stands for), or the "
            "path of a serial device: /dev/ttyUSB0, ./radiosim-com1, or a name in this "
            "folder that exists");
    }
    if (word == QLatin1String("PORT...")) {
        return QStringLiteral("one or more ports, each as PORT of read and write");
    }
    if (word == QLatin1String("FILE")) {
        return QStringLiteral("a data file (.tw)");
    }
    if (word == QLatin1String("IN.csv")) {
        return QStringLiteral("the CSV channel plan to read");
    }
    if (word == QLatin1String("OUT.csv")) {
        return QStringLiteral("the CSV file to write, or - for standard output");
    }
    return QString();
}

constexpr int kScreenWidth = 80;

// `pieces` after `start` on lines of at most kScreenWidth characters, each further line
// indented by `indent` spaces; a piece longer than a line stands on a line of its own.
QString Fill(QString start, const QStringList& pieces, int indent)
{
    int column = int(start.size());
    // A start that ends in a space (or none) takes the first piece as it is.
    bool first = start.isEmpty() || start.endsWith(QLatin1Char(' '));
    for (const QString& piece : pieces) {
        const int room = kScreenWidth - column - (first ? 0 : 1);
        if (!first && int(piece.size()) > room) {
            start += QLatin1Char('\n') + QString(indent, QLatin1Char(' '));
            column = indent;
        } else if (!first) {
            start += QLatin1Char(' ');
            ++column;
        }
        start += piece;
        column += int(piece.size());
        first = false;
    }
    return start + QLatin1Char('\n');
}

// "  WORD      text", the text filled into the column after the word.
QString Entry(const QString& word, const QString& text, int width)
{
    const QString start = QStringLiteral("  ") + word.leftJustified(width + 2);
    return Fill(start, text.simplified().split(QLatin1Char(' ')), width + 4);
}

// The words and bracketed options of a synopsis line, each kept in one piece.
QStringList SynopsisPieces(const QString& synopsis)
{
    QStringList pieces;
    for (const QString& word : synopsis.split(QLatin1Char(' '))) {
        if (!pieces.isEmpty() && pieces.last().startsWith(QLatin1Char('[')) &&
            !pieces.last().endsWith(QLatin1Char(']'))) {
            pieces.last() += QLatin1Char(' ') + word;
        } else {
            pieces << word;
        }
    }
    return pieces;
}

QString OptionWords(const QCommandLineOption& option)
{
    QString words = QStringLiteral("--") + option.names().constFirst();
    if (!option.valueName().isEmpty()) {
        words += QLatin1Char(' ') + option.valueName();
    }
    return words;
}

}  // namespace

QString Synopsis(const CliCommand& command)
{
    QString line = QStringLiteral("radioprog-cli ") + command.name;
    if (!command.arguments.isEmpty()) {
        line += QLatin1Char(' ') + command.arguments;
    }
    for (const QCommandLineOption& option : command.options) {
        line += QStringLiteral(" [") + OptionWords(option) + QLatin1Char(']');
    }
    return line;
}

QString UsageText()
{
    QString text = QStringLiteral("Usage: radioprog-cli COMMAND [ARGUMENTS] [OPTIONS]\n");
    for (const CliCommand& command : AllCommands()) {
        text += Fill(QStringLiteral("  "), SynopsisPieces(Synopsis(command)), 16);
        text += QStringLiteral("      ") + command.brief + QLatin1Char('\n');
    }
    // The commands to type stay whole on their lines.
    QStringList trailer{QStringLiteral("radioprog-cli COMMAND --help")};
    trailer << QStringLiteral("tells what a command does and takes;").split(QLatin1Char(' '))
            << QStringLiteral("radioprog-cli --version")
            << QStringLiteral("prints the version.").split(QLatin1Char(' '))
            << QString::fromLatin1(kExitCodes).simplified().split(QLatin1Char(' '));
    return text + QLatin1Char('\n') + Fill(QString(), trailer, 0);
}

QString CommandHelp(const CliCommand& command)
{
    QString text =
        Fill(QStringLiteral("Usage:"), SynopsisPieces(Synopsis(command)), 7) + QLatin1Char('\n');
    text += Fill(QString(), command.summary.simplified().split(QLatin1Char(' ')), 0);

    QStringList words = command.arguments.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    int width = 0;
    for (const QString& word : words) {
        width = std::max(width, int(word.size()));
    }
    for (const QCommandLineOption& option : command.options) {
        width = std::max(width, int(OptionWords(option).size()));
    }
    const QString helpWords = QStringLiteral("-h, --help");
    width = std::max(width, int(helpWords.size()));

    if (!words.isEmpty()) {
        text += QStringLiteral("\nArguments:\n");
        for (const QString& word : words) {
            text += Entry(word, ArgumentHelp(word), width);
        }
    }
    text += QStringLiteral("\nOptions:\n");
    for (const QCommandLineOption& option : command.options) {
        text += Entry(OptionWords(option), option.description(), width);
    }
    text += Entry(helpWords, QStringLiteral("Shows this help."), width);
    return text + QLatin1Char('\n') + QLatin1String(kExitCodes);
}

}  // namespace radio::cli
