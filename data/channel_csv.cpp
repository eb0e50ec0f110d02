#include "data/channel_csv.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "data/channel_codec.h"
#include "data/csv_options.h"
#include "data/csv_table.h"
#include "data/csv_tones.h"

namespace radio {

namespace {

enum Column : int {
    kLocation,
    kName,
    kFrequency,
    kDuplex,
    kOffset,
    kTone,
    kRToneFreq,
    kCToneFreq,
    kDtcsCode,
    kDtcsPolarity,
    kRxDtcsCode,
    kCrossMode,
    kMode,
    kTStep,
    kSkip,
    kPower,
    kComment,
    kUrCall,
    kRpt1Call,
    kRpt2Call,
    kDvCode,
    kColumnCount,
};

constexpr const char* kColumnNames[kColumnCount] = {
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
    "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE",
};

// Frequencies in 10 Hz units, the resolution of the record's frequency words.
constexpr long long kUnitsPerMHz = 100000;
constexpr int kMaxLocationDigits = 9;

// The value of a frequency word's eight digits in 10 Hz units (a nibble above 9
// counts with its value, as the codec's text shows it).
long long UnitsOf(std::uint32_t word)
{
    long long units = 0;
    for (int n = 7; n >= 0; --n) {
        units = units * 10 + ((word >> (4 * n)) & 0xF);
    }
    return units;
}

std::string MhzText(long long units)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%lld.%06lld", units / kUnitsPerMHz, units % kUnitsPerMHz * 10);
    return buf;
}

// The tuning step that every frequency of the channel lies on.
const char* StepText(long long rx, long long tx)
{
    if (rx % 500 != 0 || tx % 500 != 0) {
        if (rx % 625 == 0 && tx % 625 == 0) {
            return "6.25";
        }
    }
    return "5.00";
}

bool AllDigits(std::string_view s)
{
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

enum class MhzRead { Ok, Unreadable, FinerThan10Hz };

// A decimal number of MHz ("145.125", "145", "0.6") in 10 Hz units.
MhzRead ReadMhz(std::string_view text, long long& units)
{
    text = TrimBlanks(text);
    const std::size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    const std::string_view decimals =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (!AllDigits(whole) || (!decimals.empty() && !AllDigits(decimals))) {
        return MhzRead::Unreadable;
    }
    while (whole.size() > 1 && whole.front() == '0') {
        whole.remove_prefix(1);
    }
    if (whole.size() > 6) {
        units = 999999 * kUnitsPerMHz;  // far outside every band
        return MhzRead::Ok;
    }
    long long value = 0;
    for (char c : whole) {
        value = value * 10 + (c - '0');
    }
    for (std::size_t k = 0; k < 5; ++k) {
        value = value * 10 + (k < decimals.size() ? decimals[k] - '0' : 0);
    }
    if (decimals.size() > 5 && decimals.find_first_not_of('0', 5) != std::string_view::npos) {
        return MhzRead::FinerThan10Hz;
    }
    units = value;
    return MhzRead::Ok;
}

RowFault Fault(RowProblem problem, std::vector<std::string> values)
{
    return RowFault{problem, std::move(values)};
}

// The word of a frequency, checked by the codec against the band and the raster.
// `shown` is the frequency as the reason names it.
std::optional<RowFault> FrequencyWord(long long units, const std::string& shown, int lower,
                                      int upper, std::uint32_t& word)
{
    const RowFault outOfBand =
        Fault(RowProblem::OutOfBand, {shown, std::to_string(lower), std::to_string(upper)});
    if (units < 0 || units / kUnitsPerMHz > 999) {
        return outOfBand;
    }
    char text[16];
    std::snprintf(text, sizeof text, "%03lld.%05lld", units / kUnitsPerMHz, units % kUnitsPerMHz);
    std::string normal = text;
    if (NormalizeFrequencyText(normal, lower, upper) != FrequencyCheck::InBand) {
        return outOfBand;
    }
    if (normal != text) {
        return Fault(RowProblem::OffRaster, {shown});
    }
    word = ParseFrequencyText(text).value_or(kNoFrequency);
    return std::nullopt;
}

// A frequency column read, checked and turned into a word.
std::optional<RowFault> FrequencyColumn(const char* column, const std::string& text, int lower,
                                        int upper, long long& units, std::uint32_t& word)
{
    switch (ReadMhz(text, units)) {
    case MhzRead::Ok: break;
    case MhzRead::Unreadable: return Fault(RowProblem::Unreadable, {column, text});
    case MhzRead::FinerThan10Hz: return Fault(RowProblem::OffRaster, {text});
    }
    return FrequencyWord(units, text, lower, upper, word);
}

// The fields of one row by column; a column the header lacks, or a field beyond the
// end of a short row, gives the column's default.
class RowFields {
public:
    RowFields(const std::array<int, kColumnCount>& at, const CsvRecord& record)
        : m_at(at), m_record(record)
    {
    }
    std::string Get(Column c, const char* fallback = "") const
    {
        const int k = m_at[std::size_t(c)];
        if (k < 0 || std::size_t(k) >= m_record.fields.size()) {
            return fallback;
        }
        return std::string(TrimBlanks(m_record.fields[std::size_t(k)]));
    }

private:
    const std::array<int, kColumnCount>& m_at;
    const CsvRecord& m_record;
};

std::optional<RowFault> ReadChannel(const RowFields& f, int lower, int upper, ChannelBytes& bytes)
{
    bytes.fill(0xFF);
    ChannelRecord channel(bytes.data());

    long long rxUnits = 0;
    std::uint32_t rx = kNoFrequency;
    if (auto fault = FrequencyColumn("Frequency", f.Get(kFrequency), lower, upper, rxUnits, rx)) {
        return fault;
    }
    std::uint32_t tx = rx;
    const std::string duplex = f.Get(kDuplex);
    const std::string offset = f.Get(kOffset, "0.000000");
    if (duplex == "+" || duplex == "-") {
        long long offsetUnits = 0;
        if (ReadMhz(offset, offsetUnits) != MhzRead::Ok) {
            return Fault(RowProblem::Unreadable, {"Offset", offset});
        }
        const long long txUnits = duplex == "+" ? rxUnits + offsetUnits : rxUnits - offsetUnits;
        if (auto fault = FrequencyWord(txUnits, MhzText(txUnits), lower, upper, tx)) {
            return fault;
        }
    } else if (SameWord(duplex, "split")) {
        long long txUnits = 0;
        if (auto fault = FrequencyColumn("Offset", offset, lower, upper, txUnits, tx)) {
            return fault;
        }
    } else if (SameWord(duplex, "off")) {
        tx = kNoFrequency;
    } else if (!duplex.empty()) {
        return Fault(RowProblem::Unreadable, {"Duplex", duplex});
    }

    ToneColumns tones;
    tones.tone = f.Get(kTone);
    tones.rToneFreq = f.Get(kRToneFreq, "88.5");
    tones.cToneFreq = f.Get(kCToneFreq, "88.5");
    tones.dtcsCode = f.Get(kDtcsCode, "023");
    tones.dtcsPolarity = f.Get(kDtcsPolarity, "NN");
    tones.rxDtcsCode = f.Get(kRxDtcsCode, "023");
    tones.crossMode = f.Get(kCrossMode, "Tone->Tone");
    std::uint16_t rxTone = kToneOff;
    std::uint16_t txTone = kToneOff;
    if (auto fault = TonesOf(tones, rxTone, txTone)) {
        return fault;
    }

    OptionColumns options;
    options.mode = f.Get(kMode, "FM");
    options.skip = f.Get(kSkip);
    options.power = f.Get(kPower);
    options.comment = f.Get(kComment);
    if (auto fault = OptionsOf(options, channel)) {
        return fault;
    }
    channel.SetRxFrequency(rx);
    channel.SetTxFrequency(tx);
    channel.SetRxTone(rxTone);
    channel.SetTxTone(txTone);
    return std::nullopt;
}

// A location as written: its digits' value, capped far beyond any channel count.
std::optional<long> ReadLocation(std::string_view text)
{
    text = TrimBlanks(text);
    if (!AllDigits(text)) {
        return std::nullopt;
    }
    while (text.size() > 1 && text.front() == '0') {
        text.remove_prefix(1);
    }
    if (text.size() > std::size_t(kMaxLocationDigits)) {
        return 999999999L;
    }
    return std::stol(std::string(text));
}

}  // namespace

int ProgrammedChannelCount(const RadioData& data)
{
    int count = 0;
    for (int i = 0; i < data.ChannelCount(); ++i) {
        count += IsBcdFrequency(data.Channel(i).RxFrequency()) ? 1 : 0;
    }
    return count;
}

std::string ExportChannelsCsv(const RadioData& data)
{
    std::string out =
        CsvLine(std::vector<std::string>(std::begin(kColumnNames), std::end(kColumnNames)));
    for (int i = 0; i < data.ChannelCount(); ++i) {
        const ConstChannelRecord channel = data.Channel(i);
        std::string rx;
        if (!FormatFrequency(channel.RxFrequency(), rx)) {
            continue;
        }
        std::vector<std::string> row(kColumnCount);
        row[kLocation] = std::to_string(i + 1);
        row[kFrequency] = rx + "0";
        const long long rxUnits = UnitsOf(channel.RxFrequency());
        long long txUnits = rxUnits;
        std::string tx;
        if (!FormatFrequency(channel.TxFrequency(), tx)) {
            row[kDuplex] = "off";
        } else {
            txUnits = UnitsOf(channel.TxFrequency());
            if (txUnits != rxUnits) {
                row[kDuplex] = txUnits > rxUnits ? "+" : "-";
            }
        }
        row[kOffset] = MhzText(txUnits > rxUnits ? txUnits - rxUnits : rxUnits - txUnits);

        const ToneColumns tones = ToneColumnsOf(channel.RxTone(), channel.TxTone());
        row[kTone] = tones.tone;
        row[kRToneFreq] = tones.rToneFreq;
        row[kCToneFreq] = tones.cToneFreq;
        row[kDtcsCode] = tones.dtcsCode;
        row[kDtcsPolarity] = tones.dtcsPolarity;
        row[kRxDtcsCode] = tones.rxDtcsCode;
        row[kCrossMode] = tones.crossMode;

        const OptionColumns options = OptionColumnsOf(channel);
        row[kMode] = options.mode;
        row[kTStep] = StepText(rxUnits, txUnits);
        row[kSkip] = options.skip;
        row[kPower] = options.power;
        row[kComment] = options.comment;
        out += CsvLine(row);
    }
    return out;
}

ChannelPlan ImportChannelsCsv(std::string_view text, int bandLower, int bandUpper, int channelCount)
{
    ChannelPlan plan;
    plan.channelCount = std::clamp(channelCount, 0, kMaxChannels);
    const CsvTable table = ReadCsv(text);
    if (table.status == CsvStatus::NotText) {
        plan.error = PlanError::NotText;
        return plan;
    }
    if (table.status == CsvStatus::UnclosedQuote) {
        plan.error = PlanError::UnclosedQuote;
        plan.errorRow = table.errorRow;
        return plan;
    }

    std::array<int, kColumnCount> at;
    at.fill(-1);
    if (!table.records.empty()) {
        const std::vector<std::string>& header = table.records.front().fields;
        for (std::size_t k = 0; k < header.size(); ++k) {
            for (int c = 0; c < kColumnCount; ++c) {
                if (at[std::size_t(c)] < 0 && SameWord(TrimBlanks(header[k]), kColumnNames[c])) {
                    at[std::size_t(c)] = int(k);
                }
            }
        }
    }
    if (at[kLocation] < 0 || at[kFrequency] < 0) {
        plan.error = PlanError::NoColumns;
        return plan;
    }

    // A file whose smallest location is 0 counts from 0.
    std::vector<std::optional<long>> locations;
    long smallest = 1;
    for (std::size_t r = 1; r < table.records.size(); ++r) {
        locations.push_back(ReadLocation(RowFields(at, table.records[r]).Get(kLocation)));
        if (locations.back()) {
            smallest = std::min(smallest, *locations.back());
        }
    }
    const long first = smallest == 0 ? 0 : 1;

    std::array<int, kMaxChannels> givenBy{};
    for (std::size_t r = 1; r < table.records.size(); ++r) {
        const CsvRecord& record = table.records[r];
        const RowFields fields(at, record);
        const std::optional<long>& location = locations[r - 1];
        auto refuse = [&](RowFault fault) {
            plan.refused.push_back(RefusedRow{record.row, std::move(fault)});
        };
        if (!location) {
            refuse(Fault(RowProblem::Unreadable, {"Location", fields.Get(kLocation)}));
            continue;
        }
        const long channel = *location - first + 1;
        if (channel > plan.channelCount) {
            refuse(Fault(RowProblem::BeyondChannels,
                         {fields.Get(kLocation), std::to_string(plan.channelCount)}));
            continue;
        }
        const std::size_t index = std::size_t(channel - 1);
        if (givenBy[index] != 0) {
            refuse(Fault(RowProblem::LocationTwice,
                         {std::to_string(channel), std::to_string(givenBy[index])}));
            continue;
        }
        ChannelBytes bytes{};
        if (auto fault = ReadChannel(fields, bandLower, bandUpper, bytes)) {
            refuse(std::move(*fault));
            continue;
        }
        plan.channels[index] = bytes;
        givenBy[index] = record.row;
    }
    return plan;
}

ChannelPlan ImportChannelsCsv(std::string_view text, const RadioData& target)
{
    return ImportChannelsCsv(text, target.bandLower, target.bandUpper, target.ChannelCount());
}

}  // namespace radio
