#include "files/csvfile.h"

#include "files/savefile.h"
#include "model/channelcells.h"
#include "model/channelcodec.h"
#include "model/textcodec.h"

#include <QFile>
#include <QStringList>

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

// One row's line; a field the file's code page cannot carry is refused rather than written as "?".
Status AppendLine(QByteArray &content, int row, const QStringList &fields, const ChannelTable &table)
{
    for (int field = 0; field < fields.size(); ++field) {
        char32_t lacking = 0;
        const std::optional<QByteArray> bytes = Cp932Bytes(fields.at(field), &lacking);
        if (!bytes)
            return Problem{FieldCaption(field), ChannelPlace(row, table), Unwritable(lacking)};
        if (field > 0)
            content += ',';
        content += '"' + *bytes + '"';
    }
    content += "\r\n";
    return {};
}

Problem FileProblem(const QString &path, const QString &why)
{
    return Problem{QStringLiteral("the file"), path, why};
}

struct ImportRows {
    std::vector<ChannelCells> cells;
    std::vector<unsigned char> used;
    std::vector<CsvRefusal> refused;

    void refuse(int row, const Problem &problem, const QString &text, bool kept)
    {
        refused.push_back(CsvRefusal{row, problem.what, text, problem.why, kept});
    }
};

// One data line into its row.
void ReadLine(int row, const QString &line, ImportRows &rows)
{
    QString stripped = line;
    stripped.remove(QLatin1Char('"'));
    const QStringList fields = stripped.split(QLatin1Char(','));
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
        for (int column = ColMode; column <= ColSkip; ++column) {
            QString &text = cells[static_cast<std::size_t>(column - 1)];
            const QString why = CellFault(column, text);
            if (why.isEmpty())
                continue;
            const bool call = IsCallChannel(row);
            rows.refused.push_back(CsvRefusal{row, CellCaption(column), text, why, call});
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

Status ExportCsv(const QString &path, const ChannelTable &table, const CsvProgress &progress)
{
    QByteArray content;
    content.reserve(qsizetype(ChannelCount + 1) * 100);
    content += CsvHeaderLine().toLatin1() + "\r\n";
    if (progress)
        progress(0);
    for (int row = 1; row <= ChannelCount; ++row) {
        if (progress)
            progress(row);
        QStringList fields{table.label(row)};
        for (const QString &cell : table.cells(row))
            fields << cell;
        fields << QString::number(row);
        if (const Status line = AppendLine(content, row, fields, table); !line)
            return line;
    }

    return SaveFileAtomically(path, content);
}

CsvImportResult ImportCsv(const QString &path, ChannelTable &table, const CsvProgress &progress)
{
    CsvImportResult result;
    auto fail = [&](CsvImportResult::Kind kind, const QString &why) {
        result.kind = kind;
        result.problem = FileProblem(path, why);
        return result;
    };
    if (!path.endsWith(QLatin1String("CSV"), Qt::CaseInsensitive))
        return fail(CsvImportResult::Kind::WrongExtension,
                    QStringLiteral("its name does not end in \"CSV\""));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(CsvImportResult::Kind::CannotRead, file.errorString());
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(CsvImportResult::Kind::CannotRead, file.errorString());

    return ImportCsvContent(content, table, progress, path);
}

CsvImportResult ImportCsvContent(const QByteArray &content, ChannelTable &table, const CsvProgress &progress,
                                 const QString &source)
{
    CsvImportResult result;
    auto fail = [&](CsvImportResult::Kind kind, const QString &why) {
        result.kind = kind;
        result.problem = FileProblem(source, why);
        return result;
    };
    // CR LF as written, LF alone as some editors save it.
    QList<QByteArray> lines = content.split('\n');
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    if (lines.isEmpty() || Cp932FromBytes(lines.constFirst()) != CsvHeaderLine())
        return fail(CsvImportResult::Kind::NotHeader, QStringLiteral("its first line is not the CSV header"));

    // The whole file is read into a copy first, so a file that turns out bad half way cannot leave the
    // grid half imported.
    ImportRows rows;
    rows.used = table.ChannelUsed;
    for (int row = 1; row <= ChannelCount; ++row)
        rows.cells.push_back(table.cells(row));
    for (qsizetype index = 1; index < lines.size(); ++index) {
        const int row = static_cast<int>((index - 1) % ChannelCount) + 1;
        if (progress)
            progress(row);
        ReadLine(row, Cp932FromBytes(lines.at(index)), rows);
    }
    CheckRows(table, rows);

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
