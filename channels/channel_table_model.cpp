#include "channels/channel_table_model.h"

#include <algorithm>

#include "config/text_of.h"

namespace radio {

ChannelTableModel::ChannelTableModel(RadioDocument* document, QObject* parent)
    : QAbstractTableModel(parent), m_document(document), m_rows(document->Record().ChannelCount())
{
}

int ChannelTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
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
    case Qt::DisplayRole:
    case Qt::EditRole: return Cell(index.row() + 1, column);
    case Qt::AccessibleTextRole: return AccessibleCell(index.row() + 1, column);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(kColumnLayout[std::size_t(column)].centred
                                       ? Qt::AlignCenter
                                       : Qt::AlignRight | Qt::AlignVCenter);
    default: return QVariant();
    }
}

QString ChannelTableModel::AccessibleCell(int row, int column) const
{
    const QString value = Cell(row, column);
    return QStringLiteral("%1, %2, %3")
        .arg(UiText(Record(), text::AccessibleChannel).arg(Cell(row, column::Label)),
             Cell(0, column), value.isEmpty() ? UiText(Record(), text::AccessibleEmpty) : value);
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
        return Cell(0, section + 1);
    }
    return Cell(section + 1, column::Label);
}

Qt::ItemFlags ChannelTableModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                           : Qt::NoItemFlags;
}

bool ChannelTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole) {
        return false;
    }
    const int row = index.row() + 1;
    const int column = index.column() + 1;
    const QString text = value.toString();
    m_lastCommit = CommitResult();
    m_document->Change([&](RadioData& data) {
        m_lastCommit = CommitCell(data, row, column, text);
        return CellStepName(row, column);
    });
    if (m_lastCommit.refused) {
        return false;
    }
    emit dataChanged(IndexOf(row, 1), IndexOf(row, column::Last), {Qt::DisplayRole});
    return true;
}

void ChannelTableModel::Reload()
{
    const int channels = Record().ChannelCount();
    if (channels != m_rows) {
        beginResetModel();
        m_rows = channels;
        endResetModel();
        return;
    }
    if (m_rows > 0) {
        emit dataChanged(index(0, 0), index(m_rows - 1, columnCount() - 1), {Qt::DisplayRole});
        emit headerDataChanged(Qt::Vertical, 0, m_rows - 1);
    }
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

// "Channel 3 receive frequency 435.12500", "Channel 3 transmit frequency emptied".
RadioDocument::StepNamer ChannelTableModel::CellStepName(int row, int column) const
{
    static constexpr int kFieldNames[] = {
        0,
        text::FieldReceiveFrequency,
        text::FieldTransmitFrequency,
        text::FieldReceiveTone,
        text::FieldTransmitTone,
        text::FieldBandwidth,
        text::FieldPower,
        text::FieldScanAdd,
        text::FieldBusyLock,
    };
    const RadioDocument* document = m_document;
    const auto text = [document](int n) { return UiText(document->Record(), n); };
    const int field = kFieldNames[std::clamp(column, 0, int(column::Last))];
    const QString value = Cell(row, column);
    // A value of a list column ("Wide", "Off") is a language text itself: the name
    // then follows the language too.
    int valueText = -1;
    for (int n = 0; n < LanguageTable::Count() && valueText < 0 && !value.isEmpty(); ++n) {
        if (text(n) == value) {
            valueText = n;
        }
    }
    return [text, row, field, value, valueText] {
        return value.isEmpty() ? text(text::UndoCellEmptied).arg(row).arg(text(field))
                               : text(text::UndoCellValue)
                                     .arg(row)
                                     .arg(text(field), valueText >= 0 ? text(valueText) : value);
    };
}

}  // namespace radio
