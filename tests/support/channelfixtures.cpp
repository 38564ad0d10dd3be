#include "support/channelfixtures.h"

#include "emulator/radiocore.h"
#include "model/channelcodec.h"
#include "model/cloneimage.h"
#include "model/settings.h"
#include "model/valuetables.h"

namespace n35::testing
{

void FillVariedChannels(ChannelTable &table, int first, int last)
{
    static const QString names[] = {
        QString(),
        QStringLiteral("REPEATER"),
        QStringLiteral("A\\1B\\8"),
        QStringLiteral("C:\\\\path"),
        QString::fromUtf8("東京タワー"),
        QStringLiteral("0123456789ABCDEF"),
    };
    for (int n = first; n <= last; ++n) {
        const quint32 hz = (n % 7 == 0 ? 1240000000u : 144000000u) + quint32(n) * 12500u;
        ChannelCells cells;
        cells[ColFrequency - 1] = FrequencyText(hz);
        cells[ColMode - 1] = n % 2 ? QStringLiteral("FM") : QStringLiteral("NFM");
        cells[ColStep - 1] = *StepText(n % StepCount);
        cells[ColSubtone - 1] = *ToneTypeText(n % ToneTypeCount);
        cells[ColTxTone - 1] = *CtcssText(1 + n % CtcssCount);
        cells[ColRxTone - 1] = *CtcssText(1 + (n * 7) % CtcssCount);
        cells[ColTxDcs - 1] = *DcsText(n % DcsCount);
        cells[ColRxDcs - 1] = *DcsText((n * 5) % DcsCount);
        cells[ColShift - 1] = ShiftText(n % 3);
        cells[ColShiftFreq - 1] = FrequencyText(quint32(n % 4) * 600000u);
        cells[ColSkip - 1] = SkipText(n % 5 == 0 ? 1 : 0);
        cells[ColName - 1] = names[n % 6];
        table.setCells(n, cells);
        table.setUsed(n, true);
    }
}

QByteArray Answer(n35emu::RadioCore &radio, const QByteArray &written)
{
    return QByteArray::fromStdString(radio.receive(written.toStdString()));
}

void PrimeSettings(QByteArray &memory)
{
    const SetModeSettings defaults;
    const QByteArray blocks =
        QByteArray::fromHex((defaults.MakeSettingData(0) + defaults.MakeSettingData(1)).toLatin1());
    memory.replace(0, blocks.size(), blocks);
}

void PrimeSettings(n35emu::RadioCore &radio)
{
    QByteArray memory(reinterpret_cast<const char *>(radio.memory().data()), 0x80);
    PrimeSettings(memory);
    std::copy(memory.begin(), memory.end(), radio.memory().begin());
}

void VaryImage(CloneImage &image)
{
    BankPartition::Counts counts{};
    counts[0] = 120;
    counts[9] = 300;
    counts[49] = 80;
    image.banks.setCounts(counts);
    FillVariedChannels(image.channels, 1, ChannelCount);
    for (int channel = 1; channel <= ChannelCount; ++channel) {
        const bool band900 = channel % 7 == 0 || channel == Call900Channel;
        image.channels.setCell(
            channel, ColFrequency,
            FrequencyText((band900 ? 902'000'000U : 216'000'000U) + quint32(channel) * 12'500U));
    }
    image.oneTouch.setDisabled(1, false);
    image.oneTouch.setBank(1, 9);
    image.oneTouch.setPosition(1, 299);
    image.title.setText(QStringLiteral("\\1 RADIO \\\\"));
    image.title.setMotion(1);
    image.dtmf.setMemory(4, QStringLiteral("*12#"));
    image.settings.setIndex(SetModeSettings::LanguageOption, 0);
    image.settings.setIndex({OptionGroup::Key, 6}, 44);
    image.settings.setIndex(SetModeSettings::WriteProtectOption, 2);
    for (int glyph = 0; glyph < FontGlyphs::GlyphCount; ++glyph)
        image.glyphs.setRectangle(glyph, glyph, 0, 15, glyph, true);
    image.bankLinks.setLinked(10, 49, true);
    image.bankLinks.setLinked(0, 9, true);
}

void VaryRegions(CloneImage &image)
{
    const int Banks[] = {0, 7, 49};
    for (int i = 0; i < OneTouchKeys::KeyCount; ++i) {
        image.oneTouch.setDisabled(i, i == 0); // a disabled key reads back on the first bank, position 0
        image.oneTouch.setBank(i, Banks[i % 3]);
        image.oneTouch.setPosition(i, i * 5);
    }
    for (int m = 0; m < DtmfMemories::MemoryCount; ++m)
        image.dtmf.setMemory(m, QStringLiteral("0123456789ABCD*#-").mid(m, 4 + m));
    image.dtmf.setWait(3), image.dtmf.setHead(7), image.dtmf.setBurst(9), image.dtmf.setPause(11);
    image.dtmf.setDialChannel(4);
    image.title.setText(QStringLiteral("AB\\1CD"));
    image.title.setMotion(1);
    for (int g = 0; g < BankLinks::GroupCount; ++g)
        image.bankLinks.setLinked(g, Banks[g % 3], true);
    int n = 0;
    for (const SetModeOption &option : SetModeOptions()) {
        if (const int size = static_cast<int>(image.settings.texts(option.id).size()); size > 1)
            image.settings.setIndex(option.id, (++n * 7) % size);
    }
    image.settings.setIndex(SetModeSettings::LanguageOption, static_cast<int>(Language::Japanese));
    image.settings.setIndex(SetModeSettings::WriteProtectOption, 2);
    for (int g = 0; g < FontGlyphs::GlyphCount; ++g)
        image.glyphs.setRectangle(g, g, 0, 15 - g, g * 2, true);
}

} // namespace n35::testing
