#include "print/channel_printer.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

#include "channels/channel_cells.h"
#include "channels/chn_msg_form_view.h"
#include "config/text_of.h"
#include "features/choice_fun_view.h"
#include "features/key_set_view.h"
#include "features/scan_msg_view.h"
#include "features/summary_printer.h"
#include "print/print_fonts.h"
#include "widgets/radio_document.h"

namespace radio {

namespace {

constexpr int kMeasuringPoints = 9;
constexpr int kHeadingPoints = 10;
constexpr int kTablePoints = 10;
// The summary goes on page 1 when the table leaves room for it.
constexpr int kRowsWithSummary = 35;
constexpr std::size_t kHeadingMaxBytes = 15;
constexpr std::size_t kHeadingCutBytes = 13;
// The features summary takes its first line and the 15 after it (the code group);
// the key and scan settings follow after one empty line.
constexpr int kFeaturesLines = 17;
// The key and scan groups: labels end at 8 units, frames end at 19, as the
// features summary's.
constexpr int kGroupColumnUnits = 8;
constexpr int kGroupRightUnits = 19;

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
    const int w1 = measuring.horizontalAdvance(Text(text::ColumnTxTone));
    const int w2 = measuring.horizontalAdvance(QStringLiteral("000000"));
    m.tableWidth = std::max(1, w1 * 904 / 105 + w2 * 22 / 5);

    // The sheet runs down to the line after the last summary line; lines are spaced
    // as the summaries space them, by the table font's unit.
    const QFontMetrics table(TableFont(kTablePoints), &device);
    const int u = table.horizontalAdvance(QStringLiteral("0000")) / 18;
    // The first summary's top (the frame title above its first line) comes a quarter
    // line below the table's frame.
    const int first = m.rowCount;
    const int summaryTop = (first + 4) * m.lineHeight + (first - 5) * u;
    const int tableBottom =
        (m.rowCount + 5) * m.lineHeight + table.horizontalAdvance(QStringLiteral("0000")) / 5;
    m.summaryShift = m.rowCount < kRowsWithSummary
                         ? std::max(0, tableBottom + m.lineHeight / 4 - summaryTop)
                         : 0;
    const int end = LastLine() + 2;
    const double height = std::max(1, (end + 4) * m.lineHeight + end * u + m.summaryShift);
    m.scale = std::min(double(device.width()) / m.tableWidth, double(device.height()) / height);
    m.leftMargin = int((device.width() / m.scale - m.tableWidth) / 2);
}

int ChannelPrinter::KeysLine() const
{
    const int first = m_measures.rowCount;
    return m_printout.features ? first + kFeaturesLines : first + 1;
}

int ChannelPrinter::ScanLine() const
{
    const CKeySetView* keys = m_printout.keys;
    return KeysLine() +
           (keys ? SummaryPrinter::GroupLines(int(keys->SummaryControls().size())) : 0);
}

int ChannelPrinter::LastLine() const
{
    if (m_printout.scan) {
        return ScanLine() + int(m_printout.scan->SummaryControls().size());
    }
    if (m_printout.keys) {
        return KeysLine() + int(m_printout.keys->SummaryControls().size());
    }
    return KeysLine() - 1;
}

QString ChannelPrinter::HeadingLine() const
{
    QString source = Text(text::PrintNotSaved);
    const RadioDocument* document = m_printout.document;
    if (document && !document->FileName().isEmpty()) {
        const QString name = QFileInfo(document->FileName()).fileName();
        source = document->IsModified() ? Text(text::PrintUnsavedFile).arg(name) : name;
    }
    QStringList parts{source};
    if (!m_printout.title.isEmpty()) {
        parts << m_printout.title;
    }
    const QDate date = m_printout.date.isValid() ? m_printout.date : QDate::currentDate();
    parts << date.toString(Qt::ISODate);
    return parts.join(QStringLiteral("    "));
}

int ChannelPrinter::PageCount() const
{
    const bool summaryOnPageOne = m_measures.rowCount < kRowsWithSummary;
    const bool summaryOnPageTwo = m_measures.rowCount > kRowsWithSummary &&
                                  (m_printout.features || m_printout.keys || m_printout.scan);
    return summaryOnPageOne || !summaryOnPageTwo ? 1 : 2;
}

void ChannelPrinter::PrintPage(QPainter& painter, int page)
{
    const Measures& m = m_measures;
    painter.save();
    painter.scale(m.scale, m.scale);
    QPen pen(Qt::black);
    // Rules about half a point wide, whatever the printer's resolution.
    pen.setWidth(std::max(1, painter.device()->logicalDpiX() / 150));
    painter.setPen(pen);
    painter.setFont(TableFont(kTablePoints));
    if (page == 1) {
        DrawTable(painter);
    }
    if (page == (m.rowCount < kRowsWithSummary ? 1 : 2)) {
        painter.save();
        painter.translate(0, page == 1 ? m.summaryShift : 0);
        DrawSummaries(painter, m.rowCount < kRowsWithSummary ? m.rowCount : 1);
        painter.restore();
    }
    DrawPageHeading(painter, page);
    painter.restore();
}

void ChannelPrinter::DrawSummaries(QPainter& painter, int firstLine)
{
    const Measures& m = m_measures;
    const int shift = firstLine - m.rowCount;
    if (m_printout.features) {
        m_printout.features->PrintSummary(painter, firstLine, m.leftMargin, m.lineHeight);
    }
    SummaryPrinter out(painter, m.lineHeight);
    const int column = m.leftMargin + kGroupColumnUnits * out.Unit();
    const int right = m.leftMargin + kGroupRightUnits * out.Unit();
    if (const CKeySetView* keys = m_printout.keys) {
        out.Group(KeysLine() + shift, m.leftMargin, right, column, keys->ViewTitle(),
                  keys->SummaryControls());
    }
    if (const CScanMsgView* scan = m_printout.scan) {
        out.Group(ScanLine() + shift, m.leftMargin, right, column, scan->ViewTitle(),
                  scan->SummaryControls());
    }
}

void ChannelPrinter::DrawPageHeading(QPainter& painter, int page)
{
    const Measures& m = m_measures;
    painter.save();
    painter.setFont(MeasuringFont(kHeadingPoints));
    const QString heading = PageHeading(page, PageCount());
    const int headingWidth = painter.fontMetrics().horizontalAdvance(heading);
    const int right = m.leftMargin + m.tableWidth;
    DrawTextTop(painter, right - headingWidth, 3 * m.lineHeight, heading);
    // The heading line takes the room left of the page number, in a smaller font
    // where it would run into it.
    const QString line = HeadingLine();
    const int room = m.tableWidth - headingWidth - painter.fontMetrics().horizontalAdvance("0000");
    painter.setFont(FontFitting(painter.font(), line, room, painter.device()));
    DrawTextTop(painter, m.leftMargin, 3 * m.lineHeight, line);
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
        const int y = (i + 6) * m.lineHeight + 10;
        x = m.leftMargin + textInset;
        for (int c = 0; c < kColumnCount; ++c) {
            DrawTextTop(painter, x, y, CellText(*m_printout.data, i + 1, c));
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
