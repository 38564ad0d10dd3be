#include "model/channeltable.h"

#include <algorithm>
#include <utility>

namespace n35
{

QStringList ChannelHeaderTexts()
{
    return {QString(),
            QStringLiteral("Freqency"),
            QStringLiteral("mode"),
            QStringLiteral("step"),
            QStringLiteral("Subtone"),
            QStringLiteral("Tx-tone"),
            QStringLiteral("Rx-tone"),
            QStringLiteral("Tx-DCS"),
            QStringLiteral("Rx-DCS"),
            QStringLiteral("Shift"),
            QStringLiteral("Shift-Freq"),
            QStringLiteral("Skip"),
            QStringLiteral("Name")};
}

ChannelCells CallChannelDefaults(const QString &frequency)
{
    return {frequency,
            QStringLiteral("FM"),
            QStringLiteral("5KHz"),
            QStringLiteral("None"),
            QStringLiteral("88.5Hz"),
            QStringLiteral("88.5Hz"),
            QStringLiteral("023"),
            QStringLiteral("023"),
            QStringLiteral("Off"),
            QStringLiteral("0.00000MHz"),
            QString(),
            QString()};
}

void ClearChannelRows(ChannelTable &table, int first, int last)
{
    if (first > last)
        std::swap(first, last);
    for (int channel = std::max(first, 1); channel <= std::min(last, ChannelCount); ++channel) {
        if (!IsCallChannel(channel))
            table.clearRow(channel);
    }
}

void ClearEmptyChannelRows(ChannelTable &table)
{
    for (int channel = 1; channel <= ChannelCount; ++channel) {
        if (!IsCallChannel(channel) && table.cell(channel, ColFrequency).isEmpty())
            table.clearRow(channel);
    }
}

ChannelTable::ChannelTable(QObject *parent)
    : QObject(parent), ChannelUsed(ChannelCount, 0), rows(ChannelCount)
{
    labels.resize(ChannelCount);
    // Every other row is empty already.
    rows.at(Call222Channel - 1) = CallChannelDefaults(QStringLiteral("222.00000MHz"));
    rows.at(Call900Channel - 1) = CallChannelDefaults(QStringLiteral("902.00000MHz"));
    setUsed(Call222Channel, true);
    setUsed(Call900Channel, true);
}

const QString &ChannelTable::cell(int channel, int column) const
{
    return rows.at(channel - 1).at(column - 1);
}

void ChannelTable::setCell(int channel, int column, const QString &text)
{
    rows.at(channel - 1).at(column - 1) = text;
    emit changed(channel, channel);
}

void ChannelTable::setCells(int channel, const ChannelCells &cells)
{
    rows.at(channel - 1) = cells;
    emit changed(channel, channel);
}

void ChannelTable::clearRow(int channel)
{
    rows.at(channel - 1) = ChannelCells{};
    setUsed(channel, false);
    emit changed(channel, channel);
}

void ChannelTable::setLabels(const QStringList &rowLabels)
{
    if (rowLabels.size() == ChannelCount) {
        labels = rowLabels; // shared, not copied
    } else {
        for (qsizetype i = 0; i < ChannelCount && i < rowLabels.size(); ++i)
            labels[i] = rowLabels.at(i);
    }
    emit changed(1, ChannelCount);
}

void ChannelTable::restore(const std::vector<ChannelCells> &cells, const std::vector<unsigned char> &used)
{
    if (cells.size() != rows.size() || used.size() != ChannelUsed.size())
        return;
    int first = 0;
    int last = 0;
    for (int channel = 1; channel <= ChannelCount; ++channel) {
        const auto at = static_cast<std::size_t>(channel - 1);
        if (rows[at] == cells[at] && ChannelUsed[at] == used[at])
            continue;
        rows[at] = cells[at];
        ChannelUsed[at] = used[at];
        first = first ? first : channel;
        last = channel;
    }
    if (first)
        emit changed(first, last);
}

void ChannelTable::reset()
{
    for (auto &row : rows)
        row = ChannelCells{};
    std::fill(ChannelUsed.begin(), ChannelUsed.end(), 0);
    rows.at(Call222Channel - 1) = CallChannelDefaults(QStringLiteral("222.00000MHz"));
    rows.at(Call900Channel - 1) = CallChannelDefaults(QStringLiteral("902.00000MHz"));
    setUsed(Call222Channel, true);
    setUsed(Call900Channel, true);
    emit changed(1, ChannelCount);
}

} // namespace n35
