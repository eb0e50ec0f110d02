// The channel table's texts as a Qt table model. Model row r and column c are grid row
// r + 1 and column c + 1: the header texts and the row labels are the header data.
#pragma once

#include <QAbstractTableModel>

#include "channels/channel_sheet.h"

namespace radio {

class ChannelTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    ChannelTableModel(ChannelSheet* sheet, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Reloads the sheet from the record; a changed channel count resets the model.
    void Reload();
    // Erases every channel of the record's model and shows the empty table.
    void ClearAllChannels(RadioData& data);
    // The texts of grid row `row` (1..N) changed.
    void RowChanged(int row);
    // Every text may have changed (the row count has not).
    void AllChanged();

    QModelIndex IndexOf(int row, int column) const { return index(row - 1, column - 1); }

private:
    ChannelSheet* m_sheet;
};

}  // namespace radio
