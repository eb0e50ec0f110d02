// The channel table as a Qt table model over the document's record. Model row r and
// column c are grid row r + 1 and column c + 1 (channel_cells.h): the header texts and
// the row labels are the header data. Every text is formatted from the record when it
// is asked for, so the table shows what the record holds and nothing else.
//
// setData() commits a cell's text through the document, one step of its history per
// committed cell, named for the cell ("Channel 3 receive frequency 435.12500").
#pragma once

#include <QAbstractTableModel>

#include "channels/channel_cells.h"
#include "widgets/radio_document.h"

namespace radio {

class ChannelTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ChannelTableModel(RadioDocument* document, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Takes `value`'s text as typed into the cell; false when it was refused (the
    // record is unchanged, LastCommit() says why).
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // What the last setData() made of its text.
    const CommitResult& LastCommit() const { return m_lastCommit; }

    // The record may have changed anywhere (a step of another kind, undo, a read, a
    // language): the texts are asked for afresh; a changed channel count resets the model.
    void Reload();

    const RadioData& Record() const { return m_document->Record(); }
    RadioDocument* Document() const { return m_document; }
    // Grid numbering (channel_cells.h).
    QModelIndex IndexOf(int row, int column) const { return index(row - 1, column - 1); }
    QString Cell(int row, int column) const { return CellText(Record(), row, column); }
    // What a screen reader says of a cell: its channel, column and value, "channel 3,
    // RX Freq, 435.12500", or "empty" for a cell without one.
    QString AccessibleCell(int row, int column) const;

    // The name of the step that commits `column` of channel `row` after it: the
    // cell's text as it then is.
    RadioDocument::StepNamer CellStepName(int row, int column) const;

private:
    RadioDocument* m_document;
    int m_rows = 0;  // the channel count the views were last told
    CommitResult m_lastCommit;
};

}  // namespace radio
