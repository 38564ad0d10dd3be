#include "model/settings.h"

#include "model/banks.h"
#include "model/hex.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace n35
{

namespace
{

using G = OptionGroup;

// Option ids as the layout table names them: Display(11) is Set_Mode_Display(11).
template <OptionGroup Group> constexpr OptionId In(int i)
{
    return {Group, i};
}
constexpr auto Display = In<G::Display>;
constexpr auto Power = In<G::Power>;
constexpr auto Send = In<G::Send>;
constexpr auto Toutyou = In<G::Toutyou>;
constexpr auto Recv = In<G::Recv>;
constexpr auto Scan = In<G::Scan>;
constexpr auto Repeater = In<G::Repeater>;
constexpr auto Key = In<G::Key>;
constexpr auto Sound = In<G::Sound>;
constexpr OptionId Preset{G::Preset, 0};
constexpr OptionId ChDisplay{G::ChDisplay, 0};

// How a byte of the settings region is written and read.
enum class Encoding {
    Constant,       // always `value`, never read
    Kept,           // written back as last read
    Shown,          // written back as read, and shown in its list (whose edits therefore go nowhere)
    Index,          // the list index
    IndexPlus1,     // the index + 1 (lists starting at "1"); a byte of 0 reads as index 0
    IndexPlus3,     // the index + 3; a byte below 3 reads as itself
    ChDisplayCopy,  // 0x00 / 0x0D by the index, written only
    ChDisplayFlag,  // 0x00 / 0x0D by the index; any non-zero byte reads as index 1
    LanguageFlag,   // 0x01 for Japanese (index 0), 0x00 for English; any non-zero byte reads as Japanese
    BankNumber,     // the bank's number 0..49, or 50..54 for PRG, DUAL, PRIO, CALL, PASS
    KeyCode,        // the radio's menu code of a key function
    DialRingFirst,  // index 2, 3 -> 0x01
    DialRingSecond, // index 1, 2 -> 0x01
};

struct Field {
    int byte;
    Encoding encoding;
    OptionId option;
    std::uint8_t value = 0;
};

// Bytes 0..149; a byte not listed is written as 0x00. Bytes 150..191 are never written.
const std::vector<Field> &Layout()
{
    using E = Encoding;
    static const std::vector<Field> fields = {
        {0, E::Constant, {}, 0xA5},
        {1, E::Kept, {}},
        {2, E::Index, Sound(4)},
        {3, E::Index, Sound(5)},
        {4, E::Index, Recv(6)},
        {5, E::Index, Recv(7)},
        {6, E::ChDisplayCopy, ChDisplay},
        {7, E::ChDisplayFlag, ChDisplay},
        {9, E::Constant, {}, 0x04},
        {10, E::BankNumber, Display(11)},
        {11, E::BankNumber, Display(12)},
        {13, E::IndexPlus1, Display(13)},
        {14, E::IndexPlus3, Display(14)},
        {15, E::Index, Display(15)},
        {16, E::Shown, Scan(4)},
        {17, E::Shown, Scan(5)},
        {18, E::Shown, Scan(6)},
        {19, E::Shown, Scan(7)},
        {23, E::Shown, Send(6)},
        {25, E::Shown, Send(7)},
        {32, E::Index, Sound(1)},
        {35, E::Index, Scan(1)},
        {36, E::Index, Scan(3)},
        {37, E::Index, Scan(2)},
        {38, E::Index, Scan(0)},
        {39, E::Index, Key(8)},
        {40, E::Index, Key(2)},
        {41, E::Index, Key(1)},
        {42, E::Index, Send(8)},
        {44, E::Index, Display(1)},
        {45, E::Index, Power(0)},
        {46, E::Index, Power(1)},
        {47, E::Index, Sound(0)},
        {48, E::IndexPlus1, Toutyou(1)},
        {49, E::Index, Toutyou(0)},
        {50, E::Constant, {}, 0x01},
        {51, E::Constant, {}, 0x0C},
        {52, E::Index, Key(12)},
        {53, E::KeyCode, Key(6)},
        {55, E::Constant, {}, 0x02},
        {56, E::Constant, {}, 0x02},
        {57, E::Index, Key(9)},
        {61, E::Index, Key(10)},
        {62, E::LanguageFlag, Display(0)},
        {63, E::Index, Send(0)},
        {64, E::Index, Recv(4)},
        {65, E::Index, Send(2)},
        {67, E::IndexPlus1, Display(2)},
        {68, E::IndexPlus1, Sound(3)},
        {69, E::Index, Display(7)},
        {71, E::Kept, {}},
        {72, E::Index, Repeater(3)},
        {73, E::Index, Send(4)},
        {74, E::Index, Send(3)},
        {75, E::Index, Display(9)},
        {76, E::Index, Display(10)},
        {77, E::Index, Sound(2)},
        {78, E::Index, Repeater(0)},
        {80, E::Index, Recv(2)},
        {81, E::Constant, {}, 0x06},
        {82, E::IndexPlus1, Display(3)},
        {88, E::Index, Send(10)},
        {89, E::Index, Send(11)},
        {90, E::Index, Send(12)},
        {92, E::Kept, {}},
        {93, E::DialRingFirst, Key(5)},
        {94, E::Index, Key(4)},
        {95, E::DialRingSecond, Key(5)},
        {96, E::KeyCode, Key(7)},
        {97, E::Index, Send(1)},
        {98, E::Index, Power(2)},
        {100, E::Index, Key(0)},
        {101, E::Index, Recv(0)},
        {104, E::Index, Recv(3)},
        {116, E::Index, Recv(1)},
        {117, E::Index, Display(4)},
        {118, E::Index, Recv(5)},
        {119, E::Index, Display(5)},
        {122, E::Index, Key(3)},
        {123, E::Index, Preset},
        {124, E::Index, Send(5)},
        {129, E::Index, Display(6)},
        {132, E::Index, Display(8)},
        {141, E::Index, Key(11)},
        {143, E::Kept, {}},
        {144, E::Kept, {}},
        {145, E::Index, Send(9)},
        {146, E::Index, Scan(9)},
        {147, E::Index, Scan(8)},
        {149, E::Index, Send(13)},
    };
    return fields;
}

constexpr int WrittenBytes = 150;

const Field *FieldAt(int byte)
{
    for (const Field &field : Layout()) {
        if (field.byte == byte)
            return &field;
    }
    return nullptr;
}

// The order the decoder sets the options in: the language first, because switching it refills the
// lists the others are then set in. 0 marks where "Overwrite" is reset, -1 the two repeater options
// without a byte.
constexpr int DecodeOrder[] = {62,  44,  67, 82, 117, 119, 129, 69, 132, 75, 76,  10,  11,  13, 14, 15,
                               45,  46,  98, 63, 97,  65,  74,  73, 124, 23, 25,  42,  145, 88, 89, 90,
                               149, 123, 49, 48, 0,   101, 116, 80, 104, 64, 118, 4,   5,   38, 35, 37,
                               36,  16,  17, 18, 19,  78,  -1,  72, 100, 41, 40,  122, 94,  7,  93, 53,
                               96,  39,  57, 61, 141, 52,  47,  32, 77,  68, 2,   3,   147, 146};

const QStringList &SpecialBankEntries()
{
    static const QStringList names{QStringLiteral("PRG"), QStringLiteral("DUAL"), QStringLiteral("PRIO"),
                                   QStringLiteral("CALL"), QStringLiteral("PASS")};
    return names;
}
constexpr int FirstSpecialBankByte = 50;

int BankByteOf(const QString &text)
{
    const qsizetype special = SpecialBankEntries().indexOf(text);
    if (special >= 0)
        return FirstSpecialBankByte + static_cast<int>(special);
    // The leading number of the text; none is 0.
    int number = 0;
    const QString trimmed = text.trimmed();
    for (QChar c : trimmed) {
        if (!c.isDigit())
            break;
        number = std::min(number * 10 + c.digitValue(), 255);
    }
    return number;
}

struct DefaultIndex {
    OptionId option;
    int index;
};

// What the set-mode page's "Reset" leaves, after setting its options to 0; start-up takes the same.
constexpr DefaultIndex SetModeDefaults[] = {
    {Display(1), 1}, {Display(3), 7}, {Power(1), 3}, {Sound(0), 2}, {Repeater(0), 1}, {Recv(0), 0},
    {Preset, 1},     {Toutyou(1), 2}, {Key(0), 5},   {Key(7), 1},   {Key(12), 0},     {Key(3), 3},
    {Scan(1), 1},    {Send(5), 4},    {Send(1), 3},  {Send(13), 2}, {Send(9), 1},
};
// The common "Setting" frame's "Reset"; start-up takes these too.
constexpr DefaultIndex CommonDefaults[] = {
    {Display(8), 1}, {Sound(3), 2}, {Sound(4), 10}, {Sound(5), 10}, {Recv(6), 3}, {Recv(7), 3},
};

struct Range {
    OptionGroup group;
    int first;
    int last;
};

Problem Unshowable(OptionId option, const QString &where, int value)
{
    const SetModeOption *shown = FindOption(option);
    return Problem{shown ? QStringLiteral("\"%1\"").arg(shown->englishCaption) : QStringLiteral("an option"),
                   where,
                   QStringLiteral("the value 0x%1 is not one its list can show")
                       .arg(QString::number(value, 16).toUpper().rightJustified(2, QLatin1Char('0')))};
}

} // namespace

const std::array<std::uint8_t, 45> &KeyFunctionCode()
{
    static const std::array<std::uint8_t, 45> codes = {
        0x74, 0x15, 0x7B, 0xA9, 0xB5, 0xC5, 0xD7, 0x18, 0x19, 0xAF, 0x1C, 0x1D, 0xA1, 0x75, 0x78,
        0x96, 0x95, 0x85, 0xEB, 0xD5, 0xA2, 0x88, 0x89, 0x8A, 0x8B, 0xD3, 0x91, 0xA4, 0xB3, 0xA8,
        0x1B, 0x58, 0x32, 0x6A, 0x59, 0xDC, 0xB1, 0x14, 0x13, 0xC6, 0x8E, 0x8F, 0x62, 0x60, 0x5A,
    };
    return codes;
}

SetModeSettings::SetModeSettings(QObject *parent) : QObject(parent)
{
    // The lists of the default partition, whose first entry the start-up selects.
    BankPartition defaults;
    setBankEntries(defaults);
    applyStartUpDefaults();
}

void SetModeSettings::applyStartUpDefaults()
{
    for (const SetModeOption &option : SetModeOptions())
        indexes[option.id] = 0;
    indexes[Repeater(1)] = 0;
    indexes[Repeater(2)] = 0;
    for (const DefaultIndex &entry : SetModeDefaults)
        indexes[entry.option] = entry.index;
    for (const DefaultIndex &entry : CommonDefaults)
        indexes[entry.option] = entry.index;
    indexes[LanguageOption] = static_cast<int>(Language::English);
    currentLanguage = Language::English;
}

int SetModeSettings::index(OptionId id) const
{
    const auto found = indexes.find(id);
    return found == indexes.end() ? 0 : found->second;
}

QStringList SetModeSettings::texts(OptionId id) const
{
    if (id == BankMainOption || id == BankSubOption)
        return bankEntries;
    const SetModeOption *option = FindOption(id);
    return option ? OptionTexts(*option, currentLanguage) : QStringList();
}

bool SetModeSettings::IsReadOnly(OptionId id)
{
    const Field *field = nullptr;
    for (const Field &candidate : Layout()) {
        if (candidate.option == id && candidate.encoding != Encoding::Constant &&
            candidate.encoding != Encoding::Kept)
            field = &candidate;
    }
    return field && field->encoding == Encoding::Shown;
}

void SetModeSettings::setIndexQuietly(OptionId id, int newIndex)
{
    indexes[id] = newIndex;
    if (id == LanguageOption)
        currentLanguage = newIndex == 0 ? Language::Japanese : Language::English;
}

void SetModeSettings::setIndex(OptionId id, int newIndex)
{
    if (IsReadOnly(id) || newIndex < 0 || newIndex >= texts(id).size() || index(id) == newIndex)
        return;
    setIndexQuietly(id, newIndex);
    emit changed();
}

void SetModeSettings::setBankEntries(const BankPartition &banks)
{
    QStringList entries;
    for (int bank = 0; bank < BankCount; ++bank) {
        if (banks.count(bank) > 0)
            entries << QString::number(bank);
    }
    entries << SpecialBankEntries();
    if (entries == bankEntries)
        return;
    // A selection keeps its entry while the new lists still hold it; only one whose bank emptied falls
    // back to the first entry.
    const QStringList old = std::exchange(bankEntries, entries);
    for (OptionId id : {BankMainOption, BankSubOption}) {
        const qsizetype kept = old.isEmpty() ? -1 : bankEntries.indexOf(old.value(index(id)));
        indexes[id] = kept < 0 ? 0 : static_cast<int>(kept);
    }
    emit changed();
}

Status SetModeSettings::StoreSettingsBytes(const QString &hex, int start)
{
    const int count = std::min<int>(64, static_cast<int>(hex.size() / 2));
    if (start < 0 || start + count > ImageBytes || !IsHexText(hex.left(qsizetype(count) * 2)))
        return Problem{QStringLiteral("the settings block"), QStringLiteral("settings byte %1").arg(start),
                       QStringLiteral("it is not hex text that fits the settings")};
    for (int i = 0; i < count; ++i) {
        const int at = start + i;
        bytes[static_cast<std::size_t>(at)] = static_cast<std::uint8_t>(HexByteAt(hex, i));
    }
    return {};
}

QString SetModeSettings::MakeSettingData(int block) const
{
    const int first = block == 0 ? 0 : block == 1 ? 64 : 128;
    const int end = block == 0 ? 64 : block == 1 ? 128 : WrittenBytes;
    QString hex;
    for (int byte = first; byte < end; ++byte) {
        const Field *field = FieldAt(byte);
        if (!field) {
            hex += ByteHex(0);
            continue;
        }
        const int at = index(field->option);
        unsigned value = 0;
        switch (field->encoding) {
        case Encoding::Constant:
            value = field->value;
            break;
        case Encoding::Kept:
            value = bytes[static_cast<std::size_t>(byte)];
            break;
        case Encoding::Shown:
            // Written back as the radio holds it where the list can show it; an erased radio's 0xFF would
            // otherwise come back as a byte that no read can show.
            value = bytes[static_cast<std::size_t>(byte)];
            if (static_cast<int>(value) >= texts(field->option).size())
                value = 0;
            break;
        case Encoding::Index:
            value = static_cast<unsigned>(at);
            break;
        case Encoding::IndexPlus1:
            value = static_cast<unsigned>(at + 1);
            break;
        case Encoding::IndexPlus3:
            value = static_cast<unsigned>(at + 3);
            break;
        case Encoding::ChDisplayCopy:
        case Encoding::ChDisplayFlag:
            value = at == 0 ? 0x00 : 0x0D;
            break;
        case Encoding::LanguageFlag:
            value = at == 0 ? 0x01 : 0x00;
            break;
        case Encoding::BankNumber:
            value = static_cast<unsigned>(BankByteOf(bankEntries.value(at)));
            break;
        case Encoding::KeyCode:
            value = KeyFunctionCode().at(static_cast<std::size_t>(std::clamp(at, 0, 44)));
            break;
        case Encoding::DialRingFirst:
            value = at == 2 || at == 3 ? 1 : 0;
            break;
        case Encoding::DialRingSecond:
            value = at == 1 || at == 2 ? 1 : 0;
            break;
        }
        hex += ByteHex(value);
    }
    return hex;
}

Status SetModeSettings::ExpandSettingData()
{
    Status result;
    for (int step : DecodeOrder) {
        if (step == 0) {
            setIndexQuietly(WriteProtectOption, 0);
            continue;
        }
        if (step < 0) {
            setIndexQuietly(Repeater(1), 0);
            setIndexQuietly(Repeater(2), 0);
            continue;
        }
        const Field *field = FieldAt(step);
        const int value = bytes[static_cast<std::size_t>(step)];
        std::optional<int> decoded;
        switch (field->encoding) {
        case Encoding::Index:
        case Encoding::Shown:
            decoded = value;
            break;
        case Encoding::IndexPlus1:
            decoded = value == 0 ? 0 : value - 1;
            break;
        case Encoding::IndexPlus3:
            decoded = value >= 3 ? value - 3 : value;
            break;
        case Encoding::ChDisplayFlag:
            decoded = value == 0 ? 0 : 1;
            break;
        case Encoding::LanguageFlag:
            decoded = value != 0 ? 0 : 1;
            break;
        case Encoding::BankNumber: {
            const QString text =
                value >= FirstSpecialBankByte && value < FirstSpecialBankByte + SpecialBankEntries().size()
                    ? SpecialBankEntries().at(value - FirstSpecialBankByte)
                    : QString::number(value);
            const qsizetype at = bankEntries.indexOf(text);
            if (at >= 0)
                decoded = static_cast<int>(at);
            break;
        }
        case Encoding::KeyCode: {
            const auto &codes = KeyFunctionCode();
            const auto at = std::find(codes.begin(), codes.end(), value);
            if (at != codes.end())
                decoded = static_cast<int>(at - codes.begin());
            break;
        }
        case Encoding::DialRingFirst: {
            const bool first = value != 0;
            const bool second = bytes[95] != 0;
            decoded = first ? (second ? 2 : 3) : (second ? 1 : 0);
            break;
        }
        default:
            break;
        }
        if (!decoded || *decoded < 0 || *decoded >= texts(field->option).size()) {
            result = Unshowable(field->option, QStringLiteral("settings byte %1").arg(step), value);
            break;
        }
        setIndexQuietly(field->option, *decoded);
    }
    emit changed();
    return result;
}

void SetModeSettings::restore(const State &state)
{
    if (state == this->state())
        return;
    indexes = state.indexes;
    currentLanguage = state.language;
    bytes = state.bytes;
    bankEntries = state.bankEntries;
    emit changed();
}

QString SetModeSettings::encode() const
{
    return MakeSettingData(0) + MakeSettingData(1) + MakeSettingData(2);
}

Status SetModeSettings::storeBlocks(const QString &hex)
{
    constexpr qsizetype HexLength = qsizetype{2} * ImageBytes;
    if (hex.size() < HexLength || !IsHexText(hex.left(HexLength)))
        return Problem{QStringLiteral("the settings blocks"), QStringLiteral("settings bytes 0 to 191"),
                       QStringLiteral("they are not 384 hex characters")};
    for (int start = 0; start < ImageBytes; start += 64)
        StoreSettingsBytes(hex.mid(qsizetype{2} * start, 128), start);
    return {};
}

Status SetModeSettings::decode(const QString &hex)
{
    if (Status stored = storeBlocks(hex); !stored)
        return stored;
    return ExpandSettingData();
}

void SetModeSettings::reset()
{
    applyStartUpDefaults();
    bytes = Image{};
    emit changed();
}

Status SetModeSettings::decodeWriteProtect(const QString &hex)
{
    return decodeWriteProtect(HexByteAt(hex, 0));
}

QString SetModeSettings::encodeWriteProtect() const
{
    return ByteHex(static_cast<unsigned>(writeProtect()));
}

Status SetModeSettings::decodeWriteProtect(int byte)
{
    if (byte < 0 || byte >= texts(WriteProtectOption).size())
        return Unshowable(WriteProtectOption, QStringLiteral("the write-protect byte"), byte);
    if (index(WriteProtectOption) != byte) {
        setIndexQuietly(WriteProtectOption, byte);
        emit changed();
    }
    return {};
}

void SetModeSettings::SetModeReset()
{
    const Range zeroed[] = {
        {G::ChDisplay, 0, 0}, {G::Display, 1, 5}, {G::Power, 0, 2},  {G::Send, 0, 5}, {G::Send, 9, 9},
        {G::Send, 13, 13},    {G::Toutyou, 0, 1}, {G::Recv, 0, 5},   {G::Scan, 0, 9}, {G::Repeater, 0, 3},
        {G::Key, 0, 11},      {G::Sound, 0, 2},   {G::Preset, 0, 0}, {G::Mem, 0, 0},
    };
    for (const Range &range : zeroed) {
        for (int i = range.first; i <= range.last; ++i) {
            if (!IsReadOnly({range.group, i}))
                setIndexQuietly({range.group, i}, 0);
        }
    }
    setIndexQuietly(LanguageOption, static_cast<int>(Language::English));
    for (const DefaultIndex &entry : SetModeDefaults)
        setIndexQuietly(entry.option, entry.index);
    emit changed();
}

void SetModeSettings::CommonSettingReset()
{
    const Range zeroed[] = {
        {G::Display, 5, 15}, {G::Send, 6, 13},  {G::Recv, 6, 7},
        {G::Sound, 3, 5},    {G::Preset, 0, 0}, {G::Mem, 0, 0},
    };
    for (const Range &range : zeroed) {
        for (int i = range.first; i <= range.last; ++i) {
            if (!IsReadOnly({range.group, i}))
                setIndexQuietly({range.group, i}, 0);
        }
    }
    setIndexQuietly(Key(7), 1);
    for (const DefaultIndex &entry : CommonDefaults)
        setIndexQuietly(entry.option, entry.index);
    emit changed();
}

} // namespace n35
