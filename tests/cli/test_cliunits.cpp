// The pieces of hvn35 without a process: the command table and its parser, the progress bar, the port
// argument, one-line messages and the summary of "show".

#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/progressbar.h"
#include "cli/radioconnection.h"
#include "cli/summary.h"
#include "model/channelcells.h"
#include "model/cloneimage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <array>

using namespace n35;
using namespace n35::cli;

using Kind = ParsedCommandLine::Kind;
Q_DECLARE_METATYPE(n35::cli::ParsedCommandLine::Kind)

class CliUnitsTest : public QObject
{
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("text"); // usage error text, or the start of the help/version text

        auto row = [](const char *name, QStringList arguments, Kind kind, const char *text) {
            QTest::newRow(name) << arguments << kind << QString::fromLatin1(text);
        };
        const Kind Error = Kind::UsageError, Help = Kind::Help, Run = Kind::Run;
        row("nothing", {}, Error, "no command given");
        row("unknown command", {"frob"}, Error, "unknown command \"frob\"");
        row("unknown global option", {"--frob"}, Error, "unknown option --frob");
        row("general help", {"--help"}, Help, "Usage: hvn35 COMMAND");
        row("general help short", {"-h"}, Help, "Usage: hvn35 COMMAND");
        row("help word", {"help"}, Help, "Usage: hvn35 COMMAND");
        row("help of a command", {"help", "write"}, Help, "Usage: hvn35 write");
        row("help of nothing known", {"help", "frob"}, Error, "\"help\" takes one command name");
        row("version", {"--version"}, Kind::Version, "hvn35 " N35_VERSION);
        row("version and more", {"--version", "x"}, Error, "--version takes nothing else");
        row("ports", {"ports"}, Run, "");
        row("ports with an argument", {"ports", "x"}, Error, "unexpected argument \"x\"");
        row("read without output", {"read"}, Error, "--output FILE is missing");
        row("read, output without value", {"read", "-o"}, Error, "--output FILE needs a value");
        row("read, empty inline value", {"read", "--output="}, Error, "--output FILE needs a value");
        row("read, empty port", {"read", "-o", "a.n35", "--port", ""}, Error, "--port PORT needs a value");
        row("port forgotten before -o", {"read", "--port", "-o", "a.n35"}, Error,
            "--port PORT needs a value");
        row("port forgotten before --verify", {"write", "a.n35", "--port", "--verify"}, Error,
            "--port PORT needs a value");
        row("read twice", {"read", "-o", "a.n35", "--output", "b.n35"}, Error, "--output is given twice");
        row("read, a stray argument", {"read", "-o", "a.n35", "b.n35"}, Error,
            "unexpected argument \"b.n35\"");
        row("write without file", {"write", "--verify"}, Error, "FILE is missing");
        row("flag with a value", {"write", "a.n35", "--verify=yes"}, Error, "--verify takes no value");
        row("option of another command", {"show", "a.n35", "--port", "COM1"}, Error, "unknown option --port");
        row("unknown short option", {"show", "-x", "a.n35"}, Error, "unknown option -x");
        row("help beats mistakes", {"read", "--frob", "--help"}, Help, "Usage: hvn35 read");
        row("help after -- is a file", {"show", "--", "--help"}, Run, "");
        row("import needs --into", {"import", "a.csv", "-o", "b.n35"}, Error, "--into FILE is missing");
        row("import complete", {"import", "a.csv", "--into", "b.n35", "-o", "c.n35"}, Run, "");
        row("export complete", {"export", "a.n35", "-o", "a.csv"}, Run, "");
    }
    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(Kind, kind);
        QFETCH(QString, text);
        const ParsedCommandLine parsed = ParseCommandLine(arguments);
        QCOMPARE(parsed.kind, kind);
        if (kind == Kind::UsageError)
            QCOMPARE(parsed.text, text);
        else if (kind != Kind::Run)
            QVERIFY2(parsed.text.startsWith(text), qPrintable(parsed.text));
        if (kind == Kind::Run)
            QCOMPARE(parsed.invocation.command, FindCommand(arguments.first()));
    }

    void optionValues_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("values"); // name=value, sorted by name
        QTest::addColumn<QStringList>("positionals");

        QTest::newRow("separate values") << QStringList{"read", "--port", "COM5", "-o", "x.n35"}
                                         << QStringList{"output=x.n35", "port=COM5"} << QStringList{};
        QTest::newRow("inline values") << QStringList{"read", "--port=/dev/ttyUSB0", "--output=a=b.n35"}
                                       << QStringList{"output=a=b.n35", "port=/dev/ttyUSB0"} << QStringList{};
        QTest::newRow("flags anywhere") << QStringList{"write", "--no-backup", "f.n35", "--verify"}
                                        << QStringList{"no-backup=", "verify="} << QStringList{"f.n35"};
        QTest::newRow("a file named like an option") << QStringList{"write", "--verify", "--", "-f.n35"}
                                                     << QStringList{"verify="} << QStringList{"-f.n35"};
        QTest::newRow("a value that starts with a dash")
            << QStringList{"export", "a.n35", "-o", "-x.csv"} << QStringList{"output=-x.csv"}
            << QStringList{"a.n35"};
        QTest::newRow("import") << QStringList{"import", "-o", "c.n35", "a.csv", "--into", "b.n35"}
                                << QStringList{"into=b.n35", "output=c.n35"} << QStringList{"a.csv"};
    }
    void optionValues()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, values);
        QFETCH(QStringList, positionals);
        const ParsedCommandLine parsed = ParseCommandLine(arguments);
        QCOMPARE(parsed.kind, Kind::Run);
        QStringList got;
        for (auto it = parsed.invocation.values.cbegin(); it != parsed.invocation.values.cend(); ++it)
            got << it.key() + QLatin1Char('=') + it.value();
        QCOMPARE(got, values);
        QCOMPARE(parsed.invocation.arguments, positionals);
    }

    void helpNamesEveryOption()
    {
        QStringList names;
        for (const Command &command : Commands()) {
            names << command.name;
            const QString help = CommandHelp(command);
            QVERIFY(help.startsWith(QStringLiteral("Usage: hvn35 ") + command.name));
            for (const CommandOption &option : command.options) {
                QVERIFY2(help.contains(QStringLiteral("--") + option.name),
                         qPrintable(command.name + option.name));
                QVERIFY(!option.help.isEmpty());
            }
            for (const QString &argument : command.arguments)
                QVERIFY(help.contains(argument));
            QVERIFY2(GeneralHelp().contains(QStringLiteral("  ") + command.name + QStringLiteral(" ")),
                     qPrintable(command.name));
            // Wrapped for an ordinary terminal.
            for (const QString &line : help.split(QLatin1Char('\n')))
                QVERIFY2(line.size() <= 100, qPrintable(line));
        }
        QCOMPARE(names, (QStringList{"ports", "read", "write", "restore", "backups", "verify", "export",
                                     "import", "show"}));
    }

    void helpOfThreeLinesKeepsItsColumn()
    {
        const QStringList help = CommandHelp(*FindCommand("import")).split('\n');
        const qsizetype at = help.indexOf(help.filter(QRegularExpression("^  --format")).value(0));
        const QString indent(21, ' ');
        QCOMPARE(
            help.mid(at, 3),
            (QStringList{
                "  --format FORMAT    n35 (default): this program's CSV file, all 952 rows in grid order; "
                "chirp: the",
                indent + "channel list other radio programmers exchange (UTF-8, a line per used channel,",
                indent + "frequencies in MHz)"}));
    }

    void progressLine_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<qint64>("elapsedMs");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("line");

        const struct {
            const char *tag, *caption;
            int value, maximum, elapsedMs, width;
            const char *line;
        } rows[] = {{"start", "read", 0, 10, 0, 40, "read [----------------]   0%  ETA --:--"},
                    {"half", "read", 5, 10, 10000, 40, "read [########---------]  50%  ETA 0:10"},
                    {"third", "read", 1, 3, 1000, 40, "read [#####------------]  33%  ETA 0:02"},
                    {"done", "read", 10, 10, 5000, 40, "read [#################] 100%  ETA 0:00"},
                    {"beyond the end", "read", 12, 10, 5000, 40, "read [#################] 100%  ETA 0:00"},
                    {"no maximum", "x", 0, 0, 0, 31, "x [----------]   0%  ETA --:--"},
                    {"narrow: cut, never wrapped", "reading channels", 1, 2, 1000, 20, "reading channels [#"},
                    {"long wait", "w", 1, 100, 40000, 40, "w [-----------------]   1%  ETA 1:06:00"}};
        for (const auto &r : rows)
            QTest::newRow(r.tag) << QString::fromLatin1(r.caption) << r.value << r.maximum
                                 << qint64(r.elapsedMs) << r.width << QString::fromLatin1(r.line);
    }
    void progressLine()
    {
        QFETCH(QString, caption);
        QFETCH(int, value);
        QFETCH(int, maximum);
        QFETCH(qint64, elapsedMs);
        QFETCH(int, width);
        QFETCH(QString, line);
        const QString got = ProgressLine(caption, value, maximum, elapsedMs, width);
        QCOMPARE(got, line);
        QVERIFY(got.size() <= width - 1);
    }

    void duration_data()
    {
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << "0:00";
        QTest::newRow("negative") << qint64(-5000) << "0:00";
        QTest::newRow("rounds down") << qint64(499) << "0:00";
        QTest::newRow("rounds up") << qint64(500) << "0:01";
        QTest::newRow("a minute") << qint64(60'000) << "1:00";
        QTest::newRow("just under an hour") << qint64(3'599'000) << "59:59";
        QTest::newRow("an hour") << qint64(3'600'000) << "1:00:00";
        QTest::newRow("hours") << qint64(3'723'000) << "1:02:03";
    }
    void duration()
    {
        QFETCH(qint64, ms);
        QFETCH(QString, text);
        QCOMPARE(FormatDuration(ms), text);
    }

    void progressRedrawsInPlaceAndSparingly()
    {
        QList<QByteArray> drawn;
        qint64 now = 1000;
        {
            TerminalProgress bar(
                {QStringLiteral("read")}, [&](const QByteArray &b) { drawn << b; }, [&] { return now; }, 40);
            bar.start(100);
            QCOMPARE(drawn.size(), 1);
            QCOMPARE(drawn.last(), QByteArray("\rread [----------------]   0%  ETA --:--"));
            // Steps closer together than the redraw interval are not drawn one by one.
            for (int i = 0; i < 9; ++i) {
                now += 10;
                bar.advance();
            }
            QCOMPARE(drawn.size(), 1);
            now += 10;
            bar.advance(); // 100 ms after the last line
            QCOMPARE(drawn.size(), 2);
            QCOMPARE(drawn.last(), QByteArray("\rread [#----------------]  10%  ETA 0:01"));
            for (int i = 0; i < 89; ++i)
                bar.advance(); // no time passes
            QCOMPARE(drawn.size(), 2);
            bar.advance(); // the last step is always shown
            QCOMPARE(drawn.size(), 3);
            QVERIFY(drawn.last().contains("100%"));
            for (const QByteArray &line : drawn) {
                QVERIFY(line.startsWith('\r'));
                QVERIFY(!line.contains('\n'));
                QCOMPARE(line.size(), 40); // CR and 39 columns: a shorter line overwrites all of a longer one
            }
        }
        // Going away wipes the line.
        QCOMPARE(drawn.size(), 4);
        QCOMPARE(drawn.last(), QByteArray("\r") + QByteArray(39, ' ') + "\r");
    }

    void progressPhasesAndClearing()
    {
        QList<QByteArray> drawn;
        qint64 now = 0;
        TerminalProgress bar(
            {QStringLiteral("reading settings"), QStringLiteral("reading channels")},
            [&](const QByteArray &b) { drawn << b; }, [&] { return now; }, 60);
        bar.clear();
        QVERIFY(drawn.isEmpty()); // nothing drawn, nothing to wipe
        bar.start(22);
        QVERIFY(drawn.last().startsWith("\rreading settings ["));
        now += 5000;
        bar.start(952);
        QVERIFY(drawn.last().startsWith("\rreading channels ["));
        // A phase's estimate starts with the phase: the previous one's time does not count.
        now += 1000;
        bar.advance();
        now += 1000;
        bar.advance();
        QVERIFY2(drawn.last().contains("ETA 15:50"), drawn.last().constData());
        bar.start(5);
        QVERIFY(drawn.last().startsWith("\rreading channels [")); // the last caption repeats
        bar.clear();
        QCOMPARE(drawn.last(), QByteArray("\r") + QByteArray(59, ' ') + "\r");
        const qsizetype count = drawn.size();
        bar.clear();
        QCOMPARE(drawn.size(), count);
    }

    void portArgument_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("number"); // -1: refused
        QTest::addColumn<QString>("device");

        QTest::newRow("COM1") << "COM1" << 1 << "";
        QTest::newRow("lower case") << "com16" << 16 << "";
        QTest::newRow("leading zero") << "Com05" << 5 << "";
        QTest::newRow("number alone") << "5" << 5 << "";
        QTest::newRow("number with a zero") << "016" << 16 << "";
        QTest::newRow("number too large") << "17" << -1 << "";
        QTest::newRow("number zero") << "0" << -1 << "";
        QTest::newRow("COM0") << "COM0" << -1 << "";
        QTest::newRow("COM17") << "COM17" << -1 << "";
        QTest::newRow("empty") << "" << -1 << "";
        QTest::newRow("blank") << "  " << -1 << "";
        QTest::newRow("device") << "/dev/ttyUSB0" << 0 << "/dev/ttyUSB0";
        QTest::newRow("by id") << "/dev/serial/by-id/usb-x" << 0 << "/dev/serial/by-id/usb-x";
        QTest::newRow("relative path")
            << "pty" << 0 << QDir::current().absoluteFilePath(QStringLiteral("pty"));
        QTest::newRow("not a COM number")
            << "COMX" << 0 << QDir::current().absoluteFilePath(QStringLiteral("COMX"));
    }
    void portArgument()
    {
        QFETCH(QString, text);
        QFETCH(int, number);
        QFETCH(QString, device);
        const Result<PortTarget> target = ParsePortArgument(text);
        if (number < 0) {
            QVERIFY(!target);
            QCOMPARE(target.problem().what, QStringLiteral("--port"));
            if (!text.trimmed().isEmpty())
                QCOMPARE(target.problem().why, text + QStringLiteral(" is not one of COM1..COM16"));
            return;
        }
        QVERIFY(target);
        QCOMPARE(target->number, number);
        QCOMPARE(target->device, device);
        QCOMPARE(target->isPath(), number == 0);
    }

    void oneLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("detail");
        QTest::addColumn<QString>("line");
        const std::array<const char *, 4> rows[] = {
            {"text alone", "Negotiation Error.", "", "Negotiation Error."},
            {"with detail", "Read title Error.", "Block 1: not hex", "Read title Error: Block 1: not hex"},
            {"text without stop", "Port Error", "COM3 (/dev/x) does not exist.",
             "Port Error: COM3 (/dev/x) does not exist."},
            {"lines joined", "Port Error", "a\nb\r\n\nc\n", "Port Error: a; b; c"},
            {"detail alone", "", "x", "x"},
            {"blank detail", "text\n\n", "  \n ", "text"}};
        for (const auto &[tag, text, detail, line] : rows)
            QTest::newRow(tag) << QString::fromLatin1(text) << QString::fromLatin1(detail)
                               << QString::fromLatin1(line);
    }
    void oneLine()
    {
        QFETCH(QString, text);
        QFETCH(QString, detail);
        QFETCH(QString, line);
        QCOMPARE(OneLine(text, detail), line);
    }

    void extensions()
    {
        QString kinds; // i: an image file's name, c: a CSV file's, -: neither
        for (const char *name : {"a.N35", "/x/a.n35", "a.n35.bak", "n35", "a.CSV", "a.csv", "a.tsv"})
            kinds += HasImageExtension(QLatin1String(name)) ? u'i'
                     : HasCsvExtension(QLatin1String(name)) ? u'c'
                                                            : u'-';
        QCOMPARE(kinds, QStringLiteral("ii--cc-"));
    }

    void summaryOfStartUpImage()
    {
        QStringList expected{"Banks: 5 of 50 hold channels, 500 channels in all"};
        for (int bank = 0; bank < 5; ++bank)
            expected << QStringLiteral("  bank  %1: 100 channels").arg(bank);
        expected << "Channels: 2 of 952 used"
                 << "  CALL-222       222.00000MHz"
                 << "  CALL-900       902.00000MHz"
                 << "One-touch keys:";
        for (int key = 1; key <= 9; ++key)
            expected << QStringLiteral("  key %1: disabled").arg(key);
        expected << "Title: none (still)"
                 << "Settings that differ from the start-up defaults: none";
        QCOMPARE(SummarizeImage(CloneImage()), expected);
    }

    void summaryOfVariedImage()
    {
        CloneImage image;
        BankPartition::Counts counts{};
        counts[0] = 120;
        counts[9] = 300;
        counts[49] = 80;
        image.banks.setCounts(counts);
        ChannelCells cells = CallChannelDefaults(QStringLiteral("223.50000MHz"));
        cells[ColName - 1] = QStringLiteral("REPEATER \\1");
        image.channels.setCells(2, cells);
        image.channels.setCells(130, CallChannelDefaults(QStringLiteral("1270.00625MHz")));
        image.channels.setCells(Call222Channel, ChannelCells{}); // an empty row is not listed, whatever it is
        image.oneTouch.setDisabled(1, false);
        image.oneTouch.setBank(1, 9);
        image.oneTouch.setPosition(1, 299);
        image.title.setText(QStringLiteral(" \\1 RADIO      ")); // padded as the radio pads it
        image.title.setMotion(1);
        image.dtmf.setMemory(4, QStringLiteral("*12#"));
        image.bankLinks.setLinked(10, 49, true);
        image.bankLinks.setLinked(10, 0, true);
        image.settings.setIndex(SetModeSettings::LanguageOption, 0);
        image.settings.setIndex({OptionGroup::Key, 6}, 44);

        const QStringList lines = SummarizeImage(image);
        auto at = [&](const char *line) { return lines.indexOf(QString::fromLatin1(line)); };
        QCOMPARE(lines.mid(0, 8),
                 (QStringList{"Banks: 3 of 50 hold channels, 500 channels in all", "  bank  0: 120 channels",
                              "  bank  9: 300 channels", "  bank 49:  80 channels", "Channels: 3 of 952 used",
                              "  Bank00-001     223.50000MHz  REPEATER \\1", "  Bank09-009    1270.00625MHz",
                              "  CALL-900       902.00000MHz"}));
        QVERIFY(at("  key 1: disabled") > at("One-touch keys:"));
        QVERIFY(at("  key 2: bank 9, channel 299") > 0);
        QVERIFY(at("Title: \" \\1 RADIO\" (slide)") > 0);
        QVERIFY(at("  memory 4: *12#") == at("DTMF memories:") + 1);
        QVERIFY(at("  GroupB: banks 0,49") == at("Bank links:") + 1);
        const int settings = at("Settings that differ from the start-up defaults: 2");
        QVERIFY(settings > 0);
        // English whatever the radio's language, in the page's order.
        QCOMPARE(lines.mid(settings + 1),
                 (QStringList{"  Language: Japanese",
                              "  Wild key assign: " + KeyFunctionTexts(Language::English).at(44)}));
    }
};

QTEST_MAIN(CliUnitsTest)
#include "test_cliunits.moc"
