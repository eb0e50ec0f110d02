// The frequency and tone texts: what a user types into a channel cell, and what the
// table shows of any word or code. The input is a band selector, a frequency word and
// a tone code (bytes 0-6), and the rest as the typed text:
//   byte 0 modulo 8: one of the six bands (0-5), or the limits taken from bytes 1-8
//   as two 32-bit numbers (6, 7), as a data file may hold them.
// What must hold:
//   - a typed text is refused unchanged, taken as no frequency (blanks only), or
//     normalised to ddd.ddddd on the 5 kHz or 6.25 kHz raster, whose word is decimal,
//     shows as the same number, and normalises to itself again when the limits are
//     in order (and, in one of the six bands, is accepted again); a text called
//     inside the band has its whole megahertz inside it;
//   - a text that parses as a normalised frequency gives a decimal word that shows
//     as the same number;
//   - any word shows as a frequency text or nothing, and what it shows can be
//     committed (CheckShownTexts);
//   - any tone code shows as a tone text; a listed code comes back from its text
//     unchanged, a DCS text always gives a listed code, a CTCSS code at most 0.1 Hz
//     lower; the off text is the off code whatever it says.
#include <algorithm>
#include <cstring>
#include <string>

#include "data/channel_codec.h"
#include "tests/fuzz/record_invariants.h"

using namespace radio;
using namespace radio::test;

namespace {

const char kOff[] = "Off";

bool IsNormalForm(const std::string& s)
{
    return s.size() == 9 && s[3] == '.' && IsDigits(s, 0, 3) && IsDigits(s, 4, 9);
}

std::int32_t Int32At(const std::uint8_t* p)
{
    return std::int32_t(std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                        std::uint32_t(p[3]) << 24);
}

void CheckTyped(const std::string& typed, int lower, int upper, Violations& out)
{
    std::string text = typed;
    const FrequencyCheck check = NormalizeFrequencyText(text, lower, upper);
    const std::string what = "\"" + typed + "\" in " + std::to_string(lower) + "-" +
                             std::to_string(upper) + " -> \"" + text + "\": ";
    switch (check) {
    case FrequencyCheck::Invalid:
        if (text != typed) {
            out.push_back(what + "refused but changed");
        }
        return;
    case FrequencyCheck::Empty:
        if (!text.empty() || typed.find_first_not_of(' ') != std::string::npos) {
            out.push_back(what + "taken as no frequency");
        }
        return;
    case FrequencyCheck::InBand:
    case FrequencyCheck::OutOfBand: break;
    }
    if (!IsNormalForm(text)) {
        out.push_back(what + "not ddd.ddddd");
        return;
    }
    const int fraction = std::stoi(text.substr(4));
    if (fraction % 500 != 0 && fraction % 625 != 0) {
        out.push_back(what + "off the raster");
    }
    const auto word = ParseFrequencyText(text);
    if (!word) {
        out.push_back(what + "does not parse");
        return;
    }
    CheckFrequencyWord(*word, what, out);
    if (FormatFrequency(*word) != SameNumberAsShown(text)) {
        out.push_back(what + "stored as " + Hex(*word) + ", which shows as \"" +
                      FormatFrequency(*word) + "\"");
    }
    std::string again = text;
    const FrequencyCheck second = NormalizeFrequencyText(again, lower, upper);
    // With limits that are not a band (a data file may hold any), a band limit put in
    // place of the text may itself lie outside every band and be refused next time.
    const bool refusedAgain = second == FrequencyCheck::Invalid || second == FrequencyCheck::Empty;
    // With the limits the wrong way round, the band limit put in place of the text
    // may be replaced by the other limit next time.
    if ((again != text && lower <= upper) || (refusedAgain && IsOneOfTheBands(lower, upper))) {
        out.push_back(what + "normalises again to \"" + again + "\"");
    }
    const int whole = std::stoi(text.substr(0, 3));
    if (check == FrequencyCheck::InBand && (whole < lower || whole > upper)) {
        out.push_back(what + "called inside the band");
    }
}

// A normalised text's word shows as the same number.
void CheckParsed(const std::string& typed, Violations& out)
{
    if (const auto word = ParseFrequencyText(typed)) {
        CheckFrequencyWord(*word, "\"" + typed + "\" parsed", out);
        if (FormatFrequency(*word) != SameNumberAsShown(typed)) {
            out.push_back("\"" + typed + "\" parsed to " + Hex(*word) + ", shown as \"" +
                          FormatFrequency(*word) + "\"");
        }
    }
}

void CheckTone(std::uint16_t code, const std::string& typed, Violations& out)
{
    const std::string shown = FormatTone(code, true, kOff);
    const std::uint16_t back = ParseToneText(shown, true, kOff);
    const std::string what = "tone " + Hex(code) + " shown as \"" + shown + "\" -> " + Hex(back);
    if (!IsShownTone(shown, kOff)) {
        out.push_back(what + ": not a tone text");
    } else if (code == kToneOff || IsListedTone(code)) {
        if (back != code) {
            out.push_back(what + ": a listed code did not come back");
        }
    } else if (shown[0] == 'D') {
        if (!IsListedTone(back)) {
            out.push_back(what + ": a DCS text gave an unlisted code");
        }
    } else if (back != code && back + 1 != code) {
        out.push_back(what + ": the tone moved");
    }

    const std::uint16_t typedCode = ParseToneText(typed, true, kOff);
    if (typed.size() == 5 && typed[0] == 'D' && IsShownTone(typed, kOff) &&
        !IsListedTone(typedCode)) {
        out.push_back("\"" + typed + "\" gave the unlisted code " + Hex(typedCode));
    }
    if (ParseToneText(typed, true, typed) != kToneOff ||
        ParseToneText(typed, false, kOff) != kToneOff) {
        out.push_back("\"" + typed + "\" as the off text or without a channel is not off");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t kHead = 9;
    std::uint8_t head[kHead] = {};
    std::memcpy(head, data, std::min(size, kHead));
    const std::string typed(reinterpret_cast<const char*>(data) + std::min(size, kHead),
                            size - std::min(size, kHead));

    int lower = 0;
    int upper = 0;
    if (head[0] % 8 < 6) {
        lower = kBandLimits[head[0] % 8].first;
        upper = kBandLimits[head[0] % 8].second;
    } else {
        lower = Int32At(head + 1);
        upper = Int32At(head + 5);
    }
    const std::uint32_t word = std::uint32_t(Int32At(head + 1));
    const auto code = std::uint16_t(head[5] | head[6] << 8);

    Violations found;
    CheckTyped(typed, lower, upper, found);
    CheckParsed(typed, found);
    CheckTone(code, typed, found);

    RadioData record;
    record.bandLower = lower;
    record.bandUpper = upper;
    ChannelRecord channel = record.Channel(0);
    channel.SetRxFrequency(word);
    channel.SetTxFrequency(~word);
    channel.SetRxTone(code);
    channel.SetTxTone(std::uint16_t(~code));
    CheckShownTexts(record, kOff, found);
    AbortOn(found, "channel codec");
    return 0;
}
