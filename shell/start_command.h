// The desktop program's command line:
//   radioprog [--user-folder] [FILE.tw]
//   radioprog --version | --help
// --user-folder makes the program work in ~/.local/share/radioprog (created when
// missing), so that sys.ini is kept there; the menu entry starts it so, because a
// program started from the menu has the home folder as its working directory. Without
// it the program works in the current folder, as always. FILE is opened at start.
#pragma once

#include <QString>
#include <QStringList>

namespace radio {

struct StartCommand {
    enum class Action { Run, Version, Help, Error };
    Action action = Action::Run;
    bool userFolder = false;
    // The data file to open at start, made absolute against the folder the program
    // was started in; empty when none was given.
    QString file;
    // Why the command line was refused (Action::Error).
    QString error;
};

// Parses the arguments (the first is the program). Relative file names are taken
// against `startFolder`.
StartCommand ParseStartCommand(const QStringList& arguments, const QString& startFolder);
// Whether the raw arguments ask only for --version or --help: these are answered
// before any window system is contacted.
StartCommand::Action EarlyAction(const QStringList& arguments);
QString StartHelpText();

// ~/.local/share/radioprog (below $XDG_DATA_HOME when it is set).
QString UserFolder();
// Makes `folder` the working directory, creating it when missing; false with `error`
// set when that cannot be done (the working directory is then unchanged).
bool EnterFolder(const QString& folder, QString& error);

}  // namespace radio
