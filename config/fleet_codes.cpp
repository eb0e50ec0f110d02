#include "config/fleet_codes.h"

#include "config/dtmf_code.h"
#include "data/feature_bytes.h"

namespace radio {

namespace {

// `code` + 1 in its trailing digits, carrying to the left; a carry out of the
// leftmost digit adds a "1" in front of the digits.
QString Incremented(QString code)
{
    int i = int(code.size()) - 1;
    while (i >= 0 && code.at(i) == QLatin1Char('9')) {
        code[i] = QLatin1Char('0');
        --i;
    }
    if (i >= 0 && code.at(i).isDigit() && code.at(i).unicode() < 0x80) {
        code[i] = QChar(code.at(i).unicode() + 1);
    } else {
        code.insert(i + 1, QLatin1Char('1'));
    }
    return code;
}

bool EndsInDigit(const QString& code)
{
    return !code.isEmpty() && code.back() >= QLatin1Char('0') && code.back() <= QLatin1Char('9');
}

}  // namespace

CodeStartError CountCodes(const QString& start, int count, QStringList& codes)
{
    codes.clear();
    if (start.isEmpty()) {
        return CodeStartError::Empty;
    }
    for (const QChar c : start) {
        if (!IsDtmfCharacter(c)) {
            return CodeStartError::NotDtmf;
        }
    }
    if (start.size() > kDtmfCodeLength) {
        return CodeStartError::TooLong;
    }
    if (count > 1 && !EndsInDigit(start)) {
        return CodeStartError::NoDigits;
    }
    QStringList counted;
    QString code = start;
    for (int k = 0; k < count; ++k) {
        if (k > 0) {
            code = Incremented(code);
        }
        if (code.size() > kDtmfCodeLength) {
            return CodeStartError::TooLong;
        }
        counted << code;
    }
    codes = counted;
    return CodeStartError::None;
}

QString NextCode(const QString& code)
{
    QStringList codes;
    return CountCodes(code, 2, codes) == CodeStartError::None ? codes.at(1) : QString();
}

QString CodeAfter(const QString& code)
{
    return EndsInDigit(code) ? Incremented(code) : QString();
}

void SetCodes(RadioData& data, const QString& code1, const QString& code2)
{
    auto& d = data.block(Block::B0120).data;
    if (!code1.isNull()) {
        EncodeDtmfCode(code1, &d[bytes::choice::kCode1]);
    }
    if (!code2.isNull()) {
        EncodeDtmfCode(code2, &d[bytes::choice::kCode2]);
    }
}

QString Code1Of(const RadioData& data)
{
    return DecodeDtmfCode(&data.block(Block::B0120).data[bytes::choice::kCode1]);
}

QString Code2Of(const RadioData& data)
{
    return DecodeDtmfCode(&data.block(Block::B0120).data[bytes::choice::kCode2]);
}

}  // namespace radio
