#include "cli/summary.h"

#include "model/cloneimage.h"
#include "model/setmodetexts.h"

#include <algorithm>

namespace n35::cli
{

namespace
{

constexpr int Indent = 2;

QString Item(const QString &text)
{
    return QString(Indent, QLatin1Char(' ')) + text;
}

void Banks(const CloneImage &image, QStringList &lines)
{
    QStringList held;
    for (int bank = 0; bank < BankCount; ++bank) {
        if (image.banks.count(bank) > 0)
            held << Item(QStringLiteral("bank %1: %2 channels").arg(bank, 2).arg(image.banks.count(bank), 3));
    }
    lines << QStringLiteral("Banks: %1 of %2 hold channels, %3 channels in all")
                 .arg(held.size())
                 .arg(BankCount)
                 .arg(image.banks.total());
    lines << held;
}

void Channels(const CloneImage &image, QStringList &lines)
{
    // A row holds a channel when it has a frequency: that is what the radio stores. Every label takes
    // the width of the longest ("Dual0(Main)"), so the columns line up.
    qsizetype width = 0;
    for (int channel = 1; channel <= ChannelCount; ++channel)
        width = std::max(width, image.channels.label(channel).trimmed().size());
    QStringList used;
    for (int channel = 1; channel <= ChannelCount; ++channel) {
        const QString frequency = image.channels.cell(channel, ColFrequency);
        if (frequency.trimmed().isEmpty())
            continue;
        const QString name = image.channels.cell(channel, ColName).trimmed();
        const QString label = image.channels.label(channel).trimmed();
        used << Item(QStringLiteral("%1  %2  %3")
                         .arg(label.leftJustified(width), frequency.rightJustified(13), name)
                         .trimmed());
    }
    lines << QStringLiteral("Channels: %1 of %2 used").arg(used.size()).arg(ChannelCount);
    lines << used;
}

void OneTouch(const CloneImage &image, QStringList &lines)
{
    lines << QStringLiteral("One-touch keys:");
    for (int i = 0; i < OneTouchKeys::KeyCount; ++i) {
        const OneTouchKeys::Key &key = image.oneTouch.key(i);
        lines << Item(
            key.disabled
                ? QStringLiteral("key %1: disabled").arg(i + 1)
                : QStringLiteral("key %1: bank %2, channel %3").arg(i + 1).arg(key.bank).arg(key.position));
    }
}

void Title(const CloneImage &image, QStringList &lines)
{
    // The radio pads the title with blanks; leading ones are part of it, trailing ones are not.
    QString text = image.title.text();
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    const QStringList motions = TitleMotionTexts(Language::English);
    lines << QStringLiteral("Title: %1 (%2)")
                 .arg(text.isEmpty() ? QStringLiteral("none") : QLatin1Char('"') + text + QLatin1Char('"'),
                      motions.value(image.title.motion(), QString::number(image.title.motion())));
}

void Dtmf(const CloneImage &image, QStringList &lines)
{
    QStringList memories;
    for (int m = 0; m < DtmfMemories::MemoryCount; ++m) {
        if (!image.dtmf.memory(m).isEmpty())
            memories << Item(QStringLiteral("memory %1: %2").arg(m).arg(image.dtmf.memory(m)));
    }
    if (memories.isEmpty())
        return;
    lines << QStringLiteral("DTMF memories:") << memories;
}

void BankLinkGroups(const CloneImage &image, QStringList &lines)
{
    QStringList groups;
    for (int group = 0; group < BankLinks::GroupCount; ++group) {
        QStringList banks;
        for (int bank = 0; bank < BankLinks::BankCount; ++bank) {
            if (image.bankLinks.linked(group, bank))
                banks << QString::number(bank);
        }
        if (!banks.isEmpty())
            groups << Item(QStringLiteral("%1: banks %2")
                               .arg(BankLinks::GroupName(group), banks.join(QLatin1Char(','))));
    }
    if (groups.isEmpty())
        return;
    lines << QStringLiteral("Bank links:") << groups;
}

void Settings(const CloneImage &image, QStringList &lines)
{
    const SetModeSettings defaults;
    QStringList changed;
    QString previousCaption;
    for (const SetModeOption &option : SetModeOptions()) {
        // The second "CH scope Display" list has no caption of its own: it belongs to the one before.
        const QString caption = option.englishCaption.isEmpty() ? previousCaption + QStringLiteral(" (2)")
                                                                : option.englishCaption;
        previousCaption = option.englishCaption.isEmpty() ? previousCaption : option.englishCaption;
        const int index = image.settings.index(option.id);
        if (index == defaults.index(option.id))
            continue;
        // English whatever the radio's language, like the rest of the command line; the bank lists are
        // the banks that hold channels.
        const QStringList texts = option.englishTexts.isEmpty() ? image.settings.texts(option.id)
                                                                : OptionTexts(option, Language::English);
        changed << Item(QStringLiteral("%1: %2").arg(caption, texts.value(index, QString::number(index))));
    }
    lines << QStringLiteral("Settings that differ from the start-up defaults: %1")
                 .arg(changed.isEmpty() ? QStringLiteral("none") : QString::number(changed.size()));
    lines << changed;
}

} // namespace

QStringList SummarizeImage(const CloneImage &image)
{
    QStringList lines;
    Banks(image, lines);
    Channels(image, lines);
    OneTouch(image, lines);
    Title(image, lines);
    Dtmf(image, lines);
    BankLinkGroups(image, lines);
    Settings(image, lines);
    return lines;
}

} // namespace n35::cli
