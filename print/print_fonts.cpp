#include "print/print_fonts.h"

#include <QFontDatabase>

namespace radio {

namespace {
// Texts go to the printer as the font's own glyphs for their characters, without
// ligatures or contextual variants, so that a PDF printout stays searchable and its
// text can be copied (the variant glyphs of the Chinese fonts carry no character).
constexpr QFont::StyleStrategy kPrintStrategy = QFont::PreferNoShaping;
}  // namespace

QString FirstInstalledFamily(const QStringList& families)
{
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : families) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            return family;
        }
    }
    return QString();
}

QFont MeasuringFont(int pointSize)
{
    QFont font;
    const QString family =
        FirstInstalledFamily({QStringLiteral("FixedSys"), QStringLiteral("Fixedsys Excelsior 3.01"),
                              QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Noto Sans Mono"),
                              QStringLiteral("Liberation Mono"), QStringLiteral("Courier New")});
    if (family.isEmpty()) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    } else {
        font.setFamily(family);
    }
    font.setStyleHint(QFont::Monospace);
    font.setStyleStrategy(kPrintStrategy);
    font.setPointSize(pointSize);
    return font;
}

QFont TableFont(int pointSize)
{
    QFont font;
    const QString family = FirstInstalledFamily(
        {QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC"),
         QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei"),
         QStringLiteral("AR PL UMing CN")});
    if (!family.isEmpty()) {
        font.setFamily(family);
    }
    font.setStyleStrategy(kPrintStrategy);
    font.setPointSize(pointSize);
    return font;
}

}  // namespace radio
