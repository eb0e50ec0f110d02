#include "channels/channel_table_model.h"

namespace radio {

ChannelTableModel::ChannelTableModel(ChannelSheet* sheet, QObject* parent)
    : QAbstractTableModel(parent), m_sheet(sheet)
{
}

int ChannelTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_sheet->ChannelCount();
}

int ChannelTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : column::Count - 1;
}

QVariant ChannelTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) {
        return QVariant();
    }
    const int column = index.column() + 1;
    switch (role) {
    case Qt::DisplayRole: return m_sheet->Cell(index.row() + 1, column);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(kColumnLayout[std::size_t(column)].centred
                                       ? Qt::AlignCenter
                                       : Qt::AlignRight | Qt::AlignVCenter);
    default: return QVariant();
    }
}

QVariant ChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::TextAlignmentRole) {
        return int(Qt::AlignCenter);
    }
    if (role != Qt::DisplayRole) {
        return QVariant();
    }
    if (orientation == Qt::Horizontal) {
        return m_sheet->Cell(0, section + 1);
    }
    return m_sheet->Cell(section + 1, column::Label);
}

Qt::ItemFlags ChannelTableModel::flags(const QModelIndex& index) const
{
    // The table edits through its own editors, not through the model.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void ChannelTableModel::Reload()
{
    const int before = m_sheet->ChannelCount();
    if (before != m_sheet->RecordChannelCount() || m_sheet->RowCount() == 0) {
        beginResetModel();
        m_sheet->Load();
        endResetModel();
        return;
    }
    m_sheet->Load();
    AllChanged();
}

void ChannelTableModel::ClearAllChannels(RadioData& data)
{
    beginResetModel();
    m_sheet->ClearAllChannels(data);
    endResetModel();
}

void ChannelTableModel::RowChanged(int row)
{
    emit dataChanged(IndexOf(row, 1), IndexOf(row, column::Last), {Qt::DisplayRole});
}

void ChannelTableModel::AllChanged()
{
    if (rowCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
    }
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    if (rowCount() > 0) {
        emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
    }
}

}  // namespace radio
