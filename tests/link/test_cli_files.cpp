// radioprog-cli and radiosim against the files a hostile machine offers: a full disk
// and a file size limit under every command that saves, FIFOs and devices where a file
// is expected, and files that are not data files of this radio.
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QtTest>

#include "config/file_saving.h"
#include "tests/config/short_of_room.h"
#include "tests/link/cli_runner.h"
#include "tests/link/sim_helpers.h"

using namespace radio;
using namespace radio::test;

namespace {

// A child that is still running after this is taken as hanging.
constexpr int kPatienceMs = 10000;

struct Run {
    int code = -1;  // -1: it hung, or crashed
    QByteArray err;
    qint64 ms = 0;
};

// Runs radioprog-cli or radiosim in `folder`; `room` (if any) puts the child under its
// condition; `out` (if given) takes its standard output.
Run Start(const QString& program, const QStringList& arguments, const QString& folder,
          const ShortOfRoom* room = nullptr, const QString& out = QString())
{
    QProcess child;
    child.setWorkingDirectory(folder);
    if (!out.isEmpty()) {
        child.setStandardOutputFile(out);
    }
    if (room) {
        room->Prepare(child);
    }
    QElapsedTimer clock;
    clock.start();
    child.start(QCoreApplication::applicationDirPath() + QLatin1Char('/') + program, arguments);
    Run run;
    if (!child.waitForFinished(kPatienceMs)) {
        child.kill();
        child.waitForFinished();
        return run;
    }
    run.ms = clock.elapsed();
    run.code = child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
    run.err = child.readAllStandardError();
    return run;
}

QByteArray SampleImage()
{
    RadioData d;
    d.Channel(0).SetRxFrequency(0x43012500);
    const auto image = d.ToImage();
    return QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()));
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

mode_t TypeOf(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & S_IFMT : 0;
}

QStringList EntriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

const QByteArray kPlan =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq\n"
    "1,one,430.125000,,0.000000,,88.5,88.5\n";

}  // namespace

class TestCliFiles : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void aSaveThatRunsOutOfRoomFailsAndKeepsTheFile_data();
    void aSaveThatRunsOutOfRoomFailsAndKeepsTheFile();
    void aNameThatIsNoRegularFileIsRefusedAtOnce_data();
    void aNameThatIsNoRegularFileIsRefusedAtOnce();
    void anOutputThatRunsOutOfRoomFails_data();
    void anOutputThatRunsOutOfRoomFails();
    void aFileOfAnotherKindIsNotTakenAsData_data();
    void aFileOfAnotherKindIsNotTakenAsData();
    void aFileWithABlockAwayFromItsAddressNeverReachesTheRadio();

private:
    QTemporaryDir m_backups;
};

void TestCliFiles::initTestCase()
{
    qputenv("RADIOPROG_BACKUP_DIR", QFile::encodeName(m_backups.path()));
    // COM9 stands for a port that is not there: a command that got as far as opening it
    // must not reach a real serial port of this machine.
    qputenv("RADIOPROG_COM9", QFile::encodeName(m_backups.filePath("no-such-port")));
}

void TestCliFiles::aSaveThatRunsOutOfRoomFailsAndKeepsTheFile_data()
{
    QTest::addColumn<Shortage>("shortage");
    QTest::addColumn<QString>("command");
    for (const char* command : {"export", "import", "read"}) {
        QTest::addRow("%s, full disk", command) << Shortage::FullDisk << QString(command);
        QTest::addRow("%s, size limit", command) << Shortage::SizeLimit << QString(command);
    }
}

void TestCliFiles::aSaveThatRunsOutOfRoomFailsAndKeepsTheFile()
{
    QFETCH(Shortage, shortage);
    QFETCH(QString, command);
    ShortOfRoom room(shortage, command == QLatin1String("read") ? 1024 : ShortOfRoom::kSizeLimit);
    if (!room.Unavailable().isEmpty()) {
        QSKIP(qPrintable(room.Unavailable()));
    }
    QTemporaryDir dir;
    const QString data = dir.filePath("good.tw");
    const QString plan = dir.filePath("plan.csv");
    WriteAll(data, SampleImage());
    WriteAll(plan, kPlan);
    const bool csv = command == QLatin1String("export");
    const QString target = room.Path(csv ? "p.csv" : "a.tw");
    const QByteArray old =
        csv ? QByteArray("an older plan\n") : SampleImage().replace(100, 4, "OLD!");
    WriteAll(target, old);
    QVERIFY(QDir().mkpath(room.Path("backups")));
    room.Fill();

    std::unique_ptr<sim::RadioSimulator> radio;
    QStringList arguments;
    if (command == QLatin1String("export")) {
        arguments = {"export", data, target};
    } else if (command == QLatin1String("import")) {
        arguments = {"import", plan, target};
    } else {
        radio = StartRadio(FastRadio(400, 1));
        QVERIFY(radio);
        arguments = {"read", radio->DevicePath(), target};
        qputenv("RADIOPROG_BACKUP_DIR", QFile::encodeName(room.Path("backups")));
    }
    const Run run = Start("radioprog-cli", arguments, dir.path(), &room);
    qputenv("RADIOPROG_BACKUP_DIR", QFile::encodeName(m_backups.path()));
    QCOMPARE(run.code, 1);
    QVERIFY2(run.err.contains(QFile::encodeName(target) + " could not be saved: "),
             run.err.constData());
    QVERIFY(!run.err.contains("exported") && !run.err.contains("imported"));
    QCOMPARE(FileBytes(target), old);
    QStringList left{QFileInfo(target).fileName(), "backups"};
    left.sort();
    QCOMPARE(room.Entries(), left);
    if (radio) {
        // The backup could not be kept either, and nothing of it is left.
        QVERIFY2(run.err.contains("no backup was saved"), run.err.constData());
        QCOMPARE(EntriesOf(room.Path("backups")), QStringList());
    }
}

void TestCliFiles::aNameThatIsNoRegularFileIsRefusedAtOnce_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");  // ODD stands for the FIFO or device
    QTest::addColumn<bool>("device");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("reason");
    const QString fifo = QStringLiteral("it is a FIFO and not a regular file");
    const QString device = QStringLiteral("it is a device and not a regular file");
    QTest::newRow("show a FIFO") << "radioprog-cli" << QStringList{"show", "ODD"} << false << 2
                                 << fifo;
    QTest::newRow("write from a FIFO")
        << "radioprog-cli" << QStringList{"write", "COM9", "ODD"} << false << 2 << fifo;
    QTest::newRow("clone from a FIFO")
        << "radioprog-cli" << QStringList{"clone", "ODD", "COM9"} << false << 2 << fifo;
    QTest::newRow("import a CSV FIFO")
        << "radioprog-cli" << QStringList{"import", "ODD", "new.tw"} << false << 2 << fifo;
    QTest::newRow("read into a FIFO")
        << "radioprog-cli" << QStringList{"read", "COM9", "ODD"} << false << 1 << fifo;
    QTest::newRow("read onto a device")
        << "radioprog-cli" << QStringList{"read", "COM9", "ODD"} << true << 1 << device;
    QTest::newRow("import into a FIFO")
        << "radioprog-cli" << QStringList{"import", "plan.csv", "ODD"} << false << 2 << fifo;
    QTest::newRow("export onto a FIFO")
        << "radioprog-cli" << QStringList{"export", "good.tw", "ODD"} << false << 1 << fifo;
    QTest::newRow("export onto a device")
        << "radioprog-cli" << QStringList{"export", "good.tw", "ODD"} << true << 1 << device;
    QTest::newRow("simulator memory from a FIFO")
        << "radiosim" << QStringList{"--no-pacing", "--memory", "ODD"} << false << 2 << fifo;
    QTest::newRow("simulator raw memory from a FIFO")
        << "radiosim" << QStringList{"--no-pacing", "--raw", "--memory", "ODD"} << false << 2
        << fifo;
}

void TestCliFiles::aNameThatIsNoRegularFileIsRefusedAtOnce()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(bool, device);
    QFETCH(int, code);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    WriteAll(dir.filePath("good.tw"), SampleImage());
    WriteAll(dir.filePath("plan.csv"), kPlan);
    const QByteArray odd = QFile::encodeName(dir.filePath("odd"));
    if (device) {
        // A null device of its own: /dev/null itself must never be at stake.
        if (::mknod(odd.constData(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
            QSKIP("making a device needs root");
        }
    } else {
        QCOMPARE(::mkfifo(odd.constData(), 0644), 0);
    }
    const mode_t type = TypeOf(dir.filePath("odd"));
    const QStringList before = EntriesOf(dir.path());
    arguments.replaceInStrings(QStringLiteral("ODD"), dir.filePath("odd"));

    const Run run = Start(program, arguments, dir.path());
    QVERIFY2(run.code != -1, "it waited on the FIFO");
    QCOMPARE(run.code, code);
    QVERIFY2(run.err.contains(reason.toUtf8()), run.err.constData());
    QVERIFY2(run.ms < 5000, qPrintable(QString::number(run.ms)));
    QCOMPARE(TypeOf(dir.filePath("odd")), type);
    QCOMPARE(EntriesOf(dir.path()), before);
    qInfo("refused after %lld ms", static_cast<long long>(run.ms));
}

void TestCliFiles::anOutputThatRunsOutOfRoomFails_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("show") << QStringList{"show", "good.tw"};
    QTest::newRow("show --json") << QStringList{"show", "--json", "good.tw"};
    QTest::newRow("export to standard output") << QStringList{"export", "good.tw", "-"};
}

void TestCliFiles::anOutputThatRunsOutOfRoomFails()
{
    // Standard output sent to /dev/full, where every write fails with ENOSPC.
    QFETCH(QStringList, arguments);
    QTemporaryDir dir;
    WriteAll(dir.filePath("good.tw"), SampleImage());
    const Run run = Start("radioprog-cli", arguments, dir.path(), nullptr, "/dev/full");
    QCOMPARE(run.code, 1);
    QVERIFY2(run.err.contains("could not be written out"), run.err.constData());
}

void TestCliFiles::aFileOfAnotherKindIsNotTakenAsData_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");  // FILE stands for the file of another kind
    QTest::addColumn<int>("code");
    QTest::newRow("show") << "radioprog-cli" << QStringList{"show", "FILE"} << 2;
    QTest::newRow("show --json") << "radioprog-cli" << QStringList{"show", "--json", "FILE"} << 2;
    QTest::newRow("write") << "radioprog-cli" << QStringList{"write", "COM9", "FILE"} << 2;
    QTest::newRow("clone") << "radioprog-cli" << QStringList{"clone", "FILE", "COM9"} << 2;
    QTest::newRow("import into it")
        << "radioprog-cli" << QStringList{"import", "plan.csv", "FILE"} << 2;
    QTest::newRow("export from it")
        << "radioprog-cli" << QStringList{"export", "FILE", "out.csv"} << 2;
    QTest::newRow("simulator memory")
        << "radiosim" << QStringList{"--no-pacing", "--memory", "FILE"} << 2;
}

void TestCliFiles::aFileOfAnotherKindIsNotTakenAsData()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    QTemporaryDir dir;
    WriteAll(dir.filePath("plan.csv"), kPlan);
    // /etc/passwd under a data file's name, and a file of the radio's size whose band
    // is none of the six.
    QByteArray text;
    while (text.size() < 1704) {
        text +=
            "root:x:0:0:root:/root:/bin/bash\ndaemon:x:1:1:daemon:/usr/sbin:/usr/sbin/nologin\n";
    }
    QByteArray band = SampleImage();
    band.replace(932, 4, QByteArray("\xE0\x01\x00\x00", 4));  // 400-480 MHz
    for (const auto& [content, reason] :
         {std::pair{text, QByteArray("is not a data file of this radio: the block of address "
                                     "0x0000 carries the address 0x3A78.")},
          std::pair{band, QByteArray("is not a data file of this radio: its band 400-480 MHz is "
                                     "none of the radio's bands.")}}) {
        WriteAll(dir.filePath("notes.tw"), content);
        const QStringList before = EntriesOf(dir.path());
        QStringList given = arguments;
        given.replaceInStrings(QStringLiteral("FILE"), dir.filePath("notes.tw"));
        const Run run = Start(program, given, dir.path());
        QCOMPARE(run.code, code);
        QVERIFY2(run.err.contains(QFile::encodeName(dir.filePath("notes.tw")) + ' ' + reason),
                 run.err.constData());
        QCOMPARE(FileBytes(dir.filePath("notes.tw")), content);
        QCOMPARE(EntriesOf(dir.path()), before);
    }
}

void TestCliFiles::aFileWithABlockAwayFromItsAddressNeverReachesTheRadio()
{
    // Channel block 0 carrying 0x0380: taken as it was, a write put the channels over
    // the memory at 0x0380-0x03BF and verified them there.
    auto radio = StartRadio(FastRadio(400, 1));
    QVERIFY(radio);
    const sim::RadioMemory before = radio->Memory();
    QTemporaryDir dir;
    QByteArray moved = SampleImage();
    moved[70] = 0x03;
    moved[71] = char(0x80);
    WriteAll(dir.filePath("moved.tw"), moved);
    const Run run =
        Start("radioprog-cli", {"write", "--verify", radio->DevicePath(), dir.filePath("moved.tw")},
              dir.path());
    QCOMPARE(run.code, 2);
    QVERIFY2(run.err.contains("the block of address 0x0010 carries the address 0x0380."),
             run.err.constData());
    QVERIFY(radio->Memory() == before);
}

QTEST_GUILESS_MAIN(TestCliFiles)
#include "test_cli_files.moc"
