#include <QTemporaryDir>
#include <QtTest>

#include "config/file_saving.h"
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
    d.block(Block::Channel5).SetAddress(0x0777);  // a file's own addresses travel with it
    return d;
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
    QCOMPARE(int(opened.block(Block::Channel5).Address()), 0x0777);
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

QTEST_APPLESS_MAIN(TestDataFile)
#include "test_data_file.moc"
