// Whole reads and writes through the transfer worker against a simulated radio on a
// real pseudo-terminal: which blocks and quarters travel, byte for byte; the progress
// values; every fault of the radio or the line ending in a clean, bounded failure; a
// failed read leaving the record as it was; Retry; one transfer at a time.
#include <QtTest>

#include "link/block_plan.h"
#include "link/port_names.h"
#include "link/protocol.h"
#include "link/serial_port.h"
#include "link/transfer_worker.h"
#include "recording_host.h"
#include "sim_helpers.h"
#include "transcript.h"

using namespace radio;
using namespace radio::sim;
using namespace radio::test;

Q_DECLARE_METATYPE(radio::sim::SimFaults)
Q_DECLARE_METATYPE(radio::TransferMode)
Q_DECLARE_METATYPE(radio::TransferError::Kind)

namespace {

std::vector<int> Progress(int step, int steps, bool failedTail = false)
{
    std::vector<int> out{1};
    for (int i = 1; i <= steps; ++i) {
        out.push_back(1 + step * i);
    }
    if (!failedTail) {
        out.push_back(100);
    }
    out.push_back(0);
    return out;
}

// Fills every data byte of a record with a pattern of its own.
void FillRecord(RadioData& record, int seed)
{
    for (int b = 0; b < kBlockCount; ++b) {
        for (int j = 0; j < kBlockDataSize; ++j) {
            record.blocks[std::size_t(b)].data[std::size_t(j)] =
                std::uint8_t((b * 64 + j) * 3 + seed);
        }
    }
}

bool BlockIs(const DataBlock& block, std::uint8_t value)
{
    return std::all_of(block.data.begin(), block.data.end(), [=](auto b) { return b == value; });
}

// The bytes of a chunk range of the memory.
QByteArray Range(const RadioMemory& memory, int address, int size)
{
    return QByteArray(reinterpret_cast<const char*>(memory.data()) + address, size);
}
QByteArray Range(const DataBlock& block, int from, int size)
{
    return QByteArray(reinterpret_cast<const char*>(block.data.data()) + from, size);
}

class PortVariable {
public:
    PortVariable(int n, const QString& device) : m_name("RADIOPROG_COM" + QByteArray::number(n))
    {
        qputenv(m_name.constData(), device.toLocal8Bit());
    }
    ~PortVariable() { qunsetenv(m_name.constData()); }

private:
    QByteArray m_name;
};

}  // namespace

class TestTransfer : public QObject {
    Q_OBJECT
private slots:
    void read16ChannelsByteForByte();
    void read32ChannelsIntoA16ChannelRecord();
    void transfersUseTheFixedAddresses_data();
    void transfersUseTheFixedAddresses();
    void write16ChannelsByteForByte();
    void write32ChannelsByteForByte();
    void writeSendsTheRecordAsItWasAtInit();
    void writeToARadioOfAnotherModelIsDeclined();
    void writeToARadioOfAnotherModelWhenTheHostGoesOn();
    void undecodableIdentityIsNotReported();

    void faultsEndInCleanBoundedFailures_data();
    void faultsEndInCleanBoundedFailures();
    void chunkAnsweredWithinTheRepeatsIsWritten();
    void radioThatAnswersTwiceAtLineSpeed();
    void radioVanishingMidTransferFailsAtOnce();

    void retryRepeatsTheWholeTransfer();
    void retryAfterAFaultCanSucceed();
    void portNumberOutsideOneToTen_data();
    void portNumberOutsideOneToTen();
    void missingAndBusyPortsSayWhich();
    void deviceOverrideReplacesTheRecordsPort();
    void manySessionsInARow();
    void oneTransferAtATime();
    void probePortsReportsWhichOpen();
    void commitReadTakesOnlyWhatWasRead();
};

void TestTransfer::read16ChannelsByteForByte()
{
    SimConfig config = FastRadio(136, 1);
    config.hasMemory = true;
    config.memory = PatternMemory(1);
    auto radio = StartRadio(config);
    QVERIFY(radio);
    PortVariable com1(1, radio->DevicePath());

    RadioData record;
    for (int k = 4; k < 8; ++k) {
        record.block(ChannelBlock(k)).Fill(0xA5);
    }
    record.block(Block::B01B8).Fill(0xA5);
    RecordingHost host(record);
    CTransferWorker worker;
    worker.Init(&host, record);
    RunTransfer(worker, TransferMode::Read);

    QCOMPARE(host.reads, 1);
    QVERIFY(host.errors.empty());
    // The end byte has no answer: the radio may log it just after the transfer returns.
    QTRY_COMPARE_WITH_TIMEOUT(Transcript(radio->Events()), ReadTranscript(4), 5000);
    for (Block b : {Block::B0000, Block::Channel0, Block::Channel1, Block::Channel2,
                    Block::Channel3, Block::B0120, Block::B0110, Block::B0160, Block::B03C0}) {
        QCOMPARE(record.block(b).data, MemoryAt(config.memory, DefaultAddress(b)));
        QCOMPARE(record.block(b).Address(), DefaultAddress(b));
    }
    for (int k = 4; k < 8; ++k) {
        QVERIFY(BlockIs(record.block(ChannelBlock(k)), 0xA5));
    }
    QVERIFY(BlockIs(record.block(Block::B01B8), 0xA5));
    QCOMPARE(record.bandLower, 136);
    QCOMPARE(record.bandUpper, 174);
    QCOMPARE(record.model, 1);
    QCOMPARE(record.radioBandLower, 136);
    QCOMPARE(record.radioBandUpper, 174);
    QCOMPARE(record.radioModel, 1);
    QCOMPARE(host.progress, Progress(11, 10));  // 1, 12, ..., 111, 100, 0
    QVERIFY(!worker.IsBusy());
}

void TestTransfer::read32ChannelsIntoA16ChannelRecord()
{
    SimConfig config = FastRadio(440, 0);
    config.hasMemory = true;
    config.memory = PatternMemory(2);
    auto radio = StartRadio(config);
    QVERIFY(radio);
    PortVariable com1(1, radio->DevicePath());

    RadioData record;  // 16 channels, 400-470
    RecordingHost host(record);
    CTransferWorker worker;
    worker.Init(&host, record);
    RunTransfer(worker, TransferMode::Read);

    QCOMPARE(host.reads, 1);
    // The end byte has no answer: the radio may log it just after the transfer returns.
    QTRY_COMPARE_WITH_TIMEOUT(Transcript(radio->Events()), ReadTranscript(8), 5000);
    for (int k = 0; k < 8; ++k) {
        QCOMPARE(record.block(ChannelBlock(k)).data,
                 MemoryAt(config.memory, DefaultAddress(ChannelBlock(k))));
    }
    QCOMPARE(record.model, 0);
    QCOMPARE(record.bandLower, 440);
    QCOMPARE(record.bandUpper, 480);
    QCOMPARE(host.progress, Progress(7, 14));  // 1, 8, ..., 99, 100, 0
}

void TestTransfer::transfersUseTheFixedAddresses_data()
{
    QTest::addColumn<TransferMode>("mode");
    QTest::newRow("read") << TransferMode::Read;
    QTest::newRow("write and verify") << TransferMode::Write;
}

// A record whose block headers carry other addresses (as a crafted data file may)
// still moves every block from and to its fixed radio address.
void TestTransfer::transfersUseTheFixedAddresses()
{
    QFETCH(TransferMode, mode);
    SimConfig config = FastRadio(400, 1);
    config.hasMemory = true;
    config.memory = PatternMemory(3);
    auto radio = StartRadio(config);
    QVERIFY(radio);
    PortVariable com1(1, radio->DevicePath());

    RadioData record;
    FillRecord(record, 12);
    record.block(Block::Channel0).SetAddress(0x0380);
    record.block(Block::B03C0).SetAddress(0x0200);
    record.UpdateChannelMasks();
    RecordingHost host(record);
    CTransferWorker worker;
    worker.Init(&host, record);
    worker.SetVerify(true);
    RunTransfer(worker, mode);

    QVERIFY(host.errors.empty());
    QCOMPARE(host.reads + host.writes, 1);
    QTRY_COMPARE_WITH_TIMEOUT(radio->Ends(), mode == TransferMode::Write ? 2 : 1, 5000);
    const QStringList transcript = Transcript(radio->Events());
    for (const char* stray : {"0380", "0200"}) {
        QVERIFY2(!transcript.join(' ').contains(stray), qPrintable(transcript.join(' ')));
    }
    const RadioMemory memory = radio->Memory();
    if (mode == TransferMode::Read) {
        QCOMPARE(record.block(Block::Channel0).data, MemoryAt(config.memory, 0x0010));
        QCOMPARE(record.block(Block::Channel0).Address(), 0x0010);
        QCOMPARE(record.block(Block::B03C0).data, MemoryAt(config.memory, 0x03C0));
    } else {
        QCOMPARE(Range(memory, 0x0010, 64), Range(record.block(Block::Channel0), 0, 64));
        QCOMPARE(Range(memory, 0x03C0, 16), Range(record.block(Block::B03C0), 0, 16));
        // Memory elsewhere is the radio's own.
        QCOMPARE(Range(memory, 0x0380, 64), Range(config.memory, 0x0380, 64));
        QCOMPARE(Range(memory, 0x0200, 64), Range(config.memory, 0x0200, 64));
    }
}

void TestTransfer::write16ChannelsByteForByte()
{
    SimConfig config = FastRadio(400, 1);
    config.hasMemory = true;
    config.memory = PatternMemory(4);
    auto radio = StartRadio(config);
    QVERIFY(radio);
    PortVariable com1(1, radio->DevicePath());

    RadioData record;
    FillRecord(record, 9);
    record.Channel(0).SetRxFrequency(0x43012500);
    record.Channel(0).SetOption(ChannelOption::ScanAdd, true);
    record.Channel(5).SetRxFrequency(kNoFrequency);
    record.UpdateChannelMasks();
    RecordingHost host(record);
    CTransferWorker worker;
    worker.Init(&host, record);
    RunTransfer(worker, TransferMode::Write);

    QCOMPARE(host.writes, 1);
    QVERIFY(host.errors.empty());
    // The end byte has no answer: the radio may log it just after the transfer returns.
    QTRY_COMPARE_WITH_TIMEOUT(Transcript(radio->Events()), WriteTranscript(4), 5000);
    QCOMPARE(host.progress, Progress(11, 11));  // up to 122, then 100, 0

    // Every chunk holds the record's quarter; every other byte is the radio's own.
    RadioMemory expected = config.memory;
    const auto put = [&](Block b, int quarters) {
        const DataBlock& block = record.block(b);
        for (int j = 0; j < 16 * quarters; ++j) {
            expected[std::size_t(block.Address() + j)] = block.data[std::size_t(j)];
        }
    };
    put(Block::B0000, 1);
    for (int k = 0; k < 4; ++k) {
        put(ChannelBlock(k), 4);
    }
    put(Block::B0120, 4);
    put(Block::B0110, 1);
    put(Block::B0160, 2);
    put(Block::B01B8, 1);
    put(Block::B03C0, 1);
    const RadioMemory written = radio->Memory();
    QCOMPARE(written, expected);
    // The identity bytes were encoded from the radio's report before the write; the
    // eighth byte is the record's own.
    QCOMPARE(Range(written, 0x01B8, 7), QByteArray("K468\x36\x73\xFC", 7));
    QCOMPARE(written[0x01B8 + 7], record.block(Block::B01B8).data[7]);
    // The masks: channel 1 present and in the scan list, channel 6 erased.
    QCOMPARE(Range(written, 0x0160 + 28, 4), Range(record.block(Block::B0160), 28, 4));
    QVERIFY(written[0x0160 + 28] & 0x01);
    QVERIFY(!(written[0x0160 + 28] & 0x20));
    QVERIFY(written[0x0160 + 30] & 0x01);
    // Channel blocks 4-7 of a 16-channel radio are not sent.
    QCOMPARE(Range(written, 0x0200, 64), Range(config.memory, 0x0200, 64));
    QCOMPARE(Range(written, 0x0300, 64), Range(config.memory, 0x0300, 64));
}

// The caller's record changes while the write waits at the check: what is sent is
// the copy taken at Init, with the identity change of the check.
void TestTransfer::writeSendsTheRecordAsItWasAtInit()
{
    struct MeddlingHost : RecordingHost {
        explicit MeddlingHost(RadioData& record) : RecordingHost(record), caller(record) {}
        bool CheckBeforeWrite(const RadioReport& reported) override
        {
            const bool goOn = RecordingHost::CheckBeforeWrite(reported);
            atCheck = caller;
            FillRecord(caller, 0x5A);
            return goOn;
        }
        RadioData& caller;
        RadioData atCheck;
    };
    auto radio = StartRadio(FastRadio(400, 1));
    QVERIFY(radio);
    PortVariable com1(1, radio->DevicePath());
    RadioData record;
    FillRecord(record, 3);
    MeddlingHost host(record);
    CTransferWorker worker;
    worker.Init(&host, record);
    RunTransfer(worker, TransferMode::Write);
    QCOMPARE(host.writes, 1);
    const RadioMemory written = radio->Memory();
    for (const QuarterPlan& plan : WriteOrder(4)) {
        QCOMPARE(Range(written, DefaultAddress(plan.block), 16 * plan.quarters),
                 Range(host.atCheck.block(plan.block), 0, 16 * plan.quarters));
    }
}

void TestTransfer::write32ChannelsByteForByte()
{
    SimConfig config = FastRadio(136, 0);
    config.hasMemory = true;
    config.memory = PatternMemory(5);
    auto radio = StartRadio(config);
    QVERIFY(radio);
    PortVariable com1(1, radio->DevicePath());

    RadioData record;
    record.model = 0;
    record.bandLower = 136;
    record.bandUpper = 174;
    FillRecord(record, 21);
    record.UpdateChannelMasks();
    RecordingHost host(record);
    CTransferWorker worker;
    worker.Init(&host, record);
    RunTransfer(worker, TransferMode::Write);

    QCOMPARE(host.writes, 1);
    // The end byte has no answer: the radio may log it just after the transfer returns.
    QTRY_COMPARE_WITH_TIMEOUT(Transcript(radio->Events()), WriteTranscript(8), 5000);
    QCOMPARE(host.progress, Progress(7, 15));  // up to 106, then 100, 0
    const RadioMemory written = radio->Memory();
    for (int k = 0; k < 8; ++k) {
        const DataBlock& block = record.block(ChannelBlock(k));
        QCOMPARE(Range(written, block.Address(), 64), Range(block, 0, 64));
    }
    // The masks of channels 17-32 travel in quarter 0 of block 0x01B8.
    QCOMPARE(Range(written, 0x01B8 + 12, 4), Range(record.block(Block::B01B8), 12, 4));
    QCOMPARE(Range(written, 0x01B8, 7), QByteArray("K468\x37\x01\xF8", 7));
    QCOMPARE(Range(written, 0x01B8 + 16, 48), Range(config.memory, 0x01B8 + 16, 48));
}

void TestTransfer::writeToARadioOfAnotherModelIsDeclined()
{
    auto radio = StartRadio(FastRadio(400, 0));  // a 32-channel radio
    QVERIFY(radio);
    PortVariable com1(1, radio->DevicePath());
    const RadioMemory before = radio->Memory();

    RadioData record;  // 16-channel data
    RecordingHost host(record);
    CTransferWorker worker;
    worker.Init(&host, record);
    RunTransfer(worker, TransferMode::Write);

    QCOMPARE(host.reports.size(), std::size_t(1));
    QCOMPARE(host.reports[0].model, 0);
    QCOMPARE(host.writes, 0);
    QVERIFY(host.errors.empty());  // declined quietly: no failure, no Retry
    QCOMPARE(Transcript(radio->Events()), (QStringList{"entry", "identity"}));
    QCOMPARE(radio->Memory(), before);
    QCOMPARE(host.progress, (std::vector<int>{1, 0}));
    QCOMPARE(record.model, 1);
}

void TestTransfer::writeToARadioOfAnotherModelWhenTheHostGoesOn()
{
    auto radio = StartRadio(FastRadio(400, 0));
    QVERIFY(radio);
    PortVariable com1(1, radio->DevicePath());

    RadioData record;
    RecordingHost host(record);
    host.writeOnMismatch = true;
    CTransferWorker worker;
    worker.Init(&host, record);
    RunTransfer(worker, TransferMode::Write);

    // The data's model stays, so its 4 channel blocks are sent.
    QCOMPARE(host.writes, 1);
    QCOMPARE(record.model, 1);
    // The end byte has no answer: the radio may log it just after the transfer returns.
    QTRY_COMPARE_WITH_TIMEOUT(Transcript(radio->Events()), WriteTranscript(4), 5000);
}

void TestTransfer::undecodableIdentityIsNotReported()
{
    SimConfig config = FastRadio(400, 1);
    Identity odd{};
    EncodeIdentity(odd.data(), 136, 0);
    odd[7] = 0x00;  // not an identity this program accepts
    config.identity = odd;
    auto radio = StartRadio(config);
    QVERIFY(radio);
    PortVariable com1(1, radio->DevicePath());

    // An earlier radio reported 136-174, 32 channels.
    RadioData record;
    record.radioBandLower = 136;
    record.radioBandUpper = 174;
    record.radioModel = 0;
    RecordingHost host(record);
    CTransferWorker worker;
    worker.Init(&host, record);

    RunTransfer(worker, TransferMode::Read);
    QCOMPARE(host.reads, 1);
    QCOMPARE(host.undecoded, (std::vector<std::array<std::uint8_t, 8>>{odd}));
    QCOMPARE(host.lastTaken.bandLower, 400);
    QCOMPARE(host.lastTaken.model, 1);
    QCOMPARE(record.radioBandLower, kNotReported);
    QCOMPARE(record.radioModel, kNotReported);
    QCOMPARE(record.bandLower, 400);  // nothing decoded: the data's band stays
    QCOMPARE(record.model, 1);

    record.radioBandLower = 136;
    record.radioModel = 0;
    worker.Init(&host, record);
    RunTransfer(worker, TransferMode::Write);
    QCOMPARE(host.reports.size(), std::size_t(1));
    QCOMPARE(host.reports[0].bandLower, kNotReported);
    QCOMPARE(host.reports[0].bandUpper, kNotReported);
    QCOMPARE(host.reports[0].model, kNotReported);
    QCOMPARE(host.writes, 1);
    QCOMPARE(host.undecoded.size(), std::size_t(2));
    // Not reported: the data's band and model were taken as the radio's.
    QCOMPARE(record.radioBandLower, 400);
    QCOMPARE(record.Identity()[4], std::uint8_t(0x36));
}

void TestTransfer::faultsEndInCleanBoundedFailures_data()
{
    QTest::addColumn<SimFaults>("faults");
    QTest::addColumn<TransferMode>("mode");
    QTest::addColumn<TransferError::Kind>("kind");
    QTest::addColumn<QString>("detail");
    QTest::addColumn<int>("atLeastMs");
    QTest::addColumn<int>("atMostMs");  // generous: a loaded machine is slow, not stuck
    using Kind = TransferError::Kind;
    const auto faults = [](auto change) {
        SimFaults f;
        change(f);
        return f;
    };
    // 200 ms, four attempts of 5 + 2 ms, limits of 500 + 3 x 100 ms.
    QTest::newRow("no answer to the entry code")
        << faults([](SimFaults& f) { f.entrySilent = true; }) << TransferMode::Read
        << Kind::NoAnswer << QString() << 1000 << 5000;
    QTest::newRow("NAK to the entry code")
        << faults([](SimFaults& f) { f.entryNak = true; }) << TransferMode::Write << Kind::Refused
        << QString() << 200 << 3000;
    QTest::newRow("short identity")
        << faults([](SimFaults& f) { f.shortIdentity = true; }) << TransferMode::Read
        << Kind::LinkFault << "identity" << 550 << 4000;
    QTest::newRow("wrong block address")
        << faults([](SimFaults& f) { f.wrongAddress = 0x0120; }) << TransferMode::Read
        << Kind::LinkFault << "block 0x0120" << 200 << 3000;
    QTest::newRow("short block") << faults([](SimFaults& f) { f.shortBlock = 0x0090; })
                                 << TransferMode::Read << Kind::LinkFault << "block 0x0090" << 750
                                 << 4000;
    QTest::newRow("no final ACK") << faults([](SimFaults& f) { f.noBlockAck = 0x03C0; })
                                  << TransferMode::Read << Kind::LinkFault << "block 0x03C0" << 750
                                  << 4000;
    QTest::newRow("line dead during a read")
        << faults([](SimFaults& f) { f.deadAfter = 60; }) << TransferMode::Read << Kind::LinkFault
        << QString() << 750 << 4000;
    // Four sends, each waiting 2 + 550 ms, 50 ms apart.
    QTest::newRow("chunk never answered")
        << faults([](SimFaults& f) { f.chunkSilent = 0x0130; }) << TransferMode::Write
        << Kind::LinkFault << "block 0x0120, quarter 1, not answered" << 2350 << 7000;
    QTest::newRow("chunk answered too late") << faults([](SimFaults& f) {
        f.chunkLate = 0x0050;
        f.lateRepeats = 4;
    }) << TransferMode::Write << Kind::LinkFault
                                             << "block 0x0050, quarter 0, not answered" << 2350
                                             << 7000;
    QTest::newRow("chunk NAK") << faults([](SimFaults& f) { f.chunkNak = 0x0000; })
                               << TransferMode::Write << Kind::LinkFault
                               << "block 0x0000, quarter 0, refused" << 200 << 3000;
    // An answer that comes late or twice is never taken for the next chunk's: the
    // last chunk's own NAK or silence fails the write.
    QTest::newRow("late acknowledgement, then a NAK of the last chunk") << faults([](SimFaults& f) {
        f.lateAck = 0x0000;
        f.chunkNak = 0x03C0;
    }) << TransferMode::Write << Kind::LinkFault << "block 0x03C0, quarter 0, refused"
                                                                        << 700 << 7000;
    QTest::newRow("late acknowledgement, then silence from the last chunk")
        << faults([](SimFaults& f) {
               f.lateAck = 0x01B8;
               f.silentFrom = 0x03C0;
           })
        << TransferMode::Write << Kind::LinkFault << "block 0x03C0, quarter 0, not answered" << 2350
        << 9000;
    QTest::newRow("doubled acknowledgements, then a NAK of the last chunk")
        << faults([](SimFaults& f) {
               f.doubleAck = true;
               f.chunkNak = 0x03C0;
           })
        << TransferMode::Write << Kind::LinkFault << "block 0x03C0, quarter 0, refused" << 200
        << 3000;
    QTest::newRow("doubled acknowledgements, then silence from the last chunk")
        << faults([](SimFaults& f) {
               f.doubleAck = true;
               f.silentFrom = 0x03C0;
           })
        << TransferMode::Write << Kind::LinkFault << "block 0x03C0, quarter 0, not answered" << 2350
        << 7000;
    QTest::newRow("echoing cable") << faults([](SimFaults& f) { f.echo = true; })
                                   << TransferMode::Write << Kind::Echo << QString() << 200 << 3000;
    QTest::newRow("line dead during a write")
        << faults([](SimFaults& f) { f.deadAfter = 150; }) << TransferMode::Write << Kind::LinkFault
        << QString() << 2350 << 7000;
}

void TestTransfer::faultsEndInCleanBoundedFailures()
{
    QFETCH(SimFaults, faults);
    QFETCH(TransferMode, mode);
    QFETCH(TransferError::Kind, kind);
    QFETCH(QString, detail);
    QFETCH(int, atLeastMs);
    QFETCH(int, atMostMs);

    SimConfig config = FastRadio(136, 0);
    config.hasMemory = true;
    config.memory = PatternMemory(6);
    config.faults = faults;
    auto radio = StartRadio(config);
    QVERIFY(radio);
    PortVariable com2(2, radio->DevicePath());

    RadioData record;
    record.port = 2;
    record.bandLower = 136;  // the radio's band and model: a write goes ahead
    record.bandUpper = 174;
    record.model = 0;
    FillRecord(record, 33);
    record.radioBandLower = 450;
    record.radioBandUpper = 520;
    record.radioModel = 1;
    const RadioData before = record;
    RecordingHost host(record);
    CTransferWorker worker;
    worker.Init(&host, record);
    const qint64 ms = RunTransfer(worker, mode);

    QCOMPARE(host.errors.size(), std::size_t(1));
    const TransferError& error = host.errors.front();
    QCOMPARE(error.kind, kind);
    if (!detail.isNull()) {
        QCOMPARE(error.detail, detail);
    }
    QCOMPARE(error.port, QStringLiteral("COM2"));
    QCOMPARE(error.device, radio->DevicePath());
    QVERIFY2(ms >= atLeastMs, qPrintable(QString::number(ms)));
    QVERIFY2(ms <= atMostMs, qPrintable(QString::number(ms)));
    QCOMPARE(host.reads + host.writes, 0);
    QCOMPARE(host.progress.back(), 0);
    if (kind == TransferError::Kind::NoAnswer || kind == TransferError::Kind::Refused ||
        kind == TransferError::Kind::Echo) {
        // Connecting shows 1, the failed entry 2, and the end 0.
        QCOMPARE(host.progress, (std::vector<int>{1, 2, 0}));
    }
    QVERIFY(!worker.IsBusy());
    if (mode == TransferMode::Read) {
        // Nothing of a failed read reaches the record.
        QCOMPARE(record.ToImage(), before.ToImage());
    }
    // The port was closed: it opens again at once.
    CSerialPort port;
    QVERIFY(port.Open(radio->DevicePath()));
}

void TestTransfer::chunkAnsweredWithinTheRepeatsIsWritten()
{
    SimConfig config = FastRadio(400, 1);
    config.faults.chunkLate = 0x0050;
    config.faults.lateRepeats = 3;
    auto radio = StartRadio(config);
    QVERIFY(radio);
    PortVariable com1(1, radio->DevicePath());

    RadioData record;
    FillRecord(record, 44);
    RecordingHost host(record);
    CTransferWorker worker;
    worker.Init(&host, record);
    RunTransfer(worker, TransferMode::Write);

    QCOMPARE(host.writes, 1);
    const QStringList transcript = Transcript(radio->Events());
    QCOMPARE(transcript.count(QStringLiteral("W 0050 -")), 3);
    QCOMPARE(transcript.count(QStringLiteral("W 0050")), 1);
    QCOMPARE(Range(radio->Memory(), 0x0050, 16), Range(record.block(Block::Channel1), 0, 16));
}

// At the line's pace the second acknowledgement lands just after the next command
// has gone out; the read, the write and its verify still go through.
void TestTransfer::radioThatAnswersTwiceAtLineSpeed()
{
    SimConfig config = FastRadio(400, 1);
    config.pacing = true;
    config.faults.doubleAck = true;
    auto radio = StartRadio(config);
    QVERIFY(radio);
    PortVariable com1(1, radio->DevicePath());

    RadioData record;
    RecordingHost host(record);
    CTransferWorker worker;
    worker.Init(&host, record);
    worker.SetVerify(true);
    RunTransfer(worker, TransferMode::Read);
    FillRecord(record, 45);
    worker.Init(&host, record);
    RunTransfer(worker, TransferMode::Write);
    QVERIFY2(host.errors.empty(), host.errors.empty() ? "" : qPrintable(host.errors[0].detail));
    QCOMPARE(host.reads + host.writes, 2);
    QCOMPARE(Range(radio->Memory(), 0x0050, 16), Range(record.block(Block::Channel1), 0, 16));

    // Nor does the second answer of the one before pass for the last chunk's NAK.
    SimFaults nakAtTheEnd = config.faults;
    nakAtTheEnd.chunkNak = 0x03C0;
    radio->SetFaults(nakAtTheEnd);
    RunTransfer(worker, TransferMode::Write);
    QCOMPARE(host.writes, 1);
    QCOMPARE(host.errors.size(), std::size_t(1));
    QCOMPARE(host.errors[0].detail, QStringLiteral("block 0x03C0, quarter 0, refused"));
}

void TestTransfer::radioVanishingMidTransferFailsAtOnce()
{
    SimConfig config = FastRadio(400, 0);
    config.pacing = true;  // a read of about 1.4 s, long enough to pull the plug
    auto radio = StartRadio(config);
    QVERIFY(radio);
    PortVariable com1(1, radio->DevicePath());

    RadioData record;
    const RadioData before = record;
    RecordingHost host(record);
    CTransferWorker worker;
    worker.Init(&host, record);
    QVERIFY(worker.SetMode(TransferMode::Read));
    CTestThread thread(&worker);
    thread.start();
    QTRY_VERIFY_WITH_TIMEOUT(radio->Events().size() >= 4, 10000);  // blocks are arriving
    QElapsedTimer timer;
    timer.start();
    radio->Stop();  // the cable is pulled: the terminal hangs up
    QVERIFY(thread.wait(10000));
    QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(host.errors.size(), std::size_t(1));
    QCOMPARE(host.errors[0].kind, TransferError::Kind::LinkFault);
    QCOMPARE(host.reads, 0);
    QCOMPARE(record.ToImage(), before.ToImage());
    QVERIFY(!worker.IsBusy());
}

void TestTransfer::retryRepeatsTheWholeTransfer()
{
    SimConfig config = FastRadio(400, 1);
    config.faults.entryNak = true;
    auto radio = StartRadio(config);
    QVERIFY(radio);
    PortVariable com1(1, radio->DevicePath());

    RadioData record;
    RecordingHost host(record);
    host.retries = 1;
    CTransferWorker worker;
    worker.Init(&host, record);
    RunTransfer(worker, TransferMode::Read);

    QCOMPARE(host.errors.size(), std::size_t(2));
    QCOMPARE(Transcript(radio->Events()), (QStringList{"entry", "entry"}));
    // Each run: 1 on connecting, 2 when programming mode failed, 0 at its end.
    QCOMPARE(host.progress, (std::vector<int>{1, 2, 0, 1, 2, 0}));
    QVERIFY(!worker.IsBusy());
}

void TestTransfer::retryAfterAFaultCanSucceed()
{
    SimConfig config = FastRadio(350, 1);
    config.faults.wrongAddress = 0x0110;
    auto radio = StartRadio(config);
    QVERIFY(radio);
    PortVariable com1(1, radio->DevicePath());

    RadioData record;
    RecordingHost host(record);
    host.retries = 1;
    host.beforeRetry = [&] { radio->SetFaults(SimFaults()); };  // the cable is fixed
    CTransferWorker worker;
    worker.Init(&host, record);
    RunTransfer(worker, TransferMode::Read);

    QCOMPARE(host.errors.size(), std::size_t(1));
    QCOMPARE(host.reads, 1);
    QCOMPARE(record.bandLower, 350);
    QTRY_VERIFY_WITH_TIMEOUT(Transcript(radio->Events()).endsWith(QStringLiteral("end")), 5000);
    const QStringList transcript = Transcript(radio->Events());
    QCOMPARE(transcript.count(QStringLiteral("entry")), 2);
    QCOMPARE(transcript.mid(transcript.lastIndexOf(QStringLiteral("entry"))), ReadTranscript(4));
    QCOMPARE(host.progress.back(), 0);
    QCOMPARE(std::count(host.progress.begin(), host.progress.end(), 0), 2);
}

void TestTransfer::portNumberOutsideOneToTen_data()
{
    QTest::addColumn<int>("port");
    QTest::newRow("11") << 11;
    QTest::newRow("0") << 0;
    QTest::newRow("-3") << -3;
}

void TestTransfer::portNumberOutsideOneToTen()
{
    QFETCH(int, port);
    RadioData record;
    record.port = port;
    const RadioData before = record;
    RecordingHost host(record);
    CTransferWorker worker;
    worker.Init(&host, record);
    const qint64 ms = RunTransfer(worker, TransferMode::Read);
    QCOMPARE(host.errors.size(), std::size_t(1));
    QCOMPARE(host.errors[0].kind, TransferError::Kind::PortInvalid);
    QCOMPARE(host.errors[0].portNumber, port);
    QVERIFY(host.errors[0].device.isEmpty());  // nothing was opened
    QCOMPARE(host.progress, (std::vector<int>{1, 0}));
    QVERIFY(ms < 1000);
    QCOMPARE(record.ToImage(), before.ToImage());
}

void TestTransfer::missingAndBusyPortsSayWhich()
{
    PortVariable com2(2, QStringLiteral("/nonexistent/cable"));
    RadioData record;
    record.port = 2;
    RecordingHost host(record);
    CTransferWorker worker;
    worker.Init(&host, record);
    RunTransfer(worker, TransferMode::Read);
    QCOMPARE(host.errors.size(), std::size_t(1));
    QCOMPARE(host.errors[0].kind, TransferError::Kind::PortNotFound);
    QCOMPARE(host.errors[0].port, QStringLiteral("COM2"));
    QCOMPARE(host.progress, (std::vector<int>{1, 0}));

    auto radio = StartRadio(FastRadio(400, 1));
    QVERIFY(radio);
    PortVariable com3(3, radio->DevicePath());
    CSerialPort holder;  // another program holds the port
    QVERIFY(holder.Open(radio->DevicePath()));
    record.port = 3;
    worker.Init(&host, record);
    RunTransfer(worker, TransferMode::Write);
    QCOMPARE(host.errors.size(), std::size_t(2));
    QCOMPARE(host.errors[1].kind, TransferError::Kind::PortBusy);
    QCOMPARE(host.errors[1].device, radio->DevicePath());
    QVERIFY(radio->Events().empty());
}

void TestTransfer::deviceOverrideReplacesTheRecordsPort()
{
    auto radio = StartRadio(FastRadio(450, 1));
    QVERIFY(radio);
    RadioData record;
    record.port = 7;  // stands for nothing here
    RecordingHost host(record);
    CTransferWorker worker;
    worker.Init(&host, record);
    worker.SetDeviceOverride(radio->DevicePath());
    RunTransfer(worker, TransferMode::Read);
    QCOMPARE(host.reads, 1);
    QCOMPARE(record.bandLower, 450);
    QCOMPARE(record.port, 7);
}

void TestTransfer::manySessionsInARow()
{
    auto radio = StartRadio(FastRadio(370, 0));
    QVERIFY(radio);
    PortVariable com1(1, radio->DevicePath());
    RadioData record;
    RecordingHost host(record);
    CTransferWorker worker;
    worker.Init(&host, record);
    for (int i = 0; i < 3; ++i) {
        worker.Init(&host, record);
        RunTransfer(worker, TransferMode::Read);
        record.Channel(20).SetRxFrequency(0x37512500 + std::uint32_t(i));
        worker.Init(&host, record);
        RunTransfer(worker, TransferMode::Write);
    }
    QCOMPARE(host.reads, 3);
    QCOMPARE(host.writes, 3);
    QVERIFY(host.errors.empty());
    // The last end byte has no answer: the radio may log it just after the write returns.
    QTRY_COMPARE_WITH_TIMEOUT(radio->Ends(), 6, 5000);
    RunTransfer(worker, TransferMode::Read);
    QCOMPARE(record.Channel(20).RxFrequency(), 0x37512502u);
}

void TestTransfer::oneTransferAtATime()
{
    SimConfig config = FastRadio(400, 1);
    config.pacing = true;  // a read that lasts about a second
    auto radio = StartRadio(config);
    QVERIFY(radio);
    PortVariable com1(1, radio->DevicePath());

    RadioData record;
    RecordingHost host(record);
    CTransferWorker worker;
    worker.Init(&host, record);
    QVERIFY(worker.SetMode(TransferMode::Read));
    QVERIFY(worker.IsBusy());
    CTestThread thread(&worker);
    thread.start();
    QVERIFY(!worker.SetMode(TransferMode::Write));
    QVERIFY(!worker.SetMode(TransferMode::Read));
    QVERIFY(worker.IsBusy());
    QVERIFY(thread.wait(20000));
    QVERIFY(!worker.IsBusy());
    QCOMPARE(host.reads, 1);
    QTRY_COMPARE_WITH_TIMEOUT(radio->Ends(), 1, 5000);  // the refused commands started nothing
    QVERIFY(worker.SetMode(TransferMode::Write));
    worker.Run();
    QCOMPARE(host.writes, 1);
}

void TestTransfer::probePortsReportsWhichOpen()
{
    auto first = StartRadio(FastRadio(400, 1));
    auto third = StartRadio(FastRadio(400, 1));
    QVERIFY(first && third);
    std::vector<std::unique_ptr<PortVariable>> ports;
    for (int n = 1; n <= 10; ++n) {
        const QString device = n == 1   ? first->DevicePath()
                               : n == 3 ? third->DevicePath()
                                        : QStringLiteral("/nonexistent/com%1").arg(n);
        ports.push_back(std::make_unique<PortVariable>(n, device));
    }
    CTransferWorker worker;
    QCOMPARE(worker.ProbePorts(), quint16(0xF80B));
    // The probe leaves every port closed.
    CSerialPort port;
    QVERIFY(port.Open(first->DevicePath()));
}

void TestTransfer::commitReadTakesOnlyWhatWasRead()
{
    RadioData record;
    FillRecord(record, 1);
    record.port = 4;
    RadioData received;
    FillRecord(received, 2);
    received.model = 1;
    received.bandLower = 136;
    received.bandUpper = 174;
    received.radioBandLower = 136;
    received.radioBandUpper = 174;
    received.radioModel = 1;
    received.port = 9;
    received.block(Block::B0120).SetAddress(0x0333);
    CommitRead(record, received);
    QCOMPARE(record.block(Block::B0120), received.block(Block::B0120));
    QCOMPARE(record.block(Block::Channel3), received.block(Block::Channel3));
    QVERIFY(!(record.block(Block::Channel4) == received.block(Block::Channel4)));
    QVERIFY(!(record.block(Block::B01B8) == received.block(Block::B01B8)));
    QCOMPARE(record.port, 4);
    QCOMPARE(record.bandLower, 136);
    QCOMPARE(record.radioModel, 1);

    received.model = 0;
    CommitRead(record, received);
    QCOMPARE(record.block(Block::Channel7), received.block(Block::Channel7));
}

QTEST_GUILESS_MAIN(TestTransfer)
#include "test_transfer.moc"
