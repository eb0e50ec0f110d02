// The channel table's cells and record edits, without widgets.
#include <QtTest>

#include "channel_test_support.h"
#include "channels/channel_cells.h"
#include "data/band_change.h"

using namespace radio;
using radio::test::ChannelValues;

namespace {

struct Bytes16 {
    std::array<std::uint8_t, 16> b{};
};

Bytes16 RecordBytes(const RadioData& data, int index)
{
    Bytes16 out;
    const std::uint8_t* p = data.Channel(index).Bytes();
    std::copy(p, p + 16, out.b.begin());
    return out;
}

QString Hex(const Bytes16& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.b.data()), 16).toHex(' ');
}

}  // namespace

class TestChannelCells : public QObject {
    Q_OBJECT

private:
    RadioData m_data;

private slots:
    void init()
    {
        m_data = RadioData();
        test::SetTableTexts(m_data);
        test::UseVhfBand(m_data);
    }

    void layoutTexts_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("rows");
        QTest::newRow("16 channels") << 1 << 17;
        QTest::newRow("32 channels") << 0 << 33;
    }
    void layoutTexts()
    {
        QFETCH(int, model);
        QFETCH(int, rows);
        m_data.model = model;
        QCOMPARE(TableRowCount(m_data), rows);
        const QStringList headers = {"CH",        "RX Freq", "TX Freq",  "RX Tone",  "TX Tone",
                                     "Bandwidth", "Power",   "Scan add", "Busy lock"};
        for (int c = 0; c < column::Count; ++c) {
            QCOMPARE(CellText(m_data, 0, c), headers[c]);
        }
        for (int r = 1; r < rows; ++r) {
            QCOMPARE(CellText(m_data, r, column::Label), QString::number(r > 16 ? r - 16 : r));
        }
        QVERIFY(CellText(m_data, rows, column::Label).isEmpty());
    }

    void fillRow_data()
    {
        QTest::addColumn<quint32>("rx");
        QTest::addColumn<quint32>("tx");
        QTest::addColumn<int>("rxTone");
        QTest::addColumn<int>("txTone");
        QTest::addColumn<QStringList>("cells");  // columns 1..8
        QTest::newRow("erased") << 0xFFFFFFFFu << 0xFFFFFFFFu << 0xFFFF << 0xFFFF
                                << QStringList{"", "", "", "", "", "", "", ""};
        QTest::newRow("channel, tones off")
            << 0x14512500u << 0x14560000u << 0xFFFF << 0xFFFF
            << QStringList{"145.12500", "145.60000", "Off", "Off",
                           "Wide",      "High",      "On",  "Unlocked"};
        QTest::newRow("CTCSS and DCS") << 0x43000000u << 0x43000625u << 885 << 0xA9EC
                                       << QStringList{"430.00000", "430.00625", "88.5", "DI754",
                                                      "Wide",      "High",      "On",   "Unlocked"};
        QTest::newRow("no transmit frequency")
            << 0x14512500u << 0xFFFFFFFFu << 0x2813 << 0xFFFF
            << QStringList{"145.12500", "", "DN023", "Off", "Wide", "High", "On", "Unlocked"};
        // Not a channel: options hidden, off tones empty, set tones still shown.
        QTest::newRow("invalid receive frequency")
            << 0x1234ABCDu << 0x14512500u << 0xFFFF << 885
            << QStringList{"", "145.12500", "", "88.5", "", "", "", ""};
    }
    void fillRow()
    {
        QFETCH(quint32, rx);
        QFETCH(quint32, tx);
        QFETCH(int, rxTone);
        QFETCH(int, txTone);
        QFETCH(QStringList, cells);
        test::SetChannel(m_data, 2,
                         ChannelValues{rx, tx, std::uint16_t(rxTone), std::uint16_t(txTone)});
        for (int c = 1; c <= column::Last; ++c) {
            QCOMPARE(CellText(m_data, 3, c), cells[c - 1]);
        }
    }

    void optionTexts_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("cleared");
        QTest::newRow("bandwidth") << int(ChannelOption::Wide) << 5 << "Wide"
                                   << "Narrow";
        QTest::newRow("power") << int(ChannelOption::HighPower) << 6 << "High"
                               << "Low";
        QTest::newRow("scan add") << int(ChannelOption::ScanAdd) << 7 << "On"
                                  << "Off";
        QTest::newRow("busy lock") << int(ChannelOption::BusyLock) << 8 << "Locked"
                                   << "Unlocked";
    }
    void optionTexts()
    {
        QFETCH(int, option);
        QFETCH(int, column);
        QFETCH(QString, set);
        QFETCH(QString, cleared);
        test::SetChannel(m_data, 0, ChannelValues{});
        m_data.Channel(0).SetOption(ChannelOption(option), true);
        QCOMPARE(CellText(m_data, 1, column), set);
        m_data.Channel(0).SetOption(ChannelOption(option), false);
        QCOMPARE(CellText(m_data, 1, column), cleared);
    }

    void editKind_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("oldText");
        QTest::addColumn<QString>("newText");
        QTest::addColumn<int>("kind");
        QTest::newRow("rx into empty") << 1 << ""
                                       << "145.12500" << int(EditKind::NewChannel);
        QTest::newRow("rx emptied") << 1 << "145.12500"
                                    << "" << int(EditKind::ChannelCleared);
        QTest::newRow("rx changed") << 1 << "145.12500"
                                    << "146.00000" << int(EditKind::FieldUpdate);
        QTest::newRow("rx empty stays") << 1 << ""
                                        << "" << int(EditKind::FieldUpdate);
        QTest::newRow("tx emptied") << 2 << "145.12500"
                                    << "" << int(EditKind::TransmitCleared);
        QTest::newRow("tx set") << 2 << ""
                                << "145.12500" << int(EditKind::FieldUpdate);
        QTest::newRow("tone emptied") << 3 << "88.5"
                                      << "" << int(EditKind::FieldUpdate);
    }
    void editKind()
    {
        QFETCH(int, column);
        QFETCH(QString, oldText);
        QFETCH(QString, newText);
        QFETCH(int, kind);
        QCOMPARE(int(EditKindOf(column, oldText, newText)), kind);
    }

    // A receive frequency typed into an empty row makes a whole channel.
    void newChannel()
    {
        const CommitResult result = CommitCell(m_data, 1, column::RxFrequency, "145.125");
        QVERIFY(!result.refused);
        QVERIFY(!result.outOfBand);
        QCOMPARE(int(result.kind), int(EditKind::NewChannel));
        const QStringList expected = {"145.12500", "145.12500", "Off", "Off",
                                      "Wide",      "High",      "On",  "Unlocked"};
        for (int c = 1; c <= column::Last; ++c) {
            QCOMPARE(CellText(m_data, 1, c), expected[c - 1]);
        }
        // rx and tx 0x14512500 little-endian, tones off; word 12: bits 13 (wide) and 12
        // (high) set, bits 14, 3 and 0 cleared; word 14: bit 0 (scan) set, level 0.
        Bytes16 want;
        want.b = {0x00, 0x25, 0x51, 0x14, 0x00, 0x25, 0x51, 0x14,
                  0xFF, 0xFF, 0xFF, 0xFF, 0xF6, 0xBF, 0xFF, 0x1F};
        QCOMPARE(Hex(RecordBytes(m_data, 0)), Hex(want));
        // Nothing else moved.
        QVERIFY(m_data.Channel(1).IsErased());
    }

    // Clearing the receive frequency sets every field to ones and keeps the bits the
    // table does not own.
    void channelCleared()
    {
        test::SetChannel(m_data, 4, ChannelValues{0x14512500, 0x14600000, 885, 885});
        ChannelRecord record = m_data.Channel(4);
        record.MutableBytes()[12] &= std::uint8_t(~0x06);  // word 12 bits 1-2
        record.MutableBytes()[14] &= std::uint8_t(~0x10);  // word 14 bit 4
        record.MutableBytes()[14] &= std::uint8_t(~0x20);  // word 14 bit 5, no field
        const CommitResult result = CommitCell(m_data, 5, column::RxFrequency, "");
        QCOMPARE(int(result.kind), int(EditKind::ChannelCleared));
        for (int c = 1; c <= column::Last; ++c) {
            QVERIFY2(CellText(m_data, 5, c).isEmpty(), qPrintable(QString::number(c)));
        }
        Bytes16 want;
        want.b.fill(0xFF);
        want.b[12] = 0xF9;
        want.b[14] = 0xCF;
        QCOMPARE(Hex(RecordBytes(m_data, 4)), Hex(want));
    }

    void transmitCleared()
    {
        test::SetChannel(m_data, 0, ChannelValues{0x14512500, 0x14600000, 885, 1000});
        const CommitResult result = CommitCell(m_data, 1, column::TxFrequency, "");
        QCOMPARE(int(result.kind), int(EditKind::TransmitCleared));
        QCOMPARE(m_data.Channel(0).TxFrequency(), kNoFrequency);
        QCOMPARE(m_data.Channel(0).TxTone(), kToneOff);
        QCOMPARE(m_data.Channel(0).RxTone(), std::uint16_t(885));
        QCOMPARE(m_data.Channel(0).RxFrequency(), 0x14512500u);
        QCOMPARE(CellText(m_data, 1, column::TxFrequency), QString());
        QCOMPARE(CellText(m_data, 1, column::TxTone), QString("Off"));
    }

    void receiveToneFollows_data()
    {
        QTest::addColumn<int>("txTone");
        QTest::addColumn<QString>("newRxTone");
        QTest::addColumn<int>("wantTxTone");
        QTest::addColumn<QString>("wantTxCell");
        QTest::newRow("off follows") << 0xFFFF << "DN023" << 0x2813 << "DN023";
        QTest::newRow("set stays") << 1000 << "DN023" << 1000 << "100.0";
        QTest::newRow("off to off") << 0xFFFF << "Off" << 0xFFFF << "Off";
    }
    void receiveToneFollows()
    {
        QFETCH(int, txTone);
        QFETCH(QString, newRxTone);
        QFETCH(int, wantTxTone);
        QFETCH(QString, wantTxCell);
        test::SetChannel(m_data, 0,
                         ChannelValues{0x14512500, 0x14512500, 0xFFFF, std::uint16_t(txTone)});
        CommitCell(m_data, 1, column::RxTone, newRxTone);
        QCOMPARE(int(m_data.Channel(0).TxTone()), wantTxTone);
        QCOMPARE(CellText(m_data, 1, column::TxTone), wantTxCell);
        QCOMPARE(CellText(m_data, 1, column::RxTone), newRxTone);
    }

    void storeOption_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("bit");
        QTest::newRow("5 narrow") << 5 << true << "Narrow" << false;
        QTest::newRow("5 wide") << 5 << true << "Wide" << true;
        QTest::newRow("6 low") << 6 << true << "Low" << false;
        QTest::newRow("6 high") << 6 << true << "High" << true;
        QTest::newRow("7 off") << 7 << true << "Off" << false;
        QTest::newRow("7 on") << 7 << true << "On" << true;
        QTest::newRow("8 unlocked") << 8 << true << "Unlocked" << false;
        QTest::newRow("8 locked") << 8 << true << "Locked" << true;
        QTest::newRow("10 off") << 10 << true << "Off" << false;
        QTest::newRow("11 on") << 11 << true << "On" << true;
        // Any text standing for 0 clears any option; anything else sets it.
        QTest::newRow("5 low") << 5 << true << "Low" << false;
        QTest::newRow("8 strange") << 8 << true << "?" << true;
        QTest::newRow("6 not valid") << 6 << false << "Low" << true;
    }
    void storeOption()
    {
        QFETCH(int, field);
        QFETCH(bool, valid);
        QFETCH(QString, text);
        QFETCH(bool, bit);
        test::SetChannel(m_data, 0, ChannelValues{});
        const ChannelOption options[] = {ChannelOption::Wide, ChannelOption::HighPower,
                                         ChannelOption::ScanAdd, ChannelOption::BusyLock};
        const ChannelOption option = field <= 8    ? options[field - 5]
                                     : field == 10 ? ChannelOption::Option10
                                                   : ChannelOption::Option11;
        // Start from the opposite value so that the store must change exactly one bit.
        m_data.Channel(0).SetOption(option, !bit);
        Bytes16 want = RecordBytes(m_data, 0);
        const OptionBit where = OptionBitOf(option);
        want.b[std::size_t(where.byte)] ^= std::uint8_t(1u << where.bit);
        QVERIFY(StoreChannelField(m_data, 0, field, valid, text));
        QCOMPARE(m_data.Channel(0).Option(option), bit);
        QCOMPARE(Hex(RecordBytes(m_data, 0)), Hex(want));
    }

    void storeLevelAndTones_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("level 1") << 9 << true << "1" << 0;
        QTest::newRow("level 8") << 9 << true << "8" << 7;
        QTest::newRow("level 9") << 9 << true << "9" << 7;
        QTest::newRow("level empty") << 9 << true << "" << 7;
        QTest::newRow("level not valid") << 9 << false << "3" << 7;
        QTest::newRow("rx tone") << 3 << true << "254.1" << 2541;
        QTest::newRow("rx tone off") << 3 << true << "Off" << 0xFFFF;
        QTest::newRow("tx tone DN777") << 4 << true << "DN777" << 0x29FF;
        QTest::newRow("tx tone not valid") << 4 << false << "67.0" << 0xFFFF;
    }
    void storeLevelAndTones()
    {
        QFETCH(int, field);
        QFETCH(bool, valid);
        QFETCH(QString, text);
        QFETCH(int, value);
        test::SetChannel(m_data, 0, ChannelValues{0x14512500, 0x14512500, 670, 670});
        QVERIFY(StoreChannelField(m_data, 0, field, valid, text));
        const ConstChannelRecord record = std::as_const(m_data).Channel(0);
        const int got = field == 9   ? record.Level()
                        : field == 3 ? record.RxTone()
                                     : record.TxTone();
        QCOMPARE(got, value);
    }

    void storeUnknownField()
    {
        const Bytes16 before = RecordBytes(m_data, 0);
        QString text = "1";
        QVERIFY(!StoreChannelField(m_data, 0, 12, true, text));
        QVERIFY(!StoreChannelField(m_data, 0, 0, true, text));
        QVERIFY(!StoreChannelField(m_data, 16, 1, true, text));  // channel 17 of a 16-channel radio
        QCOMPARE(Hex(RecordBytes(m_data, 0)), Hex(before));
    }

    void commitFrequency_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<bool>("outOfBand");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<quint32>("word");
        QTest::addColumn<QString>("reason");
        const QString none;
        QTest::newRow("5 kHz") << "145.125" << false << false << "145.12500" << 0x14512500u << none;
        QTest::newRow("whole MHz") << "145" << false << false << "145.00000" << 0x14500000u << none;
        QTest::newRow("6.25 kHz") << "145.00625" << false << false << "145.00625" << 0x14500625u
                                  << none;
        QTest::newRow("zeros below 10 Hz")
            << "145.1250000" << false << false << "145.12500" << 0x14512500u << none;
        QTest::newRow("above band")
            << "480.5" << false << true << "480.50000" << 0x48050000u << none;
        QTest::newRow("blanks") << "  " << false << false << "" << 0xFFFFFFFFu << none;
        // Refused: taken as typed they would be another frequency.
        QTest::newRow("below 10 Hz") << "145.1234567" << true << false << "" << 0xFFFFFFFFu
                                     << "More digits than the radio keeps (10 Hz): 145.1234567";
        QTest::newRow("off raster")
            << "145.123" << true << false << "" << 0xFFFFFFFFu
            << "Not on the channel raster of 5 kHz and 6.25 kHz: 145.123; the nearest are "
               "145.12000 and 145.12500";
        QTest::newRow("off raster, next MHz")
            << "145.9999" << true << false << "" << 0xFFFFFFFFu
            << "Not on the channel raster of 5 kHz and 6.25 kHz: 145.9999; the nearest are "
               "145.99500 and 146.00000";
        QTest::newRow("point forgotten") << "1451250" << true << false << "" << 0xFFFFFFFFu
                                         << "Not a frequency of the band 136-174 MHz: 1451250";
        QTest::newRow("far below") << "50" << true << false << "" << 0xFFFFFFFFu
                                   << "Not a frequency of the band 136-174 MHz: 50";
        QTest::newRow("point first") << ".5" << true << false << "" << 0xFFFFFFFFu
                                     << "Not a frequency of the band 136-174 MHz: .5";
        QTest::newRow("two points") << "145..5" << true << false << "" << 0xFFFFFFFFu << none;
        QTest::newRow("point only") << "." << true << false << "" << 0xFFFFFFFFu << none;
        QTest::newRow("letters") << "14a.5" << true << false << "" << 0xFFFFFFFFu << none;
        QTest::newRow("trailing letter")
            << "145.1234x" << true << false << "" << 0xFFFFFFFFu << none;
    }
    // A receive frequency committed into an empty row.
    void commitFrequency()
    {
        QFETCH(QString, typed);
        QFETCH(bool, refused);
        QFETCH(bool, outOfBand);
        QFETCH(QString, cell);
        QFETCH(quint32, word);
        QFETCH(QString, reason);
        const CommitResult result = CommitCell(m_data, 2, column::RxFrequency, typed);
        QCOMPARE(result.refused, refused);
        QCOMPARE(result.outOfBand, outOfBand);
        QCOMPARE(result.reason, reason);
        QCOMPARE(CellText(m_data, 2, column::RxFrequency), cell);
        QCOMPARE(m_data.Channel(1).RxFrequency(), word);
        if (word == 0xFFFFFFFFu) {
            // No channel was made: the whole record stays erased.
            QVERIFY(m_data.Channel(1).IsErased());
            QVERIFY(CellText(m_data, 2, column::Wide).isEmpty());
        } else {
            QCOMPARE(m_data.Channel(1).TxFrequency(), word);
        }
    }

    // A refused text changes nothing in a programmed channel either.
    void refusedKeepsChannel()
    {
        test::SetChannel(m_data, 0, ChannelValues{0x14512500, 0x14600000, 885, 885});
        const Bytes16 before = RecordBytes(m_data, 0);
        for (int c : {1, 2}) {
            const QString old = CellText(m_data, 1, c);
            QVERIFY(CommitCell(m_data, 1, c, "1.2.3").refused);
            QCOMPARE(CellText(m_data, 1, c), old);
        }
        QCOMPARE(Hex(RecordBytes(m_data, 0)), Hex(before));
    }

    // Only an emptied cell clears: blanks (what a letter leaves in the box) over a
    // frequency are refused and change nothing, in either frequency column.
    void blanksNeverClear()
    {
        test::SetChannel(m_data, 0, ChannelValues{0x14512500, 0x14600000, 885, 885});
        const Bytes16 before = RecordBytes(m_data, 0);
        for (int c : {1, 2}) {
            QVERIFY(CommitCell(m_data, 1, c, "  ").refused);
            QVERIFY(CommitCell(m_data, 1, c, " ").refused);
        }
        QCOMPARE(Hex(RecordBytes(m_data, 0)), Hex(before));
        QCOMPARE(CellText(m_data, 1, 1), QString("145.12500"));
        QCOMPARE(CellText(m_data, 1, 2), QString("146.00000"));

        const CommitResult cleared = CommitCell(m_data, 1, column::RxFrequency, QString());
        QCOMPARE(int(cleared.kind), int(EditKind::ChannelCleared));
        QVERIFY(m_data.Channel(0).IsErased());
    }

    void changedReceiveKeepsTheRest()
    {
        test::SetChannel(m_data, 0, ChannelValues{0x14512500, 0x14600000, 885, 1000});
        CommitCell(m_data, 1, column::RxFrequency, "150.5");
        QCOMPARE(m_data.Channel(0).RxFrequency(), 0x15050000u);
        QCOMPARE(m_data.Channel(0).TxFrequency(), 0x14600000u);
        QCOMPARE(m_data.Channel(0).RxTone(), std::uint16_t(885));
        QCOMPARE(m_data.Channel(0).TxTone(), std::uint16_t(1000));
    }

    void clearAllChannels_data()
    {
        QTest::addColumn<int>("model");
        QTest::newRow("16") << 1;
        QTest::newRow("32") << 0;
    }
    void clearAllChannels()
    {
        QFETCH(int, model);
        m_data.model = model;
        const int count = m_data.ChannelCount();
        for (int i = 0; i < kMaxChannels; ++i) {
            test::SetChannel(m_data, i, ChannelValues{0x14512500, 0x14512500, 885, 0x2813});
        }
        ClearAllChannels(m_data);
        QCOMPARE(m_data.ChannelCount(), count);
        for (int i = 0; i < count; ++i) {
            QVERIFY2(m_data.Channel(i).RxFrequency() == kNoFrequency,
                     qPrintable(QString::number(i)));
            QCOMPARE(m_data.Channel(i).RxTone(), kToneOff);
            QCOMPARE(m_data.Channel(i).Level(), 7);
            QVERIFY(CellText(m_data, i + 1, column::TxTone).isEmpty());
        }
        // Channels the model does not have are not touched.
        for (int i = count; i < kMaxChannels; ++i) {
            QCOMPARE(m_data.Channel(i).RxFrequency(), 0x14512500u);
        }
    }
};

QTEST_APPLESS_MAIN(TestChannelCells)
#include "test_channel_cells.moc"
