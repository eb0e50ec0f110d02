// The simulated radio's side of the programming protocol, without any timing: bytes
// go in one at a time, answers come out. Faults can be switched on to make it answer
// the way a broken radio or cable would.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "link/protocol.h"
#include "sim/sim_memory.h"

namespace radio::sim {

// An address of a block or chunk that a fault applies to; kAnyAddress for all.
constexpr int kNoAddress = -1;
constexpr int kAnyAddress = -2;

struct SimFaults {
    bool entrySilent = false;       // no answer to the entry code
    bool entryNak = false;          // a NAK to the entry code
    bool shortIdentity = false;     // only 5 of the 8 identity bytes
    int wrongAddress = kNoAddress;  // the answer to this block names another block
    int shortBlock = kNoAddress;    // the answer to this block is 40 bytes short
    int noBlockAck = kNoAddress;    // no final 0x06 after this block
    int chunkSilent = kNoAddress;   // this chunk is never answered
    int chunkLate = kNoAddress;     // this chunk is answered only after `lateRepeats` repeats
    int lateRepeats = 1;
    int chunkNak = kNoAddress;  // this chunk is answered with a NAK
    // The first answer to this chunk in a session comes `lateAckMs` late; the radio
    // answers nothing else meanwhile (a repeat of the chunk is answered after it).
    int lateAck = kNoAddress;
    int lateAckMs = 700;
    bool doubleAck = false;       // every one-byte answer (0x06 or NAK) is sent twice
    int silentFrom = kNoAddress;  // from this chunk on the radio answers nothing more
    bool echo = false;            // the cable returns every byte sent (timed by the simulator)
    long deadAfter = -1;          // the line goes dead after this many received bytes
    // The byte at this address is stored with its lowest bit flipped whenever a chunk
    // writes it; the chunk is acknowledged all the same (kAnyAddress: the first byte
    // of every chunk).
    int corruptWrite = kNoAddress;
    // After each end byte the radio hears nothing for this long, as a radio that
    // restarts after programming (timed by the simulator, not by RadioMachine).
    int restartMs = 0;

    bool Any() const;
};

// One thing the radio saw, for tests and the log.
struct SimEvent {
    enum class Kind { Entry, Identity, BlockRead, ChunkWrite, End };
    Kind kind;
    int address = 0;        // block or chunk address
    bool answered = false;  // the radio acknowledged it (entry, chunk) or sent it (identity, block)
    bool operator==(const SimEvent& o) const
    {
        return kind == o.kind && address == o.address && answered == o.answered;
    }
};

class RadioMachine {
public:
    RadioMachine(const RadioMemory& memory, int bandLower, int model, const SimFaults& faults);

    // One received byte; the answer, if any, is appended to `out`.
    void Receive(std::uint8_t byte, std::vector<std::uint8_t>& out);
    // The line was closed or has been silent: a half-received command is dropped.
    void DropPartialCommand() { m_command.clear(); }
    // The port was closed: back to waiting for the entry code; a dead line comes back.
    void Hangup();
    bool HasPartialCommand() const { return !m_command.empty(); }

    const RadioMemory& Memory() const { return m_memory; }
    const Identity& RadioIdentity() const { return m_identity; }
    const std::vector<SimEvent>& Events() const { return m_events; }
    void ClearEvents() { m_events.clear(); }
    // Counts end bytes received; the runner saves the memory when it grows.
    int Ends() const { return m_ends; }
    bool InProgramMode() const { return m_state == State::Programming; }
    bool IsDead() const { return m_dead; }
    void SetFaults(const SimFaults& faults) { m_faults = faults; }
    // Reports these 8 bytes instead of the identity of its band and model.
    void SetIdentity(const Identity& identity) { m_identity = identity; }
    // How long the answer of the last Receive is held back (late acknowledgement).
    int AnswerDelayMs() const { return m_answerDelayMs; }

private:
    enum class State { Idle, Programming };
    enum class Pending { None, IdentityAck, BlockAck };

    void StartSession(std::vector<std::uint8_t>& out);
    bool EntryCodeSeen(std::uint8_t byte);
    void AnswerBlockRead(std::vector<std::uint8_t>& out);
    void AnswerChunk(std::vector<std::uint8_t>& out);
    void Answer(std::uint8_t byte, std::vector<std::uint8_t>& out);
    static bool Matches(int faultAddress, int address);

    RadioMemory m_memory;
    Identity m_identity{};
    SimFaults m_faults;
    State m_state = State::Idle;
    Pending m_pending = Pending::None;
    int m_pendingAddress = 0;
    std::vector<std::uint8_t> m_command;
    std::vector<std::uint8_t> m_entryWindow;
    std::map<int, int> m_chunkSends;  // sends of each chunk address in this session
    std::vector<SimEvent> m_events;
    long m_received = 0;  // bytes received since the port was opened
    int m_answerDelayMs = 0;
    bool m_dead = false;
    int m_ends = 0;
};

}  // namespace radio::sim
