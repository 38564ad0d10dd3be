#include "files/channelrows.h"

#include "files/fileproblems.h"
#include "model/channelcells.h"
#include "model/textcodec.h"

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
    return Problem{CellCaption(column), QString(), QStringLiteral("\"%1\" %2").arg(QuotedExcerpt(text), why)};
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
    if (column == ColName) {
        const QString fault = NameFault(text, true);
        return fault.isEmpty() ? fault : QStringLiteral("\"%1\" %2").arg(QuotedExcerpt(text), fault);
    }
    // The cell rules read an empty mode as NFM for records the decoder could not name; a file must say.
    if (column == ColMode && text.isEmpty())
        return QStringLiteral("\"\" cannot be stored: the radio stores FM or NFM only");
    const Result<std::uint32_t> code = CellCode(column, text);
    if (!code)
        return code.problem().why;
    if (column == ColShiftFreq && *code >= OffsetLimitHz)
        return QStringLiteral("\"%1\" is 1000 MHz or more").arg(QuotedExcerpt(text));
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
    for (int column = ColMode; column <= ColName; ++column) {
        QString &text = cells[static_cast<std::size_t>(column - 1)];
        if (const QString why = CellFault(column, text); !why.isEmpty())
            return CsvRefusal{row, CellCaption(column), text, why, IsCallChannel(row)};
    }
    return std::nullopt;
}

QString DescribeRefusal(const CsvRefusal &refusal)
{
    const QString where = QStringLiteral("row %1, %2").arg(refusal.row).arg(refusal.column);
    // Most reasons begin with the refused text ("\"260.00000MHz\" lies outside ..."): it is said once.
    const QString quoted = QLatin1Char('"') + QuotedExcerpt(refusal.text) + QLatin1Char('"');
    if (refusal.reason.startsWith(quoted))
        return where + QStringLiteral(": ") + refusal.reason;
    return where + QLatin1Char(' ') + quoted + QStringLiteral(": ") + refusal.reason;
}

QString ListRefusals(const std::vector<CsvRefusal> &refused, int shown)
{
    QStringList lines;
    for (const CsvRefusal &refusal : refused) {
        if (lines.size() == shown) {
            lines << QStringLiteral("... and %1 more.").arg(refused.size() - static_cast<std::size_t>(shown));
            break;
        }
        const QString text = DescribeRefusal(refusal);
        lines << text.left(1).toUpper() + text.mid(1) +
                     (refusal.kept ? QStringLiteral(" (the row kept what it held)")
                                   : QStringLiteral(" (the row was emptied)"));
    }
    return lines.join(QLatin1Char('\n'));
}

bool LooksLikeFormula(const QString &text)
{
    static const QString Starts = QStringLiteral("=+-@");
    if (text.isEmpty() || !Starts.contains(text.at(0)))
        return false;
    // A lone "+" or "-" (the shift column) is text to every spreadsheet.
    return text.size() > 1 || text.at(0) == QLatin1Char('=') || text.at(0) == QLatin1Char('@');
}

QString RowWarning::describe() const
{
    return QStringLiteral("Row %1, %2 \"%3\": %4").arg(row).arg(column, QuotedExcerpt(text), reason);
}

void WarnFormulas(int row, const ChannelCells &cells, std::vector<RowWarning> &warnings)
{
    for (int column = ColFrequency; column <= ColName; ++column) {
        const QString &text = cells[static_cast<std::size_t>(column - 1)];
        // The radio's own words ("-/T") are no planted text.
        if (LooksLikeFormula(text) && !CellChoices(column).contains(text))
            warnings.push_back(RowWarning{row, CellCaption(column), text, FormulaWarningText()});
    }
}

QString ListWarnings(const std::vector<RowWarning> &warnings, int shown)
{
    QStringList lines;
    for (const RowWarning &warning : warnings) {
        if (lines.size() == shown) {
            lines
                << QStringLiteral("... and %1 more.").arg(warnings.size() - static_cast<std::size_t>(shown));
            break;
        }
        lines << warning.describe();
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace n35
