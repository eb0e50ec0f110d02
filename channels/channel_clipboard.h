// The channel table's rows as text and back, for the clipboard: tab-separated lines,
// one channel a line, the nine columns as the table shows them, so that a spreadsheet
// pastes them into columns and a plan kept in one pastes back.
//
// A paste is all or nothing. Every line goes through the rules of typing (frequencies
// normalised, tones from the list, the options' texts in any of the program's
// languages) on a copy of the record; only when every line fits are the channels
// taken over.
#pragma once

#include <QString>
#include <vector>

#include "channels/channel_sheet.h"
#include "data/radio_data.h"

namespace radio {

// Grid rows `rows` (channel numbers) as text: the nine cells of each, tab-separated,
// each line ended by a line feed.
QString ChannelRowsText(const ChannelSheet& sheet, const std::vector<int>& rows);

struct PasteProblem {
    enum class Kind { None, NotFrequency, NotTone, NotOption, TooManyLines };
    Kind kind = Kind::None;
    int line = 0;    // 1-based line of the pasted text
    int column = 0;  // 1-based column of that line
    QString text;    // the field as pasted
    QString reason;  // NotFrequency: why a number is no frequency to take, if it is one
    int lines = 0;   // TooManyLines: lines pasted (`line` is the first channel) and
    int room = 0;    // the channels from there down
};

struct PastePlan {
    PasteProblem problem;
    int outOfBand = 0;  // frequencies outside the band (stored, as when typed)
    int firstRow = 0;
    std::vector<int> rows;  // the channels the paste fills
    RadioData result;       // the record as the paste leaves it
    bool ok() const { return problem.kind == PasteProblem::Kind::None; }
};

// Plans pasting `text` into `data` from channel `firstRow` down. A line of nine fields
// begins with the row label, which is passed over; a shorter line gives the fields
// from the receive frequency on, and the fields it lacks take what a new channel
// gets. An empty receive frequency empties the channel. `languages` are the tables of
// every language the program has, whose option texts are taken as well.
PastePlan PlanPaste(const RadioData& data, int firstRow, const QString& text,
                    const std::vector<LanguageTable>& languages);
// Takes the planned channels into `data`.
void ApplyPaste(const PastePlan& plan, RadioData& data);
// Why a paste was refused, in the language of `data`.
QString PasteProblemText(const RadioData& data, const PasteProblem& problem);

}  // namespace radio
