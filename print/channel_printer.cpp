#include "print/channel_printer.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

#include "channels/chn_msg_form_view.h"
#include "config/text_of.h"
#include "features/choice_fun_view.h"
#include "print/print_fonts.h"

namespace radio {

namespace {

constexpr int kMeasuringPoints = 9;
constexpr int kHeadingPoints = 10;
constexpr int kTablePoints = 10;
// The summary goes on page 1 when the table leaves room for it.
constexpr int kRowsWithSummary = 35;
constexpr std::size_t kHeadingMaxBytes = 15;
constexpr std::size_t kHeadingCutBytes = 13;

// Text drawn with its top (not its base line) at y, as the layout counts lines.
void DrawTextTop(QPainter& painter, int x, int y, const QString& text)
{
    painter.drawText(x, y + painter.fontMetrics().ascent(), text);
}

}  // namespace

ChannelPrinter::ChannelPrinter(const ChannelPrintout& printout) : m_printout(printout)
{
    m_measures.rowCount = RadioData::ChannelCountFor(printout.data->model) + 1;
}

QString ChannelPrinter::Text(int n) const
{
    return UiText(*m_printout.data, n);
}

QString ChannelPrinter::CutHeading(const std::string& utf8)
{
    if (utf8.size() <= kHeadingMaxBytes) {
        return QString::fromStdString(utf8);
    }
    // Back off over continuation bytes (10xxxxxx) so that a character is never split.
    std::size_t cut = kHeadingCutBytes;
    while (cut > 0 && (static_cast<unsigned char>(utf8[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return QString::fromStdString(utf8.substr(0, cut));
}

QString ChannelPrinter::PageHeading(int page, int pageCount)
{
    return QStringLiteral("第 %1 页 / 共 %2 页").arg(page).arg(pageCount);
}

void ChannelPrinter::Begin(QPaintDevice& device)
{
    const QFontMetrics measuring(MeasuringFont(kMeasuringPoints), &device);
    Measures& m = m_measures;
    m.lineHeight = measuring.height() + std::max(0, measuring.leading());
    const int w1 = measuring.horizontalAdvance(Text(46));
    const int w2 = measuring.horizontalAdvance(QStringLiteral("000000"));
    m.tableWidth = w1 * 904 / 105 + w2 * 22 / 5;
    m.leftMargin = (device.width() - m.tableWidth) / 2;
}

int ChannelPrinter::PageCount() const
{
    const bool summaryOnPageOne = m_measures.rowCount < kRowsWithSummary;
    const bool summaryOnPageTwo = m_measures.rowCount > kRowsWithSummary && m_printout.features;
    return summaryOnPageOne || !summaryOnPageTwo ? 1 : 2;
}

void ChannelPrinter::PrintPage(QPainter& painter, int page)
{
    const Measures& m = m_measures;
    painter.save();
    QPen pen(Qt::black);
    // Rules about half a point wide, whatever the printer's resolution.
    pen.setWidth(std::max(1, painter.device()->logicalDpiX() / 150));
    painter.setPen(pen);
    painter.setFont(TableFont(kTablePoints));
    if (page == 1) {
        DrawTable(painter);
        if (m.rowCount < kRowsWithSummary && m_printout.features) {
            m_printout.features->PrintSummary(painter, m.rowCount, m.leftMargin, m.lineHeight);
        }
    } else if (page == 2 && m.rowCount > kRowsWithSummary && m_printout.features) {
        m_printout.features->PrintSummary(painter, 1, m.leftMargin, m.lineHeight);
    }
    DrawPageHeading(painter, page);
    painter.restore();
}

void ChannelPrinter::DrawPageHeading(QPainter& painter, int page)
{
    const Measures& m = m_measures;
    painter.save();
    painter.setFont(MeasuringFont(kHeadingPoints));
    const QString heading = PageHeading(page, PageCount());
    const int right = m.leftMargin + m.tableWidth;
    DrawTextTop(painter, right - painter.fontMetrics().horizontalAdvance(heading), 3 * m.lineHeight,
                heading);
    painter.drawLine(m.leftMargin, 4 * m.lineHeight, right, 4 * m.lineHeight);
    painter.restore();
}

void ChannelPrinter::DrawTable(QPainter& painter)
{
    const Measures& m = m_measures;
    const int textInset = painter.fontMetrics().horizontalAdvance(QStringLiteral("0000")) / 5;
    const int top = int(4.5 * m.lineHeight);
    const int bottom = (m.rowCount + 5) * m.lineHeight + textInset;
    const int right = m.leftMargin + m.tableWidth;

    std::array<int, kColumnCount> widths{};
    for (int c = 0; c < kColumnCount; ++c) {
        widths[std::size_t(c)] = int(unsigned(kColumnWeights[std::size_t(c)]) *
                                     unsigned(m.tableWidth) / unsigned(kWeightSum));
    }

    // Frame, the column rules (the first and the last lie on the frame) and the rule
    // under the headings.
    painter.drawRect(m.leftMargin, top, m.tableWidth, bottom - top);
    int x = m.leftMargin;
    painter.drawLine(x, top, x, bottom);
    for (const int width : widths) {
        x += width;
        painter.drawLine(x, top, x, bottom);
    }
    painter.drawLine(m.leftMargin, 6 * m.lineHeight, right, 6 * m.lineHeight);

    const int headingY = int(4.8 * m.lineHeight);
    x = m.leftMargin + textInset;
    const QFont tableFont = painter.font();
    for (int c = 0; c < kColumnCount; ++c) {
        const std::string& heading = m_printout.data->texts.Text(kHeadingTexts[std::size_t(c)]);
        const QString text = CutHeading(heading);
        // A heading wider than its column gets a smaller font rather than running
        // into the next one.
        painter.setFont(
            FontFitting(tableFont, text, widths[std::size_t(c)] - 2 * textInset, painter.device()));
        DrawTextTop(painter, x, headingY, text);
        x += widths[std::size_t(c)];
    }
    painter.setFont(tableFont);

    for (int i = 0; i + 1 < m.rowCount; ++i) {
        if (!m_printout.channels) {
            break;
        }
        const int y = (i + 6) * m.lineHeight + 10;
        x = m.leftMargin + textInset;
        for (int c = 0; c < kColumnCount; ++c) {
            DrawTextTop(painter, x, y, m_printout.channels->CellText(i + 1, c));
            x += widths[std::size_t(c)];
        }
    }
}

bool ChannelPrinter::Print(QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    Begin(printer);
    int first = 1;
    int last = PageCount();
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(first, printer.fromPage());
        last = std::min(last, printer.toPage() > 0 ? printer.toPage() : last);
    }
    for (int page = first; page <= last; ++page) {
        if (page > first && !printer.newPage()) {
            return false;
        }
        PrintPage(painter, page);
    }
    return painter.end();
}

}  // namespace radio
