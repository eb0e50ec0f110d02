#include "sim/radio_machine.h"

#include <algorithm>

namespace radio::sim {

namespace {
constexpr int kShortIdentity = 5;
constexpr int kShortBlockCut = 40;
}  // namespace

bool SimFaults::Any() const
{
    return entrySilent || entryNak || shortIdentity || wrongAddress != kNoAddress ||
           shortBlock != kNoAddress || noBlockAck != kNoAddress || chunkSilent != kNoAddress ||
           chunkLate != kNoAddress || chunkNak != kNoAddress || deadAfter >= 0 ||
           corruptWrite != kNoAddress || restartMs > 0 || lateAck != kNoAddress || doubleAck ||
           silentFrom != kNoAddress || echo;
}

RadioMachine::RadioMachine(const RadioMemory& memory, int bandLower, int model,
                           const SimFaults& faults)
    : m_memory(memory), m_faults(faults)
{
    m_identity.fill(0xFF);
    EncodeIdentity(m_identity.data(), bandLower, model);
}

bool RadioMachine::Matches(int faultAddress, int address)
{
    return faultAddress == kAnyAddress || faultAddress == address;
}

void RadioMachine::Hangup()
{
    m_state = State::Idle;
    m_pending = Pending::None;
    m_command.clear();
    m_entryWindow.clear();
    m_chunkSends.clear();
    m_received = 0;
    m_dead = false;
}

bool RadioMachine::EntryCodeSeen(std::uint8_t byte)
{
    m_entryWindow.push_back(byte);
    if (m_entryWindow.size() > wire::kEntryCode.size()) {
        m_entryWindow.erase(m_entryWindow.begin());
    }
    return std::equal(m_entryWindow.begin(), m_entryWindow.end(), wire::kEntryCode.begin(),
                      wire::kEntryCode.end());
}

void RadioMachine::StartSession(std::vector<std::uint8_t>& out)
{
    m_entryWindow.clear();
    m_command.clear();
    m_pending = Pending::None;
    m_chunkSends.clear();
    const bool accept = !m_faults.entrySilent && !m_faults.entryNak;
    m_events.push_back({SimEvent::Kind::Entry, 0, accept});
    if (m_faults.entrySilent) {
        return;
    }
    if (m_faults.entryNak) {
        out.push_back(wire::kNak);
        m_state = State::Idle;
        return;
    }
    out.push_back(wire::kAck);
    m_state = State::Programming;
}

void RadioMachine::Receive(std::uint8_t byte, std::vector<std::uint8_t>& out)
{
    m_answerDelayMs = 0;
    const std::size_t before = out.size();
    Answer(byte, out);
    if (m_faults.doubleAck && out.size() == before + 1 &&
        (out.back() == wire::kAck || out.back() == wire::kNak)) {
        out.push_back(out.back());
    }
}

void RadioMachine::Answer(std::uint8_t byte, std::vector<std::uint8_t>& out)
{
    if (m_dead) {
        return;
    }
    ++m_received;
    if (m_faults.deadAfter >= 0 && m_received > m_faults.deadAfter) {
        m_dead = true;
        return;
    }

    if (m_state == State::Idle) {
        if (EntryCodeSeen(byte)) {
            StartSession(out);
        }
        return;
    }

    if (m_command.empty()) {
        switch (byte) {
        case wire::kIdentityRequest: {
            m_entryWindow.clear();
            const int count = m_faults.shortIdentity ? kShortIdentity : wire::kIdentitySize;
            out.insert(out.end(), m_identity.begin(), m_identity.begin() + count);
            m_events.push_back({SimEvent::Kind::Identity, 0, !m_faults.shortIdentity});
            m_pending = Pending::IdentityAck;
            return;
        }
        case wire::kAck: {
            m_entryWindow.clear();
            const bool answer =
                m_pending == Pending::IdentityAck ||
                (m_pending == Pending::BlockAck && !Matches(m_faults.noBlockAck, m_pendingAddress));
            if (answer) {
                out.push_back(wire::kAck);
            }
            m_pending = Pending::None;
            return;
        }
        case wire::kRead:
        case wire::kWrite: m_command.push_back(byte); return;
        case wire::kEnd:
            m_events.push_back({SimEvent::Kind::End, 0, true});
            ++m_ends;
            m_state = State::Idle;
            m_pending = Pending::None;
            m_entryWindow.clear();
            return;
        default:
            // Anything else is noise, unless it completes a new entry code.
            if (EntryCodeSeen(byte)) {
                StartSession(out);
            }
            return;
        }
    }

    m_command.push_back(byte);
    if (m_command.size() == 4) {
        const std::uint8_t expected =
            m_command[0] == wire::kRead ? wire::kBlockLength : wire::kChunkLength;
        if (m_command[3] != expected) {
            m_command.clear();  // not a command this radio knows
            return;
        }
        if (m_command[0] == wire::kRead) {
            AnswerBlockRead(out);
            m_command.clear();
        }
        return;
    }
    if (m_command.size() == std::size_t(wire::kChunkCommandSize)) {
        AnswerChunk(out);
        m_command.clear();
    }
}

void RadioMachine::AnswerBlockRead(std::vector<std::uint8_t>& out)
{
    const int address = m_command[1] << 8 | m_command[2];
    int answerAddress = address;
    if (Matches(m_faults.wrongAddress, address)) {
        answerAddress = (address + kBlockDataSize) % kMemorySize;
    }
    out.push_back(wire::kWrite);
    out.push_back(std::uint8_t(answerAddress >> 8));
    out.push_back(std::uint8_t(answerAddress));
    out.push_back(wire::kBlockLength);
    int count = kBlockDataSize;
    if (Matches(m_faults.shortBlock, address)) {
        count -= kShortBlockCut;
    }
    for (int j = 0; j < count; ++j) {
        out.push_back(m_memory[std::size_t((answerAddress + j) % kMemorySize)]);
    }
    m_events.push_back({SimEvent::Kind::BlockRead, address, true});
    m_pending = Pending::BlockAck;
    m_pendingAddress = address;
}

void RadioMachine::AnswerChunk(std::vector<std::uint8_t>& out)
{
    const int address = m_command[1] << 8 | m_command[2];
    const int sends = ++m_chunkSends[address];
    if (Matches(m_faults.silentFrom, address)) {
        m_dead = true;  // until the port is closed
        m_events.push_back({SimEvent::Kind::ChunkWrite, address, false});
        return;
    }
    if (sends == 1 && Matches(m_faults.lateAck, address)) {
        m_answerDelayMs = m_faults.lateAckMs;
    }
    bool answer = true;
    if (Matches(m_faults.chunkSilent, address)) {
        answer = false;
    } else if (Matches(m_faults.chunkLate, address) && sends <= m_faults.lateRepeats) {
        answer = false;
    }
    if (answer && Matches(m_faults.chunkNak, address)) {
        out.push_back(wire::kNak);
        m_events.push_back({SimEvent::Kind::ChunkWrite, address, false});
        return;
    }
    m_events.push_back({SimEvent::Kind::ChunkWrite, address, answer});
    if (!answer) {
        return;
    }
    for (int j = 0; j < wire::kChunkSize; ++j) {
        m_memory[std::size_t((address + j) % kMemorySize)] = m_command[std::size_t(4 + j)];
    }
    if (m_faults.corruptWrite == kAnyAddress) {
        m_memory[std::size_t(address % kMemorySize)] ^= 0x01;
    } else if (m_faults.corruptWrite >= 0) {
        // Where the faulty byte lies within the chunk, with addresses wrapping at 1024.
        const int offset =
            ((m_faults.corruptWrite - address) % kMemorySize + kMemorySize) % kMemorySize;
        if (offset < wire::kChunkSize) {
            m_memory[std::size_t(m_faults.corruptWrite)] ^= 0x01;
        }
    }
    out.push_back(wire::kAck);
}

}  // namespace radio::sim
