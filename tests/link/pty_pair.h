// A bare pseudo-terminal for serial port tests: the test plays the far end on the
// master side and the port under test opens the slave device.
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace radio::test {

class PtyPair {
public:
    PtyPair()
    {
        int slave = -1;
        char name[256] = {};
        if (::openpty(&m_master, &slave, name, nullptr, nullptr) == 0) {
            termios tio{};
            ::tcgetattr(slave, &tio);
            ::cfmakeraw(&tio);
            ::tcsetattr(slave, TCSANOW, &tio);
            ::close(slave);
            ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
            m_device = QString::fromLocal8Bit(name);
        }
    }
    ~PtyPair()
    {
        if (m_master >= 0) {
            ::close(m_master);
        }
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool IsValid() const { return m_master >= 0; }
    const QString& Device() const { return m_device; }
    int Master() const { return m_master; }

    void Send(const QByteArray& bytes) const
    {
        [[maybe_unused]] const ssize_t n =
            ::write(m_master, bytes.constData(), size_t(bytes.size()));
    }
    // Whatever the port has written, waiting up to `ms` for the first byte.
    QByteArray Receive(int ms = 1000) const
    {
        QByteArray out;
        QElapsedTimer timer;
        timer.start();
        for (;;) {
            pollfd fd{m_master, POLLIN, 0};
            const int left = int(ms - timer.elapsed());
            if (::poll(&fd, 1, out.isEmpty() ? std::max(left, 0) : 20) <= 0 ||
                !(fd.revents & POLLIN)) {
                return out;
            }
            char buffer[256];
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n <= 0) {
                return out;
            }
            out.append(buffer, int(n));
        }
    }

private:
    int m_master = -1;
    QString m_device;
};

}  // namespace radio::test
