// The desktop program's File Save and File Open where the machine works against it:
// a full disk or a file size limit under Save, a FIFO and a file of another kind
// under Open. Whatever fails says so in a box and changes nothing.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <thread>

#include "config/file_saving.h"
#include "config/program_files.h"
#include "shell/frame_actions.h"
#include "shell_fixture.h"
#include "tests/config/short_of_room.h"

using namespace radio;
using namespace radio::test;

namespace {

QByteArray FileBytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ChangeAChannel(CMainFrame* frame)
{
    frame->Document().Change([](RadioData& data) {
        data.Channel(0).SetRxFrequency(0x43012500);
        return QStringLiteral("a channel");
    });
}

// Lets a reader stuck on `fifo` go after five seconds (a writer comes and goes), so
// that opening a FIFO on the interface thread fails the test instead of hanging it.
class FifoWatchdog {
public:
    explicit FifoWatchdog(const QString& fifo)
        : m_thread([this, path = QFile::encodeName(fifo)] {
              for (int i = 0; i < 50 && !m_done; ++i) {
                  std::this_thread::sleep_for(std::chrono::milliseconds(100));
              }
              if (!m_done) {
                  const int writer = ::open(path.constData(), O_WRONLY | O_NONBLOCK);
                  if (writer >= 0) {
                      ::close(writer);
                  }
              }
          })
    {
    }
    ~FifoWatchdog()
    {
        m_done = true;
        m_thread.join();
    }

private:
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

}  // namespace

Q_DECLARE_METATYPE(radio::FrameCommand)

class TestDesktopFiles : public QObject {
    Q_OBJECT
private slots:
    void saveThatRunsOutOfRoomKeepsTheFileAndTheStar_data();
    void saveThatRunsOutOfRoomKeepsTheFileAndTheStar();
    void openRefusesWhatIsNoDataFile_data();
    void openRefusesWhatIsNoDataFile();
    void channelPlansRefuseAFifo_data();
    void channelPlansRefuseAFifo();
    void refusalsSpeakTheInterfaceLanguage_data();
    void refusalsSpeakTheInterfaceLanguage();
};

void TestDesktopFiles::saveThatRunsOutOfRoomKeepsTheFileAndTheStar_data()
{
    QTest::addColumn<Shortage>("shortage");
    QTest::newRow("full disk") << Shortage::FullDisk;
    QTest::newRow("size limit") << Shortage::SizeLimit;
}

void TestDesktopFiles::saveThatRunsOutOfRoomKeepsTheFileAndTheStar()
{
    QFETCH(Shortage, shortage);
    ShortOfRoom room(shortage);
    if (!room.Unavailable().isEmpty()) {
        QSKIP(qPrintable(room.Unavailable()));
    }
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    const QString path = room.Path(QStringLiteral("radio.tw"));
    QVERIFY(SaveDataFile(path, frame->Data()).ok());
    const QByteArray old = FileBytesOf(path);
    room.Fill();
    ChangeAChannel(frame);
    QVERIFY(frame->isWindowModified());

    FileChoices files;
    Boxes boxes;
    files.Then(path);
    room.Run([&] { frame->Actions()->Action(FrameCommand::FileSave)->trigger(); });
    QCOMPARE(boxes.Count(), 1);
    QVERIFY2(boxes.Last().text.startsWith(Fallback(text::FileSaveFailed).arg(path, QString())),
             qPrintable(boxes.Last().text));
    QVERIFY(frame->isWindowModified());
    QVERIFY(frame->Document().IsModified());
    QCOMPARE(FileBytesOf(path), old);
    QCOMPARE(room.Entries(), QStringList{QStringLiteral("radio.tw")});
}

void TestDesktopFiles::openRefusesWhatIsNoDataFile_data()
{
    QTest::addColumn<QByteArray>("content");  // empty: a FIFO
    QTest::addColumn<QString>("reason");
    QTest::newRow("a FIFO") << QByteArray() << "it is a FIFO and not a regular file";
    QByteArray text;
    while (text.size() < 2000) {
        text += "root:x:0:0:root:/root:/bin/bash\n";
    }
    QTest::newRow("a text file") << text
                                 << "is not a data file of this radio: the block of address "
                                    "0x0000 carries the address 0x3A78.";
}

void TestDesktopFiles::openRefusesWhatIsNoDataFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    ChangeAChannel(frame);
    const auto before = frame->Data().ToImage();
    const QString title = frame->windowTitle();
    const QString path = dir.Path(QStringLiteral("notes.tw"));
    if (content.isEmpty()) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    } else {
        dir.Write(QStringLiteral("notes.tw"), content);
    }

    FileChoices files;
    Boxes boxes;
    boxes.Answer(QMessageBox::Discard);  // the unsaved change may go: the open is refused
    files.Then(path);
    {
        FifoWatchdog watchdog(path);
        frame->Actions()->Action(FrameCommand::FileOpen)->trigger();
    }
    QCOMPARE(boxes.Count(), 2);
    QVERIFY2(boxes.Last().text.contains(reason), qPrintable(boxes.Last().text));
    QVERIFY(boxes.Last().text.contains(QStringLiteral("notes.tw")));
    QVERIFY(frame->Data().ToImage() == before);
    QCOMPARE(frame->windowTitle(), title);
    QVERIFY(frame->Document().FileName().isEmpty());
    QVERIFY(frame->isWindowModified());
}

void TestDesktopFiles::channelPlansRefuseAFifo_data()
{
    QTest::addColumn<FrameCommand>("command");
    QTest::addColumn<QString>("message");
    QTest::newRow("Import Channels from a FIFO")
        << FrameCommand::ImportChannels << "plan.csv could not be opened: it is a FIFO";
    QTest::newRow("Export Channels onto a FIFO")
        << FrameCommand::ExportChannels << "plan.csv could not be saved: it is a FIFO";
}

void TestDesktopFiles::channelPlansRefuseAFifo()
{
    QFETCH(FrameCommand, command);
    QFETCH(QString, message);
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    const auto before = frame->Data().ToImage();
    const QString path = dir.Path(QStringLiteral("plan.csv"));
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    FileChoices files;
    Boxes boxes;
    Dialogs dialogs;
    files.Then(path);
    {
        FifoWatchdog watchdog(path);
        frame->Actions()->Action(command)->trigger();
    }
    QCOMPARE(boxes.Count(), 1);
    QVERIFY2(boxes.Last().text.contains(message), qPrintable(boxes.Last().text));
    QVERIFY(dialogs.Seen().empty());
    QVERIFY(frame->Data().ToImage() == before);
    QVERIFY(QFileInfo(path).exists() && !QFileInfo(path).isFile());  // still the FIFO
}

void TestDesktopFiles::refusalsSpeakTheInterfaceLanguage_data()
{
    QTest::addColumn<FrameCommand>("command");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("folder");  // false: a FIFO
    QTest::addColumn<int>("reason");
    QTest::newRow("File Open of a FIFO")
        << FrameCommand::FileOpen << "odd.tw" << false << int(text::IsAFifo);
    QTest::newRow("File Save onto a FIFO")
        << FrameCommand::FileSave << "odd.tw" << false << int(text::IsAFifo);
    QTest::newRow("File Save onto a folder")
        << FrameCommand::FileSave << "odd.tw" << true << int(text::IsAFolder);
    QTest::newRow("Import Channels from a FIFO")
        << FrameCommand::ImportChannels << "odd.csv" << false << int(text::IsAFifo);
    QTest::newRow("Export Channels onto a FIFO")
        << FrameCommand::ExportChannels << "odd.csv" << false << int(text::IsAFifo);
}

void TestDesktopFiles::refusalsSpeakTheInterfaceLanguage()
{
    QFETCH(FrameCommand, command);
    QFETCH(QString, name);
    QFETCH(bool, folder);
    QFETCH(int, reason);
    // The program's own lang.csv, in its Chinese column.
    WorkDir dir;
    dir.Write(QStringLiteral("sys.ini"), CompleteSettings(1, 0, 1));
    dir.Write(QStringLiteral("lang.csv"), FileBytesOf(FindProgramFile(QStringLiteral("lang.csv"))));
    auto app = StartProgram(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    const QString chinese = QString::fromStdString(frame->Data().texts.Text(reason));
    QVERIFY2(chinese != Fallback(reason), "lang.csv beside the tests has no Chinese text");
    const QString path = dir.Path(name);
    if (folder) {
        QVERIFY(QDir().mkdir(path));
    } else {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    }
    FileChoices files;
    Boxes boxes;
    files.Then(path);
    {
        FifoWatchdog watchdog(path);
        frame->Actions()->Action(command)->trigger();
    }
    QCOMPARE(boxes.Count(), 1);
    QVERIFY2(boxes.Last().text.contains(chinese), qPrintable(boxes.Last().text));
    QVERIFY(!boxes.Last().text.contains(QStringLiteral("regular file")));
}

QTEST_MAIN(TestDesktopFiles)
#include "test_desktop_files.moc"
