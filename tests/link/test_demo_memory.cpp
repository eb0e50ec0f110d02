// The sample plan `radiosim --demo` starts with: something for every column of the
// channel table, inside whichever band the simulated radio has.
#include <QtTest>

#include "data/channel_codec.h"
#include "link/protocol.h"
#include "sim/demo_memory.h"

using namespace radio;
using namespace radio::sim;

class TestDemoMemory : public QObject {
    Q_OBJECT
private slots:
    void planFitsEveryBand_data();
    void planFitsEveryBand();
    void planShowsEveryKindOfChannel();
};

void TestDemoMemory::planFitsEveryBand_data()
{
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("model");
    for (const Band& band : kBands) {
        for (int model : {0, 1}) {
            QTest::newRow(qPrintable(QStringLiteral("%1 MHz, model %2").arg(band.lower).arg(model)))
                << band.lower << model;
        }
    }
}

void TestDemoMemory::planFitsEveryBand()
{
    QFETCH(int, lower);
    QFETCH(int, model);
    const Band band = BandOfLower(lower);
    const RadioData record = RecordOf(DemoMemory(lower, model), band.lower, band.upper, model);
    int programmed = 0;
    for (int i = 0; i < record.ChannelCount(); ++i) {
        const ConstChannelRecord channel = record.Channel(i);
        if (!channel.IsPresent()) {
            continue;
        }
        ++programmed;
        for (std::uint32_t word : {channel.RxFrequency(), channel.TxFrequency()}) {
            std::string text;
            QVERIFY(FormatFrequency(word, text));
            const int mhz = std::stoi(text.substr(0, 3));
            QVERIFY2(mhz >= band.lower && mhz <= band.upper, text.c_str());
        }
    }
    QCOMPARE(programmed, 6);
    // The masks a read takes from the radio hold the plan's channels.
    RadioData masked = record;
    masked.UpdateChannelMasks();
    QVERIFY(masked.ToImage() == record.ToImage());
}

void TestDemoMemory::planShowsEveryKindOfChannel()
{
    const RadioData record = RecordOf(DemoMemory(400, 1), 400, 470, 1);
    bool repeater = false, ctcssBoth = false, dcsBoth = false, cross = false, narrow = false,
         low = false, outOfScan = false, busyLock = false;
    for (int i = 0; i < 6; ++i) {
        const ConstChannelRecord c = record.Channel(i);
        const bool rxDcs = c.RxTone() != kToneOff && c.RxTone() >= 0x2800;
        const bool txDcs = c.TxTone() != kToneOff && c.TxTone() >= 0x2800;
        repeater |= c.RxFrequency() != c.TxFrequency();
        ctcssBoth |= c.RxTone() == c.TxTone() && c.RxTone() != kToneOff && !rxDcs;
        dcsBoth |= c.RxTone() == c.TxTone() && rxDcs;
        cross |= c.RxTone() != kToneOff && c.TxTone() != kToneOff && rxDcs != txDcs;
        narrow |= !c.Option(ChannelOption::Wide);
        low |= !c.Option(ChannelOption::HighPower);
        outOfScan |= !c.Option(ChannelOption::ScanAdd);
        busyLock |= c.Option(ChannelOption::BusyLock);
    }
    QVERIFY(repeater && ctcssBoth && dcsBoth && cross);
    QVERIFY(narrow && low && outOfScan && busyLock);
    QCOMPARE(QString::fromStdString(FormatFrequency(record.Channel(0).RxFrequency())),
             QStringLiteral("405.12500"));
}

QTEST_GUILESS_MAIN(TestDemoMemory)
#include "test_demo_memory.moc"
