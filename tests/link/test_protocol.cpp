// The programming protocol against a scripted line: the exact bytes sent, the
// answers it accepts and refuses, its attempts, repeats, time-outs and waits.
#include <QtTest>

#include "link/protocol.h"
#include "scripted_link.h"

using namespace radio;
using radio::test::ScriptedLink;

namespace {

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values) {
        out.append(char(v));
    }
    return out;
}

QByteArray EntryCode()
{
    return QByteArray(reinterpret_cast<const char*>(wire::kEntryCode.data()),
                      int(wire::kEntryCode.size()));
}

const QByteArray kAck = Bytes({0x06});
const QByteArray kNak = Bytes({0x15});

QByteArray Pattern(int size, int seed)
{
    QByteArray out;
    for (int i = 0; i < size; ++i) {
        out.append(char((i * 13 + seed) & 0xFF));
    }
    return out;
}

QList<int> Timeouts(const ScriptedLink& link)
{
    QList<int> out;
    for (const auto& r : link.Reads()) {
        out << r.timeoutMs;
    }
    return out;
}

QByteArray Identity16(int code4, int code5)
{
    return QByteArray("K468") + Bytes({code4, code5, 0xFC, 0xFF});
}

}  // namespace

class TestProtocol : public QObject {
    Q_OBJECT
private slots:
    void entryCodeIsSevenCapitalsThatAreNoCommand();

    void entryAnsweredAtOnce();
    void entryRefusedEndsAfterOneAttempt();
    void entryAnsweredOnTheThirdAttempt();
    void entryUnansweredGivesUpAfterFourAttempts();
    void entryAttemptsFollowTheRetries_data();
    void entryAttemptsFollowTheRetries();
    void entryAnswerTooLateIsPurged();
    void entryWriteFailureEndsAtOnce();

    void identityReadAndAcknowledged();
    void identityFaults_data();
    void identityFaults();

    void blockReadAndAcknowledged();
    void blockWithWrongHeaderLeavesDestination_data();
    void blockWithWrongHeaderLeavesDestination();
    void blockTooShortLeavesDestination();
    void blockWithoutFinalAckKeepsNewData();

    void chunkWrittenAndAcknowledged();
    void chunkUnansweredIsSentFourTimes();
    void chunkAnsweredOnTheThirdSend();
    void chunkRefusedIsNotRepeated();
    void chunkIsJudgedByItsOwnAnswers_data();
    void chunkIsJudgedByItsOwnAnswers();
    void strayAcknowledgementBeforeAnAnswerIsDropped();
    void chunkHeaderWriteFailureSendsNoData();
    void quarterAddresses_data();
    void quarterAddresses();

    void endByte();

    void decodeIdentity_data();
    void decodeIdentity();
    void encodeIdentity_data();
    void encodeIdentity();
    void encodeThenDecodeGivesTheBandBack_data();
    void encodeThenDecodeGivesTheBandBack();
};

void TestProtocol::entryCodeIsSevenCapitalsThatAreNoCommand()
{
    QCOMPARE(int(wire::kEntryCode.size()), 7);
    for (std::uint8_t c : wire::kEntryCode) {
        QVERIFY(c >= 'A' && c <= 'Z');
        QVERIFY(c != wire::kEnd && c != wire::kRead && c != wire::kWrite);
    }
}

void TestProtocol::entryAnsweredAtOnce()
{
    ScriptedLink link;
    link.Expect(EntryCode(), kAck);
    EntryResult result = EntryResult::NoAnswer;
    QVERIFY(EnterProgramMode(link, 3, &result));
    QCOMPARE(result, EntryResult::Accepted);
    QCOMPARE(link.Writes(), QList<QByteArray>{EntryCode()});
    QCOMPARE(Timeouts(link), QList<int>{500});
    QCOMPARE(link.Sleeps(), (QList<int>{200, 5}));
    QCOMPARE(link.Purges(), 1);
    QCOMPARE(link.Now(), 207);  // 200 + 5 + the 2 ms before the read
    QVERIFY(link.Unexpected().isEmpty());
}

void TestProtocol::entryRefusedEndsAfterOneAttempt()
{
    ScriptedLink link;
    link.Expect(EntryCode(), kNak);
    EntryResult result = EntryResult::Accepted;
    QVERIFY(!EnterProgramMode(link, 3, &result));
    QCOMPARE(result, EntryResult::Refused);
    QCOMPARE(link.Writes().size(), 1);
    QVERIFY(link.ScriptDone());
}

void TestProtocol::entryAnsweredOnTheThirdAttempt()
{
    ScriptedLink link;
    link.Expect(EntryCode());
    link.Expect(EntryCode());
    link.Expect(EntryCode(), kAck);
    QVERIFY(EnterProgramMode(link, 3));
    QCOMPARE(link.Writes(), (QList<QByteArray>{EntryCode(), EntryCode(), EntryCode()}));
    QCOMPARE(Timeouts(link), (QList<int>{500, 100, 100}));
    QCOMPARE(link.Sleeps(), (QList<int>{200, 5, 5, 5}));
    QCOMPARE(link.Purges(), 3);
}

void TestProtocol::entryUnansweredGivesUpAfterFourAttempts()
{
    ScriptedLink link;
    EntryResult result = EntryResult::Accepted;
    QVERIFY(!EnterProgramMode(link, 3, &result));
    QCOMPARE(result, EntryResult::NoAnswer);
    QCOMPARE(link.Writes().size(), 4);
    QCOMPARE(Timeouts(link), (QList<int>{500, 100, 100, 100}));
    // 200 ms, then per attempt 5 ms + 2 ms + the read limit.
    QCOMPARE(link.Now(), 200 + 4 * 7 + 500 + 3 * 100);
}

void TestProtocol::entryAttemptsFollowTheRetries_data()
{
    QTest::addColumn<int>("retries");
    QTest::addColumn<int>("attempts");
    QTest::newRow("none") << 0 << 1;
    QTest::newRow("one") << 1 << 2;
    QTest::newRow("five") << 5 << 6;
}

void TestProtocol::entryAttemptsFollowTheRetries()
{
    QFETCH(int, retries);
    QFETCH(int, attempts);
    ScriptedLink link;
    QVERIFY(!EnterProgramMode(link, retries));
    QCOMPARE(link.Writes().size(), attempts);
}

void TestProtocol::entryAnswerTooLateIsPurged()
{
    // The first ACK arrives 3 ms after the 500 ms limit, before the next attempt's
    // purge: it must not count as the answer to the second attempt.
    ScriptedLink link;
    link.Expect(EntryCode(), kAck, 505);
    link.Expect(EntryCode(), kNak);
    EntryResult result = EntryResult::Accepted;
    QVERIFY(!EnterProgramMode(link, 3, &result));
    QCOMPARE(result, EntryResult::Refused);
    QCOMPARE(link.Writes().size(), 2);
    QCOMPARE(link.Reads().at(0).got, 0);
}

void TestProtocol::entryWriteFailureEndsAtOnce()
{
    ScriptedLink link;
    link.ExpectFailedWrite(EntryCode());
    EntryResult result = EntryResult::Accepted;
    QVERIFY(!EnterProgramMode(link, 3, &result));
    QCOMPARE(result, EntryResult::WriteFailed);
    QVERIFY(link.Reads().isEmpty());
}

void TestProtocol::identityReadAndAcknowledged()
{
    ScriptedLink link;
    const QByteArray id = Identity16(0x37, 0x53);
    link.Expect(Bytes({0x02}), id);
    link.Expect(kAck, kAck);
    Identity identity{};
    QVERIFY(ReadIdentity(link, identity));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(identity.data()), 8), id);
    QCOMPARE(Timeouts(link), (QList<int>{550, 550}));
    QCOMPARE(link.Purges(), 2);
    QVERIFY(link.ScriptDone());
    QVERIFY(link.Unexpected().isEmpty());
}

void TestProtocol::identityFaults_data()
{
    QTest::addColumn<QByteArray>("identityAnswer");
    QTest::addColumn<QByteArray>("ackAnswer");
    QTest::addColumn<int>("writes");
    QTest::newRow("short identity") << QByteArray("K468") << QByteArray() << 1;
    QTest::newRow("no identity") << QByteArray() << QByteArray() << 1;
    QTest::newRow("no final ack") << Identity16(0x36, 0x73) << QByteArray() << 2;
    QTest::newRow("nak at the end") << Identity16(0x36, 0x73) << kNak << 2;
}

void TestProtocol::identityFaults()
{
    QFETCH(QByteArray, identityAnswer);
    QFETCH(QByteArray, ackAnswer);
    QFETCH(int, writes);
    ScriptedLink link;
    link.Expect(Bytes({0x02}), identityAnswer);
    link.Expect(kAck, ackAnswer);
    Identity identity{};
    QVERIFY(!ReadIdentity(link, identity));
    QCOMPARE(link.Writes().size(), writes);
    // Every wait is bounded by the 550 ms limit.
    QVERIFY(link.Now() <= 2 * (2 + 550));
}

void TestProtocol::blockReadAndAcknowledged()
{
    ScriptedLink link;
    const QByteArray data = Pattern(64, 5);
    link.Expect(Bytes({0x52, 0x01, 0x20, 0x40}), Bytes({0x57, 0x01, 0x20, 0x40}) + data);
    link.Expect(kAck, kAck);
    std::array<std::uint8_t, 64> destination{};
    QVERIFY(ReadBlock(link, 0x01, 0x20, destination.data()));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(destination.data()), 64), data);
    QCOMPARE(link.Reads().at(0).count, 68);
    QCOMPARE(link.Purges(), 2);
    QVERIFY(link.ScriptDone());
    QVERIFY(link.Unexpected().isEmpty());
}

void TestProtocol::blockWithWrongHeaderLeavesDestination_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::newRow("address of another block") << Bytes({0x57, 0x01, 0x60, 0x40});
    QTest::newRow("wrong high byte") << Bytes({0x57, 0x00, 0x20, 0x40});
    QTest::newRow("wrong command byte") << Bytes({0x52, 0x01, 0x20, 0x40});
    QTest::newRow("wrong length") << Bytes({0x57, 0x01, 0x20, 0x10});
}

void TestProtocol::blockWithWrongHeaderLeavesDestination()
{
    QFETCH(QByteArray, header);
    ScriptedLink link;
    link.Expect(Bytes({0x52, 0x01, 0x20, 0x40}), header + Pattern(64, 9));
    std::array<std::uint8_t, 64> destination;
    destination.fill(0xA5);
    QVERIFY(!ReadBlock(link, 0x01, 0x20, destination.data()));
    QVERIFY(std::all_of(destination.begin(), destination.end(), [](auto b) { return b == 0xA5; }));
    QCOMPARE(link.Writes().size(), 1);  // no acknowledgement for a wrong answer
}

void TestProtocol::blockTooShortLeavesDestination()
{
    ScriptedLink link;
    link.SetReadTimeout(550);  // as the identity request leaves it
    link.Expect(Bytes({0x52, 0x00, 0x10, 0x40}), Bytes({0x57, 0x00, 0x10, 0x40}) + Pattern(40, 1));
    std::array<std::uint8_t, 64> destination;
    destination.fill(0xA5);
    QVERIFY(!ReadBlock(link, 0x00, 0x10, destination.data()));
    QCOMPARE(destination[0], std::uint8_t(0xA5));
    QCOMPARE(link.Reads().at(0).got, 44);
    QCOMPARE(link.Now(), 2 + 550);
}

void TestProtocol::blockWithoutFinalAckKeepsNewData()
{
    ScriptedLink link;
    const QByteArray data = Pattern(64, 77);
    link.Expect(Bytes({0x52, 0x03, 0xC0, 0x40}), Bytes({0x57, 0x03, 0xC0, 0x40}) + data);
    link.Expect(kAck);
    std::array<std::uint8_t, 64> destination{};
    QVERIFY(!ReadBlock(link, 0x03, 0xC0, destination.data()));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(destination.data()), 64), data);
}

void TestProtocol::chunkWrittenAndAcknowledged()
{
    ScriptedLink link;
    const QByteArray data = Pattern(16, 3);
    link.Expect(Bytes({0x57, 0x01, 0x10, 0x10}));
    link.Expect(data, kAck);
    QVERIFY(WriteChunk(link, 0x01, 0x10, reinterpret_cast<const std::uint8_t*>(data.constData())));
    QCOMPARE(link.Sleeps(), QList<int>{2});  // after the acknowledgement
    QCOMPARE(link.Purges(), 1);              // before the send
    QVERIFY(link.ScriptDone());
    QVERIFY(link.Unexpected().isEmpty());
}

void TestProtocol::chunkUnansweredIsSentFourTimes()
{
    ScriptedLink link;
    const QByteArray data = Pattern(16, 4);
    const QByteArray header = Bytes({0x57, 0x00, 0x50, 0x10});
    for (int i = 0; i < 4; ++i) {
        link.Expect(header);
        link.Expect(data);
    }
    QVERIFY(!WriteChunk(link, 0x00, 0x50, reinterpret_cast<const std::uint8_t*>(data.constData())));
    QCOMPARE(link.Writes().size(), 8);
    QVERIFY(link.Unexpected().isEmpty());
    QCOMPARE(link.Sleeps(), (QList<int>{50, 50, 50}));
    QCOMPARE(Timeouts(link), (QList<int>{1000, 1000, 1000, 1000}));  // the link's current limit
    QCOMPARE(link.Now(), 4 * (2 + 1000) + 3 * 50);
}

void TestProtocol::chunkAnsweredOnTheThirdSend()
{
    ScriptedLink link;
    link.SetReadTimeout(550);
    const QByteArray data = Pattern(16, 5);
    const QByteArray header = Bytes({0x57, 0x02, 0x00, 0x10});
    link.Expect(header);
    link.Expect(data);
    link.Expect(header);
    link.Expect(data);
    link.Expect(header);
    link.Expect(data, kAck);
    QVERIFY(WriteChunk(link, 0x02, 0x00, reinterpret_cast<const std::uint8_t*>(data.constData())));
    QCOMPARE(link.Writes().size(), 6);
    QCOMPARE(link.Sleeps(), (QList<int>{50, 50, 2}));
}

void TestProtocol::chunkRefusedIsNotRepeated()
{
    ScriptedLink link;
    const QByteArray data = Pattern(16, 6);
    link.Expect(Bytes({0x57, 0x00, 0x00, 0x10}));
    link.Expect(data, kNak);
    QVERIFY(!WriteChunk(link, 0x00, 0x00, reinterpret_cast<const std::uint8_t*>(data.constData())));
    QCOMPARE(link.Writes().size(), 2);
    QVERIFY(link.Sleeps().isEmpty());
}

void TestProtocol::chunkIsJudgedByItsOwnAnswers_data()
{
    QTest::addColumn<QByteArray>("firstAnswer");   // of the chunk written before
    QTest::addColumn<int>("lateMs");               // when this chunk's first send is answered
    QTest::addColumn<QByteArray>("repeatAnswer");  // to its repeat, if it is sent again
    QTest::addColumn<bool>("written");
    QTest::addColumn<int>("result");
    const QByteArray ack = kAck;
    const QByteArray nak = kNak;
    QTest::newRow("a doubled ACK before, then a NAK")
        << ack + ack << 0 << QByteArray() << false << int(ChunkResult::Refused);
    QTest::newRow("a doubled ACK before, then silence")
        << ack + ack << -1 << QByteArray() << false << int(ChunkResult::NoAnswer);
    QTest::newRow("answered late, and the repeat too")
        << ack << 700 << ack << true << int(ChunkResult::Acknowledged);
    QTest::newRow("answered late, the repeat refused")
        << ack << 700 << nak << false << int(ChunkResult::Refused);
}

void TestProtocol::chunkIsJudgedByItsOwnAnswers()
{
    QFETCH(QByteArray, firstAnswer);
    QFETCH(int, lateMs);
    QFETCH(QByteArray, repeatAnswer);
    QFETCH(bool, written);
    QFETCH(int, result);
    ScriptedLink link;
    link.SetReadTimeout(550);
    const QByteArray data = Pattern(16, 7);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.constData());
    link.Expect(Bytes({0x57, 0x00, 0x10, 0x10}));
    link.Expect(data, firstAnswer);
    QVERIFY(WriteChunk(link, 0x00, 0x10, bytes));

    const QByteArray header = Bytes({0x57, 0x00, 0x20, 0x10});
    link.Expect(header);
    if (lateMs < 0) {
        link.Expect(data);
        for (int repeat = 0; repeat < 3; ++repeat) {
            link.Expect(header);
            link.Expect(data);
        }
    } else if (lateMs == 0) {
        link.Expect(data, kNak);
    } else {
        link.Expect(data, kAck, lateMs);
        link.Expect(header);
        link.Expect(data, repeatAnswer);
    }
    ChunkResult outcome = ChunkResult::Acknowledged;
    QCOMPARE(WriteChunk(link, 0x00, 0x20, bytes, &outcome), written);
    QCOMPARE(int(outcome), result);
}

void TestProtocol::strayAcknowledgementBeforeAnAnswerIsDropped()
{
    // The second 0x06 of a radio that answers twice, arriving after the purge.
    ScriptedLink link;
    const QByteArray identity = Bytes({'K', '4', '6', '8', 0x37, 0x01, 0xFC, 0xFF});
    link.Expect(Bytes({0x02}), kAck + identity);
    link.Expect(kAck, kAck);
    Identity got{};
    QVERIFY(ReadIdentity(link, got));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(got.data()), 8), identity);

    const QByteArray data = Pattern(64, 8);
    link.Expect(Bytes({0x52, 0x01, 0x20, 0x40}), kAck + Bytes({0x57, 0x01, 0x20, 0x40}) + data);
    link.Expect(kAck, kAck);
    std::array<std::uint8_t, 64> destination{};
    QVERIFY(ReadBlock(link, 0x01, 0x20, destination.data()));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(destination.data()), 64), data);
}

void TestProtocol::chunkHeaderWriteFailureSendsNoData()
{
    ScriptedLink link;
    const QByteArray data = Pattern(16, 6);
    link.ExpectFailedWrite(Bytes({0x57, 0x00, 0x00, 0x10}));
    QVERIFY(!WriteChunk(link, 0x00, 0x00, reinterpret_cast<const std::uint8_t*>(data.constData())));
    QCOMPARE(link.Writes().size(), 1);
    QVERIFY(link.Reads().isEmpty());
}

void TestProtocol::quarterAddresses_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("quarter");
    QTest::addColumn<int>("chunkAddress");
    QTest::newRow("0x0000 q0") << 0x0000 << 0 << 0x0000;
    QTest::newRow("0x0010 q2") << 0x0010 << 2 << 0x0030;
    QTest::newRow("0x00D0 q3 carries") << 0x00D0 << 3 << 0x0100;
    QTest::newRow("0x00D0 q2 carries") << 0x00D0 << 2 << 0x00F0;
    QTest::newRow("0x0120 q3") << 0x0120 << 3 << 0x0150;
    QTest::newRow("0x01F0 q1 carries") << 0x01F0 << 1 << 0x0200;
    QTest::newRow("0x03C0 q0") << 0x03C0 << 0 << 0x03C0;
}

void TestProtocol::quarterAddresses()
{
    QFETCH(int, address);
    QFETCH(int, quarter);
    QFETCH(int, chunkAddress);
    const QByteArray block = Pattern(64, 11);
    ScriptedLink link;
    link.Expect(Bytes({0x57, chunkAddress >> 8, chunkAddress & 0xFF, 0x10}));
    link.Expect(block.mid(16 * quarter, 16), kAck);
    QVERIFY(WriteQuarter(link, std::uint8_t(address >> 8), std::uint8_t(address), quarter,
                         reinterpret_cast<const std::uint8_t*>(block.constData())));
    QVERIFY(link.Unexpected().isEmpty());
}

void TestProtocol::endByte()
{
    ScriptedLink link;
    link.Expect(Bytes({0x45}));
    QVERIFY(SendEnd(link));
    QVERIFY(link.Reads().isEmpty());  // nothing comes back

    ScriptedLink failing;
    failing.ExpectFailedWrite(Bytes({0x45}));
    QVERIFY(!SendEnd(failing));
}

void TestProtocol::decodeIdentity_data()
{
    QTest::addColumn<QByteArray>("identity");
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("upper");
    QTest::addColumn<int>("model");
    // Start values: band 1-2, model 7; they survive wherever nothing is decoded.
    const auto id = [](int c4, int c5, int m, int last) {
        return QByteArray("K468") + Bytes({c4, c5, m, last});
    };
    QTest::newRow("136 16ch") << id(0x37, 0x01, 0xFC, 0xFF) << 136 << 174 << 1;
    QTest::newRow("440 32ch") << id(0x37, 0x33, 0xF8, 0xFF) << 440 << 480 << 0;
    QTest::newRow("450 16ch") << id(0x37, 0x21, 0xFC, 0xFF) << 450 << 520 << 1;
    QTest::newRow("350 16ch") << id(0x37, 0x53, 0xFC, 0xFF) << 350 << 370 << 1;
    QTest::newRow("370 32ch") << id(0x37, 0x63, 0xF8, 0xFF) << 370 << 390 << 0;
    QTest::newRow("400 32ch") << id(0x36, 0x73, 0xF8, 0xFF) << 400 << 470 << 0;
    QTest::newRow("last byte not 0xFF") << id(0x37, 0x53, 0xFC, 0x00) << 1 << 2 << 7;
    QTest::newRow("unknown model code") << id(0x37, 0x53, 0xFE, 0xFF) << 1 << 2 << 7;
    QTest::newRow("unknown band keeps band, sets model")
        << id(0x12, 0x34, 0xF8, 0xFF) << 1 << 2 << 0;
    QTest::newRow("wrong signature")
        << QByteArray("K469") + Bytes({0x37, 0x01, 0xFC, 0xFF}) << 1 << 2 << 7;
}

void TestProtocol::decodeIdentity()
{
    QFETCH(QByteArray, identity);
    QFETCH(int, lower);
    QFETCH(int, upper);
    QFETCH(int, model);
    int l = 1, u = 2, m = 7;
    DecodeIdentity(reinterpret_cast<const std::uint8_t*>(identity.constData()), l, u, m);
    QCOMPARE(l, lower);
    QCOMPARE(u, upper);
    QCOMPARE(m, model);
}

void TestProtocol::encodeIdentity_data()
{
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("model");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("136 16ch") << 136 << 1 << Bytes({0x37, 0x01, 0xFC});
    QTest::newRow("440 32ch") << 440 << 0 << Bytes({0x37, 0x33, 0xF8});
    QTest::newRow("450") << 450 << 1 << Bytes({0x37, 0x21, 0xFC});
    QTest::newRow("350") << 350 << 1 << Bytes({0x37, 0x53, 0xFC});
    QTest::newRow("370") << 370 << 0 << Bytes({0x37, 0x63, 0xF8});
    QTest::newRow("400") << 400 << 1 << Bytes({0x36, 0x73, 0xFC});
    QTest::newRow("430 is coded as 400") << 430 << 1 << Bytes({0x36, 0x73, 0xFC});
    QTest::newRow("any non-zero model is 16ch") << 136 << 5 << Bytes({0x37, 0x01, 0xFC});
}

void TestProtocol::encodeIdentity()
{
    QFETCH(int, lower);
    QFETCH(int, model);
    QFETCH(QByteArray, expected);
    std::array<std::uint8_t, 8> identity;
    identity.fill(0x5A);
    EncodeIdentity(identity.data(), lower, model);
    const QByteArray got(reinterpret_cast<const char*>(identity.data()), 8);
    QCOMPARE(got.left(4), QByteArray("K468"));
    QCOMPARE(got.mid(4, 3), expected);
    QCOMPARE(identity[7], std::uint8_t(0x5A));  // byte 7 is never written
}

void TestProtocol::encodeThenDecodeGivesTheBandBack_data()
{
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("upper");
    QTest::addColumn<int>("model");
    for (const Band& band : kBands) {
        for (int model : {0, 1}) {
            QTest::addRow("%d %d", band.lower, model) << band.lower << band.upper << model;
        }
    }
}

void TestProtocol::encodeThenDecodeGivesTheBandBack()
{
    QFETCH(int, lower);
    QFETCH(int, upper);
    QFETCH(int, model);
    std::array<std::uint8_t, 8> identity;
    identity.fill(0xFF);
    EncodeIdentity(identity.data(), lower, model);
    int l = -1, u = -1, m = -1;
    DecodeIdentity(identity.data(), l, u, m);
    QCOMPARE(l, lower);
    QCOMPARE(u, upper);
    QCOMPARE(m, model);
}

QTEST_APPLESS_MAIN(TestProtocol)
#include "test_protocol.moc"
