// radioprog-cli end to end against a simulated radio: read, show (text and the exact
// JSON form), write with its check, failures that leave files alone, exit codes.
#include <signal.h>

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "cli/transfer_messages.h"
#include "cli_runner.h"
#include "config/file_reading.h"
#include "config/file_saving.h"
#include "link/serial_port.h"
#include "sim_helpers.h"

using namespace radio;
using namespace radio::sim;
using namespace radio::test;

Q_DECLARE_METATYPE(radio::sim::SimConfig)

namespace {

// A radio whose first two channels are programmed.
RadioData SampleRecord()
{
    RadioData record;
    record.bandLower = 400;
    record.bandUpper = 470;
    record.model = 1;
    ChannelRecord one = record.Channel(0);
    one.SetRxFrequency(0x43012500);
    one.SetTxFrequency(0x43512500);
    one.SetRxTone(885);
    one.SetTxTone(kToneOff);
    ChannelRecord two = record.Channel(1);
    two.SetRxFrequency(0x44000000);
    two.SetTxFrequency(0x0000A000);  // not BCD: no transmit frequency
    two.SetRxTone(0x2813);
    two.SetTxTone(0xA9EC);
    return record;
}

SimConfig SampleRadio()
{
    SimConfig config = FastRadio(400, 1);
    config.hasMemory = true;
    config.memory = FactoryMemory(400, 1);
    PutRecord(config.memory, SampleRecord());
    return config;
}

}  // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void readShowAndWriteBack();
    void showJsonIsExact();
    void showNamesEveryFieldAndSetting();
    void readThroughAComPort();
    void failedReadLeavesTheFileAlone();
    void retriesRepeatAFailedTransfer();
    void writeToAnotherBandIsRefusedUnlessForced();
    void writeToARadioThatDoesNotReport();
    void busyPortSaysSo();
    void refusedPortMessages_data();
    void refusedPortMessages();
    void portsListsComOneToTen();
    void versionIsTheProjectVersion();
    void writeWithVerify();
    void verifyMessages();
    void lineFaultsEndInATrueMessage_data();
    void lineFaultsEndInATrueMessage();
    void backupsKeptAndListed();
    void diffOfFilesAndRadios();
    void backupFirstKeepsWhatTheRadioHeld();
    void cloneToSeveralRadiosAtOnce();
    void cloneChecksEachRadiosBand();
    void cloneGivesEachRadioItsCodesAndLogsIt();
    void cloneStopsAtCtrlC();
    void usageErrors_data();
    void usageErrors();

private:
    // The backups of every transfer the tool runs here; never the user's own folder.
    QTemporaryDir m_backups;
};

void TestCli::initTestCase()
{
    QVERIFY(m_backups.isValid());
    qputenv("RADIOPROG_BACKUP_DIR", QFile::encodeName(m_backups.path()));
}

void TestCli::readShowAndWriteBack()
{
    auto radio = StartRadio(SampleRadio());
    QVERIFY(radio);
    QTemporaryDir dir;
    const QString file = dir.filePath("radio.tw");

    const Result read = Cli({"read", radio->DevicePath(), file});
    QCOMPARE(read.code, 0);
    QVERIFY(read.err.contains("progress 100%"));
    QCOMPARE(QFileInfo(file).size(), 1704);
    RadioData loaded;
    QVERIFY(LoadDataFile(file, loaded).ok());
    QCOMPARE(loaded.Channel(0).RxFrequency(), 0x43012500u);
    QCOMPARE(loaded.port, 1);

    const Result show = Cli({"show", file});
    QCOMPARE(show.code, 0);
    QVERIFY(show.out.contains("model:    1 (16 channels)"));
    QVERIFY(show.out.contains("band:     400-470 MHz"));
    QVERIFY(show.out.contains("1        430.12500  435.12500  88.5"));
    QVERIFY(show.out.contains("DN023    DI754"));
    // Header lines, 16 channels, then 20 features, 2 key and 7 scan settings under
    // their headings.
    QCOMPARE(show.out.count('\n'), 4 + 16 + 21 + 3 + 8);

    // Change a channel in the file and write it into the radio.
    loaded.Channel(2).SetRxFrequency(0x46000000);
    QVERIFY(SaveDataFile(file, loaded).ok());
    const Result write = Cli({"write", radio->DevicePath(), file});
    QCOMPARE(write.code, 0);
    QVERIFY(write.err.contains("wrote 400-470 MHz, 16 channels"));
    const RadioMemory memory = radio->Memory();
    QCOMPARE(memory[0x0010 + 32 + 3], std::uint8_t(0x46));
    // The present mask was rebuilt before the write: channels 1, 2 and 3.
    QCOMPARE(memory[0x0160 + 28], std::uint8_t(0x07));
}

void TestCli::showJsonIsExact()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("sample.tw");
    RadioData record = SampleRecord();
    record.port = 3;
    QVERIFY(SaveDataFile(file, record).ok());
    const Result show = Cli({"show", file, "--json"});
    QCOMPARE(show.code, 0);
    // Keys in alphabetical order, as Qt's JSON writes them. The sample's channels
    // have every option bit set (erased option words).
    const QByteArray allOptions =
        R"("busyLock":true,"highPower":true,"level":8,"number":%1,"option10":true,)"
        R"("option11":true,)";
    QByteArray expected =
        R"({"band":[400,470],"channelCount":16,"channels":[{)" +
        QByteArray(allOptions).replace("%1", "1") +
        R"("rx":"430.12500","rxTone":"88.5","scan":true,"tx":"435.12500","txTone":null,)"
        R"("wide":true,"word12":"FFFF","word14":"FFFF"},{)" +
        QByteArray(allOptions).replace("%1", "2") +
        R"("rx":"440.00000","rxTone":"DN023","scan":true,"tx":null,"txTone":"DI754",)"
        R"("wide":true,"word12":"FFFF","word14":"FFFF"})";
    for (int n = 3; n <= 16; ++n) {
        expected += R"(,{"busyLock":null,"highPower":null,"level":null,"number":)" +
                    QByteArray::number(n) +
                    R"(,"option10":null,"option11":null,"rx":null,"rxTone":null,"scan":null,)"
                    R"("tx":null,"txTone":null,"wide":null,"word12":"FFFF","word14":"FFFF"})";
    }
    // The settings after a reset.
    expected +=
        R"(],"features":{"audioResponse":"Standard","autoKeyLock":false,)"
        R"("batterySave":"Normal","code1":"12345","code2":"54321","dtmfCodes":"Code 1 and 2",)"
        R"("keyBeep":true,"keyLock":false,"scrambler":false,"sendCode":"On PTT press",)"
        R"("squelchLevel":6,"txTimeout":120,"voicePrompt":true,"volumeLevel":5,"vox":true,)"
        R"("voxBeep":true,"voxDelay":0.5,"voxHeadsetOnly":false,"voxInhibitOnReceive":true,)"
        R"("voxLevel":5},"key":{"secondKeyFunction":"Key lock","sideKey":"Off"},"model":1,)"
        R"("port":3,"scan":{"carrierHold":3,"checkInterval":3,"holdTime":3,)"
        R"("priority":"Fixed","priorityChannel":1,"resumeTime":4,)"
        R"("transmitOn":"Priority+Talkback"}})";
    expected += "\n";
    QCOMPARE(show.out, expected);

    record.model = 0;
    QVERIFY(SaveDataFile(file, record).ok());
    const Result wide = Cli({"show", "--json", file});
    QVERIFY(wide.out.contains(R"("channelCount":32)"));
    QVERIFY(wide.out.contains(R"("number":32,)"));
}

void TestCli::showNamesEveryFieldAndSetting()
{
    RadioData record = SampleRecord();
    ChannelRecord one = record.Channel(0);
    one.SetOption(ChannelOption::Wide, false);
    one.SetOption(ChannelOption::HighPower, false);
    one.SetOption(ChannelOption::ScanAdd, false);
    one.SetOption(ChannelOption::BusyLock, false);
    one.SetOption(ChannelOption::Option11, false);
    one.SetLevel(2);
    auto& features = record.block(Block::B0120).data;
    features[16] = 0xFF;  // the time-out: out of range
    features[27] = 3;     // VOX delay 1.5 s
    features[30] = 1;     // scrambler on
    features[32] = '9';
    features[33] = '#';
    features[34] = 0xFF;
    record.block(Block::B0110).data[13] = 11;  // the side key: flashlight
    auto& scan = record.block(Block::B0160).data;
    scan[1] = 0xFF;  // no priority channel
    scan[2] = 2;     // 0.55 s
    scan[4] = 1;
    scan[5] = 0x2C;  // 300
    scan[6] = 0x01;
    QTemporaryDir dir;
    const QString file = dir.filePath("fields.tw");
    QVERIFY(SaveDataFile(file, record).ok());

    const Result json = Cli({"show", "--json", file});
    QCOMPARE(json.code, 0);
    const QJsonObject root = QJsonDocument::fromJson(json.out).object();
    const QJsonObject first = root["channels"].toArray().at(0).toObject();
    QCOMPARE(first["wide"], QJsonValue(false));
    QCOMPARE(first["highPower"], QJsonValue(false));
    QCOMPARE(first["scan"], QJsonValue(false));
    QCOMPARE(first["busyLock"], QJsonValue(false));
    QCOMPARE(first["option10"], QJsonValue(true));
    QCOMPARE(first["option11"], QJsonValue(false));
    QCOMPARE(first["level"], QJsonValue(3));
    QCOMPARE(first["word12"], QJsonValue("CFF6"));
    QCOMPARE(first["word14"], QJsonValue("5FFE"));
    const QJsonObject f = root["features"].toObject();
    QVERIFY(f["txTimeout"].isNull());
    QCOMPARE(f["voxDelay"], QJsonValue(1.5));
    QCOMPARE(f["scrambler"], QJsonValue(true));
    QCOMPARE(f["code1"], QJsonValue("9#"));
    QCOMPARE(root["key"].toObject()["sideKey"], QJsonValue("Flashlight"));
    const QJsonObject s = root["scan"].toObject();
    QVERIFY(s["priorityChannel"].isNull());
    QCOMPARE(s["checkInterval"], QJsonValue(0.55));
    QCOMPARE(s["transmitOn"], QJsonValue("Current+Talkback"));
    QCOMPARE(s["resumeTime"], QJsonValue(300));

    const Result text = Cli({"show", file});
    QCOMPARE(text.code, 0);
    QVERIFY(text.out.contains("88.5     -        narrow     low    off   off        3      on"));
    QVERIFY(text.out.contains("CFF6    5FFE\n"));
    QVERIFY(text.out.contains("\n  TX time-out (s)         -\n"));
    QVERIFY(text.out.contains("\n  Side key                Flashlight\n"));
    QVERIFY(text.out.contains("\n  Check interval (s)      0.55\n"));
    QVERIFY(text.out.contains("\n  Code 1                  9#\n"));
}

void TestCli::readThroughAComPort()
{
    auto radio = StartRadio(FastRadio(136, 0));
    QVERIFY(radio);
    QTemporaryDir dir;
    const QString file = dir.filePath("com4.tw");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("RADIOPROG_COM4", radio->DevicePath());
    const Result read = Cli({"read", "com4", file}, env);
    QCOMPARE(read.code, 0);
    RadioData loaded;
    QVERIFY(LoadDataFile(file, loaded).ok());
    QCOMPARE(loaded.port, 4);
    QCOMPARE(loaded.bandLower, 136);
    QCOMPARE(loaded.model, 0);
}

void TestCli::failedReadLeavesTheFileAlone()
{
    SimConfig config = SampleRadio();
    config.faults.wrongAddress = 0x0120;
    auto radio = StartRadio(config);
    QVERIFY(radio);
    QTemporaryDir dir;
    const QString existing = dir.filePath("keep.tw");
    const QByteArray old = QByteArray(1704, 'k');
    {
        QFile f(existing);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(old);
    }
    const Result read = Cli({"read", radio->DevicePath(), existing});
    QCOMPARE(read.code, 1);
    QVERIFY(read.err.contains(
        "radioprog-cli: The radio's answer was missing or wrong (block 0x0120)."));
    QCOMPARE(FileBytes(existing), old);

    const QString fresh = dir.filePath("new.tw");
    QCOMPARE(Cli({"read", radio->DevicePath(), fresh}).code, 1);
    QVERIFY(!QFileInfo::exists(fresh));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.tw"});
}

void TestCli::retriesRepeatAFailedTransfer()
{
    SimConfig config = FastRadio(400, 1);
    config.faults.entryNak = true;
    auto radio = StartRadio(config);
    QVERIFY(radio);
    QTemporaryDir dir;
    const Result read = Cli({"read", radio->DevicePath(), dir.filePath("x.tw"), "--retries", "2"});
    QCOMPARE(read.code, 1);
    QCOMPARE(read.err.count("trying again"), 2);
    QVERIFY(read.err.endsWith(
        "radioprog-cli: " +
        QString::fromStdString(LanguageTable::Fallback(text::RadioRefused)).toLocal8Bit() + '\n'));
    QCOMPARE(radio->Events().size(), std::size_t(3));
}

void TestCli::writeToAnotherBandIsRefusedUnlessForced()
{
    auto radio = StartRadio(FastRadio(136, 0));
    QVERIFY(radio);
    const RadioMemory before = radio->Memory();
    QTemporaryDir dir;
    const QString file = dir.filePath("uhf.tw");
    QVERIFY(SaveDataFile(file, SampleRecord()).ok());

    const Result refused = Cli({"write", radio->DevicePath(), file});
    QCOMPARE(refused.code, 1);
    QVERIFY(
        refused.err.contains("the radio reports 136-174 MHz, 32 channels, but the data is "
                             "for 400-470 MHz, 16 channels"));
    QVERIFY(refused.err.contains("--force"));
    QCOMPARE(radio->Memory(), before);

    const Result forced = Cli({"write", "--force", radio->DevicePath(), file});
    QCOMPARE(forced.code, 0);
    QVERIFY(forced.err.contains("warning"));
    QCOMPARE(radio->Memory()[0x0010 + 3], std::uint8_t(0x43));
}

void TestCli::writeToARadioThatDoesNotReport()
{
    SimConfig config = FastRadio(400, 1);
    Identity odd{};
    odd.fill(0x00);
    config.identity = odd;
    auto radio = StartRadio(config);
    QVERIFY(radio);
    QTemporaryDir dir;
    const QString file = dir.filePath("data.tw");
    QVERIFY(SaveDataFile(file, SampleRecord()).ok());
    const Result write = Cli({"write", radio->DevicePath(), file});
    QCOMPARE(write.code, 0);
    QVERIFY(write.err.contains("warning: the radio did not report its band and model"));
    // The data's band and model went into the identity bytes.
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(radio->Memory().data()) + 0x01B8, 7),
             QByteArray("K468\x36\x73\xFC", 7));
}

void TestCli::busyPortSaysSo()
{
    auto radio = StartRadio(FastRadio(400, 1));
    QVERIFY(radio);
    CSerialPort holder;
    QVERIFY(holder.Open(radio->DevicePath()));
    QTemporaryDir dir;
    const Result read = Cli({"read", radio->DevicePath(), dir.filePath("x.tw")});
    QCOMPARE(read.code, 1);
    QVERIFY(read.err.contains("is in use by another program"));
}

void TestCli::refusedPortMessages_data()
{
    // The texts are the language table's English ones; what matters here is that each
    // says which port, which device, and what is wrong.
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QStringList>("says");
    QTest::addColumn<QString>("never");
    using Kind = TransferError::Kind;
    QTest::newRow("permission") << int(Kind::PortPermission) << "COM1"
                                << QStringList{"COM1 (/dev/ttyUSB0)", "permission", "dialout"}
                                << "%";
    QTest::newRow("busy") << int(Kind::PortBusy) << "COM1"
                          << QStringList{"COM1 (/dev/ttyUSB0)", "in use by another program"} << "%";
    QTest::newRow("busy device path")
        << int(Kind::PortBusy) << "/dev/ttyUSB0"
        << QStringList{"/dev/ttyUSB0 is in use by another program"} << "(/dev/ttyUSB0)";
    QTest::newRow("other failure")
        << int(Kind::PortFailed) << "COM1"
        << QStringList{"COM1 (/dev/ttyUSB0)", "Input/output error"} << "%";
    QTest::newRow("not found") << int(Kind::PortNotFound) << "COM1" << QStringList{"COM1"} << "%";
    QTest::newRow("invalid") << int(Kind::PortInvalid) << "COM11" << QStringList{"11", "COM10"}
                             << "%";
}

void TestCli::refusedPortMessages()
{
    QFETCH(int, kind);
    QFETCH(QString, port);
    QFETCH(QStringList, says);
    QFETCH(QString, never);
    TransferError error;
    error.kind = TransferError::Kind(kind);
    error.port = port;
    error.portNumber = 11;
    error.device = QStringLiteral("/dev/ttyUSB0");
    error.detail = QStringLiteral("Input/output error");
    const QString message = cli::TransferErrorMessage(error);
    for (const QString& part : says) {
        QVERIFY2(message.contains(part), qPrintable(message));
    }
    QVERIFY2(!message.contains(never), qPrintable(message));
}

void TestCli::portsListsComOneToTen()
{
    auto radio = StartRadio(FastRadio(400, 1));
    QVERIFY(radio);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("RADIOPROG_COM1", radio->DevicePath());
    for (int n = 2; n <= 10; ++n) {
        env.insert(QStringLiteral("RADIOPROG_COM%1").arg(n),
                   QStringLiteral("/nonexistent/com%1").arg(n));
    }
    const Result ports = Cli({"ports"}, env);
    QCOMPARE(ports.code, 0);
    const QList<QByteArray> lines = ports.out.trimmed().split('\n');
    QCOMPARE(lines.size(), 10);
    // A pseudo-terminal has no USB adapter: "-" stands in its column.
    QCOMPARE(lines[0].simplified(), "COM1 " + radio->DevicePath().toLocal8Bit() + " - yes");
    QCOMPARE(lines[9].simplified(), QByteArray("COM10 /nonexistent/com10 - no (not found)"));
}

void TestCli::versionIsTheProjectVersion()
{
    const Result version = Cli({"--version"});
    QCOMPARE(version.code, 0);
    QCOMPARE(version.out, QByteArray("radioprog-cli " RADIOPROG_EXPECTED_VERSION "\n"));
    QVERIFY(Cli({"--help"}).out.contains("radioprog-cli --version"));
}

void TestCli::writeWithVerify()
{
    auto radio = StartRadio(SampleRadio());
    QVERIFY(radio);
    QTemporaryDir dir;
    const QString file = dir.filePath("data.tw");
    RadioData record = SampleRecord();
    record.Channel(5).SetRxFrequency(0x45012500);
    QVERIFY(SaveDataFile(file, record).ok());

    const Result clean = Cli({"write", radio->DevicePath(), file, "--verify"});
    QCOMPARE(clean.code, 0);
    QVERIFY(clean.err.contains("written; verifying"));
    QVERIFY(clean.err.contains("wrote 400-470 MHz, 16 channels from " + file.toLocal8Bit() +
                               ", verified"));

    // The radio stores channel 6's first byte wrong: 0x0010 + 5 * 16.
    SimFaults faults;
    faults.corruptWrite = 0x0060;
    radio->SetFaults(faults);
    const Result corrupted = Cli({"write", "--verify", radio->DevicePath(), file});
    QCOMPARE(corrupted.code, 1);
    const int written = record.block(ChannelBlock(1)).data[16];
    const auto hex = [](int byte) {
        return QString::number(byte, 16).toUpper().rightJustified(2, QLatin1Char('0'));
    };
    const QString expected =
        QStringLiteral("radioprog-cli: Verify failed at 0x0060: written 0x%1, radio holds 0x%2\n")
            .arg(hex(written), hex(written ^ 1));
    QVERIFY2(corrupted.err.endsWith(expected.toLatin1()), corrupted.err.constData());
}

void TestCli::verifyMessages()
{
    TransferError mismatch;
    mismatch.kind = TransferError::Kind::VerifyMismatch;
    mismatch.verifying = true;
    mismatch.address = 0x0120;
    mismatch.written = 0x13;
    mismatch.held = 0x12;
    QCOMPARE(cli::TransferErrorMessage(mismatch),
             QStringLiteral("Verify failed at 0x0120: written 0x13, radio holds 0x12"));

    // Silence while reading back: the write itself had ended.
    TransferError silent;
    silent.kind = TransferError::Kind::NoAnswer;
    silent.verifying = true;
    const QString message = cli::TransferErrorMessage(silent);
    QVERIFY2(message.startsWith("the radio acknowledged every chunk written"), qPrintable(message));
    QVERIFY(message.endsWith(QString::fromStdString(LanguageTable::Fallback(text::RadioNoAnswer))));
}

void TestCli::lineFaultsEndInATrueMessage_data()
{
    QTest::addColumn<SimConfig>("config");
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("says");
    const auto radio = [](auto change) {
        SimConfig config = SampleRadio();
        change(config.faults);
        return config;
    };
    // The last chunk of a write is quarter 0 of block 0x03C0.
    const QString nakOfTheLast = QStringLiteral("(block 0x03C0, quarter 0, refused)");
    QTest::newRow("late acknowledgement, then a NAK of the last chunk") << radio([](SimFaults& f) {
        f.lateAck = 0x01B8;
        f.chunkNak = 0x03C0;
    }) << "write" << 1 << nakOfTheLast;
    QTest::newRow("doubled acknowledgements, then a NAK of the last chunk")
        << radio([](SimFaults& f) {
               f.doubleAck = true;
               f.chunkNak = 0x03C0;
           })
        << "write" << 1 << nakOfTheLast;
    QTest::newRow("doubled acknowledgements, then silence from the last chunk")
        << radio([](SimFaults& f) {
               f.doubleAck = true;
               f.silentFrom = 0x03C0;
           })
        << "write" << 1 << "(block 0x03C0, quarter 0, not answered)";
    QTest::newRow("late acknowledgement alone")
        << radio([](SimFaults& f) { f.lateAck = 0x0050; }) << "write" << 0 << "verified";
    QTest::newRow("echoing cable")
        << radio([](SimFaults& f) { f.echo = true; }) << "read" << 1 << "(an echoing cable)";
    SimConfig odd = SampleRadio();
    odd.identity = Identity{'K', '4', '6', '8', 0x36, 0x73, 0x00, 0xFF};
    QTest::newRow("identity with an unknown model code")
        << odd << "read" << 0
        << "warning: The radio's identity 4B343638367300FF is not one this program can decode; "
           "the band and model stay 400-470 MHz, 16 channels.";
}

// What the tool says after a fault of the line is what happened: a chunk that was
// refused or not answered fails the write, whatever came late or twice before it.
void TestCli::lineFaultsEndInATrueMessage()
{
    QFETCH(SimConfig, config);
    QFETCH(QString, command);
    QFETCH(int, code);
    QFETCH(QString, says);
    auto radio = StartRadio(config);
    QVERIFY(radio);
    QTemporaryDir dir;
    const QString file = dir.filePath("data.tw");
    QVERIFY(SaveDataFile(file, SampleRecord()).ok());
    const QByteArray before = FileBytes(file);

    QStringList arguments{command, radio->DevicePath(), file, "--no-backup"};
    if (command == QLatin1String("write")) {
        arguments << "--verify";
    }
    const Result run = Cli(arguments);
    QVERIFY2(run.code == code, run.err.constData());
    QVERIFY2(run.err.contains(says.toUtf8()), run.err.constData());
    if (code != 0) {
        for (const char* untrue :
             {"wrote ", "verified", "acknowledged every chunk", "refused to"}) {
            QVERIFY2(!run.err.contains(untrue), run.err.constData());
        }
        QCOMPARE(FileBytes(file), before);
    }
}

void TestCli::backupsKeptAndListed()
{
    QTemporaryDir backups;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("RADIOPROG_BACKUP_DIR", backups.path());
    QTemporaryDir dir;
    const QString file = dir.filePath("radio.tw");

    const Result none = Cli({"backups"}, env);
    QCOMPARE(none.code, 0);
    QVERIFY(none.out.isEmpty());
    QVERIFY(none.err.contains("no backups in " + backups.path().toLocal8Bit()));

    auto radio = StartRadio(FastRadio(136, 0));
    QVERIFY(radio);
    QCOMPARE(Cli({"read", radio->DevicePath(), file}, env).code, 0);
    QCOMPARE(Cli({"write", radio->DevicePath(), file}, env).code, 0);
    // Neither a skipped backup nor a failed read leaves one.
    QCOMPARE(Cli({"read", radio->DevicePath(), dir.filePath("b.tw"), "--no-backup"}, env).code, 0);
    QCOMPARE(Cli({"write", "--no-backup", radio->DevicePath(), file}, env).code, 0);
    SimFaults faults;
    faults.shortBlock = 0x0160;
    radio->SetFaults(faults);
    QCOMPARE(Cli({"read", radio->DevicePath(), dir.filePath("c.tw")}, env).code, 1);

    const Result listed = Cli({"backups"}, env);
    QCOMPARE(listed.code, 0);
    const QList<QByteArray> lines = listed.out.trimmed().split('\n');
    QCOMPARE(lines.size(), 2);
    // Newest first: path, time, kind, band, channels.
    static const QRegularExpression line(
        R"(^(\S+/(\d{8}-\d{6}-\d{3})_(\w+)_136-174MHz_32ch\.tw)  (\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)  )"
        R"((read|write) +136-174 MHz  32 channels$)");
    const auto first = line.match(QString::fromLocal8Bit(lines[0]));
    const auto second = line.match(QString::fromLocal8Bit(lines[1]));
    QVERIFY2(first.hasMatch(), lines[0].constData());
    QVERIFY2(second.hasMatch(), lines[1].constData());
    QCOMPARE(first.captured(5), QStringLiteral("write"));
    QCOMPARE(second.captured(5), QStringLiteral("read"));
    QVERIFY(first.captured(1).startsWith(backups.path() + "/"));
    QVERIFY(first.captured(2) >= second.captured(2));
    // The read's backup is what the read saved.
    QCOMPARE(FileBytes(second.captured(1)), FileBytes(file));
}

void TestCli::diffOfFilesAndRadios()
{
    auto radio = StartRadio(SampleRadio());
    QVERIFY(radio);
    QTemporaryDir dir;
    const QString a = dir.filePath("a.tw");
    const QString b = dir.filePath("b.tw");
    QCOMPARE(Cli({"read", radio->DevicePath(), a}).code, 0);
    RadioData changed;
    QVERIFY(LoadDataFile(a, changed).ok());
    changed.Channel(2).SetRxFrequency(0x43600000);
    QVERIFY(SaveDataFile(b, changed).ok());

    const Result same = Cli({"diff", a, a});
    QCOMPARE(same.code, 0);
    QVERIFY(same.out.isEmpty());
    const Result files = Cli({"diff", a, b});
    QCOMPARE(files.code, 1);
    // A channel made is one line: its row as the table shows it.
    const QByteArray row = "436.00000 / - / Off / Off / Wide / High / On / On";
    QCOMPARE(files.out, "channel 3 all fields: - -> " + row + "\n");
    // Against the radio, what a write of b.tw would change: its masks rebuilt too.
    const Result port = Cli({"diff", b, radio->DevicePath()});
    QCOMPARE(port.code, 1);
    QVERIFY2(port.out.startsWith("channel 3 all fields: " + row + " -> -\n"), port.out.constData());
    QVERIFY2(port.out.endsWith("bytes 0x017C-0x017F (not shown): 07 00 07 00 -> FF FF FF FF\n"), port.out.constData());
    const Result json = Cli({"diff", a, b, "--json"});
    QCOMPARE(json.code, 1);
    const QJsonArray list = QJsonDocument::fromJson(json.out).array();
    QCOMPARE(list.size(), 1);
    const QJsonObject first = list.at(0).toObject();
    QCOMPARE(first.value("area").toString(), QStringLiteral("channel"));
    QCOMPARE(first.value("channel").toInt(), 3);
    QCOMPARE(first.value("key").toString(), QStringLiteral("channel"));
    QCOMPARE(first.value("field").toString(), QStringLiteral("all fields"));
    QCOMPARE(first.value("from").toString(), QStringLiteral("-"));
    QCOMPARE(first.value("to").toString(), QString::fromLatin1(row));

    // Trouble is 2, not "different".
    QCOMPARE(Cli({"diff", a, dir.filePath("missing.tw")}).code, 2);
    SimFaults faults;
    faults.entrySilent = true;
    radio->SetFaults(faults);
    QCOMPARE(Cli({"diff", radio->DevicePath(), a}).code, 2);
}

void TestCli::backupFirstKeepsWhatTheRadioHeld()
{
    auto radio = StartRadio(SampleRadio());
    QVERIFY(radio);
    const RadioMemory before = radio->Memory();
    QTemporaryDir dir;
    const QString file = dir.filePath("new.tw");
    RadioData record = SampleRecord();
    record.Channel(5).SetRxFrequency(0x44512500);
    QVERIFY(SaveDataFile(file, record).ok());

    // Without a place for the backup nothing is written.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("RADIOPROG_BACKUP_DIR", file + "/not-a-folder");
    const Result refused = Cli({"write", radio->DevicePath(), file, "--backup-first"}, env);
    QCOMPARE(refused.code, 1);
    QVERIFY2(refused.err.contains("nothing was written") && !refused.err.contains("warning"),
             refused.err.constData());
    QVERIFY(radio->Memory() == before);
    QCOMPARE(Cli({"write", radio->DevicePath(), file, "--backup-first", "--no-backup"}).code, 2);

    const Result write = Cli({"write", radio->DevicePath(), file, "--backup-first"});
    QCOMPARE(write.code, 0);
    static const QRegularExpression kept(R"(what it held kept in (\S+_before-write_400-470MHz_16ch\.tw))");
    const auto match = kept.match(QString::fromLocal8Bit(write.err));
    QVERIFY2(match.hasMatch(), write.err.constData());
    RadioData held;
    QVERIFY(LoadDataFile(match.captured(1), held).ok());
    QCOMPARE(held.Channel(5).RxFrequency(), kNoFrequency);
    QCOMPARE(radio->Memory()[0x0050 + 16 + 3], std::uint8_t(0x44));

    const Result clone = Cli({"clone", file, radio->DevicePath(), "--backup-first"});
    QCOMPARE(clone.code, 0);
    QVERIFY2(clone.out.contains(": written, what it held kept in "), clone.out.constData());
    QVERIFY(Cli({"backups"}).out.contains("before-write"));
}

void TestCli::cloneToSeveralRadiosAtOnce()
{
    // Three radios, the second silent: two are written, one fails, exit code 1.
    auto first = StartRadio(SampleRadio());
    SimConfig silentConfig = SampleRadio();
    silentConfig.faults.entrySilent = true;
    auto silent = StartRadio(silentConfig);
    auto third = StartRadio(FastRadio(400, 1));
    QVERIFY(first && silent && third);
    QTemporaryDir dir;
    const QString file = dir.filePath("fleet.tw");
    RadioData record = SampleRecord();
    record.Channel(7).SetRxFrequency(0x46112500);
    QVERIFY(SaveDataFile(file, record).ok());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("RADIOPROG_COM2", silent->DevicePath());

    QElapsedTimer clock;
    clock.start();
    const Result clone =
        Cli({"clone", file, first->DevicePath(), "COM2", third->DevicePath(), "--verify"}, env);
    const qint64 ms = clock.elapsed();
    QCOMPARE(clone.code, 1);
    const QList<QByteArray> lines = clone.out.trimmed().split('\n');
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines.contains(first->DevicePath().toLocal8Bit() + ": written and verified"));
    QVERIFY(lines.contains(third->DevicePath().toLocal8Bit() + ": written and verified"));
    const QByteArray failed =
        "COM2 (" + silent->DevicePath().toLocal8Bit() +
        "): failed: " + QByteArray::fromStdString(LanguageTable::Fallback(text::RadioNoAnswer));
    QVERIFY2(lines.contains(failed), clone.out.constData());
    for (const auto* radio : {first.get(), third.get()}) {
        QCOMPARE(radio->Memory()[0x0010 + 7 * 16 + 3], std::uint8_t(0x46));
    }
    for (const SimEvent& e : silent->Events()) {  // entry attempts only, never answered
        QVERIFY(e.kind == SimEvent::Kind::Entry && !e.answered);
    }
    // At the same time, not one after another (each write and verify takes about
    // half a second unpaced).
    QVERIFY2(ms < 5000, qPrintable(QString::number(ms)));

    const Result good = Cli({"clone", file, first->DevicePath(), third->DevicePath()}, env);
    QCOMPARE(good.code, 0);
    QCOMPARE(good.out.count("written\n"), 2);
}

void TestCli::cloneChecksEachRadiosBand()
{
    auto uhf = StartRadio(FastRadio(400, 1));
    auto vhf = StartRadio(FastRadio(136, 1));
    QVERIFY(uhf && vhf);
    QTemporaryDir dir;
    const QString file = dir.filePath("uhf.tw");
    QVERIFY(SaveDataFile(file, SampleRecord()).ok());
    const RadioMemory before = vhf->Memory();
    const Result refused = Cli({"clone", file, uhf->DevicePath(), vhf->DevicePath()});
    QCOMPARE(refused.code, 1);
    QVERIFY(refused.out.contains(uhf->DevicePath().toLocal8Bit() + ": written\n"));
    QVERIFY(refused.out.contains(vhf->DevicePath().toLocal8Bit() +
                                 ": failed: the radio reports 136-174 MHz, 16 channels"));
    QCOMPARE(vhf->Memory(), before);
    // Each radio keeps its own identity bytes: the 136 MHz radio is written as one.
    const Result forced = Cli({"clone", "--force", file, uhf->DevicePath(), vhf->DevicePath()});
    QCOMPARE(forced.code, 0);
    QVERIFY(forced.err.contains(vhf->DevicePath().toLocal8Bit() + ": warning: the radio reports"));
    QCOMPARE(vhf->Memory()[0x0010 + 3], std::uint8_t(0x43));
}

void TestCli::cloneGivesEachRadioItsCodesAndLogsIt()
{
    auto first = StartRadio(SampleRadio());
    SimConfig silentConfig = SampleRadio();
    silentConfig.faults.entrySilent = true;
    auto silent = StartRadio(silentConfig);
    auto third = StartRadio(SampleRadio());
    QVERIFY(first && silent && third);
    QTemporaryDir dir;
    const QString file = dir.filePath("plan.tw");
    QVERIFY(SaveDataFile(file, SampleRecord()).ok());
    const QByteArray plan = FileBytes(file);
    const QString log = dir.filePath("job.csv");
    const auto codeOf = [](const sim::RadioSimulator& radio) {
        const RadioMemory memory = radio.Memory();
        return QByteArray(reinterpret_cast<const char*>(&memory[0x0120 + 32]), 16);
    };
    const auto code = [](const QByteArray& digits) {
        return digits + QByteArray(16 - digits.size(), char(0xFF));
    };

    const Result clone = Cli({"clone", file, first->DevicePath(), silent->DevicePath(),
                              third->DevicePath(), "--code1", "0099", "--verify", "--log", log});
    QCOMPARE(clone.code, 1);
    QCOMPARE(codeOf(*first), code("0099"));
    QCOMPARE(codeOf(*third), code("0101"));
    QCOMPARE(FileBytes(file), plan);
    QVERIFY(clone.out.contains(first->DevicePath().toLocal8Bit() +
                               " (Code 1 0099): written and verified\n"));
    // The code the silent radio missed, ready for a run of the rest.
    QVERIFY2(clone.err.endsWith("a file of these lines:\n" + silent->DevicePath().toLocal8Bit() +
                                ",0100\n"),
             clone.err.constData());
    QList<QByteArray> rows = FileBytes(log).split('\n');
    QCOMPARE(rows.size(), 5);  // the header, three rows, nothing after the last line end
    const QByteArray sha = QCryptographicHash::hash(plan, QCryptographicHash::Sha256).toHex();
    for (const QByteArray& row : rows.mid(1, 3)) {
        QVERIFY2(row.contains("," + QFile::encodeName(file) + "," + sha + ","), row.constData());
        QVERIFY(row.contains(",54321,written and verified,") || row.contains(",0100,54321,failed: "));
    }

    // Again for the one that failed, with its code from a file; the log goes on.
    auto replacement = StartRadio(SampleRadio());
    QVERIFY(replacement);
    QFile codes(dir.filePath("rest.csv"));
    QVERIFY(codes.open(QIODevice::WriteOnly));
    codes.write("port,code1\nCOM2,0100,#1\n");
    codes.close();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("RADIOPROG_COM2", replacement->DevicePath());
    const Result rest = Cli({"clone", file, "--codes", codes.fileName(), "--log", log}, env);
    QCOMPARE(rest.code, 0);
    QCOMPARE(codeOf(*replacement), code("0100"));
    const RadioMemory memory = replacement->Memory();
    QCOMPARE(memory[0x0120 + 48], std::uint8_t('#'));
    rows = FileBytes(log).split('\n');
    QCOMPARE(rows.size(), 6);
    QVERIFY2(rows.at(4).contains(",COM2," + replacement->DevicePath().toLocal8Bit() + ","),
             rows.at(4).constData());

    // A port with two lines of codes is refused before anything is written.
    QVERIFY(codes.open(QIODevice::WriteOnly | QIODevice::Truncate));
    codes.write("COM2,0100\n" + replacement->DevicePath().toLocal8Bit() + ",0200\n");
    codes.close();
    const Result twice = Cli({"clone", file, "COM2", "--codes", codes.fileName()}, env);
    QCOMPARE(twice.code, 2);
    QVERIFY2(twice.err.contains(" has two lines in "), twice.err.constData());

    // A data file given as the log is not appended to.
    const Result wrong = Cli({"clone", file, first->DevicePath(), "--log", file});
    QCOMPARE(wrong.code, 2);
    QVERIFY2(wrong.err.contains("holds something other than a job log"), wrong.err.constData());
    QCOMPARE(FileBytes(file), plan);
}

// Ctrl+C during a batch: the radio being written is written whole, the one still
// being tried is tried no more, and both say so.
void TestCli::cloneStopsAtCtrlC()
{
    SimConfig paced = SampleRadio();
    paced.pacing = true;  // a write of about a second
    SimConfig silentConfig = SampleRadio();
    silentConfig.faults.entrySilent = true;
    auto radio = StartRadio(paced);
    auto silent = StartRadio(silentConfig);
    QVERIFY(radio && silent);
    QTemporaryDir dir;
    const QString file = dir.filePath("plan.tw");
    QVERIFY(SaveDataFile(file, SampleRecord()).ok());
    QProcess cli;
    cli.start(QCoreApplication::applicationDirPath() + "/radioprog-cli",
              {"clone", file, radio->DevicePath(), silent->DevicePath(), "--retries", "1000",
               "--no-backup", "--code1", "5"});
    QVERIFY(cli.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(Count(radio->Events(), SimEvent::Kind::ChunkWrite) > 0, 5000);
    ::kill(pid_t(cli.processId()), SIGINT);
    QVERIFY(cli.waitForFinished(10000));
    QCOMPARE(cli.exitCode(), 1);
    const QByteArray out = cli.readAllStandardOutput();
    QVERIFY2(out.contains(radio->DevicePath().toLocal8Bit() + " (Code 1 5): written\n"),
             out.constData());
    QVERIFY2(out.contains(" (Code 1 6): failed: " +
                          QByteArray::fromStdString(LanguageTable::Fallback(text::RadioNoAnswer)) +
                          " (stopped: not tried again)\n"),
             out.constData());
    QCOMPARE(radio->Memory()[0x0120 + 32], std::uint8_t('5'));
}

void TestCli::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("nothing") << QStringList{};
    QTest::newRow("unknown command") << QStringList{"erase"};
    QTest::newRow("read without a file") << QStringList{"read", "COM1"};
    QTest::newRow("port beyond COM16") << QStringList{"read", "COM17", "x.tw"};
    QTest::newRow("not a port") << QStringList{"read", "radio", "x.tw"};
    QTest::newRow("bad retries") << QStringList{"read", "COM1", "x.tw", "--retries", "many"};
    QTest::newRow("json with read") << QStringList{"read", "COM1", "x.tw", "--json"};
    QTest::newRow("force with read") << QStringList{"read", "COM1", "x.tw", "--force"};
    QTest::newRow("unknown option") << QStringList{"show", "x.tw", "--verbose"};
    QTest::newRow("show a missing file") << QStringList{"show", "/nonexistent/x.tw"};
    QTest::newRow("write a missing file") << QStringList{"write", "COM1", "/nonexistent/x.tw"};
    QTest::newRow("ports with an argument") << QStringList{"ports", "COM1"};
    QTest::newRow("check with show") << QStringList{"show", "x.tw", "--check"};
    QTest::newRow("verify with read") << QStringList{"read", "COM1", "x.tw", "--verify"};
    QTest::newRow("clone without ports") << QStringList{"clone", "x.tw"};
    QTest::newRow("clone a port twice") << QStringList{"clone", "x.tw", "COM3", "com3"};
    QTest::newRow("clone to no port") << QStringList{"clone", "x.tw", "COM1", "radio"};
    QTest::newRow("backups with an argument") << QStringList{"backups", "x"};
    // Codes that cannot be given are refused before anything is read or written.
    QTest::newRow("a code that is no DTMF code")
        << QStringList{"clone", "x.tw", "COM1", "--code1", "12E"};
    QTest::newRow("a code with nothing to count")
        << QStringList{"clone", "x.tw", "COM1", "COM2", "--code2", "12#"};
    QTest::newRow("codes that outgrow 16 characters")
        << QStringList{"clone", "x.tw", "COM1", "COM2", "--code1", "9999999999999999"};
    QTest::newRow("codes counted and from a file")
        << QStringList{"clone", "x.tw", "COM1", "--codes", "c.csv", "--code1", "1"};
    QTest::newRow("a missing codes file")
        << QStringList{"clone", "x.tw", "COM1", "--codes", "/nonexistent/c.csv"};
}

void TestCli::usageErrors()
{
    QFETCH(QStringList, arguments);
    const Result r = Cli(arguments);
    QCOMPARE(r.code, 2);
    QVERIFY(r.err.startsWith("radioprog-cli: "));
    QVERIFY(r.out.isEmpty());

    // A file too short to be a data file is unreadable too.
    QTemporaryDir dir;
    const QString stub = dir.filePath("stub.tw");
    QFile f(stub);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(100, 0));
    f.close();
    const Result shortFile = Cli({"show", stub});
    QCOMPARE(shortFile.code, 2);
    QVERIFY(shortFile.err.contains("holds 100 bytes"));
}

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
