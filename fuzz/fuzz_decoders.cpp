// The region decoders on arbitrary radio replies. The first byte picks the decoder (its remainder by the
// number of decoders) and its block, channel or part (the quotient); the rest is the reply, read as
// Latin-1 text as the link hands it over. What a decoder took is encoded again, since the next write
// sends exactly that.

#include "fuzzinput.h"
#include "model/banklinks.h"
#include "model/banks.h"
#include "model/channelcodec.h"
#include "model/dtmf.h"
#include "model/glyphs.h"
#include "model/onetouch.h"
#include "model/settings.h"
#include "model/textcodec.h"
#include "model/title.h"

#include <array>

using namespace n35;

namespace
{

enum Decoder {
    Channel,
    ChannelName,
    BankBlock,
    OneTouch,
    Title,
    Settings,
    Dtmf,
    Font,
    BankLink,
    Text,
    DecoderCount,
};

// Every group's first and last row, and the CALL rows with their own bands.
constexpr std::array Channels{1, 2, 499, 500, 501, 600, 601, 602, 799, 800, 801, 850, 851, 852, 853, 952};

BankPartition::Counts UnevenCounts()
{
    BankPartition::Counts counts{};
    counts[0] = 250, counts[7] = 200, counts[49] = 50;
    return counts;
}

void DecodeChannelReply(const QString &hex, int choice)
{
    const int channel = Channels[static_cast<std::size_t>(choice) % Channels.size()];
    ChannelTable table;
    if (DecodeChannel(hex, channel, table))
        (void)EncodeChannel(channel, table);
}

void DecodeBankReply(const QString &hex, int choice)
{
    BankPartition::Counts counts = BankPartition::DefaultCounts();
    if (!DecodeBankBlock(hex, choice % 2, counts))
        return;
    BankPartition banks;
    banks.applyDecoded(counts);
    (void)EncodeBankBlock(banks, 0);
    (void)EncodeBankBlock(banks, 1);
}

void DecodeOneTouchReply(const QString &hex, int choice)
{
    BankPartition banks;
    if (choice % 2)
        banks.setCounts(UnevenCounts());
    OneTouchKeys keys;
    keys.followPartition(banks);
    if (keys.ExpandOneTouchData(hex))
        (void)keys.MakeOneTouchData();
}

// The replies land on the program's own start-up settings, so a reply that changes a few bytes reaches
// the options behind them. A long reply runs on into the following blocks.
void DecodeSettingsReply(QString hex, int choice)
{
    static const std::array<QString, 3> startUp = [] {
        const SetModeSettings settings;
        return std::array<QString, 3>{settings.MakeSettingData(0), settings.MakeSettingData(1),
                                      settings.MakeSettingData(2)};
    }();
    SetModeSettings settings;
    for (int block = 0; block < 3; ++block)
        settings.StoreSettingsBytes(startUp[static_cast<std::size_t>(block)], block * 64);
    for (int block = choice % 3; block < 3 && !hex.isEmpty(); ++block) {
        if (!settings.StoreSettingsBytes(hex.left(128), block * 64))
            return;
        hex.remove(0, 128);
    }
    if (!settings.ExpandSettingData())
        return;
    for (int block = 0; block < 3; ++block)
        (void)settings.MakeSettingData(block);
}

void DecodeDtmfReply(const QString &hex, int choice)
{
    DtmfMemories dtmf;
    const int part = choice % 4;
    if (part == 3 ? dtmf.decode(hex) : dtmf.ExpandDtmfData(hex, part))
        (void)dtmf.MakeDtmfData();
}

void DecodeText(const QString &hex)
{
    const QString escaped = ExpandTextData(hex);
    (void)MakeTextData(ConvertEscapeText(escaped));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int decoder = data[0] % DecoderCount;
    const int choice = data[0] / DecoderCount;
    const QString hex =
        QString::fromLatin1(reinterpret_cast<const char *>(data + 1), static_cast<qsizetype>(size - 1));
    switch (decoder) {
    case Channel:
        DecodeChannelReply(hex, choice);
        break;
    case ChannelName: {
        ChannelTable table;
        DecodeChannelName(hex, Channels[static_cast<std::size_t>(choice) % Channels.size()], table);
        break;
    }
    case BankBlock:
        DecodeBankReply(hex, choice);
        break;
    case OneTouch:
        DecodeOneTouchReply(hex, choice);
        break;
    case Title: {
        OpeningTitle title;
        if (title.ExpandTitleData(hex))
            (void)title.encode();
        break;
    }
    case Settings:
        DecodeSettingsReply(hex, choice);
        break;
    case Dtmf:
        DecodeDtmfReply(hex, choice);
        break;
    case Font: {
        FontGlyphs glyphs;
        if (glyphs.ExpandFontData(hex, choice % FontGlyphs::GlyphCount))
            (void)glyphs.MakeFontData(choice % FontGlyphs::GlyphCount);
        break;
    }
    case BankLink: {
        BankLinks links;
        if (links.ExpandBankLink(hex)) {
            BankPartition banks;
            links.dropEmptyBanks(banks);
            (void)links.MakeBankLink();
        }
        break;
    }
    case Text:
        DecodeText(hex);
        break;
    default:
        break;
    }
    return 0;
}
