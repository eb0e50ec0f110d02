// The channel table without widgets: the text of each cell, formatted from the record
// whenever it is asked for, and every change a committed cell makes to the record.
// The table model shows the texts and commits through its document; the clipboard
// and the printout read the same texts; tests drive the edits directly.
//
// Grid numbering: row 0 holds the header texts, column 0 the row labels; row r (1..N)
// is channel r, column c (1..8) its field c.
#pragma once

#include <QString>

#include "data/channel_columns.h"
#include "data/radio_data.h"

namespace radio {

enum class EditKind {
    FieldUpdate,      // any other change of one field
    NewChannel,       // a receive frequency typed into an empty row
    ChannelCleared,   // the receive frequency of a channel emptied
    TransmitCleared,  // the transmit frequency emptied
};

struct CommitResult {
    bool refused = false;    // not a frequency: the cell and the record are unchanged
    QString reason;          // why, when the text is a number that is no frequency to take
    bool outOfBand = false;  // a frequency outside the band (its normalised value is stored)
    EditKind kind = EditKind::FieldUpdate;
};

// Rows of the table: the header row and one per channel of the record's model.
inline int TableRowCount(const RadioData& data)
{
    return data.ChannelCount() + 1;
}

// The text of cell (row, column): header texts, row labels (1..16, twice for 32
// channels), and the channels' fields. A row without a valid receive frequency is no
// channel: its options and tones show nothing. Empty outside the table.
QString CellText(const RadioData& data, int row, int column);

// Takes the text of an editor into cell (row, column) of the record, choosing the
// edit kind from the cell's text before. Only an empty text clears a frequency; one
// that is not a number is refused, and so are blanks over a frequency (blanks into an
// empty cell change nothing). A frequency is taken only as typed: a number far outside
// the band, one with more digits than the radio keeps or one off the channel raster
// is refused with the reason. `toneFollows` false keeps the transmit tone when a
// receive tone is set (a paste changes only its cells).
CommitResult CommitCell(RadioData& data, int row, int column, const QString& text,
                        bool toneFollows = true);
EditKind EditKindOf(int column, const QString& oldText, const QString& newText);

// Writes field `field` (1..11) of channel index `index` from `text`; `valid` false
// stores the field's erased value. A frequency text is normalised in place. Returns
// false for a field that does not exist, a frequency text that is not a number
// (nothing is written), and for field 1 when no channel remains.
bool StoreChannelField(RadioData& data, int index, int field, bool valid, QString& text,
                       bool* outOfBand = nullptr);

}  // namespace radio
