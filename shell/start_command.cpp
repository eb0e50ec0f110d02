#include "shell/start_command.h"

#include <QCommandLineParser>
#include <QDir>
#include <QStandardPaths>
#include <QUrl>

namespace radio {

namespace {

const char* const kUserFolderOption = "user-folder";

QCommandLineOption UserFolderOption()
{
    return QCommandLineOption(
        QString::fromLatin1(kUserFolderOption),
        QStringLiteral("Work in ~/.local/share/radioprog (created when missing), where sys.ini "
                       "is then kept. The menu entry starts the program so; without it the "
                       "program works in the current folder."));
}

}  // namespace

StartCommand ParseStartCommand(const QStringList& arguments, const QString& startFolder)
{
    StartCommand command;
    QCommandLineParser parser;
    parser.addOption(UserFolderOption());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Print the version and end."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Print this help and end."));
    parser.addOption(version);
    parser.addOption(help);
    if (!parser.parse(arguments)) {
        command.action = StartCommand::Action::Error;
        command.error = parser.errorText();
        return command;
    }
    if (parser.isSet(help)) {
        command.action = StartCommand::Action::Help;
        return command;
    }
    if (parser.isSet(version)) {
        command.action = StartCommand::Action::Version;
        return command;
    }
    command.userFolder = parser.isSet(QString::fromLatin1(kUserFolderOption));
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        command.action = StartCommand::Action::Error;
        command.error = QStringLiteral("one data file at a time, not %1").arg(files.size());
        return command;
    }
    if (!files.isEmpty()) {
        // The desktop hands over file:// addresses only when it has no local path;
        // anything else is a path.
        QString name = files.first();
        if (name.startsWith(QLatin1String("file://"))) {
            name = QUrl(name).toLocalFile();
        }
        command.file = QDir::cleanPath(QDir(startFolder).absoluteFilePath(name));
    }
    return command;
}

StartCommand::Action EarlyAction(const QStringList& arguments)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (a == QLatin1String("--")) {
            break;
        }
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            return StartCommand::Action::Help;
        }
        if (a == QLatin1String("--version") || a == QLatin1String("-v")) {
            return StartCommand::Action::Version;
        }
    }
    return StartCommand::Action::Run;
}

QString StartHelpText()
{
    return QStringLiteral(
        "Usage: radioprog [--user-folder] [FILE.tw]\n"
        "Programming software for Q71/Q72 handheld radios.\n"
        "\n"
        "  FILE.tw        open this data file at start\n"
        "  --user-folder  work in ~/.local/share/radioprog (created when missing), where\n"
        "                 sys.ini is then kept; without it the program works in the\n"
        "                 current folder\n"
        "  -v, --version  print the version and end\n"
        "  -h, --help     print this help and end\n"
        "\n"
        "The language texts, pictures and help pages are taken from the working folder,\n"
        "else from beside the program, else from ../share/radioprog.\n");
}

QString UserFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("radioprog"));
}

bool EnterFolder(const QString& folder, QString& error)
{
    if (!QDir().mkpath(folder)) {
        error = QStringLiteral("%1 could not be created").arg(folder);
        return false;
    }
    if (!QDir::setCurrent(folder)) {
        error = QStringLiteral("%1 could not be entered").arg(folder);
        return false;
    }
    return true;
}

}  // namespace radio
