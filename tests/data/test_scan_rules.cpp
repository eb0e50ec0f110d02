#include <QtTest>

#include "data/feature_bytes.h"
#include "data/scan_rules.h"

using namespace radio;
namespace sb = bytes::scan;

namespace {

std::array<std::uint8_t, kBlockDataSize>& Scan(RadioData& data)
{
    return data.block(Block::B0160).data;
}

void SetChannelInUse(RadioData& data, int n)
{
    data.Channel(n - 1).SetRxFrequency(0x43012500);
}

}  // namespace

class TestScanRules : public QObject {
    Q_OBJECT
private slots:
    void shownAndNormalized_data();
    void shownAndNormalized();
    void choosingAModeAppliesItsRules();
    void channelInUseIsTheFirstTwoBytes_data();
    void channelInUseIsTheFirstTwoBytes();
};

// Bytes 0, 1 and 4 as loaded: what is shown, and what Normalize then writes. Channel
// 5 is in use, channel 7 is not.
void TestScanRules::shownAndNormalized_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("combination");
    QTest::addColumn<int>("shownMode");
    QTest::addColumn<int>("shownChannel");
    QTest::addColumn<int>("shownCombination");
    QTest::newRow("mode 0 keeps no channel, 3 reads 1") << 0 << 5 << 3 << 0 << 0xFF << 1;
    QTest::newRow("mode 0, 0") << 0 << 5 << 0 << 0 << 0xFF << 0;
    QTest::newRow("mode 2, 0 reads 3") << 2 << 5 << 0 << 2 << 0xFF << 3;
    QTest::newRow("mode 2, 7 stays") << 2 << 5 << 7 << 2 << 0xFF << 7;
    QTest::newRow("mode 1 channel in use") << 1 << 5 << 2 << 1 << 5 << 2;
    QTest::newRow("mode 1 channel not in use") << 1 << 7 << 4 << 1 << 0xFF << 4;
    QTest::newRow("mode 1 channel 33") << 1 << 33 << 1 << 1 << 0xFF << 1;
    QTest::newRow("mode 1 no channel") << 1 << 0xFF << 0 << 1 << 0xFF << 0;
    QTest::newRow("mode 3 reads 0") << 3 << 5 << 2 << 0 << 0xFF << 1;
    QTest::newRow("erased") << 0xFF << 0xFF << 0xFF << 0 << 0xFF << 1;
}

void TestScanRules::shownAndNormalized()
{
    QFETCH(int, mode);
    QFETCH(int, channel);
    QFETCH(int, combination);
    QFETCH(int, shownMode);
    QFETCH(int, shownChannel);
    QFETCH(int, shownCombination);
    RadioData data;
    SetChannelInUse(data, 5);
    data.Channel(6).Erase();
    auto& d = Scan(data);
    d[sb::kPriorityMode] = std::uint8_t(mode);
    d[sb::kPriorityChannel] = std::uint8_t(channel);
    d[sb::kTransmitOn] = std::uint8_t(combination);
    const auto image = data.ToImage();

    const ScanSettings shown = ShownScanSettings(data);
    QCOMPARE(data.ToImage(), image);
    QCOMPARE(shown.mode, shownMode);
    QCOMPARE(int(shown.channel), shownChannel);
    QCOMPARE(int(shown.transmitOn), shownCombination);

    NormalizeScanSettings(data);
    QCOMPARE(int(d[sb::kPriorityMode]), mode);  // the mode is written only when it is chosen
    QCOMPARE(int(d[sb::kPriorityChannel]), shownChannel);
    QCOMPARE(int(d[sb::kTransmitOn]), shownCombination);
    auto expected = image;
    expected[ImageOffset(Block::B0160) + 2 + sb::kPriorityChannel] = std::uint8_t(shownChannel);
    expected[ImageOffset(Block::B0160) + 2 + sb::kTransmitOn] = std::uint8_t(shownCombination);
    QCOMPARE(data.ToImage(), expected);
}

void TestScanRules::choosingAModeAppliesItsRules()
{
    RadioData data;
    SetChannelInUse(data, 5);
    auto& d = Scan(data);
    d[sb::kPriorityChannel] = 5;
    d[sb::kTransmitOn] = 1;
    ApplyScanModeRules(data, 2);
    QCOMPARE(int(d[sb::kPriorityChannel]), 0xFF);
    QCOMPARE(int(d[sb::kTransmitOn]), 3);
    ApplyScanModeRules(data, 0);
    QCOMPARE(int(d[sb::kTransmitOn]), 1);
}

void TestScanRules::channelInUseIsTheFirstTwoBytes_data()
{
    QTest::addColumn<int>("byte0");
    QTest::addColumn<int>("byte1");
    QTest::addColumn<bool>("inUse");
    QTest::newRow("digits") << 0x25 << 0x43 << true;
    QTest::newRow("erased") << 0xFF << 0xFF << false;
    QTest::newRow("low nibble above 9") << 0x2A << 0x43 << false;
    QTest::newRow("high nibble above 9") << 0x25 << 0xA3 << false;
}

void TestScanRules::channelInUseIsTheFirstTwoBytes()
{
    QFETCH(int, byte0);
    QFETCH(int, byte1);
    QFETCH(bool, inUse);
    RadioData data;
    data.model = 1;  // 16 channels: channel 20 counts all the same
    std::uint8_t* bytes = data.Channel(19).MutableBytes();
    bytes[0] = std::uint8_t(byte0);
    bytes[1] = std::uint8_t(byte1);
    QCOMPARE(ScanChannelInUse(data, 20), inUse);
    QVERIFY(!ScanChannelInUse(data, 0));
    QVERIFY(!ScanChannelInUse(data, 33));
}

QTEST_APPLESS_MAIN(TestScanRules)
#include "test_scan_rules.moc"
