// Lines and frames of the features summary under the printed channel table. Line n
// lies at y = (n + 4) * lineHeight + n * u, u being 1/18 of the width of "0000" in
// the painter's font. A line is a label ending at a column, "= ", and the value
// starting there; a frame's title stands where the label printed last began.
#pragma once

#include <QString>

class QPainter;

namespace radio {

class SummaryPrinter {
public:
    SummaryPrinter(QPainter& painter, int lineHeight);

    // Width of "0000" in the painter's font: the unit of the summary's columns.
    int Unit() const { return m_w; }
    int Y(int line) const;

    void Line(int line, int column, const QString& label, const QString& value);
    // A frame from (x1, Y(line)) down to line + bottomLines, titled at titleColumn.
    void Frame(int line, int x1, int x2, int bottomLines, int titleColumn, const QString& title);

private:
    void DrawText(int x, int top, const QString& text);

    QPainter& m_painter;
    int m_lineHeight;
    int m_w;
    int m_u;
    int m_lastLabelWidth = 0;
};

}  // namespace radio
