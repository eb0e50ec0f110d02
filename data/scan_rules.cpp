#include "data/scan_rules.h"

#include <algorithm>

#include "data/feature_bytes.h"

namespace radio {

namespace b = bytes::scan;

namespace {

constexpr unsigned kResumeTimeFallback = 4;
constexpr unsigned kCarrierHoldFallback = 3;
constexpr int kTimeMaxByte = 91;

int ShownMode(std::uint8_t byte)
{
    return byte <= 2 ? byte : 0;
}

unsigned Word(const std::uint8_t* low)
{
    return unsigned(low[0] | low[1] << 8);
}

// Bytes 1 and 4 of block 0x0160's data as mode `mode` allows them.
void ModeRules(const RadioData& data, int mode, std::uint8_t& channel, std::uint8_t& transmitOn)
{
    if (mode != 1 || (channel != b::kNoChannel && !ScanChannelInUse(data, channel))) {
        channel = b::kNoChannel;
    }
    if (mode == 0 && transmitOn >= 2) {
        transmitOn = 1;
    } else if (mode == 2 && transmitOn < 2) {
        transmitOn = 3;
    }
}

}  // namespace

bool ScanChannelInUse(const RadioData& data, int n)
{
    if (n < 1 || n > kMaxChannels) {
        return false;
    }
    const std::uint8_t* bytes = data.Channel(n - 1).Bytes();
    return std::all_of(bytes, bytes + 2,
                       [](std::uint8_t byte) { return (byte & 0x0F) <= 9 && (byte >> 4) <= 9; });
}

ScanSettings ShownScanSettings(const RadioData& data)
{
    const auto& d = data.block(Block::B0160).data;
    ScanSettings s;
    s.mode = ShownMode(d[b::kPriorityMode]);
    s.channel = d[b::kPriorityChannel];
    s.transmitOn = d[b::kTransmitOn];
    ModeRules(data, s.mode, s.channel, s.transmitOn);
    s.checkInterval = std::clamp(int(d[b::kCheckInterval]), 1, kTimeMaxByte);
    s.holdTime = std::clamp(int(d[b::kHoldTime]), 1, kTimeMaxByte);
    const unsigned resumeTime = Word(&d[b::kResumeTimeLow]);
    const unsigned carrierHold = Word(&d[b::kCarrierHoldLow]);
    s.resumeTime = resumeTime <= kResumeAndCarrierHoldMax ? resumeTime : kResumeTimeFallback;
    s.carrierHold = carrierHold <= kResumeAndCarrierHoldMax ? carrierHold : kCarrierHoldFallback;
    return s;
}

void ApplyScanModeRules(RadioData& data, int mode)
{
    auto& d = data.block(Block::B0160).data;
    ModeRules(data, mode, d[b::kPriorityChannel], d[b::kTransmitOn]);
}

void NormalizeScanSettings(RadioData& data)
{
    ApplyScanModeRules(data, ShownMode(data.block(Block::B0160).data[b::kPriorityMode]));
}

}  // namespace radio
