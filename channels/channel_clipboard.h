// The channel table's rows as text and back, for the clipboard: tab-separated lines,
// one channel a line, the nine columns as the table shows them, so that a spreadsheet
// pastes them into columns and a plan kept in one pastes back.
//
// A paste fills the cells from the current cell rightwards and downwards, as a
// spreadsheet does: one value changes one cell, a block of N columns N columns, and
// the cells outside the block keep their values. Lines of nine fields (rows copied
// from the table, with their labels) pasted into the receive-frequency column make
// whole channels. A paste is all or nothing: every cell goes through the rules of
// typing (frequencies as typed, tones from the list, the options' texts in any of the
// program's languages) on a copy of the record; only when every cell fits are the
// channels taken over.
#pragma once

#include <QString>
#include <vector>

#include "channels/channel_cells.h"
#include "data/radio_data.h"

namespace radio {

// Grid rows `rows` (channel numbers) as text: the nine cells of each, tab-separated,
// each line ended by a line feed.
QString ChannelRowsText(const RadioData& data, const std::vector<int>& rows);

struct PasteProblem {
    enum class Kind { None, NotFrequency, NotTone, NotOption, TooManyLines, TooWide, NoChannel };
    Kind kind = Kind::None;
    int line = 0;     // 1-based line of the pasted text
    int column = 0;   // 1-based column of that line
    QString text;     // the field as pasted
    QString reason;   // NotFrequency: why a number is no frequency to take, if it is one
    int lines = 0;    // TooManyLines: lines pasted (`line` is the first channel) and
    int room = 0;     // the channels from there down; TooWide: the line's columns and
                      // the columns from the current one on
    int channel = 0;  // NoChannel: the channel without a receive frequency
};

struct PastePlan {
    PasteProblem problem;
    int outOfBand = 0;  // frequencies outside the band (stored, as when typed)
    int firstRow = 0;
    int firstColumn = 0;
    int lastColumn = 0;     // the block's last column
    std::vector<int> rows;  // the channels the paste fills
    RadioData result;       // the record as the paste leaves it
    bool ok() const { return problem.kind == PasteProblem::Kind::None; }
};

// Plans pasting `text` into `data` at cell (`firstRow`, `firstColumn`). Tab-separated
// fields go into the columns from `firstColumn` on; an empty frequency empties its
// cell (an empty receive frequency the channel), an empty tone is off, an empty option
// keeps its value; a cell of a row without a channel takes only an empty field. A line
// of nine fields in the receive-frequency column begins with the row label, which is
// passed over, and defines the whole channel. `languages` are the tables of every
// language the program has, whose option texts are taken as well.
PastePlan PlanPaste(const RadioData& data, int firstRow, int firstColumn, const QString& text,
                    const std::vector<LanguageTable>& languages);
// Takes the planned channels into `data`.
void ApplyPaste(const PastePlan& plan, RadioData& data);
// Why a paste was refused, in the language of `data`.
QString PasteProblemText(const RadioData& data, const PasteProblem& problem);

}  // namespace radio
