#include "files/rowclipboard.h"

#include <QStringList>

namespace n35
{

namespace
{

QString HeaderLine()
{
    return ChannelHeaderTexts().join(QLatin1Char('\t'));
}

} // namespace

QString RowsAsText(const ChannelTable &table, int first, int last, std::vector<RowNote> *warnings)
{
    if (first > last)
        std::swap(first, last);
    QString text = HeaderLine() + QLatin1Char('\n');
    std::vector<RowNote> found;
    for (int row = std::max(first, 1); row <= std::min(last, ChannelCount); ++row) {
        QStringList cells;
        for (const QString &cell : table.cells(row))
            cells << cell;
        text += table.label(row) + QLatin1Char('\t') + cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
        WarnFormulas(row, table.cells(row), found);
    }
    if (warnings)
        *warnings = std::move(found);
    return text;
}

PasteResult PasteRows(const QString &text, int firstRow, ChannelTable &table)
{
    PasteResult result;
    result.firstRow = firstRow;
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    // A spreadsheet ends its copy with a line end; the empty line after it is no row.
    while (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    if (!lines.isEmpty() && lines.constFirst() == HeaderLine())
        lines.removeFirst();

    std::vector<std::pair<int, ChannelCells>> rows;
    int row = firstRow;
    for (const QString &line : lines) {
        if (row > ChannelCount) {
            result.refused.push_back(RowNote{0, QString(), row, QStringLiteral("the line"), line,
                                             QStringLiteral("lies past the last row, 952"), false});
            ++row;
            continue;
        }
        const QStringList fields = line.split(QLatin1Char('\t'));
        ChannelCells cells;
        if (fields.size() == ChannelCellCount || fields.size() == ChannelCellCount + 1) {
            const qsizetype skip = fields.size() - ChannelCellCount;
            for (int column = 0; column < ChannelCellCount; ++column)
                cells[static_cast<std::size_t>(column)] = fields.at(column + skip);
            if (std::optional<RowNote> refusal = CheckRowCells(row, cells)) {
                result.refused.push_back(*refusal);
                cells = ChannelCells{};
            }
        } else {
            result.refused.push_back(RowNote{
                0, QString(), row, QStringLiteral("the line"), line,
                QStringLiteral("has %1 fields instead of %2").arg(fields.size()).arg(ChannelCellCount + 1),
                IsCallChannel(row)});
        }
        rows.emplace_back(row, cells);
        ++row;
    }

    for (const auto &[at, cells] : rows) {
        if (cells[ColFrequency - 1].isEmpty()) {
            // A CALL row always holds a channel; a refused or empty line leaves it as it was.
            if (!IsCallChannel(at))
                table.clearRow(at);
        } else {
            table.setUsed(at, true);
            table.setCells(at, cells);
        }
        result.lastRow = at;
    }
    return result;
}

} // namespace n35
