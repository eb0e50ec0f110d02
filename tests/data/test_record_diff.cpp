#include <QtTest>

#include "data/feature_bytes.h"
#include "data/record_diff.h"

using namespace radio;

namespace {

// A record whose written bytes are all different from the defaults, so that a change
// of one bit is a change of a value a setting holds, in range or not.
RadioData Patterned(int model)
{
    RadioData data;
    data.model = model;
    for (std::size_t b = 0; b < data.blocks.size(); ++b) {
        for (std::size_t j = 0; j < kBlockDataSize; ++j) {
            data.blocks[b].data[j] = std::uint8_t((b * 64 + j) * 37 + 11);
        }
    }
    return data;
}

QStringList Lines(const RadioData& a, const RadioData& b)
{
    QStringList lines;
    for (const Difference& d : CompareRecords(a, b)) {
        lines << QString::fromStdString(DifferenceLine(a.texts, d));
    }
    return lines;
}

// The bytes a difference names: a channel's 16, a setting's own, a run of bytes.
bool Names(const Difference& d, Block block, int byte)
{
    RadioData probe;
    const int address = probe.block(block).Address() + byte;
    switch (d.area) {
    case DiffArea::Bytes: return address >= d.address && address < d.address + d.size;
    case DiffArea::Channel: {
        const int k = int(block) - int(Block::Channel0);
        return k >= 0 && k < kChannelBlockCount && d.channel == 4 * k + byte / 16 + 1;
    }
    case DiffArea::Features: return block == Block::B0120;
    case DiffArea::Key: return block == Block::B0110;
    case DiffArea::Scan: return block == Block::B0160;
    case DiffArea::Radio: return false;
    }
    return false;
}

}  // namespace

class TestRecordDiff : public QObject {
    Q_OBJECT
private slots:
    void sameRecordsHaveNoDifference()
    {
        const RadioData data = Patterned(0);
        QVERIFY(CompareRecords(data, data).empty());
        QVERIFY(CompareRecords(RadioData(), RadioData()).empty());
    }

    // Each bit of each byte a write sends, flipped alone, makes exactly one
    // difference, and that difference names the byte; a byte not sent makes none.
    void everyWrittenBitIsOneDifference()
    {
        for (int model : {0, 1}) {
            const RadioData base = Patterned(model);
            for (int n = 0; n < kBlockCount; ++n) {
                const Block block = Block(n);
                const bool channelBlock = n >= int(Block::Channel0) && n <= int(Block::Channel7);
                const bool inUse = !channelBlock || n - int(Block::Channel0) < base.ChannelBlocksInUse();
                for (int byte = 0; byte < kBlockDataSize; ++byte) {
                    const bool sent = inUse && byte < 16 * QuartersWritten(block);
                    for (int bit = 0; bit < 8; ++bit) {
                        RadioData changed = base;
                        changed.block(block).data[std::size_t(byte)] ^= std::uint8_t(1u << bit);
                        const auto found = CompareRecords(base, changed);
                        const QString where = QStringLiteral("model %1 block %2 byte %3 bit %4")
                                                  .arg(model).arg(n).arg(byte).arg(bit);
                        QVERIFY2(found.size() == (sent ? 1u : 0u), qPrintable(where));
                        if (sent) {
                            QVERIFY2(Names(found.front(), block, byte), qPrintable(where));
                            QVERIFY2(found.front().from != found.front().to, qPrintable(where));
                        }
                    }
                }
            }
        }
    }

    void linesReadAsTheViewsWordThem_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("line");
        QTest::newRow("rx") << "rx" << "channel 3 receive frequency: 435.12500 -> 436.00000";
        QTest::newRow("emptied")
            << "erase" << "channel 3 all fields: 435.12500 / 435.12500 / Off / Off / Wide / High / On / On -> -";
        QTest::newRow("tone") << "tone" << "channel 3 receive tone: Off -> 88.5";
        QTest::newRow("power") << "power" << "channel 3 power: High -> Low";
        QTest::newRow("vox") << "vox" << "VOX level: 5 -> 7";
        QTest::newRow("side key") << "key" << "Side key: Off -> Monitor";
        QTest::newRow("hold") << "hold" << "Hold time (s): 0.6 -> 5";
        QTest::newRow("code") << "code" << "Code 1: 12345 -> 12";
        QTest::newRow("band") << "band" << "Band: 400-470 MHz -> 136-174 MHz";
        QTest::newRow("bytes") << "bytes" << "bytes 0x03C2-0x03C3 (not shown): FF FF -> 12 34";
        QTest::newRow("byte") << "byte" << "byte 0x0000 (not shown): FF -> 00";
        QTest::newRow("out of range") << "range" << "Squelch level: 6 -> [0B]";
    }
    void linesReadAsTheViewsWordThem()
    {
        QFETCH(QString, change);
        QFETCH(QString, line);
        RadioData a;
        a.Channel(2).SetRxFrequency(0x43512500);
        a.Channel(2).SetTxFrequency(0x43512500);
        a.Channel(2).SetOption(ChannelOption::HighPower, true);
        a.block(Block::B0160).data[bytes::scan::kHoldTime] = 3;
        RadioData b = a;
        if (change == "rx") {
            b.Channel(2).SetRxFrequency(0x43600000);
        } else if (change == "erase") {
            b.Channel(2).Erase();
        } else if (change == "tone") {
            b.Channel(2).SetRxTone(885);
        } else if (change == "power") {
            b.Channel(2).SetOption(ChannelOption::HighPower, false);
        } else if (change == "vox") {
            b.block(Block::B0120).data[bytes::choice::kVoxLevel] = 7;
        } else if (change == "key") {
            a.block(Block::B0110).data[bytes::key::kSideKey] = 0;
            b.block(Block::B0110).data[bytes::key::kSideKey] = 1;
        } else if (change == "hold") {
            b.block(Block::B0160).data[bytes::scan::kHoldTime] = 91;
        } else if (change == "code") {
            b.block(Block::B0120).data[bytes::choice::kCode1 + 2] = 0xFF;
        } else if (change == "band") {
            b.bandLower = 136;
            b.bandUpper = 174;
        } else if (change == "bytes") {
            b.block(Block::B03C0).data[2] = 0x12;
            b.block(Block::B03C0).data[3] = 0x34;
        } else if (change == "byte") {
            b.block(Block::B0000).data[0] = 0;
        } else if (change == "range") {
            b.block(Block::B0120).data[bytes::choice::kSquelchLevel] = 11;
        }
        QCOMPARE(Lines(a, b), QStringList{line});
    }

    // Channels, settings, the radio, then bytes; channels of the larger model count.
    void differencesComeInTheirOrder()
    {
        RadioData a;
        a.model = 0;
        RadioData b = a;
        b.model = 1;
        b.block(Block::B03C0).data[0] = 1;
        b.block(Block::B0160).data[bytes::scan::kTransmitOn] = 1;
        a.Channel(20).SetRxFrequency(0x43000000);
        const auto found = CompareRecords(a, b);
        QStringList areas;
        for (const Difference& d : found) {
            areas << DiffAreaName(d.area) + QString::number(d.channel);
        }
        QCOMPARE(areas, (QStringList{"channel21", "scan0", "radio0", "bytes0"}));
        QCOMPARE(QString::fromStdString(found[1].to), QStringLiteral("Current+Talkback"));
    }

    // Two plans that differ in every channel and setting: well under a millisecond
    // (a sanitizer build is given five).
    void comparesQuickly()
    {
        const RadioData a = Patterned(0);
        RadioData b = Patterned(0);
        for (auto& block : b.blocks) {
            block.data.fill(0x5A);
        }
        QElapsedTimer timer;
        timer.start();
        constexpr int kRuns = 100;
        std::size_t count = 0;
        for (int i = 0; i < kRuns; ++i) {
            count += CompareRecords(a, b).size();
        }
        const qint64 each = timer.nsecsElapsed() / kRuns;
        QVERIFY(count / kRuns > 300);
#if defined(__SANITIZE_ADDRESS__)
        constexpr qint64 kLimit = 5'000'000;
#else
        constexpr qint64 kLimit = 1'000'000;
#endif
        QVERIFY2(each < kLimit, qPrintable(QString::number(each)));
    }
};

QTEST_APPLESS_MAIN(TestRecordDiff)
#include "test_record_diff.moc"
