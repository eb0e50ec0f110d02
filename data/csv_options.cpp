#include "data/csv_options.h"

#include <cstdio>
#include <vector>

#include "data/csv_table.h"

namespace radio {

namespace {

// The option bits that a column or a comment word of their own carries.
constexpr ChannelOption kNamedOptions[] = {
    ChannelOption::Wide,     ChannelOption::HighPower, ChannelOption::ScanAdd,
    ChannelOption::BusyLock, ChannelOption::Option10,  ChannelOption::Option11,
};
constexpr std::uint16_t kLevelBits = 0xE000;  // word 14 bits 13-15
constexpr double kHighPowerWatts = 3.0;

// The named bits of option word 12 or 14.
std::uint16_t NamedBits(int word)
{
    std::uint16_t mask = word == 14 ? kLevelBits : 0;
    for (ChannelOption option : kNamedOptions) {
        const OptionBit b = OptionBitOf(option);
        if ((b.byte & ~1) == word) {
            mask = std::uint16_t(mask | 1u << ((b.byte - word) * 8 + b.bit));
        }
    }
    return mask;
}

std::string Hex4(std::uint16_t value)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04X", unsigned(value));
    return buf;
}

bool StartsWithWord(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && SameWord(text.substr(0, prefix.size()), prefix);
}

// 1 to 4 hexadecimal digits.
bool ReadHex(std::string_view text, std::uint16_t& value)
{
    if (text.empty() || text.size() > 4) {
        return false;
    }
    unsigned v = 0;
    for (char c : text) {
        int d = -1;
        if (c >= '0' && c <= '9') {
            d = c - '0';
        } else if ((c | 0x20) >= 'a' && (c | 0x20) <= 'f') {
            d = (c | 0x20) - 'a' + 10;
        }
        if (d < 0) {
            return false;
        }
        v = v << 4 | unsigned(d);
    }
    value = std::uint16_t(v);
    return true;
}

// "High", "Low", empty (High), or watts such as "5.0W" and "0.5 W".
bool ReadPower(std::string_view text, bool& high)
{
    text = TrimBlanks(text);
    if (text.empty() || SameWord(text, "High")) {
        high = true;
        return true;
    }
    if (SameWord(text, "Low")) {
        high = false;
        return true;
    }
    if (text.back() != 'W' && text.back() != 'w') {
        return false;
    }
    text = TrimBlanks(text.substr(0, text.size() - 1));
    double watts = 0;
    double scale = 0;  // 0 before the point, then 0.1, 0.01, ...
    bool digit = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digit = true;
            if (scale == 0) {
                watts = watts * 10 + (c - '0');
            } else {
                watts += (c - '0') * scale;
                scale /= 10;
            }
        } else if (c == '.' && scale == 0) {
            scale = 0.1;
        } else {
            return false;
        }
    }
    high = watts >= kHighPowerWatts;
    return digit;
}

std::vector<std::string_view> Words(std::string_view text)
{
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
            ++i;
        }
        const std::size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != '\t') {
            ++i;
        }
        if (i > start) {
            words.push_back(text.substr(start, i - start));
        }
    }
    return words;
}

RowFault Unreadable(const char* column, std::string_view value)
{
    return RowFault{RowProblem::Unreadable, {column, std::string(value)}};
}

}  // namespace

OptionColumns OptionColumnsOf(ConstChannelRecord channel)
{
    OptionColumns c;
    c.mode = channel.Option(ChannelOption::Wide) ? "FM" : "NFM";
    c.skip = channel.Option(ChannelOption::ScanAdd) ? "" : "S";
    c.power = channel.Option(ChannelOption::HighPower) ? "High" : "Low";
    std::vector<std::string> words;
    if (channel.Option(ChannelOption::BusyLock)) {
        words.emplace_back("BusyLock");
    }
    if (channel.Option(ChannelOption::Option10)) {
        words.emplace_back("Option10");
    }
    if (channel.Option(ChannelOption::Option11)) {
        words.emplace_back("Option11");
    }
    if (channel.Level() != 0) {
        words.push_back("Level=" + std::to_string(channel.Level() + 1));
    }
    const std::uint16_t w12 = channel.OptionWord12();
    const std::uint16_t w14 = channel.OptionWord14();
    if ((w12 | NamedBits(12)) != 0xFFFF) {
        words.push_back("Word12=" + Hex4(w12));
    }
    if ((w14 | NamedBits(14)) != 0xFFFF) {
        words.push_back("Word14=" + Hex4(w14));
    }
    for (const std::string& w : words) {
        c.comment += (c.comment.empty() ? "" : " ") + w;
    }
    return c;
}

std::optional<RowFault> OptionsOf(const OptionColumns& columns, ChannelRecord& channel)
{
    const std::string_view mode = TrimBlanks(columns.mode);
    bool wide = true;
    if (SameWord(mode, "NFM")) {
        wide = false;
    } else if (!mode.empty() && !SameWord(mode, "FM")) {
        return RowFault{RowProblem::ModeNotFm, {columns.mode}};
    }
    const std::string_view skip = TrimBlanks(columns.skip);
    if (!skip.empty() && !SameWord(skip, "S")) {
        return Unreadable("Skip", columns.skip);
    }
    bool high = true;
    if (!ReadPower(columns.power, high)) {
        return Unreadable("Power", columns.power);
    }

    // What the channel table gives a new channel, then the comment's words.
    std::uint16_t unnamed12 = std::uint16_t(~NamedBits(12));
    std::uint16_t unnamed14 = std::uint16_t(~NamedBits(14));
    bool busyLock = false;
    bool option10 = false;
    bool option11 = false;
    int level = 0;
    for (std::string_view word : Words(columns.comment)) {
        std::uint16_t value = 0;
        if (SameWord(word, "BusyLock")) {
            busyLock = true;
        } else if (SameWord(word, "Option10")) {
            option10 = true;
        } else if (SameWord(word, "Option11")) {
            option11 = true;
        } else if (StartsWithWord(word, "Level=")) {
            const std::string_view n = word.substr(6);
            if (n.size() != 1 || n[0] < '1' || n[0] > '8') {
                return Unreadable("Comment", word);
            }
            level = n[0] - '1';
        } else if (StartsWithWord(word, "Word12=") || StartsWithWord(word, "Word14=")) {
            if (!ReadHex(word.substr(7), value)) {
                return Unreadable("Comment", word);
            }
            const bool twelve = word[5] == '2';
            (twelve ? unnamed12 : unnamed14) = std::uint16_t(value & ~NamedBits(twelve ? 12 : 14));
        }
    }

    std::uint8_t* bytes = channel.MutableBytes();
    bytes[12] = std::uint8_t(unnamed12);
    bytes[13] = std::uint8_t(unnamed12 >> 8);
    bytes[14] = std::uint8_t(unnamed14);
    bytes[15] = std::uint8_t(unnamed14 >> 8);
    channel.SetOption(ChannelOption::Wide, wide);
    channel.SetOption(ChannelOption::HighPower, high);
    channel.SetOption(ChannelOption::ScanAdd, skip.empty());
    channel.SetOption(ChannelOption::BusyLock, busyLock);
    channel.SetOption(ChannelOption::Option10, option10);
    channel.SetOption(ChannelOption::Option11, option11);
    channel.SetLevel(level);
    return std::nullopt;
}

}  // namespace radio
