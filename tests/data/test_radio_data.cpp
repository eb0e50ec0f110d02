#include <QtTest>

#include "data/radio_data.h"

using namespace radio;

class TestRadioData : public QObject {
    Q_OBJECT
private slots:
    void resetWithStartupFlag();
    void resetWithoutStartupFlagKeepsBandAndModel();
    void defaultAddresses_data();
    void defaultAddresses();
    void channelAddressing_data();
    void channelAddressing();
    void channelFieldsAreLittleEndian();
    void optionBits_data();
    void optionBits();
    void channelCount();
    void masksOf16ChannelModelKeepUpperBits();
    void masksOf32ChannelModel();
    void imageRoundTripIsByteExact();
    void imageLayoutOfScalars();
};

void TestRadioData::resetWithStartupFlag()
{
    RadioData d;
    QCOMPARE(d.port, 1);
    QCOMPARE(d.bandLower, 400);
    QCOMPARE(d.bandUpper, 470);
    QCOMPARE(d.model, 1);
    QCOMPARE(d.radioBandLower, -1);
    QCOMPARE(d.reserved, 30);
    for (int i = 0; i < kMaxChannels; ++i) {
        QVERIFY(d.Channel(i).IsErased());
    }
    const auto& f = d.block(Block::B0120).data;
    QCOMPARE(f[0], 0x31);
    QCOMPARE(f[2], 0x39);
    QCOMPARE(f[3], 0xFF);  // not named: stays erased
    QCOMPARE(f[16], 7);
    QCOMPARE(f[31], 0);
    QCOMPARE(f[36], 0x35);
    QCOMPARE(f[37], 0xFF);
    QCOMPARE(f[48], 0x35);
    QCOMPARE(f[52], 0x31);
    QCOMPARE(f[53], 0xFF);
    QCOMPARE(d.block(Block::B0110).data[10], 10);
    QCOMPARE(d.block(Block::B0110).data[13], 0);
    QCOMPARE(d.block(Block::B0110).data[11], 0xFF);
    const auto& s = d.block(Block::B0160).data;
    const int scan[] = {1, 1, 0x33, 0x33, 3, 4, 0, 3, 0};
    for (int i = 0; i < 9; ++i) {
        QCOMPARE(int(s[std::size_t(i)]), scan[i]);
    }
    QCOMPARE(s[9], 0xFF);
    QCOMPARE(d.block(Block::B01B8).data[7], 0xFF);
}

void TestRadioData::resetWithoutStartupFlagKeepsBandAndModel()
{
    RadioData d;
    d.port = 7;
    d.model = 0;
    d.bandLower = 136;
    d.bandUpper = 174;
    d.radioBandLower = 136;
    d.reserved = 99;
    d.Channel(31).SetRxFrequency(0x14512500);
    d.block(Block::B0120).data[16] = 30;
    d.ResetRecord(false);
    QCOMPARE(d.port, 1);
    QCOMPARE(d.model, 0);
    QCOMPARE(d.bandLower, 136);
    QCOMPARE(d.bandUpper, 174);
    QCOMPARE(d.radioBandLower, 136);
    QCOMPARE(d.reserved, 99);
    QVERIFY(d.Channel(31).IsErased());
    QCOMPARE(d.block(Block::B0120).data[16], 7);
}

void TestRadioData::defaultAddresses_data()
{
    QTest::addColumn<int>("block");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("offset");
    const int addresses[] = {0x0000, 0x0010, 0x0050, 0x0090, 0x00D0, 0x0200, 0x0240,
                             0x02C0, 0x0300, 0x0120, 0x0110, 0x0160, 0x01B8, 0x03C0};
    const int offsets[] = {4, 70, 136, 202, 268, 334, 400, 466, 532, 598, 664, 730, 796, 862};
    for (int b = 0; b < kBlockCount; ++b) {
        QTest::addRow("block %d", b) << b << addresses[b] << offsets[b];
    }
}

void TestRadioData::defaultAddresses()
{
    QFETCH(int, block);
    QFETCH(int, address);
    QFETCH(int, offset);
    RadioData d;
    QCOMPARE(int(d.block(Block(block)).Address()), address);
    QCOMPARE(int(ImageOffset(Block(block))), offset);
    const auto image = d.ToImage();
    QCOMPARE(int(image[std::size_t(offset)]), address >> 8);
    QCOMPARE(int(image[std::size_t(offset) + 1]), address & 0xFF);
}

void TestRadioData::channelAddressing_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("offset");
    QTest::newRow("channel 1") << 0 << 72;
    QTest::newRow("channel 4") << 3 << 72 + 48;
    QTest::newRow("channel 5") << 4 << 72 + 66;
    QTest::newRow("channel 17") << 16 << 336;
    QTest::newRow("channel 32") << 31 << 582;
}

void TestRadioData::channelAddressing()
{
    QFETCH(int, index);
    QFETCH(int, offset);
    QCOMPARE(int(RadioData::ChannelImageOffset(index)), offset);
    RadioData d;
    d.Channel(index).SetRxFrequency(0x43012345);
    const auto image = d.ToImage();
    QCOMPARE(int(image[std::size_t(offset)]), 0x45);
    QCOMPARE(int(image[std::size_t(offset) + 3]), 0x43);
}

void TestRadioData::channelFieldsAreLittleEndian()
{
    RadioData d;
    ChannelRecord c = d.Channel(5);
    c.SetRxFrequency(0x14512500);
    c.SetTxFrequency(0x14612500);
    c.SetRxTone(885);
    c.SetTxTone(0xA9EC);
    const std::uint8_t expected[12] = {0x00, 0x25, 0x51, 0x14, 0x00, 0x25,
                                       0x61, 0x14, 0x75, 0x03, 0xEC, 0xA9};
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(c.Bytes()), 12),
             QByteArray(reinterpret_cast<const char*>(expected), 12));
    QCOMPARE(c.RxFrequency(), 0x14512500u);
    QCOMPARE(c.TxTone(), std::uint16_t(0xA9EC));
    // Neighbours untouched.
    QVERIFY(d.Channel(4).IsErased());
    QVERIFY(d.Channel(6).IsErased());
}

void TestRadioData::optionBits_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("bit");
    QTest::newRow("wide") << int(ChannelOption::Wide) << 13 << 5;
    QTest::newRow("power") << int(ChannelOption::HighPower) << 13 << 4;
    QTest::newRow("scan") << int(ChannelOption::ScanAdd) << 14 << 0;
    QTest::newRow("busy lock") << int(ChannelOption::BusyLock) << 12 << 3;
    QTest::newRow("option 10") << int(ChannelOption::Option10) << 13 << 6;
    QTest::newRow("option 11") << int(ChannelOption::Option11) << 12 << 0;
}

void TestRadioData::optionBits()
{
    QFETCH(int, option);
    QFETCH(int, byte);
    QFETCH(int, bit);
    RadioData d;
    ChannelRecord c = d.Channel(0);
    c.SetOption(ChannelOption(option), false);
    for (int b = 0; b < 16; ++b) {
        QCOMPARE(int(c.Bytes()[b]), b == byte ? (0xFF & ~(1 << bit)) : 0xFF);
    }
    QVERIFY(!c.Option(ChannelOption(option)));
    c.SetOption(ChannelOption(option), true);
    QVERIFY(c.IsErased());
    c.SetLevel(0);
    QCOMPARE(int(c.Bytes()[15]), 0x1F);
    QCOMPARE(c.Level(), 0);
    c.SetLevel(5);
    QCOMPARE(int(c.Bytes()[15]), 0xBF);
    QCOMPARE(c.Level(), 5);
}

void TestRadioData::channelCount()
{
    RadioData d;
    QCOMPARE(d.ChannelCount(), 16);
    d.model = 0;
    QCOMPARE(d.ChannelCount(), 32);
    d.model = -3;
    QCOMPARE(d.ChannelCount(), 16);
    QCOMPARE(d.ChannelBlocksInUse(), 4);
}

void TestRadioData::masksOf16ChannelModelKeepUpperBits()
{
    RadioData d;
    d.Channel(0).SetRxFrequency(0x14500000);
    d.Channel(15).SetRxFrequency(0x14500000);
    d.Channel(15).SetOption(ChannelOption::ScanAdd, false);
    d.Channel(3).SetOption(ChannelOption::ScanAdd, true);  // not present: no scan bit
    // Channel 17 exists in the data but not in a 16-channel model.
    d.Channel(16).SetRxFrequency(0x14500000);
    auto& high = d.block(Block::B01B8).data;
    high[12] = 0xAA;
    high[13] = 0x55;
    d.UpdateChannelMasks();
    const auto& low = d.block(Block::B0160).data;
    QCOMPARE(int(low[28] | low[29] << 8), 0x8001);
    QCOMPARE(int(low[30] | low[31] << 8), 0x0001);
    QCOMPARE(int(high[12]), 0xAA);
    QCOMPARE(int(high[13]), 0x55);
    QCOMPARE(int(high[14]), 0xFF);
}

void TestRadioData::masksOf32ChannelModel()
{
    RadioData d;
    d.model = 0;
    d.Channel(16).SetRxFrequency(0x43000000);
    d.Channel(31).SetRxFrequency(0x43000000);
    d.Channel(31).SetOption(ChannelOption::ScanAdd, false);
    d.UpdateChannelMasks();
    const auto& high = d.block(Block::B01B8).data;
    QCOMPARE(int(high[12] | high[13] << 8), 0x8001);
    QCOMPARE(int(high[14] | high[15] << 8), 0x0001);
    const auto& low = d.block(Block::B0160).data;
    QCOMPARE(int(low[28] | low[29] << 8), 0);
    // Identity bytes untouched.
    QCOMPARE(int(high[0]), 0xFF);
}

void TestRadioData::imageRoundTripIsByteExact()
{
    RadioData a;
    std::uint8_t v = 0;
    for (auto& block : a.blocks) {
        block.SetAddress(std::uint16_t(0x1234 + v));
        for (auto& byte : block.data) {
            byte = v++;
        }
    }
    a.port = 9;
    a.bandLower = 136;
    a.bandUpper = 174;
    a.model = 0;
    a.radioBandLower = 350;
    a.radioBandUpper = 370;
    a.radioModel = 1;
    a.reserved = -123456;
    const auto image = a.ToImage();
    QCOMPARE(int(image.size()), 1704);
    RadioData b;
    b.FromImage(image.data(), image.size());
    QCOMPARE(b.ToImage(), image);
    QCOMPARE(b.reserved, -123456);
    QVERIFY(b.blocks == a.blocks);
}

void TestRadioData::imageLayoutOfScalars()
{
    RadioData d;
    d.port = 0x01020304;
    d.model = -1;
    const auto image = d.ToImage();
    QCOMPARE(int(image[0]), 4);
    QCOMPARE(int(image[3]), 1);
    QCOMPARE(int(image[928]), 400 & 0xFF);
    QCOMPARE(int(image[929]), 400 >> 8);
    QCOMPARE(int(image[932]), 470 & 0xFF);
    for (int i = 936; i < 948; ++i) {
        QCOMPARE(int(image[std::size_t(i)]), 0xFF);  // model -1 and "not reported" twice
    }
    QCOMPARE(int(image[952]), 30);
    for (std::size_t i = 956; i < image.size(); ++i) {
        QCOMPARE(int(image[i]), 0);
    }
}

QTEST_APPLESS_MAIN(TestRadioData)
#include "test_radio_data.moc"
