// The channel table without widgets: the cell texts as the grid shows them, and every
// change a committed cell makes to the channel records. The view shows the texts and
// owns the editors; printing reads the texts; tests drive the edits directly.
//
// The sheet reads the record it shows. The edits write into the record they are
// given, which is that same record: the view gives it from inside a step of its
// document, the paste planner its own copy.
//
// Grid numbering: row 0 holds the header texts, column 0 the row labels; row r (1..N)
// is channel r, column c (1..8) its field c.
#pragma once

#include <QString>
#include <vector>

#include "channels/channel_columns.h"
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

class ChannelSheet {
public:
    explicit ChannelSheet(const RadioData* data);

    // Channels the table shows (16 or 32, by the model at the last Load).
    int ChannelCount() const { return RowCount() > 0 ? RowCount() - 1 : 0; }
    int RowCount() const { return int(m_cells.size()); }
    // Channels the record's model has now (a Load brings the table to this count).
    int RecordChannelCount() const { return m_data->ChannelCount(); }
    // Empty outside the table.
    QString Cell(int row, int column) const;
    void SetCell(int row, int column, const QString& text);

    // Rebuilds every text from the record: header texts, row labels (1..16, twice for
    // 32 channels), and the rows.
    void Load();
    void FillRow(int index);

    // Takes the text of an editor into cell (row, column) and the record, choosing the
    // edit kind from the cell's old text. Only an empty text clears a frequency; one
    // that is not a number is refused, and so are blanks over a frequency (blanks
    // into an empty cell change nothing). A frequency is taken only as typed: a
    // number far outside the band, one with more digits than the radio keeps or one
    // off the channel raster is refused with the reason. `toneFollows` false keeps the
    // transmit tone when a receive tone is set (a paste changes only its cells).
    CommitResult Commit(RadioData& data, int row, int column, const QString& text,
                        bool toneFollows = true);
    static EditKind KindOf(int column, const QString& oldText, const QString& newText);

    // The edit of one kind for channel `channel` (1..N) and field `field` with text
    // `text` (a frequency already normalised or empty). Writes the record and the cells.
    void ApplyEdit(RadioData& data, int channel, int field, EditKind kind, const QString& text,
                   bool* outOfBand = nullptr, bool toneFollows = true);
    // Writes field `field` (1..11) of channel index `index` from `text`; `valid` false
    // stores the field's erased value. A frequency text is normalised in place.
    // Returns false for a field that does not exist, a frequency text that is not a
    // number (nothing is written), and for field 1 when no channel remains.
    bool StoreField(RadioData& data, int index, int field, bool valid, QString& text,
                    bool* outOfBand = nullptr);

    // Erases every channel of the model, as if each receive frequency had been emptied.
    void ClearAllChannels(RadioData& data);

    QString Text(int n) const;

private:
    // Why a typed frequency cannot be taken as typed; empty when it can (or when it is
    // no number at all, which the codec refuses).
    QString FrequencyRefusal(const QString& text) const;
    void Show(int row, int column, const QString& text) { SetCell(row, column, text); }

    const RadioData* m_data;
    std::vector<std::vector<QString>> m_cells;
};

}  // namespace radio
