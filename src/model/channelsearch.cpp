#include "model/channelsearch.h"

#include <algorithm>

namespace n35
{

namespace
{

QString Squeezed(const QString &text)
{
    QString squeezed;
    squeezed.reserve(text.size());
    for (const QChar c : text) {
        if (!c.isSpace())
            squeezed += c;
    }
    return squeezed;
}

bool Holds(const ChannelTable &table, int channel, const QString &text)
{
    return table.cell(channel, ColFrequency).contains(text, Qt::CaseInsensitive) ||
           table.cell(channel, ColName).contains(text, Qt::CaseInsensitive);
}

} // namespace

std::optional<FoundChannel> FindChannel(const ChannelTable &table, const QString &text, int from,
                                        bool forward)
{
    const QString wanted = text.trimmed();
    if (wanted.isEmpty())
        return std::nullopt;
    const int step = forward ? 1 : -1;
    int channel = std::clamp(from, 1, ChannelCount);
    bool wrapped = false;
    for (int tried = 0; tried < ChannelCount; ++tried) {
        channel += step;
        if (channel > ChannelCount || channel < 1) {
            channel = forward ? 1 : ChannelCount;
            wrapped = true;
        }
        if (Holds(table, channel, wanted))
            return FoundChannel{channel, wrapped};
    }
    return std::nullopt;
}

std::optional<int> ChannelOfLabel(const ChannelTable &table, const QString &label)
{
    const QString wanted = Squeezed(label);
    if (wanted.isEmpty())
        return std::nullopt;
    bool isNumber = false;
    if (const int number = wanted.toInt(&isNumber); isNumber)
        return number >= 1 && number <= ChannelCount ? std::optional<int>(number) : std::nullopt;
    for (int channel = 1; channel <= ChannelCount; ++channel) {
        if (Squeezed(table.label(channel)).compare(wanted, Qt::CaseInsensitive) == 0)
            return channel;
    }
    return std::nullopt;
}

} // namespace n35
