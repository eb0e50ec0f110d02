#include "data/band_change.h"

#include <algorithm>

#include "data/bands.h"
#include "data/channel_record.h"
#include "data/channel_rows.h"
#include "data/feature_bytes.h"

namespace radio {

int CurrentBandIndex(const RadioData& data)
{
    for (int i = 0; i < kBandCount; ++i) {
        if (kBands[std::size_t(i)].lower == data.bandLower) {
            return i;
        }
    }
    return 0;
}

void ApplyBand(RadioData& data, int index)
{
    const Band& band = kBands[std::size_t(std::clamp(index, 0, kBandCount - 1))];
    data.bandLower = band.lower;
    data.bandUpper = band.upper;
}

void ClearAllChannels(RadioData& data)
{
    for (int i = 0; i < data.ChannelCount(); ++i) {
        EmptyChannel(data, i);
    }
}

void DropScanChannelNotInUse(RadioData& data)
{
    std::uint8_t& channel = data.block(Block::B0160).data[bytes::scan::kPriorityChannel];
    if (channel == bytes::scan::kNoChannel) {
        return;
    }
    // In use: a channel of the family whose first frequency bytes are BCD digits.
    bool inUse = channel >= 1 && channel <= kMaxChannels;
    if (inUse) {
        const std::uint8_t* record = data.Channel(channel - 1).Bytes();
        for (int i = 0; i < 2; ++i) {
            inUse = inUse && (record[i] & 0x0F) <= 9 && (record[i] >> 4) <= 9;
        }
    }
    if (!inUse) {
        channel = bytes::scan::kNoChannel;
    }
}

BandModelChange ApplyBandAndModel(RadioData& data, int bandIndex, int model)
{
    BandModelChange change;
    change.model = data.model != model;
    data.model = model;
    if (bandIndex != CurrentBandIndex(data)) {
        change.band = true;
        ApplyBand(data, bandIndex);
        ClearAllChannels(data);
        DropScanChannelNotInUse(data);
    }
    return change;
}

}  // namespace radio
