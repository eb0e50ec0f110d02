// The value rules under the feature views: the spin step, the scan times, the DTMF
// codes.
#include <QTest>
#include <array>
#include <cmath>
#include <limits>

#include "config/dtmf_code.h"
#include "config/scan_time.h"
#include "features/spin_step.h"

using namespace radio;

Q_DECLARE_METATYPE(radio::SpinDirection)

class TestFeatureValues : public QObject {
    Q_OBJECT
private slots:
    void wholeNumberStep_data();
    void wholeNumberStep();
    void timeStep_data();
    void timeStep();
    void repeatedTimeStepsStayOnTheGrid();
    void encodeTime_data();
    void encodeTime();
    void decodeTime_data();
    void decodeTime();
    void everyByteSurvivesDecodeAndEncode();
    void timeText_data();
    void timeText();
    void dtmfCharacters();
    void decodeCode_data();
    void decodeCode();
    void encodeCode();
};

void TestFeatureValues::wholeNumberStep_data()
{
    QTest::addColumn<unsigned>("value");
    QTest::addColumn<unsigned>("min");
    QTest::addColumn<unsigned>("max");
    QTest::addColumn<unsigned>("step");
    QTest::addColumn<SpinDirection>("direction");
    QTest::addColumn<unsigned>("expected");
    const auto up = SpinDirection::Up;
    const auto down = SpinDirection::Down;
    QTest::newRow("timer 600 up stays") << 600u << 15u << 600u << 15u << up << 600u;
    QTest::newRow("timer 15 down stays") << 15u << 15u << 600u << 15u << down << 15u;
    QTest::newRow("timer 585 up") << 585u << 15u << 600u << 15u << up << 600u;
    QTest::newRow("timer 120 up") << 120u << 15u << 600u << 15u << up << 135u;
    QTest::newRow("timer 120 down") << 120u << 15u << 600u << 15u << down << 105u;
    QTest::newRow("timer off grid up stops at max") << 590u << 15u << 600u << 15u << up << 600u;
    QTest::newRow("timer off grid down stops at min") << 20u << 15u << 600u << 15u << down << 15u;
    QTest::newRow("below range up") << 3u << 15u << 600u << 15u << up << 15u;
    QTest::newRow("above range down") << 900u << 15u << 600u << 15u << down << 600u;
    QTest::newRow("above range up") << 900u << 15u << 600u << 15u << up << 600u;
    QTest::newRow("level 0 down stays") << 0u << 0u << 10u << 1u << down << 0u;
    QTest::newRow("level 10 up stays") << 10u << 0u << 10u << 1u << up << 10u;
    QTest::newRow("level 9 up") << 9u << 0u << 10u << 1u << up << 10u;
    QTest::newRow("value 300 up stays") << 300u << 0u << 300u << 1u << up << 300u;
}

void TestFeatureValues::wholeNumberStep()
{
    QFETCH(unsigned, value);
    QFETCH(unsigned, min);
    QFETCH(unsigned, max);
    QFETCH(unsigned, step);
    QFETCH(SpinDirection, direction);
    QFETCH(unsigned, expected);
    QCOMPARE(SpinStep(value, min, max, step, direction), expected);
}

void TestFeatureValues::timeStep_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<SpinDirection>("direction");
    QTest::addColumn<int>("expectedByte");
    QTest::newRow("0.5 down stays") << 1 << SpinDirection::Down << 1;
    QTest::newRow("0.55 down") << 2 << SpinDirection::Down << 1;
    QTest::newRow("0.5 up") << 1 << SpinDirection::Up << 2;
    QTest::newRow("4.95 up gives 5") << 90 << SpinDirection::Up << 91;
    QTest::newRow("5 up stays") << 91 << SpinDirection::Up << 91;
    QTest::newRow("5 down") << 91 << SpinDirection::Down << 90;
    QTest::newRow("3 up") << 51 << SpinDirection::Up << 52;
}

void TestFeatureValues::timeStep()
{
    QFETCH(int, byte);
    QFETCH(SpinDirection, direction);
    QFETCH(int, expectedByte);
    const double stepped =
        SpinStep(DecodeScanTime(byte), kScanTimeMin, kScanTimeMax, kScanTimeStep, direction);
    QVERIFY(stepped >= kScanTimeMin && stepped <= kScanTimeMax);
    QCOMPARE(int(EncodeScanTime(stepped)), expectedByte);
}

void TestFeatureValues::repeatedTimeStepsStayOnTheGrid()
{
    // Up from 0.5 to the top and down again, snapping after every step as the
    // commit does: every byte is visited once each way.
    int byte = 1;
    for (int expected = 2; expected <= kScanTimeMaxByte; ++expected) {
        byte = EncodeScanTime(SpinStep(DecodeScanTime(byte), kScanTimeMin, kScanTimeMax,
                                       kScanTimeStep, SpinDirection::Up));
        QCOMPARE(byte, expected);
    }
    for (int expected = kScanTimeMaxByte - 1; expected >= 1; --expected) {
        byte = EncodeScanTime(SpinStep(DecodeScanTime(byte), kScanTimeMin, kScanTimeMax,
                                       kScanTimeStep, SpinDirection::Down));
        QCOMPARE(byte, expected);
    }
}

void TestFeatureValues::encodeTime_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<int>("byte");
    QTest::newRow("1.23 goes down to 1.2") << 1.23 << 15;
    QTest::newRow("1.2") << 1.2 << 15;
    QTest::newRow("0.5") << 0.5 << 1;
    QTest::newRow("0.549 goes down") << 0.549 << 1;
    QTest::newRow("a hair below 0.55") << 0.5499999999 << 2;
    QTest::newRow("4.95") << 4.95 << 90;
    QTest::newRow("5") << 5.0 << 91;
    QTest::newRow("7 clamps to 5") << 7.0 << 91;
    QTest::newRow("0.1 clamps to 0.5") << 0.1 << 1;
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 1;
}

void TestFeatureValues::encodeTime()
{
    QFETCH(double, seconds);
    QFETCH(int, byte);
    QCOMPARE(int(EncodeScanTime(seconds)), byte);
}

void TestFeatureValues::decodeTime_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<QString>("text");
    QTest::newRow("0 counts as 1") << 0 << "0.5";
    QTest::newRow("1") << 1 << "0.5";
    QTest::newRow("2") << 2 << "0.55";
    QTest::newRow("15") << 15 << "1.2";
    QTest::newRow("51") << 51 << "3";
    QTest::newRow("91") << 91 << "5";
    QTest::newRow("92 counts as 91") << 92 << "5";
    QTest::newRow("0xFF counts as 91") << 0xFF << "5";
}

void TestFeatureValues::decodeTime()
{
    QFETCH(int, byte);
    QFETCH(QString, text);
    QCOMPARE(ScanTimeText(DecodeScanTime(byte)), text);
}

void TestFeatureValues::everyByteSurvivesDecodeAndEncode()
{
    for (int byte = 1; byte <= kScanTimeMaxByte; ++byte) {
        QCOMPARE(int(EncodeScanTime(DecodeScanTime(byte))), byte);
        // What the field shows, typed back, is the same step.
        QCOMPARE(int(EncodeScanTime(ScanTimeText(DecodeScanTime(byte)).toDouble())), byte);
    }
}

void TestFeatureValues::timeText_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("3.00") << 3.0 << "3";
    QTest::newRow("0.55") << 0.55 << "0.55";
    QTest::newRow("1.25") << 1.25 << "1.25";
}

void TestFeatureValues::timeText()
{
    QFETCH(double, seconds);
    QFETCH(QString, text);
    QCOMPARE(ScanTimeText(seconds), text);
}

void TestFeatureValues::dtmfCharacters()
{
    const QString accepted = QStringLiteral("0123456789ABCDabcd*#");
    for (const QChar c : accepted) {
        QVERIFY2(IsDtmfCharacter(c), qPrintable(QString(c)));
    }
    const QString refused = QStringLiteral("EeFz -+.,\t");
    for (const QChar c : refused) {
        QVERIFY2(!IsDtmfCharacter(c), qPrintable(QString(c)));
    }
    QVERIFY(!IsDtmfCharacter(QChar(0xFF)));
    QVERIFY(!IsDtmfCharacter(QChar(0)));
    QVERIFY(IsDtmfCode(QString()));
    QVERIFY(IsDtmfCode(QStringLiteral("0123456789ABCD*#")));
    QVERIFY(!IsDtmfCode(QStringLiteral("0123456789ABCD*#1")));
    QVERIFY(!IsDtmfCode(QStringLiteral("12E")));
}

void TestFeatureValues::decodeCode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("code");
    QTest::newRow("erased") << QByteArray(16, char(0xFF)) << "";
    QTest::newRow("12345 then 0xFF") << QByteArray("12345").append(11, char(0xFF)) << "12345";
    QTest::newRow("a zero byte ends it") << QByteArray(
                                                "1\0"
                                                "2",
                                                3)
                                                .append(13, char(0xFF))
                                         << "1";
    QTest::newRow("a letter that is no digit ends it")
        << QByteArray("12E4").append(12, char(0xFF)) << "12";
    QTest::newRow("sixteen characters") << QByteArray("0123456789ABcd*#") << "0123456789ABcd*#";
}

void TestFeatureValues::decodeCode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, code);
    QCOMPARE(bytes.size(), 16);
    QCOMPARE(DecodeDtmfCode(reinterpret_cast<const std::uint8_t*>(bytes.constData())), code);
}

void TestFeatureValues::encodeCode()
{
    std::array<std::uint8_t, 16> bytes{};
    EncodeDtmfCode(QStringLiteral("12A*#"), bytes.data());
    const std::array<std::uint8_t, 16> expected{0x31, 0x32, 0x41, 0x2A, 0x23, 0xFF, 0xFF, 0xFF,
                                                0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    QCOMPARE(bytes, expected);

    EncodeDtmfCode(QStringLiteral("0123456789ABcd*#"), bytes.data());
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(bytes.data()), 16),
             QByteArray("0123456789ABcd*#"));

    // Characters the radio does not know never reach it.
    EncodeDtmfCode(QStringLiteral("1E2"), bytes.data());
    QCOMPARE(int(bytes[0]), 0x31);
    QCOMPARE(int(bytes[1]), 0xFF);
    QCOMPARE(int(bytes[2]), 0x32);
}

QTEST_APPLESS_MAIN(TestFeatureValues)
#include "test_feature_values.moc"
