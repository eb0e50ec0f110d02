// Opening data files the desktop way: the command line (a file, --user-folder,
// --version), a file dropped on the window, File > Recent files. Each opens through
// File Open, so what File Open says and asks holds for them too.
#include <QAction>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QUrl>
#include <QtTest>

#include "config/file_saving.h"
#include "data/data_file.h"
#include "shell/file_commands.h"
#include "shell/frame_actions.h"
#include "shell/recent_files.h"
#include "shell/start_command.h"
#include "shell_fixture.h"

using namespace radio;
using namespace radio::test;

namespace {

// A data set whose first channel tells it from the others.
QString SaveSample(const WorkDir& dir, const QString& name, std::uint32_t rx)
{
    RadioData record;
    record.Channel(0).SetRxFrequency(rx);
    const QString path = dir.Path(name);
    if (!SaveDataFile(path, record).ok()) {
        return QString();
    }
    return path;
}

QMimeData* Carrying(const QList<QUrl>& urls)
{
    auto* mime = new QMimeData;
    mime->setUrls(urls);
    return mime;
}

// Sends a drag over the window and, when it was taken, the drop; true when taken.
bool Drop(CMainFrame* frame, const QList<QUrl>& urls)
{
    std::unique_ptr<QMimeData> mime(Carrying(urls));
    const QPoint at(frame->width() / 2, frame->height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame, &enter);
    if (!enter.isAccepted()) {
        return false;
    }
    QDropEvent drop(QPointF(at), Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame, &drop);
    return drop.isAccepted();
}

// The entries of File > Recent files as the menu shows them.
QStringList MenuEntries(CMainFrame* frame)
{
    QMenu* file = frame->Actions()->Menu(0);
    emit file->aboutToShow();
    QStringList entries;
    for (QAction* action : frame->Recent()->Menu()->actions()) {
        entries << action->text();
    }
    return entries;
}

QString Radioprog()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/radioprog");
}

}  // namespace

class TestDesktopOpen : public QObject {
    Q_OBJECT
private slots:
    void commandLine_data();
    void commandLine();
    void enteringTheUserFolder();
    void droppedFileOpens();
    void droppedFileGoesThroughFileOpen();
    void dragsThatAreNotOneDataFile_data();
    void dragsThatAreNotOneDataFile();
    void recentFilesNewestFirst();
    void recentFileOpensAndAGoneOneIsRemoved();
    void recentFilesMenu();
    void versionWithoutADisplay();
    void fileOnTheCommandLineOpensAtStart();
    void userFolderKeepsSysIni();
};

void TestDesktopOpen::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("action");
    QTest::addColumn<bool>("userFolder");
    QTest::addColumn<QString>("file");
    using A = StartCommand::Action;
    QTest::newRow("nothing") << QStringList{} << int(A::Run) << false << "";
    QTest::newRow("a file, relative")
        << QStringList{"radios/a.tw"} << int(A::Run) << false << "/start/radios/a.tw";
    QTest::newRow("a file, absolute")
        << QStringList{"/data/b.tw"} << int(A::Run) << false << "/data/b.tw";
    QTest::newRow("a file address")
        << QStringList{"file:///data/c%20d.tw"} << int(A::Run) << false << "/data/c d.tw";
    QTest::newRow("as the menu starts it")
        << QStringList{"--user-folder", "/data/b.tw"} << int(A::Run) << true << "/data/b.tw";
    QTest::newRow("version") << QStringList{"--version"} << int(A::Version) << false << "";
    QTest::newRow("help") << QStringList{"-h"} << int(A::Help) << false << "";
    QTest::newRow("two files") << QStringList{"a.tw", "b.tw"} << int(A::Error) << false << "";
    QTest::newRow("unknown option") << QStringList{"--fast"} << int(A::Error) << false << "";
}

void TestDesktopOpen::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, action);
    QFETCH(bool, userFolder);
    QFETCH(QString, file);
    const StartCommand command =
        ParseStartCommand(QStringList{"radioprog"} + arguments, QStringLiteral("/start"));
    QCOMPARE(int(command.action), action);
    QCOMPARE(command.userFolder, userFolder);
    QCOMPARE(command.file, file);
    QCOMPARE(command.error.isEmpty(), action != int(StartCommand::Action::Error));
    // What is answered before the window system is asked.
    const auto early = EarlyAction(QStringList{"radioprog"} + arguments);
    QCOMPARE(int(early), action == int(StartCommand::Action::Version) ||
                                 action == int(StartCommand::Action::Help)
                             ? action
                             : int(StartCommand::Action::Run));
}

void TestDesktopOpen::enteringTheUserFolder()
{
    WorkDir dir;
    const QString folder = dir.Path("data/home/.local/share/radioprog");
    QString error;
    QVERIFY(EnterFolder(folder, error));
    QCOMPARE(QDir::currentPath(), QFileInfo(folder).canonicalFilePath());
    QVERIFY(EnterFolder(folder, error));  // a second start finds it there

    // A folder that cannot be made leaves the working directory as it was.
    dir.Write("blocked", "a file, not a folder");
    const QString before = QDir::currentPath();
    QVERIFY(!EnterFolder(dir.Path("blocked/radioprog"), error));
    QVERIFY(error.contains("blocked/radioprog"));
    QCOMPARE(QDir::currentPath(), before);
    QDir::setCurrent(dir.Path(""));
}

void TestDesktopOpen::droppedFileOpens()
{
    WorkDir dir;
    const QString path = SaveSample(dir, "dropped.TW", 0x43012500);
    QVERIFY(!path.isEmpty());
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    Boxes boxes;
    QVERIFY(Drop(frame, {QUrl::fromLocalFile(path)}));
    // Opened once the drop has ended.
    QTRY_COMPARE(frame->Data().Channel(0).RxFrequency(), 0x43012500u);
    QCOMPARE(boxes.Count(), 0);
    QVERIFY(frame->ChildFrame(ViewKind::Channels));  // the views reloaded
    QCOMPARE(frame->Recent()->Files(), QStringList{path});
}

void TestDesktopOpen::droppedFileGoesThroughFileOpen()
{
    // A file too short to be a data file: the drop says what File Open says.
    WorkDir dir;
    dir.Write("short.tw", QByteArray(100, '\0'));
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    const auto before = frame->Data().ToImage();
    Boxes boxes;
    QVERIFY(Drop(frame, {QUrl::fromLocalFile(dir.Path("short.tw"))}));
    QTRY_COMPARE(boxes.Count(), 1);
    QCOMPARE(
        boxes.Last().text,
        Fallback(text::FileTooShort).arg(QDir::toNativeSeparators(dir.Path("short.tw"))).arg(100));
    QVERIFY(frame->Data().ToImage() == before);
    QVERIFY(frame->Recent()->Files().isEmpty());  // not opened, so not recent

    // And File Open of the same file says the same.
    FileChoices choices;
    choices.Then(dir.Path("short.tw"));
    frame->Actions()->Action(FrameCommand::FileOpen)->trigger();
    QCOMPARE(boxes.Count(), 2);
    QCOMPARE(boxes.Last().text, boxes.Seen().front().text);
}

void TestDesktopOpen::dragsThatAreNotOneDataFile_data()
{
    QTest::addColumn<QStringList>("urls");
    QTest::newRow("a text file") << QStringList{"file:///tmp/notes.txt"};
    QTest::newRow("two data files") << QStringList{"file:///tmp/a.tw", "file:///tmp/b.tw"};
    QTest::newRow("a web address") << QStringList{"https://example.org/a.tw"};
    QTest::newRow("no file at all") << QStringList{};
}

void TestDesktopOpen::dragsThatAreNotOneDataFile()
{
    QFETCH(QStringList, urls);
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    QList<QUrl> list;
    for (const QString& u : urls) {
        list << QUrl(u);
    }
    const auto before = frame->Data().ToImage();
    Boxes boxes;
    QVERIFY(!Drop(frame, list));
    QTest::qWait(0);
    QCOMPARE(boxes.Count(), 0);
    QVERIFY(frame->Data().ToImage() == before);
}

void TestDesktopOpen::recentFilesNewestFirst()
{
    QCOMPARE(WithRecentFile({"/a", "/b", "/c"}, "/b", 8), QStringList({"/b", "/a", "/c"}));
    QCOMPARE(WithRecentFile({"/a", "/b", "/c"}, "/d", 3), QStringList({"/d", "/a", "/b"}));
    QCOMPARE(WithRecentFile({}, "/a", 8), QStringList({"/a"}));

    // Saves and opens through the window: the last eight, newest first, each once.
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    FileChoices choices;
    for (int i = 1; i <= 9; ++i) {
        choices.Then(dir.Path(QStringLiteral("set%1").arg(i)));  // .tw is added
        frame->Actions()->Action(FrameCommand::FileSaveAs)->trigger();
    }
    choices.Then(dir.Path("set4.tw"));
    frame->Actions()->Action(FrameCommand::FileOpen)->trigger();
    QStringList expected{dir.Path("set4.tw")};
    for (int i = 9; i >= 2; --i) {
        if (i != 4) {
            expected << dir.Path(QStringLiteral("set%1.tw").arg(i));
        }
    }
    QCOMPARE(frame->Recent()->Files(), expected);
    QCOMPARE(RecentFiles::kLimit, 8);

    // Kept per user, never in sys.ini.
    QVERIFY(QFileInfo::exists(dir.Path("settings/radioprog/radioprog.conf")));
    QVERIFY(!dir.Read("sys.ini").contains("set4"));
}

void TestDesktopOpen::recentFileOpensAndAGoneOneIsRemoved()
{
    WorkDir dir;
    const QString kept = SaveSample(dir, "kept.tw", 0x43012500);
    const QString gone = SaveSample(dir, "gone.tw", 0x44012500);
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    frame->Recent()->Add(kept);
    frame->Recent()->Add(gone);
    QVERIFY(QFile::remove(gone));

    Boxes boxes;
    QStringList entries = MenuEntries(frame);
    QCOMPARE(entries, QStringList({"&1 " + gone, "&2 " + kept}));
    frame->Recent()->Menu()->actions().at(0)->trigger();
    QCOMPARE(boxes.Count(), 1);
    QCOMPARE(boxes.Last().text, Fallback(text::RecentFileGone).arg(gone));
    QCOMPARE(frame->Recent()->Files(), QStringList{kept});
    QCOMPARE(MenuEntries(frame), QStringList{"&1 " + kept});

    frame->Recent()->Menu()->actions().at(0)->trigger();
    QCOMPARE(frame->Data().Channel(0).RxFrequency(), 0x43012500u);
    QCOMPARE(boxes.Count(), 1);
}

void TestDesktopOpen::recentFilesMenu()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    QMenu* recent = frame->Recent()->Menu();
    // In the File menu, before Exit; titled by the language table.
    const QList<QAction*> file = frame->Actions()->Menu(0)->actions();
    const int at = int(file.indexOf(recent->menuAction()));
    QVERIFY(at > file.indexOf(frame->Actions()->Action(FrameCommand::FilePrintPreview)));
    QVERIFY(at < file.indexOf(frame->Actions()->Action(FrameCommand::AppExit)));
    QCOMPARE(recent->title(), Fallback(text::RecentFiles));
    QVERIFY(!recent->isEnabled());  // nothing yet

    // A name with an ampersand shows it, not an access key.
    frame->Recent()->Add(dir.Path("R&D.tw"));
    QCOMPARE(MenuEntries(frame), QStringList{"&1 " + dir.Path("R&&D.tw")});
    QVERIFY(recent->isEnabled());
    // Another window of the program adds a file: the menu shows it when opened.
    RecentFiles other(frame->Document(), *frame, *frame->Files(), new QMenu(frame), nullptr, frame);
    other.Add(dir.Path("other.tw"));
    QCOMPARE(MenuEntries(frame).size(), 2);
}

void TestDesktopOpen::versionWithoutADisplay()
{
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    program.setProcessEnvironment(env);
    program.start(Radioprog(), {"--version"});
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(program.readAllStandardOutput(),
             QByteArray("radioprog " RADIOPROG_EXPECTED_VERSION "\n"));
    program.start(Radioprog(), {"--help"});
    QVERIFY(program.waitForFinished(10000));
    QVERIFY(program.readAllStandardOutput().contains("--user-folder"));
}

void TestDesktopOpen::fileOnTheCommandLineOpensAtStart()
{
    WorkDir dir;
    dir.Write("sys.ini", CompleteSettings(1, 1, 1));
    const QString path = SaveSample(dir, "radio.tw", 0x43012500);
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_CONFIG_HOME", dir.Path("config"));
    env.insert("RADIOPROG_BENCH_READY", "1");  // ends once the window is up
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(dir.Path(""));
    program.start(Radioprog(), {"radio.tw"});  // relative to where it starts
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(program.readAllStandardOutput().contains("ready"));
    // It was opened: File Open put it on the recent files of that user.
    QSettings settings(dir.Path("config/radioprog/radioprog.conf"), QSettings::IniFormat);
    QCOMPARE(settings.value("recentFiles").toStringList(), QStringList{path});
}

void TestDesktopOpen::userFolderKeepsSysIni()
{
    WorkDir dir;
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_DATA_HOME", dir.Path("data"));
    env.insert("XDG_CONFIG_HOME", dir.Path("config"));
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(dir.Path(""));
    program.start(Radioprog(), {"--user-folder"});
    QVERIFY(program.waitForStarted());
    // A first start writes sys.ini at once (then asks for the model, and waits).
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(dir.Path("data/radioprog/sys.ini")), 20000);
    program.kill();
    program.waitForFinished();
    QVERIFY(!dir.Exists("sys.ini"));
}

QTEST_MAIN(TestDesktopOpen)
#include "test_desktop_open.moc"
