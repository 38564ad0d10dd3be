#include "files/csvfile.h"

#include "files/fileproblems.h"
#include "files/readfile.h"
#include "files/savefile.h"
#include "model/channelcells.h"
#include "model/channelcodec.h"
#include "model/textcodec.h"

#include <QStringList>
#include <algorithm>

namespace n35
{

namespace
{

constexpr int FieldCount = ChannelCellCount + 2;

QString Quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString Joined(const QStringList &fields)
{
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString &field : fields)
        quoted << Quoted(field);
    return quoted.join(QLatin1Char(','));
}

QString FieldCaption(int field)
{
    return field == 0 ? QStringLiteral("the row label") : CellCaption(field);
}

QString Unwritable(char32_t ch)
{
    if (ch >= UnmappedCodeBase) {
        const QString code = QString::number(ch - UnmappedCodeBase, 16).toUpper().rightJustified(4, u'0');
        return QStringLiteral("holds radio code %1, which is no character a CSV file can carry").arg(code);
    }
    const char32_t text[] = {ch};
    return QStringLiteral("\"%1\" is no character of code page 932").arg(QString::fromUcs4(text, 1));
}

// The code page 932 bytes of a field; a character the code page cannot carry (a radio code that is no
// character) is written as "?" and warned about, so that one such name does not cost the whole file.
QByteArray FieldBytes(int row, int field, const QString &text, std::vector<RowNote> &warnings)
{
    if (const std::optional<QByteArray> bytes = Cp932Bytes(text))
        return *bytes;
    QByteArray bytes;
    QStringList why;
    for (const uint ch : text.toUcs4()) {
        const char32_t one[] = {ch};
        char32_t lacking = 0;
        const std::optional<QByteArray> piece = Cp932Bytes(QString::fromUcs4(one, 1), &lacking);
        bytes += piece ? *piece : QByteArray("?");
        if (!piece && !why.contains(Unwritable(lacking)))
            why << Unwritable(lacking);
    }
    warnings.push_back(RowNote{0, QString(), row, FieldCaption(field), text,
                               why.join(QStringLiteral("; ")) + QStringLiteral(": written as \"?\"")});
    return bytes;
}

// One row's line: every field quoted, a quote inside doubled. Code page 932 never uses the quote's byte
// as a trail byte, so doubling bytes is safe.
void AppendLine(QByteArray &content, int row, const QStringList &fields, std::vector<RowNote> &warnings)
{
    for (int field = 0; field < fields.size(); ++field) {
        if (field > 0)
            content += ',';
        content += '"' + FieldBytes(row, field, fields.at(field), warnings).replace("\"", "\"\"") + '"';
    }
    content += "\r\n";
}

// The fields of a line. A quoted field is one field whatever it holds, with "" for a quote inside it. A
// quote inside a field not followed by a comma or the line's end is taken as text, as older files wrote a
// name's quote without doubling it; a field without quotes (a spreadsheet may save it so) ends at a comma.
QStringList SplitFields(const QString &line)
{
    QStringList fields;
    const qsizetype size = line.size();
    qsizetype at = 0;
    for (;;) {
        QString field;
        if (at < size && line.at(at) == QLatin1Char('"')) {
            for (++at; at < size; ++at) {
                const QChar c = line.at(at);
                const QChar next = at + 1 < size ? line.at(at + 1) : QChar();
                if (c == QLatin1Char('"') && next == QLatin1Char('"')) {
                    ++at;
                } else if (c == QLatin1Char('"') && (at + 1 == size || next == QLatin1Char(','))) {
                    ++at;
                    break;
                }
                field += c;
            }
        } else {
            while (at < size && line.at(at) != QLatin1Char(','))
                field += line.at(at++);
        }
        fields << field;
        if (at >= size)
            return fields;
        ++at; // the comma
    }
}

struct ImportRows {
    std::vector<ChannelCells> cells;
    std::vector<unsigned char> used;
    std::vector<RowNote> refused;

    void refuse(int row, const Problem &problem, const QString &text, bool kept)
    {
        refused.push_back(RowNote{0, QString(), row, problem.what, text, problem.why, kept});
    }
};

// One data line into its row.
void ReadLine(int row, const QString &line, ImportRows &rows)
{
    const QStringList fields = SplitFields(line);
    if (fields.size() != FieldCount) {
        rows.refuse(row,
                    Problem{QStringLiteral("the line"), QString(),
                            QStringLiteral("has %1 fields instead of %2").arg(fields.size()).arg(FieldCount)},
                    line, true);
        return;
    }
    ChannelCells cells;
    for (int column = ColFrequency; column <= ColName; ++column)
        cells[static_cast<std::size_t>(column - 1)] = fields.at(column);

    const QString given = cells[ColFrequency - 1];
    Result<QString> frequency = given.isEmpty() ? Result<QString>(QString()) : CheckedFrequency(row, given);
    // The radio always holds the CALL channels, so one the line would empty keeps what it held.
    const bool call = IsCallChannel(row);
    if (!frequency) {
        rows.refuse(row, frequency.problem(), given, call);
    } else if (frequency->isEmpty() && call) {
        rows.refuse(
            row,
            CellProblem(ColFrequency, given, QStringLiteral("is empty, but this CALL channel must hold one")),
            given, true);
    }
    const auto at = static_cast<std::size_t>(row - 1);
    if (frequency && !frequency->isEmpty()) {
        cells[ColFrequency - 1] = *frequency;
        rows.cells[at] = cells;
    } else if (!call) {
        rows.cells[at] = ChannelCells{};
        rows.used[at] = 0;
    }
}

// The checks over every row, whether the file reached it or not.
void CheckRows(const ChannelTable &before, ImportRows &rows)
{
    for (int row = 1; row <= ChannelCount; ++row) {
        const auto at = static_cast<std::size_t>(row - 1);
        ChannelCells &cells = rows.cells[at];
        rows.used[at] = cells[ColFrequency - 1].isEmpty() ? 0 : 1;
        if (!rows.used[at]) {
            cells = ChannelCells{};
            continue;
        }
        for (int column = ColMode; column <= ColName; ++column) {
            QString &text = cells[static_cast<std::size_t>(column - 1)];
            // A name's radio code that is no character came from a byte no file of ours holds (a tab).
            const QString fault = column == ColName ? NameFault(text, false) : QString();
            const Status cell =
                fault.isEmpty() ? CheckCell(column, text) : Status(CellProblem(column, text, fault));
            if (cell)
                continue;
            const bool call = IsCallChannel(row);
            rows.refuse(row, cell.problem(), text, call);
            cells = call ? before.cells(row) : ChannelCells{};
            rows.used[at] = call && before.used(row) ? 1 : 0;
            break;
        }
    }
}

} // namespace

QString CsvHeaderLine()
{
    return Joined(ChannelHeaderTexts() << QStringLiteral("0"));
}

CsvExportResult ExportCsv(const QString &path, const ChannelTable &table, const CsvProgress &progress)
{
    CsvExportResult result;
    QByteArray content;
    content.reserve(qsizetype(ChannelCount + 1) * 100);
    content += CsvHeaderLine().toLatin1() + "\r\n";
    if (progress)
        progress(0);
    for (int row = 1; row <= ChannelCount; ++row) {
        if (progress)
            progress(row);
        QStringList fields{table.label(row)};
        QStringList cells;
        for (const QString &cell : table.cells(row))
            cells << cell;
        fields << cells << QString::number(row);
        AppendLine(content, row, fields, result.warnings);
        WarnFormulas(row, table.cells(row), result.warnings);
    }
    result.status = SaveFileAtomically(path, content);
    return result;
}

CsvImportResult ImportCsv(const QString &path, ChannelTable &table, const CsvProgress &progress)
{
    if (!path.endsWith(QLatin1String("CSV"), Qt::CaseInsensitive))
        return {FileProblem(path, CsvNameText(), ProblemKind::WrongName), {}, 0};
    const Result<QByteArray> content = ReadFileBytes(path);
    if (!content)
        return {content.problem(), {}, 0};
    return ImportCsvContent(*content, table, progress, path);
}

CsvImportResult ImportCsvContent(const QByteArray &content, ChannelTable &table, const CsvProgress &progress,
                                 const QString &source)
{
    CsvImportResult result;
    // CR LF as written, LF or CR alone as some editors save it.
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype at = 0; at < content.size(); ++at) {
        const char c = content.at(at);
        if (c != '\n' && c != '\r')
            continue;
        lines << content.mid(start, at - start);
        if (c == '\r' && at + 1 < content.size() && content.at(at + 1) == '\n')
            ++at;
        start = at + 1;
    }
    if (start < content.size())
        lines << content.mid(start);
    if (lines.isEmpty() || Cp932FromBytes(lines.constFirst()) != CsvHeaderLine())
        return {FileProblem(source, NotCsvHeaderText(), ProblemKind::NotThisFormat), {}, 0};

    // The whole file is read into a copy first, so a file that turns out bad half way cannot leave the
    // grid half imported.
    ImportRows rows;
    rows.used = table.allUsed();
    for (int row = 1; row <= ChannelCount; ++row)
        rows.cells.push_back(table.cells(row));
    for (qsizetype index = 1; index < lines.size(); ++index) {
        const int row = static_cast<int>((index - 1) % ChannelCount) + 1;
        if (progress)
            progress(row);
        ReadLine(row, Cp932FromBytes(lines.at(index)), rows);
    }
    CheckRows(table, rows);
    result.rowsRead = static_cast<int>(std::min<qsizetype>(lines.size() - 1, ChannelCount));

    for (int row = 1; row <= ChannelCount; ++row) {
        const auto at = static_cast<std::size_t>(row - 1);
        const bool used = rows.used[at] != 0;
        if (rows.cells[at] == table.cells(row) && used == table.used(row))
            continue;
        if (!used && rows.cells[at] == ChannelCells{}) {
            table.clearRow(row);
        } else {
            table.setUsed(row, used);
            table.setCells(row, rows.cells[at]);
        }
    }
    result.refused = std::move(rows.refused);
    return result;
}

} // namespace n35
