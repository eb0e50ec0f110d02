// Channel plans as CSV files in the generic format of CHIRP, the open radio
// programming program, in which repeater lists and club channel plans are published.
// Export writes the header
//
//   Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,
//   DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,
//   RPT2CALL,DVCODE
//
// and one row per programmed channel. Import finds the columns by their names in the
// first line, in any order; it also reads the older header without RxDtcsCode,
// CrossMode and Power. Unknown columns are ignored, and a missing column (or a row
// that ends early) takes CHIRP's default. Location and Frequency must be there.
//
//   Location   channel number 1..16 or 1..32; a file whose smallest location is 0
//              counts from 0
//   Name       empty: the radio has no channel names (import does not read it)
//   Frequency  receive frequency in MHz, written with six decimals
//   Duplex     empty: transmit = receive; + or -: Offset is the difference in MHz;
//              split: Offset is the transmit frequency; off: no transmit frequency
//   TStep      the step the frequencies lie on (5.00 or 6.25); not read
//
// The tone columns are described in csv_tones.h, Mode, Skip, Power and Comment in
// csv_options.h. Every frequency and tone goes through the channel codec.
//
// A row is refused, with its line number and the reason, when its location is not a
// number, lies beyond the channel count or names a channel an earlier row gave, when
// a frequency lies outside the band or off the 5 kHz / 6.25 kHz raster, when a tone
// is not one the radio has, when the mode is not FM or NFM, or when any value it
// uses cannot be read.
#pragma once

#include <string>
#include <string_view>

#include "data/channel_plan.h"
#include "data/radio_data.h"

namespace radio {

// The CSV text of the record's programmed channels (lines end in CRLF).
std::string ExportChannelsCsv(const RadioData& data);
// How many rows ExportChannelsCsv writes.
int ProgrammedChannelCount(const RadioData& data);

// Reads a CSV text into a plan for a data set of the given band and channel count.
ChannelPlan ImportChannelsCsv(std::string_view text, int bandLower, int bandUpper,
                              int channelCount);
// The same for the band and channel count of a record.
ChannelPlan ImportChannelsCsv(std::string_view text, const RadioData& target);

}  // namespace radio
