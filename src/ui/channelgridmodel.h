#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <QStringList>

namespace n35
{

class ChannelTable;

// The memory grid's view of the channel table: row r is channel r + 1, column c is cell c + 1. It holds
// no copy of the cells, so a transfer that fills the table shows up row by row without a reset. The main
// window deletes its pages before its clone image; should the table go first all the same, the model is
// empty from then on.
class ChannelGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit ChannelGridModel(ChannelTable &table, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    static int channelOfRow(int row) { return row + 1; }
    static int rowOfChannel(int channel) { return channel - 1; }

private:
    QPointer<ChannelTable> channels;
    QStringList headers;
};

} // namespace n35
