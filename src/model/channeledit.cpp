#include "model/channeledit.h"

#include "model/bandplan.h"
#include "model/channelcells.h"
#include "model/channelcodec.h"
#include "model/textcodec.h"
#include "model/valuetables.h"

#include <algorithm>
#include <initializer_list>
#include <limits>
#include <string>
#include <tuple>
#include <utility>

namespace n35
{

namespace
{

constexpr int MaxNameColumns = 16;
constexpr std::uint64_t HzLimit = std::numeric_limits<std::uint32_t>::max();

const QStringList &ShiftOptionTexts()
{
    static const QStringList texts{QStringLiteral("Off"), QStringLiteral("+"), QStringLiteral("-")};
    return texts;
}

QString DigitsOf(const QString &text)
{
    QString digits;
    for (QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits.append(c);
    }
    return digits;
}

// The value of a digit string, stopping once it is past anything a 32-bit frequency can hold, so a
// pasted run of digits cannot wrap round into an in-band value.
std::uint64_t SaturatedValue(const QString &digits)
{
    std::uint64_t value = 0;
    for (QChar c : digits) {
        value = value * 10 + static_cast<std::uint64_t>(c.unicode() - u'0');
        if (value > HzLimit)
            return HzLimit + 1;
    }
    return value;
}

// MHz part and five fraction digits of a frequency cell ("222.12500MHz" -> "222", "12500"). The
// whole-MHz part may have any number of digits; a cell without a point goes to the MHz box whole.
std::pair<QString, QString> SplitFrequencyCell(const QString &cell)
{
    QString text = cell;
    if (text.endsWith(QLatin1String("MHz")))
        text.chop(3);
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    if (point < 0)
        return {text, QString()};
    return {text.left(point), text.mid(point + 1, FractionDigits)};
}

// Offsets never exceed 999.99995 MHz, so a cell with more than three MHz digits (or none) is no
// offset the radio gave; the boxes stay empty rather than showing part of it.
std::pair<QString, QString> SplitOffsetCell(const QString &cell)
{
    auto parts = SplitFrequencyCell(cell);
    if (!cell.contains(QLatin1Char('.')) || parts.first.isEmpty() || parts.first.size() > MhzDigits)
        return {};
    return parts;
}

// The cell text of two boxes without touching them; both empty is an empty cell.
QString FrequencyCellOf(const QString &mhz, const QString &fraction)
{
    if (mhz.isEmpty() && fraction.isEmpty())
        return QString();
    QString m = mhz;
    QString f = fraction;
    return FrequencyText(ReadFrequencyBoxes(m, f));
}

// Steps 1-4 of "OK" for one panel: frequency read and band-checked against `bandChannel`, offset
// limited, name shortened. False when the frequency is out of band (its boxes are then emptied).
bool CheckPanel(ChannelPanel &panel, int bandChannel, std::uint32_t &hz)
{
    hz = ReadFrequencyBoxes(panel.frequencyMhz, panel.frequencyFraction);
    if (!FrequencyInBand(bandChannel, hz)) {
        panel.frequencyMhz.clear();
        panel.frequencyFraction.clear();
        return false;
    }
    if (ReadFrequencyBoxes(panel.offsetMhz, panel.offsetFraction) > MaxOffsetHz) {
        panel.offsetMhz = QStringLiteral("0");
        panel.offsetFraction = QStringLiteral("00000");
    }
    panel.name = NameLengthCheckAndCorrect(panel.name);
    return true;
}

void StorePanel(ChannelTable &table, int channel, const ChannelPanel &panel)
{
    table.setCells(channel, CellsFromPanel(panel));
    table.setUsed(channel, true);
}

bool IsGlyphDigit(char32_t ch)
{
    return ch >= U'1' && ch <= U'8';
}

} // namespace

QStringList ModeOptionTexts()
{
    return {QStringLiteral("FM"), QStringLiteral("AM"), QStringLiteral("NFM"), QStringLiteral("WFM")};
}

bool ModeOptionStorable(int option)
{
    return option == 0 || option == 2;
}

QStringList TrainTexts()
{
    QStringList texts;
    for (int hz = 300; hz <= 3000; hz += 100)
        texts << QStringLiteral("%1Hz").arg(hz);
    texts << QStringLiteral("JR");
    return texts;
}

ChannelPanel ClearedPanel()
{
    return ChannelPanel{};
}

ChannelPanel PanelFromCells(const ChannelCells &cells)
{
    auto cell = [&cells](int column) -> const QString & { return cells.at(column - 1); };
    ChannelPanel panel;
    std::tie(panel.frequencyMhz, panel.frequencyFraction) = SplitFrequencyCell(cell(ColFrequency));

    // The record holds FM or NFM only; anything else opens as FM.
    const int mode = static_cast<int>(ModeOptionTexts().indexOf(cell(ColMode)));
    panel.mode = ModeOptionStorable(mode) ? mode : 0;

    const int step = StepIndex(cell(ColStep));
    panel.step = step == NotInTable ? 0 : step;
    // The editor offers no tone train to pick, so a "Train" channel opens without a sub-tone.
    const int type = ToneTypeIndex(cell(ColSubtone));
    panel.type = (type == NotInTable || type == 1) ? 0 : type;

    auto toneIndex = [](const QString &text) {
        const int number = CtcssNumber(text);
        return number == 0 ? DefaultToneIndex : number - 1;
    };
    panel.txTone = toneIndex(cell(ColTxTone));
    panel.rxTone = toneIndex(cell(ColRxTone));
    auto dcsIndex = [](const QString &text) {
        const int index = DcsIndex(text);
        return index == NotInTable ? 0 : index;
    };
    panel.txDcs = dcsIndex(cell(ColTxDcs));
    panel.rxDcs = dcsIndex(cell(ColRxDcs));

    panel.train = TrainJrIndex;
    const int shift = static_cast<int>(ShiftOptionTexts().indexOf(cell(ColShift)));
    panel.shift = shift < 0 ? 0 : shift;
    std::tie(panel.offsetMhz, panel.offsetFraction) = SplitOffsetCell(cell(ColShiftFreq));
    panel.skip = cell(ColSkip) == QLatin1String("*");
    panel.name = cell(ColName);
    return panel;
}

ChannelCells CellsFromPanel(const ChannelPanel &panel)
{
    ChannelCells cells;
    auto set = [&cells](int column, const QString &text) { cells.at(column - 1) = text; };
    set(ColFrequency, FrequencyCellOf(panel.frequencyMhz, panel.frequencyFraction));
    set(ColMode, ModeOptionTexts().value(panel.mode));
    set(ColStep, StepTexts().value(panel.step));
    set(ColSubtone, ToneTypeTexts().value(panel.type));
    // Disabled lists keep their selection and are stored all the same.
    const QStringList tones = CtcssTexts();
    const QStringList codes = DcsTexts();
    set(ColTxTone, tones.value(panel.txTone));
    set(ColRxTone, tones.value(panel.rxTone));
    set(ColTxDcs, codes.value(panel.txDcs));
    set(ColRxDcs, codes.value(panel.rxDcs));
    set(ColShift, ShiftOptionTexts().value(panel.shift));
    set(ColShiftFreq, FrequencyCellOf(panel.offsetMhz, panel.offsetFraction));
    set(ColSkip, panel.skip ? QStringLiteral("*") : QString());
    set(ColName, panel.name);
    return cells;
}

RepeaterShiftFill::RepeaterShiftFill(const ChannelPanel &opened, bool enabled)
    : enabled(enabled), shift(opened.shift), offsetMhz(opened.offsetMhz),
      offsetFraction(opened.offsetFraction)
{
}

QString RepeaterShiftFill::frequencyEdited(ChannelPanel &panel) const
{
    if (!enabled || userSet)
        return {};
    QString mhz = panel.frequencyMhz;
    QString fraction = panel.frequencyFraction;
    // Boxes the user has emptied hold no frequency, whatever ReadFrequencyBoxes would make of them.
    const RepeaterSegment *segment =
        DigitsOf(mhz).isEmpty() ? nullptr : RepeaterSegmentAt(ReadFrequencyBoxes(mhz, fraction));
    if (!segment) {
        panel.shift = shift;
        panel.offsetMhz = offsetMhz;
        panel.offsetFraction = offsetFraction;
        return {};
    }
    panel.shift = static_cast<int>(ShiftOptionTexts().indexOf(QChar::fromLatin1(segment->shift)));
    std::tie(panel.offsetMhz, panel.offsetFraction) = SplitOffsetCell(FrequencyText(segment->offsetHz));
    return QString::fromLatin1(segment->band);
}

ToneListsEnabled TypeRule(int type)
{
    auto in = [type](std::initializer_list<int> types) {
        for (int t : types) {
            if (t == type)
                return true;
        }
        return false;
    };
    return ToneListsEnabled{
        in({2, 3, 4, 9}),
        in({3, 4, 6, 7, 11, 12}),
        in({5, 10, 11, 12}),
        in({5, 8, 9}),
    };
}

KeyVerdict FilterFrequencyKey(QChar key, int boxLength, bool hasSelection, int maximum)
{
    if (key >= QLatin1Char('0') && key <= QLatin1Char('9'))
        return (boxLength < maximum || hasSelection) ? KeyVerdict::Accept : KeyVerdict::Drop;
    if (key == QChar(13))
        return KeyVerdict::Confirm;
    if (key == QChar(8))
        return KeyVerdict::Accept;
    return KeyVerdict::Drop;
}

std::uint32_t ReadFrequencyBoxes(QString &mhz, QString &fraction)
{
    mhz = DigitsOf(mhz);
    if (mhz.isEmpty())
        mhz = QStringLiteral("0");
    fraction = DigitsOf(fraction).leftJustified(FractionDigits, QLatin1Char('0'));
    // Boxes filled by paste can hold more digits than typing allows; the sum saturates instead of
    // wrapping, and a saturated value is out of every band.
    const std::uint64_t hz = SaturatedValue(mhz) * 1'000'000 + SaturatedValue(fraction) * 10;
    return static_cast<std::uint32_t>(std::min(hz, HzLimit));
}

int NameColumns(const QString &name)
{
    const std::u32string chars = name.toStdU32String();
    int columns = 0;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        if (chars[i] != U'\\') {
            columns += Cp932Positions(chars[i]);
        } else if (i + 1 < chars.size() && chars[i + 1] == U'\\') {
            columns += 1;
            ++i;
        } else if (i + 1 < chars.size() && IsGlyphDigit(chars[i + 1])) {
            columns += 2;
            ++i;
        } else {
            columns += 1; // a lone backslash shows as itself
        }
    }
    return columns;
}

QString NameLengthCheckAndCorrect(const QString &name)
{
    // Code page 932 bytes less one per "\\" pair is exactly the column count.
    if (NameColumns(name) <= MaxNameColumns)
        return name;

    const std::u32string chars = name.toStdU32String();
    std::u32string kept;
    int columns = 0;
    // A character that does not fit whole ends the name; a double-byte one never straddles the end.
    // A lone backslash takes one column and the character after it is taken on the next turn.
    for (std::size_t i = 0; i < chars.size() && columns < MaxNameColumns; ++i) {
        const char32_t ch = chars[i];
        const bool escape = ch == U'\\' && i + 1 < chars.size();
        int width = 1;
        std::size_t taken = 1;
        if (escape && chars[i + 1] == U'\\') {
            taken = 2;
        } else if (escape && IsGlyphDigit(chars[i + 1])) {
            width = 2;
            taken = 2;
        } else if (ch != U'\\') {
            width = Cp932Positions(ch);
        }
        if (columns + width > MaxNameColumns)
            break;
        kept.append(chars, i, taken);
        columns += width;
        i += taken - 1;
    }
    return QString::fromStdU32String(kept);
}

int EditedChannel(int channel)
{
    const bool subRow = channel % 2 == 0 && channel >= FirstDualChannel + 1 && channel < FirstPrioChannel;
    return subRow ? channel - 1 : channel;
}

bool EditsPair(int editedChannel)
{
    return editedChannel >= FirstDualChannel && editedChannel < FirstPrioChannel;
}

EditResult CommitChannelEdit(ChannelTable &table, int editedChannel, std::array<ChannelPanel, 2> &panels)
{
    std::uint32_t hz = 0;
    if (!CheckPanel(panels[0], editedChannel, hz))
        return {EditVerdict::OutOfBand, 0, {}};
    const bool pair = EditsPair(editedChannel);
    std::uint32_t subHz = 0;
    // The Sub row is never a CALL channel, so its band check accepts either band.
    if (pair && !CheckPanel(panels[1], editedChannel + 1, subHz))
        return {EditVerdict::OutOfBand, 1, {}};
    for (int at = 0; at < (pair ? 2 : 1); ++at) {
        if (QString why = NameFault(panels[static_cast<std::size_t>(at)].name, true); !why.isEmpty())
            return {EditVerdict::BadName, at, QStringLiteral("The name ") + why + QLatin1Char('.')};
    }

    // An overlapping PASS frequency leaves the row as it was: the user's entry is refused, not the
    // channel already stored there.
    if (IsPassChannel(editedChannel) && !CheckPassFrequency(FrequencyText(hz), editedChannel, table))
        return {EditVerdict::PassOverlap, 0, {}};

    StorePanel(table, editedChannel, panels[0]);
    if (pair)
        StorePanel(table, editedChannel + 1, panels[1]);
    return {EditVerdict::Stored, 0, {}};
}

} // namespace n35
