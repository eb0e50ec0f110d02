// The program's access to the programming cable: one serial device opened
// exclusively at 9600 baud, 8 data bits, no parity, two stop bits, DTR on, and used
// synchronously on the calling thread. Reads are bounded by a total time-out (1000 ms
// until the protocol changes it), so a silent or vanished radio never blocks a read.
#pragma once

#include <QString>
#include <memory>

#include "link/byte_link.h"

class QSerialPort;

namespace radio {

// Why a port did not open.
enum class PortOpenFailure {
    None,
    NotFound,    // no device stands for the name, or the device does not exist
    Permission,  // the device exists but this user may not open it
    Busy,        // another program holds the device
    Other,
};

class CSerialPort : public ByteLink {
public:
    static constexpr int kBaudRate = 9600;
    static constexpr int kQueueSize = 512;
    static constexpr int kDefaultReadTimeoutMs = 1000;
    // The write time-out: 2000 ms per byte plus 2 ms.
    static constexpr int kWriteTimeoutPerByteMs = 2000;
    static constexpr int kWriteTimeoutConstantMs = 2;

    CSerialPort();
    ~CSerialPort() override;
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // `name` is "COM1".."COM10" (resolved to its device) or a device path. While the
    // port is open this returns true at once and stays on the device it has.
    bool Open(const QString& name);
    bool Close();
    void CloseIfOpen();
    bool IsOpen() const { return m_open; }

    // The device of the last Open (whether it opened or not) and why it failed.
    const QString& Device() const { return m_device; }
    PortOpenFailure OpenFailure() const { return m_failure; }
    const QString& OpenFailureDetail() const { return m_failureDetail; }
    // While open: empty when the device reports 9600 baud, 8 data bits, no parity and
    // two stop bits; otherwise what it reports instead ("115200 baud, 1 stop bit").
    QString LineSettingsProblem() const;

    int Write(const std::uint8_t* bytes, int count) override;
    int Read(std::uint8_t* buffer, int count) override;
    void Purge() override;
    void SetReadTimeout(int ms) override { m_readTimeoutMs = ms; }
    int ReadTimeout() const override { return m_readTimeoutMs; }
    void Sleep(int ms) override;

private:
    void Fail(PortOpenFailure failure, const QString& detail);

    // Created by Open and deleted by Close on the thread that uses the port, so that
    // its notifiers belong to that thread.
    std::unique_ptr<QSerialPort> m_port;
    bool m_open = false;
    int m_readTimeoutMs = kDefaultReadTimeoutMs;
    QString m_device;
    PortOpenFailure m_failure = PortOpenFailure::None;
    QString m_failureDetail;
};

}  // namespace radio
