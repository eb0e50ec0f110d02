// The rules that keep the scan settings of block 0x0160 consistent (bytes 0-8), as
// pure functions of the record. The scan view shows a record through them and its
// changes apply them; showing never writes.
//
//   byte 0 priority mode 0..2 (above 2 reads as 0)
//   byte 1 priority channel 1..32, only mode 1 uses it; 0xFF = none. A channel
//          that holds no frequency reads as none.
//   byte 4 transmit on 0..3: mode 0 offers 0..1 (2 and 3 read as 1), mode 2 offers
//          2..3 (0 and 1 read as 3), mode 1 all four.
#pragma once

#include <cstdint>

#include "data/radio_data.h"

namespace radio {

// The most seconds the resume time and the carrier hold take (bytes 5-8).
constexpr unsigned kResumeAndCarrierHoldMax = 300;

// Channel n (1..32) is in use when the first two bytes of its record are BCD
// digits, whatever the model.
bool ScanChannelInUse(const RadioData& data, int n);

// Block 0x0160 as the scan view shows it.
struct ScanSettings {
    int mode = 0;                 // 0..2
    std::uint8_t channel = 0xFF;  // a channel in use (mode 1 only), or 0xFF
    std::uint8_t transmitOn = 0;  // byte 4 as the mode reads it; above 3 shows nothing
    int checkInterval = 1;        // 1..91 (0 reads as 1, above 91 as 91)
    int holdTime = 1;
    unsigned resumeTime = 0;   // 0..300; above 300 reads as 4
    unsigned carrierHold = 0;  // 0..300; above 300 reads as 3
};
ScanSettings ShownScanSettings(const RadioData& data);

// Brings bytes 1 and 4 to what mode `mode` allows, as choosing that mode does.
void ApplyScanModeRules(RadioData& data, int mode);
// The same for the mode the record holds: afterwards bytes 1 and 4 are what the
// scan view shows.
void NormalizeScanSettings(RadioData& data);

}  // namespace radio
