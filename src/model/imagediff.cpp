#include "model/imagediff.h"

#include "model/channelcodec.h"
#include "model/cloneimage.h"

#include <QStringList>

namespace n35
{

namespace
{

QString ChannelSummary(const ChannelTable &table, int channel)
{
    if (table.cell(channel, ColFrequency).isEmpty())
        return QStringLiteral("empty");
    QStringList cells;
    for (const QString &cell : table.cells(channel))
        cells << (cell.trimmed().isEmpty() ? QStringLiteral("-") : cell.trimmed());
    return cells.join(QLatin1Char(' '));
}

QString KeySummary(const OneTouchKeys::Key &key)
{
    return key.disabled ? QStringLiteral("disabled")
                        : QStringLiteral("bank %1, channel %2").arg(key.bank).arg(key.position);
}

QString GroupSummary(const BankLinks &links, int group)
{
    QStringList banks;
    for (int bank = 0; bank < BankLinks::BankCount; ++bank) {
        if (links.linked(group, bank))
            banks << QString::number(bank);
    }
    return banks.isEmpty() ? QStringLiteral("no banks")
                           : QStringLiteral("banks ") + banks.join(QLatin1Char(','));
}

} // namespace

QString ImageDifference::describe() const
{
    return QStringLiteral("%1, %2: %3 -> %4").arg(region, where, expected, actual);
}

QString DifferenceLegend(const QString &ours)
{
    return QStringLiteral("Each line: where, then %1 value -> the radio's value.").arg(ours);
}

std::vector<ImageDifference> CompareImages(const CloneImage &expected, const CloneImage &actual)
{
    std::vector<ImageDifference> found;
    auto add = [&](const char *region, const QString &where, const QString &a, const QString &b) {
        if (a != b)
            found.push_back({QString::fromLatin1(region), where, a, b});
    };

    for (int bank = 0; bank < BankCount; ++bank)
        add("banks", QStringLiteral("bank %1").arg(bank), QString::number(expected.banks.count(bank)),
            QString::number(actual.banks.count(bank)));
    for (int key = 0; key < OneTouchKeys::KeyCount; ++key)
        add("one-touch keys", QStringLiteral("key %1").arg(key + 1), KeySummary(expected.oneTouch.key(key)),
            KeySummary(actual.oneTouch.key(key)));
    // Compared as the radio stores them; shown as the user typed them.
    if (expected.title.encode().left(64) != actual.title.encode().left(64))
        found.push_back({QStringLiteral("title"), QStringLiteral("text"), expected.title.text().trimmed(),
                         actual.title.text().trimmed()});
    add("title", QStringLiteral("opening motion"), QString::number(expected.title.motion()),
        QString::number(actual.title.motion()));

    // Options are compared by what the radio stores (the index; for the two "Bank No." lists the bank the
    // entry names) and shown in English, so a different "Language" is one difference, not one per option.
    const auto isBank = [](OptionId id) {
        return id == SetModeSettings::BankMainOption || id == SetModeSettings::BankSubOption;
    };
    const auto shown = [&](const CloneImage &image, const SetModeOption &option) {
        const int index = image.settings.index(option.id);
        if (isBank(option.id))
            return image.settings.texts(option.id).value(index);
        return OptionTexts(option, Language::English).value(index, QString::number(index)).trimmed();
    };
    for (const SetModeOption &option : SetModeOptions()) {
        if (SetModeSettings::IsReadOnly(option.id))
            continue;
        const bool same = isBank(option.id)
                              ? shown(expected, option) == shown(actual, option)
                              : expected.settings.index(option.id) == actual.settings.index(option.id);
        if (same)
            continue;
        found.push_back(
            {QStringLiteral("settings"),
             option.englishCaption.isEmpty() ? OptionControlName(option.id) : option.englishCaption,
             shown(expected, option), shown(actual, option)});
    }
    for (int m = 0; m < DtmfMemories::MemoryCount; ++m)
        add("DTMF", QStringLiteral("memory %1").arg(m), expected.dtmf.memory(m), actual.dtmf.memory(m));
    const int timingsA[] = {expected.dtmf.wait(), expected.dtmf.head(), expected.dtmf.burst(),
                            expected.dtmf.pause(), expected.dtmf.dialChannel()};
    const int timingsB[] = {actual.dtmf.wait(), actual.dtmf.head(), actual.dtmf.burst(), actual.dtmf.pause(),
                            actual.dtmf.dialChannel()};
    const QStringList timingTexts[] = {DtmfWaitTexts(), DtmfTimingTexts(), DtmfTimingTexts(),
                                       DtmfTimingTexts(), DtmfDialChannelTexts()};
    const char *timingNames[] = {"Wait", "Head", "Burst", "Pause", "Ch"};
    for (int i = 0; i < 5; ++i)
        add("DTMF", QString::fromLatin1(timingNames[i]), timingTexts[i].value(timingsA[i]),
            timingTexts[i].value(timingsB[i]));

    for (int glyph = 0; glyph < FontGlyphs::GlyphCount; ++glyph)
        add("glyphs", QStringLiteral("glyph %1").arg(glyph + 1), expected.glyphs.MakeFontData(glyph),
            actual.glyphs.MakeFontData(glyph));
    for (int group = 0; group < BankLinks::GroupCount; ++group)
        add("bank links", BankLinks::GroupName(group), GroupSummary(expected.bankLinks, group),
            GroupSummary(actual.bankLinks, group));

    for (int channel = 1; channel <= ChannelCount; ++channel) {
        const Result<QString> a = EncodeChannel(channel, expected.channels);
        const Result<QString> b = EncodeChannel(channel, actual.channels);
        if (!(a.ok() && b.ok() && *a == *b))
            found.push_back({QStringLiteral("channels"), ChannelPlace(channel, expected.channels),
                             ChannelSummary(expected.channels, channel),
                             ChannelSummary(actual.channels, channel)});
    }
    return found;
}

} // namespace n35
