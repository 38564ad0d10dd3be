// hvn35 as its users run it: the built program in a process of its own, against the emulator on a pty, and
// the channel lists of other programs (--format chirp).

#include "emulator/emulatorprocess.h"
#include "files/imagefile.h"
#include "model/channelcells.h"
#include "model/cloneimage.h"
#include "model/imagediff.h"
#include "support/channelfixtures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace n35;

namespace
{

const QString Program = QStringLiteral(N35_CLI_PATH);

struct Run {
    int status = -1;
    QString out;
    QString err;
    qint64 ms = 0;

    QStringList outLines() const { return out.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }
    QStringList errLines() const { return err.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }
    QString what() const { return QStringLiteral("status %1\nout: %2\nerr: %3").arg(status).arg(out, err); }
};

// A run that must end with this status and nothing on standard error.
#define QVERIFY_RUN(expression, code)                                                                        \
    do {                                                                                                     \
        const Run checked = (expression);                                                                    \
        QVERIFY2(checked.status == (code) && checked.err.isEmpty(), qPrintable(checked.what()));             \
    } while (false)

// Every test's program sees a configuration folder of its own: no port links of the machine's user.
QTemporaryDir &ConfigHome()
{
    static QTemporaryDir dir;
    return dir;
}

Run Hvn35(const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), ConfigHome().path());
    process.setProcessEnvironment(environment);
    QElapsedTimer clock;
    clock.start();
    process.start(Program, arguments);
    Run run;
    if (!process.waitForFinished(120'000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.ms = clock.elapsed();
    run.status = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QString PortLink(int number)
{
    return ConfigHome().path() + QStringLiteral("/HVN35Writer/ports/com%1").arg(number);
}

// Binds a device as COMn in the configuration folder, as a user does with a cable.
bool LinkPort(int number, const QString &device)
{
    QFile::remove(PortLink(number));
    return QDir().mkpath(QFileInfo(PortLink(number)).path()) && QFile::link(device, PortLink(number));
}

// A radio with valid settings, on a pty; `erased`: every byte 0xFF, settings too.
std::unique_ptr<n35emu::EmulatorProcess> StartRadio(const QString &folder, QStringList arguments = {},
                                                    bool erased = false)
{
    QByteArray memory(0x10000, char(0xFF));
    if (!erased)
        testing::PrimeSettings(memory);
    QFile file(QDir(folder).filePath(QStringLiteral("radio-start.bin")));
    if (!file.open(QIODevice::WriteOnly) || file.write(memory) != memory.size())
        return nullptr;
    file.close();
    auto radio =
        std::make_unique<n35emu::EmulatorProcess>(arguments << QStringLiteral("--load") << file.fileName());
    QString error;
    if (!radio->start(&error)) {
        qWarning("%s", qPrintable(error));
        return nullptr;
    }
    return radio;
}

// The differences between two image files, or what kept one from loading.
QStringList Differences(const QString &expectedPath, const QString &actualPath)
{
    CloneImage expected;
    CloneImage actual;
    if (!LoadImageFile(expectedPath, expected) || !LoadImageFile(actualPath, actual))
        return {QStringLiteral("cannot load ") + expectedPath + QStringLiteral(" or ") + actualPath};
    QStringList lines;
    for (const ImageDifference &difference : CompareImages(expected, actual))
        lines << difference.describe();
    return lines;
}

// Replaces field `field` (0 = row label) of CSV row `row`; fields are quoted and never hold '","'.
bool EditCsv(const QString &path, int row, int field, const QByteArray &text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    QList<QByteArray> fields = lines[row].split(',');
    if (fields.size() != 14)
        return false;
    fields[field] = '"' + text + '"';
    lines[row] = fields.join(',');
    return file.open(QIODevice::WriteOnly) && file.write(lines.join('\n')) > 0;
}

// Saves the varied image of the fixtures.
bool SaveVaried(const QString &path)
{
    CloneImage image;
    testing::VaryImage(image);
    return SaveImageFile(path, image, 1);
}

} // namespace

class CliTest : public QObject
{
    Q_OBJECT

    QTemporaryDir work;
    QString defaultImage;

private slots:
    void initTestCase()
    {
        QVERIFY(QFileInfo(Program).isExecutable());
        QVERIFY(ConfigHome().isValid() && work.isValid());
        defaultImage = work.filePath(QStringLiteral("default.n35"));
        QVERIFY(SaveImageFile(defaultImage, CloneImage(), 1));
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("line");
        auto row = [](const char *name, const QStringList &arguments, const char *line) {
            QTest::newRow(name) << arguments << QStringLiteral("hvn35: error: ") + QString::fromLatin1(line);
        };
        row("no command", {}, "no command given (see \"hvn35 --help\")");
        row("unknown command", {"frob"}, "unknown command \"frob\" (see \"hvn35 --help\")");
        row("missing output", {"read", "--port", "COM1"},
            "--output FILE is missing (see \"hvn35 read --help\")");
        row("missing file", {"write", "--no-backup"}, "FILE is missing (see \"hvn35 write --help\")");
        row("unknown option", {"verify", "--fast", "a.n35"},
            "unknown option --fast (see \"hvn35 verify --help\")");
        row("stray argument", {"show", "a.n35", "b.n35"},
            "unexpected argument \"b.n35\" (see \"hvn35 show --help\")");
        row("COM17", {"read", "--port", "COM17", "-o", "x.n35"}, "--port: COM17 is not one of COM1..COM16");
        row("COM0 on write", {"write", "--port", "com0", "x.n35"}, "--port: com0 is not one of COM1..COM16");
        row("read into a non-image name", {"read", "--port", "COM1", "-o", "x.bin"},
            "x.bin: the clone image file's name must end in .N35");
        row("export to a non-CSV name", {"export", "a.n35", "-o", "a.txt"},
            "a.txt: the CSV file's name must end in .csv");
        row("import to a non-image name", {"import", "a.csv", "--into", "a.n35", "-o", "b.txt"},
            "b.txt: the clone image file's name must end in .N35");
        // Channel lists of other programs.
        const QString sample = QStringLiteral(N35_TEST_DATA "/channel-list-sample.csv");
        const QStringList import{"import", sample, "--into", defaultImage, "-o", work.filePath("new.n35")};
        QTest::newRow("unknown format")
            << QStringList{"export", defaultImage, "--format", "xml", "-o", work.filePath("l.csv")}
            << "hvn35: error: --format is n35 or chirp, not \"xml\"";
        QTest::newRow("--at with n35")
            << import + QStringList{"--at", "5"}
            << "hvn35: error: --at is for --format chirp: this program's CSV file fills every row";
        for (const char *at : {"0", "953", "x"})
            QTest::addRow("--at %s", at)
                << import + QStringList{"--format", "chirp", "--at", at}
                << QStringLiteral("hvn35: error: --at ROW is a row from 1 to 952, not \"%1\"").arg(at);
    }
    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, line);
        const Run run = Hvn35(arguments);
        QVERIFY2(run.status == 2, qPrintable(run.what()));
        QCOMPARE(run.out, QString());
        QCOMPARE(run.err, line + QLatin1Char('\n'));
        QVERIFY(!QFileInfo::exists(work.filePath("new.n35")) && !QFileInfo::exists(work.filePath("l.csv")));
    }

    void help_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("usage");
        const QString import = "Usage: hvn35 import --into FILE -o FILE [--format FORMAT] [--at ROW] CSV";
        QTest::newRow("general") << QStringList{"--help"} << "Usage: hvn35 COMMAND [OPTIONS]";
        QTest::newRow("help word") << QStringList{"help", "import"} << import;
        QTest::newRow("ports") << QStringList{"ports", "--help"} << "Usage: hvn35 ports";
        QTest::newRow("read") << QStringList{"read", "-h"} << "Usage: hvn35 read [--port PORT] -o FILE";
        QTest::newRow("write")
            << QStringList{"write", "--help"}
            << "Usage: hvn35 write [--port PORT] [--no-backup] [--backup-dir DIR] [--verify] FILE";
        QTest::newRow("verify") << QStringList{"verify", "--help"}
                                << "Usage: hvn35 verify [--port PORT] FILE";
        QTest::newRow("export") << QStringList{"export", "--help"}
                                << "Usage: hvn35 export -o CSV [--format FORMAT] FILE";
        QTest::newRow("import") << QStringList{"import", "--help"} << import;
        QTest::newRow("show") << QStringList{"show", "--help"} << "Usage: hvn35 show FILE";
        QTest::newRow("help beside a mistake")
            << QStringList{"show", "--frob", "--help"} << "Usage: hvn35 show FILE";
    }
    void help()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, usage);
        const Run run = Hvn35(arguments);
        QVERIFY_RUN(run, 0);
        QCOMPARE(run.outLines().value(0), usage);
        QVERIFY(run.out.endsWith(QLatin1Char('\n')) && !run.out.endsWith(QStringLiteral("\n\n")));
        QVERIFY(run.out.contains(QStringLiteral("--help")));
    }

    void portsListsEveryNumber()
    {
        QVERIFY(LinkPort(3, QStringLiteral("/dev/hvn35-test-cable")));
        QVERIFY(LinkPort(12, QStringLiteral("/dev/hvn35-other-cable")));
        const Run run = Hvn35({QStringLiteral("ports")});
        QFile::remove(PortLink(3));
        QFile::remove(PortLink(12));
        QVERIFY_RUN(run, 0);
        const QStringList lines = run.outLines();
        QCOMPARE(lines.size(), 16);
        for (int n = 1; n <= 16; ++n)
            QVERIFY2(lines.at(n - 1).startsWith(QStringLiteral("COM%1 ").arg(n)),
                     qPrintable(lines.at(n - 1)));
        QVERIFY2(lines.at(2).startsWith(QStringLiteral("COM3  /dev/hvn35-test-cable")),
                 qPrintable(lines.at(2)));
        QVERIFY2(lines.at(11).startsWith(QStringLiteral("COM12 /dev/hvn35-other-cable")),
                 qPrintable(lines.at(11)));
        // Exactly one number is the default, the window's.
        QCOMPARE(lines.filter(QStringLiteral("(the window's port, the default)")).size(), 1);
    }

    void fileErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("line");
        const QString missing = work.filePath(QStringLiteral("missing.n35"));
        const QString bad = work.filePath(QStringLiteral("bad.n35"));
        const QString notCsv = work.filePath(QStringLiteral("list.csv"));
        const QString noFolder = work.filePath(QStringLiteral("no/such/folder/list.csv"));
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("HV-N35\r\nBK2:00\r\nFile End\r\n") > 0);
        file.close();
        QFile csv(notCsv);
        QVERIFY(csv.open(QIODevice::WriteOnly) && csv.write("a,b\r\n") > 0);
        csv.close();

        QTest::newRow("missing image")
            << QStringList{"show", missing} << QStringLiteral("%1: No such file or directory").arg(missing);
        QTest::newRow("not an image name")
            << QStringList{"show", "radio.bin"}
            << QStringLiteral("radio.bin: This File couldn't be opened. Its name must end in .N35.");
        QTest::newRow("bad line") << QStringList{"verify", "--port", "COM1", bad}
                                  << QStringLiteral("%1 is not a clone image file it can load: ").arg(bad);
        QTest::newRow("not a CSV file")
            << QStringList{"import", notCsv, "--into", defaultImage, "-o", missing}
            << QStringLiteral("%1: CSV File Error: ").arg(notCsv);
        QTest::newRow("missing CSV file")
            << QStringList{"import", noFolder, "--into", defaultImage, "-o", missing}
            << QStringLiteral("%1 couldn't be opened: ").arg(noFolder);
        QTest::newRow("export into no folder") << QStringList{"export", defaultImage, "-o", noFolder}
                                               << QStringLiteral("%1 could not be saved: ").arg(noFolder);
        QTest::newRow("not a channel list")
            << QStringList{"import", "--format", "chirp", defaultImage, "--into", defaultImage, "-o", missing}
            << defaultImage +
                   " is not a channel list: its first line is not a channel list's header: it lacks "
                   "Location, Name, Frequency, Duplex, Offset, Tone, rToneFreq, cToneFreq, DtcsCode, "
                   "DtcsPolarity, Mode, TStep, Skip\n";
    }
    void fileErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, line);
        const Run run = Hvn35(arguments);
        QVERIFY2(run.status == 1, qPrintable(run.what()));
        QCOMPARE(run.out, QString());
        QCOMPARE(run.errLines().size(), 1);
        QVERIFY2(run.err.startsWith(QStringLiteral("hvn35: error: ") + line), qPrintable(run.err));
        // Nothing is left behind by a failed command.
        QVERIFY(!QFileInfo::exists(work.filePath(QStringLiteral("missing.n35"))));
    }

    // The summary itself is pinned by test_cliunits; here the file it reads and the text it prints.
    void showSummarisesAFile()
    {
        const QString path = work.filePath(QStringLiteral("show.N35"));
        QVERIFY(SaveVaried(path));
        const Run run = Hvn35({QStringLiteral("show"), path});
        QVERIFY_RUN(run, 0);
        const QStringList lines = run.outLines();
        QCOMPARE(
            lines.mid(0, 7),
            (QStringList{"Banks: 3 of 50 hold channels, 500 channels in all", "  bank  0: 120 channels",
                         "  bank  9: 300 channels", "  bank 49:  80 channels", "Channels: 952 of 952 used",
                         "  Bank00-000   216.01250MHz  REPEATER", "  Bank00-001   216.02500MHz  A\\1B\\8"}));
        QVERIFY(lines.contains(QString::fromUtf8("  Bank00-003   216.05000MHz  東京タワー")));
        QVERIFY2(lines.contains(QStringLiteral("Title: \"\\1 RADIO \\\\\" (slide)")), qPrintable(run.out));
    }

    void importTellsEachRefusedRow()
    {
        const QString original = work.filePath(QStringLiteral("refusals.n35"));
        const QString csv = work.filePath(QStringLiteral("refusals.csv"));
        const QString result = work.filePath(QStringLiteral("refusals-new.N35"));
        QVERIFY(SaveVaried(original));
        QCOMPARE(Hvn35({QStringLiteral("export"), original, QStringLiteral("-o"), csv}).status, 0);
        QVERIFY(EditCsv(csv, 3, 2, "XX"));           // row 3: a mode the radio does not know
        QVERIFY(EditCsv(csv, 5, 1, "145.00000MHz")); // row 5: outside the radio's bands
        QVERIFY(EditCsv(csv, 7, 1, "220.00000MHz")); // row 7: a good change
        const Run run = Hvn35({"import", csv, "--into", original, "-o", result});
        QVERIFY2(run.status == 0, qPrintable(run.what()));
        QCOMPARE(run.out, QString());
        // Every refused row, each once, in whatever order the import checked them.
        QStringList warnings = run.errLines();
        warnings.sort();
        const QString prefix = QStringLiteral("hvn35: warning: %1: ").arg(csv);
        QCOMPARE(warnings,
                 (QStringList{prefix + "row 3, the mode \"XX\": \"XX\" cannot be stored: the radio "
                                       "stores FM or NFM only (the row was emptied)",
                              prefix + "row 5, the frequency \"145.00000MHz\": \"145.00000MHz\" lies "
                                       "outside 216-250 MHz and 902-928 MHz (the row was emptied)"}));

        const QStringList differences = Differences(original, result);
        QCOMPARE(differences.size(), 3);
        QVERIFY2(differences.at(0).startsWith(QStringLiteral("channels, channel 3 (Bank00-002): ")) &&
                     differences.at(0).endsWith(QStringLiteral("-> empty")),
                 qPrintable(differences.at(0)));
        QVERIFY(differences.at(1).startsWith(QStringLiteral("channels, channel 5 (Bank00-004): ")));
        QVERIFY2(differences.at(2).contains(QStringLiteral("-> 220.00000MHz")),
                 qPrintable(differences.at(2)));
    }

    void chirpExportThenImportAtARow()
    {
        CloneImage varied;
        testing::VaryImage(varied);
        varied.channels.setCell(3, ColSubtone, QStringLiteral("D/R"));
        const QString image = work.filePath("chirp.n35");
        const QString list = work.filePath("chirp.csv");
        const QString result = work.filePath("chirp-new.n35");
        QVERIFY(SaveImageFile(image, varied, 1));
        Run run = Hvn35({"export", "--format", "chirp", image, "-o", list});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.errLines().size(), 1 + 293); // row 3, and "Train", "T/R", "-/R", "D/R" every 13 rows
        QCOMPARE(run.errLines().at(1),
                 "hvn35: warning: " + list +
                     ": row 3 (Location 2), Tone \"D/R\": the list has no word for this "
                     "sub-tone type: written without a tone");

        run =
            Hvn35({"import", "--format", "chirp", "--at", "848", list, "--into", defaultImage, "-o", result});
        QCOMPARE(run.status, 0);
        // Rows 848..850 and 853..952 are filled; the list's other 849 lines find no row.
        QCOMPARE(run.errLines().size(), 849 + 1);
        QCOMPARE(run.errLines().last(), "hvn35: note: " + list + ": 103 channels into rows 848 to 952");
        CloneImage imported;
        CloneImage saved; // names as a file gives them back, padded with spaces to 16 positions
        CloneImage start;
        QVERIFY(LoadImageFile(result, imported) && LoadImageFile(image, saved) &&
                LoadImageFile(defaultImage, start));
        QVERIFY(imported.channels.cells(849) == saved.channels.cells(2));
        QVERIFY(imported.channels.cells(854) == saved.channels.cells(5));
        QVERIFY(imported.channels.cells(Call222Channel) == start.channels.cells(Call222Channel));
    }

    void roundTripThroughTheRadio()
    {
        QTemporaryDir dir;
        auto radio = StartRadio(dir.path());
        QVERIFY(radio);
        const QString device = radio->devicePath();
        auto file = [&](const char *name) { return dir.filePath(QString::fromLatin1(name)); };

        QVERIFY(SaveVaried(file("varied.N35")));
        Run run = Hvn35({"write", "--port", device, "--no-backup", file("varied.N35")});
        QVERIFY_RUN(run, 0);
        QCOMPARE(run.outLines(),
                 QStringList{QStringLiteral("wrote %1 to the radio").arg(file("varied.N35"))});

        // Read through a COM number, as the window would.
        QVERIFY(LinkPort(7, device));
        run = Hvn35({"read", "--port", "COM7", "-o", file("read.n35")});
        QFile::remove(PortLink(7));
        QVERIFY_RUN(run, 0);
        QCOMPARE(Differences(file("varied.N35"), file("read.n35")), QStringList());

        QVERIFY_RUN(Hvn35({"export", file("read.n35"), "-o", file("read.csv")}), 0);
        QVERIFY_RUN(Hvn35({"import", file("read.csv"), "--into", file("read.n35"), "-o", file("same.n35")}),
                    0);
        QCOMPARE(Differences(file("read.n35"), file("same.n35")), QStringList());

        // One channel changed in the spreadsheet: verify names exactly that channel.
        QVERIFY(EditCsv(file("read.csv"), 5, 1, "224.00000MHz"));
        QVERIFY_RUN(Hvn35({"import", file("read.csv"), "--into", file("read.n35"), "-o", file("edited.n35")}),
                    0);
        run = Hvn35({"verify", "--port", device, file("edited.n35")});
        QVERIFY2(run.status == 1, qPrintable(run.what()));
        QCOMPARE(run.outLines().size(), 1);
        QVERIFY2(run.out.startsWith(QStringLiteral("channels, channel 5 (Bank00-004): 224.00000MHz ")) &&
                     run.out.contains(QStringLiteral(" -> 216.06250MHz ")),
                 qPrintable(run.out));
        QCOMPARE(
            run.err,
            QStringLiteral("hvn35: error: the radio differs from %1 in 1 place\n").arg(file("edited.n35")));

        // Written with the backup in its default folder, and checked.
        run = Hvn35({"write", "--port", device, file("edited.n35"), "--verify"});
        QVERIFY_RUN(run, 0);
        const QStringList said = run.outLines();
        QCOMPARE(said.size(), 3);
        QVERIFY(said.at(0).startsWith(QStringLiteral("backup: ")));
        const QString backup = said.at(0).mid(8);
        // Beside the settings file, which a build folder never holds.
        QCOMPARE(QFileInfo(backup).absolutePath(),
                 ConfigHome().path() + QStringLiteral("/HVN35Writer/backups"));
        QCOMPARE(said.mid(1), (QStringList{QStringLiteral("wrote %1 to the radio").arg(file("edited.n35")),
                                           QStringLiteral("no differences")}));
        const QStringList backedUp = Differences(file("read.n35"), backup);
        QFile::remove(backup);
        QCOMPARE(backedUp, QStringList());

        // The radio now holds the edit: the old file differs by that channel only, the new one not at all.
        run = Hvn35({"verify", "--port", device, file("read.n35")});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.outLines().size(), 1);
        QVERIFY(run.out.startsWith(QStringLiteral("channels, channel 5 (Bank00-004): 216.06250MHz ")) &&
                run.out.contains(QStringLiteral(" -> 224.00000MHz ")));
        run = Hvn35({"verify", "--port", device, file("edited.n35")});
        QVERIFY_RUN(run, 0);
        QCOMPARE(run.out, QStringLiteral("no differences\n"));

        // A second backup in the same folder never replaces the first.
        const QString backups = file("backups");
        QVERIFY_RUN(Hvn35({"write", "--port", device, file("edited.n35"), "--backup-dir", backups}), 0);
        QVERIFY_RUN(Hvn35({"write", "--port", device, file("read.n35"), "--backup-dir", backups}), 0);
        const QStringList kept = QDir(backups).entryList({QStringLiteral("hvn35-backup-*.N35")}, QDir::Files);
        QCOMPARE(kept.size(), 2);
        for (const QString &name : kept)
            QCOMPARE(Differences(file("edited.n35"), QDir(backups).filePath(name)), QStringList());
    }

    // What the program writes into a radio always reads back, and a file just read verifies clean: into
    // a radio erased to 0xFF throughout, and from a new radio (erased but for its factory settings, its
    // CALL channels empty).
    void erasedRadiosVerifyClean_data()
    {
        QTest::addColumn<bool>("written"); // true: all 0xFF, the default image written into it first
        QTest::newRow("written into all 0xFF") << true;
        QTest::newRow("new radio read") << false;
    }
    void erasedRadiosVerifyClean()
    {
        QFETCH(bool, written);
        QTemporaryDir dir;
        std::unique_ptr<n35emu::EmulatorProcess> radio;
        if (written) {
            radio = StartRadio(dir.path(), {}, true);
        } else {
            radio = std::make_unique<n35emu::EmulatorProcess>();
            QString error;
            QVERIFY2(radio->start(&error), qPrintable(error));
        }
        QVERIFY(radio);
        const QString device = radio->devicePath();
        const QString read = dir.filePath(QStringLiteral("read.n35"));
        if (written)
            QVERIFY_RUN(Hvn35({"write", "--port", device, "--no-backup", defaultImage}), 0);
        // A new radio's erased banks are reported and read as the default partition.
        const Run reading = Hvn35({"read", "--port", device, "-o", read});
        QVERIFY2(reading.status == 0 && (written ? reading.err.isEmpty()
                                                 : reading.err.contains(QLatin1String("Bank Total Error"))),
                 qPrintable(reading.what()));
        if (written)
            QCOMPARE(Differences(defaultImage, read), QStringList());
        const Run run = Hvn35({"verify", "--port", device, read});
        QVERIFY2(run.status == 0 && run.err == reading.err, qPrintable(run.what()));
        QCOMPARE(run.out, QStringLiteral("no differences\n"));
    }

    void silentRadio_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("line");
        const QString negotiation = QStringLiteral("Negotiation Error.");
        QTest::newRow("read") << QStringList{"read", "-o", work.filePath(QStringLiteral("silent.n35"))}
                              << negotiation;
        QTest::newRow("verify") << QStringList{"verify", defaultImage} << negotiation;
        QTest::newRow("write without backup")
            << QStringList{"write", "--no-backup", defaultImage} << negotiation;
        QTest::newRow("write") << QStringList{"write", "--backup-dir",
                                              work.filePath(QStringLiteral("silent")), defaultImage}
                               << QStringLiteral("nothing was written, the backup failed: ") + negotiation;
    }
    void silentRadio()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, line);
        QTemporaryDir dir;
        auto radio = StartRadio(dir.path(), {QStringLiteral("--fault"), QStringLiteral("silent")});
        QVERIFY(radio);
        const Run run = Hvn35(arguments << QStringLiteral("--port") << radio->devicePath());
        QVERIFY2(run.status == 1, qPrintable(run.what()));
        QCOMPARE(run.out, QString());
        QCOMPARE(run.err, QStringLiteral("hvn35: error: ") + line + QLatin1Char('\n'));
        // One time-out of the identification, not one per command.
        QVERIFY2(run.ms < 2500, qPrintable(QString::number(run.ms)));
        QVERIFY(!QFileInfo::exists(work.filePath(QStringLiteral("silent.n35"))));
        QVERIFY(!QFileInfo::exists(work.filePath(QStringLiteral("silent"))) ||
                QDir(work.filePath(QStringLiteral("silent"))).isEmpty());
    }

    void portThatWillNotOpen()
    {
        const QString device = work.filePath(QStringLiteral("no-such-tty"));
        const QString output = work.filePath(QStringLiteral("never.n35"));
        const QString remedy = QStringLiteral("does not exist. Is the programming cable plugged in?\n");
        Run run = Hvn35({"read", "--port", device, "-o", output});
        QVERIFY2(run.status == 1, qPrintable(run.what()));
        QCOMPARE(run.err, QStringLiteral("hvn35: error: Port Error: %1 ").arg(device) + remedy);
        QVERIFY(!QFileInfo::exists(output));
        // A COM number names itself and its device.
        QVERIFY(LinkPort(4, device));
        run = Hvn35({"verify", "--port", "COM4", defaultImage});
        QFile::remove(PortLink(4));
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err, QStringLiteral("hvn35: error: Port Error: COM4 (%1) ").arg(device) + remedy);
    }
};

QTEST_MAIN(CliTest)
#include "test_cli.moc"
