// Choosing the serial port: the settings file's COMPORT line and what each COMn opens.

#include "link/portresolver.h"
#include "link/portsettings.h"
#include "link/serialradioport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

using namespace n35;

class PortSettingsTest : public QObject
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
        const PortSetting setting = ReadPortSetting(file.fileName());
        QVERIFY(ReadBackupSetting(file.fileName()) || !content.contains("BACKUP"));
        QCOMPARE(setting.port, port);
    }

    void resolverPrefersLinksThenSystemDevices()
    {
#ifdef Q_OS_WIN
        QSKIP("COMn is the system's own name on Windows");
#else
        QTemporaryDir dir;
        PortResolver resolver;
        resolver.setLinkDirectory(dir.path());
        resolver.setSystemDevices({QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyS0")});
        QVERIFY(QFile::link(QStringLiteral("/dev/pts/9"), dir.filePath(QStringLiteral("com5"))));
        QVERIFY(QFile::link(QStringLiteral("/dev/ttyS0"), dir.filePath(QStringLiteral("com2"))));

        // com2 takes ttyS0 by its link, so the unlinked COM1 gets the USB cable and COM3 nothing.
        QCOMPARE(resolver.deviceFor(5), QStringLiteral("/dev/pts/9"));
        QCOMPARE(resolver.deviceFor(2), QStringLiteral("/dev/ttyS0"));
        QCOMPARE(resolver.deviceFor(1), QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(resolver.deviceFor(3), QString());
        QCOMPARE(resolver.describe(3), QStringLiteral("not connected"));
        QCOMPARE(resolver.deviceFor(0), QString());
        QCOMPARE(resolver.deviceFor(17), QString());

        // A cable linked through its by-id name is not offered again under its kernel name.
        const QString cable = dir.filePath(QStringLiteral("ttyUSB7"));
        const QString byId = dir.filePath(QStringLiteral("usb-cable-if00"));
        QVERIFY(QFile(cable).open(QIODevice::WriteOnly));
        QVERIFY(QFile::link(cable, byId));
        QVERIFY(QFile::link(byId, dir.filePath(QStringLiteral("com4"))));
        resolver.setSystemDevices({cable, QStringLiteral("/dev/ttyUSB0")});
        const QStringList described = resolver.describeAll();
        QCOMPARE(described.filter(QLatin1String("ttyUSB7")).size() +
                     described.filter(QLatin1String("-if00")).size(),
                 1);
        QCOMPARE(resolver.deviceFor(1), QStringLiteral("/dev/ttyUSB0"));
#endif
    }

    void usbCablesComeFirst()
    {
        const QStringList sorted = SortSerialDevices(
            {QStringLiteral("/dev/ttyS1"), QStringLiteral("/dev/ttyUSB10"), QStringLiteral("/dev/ttyACM0"),
             QStringLiteral("/dev/ttyUSB2"), QStringLiteral("/dev/ttyS0")});
        QCOMPARE(sorted, (QStringList{QStringLiteral("/dev/ttyACM0"), QStringLiteral("/dev/ttyUSB2"),
                                      QStringLiteral("/dev/ttyUSB10"), QStringLiteral("/dev/ttyS0"),
                                      QStringLiteral("/dev/ttyS1")}));
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

    void openFailureSaysWhatToDo()
    {
        const QString unbound = DescribeOpenFailure(4, QString(), QSerialPort::DeviceNotFoundError, {});
        QVERIFY(unbound.contains(QLatin1String("COM4")));
        QVERIFY(unbound.contains(QLatin1String("not connected")));
        // The window and the command line both show it: it names no menu.
        QVERIFY2(!unbound.contains(QLatin1String("menu"), Qt::CaseInsensitive), qPrintable(unbound));
        const QString missing =
            DescribeOpenFailure(2, QStringLiteral("/dev/ttyUSB0"), QSerialPort::DeviceNotFoundError, {});
        QVERIFY(missing.contains(QLatin1String("/dev/ttyUSB0")));
#ifndef Q_OS_WIN
        // The system's "permission" on a device the user may open means another program holds it.
        const QString denied =
            DescribeOpenFailure(1, QStringLiteral("/dev/ttyUSB0"), QSerialPort::PermissionError, {}, false);
        QVERIFY(denied.contains(QLatin1String("dialout")) && !denied.contains(QLatin1String("in use")));
        const QString busy =
            DescribeOpenFailure(1, QStringLiteral("/dev/ttyUSB0"), QSerialPort::PermissionError, {}, true);
        QVERIFY(busy.contains(QLatin1String("COM1 (/dev/ttyUSB0) is in use by another program")));
        QVERIFY(!busy.contains(QLatin1String("dialout")) && !busy.contains(QLatin1String("ermission")));
#endif
        const QString gone = DescribeLineFailure(QStringLiteral("/dev/ttyUSB0"),
                                                 QStringLiteral("Inappropriate ioctl for device"));
        QVERIFY(gone.startsWith(
            QLatin1String("The radio stopped answering on /dev/ttyUSB0, or the device went away")));
    }

    // The file dialogs' folders survive the settings file, whatever their names hold.
    void foldersRoundTrip()
    {
        const QMap<QString, QString> folders{{QStringLiteral("N35"), QStringLiteral("/home/ann/無線 files")},
                                             {QStringLiteral("CSV"), QStringLiteral("/tmp/a:b%20c")},
                                             {QStringLiteral("PDF"), QStringLiteral("/")}};
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("HVN35Writer.INI"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Save Date\r\nCOMPORT:03\r\nBACKUP:0\r\n");
        for (const QString &line : FolderSettingLines(folders)) {
            QVERIFY2(line.startsWith(QLatin1String("FOLDER_")) &&
                         QString::fromLatin1(line.toLatin1()) == line,
                     qPrintable(line));
            file.write(line.toLatin1() + "\r\n");
        }
        file.write("File End\r\n");
        file.close();
        QCOMPARE(ReadFolderSettings(path), folders);
        QCOMPARE(ReadPortSetting(path).port, 3);
        QCOMPARE(ReadBackupSetting(path), false);
    }
};

QTEST_GUILESS_MAIN(PortSettingsTest)
#include "test_portsettings.moc"
