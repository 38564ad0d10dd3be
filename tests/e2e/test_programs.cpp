// The built programs as a newcomer first runs them: --version, --help, a wrong option, and the emulator
// bound to a COM number in a folder that does not exist yet.

#include "buildversion.h"
#include "emulator/emulatorprocess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

struct Run {
    int status = -1;
    QString out;
    QString err;
};

// No display at all: --help and --version of the window's program must not need one.
Run Start(const QString &program, const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    Run run;
    if (!process.waitForFinished(30'000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

QString Emulator()
{
    return n35emu::EmulatorProcess::programPath();
}

} // namespace

class ProgramsTest : public QObject
{
    Q_OBJECT
private slots:
    void version_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("name");
        QTest::newRow("window") << QStringLiteral(N35_WRITER_PATH) << QStringLiteral("hvn35writer");
        QTest::newRow("emulator") << Emulator() << QStringLiteral("hvn35-emulator");
        QTest::newRow("command line") << QStringLiteral(N35_CLI_PROGRAM_PATH) << QStringLiteral("hvn35");
    }
    void version()
    {
        QFETCH(QString, program);
        QFETCH(QString, name);
        const Run run = Start(program, {QStringLiteral("--version")});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out,
                 QStringLiteral("%1 %2 (revision %3)\n")
                     .arg(name, QLatin1String(n35::BuildVersion), QLatin1String(n35::BuildRevision)));
        QVERIFY(
            QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+$")).match(n35::BuildVersion).hasMatch());
        QVERIFY(!QString::fromLatin1(n35::BuildRevision).isEmpty());
    }

    void help_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("usage");
        QTest::addColumn<QStringList>("mentioned");
        const QStringList emulatorOptions{"--load FILE",  "--save FILE",    "--link PATH", "--baud N",
                                          "--fault NAME", "--stop-after N", "--spin",      "-h, --help",
                                          "--version",    "silent",         "no-echo",     "echo-only",
                                          "short",        "lower-hex"};
        QTest::newRow("emulator --help")
            << Emulator() << QStringList{"--help"} << QStringLiteral("Usage: hvn35-emulator [OPTION]...")
            << emulatorOptions;
        QTest::newRow("emulator -h") << Emulator() << QStringList{"-h"}
                                     << QStringLiteral("Usage: hvn35-emulator [OPTION]...")
                                     << emulatorOptions;
        QTest::newRow("window --help") << QStringLiteral(N35_WRITER_PATH) << QStringList{"--help"}
                                       << QStringLiteral("Usage: hvn35writer [options]")
                                       << QStringList{"--help", "--version", "COMPort"};
    }
    void help()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(QString, usage);
        QFETCH(QStringList, mentioned);
        const Run run = Start(program, arguments);
        QCOMPARE(run.err, QString());
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out.section(QLatin1Char('\n'), 0, 0), usage);
        QVERIFY(run.out.endsWith(QLatin1Char('\n')));
        for (const QString &text : mentioned)
            QVERIFY2(run.out.contains(text), qPrintable(text));
    }

    void emulatorUsageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("problem");
        QTest::newRow("unknown option") << QStringList{"--frob"} << QStringLiteral("unknown option --frob");
        QTest::newRow("stray argument")
            << QStringList{"radio.bin"} << QStringLiteral("unexpected argument radio.bin");
        QTest::newRow("no value") << QStringList{"--load"} << QStringLiteral("missing value for --load");
        QTest::newRow("bad baud") << QStringList{"--baud", "0"} << QStringLiteral("bad baud rate 0");
        QTest::newRow("bad fault") << QStringList{"--fault", "loud"} << QStringLiteral("unknown fault loud");
        QTest::newRow("bad count") << QStringList{"--stop-after", "-1"}
                                   << QStringLiteral("bad command count -1");
    }
    void emulatorUsageErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, problem);
        const Run run = Start(Emulator(), arguments);
        QCOMPARE(run.status, 2);
        QCOMPARE(run.out, QString());
        QCOMPARE(run.err.section(QLatin1Char('\n'), 0, 0), QStringLiteral("hvn35-emulator: ") + problem);
        QVERIFY(run.err.contains(QStringLiteral("\nUsage: hvn35-emulator [OPTION]...\n")));
    }

    void emulatorLinksIntoNewFolders()
    {
        QTemporaryDir dir;
        const QString link = dir.filePath(QStringLiteral("HVN35Writer/ports/com5"));
        n35emu::EmulatorProcess radio({QStringLiteral("--link"), link});
        QString error;
        QVERIFY2(radio.start(&error), qPrintable(error));
        QCOMPARE(QFileInfo(link).symLinkTarget(), radio.devicePath());
        radio.stop();
        // The link goes with the emulator; the folders stay for the next one.
        QVERIFY(!QFileInfo(link).isSymLink());
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("HVN35Writer/ports"))).isDir());
    }

    void emulatorLinkUnderAFileFails()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("ports")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QString link = dir.filePath(QStringLiteral("ports/com5"));
        const Run run = Start(Emulator(), {QStringLiteral("--link"), link});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.out, QString());
        QCOMPARE(run.err, QStringLiteral("hvn35-emulator: cannot create %1: Not a directory\n").arg(link));
    }
};

QTEST_GUILESS_MAIN(ProgramsTest)
#include "test_programs.moc"
