// What may follow a transfer: the verify after a write (a second session that reads
// back what was written) against the simulated radio and, for its time window,
// against a scripted line; and the backup of every image read or written.
#include <QTemporaryDir>
#include <QtTest>

#include "config/backup_store.h"
#include "config/file_reading.h"
#include "link/protocol.h"
#include "link/transfer_worker.h"
#include "link/verify_session.h"
#include "recording_host.h"
#include "scripted_link.h"
#include "sim_helpers.h"
#include "transcript.h"

using namespace radio;
using namespace radio::sim;
using namespace radio::test;

namespace {

// A record for the radio's band and model with every data byte its own.
RadioData Filled(int bandLower, int bandUpper, int model, int seed)
{
    RadioData record;
    record.bandLower = bandLower;
    record.bandUpper = bandUpper;
    record.model = model;
    for (int b = 0; b < kBlockCount; ++b) {
        for (int j = 0; j < kBlockDataSize; ++j) {
            record.blocks[std::size_t(b)].data[std::size_t(j)] =
                std::uint8_t((b * 64 + j) * 5 + seed);
        }
    }
    return record;
}

// A worker that reports to a recording host and talks to the simulated radio.
struct TransferOn {
    TransferOn(RadioData& record, const RadioSimulator& radio) : host(record)
    {
        worker.Init(&host, record);
        worker.SetDeviceOverride(radio.DevicePath());
    }
    RecordingHost host;
    CTransferWorker worker;
};

QByteArray EntryCode()
{
    return QByteArray(reinterpret_cast<const char*>(wire::kEntryCode.data()),
                      int(wire::kEntryCode.size()));
}

QByteArray ImageOf(const RadioData& record)
{
    const auto image = record.ToImage();
    return QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()));
}

QByteArray FileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class TestVerify : public QObject {
    Q_OBJECT
private slots:
    void cleanRadioPassesInASecondPass();
    void corruptedByteFailsNamingItsAddress();
    void lowestDifferenceIsNamed();
    void restartingRadioIsWaitedFor();
    void headerAddressesPlayNoPart();
    void withoutVerifyNothingIsReadBack();

    void entryWindowIsThreeSeconds();
    void entryRefusedWhileStartingIsTriedAgain();
    void entryThatCannotBeSentFailsAtOnce();

    void backupOfEachReadAndWrite();
    void noBackupOfAFailedTransfer();
    void failedBackupDoesNotFailTheTransfer();
};

void TestVerify::cleanRadioPassesInASecondPass()
{
    auto radio = StartRadio(FastRadio(400, 1));
    QVERIFY(radio);
    RadioData record = Filled(400, 470, 1, 3);
    TransferOn t(record, *radio);
    t.worker.SetVerify(true);
    RunTransfer(t.worker, TransferMode::Write);

    QVERIFY(t.host.errors.empty());
    QCOMPARE(t.host.writes, 1);
    QCOMPARE(t.host.verifies, 1);
    QVERIFY(radio->WaitForEnds(2, 5000));
    QCOMPARE(Transcript(radio->Events()), WriteTranscript(4) + VerifyTranscript(4));

    // The write's pass ends at 100; the verify's starts again at 1, one step after the
    // entry, the identity and each of the 10 blocks, and ends at 100.
    const std::vector<int> write(t.host.progress.begin(),
                                 t.host.progress.begin() + std::ptrdiff_t(t.host.progressAtVerify));
    QCOMPARE(write.back(), 100);
    const std::vector<int> verify(t.host.progress.begin() + std::ptrdiff_t(t.host.progressAtVerify),
                                  t.host.progress.end());
    std::vector<int> expected{1};
    for (int done = 1; done <= 12; ++done) {
        expected.push_back(1 + done * 99 / 12);
    }
    expected.push_back(0);
    QCOMPARE(verify, expected);
}

void TestVerify::corruptedByteFailsNamingItsAddress()
{
    SimConfig config = FastRadio(136, 0);
    config.faults.corruptWrite = 0x0125;
    auto radio = StartRadio(config);
    QVERIFY(radio);
    RadioData record = Filled(136, 174, 0, 9);
    TransferOn t(record, *radio);
    t.worker.SetVerify(true);
    RunTransfer(t.worker, TransferMode::Write);

    QCOMPARE(t.host.writes, 0);
    QCOMPARE(t.host.errors.size(), std::size_t(1));
    const TransferError& error = t.host.errors.front();
    QCOMPARE(error.kind, TransferError::Kind::VerifyMismatch);
    QVERIFY(error.verifying);
    QCOMPARE(error.address, 0x0125);
    const int written = record.block(Block::B0120).data[5];
    QCOMPARE(error.written, written);
    QCOMPARE(error.held, written ^ 0x01);
    QCOMPARE(int(radio->Memory()[0x0125]), written ^ 0x01);
    // Every block was read back, and the radio left programming mode.
    QVERIFY(radio->WaitForEnds(2, 5000));
    QCOMPARE(Transcript(radio->Events()), WriteTranscript(8) + VerifyTranscript(8));
    QCOMPARE(t.host.progress.back(), 0);
}

void TestVerify::lowestDifferenceIsNamed()
{
    // The first byte of every chunk is wrong: the lowest address is block 0x0000's.
    SimConfig config = FastRadio(400, 1);
    config.faults.corruptWrite = kAnyAddress;
    auto radio = StartRadio(config);
    QVERIFY(radio);
    RadioData record = Filled(400, 470, 1, 1);
    TransferOn t(record, *radio);
    t.worker.SetVerify(true);
    RunTransfer(t.worker, TransferMode::Write);
    QCOMPARE(t.host.errors.size(), std::size_t(1));
    QCOMPARE(t.host.errors.front().kind, TransferError::Kind::VerifyMismatch);
    QCOMPARE(t.host.errors.front().address, 0x0000);
    QCOMPARE(t.host.errors.front().written, int(record.block(Block::B0000).data[0]));
}

void TestVerify::restartingRadioIsWaitedFor()
{
    // Deaf for 1.2 s after the write's end byte: the first entry of the verify (about
    // 1 s of attempts) goes unheard, the next one is answered.
    SimConfig config = FastRadio(400, 1);
    config.faults.restartMs = 1200;
    auto radio = StartRadio(config);
    QVERIFY(radio);
    RadioData record = Filled(400, 470, 1, 4);
    TransferOn t(record, *radio);
    t.worker.SetVerify(true);
    const qint64 ms = RunTransfer(t.worker, TransferMode::Write);
    QVERIFY2(t.host.errors.empty(),
             t.host.errors.empty() ? "" : qPrintable(t.host.errors[0].detail));
    QCOMPARE(t.host.writes, 1);
    QVERIFY2(ms >= 1200, qPrintable(QString::number(ms)));
    QVERIFY(radio->WaitForEnds(2, 5000));
    QCOMPARE(Transcript(radio->Events()), WriteTranscript(4) + VerifyTranscript(4));
}

void TestVerify::headerAddressesPlayNoPart()
{
    // A data file may give a block the address of another; the write and the verify
    // still go to block 0x0110's own address, and block 0x0120 keeps its quarters.
    auto radio = StartRadio(FastRadio(400, 1));
    QVERIFY(radio);
    RadioData record = Filled(400, 470, 1, 6);
    record.block(Block::B0110).SetAddress(0x0120);
    TransferOn t(record, *radio);
    t.worker.SetVerify(true);
    RunTransfer(t.worker, TransferMode::Write);
    QVERIFY(t.host.errors.empty());
    QCOMPARE(t.host.writes, 1);
    const RadioMemory memory = radio->Memory();
    QCOMPARE(memory[0x0110], record.block(Block::B0110).data[0]);
    QCOMPARE(memory[0x0120], record.block(Block::B0120).data[0]);
}

void TestVerify::withoutVerifyNothingIsReadBack()
{
    auto radio = StartRadio(FastRadio(400, 1));
    QVERIFY(radio);
    RadioData record = Filled(400, 470, 1, 2);
    TransferOn t(record, *radio);
    t.worker.SetVerify(false);
    RunTransfer(t.worker, TransferMode::Write);
    QCOMPARE(t.host.writes, 1);
    QCOMPARE(t.host.verifies, 0);
    QVERIFY(radio->WaitForEnds(1, 5000));
    QCOMPARE(Transcript(radio->Events()), WriteTranscript(4));

    // Nor after a read, whatever the setting.
    t.worker.SetVerify(true);
    radio->ClearEvents();
    RunTransfer(t.worker, TransferMode::Read);
    QCOMPARE(t.host.reads, 1);
    QCOMPARE(t.host.verifies, 0);
    QVERIFY(radio->WaitForEnds(2, 5000));
    QCOMPARE(Transcript(radio->Events()), ReadTranscript(4));
}

void TestVerify::entryWindowIsThreeSeconds()
{
    // A radio that stays silent: whole entries (each up to four attempts, about 1 s)
    // are started while less than 3 s have passed.
    ScriptedLink link;
    for (int i = 0; i < 12; ++i) {
        link.Expect(EntryCode());
    }
    const RadioData record;
    VerifySession session(link, record, [&link] { return link.Now(); });
    TransferError error;
    std::vector<int> steps;
    QVERIFY(!session.Run(error, [&](int done, int) { steps.push_back(done); }));
    QCOMPARE(error.kind, TransferError::Kind::NoAnswer);
    QVERIFY(error.verifying);
    QVERIFY(steps.empty());
    QCOMPARE(link.Writes().size(), 12);
    QVERIFY(link.Unexpected().isEmpty());
    QVERIFY2(link.Now() >= VerifySession::kEntryWindowMs && link.Now() < 4200,
             qPrintable(QString::number(link.Now())));
}

void TestVerify::entryRefusedWhileStartingIsTriedAgain()
{
    // A stray byte from a radio still starting is no final refusal; once it answers,
    // the session goes on (here to an identity that never comes).
    ScriptedLink link;
    link.Expect(EntryCode(), QByteArray(1, char(wire::kNak)));
    link.Expect(EntryCode(), QByteArray(1, char(wire::kAck)));
    link.Expect(QByteArray(1, char(wire::kIdentityRequest)));
    const RadioData record;
    VerifySession session(link, record, [&link] { return link.Now(); });
    TransferError error;
    int stepsDone = 0;
    int total = 0;
    QVERIFY(!session.Run(error, [&](int done, int all) {
        stepsDone = done;
        total = all;
    }));
    QCOMPARE(error.kind, TransferError::Kind::LinkFault);
    QCOMPARE(error.detail, QStringLiteral("identity"));
    QCOMPARE(stepsDone, 1);
    QCOMPARE(total, session.StepCount());
    QCOMPARE(total, 2 + 10);  // 16 channels: entry, identity, 10 blocks
    QVERIFY(link.ScriptDone());
}

void TestVerify::entryThatCannotBeSentFailsAtOnce()
{
    ScriptedLink link;
    link.ExpectFailedWrite(EntryCode());
    const RadioData record;
    VerifySession session(link, record, [&link] { return link.Now(); });
    TransferError error;
    QVERIFY(!session.Run(error));
    QCOMPARE(error.kind, TransferError::Kind::LinkFault);
    QCOMPARE(error.detail, QStringLiteral("entry code"));
    QCOMPARE(link.Writes().size(), 1);
}

void TestVerify::backupOfEachReadAndWrite()
{
    QTemporaryDir dir;
    SimConfig config = FastRadio(136, 0);
    config.hasMemory = true;
    config.memory = PatternMemory(11);
    auto radio = StartRadio(config);
    QVERIFY(radio);
    RadioData record;
    TransferOn t(record, *radio);
    t.worker.SetBackupFolder(dir.path());

    RunTransfer(t.worker, TransferMode::Read);
    QCOMPARE(t.host.reads, 1);
    QCOMPARE(t.host.backups.size(), std::size_t(1));
    QVERIFY(t.host.backups[0].ok);
    QCOMPARE(t.host.succeededAtBackup, 0);  // saved before the read was reported
    std::vector<BackupEntry> entries = ListBackups(dir.path());
    QCOMPARE(entries.size(), std::size_t(1));
    QCOMPARE(entries[0].path, t.host.backups[0].path);
    QCOMPARE(entries[0].kind, BackupKind::Read);
    QCOMPARE(entries[0].bandLower, 136);
    QCOMPARE(entries[0].bandUpper, 174);
    QCOMPARE(entries[0].channels, 32);
    QVERIFY(QFileInfo(entries[0].path).fileName().contains("_read_136-174MHz_32ch"));
    QVERIFY(qAbs(entries[0].time.secsTo(QDateTime::currentDateTime())) < 60);
    QCOMPARE(FileBytes(entries[0].path), ImageOf(record));

    record.Channel(0).SetRxFrequency(0x14612500);
    t.worker.Init(&t.host, record);  // the worker sends the record as it is now
    RunTransfer(t.worker, TransferMode::Write);
    QCOMPARE(t.host.writes, 1);
    entries = ListBackups(dir.path());
    QCOMPARE(entries.size(), std::size_t(2));
    QCOMPARE(entries[0].kind, BackupKind::Write);
    QVERIFY(QFileInfo(entries[0].path).fileName().contains("_write_136-174MHz_32ch"));
    // What was written, the identity bytes of this radio included.
    QCOMPARE(FileBytes(entries[0].path), ImageOf(record));
    RadioData backup;
    QVERIFY(LoadDataFile(entries[0].path, backup).ok());
    QCOMPARE(backup.Channel(0).RxFrequency(), 0x14612500u);
}

void TestVerify::noBackupOfAFailedTransfer()
{
    QTemporaryDir dir;
    SimConfig config = FastRadio(400, 1);
    config.faults.wrongAddress = 0x0120;
    auto radio = StartRadio(config);
    QVERIFY(radio);
    RadioData record;
    TransferOn t(record, *radio);
    t.worker.SetBackupFolder(dir.path());
    RunTransfer(t.worker, TransferMode::Read);
    QCOMPARE(t.host.reads, 0);

    // A write whose verify fails has not put the image into the radio either.
    SimFaults faults;
    faults.corruptWrite = 0x03C0;
    radio->SetFaults(faults);
    t.worker.SetVerify(true);
    RunTransfer(t.worker, TransferMode::Write);
    QCOMPARE(t.host.writes, 0);
    QCOMPARE(t.host.errors.size(), std::size_t(2));
    QVERIFY(t.host.backups.empty());
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

void TestVerify::failedBackupDoesNotFailTheTransfer()
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath("backups"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));  // a file where the folder should be
    blocker.close();
    auto radio = StartRadio(FastRadio(400, 1));
    QVERIFY(radio);
    RadioData record;
    TransferOn t(record, *radio);
    t.worker.SetBackupFolder(dir.filePath("backups"));
    RunTransfer(t.worker, TransferMode::Read);
    QCOMPARE(t.host.reads, 1);
    QVERIFY(t.host.errors.empty());
    QCOMPARE(t.host.backups.size(), std::size_t(1));
    QVERIFY(!t.host.backups[0].ok);
    QVERIFY(!t.host.backups[0].error.isEmpty());
}

QTEST_GUILESS_MAIN(TestVerify)
#include "test_verify.moc"
