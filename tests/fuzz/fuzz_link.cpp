#include "tests/fuzz/fuzz_link.h"

#include <algorithm>

namespace radio::test {

int FuzzLink::Write(const std::uint8_t* bytes, int count)
{
    Event event{true, false, std::vector<std::uint8_t>(bytes, bytes + count)};
    if (m_at < m_size) {
        const std::uint8_t length = m_data[m_at++];
        if (length == kFailWrite) {
            event.failed = true;
            m_events.push_back(std::move(event));
            return 0;
        }
        const std::size_t n = std::min<std::size_t>(length, m_size - m_at);
        m_input.insert(m_input.end(), m_data + m_at, m_data + m_at + n);
        m_at += n;
    }
    m_events.push_back(std::move(event));
    return count;
}

int FuzzLink::Read(std::uint8_t* buffer, int count)
{
    m_nowMs += 2;
    const int got = int(std::min<std::size_t>(std::size_t(std::max(count, 0)), m_input.size()));
    std::copy_n(m_input.begin(), got, buffer);
    m_input.erase(m_input.begin(), m_input.begin() + got);
    if (got < count) {
        m_nowMs += m_timeoutMs;  // the rest never came: the whole time-out passed
    }
    m_events.push_back({false, false, std::vector<std::uint8_t>(buffer, buffer + got)});
    return got;
}

}  // namespace radio::test
