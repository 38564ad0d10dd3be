// The settings file: what the program remembers between runs, and where the file lives.

#include "files/imagefile.h"
#include "files/settingsfile.h"
#include "model/cloneimage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

using namespace n35;

class SettingsFileTest : public QObject
{
    Q_OBJECT

private slots:
    void comportLine_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("port");
        QTest::newRow("07") << QByteArray("Save Date and Time x\r\nCOMPORT:07\r\nFile End\r\n") << 7;
        QTest::newRow("16, LF only") << QByteArray("COMPORT:16\n") << 16;
        QTest::newRow("01 last line without end") << QByteArray("x\r\nCOMPORT:01") << 1;
        QTest::newRow("one digit") << QByteArray("COMPORT:7\r\n") << 1;
        QTest::newRow("00") << QByteArray("COMPORT:00\r\n") << 1;
        QTest::newRow("xx") << QByteArray("COMPORT:xx\r\n") << 1;
        QTest::newRow("17 names no menu item") << QByteArray("COMPORT:17\r\n") << 1;
        QTest::newRow("three digits") << QByteArray("COMPORT:012\r\n") << 1;
        QTest::newRow("no COMPORT line") << QByteArray("CH0850:02\r\nFile End\r\n") << 1;
        QTest::newRow("empty file") << QByteArray("") << 1;
        QTest::newRow("first COMPORT line counts") << QByteArray("COMPORT:05\r\nCOMPORT:09\r\n") << 5;
        QTest::newRow("lower-case key") << QByteArray("comport:05\r\n") << 1;
        QTest::newRow("options off, blanks around")
            << QByteArray("COMPORT:04\r\n  BACKUP:0 \r\nAUTOSHIFT:0\r\nFile End\r\n") << 4;
        QTest::newRow("first option line counts")
            << QByteArray("BACKUP:0\r\nBACKUP:1\r\nAUTOSHIFT:0\r\nAUTOSHIFT:1\r\n") << 1;
        QTest::newRow("no file") << QByteArray() << 1; // null: not written
        // A pipe in the file's place would hold the program at start; it is passed over like a folder.
        QTest::newRow("a pipe") << QByteArray("fifo") << 1;
        QTest::newRow("a folder") << QByteArray("folder") << 1;
        QTest::newRow("over 1 MB") << QByteArray("COMPORT:05\r\n") + QByteArray(1 << 20, 'x') << 1;
    }
    void comportLine()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, port);
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("HVN35Writer.INI")));
        if (content == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(file.fileName()).constData(), 0600), 0);
        else if (content == "folder")
            QVERIFY(QDir().mkpath(file.fileName()));
        else
            QVERIFY(content.isNull() ||
                    (file.open(QIODevice::WriteOnly) && file.write(content) == content.size()));
        file.close();
        const ProgramSettings settings = ProgramSettings::read(file.fileName());
        QCOMPARE(settings.port, port);
        QCOMPARE(settings.backupBeforeWriting, !content.contains("BACKUP:0"));
        QCOMPARE(settings.automaticShift, !content.contains("AUTOSHIFT:0"));
    }

    void settingsFolderRule_data()
    {
        QTest::addColumn<QString>("program"); // under the test's own folder unless absolute
        QTest::addColumn<bool>("beside");     // the settings file goes beside the program
        QTest::newRow("portable copy") << "hvn35" << true;
        QTest::newRow("build folder") << "build" << false;
        QTest::newRow("inside a build folder") << "build/tests" << false;
        QTest::newRow("installation folder") << "Program Files/HVN35Writer" << false;
        QTest::newRow("another user's folder") << "theirs" << false;
        QTest::newRow("no such folder") << "missing/bin" << false;
        QTest::newRow("/usr/bin") << "/usr/bin" << false;
        QTest::newRow("/usr/local/bin") << "/usr/local/bin" << false;
        QTest::newRow("/opt") << "/opt" << false;
    }
    void settingsFolderRule()
    {
        QFETCH(QString, program);
        QFETCH(bool, beside);
        QTemporaryDir work;
        QDir root(work.path());
        for (const char *folder : {"hvn35", "build/tests", "Program Files/HVN35Writer", "theirs"})
            QVERIFY(root.mkpath(QString::fromLatin1(folder)));
        QFile cache(root.filePath(QStringLiteral("build/CMakeCache.txt")));
        QVERIFY(cache.open(QIODevice::WriteOnly));
        cache.close();
#ifndef Q_OS_WIN
        if (program == QLatin1String("theirs") &&
            ::chown(QFile::encodeName(root.filePath(program)).constData(), 65534, 65534) != 0)
            QSKIP("only root can give a folder to another user");
#endif
        const QString folder = program.startsWith(QLatin1Char('/')) ? program : root.filePath(program);
        const QString config = root.filePath(QStringLiteral("config"));
        const QStringList installed = InstallationFolders() << root.filePath(QStringLiteral("Program Files"));
        QCOMPARE(SettingsFolderFor(folder, config, installed), beside ? folder : config);
    }

    // Everything the program remembers survives the settings file, whatever the names hold, and the
    // image before the program's lines is a clone image file the reader of images takes.
    void settingsRoundTrip()
    {
        ProgramSettings settings;
        settings.port = 3;
        settings.backupBeforeWriting = false;
        settings.automaticShift = false;
        settings.folders = {{QStringLiteral("N35"), QStringLiteral("/home/ann/無線 files")},
                            {QStringLiteral("CSV"), QStringLiteral("/tmp/a:b%20c")},
                            {QStringLiteral("PDF"), QStringLiteral("/")}};
        for (int i = 0; i < RecentFiles::Limit + 2; ++i)
            settings.recent.add(QStringLiteral("/radios/%1 & 無線.N35").arg(i));
        settings.recent.add(QStringLiteral("/radios/3 & 無線.N35")); // again: first, and only once
        QCOMPARE(settings.recent.paths().size(), RecentFiles::Limit);
        QCOMPARE(settings.recent.paths().first(), QStringLiteral("/radios/3 & 無線.N35"));
        for (const QString &line : settings.lines())
            QVERIFY2(QString::fromLatin1(line.toLatin1()) == line, qPrintable(line));

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("HVN35Writer.INI"));
        CloneImage image;
        QVERIFY(SaveProgramSettings(path, image, settings));
        const ProgramSettings read = ProgramSettings::read(path);
        QCOMPARE(read.port, 3);
        QCOMPARE(read.backupBeforeWriting, false);
        QCOMPARE(read.automaticShift, false);
        QCOMPARE(read.folders, settings.folders);
        QCOMPARE(read.recent.paths(), settings.recent.paths());
        CloneImage loaded;
        QVERIFY(QFile::copy(path, dir.filePath(QStringLiteral("copy.N35"))));
        const Result<LoadNotices> outcome = LoadImageFile(dir.filePath(QStringLiteral("copy.N35")), loaded);
        QVERIFY2(outcome.ok(), qPrintable(outcome.ok() ? QString() : outcome.problem().describe()));
    }
};

QTEST_GUILESS_MAIN(SettingsFileTest)
#include "test_settingsfile.moc"
