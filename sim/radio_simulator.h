// A simulated radio on a pseudo-terminal. It runs on a thread of its own, answers
// the programming protocol through RadioMachine, and by default keeps the pace of
// the real line: 9600 baud with 8 data bits and two stop bits, 11 bit times or about
// 1.146 ms per byte in both directions. A command counts as received only once its
// last byte would have crossed the wire, and answers leave one byte per byte time.
// It serves any number of sessions: each opening of the device is a new session.
#pragma once

#include <QString>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "sim/radio_machine.h"
#include "sim/sim_memory.h"

namespace radio::sim {

struct SimConfig {
    int bandLower = 400;  // the band the radio reports: 136, 400, 440, 450, 350 or 370
    int model = 1;        // the model it reports: 1 = 16 channels, 0 = 32 channels
    bool pacing = true;
    bool hasMemory = false;  // start from `memory` instead of the factory image
    RadioMemory memory{};
    SimFaults faults;
    std::optional<Identity> identity;  // reported instead of the band's and model's
    QString linkPath;                  // a symbolic link to the device, made by Start
    QString savePath;                  // where the memory goes after each end byte
    MemoryFormat saveFormat = MemoryFormat::Raw;
};

// Line time of one byte at 9600 baud, 8N2: 11 bits.
constexpr std::chrono::nanoseconds kByteTime{11'000'000'000LL / 9600};

class RadioSimulator {
public:
    explicit RadioSimulator(const SimConfig& config);
    ~RadioSimulator();
    RadioSimulator(const RadioSimulator&) = delete;
    RadioSimulator& operator=(const RadioSimulator&) = delete;

    // Opens the pseudo-terminal, makes the link and starts answering.
    bool Start(QString* error = nullptr);
    // Stops the thread, closes the terminal and removes the link.
    void Stop();

    // The terminal's device path ("/dev/pts/7").
    QString DevicePath() const { return m_devicePath; }
    // Where clients should open it: the link when there is one, else the device.
    QString PortPath() const
    {
        return m_config.linkPath.isEmpty() ? m_devicePath : m_config.linkPath;
    }
    int BandLower() const { return m_config.bandLower; }
    int BandUpper() const;
    int Model() const { return m_config.model; }

    RadioMemory Memory() const;
    void SetMemory(const RadioMemory& memory);
    std::vector<SimEvent> Events() const;
    void ClearEvents();
    void SetFaults(const SimFaults& faults);
    // Bytes received and sent since the counters were last cleared.
    long BytesReceived() const;
    long BytesSent() const;
    void ClearCounters();
    // End bytes received so far; waits until there are `count` of them.
    int Ends() const;
    bool WaitForEnds(int count, int timeoutMs) const;
    // The last save that failed, if any.
    QString SaveError() const;

private:
    using Clock = std::chrono::steady_clock;
    struct Timed {
        Clock::time_point due;
        std::uint8_t byte;
    };

    void Loop();
    void Save();

    SimConfig m_config;
    QString m_devicePath;
    int m_master = -1;
    int m_wake[2] = {-1, -1};
    std::thread m_thread;
    std::atomic<bool> m_stop{false};

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    RadioMachine m_machine;  // guarded by m_mutex
    long m_bytesReceived = 0;
    long m_bytesSent = 0;
    QString m_saveError;
};

}  // namespace radio::sim
