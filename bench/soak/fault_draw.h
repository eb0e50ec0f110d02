// The faults a soak run strikes its transfers with: every switch of the simulated
// radio, alone or in the pairs the transfer tests use, with where it strikes drawn at
// random, and what a transfer struck by it must end in.
#pragma once

#include <QString>
#include <random>

#include "link/transfer_worker.h"
#include "sim/radio_machine.h"

namespace radio::soak {

enum class SoakTransfer { Read, Write, WriteVerify };

const char* TransferName(SoakTransfer transfer);

struct DrawnFault {
    QString name;  // "chunk never answered at 0x0130"
    sim::SimFaults faults;
};

// One fault for a transfer of this kind with a radio of `channelBlocks` channel
// blocks. The place a dead line dies at is drawn among the bytes that transfer
// sends, so that the line always dies before the last end byte.
DrawnFault DrawFault(std::mt19937& random, SoakTransfer transfer, int channelBlocks);

// What a transfer must end in.
struct Outcome {
    bool fails = false;
    TransferError::Kind kind = TransferError::Kind::None;
    QString detail;          // the step that failed; null when any will do
    bool verifying = false;  // it failed while the write was read back
    int atLeastMs = 0;       // how long the failure takes, at the least and at the most
    int atMostMs = 0;
    // The byte a write stores with its lowest bit flipped (kAnyAddress: the first byte
    // of every chunk); kNoAddress when none.
    int flipped = sim::kNoAddress;
    int restartMs = 0;  // how long the radio stays deaf after each end byte
};

// Works out from the protocol's steps where the faults strike first. `paced`: the
// radio keeps the pace of the line, which makes a failure late in a session slower.
Outcome ExpectedOutcome(const sim::SimFaults& faults, SoakTransfer transfer, int channelBlocks,
                        bool paced);

}  // namespace radio::soak
