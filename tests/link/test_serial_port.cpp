// The serial port over real pseudo-terminals: line settings, open and close rules,
// the bounded read, purge, and why an open failed; and the port names.
#include <QtTest>

#include "link/port_names.h"
#include "link/serial_port.h"
#include "pty_pair.h"

#include <sys/stat.h>

using namespace radio;
using radio::test::PtyPair;

class TestSerialPort : public QObject {
    Q_OBJECT
private slots:
    void opensWithTheRadioLineSettings();
    void openWhileOpenStaysOnItsDevice();
    void missingDeviceDoesNotOpen_data();
    void missingDeviceDoesNotOpen();
    void afterCloseAnotherDeviceOpens();
    void heldDeviceIsBusy();
    void unreadableDeviceIsRefusedForPermission();
    void writeReachesTheFarEnd();
    void readReturnsAsSoonAsTheCountHasArrived();
    void readReturnsTheShortCountAfterTheTimeout();
    void readWaitsTwoMillisecondsFirst();
    void purgeDropsWhatArrivedBefore();
    void readAndWriteOnAClosedPortDoNothing();
    void farEndGoneEndsTheReadEarly();

    void portNumbers_data();
    void portNumbers();
    void portNamesComeFromTheEnvironment();
};

void TestSerialPort::opensWithTheRadioLineSettings()
{
    PtyPair pty;
    QVERIFY(pty.IsValid());
    CSerialPort port;
    QVERIFY(port.Open(pty.Device()));
    QVERIFY(port.IsOpen());
    QCOMPARE(port.Device(), pty.Device());
    QCOMPARE(port.ReadTimeout(), 1000);
    // The master side shares the terminal's settings.
    termios tio{};
    QCOMPARE(::tcgetattr(pty.Master(), &tio), 0);
    QCOMPARE(::cfgetospeed(&tio), speed_t(B9600));
    QCOMPARE(::cfgetispeed(&tio), speed_t(B9600));
    QCOMPARE(tio.c_cflag & CSIZE, tcflag_t(CS8));
    QVERIFY(tio.c_cflag & CSTOPB);     // two stop bits
    QVERIFY(!(tio.c_cflag & PARENB));  // no parity
    QVERIFY(!(tio.c_lflag & ICANON));  // raw bytes
    QVERIFY(port.Close());
    QVERIFY(!port.IsOpen());
}

void TestSerialPort::openWhileOpenStaysOnItsDevice()
{
    PtyPair first;
    PtyPair second;
    qputenv("RADIOPROG_COM3", second.Device().toLocal8Bit());
    CSerialPort port;
    QVERIFY(port.Open(first.Device()));
    QVERIFY(port.Open(QStringLiteral("COM3")));
    QCOMPARE(port.Device(), first.Device());
    const std::uint8_t byte = 0x42;
    QCOMPARE(port.Write(&byte, 1), 1);
    QCOMPARE(first.Receive(), QByteArray("B"));
    QCOMPARE(second.Receive(50), QByteArray());
    qunsetenv("RADIOPROG_COM3");
}

void TestSerialPort::missingDeviceDoesNotOpen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("com7");
    QTest::newRow("no such path") << QStringLiteral("/dev/no-such-radio-cable") << QByteArray();
    QTest::newRow("COM7 set to a missing path")
        << QStringLiteral("COM7") << QByteArray("/nonexistent/cable");
}

void TestSerialPort::missingDeviceDoesNotOpen()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, com7);
    qputenv("RADIOPROG_COM7", com7);
    CSerialPort port;
    QVERIFY(!port.Open(name));
    QVERIFY(!port.IsOpen());
    QCOMPARE(port.OpenFailure(), PortOpenFailure::NotFound);
    port.CloseIfOpen();
    QVERIFY(!port.IsOpen());
    qunsetenv("RADIOPROG_COM7");
}

void TestSerialPort::afterCloseAnotherDeviceOpens()
{
    PtyPair first;
    PtyPair second;
    CSerialPort port;
    QVERIFY(port.Open(first.Device()));
    QVERIFY(port.Close());
    QVERIFY(port.Open(second.Device()));
    QCOMPARE(port.Device(), second.Device());
    const std::uint8_t byte = 0x43;
    port.Write(&byte, 1);
    QCOMPARE(second.Receive(), QByteArray("C"));
}

void TestSerialPort::heldDeviceIsBusy()
{
    PtyPair pty;
    CSerialPort holder;
    QVERIFY(holder.Open(pty.Device()));
    CSerialPort port;
    QVERIFY(!port.Open(pty.Device()));
    QCOMPARE(port.OpenFailure(), PortOpenFailure::Busy);
    holder.Close();
    QVERIFY(port.Open(pty.Device()));
}

void TestSerialPort::unreadableDeviceIsRefusedForPermission()
{
    if (::geteuid() == 0) {
        QSKIP("root may open any device");
    }
    PtyPair pty;
    QVERIFY(::chmod(QFile::encodeName(pty.Device()).constData(), 0) == 0);
    CSerialPort port;
    QVERIFY(!port.Open(pty.Device()));
    QCOMPARE(port.OpenFailure(), PortOpenFailure::Permission);
}

void TestSerialPort::writeReachesTheFarEnd()
{
    PtyPair pty;
    CSerialPort port;
    QVERIFY(port.Open(pty.Device()));
    const std::uint8_t bytes[] = {0x52, 0x01, 0x20, 0x40, 0x00, 0xFF};
    QCOMPARE(port.Write(bytes, 6), 6);
    QCOMPARE(pty.Receive(), QByteArray(reinterpret_cast<const char*>(bytes), 6));
}

void TestSerialPort::readReturnsAsSoonAsTheCountHasArrived()
{
    PtyPair pty;
    CSerialPort port;
    QVERIFY(port.Open(pty.Device()));
    port.SetReadTimeout(5000);
    pty.Send(QByteArray(68, 'x'));
    std::array<std::uint8_t, 68> buffer{};
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(port.Read(buffer.data(), 68), 68);
    QVERIFY2(timer.elapsed() < 2000, "the read waited for its time-out");
}

void TestSerialPort::readReturnsTheShortCountAfterTheTimeout()
{
    PtyPair pty;
    CSerialPort port;
    QVERIFY(port.Open(pty.Device()));
    port.SetReadTimeout(300);
    pty.Send(QByteArray(10, 'y'));
    std::array<std::uint8_t, 68> buffer{};
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(port.Read(buffer.data(), 68), 10);
    QVERIFY(timer.elapsed() >= 300);
    QVERIFY(timer.elapsed() < 3000);  // generous: a loaded machine is slow, not stuck
    QCOMPARE(buffer[9], std::uint8_t('y'));
}

void TestSerialPort::readWaitsTwoMillisecondsFirst()
{
    PtyPair pty;
    CSerialPort port;
    QVERIFY(port.Open(pty.Device()));
    pty.Send(QByteArray(1, 'z'));
    QTest::qWait(20);
    std::uint8_t byte = 0;
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(port.Read(&byte, 1), 1);
    QVERIFY(timer.nsecsElapsed() >= 2'000'000);
}

void TestSerialPort::purgeDropsWhatArrivedBefore()
{
    PtyPair pty;
    CSerialPort port;
    QVERIFY(port.Open(pty.Device()));
    port.SetReadTimeout(200);
    pty.Send("old");
    std::uint8_t first = 0;
    // One byte read pulls the rest into the port's own buffer: purge must drop both.
    QCOMPARE(port.Read(&first, 1), 1);
    pty.Send("er");
    QTest::qWait(20);
    port.Purge();
    pty.Send("N");
    std::array<std::uint8_t, 4> buffer{};
    QCOMPARE(port.Read(buffer.data(), 4), 1);
    QCOMPARE(buffer[0], std::uint8_t('N'));
}

void TestSerialPort::readAndWriteOnAClosedPortDoNothing()
{
    CSerialPort port;
    std::uint8_t byte = 1;
    QCOMPARE(port.Write(&byte, 1), 0);
    QCOMPARE(port.Read(&byte, 1), 0);
    port.Purge();
    port.CloseIfOpen();
    QVERIFY(!port.IsOpen());
}

void TestSerialPort::farEndGoneEndsTheReadEarly()
{
    auto pty = std::make_unique<PtyPair>();
    CSerialPort port;
    QVERIFY(port.Open(pty->Device()));
    port.SetReadTimeout(2000);
    pty.reset();  // the far end closes: the terminal hangs up
    std::array<std::uint8_t, 8> buffer{};
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(port.Read(buffer.data(), 8), 0);
    QVERIFY(timer.elapsed() < 1000);  // not the whole 2000 ms
    port.Close();
}

void TestSerialPort::portNumbers_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("number");
    QTest::newRow("COM1") << "COM1" << 1;
    QTest::newRow("com10") << "com10" << 10;
    QTest::newRow("Com5") << "Com5" << 5;
    QTest::newRow("COM11") << "COM11" << 0;
    QTest::newRow("COM0") << "COM0" << 0;
    QTest::newRow("COM01") << "COM01" << 0;
    QTest::newRow("COM") << "COM" << 0;
    QTest::newRow("space") << " COM1" << 0;
    QTest::newRow("path") << "/dev/ttyS0" << 0;
    QTest::newRow("empty") << "" << 0;
}

void TestSerialPort::portNumbers()
{
    QFETCH(QString, name);
    QFETCH(int, number);
    QCOMPARE(PortNumberOf(name), number);
    if (number > 0) {
        QCOMPARE(PortName(number), name.toUpper());
    }
}

void TestSerialPort::portNamesComeFromTheEnvironment()
{
    qputenv("RADIOPROG_COM4", "/tmp/some-cable");
    QCOMPARE(ResolvePortDevice(4), QStringLiteral("/tmp/some-cable"));
    qunsetenv("RADIOPROG_COM4");
    QCOMPARE(ResolvePortDevice(0), QString());
    QCOMPARE(ResolvePortDevice(11), QString());
    // Without the variable COMn stands for a present serial device or for nothing.
    const QString fallback = ResolvePortDevice(4);
    QVERIFY(fallback.isEmpty() || fallback.startsWith(QLatin1String("/dev/tty")));
}

QTEST_GUILESS_MAIN(TestSerialPort)
#include "test_serial_port.moc"
