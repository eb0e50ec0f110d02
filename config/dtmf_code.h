// The two DTMF codes of the optional features: up to 16 characters, kept in block
// 0x0120 as ASCII, one per byte, with 0xFF after the last character.
#pragma once

#include <QString>
#include <cstdint>

namespace radio {

constexpr int kDtmfCodeLength = 16;

// 0-9, A-D, a-d, * and #. Letters are kept in the case they were typed.
bool IsDtmfCharacter(QChar c);
// A text the code fields take: DTMF characters only, at most 16 of them.
bool IsDtmfCode(const QString& text);

// Reads the characters from the first byte on; the first byte that is not a DTMF
// character (0xFF in particular) ends the code.
QString DecodeDtmfCode(const std::uint8_t* bytes);
// Writes the 16 bytes: the code's characters, 0xFF after them (and in place of any
// character that is not a DTMF character).
void EncodeDtmfCode(const QString& code, std::uint8_t* bytes);

}  // namespace radio
