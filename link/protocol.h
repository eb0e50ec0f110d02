// The byte protocol with the radio: programming mode, the 8-byte identity, 64-byte
// block reads, 16-byte chunk writes and the end byte. Every exchange is a command, an
// answer compared byte for byte, and the acknowledgement 0x06; there are no checksums.
//
//   entry code (7 bytes)          -> 0x06
//   0x02                          -> identity (8 bytes); 0x06 -> 0x06
//   'R' hi lo 0x40                -> 'W' hi lo 0x40 + 64 bytes; 0x06 -> 0x06
//   'W' hi lo 0x10 + 16 bytes     -> 0x06
//   'E'                           (no answer)
#pragma once

#include <array>
#include <cstdint>

#include "data/bands.h"
#include "link/byte_link.h"

namespace radio {

namespace wire {
constexpr std::uint8_t kIdentityRequest = 0x02;
constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kNak = 0x15;
constexpr std::uint8_t kEnd = 0x45;    // 'E'
constexpr std::uint8_t kRead = 0x52;   // 'R'
constexpr std::uint8_t kWrite = 0x57;  // 'W', also the header of a block answer
constexpr std::uint8_t kBlockLength = 0x40;
constexpr std::uint8_t kChunkLength = 0x10;
constexpr int kBlockAnswerSize = 4 + 64;
constexpr int kChunkSize = 16;
constexpr int kChunkCommandSize = 4 + kChunkSize;
constexpr int kIdentitySize = 8;

// The request to enter programming mode. The radio and the simulator know it; none of
// its letters is a command byte ('E', 'R', 'W'), so it cannot be taken for one.
constexpr std::array<std::uint8_t, 7> kEntryCode = {'P', 'G', 'M', 'K', 'Q', 'T', 'Z'};

// Read time-outs: the first entry attempt, the later ones, and everything from the
// identity request on.
constexpr int kFirstEntryTimeoutMs = 500;
constexpr int kLaterEntryTimeoutMs = 100;
constexpr int kAnswerTimeoutMs = 550;
// Fixed waits.
constexpr int kSettleMs = 200;         // before programming mode
constexpr int kEntryGapMs = 5;         // before each entry attempt
constexpr int kReadGapMs = 2;          // before every read
constexpr int kChunkRepeatGapMs = 50;  // between repeats of an unanswered chunk
constexpr int kChunkAckGapMs = 2;      // after an acknowledged chunk
constexpr int kChunkSends = 4;         // sends of a chunk that gets no answer
}  // namespace wire

using Identity = std::array<std::uint8_t, wire::kIdentitySize>;

// How the entry into programming mode ended. Echo: the entry code itself came back,
// as through a cable that returns every byte it is given.
enum class EntryResult { Accepted, NoAnswer, Refused, Echo, WriteFailed };
// How a chunk write ended. Refused: the radio answered something other than 0x06.
enum class ChunkResult { Acknowledged, NoAnswer, Refused, WriteFailed };

// Up to retries + 1 attempts; only silence is retried, any answer but 0x06 ends at once.
bool EnterProgramMode(ByteLink& link, int retries, EntryResult* result = nullptr);
bool ReadIdentity(ByteLink& link, Identity& identity);
// The 64 data bytes are copied before the final acknowledgement, so a missing 0x06
// at the end leaves them in `destination`; a wrong header leaves it untouched.
bool ReadBlock(ByteLink& link, std::uint8_t high, std::uint8_t low, std::uint8_t* destination);
// Sent up to four times while no answer comes, 50 ms apart. Unread input is discarded
// before every send, so that a late or doubled answer to an earlier chunk or send is
// never taken for this one; once a repeated send is acknowledged, the answers the
// radio may still owe the earlier sends are awaited and must be 0x06 too.
bool WriteChunk(ByteLink& link, std::uint8_t high, std::uint8_t low, const std::uint8_t* source,
                ChunkResult* result = nullptr);
// Quarter q (0..3) of a 64-byte block: the chunk at the block's address + 16 q,
// carried into the high byte (block 0x00D0, quarter 3 -> 0x0100).
bool WriteQuarter(ByteLink& link, std::uint8_t high, std::uint8_t low, int quarter,
                  const std::uint8_t* block, ChunkResult* result = nullptr);
bool SendEnd(ByteLink& link);

// The identity: "K468", the band code (2 bytes), the model code (0xF8 = 32 channels,
// model value 0; 0xFC = 16 channels, model value 1), 0xFF.
// An identity without the signature or the final 0xFF, or with an unknown model code,
// changes nothing; an unknown band code leaves the band as it was.
void DecodeIdentity(const std::uint8_t* identity, int& bandLower, int& bandUpper, int& model);
// Whether DecodeIdentity takes both the band and the model from these bytes.
bool IdentityDecodes(const std::uint8_t* identity);
// Bytes 0-6 from the band's lower limit and the model value; byte 7 is left alone.
// A lower limit that is not one of the six bands encodes as 400-470.
void EncodeIdentity(std::uint8_t* identity, int bandLower, int model);

}  // namespace radio
