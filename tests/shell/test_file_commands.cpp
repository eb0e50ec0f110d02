#include <QAction>
#include <QtTest>

#include "channels/chn_msg_form_view.h"
#include "config/file_reading.h"
#include "config/file_saving.h"
#include "shell/child_frame.h"
#include "shell/file_commands.h"
#include "shell/frame_actions.h"
#include "shell/prog_status_bar.h"
#include "shell_fixture.h"

using namespace radio;
using namespace radio::test;

namespace {

// Marks the record so that a reset or a load shows.
void Scribble(RadioData& data, std::uint8_t seed)
{
    data.port = 5;
    for (int b = 0; b < kBlockCount; ++b) {
        data.blocks[std::size_t(b)].data.fill(std::uint8_t(seed + b));
    }
    data.Channel(0).SetRxFrequency(0x43012500);
}

}  // namespace

class TestFileCommands : public QObject {
    Q_OBJECT
private slots:
    void newCancelledChangesNothing();
    void newConfirmedResetsBlocksAndPort();
    void newByShortcutKey();
    void saveAppendsTheExtension_data();
    void saveAppendsTheExtension();
    void saveThenOpenRestoresTheRecord();
    void saveCollectsEditsFirst();
    void cancelledDialogsDoNothing();
    void workingDirectoryIsRestored();
    void shortFileIsRefusedWithTheRecordUnchanged();
    void unreadableFileIsReported();
    void failedSaveIsReported();
    void replacingTheExtendedNameIsAsked();
    void openingA16ChannelSetOver32Channels();
    void saveWritesToTheFileTheDataCameFrom();
    void openingKeepsThePortInUse();
};

void TestFileCommands::newCancelledChangesNothing()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    Scribble(SetUpRecord(frame), 3);
    const auto before = frame->Data().ToImage();
    Boxes boxes;
    boxes.Answer(QMessageBox::Cancel);
    frame->Actions()->Action(FrameCommand::FileNew)->trigger();
    QCOMPARE(boxes.Count(), 1);
    QCOMPARE(boxes.Last().text, En(text::RestoreDefaultsQuestion));
    QCOMPARE(boxes.Last().caption, En(text::WarningCaption));
    QCOMPARE(boxes.Last().icon, QMessageBox::Warning);
    QCOMPARE(boxes.Last().buttons, QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(boxes.Last().defaultButton, QMessageBox::Cancel);
    QVERIFY(frame->Data().ToImage() == before);
    QVERIFY(!frame->ChildFrame(ViewKind::Channels));  // no reload
}

void TestFileCommands::newConfirmedResetsBlocksAndPort()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    RadioData& data = SetUpRecord(frame);
    Scribble(data, 3);
    data.model = 0;
    data.bandLower = 136;
    data.bandUpper = 174;
    data.radioBandLower = 136;
    Boxes boxes;
    boxes.Answer(QMessageBox::Ok);
    frame->Actions()->Action(FrameCommand::FileNew)->trigger();
    RadioData expected;
    expected.ResetRecord(true);
    QCOMPARE(data.port, 1);
    for (int b = 0; b < kBlockCount; ++b) {
        QVERIFY(data.blocks[std::size_t(b)] == expected.blocks[std::size_t(b)]);
    }
    for (int i = 0; i < 32; ++i) {
        QVERIFY(data.Channel(i).IsErased());
    }
    // Band, model and the radio's report stay.
    QCOMPARE(data.model, 0);
    QCOMPARE(data.bandLower, 136);
    QCOMPARE(data.radioBandLower, 136);
    // The views are reloaded and the channel view shown.
    QVERIFY(frame->ChildFrame(ViewKind::Channels));
    QVERIFY(frame->ChildFrame(ViewKind::Channels)->isVisible());
}

void TestFileCommands::newByShortcutKey()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    QVERIFY(QTest::qWaitForWindowActive(frame));
    Boxes boxes;
    QTest::keyClick(frame, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(boxes.Count(), 1);
    QCOMPARE(boxes.Last().text, En(text::RestoreDefaultsQuestion));
    FileChoices files;
    QTest::keyClick(frame, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(frame, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(files.Kinds(),
             (std::vector<FileDialogKind>{FileDialogKind::Open, FileDialogKind::Save}));
}

void TestFileCommands::saveAppendsTheExtension_data()
{
    // Names as the dialog gives them, in folders that exist.
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("stored");
    const QList<QPair<QString, QString>> rows = {
        {"radio", "radio.tw"},
        {"radio.tw", "radio.tw"},
        {"RADIO.TW", "RADIO.TW"},
        {"a.tw.bak", "a.tw.bak.tw"},
        {"radio.bin", "radio.bin.tw"},
        {"data.twx/radio", "data.twx/radio.tw"},
        {QStringLiteral(u"Kanäle 频道"), QStringLiteral(u"Kanäle 频道.tw")},
        {QStringLiteral(u"频道/Kanäle.tw"), QStringLiteral(u"频道/Kanäle.tw")},
    };
    for (const auto& [chosen, stored] : rows) {
        QTest::newRow(qPrintable(chosen)) << chosen << stored;
    }
}

void TestFileCommands::saveAppendsTheExtension()
{
    QFETCH(QString, chosen);
    QFETCH(QString, stored);
    WorkDir dir;
    QVERIFY(QDir().mkpath(QFileInfo(dir.Path(chosen)).absolutePath()));
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    RadioData& data = SetUpRecord(frame);
    Scribble(data, 40);
    const auto saved = data.ToImage();
    FileChoices files;
    Boxes boxes;
    files.Then(dir.Path(chosen));
    frame->Actions()->Action(FrameCommand::FileSaveAs)->trigger();
    QCOMPARE(files.Filter(), QStringLiteral("tw Files (*.tw);;All Files (*.*)"));
    QVERIFY(dir.Exists(stored));
    QCOMPARE(dir.Read(stored).size(), qsizetype(1704));
    if (chosen != stored) {
        QVERIFY(!dir.Exists(chosen));
    }
    QCOMPARE(boxes.Count(), 0);  // no message after a successful save

    // What was saved under that name opens again.
    Scribble(data, 90);
    files.Then(dir.Path(stored));
    frame->Actions()->Action(FrameCommand::FileOpen)->trigger();
    QCOMPARE(boxes.Count(), 0);
    const auto opened = frame->Data().ToImage();
    // Everything but the port, which stays the one in use.
    QVERIFY(
        std::equal(saved.begin() + 4, saved.begin() + image::kFileFieldsSize, opened.begin() + 4));
    QCOMPARE(frame->Document().FileName(), dir.Path(stored));
}

void TestFileCommands::saveThenOpenRestoresTheRecord()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    RadioData& data = SetUpRecord(frame);
    Scribble(data, 40);
    data.model = 0;
    data.bandLower = 450;
    data.bandUpper = 520;
    const auto saved = data.ToImage();

    FileChoices files;
    files.Then(dir.Path(QStringLiteral("set")));
    frame->Actions()->Action(FrameCommand::FileSave)->trigger();
    QCOMPARE(dir.Read(QStringLiteral("set.tw")).left(int(image::kFileFieldsSize)),
             QByteArray(reinterpret_cast<const char*>(saved.data()), int(image::kFileFieldsSize)));

    Scribble(data, 90);
    data.model = 1;
    data.bandLower = 136;
    data.radioBandLower = 350;
    data.radioModel = 1;
    files.Then(dir.Path(QStringLiteral("set.tw")));
    frame->Actions()->Action(FrameCommand::FileOpen)->trigger();
    const auto opened = data.ToImage();
    QVERIFY(std::equal(saved.begin(), saved.begin() + image::kFileFieldsSize, opened.begin()));
    QCOMPARE(data.model, 0);
    QCOMPARE(data.bandLower, 450);
    // The radio's report is not part of a file.
    QCOMPARE(data.radioBandLower, 350);
    QCOMPARE(data.radioModel, 1);
    // Reloaded views, the channel view shown, the caption of the file's set.
    QVERIFY(frame->ChildFrame(ViewKind::Channels));
    QCOMPARE(Caption(frame), En(text::Channels32) + QStringLiteral(" Q71/Q72(450-520MHZ)"));
}

void TestFileCommands::saveCollectsEditsFirst()
{
    WorkDir dir;
    RecordingViews views;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    frame->OpenView(ViewKind::Scan);
    frame->OpenView(ViewKind::Channels);
    // Edits in the views' controls that the record does not hold yet.
    Recording(frame, ViewKind::Scan)->m_control = 0x5A;
    Recording(frame, ViewKind::Channels)->m_control = 0xC3;
    views.Log().clear();
    FileChoices files;
    files.Then(dir.Path(QStringLiteral("collected")));
    frame->Actions()->Action(FrameCommand::FileSave)->trigger();
    QCOMPARE(views.Joined(), QStringLiteral("store:channels store:scan"));
    const QByteArray file = dir.Read(QStringLiteral("collected.tw"));
    const int data0120 = int(image::kBlock0120) + 2;
    QCOMPARE(std::uint8_t(file[data0120 + 40]), std::uint8_t(0xC3));
    QCOMPARE(std::uint8_t(file[data0120 + 43]), std::uint8_t(0x5A));

    // Open takes the views' edits in too, so that they count as unsaved changes and
    // are asked about; discarded, the file replaces them and every open view reloads.
    Recording(frame, ViewKind::Scan)->m_control = 0x01;
    views.Log().clear();
    Boxes boxes;
    boxes.Answer(QMessageBox::Discard);
    files.Then(dir.Path(QStringLiteral("collected.tw")));
    frame->Actions()->Action(FrameCommand::FileOpen)->trigger();
    QCOMPARE(boxes.Count(), 1);
    QCOMPARE(boxes.Last().buttons, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    QCOMPARE(views.Joined(), QStringLiteral("store:channels store:scan load:channels load:scan"));
    QCOMPARE(Recording(frame, ViewKind::Scan)->m_control, std::uint8_t(0x5A));
}

void TestFileCommands::cancelledDialogsDoNothing()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    Scribble(SetUpRecord(frame), 7);
    const auto before = frame->Data().ToImage();
    FileChoices files;
    Boxes boxes;
    frame->Actions()->Action(FrameCommand::FileOpen)->trigger();
    frame->Actions()->Action(FrameCommand::FileSave)->trigger();
    QCOMPARE(files.Kinds().size(), std::size_t(2));
    QVERIFY(frame->Data().ToImage() == before);
    QCOMPARE(boxes.Count(), 0);
    QVERIFY(!frame->ChildFrame(ViewKind::Channels));
    QCOMPARE(QDir(dir.Path(QString())).entryList(QDir::Files).filter(QStringLiteral(".tw")).size(),
             0);
}

void TestFileCommands::workingDirectoryIsRestored()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    QDir().mkpath(dir.Path(QStringLiteral("elsewhere")));
    const QString start = QDir::currentPath();
    FileChoices files;
    // The user browses to another folder; some dialogs move the working directory.
    files.WhileOpen([&] { QDir::setCurrent(dir.Path(QStringLiteral("elsewhere"))); });
    files.Then(dir.Path(QStringLiteral("elsewhere/a")));
    app->MainFrame()->Actions()->Action(FrameCommand::FileSave)->trigger();
    QCOMPARE(QDir::currentPath(), start);
    QVERIFY(dir.Exists(QStringLiteral("elsewhere/a.tw")));
    files.Then(dir.Path(QStringLiteral("elsewhere/a.tw")));
    app->MainFrame()->Actions()->Action(FrameCommand::FileOpen)->trigger();
    QCOMPARE(QDir::currentPath(), start);
    // The settings still go to the program's folder.
    QVERIFY(app->SaveSettings());
    QVERIFY(dir.Exists(QStringLiteral("sys.ini")));
    QVERIFY(!dir.Exists(QStringLiteral("elsewhere/sys.ini")));
}

void TestFileCommands::shortFileIsRefusedWithTheRecordUnchanged()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    Scribble(SetUpRecord(frame), 11);
    const auto before = frame->Data().ToImage();
    dir.Write(QStringLiteral("short.tw"), QByteArray(939, '\x55'));
    FileChoices files;
    Boxes boxes;
    files.Then(dir.Path(QStringLiteral("short.tw")));
    frame->Actions()->Action(FrameCommand::FileOpen)->trigger();
    QVERIFY(frame->Data().ToImage() == before);
    QCOMPARE(boxes.Count(), 1);
    QVERIFY(boxes.Last().text.contains(QStringLiteral("short.tw")));
    QVERIFY(boxes.Last().text.contains(QStringLiteral("939")));
    QCOMPARE(boxes.Last().caption, En(text::WarningCaption));
    QVERIFY(!frame->ChildFrame(ViewKind::Channels));  // views not reloaded

    // A 940-byte file is a data file.
    RadioData other;
    Scribble(other, 77);
    const auto image = other.ToImage();
    dir.Write(QStringLiteral("exact.tw"),
              QByteArray(reinterpret_cast<const char*>(image.data()), int(image::kFileFieldsSize)));
    files.Then(dir.Path(QStringLiteral("exact.tw")));
    frame->Actions()->Action(FrameCommand::FileOpen)->trigger();
    QCOMPARE(boxes.Count(), 1);
    QVERIFY(frame->Data().block(Block::B0160) == other.block(Block::B0160));
}

void TestFileCommands::unreadableFileIsReported()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    const auto before = frame->Data().ToImage();
    FileChoices files;
    Boxes boxes;
    files.Then(dir.Path(QStringLiteral("missing.tw")));
    frame->Actions()->Action(FrameCommand::FileOpen)->trigger();
    QCOMPARE(boxes.Count(), 1);
    QVERIFY(boxes.Last().text.contains(QStringLiteral("missing.tw")));
    QVERIFY(frame->Data().ToImage() == before);
    // A folder is no file either.
    QDir().mkpath(dir.Path(QStringLiteral("folder.tw")));
    files.Then(dir.Path(QStringLiteral("folder.tw")));
    frame->Actions()->Action(FrameCommand::FileOpen)->trigger();
    QCOMPARE(boxes.Count(), 2);
    QVERIFY(frame->Data().ToImage() == before);
}

void TestFileCommands::failedSaveIsReported()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    FileChoices files;
    Boxes boxes;
    files.Then(dir.Path(QStringLiteral("no/such/folder/set")));
    frame->Actions()->Action(FrameCommand::FileSave)->trigger();
    QCOMPARE(boxes.Count(), 1);
    QVERIFY(boxes.Last().text.contains(QStringLiteral("set.tw")));
    QCOMPARE(boxes.Last().caption, En(text::WarningCaption));

    // A read-only data file is refused with a message and keeps its bytes and mode.
    dir.Write(QStringLiteral("good.tw"), QByteArray(1704, '\x11'));
    const auto readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    QVERIFY(QFile::setPermissions(dir.Path(QStringLiteral("good.tw")), readOnly));
    files.Then(dir.Path(QStringLiteral("good.tw")));
    frame->Actions()->Action(FrameCommand::FileSave)->trigger();
    QCOMPARE(boxes.Count(), 2);
    QVERIFY(boxes.Last().text.contains(QStringLiteral("good.tw")));
    QCOMPARE(dir.Read(QStringLiteral("good.tw")), QByteArray(1704, '\x11'));
    QVERIFY(!(QFile::permissions(dir.Path(QStringLiteral("good.tw"))) & QFile::WriteOwner));
}

void TestFileCommands::openingA16ChannelSetOver32Channels()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    RadioData sixteen;
    sixteen.model = 1;
    sixteen.Channel(20).SetRxFrequency(0x44000000);  // held in the file, not shown
    QVERIFY(SaveDataFile(dir.Path(QStringLiteral("16.tw")), sixteen).ok());
    SetUpRecord(frame).model = 0;
    FileChoices files;
    files.Then(dir.Path(QStringLiteral("16.tw")));
    frame->Actions()->Action(FrameCommand::FileOpen)->trigger();
    QCOMPARE(frame->Data().model, 1);
    QCOMPARE(frame->Data().ChannelCount(), 16);
    QCOMPARE(frame->Data().Channel(20).RxFrequency(), 0x44000000u);
    QCOMPARE(Caption(frame), En(text::Channels16) + QStringLiteral(" Q71/Q72(400-470MHZ)"));
}

void TestFileCommands::replacingTheExtendedNameIsAsked()
{
    // The dialog asked about "set"; the file written is "set.tw", which exists.
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    dir.Write(QStringLiteral("set.tw"), QByteArray(1704, '\x22'));
    FileChoices files;
    Boxes boxes;
    files.Then(dir.Path(QStringLiteral("set")));
    frame->Actions()->Action(FrameCommand::FileSave)->trigger();  // No is the default
    QCOMPARE(boxes.Count(), 1);
    QVERIFY(boxes.Last().text.contains(QStringLiteral("set.tw")));
    QCOMPARE(boxes.Last().defaultButton, QMessageBox::No);
    QCOMPARE(dir.Read(QStringLiteral("set.tw")), QByteArray(1704, '\x22'));

    boxes.Answer(QMessageBox::Yes);
    files.Then(dir.Path(QStringLiteral("set")));
    frame->Actions()->Action(FrameCommand::FileSave)->trigger();
    QCOMPARE(boxes.Count(), 2);
    const auto image = frame->Data().ToImage();
    QCOMPARE(dir.Read(QStringLiteral("set.tw")),
             QByteArray(reinterpret_cast<const char*>(image.data()), int(image.size())));

    // A name the dialog itself asked about is not asked about again.
    files.Then(dir.Path(QStringLiteral("set.tw")));
    frame->Actions()->Action(FrameCommand::FileSave)->trigger();
    QCOMPARE(boxes.Count(), 2);
}

// The first Save of a new set asks for a name; after that, and after opening a file,
// Ctrl+S writes to that file without a word; Save As asks again.
void TestFileCommands::saveWritesToTheFileTheDataCameFrom()
{
    WorkDir dir;
    auto app = StartAsAPersonDoes(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    Boxes boxes;
    FileChoices files;
    const auto typeAndSave = [&](int row, const QString& typed) {
        static_cast<CChnMsgFormView*>(frame->View(ViewKind::Channels))->SetCurrentCell(row, 1);
        TypeIntoFocus(typed);
        PressOnFocus(Qt::Key_Return);
        QVERIFY(frame->isWindowModified());
        QTest::keyClick(frame, Qt::Key_S, Qt::ControlModifier);
    };
    const auto saved = [&](const QString& name) {
        const auto image = frame->Data().ToImage();
        return dir.Read(name) ==
               QByteArray(reinterpret_cast<const char*>(image.data()), int(image.size()));
    };

    files.Then(dir.Path(QStringLiteral("plan")));
    typeAndSave(1, QStringLiteral("435.125"));
    QCOMPARE(files.Kinds(), std::vector<FileDialogKind>{FileDialogKind::Save});
    QVERIFY(saved(QStringLiteral("plan.tw")));

    typeAndSave(2, QStringLiteral("436"));
    QCOMPARE(files.Kinds().size(), std::size_t(1));
    QCOMPARE(boxes.Count(), 0);
    QVERIFY(saved(QStringLiteral("plan.tw")));
    QVERIFY(!frame->isWindowModified());

    files.Then(dir.Path(QStringLiteral("copy.tw")));
    frame->Actions()->Action(FrameCommand::FileSaveAs)->trigger();
    QCOMPARE(files.Kinds().size(), std::size_t(2));
    QVERIFY(saved(QStringLiteral("copy.tw")));

    frame->Files()->OpenNamed(dir.Path(QStringLiteral("plan.tw")));
    typeAndSave(3, QStringLiteral("437"));
    QCOMPARE(files.Kinds().size(), std::size_t(2));
    QCOMPARE(boxes.Count(), 0);
    QVERIFY(saved(QStringLiteral("plan.tw")));
    QVERIFY(!saved(QStringLiteral("copy.tw")));
}

// A colleague's file carries another port: it is not taken. The status bar keeps
// naming the port in use, a save writes that port, and so does the exit into sys.ini.
void TestFileCommands::openingKeepsThePortInUse()
{
    qputenv("RADIOPROG_COM2", "/dev/ttyUSB7");
    WorkDir dir;
    RadioData colleague;
    colleague.port = 1;
    QVERIFY(SaveDataFile(dir.Path(QStringLiteral("colleague.tw")), colleague).ok());
    dir.Write(QStringLiteral("sys.ini"), CompleteSettings(2, 1, 1));
    dir.Write(QStringLiteral("lang.csv"), TestLanguageFile());
    auto app = StartProgram(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    QCOMPARE(frame->ProgressBar()->PortText(), QStringLiteral("COM2 (/dev/ttyUSB7)"));

    Boxes boxes;
    frame->Files()->OpenNamed(dir.Path(QStringLiteral("colleague.tw")));
    QCOMPARE(boxes.Count(), 0);
    QCOMPARE(frame->Data().port, 2);
    QCOMPARE(frame->ProgressBar()->PortText(), QStringLiteral("COM2 (/dev/ttyUSB7)"));

    QVERIFY(frame->Files()->Save());
    RadioData reopened;
    QVERIFY(LoadDataFile(dir.Path(QStringLiteral("colleague.tw")), reopened).ok());
    QCOMPARE(reopened.port, 2);
    frame->close();
    QVERIFY(dir.Read(QStringLiteral("sys.ini")).startsWith("Com=COM2\r\n"));
    qunsetenv("RADIOPROG_COM2");
}

QTEST_MAIN(TestFileCommands)
#include "test_file_commands.moc"
