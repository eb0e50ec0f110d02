// A channel plan read from a file: the 16 bytes of each channel it names, the rows
// it refused with their reasons, or why the file is no plan at all. Nothing in the
// record changes until the plan is applied, so a caller can show the plan first.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/radio_data.h"

namespace radio {

// Why a row was refused. The values that go with each reason, in order:
enum class RowProblem {
    Unreadable,      // column name, value as written
    OutOfBand,       // frequency in MHz, band lower limit, band upper limit
    OffRaster,       // frequency in MHz (not a multiple of 5 kHz or 6.25 kHz)
    ToneNotOffered,  // column name, value as written
    ModeNotFm,       // mode as written
    BeyondChannels,  // location as written, channel count
    LocationTwice,   // channel number, row that gave it first
};

struct RowFault {
    RowProblem problem = RowProblem::Unreadable;
    std::vector<std::string> values;
};

struct RefusedRow {
    int row = 0;  // the file's line number, the header being line 1
    RowFault fault;
};

// Why a file is no channel plan at all.
enum class PlanError {
    None,
    NotText,        // binary or not UTF-8
    UnclosedQuote,  // a quoted field is never closed (errorRow: where it starts)
    NoColumns,      // the first line does not name the columns Location and Frequency
};

using ChannelBytes = std::array<std::uint8_t, kChannelRecordSize>;

struct ChannelPlan {
    PlanError error = PlanError::None;
    int errorRow = 0;
    int channelCount = 16;  // of the data set the plan was read for
    // Channel i (0-based): its bytes, or nothing when the file does not name it.
    std::array<std::optional<ChannelBytes>, kMaxChannels> channels{};
    std::vector<RefusedRow> refused;

    bool ok() const { return error == PlanError::None; }
    int ChannelsToImport() const;
};

// The channels of the plan replace the record's channels 1..channelCount; channels
// the plan does not name become empty. Features, key and scan settings, band, model
// and the channel blocks beyond the channel count stay as they are. A plan that is
// not ok changes nothing.
void ApplyChannelPlan(const ChannelPlan& plan, RadioData& data);

}  // namespace radio
