// Verify after write: once a write has ended, a second session reads back every block
// the write sent and compares the quarters it sent with what the radio now holds.
// The protocol carries no checksum, so this is the only proof that the bytes arrived.
//
//   entry code        tried again for up to 3 s: a radio may restart after programming
//   identity          as in every session
//   block reads       one per block of the write plan, at the block's fixed address
//   end byte
//
// The session uses the protocol operations as they are and changes nothing in the
// radio. A difference fails with the first address that differs and both bytes.
#pragma once

#include <QtGlobal>
#include <cstdint>
#include <functional>
#include <map>

#include "data/radio_data.h"
#include "link/byte_link.h"
#include "link/transfer_worker.h"

namespace radio {

class VerifySession {
public:
    // How long the entry is tried again while the radio does not answer or refuses.
    static constexpr int kEntryWindowMs = 3000;
    // Milliseconds from any fixed origin; the session only takes differences.
    using Clock = std::function<qint64()>;
    // After the entry, the identity and each block: steps done and steps in all.
    using Step = std::function<void(int done, int total)>;

    // `written` is the record as the write sent it. Without a clock the session uses
    // the steady clock of the machine.
    VerifySession(ByteLink& link, const RadioData& written, Clock clock = {});

    // The whole session; false with `error` set (its `verifying` flag on) when the
    // radio could not be read back or holds other bytes.
    bool Run(TransferError& error, const Step& step = {});

    // Steps Run reports for a record: entry, identity and one per block written.
    int StepCount() const;

private:
    bool Enter(TransferError& error);
    // Keeps in `lowest` the lowest address of the block's written quarters whose byte
    // `held` does not match, unless `lowest` already names a lower one.
    void Compare(Block block, int quarters, const std::uint8_t* held, TransferError& lowest) const;

    ByteLink& m_link;
    const RadioData& m_written;
    Clock m_clock;
    // What each address should hold once the write has ended: where two blocks'
    // quarters cover the same address, the one sent last.
    std::map<int, std::uint8_t> m_expected;
};

}  // namespace radio
