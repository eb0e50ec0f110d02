#include <QTemporaryDir>
#include <QtTest>

#include "config/file_messages.h"
#include "config/file_saving.h"
#include "data/bands.h"
#include "data/data_file.h"

using namespace radio;

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
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
    const auto image = d.ToImage();
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
    void extensionRule_data();
    void extensionRule();
    void saveWritesTheWholeImage();
    void saveThenOpenRestoresTheFields();
    void fileOf940BytesOpensLikeAFullOne();
    void fillerIsNotRead();
    void shortFileIsRefusedAndChangesNothing_data();
    void shortFileIsRefusedAndChangesNothing();
    void missingFileAndFolder();
    void aFileOfAnotherKindIsRefused_data();
    void aFileOfAnotherKindIsRefused();
    void theModelIsFree_data();
    void theModelIsFree();
    void whatTheProgramSavesOpensAgain_data();
    void whatTheProgramSavesOpensAgain();
};

void TestDataFile::extensionRule_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("saved");
    QTest::newRow("bare") << "radio"
                          << "radio.tw";
    QTest::newRow("inner .tw") << "a.tw.bak"
                               << "a.tw.bak";
    QTest::newRow("upper case") << "RADIO.TW"
                                << "RADIO.TW.tw";
    QTest::newRow("already") << "/x/y/radio.tw"
                             << "/x/y/radio.tw";
    QTest::newRow("folder with .tw") << "/data.twx/radio"
                                     << "/data.twx/radio";
}

void TestDataFile::extensionRule()
{
    QFETCH(QString, path);
    QFETCH(QString, saved);
    QCOMPARE(QString::fromStdString(WithDataFileExtension(path.toStdString())), saved);
}

void TestDataFile::saveWritesTheWholeImage()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.tw");
    const RadioData d = Sample();
    QVERIFY(SaveDataFile(path.toStdString(), d).ok());
    const QByteArray bytes = ReadAll(path);
    QCOMPARE(bytes.size(), 1704);
    const auto image = d.ToImage();
    QCOMPARE(bytes, QByteArray(reinterpret_cast<const char*>(image.data()), 1704));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.tw"});
}

void TestDataFile::saveThenOpenRestoresTheFields()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.tw");
    const RadioData saved = Sample();
    QVERIFY(SaveDataFile(path.toStdString(), saved).ok());

    RadioData opened;
    opened.radioBandLower = 350;
    opened.radioBandUpper = 370;
    opened.radioModel = 1;
    opened.reserved = 77;
    QVERIFY(LoadDataFile(path.toStdString(), opened).ok());
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
    QTemporaryDir dir;
    const auto image = Sample().ToImage();
    const QByteArray full(reinterpret_cast<const char*>(image.data()), 1704);
    WriteAll(dir.filePath("short.tw"), full.left(940));
    WriteAll(dir.filePath("long.tw"), full + QByteArray(100, 'x'));
    RadioData a;
    RadioData b;
    QVERIFY(LoadDataFile(dir.filePath("short.tw").toStdString(), a).ok());
    QVERIFY(LoadDataFile(dir.filePath("long.tw").toStdString(), b).ok());
    QCOMPARE(a.ToImage(), b.ToImage());
    QVERIFY(a.blocks == Sample().blocks);
}

void TestDataFile::fillerIsNotRead()
{
    QTemporaryDir dir;
    auto image = Sample().ToImage();
    for (std::size_t i = 940; i < image.size(); ++i) {
        image[i] = std::uint8_t(i * 7);
    }
    WriteAll(dir.filePath("f.tw"), QByteArray(reinterpret_cast<const char*>(image.data()), 1704));
    RadioData d;
    QVERIFY(LoadDataFile(dir.filePath("f.tw").toStdString(), d).ok());
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
    QTemporaryDir dir;
    const auto image = Sample().ToImage();
    WriteAll(dir.filePath("s.tw"), QByteArray(reinterpret_cast<const char*>(image.data()), size));
    RadioData d;
    const auto before = d.ToImage();
    const FileResult result = LoadDataFile(dir.filePath("s.tw").toStdString(), d);
    QCOMPARE(result.status, FileStatus::TooShort);
    QCOMPARE(int(result.size), size);
    QCOMPARE(d.ToImage(), before);
}

void TestDataFile::missingFileAndFolder()
{
    QTemporaryDir dir;
    RadioData d;
    const auto before = d.ToImage();
    QCOMPARE(LoadDataFile(dir.filePath("none.tw").toStdString(), d).status, FileStatus::OpenFailed);
    const FileResult folder = LoadDataFile(dir.path().toStdString(), d);
    QCOMPARE(folder.status, FileStatus::OpenFailed);
    QVERIFY(!folder.detail.empty());
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
    QTemporaryDir dir;
    WriteAll(dir.filePath("notes.tw"), bytes);
    RadioData d;
    d.Channel(3).SetRxFrequency(0x43000000);
    const auto before = d.ToImage();
    const FileResult result = LoadDataFile(dir.filePath("notes.tw").toStdString(), d);
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
    QTemporaryDir dir;
    QByteArray bytes = ImageBytes(Sample());
    PutInt32(bytes, image::kModel, model);
    WriteAll(dir.filePath("m.tw"), bytes);
    RadioData d;
    QVERIFY(LoadDataFile(dir.filePath("m.tw").toStdString(), d).ok());
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
    QTemporaryDir dir;
    const QString path = dir.filePath("saved.tw");
    QVERIFY(SaveDataFile(path.toStdString(), d).ok());
    RadioData opened;
    const FileResult result = LoadDataFile(path.toStdString(), opened);
    QVERIFY2(result.ok(), qPrintable(OpenFailureText(LanguageTable(), path, result)));
    QCOMPARE(opened.ToImage(), d.ToImage());
}

QTEST_APPLESS_MAIN(TestDataFile)
#include "test_data_file.moc"
