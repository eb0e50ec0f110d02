// The columns of the channel table: grid column c (1..8) shows channel field c, column 0
// holds the row labels and row 0 the header texts. Widths are in twips (1/1440 inch)
// so that the table keeps its proportions at any screen resolution.
#pragma once

#include <array>

#include "data/channel_record.h"

namespace radio {

namespace column {
enum : int {
    Label = 0,
    RxFrequency = 1,
    TxFrequency = 2,
    RxTone = 3,
    TxTone = 4,
    Wide = 5,
    Power = 6,
    ScanAdd = 7,
    BusyLock = 8,
    Count = 9,
    Last = 8,
};
}  // namespace column

// Channel fields beyond the grid columns, set only when a channel is created.
namespace field {
enum : int {
    Level = 9,
    Option10 = 10,
    Option11 = 11,
};
}  // namespace field

// Language text numbers the table uses.
namespace chtext {
enum : int {
    Title = 11,
    Off = 47,  // the off tone and the "0" of the scan-add and hidden options
    Wide = 49,
    Narrow = 50,
    Low = 52,
    High = 53,
    On = 55,
    BusyOff = 60,
    BusyOn = 61,
    OutOfBand = 95,
    OutOfBandCaption = 96,
};
}  // namespace chtext

constexpr int kDefaultColumnTwips = 960;

struct ColumnLayout {
    int headerText;  // language text number
    int widthTwips;  // kDefaultColumnTwips where the grid's default serves
    bool centred;    // otherwise numbers stand to the right, as a grid shows them
};

constexpr std::array<ColumnLayout, column::Count> kColumnLayout = {{
    {42, 800, true},
    {43, 1300, false},
    {44, 1300, false},
    {45, 1120, true},
    {46, 1120, true},
    {48, kDefaultColumnTwips, true},
    {51, kDefaultColumnTwips, true},
    {54, kDefaultColumnTwips, true},
    {64, 1180, true},
}};

// A two-state option: the record bit, and the texts of its two states in the order
// its drop list offers them.
struct OptionField {
    ChannelOption option;
    int textFor1;
    int textFor0;
    bool zeroFirst;  // the drop list lists the text for 0 first
};

// The option of grid columns 5..8 and of the hidden fields 10 and 11.
constexpr OptionField OptionFieldOf(int field)
{
    switch (field) {
    case column::Wide: return {ChannelOption::Wide, chtext::Wide, chtext::Narrow, false};
    case column::Power: return {ChannelOption::HighPower, chtext::High, chtext::Low, true};
    case column::ScanAdd: return {ChannelOption::ScanAdd, chtext::On, chtext::Off, true};
    case column::BusyLock: return {ChannelOption::BusyLock, chtext::BusyOn, chtext::BusyOff, true};
    case field::Option10: return {ChannelOption::Option10, chtext::On, chtext::Off, true};
    case field::Option11: return {ChannelOption::Option11, chtext::On, chtext::Off, true};
    }
    return {ChannelOption::Option11, chtext::On, chtext::Off, true};
}

constexpr bool IsOptionField(int field)
{
    return (field >= column::Wide && field <= column::BusyLock) || field == field::Option10 ||
           field == field::Option11;
}

constexpr bool IsFrequencyColumn(int column)
{
    return column == column::RxFrequency || column == column::TxFrequency;
}

constexpr bool IsToneColumn(int column)
{
    return column == column::RxTone || column == column::TxTone;
}

}  // namespace radio
