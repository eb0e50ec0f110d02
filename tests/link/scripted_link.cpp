#include "scripted_link.h"

#include <algorithm>

namespace radio::test {

void ScriptedLink::Expect(const QByteArray& written, const QByteArray& answer, int delayMs)
{
    m_steps.push_back({written, answer, delayMs, false});
}

void ScriptedLink::ExpectFailedWrite(const QByteArray& written)
{
    m_steps.push_back({written, {}, 0, true});
}

int ScriptedLink::Write(const std::uint8_t* bytes, int count)
{
    const QByteArray data(reinterpret_cast<const char*>(bytes), count);
    m_writes << data;
    if (m_steps.empty()) {
        m_unexpected << data;
        return count;  // nobody listens: the bytes leave, no answer comes
    }
    const Step step = m_steps.front();
    m_steps.pop_front();
    if (step.expect != data) {
        m_unexpected << data;
    }
    if (step.failWrite) {
        return 0;
    }
    for (char c : step.answer) {
        m_input.push_back({m_now + step.delayMs, std::uint8_t(c)});
    }
    return count;
}

int ScriptedLink::Read(std::uint8_t* buffer, int count)
{
    m_now += 2;
    const qint64 deadline = m_now + m_timeoutMs;
    int got = 0;
    qint64 lastAt = m_now;
    while (got < count && !m_input.empty() && m_input.front().at <= deadline) {
        lastAt = std::max(lastAt, m_input.front().at);
        buffer[got++] = m_input.front().byte;
        m_input.pop_front();
    }
    m_now = got == count ? lastAt : deadline;
    m_reads << ReadEvent{count, m_timeoutMs, got};
    return got;
}

void ScriptedLink::Purge()
{
    ++m_purges;
    while (!m_input.empty() && m_input.front().at <= m_now) {
        m_input.pop_front();
    }
}

void ScriptedLink::Sleep(int ms)
{
    m_sleeps << ms;
    m_now += ms;
}

}  // namespace radio::test
