// Unsaved edits outlive a program that ends without saving them: the recovery copy,
// its lock between two programs, and the offer at the next start.
#include <QDir>
#include <QtTest>

#include "config/recovery_copy.h"
#include "data/data_file.h"
#include "shell/file_commands.h"
#include "shell/prog_status_bar.h"
#include "shell/recovery_keeper.h"
#include "shell_fixture.h"

using namespace radio;
using namespace radio::test;

namespace {

QByteArray DataOf(const RadioData& data)
{
    const auto image = DataFileBytes(data);
    return QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()));
}

QStringList CopiesIn(const WorkDir& dir)
{
    return QDir(dir.Path(QStringLiteral("recovery")))
        .entryList({QStringLiteral("*.recovery")}, QDir::Files);
}

// Types a frequency into the channel table's current cell, then goes one row down.
void TypeChannel(const QString& frequency)
{
    TypeIntoFocus(frequency);
    PressOnFocus(Qt::Key_Return);
    PressOnFocus(Qt::Key_Down);
}

// The program ends as a crash would end it: nothing asked, nothing saved or removed.
void Crash(std::unique_ptr<CRadioProgApp>& app)
{
    app->Recovery()->WaitUntilIdle();
    app.reset();
}

}  // namespace

class TestRecovery : public QObject {
    Q_OBJECT
private slots:
    void copiesReadBackOrSayWhyNot_data();
    void copiesReadBackOrSayWhyNot();
    void aRunningProgramsCopyIsNotOffered();
    void typedChannelsComeBackAfterACrash();
    void discardRemovesTheCopyAndSavingEndsIt();
    void aCopyThatCannotBeKeptIsSaid();
    void restoreKeepsItsNameThroughALanguageChange();
};

void TestRecovery::copiesReadBackOrSayWhyNot_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("status");  // FileStatus of the left copy's check
    QTest::addColumn<QString>("fileName");

    RadioData data;
    data.Channel(2).SetRxFrequency(0x43512500);
    const QString odd = QStringLiteral("/tmp/fleet a%\n信道=1.tw");
    const QByteArray copy = RecoveryCopyBytes({QDateTime::currentDateTime(), odd, DataOf(data)});
    QTest::newRow("a copy") << copy << int(FileStatus::Ok) << odd;
    QTest::newRow("never saved") << RecoveryCopyBytes(
                                        {QDateTime::currentDateTime(), QString(), DataOf(data)})
                                 << int(FileStatus::Ok) << QString();
    QTest::newRow("data cut short")
        << copy.left(copy.size() - 1000) << int(FileStatus::TooShort) << odd;
    QByteArray moved = copy;
    moved[copy.size() - 1704 + 4] = char(0x77);  // block 0 away from its address
    QTest::newRow("data of another kind") << moved << int(FileStatus::NotDataFile) << odd;
    QTest::newRow("header cut short") << copy.left(40) << int(FileStatus::OpenFailed) << QString();
    QTest::newRow("no header") << DataOf(data) << int(FileStatus::OpenFailed) << QString();
    QTest::newRow("empty") << QByteArray() << int(FileStatus::OpenFailed) << QString();
}

void TestRecovery::copiesReadBackOrSayWhyNot()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, status);
    QFETCH(QString, fileName);
    WorkDir dir;
    dir.Write(QStringLiteral("recovery/1-2.recovery"), bytes);
    std::vector<LeftCopy> copies = FindLeftCopies(dir.Path(QStringLiteral("recovery")));
    QCOMPARE(copies.size(), std::size_t(1));
    QCOMPARE(int(copies[0].check.status), status);
    QVERIFY(copies[0].content.time.isValid());
    if (copies[0].Usable()) {
        QCOMPARE(copies[0].content.fileName, fileName);
        RadioData record;
        QVERIFY(RecoveredRecord(copies[0].content, RadioData(), record).ok());
        QCOMPARE(record.Channel(2).RxFrequency(), 0x43512500u);
    }
}

void TestRecovery::aRunningProgramsCopyIsNotOffered()
{
    WorkDir dir;
    const QString folder = dir.Path(QStringLiteral("recovery"));
    auto running = std::make_unique<RecoverySlot>(folder);
    QVERIFY(running->Save(RecoveryCopyBytes({QDateTime::currentDateTime(), {}, {}})).ok());
    QVERIFY(FindLeftCopies(folder).empty());
    {
        // A second program keeps a copy of its own beside it.
        RecoverySlot other(folder);
        QVERIFY(other.Save(QByteArrayLiteral("x")).ok());
        QCOMPARE(CopiesIn(dir).size(), 2);
        other.Remove();
    }
    running.reset();  // ended without removing its copy
    std::vector<LeftCopy> left = FindLeftCopies(folder);
    QCOMPARE(left.size(), std::size_t(1));
    // Whoever found it holds it now.
    QVERIFY(FindLeftCopies(folder).empty());
}

void TestRecovery::typedChannelsComeBackAfterACrash()
{
    WorkDir dir;
    dir.Write(QStringLiteral("plan.tw"), DataOf(RadioData()));
    auto app = StartAsAPersonDoes(dir);
    QVERIFY(app);
    app->MainFrame()->Files()->OpenNamed(dir.Path(QStringLiteral("plan.tw")));
    TypeChannel(QStringLiteral("435.125"));
    TypeChannel(QStringLiteral("436.25"));
    TypeChannel(QStringLiteral("437.5"));
    const RadioData typed = app->MainFrame()->Data();
    QCOMPARE(typed.Channel(2).RxFrequency(), 0x43750000u);
    // Kept within a second of the last key.
    QTRY_COMPARE_WITH_TIMEOUT(CopiesIn(dir).size(), 1, 1000);
    Crash(app);
    const QString copy = QStringLiteral("recovery/") + CopiesIn(dir).value(0);
    const QByteArray kept = dir.Read(copy);

    Boxes boxes;
    app = StartAsAPersonDoes(dir);
    QVERIFY(app);
    QCOMPARE(boxes.Count(), 1);
    QVERIFY(boxes.Last().text.contains(dir.Path(QStringLiteral("plan.tw"))));
    QCOMPARE(boxes.Last().defaultButton, QMessageBox::Yes);  // Restore
    CMainFrame* frame = app->MainFrame();
    QCOMPARE(DataOf(frame->Data()), DataOf(typed));
    QVERIFY(frame->Document().IsModified());
    QVERIFY(frame->isWindowModified());
    QCOMPARE(frame->Document().FileName(), dir.Path(QStringLiteral("plan.tw")));
    // The restored changes are this program's to keep now, as made when they were
    // made; a clean end removes them.
    QTest::qWait(RecoveryKeeper::kDelayMs + 200);
    app->Recovery()->WaitUntilIdle();
    QCOMPARE(dir.Read(copy), kept);
    TypeChannel(QStringLiteral("438.5"));
    app->Recovery()->WaitUntilIdle();
    QTRY_COMPARE_WITH_TIMEOUT(CopiesIn(dir).size(), 1, 1000);
    boxes.Answer(QMessageBox::Discard);  // the unsaved changes, at exit
    frame->close();
    QCOMPARE(CopiesIn(dir), QStringList());
}

void TestRecovery::discardRemovesTheCopyAndSavingEndsIt()
{
    WorkDir dir;
    auto app = StartAsAPersonDoes(dir);
    QVERIFY(app);
    TypeChannel(QStringLiteral("435.125"));
    QTRY_COMPARE_WITH_TIMEOUT(CopiesIn(dir).size(), 1, 1000);
    Crash(app);
    // Beside it, newer, a copy that holds no data: removed with a note first.
    dir.Write(QStringLiteral("recovery/9-9.recovery"), "radioprog recovery copy 1\n\njunk");
    {
        Boxes boxes;
        boxes.Answer(QMessageBox::Ok);
        boxes.Answer(QMessageBox::Discard);
        app = StartAsAPersonDoes(dir);
        QVERIFY(app);
        QCOMPARE(boxes.Count(), 2);
        QCOMPARE(boxes.Seen()[0].icon, QMessageBox::Warning);
        QVERIFY(boxes.Seen()[0].text.contains(QStringLiteral("9-9.recovery")));
        QVERIFY(!app->MainFrame()->Document().IsModified());
        QCOMPARE(CopiesIn(dir), QStringList());
    }
    // A save makes the copy needless.
    TypeChannel(QStringLiteral("435.125"));
    QTRY_COMPARE_WITH_TIMEOUT(CopiesIn(dir).size(), 1, 1000);
    FileChoices files;
    files.Then(dir.Path(QStringLiteral("saved.tw")));
    app->MainFrame()->RunCommand(FrameCommand::FileSaveAs);
    app->Recovery()->WaitUntilIdle();
    QCOMPARE(CopiesIn(dir), QStringList());
    Crash(app);
    Boxes boxes;
    app = StartAsAPersonDoes(dir);
    QCOMPARE(boxes.Count(), 0);
}

void TestRecovery::aCopyThatCannotBeKeptIsSaid()
{
    WorkDir dir;
    // The folder for copies cannot be made: a file stands where it would be.
    dir.Write(QStringLiteral("recovery"), "in the way");
    auto app = StartAsAPersonDoes(dir);
    QVERIFY(app);
    TypeChannel(QStringLiteral("435.125"));
    QSignalSpy failed(app->Recovery(), &RecoveryKeeper::copyFailed);
    QVERIFY(failed.wait(2000));
    QVERIFY(app->MainFrame()->ProgressBar()->currentMessage().contains(
        dir.Path(QStringLiteral("recovery"))));
    // Said once, not at every change.
    TypeChannel(QStringLiteral("436.25"));
    QVERIFY(!failed.wait(1000));
    QCOMPARE(std::as_const(app->MainFrame()->Data()).Channel(1).RxFrequency(), 0x43625000u);
}

void TestRecovery::restoreKeepsItsNameThroughALanguageChange()
{
    // At start-up Qt's Chinese texts arrive while the first box may already be open.
    BoxRequest request;
    request.buttons = QMessageBox::Yes | QMessageBox::Discard;
    request.buttonTexts = {{QMessageBox::Yes, QStringLiteral("&Restore")}};
    QStringList texts;
    QTimer::singleShot(0, [&texts] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        QEvent change(QEvent::LanguageChange);
        QApplication::sendEvent(box, &change);
        texts << box->button(QMessageBox::Yes)->text() << box->button(QMessageBox::Discard)->text();
        box->button(QMessageBox::Discard)->click();
    });
    QCOMPARE(Prompts().Box(nullptr, request), QMessageBox::Discard);
    QCOMPARE(texts, QStringList({QStringLiteral("&Restore"), QStringLiteral("&Discard")}));
}

QTEST_MAIN(TestRecovery)
#include "test_recovery.moc"
