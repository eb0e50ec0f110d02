// radioprog: the desktop programming software.
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

#include "config/program_version.h"
#include "shell/file_commands.h"
#include "shell/main_frame.h"
#include "shell/radio_prog_app.h"
#include "shell/start_command.h"

int main(int argc, char** argv)
{
    // --version and --help are answered without a display.
    QStringList rawArguments;
    for (int i = 0; i < argc; ++i) {
        rawArguments << QString::fromLocal8Bit(argv[i]);
    }
    switch (radio::EarlyAction(rawArguments)) {
    case radio::StartCommand::Action::Version:
        std::puts(qPrintable(radio::VersionLine(QStringLiteral("radioprog"))));
        return 0;
    case radio::StartCommand::Action::Help:
        std::fputs(qPrintable(radio::StartHelpText()), stdout);
        return 0;
    default: break;
    }

    const QString startFolder = QDir::currentPath();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("radioprog"));
    QApplication::setApplicationVersion(radio::ProgramVersion());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/radioprog.png")));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.radioprog.radioprog"));

    // The window system's own options (-platform, ...) are gone from these.
    const radio::StartCommand command =
        radio::ParseStartCommand(QApplication::arguments(), startFolder);
    if (command.action == radio::StartCommand::Action::Error) {
        std::fprintf(stderr, "radioprog: %s\nTry 'radioprog --help'.\n", qPrintable(command.error));
        return 2;
    }
    if (command.userFolder) {
        QString error;
        if (!radio::EnterFolder(radio::UserFolder(), error)) {
            // Started from the menu, nobody reads standard error.
            QMessageBox::critical(nullptr, QStringLiteral("radioprog"), error);
            return 1;
        }
    }

    radio::CRadioProgApp program;
    if (!program.InitInstance()) {
        return 1;
    }
    radio::CMainFrame* frame = program.MainFrame();
    // The window has asked and saved the settings already; end without asking again.
    QObject::connect(
        frame, &radio::CMainFrame::exitConfirmed, &application, [] { QCoreApplication::exit(0); },
        Qt::QueuedConnection);

    // A data file named on the command line (a double click on it) opens as soon as
    // the window is up, as File Open would open it.
    if (!command.file.isEmpty()) {
        QTimer::singleShot(0, frame,
                           [frame, file = command.file] { frame->Files()->OpenNamed(file); });
    }

    // The start-up benchmark: report once the channel view is up and painted, then end.
    if (qEnvironmentVariableIsSet("RADIOPROG_BENCH_READY")) {
        QObject::connect(frame, &radio::CMainFrame::startupViewOpened, frame, [frame] {
            frame->repaint();
            std::puts("ready");
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        });
    }
    return application.exec();
}
