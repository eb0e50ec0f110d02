#include "link/verify_session.h"

#include <array>
#include <chrono>

#include "link/block_plan.h"
#include "link/protocol.h"

namespace radio {

namespace {

constexpr int kEntryRetries = 3;

qint64 SteadyMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Addresses are 16 bits on the wire; a quarter's chunk address carries into the
// high byte like WriteQuarter's.
int ByteAddress(Block block, int offset)
{
    return (DefaultAddress(block) + offset) & 0xFFFF;
}

}  // namespace

VerifySession::VerifySession(ByteLink& link, const RadioData& written, Clock clock)
    : m_link(link), m_written(written), m_clock(clock ? std::move(clock) : Clock(SteadyMs))
{
    for (const QuarterPlan& plan : WriteOrder(written.ChannelBlocksInUse())) {
        const DataBlock& block = written.block(plan.block);
        for (int j = 0; j < plan.quarters * wire::kChunkSize; ++j) {
            m_expected[ByteAddress(plan.block, j)] = block.data[std::size_t(j)];
        }
    }
}

int VerifySession::StepCount() const
{
    return 2 + int(WriteOrder(m_written.ChannelBlocksInUse()).size());
}

bool VerifySession::Run(TransferError& error, const Step& step)
{
    error.verifying = true;
    const int total = StepCount();
    int done = 0;
    const auto advance = [&] {
        ++done;
        if (step) {
            step(done, total);
        }
    };

    if (!Enter(error)) {
        return false;
    }
    advance();
    Identity identity{};
    if (!ReadIdentity(m_link, identity)) {
        error.kind = TransferError::Kind::LinkFault;
        error.detail = QStringLiteral("identity");
        return false;
    }
    advance();

    // Every block is read, so that the difference reported is the lowest address.
    std::array<std::uint8_t, kBlockDataSize> held{};
    TransferError difference;
    for (const QuarterPlan& plan : WriteOrder(m_written.ChannelBlocksInUse())) {
        const std::uint16_t address = DefaultAddress(plan.block);
        if (!ReadBlock(m_link, std::uint8_t(address >> 8), std::uint8_t(address & 0xFF),
                       held.data())) {
            error.kind = TransferError::Kind::LinkFault;
            error.detail = BlockText(plan.block);
            return false;
        }
        advance();
        Compare(plan.block, plan.quarters, held.data(), difference);
    }
    if (!SendEnd(m_link)) {
        error.kind = TransferError::Kind::LinkFault;
        error.detail = QStringLiteral("end byte");
        return false;
    }
    if (difference.kind == TransferError::Kind::VerifyMismatch) {
        error.kind = difference.kind;
        error.address = difference.address;
        error.written = difference.written;
        error.held = difference.held;
        return false;
    }
    return true;
}

bool VerifySession::Enter(TransferError& error)
{
    const qint64 start = m_clock();
    for (;;) {
        EntryResult entry = EntryResult::NoAnswer;
        if (EnterProgramMode(m_link, kEntryRetries, &entry)) {
            return true;
        }
        if (entry == EntryResult::WriteFailed) {
            error.kind = TransferError::Kind::LinkFault;
            error.detail = QStringLiteral("entry code");
            return false;
        }
        if (entry == EntryResult::Echo) {
            error.kind = TransferError::Kind::Echo;
            return false;
        }
        // Silence or a stray byte from a radio that is still starting up: try again
        // until the window has passed.
        if (m_clock() - start >= kEntryWindowMs) {
            error.kind = entry == EntryResult::Refused ? TransferError::Kind::Refused
                                                       : TransferError::Kind::NoAnswer;
            return false;
        }
    }
}

void VerifySession::Compare(Block block, int quarters, const std::uint8_t* held,
                            TransferError& lowest) const
{
    for (int j = 0; j < quarters * wire::kChunkSize; ++j) {
        const int address = ByteAddress(block, j);
        const std::uint8_t expected = m_expected.at(address);
        const bool lower =
            lowest.kind != TransferError::Kind::VerifyMismatch || address < lowest.address;
        if (held[j] != expected && lower) {
            lowest.kind = TransferError::Kind::VerifyMismatch;
            lowest.address = address;
            lowest.written = expected;
            lowest.held = held[j];
        }
    }
}

}  // namespace radio
