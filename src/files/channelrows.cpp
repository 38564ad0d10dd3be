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

Status CheckCell(int column, QString &text)
{
    auto refuse = [column](const QString &why) { return Problem{CellCaption(column), QString(), why}; };
    if (column == ColName) {
        const QString fault = NameFault(text, true);
        if (fault.isEmpty())
            return {};
        return refuse(QStringLiteral("\"%1\" %2").arg(QuotedExcerpt(text), fault));
    }
    // The cell rules read an empty mode as NFM for records the decoder could not name; a file must say.
    if (column == ColMode && text.isEmpty())
        return refuse(QStringLiteral("\"\" cannot be stored: the radio stores FM or NFM only"));
    const Result<std::uint32_t> code = CellCode(column, text);
    if (!code)
        return refuse(code.problem().why);
    if (column == ColShiftFreq && *code >= OffsetLimitHz)
        return refuse(QStringLiteral("\"%1\" is 1000 MHz or more").arg(QuotedExcerpt(text)));
    return {};
}

std::optional<RowNote> CheckRowCells(int row, ChannelCells &cells)
{
    QString &frequency = cells[ColFrequency - 1];
    if (frequency.isEmpty()) {
        if (!IsCallChannel(row))
            return std::nullopt;
        const Problem problem = CellProblem(ColFrequency, frequency,
                                            QStringLiteral("is empty, but this CALL channel must hold one"));
        return RowNote{0, QString(), row, problem.what, frequency, problem.why, true};
    }
    const Result<QString> checked = CheckedFrequency(row, frequency);
    if (!checked)
        return RowNote{
            0, QString(), row, checked.problem().what, frequency, checked.problem().why, IsCallChannel(row)};
    frequency = *checked;
    for (int column = ColMode; column <= ColName; ++column) {
        QString &text = cells[static_cast<std::size_t>(column - 1)];
        if (const Status cell = CheckCell(column, text); !cell)
            return RowNote{
                0, QString(), row, cell.problem().what, text, cell.problem().why, IsCallChannel(row)};
    }
    return std::nullopt;
}

QString RowNote::describe() const
{
    QString place = line ? QStringLiteral("line %1").arg(line) : QStringLiteral("row %1").arg(row);
    QStringList aside;
    if (!location.isEmpty())
        aside << QStringLiteral("Location %1").arg(location);
    if (line && row)
        aside << QStringLiteral("row %1").arg(row);
    if (!aside.isEmpty())
        place += QStringLiteral(" (%1)").arg(aside.join(QStringLiteral(", ")));
    if (!column.isEmpty()) {
        // Most reasons begin with the text they refuse ("\"260.00000MHz\" lies outside ..."): it is said
        // once.
        const QString excerpt = QuotedExcerpt(text);
        if (reason.startsWith(QLatin1Char('"') + excerpt + QLatin1Char('"'))) {
            place += QStringLiteral(", ") + column;
        } else {
            // A quoted field of a channel list may hold line ends; a note is one line.
            QString shown = excerpt;
            shown.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
            place += QStringLiteral(", %1 \"%2\"").arg(column, shown);
        }
    }
    return place + QStringLiteral(": ") + reason;
}

QString DescribeRefusal(const RowNote &refusal)
{
    return refusal.describe() + (refusal.kept ? QStringLiteral(" (the row kept what it held)")
                                              : QStringLiteral(" (the row was emptied)"));
}

namespace
{

// Notes one per line, each begun with a capital, at most `shown` of them and a line saying how many more.
QString ListNotes(const std::vector<RowNote> &notes, int shown, QString (*describe)(const RowNote &))
{
    QStringList lines;
    for (const RowNote &note : notes) {
        if (lines.size() == shown) {
            lines << QStringLiteral("... and %1 more.").arg(notes.size() - static_cast<std::size_t>(shown));
            break;
        }
        const QString text = describe(note);
        lines << text.left(1).toUpper() + text.mid(1);
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QString ListRefusals(const std::vector<RowNote> &refused, int shown)
{
    return ListNotes(refused, shown, DescribeRefusal);
}

QString ListWarnings(const std::vector<RowNote> &warnings, int shown)
{
    return ListNotes(warnings, shown, [](const RowNote &warning) { return warning.describe(); });
}

bool LooksLikeFormula(const QString &text)
{
    static const QString Starts = QStringLiteral("=+-@");
    if (text.isEmpty() || !Starts.contains(text.at(0)))
        return false;
    // A lone "+" or "-" (the shift column) is text to every spreadsheet.
    return text.size() > 1 || text.at(0) == QLatin1Char('=') || text.at(0) == QLatin1Char('@');
}

void WarnFormulas(int row, const ChannelCells &cells, std::vector<RowNote> &warnings)
{
    for (int column = ColFrequency; column <= ColName; ++column) {
        const QString &text = cells[static_cast<std::size_t>(column - 1)];
        // The radio's own words ("-/T") are no planted text.
        if (LooksLikeFormula(text) && !CellChoices(column).contains(text))
            warnings.push_back(RowNote{0, QString(), row, CellCaption(column), text, FormulaWarningText()});
    }
}

} // namespace n35
