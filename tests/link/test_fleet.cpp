// What a batch of radios shares between the command-line tool and the desktop
// program: the codes counted for its radios and the job log its rows go into.
#include <QThread>
#include <QtTest>
#include <vector>

#include "config/fleet_codes.h"
#include "link/job_log.h"
#include "tests/config/short_of_room.h"

using namespace radio;
using namespace radio::test;

namespace {

JobLogRow Row(const QString& port, const QString& result)
{
    JobLogRow row;
    row.time = QDateTime(QDate(2026, 12, 9), QTime(14, 3, 52), Qt::OffsetFromUTC, 3600);
    row.port = port;
    row.device = QStringLiteral("/dev/ttyUSB0");
    row.dataFile = QStringLiteral("/plans/fleet, north.tw");
    row.dataSha256 = Sha256Text("abc");
    row.code1 = QStringLiteral("2001");
    row.result = result;
    return row;
}

QByteArray Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

const QByteArray kHeader =
    "time,port,device,adapter serial,data file,data SHA-256,code 1,code "
    "2,result,backup,backup before\r\n";

}  // namespace

class TestFleet : public QObject {
    Q_OBJECT
private slots:
    void codesCount_data();
    void codesCount();
    void codesGoIntoTheFeatureBlock();
    void rowsAreAppendedUnderOneHeader();
    void aFileThatIsNoJobLogIsRefused();
    void anAppendThatRunsOutOfRoomKeepsTheLog_data();
    void anAppendThatRunsOutOfRoomKeepsTheLog();
};

void TestFleet::codesCount_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("codes");  // empty: refused
    QTest::addColumn<int>("error");
    using E = CodeStartError;
    QTest::newRow("counts up") << "1001" << 3 << QStringList{"1001", "1002", "1003"}
                               << int(E::None);
    QTest::newRow("keeps its width") << "0099" << 2 << QStringList{"0099", "0100"} << int(E::None);
    QTest::newRow("grows past nines")
        << "998" << 3 << QStringList{"998", "999", "1000"} << int(E::None);
    QTest::newRow("a prefix stays") << "*A9" << 2 << QStringList{"*A9", "*A10"} << int(E::None);
    QTest::newRow("one radio needs no digits") << "12#" << 1 << QStringList{"12#"} << int(E::None);
    QTest::newRow("nothing to count") << "12#" << 2 << QStringList{} << int(E::NoDigits);
    QTest::newRow("not DTMF") << "12E" << 1 << QStringList{} << int(E::NotDtmf);
    QTest::newRow("empty") << "" << 1 << QStringList{} << int(E::Empty);
    QTest::newRow("sixteen nines and one more")
        << "9999999999999999" << 2 << QStringList{} << int(E::TooLong);
    QTest::newRow("seventeen characters")
        << "12345678901234567" << 1 << QStringList{} << int(E::TooLong);
}

void TestFleet::codesCount()
{
    QFETCH(QString, start);
    QFETCH(int, count);
    QFETCH(QStringList, codes);
    QFETCH(int, error);
    QStringList counted{"left over"};
    QCOMPARE(int(CountCodes(start, count, counted)), error);
    QCOMPARE(counted, codes);
    if (codes.size() > 1) {
        QCOMPARE(NextCode(start), codes.at(1));
    }
}

void TestFleet::codesGoIntoTheFeatureBlock()
{
    RadioData data;
    SetCodes(data, QStringLiteral("2001"), QString());
    const auto& d = data.block(Block::B0120).data;
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(&d[32]), 16),
             QByteArray("2001") + QByteArray(12, char(0xFF)));
    QCOMPARE(Code2Of(data), QStringLiteral("54321"));  // kept
    SetCodes(data, QString(), QStringLiteral("*#1234567890ABCD"));
    QCOMPARE(Code1Of(data), QStringLiteral("2001"));
    QCOMPARE(Code2Of(data), QStringLiteral("*#1234567890ABCD"));
}

void TestFleet::rowsAreAppendedUnderOneHeader()
{
    QTemporaryDir dir;
    JobLog log(dir.filePath("job.csv"));
    QVERIFY(log.Check().ok());
    // Sixteen radios ending at once: every row lands, under one header.
    std::vector<std::unique_ptr<QThread>> threads;
    for (int i = 0; i < 16; ++i) {
        threads.emplace_back(QThread::create([&log, i] {
            QVERIFY(log.Append(Row(QStringLiteral("COM%1").arg(i + 1),
                                   QStringLiteral("written and verified")))
                        .ok());
        }));
        threads.back()->start();
    }
    for (auto& thread : threads) {
        thread->wait();
    }
    const QByteArray bytes = Read(log.Path());
    QVERIFY(bytes.startsWith(kHeader));
    QCOMPARE(bytes.count("\r\n"), 17);
    QCOMPARE(bytes.count(kHeader), 1);
    QVERIFY2(bytes.contains("\r\n2026-12-09T14:03:52+01:00,COM16,/dev/ttyUSB0,,\"/plans/fleet, "
                            "north.tw\",ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f2"
                            "0015ad,2001,,written and verified,,\r\n"),
             bytes.constData());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"job.csv"});

    // A last row cut short (a program killed half way) does not run into the next.
    QFile f(log.Path());
    QVERIFY(f.open(QIODevice::Append));
    f.write("2026-12-09T14:04:00+01:00,COM3");
    f.close();
    QVERIFY(log.Append(Row("COM4", "failed: a reason, with a comma")).ok());
    QVERIFY(Read(log.Path())
                .endsWith(",COM3\r\n2026-12-09T14:03:52+01:00,COM4,/dev/ttyUSB0,,"
                          "\"/plans/fleet, north.tw\",ba7816bf8f01cfea414140de5dae222"
                          "3b00361a396177a9cb410ff61f20015ad,2001,,\"failed: a reason, "
                          "with a comma\",,\r\n"));
}

void TestFleet::aFileThatIsNoJobLogIsRefused()
{
    QTemporaryDir dir;
    const QString data = dir.filePath("plan.tw");
    QFile f(data);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(1704, char(0xFF)));
    f.close();
    const QString dangling = dir.filePath("dangling.csv");
    QVERIFY(QFile::link(dir.filePath("nothing.csv"), dangling));
    for (const QString& path :
         {data, dir.path(), dir.filePath("no/such/folder/job.csv"), dangling}) {
        JobLog log(path);
        QVERIFY2(!log.Check().ok(), qPrintable(path));
        QVERIFY(!log.Append(Row("COM1", "written")).ok());
    }
    QCOMPARE(Read(data), QByteArray(1704, char(0xFF)));
}

void TestFleet::anAppendThatRunsOutOfRoomKeepsTheLog_data()
{
    QTest::addColumn<Shortage>("shortage");
    QTest::newRow("full disk") << Shortage::FullDisk;
    QTest::newRow("size limit") << Shortage::SizeLimit;
}

void TestFleet::anAppendThatRunsOutOfRoomKeepsTheLog()
{
    QFETCH(Shortage, shortage);
    ShortOfRoom room(shortage, 400);
    if (!room.Unavailable().isEmpty()) {
        QSKIP(qPrintable(room.Unavailable()));
    }
    JobLog log(room.Path("job.csv"));
    QVERIFY(log.Append(Row("COM1", "written")).ok());
    const QByteArray before = Read(log.Path());
    room.Fill();
    room.Run([&] { QVERIFY(!log.Append(Row("COM2", "written")).ok()); });
    QCOMPARE(Read(log.Path()), before);
    QCOMPARE(room.Entries(), QStringList{"job.csv"});
}

QTEST_GUILESS_MAIN(TestFleet)
#include "test_fleet.moc"
