#pragma once

#include "model/result.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace n35
{

inline constexpr int ChannelCount = 952;
inline constexpr int ChannelCellCount = 12;

// Channel groups by number (1..952).
inline constexpr int FirstPrgChannel = 501;
inline constexpr int FirstDualChannel = 601;
inline constexpr int FirstPrioChannel = 801;
inline constexpr int Call222Channel = 851;
inline constexpr int Call900Channel = 852;
inline constexpr int FirstPassChannel = 853;
inline constexpr int PassChannelCount = 100;

inline bool IsPassChannel(int channel)
{
    return channel >= FirstPassChannel && channel < FirstPassChannel + PassChannelCount;
}
inline bool IsCallChannel(int channel)
{
    return channel == Call222Channel || channel == Call900Channel;
}

// Cell columns of a channel row, as the grid numbers them (column 0 is the row label).
enum ChannelColumn {
    ColFrequency = 1,
    ColMode,
    ColStep,
    ColSubtone,
    ColTxTone,
    ColRxTone,
    ColTxDcs,
    ColRxDcs,
    ColShift,
    ColShiftFreq,
    ColSkip,
    ColName,
};

// Header texts of columns 0..12, as the grid's row 0 shows them.
QStringList ChannelHeaderTexts();

using ChannelCells = std::array<QString, ChannelCellCount>;

// The 952 channel rows of the clone image: twelve cell texts per row, the ChannelUsed flags and the row
// labels. Rows are numbered like channels, 1..952.
class ChannelTable : public QObject
{
    Q_OBJECT
public:
    explicit ChannelTable(QObject *parent = nullptr);

    const QString &cell(int channel, int column) const;
    void setCell(int channel, int column, const QString &text);
    const ChannelCells &cells(int channel) const { return rows.at(channel - 1); }
    void setCells(int channel, const ChannelCells &cells);

    bool used(int channel) const { return ChannelUsed.at(channel - 1) != 0; }
    void setUsed(int channel, bool isUsed) { ChannelUsed.at(channel - 1) = isUsed ? 1 : 0; }

    // Empties cells 1..12 and the used flag.
    void clearRow(int channel);

    const QString &label(int channel) const { return labels.at(channel - 1); }
    void setLabels(const QStringList &rowLabels);

    // The radio's records, as the transfers and the image file carry them (the codec is in channelcodec):
    // row `channel` as EncodeChannel gives it, and rows first..last, or the Problem of the first cell the
    // radio cannot take.
    Result<QString> encode(int channel) const;
    Result<QStringList> encode(int first, int last) const;
    // Row `channel` from its record, as DecodeChannel takes it: whole, or not at all.
    Status decode(const QString &hex, int channel);
    // The start-up state: all rows empty except the two CALL channels.
    void reset();

    // Every row's cells and used flags (the labels follow the bank partition), to take an edit back.
    const std::vector<ChannelCells> &allRows() const { return rows; }
    const std::vector<unsigned char> &allUsed() const { return ChannelUsed; }
    // Puts back rows and used flags as allRows() and allUsed() gave them; one change for the rows
    // that differ.
    void restore(const std::vector<ChannelCells> &cells, const std::vector<unsigned char> &used);

signals:
    // Rows first..last changed: their cells, used flags or labels.
    void changed(int first, int last);

private:
    // 1 = the row holds a channel; entry n - 1 for channel n.
    std::vector<unsigned char> ChannelUsed;
    std::vector<ChannelCells> rows;
    QStringList labels;
};

// The content of a CALL channel at start-up.
ChannelCells CallChannelDefaults(const QString &frequency);

// Empties rows first..last (either order, clamped to 1..952). The two CALL channels always hold a
// channel in the radio, so they are kept.
void ClearChannelRows(ChannelTable &table, int first, int last);

// Blanks every row without a frequency, except the two CALL channels.
void ClearEmptyChannelRows(ChannelTable &table);

} // namespace n35
