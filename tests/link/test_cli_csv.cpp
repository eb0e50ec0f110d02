// radioprog-cli export and import: a data set exported and imported into a new data
// set gives the same file; CHIRP's file gives the same; refused rows leave the data
// file alone unless --skip-bad; new data sets take --band and --channels; files that
// are no channel plan and wrong options change nothing.
#include <QTemporaryDir>
#include <QtTest>

#include "cli_runner.h"
#include "config/file_reading.h"
#include "config/file_saving.h"
#include "tests/data/csv_sample.h"

using namespace radio;
using namespace radio::test;

namespace {

const QByteArray kHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\n";

bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

RadioData Loaded(const QString& path)
{
    RadioData data;
    LoadDataFile(path, data);
    return data;
}

}  // namespace

class TestCliCsv : public QObject {
    Q_OBJECT
private slots:
    void exportThenImportGivesTheSameFile_data();
    void exportThenImportGivesTheSameFile();
    void chirpFileGivesTheSameFile();
    void refusedRowsLeaveTheFileAlone();
    void newDataSetTakesBandAndChannels();
    void notAChannelPlan();
    void wrongOptionsChangeNothing_data();
    void wrongOptionsChangeNothing();
};

void TestCliCsv::exportThenImportGivesTheSameFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "radio";
    QTest::newRow("letters beyond ASCII") << QStringLiteral(u"Kanäle 频道");
}

void TestCliCsv::exportThenImportGivesTheSameFile()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString original = dir.filePath(name + ".tw");
    const QString csv = dir.filePath(name + ".csv");
    const QString copy = dir.filePath(name + " copy.tw");
    QVERIFY(SaveDataFile(original, EachToneModeRecord()).ok());

    const Result exported = Cli({"export", original, csv});
    QCOMPARE(exported.code, 0);
    QVERIFY(exported.err.contains("exported 13 channels to " + csv.toUtf8()));
    const QByteArray text = FileBytes(csv);
    QCOMPARE(text.count("\r\n"), 14);
    // "-" writes the same to standard output.
    const Result toStdout = Cli({"export", original, "-"});
    QCOMPARE(toStdout.code, 0);
    QCOMPARE(toStdout.out, text);

    // The new data set has the same band and model (400 MHz and 16 channels are the
    // defaults), so the whole file is the same, byte for byte.
    const Result imported = Cli({"import", csv, copy});
    QCOMPARE(imported.code, 0);
    QVERIFY(imported.err.contains("imported 13 channels into " + copy.toUtf8()));
    QCOMPARE(FileBytes(copy), FileBytes(original));
}

void TestCliCsv::chirpFileGivesTheSameFile()
{
    QTemporaryDir dir;
    const QString original = dir.filePath("original.tw");
    const QString fromChirp = dir.filePath("chirp.tw");
    QVERIFY(SaveDataFile(original, EachToneModeRecord()).ok());
    const Result imported = Cli({"import", ChirpSamplePath(), fromChirp, "--band", "400"});
    QCOMPARE(imported.code, 0);
    QVERIFY(!imported.err.contains("row "));
    QCOMPARE(FileBytes(fromChirp), FileBytes(original));
}

void TestCliCsv::refusedRowsLeaveTheFileAlone()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("radio.tw");
    RadioData record = EachToneModeRecord();
    record.block(Block::B0120).data[17] = 9;  // a feature the import must keep
    QVERIFY(SaveDataFile(file, record).ok());
    const QByteArray before = FileBytes(file);
    const QString csv = dir.filePath("plan.csv");
    QVERIFY(WriteBytes(csv, kHeader + "1,,446.000000\n"
                                      "2,,480.000000\n"
                                      "3,,446.500000,,,Tone,88.7\n"
                                      "4,,446.750000,,,,,,,,,,AM\n"));

    const Result refused = Cli({"import", csv, file});
    QCOMPARE(refused.code, 1);
    QCOMPARE(refused.err.count("row "), 3);
    QVERIFY(refused.err.contains("row 3: 480.000000 MHz lies outside the band 400-470 MHz\n"));
    QVERIFY(refused.err.contains("row 4: rToneFreq 88.7 is not a tone this radio has\n"));
    QVERIFY(refused.err.contains("row 5: mode AM is neither FM nor NFM\n"));
    QVERIFY(refused.err.contains("--skip-bad"));
    QCOMPARE(FileBytes(file), before);

    const Result skipped = Cli({"import", csv, file, "--skip-bad"});
    QCOMPARE(skipped.code, 0);
    QVERIFY(skipped.err.contains("row 3: "));
    QVERIFY(skipped.err.contains("imported 1 channels into"));
    QVERIFY(skipped.err.contains("3 rows refused"));
    const RadioData after = Loaded(file);
    QCOMPARE(after.Channel(0).RxFrequency(), 0x44600000u);
    for (int i = 1; i < 16; ++i) {
        QVERIFY(after.Channel(i).IsErased());
    }
    QCOMPARE(after.block(Block::B0120).data[17], std::uint8_t(9));
}

void TestCliCsv::newDataSetTakesBandAndChannels()
{
    QTemporaryDir dir;
    const QString csv = dir.filePath("vhf.csv");
    QByteArray text = kHeader;
    for (int n = 1; n <= 32; ++n) {
        text += QByteArray::number(n) + ",," + QByteArray::number(145 + n / 10) + "." +
                QByteArray::number(n % 10) + "00000\n";
    }
    QVERIFY(WriteBytes(csv, text));

    const QString wide = dir.filePath("wide.tw");
    const Result ok = Cli({"import", csv, wide, "--band", "136", "--channels", "32"});
    QCOMPARE(ok.code, 0);
    const RadioData data = Loaded(wide);
    QCOMPARE(data.bandLower, 136);
    QCOMPARE(data.bandUpper, 174);
    QCOMPARE(data.model, 0);
    QCOMPARE(data.Channel(31).RxFrequency(), 0x14820000u);

    // The same plan into a 16-channel data set: the rows beyond 16 are refused.
    const QString narrow = dir.filePath("narrow.tw");
    const Result beyond = Cli({"import", csv, narrow, "--band", "136"});
    QCOMPARE(beyond.code, 1);
    QCOMPARE(beyond.err.count("lies beyond the 16 channels"), 16);
    QVERIFY(beyond.err.contains("row 18: location 17 lies beyond the 16 channels"));
    QVERIFY(!QFileInfo::exists(narrow));
    QCOMPARE(Cli({"import", csv, narrow, "--band", "136", "--skip-bad"}).code, 0);
    QCOMPARE(Loaded(narrow).Channel(15).RxFrequency(), 0x14660000u);

    // An existing data set keeps its band: options that agree with it are accepted.
    QCOMPARE(Cli({"import", csv, wide, "--band", "136", "--channels", "32"}).code, 0);
}

void TestCliCsv::notAChannelPlan()
{
    QTemporaryDir dir;
    const QString dataFile = dir.filePath("radio.tw");
    QVERIFY(SaveDataFile(dataFile, EachToneModeRecord()).ok());
    const QString target = dir.filePath("target.tw");

    const Result binary = Cli({"import", dataFile, target});
    QCOMPARE(binary.code, 2);
    QVERIFY(binary.err.contains("is not a CSV channel plan: it is not a UTF-8 text file."));
    QVERIFY(!QFileInfo::exists(target));

    const QString prose = dir.filePath("notes.txt");
    QVERIFY(WriteBytes(prose, "Repeaters of the club\nsee the web page\n"));
    const Result text = Cli({"import", prose, target});
    QCOMPARE(text.code, 2);
    QVERIFY(text.err.contains("does not name the columns Location and Frequency"));
    QVERIFY(!QFileInfo::exists(target));
}

void TestCliCsv::wrongOptionsChangeNothing_data()
{
    QTest::addColumn<QStringList>("arguments");  // CSV and FILE are appended
    QTest::newRow("unknown band") << QStringList{"import", "--band", "300"};
    QTest::newRow("band not a number") << QStringList{"import", "--band", "uhf"};
    QTest::newRow("channel count") << QStringList{"import", "--channels", "20"};
    QTest::newRow("other band than the file") << QStringList{"import", "--band", "136"};
    QTest::newRow("other model than the file") << QStringList{"import", "--channels", "32"};
    QTest::newRow("missing plan") << QStringList{"import", "/nonexistent/plan.csv"};
    QTest::newRow("export of a missing file") << QStringList{"export", "/nonexistent/x.tw"};
    QTest::newRow("export without a target") << QStringList{"export"};
}

void TestCliCsv::wrongOptionsChangeNothing()
{
    QFETCH(QStringList, arguments);
    QTemporaryDir dir;
    const QString file = dir.filePath("radio.tw");
    QVERIFY(SaveDataFile(file, EachToneModeRecord()).ok());
    const QByteArray before = FileBytes(file);
    const QString csv = dir.filePath("plan.csv");
    QVERIFY(WriteBytes(csv, kHeader + "1,,446.000000\n"));
    if (arguments.first() == "import") {
        if (!arguments.last().endsWith(".csv")) {
            arguments << csv;
        }
        arguments << file;
    } else if (arguments.size() == 2) {
        arguments << dir.filePath("out.csv");
    } else {
        arguments << file;
    }
    const Result r = Cli(arguments);
    QCOMPARE(r.code, 2);
    QVERIFY(r.err.startsWith("radioprog-cli: "));
    QCOMPARE(FileBytes(file), before);
    QVERIFY(!QFileInfo::exists(dir.filePath("out.csv")));
}

QTEST_GUILESS_MAIN(TestCliCsv)
#include "test_cli_csv.moc"
