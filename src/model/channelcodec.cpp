#include "model/channelcodec.h"

#include "model/channelcells.h"
#include "model/hex.h"
#include "model/textcodec.h"

#include <QStringList>
#include <array>

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

Status DecodeChannel(const QString &hex, int channel, ChannelTable &table)
{
    const QString where = QStringLiteral("channel %1").arg(channel);
    const int status = HexByteAt(hex, StatusByte);
    if (status != 0x01 && status != 0x02) {
        if (status < 0)
            return Problem{QStringLiteral("the record"), where, QStringLiteral("it is not hex text")};
        table.clearRow(channel);
        return {};
    }
    if (hex.size() != RecordHexLength || !IsHexText(hex))
        return Problem{QStringLiteral("the record"), where, QStringLiteral("it is not 128 hex characters")};

    // Every coded cell through its column's table: a code outside it leaves the row as it was.
    struct Field {
        int column;
        std::uint32_t code;
    };
    const Field fields[] = {
        {ColFrequency, static_cast<std::uint32_t>(HexWord32At(hex, FrequencyBytes))},
        {ColMode, static_cast<std::uint32_t>(HexByteAt(hex, ModeByte))},
        {ColStep, static_cast<std::uint32_t>(HexByteAt(hex, StepByte))},
        {ColSubtone, static_cast<std::uint32_t>(HexByteAt(hex, SubtoneByte))},
        {ColTxTone, static_cast<std::uint32_t>(HexByteAt(hex, TxToneByte))},
        {ColRxTone, static_cast<std::uint32_t>(HexByteAt(hex, RxToneByte))},
        {ColTxDcs, static_cast<std::uint32_t>(HexByteAt(hex, TxDcsByte))},
        {ColRxDcs, static_cast<std::uint32_t>(HexByteAt(hex, RxDcsByte))},
        {ColShift, static_cast<std::uint32_t>(HexByteAt(hex, ShiftByte))},
        {ColShiftFreq, static_cast<std::uint32_t>(HexWord32At(hex, OffsetBytes))},
        {ColSkip, static_cast<std::uint32_t>(HexByteAt(hex, SkipByte))},
    };
    ChannelCells cells;
    for (const Field &field : fields) {
        const auto text = CellText(field.column, field.code);
        if (!text) {
            return Problem{CellCaption(field.column), where,
                           QStringLiteral("code %1 is not one the program knows").arg(field.code)};
        }
        cells[field.column - 1] = *text;
    }
    cells[ColName - 1] = ExpandTextData(hex.mid(qsizetype(NameBytes) * 2));
    table.setUsed(channel, true);
    table.setCells(channel, cells);
    return {};
}

void DecodeChannelName(const QString &hex, int channel, ChannelTable &table)
{
    table.setCell(channel, ColName, ExpandTextData(hex));
}

Result<QString> EncodeChannel(int channel, const ChannelTable &table)
{
    const ChannelCells &cells = table.cells(channel);
    if (cells[ColFrequency - 1].isEmpty())
        return QStringLiteral("00");

    std::array<std::uint32_t, ChannelCellCount + 1> code{};
    for (int column = ColFrequency; column < ColName; ++column) {
        const auto value = CellCode(column, cells[static_cast<std::size_t>(column - 1)]);
        if (!value) {
            Problem problem = value.problem();
            problem.where = ChannelPlace(channel, table);
            return problem;
        }
        code[static_cast<std::size_t>(column)] = *value;
    }
    auto byte = [&](int column) { return ByteHex(code[static_cast<std::size_t>(column)]); };

    QString hex = QStringLiteral("02");
    hex += Word32Hex(code[ColFrequency]);
    hex += byte(ColMode) + byte(ColStep);
    hex += Word32Hex(code[ColShiftFreq]);
    hex += byte(ColShift);
    hex += byte(ColSubtone) + byte(ColTxTone) + byte(ColRxTone) + byte(ColTxDcs);
    hex += QStringLiteral("000062");
    hex += byte(ColSkip);
    hex += QStringLiteral("0A") + byte(ColRxDcs) + QStringLiteral("00000000000000000000");
    const QString name = MakeTextData(ConvertEscapeText(cells[ColName - 1]));
    if (name.size() != 64) {
        return Problem{
            CellCaption(ColName), ChannelPlace(channel, table),
            QStringLiteral("\"%1\" does not fit the record").arg(QuotedExcerpt(cells[ColName - 1]))};
    }
    return hex + name;
}

Result<QString> ChannelTable::encode(int channel) const
{
    return EncodeChannel(channel, *this);
}

Result<QStringList> ChannelTable::encode(int first, int last) const
{
    QStringList records;
    for (int channel = first; channel <= last; ++channel) {
        const Result<QString> record = EncodeChannel(channel, *this);
        if (!record)
            return record.problem();
        records << *record;
    }
    return records;
}

Status ChannelTable::decode(const QString &hex, int channel)
{
    return DecodeChannel(hex, channel, *this);
}

QString ChannelPlace(int channel, const ChannelTable &table)
{
    const QString label = table.label(channel).trimmed();
    const QString place = QStringLiteral("channel %1").arg(channel);
    return label.isEmpty() ? place : place + QStringLiteral(" (%1)").arg(label);
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
