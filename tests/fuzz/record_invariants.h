// What must hold of the record, whatever was typed, opened or received. Shared by the
// fuzz targets and the monkey test; each check appends what it found wrong to a list,
// so that a test can print every fault at once.
//
// Which checks apply depends on where the bytes came from:
//   - Bytes the program made from texts (the views' edits, a normalised frequency)
//     must be sane in the record itself: CheckChannels, CheckFeatureBytes.
//   - Bytes from outside (a data file, a radio's memory) may be anything beyond what
//     recognises a data file (its blocks at their fixed addresses, one of the six
//     bands): the loader takes them as they are, so that nothing a user stored is lost
//     or changed. What must be sane there is what the program derives from them: the
//     texts it shows, and the word a shown text gives when the user commits it
//     (CheckShownTexts).
//   - The channel masks are rebuilt before every write from the channels themselves,
//     so after UpdateChannelMasks they hold exactly the existing channels, whatever
//     the record held before (CheckMasks).
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "data/channel_codec.h"
#include "data/radio_data.h"

namespace radio::test {

using Violations = std::vector<std::string>;

// The radio's tone table, written out here rather than taken from the codec so that
// the checks do not trust the code they check: the 52 CTCSS tones in tenths of a
// hertz, and the DCS codes 000..777 (octal) in both polarities.
constexpr std::uint16_t kCtcssTenths[] = {
    670,  693,  719,  744,  770,  797,  825,  854,  885,  915,  948,  974,  1000,
    1035, 1072, 1109, 1148, 1188, 1230, 1273, 1318, 1365, 1413, 1462, 1514, 1567,
    1598, 1622, 1655, 1679, 1713, 1738, 1773, 1799, 1835, 1862, 1899, 1928, 1966,
    1995, 2035, 2065, 2107, 2181, 2257, 2291, 2336, 2377, 2418, 2460, 2503, 2541,
};

inline bool IsListedTone(std::uint16_t code)
{
    if ((code >= 0x2800 && code <= 0x29FF) || (code >= 0xA800 && code <= 0xA9FF)) {
        return true;
    }
    for (std::uint16_t tone : kCtcssTenths) {
        if (tone == code) {
            return true;
        }
    }
    return false;
}

// Eight decimal digits, the upper four nibbles included.
inline bool IsDecimalWord(std::uint32_t word)
{
    for (int n = 0; n < 8; ++n) {
        if (((word >> (4 * n)) & 0xF) > 9) {
            return false;
        }
    }
    return true;
}

inline std::string Hex(std::uint32_t value)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%X", value);
    return buf;
}

inline std::string ChannelName(int index)
{
    return "channel " + std::to_string(index + 1);
}

// A frequency word made from a text: erased, or eight decimal digits.
inline void CheckFrequencyWord(std::uint32_t word, const std::string& where, Violations& out)
{
    if (word != kNoFrequency && !IsDecimalWord(word)) {
        out.push_back(where + ": frequency word " + Hex(word) + " has a nibble above 9");
    }
}

// The channels of the model, as the program's own edits leave them: frequencies
// erased or decimal, tones off or one of the list.
inline void CheckChannels(const RadioData& data, Violations& out)
{
    for (int i = 0; i < data.ChannelCount(); ++i) {
        const ConstChannelRecord ch = data.Channel(i);
        CheckFrequencyWord(ch.RxFrequency(), ChannelName(i) + " receive", out);
        CheckFrequencyWord(ch.TxFrequency(), ChannelName(i) + " transmit", out);
        for (const auto& [code, name] :
             {std::pair{ch.RxTone(), "receive"}, std::pair{ch.TxTone(), "transmit"}}) {
            if (code != kToneOff && !IsListedTone(code)) {
                out.push_back(ChannelName(i) + " " + name + " tone " + Hex(code) +
                              " is neither off nor a tone of the list");
            }
        }
    }
}

// After UpdateChannelMasks: bit b of the present mask stands for channel b + 1 having a
// receive frequency, bit b of the scan mask for that and its scan-add bit, for every
// channel the model has. Bits of channels the model does not have are not rebuilt.
inline void CheckMasks(const RadioData& data, Violations& out)
{
    auto bit = [&data](Block block, int at, int b) {
        const auto& d = data.block(block).data;
        const unsigned mask = unsigned(d[std::size_t(at)] | d[std::size_t(at + 1)] << 8);
        return (mask >> b & 1u) != 0;
    };
    for (int i = 0; i < data.ChannelCount(); ++i) {
        const ConstChannelRecord ch = data.Channel(i);
        const bool present = ch.RxFrequency() != kNoFrequency;
        const bool scan = present && (ch.Bytes()[14] & 1) != 0;
        const Block block = i < 16 ? Block::B0160 : Block::B01B8;
        const int presentAt = i < 16 ? bytes::kPresentMaskLow : bytes::kPresentMaskHigh;
        const int scanAt = i < 16 ? bytes::kScanMaskLow : bytes::kScanMaskHigh;
        if (bit(block, presentAt, i % 16) != present) {
            out.push_back(ChannelName(i) + ": present mask bit " +
                          (present ? "clear for a channel" : "set for no channel"));
        }
        if (bit(block, scanAt, i % 16) != scan) {
            out.push_back(ChannelName(i) + ": scan mask bit " +
                          (scan ? "clear for a scanned channel" : "set for no scanned channel"));
        }
    }
}

inline bool IsDigits(const std::string& s, std::size_t from, std::size_t to)
{
    for (std::size_t i = from; i < to; ++i) {
        if (i >= s.size() || s[i] < '0' || s[i] > '9') {
            return false;
        }
    }
    return true;
}

// A shown frequency: digits, a point and five decimals ("145.12500", "1665.00000"
// when an upper nibble is above 9), or nothing.
inline bool IsShownFrequency(const std::string& s)
{
    const std::size_t point = s.find('.');
    return s.empty() ||
           (point != std::string::npos && point >= 1 && point <= 4 && s.size() == point + 6 &&
            IsDigits(s, 0, point) && IsDigits(s, point + 1, s.size()));
}

// A normalised frequency text as "%.5f" prints its word: without leading zeros in the
// megahertz. A band reaching below 100 MHz (a data file may hold any limits) lets a
// text such as "019.00000" through, whose word shows as 19.00000: the same number.
inline std::string SameNumberAsShown(std::string text)
{
    while (text.size() > 7 && text[0] == '0') {
        text.erase(0, 1);
    }
    return text;
}

// A shown tone: the off text, a tone in hertz with one decimal, or DN/DI and three
// octal digits.
inline bool IsShownTone(const std::string& s, const std::string& off)
{
    if (s == off) {
        return true;
    }
    if (s.size() == 5 && s[0] == 'D' && (s[1] == 'N' || s[1] == 'I')) {
        return s[2] >= '0' && s[2] <= '7' && s[3] >= '0' && s[3] <= '7' && s[4] >= '0' &&
               s[4] <= '7';
    }
    const std::size_t point = s.find('.');
    return point != std::string::npos && point >= 1 && point <= 4 && s.size() == point + 2 &&
           IsDigits(s, 0, point) && IsDigits(s, point + 1, s.size());
}

// The six bands, lower and upper limit in MHz.
constexpr std::pair<int, int> kBandLimits[] = {{136, 174}, {400, 470}, {440, 480},
                                               {450, 520}, {350, 370}, {370, 390}};

inline bool IsOneOfTheBands(int lower, int upper)
{
    for (const auto& [l, u] : kBandLimits) {
        if (l == lower && u == upper) {
            return true;
        }
    }
    return false;
}

// What the channel table shows of any record, and what a shown frequency becomes
// when the user commits it unchanged: the texts are well formed, and the committed
// word is decimal. With one of the six bands every shown frequency can be committed.
inline void CheckShownTexts(const RadioData& data, const std::string& offText, Violations& out)
{
    const bool realBand = IsOneOfTheBands(data.bandLower, data.bandUpper);
    for (int i = 0; i < data.ChannelCount(); ++i) {
        const ConstChannelRecord ch = data.Channel(i);
        std::string rx;
        const bool valid = FormatFrequency(ch.RxFrequency(), rx);
        for (const std::uint32_t word : {ch.RxFrequency(), ch.TxFrequency()}) {
            const std::string shown = FormatFrequency(word);
            if (!IsShownFrequency(shown)) {
                out.push_back(ChannelName(i) + ": frequency " + Hex(word) + " shows as \"" + shown +
                              "\"");
                continue;
            }
            if (shown.empty()) {
                continue;
            }
            std::string committed = shown;
            const FrequencyCheck check =
                NormalizeFrequencyText(committed, data.bandLower, data.bandUpper);
            if (check == FrequencyCheck::Invalid || check == FrequencyCheck::Empty) {
                if (realBand) {
                    out.push_back(ChannelName(i) + ": the shown frequency \"" + shown +
                                  "\" cannot be committed");
                }
                continue;
            }
            const auto parsed = ParseFrequencyText(committed);
            if (!parsed) {
                out.push_back(ChannelName(i) + ": \"" + shown + "\" normalises to \"" + committed +
                              "\", which is not a frequency");
            } else {
                CheckFrequencyWord(*parsed, ChannelName(i) + " committed \"" + shown + "\"", out);
            }
        }
        for (const std::uint16_t code : {ch.RxTone(), ch.TxTone()}) {
            const std::string shown = FormatTone(code, valid, offText);
            // A row without a receive frequency shows the off code as nothing.
            if (!(IsShownTone(shown, offText) || (!valid && shown.empty()))) {
                out.push_back(ChannelName(i) + ": tone " + Hex(code) + " shows as \"" + shown +
                              "\"");
            }
        }
    }
}

// The feature bytes the views edit, in the ranges the views store: a view never
// writes a value outside them, so a record that started inside stays inside.
struct ByteRange {
    Block block;
    int byte;
    int max;
    const char* name;
};
constexpr ByteRange kFeatureRanges[] = {
    {Block::B0120, 12, 1, "switch 3"},
    {Block::B0120, 13, 1, "switch 4"},
    {Block::B0120, 15, 2, "choice B"},
    {Block::B0120, 16, 39, "timer"},
    {Block::B0120, 17, 10, "level A"},
    {Block::B0120, 18, 2, "code selector"},
    {Block::B0120, 19, 1, "code choice"},
    {Block::B0120, 20, 9, "level B"},
    {Block::B0120, 21, 1, "switch 1"},
    {Block::B0120, 22, 1, "switch 2"},
    {Block::B0120, 23, 1, "VOX switch 1"},
    {Block::B0120, 24, 1, "VOX switch 3"},
    {Block::B0120, 25, 1, "VOX on"},
    {Block::B0120, 26, 10, "VOX level"},
    {Block::B0120, 27, 5, "VOX delay"},
    {Block::B0120, 28, 1, "VOX switch 2"},
    {Block::B0120, 29, 1, "choice A"},
    {Block::B0120, 30, 1, "group switch"},
    {Block::B0110, 10, 11, "second key function"},
    {Block::B0110, 13, 11, "key function"},
    {Block::B0160, 0, 2, "scan mode"},
    {Block::B0160, 4, 3, "scan combination"},
};

inline bool IsDtmfByte(std::uint8_t b)
{
    return (b >= '0' && b <= '9') || (b >= 'A' && b <= 'D') || (b >= 'a' && b <= 'd') || b == '*' ||
           b == '#';
}

inline void CheckFeatureBytes(const RadioData& data, Violations& out)
{
    auto byteOf = [&data](Block block, int at) {
        return int(data.block(block).data[std::size_t(at)]);
    };
    for (const ByteRange& r : kFeatureRanges) {
        const int v = byteOf(r.block, r.byte);
        if (v > r.max) {
            out.push_back(std::string(r.name) + " byte is " + std::to_string(v) + ", above " +
                          std::to_string(r.max));
        }
    }
    // The DTMF codes: characters, then 0xFF to the end of the 16 bytes.
    for (const int at : {32, 48}) {
        bool ended = false;
        for (int i = 0; i < 16; ++i) {
            const std::uint8_t b = data.block(Block::B0120).data[std::size_t(at + i)];
            if (ended ? b != 0xFF : !(IsDtmfByte(b) || b == 0xFF)) {
                out.push_back("DTMF code at byte " + std::to_string(at) + ": byte " +
                              std::to_string(i) + " is " + Hex(b));
                break;
            }
            ended = ended || b == 0xFF;
        }
    }
    // Scan: the channel only in mode 1 (1..32, or 0xFF for none); mode 0 offers the
    // first combinations only, mode 2 the second ones only; times 1..91; the two
    // values 0..300.
    const int mode = byteOf(Block::B0160, 0);
    const int channel = byteOf(Block::B0160, 1);
    const int combination = byteOf(Block::B0160, 4);
    if (channel != 0xFF && (mode != 1 || channel < 1 || channel > kMaxChannels)) {
        out.push_back("scan channel " + std::to_string(channel) + " in mode " +
                      std::to_string(mode));
    }
    if ((mode == 0 && combination > 1) || (mode == 2 && combination < 2)) {
        out.push_back("scan combination " + std::to_string(combination) + " in mode " +
                      std::to_string(mode));
    }
    for (const int at : {2, 3}) {
        const int t = byteOf(Block::B0160, at);
        if (t < 1 || t > 91) {
            out.push_back("scan time byte " + std::to_string(at) + " is " + std::to_string(t));
        }
    }
    for (const int at : {5, 7}) {
        const int v = byteOf(Block::B0160, at) | byteOf(Block::B0160, at + 1) << 8;
        if (v > 300) {
            out.push_back("scan value at byte " + std::to_string(at) + " is " + std::to_string(v));
        }
    }
}

// For the fuzz targets: a violation is a crash, with every fault printed first.
inline void AbortOn(const Violations& found, const char* what)
{
    if (found.empty()) {
        return;
    }
    std::fprintf(stderr, "%s: %zu invariant(s) broken:\n", what, found.size());
    for (const std::string& v : found) {
        std::fprintf(stderr, "  %s\n", v.c_str());
    }
    std::abort();
}

}  // namespace radio::test
