// What a write will change, shown before it (Programming > Show changes before
// writing), and the comparisons with a radio and with a file.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "config/file_reading.h"
#include "config/file_saving.h"
#include "data/feature_bytes.h"
#include "config/user_preferences.h"
#include "shell/changes_dlg.h"
#include "shell/frame_actions.h"
#include "shell/prog_status_bar.h"
#include "shell_fixture.h"
#include "simulated_ports.h"

using namespace radio;
using namespace radio::test;

namespace {

constexpr int kChannel3 = 0x0010 + 2 * 16;  // its receive frequency's low byte

// The row of a channel whose bytes are erased but for its receive frequency, in the
// test's texts.
QString NewRow(const QString& rx)
{
    return QStringLiteral("%1 / - / %2 / %2 / %3 / %4 / %5 / %6")
        .arg(rx, En(text::Off), En(text::Wide), En(text::High), En(text::On),
             En(text::SwitchedOn));
}

QStringList BackupNames(const WorkDir& dir)
{
    return QDir(dir.Path("backups")).entryList(QDir::Files, QDir::Name);
}

// Answers the next dialog: records the changes it shows, then presses Write (accept)
// or Cancel.
void AnswerChanges(Dialogs& dialogs, QStringList& shown, bool write)
{
    dialogs.Then([&shown, write](QDialog& dialog) {
        auto* changes = qobject_cast<ChangesDlg*>(&dialog);
        shown = changes ? changes->Lines() : QStringList{"not the changes dialog"};
        return write ? int(QDialog::Accepted) : int(QDialog::Rejected);
    });
}

// A simulated radio on COM1 and the program started against it, the write preview on
// unless asked otherwise (the tests' start turns it off).
struct Session {
    explicit Session(const sim::SimConfig& config, bool preview = true) : radio(config)
    {
        app = StartPrepared(dir);
        frame = app ? app->MainFrame() : nullptr;
        if (frame && preview) {
            frame->Actions()->Action(FrameCommand::ShowChangesBeforeWriting)->trigger();
        }
    }
    SimulatedCom1 radio;
    WorkDir dir;
    std::unique_ptr<CRadioProgApp> app;
    CMainFrame* frame = nullptr;
};

}  // namespace

class TestWritePreview : public QObject {
    Q_OBJECT
private slots:
    void cancelWritesNothing_data();
    void cancelWritesNothing();
    void writeWritesAndKeepsWhatTheRadioHeld();
    void backupThatCannotBeKeptIsSaidBeforeWrite();
    void compareWithFileAndWithRadio();
    void searchAndCopy();
};

// Cancel in the changes dialog, and No when the radio already holds the data: the
// radio's memory stays as it was and the status bar says nothing was written.
void TestWritePreview::cancelWritesNothing_data()
{
    QTest::addColumn<bool>("changed");
    QTest::newRow("changes shown") << true;
    QTest::newRow("nothing to change") << false;
}

void TestWritePreview::cancelWritesNothing()
{
    Session s(FastRadio(400, 1), false);
    QVERIFY(s.frame);
    QFETCH(bool, changed);
    // The radio gets the data first, written without the preview (the test's start
    // turned it off; the menu's check item turns it on), so that it holds exactly what
    // a write sends.
    Boxes boxes;
    QAction* preview = s.frame->Actions()->Action(FrameCommand::ShowChangesBeforeWriting);
    QVERIFY(!preview->isChecked());
    s.frame->Actions()->Action(FrameCommand::WriteRadio)->trigger();
    QVERIFY(WaitIdle(s.frame));
    QCOMPARE(Count(s.radio->Events(), sim::SimEvent::Kind::BlockRead), 0);
    preview->trigger();
    QVERIFY(ShowChangesBeforeWriting());
    if (changed) {
        SetUpRecord(s.frame).Channel(2).SetRxFrequency(0x43600000);
    }
    const sim::RadioMemory before = s.radio->Memory();
    s.radio->ClearEvents();
    boxes.Clear();
    Dialogs dialogs;
    QStringList shown;
    AnswerChanges(dialogs, shown, false);
    QTest::keyClick(s.frame, Qt::Key_W, Qt::ControlModifier);
    QVERIFY(WaitIdle(s.frame));

    if (changed) {
        QCOMPARE(dialogs.Seen(), std::vector<QString>{"changesDialog"});
        // The channel and the two masks that follow it.
        QCOMPARE(shown, (QStringList{"channel 3 all fields: - -> " + NewRow("436.00000"),
                                     "byte 0x017C (not shown): 00 -> 04",
                                     "byte 0x017E (not shown): 00 -> 04"}));
        QCOMPARE(boxes.Count(), 0);
    } else {
        QVERIFY(dialogs.Seen().empty());
        QCOMPARE(boxes.Count(), 1);
        QCOMPARE(boxes.Last().text, Fallback(text::PreviewSame));
        QCOMPARE(boxes.Last().defaultButton, QMessageBox::No);
    }
    QVERIFY(s.radio->Memory() == before);
    QCOMPARE(Count(s.radio->Events(), sim::SimEvent::Kind::ChunkWrite), 0);
    QVERIFY2(s.frame->ProgressBar()->Note().startsWith(Fallback(text::WriteCancelled)),
             qPrintable(s.frame->ProgressBar()->Note()));
    // What the radio held is kept even so.
    const QStringList names = BackupNames(s.dir);
    QCOMPARE(names.filter("_before-write_").size(), 1);
}

void TestWritePreview::writeWritesAndKeepsWhatTheRadioHeld()
{
    auto config = FastRadio(400, 1);
    config.hasMemory = true;
    config.memory = PatternMemory(5);
    Session s(config);
    QVERIFY(s.frame);
    const sim::RadioMemory held = s.radio->Memory();
    SetUpRecord(s.frame).Channel(2).SetRxFrequency(0x43600000);
    Boxes boxes;
    Dialogs dialogs;
    QStringList shown;
    QString passDuringRead;
    dialogs.Then([&](QDialog& dialog) {
        shown = static_cast<ChangesDlg&>(dialog).Lines();
        return int(QDialog::Accepted);
    });
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        if (passDuringRead.isEmpty()) {
            passDuringRead = s.frame->ProgressBar()->PassText();
        }
    });
    watch.start(1);
    s.frame->Actions()->Action(FrameCommand::WriteRadio)->trigger();
    QVERIFY(WaitIdle(s.frame));
    QCOMPARE(passDuringRead, Fallback(text::PreviewReading));
    QVERIFY(!shown.isEmpty());
    QVERIFY2(shown[0].startsWith("channel 1 ") && !shown.filter(" -> 436.00000").isEmpty(),
             qPrintable(shown.join('\n')));
    QCOMPARE(boxes.Count(), 1);  // the write's own "done"
    QCOMPARE(s.radio->Memory()[kChannel3 + 3], std::uint8_t(0x43));
    QCOMPARE(s.radio->Memory()[kChannel3 + 2], std::uint8_t(0x60));

    // The before-write backup holds the radio's old memory: writing it back restores it.
    const QStringList names = BackupNames(s.dir).filter("_before-write_");
    QCOMPARE(names.size(), 1);
    RadioData old;
    QVERIFY(LoadDataFile(s.dir.Path("backups/" + names[0]), old).ok());
    for (Block b : {Block::B0000, Block::Channel0, Block::B0120, Block::B0160}) {
        QVERIFY(old.block(b).data == MemoryAt(held, DefaultAddress(b)));
    }
}

void TestWritePreview::backupThatCannotBeKeptIsSaidBeforeWrite()
{
    Session s(FastRadio(400, 1));
    QVERIFY(s.frame);
    SetUpRecord(s.frame).Channel(0).SetRxFrequency(0x43012500);
    s.dir.Write("blocked", "a file where the folder should be");
    qputenv("RADIOPROG_BACKUP_DIR", QFile::encodeName(s.dir.Path("blocked")));
    Dialogs dialogs;
    QString heading;
    dialogs.Then([&heading](QDialog& dialog) {
        heading = static_cast<ChangesDlg&>(dialog).Heading()->text();
        return int(QDialog::Rejected);
    });
    s.frame->Actions()->Action(FrameCommand::WriteRadio)->trigger();
    QVERIFY(WaitIdle(s.frame));
    qputenv("RADIOPROG_BACKUP_DIR", QFile::encodeName(s.dir.Path("backups")));
    QVERIFY2(heading.contains(s.dir.Path("blocked")), qPrintable(heading));
    QCOMPARE(Count(s.radio->Events(), sim::SimEvent::Kind::ChunkWrite), 0);
}

void TestWritePreview::compareWithFileAndWithRadio()
{
    Session s(FastRadio(400, 1));
    QVERIFY(s.frame);
    Boxes boxes;
    const QString file = s.dir.Path("other.tw");
    RadioData other = s.frame->Data();
    other.block(Block::B0120).data[bytes::choice::kVoxLevel] = 7;
    QVERIFY(SaveDataFile(file, other).ok());

    FileChoices files;
    files.Then(file);
    Dialogs dialogs;
    QStringList shown;
    AnswerChanges(dialogs, shown, false);
    s.frame->Actions()->Action(FrameCommand::CompareWithFile)->trigger();
    QCOMPARE(shown, QStringList{QStringLiteral("%1: 7 -> 5").arg(En(text::VoxLevel))});

    // The same file: said in a box, no window.
    QVERIFY(SaveDataFile(file, s.frame->Data()).ok());
    files.Then(file);
    s.frame->Actions()->Action(FrameCommand::CompareWithFile)->trigger();
    QCOMPARE(dialogs.Seen().size(), 1u);
    QCOMPARE(boxes.Last().text, Fallback(text::CompareSame).arg(QDir::toNativeSeparators(file),
                                                                  Fallback(text::TheEditedData)));

    // The radio: read, compared, and the data left as they were.
    SetUpRecord(s.frame).Channel(0).SetRxFrequency(0x43012500);
    s.frame->Document().MarkUnmodified();
    const auto record = s.frame->Data().ToImage();
    AnswerChanges(dialogs, shown, false);
    s.frame->Actions()->Action(FrameCommand::CompareWithRadio)->trigger();
    QVERIFY(WaitIdle(s.frame));
    QVERIFY2(shown.contains("channel 1 all fields: - -> " + NewRow("430.12500")),
             qPrintable(shown.join('\n')));
    QVERIFY(s.frame->Data().ToImage() == record);
    QVERIFY(!s.frame->Document().IsModified());
    QCOMPARE(BackupNames(s.dir).filter("_read_").size(), 1);
}

void TestWritePreview::searchAndCopy()
{
    RadioData from;
    RadioData to;
    to.Channel(0).SetRxFrequency(0x43012500);
    to.Channel(1).SetRxFrequency(0x44012500);
    to.block(Block::B0120).data[bytes::choice::kVoxLevel] = 7;
    ChangesDlg dialog(from, CompareRecords(from, to), "t", "h", ChangesDlg::Purpose::BeforeWrite);
    QCOMPARE(dialog.Lines().size(), 3);
    dialog.Search()->setText("440");
    QCOMPARE(dialog.ShownLines().size(), 1);
    QVERIFY(dialog.ShownLines().front().startsWith("channel 2 all fields: - -> 440.12500 / "));
    dialog.CopyShown();
    QCOMPARE(QGuiApplication::clipboard()->text(), dialog.ShownLines().front() + "\n");
    dialog.Search()->clear();
    QCOMPARE(dialog.ShownLines(), dialog.Lines());
    // Enter does not write.
    QStringList defaults;
    for (auto* button : dialog.findChildren<QPushButton*>()) {
        if (button->isDefault()) {
            defaults << button->text();
        }
    }
    QCOMPARE(defaults, QStringList{Fallback(text::Cancel)});
}

QTEST_MAIN(TestWritePreview)
#include "test_write_preview.moc"
