#include "features/summary_printer.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>
#include <algorithm>

#include "config/text_of.h"
#include "features/field_exchange.h"

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

QString SummaryPrinter::ShownText(const QWidget* control)
{
    if (const auto* list = qobject_cast<const QComboBox*>(control)) {
        return list->currentText();
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(control)) {
        return edit->text();
    }
    if (const auto* box = qobject_cast<const QAbstractButton*>(control)) {
        return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    }
    return QString();
}

QString SummaryPrinter::LabelOf(const QWidget* control)
{
    if (const auto* box = qobject_cast<const QAbstractButton*>(control)) {
        return PlainCaption(box->text());
    }
    return FieldExchange::FieldName(control);
}

int SummaryPrinter::TextWidth(const QString& text) const
{
    return m_painter.fontMetrics().horizontalAdvance(text);
}

int SummaryPrinter::WidestLabel(const QList<const QWidget*>& controls) const
{
    int widest = 0;
    for (const QWidget* control : controls) {
        if (control) {
            widest = std::max(widest, TextWidth(LabelOf(control) + QStringLiteral("= ")));
        }
    }
    return widest;
}

int SummaryPrinter::WidestValue(const QList<const QWidget*>& controls) const
{
    int widest = 0;
    for (const QWidget* control : controls) {
        if (control) {
            widest = std::max(widest, TextWidth(ShownText(control)));
        }
    }
    return widest;
}

int SummaryPrinter::SheetRight(int left) const
{
    const QPaintDevice* device = m_painter.device();
    if (!device) {
        return left;
    }
    const QRect page = m_painter.transform().inverted().mapRect(QRect(0, 0, device->width(), 1));
    return page.right() + 1 - (left - page.left());
}

void SummaryPrinter::Line(int line, int column, const QString& label, const QString& value)
{
    const QString text = label + QStringLiteral("= ");
    m_lastLabelWidth = m_painter.fontMetrics().horizontalAdvance(text);
    DrawText(column - m_lastLabelWidth, Y(line), text);
    DrawText(column, Y(line), value);
}

void SummaryPrinter::Line(int line, int column, const QWidget* control)
{
    Line(line, column, LabelOf(control), ShownText(control));
}

void SummaryPrinter::Frame(int line, int x1, int x2, int bottomLines, int titleColumn,
                           const QString& title)
{
    DrawFrame(line, x1, x2, bottomLines, titleColumn - m_lastLabelWidth, title);
}

void SummaryPrinter::DrawFrame(int line, int x1, int x2, int bottomLines, int titleX,
                               const QString& title)
{
    // The title stays within the frame's top line.
    titleX = std::max(x1 + Gap() / 2, std::min(titleX, x2 - TextWidth(title) - Gap() / 2));
    const int top = Y(line);
    const int bottom = (line + bottomLines) * m_lineHeight + (line + bottomLines - 1) * m_u;
    m_painter.drawRect(x1, top, x2 - x1, bottom - top);
    // The title sits on the frame's top line, which it blanks out behind itself.
    m_painter.save();
    m_painter.setBackgroundMode(Qt::OpaqueMode);
    m_painter.setBackground(Qt::white);
    DrawText(titleX, (line + 4) * m_lineHeight + (line - 5) * m_u, title);
    m_painter.restore();
}

int SummaryPrinter::Group(int line, int x1, int x2, int column, const QString& title,
                          const QList<const QWidget*>& controls)
{
    // Labels start, and values end, within the frame, as far as the sheet allows.
    column = std::max(column, x1 + Gap() + WidestLabel(controls));
    x2 = std::max(x2, std::min(SheetRight(x1), column + WidestValue(controls) + Gap()));
    int n = line;
    for (const QWidget* control : controls) {
        Line(++n, column, control);
    }
    // The frame's bottom lies just under its last line, as the features' frames do.
    DrawFrame(line, x1, x2, int(controls.size()) + 5, x1 + m_w / 2, title);
    return line + GroupLines(int(controls.size()));
}

}  // namespace radio
