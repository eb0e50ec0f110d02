#include "data/channel_rows.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>

#include "data/channel_codec.h"
#include "data/channel_record.h"

namespace radio {

namespace {

using RecordBytes = std::array<std::uint8_t, kChannelRecordSize>;

RecordBytes Take(const RadioData& data, int index)
{
    RecordBytes bytes;
    std::memcpy(bytes.data(), data.Channel(index).Bytes(), bytes.size());
    return bytes;
}

void Put(RadioData& data, int index, const RecordBytes& bytes)
{
    std::memcpy(data.Channel(index).MutableBytes(), bytes.data(), bytes.size());
}

// Programmed as the table shows it: the receive frequency formats (its four low
// nibbles are digits). A channel that is not programmed shows an empty row.
bool IsProgrammed(const RadioData& data, int index)
{
    return IsBcdFrequency(data.Channel(index).RxFrequency());
}

// The rows of the model, ascending, each once.
std::vector<int> RowsInModel(const RadioData& data, const std::vector<int>& rows)
{
    std::vector<int> sorted;
    for (int row : rows) {
        if (row >= 0 && row < data.ChannelCount()) {
            sorted.push_back(row);
        }
    }
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    return sorted;
}

bool Contains(const std::vector<int>& sortedRows, int row)
{
    return std::binary_search(sortedRows.begin(), sortedRows.end(), row);
}

std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return std::string();
    }
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool AllOctal(const std::string& s, std::size_t at, std::size_t count)
{
    if (s.size() < at + count) {
        return false;
    }
    for (std::size_t i = at; i < at + count; ++i) {
        if (s[i] < '0' || s[i] > '7') {
            return false;
        }
    }
    return true;
}

// The frequency word of a text typed as into the table, normalised as the table
// normalises it. Nothing when the text is no frequency, or when the table would put
// a band limit in its place ("88.5" is a tone, not 400 MHz).
std::optional<std::uint32_t> FrequencyOfText(const std::string& typed, const RadioData& data)
{
    std::string text = typed;
    const FrequencyCheck check = NormalizeFrequencyText(text, data.bandLower, data.bandUpper);
    if (check != FrequencyCheck::InBand && check != FrequencyCheck::OutOfBand) {
        return std::nullopt;
    }
    const std::string whole = typed.substr(0, typed.find('.'));
    if (whole.size() != 3 || text.compare(0, 3, whole) != 0) {
        return std::nullopt;
    }
    return ParseFrequencyText(text);
}

// The tone code of a tone list text ("88.5", "DN023", "DI754") or of a DCS code in
// one of its usual writings: "D023N", "023N" and "D023" for DN023, "D023I" and
// "023I" for DI023. `upper` is trimmed and in capitals.
std::optional<std::uint16_t> ToneOfText(const std::string& upper)
{
    std::string entry;
    const std::size_t n = upper.size();
    if (n == 5 && upper[0] == 'D' && (upper[1] == 'N' || upper[1] == 'I') &&
        AllOctal(upper, 2, 3)) {
        entry = upper;
    } else if (n == 5 && upper[0] == 'D' && AllOctal(upper, 1, 3) &&
               (upper[4] == 'N' || upper[4] == 'I')) {
        entry = std::string("D") + upper[4] + upper.substr(1, 3);
    } else if (n == 4 && AllOctal(upper, 0, 3) && (upper[3] == 'N' || upper[3] == 'I')) {
        entry = std::string("D") + upper[3] + upper.substr(0, 3);
    } else if (n == 4 && upper[0] == 'D' && AllOctal(upper, 1, 3)) {
        entry = "DN" + upper.substr(1, 3);
    } else {
        const std::vector<std::string>& tones = ToneTexts();
        if (std::find(tones.begin(), tones.end(), upper) == tones.end()) {
            return std::nullopt;
        }
        entry = upper;
    }
    return ParseToneText(entry, true, std::string_view());
}

}  // namespace

std::uint64_t FrequencyUnits(std::uint32_t word)
{
    std::uint64_t units = 0;
    for (int n = 7; n >= 0; --n) {
        units = units * 10 + ((word >> (4 * n)) & 0xF);
    }
    return units;
}

std::uint32_t FrequencyWordOf(std::uint64_t units)
{
    if (units > 99999999) {
        return kNoFrequency;
    }
    std::uint32_t word = 0;
    for (int n = 0; n < 8; ++n) {
        word |= std::uint32_t(units % 10) << (4 * n);
        units /= 10;
    }
    return word;
}

void EmptyChannel(RadioData& data, int index)
{
    if (index < 0 || index >= kMaxChannels) {
        return;
    }
    ChannelRecord channel = data.Channel(index);
    channel.SetRxFrequency(kNoFrequency);
    channel.SetTxFrequency(kNoFrequency);
    channel.SetRxTone(kToneOff);
    channel.SetTxTone(kToneOff);
    for (ChannelOption option :
         {ChannelOption::Wide, ChannelOption::HighPower, ChannelOption::ScanAdd,
          ChannelOption::BusyLock, ChannelOption::Option10, ChannelOption::Option11}) {
        channel.SetOption(option, true);
    }
    channel.SetLevel(7);
}

void MakeNewChannel(RadioData& data, int index, std::uint32_t rxWord)
{
    if (index < 0 || index >= kMaxChannels) {
        return;
    }
    // A receive frequency that does not format makes no channel.
    if (!IsBcdFrequency(rxWord)) {
        EmptyChannel(data, index);
        return;
    }
    ChannelRecord channel = data.Channel(index);
    channel.SetRxFrequency(rxWord);
    channel.SetTxFrequency(rxWord);
    channel.SetRxTone(kToneOff);
    channel.SetTxTone(kToneOff);
    channel.SetOption(ChannelOption::Wide, true);
    channel.SetOption(ChannelOption::HighPower, true);
    channel.SetOption(ChannelOption::ScanAdd, true);
    channel.SetOption(ChannelOption::BusyLock, false);
    channel.SetOption(ChannelOption::Option10, false);
    channel.SetOption(ChannelOption::Option11, false);
    channel.SetLevel(0);
}

RowsRefusal InsertEmptyChannels(RadioData& data, int first, int count)
{
    const int n = data.ChannelCount();
    RowsRefusal result;
    if (first < 0 || first >= n || count <= 0) {
        return result;
    }
    count = std::min(count, n - first);
    for (int i = n - count; i < n; ++i) {
        if (IsProgrammed(data, i)) {
            result.kind = RowsRefusal::Kind::NoRoom;
            result.channel = i;
            return result;
        }
    }
    // The empty channels that leave the end come back at `first`, so that whatever
    // their option bits the table does not show held stays in the record.
    std::vector<RecordBytes> records;
    for (int i = first; i < n; ++i) {
        records.push_back(Take(data, i));
    }
    std::rotate(records.begin(), records.end() - count, records.end());
    for (int i = first; i < n; ++i) {
        Put(data, i, records[std::size_t(i - first)]);
    }
    for (int i = first; i < first + count; ++i) {
        EmptyChannel(data, i);
    }
    return result;
}

void DeleteChannels(RadioData& data, const std::vector<int>& rows)
{
    const std::vector<int> doomed = RowsInModel(data, rows);
    if (doomed.empty()) {
        return;
    }
    const int n = data.ChannelCount();
    const int from = doomed.front();
    // The channels kept move up in their order; the deleted ones, emptied, fill the
    // end, as if each had been emptied in the table and moved down there.
    std::vector<RecordBytes> kept;
    std::vector<RecordBytes> deleted;
    for (int i = from; i < n; ++i) {
        (Contains(doomed, i) ? deleted : kept).push_back(Take(data, i));
    }
    kept.insert(kept.end(), deleted.begin(), deleted.end());
    for (int i = from; i < n; ++i) {
        Put(data, i, kept[std::size_t(i - from)]);
    }
    for (int i = n - int(deleted.size()); i < n; ++i) {
        EmptyChannel(data, i);
    }
}

RowsRefusal MoveChannels(RadioData& data, const std::vector<int>& rows, int step,
                         std::vector<int>* moved)
{
    std::vector<int> set = RowsInModel(data, rows);
    RowsRefusal result;
    if (moved) {
        moved->clear();
    }
    if (set.empty() || step == 0) {
        if (moved) {
            *moved = set;
        }
        return result;
    }
    step = step < 0 ? -1 : 1;
    const int edge = step < 0 ? 0 : data.ChannelCount() - 1;
    if (Contains(set, edge)) {
        result.kind = RowsRefusal::Kind::AtEdge;
        result.channel = edge;
        if (moved) {
            *moved = set;
        }
        return result;
    }
    // Nearest the edge first: each channel changes place with the one beside it, so
    // a run of channels moves as a block and its outside neighbour goes to its far end.
    if (step > 0) {
        std::reverse(set.begin(), set.end());
    }
    for (int row : set) {
        const RecordBytes here = Take(data, row);
        Put(data, row, Take(data, row + step));
        Put(data, row + step, here);
    }
    if (moved) {
        for (int row : set) {
            moved->push_back(row + step);
        }
        std::sort(moved->begin(), moved->end());
    }
    return result;
}

void SortChannelsByReceive(RadioData& data, const std::vector<int>& rows)
{
    std::vector<int> places = RowsInModel(data, rows);
    if (places.size() < 2) {
        places.clear();
        for (int i = 0; i < data.ChannelCount(); ++i) {
            places.push_back(i);
        }
    }
    struct Entry {
        bool empty;
        std::uint64_t key;  // the frequency as it is shown, in 10 Hz units
        RecordBytes bytes;
    };
    std::vector<Entry> entries;
    for (int place : places) {
        const bool programmed = IsProgrammed(data, place);
        entries.push_back({!programmed,
                           programmed ? FrequencyUnits(data.Channel(place).RxFrequency()) : 0,
                           Take(data, place)});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (a.empty != b.empty) {
            return b.empty;
        }
        return a.key < b.key;
    });
    for (std::size_t i = 0; i < places.size(); ++i) {
        Put(data, places[i], entries[i].bytes);
    }
}

std::vector<int> FillTargets(int current, const std::vector<int>& rows)
{
    std::vector<int> targets;
    for (int row : rows) {
        if (row > current && row >= 0 && row < kMaxChannels) {
            targets.push_back(row);
        }
    }
    std::sort(targets.begin(), targets.end());
    targets.erase(std::unique(targets.begin(), targets.end()), targets.end());
    return targets;
}

int ProgrammedCount(const RadioData& data, const std::vector<int>& rows)
{
    int count = 0;
    for (int row : RowsInModel(data, rows)) {
        count += IsProgrammed(data, row) ? 1 : 0;
    }
    return count;
}

RowsRefusal FillFrequencies(RadioData& data, int current, const std::vector<int>& rows,
                            std::uint32_t step)
{
    RowsRefusal result;
    if (current < 0 || current >= data.ChannelCount() || !IsProgrammed(data, current)) {
        result.kind = RowsRefusal::Kind::NoStart;
        result.channel = current;
        return result;
    }
    const std::vector<int> targets = RowsInModel(data, FillTargets(current, rows));
    const std::uint64_t start = FrequencyUnits(data.Channel(current).RxFrequency());
    const std::uint64_t lower = std::uint64_t(std::max(data.bandLower, 0)) * 100000;
    const std::uint64_t upper = std::uint64_t(std::max(data.bandUpper, 0)) * 100000 + 99999;
    // The band holds a frequency whose whole-MHz part lies within its limits, as the
    // table takes a typed one.
    auto inBand = [&](std::int64_t units) {
        return units >= std::int64_t(lower) && units <= std::int64_t(upper);
    };
    struct Planned {
        int row;
        std::uint32_t rx;
        std::optional<std::uint32_t> tx;  // a programmed channel's moved transmit frequency
    };
    std::vector<Planned> plan;
    std::int64_t rx = std::int64_t(start);
    for (int row : targets) {
        rx += std::int64_t(step);
        if (!inBand(rx)) {
            result.kind = RowsRefusal::Kind::OutOfBand;
            result.channel = row;
            result.frequency = std::uint32_t(std::min<std::int64_t>(rx, 0xFFFFFFFF));
            return result;
        }
        Planned p{row, FrequencyWordOf(std::uint64_t(rx)), std::nullopt};
        const ConstChannelRecord channel = data.Channel(row);
        if (IsProgrammed(data, row) && IsBcdFrequency(channel.TxFrequency())) {
            const std::int64_t offset = std::int64_t(FrequencyUnits(channel.TxFrequency())) -
                                        std::int64_t(FrequencyUnits(channel.RxFrequency()));
            const std::int64_t tx = rx + offset;
            if (!inBand(tx)) {
                result.kind = RowsRefusal::Kind::OutOfBand;
                result.channel = row;
                result.frequency = std::uint32_t(std::clamp<std::int64_t>(tx, 0, 0xFFFFFFFF));
                return result;
            }
            p.tx = FrequencyWordOf(std::uint64_t(tx));
        }
        plan.push_back(p);
    }
    for (const Planned& p : plan) {
        if (!IsProgrammed(data, p.row)) {
            MakeNewChannel(data, p.row, p.rx);
            continue;
        }
        ChannelRecord channel = data.Channel(p.row);
        channel.SetRxFrequency(p.rx);
        if (p.tx) {
            channel.SetTxFrequency(*p.tx);
        }
    }
    return result;
}

RowsRefusal FindChannel(const RadioData& data, int from, const std::string& text)
{
    RowsRefusal result;
    const std::string trimmed = Trimmed(text);
    std::string upper = trimmed;
    for (char& c : upper) {
        c = char(std::toupper(static_cast<unsigned char>(c)));
    }
    const std::optional<std::uint32_t> frequency = FrequencyOfText(trimmed, data);
    const std::optional<std::uint16_t> tone = ToneOfText(upper);
    if (!frequency && !tone) {
        result.kind = RowsRefusal::Kind::NotUnderstood;
        return result;
    }
    const int n = data.ChannelCount();
    const int start = from >= 0 && from < n ? from : n - 1;
    for (int k = 1; k <= n; ++k) {
        const int i = (start + k) % n;
        if (!IsProgrammed(data, i)) {
            continue;
        }
        const ConstChannelRecord channel = data.Channel(i);
        const bool found = (frequency && (channel.RxFrequency() == *frequency ||
                                          channel.TxFrequency() == *frequency)) ||
                           (tone && (channel.RxTone() == *tone || channel.TxTone() == *tone));
        if (found) {
            result.channel = i;
            return result;
        }
    }
    result.kind = RowsRefusal::Kind::NotFound;
    return result;
}

RowsRefusal ApplyBulkSettings(RadioData& data, const std::vector<int>& rows,
                              const BulkSettings& settings)
{
    RowsRefusal result;
    bool any = false;
    for (int row : RowsInModel(data, rows)) {
        if (!IsProgrammed(data, row)) {
            continue;
        }
        any = true;
        ChannelRecord channel = data.Channel(row);
        if (settings.rxTone) {
            channel.SetRxTone(*settings.rxTone);
        }
        if (settings.txTone && IsBcdFrequency(channel.TxFrequency())) {
            channel.SetTxTone(*settings.txTone);
        }
        const std::pair<const std::optional<bool>*, ChannelOption> options[] = {
            {&settings.wide, ChannelOption::Wide},
            {&settings.highPower, ChannelOption::HighPower},
            {&settings.scanAdd, ChannelOption::ScanAdd},
            {&settings.busyLock, ChannelOption::BusyLock},
        };
        for (const auto& [value, option] : options) {
            if (*value) {
                channel.SetOption(option, **value);
            }
        }
    }
    if (!any) {
        result.kind = RowsRefusal::Kind::NoChannels;
    }
    return result;
}

}  // namespace radio
