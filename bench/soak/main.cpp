// bench_soak: many whole transfers in a row against one simulated radio, as a long day
// of programming would run them: reads, writes and writes with verify in turn, each
// write changing a channel, and a random fault of the radio or the line on a share of
// them. After each transfer it checks that
//   - a transfer without a fault that must fail succeeded, and the radio's memory (a
//     write) or the record (a read) holds, byte for byte, what it should;
//   - a transfer with such a fault failed once, with the error the fault makes, in
//     the time the protocol's waits allow, and a failed read left the record as it
//     was;
//   - no transfer hung: one that has not returned after 30 s counts as a hang.
// It prints the counts, the slowest failure and its resident memory at the start,
// halfway and at the end, and fails when any result was wrong or any transfer hung.
//   bench_soak [--transfers N] [--fault-share F] [--seed S] [--paced]
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <random>

#include "bench/resident_memory.h"
#include "bench/soak/fault_draw.h"
#include "bench/soak/soak_host.h"
#include "link/block_plan.h"
#include "link/port_names.h"
#include "sim/radio_simulator.h"

using namespace radio;
using namespace radio::sim;
using namespace radio::soak;

namespace {

constexpr int kBandLower = 136;
constexpr int kModel = 0;  // 32 channels: every channel block travels
constexpr int kHangMs = 30000;
constexpr int kEndsWaitMs = 5000;

struct Options {
    int transfers = 1000;
    double faultShare = 0.2;
    quint32 seed = 0;
    bool paced = false;
};

bool ParseOptions(const QCoreApplication& app, Options& options)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Whole transfers in a row against a simulated radio, some with faults."));
    parser.addHelpOption();
    const QCommandLineOption transfers(QStringLiteral("transfers"),
                                       QStringLiteral("How many transfers (default 1000)."),
                                       QStringLiteral("N"));
    const QCommandLineOption share(QStringLiteral("fault-share"),
                                   QStringLiteral("The share of transfers with a fault (0.2)."),
                                   QStringLiteral("F"));
    const QCommandLineOption seed(QStringLiteral("seed"),
                                  QStringLiteral("Seed of the draws (default: a random one)."),
                                  QStringLiteral("S"));
    const QCommandLineOption paced(QStringLiteral("paced"),
                                   QStringLiteral("The radio keeps the pace of 9600 baud."));
    parser.addOptions({transfers, share, seed, paced});
    parser.process(app);
    bool ok = true;
    if (parser.isSet(transfers)) {
        options.transfers = parser.value(transfers).toInt(&ok);
        if (!ok || options.transfers < 1) {
            std::fprintf(stderr, "bench_soak: --transfers takes a number from 1\n");
            return false;
        }
    }
    if (parser.isSet(share)) {
        options.faultShare = parser.value(share).toDouble(&ok);
        if (!ok || options.faultShare < 0 || options.faultShare > 1) {
            std::fprintf(stderr, "bench_soak: --fault-share takes a number from 0 to 1\n");
            return false;
        }
    }
    options.seed = std::random_device{}();
    if (parser.isSet(seed)) {
        options.seed = parser.value(seed).toUInt(&ok);
        if (!ok) {
            std::fprintf(stderr, "bench_soak: --seed takes a number from 0 to 4294967295\n");
            return false;
        }
    }
    options.paced = parser.isSet(paced);
    return true;
}

// Every address holds a byte of its own, so that a block read from a wrong place shows.
RadioMemory StartMemory()
{
    RadioMemory memory;
    for (int a = 0; a < kMemorySize; ++a) {
        memory[std::size_t(a)] = std::uint8_t((a * 7 + (a >> 8) * 31 + 11) & 0xFF);
    }
    return memory;
}

// Frequencies are eight BCD digits of 10 Hz (0x13612500 is 136.12500 MHz).
std::uint32_t Bcd(std::uint32_t value)
{
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 4) {
        out |= (value % 10) << shift;
        value /= 10;
    }
    return out;
}

// Each write gives one channel a frequency of its own, so that a write of an older
// copy would leave other bytes in the radio.
void ChangeForWrite(RadioData& record, int n)
{
    const std::uint32_t tens = 13600000u + std::uint32_t(n) * 625u % 3800000u;
    ChannelRecord channel = record.Channel(n % record.ChannelCount());
    channel.SetRxFrequency(Bcd(tens));
    channel.SetTxFrequency(Bcd(tens));
    record.UpdateChannelMasks();
}

// What the radio holds after a write of `sent` over `before`.
RadioMemory Written(const RadioMemory& before, const RadioData& sent, int flipped)
{
    RadioMemory memory = before;
    for (const QuarterPlan& plan : WriteOrder(sent.ChannelBlocksInUse())) {
        const DataBlock& block = sent.block(plan.block);
        for (int j = 0; j < plan.quarters * 16; ++j) {
            const int address = (DefaultAddress(plan.block) + j) % kMemorySize;
            std::uint8_t byte = block.data[std::size_t(j)];
            if ((flipped == kAnyAddress && j % 16 == 0) || flipped == address) {
                byte ^= 0x01;
            }
            memory[std::size_t(address)] = byte;
        }
    }
    return memory;
}

QString FirstDifference(const RadioMemory& held, const RadioMemory& expected)
{
    for (int a = 0; a < kMemorySize; ++a) {
        if (held[std::size_t(a)] != expected[std::size_t(a)]) {
            return QStringLiteral("the radio holds 0x%1 at %2, not 0x%3")
                .arg(held[std::size_t(a)], 2, 16, QLatin1Char('0'))
                .arg(AddressText(a))
                .arg(expected[std::size_t(a)], 2, 16, QLatin1Char('0'));
        }
    }
    return QString();
}

const char* KindName(TransferError::Kind kind)
{
    using Kind = TransferError::Kind;
    switch (kind) {
    case Kind::None: return "none";
    case Kind::PortInvalid: return "port invalid";
    case Kind::PortNotFound: return "port not found";
    case Kind::PortPermission: return "port permission";
    case Kind::PortBusy: return "port busy";
    case Kind::PortFailed: return "port failed";
    case Kind::NoAnswer: return "no answer";
    case Kind::Refused: return "refused";
    case Kind::Echo: return "echo";
    case Kind::LinkFault: return "link fault";
    case Kind::VerifyMismatch: return "verify mismatch";
    }
    return "?";
}

struct Tally {
    int transfers = 0;
    int successes = 0;
    int survived = 0;  // successes with a fault the transfer must get over
    int cleanFailures = 0;
    int wrong = 0;
    int hangs = 0;
    qint64 slowestMs = -1;
    QString slowest;
    long rssStart = -1;
    long rssHalfway = -1;
    long rssEnd = -1;
};

void PrintTally(const Tally& t)
{
    std::printf("transfers       %6d\n", t.transfers);
    std::printf("successes       %6d  (%d of them with a fault to get over)\n", t.successes,
                t.survived);
    std::printf("clean failures  %6d\n", t.cleanFailures);
    std::printf("wrong results   %6d\n", t.wrong);
    std::printf("hangs           %6d\n", t.hangs);
    if (t.slowestMs >= 0) {
        std::printf("slowest failure %6lld ms  %s\n", static_cast<long long>(t.slowestMs),
                    qPrintable(t.slowest));
    }
    std::printf("resident memory start %ld kB, halfway %ld kB, end %ld kB\n", t.rssStart,
                t.rssHalfway, t.rssEnd);
    std::fflush(stdout);
}

// One transfer on a thread of its own (a QThread: the serial port needs its event
// dispatcher), watched from the calling thread. The end is told through a standard
// mutex, so that the race detector, which cannot see Qt's own waits, sees what the
// transfer reported ordered before the checks that read it.
class Transfer {
public:
    explicit Transfer(CTransferWorker& worker)
        : m_thread(QThread::create([this, &worker] {
              worker.Run();
              const std::lock_guard<std::mutex> lock(m_mutex);
              m_done = true;
              m_ended.notify_all();
          }))
    {
        m_thread->start();
    }
    ~Transfer() { m_thread->wait(); }
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;

    // Whether it returned within `ms`.
    bool Wait(int ms)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!m_ended.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_done; })) {
            return false;
        }
        lock.unlock();
        m_thread->wait();
        return true;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_ended;
    bool m_done = false;
    std::unique_ptr<QThread> m_thread;
};

class Soak {
public:
    explicit Soak(const Options& options) : m_options(options), m_random(options.seed)
    {
        m_config.bandLower = kBandLower;
        m_config.model = kModel;
        m_config.pacing = options.paced;
        m_config.hasMemory = true;
        m_config.memory = StartMemory();
        m_record.port = 1;
        m_record.bandLower = kBandLower;
        m_record.bandUpper = 174;
        m_record.model = kModel;
    }

    bool StartRadio()
    {
        m_radio = std::make_unique<RadioSimulator>(m_config);
        QString error;
        if (!m_radio->Start(&error)) {
            std::fprintf(stderr, "bench_soak: the simulated radio did not start: %s\n",
                         qPrintable(error));
            return false;
        }
        qputenv("RADIOPROG_COM1", QFile::encodeName(m_radio->DevicePath()));
        return true;
    }

    int Run()
    {
        if (!StartRadio()) {
            return 1;
        }
        std::printf(
            "bench_soak: %d transfers against the simulated radio (%s, %d-%d MHz, %d "
            "channels), a fault on %.0f %% of them, seed %u\n",
            m_options.transfers, m_options.paced ? "paced at 9600 baud" : "unpaced", kBandLower,
            m_radio->BandUpper(), RadioData::ChannelCountFor(kModel), m_options.faultShare * 100,
            m_options.seed);
        std::fflush(stdout);
        m_tally.rssStart = ResidentKb();
        for (int n = 0; n < m_options.transfers; ++n) {
            if (n == m_options.transfers / 2) {
                m_tally.rssHalfway = ResidentKb();
            }
            if (!RunOne(n)) {
                break;
            }
        }
        m_tally.rssEnd = ResidentKb();
        PrintTally(m_tally);
        return m_tally.wrong == 0 && m_tally.hangs == 0 ? 0 : 1;
    }

private:
    // False when the run cannot go on.
    bool RunOne(int n)
    {
        const auto transfer = SoakTransfer(n % 3);
        const int channelBlocks = RadioData::ChannelCountFor(kModel) / 4;
        const bool faulted = std::bernoulli_distribution(m_options.faultShare)(m_random);
        DrawnFault drawn{QStringLiteral("no fault"), SimFaults()};
        if (faulted) {
            drawn = DrawFault(m_random, transfer, channelBlocks);
        }
        const Outcome expected =
            ExpectedOutcome(drawn.faults, transfer, channelBlocks, m_options.paced);
        m_radio->SetFaults(drawn.faults);
        if (transfer != SoakTransfer::Read) {
            ChangeForWrite(m_record, n);
        }

        const RadioData before = m_record;
        const RadioMemory memoryBefore = m_radio->Memory();
        const int endsBefore = m_radio->Ends();
        m_host.Reset();
        m_worker.Init(&m_host, m_record);
        m_worker.SetVerify(transfer == SoakTransfer::WriteVerify);
        m_worker.SetMode(transfer == SoakTransfer::Read ? TransferMode::Read : TransferMode::Write);

        QElapsedTimer timer;
        timer.start();
        ++m_tally.transfers;
        Transfer running(m_worker);
        if (!running.Wait(kHangMs)) {
            ++m_tally.hangs;
            std::fprintf(stderr, "bench_soak: transfer %d (%s, %s) has not returned after %d s\n",
                         n, TransferName(transfer), qPrintable(drawn.name), kHangMs / 1000);
            return Unhang(running);
        }
        const qint64 ms = timer.elapsed();

        const int sessions = transfer == SoakTransfer::WriteVerify ? 2 : 1;
        const QString wrong =
            expected.fails
                ? CheckFailure(transfer, expected, ms, before, memoryBefore, endsBefore)
                : CheckSuccess(transfer, expected, before, memoryBefore, endsBefore + sessions);
        if (!wrong.isEmpty()) {
            ++m_tally.wrong;
            std::fprintf(stderr, "bench_soak: transfer %d (%s, %s, %lld ms): %s\n", n,
                         TransferName(transfer), qPrintable(drawn.name), static_cast<long long>(ms),
                         qPrintable(wrong));
        } else if (expected.fails) {
            ++m_tally.cleanFailures;
        } else {
            ++m_tally.successes;
            m_tally.survived += drawn.faults.Any();
        }
        if (!m_host.errors.empty() && ms > m_tally.slowestMs) {
            m_tally.slowestMs = ms;
            m_tally.slowest = QStringLiteral("%1, %2 (%3%4)")
                                  .arg(QString::fromLatin1(TransferName(transfer)), drawn.name,
                                       QString::fromLatin1(KindName(m_host.errors[0].kind)),
                                       m_host.errors[0].detail.isEmpty()
                                           ? QString()
                                           : QStringLiteral(": ") + m_host.errors[0].detail);
        }
        if (expected.restartMs > 0) {
            // The radio is deaf after its last end byte; the next transfer starts
            // once it listens again.
            m_radio->WaitForEnds(endsBefore + sessions, kEndsWaitMs);
            QThread::msleep(unsigned(expected.restartMs) + 100);
        }
        return true;
    }

    QString CheckSuccess(SoakTransfer transfer, const Outcome& expected, const RadioData& before,
                         const RadioMemory& memoryBefore, int ends)
    {
        if (!m_host.errors.empty()) {
            const TransferError& e = m_host.errors.front();
            return QStringLiteral("failed (%1%2%3), should have succeeded")
                .arg(QString::fromLatin1(KindName(e.kind)),
                     e.detail.isEmpty() ? QString() : QStringLiteral(": ") + e.detail,
                     e.verifying ? QStringLiteral(", verifying") : QString());
        }
        if (m_host.declined) {
            return QStringLiteral("the check before the write declined it");
        }
        const bool read = transfer == SoakTransfer::Read;
        if (m_host.reads != int(read) || m_host.writes != int(!read) ||
            m_host.verifies != int(transfer == SoakTransfer::WriteVerify)) {
            return QStringLiteral("reported %1 reads, %2 writes, %3 verifies")
                .arg(m_host.reads)
                .arg(m_host.writes)
                .arg(m_host.verifies);
        }
        if (m_host.lastProgress != 0) {
            return QStringLiteral("the progress ended at %1").arg(m_host.lastProgress);
        }
        // The end byte has no answer: the radio may count it just after the return.
        if (!m_radio->WaitForEnds(ends, kEndsWaitMs)) {
            return QStringLiteral("the radio saw %1 end bytes, not %2")
                .arg(m_radio->Ends())
                .arg(ends);
        }
        const RadioMemory memory = m_radio->Memory();
        if (!read) {
            return FirstDifference(memory, Written(memoryBefore, m_record, expected.flipped));
        }
        if (memory != memoryBefore) {
            return QStringLiteral("the read changed the radio: ") +
                   FirstDifference(memory, memoryBefore);
        }
        const std::vector<Block> order = ReadOrder(m_record.ChannelBlocksInUse());
        for (int b = 0; b < kBlockCount; ++b) {
            const DataBlock& block = m_record.blocks[std::size_t(b)];
            const bool wasRead = std::find(order.begin(), order.end(), Block(b)) != order.end();
            if (!wasRead) {
                if (!(block == before.blocks[std::size_t(b)])) {
                    return QStringLiteral("the read changed %1, which it does not read")
                        .arg(BlockText(Block(b)));
                }
                continue;
            }
            const int address = DefaultAddress(Block(b));
            for (int j = 0; j < kBlockDataSize; ++j) {
                if (block.data[std::size_t(j)] !=
                    memory[std::size_t((address + j) % kMemorySize)]) {
                    return QStringLiteral("the record's %1 holds 0x%2 at %3, the radio 0x%4")
                        .arg(BlockText(Block(b)))
                        .arg(block.data[std::size_t(j)], 2, 16, QLatin1Char('0'))
                        .arg(j)
                        .arg(memory[std::size_t((address + j) % kMemorySize)], 2, 16,
                             QLatin1Char('0'));
                }
            }
            if (block.Address() != address) {
                return QStringLiteral("%1 came with address %2")
                    .arg(BlockText(Block(b)), AddressText(block.Address()));
            }
        }
        if (m_record.bandLower != kBandLower || m_record.bandUpper != m_radio->BandUpper() ||
            m_record.model != kModel || m_record.radioBandLower != kBandLower ||
            m_record.radioModel != kModel) {
            return QStringLiteral("the read took band %1-%2, model %3")
                .arg(m_record.bandLower)
                .arg(m_record.bandUpper)
                .arg(m_record.model);
        }
        return QString();
    }

    QString CheckFailure(SoakTransfer transfer, const Outcome& expected, qint64 ms,
                         const RadioData& before, const RadioMemory& memoryBefore, int endsBefore)
    {
        if (m_host.errors.size() != 1) {
            return QStringLiteral("%1 failures reported, should have failed once")
                .arg(m_host.errors.size());
        }
        const TransferError& e = m_host.errors.front();
        const QString got = QStringLiteral("%1%2%3").arg(
            QString::fromLatin1(KindName(e.kind)),
            e.detail.isEmpty() ? QString() : QStringLiteral(": ") + e.detail,
            e.verifying ? QStringLiteral(", verifying") : QString());
        const QString want = QStringLiteral("%1%2%3").arg(
            QString::fromLatin1(KindName(expected.kind)),
            expected.detail.isEmpty() ? QString() : QStringLiteral(": ") + expected.detail,
            expected.verifying ? QStringLiteral(", verifying") : QString());
        if (e.kind != expected.kind || e.verifying != expected.verifying ||
            (!expected.detail.isNull() && e.detail != expected.detail)) {
            return QStringLiteral("failed with %1, should have failed with %2").arg(got, want);
        }
        if (e.port != PortName(1) || e.device != m_radio->DevicePath()) {
            return QStringLiteral("the failure names port %1, device %2").arg(e.port, e.device);
        }
        if (ms < expected.atLeastMs || ms > expected.atMostMs) {
            return QStringLiteral("%1 took %2 ms, not %3 to %4 ms")
                .arg(got)
                .arg(ms)
                .arg(expected.atLeastMs)
                .arg(expected.atMostMs);
        }
        if (m_host.reads + m_host.writes != 0 || m_host.declined) {
            return QStringLiteral("%1, yet reported a success").arg(got);
        }
        if (m_host.lastProgress != 0) {
            return QStringLiteral("the progress ended at %1").arg(m_host.lastProgress);
        }
        if (m_worker.IsBusy()) {
            return QStringLiteral("the worker stayed busy");
        }
        if (e.kind == TransferError::Kind::VerifyMismatch) {
            const RadioMemory memory = m_radio->Memory();
            const int lowest = expected.flipped == kAnyAddress ? 0 : expected.flipped;
            const int written = Written(memoryBefore, m_record, kNoAddress)[std::size_t(lowest)];
            if (e.address != lowest || e.written != written || e.held != (written ^ 0x01)) {
                return QStringLiteral("the difference named is %1: 0x%2 written, 0x%3 held")
                    .arg(AddressText(e.address))
                    .arg(e.written, 2, 16, QLatin1Char('0'))
                    .arg(e.held, 2, 16, QLatin1Char('0'));
            }
            if (!m_radio->WaitForEnds(endsBefore + 2, kEndsWaitMs)) {
                return QStringLiteral("the radio was left in programming mode");
            }
            return FirstDifference(memory, Written(memoryBefore, m_record, expected.flipped));
        }
        if (transfer == SoakTransfer::Read && m_record.ToImage() != before.ToImage()) {
            return QStringLiteral("the failed read changed the record");
        }
        return QString();
    }

    // Pulls the cable of a transfer that hangs: one waiting on the line then gives up.
    // A new radio with the old one's memory takes its place.
    bool Unhang(Transfer& running)
    {
        m_config.memory = m_radio->Memory();
        m_radio->Stop();
        if (!running.Wait(kHangMs)) {
            std::fprintf(stderr, "bench_soak: the hanging transfer did not return; stopping\n");
            m_tally.rssEnd = ResidentKb();
            PrintTally(m_tally);
            std::_Exit(1);  // the transfer's thread cannot be ended cleanly
        }
        return StartRadio();
    }

    Options m_options;
    std::mt19937 m_random;
    SimConfig m_config;
    std::unique_ptr<RadioSimulator> m_radio;
    RadioData m_record;
    SoakHost m_host{m_record};
    CTransferWorker m_worker;
    Tally m_tally;
};

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    Options options;
    if (!ParseOptions(app, options)) {
        return 2;
    }
    Soak soak(options);
    return soak.Run();
}
