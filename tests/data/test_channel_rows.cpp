#include <QtTest>

#include <cstring>

#include "data/channel_rows.h"

using namespace radio;
using Kind = RowsRefusal::Kind;

Q_DECLARE_METATYPE(radio::RowsRefusal::Kind)

namespace {

// "0 1 3-15 2": channel indexes, with runs.
std::vector<int> Ints(const QString& text)
{
    std::vector<int> list;
    for (const QString& part : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList run = part.split(QLatin1Char('-'));
        for (int i = run.front().toInt(); i <= run.back().toInt(); ++i) {
            list.push_back(i);
        }
    }
    return list;
}

// Every byte of the record set to a pattern, so that each channel's bytes (the bits
// the table does not know among them) differ from every other's. Channels below
// `programmed` are on 430 MHz + 12.5 kHz * i, without tones, the even ones sending
// 5 MHz higher, the odd ones 5 MHz lower, channel 1 not at all; the others are empty.
// `words` then sets the first receive frequencies ("-" empties the channel).
RadioData Sample(int programmed, int model = 1, const QString& words = {})
{
    RadioData data;
    data.model = model;
    for (std::size_t b = 0; b < data.blocks.size(); ++b) {
        for (std::size_t j = 0; j < kBlockDataSize; ++j) {
            data.blocks[b].data[j] = std::uint8_t((b * 64 + j) * 37 + 11);
        }
    }
    for (int i = 0; i < data.ChannelCount(); ++i) {
        const std::uint64_t rx = 43000000 + 1250 * std::uint64_t(i);
        ChannelRecord channel = data.Channel(i);
        channel.SetRxFrequency(FrequencyWordOf(rx));
        channel.SetTxFrequency(i == 1 ? kNoFrequency
                                      : FrequencyWordOf(rx + (i % 2 ? -1 : 1) * 500000));
        channel.SetRxTone(kToneOff);
        channel.SetTxTone(kToneOff);
        if (i >= programmed) {
            EmptyChannel(data, i);
        }
    }
    const QStringList list = words.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (int i = 0; i < int(list.size()); ++i) {
        list[i] == "-" ? EmptyChannel(data, i)
                       : data.Channel(i).SetRxFrequency(list[i].toUInt(nullptr, 16));
    }
    return data;
}

// `from` with channel i holding what channel order[i] held, then `emptied` emptied.
RadioData Arranged(const RadioData& from, const QString& order, const QString& emptied)
{
    RadioData data = from;
    const std::vector<int> list = Ints(order);
    for (int i = 0; i < int(list.size()); ++i) {
        std::memcpy(data.Channel(i).MutableBytes(), from.Channel(list[std::size_t(i)]).Bytes(),
                    kChannelRecordSize);
    }
    for (int i : Ints(emptied)) {
        EmptyChannel(data, i);
    }
    return data;
}

// Where two records differ first ("channel 3 byte 12"); empty when they are equal.
QString Difference(const RadioData& a, const RadioData& b)
{
    const auto x = a.ToImage();
    const auto y = b.ToImage();
    for (std::size_t at = 0; at < x.size(); ++at) {
        for (int i = 0; x[at] != y[at] && i < kMaxChannels; ++i) {
            const std::size_t start = RadioData::ChannelImageOffset(i);
            if (at >= start && at < start + kChannelRecordSize) {
                return QStringLiteral("channel %1 byte %2").arg(i).arg(at - start);
            }
        }
        if (x[at] != y[at]) {
            return QStringLiteral("image byte %1").arg(at);
        }
    }
    return QString();
}

}  // namespace

class TestChannelRows : public QObject {
    Q_OBJECT
private slots:
    void newAndEmptyChannelBytes_data();
    void newAndEmptyChannelBytes();
    void reorder_data();
    void reorder();
    void fill();
    void fillRefused_data();
    void fillRefused();
    void find_data();
    void find();
    void bulkSet();
};

// The bits the table does not know keep their values: the record starts as 00 11 .. FF.
void TestChannelRows::newAndEmptyChannelBytes_data()
{
    QTest::addColumn<bool>("make");
    QTest::addColumn<uint>("rx");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray empty = QByteArray::fromHex("ffffffff ffffffff ffffffff cdfdefff");
    QTest::newRow("empty") << false << 0u << empty;
    QTest::newRow("new 435.125") << true << 0x43512500u
                                 << QByteArray::fromHex("00255143 00255143 ffffffff c4bdef1f");
    QTest::newRow("new without a frequency") << true << kNoFrequency << empty;
}

void TestChannelRows::newAndEmptyChannelBytes()
{
    QFETCH(bool, make);
    QFETCH(uint, rx);
    QFETCH(QByteArray, expected);
    RadioData data = Sample(16);
    const RadioData before = data;
    std::uint8_t* bytes = data.Channel(5).MutableBytes();
    for (int j = 0; j < kChannelRecordSize; ++j) {
        bytes[j] = std::uint8_t(0x11 * j);
    }
    make ? MakeNewChannel(data, 5, rx) : EmptyChannel(data, 5);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(bytes), 16).toHex(' '), expected.toHex(' '));
    std::memcpy(bytes, before.Channel(5).Bytes(), kChannelRecordSize);
    QCOMPARE(Difference(data, before), QString());
}

// `op` on Sample(programmed, model, words) gives the record Arranged(order, emptied);
// a refused one changes nothing. A move moved back gives the bytes back.
void TestChannelRows::reorder_data()
{
    for (const char* column : {"op", "words", "order", "emptied"}) {
        QTest::addColumn<QString>(column);
    }
    QTest::addColumn<int>("programmed");
    QTest::addColumn<int>("model");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("channel");
    const Kind ok = Kind::None;
    auto row = [](const char* name, const QString& op, int programmed, const QString& order,
                  const QString& emptied = {}, Kind kind = Kind::None, int channel = -1,
                  const QString& words = {}, int model = 1) {
        QTest::newRow(name) << op << words << order << emptied << programmed << model << kind
                            << channel;
    };
    row("insert at 3", "insert 2 1", 15, "0 1 15 2-14", "2");
    row("insert two at 1", "insert 0 2", 14, "14 15 0-13", "0 1");
    row("insert at the last", "insert 15 1", 15, "0-15", "15");
    row("insert, the last programmed", "insert 2 1", 16, "0-15", "", Kind::NoRoom, 15);
    row("insert past the end over one", "insert 13 9", 14, "0-15", "", Kind::NoRoom, 13);
    row("insert past the end", "insert 12 9", 12, "0-15", "12-15");
    row("insert outside", "insert 16 1", 10, "0-15");
    row("insert before the first", "insert -1 1", 10, "0-15");
    row("insert none", "insert 3 0", 10, "0-15");
    row("delete 3", "delete 2", 16, "0 1 3-15 2", "15");
    row("delete any order, repeats", "delete 9 2 9 40 -1", 16, "0 1 3-8 10-15 2 9", "14 15");
    row("delete the last", "delete 15", 16, "0-15", "15");
    row("delete outside", "delete 16 31", 16, "0-15");
    row("a run up", "up 3 2 4", 12, "0 2 3 4 1 5-15");
    row("a run down", "down 2 3 4 3", 12, "0 1 5 2 3 4 6-15");
    row("apart, up", "up 5 1", 12, "1 0 2 3 5 4 6-15");
    row("move outside passed over", "down 16 3", 12, "0-2 4 3 5-15");
    row("the first up", "up 3 0", 12, "0-15", "", Kind::AtEdge, 0);
    row("the last down", "down 15", 12, "0-15", "", Kind::AtEdge, 15);
    row("across blocks of 32", "down 15 19", 12, "0-14 16 15 17 18 20 19 21-31", "", ok, -1, "", 0);
    row("the last of 32 down", "down 31", 12, "0-31", "", Kind::AtEdge, 31, "", 0);
    // 4300000A does not format: an empty row.
    const QString plan = "44000000 - 43500000 44000000 43500000 4300000A";
    row("sort all", "sort", 15, "6-14 2 4 0 3 1 5 15", "", ok, -1, plan);
    row("sort one row: all", "sort 3", 15, "6-14 2 4 0 3 1 5 15", "", ok, -1, plan);
    row("sort in own places", "sort 6 0 2 1 40 1", 15, "6 2 0 3 4 5 1 7-15", "", ok, -1, plan);
    row("sorted already", "sort", 15, "0-15");
    // Enough channels for an unstable sort to show.
    QString odds;
    QString evens;
    for (int i = 0; i < 32; i += 2) {
        odds += QStringLiteral(" %1").arg(i + 1);
        evens += QStringLiteral(" %1").arg(i);
    }
    row("sort 32 on two", "sort", 15, odds + evens, "", ok, -1,
        QString("44000000 43500000 ").repeated(16), 0);
}

void TestChannelRows::reorder()
{
    QFETCH(QString, op);
    QFETCH(QString, words);
    QFETCH(QString, order);
    QFETCH(QString, emptied);
    QFETCH(int, programmed);
    QFETCH(int, model);
    QFETCH(Kind, kind);
    QFETCH(int, channel);
    RadioData data = Sample(programmed, model, words);
    const RadioData before = data;
    QStringList args = op.split(QLatin1Char(' '));
    const QString name = args.takeFirst();
    std::vector<int> n;
    for (const QString& a : args) {
        n.push_back(a.toInt());
    }
    RowsRefusal result;
    std::vector<int> moved;
    if (name == "insert") {
        result = InsertEmptyChannels(data, n[0], n[1]);
    } else if (name == "delete") {
        DeleteChannels(data, n);
    } else if (name == "sort") {
        SortChannelsByReceive(data, n);
    } else {
        result = MoveChannels(data, n, name == "up" ? -1 : 1, &moved);
    }
    QCOMPARE(result.kind, kind);
    QCOMPARE(result.channel, channel);
    QCOMPARE(Difference(data, Arranged(before, order, emptied)), QString());
    if (!moved.empty() && result.ok()) {
        QVERIFY(MoveChannels(data, moved, name == "up" ? 1 : -1).ok());
        QCOMPARE(Difference(data, before), QString());
    }
}

// From channel 2 (430.02500) in 12.5 kHz steps: channel 4 keeps its transmit offset of
// +5 MHz, channel 5 its -5 MHz, the empty 10 and 12 become new channels, channel 1
// above the start stays; then channel 1 without a transmit frequency keeps none.
void TestChannelRows::fill()
{
    RadioData data = Sample(10);
    const std::vector<int> rows = Ints("12 0 5 2 4 10 1 40");
    QCOMPARE(FillTargets(2, rows), Ints("4 5 10 12"));
    QCOMPARE(ProgrammedCount(data, FillTargets(2, rows)), 2);
    RadioData expected = data;
    const std::uint32_t words[][3] = {
        {4, 43003750, 43503750}, {5, 43005000, 42505000}, {1, 43002500, 0}};
    for (const auto& w : words) {
        expected.Channel(int(w[0])).SetRxFrequency(FrequencyWordOf(w[1]));
        expected.Channel(int(w[0])).SetTxFrequency(w[2] ? FrequencyWordOf(w[2]) : kNoFrequency);
    }
    MakeNewChannel(expected, 10, FrequencyWordOf(43006250));
    MakeNewChannel(expected, 12, FrequencyWordOf(43007500));
    QVERIFY(FillFrequencies(data, 2, rows, 1250).ok());
    QVERIFY(FillFrequencies(data, 0, {1}, 2500).ok());
    QCOMPARE(Difference(data, expected), QString());
}

// Channel 7 is on 440.99999: 470.99999 still lies in the band 400-470, 475.99999 not.
void TestChannelRows::fillRefused_data()
{
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<uint>("step");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("channel");
    QTest::addColumn<uint>("frequency");
    QTest::newRow("empty start") << 400 << 9 << "10 11" << 1250u << Kind::NoStart << 9 << 0u;
    QTest::newRow("start outside") << 400 << 20 << "" << 1250u << Kind::NoStart << 20 << 0u;
    QTest::newRow("past the band")
        << 400 << 7 << "8-15" << 500000u << Kind::OutOfBand << 14 << 47599999u;
    QTest::newRow("a transmit frequency below the band")
        << 428 << 0 << "1 3" << 1250u << Kind::OutOfBand << 3 << 42502500u;
}

void TestChannelRows::fillRefused()
{
    QFETCH(int, lower);
    QFETCH(int, current);
    QFETCH(QString, rows);
    QFETCH(uint, step);
    QFETCH(Kind, kind);
    QFETCH(int, channel);
    QFETCH(uint, frequency);
    RadioData data = Sample(8);
    data.bandLower = lower;
    data.Channel(7).SetRxFrequency(FrequencyWordOf(44099999));
    const RadioData before = data;
    const RowsRefusal result = FillFrequencies(data, current, Ints(rows), step);
    QCOMPARE(result.kind, kind);
    QCOMPARE(result.channel, channel);
    QCOMPARE(result.frequency, frequency);
    QCOMPARE(Difference(data, before), QString());
}

// Channel 1 receives DN023, 2 on 88.5, 4 is on 400 MHz (where the table puts "88.5"
// typed as a frequency), 5 sends DN023, 6 receives DI023; the empty channel 10 still
// holds a transmit frequency and a tone.
void TestChannelRows::find_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("channel");
    auto row = [](const char* text, int from, int channel, Kind kind = Kind::None) {
        QTest::addRow("%s from %d", text, from) << from << text << kind << channel;
    };
    row("88.5", 0, 2);
    row("88.5", 2, 2);  // itself last, not 400 MHz
    row("DN023", 1, 5);
    row("D023", 5, 1);  // wraps
    row("d023n", 0, 1);
    row("023N", 2, 5);
    row("D023I", 0, 6);
    row(" 023i ", 0, 6);
    row("DI023", 0, 6);
    row("430.0375", 0, 3);
    row("430.03999", 0, 3);  // as the table lowers it to the raster
    row("435", 0, 0);        // a transmit frequency, itself last
    row("430", 99, 0);
    row("430.0", -1, 0);
    row("DN777", 0, -1, Kind::NotFound);
    row("446", 0, -1, Kind::NotFound);
    for (const char* text : {"088.5", "88.6", "hello", "D028", "  "}) {
        row(text, 0, -1, Kind::NotUnderstood);
    }
}

void TestChannelRows::find()
{
    QFETCH(int, from);
    QFETCH(QString, text);
    QFETCH(Kind, kind);
    QFETCH(int, channel);
    RadioData data = Sample(8);
    data.Channel(1).SetRxTone(0x2813);
    data.Channel(2).SetRxTone(885);
    data.Channel(4).SetRxFrequency(0x40000000);
    data.Channel(5).SetTxTone(0x2813);
    data.Channel(6).SetRxTone(0xA813);
    data.Channel(10).SetTxFrequency(0x44600000);
    data.Channel(10).SetTxTone(0x29FF);
    const RowsRefusal result = FindChannel(data, from, text.toStdString());
    QCOMPARE(result.kind, kind);
    QCOMPARE(result.channel, channel);
}

// Channel 1 has no transmit frequency, so no transmit tone; 9 stays empty.
void TestChannelRows::bulkSet()
{
    RadioData data = Sample(8);
    RadioData expected = data;
    const BulkSettings all{885, 0x2813, false, false, false, true};
    for (int i : {0, 1}) {
        ChannelRecord channel = expected.Channel(i);
        channel.SetRxTone(885);
        channel.SetOption(ChannelOption::Wide, false);
        channel.SetOption(ChannelOption::HighPower, i == 1);  // 1 by `power` below
        channel.SetOption(ChannelOption::ScanAdd, false);
        channel.SetOption(ChannelOption::BusyLock, true);
    }
    expected.Channel(0).SetTxTone(0x2813);
    BulkSettings power;
    power.highPower = true;
    QVERIFY(ApplyBulkSettings(data, Ints("0 1 9 99"), all).ok());
    QVERIFY(ApplyBulkSettings(data, {1}, power).ok());
    QCOMPARE(ApplyBulkSettings(data, Ints("9 10 40"), all).kind, Kind::NoChannels);
    QCOMPARE(Difference(data, expected), QString());
}

QTEST_APPLESS_MAIN(TestChannelRows)
#include "test_channel_rows.moc"
