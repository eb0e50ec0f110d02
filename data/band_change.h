// The band and the model of a data set, and what a change of band does to it: the
// channels were entered for the old band, so a new band starts with none.
#pragma once

#include "data/radio_data.h"

namespace radio {

// The first band whose lower limit is the record's; 0 when none is.
int CurrentBandIndex(const RadioData& data);
// Copies the limits of band `index` (0..5, clamped) into the record.
void ApplyBand(RadioData& data, int index);
// Empties every channel the model has, as the channel table empties a row: no
// frequencies, no tones, every option bit of the table set, level 8. The bits of the
// option words the table does not know keep their values.
void ClearAllChannels(RadioData& data);

// After channels were emptied or replaced: a scan channel (block 0x0160 byte 1) that
// no longer names a programmed channel names none, as the scan view would show it.
void DropScanChannelNotInUse(RadioData& data);

struct BandModelChange {
    bool band = false;
    bool model = false;
};
// Takes the model value, then band `bandIndex` when it is not the current band; a new
// band empties the channels of the (new) model.
BandModelChange ApplyBandAndModel(RadioData& data, int bandIndex, int model);

}  // namespace radio
