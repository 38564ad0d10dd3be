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

QString PortResolver::deviceFor(int portNumber) const
{
    if (portNumber < 1 || portNumber > PortCount)
        return {};
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(portNumber);
#else
    const QDir dir(links);
    auto linkOf = [&](int number) { return QFileInfo(dir.filePath(QStringLiteral("com%1").arg(number))); };
    const QFileInfo own = linkOf(portNumber);
    if (own.isSymLink())
        return own.symLinkTarget();
    if (own.exists())
        return own.absoluteFilePath();

    // Unlinked numbers share out the devices that no link has taken, in order.
    QStringList taken;
    int unlinkedBefore = 0;
    for (int number = 1; number <= PortCount; ++number) {
        const QFileInfo info = linkOf(number);
        if (info.isSymLink())
            taken << info.symLinkTarget();
        else if (info.exists())
            taken << info.absoluteFilePath();
        else if (number < portNumber)
            ++unlinkedBefore;
    }
    QStringList free;
    for (const QString &device : systemDevices()) {
        if (!taken.contains(device))
            free << device;
    }
    return unlinkedBefore < free.size() ? free.at(unlinkedBefore) : QString();
#endif
}

QString PortResolver::describe(int portNumber) const
{
    const QString device = deviceFor(portNumber);
    return device.isEmpty() ? QStringLiteral("not connected") : device;
}

} // namespace n35
