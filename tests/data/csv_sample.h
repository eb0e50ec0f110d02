// A data set with one channel of each tone mode and each duplex, shared by the CSV
// tests of the data layer and of radioprog-cli. chirp_generic.csv beside this file
// holds the same channels as CHIRP's generic CSV format writes them; it was written
// by hand from the format's description.
#pragma once

#include <QString>

#include "data/channel_record.h"
#include "data/radio_data.h"

namespace radio::test {

inline QString ChirpSamplePath()
{
    return QStringLiteral(RADIOPROG_TEST_DATA_DIR "/chirp_generic.csv");
}

// A channel as the channel table creates it: wide, high power, in the scan list,
// busy lock and the two hidden options off, level 1, every other option bit set.
inline ChannelRecord NewChannel(RadioData& data, int index, std::uint32_t rx, std::uint32_t tx,
                                std::uint16_t rxTone, std::uint16_t txTone)
{
    ChannelRecord channel = data.Channel(index);
    channel.Erase();
    channel.SetRxFrequency(rx);
    channel.SetTxFrequency(tx);
    channel.SetRxTone(rxTone);
    channel.SetTxTone(txTone);
    channel.SetOption(ChannelOption::BusyLock, false);
    channel.SetOption(ChannelOption::Option10, false);
    channel.SetOption(ChannelOption::Option11, false);
    channel.SetLevel(0);
    return channel;
}

constexpr std::uint16_t kDn023 = 0x2813;
constexpr std::uint16_t kDi754 = 0xA9EC;
constexpr std::uint16_t kDn754 = 0x29EC;
constexpr std::uint16_t kDn047 = 0x2827;
constexpr std::uint16_t kDi411 = 0xA909;
constexpr std::uint16_t kDi023 = 0xA813;

// 400-470 MHz, 16 channels; channels 1-13 programmed, 14-16 empty.
inline RadioData EachToneModeRecord()
{
    RadioData data;
    data.bandLower = 400;
    data.bandUpper = 470;
    data.model = 1;
    NewChannel(data, 0, 0x43012500, 0x43012500, kToneOff, kToneOff);  // no tones, simplex
    NewChannel(data, 1, 0x43100000, 0x43600000, kToneOff, 885);       // Tone, +5 MHz
    NewChannel(data, 2, 0x43250000, 0x42750000, 1000, 1000);          // TSQL, -5 MHz
    NewChannel(data, 3, 0x43300625, 0x43300625, kDn023, kDn023)       // DTCS NN, narrow
        .SetOption(ChannelOption::Wide, false);
    NewChannel(data, 4, 0x43400000, 0x43400000, kDi754, kDi754)  // DTCS RR, low power
        .SetOption(ChannelOption::HighPower, false);
    NewChannel(data, 5, 0x43500000, 0x43500000, 2541, 670)  // Tone->Tone, not scanned
        .SetOption(ChannelOption::ScanAdd, false);
    NewChannel(data, 6, 0x43600000, 0x43600000, kDi754, 885);            // Tone->DTCS
    NewChannel(data, 7, 0x43700000, 0x43700000, 1230, kDn023);           // DTCS->Tone
    NewChannel(data, 8, 0x43800000, 0x43800000, 1318, kToneOff);         // ->Tone
    NewChannel(data, 9, 0x43900000, 0x43900000, kDn047, kToneOff);       // ->DTCS
    NewChannel(data, 10, 0x44000000, 0x44000000, kToneOff, kDi411);      // DTCS->
    NewChannel(data, 11, 0x44100000, 0x44100000, kDn754, kDn023);        // DTCS->DTCS
    NewChannel(data, 12, 0x44200000, kNoFrequency, kToneOff, kToneOff);  // receive only
    return data;
}

}  // namespace radio::test
