// The codes a batch of radios gets, one per radio: Code 1 (and Code 2) of the
// optional features counted up from a first value, 1001, 1002, ... The counter is the
// run of digits the value ends in; what comes before it stays, and so does the width
// (0099 -> 0100), which grows only when the digits run out (999 -> 1000). Every value
// must stay a DTMF code: DTMF characters only, at most 16 of them.
#pragma once

#include <QString>
#include <QStringList>

#include "data/radio_data.h"

namespace radio {

enum class CodeStartError {
    None,
    Empty,
    NotDtmf,   // a character that is not a DTMF character
    NoDigits,  // the value does not end in a digit, so there is nothing to count
    TooLong,   // a value of the count would have more than 16 characters
};

// `count` codes from `start` on, in order; None when all of them are DTMF codes.
// Anything else leaves `codes` empty.
CodeStartError CountCodes(const QString& start, int count, QStringList& codes);
// The code after `code` (CountCodes(code, 2)'s second); empty when there is none.
QString NextCode(const QString& code);
// `code` counted up by one even past 16 characters (so that a counter that has run out
// says so when it is next used, rather than start again lower); empty when it does not
// end in a digit.
QString CodeAfter(const QString& code);

// Sets Code 1 and Code 2 in the optional features block; a null text keeps that code.
void SetCodes(RadioData& data, const QString& code1, const QString& code2);
// Code 1 and Code 2 as the radio will read them.
QString Code1Of(const RadioData& data);
QString Code2Of(const RadioData& data);

}  // namespace radio
