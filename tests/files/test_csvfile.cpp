// The memory grid as a CSV file: the exact shape written, the checks an import makes and what they leave.

#include "files/csvfile.h"
#include "model/channelcells.h"
#include "model/channelcodec.h"
#include "model/textcodec.h"
#include "support/channelfixtures.h"

#include <QtTest>
#include <sys/stat.h>

using namespace n35;

namespace
{

const QByteArray Header = R"("","Freqency","mode","step","Subtone","Tx-tone","Rx-tone","Tx-DCS","Rx-DCS",)"
                          R"("Shift","Shift-Freq","Skip","Name","0")";

ChannelCells Cells(const QString &name, int column = 0, const QString &text = {})
{
    ChannelCells cells = CallChannelDefaults(QStringLiteral("223.00000MHz"));
    cells[ColName - 1] = name;
    if (column > 0)
        cells[column - 1] = text;
    return cells;
}

// A line as older files wrote it: every field quoted, a quote inside it not doubled.
QByteArray Line(int row, const ChannelCells &cells)
{
    QByteArray line = "\"L\"";
    for (const QString &cell : cells)
        line += ",\"" + Cp932Bytes(cell).value_or("?") + '"';
    return line + ",\"" + QByteArray::number(row) + '"';
}

QByteArray File(const QList<QByteArray> &lines)
{
    return lines.join("\r\n") + "\r\n";
}

struct Rig {
    QTemporaryDir dir;
    ChannelTable table;
    QString out = dir.filePath("out.csv");

    QList<QByteArray> exported()
    {
        QFile file(out);
        QList<QByteArray> lines =
            file.open(QIODevice::ReadOnly) ? file.readAll().split('\n') : QList{out.toUtf8()};
        lines.removeLast();
        for (QByteArray &line : lines)
            line = line.endsWith('\r') ? line.chopped(1) : "no CR";
        return lines;
    }
    // A null content writes no file.
    CsvImportResult import(const QByteArray &content, const QString &name = "in.csv")
    {
        QFile file(dir.filePath(name));
        if (!content.isNull() && (!file.open(QIODevice::WriteOnly) || file.write(content) < 0))
            return {
                Problem{QString(), name, QStringLiteral("cannot be written"), true, ProblemKind::Unreadable},
                {},
                0};
        file.close();
        return ImportCsv(file.fileName(), table);
    }
};

} // namespace

class CsvFileTest : public QObject
{
    Q_OBJECT

private slots:
    void exportWritesTheHeaderAndEveryRowAsCodePage932()
    {
        Rig rig;
        rig.table.setLabels({QStringLiteral("L1")});
        rig.table.setCell(1, ColName, QString::fromUtf8("東京タワー"));
        int reached = 0;
        QVERIFY(ExportCsv(rig.out, rig.table, [&](int row) { reached += row == reached ? 1 : 1000; }).ok());
        const QList<QByteArray> lines = rig.exported();
        QCOMPARE(lines.size(), 953);
        QCOMPARE(lines.at(0), Header);
        QCOMPARE(CsvHeaderLine().toLatin1(), Header);
        QCOMPARE(lines.at(1), QByteArray(R"("L1","","","","","","","","","","","",")"
                                         "\x93\x8C\x8B\x9E\x83\x5E\x83\x8F\x81\x5B"
                                         R"(","1")"));
        QCOMPARE(lines.at(851), QByteArray(R"("","222.00000MHz","FM","5KHz","None","88.5Hz","88.5Hz","023",)"
                                           R"("023","Off","0.00000MHz","","","851")"));
        QCOMPARE(reached, 953); // 0..952 in order
    }

    void exportThenImportKeepsTheGrid()
    {
        Rig rig;
        ChannelTable source;
        testing::FillVariedChannels(source, 1, ChannelCount); // every name form, kanji included
        QList<int> expectRefused;
        for (int row = 1; row <= ChannelCount; ++row) {
            if (row >= 700 && row < 710)
                source.clearRow(row);
            else if (row % 7 != 0) // the rest stays above 1000 MHz and is refused
                source.setCell(row, ColFrequency, FrequencyText(216'000'000u + quint32(row) * 12'500u));
            else
                expectRefused << row;
        }
        expectRefused.insert(expectRefused.indexOf(854), Call900Channel); // given a 222 MHz band frequency
        QVERIFY(ExportCsv(rig.out, source).ok());
        const CsvImportResult result = rig.import(File(rig.exported() << Line(954, Cells("AGAIN")))); // row 1
        QVERIFY(result.ok());
        QList<int> refused;
        for (const RowNote &refusal : result.refused)
            refused << refusal.row;
        QCOMPARE(refused, expectRefused);
        for (int row = 2; row <= ChannelCount; ++row) {
            const ChannelCells want = row == Call900Channel         ? CallChannelDefaults("902.00000MHz")
                                      : expectRefused.contains(row) ? ChannelCells{}
                                                                    : source.cells(row);
            QVERIFY2(rig.table.cells(row) == want && rig.table.used(row) == !want[0].isEmpty(),
                     qPrintable(QString::number(row)));
        }
        QVERIFY(rig.table.cells(1) == Cells("AGAIN"));
        QCOMPARE(result.rowsRead, ChannelCount);
    }

    // Every kind of character a name may hold comes back from the file as it went: ASCII with the CSV's own
    // quote and comma, half-width kana, kanji, NEC and IBM extensions, user-defined codes, glyphs.
    void namesSurviveARoundTrip()
    {
        const QStringList names{"A,B",
                                "Q\"T",
                                "\"",
                                "\",\"",
                                "\"\"",
                                ",",
                                "a b ,\"",
                                "\\1\\\\",
                                "\\8x",
                                QString::fromUtf8("ｱｲｳｴｵ"),
                                QString::fromUtf8("東京タワー"),
                                QString::fromUtf8("①Ⅹ㍉"),
                                QString::fromUtf8("纊褜"),
                                QString::fromUtf8("＼～∥－"),
                                QString(QChar(0xE000)) + QChar(0xE757)};
        Rig rig;
        ChannelTable source;
        for (int at = 0; at < names.size(); ++at)
            source.setCells(at + 1, Cells(names.at(at)));
        const CsvExportResult exported = ExportCsv(rig.out, source);
        QVERIFY(exported.ok());
        for (const RowNote &warning : exported.warnings)
            QFAIL(qPrintable(warning.describe()));
        const CsvImportResult result = rig.import(File(rig.exported()));
        QVERIFY(result.ok() && result.refused.empty());
        for (int at = 0; at < names.size(); ++at)
            QCOMPARE(rig.table.cell(at + 1, ColName), names.at(at));
    }

    void importChecksTheLineOfEachRow_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("column");     // 0: a line of other than 14 fields, which leaves its row
        QTest::addColumn<QString>("stored"); // null: the row is refused
        // clang-format off
        static const struct { int column; const char *text, *stored; } cases[] = {
            {ColFrequency, "1270.00000MHz", nullptr}, {ColFrequency, "250.00000MHz", nullptr},
            {ColFrequency, "22.123456MHz", nullptr}, {ColFrequency, "215.99999MHz", nullptr},
            {ColFrequency, "928.00000MHz", nullptr}, {ColFrequency, "222.12345mhz", nullptr},
            {ColFrequency, "222.123456MHz", nullptr}, {ColFrequency, "0222.1234MHz", nullptr},
            {ColFrequency, "222.12345MHz", "222.12345MHz"}, {ColFrequency, "249.99999MHz", "249.99999MHz"},
            {ColFrequency, "927.99999MHz", "927.99999MHz"}, {ColFrequency, "222.1    MHz", "222.10000MHz"},
            {ColMode, "", nullptr}, {ColMode, "AM", nullptr}, {ColMode, "NFM", "NFM"}, {ColStep, "7KHz", nullptr},
            {ColSubtone, "T/X", nullptr}, {ColTxTone, "", nullptr}, {ColRxTone, "250.3Hz", "250.3Hz"},
            {ColRxDcs, "024", nullptr}, {ColShift, "x", nullptr}, {ColShift, "-", "-"}, {ColShiftFreq, "", ""},
            {ColShiftFreq, "999.99999MHz", "999.99999MHz"}, {ColShiftFreq, "1000.00000MHz", nullptr},
            {ColShiftFreq, "abc", nullptr}, {ColSkip, "\u203B", "\u203B"}, {ColSkip, "*", "*"}, {ColSkip, "x", nullptr},
            // A quote or comma inside a quoted field is part of it, also as older files wrote it.
            {ColName, "A\"B", "A\"B"}, {ColName, "A,B", "A,B"}, {ColName, "=1+1", "=1+1"}};
        // clang-format on
        for (const auto &c : cases)
            QTest::addRow("%d %s", c.column, c.text)
                << Line(2, Cells("NEW", c.column, QString::fromUtf8(c.text))) << c.column
                << (c.stored ? QString::fromUtf8(c.stored) : QString());
        QByteArray good = Line(2, Cells("NEW"));
        QTest::newRow("quotes doubled")
            << QByteArray(good).replace("NEW", "Q\"\"T") << int(ColName) << "Q\"T";
        QTest::newRow("fields unquoted") << QByteArray(good).replace("\"", "") << int(ColName) << "NEW";
        QTest::newRow("13 fields") << good.left(good.lastIndexOf(',')) << 0 << QString();
        QTest::newRow("15 fields") << good + ",\"x\"" << 0 << QString();
        QTest::newRow("empty line") << QByteArray() << 0 << QString();
        // A byte that is no character, a tab or another control character: no export of ours holds one, and
        // the next export could not write it.
        for (const char *bad : {"\xFD", "A\tB", "\x01", "\x7F"})
            QTest::addRow("name byte %02X", uchar(bad[qstrlen(bad) > 1 ? 1 : 0]))
                << QByteArray(good).replace("NEW", bad) << int(ColName) << QString();
    }

    void importChecksTheLineOfEachRow()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, column);
        QFETCH(QString, stored);
        Rig rig;
        for (int row = 1; row <= 3; ++row)
            rig.table.setCells(row, Cells("OLD"));
        // The file ends after row 3: the rows read are checked all the same.
        const CsvImportResult result =
            rig.import(File({Header, Line(1, Cells("NEW")), line, Line(3, Cells("NEW"))}));
        QVERIFY(result.ok());
        QCOMPARE(result.rowsRead, 3);
        QCOMPARE(rig.table.cell(1, ColName) + rig.table.cell(3, ColName), QStringLiteral("NEWNEW"));
        if (column == 0)
            QCOMPARE(rig.table.cell(2, ColName), QStringLiteral("OLD"));
        else if (stored.isNull())
            QVERIFY(rig.table.cells(2) == ChannelCells{} && !rig.table.used(2));
        else
            QVERIFY(rig.table.cell(2, column) == stored && rig.table.used(2));
        if (!stored.isNull() && column != 0) {
            // What is kept is what the radio takes; only "*" skips (byte 19), a kept reference mark does not.
            const Result<QString> record = EncodeChannel(2, rig.table);
            QVERIFY(record.ok());
            if (column == ColSkip)
                QCOMPARE(record->mid(38, 2), QLatin1String(stored == QLatin1String("*") ? "01" : "00"));
        }
        QCOMPARE(int(result.refused.size()), stored.isNull() ? 1 : 0);
        if (stored.isNull()) {
            QCOMPARE(result.refused[0].row, 2);
            QCOMPARE(result.refused[0].column, column ? CellCaption(column) : QStringLiteral("the line"));
            QCOMPARE(result.refused[0].kept, column == 0);
        }
    }

    void refusedFilesChangeNothing()
    {
        using Kind = ProblemKind;
        const QByteArray rest = "\r\n" + Line(1, Cells("NEW")) + "\r\n";
        // clang-format off
        const struct { const char *name; QByteArray content; Kind kind; } cases[] = {
            {"in.txt", Header + rest, Kind::WrongName}, {"in.CSV", Header.chopped(4) + rest, Kind::NotThisFormat},
            {"in.csv", "", Kind::NotThisFormat}, {"missing.csv", {}, Kind::Unreadable},
            {"lf.Csv", QByteArray(Header + rest).replace("\r", ""), Kind::General},
            {"cr.csv", QByteArray(Header + rest).replace("\n", ""), Kind::General},
            {"utf16.csv", QByteArray(reinterpret_cast<const char *>(QString::fromLatin1(Header + rest).utf16()),
                                     (Header.size() + rest.size()) * 2), Kind::NotThisFormat},
            {"image.csv", "Save Date and Time 2024/01/01 00:00:00\r\nFile End\r\n", Kind::NotThisFormat},
            {"huge.csv", Header + rest + QByteArray(1 << 20, 'x'), Kind::Unreadable},
            {"folder.csv", "folder", Kind::Unreadable}, {"fifo.csv", "fifo", Kind::Unreadable}};
        // clang-format on
        for (const auto &c : cases) {
            Rig rig;
            rig.table.setCells(1, Cells("OLD"));
            QSignalSpy changes(&rig.table, &ChannelTable::changed);
            const QString path = rig.dir.filePath(c.name);
            if (c.content == "folder")
                QVERIFY(QDir().mkpath(path));
            // A pipe nobody writes to: reading it would wait for ever.
            if (c.content == "fifo")
                QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
            const bool special = c.content == "folder" || c.content == "fifo";
            const CsvImportResult result =
                special ? ImportCsv(path, rig.table) : rig.import(c.content, c.name);
            QVERIFY2(result.ok() == (c.kind == Kind::General) &&
                         (result.ok() || result.status.problem().kind == c.kind),
                     c.name);
            QCOMPARE(rig.table.cell(1, ColName), result.ok() ? QStringLiteral("NEW") : QStringLiteral("OLD"));
            QCOMPARE(changes.size(), result.ok() ? 1 : 0);
            // The file named as given, never recased; the reason short.
            if (!result.ok())
                QVERIFY2(result.status.problem().describe().startsWith(path + ": ") &&
                             result.status.problem().describe().size() < 400,
                         qPrintable(result.status.problem().describe()));
        }
    }

    void aLongLineIsQuotedShort()
    {
        Rig rig;
        const QByteArray line = Line(1, Cells(QString(500'000, QLatin1Char('N')))) + ",\"x\"";
        const CsvImportResult result = rig.import(File({Header, line}));
        QVERIFY(result.ok());
        QCOMPARE(int(result.refused.size()), 1);
        // Cut once, and said how long the line really is.
        const QString told = ListRefusals(result.refused);
        QVERIFY2(told.size() < 250 && told.contains(QStringLiteral("... (%1 characters)").arg(line.size())),
                 qPrintable(told));
        QCOMPARE(result.rowsRead, 1);
    }

    void callRowsKeepTheirContentsAndUnreadRowsAreChecked()
    {
        Rig rig;
        rig.table.setCells(900, Cells("BAD", ColMode, "AM"));
        rig.table.setCells(901, Cells("FINE"));
        QList<QByteArray> lines{Header};
        for (int row = 1; row < Call222Channel; ++row)
            lines << Line(row, ChannelCells{});
        ChannelCells noMode = Cells(QString(), ColMode, QString());
        noMode[ColFrequency - 1] = QStringLiteral("903.00000MHz");
        lines << Line(Call222Channel, Cells(QString(), ColFrequency, "902.00000MHz"))
              << Line(Call900Channel, noMode);
        const CsvImportResult result = rig.import(File(lines));
        QVERIFY(rig.table.cells(Call222Channel) == CallChannelDefaults("222.00000MHz"));
        QVERIFY(rig.table.cells(Call900Channel) == CallChannelDefaults("902.00000MHz"));
        QVERIFY(rig.table.used(Call222Channel) && rig.table.used(Call900Channel));
        QVERIFY(rig.table.cells(900) == ChannelCells{} && rig.table.cell(901, ColName) == "FINE");
        QCOMPARE(int(result.refused.size()), 3);
        const int rows[] = {Call222Channel, Call900Channel, 900};
        for (int i = 0; i < 3; ++i)
            QVERIFY(result.refused[i].row == rows[i] && result.refused[i].kept == (i < 2));
    }

    // A name the code page cannot carry costs its own characters, not the file; a cell that looks like a
    // formula goes out unchanged. Both are told, row by row.
    void exportWarnsOfWhatItCannotCarryOrMayRun()
    {
        const QString placeholder = QString::fromUcs4(U"\U000F0000", 1);
        // clang-format off
        const struct { QString name; QByteArray written; const char *why; } cases[] = {
            {"A" + placeholder, "A?", "holds radio code 0000, which is no character a CSV file can carry: written as"},
            {QStringLiteral("caf\u00E9"), "caf?", "\"\u00E9\" is no character of code page 932"},
            {"=HYPERLINK(\"x\")", "=HYPERLINK(\"\"x\"\")", "a spreadsheet may run this as a formula"},
            {"+1", "+1", "formula"}, {"-A", "-A", "formula"}, {"@SUM(A1)", "@SUM(A1)", "formula"},
            {"A-1", "A-1", nullptr}, {"-", "-", nullptr}};
        // clang-format on
        for (const auto &c : cases) {
            Rig rig;
            rig.table.setCells(5, Cells(c.name));
            const CsvExportResult result = ExportCsv(rig.out, rig.table);
            QVERIFY(result.ok());
            QCOMPARE(rig.exported().size(), 953);
            QVERIFY2(rig.exported().at(5).endsWith(",\"" + c.written + "\",\"5\""),
                     rig.exported().at(5).constData());
            QCOMPARE(int(result.warnings.size()), c.why ? 1 : 0);
            if (c.why) {
                QCOMPARE(result.warnings[0].row, 5);
                QCOMPARE(result.warnings[0].column, CellCaption(ColName));
                QVERIFY2(result.warnings[0].reason.contains(QString::fromUtf8(c.why)),
                         qPrintable(result.warnings[0].describe()));
            }
        }
    }
};

QTEST_GUILESS_MAIN(CsvFileTest)
#include "test_csvfile.moc"
