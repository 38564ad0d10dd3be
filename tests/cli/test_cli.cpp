// hvn35 as its users run it: the built program in a process of its own, against the emulator on a pty, and
// the channel lists of other programs (--format chirp).

#include "emulator/emulatorprocess.h"
#include "files/imagefile.h"
#include "link/address.h"
#include "model/channelcells.h"
#include "model/cloneimage.h"
#include "model/imagediff.h"
#include "session/radiobackups.h"
#include "support/channelfixtures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <fcntl.h>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

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

// `fileSizeLimit` > 0 runs the program as on a disk that takes no more than that many bytes a file.
Run Hvn35(const QStringList &arguments, rlim_t fileSizeLimit = 0, const QString &program = Program)
{
    QProcess process;
    if (fileSizeLimit > 0) {
        process.setChildProcessModifier([fileSizeLimit] {
            ::signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails with EFBIG instead of killing
            const rlimit limit{fileSizeLimit, fileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        });
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), ConfigHome().path());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), ConfigHome().filePath(QStringLiteral("data")));
    process.setProcessEnvironment(environment);
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
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

// The differences between an image file and a backup read as an image, or what kept one from loading.
QStringList BackupDifferences(const QString &expectedPath, const QString &backupPath)
{
    CloneImage expected;
    CloneImage actual;
    const Result<LoadNotices> opened = OpenBackupFile(backupPath, actual);
    if (!LoadImageFile(expectedPath, expected) || !opened)
        return {QStringLiteral("cannot load ") + expectedPath + QStringLiteral(" or ") + backupPath};
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
    return SaveImageFile(path, image, 1).ok();
}

} // namespace

class CliTest : public QObject
{
    Q_OBJECT

    QTemporaryDir work;
    QString defaultImage;
    QString backupOfDefault; // a whole backup of a radio of 0xFF bytes

private slots:
    void initTestCase()
    {
        QVERIFY(QFileInfo(Program).isExecutable());
        QVERIFY(ConfigHome().isValid() && work.isValid());
        defaultImage = work.filePath(QStringLiteral("default.n35"));
        QVERIFY(SaveImageFile(defaultImage, CloneImage(), 1));
        backupOfDefault = work.filePath(QStringLiteral("erased.n35bak"));
        RadioBackup erased{
            QStringLiteral("HVN35Writer"), QDateTime::currentDateTime(), QStringLiteral("COM1"), {}};
        for (const int address : BackupBlockAddresses())
            erased.blocks.append({address, QByteArray(64, '\xFF')});
        QVERIFY(SaveBackupFile(backupOfDefault, erased));
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
        // A wrong ending is a wrong command line, whichever file it is.
        row("show a non-image name", {"show", "radio.bin"},
            "radio.bin: the clone image file's name must end in .N35");
        row("write a non-image name", {"write", "--no-backup", "radio.txt"},
            "radio.txt: the clone image file's name must end in .N35");
        row("import into a non-image name", {"import", "a.csv", "--into", "a.n3", "-o", "b.n35"},
            "a.n3: the clone image file's name must end in .N35");
        row("import a non-CSV name", {"import", "a.n35", "--into", "a.n35", "-o", "b.n35"},
            "a.n35: the CSV file's name must end in .csv");
        row("import a non-CSV list",
            {"import", "--format", "chirp", "a.txt", "--into", "a.n35", "-o", "b.n35"},
            "a.txt: the CSV file's name must end in .csv");
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
            << "Usage: hvn35 write [--port PORT] [--no-backup] [--backup-dir DIR] [--full] [--verify] FILE";
        QTest::newRow("restore") << QStringList{"restore", "--help"}
                                 << "Usage: hvn35 restore [--port PORT] BACKUP";
        QTest::newRow("backups") << QStringList{"backups", "--help"}
                                 << "Usage: hvn35 backups [--backup-dir DIR]";
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
        auto make = [&](const QString &name, const QByteArray &content) {
            const QString path = work.filePath(name);
            if (content == "folder")
                QDir().mkpath(path);
            else if (content == "fifo")
                ::mkfifo(QFile::encodeName(path).constData(), 0600);
            QFile file(path);
            if (content != "folder" && content != "fifo" &&
                (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()))
                qWarning("cannot write %s", qPrintable(path));
            return path;
        };
        make(QStringLiteral("bad.n35"), "HV-N35\r\nBK2:00\r\nFile End\r\n");
        make(QStringLiteral("list.csv"), "a,b\r\n");
        QFile saved(defaultImage);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray good = saved.readAll();
        const QString goodCsv = work.filePath(QStringLiteral("good.csv"));
        QVERIFY(QFileInfo::exists(goodCsv) || Hvn35({"export", defaultImage, "-o", goodCsv}).status == 0);

        // Files that are no clone image, to each command that reads one: refused before any port opens.
        // clang-format off
        const struct { const char *name; QByteArray content; const char *why; } images[] = {
            {"garbage.n35", "garbage\n", "it is not a clone image file"},
            {"empty.n35", "", "it is not a clone image file"},
            {"utf16.n35", QByteArray(reinterpret_cast<const char *>(QString::fromLatin1(good).utf16()), good.size() * 2),
             "it is not a clone image file"},
            {"renamed.n35", "\"\",\"Freqency\"\r\n", "it is not a clone image file"},
            {"header.n35", good.left(good.indexOf('\n') + 1), "it is not a clone image file"},
            {"cut.n35", good.left(good.lastIndexOf("File End")), "it is not a whole clone image file"},
            {"fifo.n35", "fifo", "it is not a regular file"},
            {"folder.n35", "folder", "it is a folder"},
            {"huge.n35", good + QByteArray(1 << 20, '0'), "it holds"}};
        // clang-format on
        for (const auto &image : images) {
            const QString path = make(QString::fromLatin1(image.name), image.content);
            const QString line = path + ": " + QLatin1String(image.why);
            const QList<std::pair<const char *, QStringList>> commands{
                {"show", {"show", path}},
                {"export", {"export", path, "-o", work.filePath("missing.csv")}},
                {"import", {"import", goodCsv, "--into", path, "-o", missing}},
                {"write", {"write", "--no-backup", "--port", "COM1", path}},
                {"verify", {"verify", "--port", "COM1", path}}};
            for (const auto &[command, arguments] : commands)
                QTest::addRow("%s %s", command, image.name) << arguments << line;
        }
        // CSV files and channel lists that cannot be read.
        for (const char *kind : {"fifo", "folder"}) {
            const QString path = make(QStringLiteral("%1.csv").arg(kind), kind);
            QTest::addRow("import %s.csv", kind)
                << QStringList{"import", path, "--into", defaultImage, "-o", missing}
                << path + " couldn't be opened: it is";
            QTest::addRow("import --format chirp %s.csv", kind)
                << QStringList{"import", "--format", "chirp", path, "--into", defaultImage, "-o", missing}
                << path + " couldn't be read: it is";
        }
        const QString huge = make(QStringLiteral("huge.csv"), QByteArray(2 << 20, ','));
        QTest::newRow("import huge.csv") << QStringList{"import", huge, "--into", defaultImage, "-o", missing}
                                         << huge + " couldn't be opened: it holds 2097152 bytes";

        QTest::newRow("missing image")
            << QStringList{"show", missing} << QStringLiteral("%1: No such file or directory").arg(missing);
        // A backup's name on a file that is none: read as an image, whose name it lacks.
        const QString notBackup = make(QStringLiteral("image.n35bak"), good);
        QTest::newRow("no backup") << QStringList{"show", notBackup}
                                   << notBackup + " couldn't be opened: its name does not end in \".N35\"";
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
            << QStringList{"import", "--format", "chirp", notCsv, "--into", defaultImage, "-o", missing}
            << notCsv + " is not a channel list: its first line is not a channel list's header: it lacks "
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
        QVERIFY(!QFileInfo::exists(work.filePath(QStringLiteral("missing.csv"))));
    }

    // The summary itself is pinned by test_cliunits; here the file it reads and the text it prints.
    void showSummarisesAFile()
    {
        const QString path = work.filePath(QStringLiteral("show.N35"));
        QVERIFY(SaveVaried(path));
        const Run run = Hvn35({QStringLiteral("show"), path});
        QVERIFY_RUN(run, 0);
        const QStringList lines = run.outLines();
        QCOMPARE(lines.mid(0, 7),
                 (QStringList{"Banks: 3 of 50 hold channels, 500 channels in all", "  bank  0: 120 channels",
                              "  bank  9: 300 channels", "  bank 49:  80 channels",
                              "Channels: 952 of 952 used", "  Bank00-000     216.01250MHz  REPEATER",
                              "  Bank00-001     216.02500MHz  A\\1B\\8"}));
        QVERIFY(lines.contains(QString::fromUtf8("  Bank00-003     216.05000MHz  東京タワー")));
        QVERIFY2(lines.contains(QStringLiteral("Title: \"\\1 RADIO \\\\\" (slide)")), qPrintable(run.out));
    }

    // A disk that takes no more: the command fails, says so, and the old file stays as it was.
    void aSaveThatFailsIsNoSuccess()
    {
        const QString csv = work.filePath(QStringLiteral("full.csv"));
        const QString old = work.filePath(QStringLiteral("full-old.N35"));
        QVERIFY_RUN(Hvn35({"export", defaultImage, "-o", csv}), 0);
        QFile file(old);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("old") == 3);
        file.close();
        const QList<QStringList> commands{{"import", csv, "--into", defaultImage, "-o", old},
                                          {"export", defaultImage, "-o", work.filePath("full-old.csv")}};
        QFile oldCsv(work.filePath("full-old.csv"));
        QVERIFY(oldCsv.open(QIODevice::WriteOnly) && oldCsv.write("old") == 3);
        oldCsv.close();
        for (const QStringList &arguments : commands) {
            const Run run = Hvn35(arguments, 2000);
            QVERIFY2(run.status == 1 && run.errLines().size() == 1, qPrintable(run.what()));
            QVERIFY2(run.err.startsWith("hvn35: error: " + arguments.at(arguments.size() - 1) +
                                        " could not be saved"),
                     qPrintable(run.err));
        }
        for (QFile *kept : {&file, &oldCsv}) {
            QVERIFY(kept->open(QIODevice::ReadOnly));
            QCOMPARE(kept->readAll(), QByteArray("old"));
            kept->close();
        }
        QCOMPARE(QDir(work.path()).entryList({"*full-old*"}, QDir::Files | QDir::Hidden).size(), 2);
    }

    // On Linux a file name is bytes: one that is no UTF-8 is found all the same.
    void aNameThatIsNoUtf8IsFound()
    {
        const QByteArray name = QFile::encodeName(work.path()) + "/caf\xE9.n35";
        QFile source(defaultImage);
        QVERIFY(source.open(QIODevice::ReadOnly));
        const QByteArray content = source.readAll();
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        QVERIFY(fd >= 0 && ::write(fd, content.constData(), std::size_t(content.size())) == content.size());
        ::close(fd);
        // The name goes through the shell as bytes; QProcess would pass it as UTF-8.
        const Run run =
            Hvn35({"-c", "exec \"$0\" show \"$1/caf$(printf '\\351').n35\"", Program, work.path()}, 0,
                  QStringLiteral("/bin/sh"));
        ::unlink(name.constData()); // the temporary folder's clean-up cannot name it
        QVERIFY_RUN(run, 0);
        QVERIFY(run.out.startsWith("Banks:"));
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
                 (QStringList{prefix + "row 3, the mode: \"XX\" cannot be stored: the radio "
                                       "stores FM or NFM only (the row was emptied)",
                              prefix + "row 5, the frequency: \"145.00000MHz\" lies "
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
        // Without a backup there is nothing to compare with: every block goes out.
        QCOMPARE(run.outLines(),
                 QStringList{QStringLiteral("wrote %1 to the radio (986 blocks sent, 0 the radio "
                                            "already held)")
                                 .arg(file("varied.N35"))});

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

        // Written with the backup in the user's data folder, only the changed channel sent, and checked.
        run = Hvn35({"write", "--port", device, file("edited.n35"), "--verify"});
        QVERIFY_RUN(run, 0);
        const QStringList said = run.outLines();
        QCOMPARE(said.size(), 3);
        QVERIFY(said.at(0).startsWith(QStringLiteral("backup: ")));
        const QString backup = said.at(0).mid(8);
        QCOMPARE(QFileInfo(backup).absolutePath(),
                 ConfigHome().filePath(QStringLiteral("data/HVN35Writer/backups")));
        QCOMPARE(said.mid(1),
                 (QStringList{QStringLiteral("wrote %1 to the radio (1 block sent, 985 the radio "
                                             "already held)")
                                  .arg(file("edited.n35")),
                              QStringLiteral("no differences")}));
        // The backup reads as the radio was; "show" takes it like an image file.
        QCOMPARE(BackupDifferences(file("read.n35"), backup), QStringList());
        run = Hvn35({"show", backup});
        QVERIFY_RUN(run, 0);
        QCOMPARE(run.out, Hvn35({"show", file("read.n35")}).out);
        QFile::remove(backup);

        // The radio now holds the edit: the old file differs by that channel only, the new one not at all.
        run = Hvn35({"verify", "--port", device, file("read.n35")});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.outLines().size(), 1);
        QVERIFY(run.out.startsWith(QStringLiteral("channels, channel 5 (Bank00-004): 216.06250MHz ")) &&
                run.out.contains(QStringLiteral(" -> 224.00000MHz ")));
        run = Hvn35({"verify", "--port", device, file("edited.n35")});
        QVERIFY_RUN(run, 0);
        QCOMPARE(run.out, QStringLiteral("no differences\n"));

        // A second backup in the same folder never replaces the first; "backups" lists them newest first,
        // and the newest puts the radio back as it was before the last write.
        const QString backups = file("backups");
        QVERIFY_RUN(Hvn35({"write", "--port", device, file("edited.n35"), "--backup-dir", backups}), 0);
        QVERIFY_RUN(Hvn35({"write", "--port", device, file("read.n35"), "--backup-dir", backups}), 0);
        const QStringList kept =
            QDir(backups).entryList({QStringLiteral("hvn35-backup-*.n35bak")}, QDir::Files);
        QCOMPARE(kept.size(), 2);
        for (const QString &name : kept)
            QCOMPARE(BackupDifferences(file("edited.n35"), QDir(backups).filePath(name)), QStringList());
        run = Hvn35({"backups", "--backup-dir", backups});
        QVERIFY_RUN(run, 0);
        QCOMPARE(run.outLines().size(), 2);
        const QString newest = run.outLines().at(0).section(QStringLiteral("  "), 3);
        QVERIFY2(run.outLines().at(0).contains(QStringLiteral("  %1  ").arg(device)), qPrintable(run.out));
        QVERIFY(kept.contains(QFileInfo(newest).fileName()));
        run = Hvn35({"restore", "--port", device, newest});
        QVERIFY_RUN(run, 0);
        QCOMPARE(run.out, QStringLiteral("restored %1\n").arg(newest));
        QVERIFY_RUN(Hvn35({"verify", "--port", device, file("edited.n35")}), 0);

        // A backup with one byte changed is refused by restore, show and export alike; nothing is sent.
        QFile damaged(newest);
        QVERIFY(damaged.open(QIODevice::ReadWrite));
        QByteArray bytes = damaged.readAll();
        bytes[bytes.size() / 2] = bytes[bytes.size() / 2] == '0' ? '1' : '0';
        QVERIFY(damaged.seek(0) && damaged.write(bytes) == bytes.size());
        damaged.close();
        const QString refusal =
            QStringLiteral("the backup is damaged: its checksum does not match its content");
        for (const QStringList &arguments :
             {QStringList{"restore", "--port", device, newest}, QStringList{"show", newest},
              QStringList{"export", newest, "-o", file("damaged.csv")}}) {
            run = Hvn35(arguments);
            QVERIFY2(run.status == 1 && run.out.isEmpty() && run.err.contains(refusal),
                     qPrintable(run.what()));
        }
        QVERIFY(!QFileInfo::exists(file("damaged.csv")));
        QVERIFY_RUN(Hvn35({"verify", "--port", device, file("edited.n35")}), 0);
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
        // A new radio holds the default bank partition: it reads without a word.
        const Run reading = Hvn35({"read", "--port", device, "-o", read});
        QVERIFY2(reading.status == 0 && reading.err.isEmpty(), qPrintable(reading.what()));
        if (written)
            QCOMPARE(Differences(defaultImage, read), QStringList());
        const Run run = Hvn35({"verify", "--port", device, read});
        QVERIFY2(run.status == 0 && run.err.isEmpty(), qPrintable(run.what()));
        QCOMPARE(run.out, QStringLiteral("no differences\n"));
    }

    void silentRadio_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("line");
        // What goes before the remedy that names the port.
        const QString negotiation = QStringLiteral("Negotiation Error: ");
        QTest::newRow("read") << QStringList{"read", "-o", work.filePath(QStringLiteral("silent.n35"))}
                              << negotiation;
        QTest::newRow("verify") << QStringList{"verify", defaultImage} << negotiation;
        QTest::newRow("write without backup")
            << QStringList{"write", "--no-backup", defaultImage} << negotiation;
        QTest::newRow("write") << QStringList{"write", "--backup-dir",
                                              work.filePath(QStringLiteral("silent")), defaultImage}
                               << QStringLiteral("The radio could not be backed up. Nothing was written: "
                                                 "Negotiation Error.; ");
        QTest::newRow("restore") << QStringList{"restore", backupOfDefault}
                                 << QStringLiteral("The backup was not restored: ");
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
        // The fixed text, then what to check on the port the user named.
        const QString expected = QStringLiteral("hvn35: error: ") + line +
                                 QStringLiteral("The radio did not answer on ") + radio->devicePath() +
                                 QStringLiteral(". Check that the radio is switched on and in clone mode");
        QVERIFY2(run.err.startsWith(expected) && run.errLines().size() == 1, qPrintable(run.err));
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
        // "4" is COM4, as in the window's menu; the remedy names no menu.
        for (const char *port : {"COM4", "4"}) {
            run = Hvn35({"verify", "--port", port, defaultImage});
            QCOMPARE(run.status, 1);
            QCOMPARE(run.err, QStringLiteral("hvn35: error: Port Error: COM4 (%1) ").arg(device) + remedy);
        }
        QFile::remove(PortLink(4));
    }
};

QTEST_MAIN(CliTest)
#include "test_cli.moc"
