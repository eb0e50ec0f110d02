// A serial line in memory for protocol tests. Each write must match the next step of
// a script, which then makes its answer readable (after a delay, if given). Time is
// virtual: reads, time-outs and waits move a clock, so a test checks every wait the
// protocol makes without spending it.
#pragma once

#include <QByteArray>
#include <QList>
#include <cstdint>
#include <deque>

#include "link/byte_link.h"

namespace radio::test {

class ScriptedLink : public ByteLink {
public:
    struct Step {
        QByteArray expect;
        QByteArray answer;
        int delayMs = 0;
        bool failWrite = false;
    };
    struct ReadEvent {
        int count;
        int timeoutMs;
        int got;
    };

    // The next write must be `written`; `answer` becomes readable `delayMs` later.
    void Expect(const QByteArray& written, const QByteArray& answer = {}, int delayMs = 0);
    // The next write must be `written`, and it fails (0 bytes taken).
    void ExpectFailedWrite(const QByteArray& written);

    int Write(const std::uint8_t* bytes, int count) override;
    int Read(std::uint8_t* buffer, int count) override;
    void Purge() override;
    void SetReadTimeout(int ms) override { m_timeoutMs = ms; }
    int ReadTimeout() const override { return m_timeoutMs; }
    void Sleep(int ms) override;

    qint64 Now() const { return m_now; }
    const QList<QByteArray>& Writes() const { return m_writes; }
    const QList<ReadEvent>& Reads() const { return m_reads; }
    const QList<int>& Sleeps() const { return m_sleeps; }
    // Writes that did not match their step, or came after the script had ended.
    const QList<QByteArray>& Unexpected() const { return m_unexpected; }
    bool ScriptDone() const { return m_steps.empty(); }
    int Purges() const { return m_purges; }

private:
    struct Pending {
        qint64 at;
        std::uint8_t byte;
    };

    std::deque<Step> m_steps;
    std::deque<Pending> m_input;
    qint64 m_now = 0;
    int m_timeoutMs = 1000;
    QList<QByteArray> m_writes;
    QList<ReadEvent> m_reads;
    QList<int> m_sleeps;
    QList<QByteArray> m_unexpected;
    int m_purges = 0;
};

}  // namespace radio::test
