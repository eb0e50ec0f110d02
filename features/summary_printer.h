// Lines and frames of the summaries under the printed channel table. Line n lies at
// y = (n + 4) * lineHeight + n * u, u being 1/18 of the width of "0000" in the
// painter's font. A line is a label ending at a column, "= ", and the value starting
// there; a frame's title stands where the label printed last began.
//
// Columns and frames widen where the texts in the painter's font need it, and the
// font shrinks where the sheet (as wide as the page's margins leave it either side of
// the left edge) has no room for that.
//
// Values are the texts the views' controls show, so that the paper says what the
// screen says: a list's current item, an edit's text, a check box as "1" or "0".
#pragma once

#include <QList>
#include <QString>

class QPainter;
class QWidget;

namespace radio {

class SummaryPrinter {
public:
    SummaryPrinter(QPainter& painter, int lineHeight);

    // Width of "0000" in the painter's font: the unit of the summary's columns.
    int Unit() const { return m_w; }
    int Y(int line) const;

    void Line(int line, int column, const QString& label, const QString& value);
    // The control's label (the form's label for it, or a check box's own text) and
    // the value it shows.
    void Line(int line, int column, const QWidget* control);
    // A frame from (x1, Y(line)) down to line + bottomLines, titled at titleColumn.
    void Frame(int line, int x1, int x2, int bottomLines, int titleColumn, const QString& title);
    // A frame titled `title` holding one line per control from line + 1 on, the
    // labels ending at `column`. Returns the first line below the frame.
    int Group(int line, int x1, int x2, int column, const QString& title,
              const QList<const QWidget*>& controls);

    // The lines a Group of `count` controls takes, its frame included.
    static int GroupLines(int count) { return count + 3; }
    // The text a control shows, as printed.
    static QString ShownText(const QWidget* control);
    static QString LabelOf(const QWidget* control);

    // Widest label (with its "= ") and widest shown text of `controls` in the
    // painter's current font; null entries count as empty.
    int WidestLabel(const QList<const QWidget*>& controls) const;
    int WidestValue(const QList<const QWidget*>& controls) const;
    int TextWidth(const QString& text) const;
    // The right edge of the sheet whose left edge is `left`: the page is as wide
    // left of it as right of the sheet.
    int SheetRight(int left) const;
    // Room kept between a text and a frame's side.
    int Gap() const { return m_w / 2; }

private:
    void DrawText(int x, int top, const QString& text);
    void DrawFrame(int line, int x1, int x2, int bottomLines, int titleX, const QString& title);

    QPainter& m_painter;
    int m_lineHeight;
    int m_w;
    int m_u;
    int m_lastLabelWidth = 0;
};

}  // namespace radio
