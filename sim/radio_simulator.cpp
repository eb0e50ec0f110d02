#include "sim/radio_simulator.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace radio::sim {

namespace {

// A command that stops half-way is forgotten after this much silence.
constexpr auto kPartialCommandTimeout = std::chrono::milliseconds(200);
// How often a closed terminal is looked at for the next session.
constexpr auto kReopenPoll = std::chrono::milliseconds(5);
constexpr auto kIdlePoll = std::chrono::milliseconds(500);

QString SystemError(const char* what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

timespec ToTimespec(std::chrono::nanoseconds d)
{
    if (d.count() < 0) {
        d = std::chrono::nanoseconds(0);
    }
    timespec ts{};
    ts.tv_sec = time_t(d.count() / 1'000'000'000);
    ts.tv_nsec = long(d.count() % 1'000'000'000);
    return ts;
}

}  // namespace

RadioSimulator::RadioSimulator(const SimConfig& config)
    : m_config(config),
      m_machine(config.hasMemory ? config.memory : FactoryMemory(config.bandLower, config.model),
                config.bandLower, config.model, config.faults)
{
    if (config.identity) {
        m_machine.SetIdentity(*config.identity);
    }
}

RadioSimulator::~RadioSimulator()
{
    Stop();
}

int RadioSimulator::BandUpper() const
{
    const Band band = BandOfLower(m_config.bandLower);
    return band.upper != 0 ? band.upper : 470;
}

bool RadioSimulator::Start(QString* error)
{
    const auto fail = [&](const QString& why) {
        if (error) {
            *error = why;
        }
        Stop();
        return false;
    };
    int slave = -1;
    char name[256] = {};
    if (::openpty(&m_master, &slave, name, nullptr, nullptr) != 0) {
        m_master = -1;
        return fail(SystemError("openpty"));
    }
    m_devicePath = QString::fromLocal8Bit(name);
    // Raw from the start, so that nothing is echoed or translated before a client has
    // set the line up; the settings outlive the closing of this descriptor.
    termios tio{};
    if (::tcgetattr(slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::cfsetispeed(&tio, B9600);
        ::cfsetospeed(&tio, B9600);
        tio.c_cflag |= CSTOPB;
        ::tcsetattr(slave, TCSANOW, &tio);
    }
    // Without a client the master sees a hang-up: that is how sessions are told apart.
    ::close(slave);
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    if (::pipe2(m_wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        m_wake[0] = m_wake[1] = -1;
        return fail(SystemError("pipe"));
    }
    if (!m_config.linkPath.isEmpty()) {
        const QByteArray link = QFile::encodeName(m_config.linkPath);
        const QFileInfo info(m_config.linkPath);
        if (info.isSymLink()) {
            ::unlink(link.constData());
        } else if (info.exists()) {
            const QString why =
                QStringLiteral("%1 exists and is not a link").arg(m_config.linkPath);
            m_config.linkPath.clear();
            return fail(why);
        }
        if (::symlink(name, link.constData()) != 0) {
            const QString why = SystemError("symlink");
            m_config.linkPath.clear();
            return fail(why);
        }
    }
    m_stop = false;
    m_thread = std::thread([this] { Loop(); });
    return true;
}

void RadioSimulator::Stop()
{
    if (m_thread.joinable()) {
        m_stop = true;
        const char wake = 1;
        [[maybe_unused]] const ssize_t ignored = ::write(m_wake[1], &wake, 1);
        m_thread.join();
    }
    if (!m_config.linkPath.isEmpty()) {
        const QByteArray link = QFile::encodeName(m_config.linkPath);
        if (QFileInfo(m_config.linkPath).isSymLink()) {
            ::unlink(link.constData());
        }
        m_config.linkPath.clear();
    }
    for (int* fd : {&m_master, &m_wake[0], &m_wake[1]}) {
        if (*fd >= 0) {
            ::close(*fd);
            *fd = -1;
        }
    }
}

RadioMemory RadioSimulator::Memory() const
{
    std::lock_guard lock(m_mutex);
    return m_machine.Memory();
}

void RadioSimulator::SetMemory(const RadioMemory& memory)
{
    std::lock_guard lock(m_mutex);
    m_machine = RadioMachine(memory, m_config.bandLower, m_config.model, m_config.faults);
    if (m_config.identity) {
        m_machine.SetIdentity(*m_config.identity);
    }
}

std::vector<SimEvent> RadioSimulator::Events() const
{
    std::lock_guard lock(m_mutex);
    return m_machine.Events();
}

void RadioSimulator::ClearEvents()
{
    std::lock_guard lock(m_mutex);
    m_machine.ClearEvents();
}

void RadioSimulator::SetFaults(const SimFaults& faults)
{
    std::lock_guard lock(m_mutex);
    m_config.faults = faults;
    m_machine.SetFaults(faults);
}

long RadioSimulator::BytesReceived() const
{
    std::lock_guard lock(m_mutex);
    return m_bytesReceived;
}

long RadioSimulator::BytesSent() const
{
    std::lock_guard lock(m_mutex);
    return m_bytesSent;
}

void RadioSimulator::ClearCounters()
{
    std::lock_guard lock(m_mutex);
    m_bytesReceived = 0;
    m_bytesSent = 0;
}

int RadioSimulator::Ends() const
{
    std::lock_guard lock(m_mutex);
    return m_machine.Ends();
}

bool RadioSimulator::WaitForEnds(int count, int timeoutMs) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [&] { return m_machine.Ends() >= count; });
}

QString RadioSimulator::SaveError() const
{
    std::lock_guard lock(m_mutex);
    return m_saveError;
}

void RadioSimulator::Save()
{
    const RadioMemory memory = Memory();
    QString error;
    const bool ok = m_config.savePath.isEmpty() ||
                    SaveMemory(m_config.savePath, m_config.saveFormat, memory, m_config.bandLower,
                               BandUpper(), m_config.model, error);
    std::lock_guard lock(m_mutex);
    m_saveError = ok ? QString() : error;
}

void RadioSimulator::Loop()
{
    std::deque<Timed> received;  // bytes still on their way in, with the time they land
    std::deque<Timed> sending;   // answer bytes, with the time they have crossed the line
    Clock::time_point lastIn{};
    Clock::time_point lastOut{};
    Clock::time_point lastByteAt = Clock::now();
    bool connected = false;
    bool hungUp = false;
    std::vector<std::uint8_t> answer;
    std::vector<std::uint8_t> outgoing;
    int endsSeen = 0;
    Clock::time_point deafUntil{};

    // One received byte to the radio, with m_mutex held; its answer lands in `answer`.
    // A radio restarting after a session hears nothing until `deafUntil`.
    const auto feed = [&](const Timed& in) {
        answer.clear();
        ++m_bytesReceived;
        if (in.due < deafUntil) {
            return;
        }
        const int endsBefore = m_machine.Ends();
        m_machine.Receive(in.byte, answer);
        if (m_machine.Ends() != endsBefore && m_config.faults.restartMs > 0) {
            deafUntil = in.due + std::chrono::milliseconds(m_config.faults.restartMs);
        }
    };

    const auto hangUp = [&] {
        std::lock_guard lock(m_mutex);
        // What the client wrote before it closed the port still reaches the radio
        // (the end byte is usually the last thing before a close); answers to it
        // have nobody to go to.
        for (const Timed& in : received) {
            feed(in);
        }
        if (connected) {
            m_machine.Hangup();
        }
        connected = false;
        hungUp = true;
        received.clear();
        sending.clear();
        outgoing.clear();
    };

    while (!m_stop.load()) {
        Clock::time_point now = Clock::now();

        // Bytes that have fully arrived go to the radio; its answers are timed from
        // the moment the command was complete.
        bool ended = false;
        bool partial = false;
        {
            std::lock_guard lock(m_mutex);
            while (!received.empty() && received.front().due <= now) {
                const Timed in = received.front();
                received.pop_front();
                feed(in);
                if (m_config.faults.echo) {
                    // The cable's echo does not wait for the radio's answers.
                    const Timed echo{in.due, in.byte};
                    sending.insert(std::upper_bound(sending.begin(), sending.end(), echo,
                                                    [](const Timed& a, const Timed& b) {
                                                        return a.due < b.due;
                                                    }),
                                   echo);
                }
                Clock::time_point at = std::max(
                    in.due + std::chrono::milliseconds(m_machine.AnswerDelayMs()), lastOut);
                // A doubled acknowledgement leaves in one write: paced byte by byte, a
                // late wake-up of this thread could split the pair by several ms, which
                // a radio's UART never does.
                const bool doubled =
                    m_config.faults.doubleAck && answer.size() == 2 && answer[0] == answer[1];
                for (std::size_t i = 0; i < answer.size(); ++i) {
                    const std::uint8_t b = answer[i];
                    if (m_config.pacing && !(doubled && i == 1)) {
                        at += kByteTime;
                    }
                    sending.push_back({at, b});
                    lastOut = at;
                }
            }
            if (received.empty() && m_machine.HasPartialCommand() &&
                now - lastByteAt > kPartialCommandTimeout) {
                m_machine.DropPartialCommand();
            }
            partial = m_machine.HasPartialCommand();
            ended = m_machine.Ends() != endsSeen;
            endsSeen = m_machine.Ends();
        }
        if (ended) {
            Save();
            m_changed.notify_all();
        }

        // Answer bytes whose time has come go out.
        while (!sending.empty() && sending.front().due <= now) {
            outgoing.push_back(sending.front().byte);
            sending.pop_front();
        }
        if (!outgoing.empty() && connected) {
            const ssize_t n = ::write(m_master, outgoing.data(), outgoing.size());
            if (n > 0) {
                outgoing.erase(outgoing.begin(), outgoing.begin() + n);
                std::lock_guard lock(m_mutex);
                m_bytesSent += long(n);
            } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
                hangUp();
            }
        }

        // Sleep until the next byte is due, something arrives, or Stop.
        auto wait = std::chrono::duration_cast<std::chrono::nanoseconds>(kIdlePoll);
        const auto until = [&](Clock::time_point t) {
            wait = std::min(wait, std::chrono::duration_cast<std::chrono::nanoseconds>(t - now));
        };
        if (!received.empty()) {
            until(received.front().due);
        }
        if (!sending.empty()) {
            until(sending.front().due);
        }
        if (received.empty() && partial) {
            until(lastByteAt + kPartialCommandTimeout + std::chrono::milliseconds(1));
        }
        pollfd fds[2] = {{m_wake[0], POLLIN, 0}, {m_master, POLLIN, 0}};
        if (!outgoing.empty()) {
            fds[1].events |= POLLOUT;
        }
        if (hungUp) {
            // Nobody has the terminal open: look again a little later.
            fds[1].fd = -1;
            wait =
                std::min(wait, std::chrono::duration_cast<std::chrono::nanoseconds>(kReopenPoll));
            hungUp = false;
        }
        const timespec ts = ToTimespec(wait);
        if (::ppoll(fds, 2, &ts, nullptr) < 0) {
            continue;
        }
        if (fds[0].revents & POLLIN) {
            char drain[16];
            while (::read(m_wake[0], drain, sizeof drain) > 0) {
            }
        }
        if (fds[1].fd < 0) {
            continue;
        }
        if (fds[1].revents & POLLIN) {
            connected = true;
            std::uint8_t buffer[256];
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n > 0) {
                now = Clock::now();
                lastByteAt = now;
                for (ssize_t i = 0; i < n; ++i) {
                    Clock::time_point due = now;
                    if (m_config.pacing) {
                        due = std::max(now, lastIn) + kByteTime;
                    }
                    lastIn = due;
                    received.push_back({due, buffer[i]});
                }
            } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
                hangUp();
            }
        } else if (fds[1].revents & (POLLHUP | POLLERR)) {
            hangUp();
        } else {
            connected = true;
        }
    }
}

}  // namespace radio::sim
