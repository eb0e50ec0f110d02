// Operations on whole channels of the table, as a dealer reorders a channel plan:
// insert an empty channel, delete one and close the gap, move channels up or down,
// sort them, fill a series of frequencies, find one, and set one option on many.
//
// A channel is its 16 bytes (both frequencies, both tones, both option words): a
// move takes all of them, so that a move and the move back give the same bytes.
// Rows are channel indexes 0..N-1 of the record's model; a list of rows may come in
// any order and with repeats, and indexes outside the model are passed over.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/radio_data.h"

namespace radio {

// Why an operation changed nothing. `channel` (0-based) names the channel concerned.
struct RowsRefusal {
    enum class Kind {
        None,
        NoRoom,         // insert: `channel` is programmed and would fall off the end
        AtEdge,         // move: a row is already the first or the last channel
        NoStart,        // fill: the current channel holds no receive frequency
        OutOfBand,      // fill: `frequency` (10 Hz units) lies outside the band
        NoChannels,     // bulk set: none of the rows is programmed
        NotUnderstood,  // find: the text is neither a frequency nor a tone
        NotFound,       // find: no channel has it
    };
    Kind kind = Kind::None;
    int channel = -1;
    std::uint32_t frequency = 0;  // a number of 10 Hz units: FrequencyWordOf gives its word
    bool ok() const { return kind == Kind::None; }
};

// A frequency word as a number of 10 Hz units (0x43512500 is 43512500), and back;
// a number of more than eight digits has no word (kNoFrequency).
std::uint64_t FrequencyUnits(std::uint32_t word);
std::uint32_t FrequencyWordOf(std::uint64_t units);

// An empty channel's bytes, as emptying its receive frequency in the table leaves it.
void EmptyChannel(RadioData& data, int index);
// A new channel on `rxWord` (a frequency word), as typing a receive frequency into an
// empty row makes it: the same transmit frequency, no tones, wide, high power, in
// the scan list, no busy lock, level 1.
void MakeNewChannel(RadioData& data, int index, std::uint32_t rxWord);

// Inserts `count` empty channels before channel `first`; the channels from there
// down move down by `count`. Refused (NoRoom) when one of the last `count` channels
// is programmed.
RowsRefusal InsertEmptyChannels(RadioData& data, int first, int count = 1);
// Deletes the channels `rows`; the ones below move up and the end fills with empty
// channels.
void DeleteChannels(RadioData& data, const std::vector<int>& rows);
// Moves the channels `rows` one place up (`step` -1) or down (+1), each changing
// place with its neighbour outside the set. Refused (AtEdge) when a row is the first
// (moving up) or the last (moving down). Returns the rows where they now stand in
// `moved`, for the selection to follow.
RowsRefusal MoveChannels(RadioData& data, const std::vector<int>& rows, int step,
                         std::vector<int>* moved = nullptr);
// Sorts the channels `rows` among their own places by receive frequency, lowest
// first; empty channels go to the end; equal frequencies keep their order. Fewer
// than two rows sort every channel of the model.
void SortChannelsByReceive(RadioData& data, const std::vector<int>& rows);

// The channels among `rows`, below `current`, that a fill would give a frequency:
// every row after `current` in ascending order.
std::vector<int> FillTargets(int current, const std::vector<int>& rows);
// How many of `rows` are programmed (their receive frequency shows in the table).
int ProgrammedCount(const RadioData& data, const std::vector<int>& rows);
// From the receive frequency of channel `current`, gives each of FillTargets the
// next frequency in steps of `step` (10 Hz units): the first target current + step,
// the next + 2 steps, and so on. A programmed channel takes the new receive frequency
// and keeps its transmit offset (a channel without a transmit frequency keeps none)
// and all else; an empty one becomes a new channel. Refused, changing nothing, when
// `current` is empty (NoStart) or a frequency would leave the band (OutOfBand).
RowsRefusal FillFrequencies(RadioData& data, int current, const std::vector<int>& rows,
                            std::uint32_t step);

// The channel after `from` (wrapping round, `from` itself last) whose receive or
// transmit frequency, or receive or transmit tone, is `text`: a frequency as typed
// into the table ("435.125"), or a tone as the tone list writes it ("88.5", "D023N")
// or as the tone search takes it ("D023", "023I"). The result's `channel` is the
// channel found.
RowsRefusal FindChannel(const RadioData& data, int from, const std::string& text);

// What Set for selected channels sets; an empty field stays as each channel has it.
struct BulkSettings {
    std::optional<std::uint16_t> rxTone;  // tone codes, kToneOff for off
    std::optional<std::uint16_t> txTone;
    std::optional<bool> wide;
    std::optional<bool> highPower;
    std::optional<bool> scanAdd;
    std::optional<bool> busyLock;
    bool IsEmpty() const
    {
        return !rxTone && !txTone && !wide && !highPower && !scanAdd && !busyLock;
    }
};
// Sets `settings` on every programmed channel among `rows`; empty channels stay
// empty. A transmit tone is set only on a channel with a transmit frequency. Refused
// (NoChannels) when none of the rows is programmed.
RowsRefusal ApplyBulkSettings(RadioData& data, const std::vector<int>& rows,
                              const BulkSettings& settings);

}  // namespace radio
