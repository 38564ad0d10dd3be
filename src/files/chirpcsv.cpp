#include "files/chirpcsv.h"

#include "files/fileproblems.h"
#include "files/readfile.h"
#include "files/savefile.h"

#include "files/channelrows.h"
#include "files/csvtext.h"
#include "model/channelcells.h"
#include "model/channeledit.h"
#include "model/textcodec.h"
#include "model/valuetables.h"

#include <QStringList>
#include <array>
#include <cmath>

namespace n35
{

namespace
{

constexpr std::uint32_t Mhz = 1'000'000;

// The list's columns, in the order the export writes them.
enum ListColumn {
    Location,
    Name,
    Frequency,
    Duplex,
    Offset,
    Tone,
    RToneFreq,
    CToneFreq,
    DtcsCode,
    DtcsPolarity,
    Mode,
    TStep,
    Skip,
    Comment,
    UrCall,
    Rpt1Call,
    Rpt2Call,
    RxDtcsCode,
    CrossMode,
    ListColumnCount
};

constexpr std::array<const char *, ListColumnCount> ColumnNames{
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",   "Tone", "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "Mode",       "TStep",    "Skip", "Comment",
    "URCALL",    "RPT1CALL", "RPT2CALL",     "RxDtcsCode", "CrossMode"};

// Location up to Skip: what every list has and the import reads. The rest may be missing.
constexpr int RequiredColumns = Skip + 1;

// The list column each grid column comes from, to name it when the shared row checks refuse a cell.
constexpr std::array<ListColumn, ChannelCellCount> SourceOfCell{
    Frequency, Mode, TStep, Tone, RToneFreq, CToneFreq, DtcsCode, RxDtcsCode, Duplex, Offset, Skip, Name};

QString ColumnName(ListColumn column)
{
    return QLatin1String(ColumnNames[static_cast<std::size_t>(column)]);
}

// The sub-tone types the list has words for. A type may have two spellings; the export takes the first
// that fits ("TSQL" and "DTCS" only when both ways use the same tone or code).
struct ToneWord {
    const char *type;
    const char *tone;
    const char *cross;
    bool sameBothWays;
};

constexpr ToneWord ToneWords[] = {
    {"None", "", "", false},
    {"T/-", "Tone", "", false},
    {"T/T", "TSQL", "", true},
    {"D/D", "DTCS", "", true},
    {"T/T", "Cross", "Tone->Tone", false},
    {"T/D", "Cross", "Tone->DTCS", false},
    {"D/T", "Cross", "DTCS->Tone", false},
    {"-/T", "Cross", "->Tone", false},
    {"-/D", "Cross", "->DTCS", false},
    {"D/-", "Cross", "DTCS->", false},
    {"T/-", "Cross", "Tone->", false},
    {"D/D", "Cross", "DTCS->DTCS", false},
};

const QString CrossWord = QStringLiteral("Cross");
const QString DefaultCross = QStringLiteral("Tone->Tone");
const QString DefaultTone = QStringLiteral("88.5Hz");
const QString DefaultDcs = QStringLiteral("023");

// ---- Values: the list's spelling and the grid's --------------------------------------------------

QString MhzText(std::uint32_t hz)
{
    return QStringLiteral("%1.%2").arg(hz / Mhz).arg(hz % Mhz, 6, 10, QLatin1Char('0'));
}

double StepKhz(const QString &step)
{
    const bool mhz = step.endsWith(QLatin1String("MHz"));
    return QStringView(step).chopped(3).toDouble() * (mhz ? 1000 : 1);
}

double ToneHz(const QString &tone)
{
    return QStringView(tone).chopped(2).toDouble();
}

// The cell text of a table whose entries stand for numbers ("12.5KHz" for 12.5), found by the number
// within `tolerance`; empty when no entry is that near. The numbers are worked out once per table.
QString NearestCell(const QStringList &texts, const std::vector<double> &values, const QString &text,
                    double tolerance)
{
    bool ok = false;
    const double wanted = text.toDouble(&ok);
    for (std::size_t at = 0; ok && at < values.size(); ++at) {
        if (std::abs(values[at] - wanted) < tolerance)
            return texts.at(qsizetype(at));
    }
    return {};
}

std::vector<double> Values(const QStringList &texts, double (*value)(const QString &))
{
    std::vector<double> values;
    for (const QString &text : texts)
        values.push_back(value(text));
    return values;
}

// "12.50" (kHz) to "12.5KHz"; empty for no step of the radio.
QString StepCell(const QString &text)
{
    static const std::vector<double> khz = Values(StepTexts(), StepKhz);
    return NearestCell(StepTexts(), khz, text, 0.005);
}

// "88.5" to "88.5Hz"; empty for no CTCSS tone of the radio.
QString ToneCell(const QString &text)
{
    static const std::vector<double> hz = Values(CtcssTexts(), ToneHz);
    return NearestCell(CtcssTexts(), hz, text, 0.05);
}

// "23" or "023" to "023"; empty for no DCS code of the radio.
QString DcsCell(const QString &text)
{
    bool digits = !text.isEmpty() && text.size() <= 3;
    for (QChar c : text)
        digits = digits && c.isDigit();
    const QString code = text.rightJustified(3, QLatin1Char('0'));
    return digits && DcsTexts().contains(code) ? code : QString();
}

// How a message shows a character: itself, or "U+000A" for a control character.
QString Shown(char32_t ch)
{
    const char32_t one[] = {ch};
    return ch < 0x20 || ch == 0x7F ? QStringLiteral("U+%1").arg(uint(ch), 4, 16, QLatin1Char('0')).toUpper()
                                   : QString::fromUcs4(one, 1);
}

// A name from the list in the grid's escape notation: a backslash doubled, a circled digit 1..8 as its
// glyph. A character the radio cannot store becomes "?" and is added to *lacking (the line is then
// refused).
QString EscapedName(const QString &plain, QStringList *lacking)
{
    QString escaped;
    for (const char32_t ch : plain.toStdU32String()) {
        const char32_t one[] = {ch};
        if (ch == U'\\') {
            escaped += QStringLiteral("\\\\");
        } else if (ch >= FirstGlyphChar && ch < FirstGlyphChar + GlyphCount) {
            escaped += QLatin1Char('\\') + QString::number(ch - FirstGlyphChar + 1);
        } else if (Cp932Code(ch)) {
            escaped += QString::fromUcs4(one, 1);
        } else {
            escaped += QLatin1Char('?');
            if (!lacking->contains(Shown(ch)))
                *lacking << Shown(ch);
        }
    }
    return escaped;
}

// A grid name as plain text for the list; a radio code that is no character goes out as "?". The spaces
// the radio pads a name with are left off: the radio stores the name the same without them.
QString PlainName(const QString &escaped, bool *placeholder)
{
    QString plain;
    for (const char32_t ch : ConvertEscapeText(escaped).toStdU32String()) {
        const char32_t one[] = {ch};
        *placeholder = *placeholder || ch >= UnmappedCodeBase;
        plain += ch >= UnmappedCodeBase ? QStringLiteral("?") : QString::fromUcs4(one, 1);
    }
    while (plain.endsWith(QLatin1Char(' ')))
        plain.chop(1);
    return plain;
}

using ColumnIndexes = std::array<qsizetype, ListColumnCount>; // -1: the file lacks the column

// ---- One line of the list into one grid row ---------------------------------------------------------

class LineReader
{
public:
    LineReader(const CsvRecord &record, const ColumnIndexes &columns) : record(record), columns(columns) {}

    bool has(ListColumn column) const { return columns[column] >= 0; }
    QString raw(ListColumn column) const
    {
        const qsizetype at = columns[column];
        return at >= 0 && at < record.fields.size() ? record.fields.at(at) : QString();
    }
    QString text(ListColumn column) const { return raw(column).trimmed(); }

    RowNote note(int row, const QString &column, const QString &field, const QString &reason) const
    {
        return RowNote{record.line, text(Location), row, column, field, reason};
    }
    // Keeps why the line cannot be imported; false, so that a reader returns it at once.
    bool refuse(ListColumn column, const QString &reason)
    {
        fault = note(0, ColumnName(column), text(column), reason);
        return false;
    }
    void warn(int row, ListColumn column, const QString &reason)
    {
        warnings.push_back(note(row, ColumnName(column), raw(column), reason));
    }

    std::optional<RowNote> fault;
    std::vector<RowNote> warnings;

private:
    const CsvRecord &record;
    const ColumnIndexes &columns;
};

// A tone or DCS cell the sub-tone type uses must be in the radio's list; one it does not use keeps a
// good value of the file, or the editor's default, so the row still encodes.
bool ReadToneCell(LineReader &in, ListColumn column, bool used, QString &cell)
{
    const bool dcs = column == DtcsCode || column == RxDtcsCode;
    cell = dcs ? DcsCell(in.text(column)) : ToneCell(in.text(column));
    if (!cell.isEmpty())
        return true;
    if (used)
        return in.refuse(column, dcs ? QStringLiteral("is not a DCS code the radio has")
                                     : QStringLiteral("is not a CTCSS tone the radio has"));
    cell = dcs ? DefaultDcs : DefaultTone;
    return true;
}

bool ReadTones(LineReader &in, ChannelCells &cells)
{
    const QString word = in.text(Tone);
    const bool cross = word.compare(CrossWord, Qt::CaseInsensitive) == 0;
    // Lists written before cross modes had a column of their own knew "Tone->Tone" alone.
    const QString crossMode = in.has(CrossMode) ? in.text(CrossMode) : DefaultCross;
    const ToneWord *found = nullptr;
    for (const ToneWord &candidate : ToneWords) {
        if (word.compare(QLatin1String(candidate.tone), Qt::CaseInsensitive) == 0 &&
            (!cross || crossMode.compare(QLatin1String(candidate.cross), Qt::CaseInsensitive) == 0)) {
            found = &candidate;
            break;
        }
    }
    if (!found && cross)
        return in.refuse(CrossMode, QStringLiteral("is not a cross mode the radio has"));
    if (!found)
        return in.refuse(Tone, QStringLiteral("is not \"\", \"Tone\", \"TSQL\", \"DTCS\" or \"Cross\""));

    const QLatin1String type(found->type);
    const bool txTone = type.at(0) == QLatin1Char('T');
    const bool txDcs = type.at(0) == QLatin1Char('D');
    const bool rxTone = type.at(2) == QLatin1Char('T');
    const bool rxDcs = type.at(2) == QLatin1Char('D');
    // "TSQL" names one tone for both ways, in cToneFreq; a DCS code received comes from RxDtcsCode when
    // the list gives one.
    const bool squelch = QLatin1String(found->tone) == QLatin1String("TSQL");
    const ListColumn rxCode = rxDcs && in.text(RxDtcsCode).isEmpty() ? DtcsCode : RxDtcsCode;
    cells[ColSubtone - 1] = type;
    if (!ReadToneCell(in, squelch ? CToneFreq : RToneFreq, txTone, cells[ColTxTone - 1]) ||
        !ReadToneCell(in, CToneFreq, rxTone, cells[ColRxTone - 1]) ||
        !ReadToneCell(in, DtcsCode, txDcs, cells[ColTxDcs - 1]) ||
        !ReadToneCell(in, rxCode, rxDcs, cells[ColRxDcs - 1]))
        return false;
    if (!txDcs && !rxDcs)
        return true;
    const QString polarity = in.text(DtcsPolarity);
    if (polarity.size() != 2 || !QStringLiteral("NR").contains(polarity.at(0)) ||
        !QStringLiteral("NR").contains(polarity.at(1)))
        return in.refuse(DtcsPolarity, QStringLiteral("is not a DCS polarity such as \"NN\""));
    if ((txDcs && polarity.at(0) != QLatin1Char('N')) || (rxDcs && polarity.at(1) != QLatin1Char('N')))
        return in.refuse(DtcsPolarity,
                         QStringLiteral("is reversed polarity: the radio sends and receives DCS codes with "
                                        "normal polarity only"));
    return true;
}

bool ReadShift(LineReader &in, int row, ChannelCells &cells)
{
    const QString duplex = in.text(Duplex).toLower();
    if (duplex == QLatin1String("split"))
        return in.refuse(Duplex,
                         QStringLiteral("cannot be stored: the radio transmits on the receive "
                                        "frequency or at an offset from it, never on one of its own"));
    if (duplex == QLatin1String("off")) {
        in.warn(row, Duplex,
                QStringLiteral("the radio cannot switch transmit off: the channel was imported as simplex "
                               "and can transmit"));
    } else if (!duplex.isEmpty() && duplex != QLatin1String("+") && duplex != QLatin1String("-")) {
        return in.refuse(Duplex, QStringLiteral("is not \"\", \"+\", \"-\" or \"off\""));
    }
    cells[ColShift - 1] = ShiftText(ShiftCode(duplex));
    const QString offset = in.text(Offset);
    const auto hz = offset.isEmpty() ? std::optional<std::uint32_t>(0) : ParseFrequency(offset);
    if (!hz)
        return in.refuse(Offset, QStringLiteral("is not a frequency in MHz"));
    cells[ColShiftFreq - 1] = FrequencyText(*hz);
    return true;
}

bool ReadChannel(LineReader &in, int row, ChannelCells &cells)
{
    const QString frequency = in.text(Frequency);
    const auto hz = ParseFrequency(frequency);
    if (!hz)
        return in.refuse(Frequency, QStringLiteral("is not a frequency in MHz"));
    if (*hz % 10 != 0)
        in.warn(row, Frequency,
                QStringLiteral("the radio stores steps of 10 Hz: the last digit was dropped"));
    cells[ColFrequency - 1] = FrequencyText(*hz);

    const QString mode = in.text(Mode).toUpper();
    if (mode != QLatin1String("FM") && mode != QLatin1String("NFM"))
        return in.refuse(Mode, QStringLiteral("cannot be stored: the radio stores FM or NFM only"));
    cells[ColMode - 1] = mode;
    cells[ColStep - 1] = StepCell(in.text(TStep));
    if (cells[ColStep - 1].isEmpty())
        return in.refuse(TStep, QStringLiteral("is not a step the radio has (kHz)"));
    const QString skip = in.text(Skip).toUpper();
    if (!skip.isEmpty() && skip != QLatin1String("S") && skip != QLatin1String("P"))
        return in.refuse(Skip, QStringLiteral("is not \"S\", \"P\" or empty"));
    cells[ColSkip - 1] = skip == QLatin1String("S") ? QStringLiteral("*") : QString();
    if (!ReadTones(in, cells) || !ReadShift(in, row, cells))
        return false;

    QStringList lacking;
    const QString escaped = EscapedName(in.raw(Name), &lacking);
    // A name is never changed behind the user's back: "?" for a character would be saved unsaid.
    if (!lacking.isEmpty())
        return in.refuse(Name, QStringLiteral("holds \"%1\", which the radio cannot store")
                                   .arg(QuotedExcerpt(lacking.join(QStringLiteral("\", \"")))));
    cells[ColName - 1] = NameLengthCheckAndCorrect(escaped);
    if (cells[ColName - 1] != escaped)
        in.warn(row, Name,
                QStringLiteral("longer than 16 positions: shortened to \"%1\"").arg(cells[ColName - 1]));

    // The rules every import shares: bands, and what the record can hold.
    if (const std::optional<RowNote> refusal = CheckRowCells(row, cells)) {
        ListColumn column = Frequency;
        for (int cell = ColFrequency; cell <= ColName; ++cell) {
            if (CellCaption(cell) == refusal->column)
                column = SourceOfCell[static_cast<std::size_t>(cell - 1)];
        }
        return in.refuse(column, refusal->reason);
    }
    return true;
}

int NextTarget(int row)
{
    while (IsCallChannel(row))
        ++row;
    return row;
}

// ---- One grid row into one line of the list ----------------------------------------------------------

const ToneWord *WordFor(const ChannelCells &cells)
{
    const QString &type = cells[ColSubtone - 1];
    const bool tones = type.startsWith(QLatin1Char('T'));
    const bool same =
        tones ? cells[ColTxTone - 1] == cells[ColRxTone - 1] : cells[ColTxDcs - 1] == cells[ColRxDcs - 1];
    for (const ToneWord &word : ToneWords) {
        if (type == QLatin1String(word.type) && (!word.sameBothWays || same))
            return &word;
    }
    return nullptr;
}

std::array<QString, ListColumnCount> ListFields(int row, const ChannelTable &table, std::uint32_t hz,
                                                std::vector<RowNote> &warnings)
{
    const ChannelCells &cells = table.cells(row);
    auto cell = [&](int column) -> const QString & { return cells[static_cast<std::size_t>(column - 1)]; };
    auto warn = [&](ListColumn column, const QString &text, const QString &reason) {
        warnings.push_back(RowNote{0, QString::number(row - 1), row, ColumnName(column), text, reason});
    };
    std::array<QString, ListColumnCount> fields;
    fields[Location] = QString::number(row - 1);
    bool placeholder = false;
    fields[Name] = PlainName(cell(ColName), &placeholder);
    if (placeholder)
        warn(Name, cell(ColName),
             QStringLiteral("holds a radio code that is no character: written as \"?\""));
    fields[Frequency] = MhzText(hz);
    fields[Duplex] = ShiftCode(cell(ColShift)) == 0 ? QString() : ShiftText(ShiftCode(cell(ColShift)));
    fields[Offset] = MhzText(ParseFrequency(cell(ColShiftFreq)).value_or(0));

    const ToneWord *word = WordFor(cells);
    if (!word)
        warn(Tone, cell(ColSubtone),
             QStringLiteral("the list has no word for this sub-tone type: written "
                            "without a tone"));
    fields[Tone] = word ? QLatin1String(word->tone) : QString();
    fields[CrossMode] = word && *word->cross ? QLatin1String(word->cross) : DefaultCross;
    auto tone = [&](int column) { return CtcssNumber(cell(column)) ? cell(column).chopped(2) : QString(); };
    auto dcs = [&](int column) { return DcsIndex(cell(column)) != NotInTable ? cell(column) : QString(); };
    fields[RToneFreq] = tone(ColTxTone);
    fields[CToneFreq] = tone(ColRxTone);
    fields[DtcsCode] = dcs(ColTxDcs);
    fields[RxDtcsCode] = dcs(ColRxDcs);
    fields[DtcsPolarity] = QStringLiteral("NN");
    fields[Mode] = cell(ColMode) == QLatin1String("FM") ? QStringLiteral("FM") : QStringLiteral("NFM");
    const QString step = StepIndex(cell(ColStep)) != NotInTable ? cell(ColStep) : QString();
    fields[TStep] = step.isEmpty() ? QString() : QString::number(StepKhz(step), 'f', 2);
    fields[Skip] = SkipCode(cell(ColSkip)) ? QStringLiteral("S") : QString();
    fields[Comment] = table.label(row).trimmed();
    // Only the texts people write can hold a planted formula; "->Tone" and the like are the format's words.
    for (const ListColumn column : {Name, Comment}) {
        if (LooksLikeFormula(fields[column]))
            warn(column, fields[column], FormulaWarningText());
    }
    return fields;
}

} // namespace

QString ChannelListHeaderLine()
{
    QStringList names;
    for (const char *name : ColumnNames)
        names << QLatin1String(name);
    return names.join(QLatin1Char(','));
}

QByteArray ChannelListContent(const ChannelTable &table, std::vector<RowNote> *warnings, int *written,
                              const CsvProgress &progress)
{
    std::vector<RowNote> notes;
    int count = 0;
    QString text = ChannelListHeaderLine() + QStringLiteral("\r\n");
    if (progress)
        progress(0);
    for (int row = 1; row <= ChannelCount; ++row) {
        if (progress)
            progress(row);
        if (!table.used(row))
            continue;
        const auto hz = ParseFrequency(table.cell(row, ColFrequency));
        if (!hz) {
            notes.push_back(RowNote{0, QString::number(row - 1), row, ColumnName(Frequency),
                                    table.cell(row, ColFrequency),
                                    QStringLiteral("is no frequency: the row was not written")});
            continue;
        }
        QStringList line;
        for (const QString &field : ListFields(row, table, *hz, notes))
            line << CsvField(field);
        text += line.join(QLatin1Char(',')) + QStringLiteral("\r\n");
        ++count;
    }
    if (warnings)
        *warnings = std::move(notes);
    if (written)
        *written = count;
    return text.toUtf8();
}

ChannelListExport ExportChannelList(const QString &path, const ChannelTable &table,
                                    const CsvProgress &progress)
{
    ChannelListExport result;
    const QByteArray content = ChannelListContent(table, &result.warnings, &result.written, progress);
    result.status = SaveFileAtomically(path, content);
    return result;
}

ChannelListImport ImportChannelList(const QString &path, ChannelTable &table, int firstRow,
                                    const CsvProgress &progress)
{
    const Result<QByteArray> content = ReadFileBytes(path);
    if (!content)
        return {content.problem(), {}, {}, {}};
    return ImportChannelListContent(*content, table, firstRow, progress, path);
}

ChannelListImport ImportChannelListContent(const QByteArray &content, ChannelTable &table, int firstRow,
                                           const CsvProgress &progress, const QString &source)
{
    auto fail = [&](const Problem &problem) {
        return ChannelListImport{FileProblem(source, problem.why, problem.kind), {}, {}, {}};
    };
    const Result<QString> text = DecodeUtf8(content);
    if (!text)
        return fail(text.problem());
    const Result<std::vector<CsvRecord>> split = SplitCsvRecords(*text);
    if (!split)
        return fail(split.problem());
    const std::vector<CsvRecord> &records = *split;
    if (records.empty())
        return fail(
            Problem{QString(), QString(), QStringLiteral("it is empty"), false, ProblemKind::NotThisFormat});

    ColumnIndexes columns;
    columns.fill(-1);
    QStringList lacking;
    const QStringList &header = records.front().fields;
    for (int column = 0; column < ListColumnCount; ++column) {
        for (qsizetype at = header.size() - 1; at >= 0; --at) {
            if (header.at(at).trimmed().compare(QLatin1String(ColumnNames[column]), Qt::CaseInsensitive) == 0)
                columns[column] = at;
        }
        if (columns[column] < 0 && column < RequiredColumns)
            lacking << QLatin1String(ColumnNames[column]);
    }
    if (!lacking.isEmpty())
        return fail(Problem{QString(), QString(),
                            QStringLiteral("its first line is not a channel list's header: it lacks %1")
                                .arg(lacking.join(QStringLiteral(", "))),
                            false, ProblemKind::NotThisFormat});

    // Every line is read before the grid changes, so a list is never half imported.
    ChannelListImport result;
    std::vector<std::pair<int, ChannelCells>> filled;
    int target = NextTarget(std::max(firstRow, 1));
    for (std::size_t at = 1; at < records.size(); ++at) {
        LineReader in(records[at], columns);
        if (records[at].fields.size() != header.size()) {
            in.fault = in.note(0, QString(), QString(),
                               QStringLiteral("has %1 fields, the header %2")
                                   .arg(records[at].fields.size())
                                   .arg(header.size()));
        } else if (target > ChannelCount) {
            in.fault = in.note(
                0, QString(), QString(),
                QStringLiteral("no row is left for it: the list reaches past row %1").arg(ChannelCount));
        }
        ChannelCells cells;
        if (in.fault || !ReadChannel(in, target, cells)) {
            result.refused.push_back(*in.fault);
            continue;
        }
        result.warnings.insert(result.warnings.end(), in.warnings.begin(), in.warnings.end());
        filled.emplace_back(target, cells);
        result.rows.push_back(target);
        target = NextTarget(target + 1);
    }
    for (const auto &[row, cells] : filled) {
        if (progress)
            progress(row);
        table.setUsed(row, true);
        table.setCells(row, cells);
    }
    return result;
}

} // namespace n35
