// The simulated radio: its protocol machine byte by byte (faults, noise, sessions),
// its memory files, its pacing at the line speed, and the radiosim program itself.
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "config/file_reading.h"
#include "config/file_saving.h"
#include "link/port_names.h"
#include "link/protocol.h"
#include "link/serial_port.h"
#include "link/transfer_worker.h"
#include "recording_host.h"
#include "sim/radio_machine.h"
#include "sim_helpers.h"

using namespace radio;
using namespace radio::sim;
using namespace radio::test;

namespace {

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values) {
        out.append(char(v));
    }
    return out;
}

QByteArray EntryCode()
{
    return QByteArray(reinterpret_cast<const char*>(wire::kEntryCode.data()), 7);
}

// Feeds bytes to the machine and gives back everything it answered.
QByteArray Feed(RadioMachine& machine, const QByteArray& bytes)
{
    std::vector<std::uint8_t> out;
    for (char c : bytes) {
        machine.Receive(std::uint8_t(c), out);
    }
    return QByteArray(reinterpret_cast<const char*>(out.data()), int(out.size()));
}

RadioMachine Machine(const SimFaults& faults = {})
{
    return RadioMachine(PatternMemory(7), 400, 1, faults);
}

QByteArray InProgramMode(RadioMachine& machine)
{
    return Feed(machine, EntryCode());
}

QByteArray Chunk(int address, char fill)
{
    return Bytes({0x57, address >> 8, address & 0xFF, 0x10}) + QByteArray(16, fill);
}

QString Program(const QString& name)
{
    return QCoreApplication::applicationDirPath() + '/' + name;
}

}  // namespace

class TestRadioSim : public QObject {
    Q_OBJECT
private slots:
    void entryCodeAmidNoise();
    void wholeReadExchange();
    void chunkIsStoredAndAcknowledged();
    void endLeavesProgrammingMode();
    void unknownCommandsAreDropped();
    void entryCodeRestartsASession();
    void faultsAnswerAsABrokenRadioWould();
    void chunkLateCountsRepeatsPerSession();
    void deadLineComesBackWithTheNextSession();
    void corruptWriteAcknowledgesAndStoresOneWrongByte();
    void restartingRadioHearsNothingForAWhile();

    void factoryMemory();
    void memoryFiles();
    void memoryFileErrors();

    void pacedAnswersTakeTheirWireTime();
    void noiseOnTheLineDoesNotStopTheRadio();

    void programServesSessionsAndCleansUp();
    void programStartsFromADataFile();
    void programRejectsBadOptions_data();
    void programRejectsBadOptions();
    void helpListsTheFaults();
};

void TestRadioSim::entryCodeAmidNoise()
{
    RadioMachine machine = Machine();
    QCOMPARE(Feed(machine, "garbage\x01\x02\x06" + EntryCode().left(4)), QByteArray());
    QVERIFY(!machine.InProgramMode());
    QCOMPARE(Feed(machine, EntryCode()), Bytes({0x06}));
    QVERIFY(machine.InProgramMode());
}

void TestRadioSim::wholeReadExchange()
{
    RadioMachine machine = Machine();
    InProgramMode(machine);
    QCOMPARE(Feed(machine, Bytes({0x02})), QByteArray("K468\x36\x73\xFC\xFF", 8));
    QCOMPARE(Feed(machine, Bytes({0x06})), Bytes({0x06}));
    const QByteArray answer = Feed(machine, Bytes({0x52, 0x01, 0x20, 0x40}));
    QCOMPARE(answer.size(), 68);
    QCOMPARE(answer.left(4), Bytes({0x57, 0x01, 0x20, 0x40}));
    const auto expected = MemoryAt(PatternMemory(7), 0x0120);
    QCOMPARE(answer.mid(4), QByteArray(reinterpret_cast<const char*>(expected.data()), 64));
    QCOMPARE(Feed(machine, Bytes({0x06})), Bytes({0x06}));
    // A second ACK acknowledges nothing and gets no answer.
    QCOMPARE(Feed(machine, Bytes({0x06})), QByteArray());
}

void TestRadioSim::chunkIsStoredAndAcknowledged()
{
    RadioMachine machine = Machine();
    InProgramMode(machine);
    QCOMPARE(Feed(machine, Chunk(0x00F8, 'x')), Bytes({0x06}));
    QCOMPARE(machine.Memory()[0x00F8], std::uint8_t('x'));
    QCOMPARE(machine.Memory()[0x0107], std::uint8_t('x'));
    QCOMPARE(machine.Memory()[0x0108], PatternMemory(7)[0x0108]);
    // The last chunk of the memory wraps, like every address past 0x03FF.
    QCOMPARE(Feed(machine, Chunk(0x03F8, 'y')), Bytes({0x06}));
    QCOMPARE(machine.Memory()[0x0000], std::uint8_t('y'));
}

void TestRadioSim::endLeavesProgrammingMode()
{
    RadioMachine machine = Machine();
    InProgramMode(machine);
    QCOMPARE(Feed(machine, Bytes({0x45})), QByteArray());
    QCOMPARE(machine.Ends(), 1);
    QVERIFY(!machine.InProgramMode());
    QCOMPARE(Feed(machine, Bytes({0x02})), QByteArray());  // no longer answered
}

void TestRadioSim::unknownCommandsAreDropped()
{
    RadioMachine machine = Machine();
    InProgramMode(machine);
    // A read with the wrong length byte, stray bytes, then a good command.
    QCOMPARE(Feed(machine, Bytes({0x52, 0x00, 0x10, 0x41, 0x00, 0xFF, 0x33})), QByteArray());
    QCOMPARE(Feed(machine, Bytes({0x52, 0x00, 0x10, 0x40})).size(), 68);
    // A half command is dropped when the line falls silent.
    Feed(machine, Bytes({0x57, 0x00}));
    QVERIFY(machine.HasPartialCommand());
    machine.DropPartialCommand();
    QCOMPARE(Feed(machine, Chunk(0x0010, 'z')), Bytes({0x06}));
}

void TestRadioSim::entryCodeRestartsASession()
{
    RadioMachine machine = Machine();
    InProgramMode(machine);
    QCOMPARE(Feed(machine, EntryCode()), Bytes({0x06}));
    QCOMPARE(machine.Events().size(), std::size_t(2));
    QVERIFY(machine.InProgramMode());
}

void TestRadioSim::faultsAnswerAsABrokenRadioWould()
{
    SimFaults f;
    f.entrySilent = true;
    RadioMachine silent = Machine(f);
    QCOMPARE(InProgramMode(silent), QByteArray());

    f = {};
    f.entryNak = true;
    RadioMachine nak = Machine(f);
    QCOMPARE(InProgramMode(nak), Bytes({0x15}));
    QVERIFY(!nak.InProgramMode());

    f = {};
    f.shortIdentity = true;
    RadioMachine shortId = Machine(f);
    InProgramMode(shortId);
    QCOMPARE(Feed(shortId, Bytes({0x02})).size(), 5);

    f = {};
    f.wrongAddress = 0x0090;
    f.shortBlock = 0x0050;
    f.noBlockAck = 0x0010;
    RadioMachine blocks = Machine(f);
    InProgramMode(blocks);
    QCOMPARE(Feed(blocks, Bytes({0x52, 0x00, 0x90, 0x40})).left(4),
             Bytes({0x57, 0x00, 0xD0, 0x40}));
    QCOMPARE(Feed(blocks, Bytes({0x06})), Bytes({0x06}));
    QCOMPARE(Feed(blocks, Bytes({0x52, 0x00, 0x50, 0x40})).size(), 4 + 24);
    Feed(blocks, Bytes({0x06}));
    QCOMPARE(Feed(blocks, Bytes({0x52, 0x00, 0x10, 0x40})).size(), 68);
    QCOMPARE(Feed(blocks, Bytes({0x06})), QByteArray());

    f = {};
    f.chunkSilent = 0x0120;
    f.chunkNak = 0x0130;
    RadioMachine chunks = Machine(f);
    InProgramMode(chunks);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(Feed(chunks, Chunk(0x0120, 'a')), QByteArray());
    }
    QCOMPARE(chunks.Memory()[0x0120], PatternMemory(7)[0x0120]);  // never stored
    QCOMPARE(Feed(chunks, Chunk(0x0130, 'b')), Bytes({0x15}));
    QCOMPARE(chunks.Memory()[0x0130], PatternMemory(7)[0x0130]);
    QCOMPARE(Feed(chunks, Chunk(0x0140, 'c')), Bytes({0x06}));

    f = {};
    f.chunkSilent = kAnyAddress;
    RadioMachine all = Machine(f);
    InProgramMode(all);
    QCOMPARE(Feed(all, Chunk(0x0000, 'd')), QByteArray());
    QCOMPARE(Feed(all, Chunk(0x0300, 'd')), QByteArray());
}

void TestRadioSim::chunkLateCountsRepeatsPerSession()
{
    SimFaults f;
    f.chunkLate = 0x0200;
    f.lateRepeats = 2;
    RadioMachine machine = Machine(f);
    for (int session = 0; session < 2; ++session) {
        InProgramMode(machine);
        QCOMPARE(Feed(machine, Chunk(0x0200, 'e')), QByteArray());
        QCOMPARE(Feed(machine, Chunk(0x0200, 'e')), QByteArray());
        QCOMPARE(Feed(machine, Chunk(0x0200, 'e')), Bytes({0x06}));
        Feed(machine, Bytes({0x45}));
    }
}

void TestRadioSim::deadLineComesBackWithTheNextSession()
{
    SimFaults f;
    f.deadAfter = 8;  // the entry code and the identity request
    RadioMachine machine = Machine(f);
    QCOMPARE(InProgramMode(machine), Bytes({0x06}));
    QCOMPARE(Feed(machine, Bytes({0x02})).size(), 8);
    QCOMPARE(Feed(machine, Bytes({0x06})), QByteArray());
    QVERIFY(machine.IsDead());
    QCOMPARE(InProgramMode(machine), QByteArray());
    machine.Hangup();
    QVERIFY(!machine.IsDead());
    QCOMPARE(InProgramMode(machine), Bytes({0x06}));
}

void TestRadioSim::corruptWriteAcknowledgesAndStoresOneWrongByte()
{
    SimFaults f;
    f.corruptWrite = 0x0203;
    RadioMachine one = Machine(f);
    InProgramMode(one);
    QCOMPARE(Feed(one, Chunk(0x01F0, 'a')), Bytes({0x06}));  // 0x0203 is not in it
    QCOMPARE(Feed(one, Chunk(0x0200, 'b')), Bytes({0x06}));
    QCOMPARE(one.Memory()[0x0202], std::uint8_t('b'));
    QCOMPARE(one.Memory()[0x0203], std::uint8_t('b' ^ 1));
    QCOMPARE(one.Memory()[0x0204], std::uint8_t('b'));
    QCOMPARE(one.Memory()[0x01FF], std::uint8_t('a'));

    f.corruptWrite = kAnyAddress;
    RadioMachine every = Machine(f);
    InProgramMode(every);
    Feed(every, Chunk(0x0120, 'c'));
    Feed(every, Chunk(0x03C0, 'd'));
    QCOMPARE(every.Memory()[0x0120], std::uint8_t('c' ^ 1));
    QCOMPARE(every.Memory()[0x0121], std::uint8_t('c'));
    QCOMPARE(every.Memory()[0x03C0], std::uint8_t('d' ^ 1));
}

void TestRadioSim::restartingRadioHearsNothingForAWhile()
{
    SimConfig config = FastRadio(400, 1);
    config.faults.restartMs = 600;
    auto radio = StartRadio(config);
    QVERIFY(radio);
    CSerialPort port;
    QVERIFY(port.Open(radio->DevicePath()));
    // The first session is answered; right after its end byte the entry is not.
    QVERIFY(EnterProgramMode(port, 0));
    QVERIFY(SendEnd(port));
    QVERIFY(radio->WaitForEnds(1, 5000));
    QElapsedTimer timer;
    timer.start();
    EntryResult result = EntryResult::Accepted;
    QVERIFY(!EnterProgramMode(port, 0, &result));  // 200 ms settle + 500 ms wait
    QCOMPARE(result, EntryResult::NoAnswer);
    // Once the restart is over, it answers again.
    while (timer.elapsed() < 650) {
        QTest::qWait(10);
    }
    QVERIFY(EnterProgramMode(port, 0));
    QVERIFY(SendEnd(port));
    QVERIFY(radio->WaitForEnds(2, 5000));
    // The two sessions' entries and ends; the unheard entry left no trace.
    const std::vector<SimEvent> expected = {{SimEvent::Kind::Entry, 0, true},
                                            {SimEvent::Kind::End, 0, true},
                                            {SimEvent::Kind::Entry, 0, true},
                                            {SimEvent::Kind::End, 0, true}};
    QVERIFY(radio->Events() == expected);
}

void TestRadioSim::factoryMemory()
{
    const RadioMemory memory = FactoryMemory(440, 0);
    const RadioData defaults;
    const RadioData image = RecordOf(memory, 440, 480, 0);
    QCOMPARE(image.block(Block::B0120).data, defaults.block(Block::B0120).data);
    // Block 0x0110 owns its first quarter; the rest of it is block 0x0120.
    QVERIFY(std::equal(defaults.block(Block::B0110).data.begin(),
                       defaults.block(Block::B0110).data.begin() + 16,
                       image.block(Block::B0110).data.begin()));
    QVERIFY(std::equal(defaults.block(Block::B0120).data.begin(),
                       defaults.block(Block::B0120).data.begin() + 48,
                       image.block(Block::B0110).data.begin() + 16));
    for (int i = 0; i < 32; ++i) {
        QVERIFY(image.Channel(i).IsErased());
    }
    // Identity of a 440-480 MHz, 32-channel radio, and empty channel masks.
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(memory.data()) + 0x01B8, 8),
             QByteArray("K468\x37\x33\xF8\xFF", 8));
    QCOMPARE(memory[0x0160 + 28], std::uint8_t(0));
    QCOMPARE(memory[0x01B8 + 12], std::uint8_t(0));
    QCOMPARE(memory[0x0160], std::uint8_t(1));  // a scan default
}

void TestRadioSim::memoryFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    RadioData record;
    record.Channel(3).SetRxFrequency(0x14512500);
    record.block(Block::Channel7).Fill(0x77);  // each block goes to its fixed address
    const QString tw = dir.filePath("radio.tw");
    QVERIFY(SaveDataFile(tw, record).ok());
    RadioMemory memory = FactoryMemory(400, 1);
    RadioData loaded;
    QString error;
    QVERIFY(LoadMemory(tw, MemoryFormat::DataFile, memory, &loaded, error));
    QCOMPARE(memory[0x0300], std::uint8_t(0x77));
    QCOMPARE(memory[0x0380], FactoryMemory(400, 1)[0x0380]);
    QCOMPARE(RecordOf(memory, 400, 470, 1).Channel(3).RxFrequency(), 0x14512500u);

    // Saved in both forms and read back.
    const QString raw = dir.filePath("memory.bin");
    QCOMPARE(FormatOfName(raw), MemoryFormat::Raw);
    QCOMPARE(FormatOfName(tw), MemoryFormat::DataFile);
    QVERIFY(SaveMemory(raw, MemoryFormat::Raw, memory, 400, 470, 1, error));
    QCOMPARE(QFileInfo(raw).size(), 1024);
    RadioMemory back{};
    QVERIFY(LoadMemory(raw, MemoryFormat::Raw, back, nullptr, error));
    QCOMPARE(back, memory);
    const QString saved = dir.filePath("saved.tw");
    QVERIFY(SaveMemory(saved, MemoryFormat::DataFile, memory, 136, 174, 0, error));
    RadioData file;
    QVERIFY(LoadDataFile(saved, file).ok());
    QCOMPARE(file.bandLower, 136);
    QCOMPARE(file.model, 0);
    QCOMPARE(file.Channel(3).RxFrequency(), 0x14512500u);
}

void TestRadioSim::memoryFileErrors()
{
    QTemporaryDir dir;
    RadioMemory memory = FactoryMemory(400, 1);
    const RadioMemory before = memory;
    QString error;
    QVERIFY(
        !LoadMemory(dir.filePath("missing.tw"), MemoryFormat::DataFile, memory, nullptr, error));
    QVERIFY(!error.isEmpty());
    QFile small(dir.filePath("small.bin"));
    QVERIFY(small.open(QIODevice::WriteOnly));
    small.write(QByteArray(900, 0));
    small.close();
    QVERIFY(!LoadMemory(small.fileName(), MemoryFormat::Raw, memory, nullptr, error));
    QVERIFY(error.contains(QLatin1String("1024")));
    QVERIFY(!LoadMemory(small.fileName(), MemoryFormat::DataFile, memory, nullptr, error));
    QCOMPARE(memory, before);
}

void TestRadioSim::pacedAnswersTakeTheirWireTime()
{
    SimConfig config = FastRadio(400, 1);
    config.pacing = true;
    auto radio = StartRadio(config);
    QVERIFY(radio);
    CSerialPort port;
    QVERIFY(port.Open(radio->DevicePath()));
    QVERIFY(EnterProgramMode(port, 3));
    Identity identity{};
    QVERIFY(ReadIdentity(port, identity));
    // A block read: 4 bytes out, 68 back, about 1.146 ms each.
    std::array<std::uint8_t, 64> block{};
    QElapsedTimer timer;
    timer.start();
    QVERIFY(ReadBlock(port, 0x01, 0x20, block.data()));
    const qint64 ms = timer.elapsed();
    QVERIFY2(ms >= 4 + 68 + 1 + 1 - 2, qPrintable(QString::number(ms)));
    QVERIFY2(ms < 1000, qPrintable(QString::number(ms)));  // generous on a loaded machine
    QVERIFY(SendEnd(port));
}

void TestRadioSim::noiseOnTheLineDoesNotStopTheRadio()
{
    auto radio = StartRadio(FastRadio(400, 1));
    QVERIFY(radio);
    {
        CSerialPort port;
        QVERIFY(port.Open(radio->DevicePath()));
        QByteArray noise;
        for (int i = 0; i < 3000; ++i) {
            noise.append(char((i * 37 + 11) & 0xFF));
        }
        QCOMPARE(
            port.Write(reinterpret_cast<const std::uint8_t*>(noise.constData()), int(noise.size())),
            int(noise.size()));
    }
    RadioData record;
    RecordingHost host(record);
    CTransferWorker worker;
    worker.Init(&host, record);
    worker.SetDeviceOverride(radio->DevicePath());
    QVERIFY(worker.SetMode(TransferMode::Read));
    worker.Run();
    QCOMPARE(host.reads, 1);
}

void TestRadioSim::programServesSessionsAndCleansUp()
{
    QTemporaryDir dir;
    const QString link = dir.filePath("com1");
    const QString saved = dir.filePath("memory.bin");
    QProcess radiosim;
    radiosim.start(Program("radiosim"), {"--no-pacing", "--channels", "32", "--band", "136",
                                         "--link", link, "--save", saved});
    QVERIFY(radiosim.waitForStarted());
    QVERIFY(radiosim.waitForReadyRead(10000));
    const QString device = QString::fromLocal8Bit(radiosim.readLine()).trimmed();
    QVERIFY(device.startsWith(QLatin1String("/dev/")));
    QCOMPARE(QFileInfo(link).symLinkTarget(), device);

    qputenv("RADIOPROG_COM1", link.toLocal8Bit());
    RadioData record;
    RecordingHost host(record);
    CTransferWorker worker;
    worker.Init(&host, record);
    for (int i = 0; i < 2; ++i) {
        QVERIFY(worker.SetMode(TransferMode::Read));
        worker.Run();
    }
    qunsetenv("RADIOPROG_COM1");
    QCOMPARE(host.reads, 2);
    QCOMPARE(record.bandLower, 136);
    QCOMPARE(record.model, 0);
    QTRY_COMPARE(QFileInfo(saved).size(), 1024);

    radiosim.terminate();  // SIGTERM
    QVERIFY(radiosim.waitForFinished(10000));
    QCOMPARE(radiosim.exitStatus(), QProcess::NormalExit);
    QCOMPARE(radiosim.exitCode(), 0);
    QVERIFY(!QFileInfo(link).isSymLink());
}

void TestRadioSim::programStartsFromADataFile()
{
    QTemporaryDir dir;
    RadioData record;
    record.bandLower = 350;
    record.bandUpper = 370;
    record.model = 1;
    record.Channel(0).SetRxFrequency(0x35012500);
    const QString tw = dir.filePath("start.tw");
    QVERIFY(SaveDataFile(tw, record).ok());
    QProcess radiosim;
    radiosim.start(Program("radiosim"), {"--no-pacing", "--memory", tw});
    QVERIFY(radiosim.waitForReadyRead(10000));
    const QString device = QString::fromLocal8Bit(radiosim.readLine()).trimmed();

    RadioData read;
    RecordingHost host(read);
    CTransferWorker worker;
    worker.Init(&host, read);
    worker.SetDeviceOverride(device);
    QVERIFY(worker.SetMode(TransferMode::Read));
    worker.Run();
    QCOMPARE(host.reads, 1);
    QCOMPARE(read.bandLower, 350);  // the file's band and model
    QCOMPARE(read.Channel(0).RxFrequency(), 0x35012500u);
    radiosim.terminate();
    QVERIFY(radiosim.waitForFinished(10000));
    QCOMPARE(radiosim.exitCode(), 0);
}

void TestRadioSim::programRejectsBadOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("unknown band") << QStringList{"--band", "123"};
    QTest::newRow("unknown model") << QStringList{"--channels", "20"};
    QTest::newRow("missing memory file") << QStringList{"--memory", "/nonexistent/x.tw"};
    QTest::newRow("bad address") << QStringList{"--chunk-silent", "0x999"};
    QTest::newRow("bad identity") << QStringList{"--identity", "4B3436"};
    QTest::newRow("unknown option") << QStringList{"--frobnicate"};
    QTest::newRow("bad corrupt address") << QStringList{"--corrupt-write", "0x400"};
    QTest::newRow("negative restart") << QStringList{"--restart-ms", "-5"};
}

void TestRadioSim::programRejectsBadOptions()
{
    QFETCH(QStringList, arguments);
    QProcess radiosim;
    radiosim.start(Program("radiosim"), arguments);
    QVERIFY(radiosim.waitForFinished(10000));
    QCOMPARE(radiosim.exitCode(), 2);
    QVERIFY(!radiosim.readAllStandardError().isEmpty());
}

void TestRadioSim::helpListsTheFaults()
{
    QProcess radiosim;
    radiosim.start(Program("radiosim"), {"--help"});
    QVERIFY(radiosim.waitForFinished(10000));
    QCOMPARE(radiosim.exitCode(), 0);
    const QByteArray help = radiosim.readAllStandardOutput();
    for (const char* option : {"--no-entry-answer", "--chunk-silent <ADDR>", "--dead-after <N>",
                               "--corrupt-write <ADDR>", "--restart-ms <MS>"}) {
        QVERIFY2(help.contains(option), option);
    }
}

QTEST_GUILESS_MAIN(TestRadioSim)
#include "test_radiosim.moc"
