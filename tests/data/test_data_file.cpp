// The content of data files: what is taken from their bytes and what is refused.
#include <QtTest>

#include "config/file_messages.h"
#include "data/bands.h"
#include "data/data_file.h"

using namespace radio;

namespace {

FileResult Parse(const QByteArray& bytes, RadioData& data)
{
    return ParseDataFile(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                         std::size_t(bytes.size()), data);
}

RadioData Sample()
{
    RadioData d;
    d.port = 4;
    d.model = 0;
    d.bandLower = 136;
    d.bandUpper = 174;
    d.Channel(0).SetRxFrequency(0x14512500);
    d.Channel(31).SetTxFrequency(0x14600000);
    d.block(Block::B0120).data[16] = 3;
    d.block(Block::B03C0).data[63] = 0x42;
    return d;
}

QByteArray ImageBytes(const RadioData& d)
{
    const auto image = DataFileBytes(d);
    return QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()));
}

void PutInt32(QByteArray& bytes, std::size_t at, std::int32_t value)
{
    for (int i = 0; i < 4; ++i) {
        bytes[qsizetype(at) + i] = char(std::uint32_t(value) >> (8 * i));
    }
}

}  // namespace

class TestDataFile : public QObject {
    Q_OBJECT
private slots:
    void openingRestoresTheFields();
    void fileOf940BytesOpensLikeAFullOne();
    void fillerIsNotRead();
    void shortFileIsRefusedAndChangesNothing_data();
    void shortFileIsRefusedAndChangesNothing();
    void aFileOfAnotherKindIsRefused_data();
    void aFileOfAnotherKindIsRefused();
    void theModelIsFree_data();
    void theModelIsFree();
    void whatTheProgramSavesOpensAgain_data();
    void whatTheProgramSavesOpensAgain();
};

void TestDataFile::openingRestoresTheFields()
{
    const RadioData saved = Sample();
    RadioData opened;
    opened.radioBandLower = 350;
    opened.radioBandUpper = 370;
    opened.radioModel = 1;
    opened.reserved = 77;
    QVERIFY(Parse(ImageBytes(saved), opened).ok());
    QCOMPARE(opened.port, 4);
    QCOMPARE(opened.model, 0);
    QCOMPARE(opened.bandLower, 136);
    QCOMPARE(opened.bandUpper, 174);
    QVERIFY(opened.blocks == saved.blocks);
    // What the radio last reported stays: it describes the radio, not the file.
    QCOMPARE(opened.radioBandLower, 350);
    QCOMPARE(opened.radioBandUpper, 370);
    QCOMPARE(opened.radioModel, 1);
    QCOMPARE(opened.reserved, 77);
}

void TestDataFile::fileOf940BytesOpensLikeAFullOne()
{
    const QByteArray full = ImageBytes(Sample());
    RadioData a;
    RadioData b;
    QVERIFY(Parse(full.left(940), a).ok());
    QVERIFY(Parse(full + QByteArray(100, 'x'), b).ok());
    QCOMPARE(a.ToImage(), b.ToImage());
    QVERIFY(a.blocks == Sample().blocks);
}

void TestDataFile::fillerIsNotRead()
{
    QByteArray bytes = ImageBytes(Sample());
    for (qsizetype i = 940; i < bytes.size(); ++i) {
        bytes[i] = char(i * 7);
    }
    RadioData d;
    QVERIFY(Parse(bytes, d).ok());
    QCOMPARE(d.radioBandLower, -1);
    QCOMPARE(d.reserved, 30);
    QVERIFY(d.blocks == Sample().blocks);
}

void TestDataFile::shortFileIsRefusedAndChangesNothing_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("empty") << 0;
    QTest::newRow("port only") << 4;
    QTest::newRow("cut in a block") << 300;
    QTest::newRow("one byte short") << 939;
}

void TestDataFile::shortFileIsRefusedAndChangesNothing()
{
    QFETCH(int, size);
    RadioData d;
    const auto before = d.ToImage();
    const FileResult result = Parse(ImageBytes(Sample()).left(size), d);
    QCOMPARE(result.status, FileStatus::TooShort);
    QCOMPARE(int(result.size), size);
    QCOMPARE(d.ToImage(), before);
}

void TestDataFile::aFileOfAnotherKindIsRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QByteArray text;
    while (text.size() < 1704) {
        text +=
            "root:x:0:0:root:/root:/bin/bash\ndaemon:x:1:1:daemon:/usr/sbin:/usr/sbin/nologin\n";
    }
    QTest::newRow("a text file") << text
                                 << "the block of address 0x0000 carries the address 0x3A78.";

    const QByteArray good = ImageBytes(Sample());
    QByteArray moved = good;
    moved[qsizetype(ImageOffset(Block::Channel0))] = 0x03;
    moved[qsizetype(ImageOffset(Block::Channel0)) + 1] = char(0x80);
    QTest::newRow("channel block 0 at 0x0380")
        << moved << "the block of address 0x0010 carries the address 0x0380.";
    QByteArray last = good;
    last[qsizetype(ImageOffset(Block::B03C0)) + 1] = char(0xC1);
    QTest::newRow("the last block one byte off")
        << last << "the block of address 0x03C0 carries the address 0x03C1.";

    for (const auto& [lower, upper] :
         {std::pair{1634623821, 1701668199}, std::pair{400, 480}, std::pair{0, 0},
          std::pair{136, 470}, std::pair{-400, 470}}) {
        QByteArray band = good;
        PutInt32(band, image::kBandLower, lower);
        PutInt32(band, image::kBandUpper, upper);
        QTest::addRow("band %d-%d", lower, upper)
            << band
            << QStringLiteral("its band %1-%2 MHz is none of the radio's bands.")
                   .arg(lower)
                   .arg(upper);
    }
}

void TestDataFile::aFileOfAnotherKindIsRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    RadioData d;
    d.Channel(3).SetRxFrequency(0x43000000);
    const auto before = d.ToImage();
    const FileResult result = Parse(bytes, d);
    QCOMPARE(result.status, FileStatus::NotDataFile);
    QCOMPARE(d.ToImage(), before);
    QCOMPARE(OpenFailureText(LanguageTable(), "notes.tw", result),
             "notes.tw is not a data file of this radio: " + message);
}

void TestDataFile::theModelIsFree_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("channels");
    QTest::newRow("32 channels") << 0 << 32;
    QTest::newRow("16 channels") << 1 << 16;
    QTest::newRow("any other value") << 7 << 16;
    QTest::newRow("negative") << -1 << 16;
}

void TestDataFile::theModelIsFree()
{
    QFETCH(int, model);
    QFETCH(int, channels);
    QByteArray bytes = ImageBytes(Sample());
    PutInt32(bytes, image::kModel, model);
    RadioData d;
    QVERIFY(Parse(bytes, d).ok());
    QCOMPARE(d.model, model);
    QCOMPARE(d.ChannelCount(), channels);
}

void TestDataFile::whatTheProgramSavesOpensAgain_data()
{
    QTest::addColumn<int>("band");
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("startup");
    for (int band = 0; band < kBandCount; ++band) {
        for (const int model : {0, 1}) {
            for (const bool startup : {true, false}) {
                QTest::addRow("%d-%d MHz, %d channels, %s", kBands[std::size_t(band)].lower,
                              kBands[std::size_t(band)].upper, model != 0 ? 16 : 32,
                              startup ? "at start-up" : "after File New")
                    << band << model << startup;
            }
        }
    }
}

void TestDataFile::whatTheProgramSavesOpensAgain()
{
    QFETCH(int, band);
    QFETCH(int, model);
    QFETCH(bool, startup);
    // The band and model as the model dialog sets them, then a reset, channels and the
    // masks rebuilt as before a write.
    RadioData d = Sample();
    d.bandLower = kBands[std::size_t(band)].lower;
    d.bandUpper = kBands[std::size_t(band)].upper;
    d.model = model;
    d.ResetRecord(startup);
    if (startup) {
        d.bandLower = kBands[std::size_t(band)].lower;
        d.bandUpper = kBands[std::size_t(band)].upper;
        d.model = model;
    }
    d.Channel(d.ChannelCount() - 1).SetRxFrequency(0x43012500);
    d.UpdateChannelMasks();
    RadioData opened;
    const FileResult result = Parse(ImageBytes(d), opened);
    QVERIFY2(result.ok(), qPrintable(OpenFailureText(LanguageTable(), "saved.tw", result)));
    QCOMPARE(opened.ToImage(), d.ToImage());
}

QTEST_APPLESS_MAIN(TestDataFile)
#include "test_data_file.moc"
