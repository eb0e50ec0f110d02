#include "data/channel_codec.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "data/channel_record.h"

namespace radio {

namespace {

constexpr const char* kCtcss[] = {
    "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",
    "91.5",  "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8",
    "123.0", "127.3", "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8",
    "162.2", "165.5", "167.9", "171.3", "173.8", "177.3", "179.9", "183.5", "186.2",
    "189.9", "192.8", "196.6", "199.5", "203.5", "206.5", "210.7", "218.1", "225.7",
    "229.1", "233.6", "237.7", "241.8", "246.0", "250.3", "254.1",
};

constexpr std::uint16_t kDcsNormal = 0x2800;
constexpr std::uint16_t kDcsInverted = 0xA800;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool IsOctal(char c)
{
    return c >= '0' && c <= '7';
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && s.front() == ' ') {
        s.remove_prefix(1);
    }
    while (!s.empty() && s.back() == ' ') {
        s.remove_suffix(1);
    }
    return s;
}

// The text is a number: digits, at most one point, digits; at least one digit.
bool IsPlainNumber(std::string_view s)
{
    bool digit = false;
    bool point = false;
    for (char c : s) {
        if (IsDigit(c)) {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

bool IsNormalForm(std::string_view s)
{
    if (s.size() != 9 || s[3] != '.') {
        return false;
    }
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (i != 3 && !IsDigit(s[i])) {
            return false;
        }
    }
    return true;
}

// Fixed-point text with a point whatever the C locale says.
std::string FixedText(double value, int decimals)
{
    char buf[64];
    const auto result =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    return std::string(buf, result.ptr);
}

std::string DcsText(const char* prefix, int value)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%s%03o", prefix, value & 0777);
    return buf;
}

}  // namespace

bool IsBcdFrequency(std::uint32_t word)
{
    for (int n = 0; n < 4; ++n) {
        if (((word >> (4 * n)) & 0xF) > 9) {
            return false;
        }
    }
    return true;
}

bool FormatFrequency(std::uint32_t word, std::string& text)
{
    if (!IsBcdFrequency(word)) {
        text.clear();
        return false;
    }
    auto d = [word](int n) { return double((word >> (4 * n)) & 0xF); };
    // Summed in this order so that the printed digits are the stored ones; an upper
    // nibble above 9 counts with its value.
    double value = 100 * d(7) + 10 * d(6) + d(5);
    value += 0.1 * d(4);
    value += 0.01 * d(3);
    value += 0.001 * d(2);
    value += 0.0001 * d(1);
    value += 0.00001 * d(0);
    text = FixedText(value, 5);
    return true;
}

std::string FormatFrequency(std::uint32_t word)
{
    std::string text;
    FormatFrequency(word, text);
    return text;
}

FrequencyCheck NormalizeFrequencyText(std::string& text, int lower, int upper)
{
    const std::string_view trimmed = Trim(text);
    if (trimmed.empty()) {
        text.clear();
        return FrequencyCheck::Empty;
    }
    if (!IsPlainNumber(trimmed)) {
        return FrequencyCheck::Invalid;
    }
    std::string t(trimmed);
    // The whole-MHz part, capped so that a long run of digits cannot overflow.
    const std::size_t point = t.find('.');
    const std::string_view whole = std::string_view(t).substr(0, point);
    long m = 0;
    for (char c : whole) {
        m = m * 10 + (c - '0');
        if (m > 1000000) {
            break;
        }
    }
    const bool inBand = m >= lower && m <= upper;
    if (m < 100 || m > 550) {
        // Far outside every band: the nearer band limit takes its place.
        if (m < lower || m > upper) {
            const std::string limit = std::to_string(m < lower ? lower : upper) + ".00000";
            if (!IsNormalForm(limit)) {
                return FrequencyCheck::Invalid;
            }
            text = limit;
            return FrequencyCheck::OutOfBand;
        }
    }
    if (whole.size() != 3) {
        return FrequencyCheck::Invalid;
    }
    if (t.size() == 3) {
        t += ".0";
    }
    std::string decimals = t.substr(4, 5);
    decimals.resize(5, '0');
    int f = 0;
    std::from_chars(decimals.data(), decimals.data() + decimals.size(), f);
    if (f % 500 != 0 && f % 625 != 0) {
        f = std::max(f / 500 * 500, f / 625 * 625);
    }
    char buf[8];
    std::snprintf(buf, sizeof buf, "%05d", f);
    text = t.substr(0, 4) + buf;
    return inBand ? FrequencyCheck::InBand : FrequencyCheck::OutOfBand;
}

std::optional<std::uint32_t> ParseFrequencyText(std::string_view text)
{
    if (!IsNormalForm(text)) {
        return std::nullopt;
    }
    std::uint32_t word = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i != 3) {
            word = word << 4 | std::uint32_t(text[i] - '0');
        }
    }
    return word;
}

std::string FormatTone(std::uint16_t code, bool valid, std::string_view offText)
{
    if (code == kToneOff) {
        return valid ? std::string(offText) : std::string();
    }
    if ((code >> 8) < 0x28) {
        return FixedText(code * 0.1, 1);
    }
    if ((code >> 8) < 0x80) {
        return DcsText("DN", code);
    }
    return DcsText("DI", code & 0x7FFF);
}

std::uint16_t ParseToneText(std::string_view text, bool valid, std::string_view offText)
{
    if (!valid || text == offText) {
        return kToneOff;
    }
    if (text.size() >= 2 && (text[1] == 'N' || text[1] == 'I')) {
        if (text.size() < 5 || !IsOctal(text[2]) || !IsOctal(text[3]) || !IsOctal(text[4])) {
            return kToneOff;
        }
        const int v = 64 * (text[2] - '0') + 8 * (text[3] - '0') + (text[4] - '0');
        return std::uint16_t((text[1] == 'N' ? kDcsNormal : kDcsInverted) + v);
    }
    // A CTCSS tone in 0.1 Hz. The listed tones multiply out exactly enough for the
    // truncation to keep their tenth.
    double hz = 0;
    std::from_chars(text.data(), text.data() + text.size(), hz);
    const double value = hz * 10;
    if (!(value >= 0 && value < 65536)) {
        return kToneOff;
    }
    return std::uint16_t(value);
}

const std::vector<std::string>& ToneTexts()
{
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> list;
        list.reserve(1076);
        for (const char* t : kCtcss) {
            list.emplace_back(t);
        }
        for (const char* prefix : {"DN", "DI"}) {
            for (int v = 0; v < 512; ++v) {
                list.push_back(DcsText(prefix, v));
            }
        }
        return list;
    }();
    return texts;
}

std::vector<std::string> ToneList(std::string_view offText)
{
    std::vector<std::string> list;
    list.reserve(ToneTexts().size() + 1);
    list.emplace_back(offText);
    list.insert(list.end(), ToneTexts().begin(), ToneTexts().end());
    return list;
}

}  // namespace radio
