#include "model/channelcodec.h"

#include "model/hex.h"
#include "model/textcodec.h"
#include "model/valuetables.h"

namespace n35
{

namespace
{

// Byte offsets inside the 64-byte record.
enum RecordByte {
    StatusByte = 0,
    FrequencyBytes = 1,
    ModeByte = 5,
    StepByte = 6,
    OffsetBytes = 7,
    ShiftByte = 11,
    SubtoneByte = 12,
    TxToneByte = 13,
    RxToneByte = 14,
    TxDcsByte = 15,
    SkipByte = 19,
    RxDcsByte = 21,
    NameBytes = 32,
};

constexpr int RecordHexLength = 128;

} // namespace

QString FrequencyText(std::uint32_t hz)
{
    const std::uint32_t fraction = (hz % 1000000) / 10;
    return QStringLiteral("%1.%2MHz").arg(hz / 1000000).arg(fraction, 5, 10, QLatin1Char('0'));
}

std::optional<std::uint32_t> ParseFrequency(const QString &text)
{
    QString number = text.trimmed();
    if (number.endsWith(QLatin1String("MHz")))
        number.chop(3);
    const qsizetype point = number.indexOf(QLatin1Char('.'));
    const QString whole = point < 0 ? number : number.left(point);
    QString fraction = point < 0 ? QString() : number.mid(point + 1);
    if (whole.isEmpty() && fraction.isEmpty())
        return std::nullopt;
    auto allDigits = [](const QString &s) {
        for (QChar c : s) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
        }
        return true;
    };
    if (!allDigits(whole) || !allDigits(fraction) || whole.size() > 6)
        return std::nullopt;
    // Whole Hz from the first six decimals; the seventh rounds.
    bool roundUp = fraction.size() > 6 && fraction.at(6) >= QLatin1Char('5');
    fraction = fraction.left(6).leftJustified(6, QLatin1Char('0'));
    const quint64 hz = whole.toULongLong() * 1000000ULL + fraction.toULongLong() + (roundUp ? 1 : 0);
    if (hz > 0xFFFFFFFFULL)
        return std::nullopt;
    return static_cast<std::uint32_t>(hz);
}

QString DecodeChannel(const QString &hex, int channel, ChannelTable &table)
{
    const int status = HexByteAt(hex, StatusByte);
    if (status != 0x01 && status != 0x02) {
        if (status < 0)
            return QStringLiteral("channel %1: the record is not hex text").arg(channel);
        table.clearRow(channel);
        return {};
    }
    if (hex.size() != RecordHexLength || !IsHexText(hex))
        return QStringLiteral("channel %1: the record is not 128 hex characters").arg(channel);

    const int step = HexByteAt(hex, StepByte);
    const int subtone = HexByteAt(hex, SubtoneByte);
    const int txTone = HexByteAt(hex, TxToneByte);
    const int rxTone = HexByteAt(hex, RxToneByte);
    const int txDcs = HexByteAt(hex, TxDcsByte);
    const int rxDcs = HexByteAt(hex, RxDcsByte);
    const auto stepText = StepText(step);
    const auto subtoneText = ToneTypeText(subtone);
    const auto txToneText = CtcssText(txTone);
    const auto rxToneText = CtcssText(rxTone);
    const auto txDcsText = DcsText(txDcs);
    const auto rxDcsText = DcsText(rxDcs);

    struct Check {
        bool ok;
        const char *what;
        int code;
    };
    for (const Check &check :
         {Check{stepText.has_value(), "step", step}, Check{subtoneText.has_value(), "sub-tone mode", subtone},
          Check{txToneText.has_value(), "Tx tone", txTone}, Check{rxToneText.has_value(), "Rx tone", rxTone},
          Check{txDcsText.has_value(), "Tx DCS", txDcs}, Check{rxDcsText.has_value(), "Rx DCS", rxDcs}}) {
        if (!check.ok)
            return QStringLiteral("channel %1: %2 code %3 is not one the program knows")
                .arg(channel)
                .arg(QLatin1String(check.what))
                .arg(check.code);
    }

    ChannelCells cells;
    cells[ColFrequency - 1] = FrequencyText(static_cast<std::uint32_t>(HexWord32At(hex, FrequencyBytes)));
    cells[ColMode - 1] = ModeText(HexByteAt(hex, ModeByte));
    cells[ColStep - 1] = *stepText;
    cells[ColShiftFreq - 1] = FrequencyText(static_cast<std::uint32_t>(HexWord32At(hex, OffsetBytes)));
    cells[ColShift - 1] = ShiftText(HexByteAt(hex, ShiftByte));
    cells[ColSubtone - 1] = *subtoneText;
    cells[ColTxTone - 1] = *txToneText;
    cells[ColRxTone - 1] = *rxToneText;
    cells[ColTxDcs - 1] = *txDcsText;
    cells[ColSkip - 1] = SkipText(HexByteAt(hex, SkipByte));
    cells[ColRxDcs - 1] = *rxDcsText;
    cells[ColName - 1] = ExpandTextData(hex.mid(qsizetype(NameBytes) * 2));
    table.setUsed(channel, true);
    table.setCells(channel, cells);
    return {};
}

void DecodeChannelName(const QString &hex, int channel, ChannelTable &table)
{
    table.setCell(channel, ColName, ExpandTextData(hex));
}

QString EncodeChannel(int channel, const ChannelTable &table, QString *error)
{
    auto cell = [&](int column) -> const QString & { return table.cell(channel, column); };
    if (cell(ColFrequency).isEmpty())
        return QStringLiteral("00");

    auto refuse = [&](const QString &what, const QString &text) {
        if (error) {
            *error = QStringLiteral("Channel %1 (%2): %3 \"%4\" cannot be written to the radio.")
                         .arg(channel)
                         .arg(table.label(channel).trimmed(), what, text);
        }
        return QString();
    };

    const auto frequency = ParseFrequency(cell(ColFrequency));
    if (!frequency)
        return refuse(QStringLiteral("the frequency"), cell(ColFrequency));
    const auto offset =
        cell(ColShiftFreq).isEmpty() ? std::optional<std::uint32_t>(0) : ParseFrequency(cell(ColShiftFreq));
    if (!offset)
        return refuse(QStringLiteral("the offset"), cell(ColShiftFreq));

    const int step = StepIndex(cell(ColStep));
    const int subtone = ToneTypeIndex(cell(ColSubtone));
    const int txTone = CtcssNumber(cell(ColTxTone));
    const int rxTone = CtcssNumber(cell(ColRxTone));
    const int txDcs = DcsIndex(cell(ColTxDcs));
    const int rxDcs = DcsIndex(cell(ColRxDcs));
    if (!StepText(step))
        return refuse(QStringLiteral("the step"), cell(ColStep));
    if (!ToneTypeText(subtone))
        return refuse(QStringLiteral("the sub-tone mode"), cell(ColSubtone));
    if (!CtcssText(txTone))
        return refuse(QStringLiteral("the Tx tone"), cell(ColTxTone));
    if (!CtcssText(rxTone))
        return refuse(QStringLiteral("the Rx tone"), cell(ColRxTone));
    if (!DcsText(txDcs))
        return refuse(QStringLiteral("the Tx DCS code"), cell(ColTxDcs));
    if (!DcsText(rxDcs))
        return refuse(QStringLiteral("the Rx DCS code"), cell(ColRxDcs));

    QString hex = QStringLiteral("02");
    hex += Word32Hex(*frequency);
    hex += ByteHex(ModeCode(cell(ColMode)));
    hex += ByteHex(step);
    hex += Word32Hex(*offset);
    hex += ByteHex(ShiftCode(cell(ColShift)));
    hex += ByteHex(subtone) + ByteHex(txTone) + ByteHex(rxTone) + ByteHex(txDcs);
    hex += QStringLiteral("000062");
    hex += ByteHex(SkipCode(cell(ColSkip)));
    hex += QStringLiteral("0A") + ByteHex(rxDcs) + QStringLiteral("00000000000000000000");
    const QString name = MakeTextData(ConvertEscapeText(cell(ColName)));
    if (name.size() != 64)
        return refuse(QStringLiteral("the name"), cell(ColName));
    hex += name;
    return hex;
}

bool CheckPassFrequency(const QString &text, int currentRow, const ChannelTable &table)
{
    const auto wanted = ParseFrequency(text);
    if (!wanted)
        return true;
    for (int row = FirstPassChannel; row < FirstPassChannel + PassChannelCount; ++row) {
        if (row == currentRow || table.cell(row, ColFrequency).isEmpty())
            continue;
        if (ParseFrequency(table.cell(row, ColFrequency)) == wanted)
            return false;
    }
    return true;
}

} // namespace n35
