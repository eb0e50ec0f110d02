// The printout's fonts. The classic ones ("FixedSys" for measuring and the page
// heading, "宋体" for the table) are seldom installed outside Windows; the first
// installed family of a list that stands in for each is taken instead.
#pragma once

#include <QFont>
#include <QStringList>

namespace radio {

// "FixedSys", else a monospace family.
QFont MeasuringFont(int pointSize);
// "宋体", else a Chinese Song (serif) or Sans family, so the Chinese texts print.
QFont TableFont(int pointSize);

// The first family of `families` that is installed; empty when none is.
QString FirstInstalledFamily(const QStringList& families);
// The Chinese face of the printout; empty when none is installed.
QString ChineseFamily();
// `font` made smaller, a step at a time, until `text` is at most `width` wide on
// `device` (but never below 4 points).
QFont FontFitting(QFont font, const QString& text, int width, QPaintDevice* device);

}  // namespace radio
