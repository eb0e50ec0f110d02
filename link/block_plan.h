// Which blocks a transfer moves, in which order, and how much of each. Some blocks
// overlap in the radio's memory (0x0110 runs into 0x0120; 0x0000 into channel block
// 0 at 0x0010), so a read fetches whole blocks while a write sends only the quarters
// a block owns:
//   block 0x0000 q0 | channel blocks q0-3 | 0x0120 q0-3 | 0x0110 q0 | 0x0160 q0-1 |
//   0x01B8 q0 | 0x03C0 q0
// Block 0x01B8 is never read; only the radio's channel blocks take part.
#pragma once

#include <QString>
#include <vector>

#include "data/radio_data.h"

namespace radio {

// Blocks read, in order, for a radio with `channelBlocks` channel blocks (4 or 8).
std::vector<Block> ReadOrder(int channelBlocks);

// Gives `read`, a record read from a radio, the blocks a read leaves out (block
// 0x01B8), taken from `other`: what the radio holds there is not known, so a
// comparison of the two passes over them.
void TakeUnreadBlocks(RadioData& read, const RadioData& other);

struct QuarterPlan {
    Block block;
    int quarters;  // quarters 0 .. quarters - 1 are sent
};
// Blocks written, in order, with their quarters.
std::vector<QuarterPlan> WriteOrder(int channelBlocks);

// How addresses, bytes and blocks are named to the user: "0x01B8", "0x13",
// "block 0x01B8". A block is named by its fixed radio address.
QString AddressText(int address);
QString ByteText(int value);
QString BlockText(Block block);

}  // namespace radio
