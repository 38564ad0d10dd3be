#include "ui/channelgridmodel.h"

#include "model/channeltable.h"

namespace n35
{

namespace
{

constexpr Qt::Alignment CellAlignment = Qt::AlignLeft | Qt::AlignVCenter;

} // namespace

ChannelGridModel::ChannelGridModel(ChannelTable &table, QObject *parent)
    : QAbstractTableModel(parent), channels(&table), headers(ChannelHeaderTexts())
{
    connect(&table, &ChannelTable::changed, this, [this](int first, int last) {
        first = qMax(first, 1);
        last = qMin(last, ChannelCount);
        if (first > last)
            return;
        emit dataChanged(index(rowOfChannel(first), 0), index(rowOfChannel(last), ChannelCellCount - 1));
        emit headerDataChanged(Qt::Vertical, rowOfChannel(first), rowOfChannel(last));
    });
    connect(&table, &ChannelTable::destroyed, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

int ChannelGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !channels ? 0 : ChannelCount;
}

int ChannelGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || !channels ? 0 : ChannelCellCount;
}

QVariant ChannelGridModel::data(const QModelIndex &index, int role) const
{
    if (!channels || !index.isValid() || index.row() >= ChannelCount || index.column() >= ChannelCellCount)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return channels->cell(channelOfRow(index.row()), index.column() + 1);
    case Qt::TextAlignmentRole:
        return CellAlignment.toInt();
    default:
        return {};
    }
}

QVariant ChannelGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::TextAlignmentRole)
        return CellAlignment.toInt();
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < ChannelCellCount ? headers.value(section + 1) : QVariant();
    return channels && section >= 0 && section < ChannelCount ? channels->label(channelOfRow(section))
                                                              : QVariant();
}

Qt::ItemFlags ChannelGridModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace n35
