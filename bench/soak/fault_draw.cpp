#include "bench/soak/fault_draw.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "link/block_plan.h"
#include "link/protocol.h"

namespace radio::soak {

namespace {

using sim::kAnyAddress;
using sim::kNoAddress;
using sim::SimFaults;

struct Chunk {
    int address;
    QString step;  // "block 0x0120, quarter 1"
};

std::vector<Chunk> Chunks(int channelBlocks)
{
    std::vector<Chunk> chunks;
    for (const QuarterPlan& plan : WriteOrder(channelBlocks)) {
        for (int q = 0; q < plan.quarters; ++q) {
            chunks.push_back({(DefaultAddress(plan.block) + wire::kChunkSize * q) & 0xFFFF,
                              QStringLiteral("%1, quarter %2").arg(BlockText(plan.block)).arg(q)});
        }
    }
    return chunks;
}

std::vector<Block> VerifyOrder(int channelBlocks)
{
    std::vector<Block> blocks;
    for (const QuarterPlan& plan : WriteOrder(channelBlocks)) {
        blocks.push_back(plan.block);
    }
    return blocks;
}

// Bytes the radio hears of a session up to its steps: the entry code, the identity
// request and its acknowledgement; then 5 per block read (the command and the final
// acknowledgement) or 20 per chunk written; then the end byte.
constexpr int kEntryBytes = int(wire::kEntryCode.size());
constexpr int kOpeningBytes = kEntryBytes + 2;
constexpr int kBlockBytes = 4 + 1;
constexpr int kChunkBytes = wire::kChunkCommandSize;

int WriteSessionBytes(int chunks)
{
    return kOpeningBytes + kChunkBytes * chunks + 1;
}

bool Matches(int fault, int address)
{
    return fault == kAnyAddress || fault == address;
}

// How a session fails, and so how long the failure takes.
enum class Failure {
    None,
    EntryNoAnswer,
    Refused,
    Echo,
    Identity,
    BlockHeader,   // the answer names another block: seen at once
    BlockTimeout,  // the answer or its acknowledgement is missing
    ChunkNoAnswer,
    ChunkRefused,
    Mismatch,
};

struct SessionEnd {
    Failure failure = Failure::None;
    QString detail;
    bool lateBefore = false;  // a late acknowledgement was waited for before it
};

// Entry and identity, with `heard` bytes left before the line goes dead.
SessionEnd Opening(const SimFaults& f, long heard)
{
    if (f.echo) {
        return {Failure::Echo, QString()};
    }
    if (f.entrySilent || heard < kEntryBytes) {
        return {Failure::EntryNoAnswer, QString()};
    }
    if (f.entryNak) {
        return {Failure::Refused, QString()};
    }
    if (f.shortIdentity || heard < kOpeningBytes) {
        return {Failure::Identity, QStringLiteral("identity")};
    }
    return {};
}

SessionEnd ReadSession(const SimFaults& f, long heard, const std::vector<Block>& blocks)
{
    SessionEnd end = Opening(f, heard);
    if (end.failure != Failure::None) {
        return end;
    }
    for (std::size_t k = 0; k < blocks.size(); ++k) {
        const int address = DefaultAddress(blocks[k]);
        const long before = kOpeningBytes + kBlockBytes * long(k);
        Failure failure = Failure::None;
        if (heard < before + 4) {
            failure = Failure::BlockTimeout;  // the command is never heard whole
        } else if (Matches(f.wrongAddress, address)) {
            failure = Failure::BlockHeader;
        } else if (Matches(f.shortBlock, address) || Matches(f.noBlockAck, address) ||
                   heard < before + kBlockBytes) {
            failure = Failure::BlockTimeout;
        }
        if (failure != Failure::None) {
            return {failure, BlockText(blocks[k])};
        }
    }
    return {};
}

SessionEnd WriteSession(const SimFaults& f, long heard, const std::vector<Chunk>& chunks)
{
    SessionEnd end = Opening(f, heard);
    if (end.failure != Failure::None) {
        return end;
    }
    for (std::size_t i = 0; i < chunks.size(); ++i) {
        const int address = chunks[i].address;
        const bool silent = heard < kOpeningBytes + kChunkBytes * long(i + 1) ||
                            Matches(f.silentFrom, address) || Matches(f.chunkSilent, address) ||
                            (Matches(f.chunkLate, address) && f.lateRepeats >= wire::kChunkSends);
        if (silent) {
            return {Failure::ChunkNoAnswer, chunks[i].step + QStringLiteral(", not answered"),
                    end.lateBefore};
        }
        if (Matches(f.chunkNak, address)) {
            return {Failure::ChunkRefused, chunks[i].step + QStringLiteral(", refused"),
                    end.lateBefore};
        }
        end.lateBefore = end.lateBefore || Matches(f.lateAck, address);
    }
    return {};
}

// The bounds are those of the transfer tests for the same failures. The lower bound
// is what the protocol must wait before it may give up: 200 ms before programming
// mode; 500 ms and three times 100 ms for the entry's answers; 550 ms for any later
// answer; four sends of a chunk, each waiting 2 + 550 ms, 50 ms apart. The upper
// bound is generous: a loaded machine is slow, not stuck.
struct Bounds {
    int atLeastMs;
    int atMostMs;
};

Bounds BoundsOf(Failure failure)
{
    switch (failure) {
    case Failure::EntryNoAnswer: return {1000, 5000};
    case Failure::Identity: return {550, 4000};
    case Failure::BlockTimeout: return {750, 4000};
    case Failure::ChunkNoAnswer: return {2350, 7000};
    case Failure::Refused:
    case Failure::Echo:
    case Failure::BlockHeader:
    case Failure::ChunkRefused:
    case Failure::Mismatch:
    case Failure::None: break;
    }
    return {200, 3000};
}

TransferError::Kind KindOf(Failure failure)
{
    switch (failure) {
    case Failure::None: return TransferError::Kind::None;
    case Failure::EntryNoAnswer: return TransferError::Kind::NoAnswer;
    case Failure::Refused: return TransferError::Kind::Refused;
    case Failure::Echo: return TransferError::Kind::Echo;
    case Failure::Mismatch: return TransferError::Kind::VerifyMismatch;
    case Failure::Identity:
    case Failure::BlockHeader:
    case Failure::BlockTimeout:
    case Failure::ChunkNoAnswer:
    case Failure::ChunkRefused: break;
    }
    return TransferError::Kind::LinkFault;
}

int Pick(std::mt19937& random, int from, int to)
{
    return std::uniform_int_distribution<int>(from, to)(random);
}

template <typename T>
const T& PickOf(std::mt19937& random, const std::vector<T>& items)
{
    return items[std::size_t(Pick(random, 0, int(items.size()) - 1))];
}

QString At(int address)
{
    return address == kAnyAddress ? QStringLiteral("every address") : AddressText(address);
}

}  // namespace

const char* TransferName(SoakTransfer transfer)
{
    switch (transfer) {
    case SoakTransfer::Read: return "read";
    case SoakTransfer::Write: return "write";
    case SoakTransfer::WriteVerify: return "write+verify";
    }
    return "";
}

DrawnFault DrawFault(std::mt19937& random, SoakTransfer transfer, int channelBlocks)
{
    const std::vector<Chunk> chunks = Chunks(channelBlocks);
    std::vector<int> blockAddresses;
    for (int b = 0; b < kBlockCount; ++b) {
        blockAddresses.push_back(DefaultAddress(Block(b)));
    }
    const int chunk = PickOf(random, chunks).address;
    const int block = PickOf(random, blockAddresses);
    const int lastChunk = chunks.back().address;

    DrawnFault d;
    SimFaults& f = d.faults;
    enum class Switch {
        EntrySilent,
        EntryNak,
        ShortIdentity,
        WrongAddress,
        ShortBlock,
        NoBlockAck,
        ChunkSilent,
        ChunkLate,
        ChunkNak,
        LateAck,
        LateAckThenNak,
        LateAckThenSilence,
        DoubleAck,
        DoubleAckThenNak,
        DoubleAckThenSilence,
        SilentFrom,
        Echo,
        DeadAfter,
        CorruptWrite,
        Restart,
        Count
    };
    const auto which = Switch(Pick(random, 0, int(Switch::Count) - 1));
    switch (which) {
    case Switch::EntrySilent:
        f.entrySilent = true;
        d.name = QStringLiteral("no answer to the entry code");
        break;
    case Switch::EntryNak:
        f.entryNak = true;
        d.name = QStringLiteral("NAK to the entry code");
        break;
    case Switch::ShortIdentity:
        f.shortIdentity = true;
        d.name = QStringLiteral("short identity");
        break;
    case Switch::WrongAddress:
        f.wrongAddress = block;
        d.name = QStringLiteral("wrong block address at %1").arg(At(block));
        break;
    case Switch::ShortBlock:
        f.shortBlock = block;
        d.name = QStringLiteral("short block at %1").arg(At(block));
        break;
    case Switch::NoBlockAck:
        f.noBlockAck = block;
        d.name = QStringLiteral("no final ACK at %1").arg(At(block));
        break;
    case Switch::ChunkSilent:
        f.chunkSilent = chunk;
        d.name = QStringLiteral("chunk never answered at %1").arg(At(chunk));
        break;
    case Switch::ChunkLate:
        f.chunkLate = chunk;
        f.lateRepeats = Pick(random, 1, wire::kChunkSends + 1);
        d.name = QStringLiteral("chunk at %1 answered after %2 sends")
                     .arg(At(chunk))
                     .arg(f.lateRepeats + 1);
        break;
    case Switch::ChunkNak:
        f.chunkNak = chunk;
        d.name = QStringLiteral("chunk NAK at %1").arg(At(chunk));
        break;
    case Switch::LateAck:
        f.lateAck = chunk;
        d.name = QStringLiteral("late acknowledgement at %1").arg(At(chunk));
        break;
    case Switch::LateAckThenNak:
    case Switch::LateAckThenSilence: {
        // Late before the last chunk, so that the last one's failure comes after it.
        const int late = chunks[std::size_t(Pick(random, 0, int(chunks.size()) - 2))].address;
        f.lateAck = late;
        const bool nak = which == Switch::LateAckThenNak;
        (nak ? f.chunkNak : f.silentFrom) = lastChunk;
        d.name = QStringLiteral("late acknowledgement at %1, then %2 of the last chunk")
                     .arg(At(late), nak ? QStringLiteral("a NAK") : QStringLiteral("silence"));
        break;
    }
    case Switch::DoubleAck:
        f.doubleAck = true;
        d.name = QStringLiteral("doubled acknowledgements");
        break;
    case Switch::DoubleAckThenNak:
        f.doubleAck = true;
        f.chunkNak = chunk;
        d.name = QStringLiteral("doubled acknowledgements, then a NAK at %1").arg(At(chunk));
        break;
    case Switch::DoubleAckThenSilence:
        f.doubleAck = true;
        f.silentFrom = chunk;
        d.name = QStringLiteral("doubled acknowledgements, then silence from %1").arg(At(chunk));
        break;
    case Switch::SilentFrom:
        f.silentFrom = chunk;
        d.name = QStringLiteral("silence from %1").arg(At(chunk));
        break;
    case Switch::Echo:
        f.echo = true;
        d.name = QStringLiteral("echoing cable");
        break;
    case Switch::DeadAfter: {
        // Up to the last byte before the transfer's last end byte.
        const int blocks = kOpeningBytes + kBlockBytes * int(ReadOrder(channelBlocks).size());
        const int writes = WriteSessionBytes(int(chunks.size()));
        const int verify = kOpeningBytes + kBlockBytes * int(VerifyOrder(channelBlocks).size());
        const int last = transfer == SoakTransfer::Read    ? blocks - 1
                         : transfer == SoakTransfer::Write ? writes - 2
                                                           : writes + verify - 1;
        f.deadAfter = Pick(random, 0, last);
        d.name = QStringLiteral("line dead after %1 bytes").arg(f.deadAfter);
        break;
    }
    case Switch::CorruptWrite: {
        if (Pick(random, 0, 3) == 0) {
            f.corruptWrite = kAnyAddress;
        } else {
            f.corruptWrite = chunk + Pick(random, 0, wire::kChunkSize - 1);
        }
        d.name = QStringLiteral("byte stored wrong at %1").arg(At(f.corruptWrite));
        break;
    }
    case Switch::Restart:
        // Shorter than the verify's window for the entry, so that it is waited for.
        f.restartMs = Pick(random, 100, 2000);
        d.name = QStringLiteral("radio restarting for %1 ms after each end").arg(f.restartMs);
        break;
    case Switch::Count: break;
    }
    return d;
}

Outcome ExpectedOutcome(const SimFaults& faults, SoakTransfer transfer, int channelBlocks,
                        bool paced)
{
    const std::vector<Chunk> chunks = Chunks(channelBlocks);
    const long heard = faults.deadAfter >= 0 ? faults.deadAfter : LONG_MAX;
    SessionEnd end;
    bool verifying = false;
    if (transfer == SoakTransfer::Read) {
        end = ReadSession(faults, heard, ReadOrder(channelBlocks));
    } else {
        end = WriteSession(faults, heard, chunks);
        if (end.failure == Failure::None && transfer == SoakTransfer::WriteVerify) {
            // The verify runs on the same open line: a dead line stays dead, and the
            // bytes it heard count on from the write's.
            verifying = true;
            const long left =
                heard == LONG_MAX ? heard : heard - WriteSessionBytes(int(chunks.size()));
            end = ReadSession(faults, std::max(left, -1L), VerifyOrder(channelBlocks));
            if (end.failure == Failure::None && faults.corruptWrite != kNoAddress) {
                end.failure = Failure::Mismatch;
            }
        }
    }

    Outcome out;
    out.restartMs = faults.restartMs;
    if (transfer != SoakTransfer::Read) {
        out.flipped = faults.corruptWrite;
    }
    if (end.failure == Failure::None) {
        return out;
    }
    out.fails = true;
    out.kind = KindOf(end.failure);
    out.detail = end.detail;
    out.verifying = verifying;
    Bounds bounds = BoundsOf(end.failure);
    if (verifying) {
        // The whole write comes first, and the verify tries its entry for 3 s.
        bounds.atLeastMs += 200;
        bounds.atMostMs += 3000;
        if (end.failure == Failure::EntryNoAnswer) {
            bounds = {3200, 12000};
        }
    }
    if (end.lateBefore) {
        // The tests' 700 ms acknowledgement, waited for on the way.
        bounds.atLeastMs += faults.lateAckMs - 200;
        bounds.atMostMs += 2000;
    }
    if (paced) {
        bounds.atMostMs += 5000;  // a whole write and read back at 9600 baud
    }
    out.atLeastMs = bounds.atLeastMs;
    out.atMostMs = bounds.atMostMs;
    return out;
}

}  // namespace radio::soak
