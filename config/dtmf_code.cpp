#include "config/dtmf_code.h"

namespace radio {

bool IsDtmfCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'D') || (u >= u'a' && u <= u'd') ||
           u == u'*' || u == u'#';
}

bool IsDtmfCode(const QString& text)
{
    if (text.size() > kDtmfCodeLength) {
        return false;
    }
    for (const QChar c : text) {
        if (!IsDtmfCharacter(c)) {
            return false;
        }
    }
    return true;
}

QString DecodeDtmfCode(const std::uint8_t* bytes)
{
    QString code;
    for (int i = 0; i < kDtmfCodeLength && IsDtmfCharacter(QChar(bytes[i])); ++i) {
        code += QChar(bytes[i]);
    }
    return code;
}

void EncodeDtmfCode(const QString& code, std::uint8_t* bytes)
{
    for (int i = 0; i < kDtmfCodeLength; ++i) {
        const bool character = i < code.size() && IsDtmfCharacter(code.at(i));
        bytes[i] = character ? std::uint8_t(code.at(i).unicode()) : 0xFF;
    }
}

}  // namespace radio
