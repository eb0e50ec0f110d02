#include "features/summary_printer.h"

#include <QFontMetrics>
#include <QPainter>

namespace radio {

SummaryPrinter::SummaryPrinter(QPainter& painter, int lineHeight)
    : m_painter(painter),
      m_lineHeight(lineHeight),
      m_w(painter.fontMetrics().horizontalAdvance(QStringLiteral("0000"))),
      m_u(m_w / 18)
{
}

int SummaryPrinter::Y(int line) const
{
    return (line + 4) * m_lineHeight + line * m_u;
}

void SummaryPrinter::DrawText(int x, int top, const QString& text)
{
    m_painter.drawText(x, top + m_painter.fontMetrics().ascent(), text);
}

void SummaryPrinter::Line(int line, int column, const QString& label, const QString& value)
{
    const QString text = label + QStringLiteral("= ");
    m_lastLabelWidth = m_painter.fontMetrics().horizontalAdvance(text);
    DrawText(column - m_lastLabelWidth, Y(line), text);
    DrawText(column, Y(line), value);
}

void SummaryPrinter::Frame(int line, int x1, int x2, int bottomLines, int titleColumn,
                           const QString& title)
{
    const int top = Y(line);
    const int bottom = (line + bottomLines) * m_lineHeight + (line + bottomLines - 1) * m_u;
    m_painter.drawRect(x1, top, x2 - x1, bottom - top);
    // The title sits on the frame's top line, which it blanks out behind itself.
    m_painter.save();
    m_painter.setBackgroundMode(Qt::OpaqueMode);
    m_painter.setBackground(Qt::white);
    DrawText(titleColumn - m_lastLabelWidth, (line + 4) * m_lineHeight + (line - 5) * m_u, title);
    m_painter.restore();
}

}  // namespace radio
