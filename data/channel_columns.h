// The columns of the channel table: grid column c (1..8) shows channel field c, column 0
// holds the row labels and row 0 the header texts. Widths are in twips (1/1440 inch)
// so that the table keeps its proportions at any screen resolution.
#pragma once

#include <array>

#include "data/channel_record.h"
#include "data/language_table.h"

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

constexpr int kDefaultColumnTwips = 960;

struct ColumnLayout {
    int headerText;  // its text
    int widthTwips;  // kDefaultColumnTwips where the grid's default serves
    bool centred;    // otherwise numbers stand to the right, as a grid shows them
};

constexpr std::array<ColumnLayout, column::Count> kColumnLayout = {{
    {text::ColumnChannel, 800, true},
    {text::ColumnRxFrequency, 1300, false},
    {text::ColumnTxFrequency, 1300, false},
    {text::ColumnRxTone, 1120, true},
    {text::ColumnTxTone, 1120, true},
    {text::ColumnBandwidth, kDefaultColumnTwips, true},
    {text::ColumnPower, kDefaultColumnTwips, true},
    {text::ColumnScanAdd, kDefaultColumnTwips, true},
    {text::ColumnBusyLock, 1180, true},
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
    case column::Wide: return {ChannelOption::Wide, text::Wide, text::Narrow, false};
    case column::Power: return {ChannelOption::HighPower, text::High, text::Low, true};
    case column::ScanAdd: return {ChannelOption::ScanAdd, text::On, text::Off, true};
    case column::BusyLock:
        return {ChannelOption::BusyLock, text::SwitchedOn, text::SwitchedOff, true};
    case field::Option10: return {ChannelOption::Option10, text::On, text::Off, true};
    case field::Option11: return {ChannelOption::Option11, text::On, text::Off, true};
    }
    return {ChannelOption::Option11, text::On, text::Off, true};
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
