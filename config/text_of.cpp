#include "config/text_of.h"

#include <QRegularExpression>

namespace radio {

QString PlainCaption(const QString& caption)
{
    static const QRegularExpression accessKey(QStringLiteral(R"(\s*\(&[^&)]\)\s*)"));
    // A shortcut written after a tab ("Read(&R)\tCtrl+R") is no part of the name.
    QString text = caption.section(QLatin1Char('\t'), 0, 0);
    text.remove(accessKey);
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&')) {
                plain += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        plain += text[i];
    }
    plain = plain.trimmed();
    for (const QString& end : {QStringLiteral("..."), QStringLiteral("\u2026"), QStringLiteral(":"),
                               QStringLiteral("\uFF1A")}) {
        if (plain.endsWith(end)) {
            plain.chop(end.size());
            plain = plain.trimmed();
        }
    }
    return plain;
}

}  // namespace radio
