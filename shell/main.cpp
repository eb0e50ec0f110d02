// radioprog: the desktop programming software.
#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <cstdio>

#include "shell/main_frame.h"
#include "shell/radio_prog_app.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("radioprog"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/radioprog.png")));

    radio::CRadioProgApp program;
    if (!program.InitInstance()) {
        return 1;
    }
    radio::CMainFrame* frame = program.MainFrame();
    // The window has asked and saved the settings already; end without asking again.
    QObject::connect(
        frame, &radio::CMainFrame::exitConfirmed, &application, [] { QCoreApplication::exit(0); },
        Qt::QueuedConnection);

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
