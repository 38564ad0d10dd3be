// Choosing the serial port: what each COMn opens, and what the user is told when it will not.

#include "link/portresolver.h"
#include "link/serialradioport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace n35;

class PortResolverTest : public QObject
{
    Q_OBJECT

private slots:
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
};

QTEST_GUILESS_MAIN(PortResolverTest)
#include "test_portresolver.moc"
