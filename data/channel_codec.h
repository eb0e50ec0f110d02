// Conversions between the channel record's codes and the texts the user sees:
// frequency words of 8 BCD digits (10 Hz units, 145.125 MHz = 0x14512500) and
// 16-bit tone codes (CTCSS in 0.1 Hz, DCS normal 0x2800 + v, inverted 0xA800 + v).
// Every function is pure and total: any input gives a defined result.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace radio {

// True when the four low nibbles are decimal digits (the upper four are not looked at).
bool IsBcdFrequency(std::uint32_t word);

// "%.5f" of the frequency in MHz; empty and false when the word is not BCD.
bool FormatFrequency(std::uint32_t word, std::string& text);
std::string FormatFrequency(std::uint32_t word);

enum class FrequencyCheck {
    InBand,     // normalised, whole-MHz part inside the band
    OutOfBand,  // normalised (or replaced by a band limit), outside the band
    Empty,      // blanks only: no frequency
    Invalid,    // not a frequency; the text is left as it was
};

// Brings a typed frequency into the form ddd.ddddd: a whole-MHz part below 100 or
// above 550 becomes the nearer band limit, missing decimals become zeros, more than
// five decimals are dropped, and the rest goes down to the 5 kHz or 6.25 kHz raster
// (the larger of the two). `lower` and `upper` are the band limits in MHz.
FrequencyCheck NormalizeFrequencyText(std::string& text, int lower, int upper);

// The word of a normalised text ddd.ddddd; nothing for any other text.
std::optional<std::uint32_t> ParseFrequencyText(std::string_view text);

// "88.5", "DN023", "DI754"; the off code gives `offText` when `valid`, else "".
std::string FormatTone(std::uint16_t code, bool valid, std::string_view offText);

// Inverse of FormatTone for every entry of the tone list. The off text, an invalid
// channel, and a DCS text without three octal digits give the off code.
std::uint16_t ParseToneText(std::string_view text, bool valid, std::string_view offText);

// The 52 CTCSS texts, then DN000..DN777, then DI000..DI777 (1076 texts).
const std::vector<std::string>& ToneTexts();

// The tone list of the drop lists: the off text followed by ToneTexts() (1077 entries).
std::vector<std::string> ToneList(std::string_view offText);

}  // namespace radio
