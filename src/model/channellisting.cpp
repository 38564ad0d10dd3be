#include "model/channellisting.h"

namespace n35
{

namespace
{

// The tone and code of one side of a sub-tone mode ("T", "R", "D" or "-").
QString SideValue(QChar kind, const QString &tone, const QString &code)
{
    switch (kind.unicode()) {
    case u'T':
    case u'R':
        return tone;
    case u'D':
        return code;
    default:
        return QStringLiteral("-");
    }
}

QString Tones(const ChannelCells &cells)
{
    const QString &type = cells[ColSubtone - 1];
    // "None" sends and expects nothing; "Train" and anything unnamed is shown as it stands.
    if (type.isEmpty() || type == QLatin1String("None"))
        return {};
    if (type.size() != 3 || type.at(1) != QLatin1Char('/'))
        return type;
    const QString sent = SideValue(type.at(0), cells[ColTxTone - 1], cells[ColTxDcs - 1]);
    const QString heard = SideValue(type.at(2), cells[ColRxTone - 1], cells[ColRxDcs - 1]);
    return type + QLatin1Char(' ') + sent + QLatin1Char('/') + heard;
}

} // namespace

QStringList ListingHeaders()
{
    return {QStringLiteral("Channel"),    QStringLiteral("Frequency"), QStringLiteral("Mode"),
            QStringLiteral("Tone / DCS"), QStringLiteral("Shift"),     QStringLiteral("Offset"),
            QStringLiteral("Skip"),       QStringLiteral("Name")};
}

QStringList ListingTexts(const ListingRow &row)
{
    return {row.label, row.frequency, row.mode, row.tones, row.shift, row.offset, row.skip, row.name};
}

std::vector<ListingRow> ListingRows(const ChannelTable &table)
{
    std::vector<ListingRow> rows;
    for (int channel = 1; channel <= ChannelCount; ++channel) {
        if (!table.used(channel))
            continue;
        const ChannelCells &cells = table.cells(channel);
        const QString &shift = cells[ColShift - 1];
        const bool shifted = !shift.isEmpty() && shift != QLatin1String("Off");
        rows.push_back(ListingRow{channel, table.label(channel).trimmed(), cells[ColFrequency - 1],
                                  cells[ColMode - 1], Tones(cells), shifted ? shift : QString(),
                                  shifted ? cells[ColShiftFreq - 1] : QString(), cells[ColSkip - 1],
                                  cells[ColName - 1]});
    }
    return rows;
}

} // namespace n35
