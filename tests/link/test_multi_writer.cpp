// The multi-radio writer against simulated radios on real pseudo-terminals: each radio
// gets its own copy and its own result, a failing radio does not hold up the others,
// and a cancelled writer sends nothing to a radio that has not passed its check.
#include <QtTest>
#include <mutex>

#include "link/multi_writer.h"
#include "recording_host.h"
#include "sim_helpers.h"

using namespace radio;
using namespace radio::sim;
using namespace radio::test;

namespace {

class Host : public MultiWriteHost {
public:
    TransferHost& HostFor(std::size_t, RadioData& copy) override
    {
        copies.push_back(&copy);
        hosts.push_back(std::make_unique<RecordingHost>(copy));
        results.resize(hosts.size());
        return *hosts.back();
    }
    void PortEnded(std::size_t index, const MultiWriteResult& result) override
    {
        std::lock_guard<std::mutex> lock(mutex);
        results[index] = result;
    }

    std::mutex mutex;
    std::vector<RadioData*> copies;
    std::vector<std::unique_ptr<RecordingHost>> hosts;
    std::vector<MultiWriteResult> results;
};

}  // namespace

class TestMultiWriter : public QObject {
    Q_OBJECT
private slots:
    void eachRadioItsCopyAndResult();
};

void TestMultiWriter::eachRadioItsCopyAndResult()
{
    auto good = StartRadio(FastRadio(400, 1));
    SimConfig silentConfig = FastRadio(400, 1);
    silentConfig.faults.entrySilent = true;
    auto silent = StartRadio(silentConfig);
    QVERIFY(good && silent);
    RadioData record;
    record.ResetRecord(true);
    record.bandLower = 400;
    record.bandUpper = 470;
    record.model = 1;
    record.Channel(0).SetRxFrequency(0x43012500);

    Host host;
    MultiWriter writer(record, {{3, silent->DevicePath()}, {5, good->DevicePath()}},
                       MultiWriter::Options{true, QString()}, host);
    writer.Start();
    writer.Wait();
    QCOMPARE(host.results[0].outcome, MultiWriteResult::Outcome::Failed);
    QCOMPARE(host.results[0].error.kind, TransferError::Kind::NoAnswer);
    QCOMPARE(host.results[1].outcome, MultiWriteResult::Outcome::Verified);
    QVERIFY(host.copies[0] != host.copies[1]);
    QCOMPARE(host.copies[0]->port, 3);
    QCOMPARE(host.copies[1]->port, 5);
    QVERIFY(MemoryAt(good->Memory(), 0x0010) == record.block(ChannelBlock(0)).data);

    good->ClearEvents();
    Host cancelled;
    MultiWriter stopped(record, {{1, good->DevicePath()}}, MultiWriter::Options{}, cancelled);
    stopped.Cancel();
    stopped.Start();
    stopped.Wait();
    QCOMPARE(cancelled.results[0].outcome, MultiWriteResult::Outcome::NotWritten);
    QVERIFY(!good->Events().empty());  // reached, identity read, nothing written
    for (const SimEvent& e : good->Events()) {
        QVERIFY(e.kind != SimEvent::Kind::ChunkWrite);
    }
}

QTEST_GUILESS_MAIN(TestMultiWriter)
#include "test_multi_writer.moc"
