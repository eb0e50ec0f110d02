// A radio line in memory whose answers are the fuzzer's bytes. Each write the program
// makes is answered by the next record of the input: a length byte L and then L bytes,
// which become readable at once; L = 0xFF makes that write fail instead (0 bytes
// taken). Once the input is used up, writes go out and nothing answers. Time is
// virtual: reads that wait for missing bytes and the protocol's pauses move a clock,
// so a whole transfer with every time-out runs in microseconds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "link/byte_link.h"

namespace radio::test {

class FuzzLink : public ByteLink {
public:
    static constexpr std::uint8_t kFailWrite = 0xFF;

    FuzzLink(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    // What happened on the line, in order: the program's writes (all bytes it handed
    // over, failed ones included) and the bytes each of its reads took.
    struct Event {
        bool write;
        bool failed;  // a write that took 0 bytes
        std::vector<std::uint8_t> bytes;
    };

    int Write(const std::uint8_t* bytes, int count) override;
    int Read(std::uint8_t* buffer, int count) override;
    void Purge() override { m_input.clear(); }
    void SetReadTimeout(int ms) override { m_timeoutMs = ms; }
    int ReadTimeout() const override { return m_timeoutMs; }
    void Sleep(int ms) override { m_nowMs += ms; }

    const std::vector<Event>& Events() const { return m_events; }
    long long NowMs() const { return m_nowMs; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
    std::deque<std::uint8_t> m_input;
    std::vector<Event> m_events;
    int m_timeoutMs = 1000;
    long long m_nowMs = 0;
};

}  // namespace radio::test
