#include "link/portresolver.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QStandardPaths>
#include <algorithm>
#include <tuple>

namespace n35
{

PortResolver::PortResolver() : links(defaultLinkDirectory()) {}

QString PortResolver::defaultLinkDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/HVN35Writer/ports");
}

void PortResolver::setSystemDevices(const QStringList &devices)
{
    fixedDevices = devices;
    fixed = true;
}

QStringList PortResolver::systemDevices() const
{
    if (fixed)
        return fixedDevices;
    QStringList found;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        found << info.systemLocation();
    return SortSerialDevices(found);
}

static bool isUsbSerial(const QString &device)
{
    const QString name = QFileInfo(device).fileName();
    return name.startsWith(QLatin1String("ttyUSB")) || name.startsWith(QLatin1String("ttyACM"));
}

QStringList SortSerialDevices(QStringList devices)
{
    // "/dev/ttyUSB10" -> ("/dev/ttyUSB", 10), so that numbers sort as numbers.
    auto key = [](const QString &device) {
        qsizetype digits = device.size();
        while (digits > 0 && device.at(digits - 1).isDigit())
            --digits;
        return std::make_tuple(!isUsbSerial(device), device.left(digits), device.mid(digits).toLongLong(),
                               device);
    };
    std::stable_sort(devices.begin(), devices.end(),
                     [&](const QString &a, const QString &b) { return key(a) < key(b); });
    return devices;
}

QStringList PortResolver::devices() const
{
    QStringList result;
#ifdef Q_OS_WIN
    for (int number = 1; number <= PortCount; ++number)
        result << QStringLiteral("COM%1").arg(number);
#else
    // Linked numbers open their link's target; the others share out, in order, the devices that no link
    // has taken. A link may reach its device through other links (/dev/serial/by-id/...), so devices are
    // compared by the file they finally name: one cable never shows under two numbers.
    auto identity = [](const QString &device) {
        const QString canonical = QFileInfo(device).canonicalFilePath();
        return canonical.isEmpty() ? device : canonical;
    };
    const QDir dir(links);
    QStringList taken;
    for (int number = 1; number <= PortCount; ++number) {
        const QFileInfo info(dir.filePath(QStringLiteral("com%1").arg(number)));
        result << (info.isSymLink() ? info.symLinkTarget()
                   : info.exists()  ? info.absoluteFilePath()
                                    : QString());
        if (!result.last().isEmpty())
            taken << identity(result.last());
    }
    QStringList free;
    for (const QString &device : systemDevices()) {
        if (!taken.contains(identity(device)))
            free << device;
    }
    for (QString &device : result) {
        if (device.isEmpty() && !free.isEmpty())
            device = free.takeFirst();
    }
#endif
    return result;
}

QString PortResolver::deviceFor(int portNumber) const
{
    if (portNumber < 1 || portNumber > PortCount)
        return {};
    return devices().at(portNumber - 1);
}

static QString describeDevice(const QString &device)
{
    return device.isEmpty() ? QStringLiteral("not connected") : device;
}

QString PortResolver::describe(int portNumber) const
{
    return describeDevice(deviceFor(portNumber));
}

QStringList PortResolver::describeAll() const
{
    QStringList descriptions;
    for (const QString &device : devices())
        descriptions << describeDevice(device);
    return descriptions;
}

} // namespace n35
