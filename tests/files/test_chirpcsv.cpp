// The channel list of other radio programmers: the hand-written sample read row by row, the export's exact
// words for each sub-tone type, a full grid there and back, and files that must change nothing.

#include "files/chirpcsv.h"
#include "model/channelcells.h"
#include "support/channelfixtures.h"

#include <QtTest>

using namespace n35;

namespace
{

const QString Sample = QStringLiteral(N35_TEST_DATA "/channel-list-sample.csv");

// The row texts, in grid order.
ChannelCells Row(const char *frequency, const char *mode, const char *step, const char *type,
                 const char *tones, const char *shift, const char *offset, const char *skip, const char *name)
{
    const QStringList t = QString::fromLatin1(tones).split(QLatin1Char(' '));
    const QString name8 = QString::fromUtf8(name);
    return {frequency, mode, step, type, t[0], t[1], t[2], t[3], shift, offset, skip, name8};
}

QStringList Notes(const std::vector<RowNote> &notes)
{
    QStringList lines;
    for (const RowNote &note : notes)
        lines << note.describe();
    return lines;
}

QByteArray Exported(const ChannelTable &table, QStringList *warnings = nullptr)
{
    std::vector<RowNote> notes;
    const QByteArray content = ChannelListContent(table, &notes);
    if (warnings)
        *warnings = Notes(notes);
    return content;
}

} // namespace

class ChirpCsvTest : public QObject
{
    Q_OBJECT

private slots:
    void sampleGivesExactlyItsGoodLines()
    {
        // clang-format off
        const ChannelCells expected[] = {
            Row("223.94000MHz", "FM", "20KHz", "T/-", "100.0Hz 88.5Hz 023 023", "-", "1.60000MHz", "", "RPT 222 EAST"),
            Row("224.50000MHz", "FM", "12.5KHz", "T/T", "131.8Hz 131.8Hz 023 023", "-", "1.60000MHz", "*", "TSQL 224"),
            Row("927.12500MHz", "NFM", "12.5KHz", "D/D", "67.0Hz 88.5Hz 411 411", "-", "25.00000MHz", "", "DCS 927"),
            Row("223.78000MHz", "FM", "5KHz", "T/D", "110.9Hz 88.5Hz 023 754", "-", "1.60000MHz", "", "Cross, T->D"),
            Row("919.00000MHz", "FM", "25KHz", "T/-", "151.4Hz 88.5Hz 023 023", "+", "12.00000MHz", "", "A very long repe"),
            Row("902.25000MHz", "NFM", "12.5KHz", "-/T", "88.5Hz 123.0Hz 023 023", "Off", "0.00000MHz", "", "Quote \"Q\""),
            Row("926.00000MHz", "NFM", "12.5KHz", "D/T", "88.5Hz 250.3Hz 025 023", "-", "25.00000MHz", "", "D->T 926"),
            Row("224.00000MHz", "FM", "5KHz", "None", "88.5Hz 88.5Hz 023 023", "Off", "0.00000MHz", "*", "\\1Glyph\\\\"),
            Row("903.00000MHz", "NFM", "6.25KHz", "D/D", "88.5Hz 88.5Hz 023 754", "Off", "0.00000MHz", "", "D->D split codes"),
            Row("223.02000MHz", "FM", "10KHz", "T/T", "100.0Hz 123.0Hz 023 023", "-", "1.60000MHz", "", "T->T 223"),
            Row("903.75000MHz", "NFM", "8.33KHz", "D/-", "88.5Hz 88.5Hz 065 023", "Off", "0.00000MHz", "", "D-> rx reversed"),
        };
        // clang-format on
        ChannelTable table;
        table.setCells(13, CallChannelDefaults(QStringLiteral("222.00000MHz")));
        const ChannelListImport result = ImportChannelList(Sample, table);
        QVERIFY(result.ok());
        QCOMPARE(result.rows, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
        for (int row = 1; row <= 11; ++row)
            QVERIFY2(table.cells(row) == expected[row - 1] && table.used(row),
                     qPrintable(QStringList(table.cells(row).begin(), table.cells(row).end()).join('|')));
        QCOMPARE(table.cell(13, ColFrequency), QStringLiteral("222.00000MHz")); // past the list: untouched
        QCOMPARE(
            Notes(result.refused),
            (QStringList{
                "line 6 (Location 4), Duplex \"split\": cannot be stored: the radio transmits on the receive "
                "frequency or at an offset from it, never on one of its own",
                "line 7 (Location 5), Mode \"AM\": cannot be stored: the radio stores FM or NFM only",
                "line 8 (Location 6), Frequency \"146.520000\": \"146.52000MHz\" lies outside 216-250 MHz "
                "and 902-928 MHz",
                "line 11 (Location 9), DtcsPolarity \"RN\": is reversed polarity: the radio sends and "
                "receives DCS codes with normal polarity only",
                "line 13 (Location 11), rToneFreq \"88.6\": is not a CTCSS tone the radio has",
                "line 14 (Location 12), TStep \"7.00\": is not a step the radio has (kHz)",
                "line 16 (Location 14), DtcsCode \"024\": is not a DCS code the radio has",
                "line 21 (Location 19), Mode \"DV\": cannot be stored: the radio stores FM or NFM only",
                // A name is refused rather than saved with "?" for a character the radio lacks.
                "line 22 (Location 20), Name \"Two lines\": holds \"U+000A\", which the radio cannot store",
                "line 24 (Location 21), Mode \"WFM\": cannot be stored: the radio stores FM or NFM only"}));
        QCOMPARE(Notes(result.warnings),
                 (QStringList{
                     "line 9 (Location 7, row 5), Name \"A very long repeater name\": longer than 16 "
                     "positions: shortened to \"A very long repe\"",
                     "line 12 (Location 10, row 6), Duplex \"off\": the radio cannot switch transmit off: "
                     "the channel was imported as simplex and can transmit"}));
    }

    void rowsFollowTheFirstRowAndPassTheCallChannels_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<std::vector<int>>("rows");
        QTest::addColumn<int>("refused");
        QTest::newRow("1") << 1 << std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11} << 10;
        QTest::newRow("849") << 849 << std::vector<int>{849, 850, 853, 854, 855, 856, 857, 858, 859, 860, 861}
                             << 10;
        QTest::newRow("851") << 851 << std::vector<int>{853, 854, 855, 856, 857, 858, 859, 860, 861, 862, 863}
                             << 10;
        QTest::newRow("950") << 950 << std::vector<int>{950, 951, 952} << 18;
    }

    void rowsFollowTheFirstRowAndPassTheCallChannels()
    {
        QFETCH(int, first);
        QFETCH(std::vector<int>, rows);
        QFETCH(int, refused);
        ChannelTable table;
        const ChannelCells call = table.cells(Call222Channel);
        const ChannelListImport result = ImportChannelList(Sample, table, first);
        QCOMPARE(result.rows, rows);
        QCOMPARE(int(result.refused.size()), refused);
        QCOMPARE(table.cell(rows.back(), ColName),
                 rows.size() == 3 ? QStringLiteral("DCS 927") : QStringLiteral("D-> rx reversed"));
        QVERIFY(table.cells(Call222Channel) == call);
        if (refused > 10)
            QCOMPARE(result.refused.back().describe(),
                     "line 24 (Location 21): no row is left for it: the list reaches past row 952");
    }

    void exportSpellsEachSubToneType()
    {
        ChannelTable table;
        table.setCells(1, Row("223.50000MHz", "FM", "8.33KHz", "T/T", "67.0Hz 250.3Hz 023 754", "-",
                              "1.60000MHz", "*", "A,\"\\1\\\\"));
        table.setLabels({QStringLiteral("Bank00-000")});
        table.setUsed(1, true);
        QCOMPARE(Exported(table).split('\n').mid(0, 2),
                 (QList<QByteArray>{
                     ChannelListHeaderLine().toLatin1() + '\r',
                     "0,\"A,\"\"\xE2\x91\xA0\\\",223.500000,-,1.600000,Cross,67.0,250.3,023,NN,FM,8.33,S,"
                     "Bank00-000,,,,754,Tone->Tone\r"}));
        // Tone and CrossMode for each type, with the two tones or codes the same and not.
        const QStringList words[] = {
            {"None", ",Tone->Tone", ",Tone->Tone"},          {"T/-", "Tone,Tone->Tone", "Tone,Tone->Tone"},
            {"T/T", "TSQL,Tone->Tone", "Cross,Tone->Tone"},  {"D/D", "DTCS,Tone->Tone", "Cross,DTCS->DTCS"},
            {"T/D", "Cross,Tone->DTCS", "Cross,Tone->DTCS"}, {"-/D", "Cross,->DTCS", "Cross,->DTCS"},
            {"D/T", "Cross,DTCS->Tone", "Cross,DTCS->Tone"}, {"-/T", "Cross,->Tone", "Cross,->Tone"},
            {"D/-", "Cross,DTCS->", "Cross,DTCS->"},         {"T/R", ",Tone->Tone", ",Tone->Tone"}};
        for (const QStringList &word : words) {
            for (const bool same : {true, false}) {
                table.setCells(1, Row("223.50000MHz", "FM", "5KHz", qPrintable(word[0]),
                                      same ? "88.5Hz 88.5Hz 023 023" : "88.5Hz 100.0Hz 023 025", "Off",
                                      "0.00000MHz", "", ""));
                QStringList warnings;
                const QList<QByteArray> fields = Exported(table, &warnings).split('\n').at(1).split(',');
                QCOMPARE(fields.at(5) + ',' + fields.at(18).trimmed(), word[same ? 1 : 2].toLatin1());
                QCOMPARE(warnings, word[0] == "T/R"
                                       ? QStringList{"row 1 (Location 0), Tone \"T/R\": the list has "
                                                     "no word for this sub-tone type: written without "
                                                     "a tone"}
                                       : QStringList{});
            }
        }
        // A name a spreadsheet would run goes out as it is, and is told.
        table.setCell(1, ColName, QStringLiteral("=cmd|x"));
        QStringList warnings;
        QVERIFY(Exported(table, &warnings).contains(",=cmd|x,"));
        QCOMPARE(warnings.value(1),
                 "row 1 (Location 0), Name \"=cmd|x\": a spreadsheet may run this as a formula");
    }

    void fullGridThereAndBack()
    {
        ChannelTable source;
        testing::FillVariedChannels(source, 1, ChannelCount);
        for (int row = 1; row <= ChannelCount; ++row)
            source.setCell(row, ColFrequency,
                           FrequencyText((row % 7 ? 216'000'000U : 902'000'000U) + quint32(row) * 12'500U));
        source.clearRow(Call222Channel); // not written, so every line lands on the row it came from
        source.clearRow(Call900Channel);
        std::vector<RowNote> warnings;
        const QByteArray content = ChannelListContent(source, &warnings);
        ChannelTable imported;
        const ChannelListImport result = ImportChannelListContent(content, imported);
        QVERIFY(result.ok() && result.refused.empty() && result.warnings.empty());
        QCOMPARE(int(result.rows.size()), ChannelCount - 2);
        const QStringList untold{"Train", "T/R", "-/R", "D/R"}; // no word in the list: read back as "None"
        std::vector<int> warned;
        for (int row = 1; row <= ChannelCount; ++row) {
            if (IsCallChannel(row))
                continue;
            ChannelCells want = source.cells(row);
            if (untold.contains(want[ColSubtone - 1])) {
                want[ColSubtone - 1] = QStringLiteral("None");
                warned.push_back(row);
            }
            QVERIFY2(imported.cells(row) == want, qPrintable(QString::number(row)));
        }
        QCOMPARE(int(warnings.size()), int(warned.size()));
        for (std::size_t at = 0; at < warned.size(); ++at)
            QVERIFY(warnings[at].row == warned[at] && warnings[at].column == "Tone");
    }

    void filesItCannotTakeChangeNothing()
    {
        using Kind = ProblemKind;
        const QByteArray header = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                                  "DtcsPolarity,Mode,TStep,Skip\n";
        const QByteArray line = "0,A,223.5,,,Cross,100,123,,,FM,5,\n"; // no CrossMode: "Tone->Tone"
        const struct {
            QByteArray content;
            Kind kind;
            const char *why;
        } cases[] = {
            {header + line, Kind::General, ""},
            {QByteArray(header).replace("Skip", "Skipped") + line, Kind::NotThisFormat, "it lacks Skip"},
            {"", Kind::NotThisFormat, "it is empty"},
            {header + "0,\"A,223.5,,,,,,,,FM,5,\n", Kind::Unreadable,
             "the quote opened on line 2 is never closed"},
            {header + line + "1,caf\xE9,223.5,,,,,,,,FM,5,\n", Kind::Unreadable, "line 3 is not UTF-8 text"},
        };
        for (const auto &c : cases) {
            ChannelTable table;
            QSignalSpy changes(&table, &ChannelTable::changed);
            const ChannelListImport result = ImportChannelListContent(c.content, table, 1, {}, "in.csv");
            QCOMPARE(result.ok() ? Kind::General : result.status.problem().kind, c.kind);
            const QString why = result.ok() ? QString() : result.status.problem().why;
            QVERIFY2(!*c.why || why.endsWith(QLatin1String(c.why)), qPrintable(why));
            QCOMPARE(changes.size(), result.ok() ? 1 : 0);
            if (result.ok())
                QCOMPARE(table.cells(1)[ColSubtone - 1] + table.cell(1, ColTxTone) + table.cell(1, ColRxTone),
                         QStringLiteral("T/T100.0Hz123.0Hz"));
        }
    }
};

QTEST_GUILESS_MAIN(ChirpCsvTest)
#include "test_chirpcsv.moc"
