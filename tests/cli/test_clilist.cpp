// hvn35 export/import --format chirp as its users run them: the built program in a process of its own.

#include "cli/commandline.h"
#include "files/imagefile.h"
#include "model/cloneimage.h"
#include "support/channelfixtures.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace n35;

namespace
{

struct Run {
    int status = -1;
    QStringList err;
};

Run Hvn35(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(N35_CLI_PATH), arguments);
    Run run;
    if (process.waitForFinished(60'000) && process.exitStatus() == QProcess::NormalExit) {
        run.status = process.exitCode();
        run.err = QString::fromUtf8(process.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    }
    return run;
}

} // namespace

class CliListTest : public QObject
{
    Q_OBJECT

    QTemporaryDir work;
    QString image;
    QString file(const char *name) const { return work.filePath(QLatin1String(name)); }

private slots:
    void initTestCase()
    {
        image = file("start.n35");
        QVERIFY(SaveImageFile(image, CloneImage(), 1));
    }

    void helpOfThreeLinesKeepsItsColumn()
    {
        const QStringList help = cli::CommandHelp(*cli::FindCommand("import")).split('\n');
        qsizetype at = 0;
        while (at < help.size() && !help.at(at).startsWith("  --format"))
            ++at;
        const QString indent(21, ' ');
        QCOMPARE(
            help.mid(at, 3),
            (QStringList{"  --format FORMAT    n35 (default): this program's CSV file, all 952 rows in grid "
                         "order; chirp: the",
                         indent + "channel list other radio programmers exchange (UTF-8, a line per used "
                                  "channel,",
                         indent + "frequencies in MHz)"}));
    }

    void refusedCommandLines_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("error");
        const QString sample = QStringLiteral(N35_TEST_DATA "/channel-list-sample.csv");
        const QStringList import{"import", sample, "--into", image, "-o", file("new.n35")};
        QTest::newRow("unknown format")
            << QStringList{"export", image, "--format", "xml", "-o", file("l.csv")} << 2
            << "--format is n35 or chirp, not \"xml\"";
        QTest::newRow("--at with n35")
            << import + QStringList{"--at", "5"} << 2
            << "--at is for --format chirp: this program's CSV file fills every row";
        for (const char *row : {"0", "953", "x"})
            QTest::addRow("--at %s", row)
                << import + QStringList{"--format", "chirp", "--at", row} << 2
                << QStringLiteral("--at ROW is a row from 1 to 952, not \"%1\"").arg(row);
        QTest::newRow("not a list")
            << QStringList{"import", "--format", "chirp", image, "--into", image, "-o", file("new.n35")} << 1
            << image + " is not a channel list: its first line is not a channel list's "
                       "header: it lacks Location, Name, Frequency, Duplex, Offset, Tone, "
                       "rToneFreq, cToneFreq, DtcsCode, DtcsPolarity, Mode, TStep, Skip";
    }

    void refusedCommandLines()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, error);
        const Run run = Hvn35(arguments);
        QCOMPARE(run.status, status);
        QCOMPARE(run.err, QStringList{"hvn35: error: " + error});
        QVERIFY(!QFileInfo::exists(file("new.n35")) && !QFileInfo::exists(file("l.csv")));
    }

    void exportThenImportAtARow()
    {
        CloneImage varied;
        testing::VaryImage(varied);
        varied.channels.setCell(3, ColSubtone, QStringLiteral("D/R"));
        QVERIFY(SaveImageFile(file("varied.n35"), varied, 1));
        Run run = Hvn35({"export", "--format", "chirp", file("varied.n35"), "-o", file("list.csv")});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err.size(), 1 + 293); // row 3, and "Train", "T/R", "-/R", "D/R" every 13 rows
        QCOMPARE(run.err.at(1), "hvn35: warning: " + file("list.csv") +
                                    ": row 3 (Location 2), Tone \"D/R\": the list has no word for this "
                                    "sub-tone type: written without a tone");

        run = Hvn35({"import", "--format", "chirp", "--at", "848", file("list.csv"), "--into", image, "-o",
                     file("new.n35")});
        QCOMPARE(run.status, 0);
        // Rows 848..850 and 853..952 are filled; the list's other 849 lines find no row.
        QCOMPARE(run.err.size(), 849 + 1);
        QCOMPARE(run.err.last(), "hvn35: note: " + file("list.csv") + ": 103 channels into rows 848 to 952");
        CloneImage imported;
        CloneImage saved; // names as a file gives them back, padded with spaces to 16 positions
        CloneImage start;
        QVERIFY(LoadImageFile(file("new.n35"), imported) && LoadImageFile(file("varied.n35"), saved) &&
                LoadImageFile(image, start));
        QVERIFY(imported.channels.cells(849) == saved.channels.cells(2));
        QVERIFY(imported.channels.cells(854) == saved.channels.cells(5));
        QVERIFY(imported.channels.cells(Call222Channel) == start.channels.cells(Call222Channel));
        QFile::remove(file("new.n35"));
    }
};

QTEST_GUILESS_MAIN(CliListTest)
#include "test_clilist.moc"
