// Texts and channels the channel table tests start from. The option texts are all
// different, so that a text taken for the wrong column shows.
#pragma once

#include <QString>
#include <cstdint>

#include "data/radio_data.h"

namespace radio::test {

inline void SetTableTexts(RadioData& data)
{
    const std::pair<int, const char*> texts[] = {
        {11, "Channels"},
        {42, "CH"},
        {43, "RX Freq"},
        {44, "TX Freq"},
        {45, "RX Tone"},
        {46, "TX Tone"},
        {47, "Off"},
        {48, "Bandwidth"},
        {49, "Wide"},
        {50, "Narrow"},
        {51, "Power"},
        {52, "Low"},
        {53, "High"},
        {54, "Scan add"},
        {55, "On"},
        {60, "Unlocked"},
        {61, "Locked"},
        {64, "Busy lock"},
        {95, "The frequency is outside the band."},
        {96, "Out of band"},
    };
    for (const auto& [n, text] : texts) {
        data.texts.SetText(n, text);
    }
}

struct ChannelValues {
    std::uint32_t rx = 0x14512500;
    std::uint32_t tx = 0x14512500;
    std::uint16_t rxTone = 0xFFFF;
    std::uint16_t txTone = 0xFFFF;
};

// A programmed channel: the given values, wide, high power, in the scan list, no busy
// lock (the options a new channel gets).
inline void SetChannel(RadioData& data, int index, const ChannelValues& values)
{
    ChannelRecord record = data.Channel(index);
    record.Erase();
    record.SetRxFrequency(values.rx);
    record.SetTxFrequency(values.tx);
    record.SetRxTone(values.rxTone);
    record.SetTxTone(values.txTone);
    record.SetOption(ChannelOption::BusyLock, false);
    record.SetOption(ChannelOption::Option10, false);
    record.SetOption(ChannelOption::Option11, false);
    record.SetLevel(0);
}

// Data for the two-metre band, where the tests type their frequencies.
inline void UseVhfBand(RadioData& data)
{
    data.bandLower = 136;
    data.bandUpper = 174;
}

}  // namespace radio::test
