// hvn35 as its users run it: the built program in a process of its own, against the emulator on a pty.

#include "emulator/emulatorprocess.h"
#include "emulator/emulatorsession.h"
#include "files/csvfile.h"
#include "files/imagefile.h"
#include "link/progress.h"
#include "link/wholeradio.h"
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
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

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

// Binds a device as COMn in the configuration folder, as a user does with a cable.
bool LinkPort(int number, const QString &device)
{
    const QString dir = ConfigHome().path() + QStringLiteral("/HVN35Writer/ports");
    const QString link = dir + QStringLiteral("/com%1").arg(number);
    QFile::remove(link);
    return QDir().mkpath(dir) && QFile::link(device, link);
}

// A radio with valid settings (an erased one has none), on a pty.
std::unique_ptr<n35emu::EmulatorProcess> StartRadio(const QString &folder, QStringList arguments = {},
                                                    const QByteArray &content = {})
{
    QByteArray memory = content;
    if (memory.isEmpty()) {
        memory = QByteArray(0x10000, char(0xFF));
        testing::PrimeSettings(memory);
    }
    const QString path = QDir(folder).filePath(QStringLiteral("radio-start.bin"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(memory) != memory.size())
        return nullptr;
    file.close();
    auto radio = std::make_unique<n35emu::EmulatorProcess>(arguments << QStringLiteral("--load") << path);
    QString error;
    if (!radio->start(&error)) {
        qWarning("%s", qPrintable(error));
        return nullptr;
    }
    return radio;
}

QStringList Differences(const CloneImage &expected, const CloneImage &actual)
{
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

QString SaveFile(const QString &path, const CloneImage &image)
{
    QString error;
    return SaveImageFile(path, image, 1, &error) ? QString() : error;
}

} // namespace

class CliTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void usageErrors_data();
    void usageErrors();
    void help_data();
    void help();
    void version();
    void portsListsEveryNumber();
    void fileErrors_data();
    void fileErrors();
    void showSummarisesAFile();
    void importTellsEachRefusedRow();
    void roundTripThroughTheRadio();
    void silentRadio_data();
    void silentRadio();
    void portThatWillNotOpen();
    void pacedReadFigures();

private:
    QTemporaryDir work;
    QString defaultImage;
};

void CliTest::initTestCase()
{
    QVERIFY(QFileInfo(Program).isExecutable());
    QVERIFY(ConfigHome().isValid() && work.isValid());
    defaultImage = work.filePath(QStringLiteral("default.n35"));
    const CloneImage image;
    QCOMPARE(SaveFile(defaultImage, image), QString());
}

void CliTest::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("line");
    auto row = [](const char *name, const QStringList &arguments, const QString &line) {
        QTest::newRow(name) << arguments << QStringLiteral("hvn35: error: ") + line;
    };
    row("no command", {}, QStringLiteral("no command given (see \"hvn35 --help\")"));
    row("unknown command", {"frob"}, QStringLiteral("unknown command \"frob\" (see \"hvn35 --help\")"));
    row("missing output", {"read", "--port", "COM1"},
        QStringLiteral("--output FILE is missing (see \"hvn35 read --help\")"));
    row("missing file", {"write", "--no-backup"},
        QStringLiteral("FILE is missing (see \"hvn35 write --help\")"));
    row("unknown option", {"verify", "--fast", "a.n35"},
        QStringLiteral("unknown option --fast (see \"hvn35 verify --help\")"));
    row("stray argument", {"show", "a.n35", "b.n35"},
        QStringLiteral("unexpected argument \"b.n35\" (see \"hvn35 show --help\")"));
    row("COM17", {"read", "--port", "COM17", "-o", "x.n35"},
        QStringLiteral("--port: COM17 is not one of COM1..COM16"));
    row("COM0 on write", {"write", "--port", "com0", "x.n35"},
        QStringLiteral("--port: com0 is not one of COM1..COM16"));
    row("read into a non-image name", {"read", "--port", "COM1", "-o", "x.bin"},
        QStringLiteral("x.bin: the clone image file's name must end in .N35"));
    row("export to a non-CSV name", {"export", "a.n35", "-o", "a.txt"},
        QStringLiteral("a.txt: the CSV file's name must end in .csv"));
    row("import to a non-image name", {"import", "a.csv", "--into", "a.n35", "-o", "b.txt"},
        QStringLiteral("b.txt: the clone image file's name must end in .N35"));
}

void CliTest::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, line);
    const Run run = Hvn35(arguments);
    QVERIFY2(run.status == 2, qPrintable(run.what()));
    QCOMPARE(run.out, QString());
    QCOMPARE(run.err, line + QLatin1Char('\n'));
}

void CliTest::help_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("usage");
    QTest::newRow("general") << QStringList{"--help"} << "Usage: hvn35 COMMAND [OPTIONS]";
    QTest::newRow("help word") << QStringList{"help", "import"}
                               << "Usage: hvn35 import --into FILE -o FILE [--format FORMAT] [--at ROW] CSV";
    QTest::newRow("ports") << QStringList{"ports", "--help"} << "Usage: hvn35 ports";
    QTest::newRow("read") << QStringList{"read", "-h"} << "Usage: hvn35 read [--port PORT] -o FILE";
    QTest::newRow("write")
        << QStringList{"write", "--help"}
        << "Usage: hvn35 write [--port PORT] [--no-backup] [--backup-dir DIR] [--verify] FILE";
    QTest::newRow("verify") << QStringList{"verify", "--help"} << "Usage: hvn35 verify [--port PORT] FILE";
    QTest::newRow("export") << QStringList{"export", "--help"}
                            << "Usage: hvn35 export -o CSV [--format FORMAT] FILE";
    QTest::newRow("import") << QStringList{"import", "--help"}
                            << "Usage: hvn35 import --into FILE -o FILE [--format FORMAT] [--at ROW] CSV";
    QTest::newRow("show") << QStringList{"show", "--help"} << "Usage: hvn35 show FILE";
    QTest::newRow("help beside a mistake")
        << QStringList{"show", "--frob", "--help"} << "Usage: hvn35 show FILE";
}

void CliTest::help()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, usage);
    const Run run = Hvn35(arguments);
    QVERIFY2(run.status == 0, qPrintable(run.what()));
    QCOMPARE(run.err, QString());
    QCOMPARE(run.outLines().value(0), usage);
    QVERIFY(run.out.endsWith(QLatin1Char('\n')) && !run.out.endsWith(QStringLiteral("\n\n")));
    QVERIFY(run.out.contains(QStringLiteral("--help")));
}

void CliTest::version()
{
    const Run run = Hvn35({QStringLiteral("--version")});
    QCOMPARE(run.status, 0);
    // The revision is pinned by tests/e2e/test_programs.cpp.
    QVERIFY2(run.out.startsWith(QStringLiteral("hvn35 %1 (revision ").arg(QStringLiteral(N35_VERSION))),
             qPrintable(run.out));
    QVERIFY(QRegularExpression(QStringLiteral("^hvn35 \\d+\\.\\d+\\.\\d+ \\(revision \\S+\\)\n$"))
                .match(run.out)
                .hasMatch());
    QCOMPARE(run.err, QString());
}

void CliTest::portsListsEveryNumber()
{
    QVERIFY(LinkPort(3, QStringLiteral("/dev/hvn35-test-cable")));
    QVERIFY(LinkPort(12, QStringLiteral("/dev/hvn35-other-cable")));
    const Run run = Hvn35({QStringLiteral("ports")});
    QVERIFY2(run.status == 0, qPrintable(run.what()));
    QCOMPARE(run.err, QString());
    const QStringList lines = run.outLines();
    QCOMPARE(lines.size(), 16);
    for (int n = 1; n <= 16; ++n)
        QVERIFY2(lines.at(n - 1).startsWith(QStringLiteral("COM%1 ").arg(n)), qPrintable(lines.at(n - 1)));
    QVERIFY2(lines.at(2).startsWith(QStringLiteral("COM3  /dev/hvn35-test-cable")), qPrintable(lines.at(2)));
    QVERIFY2(lines.at(11).startsWith(QStringLiteral("COM12 /dev/hvn35-other-cable")),
             qPrintable(lines.at(11)));
    // Exactly one number is the default, the window's.
    QCOMPARE(lines.filter(QStringLiteral("(the window's port, the default)")).size(), 1);
    QFile::remove(ConfigHome().path() + QStringLiteral("/HVN35Writer/ports/com3"));
    QFile::remove(ConfigHome().path() + QStringLiteral("/HVN35Writer/ports/com12"));
}

void CliTest::fileErrors_data()
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

    QTest::newRow("missing image") << QStringList{"show", missing}
                                   << QStringLiteral("%1: No such file or directory").arg(missing);
    QTest::newRow("not an image name")
        << QStringList{"show", "radio.bin"}
        << QStringLiteral("radio.bin: This File couldn't be opened. Its name must end in .N35.");
    QTest::newRow("bad line") << QStringList{"verify", "--port", "COM1", bad}
                              << QStringLiteral("%1 is not a clone image file it can load: ").arg(bad);
    QTest::newRow("not a CSV file") << QStringList{"import", notCsv, "--into", defaultImage, "-o", missing}
                                    << QStringLiteral("%1: CSV File Error: ").arg(notCsv);
    QTest::newRow("missing CSV file")
        << QStringList{"import", noFolder, "--into", defaultImage, "-o", missing}
        << QStringLiteral("%1 couldn't be opened: ").arg(noFolder);
    QTest::newRow("export into no folder") << QStringList{"export", defaultImage, "-o", noFolder}
                                           << QStringLiteral("%1 could not be saved: ").arg(noFolder);
}

void CliTest::fileErrors()
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

void CliTest::showSummarisesAFile()
{
    CloneImage image;
    testing::VaryImage(image);
    const QString path = work.filePath(QStringLiteral("show.N35"));
    QCOMPARE(SaveFile(path, image), QString());
    const Run run = Hvn35({QStringLiteral("show"), path});
    QVERIFY2(run.status == 0, qPrintable(run.what()));
    QCOMPARE(run.err, QString());
    const QStringList lines = run.outLines();
    QCOMPARE(
        lines.mid(0, 4),
        (QStringList{QStringLiteral("Banks: 3 of 50 hold channels, 500 channels in all"),
                     QStringLiteral("  bank  0: 120 channels"), QStringLiteral("  bank  9: 300 channels"),
                     QStringLiteral("  bank 49:  80 channels")}));
    QCOMPARE(lines.at(4), QStringLiteral("Channels: 952 of 952 used"));
    QCOMPARE(lines.at(5), QStringLiteral("  Bank00-000   216.01250MHz  REPEATER"));
    QCOMPARE(lines.at(6), QStringLiteral("  Bank00-001   216.02500MHz  A\\1B\\8"));
    QCOMPARE(lines.at(10), QStringLiteral("  Bank00-005   216.07500MHz"));
    QCOMPARE(lines.at(11), QStringLiteral("  Bank00-006   902.08750MHz  REPEATER"));
    QVERIFY(lines.contains(QString::fromUtf8("  Bank00-003   216.05000MHz  東京タワー")));
    QVERIFY(lines.contains(QStringLiteral("  key 2: bank 9, channel 299")));
    QVERIFY2(lines.contains(QStringLiteral("Title: \"\\1 RADIO \\\\\" (slide)")), qPrintable(run.out));
    QVERIFY(lines.contains(QStringLiteral("  Language: Japanese")));
    QVERIFY(lines.contains(QStringLiteral("  GroupB: banks 49")));
}

void CliTest::importTellsEachRefusedRow()
{
    CloneImage image;
    testing::VaryImage(image);
    const QString original = work.filePath(QStringLiteral("refusals.n35"));
    const QString csv = work.filePath(QStringLiteral("refusals.csv"));
    const QString result = work.filePath(QStringLiteral("refusals-new.N35"));
    QCOMPARE(SaveFile(original, image), QString());
    QCOMPARE(Hvn35({QStringLiteral("export"), original, QStringLiteral("-o"), csv}).status, 0);
    QVERIFY(EditCsv(csv, 3, 2, "XX"));           // row 3: a mode the radio does not know
    QVERIFY(EditCsv(csv, 5, 1, "145.00000MHz")); // row 5: outside the radio's bands
    QVERIFY(EditCsv(csv, 7, 1, "220.00000MHz")); // row 7: a good change
    const Run run = Hvn35(
        {QStringLiteral("import"), csv, QStringLiteral("--into"), original, QStringLiteral("-o"), result});
    QVERIFY2(run.status == 0, qPrintable(run.what()));
    QCOMPARE(run.out, QString());
    // Every refused row, each once, in whatever order the import checked them.
    QStringList warnings = run.errLines();
    warnings.sort();
    QVERIFY2(warnings.size() == 2, qPrintable(run.err));
    const QString prefix = QStringLiteral("hvn35: warning: %1: ").arg(csv);
    QCOMPARE(warnings.at(0),
             prefix + QStringLiteral("row 3, the mode \"XX\": \"XX\" cannot be stored: the radio stores "
                                     "FM or NFM only (the row was emptied)"));
    QCOMPARE(warnings.at(1),
             prefix + QStringLiteral("row 5, the frequency \"145.00000MHz\": \"145.00000MHz\" lies "
                                     "outside 216-250 MHz and 902-928 MHz (the row was emptied)"));

    CloneImage imported;
    QVERIFY(LoadImageFile(result, imported));
    const QStringList differences = Differences(image, imported);
    QCOMPARE(differences.size(), 3);
    QVERIFY2(differences.at(0).startsWith(QStringLiteral("channels, channel 3 (Bank00-002): ")) &&
                 differences.at(0).endsWith(QStringLiteral("-> empty")),
             qPrintable(differences.at(0)));
    QVERIFY(differences.at(1).startsWith(QStringLiteral("channels, channel 5 (Bank00-004): ")));
    QVERIFY2(differences.at(2).contains(QStringLiteral("-> 220.00000MHz")), qPrintable(differences.at(2)));
}

void CliTest::roundTripThroughTheRadio()
{
    QTemporaryDir dir;
    auto radio = StartRadio(dir.path());
    QVERIFY(radio);
    const QString device = radio->devicePath();
    auto file = [&](const char *name) { return dir.filePath(QString::fromLatin1(name)); };

    CloneImage varied;
    testing::VaryImage(varied);
    QCOMPARE(SaveFile(file("varied.N35"), varied), QString());
    Run run = Hvn35({"write", "--port", device, "--no-backup", file("varied.N35")});
    QVERIFY2(run.status == 0, qPrintable(run.what()));
    QCOMPARE(run.outLines(), QStringList{QStringLiteral("wrote %1 to the radio").arg(file("varied.N35"))});
    QCOMPARE(run.err, QString());

    // Read through a COM number, as the window would.
    QVERIFY(LinkPort(7, device));
    run = Hvn35({"read", "--port", "COM7", "-o", file("read.n35")});
    QVERIFY2(run.status == 0, qPrintable(run.what()));
    QCOMPARE(run.err, QString());
    CloneImage read;
    QVERIFY(LoadImageFile(file("read.n35"), read));
    QCOMPARE(Differences(varied, read), QStringList());

    run = Hvn35({"export", file("read.n35"), "-o", file("read.csv")});
    QVERIFY2(run.status == 0 && run.err.isEmpty(), qPrintable(run.what()));
    run = Hvn35({"import", file("read.csv"), "--into", file("read.n35"), "-o", file("same.n35")});
    QVERIFY2(run.status == 0 && run.err.isEmpty(), qPrintable(run.what()));
    CloneImage same;
    QVERIFY(LoadImageFile(file("same.n35"), same));
    QCOMPARE(Differences(read, same), QStringList());

    // One channel changed in the spreadsheet: verify names exactly that channel.
    QVERIFY(EditCsv(file("read.csv"), 5, 1, "224.00000MHz"));
    run = Hvn35({"import", file("read.csv"), "--into", file("read.n35"), "-o", file("edited.n35")});
    QVERIFY2(run.status == 0 && run.err.isEmpty(), qPrintable(run.what()));
    run = Hvn35({"verify", "--port", device, file("edited.n35")});
    QVERIFY2(run.status == 1, qPrintable(run.what()));
    QCOMPARE(run.outLines().size(), 1);
    QVERIFY2(run.out.startsWith(QStringLiteral("channels, channel 5 (Bank00-004): 224.00000MHz ")),
             qPrintable(run.out));
    QVERIFY2(run.out.contains(QStringLiteral(" -> 216.06250MHz ")), qPrintable(run.out));
    QCOMPARE(run.err,
             QStringLiteral("hvn35: error: the radio differs from %1 in 1 place\n").arg(file("edited.n35")));

    // Written with the backup in its default folder, and checked.
    run = Hvn35({"write", "--port", device, file("edited.n35"), "--verify"});
    QVERIFY2(run.status == 0, qPrintable(run.what()));
    QCOMPARE(run.err, QString());
    const QStringList said = run.outLines();
    QCOMPARE(said.size(), 3);
    QVERIFY(said.at(0).startsWith(QStringLiteral("backup: ")));
    const QString backup = said.at(0).mid(8);
    QCOMPARE(QFileInfo(backup).absolutePath(),
             QFileInfo(Program).absoluteDir().filePath(QStringLiteral("backups")));
    QCOMPARE(said.mid(1), (QStringList{QStringLiteral("wrote %1 to the radio").arg(file("edited.n35")),
                                       QStringLiteral("no differences")}));
    CloneImage before;
    const LoadOutcome loaded = LoadImageFile(backup, before);
    QFile::remove(backup);
    QVERIFY(loaded);
    QCOMPARE(Differences(read, before), QStringList());

    // The radio now holds the edit: the old file differs by that channel only, the new one not at all.
    run = Hvn35({"verify", "--port", device, file("read.n35")});
    QCOMPARE(run.status, 1);
    QCOMPARE(run.outLines().size(), 1);
    QVERIFY(run.out.startsWith(QStringLiteral("channels, channel 5 (Bank00-004): 216.06250MHz ")));
    QVERIFY(run.out.contains(QStringLiteral(" -> 224.00000MHz ")));
    run = Hvn35({"verify", "--port", device, file("edited.n35")});
    QVERIFY2(run.status == 0, qPrintable(run.what()));
    QCOMPARE(run.out, QStringLiteral("no differences\n"));
    QCOMPARE(run.err, QString());

    // A second backup in the same folder never replaces the first.
    const QString backups = file("backups");
    run = Hvn35({"write", "--port", device, file("edited.n35"), "--backup-dir", backups});
    QVERIFY2(run.status == 0, qPrintable(run.what()));
    run = Hvn35({"write", "--port", device, file("read.n35"), "--backup-dir", backups});
    QVERIFY2(run.status == 0, qPrintable(run.what()));
    const QStringList kept =
        QDir(backups).entryList({QStringLiteral("hvn35-backup-*.N35")}, QDir::Files, QDir::Name);
    QCOMPARE(kept.size(), 2);
    CloneImage edited;
    QVERIFY(LoadImageFile(file("edited.n35"), edited));
    for (const QString &name : kept) {
        CloneImage backedUp;
        QVERIFY(LoadImageFile(QDir(backups).filePath(name), backedUp));
        QCOMPARE(Differences(edited, backedUp), QStringList());
    }
    QFile::remove(ConfigHome().path() + QStringLiteral("/HVN35Writer/ports/com7"));
}

void CliTest::silentRadio_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("line");
    const QString negotiation = QStringLiteral("Negotiation Error.");
    QTest::newRow("read") << QStringList{"read", "-o", work.filePath(QStringLiteral("silent.n35"))}
                          << negotiation;
    QTest::newRow("verify") << QStringList{"verify", defaultImage} << negotiation;
    QTest::newRow("write without backup") << QStringList{"write", "--no-backup", defaultImage} << negotiation;
    QTest::newRow("write") << QStringList{"write", "--backup-dir", work.filePath(QStringLiteral("silent")),
                                          defaultImage}
                           << QStringLiteral("nothing was written, the backup failed: ") + negotiation;
}

void CliTest::silentRadio()
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

void CliTest::portThatWillNotOpen()
{
    const QString device = work.filePath(QStringLiteral("no-such-tty"));
    const QString output = work.filePath(QStringLiteral("never.n35"));
    Run run = Hvn35({"read", "--port", device, "-o", output});
    QVERIFY2(run.status == 1, qPrintable(run.what()));
    QCOMPARE(
        run.err,
        QStringLiteral("hvn35: error: Port Error: %1 does not exist. Is the programming cable plugged in?\n")
            .arg(device));
    QVERIFY(!QFileInfo::exists(output));
    // A COM number names itself and its device.
    QVERIFY(LinkPort(4, device));
    run = Hvn35({"verify", "--port", "COM4", defaultImage});
    QCOMPARE(run.status, 1);
    QCOMPARE(run.err,
             QStringLiteral(
                 "hvn35: error: Port Error: COM4 (%1) does not exist. Is the programming cable plugged in?\n")
                 .arg(device));
    QFile::remove(ConfigHome().path() + QStringLiteral("/HVN35Writer/ports/com4"));
}

// Figures, not a pass/fail test of this machine's scheduler: runs when N35_CLI_MEASURE is set.
void CliTest::pacedReadFigures()
{
    if (qEnvironmentVariableIsEmpty("N35_CLI_MEASURE"))
        QSKIP("set N35_CLI_MEASURE=1 to measure hvn35 read against the paced emulator (about a minute)");
    QTemporaryDir dir;
    // A radio that holds a varied image, written unpaced.
    QByteArray memory;
    {
        CloneImage varied;
        testing::VaryImage(varied);
        QCOMPARE(SaveFile(dir.filePath(QStringLiteral("varied.n35")), varied), QString());
        auto primed =
            StartRadio(dir.path(), {QStringLiteral("--save"), dir.filePath(QStringLiteral("radio.bin"))});
        QVERIFY(primed);
        QCOMPARE(Hvn35({"write", "--no-backup", "--port", primed->devicePath(),
                        dir.filePath(QStringLiteral("varied.n35"))})
                     .status,
                 0);
        primed->stop();
        QFile saved(dir.filePath(QStringLiteral("radio.bin")));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        memory = saved.readAll();
    }
    // The characters a whole read exchanges, counted by the link itself.
    qint64 characters = 0;
    {
        n35emu::EmulatorSession radio({QStringLiteral("--load"), dir.filePath(QStringLiteral("radio.bin"))});
        QString error;
        QVERIFY2(radio.start(&error), qPrintable(error));
        CloneImage image;
        NoProgress progress;
        QVERIFY(ReadAllData(radio.link(), image, progress).ok);
        characters = radio.link().traffic().bytesSent + radio.link().traffic().bytesReceived;
        radio.link().close();
    }
    const double wire = double(characters) * 10.0 / 57600.0;
    {
        // The same read inside this process, for what the emulator's own pacing costs on this machine.
        n35emu::EmulatorSession radio({QStringLiteral("--baud"), QStringLiteral("57600"),
                                       QStringLiteral("--load"), dir.filePath(QStringLiteral("radio.bin"))});
        QString error;
        QVERIFY2(radio.start(&error), qPrintable(error));
        CloneImage image;
        NoProgress progress;
        QElapsedTimer clock;
        clock.start();
        QVERIFY(ReadAllData(radio.link(), image, progress).ok);
        const double wall = double(clock.nsecsElapsed()) / 1e9;
        radio.link().close();
        qInfo("Read All Data in process, emulator sleeping: wall %.3f s, wall/wire %.4f", wall, wall / wire);
    }
    for (const bool spin : {false, true}) {
        QStringList arguments{QStringLiteral("--baud"), QStringLiteral("57600")};
        if (spin)
            arguments << QStringLiteral("--spin");
        auto paced = StartRadio(dir.path(), arguments, memory);
        QVERIFY(paced);
        const QByteArray program = Program.toLocal8Bit();
        const QByteArray device = paced->devicePath().toLocal8Bit();
        const QByteArray output = dir.filePath(QStringLiteral("paced.n35")).toLocal8Bit();
        QByteArray args[] = {program, "read", "--port", device, "-o", output};
        char *argv[] = {args[0].data(), args[1].data(), args[2].data(), args[3].data(),
                        args[4].data(), args[5].data(), nullptr};
        QElapsedTimer clock;
        clock.start();
        pid_t pid = 0;
        QCOMPARE(posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ), 0);
        int status = 0;
        rusage usage{};
        QCOMPARE(wait4(pid, &status, 0, &usage), pid);
        const double wall = double(clock.nsecsElapsed()) / 1e9;
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        const double cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        qInfo("hvn35 read, emulator %s: %lld characters, wire %.3f s, wall %.3f s, wall/wire %.4f, cpu %.3f "
              "s = %.2f%% of wall",
              spin ? "spinning" : "sleeping", static_cast<long long>(characters), wire, wall, wall / wire,
              cpu, 100.0 * cpu / wall);
        QVERIFY(cpu / wall <= 0.05);
    }
}

QTEST_MAIN(CliTest)
#include "test_cli.moc"
