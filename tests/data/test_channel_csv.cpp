// CSV channel plans: the CSV reader, export and import of every tone mode, duplex and
// option bit, both header versions, CHIRP's value formats, each reason for refusing
// a row, files that are no channel plan, and applying a plan to a record.
#include <QFile>
#include <QtTest>
#include <map>

#include "data/channel_codec.h"
#include "data/channel_csv.h"
#include "data/csv_table.h"
#include "tests/data/csv_sample.h"

using namespace radio;
using namespace radio::test;

namespace {

using Row = std::map<std::string, std::string>;

// The exported rows by column name, read back with the CSV reader.
std::vector<Row> ExportedRows(const RadioData& data)
{
    const CsvTable table = ReadCsv(ExportChannelsCsv(data));
    std::vector<Row> rows;
    for (std::size_t r = 1; r < table.records.size(); ++r) {
        Row row;
        for (std::size_t k = 0; k < table.records[0].fields.size(); ++k) {
            row[table.records[0].fields[k]] = table.records[r].fields.at(k);
        }
        rows.push_back(row);
    }
    return rows;
}

QByteArray ChannelBytesOf(const RadioData& data, int index)
{
    return QByteArray(reinterpret_cast<const char*>(data.Channel(index).Bytes()),
                      kChannelRecordSize);
}

// Exports the record, imports the text into a fresh data set of the same band and
// model, and returns that data set.
RadioData RoundTrip(const RadioData& data)
{
    RadioData back;
    back.bandLower = data.bandLower;
    back.bandUpper = data.bandUpper;
    back.model = data.model;
    const ChannelPlan plan = ImportChannelsCsv(ExportChannelsCsv(data), back);
    [&] {
        QVERIFY(plan.ok());
        QVERIFY(plan.refused.empty());
    }();
    ApplyChannelPlan(plan, back);
    return back;
}

void CompareChannels(const RadioData& a, const RadioData& b)
{
    for (int i = 0; i < a.ChannelCount(); ++i) {
        QVERIFY2(ChannelBytesOf(a, i) == ChannelBytesOf(b, i),
                 qPrintable(QStringLiteral("channel %1: %2 against %3")
                                .arg(i + 1)
                                .arg(QString(ChannelBytesOf(a, i).toHex()))
                                .arg(QString(ChannelBytesOf(b, i).toHex()))));
    }
}

const char kHeader[] =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";
const char kOldHeader[] =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "Mode,TStep,Skip,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

ChannelPlan Import400(const std::string& text, int channels = 16)
{
    return ImportChannelsCsv(text, 400, 470, channels);
}

}  // namespace

class TestChannelCsv : public QObject {
    Q_OBJECT
private slots:
    void csvFieldsQuotesAndLineEnds();
    void csvLinesQuoteWhatNeedsIt();
    void exportWritesTheHeaderAndProgrammedChannels();
    void toneModesBothWays_data();
    void toneModesBothWays();
    void duplexBothWays_data();
    void duplexBothWays();
    void everyOptionBitSurvives();
    void chirpFileImportsAsTheExport();
    void bothHeaderVersions();
    void columnsByNameInAnyOrder();
    void chirpValueFormats();
    void refusedRows_data();
    void refusedRows();
    void locationsUpTo32IntoSixteenChannels();
    void locationsFromZero();
    void notAChannelPlan_data();
    void notAChannelPlan();
    void applyingKeepsEverythingElse();
};

void TestChannelCsv::csvFieldsQuotesAndLineEnds()
{
    const std::string text =
        "\xEF\xBB\xBF"
        "a,\"b,c\",\"say \"\"hi\"\"\"\r\n"
        "\r\n"
        ",,\r\n"
        "\"two\nlines\",x\r"
        "last,\"\" ,end";
    const CsvTable table = ReadCsv(text);
    QCOMPARE(table.status, CsvStatus::Ok);
    QCOMPARE(table.records.size(), std::size_t(3));
    QCOMPARE(table.records[0].row, 1);
    QCOMPARE(table.records[0].fields, (std::vector<std::string>{"a", "b,c", "say \"hi\""}));
    // The empty line and the line of empty fields are left out; the line numbers
    // still count them, and a line end inside quotes.
    QCOMPARE(table.records[1].row, 4);
    QCOMPARE(table.records[1].fields, (std::vector<std::string>{"two\nlines", "x"}));
    QCOMPARE(table.records[2].row, 6);
    QCOMPARE(table.records[2].fields, (std::vector<std::string>{"last", " ", "end"}));

    const CsvTable open = ReadCsv("a,b\n1,\"never closed\n2,3\n");
    QCOMPARE(open.status, CsvStatus::UnclosedQuote);
    QCOMPARE(open.errorRow, 2);
    QVERIFY(open.records.empty());
}

void TestChannelCsv::csvLinesQuoteWhatNeedsIt()
{
    const std::vector<std::string> fields = {"plain", "a,b", "say \"hi\"", "two\r\nlines", ""};
    const std::string line = CsvLine(fields);
    QCOMPARE(line, std::string("plain,\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\",\r\n"));
    const CsvTable back = ReadCsv(line);
    QCOMPARE(back.records.size(), std::size_t(1));
    QCOMPARE(back.records[0].fields, fields);
}

void TestChannelCsv::exportWritesTheHeaderAndProgrammedChannels()
{
    RadioData data = EachToneModeRecord();
    data.Channel(15).SetRxFrequency(0x0000A000);  // not BCD: not programmed
    const std::string text = ExportChannelsCsv(data);
    QVERIFY(text.rfind(std::string(kHeader) + "\r\n", 0) == 0);
    QCOMPARE(ProgrammedChannelCount(data), 13);
    const std::vector<Row> rows = ExportedRows(data);
    QCOMPARE(rows.size(), std::size_t(13));
    QCOMPARE(rows[1].at("Location"), std::string("2"));
    QCOMPARE(rows[1].at("Name"), std::string());
    QCOMPARE(rows[1].at("Frequency"), std::string("431.000000"));
    QCOMPARE(rows[3].at("TStep"), std::string("6.25"));
    QCOMPARE(rows[0].at("TStep"), std::string("5.00"));
    // The whole line of a channel with a repeater shift and a transmit tone.
    QVERIFY(text.find("\r\n2,,431.000000,+,5.000000,Tone,88.5,88.5,023,NN,023,Tone->Tone,FM,"
                      "5.00,,High,,,,,\r\n") != std::string::npos);
}

void TestChannelCsv::toneModesBothWays_data()
{
    QTest::addColumn<int>("rxTone");
    QTest::addColumn<int>("txTone");
    QTest::addColumn<QString>("tone");
    QTest::addColumn<QString>("crossMode");
    // rToneFreq, cToneFreq, DtcsCode, DtcsPolarity, RxDtcsCode
    QTest::addColumn<QStringList>("values");
    const QStringList defaults = {"88.5", "88.5", "023", "NN", "023"};
    QTest::newRow("none") << int(kToneOff) << int(kToneOff) << ""
                          << "Tone->Tone" << defaults;
    QTest::newRow("Tone") << int(kToneOff) << 1000 << "Tone"
                          << "Tone->Tone" << QStringList{"100.0", "88.5", "023", "NN", "023"};
    QTest::newRow("TSQL") << 670 << 670 << "TSQL"
                          << "Tone->Tone" << QStringList{"88.5", "67.0", "023", "NN", "023"};
    QTest::newRow("DTCS NN") << int(kDn754) << int(kDn754) << "DTCS"
                             << "Tone->Tone" << QStringList{"88.5", "88.5", "754", "NN", "023"};
    QTest::newRow("DTCS NR") << int(kDi023) << int(kDn023) << "DTCS"
                             << "Tone->Tone" << QStringList{"88.5", "88.5", "023", "NR", "023"};
    QTest::newRow("Tone->Tone") << 2541 << 670 << "Cross"
                                << "Tone->Tone" << QStringList{"67.0", "254.1", "023", "NN", "023"};
    QTest::newRow("Tone->DTCS") << int(kDi754) << 885 << "Cross"
                                << "Tone->DTCS" << QStringList{"88.5", "88.5", "023", "NR", "754"};
    QTest::newRow("DTCS->Tone") << 1230 << int(kDi411) << "Cross"
                                << "DTCS->Tone" << QStringList{"88.5", "123.0", "411", "RN", "023"};
    QTest::newRow("->Tone") << 1318 << int(kToneOff) << "Cross"
                            << "->Tone" << QStringList{"88.5", "131.8", "023", "NN", "023"};
    QTest::newRow("->DTCS") << int(kDi023) << int(kToneOff) << "Cross"
                            << "->DTCS" << QStringList{"88.5", "88.5", "023", "NR", "023"};
    QTest::newRow("DTCS->") << int(kToneOff) << int(kDn047) << "Cross"
                            << "DTCS->" << QStringList{"88.5", "88.5", "047", "NN", "023"};
    QTest::newRow("DTCS->DTCS") << int(kDn754) << int(kDi023) << "Cross"
                                << "DTCS->DTCS" << QStringList{"88.5", "88.5", "023", "RN", "754"};
}

void TestChannelCsv::toneModesBothWays()
{
    QFETCH(int, rxTone);
    QFETCH(int, txTone);
    QFETCH(QString, tone);
    QFETCH(QString, crossMode);
    QFETCH(QStringList, values);
    RadioData data;
    NewChannel(data, 4, 0x44012500, 0x44012500, std::uint16_t(rxTone), std::uint16_t(txTone));

    const std::vector<Row> rows = ExportedRows(data);
    QCOMPARE(rows.size(), std::size_t(1));
    const Row& row = rows[0];
    QCOMPARE(QString::fromStdString(row.at("Tone")), tone);
    QCOMPARE(QString::fromStdString(row.at("CrossMode")), crossMode);
    const QStringList got = {
        QString::fromStdString(row.at("rToneFreq")), QString::fromStdString(row.at("cToneFreq")),
        QString::fromStdString(row.at("DtcsCode")), QString::fromStdString(row.at("DtcsPolarity")),
        QString::fromStdString(row.at("RxDtcsCode"))};
    QCOMPARE(got, values);

    const RadioData back = RoundTrip(data);
    QCOMPARE(back.Channel(4).RxTone(), std::uint16_t(rxTone));
    QCOMPARE(back.Channel(4).TxTone(), std::uint16_t(txTone));
    CompareChannels(data, back);
}

void TestChannelCsv::duplexBothWays_data()
{
    QTest::addColumn<uint>("rx");
    QTest::addColumn<uint>("tx");
    QTest::addColumn<QString>("duplex");
    QTest::addColumn<QString>("offset");
    QTest::newRow("simplex") << 0x44650000u << 0x44650000u << ""
                             << "0.000000";
    QTest::newRow("plus") << 0x44650000u << 0x45650000u << "+"
                          << "10.000000";
    QTest::newRow("minus") << 0x44650000u << 0x44590000u << "-"
                           << "0.600000";
    QTest::newRow("small plus") << 0x44600625u << 0x44601250u << "+"
                                << "0.006250";
    QTest::newRow("off") << 0x44650000u << 0xFFFFFFFFu << "off"
                         << "0.000000";
}

void TestChannelCsv::duplexBothWays()
{
    QFETCH(uint, rx);
    QFETCH(uint, tx);
    QFETCH(QString, duplex);
    QFETCH(QString, offset);
    RadioData data;
    NewChannel(data, 0, rx, tx, kToneOff, kToneOff);
    const std::vector<Row> rows = ExportedRows(data);
    QCOMPARE(QString::fromStdString(rows.at(0).at("Duplex")), duplex);
    QCOMPARE(QString::fromStdString(rows.at(0).at("Offset")), offset);
    const RadioData back = RoundTrip(data);
    QCOMPARE(back.Channel(0).TxFrequency(), std::uint32_t(tx));
    CompareChannels(data, back);

    // "split" names the transmit frequency itself.
    if (tx != kNoFrequency) {
        const std::string row = "1,," + FormatFrequency(rx) + ",split," + FormatFrequency(tx);
        const ChannelPlan plan = Import400(std::string(kHeader) + "\n" + row + "\n");
        QVERIFY(plan.refused.empty());
        QVERIFY(plan.channels[0]);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(plan.channels[0]->data()), 16),
                 ChannelBytesOf(data, 0));
    }
}

void TestChannelCsv::everyOptionBitSurvives()
{
    // Each bit of option words 12 and 14 flipped on its own from a new channel, then
    // words with every bit clear, every bit set, and mixed patterns.
    std::vector<std::pair<int, int>> patterns;  // byte offset 12 or 14, word value
    RadioData base;
    const ChannelRecord fresh = NewChannel(base, 0, 0x43000000, 0x43000000, 885, 885);
    for (int word : {12, 14}) {
        const int value = word == 12 ? fresh.OptionWord12() : fresh.OptionWord14();
        for (int bit = 0; bit < 16; ++bit) {
            patterns.emplace_back(word, value ^ (1 << bit));
        }
        for (int v : {0x0000, 0xFFFF, 0x5A5A, 0xA5A5, 0x1234}) {
            patterns.emplace_back(word, v);
        }
    }
    for (const auto& [word, value] : patterns) {
        RadioData data = base;
        std::uint8_t* bytes = data.Channel(0).MutableBytes();
        bytes[word] = std::uint8_t(value);
        bytes[word + 1] = std::uint8_t(value >> 8);
        const RadioData back = RoundTrip(data);
        QVERIFY2(ChannelBytesOf(back, 0) == ChannelBytesOf(data, 0),
                 qPrintable(QStringLiteral("word %1 = %2: comment \"%3\", back %4")
                                .arg(word)
                                .arg(value, 4, 16, QLatin1Char('0'))
                                .arg(QString::fromStdString(ExportedRows(data)[0].at("Comment")))
                                .arg(QString(ChannelBytesOf(back, 0).toHex()))));
    }

    // A new channel needs no words at all; the named options have their own.
    RadioData named = base;
    ChannelRecord channel = named.Channel(0);
    channel.SetOption(ChannelOption::BusyLock, true);
    channel.SetOption(ChannelOption::Option10, true);
    channel.SetLevel(4);
    QCOMPARE(ExportedRows(base)[0].at("Comment"), std::string());
    QCOMPARE(ExportedRows(named)[0].at("Comment"), std::string("BusyLock Option10 Level=5"));
}

void TestChannelCsv::chirpFileImportsAsTheExport()
{
    QFile file(ChirpSamplePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const RadioData sample = EachToneModeRecord();
    RadioData imported;
    imported.ResetRecord(true);
    const ChannelPlan plan = ImportChannelsCsv(file.readAll().toStdString(), imported);
    QVERIFY(plan.ok());
    QVERIFY(plan.refused.empty());
    QCOMPARE(plan.ChannelsToImport(), 13);
    ApplyChannelPlan(plan, imported);
    CompareChannels(sample, imported);
    CompareChannels(sample, RoundTrip(sample));
}

void TestChannelCsv::bothHeaderVersions()
{
    const std::string oldFile = std::string(kOldHeader) +
                                "\n"
                                "1,A,440.000000,-,5.000000,DTCS,88.5,88.5,754,RN,NFM,5.00,S,"
                                "Club,,,,\n"
                                "2,B,441.000000,,0.000000,Cross,88.5,103.5,023,NN,FM,5.00,,,,,,\n";
    const ChannelPlan old = Import400(oldFile);
    QVERIFY(old.refused.empty());
    QCOMPARE(old.ChannelsToImport(), 2);
    RadioData data;
    ApplyChannelPlan(old, data);
    const ConstChannelRecord one = data.Channel(0);
    QCOMPARE(one.TxFrequency(), 0x43500000u);
    QCOMPARE(one.TxTone(), kDi754);
    QCOMPARE(one.RxTone(), kDn754);
    QVERIFY(!one.Option(ChannelOption::Wide));
    QVERIFY(!one.Option(ChannelOption::ScanAdd));
    QVERIFY(one.Option(ChannelOption::HighPower));  // no Power column: High
    // Without a CrossMode column a cross row is Tone->Tone.
    QCOMPARE(data.Channel(1).TxTone(), std::uint16_t(885));
    QCOMPARE(data.Channel(1).RxTone(), std::uint16_t(1035));

    // The same rows under the new header give the same bytes.
    const std::string newFile =
        std::string(kHeader) +
        "\n"
        "1,A,440.000000,-,5.000000,DTCS,88.5,88.5,754,RN,023,Tone->Tone,NFM,5.00,S,,Club,,,,\n"
        "2,B,441.000000,,0.000000,Cross,88.5,103.5,023,NN,023,Tone->Tone,FM,5.00,,,,,,,\n";
    const ChannelPlan current = Import400(newFile);
    QVERIFY(current.refused.empty());
    QVERIFY(current.channels == old.channels);
}

void TestChannelCsv::columnsByNameInAnyOrder()
{
    // Shuffled and differently spelt names, a column of another program, and only
    // the columns needed: the rest take CHIRP's defaults.
    const std::string text =
        "Mode, frequency ,Extra,Tone,location,rToneFreq\r\n"
        "NFM,445.500000,whatever,Tone,3,118.8\r\n"
        "FM,446.000000,x\r\n"  // ends early: Tone, Location... missing
        "FM,446.250000,x,,4\r\n";
    const ChannelPlan plan = Import400(text);
    QCOMPARE(plan.ChannelsToImport(), 2);
    QCOMPARE(plan.refused.size(), std::size_t(1));
    QCOMPARE(plan.refused[0].row, 3);  // no location
    RadioData data;
    ApplyChannelPlan(plan, data);
    const ConstChannelRecord three = data.Channel(2);
    QCOMPARE(three.RxFrequency(), 0x44550000u);
    QCOMPARE(three.TxFrequency(), 0x44550000u);
    QCOMPARE(three.TxTone(), std::uint16_t(1188));
    QCOMPARE(three.RxTone(), kToneOff);
    QVERIFY(!three.Option(ChannelOption::Wide));
    const ConstChannelRecord four = data.Channel(3);
    QCOMPARE(four.TxTone(), kToneOff);
    QVERIFY(four.Option(ChannelOption::ScanAdd));
    QVERIFY(four.Option(ChannelOption::HighPower));
}

void TestChannelCsv::chirpValueFormats()
{
    // Values as other programs write them: quoted, padded, tones without decimals or
    // with two, two-digit DCS codes, lower case, power in watts.
    const std::string text = std::string(kHeader) +
                             "\r\n"
                             "\"1\",\"\",\" 430.5 \",\"\",\"0\",\"TSQL\",\"88.5\",\"100\",\"023\","
                             "\"NN\",\"023\",\"Tone->Tone\",\"FM\",\"12.50\",\"\",\"4.0W\","
                             "\"a, b\",,,,\r\n"
                             "2,,430.6,,,dtcs,,,23,rr,,,nfm,,s,0.5 W,,,,,\r\n"
                             "3,,430.7,,,cross,,,754,nr,47,dtcs->dtcs,fm,,,low,,,,,\r\n";
    const ChannelPlan plan = Import400(text);
    QCOMPARE(plan.refused.size(), std::size_t(0));
    RadioData data;
    ApplyChannelPlan(plan, data);
    QCOMPARE(data.Channel(0).RxFrequency(), 0x43050000u);
    QCOMPARE(data.Channel(0).RxTone(), std::uint16_t(1000));
    QVERIFY(data.Channel(0).Option(ChannelOption::HighPower));
    QCOMPARE(data.Channel(1).RxTone(), kDi023);
    QVERIFY(!data.Channel(1).Option(ChannelOption::HighPower));
    QVERIFY(!data.Channel(1).Option(ChannelOption::Wide));
    QVERIFY(!data.Channel(1).Option(ChannelOption::ScanAdd));
    QCOMPARE(data.Channel(2).TxTone(), kDn754);
    QCOMPARE(data.Channel(2).RxTone(), std::uint16_t(0xA827));  // DI047
    QVERIFY(!data.Channel(2).Option(ChannelOption::HighPower));
}

void TestChannelCsv::refusedRows_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<int>("problem");
    QTest::addColumn<QStringList>("values");
    using P = RowProblem;
    const QString tail = ",,,,,";
    // Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,
    // DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,...
    QTest::newRow("receive out of band")
        << "1,,480.000000,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High" + tail
        << int(P::OutOfBand) << QStringList{"480.000000", "400", "470"};
    QTest::newRow("far below every band")
        << "1,,45.000000,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High" + tail
        << int(P::OutOfBand) << QStringList{"45.000000", "400", "470"};
    QTest::newRow("transmit out of band")
        << "1,,465.000000,+,10.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High" + tail
        << int(P::OutOfBand) << QStringList{"475.000000", "400", "470"};
    QTest::newRow("split out of band")
        << "1,,465.000000,split,399.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High" + tail
        << int(P::OutOfBand) << QStringList{"399.000000", "400", "470"};
    QTest::newRow("off the raster")
        << "1,,430.001000,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High" + tail
        << int(P::OffRaster) << QStringList{"430.001000"};
    QTest::newRow("finer than 10 Hz")
        << "1,,430.000001,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High" + tail
        << int(P::OffRaster) << QStringList{"430.000001"};
    QTest::newRow("CTCSS not offered")
        << "1,,430.000000,,0,Tone,88.7,88.5,023,NN,023,Tone->Tone,FM,5.00,,High" + tail
        << int(P::ToneNotOffered) << QStringList{"rToneFreq", "88.7"};
    QTest::newRow("TSQL tone not offered")
        << "1,,430.000000,,0,TSQL,88.5,88.55,023,NN,023,Tone->Tone,FM,5.00,,High" + tail
        << int(P::ToneNotOffered) << QStringList{"cToneFreq", "88.55"};
    QTest::newRow("DCS code not octal")
        << "1,,430.000000,,0,DTCS,88.5,88.5,089,NN,023,Tone->Tone,FM,5.00,,High" + tail
        << int(P::ToneNotOffered) << QStringList{"DtcsCode", "089"};
    QTest::newRow("AM") << "1,,430.000000,,0,,88.5,88.5,023,NN,023,Tone->Tone,AM,5.00,,High" + tail
                        << int(P::ModeNotFm) << QStringList{"AM"};
    QTest::newRow("beyond 16 channels")
        << "17,,430.000000,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High" + tail
        << int(P::BeyondChannels) << QStringList{"17", "16"};
    QTest::newRow("location not a number")
        << "one,,430.000000,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High" + tail
        << int(P::Unreadable) << QStringList{"Location", "one"};
    QTest::newRow("frequency not a number")
        << "1,,430.1.2,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High" + tail
        << int(P::Unreadable) << QStringList{"Frequency", "430.1.2"};
    QTest::newRow("unquoted comma shifts the columns")
        << "1,,430,125,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High" + tail
        << int(P::Unreadable) << QStringList{"Duplex", "125"};
    QTest::newRow("empty frequency")
        << "1,,,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High" + tail << int(P::Unreadable)
        << QStringList{"Frequency", ""};
    QTest::newRow("offset not a number")
        << "1,,430.000000,+,five,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High" + tail
        << int(P::Unreadable) << QStringList{"Offset", "five"};
    QTest::newRow("unknown tone mode")
        << "1,,430.000000,,0,Tone2,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High" + tail
        << int(P::Unreadable) << QStringList{"Tone", "Tone2"};
    QTest::newRow("unknown cross mode")
        << "1,,430.000000,,0,Cross,88.5,88.5,023,NN,023,Tone->,FM,5.00,,High" + tail
        << int(P::Unreadable) << QStringList{"CrossMode", "Tone->"};
    QTest::newRow("polarity")
        << "1,,430.000000,,0,DTCS,88.5,88.5,023,NX,023,Tone->Tone,FM,5.00,,High" + tail
        << int(P::Unreadable) << QStringList{"DtcsPolarity", "NX"};
    QTest::newRow("tone not a number")
        << "1,,430.000000,,0,Tone,abc,88.5,023,NN,023,Tone->Tone,FM,5.00,,High" + tail
        << int(P::Unreadable) << QStringList{"rToneFreq", "abc"};
    QTest::newRow("skip P") << "1,,430.000000,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,P,High" +
                                   tail
                            << int(P::Unreadable) << QStringList{"Skip", "P"};
    QTest::newRow("power level the radio lacks")
        << "1,,430.000000,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,Mid" + tail
        << int(P::Unreadable) << QStringList{"Power", "Mid"};
    QTest::newRow("level word out of range")
        << "1,,430.000000,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,Level=9,,,,"
        << int(P::Unreadable) << QStringList{"Comment", "Level=9"};
    QTest::newRow("word not hexadecimal")
        << "1,,430.000000,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,x Word12=FFFG,,,,"
        << int(P::Unreadable) << QStringList{"Comment", "Word12=FFFG"};
}

void TestChannelCsv::refusedRows()
{
    QFETCH(QString, row);
    QFETCH(int, problem);
    QFETCH(QStringList, values);
    // A good row before and after: only the bad one is refused, by its line number.
    const std::string good2 =
        "2,,431.000000,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,";
    const std::string good3 =
        "3,,432.000000,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,";
    const std::string text =
        std::string(kHeader) + "\n" + good2 + "\n" + row.toStdString() + "\n" + good3 + "\n";
    const ChannelPlan plan = Import400(text);
    QVERIFY(plan.ok());
    QCOMPARE(plan.refused.size(), std::size_t(1));
    QCOMPARE(plan.refused[0].row, 3);
    QCOMPARE(int(plan.refused[0].fault.problem), problem);
    QStringList got;
    for (const std::string& v : plan.refused[0].fault.values) {
        got << QString::fromStdString(v);
    }
    QCOMPARE(got, values);
    QCOMPARE(plan.ChannelsToImport(), 2);
    QVERIFY(plan.channels[1] && plan.channels[2]);
}

void TestChannelCsv::locationsUpTo32IntoSixteenChannels()
{
    RadioData wide;
    wide.model = 0;
    for (int i = 0; i < 32; ++i) {
        // 440.000 MHz and up in steps of 10 kHz.
        const auto rx = std::uint32_t(0x44000000 + (i / 10) * 0x10000 + (i % 10) * 0x1000);
        NewChannel(wide, i, rx, rx, 885, 885);
    }
    const std::string text = ExportChannelsCsv(wide);
    const ChannelPlan plan = Import400(text, 16);
    QCOMPARE(plan.ChannelsToImport(), 16);
    QCOMPARE(plan.refused.size(), std::size_t(16));
    for (std::size_t k = 0; k < 16; ++k) {
        QCOMPARE(plan.refused[k].row, int(k) + 18);
        QCOMPARE(plan.refused[k].fault.problem, RowProblem::BeyondChannels);
        QCOMPARE(plan.refused[k].fault.values[0], std::to_string(k + 17));
    }
    // Into 32 channels all of them go.
    QCOMPARE(Import400(text, 32).ChannelsToImport(), 32);

    // A location given twice: the later row is refused and names the first.
    const ChannelPlan twice =
        Import400(std::string(kHeader) + "\n5,,430.000000\n6,,431.000000\n5,,432.000000\n");
    QCOMPARE(twice.refused.size(), std::size_t(1));
    QCOMPARE(twice.refused[0].row, 4);
    QCOMPARE(twice.refused[0].fault.problem, RowProblem::LocationTwice);
    QCOMPARE(twice.refused[0].fault.values, (std::vector<std::string>{"5", "2"}));
}

void TestChannelCsv::locationsFromZero()
{
    const ChannelPlan plan =
        Import400("Location,Frequency\n0,430.000000\n1,431.000000\n15,432.000000\n16,433.000000\n");
    QCOMPARE(plan.ChannelsToImport(), 3);
    QVERIFY(plan.channels[0] && plan.channels[1] && plan.channels[15]);
    RadioData data;
    ApplyChannelPlan(plan, data);
    QCOMPARE(data.Channel(0).RxFrequency(), 0x43000000u);
    QCOMPARE(data.Channel(15).RxFrequency(), 0x43200000u);
    QCOMPARE(plan.refused.size(), std::size_t(1));
    QCOMPARE(plan.refused[0].fault.problem, RowProblem::BeyondChannels);
    QCOMPARE(plan.refused[0].fault.values[0], std::string("16"));
}

void TestChannelCsv::notAChannelPlan_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("errorRow");
    RadioData data = EachToneModeRecord();
    const auto image = data.ToImage();
    QTest::newRow("data file") << QByteArray(reinterpret_cast<const char*>(image.data()),
                                             int(image.size()))
                               << int(PlanError::NotText) << 0;
    QTest::newRow("JPEG") << QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10)
                          << int(PlanError::NotText) << 0;
    QTest::newRow("Latin-1") << QByteArray("Location,Frequency\n1,430\xB5\n")
                             << int(PlanError::NotText) << 0;
    QTest::newRow("prose") << QByteArray("Dear club members,\nthe repeater moved.\n")
                           << int(PlanError::NoColumns) << 0;
    QTest::newRow("empty") << QByteArray() << int(PlanError::NoColumns) << 0;
    QTest::newRow("no frequency column")
        << QByteArray("Location,Name\n1,A\n") << int(PlanError::NoColumns) << 0;
    QTest::newRow("unclosed quote") << QByteArray("Location,Frequency\n1,430\n2,\"431\n3,432\n")
                                    << int(PlanError::UnclosedQuote) << 3;
}

void TestChannelCsv::notAChannelPlan()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, error);
    QFETCH(int, errorRow);
    const ChannelPlan plan = Import400(bytes.toStdString());
    QVERIFY(!plan.ok());
    QCOMPARE(int(plan.error), error);
    QCOMPARE(plan.errorRow, errorRow);
    QCOMPARE(plan.ChannelsToImport(), 0);

    // Applying such a plan changes nothing.
    RadioData data = EachToneModeRecord();
    const auto before = data.ToImage();
    ApplyChannelPlan(plan, data);
    QVERIFY(data.ToImage() == before);
}

void TestChannelCsv::applyingKeepsEverythingElse()
{
    RadioData data = EachToneModeRecord();
    data.block(Block::B0120).data[16] = 3;
    data.block(Block::B0110).data[13] = 5;
    data.block(Block::B0160).data[0] = 2;
    data.Channel(20).SetRxFrequency(0x45000000);  // beyond the 16 channels
    const RadioData before = data;

    const ChannelPlan plan =
        Import400(std::string(kHeader) + "\n2,,450.000000,,0,,88.5,88.5,023,NN,023,,FM,,,,,,,,\n");
    QCOMPARE(plan.ChannelsToImport(), 1);
    ApplyChannelPlan(plan, data);

    QCOMPARE(data.Channel(1).RxFrequency(), 0x45000000u);
    for (int i = 0; i < 16; ++i) {
        if (i != 1) {
            QVERIFY2(data.Channel(i).IsErased(), qPrintable(QString::number(i + 1)));
        }
    }
    QCOMPARE(data.Channel(20).RxFrequency(), 0x45000000u);
    for (Block b : {Block::B0000, Block::B0120, Block::B0110, Block::B0160, Block::B01B8,
                    Block::B03C0, Block::Channel4, Block::Channel5}) {
        QVERIFY(data.block(b) == before.block(b));
    }
    QCOMPARE(data.bandLower, 400);
    QCOMPARE(data.model, 1);
    QCOMPARE(data.port, before.port);
}

QTEST_GUILESS_MAIN(TestChannelCsv)
#include "test_channel_csv.moc"
