#include "sim/demo_memory.h"

#include <string>

#include "data/channel_codec.h"
#include "link/protocol.h"

namespace radio::sim {

namespace {

struct DemoChannel {
    const char* rx;  // MHz above the band's lower edge
    const char* tx;
    const char* rxTone;  // as the tone list shows it; "" for none
    const char* txTone;
    bool wide;
    bool highPower;
    bool scanAdd;
    bool busyLock;
};

// Every band is at least 20 MHz wide, so the plan fits each of them.
constexpr DemoChannel kPlan[] = {
    {"5.12500", "5.12500", "", "", true, true, true, false},              // simplex, no tones
    {"9.45000", "1.85000", "88.5", "88.5", true, true, true, false},      // repeater, CTCSS both
    {"8.77500", "1.17500", "", "123.0", true, true, true, false},         // repeater, CTCSS out
    {"6.00625", "6.00625", "DN023", "DN023", false, false, true, false},  // DCS both, narrow
    {"3.50000", "3.50000", "DI754", "67.0", false, true, true, true},     // DCS in, CTCSS out
    {"12.56250", "12.56250", "", "", true, false, false, true},           // out of the scan list
};

std::uint32_t FrequencyAbove(int lower, const char* offset)
{
    // "5.12500" above 400 MHz is 405.12500: whole MHz and the five decimals apart.
    const std::string text(offset);
    const std::size_t point = text.find('.');
    const int whole = lower + std::stoi(text.substr(0, point));
    return ParseFrequencyText(std::to_string(whole) + text.substr(point)).value_or(kNoFrequency);
}

std::uint16_t Tone(const char* text)
{
    return ParseToneText(text, true, "");
}

}  // namespace

RadioMemory DemoMemory(int bandLower, int model)
{
    RadioMemory memory = FactoryMemory(bandLower, model);
    const Band band = BandOfLower(bandLower);
    RadioData record = RecordOf(memory, band.lower, band.upper, model);
    int index = 0;
    for (const DemoChannel& c : kPlan) {
        ChannelRecord channel = record.Channel(index++);
        channel.Erase();
        channel.SetRxFrequency(FrequencyAbove(band.lower, c.rx));
        channel.SetTxFrequency(FrequencyAbove(band.lower, c.tx));
        channel.SetRxTone(Tone(c.rxTone));
        channel.SetTxTone(Tone(c.txTone));
        channel.SetOption(ChannelOption::Wide, c.wide);
        channel.SetOption(ChannelOption::HighPower, c.highPower);
        channel.SetOption(ChannelOption::ScanAdd, c.scanAdd);
        channel.SetOption(ChannelOption::BusyLock, c.busyLock);
        channel.SetOption(ChannelOption::Option10, false);
        channel.SetOption(ChannelOption::Option11, false);
        channel.SetLevel(0);
    }
    record.UpdateChannelMasks();
    PutRecord(memory, record);
    return memory;
}

}  // namespace radio::sim
