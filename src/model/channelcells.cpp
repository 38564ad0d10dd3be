#include "model/channelcells.h"

#include "model/valuetables.h"

namespace n35
{

namespace
{

constexpr std::uint32_t Mhz = 1'000'000;

Problem Refused(int column, const QString &text, const QString &why)
{
    return Problem{CellCaption(column), QString(), QStringLiteral("\"%1\" %2").arg(QuotedExcerpt(text), why)};
}

Result<std::uint32_t> IndexIn(int column, const QString &text, int index, const char *kind)
{
    if (index < 0)
        return Refused(column, text, QStringLiteral("is not a %1 the radio knows").arg(QLatin1String(kind)));
    return static_cast<std::uint32_t>(index);
}

} // namespace

QString FrequencyText(std::uint32_t hz)
{
    const std::uint32_t fraction = (hz % Mhz) / 10;
    return QStringLiteral("%1.%2MHz").arg(hz / Mhz).arg(fraction, 5, 10, QLatin1Char('0'));
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
    const bool roundUp = fraction.size() > 6 && fraction.at(6) >= QLatin1Char('5');
    fraction = fraction.left(6).leftJustified(6, QLatin1Char('0'));
    const quint64 hz = whole.toULongLong() * Mhz + fraction.toULongLong() + (roundUp ? 1 : 0);
    if (hz > 0xFFFFFFFFULL)
        return std::nullopt;
    return static_cast<std::uint32_t>(hz);
}

QString CellCaption(int column)
{
    switch (column) {
    case ColFrequency:
        return QStringLiteral("the frequency");
    case ColMode:
        return QStringLiteral("the mode");
    case ColStep:
        return QStringLiteral("the step");
    case ColSubtone:
        return QStringLiteral("the sub-tone mode");
    case ColTxTone:
        return QStringLiteral("the Tx tone");
    case ColRxTone:
        return QStringLiteral("the Rx tone");
    case ColTxDcs:
        return QStringLiteral("the Tx DCS code");
    case ColRxDcs:
        return QStringLiteral("the Rx DCS code");
    case ColShift:
        return QStringLiteral("the shift");
    case ColShiftFreq:
        return QStringLiteral("the offset");
    case ColSkip:
        return QStringLiteral("the skip flag");
    case ColName:
        return QStringLiteral("the name");
    default:
        return QStringLiteral("column %1").arg(column);
    }
}

Result<std::uint32_t> CellCode(int column, const QString &text)
{
    switch (column) {
    case ColFrequency:
    case ColShiftFreq: {
        if (column == ColShiftFreq && text.isEmpty())
            return 0U;
        const auto hz = ParseFrequency(text);
        if (!hz)
            return Refused(column, text, QStringLiteral("is not a frequency up to 4294.96729 MHz"));
        return *hz;
    }
    case ColMode:
        // The decoder shows a mode code it does not know as an empty cell; it goes back as NFM.
        if (text == QLatin1String("FM"))
            return 1U;
        if (text == QLatin1String("NFM") || text.isEmpty())
            return 0U;
        return Refused(column, text, QStringLiteral("cannot be stored: the radio stores FM or NFM only"));
    case ColStep:
        return IndexIn(column, text, StepTexts().indexOf(text), "step");
    case ColSubtone:
        return IndexIn(column, text, ToneTypeTexts().indexOf(text), "sub-tone mode");
    case ColTxTone:
    case ColRxTone: {
        const int number = CtcssNumber(text);
        if (number == 0)
            return Refused(column, text, QStringLiteral("is not a CTCSS tone the radio knows"));
        return static_cast<std::uint32_t>(number);
    }
    case ColTxDcs:
    case ColRxDcs:
        return IndexIn(column, text, DcsTexts().indexOf(text), "DCS code");
    case ColShift:
        for (std::uint32_t code = 0; code < 3; ++code) {
            if (text == ShiftText(static_cast<int>(code)))
                return code;
        }
        return Refused(column, text, QStringLiteral("is not \"Off\", \"+\" or \"-\""));
    case ColSkip:
        // A reference mark (from a spreadsheet) is taken as it stands, and only "*" skips.
        if (text.isEmpty() || text == QLatin1String("*") || text == QStringLiteral("\u203B"))
            return static_cast<std::uint32_t>(SkipCode(text));
        return Refused(column, text, QStringLiteral("is not \"*\", \"\u203B\" or empty"));
    default:
        return Refused(column, text, QStringLiteral("has no radio code"));
    }
}

std::optional<QString> CellText(int column, std::uint32_t code)
{
    const int small = code > 0xFFFF ? -1 : static_cast<int>(code);
    switch (column) {
    case ColFrequency:
    case ColShiftFreq:
        return FrequencyText(code);
    case ColMode:
        return ModeText(small);
    case ColStep:
        return StepText(small);
    case ColSubtone:
        return ToneTypeText(small);
    case ColTxTone:
    case ColRxTone:
        return CtcssText(small);
    case ColTxDcs:
    case ColRxDcs:
        return DcsText(small);
    case ColShift:
        return ShiftText(small);
    case ColSkip:
        return SkipText(small);
    default:
        return std::nullopt;
    }
}

QStringList CellChoices(int column)
{
    switch (column) {
    case ColMode:
        return {QStringLiteral("NFM"), QStringLiteral("FM")};
    case ColStep:
        return StepTexts();
    case ColSubtone:
        return ToneTypeTexts();
    case ColTxTone:
    case ColRxTone:
        return CtcssTexts();
    case ColTxDcs:
    case ColRxDcs:
        return DcsTexts();
    case ColShift:
        return {ShiftText(0), ShiftText(1), ShiftText(2)};
    case ColSkip:
        return {SkipText(0), SkipText(1)};
    default:
        return {};
    }
}

bool FrequencyInBand(int channel, std::uint32_t hz)
{
    const bool band222 = hz >= 216 * Mhz && hz < 250 * Mhz;
    const bool band900 = hz >= 902 * Mhz && hz < 928 * Mhz;
    if (channel == Call222Channel)
        return band222;
    if (channel == Call900Channel)
        return band900;
    return band222 || band900;
}

} // namespace n35
