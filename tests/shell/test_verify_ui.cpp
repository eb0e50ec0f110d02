// The desktop program's verify after write (the menu item, the second pass of the
// progress bar with its word in the status bar, the result) and its backups (one per
// read and write, a note when one cannot be saved, File > Open backup).
#include <QAction>
#include <QProgressBar>
#include <QtTest>

#include "config/backup_store.h"
#include "config/user_preferences.h"
#include "shell/frame_actions.h"
#include "shell/prog_status_bar.h"
#include "shell_fixture.h"
#include "simulated_ports.h"

using namespace radio;
using namespace radio::test;

namespace {

// What the status bar showed, one entry per change of the bar's position.
struct Shown {
    int value;
    QString pass;
};

QStringList BackupNames(const WorkDir& dir)
{
    return QDir(dir.Path("backups")).entryList(QDir::Files, QDir::Name);
}

}  // namespace

class TestVerifyUi : public QObject {
    Q_OBJECT
private slots:
    void verifyAfterWriteFromTheMenu();
    void verifyFailureNamesTheByte();
    void backupOfEachReadAndWrite();
    void backupThatCannotBeSavedLeavesANote();
    void openBackupStartsInTheBackupFolder();
};

void TestVerifyUi::verifyAfterWriteFromTheMenu()
{
    SimulatedCom1 radio(FastRadio(400, 1));
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    QAction* verify = frame->Actions()->Action(FrameCommand::VerifyAfterWrite);
    QVERIFY(verify->isCheckable());
    QVERIFY(!verify->isChecked());  // off until chosen
    QCOMPARE(verify->text(), Fallback(text::VerifyAfterWrite));
    verify->trigger();
    QVERIFY(verify->isChecked());
    QVERIFY(VerifyAfterWrite());

    std::vector<Shown> shown;
    auto* bar = frame->ProgressBar()->findChild<QProgressBar*>();
    QVERIFY(bar);
    connect(bar, &QProgressBar::valueChanged, this, [&](int value) {
        shown.push_back({value, frame->ProgressBar()->PassText()});
    });
    Boxes boxes;
    QVERIFY(QTest::qWaitForWindowActive(frame));
    QTest::keyClick(frame, Qt::Key_W, Qt::ControlModifier);
    QVERIFY(WaitIdle(frame));

    QCOMPARE(boxes.Count(), 1);
    QCOMPARE(boxes.Last().text, En(text::WritingToRadio) + En(text::Done) + QLatin1Char('\n') +
                                    Fallback(text::ResultVerified));
    QCOMPARE(boxes.Last().icon, QMessageBox::Information);
    QCOMPARE(Count(radio->Events(), sim::SimEvent::Kind::BlockRead), 10);

    // The write's pass climbs to 100 without a word; the verify's starts again low and
    // climbs to 100 while the status bar says the radio is being verified.
    const auto restart =
        std::find_if(shown.begin(), shown.end(), [](const Shown& s) { return !s.pass.isEmpty(); });
    QVERIFY(restart != shown.begin() && restart != shown.end());
    QCOMPARE((restart - 1)->value, 100);
    QCOMPARE(restart->value, 1);
    QCOMPARE(restart->pass, Fallback(text::Verifying));
    const auto last =
        std::find_if(restart, shown.end(), [](const Shown& s) { return s.value == 100; });
    QVERIFY(last != shown.end());
    QVERIFY(std::all_of(restart, last + 1,
                        [](const Shown& s) { return s.pass == Fallback(text::Verifying); }));
    QTRY_VERIFY(!frame->ProgressBar()->ProgressVisible());
    QCOMPARE(frame->ProgressBar()->PassText(), QString());

    // Remembered for the next start, and not in sys.ini.
    app.reset();
    auto again = StartPrepared(dir);
    QVERIFY(again);
    QVERIFY(again->MainFrame()->Actions()->Action(FrameCommand::VerifyAfterWrite)->isChecked());
    QVERIFY(!dir.Read("sys.ini").contains("erif"));
}

void TestVerifyUi::verifyFailureNamesTheByte()
{
    auto config = FastRadio(400, 1);
    config.faults.corruptWrite = 0x0125;
    SimulatedCom1 radio(config);
    WorkDir dir;
    SetVerifyAfterWrite(true);
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    SetUpRecord(frame).block(Block::B0120).data[5] = 0x13;
    Boxes boxes;
    boxes.Answer(QMessageBox::Cancel);
    frame->Actions()->Action(FrameCommand::WriteRadio)->trigger();
    QVERIFY(WaitIdle(frame));
    QCOMPARE(boxes.Count(), 1);
    QCOMPARE(boxes.Last().caption, En(text::CommunicationFailedCaption));
    QCOMPARE(boxes.Last().buttons, QMessageBox::Retry | QMessageBox::Cancel);
    QCOMPARE(boxes.Last().text, En(text::CommunicationFailed) + QLatin1Char('\n') +
                                    Fallback(text::VerifyMismatch).arg("0x0125", "0x13", "0x12"));
    // A write that did not arrive as sent is kept nowhere as written.
    QVERIFY(BackupNames(dir).isEmpty());
    QTRY_VERIFY(!frame->ProgressBar()->ProgressVisible());
}

void TestVerifyUi::backupOfEachReadAndWrite()
{
    auto config = FastRadio(136, 0);
    config.hasMemory = true;
    config.memory = PatternMemory(3);
    SimulatedCom1 radio(config);
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    Boxes boxes;
    frame->Actions()->Action(FrameCommand::ReadRadio)->trigger();
    QVERIFY(WaitIdle(frame));
    QStringList names = BackupNames(dir);
    QCOMPARE(names.size(), 1);
    QVERIFY2(names[0].endsWith("_read_136-174MHz_32ch.tw"), qPrintable(names[0]));

    frame->Actions()->Action(FrameCommand::WriteRadio)->trigger();
    QVERIFY(WaitIdle(frame));
    const std::vector<BackupEntry> entries = ListBackups(dir.Path("backups"));
    QCOMPARE(entries.size(), std::size_t(2));
    QCOMPARE(entries[0].kind, BackupKind::Write);
    QCOMPARE(entries[1].kind, BackupKind::Read);
    const auto image = frame->Data().ToImage();
    QCOMPARE(dir.Read("backups/" + QFileInfo(entries[0].path).fileName()),
             QByteArray(reinterpret_cast<const char*>(image.data()), int(image.size())));
    QCOMPARE(frame->ProgressBar()->Note(), QString());
}

void TestVerifyUi::backupThatCannotBeSavedLeavesANote()
{
    SimulatedCom1 radio(FastRadio(400, 1));
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    dir.Write("blocked", "a file where the folder should be");
    qputenv("RADIOPROG_BACKUP_DIR", QFile::encodeName(dir.Path("blocked")));
    Boxes boxes;
    frame->Actions()->Action(FrameCommand::ReadRadio)->trigger();
    QVERIFY(WaitIdle(frame));
    // The read itself succeeded and says so.
    QCOMPARE(boxes.Count(), 1);
    QCOMPARE(boxes.Last().text, En(text::ReadingFromRadio) + En(text::Done));
    QTRY_VERIFY(!frame->ProgressBar()->Note().isEmpty());
    QVERIFY(frame->ProgressBar()->Note().contains(dir.Path("blocked")));

    // The next transfer starts without the old note, and keeps its backup again.
    qputenv("RADIOPROG_BACKUP_DIR", QFile::encodeName(dir.Path("backups")));
    frame->Actions()->Action(FrameCommand::ReadRadio)->trigger();
    QCOMPARE(frame->ProgressBar()->Note(), QString());
    QVERIFY(WaitIdle(frame));
    QCOMPARE(BackupNames(dir).size(), 1);
    QCOMPARE(frame->ProgressBar()->Note(), QString());
}

void TestVerifyUi::openBackupStartsInTheBackupFolder()
{
    auto config = FastRadio(450, 1);
    config.hasMemory = true;
    config.memory = PatternMemory(8);
    SimulatedCom1 radio(config);
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    QAction* open = frame->Actions()->Action(FrameCommand::OpenBackup);
    QCOMPARE(open->text(), Fallback(text::OpenBackup));

    // Before any backup: the folder is made, so that the dialog opens there.
    FileChoices files;
    open->trigger();
    QCOMPARE(files.Directory(), dir.Path("backups"));
    QVERIFY(QFileInfo(dir.Path("backups")).isDir());
    QCOMPARE(files.Kinds().size(), std::size_t(1));
    QCOMPARE(files.Kinds()[0], FileDialogKind::Open);

    Boxes boxes;
    frame->Actions()->Action(FrameCommand::ReadRadio)->trigger();
    QVERIFY(WaitIdle(frame));
    const auto read = frame->Data().ToImage();
    SetUpRecord(frame).block(Block::B0120).data.fill(0x00);
    const std::vector<BackupEntry> entries = ListBackups(dir.Path("backups"));
    QCOMPARE(entries.size(), std::size_t(1));
    files.Then(entries[0].path);
    open->trigger();
    QVERIFY(frame->Data().ToImage() == read);
    QCOMPARE(Caption(frame), En(text::Channels16) + QStringLiteral(" Q71/Q72(450-520MHZ)"));
    // Plain File > Open leaves the dialog its own choice of folder.
    frame->Actions()->Action(FrameCommand::FileOpen)->trigger();
    QCOMPARE(files.Directory(), QString());
}

QTEST_MAIN(TestVerifyUi)
#include "test_verify_ui.moc"
