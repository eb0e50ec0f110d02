// A CSV channel plan made of any bytes, imported into a data set. What must hold:
//   - a file that is no plan names why and gives no channel and no refused row; a
//     refused row names a line after the header and its reason's values;
//   - every channel the plan gives is one the program could have typed: a receive
//     frequency inside the band, a transmit frequency inside the band or none, tones
//     off or of the list;
//   - applying the plan changes the channels of the data set's count and nothing
//     else: features, key and scan settings, band, model and the channel blocks
//     beyond the count stay as they were;
//   - the channels imported, exported and imported again are the same bytes.
// The first byte of the input chooses the data set's band and channel count.
#include <cstring>
#include <string>
#include <string_view>

#include "data/bands.h"
#include "data/channel_codec.h"
#include "data/channel_csv.h"
#include "tests/fuzz/record_invariants.h"

using namespace radio;
using namespace radio::test;

namespace {

// A data set that differs from the defaults wherever an import must not reach.
RadioData Target(std::uint8_t choice)
{
    RadioData data;
    const Band band = kBands[choice % kBandCount];
    data.bandLower = band.lower;
    data.bandUpper = band.upper;
    data.model = (choice / kBandCount) % 2;
    for (Block b : {Block::B0120, Block::B0110, Block::B0160, Block::B03C0}) {
        for (std::size_t i = 0; i < data.block(b).data.size(); ++i) {
            data.block(b).data[i] = std::uint8_t(i * 7 + int(b));
        }
    }
    for (int k = data.ChannelBlocksInUse(); k < kChannelBlockCount; ++k) {
        data.block(ChannelBlock(k)).data.fill(0x5A);
    }
    return data;
}

void CheckInBand(std::uint32_t word, const RadioData& data, const std::string& where,
                 bool mayBeNone, Violations& out)
{
    if (word == kNoFrequency) {
        if (!mayBeNone) {
            out.push_back(where + " is missing");
        }
        return;
    }
    std::string text;
    if (!FormatFrequency(word, text)) {
        out.push_back(where + " " + Hex(word) + " is no frequency");
        return;
    }
    const int mhz = std::stoi(text.substr(0, text.find('.')));
    if (mhz < data.bandLower || mhz > data.bandUpper) {
        out.push_back(where + " " + text + " lies outside the band");
    }
}

void CheckPlan(const ChannelPlan& plan, const RadioData& data, Violations& out)
{
    if (!plan.ok()) {
        if (plan.ChannelsToImport() != 0 || !plan.refused.empty()) {
            out.push_back("a file that is no plan still gives channels or refused rows");
        }
        return;
    }
    for (const RefusedRow& row : plan.refused) {
        if (row.row < 2 || row.fault.values.empty()) {
            out.push_back("refused row " + std::to_string(row.row) + " without its reason");
        }
    }
    for (int i = 0; i < kMaxChannels; ++i) {
        if (!plan.channels[std::size_t(i)]) {
            continue;
        }
        if (i >= plan.channelCount) {
            out.push_back(ChannelName(i) + " lies beyond the data set's channels");
            continue;
        }
        RadioData one = data;
        std::memcpy(one.Channel(i).MutableBytes(), plan.channels[std::size_t(i)]->data(),
                    kChannelRecordSize);
        const ConstChannelRecord ch = std::as_const(one).Channel(i);
        CheckInBand(ch.RxFrequency(), data, ChannelName(i) + " receive", false, out);
        CheckInBand(ch.TxFrequency(), data, ChannelName(i) + " transmit", true, out);
    }
}

void CheckUntouched(const RadioData& before, const RadioData& after, Violations& out)
{
    for (Block b : {Block::B0000, Block::B0120, Block::B0110, Block::B03C0}) {
        if (before.block(b).data != after.block(b).data) {
            out.push_back("block " + Hex(DefaultAddress(b)) + " changed");
        }
    }
    if (before.bandLower != after.bandLower || before.model != after.model ||
        before.port != after.port) {
        out.push_back("band, model or port changed");
    }
    for (int k = before.ChannelBlocksInUse(); k < kChannelBlockCount; ++k) {
        if (before.block(ChannelBlock(k)).data != after.block(ChannelBlock(k)).data) {
            out.push_back("channel block " + std::to_string(k) + " beyond the count changed");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const RadioData start = Target(data[0]);
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const ChannelPlan plan = ImportChannelsCsv(text, start);

    Violations found;
    CheckPlan(plan, start, found);
    RadioData imported = start;
    ApplyChannelPlan(plan, imported);
    CheckChannels(imported, found);
    CheckUntouched(start, imported, found);

    if (plan.ok()) {
        // Exported and imported again: the same channels, nothing refused.
        const ChannelPlan again = ImportChannelsCsv(ExportChannelsCsv(imported), start);
        if (!again.ok() || !again.refused.empty()) {
            found.push_back("the export of what was imported does not import");
        } else {
            RadioData twice = start;
            ApplyChannelPlan(again, twice);
            for (int i = 0; i < imported.ChannelCount(); ++i) {
                if (std::memcmp(twice.Channel(i).Bytes(), imported.Channel(i).Bytes(),
                                kChannelRecordSize) != 0) {
                    found.push_back(ChannelName(i) + " differs after export and import");
                }
            }
        }
        imported.UpdateChannelMasks();
        CheckMasks(imported, found);
    }
    AbortOn(found, "channel plan");
    return 0;
}
