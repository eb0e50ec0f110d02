#include "link/serial_port.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QSerialPort>
#include <QStringList>
#include <chrono>
#include <thread>

#include "link/port_names.h"

#ifdef Q_OS_UNIX
#include <termios.h>
#include <unistd.h>
#endif

namespace radio {

namespace {

// QSerialPort reports both "permission denied" and "in use" (its lock file, or the
// exclusive flag of a terminal) as a permission error; a device that this user may
// read and write was refused because somebody else holds it.
PortOpenFailure ClassifyPermissionError(const QString& device)
{
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(device);
    if (::access(path.constData(), R_OK | W_OK) != 0) {
        return PortOpenFailure::Permission;
    }
    return PortOpenFailure::Busy;
#else
    Q_UNUSED(device);
    return PortOpenFailure::Busy;
#endif
}

}  // namespace

CSerialPort::CSerialPort() = default;

CSerialPort::~CSerialPort()
{
    CloseIfOpen();
}

void CSerialPort::Fail(PortOpenFailure failure, const QString& detail)
{
    m_failure = failure;
    m_failureDetail = detail;
    m_port.reset();
    m_open = false;
}

bool CSerialPort::Open(const QString& name)
{
    if (m_open) {
        return true;
    }
    m_failure = PortOpenFailure::None;
    m_failureDetail.clear();
    const int number = PortNumberOf(name);
    m_device = number > 0 ? ResolvePortDevice(number) : name;
    if (m_device.isEmpty()) {
        Fail(PortOpenFailure::NotFound, QString());
        return false;
    }
#ifdef Q_OS_UNIX
    if (!QFileInfo::exists(m_device)) {
        Fail(PortOpenFailure::NotFound, QString());
        return false;
    }
#endif

    m_port = std::make_unique<QSerialPort>();
    m_port->setPortName(m_device);
    m_port->setBaudRate(kBaudRate);
    m_port->setDataBits(QSerialPort::Data8);
    m_port->setParity(QSerialPort::NoParity);
    m_port->setStopBits(QSerialPort::TwoStop);
    // The closest Qt has to the driver's queue sizes: the buffer it reads ahead into.
    m_port->setReadBufferSize(kQueueSize);
    // QSerialPort opens exclusively: a lock file and, on a terminal, TIOCEXCL.
    if (!m_port->open(QIODevice::ReadWrite)) {
        const QSerialPort::SerialPortError error = m_port->error();
        const QString detail = m_port->errorString();
        switch (error) {
        case QSerialPort::DeviceNotFoundError: Fail(PortOpenFailure::NotFound, detail); break;
        case QSerialPort::PermissionError: Fail(ClassifyPermissionError(m_device), detail); break;
        default: Fail(PortOpenFailure::Other, detail); break;
        }
        return false;
    }
    // A pseudo-terminal has no DTR line; like the other settings, a refusal does not
    // make the port unusable.
    m_port->setDataTerminalReady(true);
    m_port->clearError();
    m_readTimeoutMs = kDefaultReadTimeoutMs;
    m_open = true;
    return true;
}

bool CSerialPort::Close()
{
    if (m_port) {
        m_port->close();
        m_port.reset();
    }
    m_open = false;
    return true;
}

void CSerialPort::CloseIfOpen()
{
    if (m_open) {
        Close();
    }
}

int CSerialPort::Write(const std::uint8_t* bytes, int count)
{
    if (!m_open || count <= 0) {
        return 0;
    }
    const qint64 queued = m_port->write(reinterpret_cast<const char*>(bytes), count);
    if (queued <= 0) {
        return 0;
    }
    QDeadlineTimer deadline(qint64(kWriteTimeoutPerByteMs) * count + kWriteTimeoutConstantMs,
                            Qt::PreciseTimer);
    while (m_port->bytesToWrite() > 0) {
        const qint64 left = deadline.remainingTime();
        if (left <= 0) {
            break;
        }
        if (!m_port->waitForBytesWritten(int(left))) {
            const QSerialPort::SerialPortError error = m_port->error();
            if (error == QSerialPort::ResourceError || error == QSerialPort::WriteError ||
                error == QSerialPort::ReadError) {
                break;  // the device went away or hung up
            }
        }
    }
    const qint64 pending = m_port->bytesToWrite();
    if (pending > 0) {
        // Whatever did not leave in time must not go out later in the middle of
        // another exchange.
        m_port->clear(QSerialPort::Output);
    }
    return int(queued - pending);
}

int CSerialPort::Read(std::uint8_t* buffer, int count)
{
    Sleep(2);
    if (!m_open || count <= 0) {
        return 0;
    }
    QDeadlineTimer deadline(m_readTimeoutMs, Qt::PreciseTimer);
    int got = 0;
    for (;;) {
        const qint64 n = m_port->read(reinterpret_cast<char*>(buffer) + got, count - got);
        if (n > 0) {
            got += int(n);
        }
        if (got >= count) {
            break;
        }
        const qint64 left = deadline.remainingTime();
        if (left <= 0) {
            break;
        }
        if (!m_port->waitForReadyRead(int(left))) {
            const QSerialPort::SerialPortError error = m_port->error();
            if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError) {
                break;  // the device went away or hung up: nothing more will come
            }
            m_port->clearError();
            if (error != QSerialPort::TimeoutError && m_port->bytesAvailable() == 0) {
                Sleep(1);  // a spurious wake-up must not turn into a busy loop
            }
        }
    }
    return got;
}

QString CSerialPort::LineSettingsProblem() const
{
    if (!m_open) {
        return QStringLiteral("not open");
    }
#ifdef Q_OS_UNIX
    // What the driver holds, not what was asked of it.
    termios tio{};
    if (::tcgetattr(int(m_port->handle()), &tio) != 0) {
        return QStringLiteral("the line settings cannot be read");
    }
    QStringList wrong;
    if (::cfgetospeed(&tio) != B9600) {
        wrong << QStringLiteral("another speed than 9600 baud");
    }
    if ((tio.c_cflag & CSIZE) != CS8) {
        wrong << QStringLiteral("fewer than 8 data bits");
    }
    if (tio.c_cflag & PARENB) {
        wrong << QStringLiteral("parity on");
    }
    if (!(tio.c_cflag & CSTOPB)) {
        wrong << QStringLiteral("1 stop bit");
    }
    return wrong.join(QStringLiteral(", "));
#else
    return QString();
#endif
}

void CSerialPort::Purge()
{
    if (m_open) {
        m_port->clear(QSerialPort::Input);
    }
}

void CSerialPort::Sleep(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace radio
