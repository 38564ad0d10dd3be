#include "files/channelrows.h"

#include "model/channelcells.h"

#include <QStringList>

namespace n35
{

namespace
{

constexpr int FrequencyFieldLength = 12; // "222.12345MHz"
constexpr std::uint32_t OffsetLimitHz = 1'000'000'000;

} // namespace

Problem CellProblem(int column, const QString &text, const QString &why)
{
    return Problem{CellCaption(column), QString(), QStringLiteral("\"%1\" %2").arg(text, why)};
}

// The frequency field as the export writes it, in a band the row may use; returned in the grid's own
// form, so a cell the file spelled oddly still encodes for the radio.
Result<QString> CheckedFrequency(int row, const QString &text)
{
    const bool shaped = text.size() == FrequencyFieldLength && text.at(3) == QLatin1Char('.') &&
                        text.endsWith(QLatin1String("MHz"));
    const auto hz = shaped ? ParseFrequency(text.left(FrequencyFieldLength - 3)) : std::nullopt;
    if (!hz)
        return CellProblem(ColFrequency, text, QStringLiteral("is not of the form 222.00000MHz"));
    if (!FrequencyInBand(row, *hz)) {
        return CellProblem(ColFrequency, text,
                           IsCallChannel(row) ? QStringLiteral("lies outside this CALL channel's band")
                                              : QStringLiteral("lies outside 216-250 MHz and 902-928 MHz"));
    }
    return FrequencyText(*hz);
}

QString CellFault(int column, QString &text)
{
    // The cell rules read an empty mode as NFM for records the decoder could not name; a file must say.
    if (column == ColMode && text.isEmpty())
        return QStringLiteral("\"\" cannot be stored: the radio stores FM or NFM only");
    const Result<std::uint32_t> code = CellCode(column, text);
    if (!code)
        return code.problem().why;
    if (column == ColShiftFreq && *code >= OffsetLimitHz)
        return QStringLiteral("\"%1\" is 1000 MHz or more").arg(text);
    return {};
}

std::optional<CsvRefusal> CheckRowCells(int row, ChannelCells &cells)
{
    QString &frequency = cells[ColFrequency - 1];
    if (frequency.isEmpty()) {
        if (!IsCallChannel(row))
            return std::nullopt;
        const Problem problem = CellProblem(ColFrequency, frequency,
                                            QStringLiteral("is empty, but this CALL channel must hold one"));
        return CsvRefusal{row, problem.what, frequency, problem.why, true};
    }
    const Result<QString> checked = CheckedFrequency(row, frequency);
    if (!checked)
        return CsvRefusal{row, checked.problem().what, frequency, checked.problem().why, IsCallChannel(row)};
    frequency = *checked;
    for (int column = ColMode; column <= ColSkip; ++column) {
        QString &text = cells[static_cast<std::size_t>(column - 1)];
        if (const QString why = CellFault(column, text); !why.isEmpty())
            return CsvRefusal{row, CellCaption(column), text, why, IsCallChannel(row)};
    }
    return std::nullopt;
}

QString ListRefusals(const std::vector<CsvRefusal> &refused, int shown)
{
    QStringList lines;
    for (const CsvRefusal &refusal : refused) {
        if (lines.size() == shown) {
            lines << QStringLiteral("... and %1 more.").arg(refused.size() - static_cast<std::size_t>(shown));
            break;
        }
        lines << QStringLiteral("Row %1, %2 \"%3\": %4%5")
                     .arg(refusal.row)
                     .arg(refusal.column, refusal.text, refusal.reason,
                          refusal.kept ? QStringLiteral(" (the row kept what it held)")
                                       : QStringLiteral(" (the row was emptied)"));
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace n35
