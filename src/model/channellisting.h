#pragma once

#include "model/channeltable.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace n35
{

// The channel list a user prints and carries to the radio: the used rows in grid order, each as its row
// label and the cells that matter on the air. The tone column says only what the sub-tone mode uses
// ("T/R 100.0Hz/127.3Hz", "D/D 023/023"), and the offset only where the shift uses one.
struct ListingRow {
    int channel = 0;
    QString label;
    QString frequency;
    QString mode;
    QString tones;
    QString shift;
    QString offset;
    QString skip;
    QString name; // escape notation: the printer draws the custom glyphs
};

// The column headers, in the order of ListingRow's texts.
QStringList ListingHeaders();
// One row's texts in header order.
QStringList ListingTexts(const ListingRow &row);

std::vector<ListingRow> ListingRows(const ChannelTable &table);

} // namespace n35
