#include "print/print_fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <algorithm>

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

// The Chinese face of the printout. A PDF names each glyph by a character the font
// draws with it; the Noto CJK faces draw 页 and 音 with the glyphs of the Kangxi
// radicals ⻚ and ⾳, so their text would read (and search) as the radicals. The
// faces before them in this list give every ideograph a glyph of its own.
QString ChineseFamily()
{
    return FirstInstalledFamily(
        {QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN"),
         QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("WenQuanYi Zen Hei"),
         QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")});
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
    }
    // The page heading is Chinese: its characters come from the Chinese face.
    QStringList families = {family.isEmpty() ? font.family() : family};
    if (const QString chinese = ChineseFamily(); !chinese.isEmpty()) {
        families.append(chinese);
    }
    font.setFamilies(families);
    font.setStyleHint(QFont::Monospace);
    font.setStyleStrategy(kPrintStrategy);
    font.setPointSize(pointSize);
    return font;
}

QFont TableFont(int pointSize)
{
    QFont font;
    const QString family = ChineseFamily();
    if (!family.isEmpty()) {
        font.setFamily(family);
    }
    font.setStyleStrategy(kPrintStrategy);
    font.setPointSize(pointSize);
    return font;
}

QFont FontFitting(QFont font, const QString& text, int width, QPaintDevice* device)
{
    constexpr qreal kSmallest = 4.0;
    constexpr qreal kStep = 0.5;
    while (font.pointSizeF() > kSmallest &&
           QFontMetrics(font, device).horizontalAdvance(text) > width) {
        font.setPointSizeF(std::max(kSmallest, font.pointSizeF() - kStep));
    }
    return font;
}

}  // namespace radio
