// The printout of the channel table, with the optional-features summary under it and
// the key and scan settings under that: one sheet with everything a dealer hands
// over. A heading line names the data file (or says it is not saved), the band and
// model, and the date.
//
// The layout is measured in the printer's device units and follows from two fonts:
// the measuring font gives the line height and, through the width of the "TX Tone"
// heading, the table's width. The whole page is then scaled so that the table spans
// the printable width, or less where the sheet would otherwise run off the page's
// foot; the table is centred.
//
// Only pages with content are printed: everything shares page 1 for 16 and for 32
// channels, so a job is one page ("第 1 页 / 共 1 页").
#pragma once

#include <QDate>
#include <QString>
#include <array>
#include <string>

#include "data/radio_data.h"

class QPainter;
class QPaintDevice;
class QPrinter;

namespace radio {

class CChnMsgFormView;
class CChoiceFunView;
class CKeySetView;
class CScanMsgView;
class RadioDocument;

struct ChannelPrintout {
    const RadioData* data = nullptr;
    // The channel table's rows are the table's own texts of `data`. The view, when it
    // is open, stores its pending edit before the print.
    CChnMsgFormView* channels = nullptr;
    // The summaries; a view that is not given is left out.
    CChoiceFunView* features = nullptr;
    CKeySetView* keys = nullptr;
    CScanMsgView* scan = nullptr;
    // The data file's name and whether it is saved; without it, "not saved".
    const RadioDocument* document = nullptr;
    // Band and model as the main window's title shows them.
    QString title;
    // The date printed; today when not set.
    QDate date;
};

class ChannelPrinter {
public:
    static constexpr int kColumnCount = 9;
    // Column widths in 834ths of the table width.
    static constexpr std::array<int, kColumnCount> kColumnWeights = {44, 115, 115, 105, 105,
                                                                     80, 80,  80,  110};
    static constexpr int kWeightSum = 834;
    // Heading texts of the columns.
    static constexpr std::array<int, kColumnCount> kHeadingTexts = {
        text::ColumnChannel, text::ColumnRxFrequency, text::ColumnTxFrequency,
        text::ColumnRxTone,  text::ColumnTxTone,      text::ColumnBandwidth,
        text::ColumnPower,   text::ColumnScanAdd,     text::ColumnBusyLock};

    struct Measures {
        int lineHeight = 0;  // height plus leading of the measuring font
        int tableWidth = 0;
        int leftMargin = 0;
        int rowCount = 0;  // header row plus one row per channel: 17 or 33
        // Device units per layout unit: the page is drawn scaled by it.
        double scale = 1.0;
        // How far the summaries on page 1 move down to clear the table's last row
        // (at a coarse resolution their first line would lie on it).
        int summaryShift = 0;
    };

    explicit ChannelPrinter(const ChannelPrintout& printout);

    // Measures the job for `device`: line height, table width and place, rows.
    void Begin(QPaintDevice& device);
    const Measures& JobMeasures() const { return m_measures; }
    // Pages that have content: 1 unless the summary cannot follow the table on page 1.
    int PageCount() const;
    // Draws page `page` (1-based) with `painter` open on the measured device.
    void PrintPage(QPainter& painter, int page);

    // Begin, then every page (or the range chosen in the print dialog). False when
    // the printer cannot be opened.
    bool Print(QPrinter& printer);

    // A heading longer than 15 bytes (UTF-8) prints as its first 13 bytes, never cut
    // inside a character.
    static QString CutHeading(const std::string& utf8);
    static QString PageHeading(int page, int pageCount);
    // The data file's name (or "not saved"), band and model, and the date.
    QString HeadingLine() const;

private:
    void DrawTable(QPainter& painter);
    void DrawPageHeading(QPainter& painter, int page);
    void DrawSummaries(QPainter& painter, int firstLine);
    // Line numbers of the summaries: features, then key settings, then scan.
    int KeysLine() const;
    int ScanLine() const;
    int LastLine() const;
    QString Text(int n) const;

    ChannelPrintout m_printout;
    Measures m_measures;
};

}  // namespace radio
