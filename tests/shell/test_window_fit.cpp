// On a 1280 x 800 screen, in both languages of the program's own lang.csv: every dialog
// and window lies on the screen and shows each of its controls whole at the size it
// opens with, and the main window's first size gives every view room without scroll
// bars.
#include <QAbstractButton>
#include <QAction>
#include <QMdiArea>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include "config/program_files.h"
#include "shell/bg_client_wnd.h"
#include "shell/changes_dlg.h"
#include "shell/child_frame.h"
#include "shell/help_commands.h"
#include "shell/frame_actions.h"
#include "shell/help_viewer.h"
#include "shell/import_preview_dlg.h"
#include "shell_fixture.h"
#include "widgets/edit_view.h"

using namespace radio;
using namespace radio::test;

namespace {

QString Where(const QRect& r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

QString NameOf(const QWidget* w)
{
    const auto* button = qobject_cast<const QAbstractButton*>(w);
    return QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') +
           (button ? button->text() : w->objectName());
}

// Empty when `window` lies on its screen and every control it shows lies inside it at
// no less than the size the control needs; otherwise what does not fit.
QString Unfit(QWidget* window)
{
    const QRect screen = window->screen()->availableGeometry();
    if (!screen.contains(window->frameGeometry())) {
        return window->objectName() + QStringLiteral(" at ") + Where(window->frameGeometry());
    }
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (child->isWindow() || !child->isVisibleTo(window)) {
            continue;
        }
        const QRect placed(child->mapTo(window, QPoint(0, 0)), child->size());
        const QSize least = child->minimumSizeHint();
        if (!window->rect().contains(placed) ||
            (least.isValid() &&
             (child->width() < least.width() || child->height() < least.height()))) {
            return NameOf(child) + QStringLiteral(" at ") + Where(placed) +
                   QStringLiteral(" needs ") + QString::number(least.width()) + u'x' +
                   QString::number(least.height()) + QStringLiteral(" in ") + Where(window->rect());
        }
    }
    return {};
}

// Shows the dialog the next command opens and notes whether it fits.
void CheckNextDialog(Dialogs& dialogs, QStringList& unfit)
{
    dialogs.Then([&unfit](QDialog& dialog) {
        dialog.show();
        if (!QTest::qWaitForWindowExposed(&dialog)) {
            unfit << dialog.objectName() + QStringLiteral(" not shown");
        } else if (const QString why = Unfit(&dialog); !why.isEmpty()) {
            unfit << why;
        }
        return int(QDialog::Rejected);
    });
}

// Device names as long as real ones get (a cable named by its serial number).
class LongPortNames {
public:
    LongPortNames()
    {
        for (int n = 1; n <= 10; ++n) {
            qputenv(qPrintable(QStringLiteral("RADIOPROG_COM%1").arg(n)),
                    "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if0" +
                        QByteArray::number(n) + "-port0");
        }
    }
    ~LongPortNames()
    {
        for (int n = 1; n <= 10; ++n) {
            qunsetenv(qPrintable(QStringLiteral("RADIOPROG_COM%1").arg(n)));
        }
    }
};

}  // namespace

class TestWindowFit : public QObject {
    Q_OBJECT
private slots:
    void everyWindowFits_data();
    void everyWindowFits();
};

void TestWindowFit::everyWindowFits_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("Chinese") << 0;
    QTest::newRow("English") << 1;
}

void TestWindowFit::everyWindowFits()
{
    QFETCH(int, language);
    QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry().size(), QSize(1280, 800));
    QFile texts(FindProgramFile(QStringLiteral("lang.csv")));
    QVERIFY(texts.open(QIODevice::ReadOnly));
    LongPortNames ports;
    WorkDir dir;
    dir.Write(QStringLiteral("sys.ini"), CompleteSettings(1, language, 1));
    dir.Write(QStringLiteral("lang.csv"), texts.readAll());
    dir.Write(
        QStringLiteral("helptopics1/index.htm"),
        "<html><head><title>Help</title></head><body>" + QByteArray(4000, 'x') + "</body></html>");
    auto app = StartProgram(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    QStringList unfit;
    if (const QString why = Unfit(frame); !why.isEmpty()) {
        unfit << why;
    }

    // Each view, opened by itself at the first start's size, shows whole.
    QMdiArea* area = frame->Background();
    for (ViewKind kind : kAllViewKinds) {
        CChildFrame* child = frame->OpenView(kind);
        QVERIFY(child);
        QApplication::processEvents();
        const QString name = child->View()->ViewTitle();
        if (!area->viewport()->rect().contains(child->geometry())) {
            unfit << name + QStringLiteral(" at ") + Where(child->geometry()) +
                         QStringLiteral(" in ") + Where(area->viewport()->rect());
        }
        if (area->horizontalScrollBar()->isVisible() || area->verticalScrollBar()->isVisible()) {
            unfit << name + QStringLiteral(": the area scrolls");
        }
        const QSize least = child->View()->minimumSizeHint();
        if (child->View()->width() < least.width() || child->View()->height() < least.height()) {
            unfit << name + QStringLiteral(" squashed below ") + QString::number(least.width()) +
                         u'x' + QString::number(least.height());
        }
        child->hide();
    }

    // The dialogs, as their commands open them.
    Dialogs dialogs;
    const FrameCommand commands[] = {FrameCommand::ComPort, FrameCommand::WriteSeveral,
                                     FrameCommand::ModelInfo, FrameCommand::Language,
                                     FrameCommand::About};
    for (FrameCommand command : commands) {
        CheckNextDialog(dialogs, unfit);
        frame->Actions()->Action(command)->trigger();
    }
    QCOMPARE(int(dialogs.Seen().size()), int(std::size(commands)));

    ChannelPlan plan;
    for (int row = 2; row < 40; ++row) {
        plan.refused.push_back(
            {row, {RowProblem::Unreadable, {"Receive Frequency", std::string(60, '9')}}});
    }
    ImportPreviewDlg preview(frame->Data(), plan, dir.Path(QStringLiteral("plan.csv")), frame);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    if (const QString why = Unfit(&preview); !why.isEmpty()) {
        unfit << why;
    }
    preview.hide();

    // Every channel and setting changed at once.
    RadioData other = frame->Data();
    for (auto& block : other.blocks) {
        block.data.fill(0x12);
    }
    ChangesDlg changes(frame->Data(), CompareRecords(frame->Data(), other), QStringLiteral("t"),
                       QString(200, QLatin1Char('h')), ChangesDlg::Purpose::BeforeWrite, frame);
    changes.show();
    QVERIFY(QTest::qWaitForWindowExposed(&changes));
    if (const QString why = Unfit(&changes); !why.isEmpty()) {
        unfit << why;
    }
    changes.hide();

    frame->Actions()->Action(FrameCommand::HelpTopics)->trigger();
    CHelpViewer* help = frame->Help()->HelpViewer();
    QVERIFY(help && QTest::qWaitForWindowExposed(help));
    if (const QString why = Unfit(help); !why.isEmpty()) {
        unfit << why;
    }
    QVERIFY2(unfit.isEmpty(), qPrintable(unfit.join(QStringLiteral("; "))));
}

// A screen of 1280 x 800 on the offscreen platform, before the application starts.
int main(int argc, char** argv)
{
    QTemporaryDir config;
    const QString path = config.filePath(QStringLiteral("screen.json"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": 1280,
                       "height": 800, "logicalDpi": 96, "dpr": 1}]})") < 0) {
        return 1;
    }
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(path));
    QApplication app(argc, argv);
    TestWindowFit test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_window_fit.moc"
