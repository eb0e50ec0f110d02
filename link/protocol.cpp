#include "link/protocol.h"

#include <algorithm>

namespace radio {

namespace {

constexpr std::array<std::uint8_t, 4> kSignature = {'K', '4', '6', '8'};
constexpr std::uint8_t kModel32 = 0xF8;
constexpr std::uint8_t kModel16 = 0xFC;
constexpr std::uint8_t kIdentityEnd = 0xFF;

// Band codes (identity bytes 4 and 5) by lower limit.
struct BandCode {
    int lower;
    std::uint8_t code4;
    std::uint8_t code5;
};
constexpr BandCode kBandCodes[] = {
    {136, 0x37, 0x01}, {440, 0x37, 0x33}, {450, 0x37, 0x21},
    {350, 0x37, 0x53}, {370, 0x37, 0x63}, {400, 0x36, 0x73},
};

bool WriteByte(ByteLink& link, std::uint8_t byte)
{
    return link.Write(&byte, 1) > 0;
}

// Reads one byte and tells whether it is the acknowledgement.
bool ReadAck(ByteLink& link)
{
    std::uint8_t answer = 0;
    return link.Read(&answer, 1) == 1 && answer == wire::kAck;
}

// After the first letter of the entry code came back: whether the rest follows.
bool EchoFollows(ByteLink& link)
{
    std::array<std::uint8_t, wire::kEntryCode.size() - 1> rest{};
    return link.Read(rest.data(), int(rest.size())) == int(rest.size()) &&
           std::equal(rest.begin(), rest.end(), wire::kEntryCode.begin() + 1);
}

// A radio that sends each acknowledgement twice may have its second one arrive just
// after the purge before the next command: a 0x06 in front of an answer that never
// starts with one is that, and is dropped.
constexpr int kStrayAcks = 2;

int ReadAnswer(ByteLink& link, std::uint8_t* buffer, int count)
{
    int got = link.Read(buffer, count);
    for (int stray = 0; got == count && buffer[0] == wire::kAck && stray < kStrayAcks; ++stray) {
        std::copy(buffer + 1, buffer + count, buffer);
        got = count - 1 + link.Read(buffer + count - 1, 1);
    }
    return got;
}

bool KnownBand(std::uint8_t code4, std::uint8_t code5)
{
    return std::any_of(std::begin(kBandCodes), std::end(kBandCodes),
                       [&](const BandCode& c) { return c.code4 == code4 && c.code5 == code5; });
}

}  // namespace

bool EnterProgramMode(ByteLink& link, int retries, EntryResult* result)
{
    EntryResult dummy;
    EntryResult& outcome = result ? *result : dummy;
    link.Sleep(wire::kSettleMs);
    for (int attempt = 1; attempt <= retries + 1; ++attempt) {
        link.Sleep(wire::kEntryGapMs);
        link.Purge();
        if (link.Write(wire::kEntryCode.data(), int(wire::kEntryCode.size())) == 0) {
            outcome = EntryResult::WriteFailed;
            return false;
        }
        link.SetReadTimeout(attempt == 1 ? wire::kFirstEntryTimeoutMs : wire::kLaterEntryTimeoutMs);
        std::uint8_t answer = 0;
        if (link.Read(&answer, 1) == 1) {
            // Any answer ends the attempts: only silence is worth another try.
            if (answer == wire::kEntryCode[0] && EchoFollows(link)) {
                outcome = EntryResult::Echo;
                return false;
            }
            outcome = answer == wire::kAck ? EntryResult::Accepted : EntryResult::Refused;
            return answer == wire::kAck;
        }
    }
    outcome = EntryResult::NoAnswer;
    return false;
}

bool ReadIdentity(ByteLink& link, Identity& identity)
{
    link.SetReadTimeout(wire::kAnswerTimeoutMs);
    link.Purge();
    if (!WriteByte(link, wire::kIdentityRequest)) {
        return false;
    }
    if (ReadAnswer(link, identity.data(), int(identity.size())) < int(identity.size())) {
        return false;
    }
    link.Purge();
    if (!WriteByte(link, wire::kAck)) {
        return false;
    }
    return ReadAck(link);
}

bool ReadBlock(ByteLink& link, std::uint8_t high, std::uint8_t low, std::uint8_t* destination)
{
    const std::uint8_t command[] = {wire::kRead, high, low, wire::kBlockLength};
    link.Purge();
    if (link.Write(command, int(sizeof command)) == 0) {
        return false;
    }
    std::array<std::uint8_t, wire::kBlockAnswerSize> answer{};
    if (ReadAnswer(link, answer.data(), int(answer.size())) < int(answer.size())) {
        return false;
    }
    if (answer[0] != wire::kWrite || answer[1] != high || answer[2] != low ||
        answer[3] != wire::kBlockLength) {
        return false;
    }
    std::copy(answer.begin() + 4, answer.end(), destination);
    link.Purge();
    if (!WriteByte(link, wire::kAck)) {
        return false;
    }
    return ReadAck(link);
}

bool WriteChunk(ByteLink& link, std::uint8_t high, std::uint8_t low, const std::uint8_t* source,
                ChunkResult* result)
{
    ChunkResult dummy;
    ChunkResult& outcome = result ? *result : dummy;
    const std::uint8_t header[] = {wire::kWrite, high, low, wire::kChunkLength};
    for (int send = 1;; ++send) {
        // What is still waiting belongs to an earlier chunk or send (a late answer, or
        // a radio that answers twice): each send is judged by its own answer only.
        link.Purge();
        if (link.Write(header, int(sizeof header)) == 0 ||
            link.Write(source, wire::kChunkSize) == 0) {
            outcome = ChunkResult::WriteFailed;
            return false;
        }
        std::uint8_t answer = 0;
        if (link.Read(&answer, 1) == 1) {
            // After repeats, the first answer may be the late one of an earlier send;
            // the radio owes one for every send, and a refusal among them fails it.
            for (int owed = send - 1; answer == wire::kAck && owed > 0; --owed) {
                if (link.Read(&answer, 1) != 1) {
                    answer = wire::kAck;  // the earlier sends went unheard
                    break;
                }
            }
            if (answer != wire::kAck) {
                outcome = ChunkResult::Refused;
                return false;
            }
            link.Sleep(wire::kChunkAckGapMs);
            outcome = ChunkResult::Acknowledged;
            return true;
        }
        if (send >= wire::kChunkSends) {
            outcome = ChunkResult::NoAnswer;
            return false;
        }
        link.Sleep(wire::kChunkRepeatGapMs);
    }
}

bool WriteQuarter(ByteLink& link, std::uint8_t high, std::uint8_t low, int quarter,
                  const std::uint8_t* block, ChunkResult* result)
{
    const int offset = wire::kChunkSize * quarter;
    const int sum = low + offset;
    const auto chunkLow = std::uint8_t(sum & 0xFF);
    const auto chunkHigh = std::uint8_t(sum > 0xFF ? high + 1 : high);
    return WriteChunk(link, chunkHigh, chunkLow, block + offset, result);
}

bool SendEnd(ByteLink& link)
{
    return WriteByte(link, wire::kEnd);
}

void DecodeIdentity(const std::uint8_t* identity, int& bandLower, int& bandUpper, int& model)
{
    if (!std::equal(kSignature.begin(), kSignature.end(), identity) ||
        identity[7] != kIdentityEnd) {
        return;
    }
    if (identity[6] == kModel32) {
        model = 0;
    } else if (identity[6] == kModel16) {
        model = 1;
    } else {
        return;
    }
    for (const BandCode& code : kBandCodes) {
        if (identity[4] == code.code4 && identity[5] == code.code5) {
            bandLower = code.lower;
            bandUpper = BandOfLower(code.lower).upper;
            return;
        }
    }
}

bool IdentityDecodes(const std::uint8_t* identity)
{
    return std::equal(kSignature.begin(), kSignature.end(), identity) &&
           identity[7] == kIdentityEnd && (identity[6] == kModel32 || identity[6] == kModel16) &&
           KnownBand(identity[4], identity[5]);
}

void EncodeIdentity(std::uint8_t* identity, int bandLower, int model)
{
    std::copy(kSignature.begin(), kSignature.end(), identity);
    // 400-470 is the code of every lower limit that is not one of the other bands.
    identity[4] = 0x36;
    identity[5] = 0x73;
    for (const BandCode& code : kBandCodes) {
        if (code.lower == bandLower) {
            identity[4] = code.code4;
            identity[5] = code.code5;
        }
    }
    identity[6] = model == 0 ? kModel32 : kModel16;
}

}  // namespace radio
