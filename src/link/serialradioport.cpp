#include "link/serialradioport.h"

#include "link/porterror.h"

#include <QDeadlineTimer>

#include <QFileInfo>

namespace n35
{

SerialRadioPort::SerialRadioPort(const PortResolver &resolver, QObject *parent)
    : RadioPort(parent), resolver(resolver)
{
    serial.setReadBufferSize(0);
    connect(&serial, &QSerialPort::readyRead, this, &RadioPort::readyRead);
    connect(&serial, &QSerialPort::errorOccurred, this, &SerialRadioPort::onError);
}

QString DescribeOpenFailure(int portNumber, const QString &device, QSerialPort::SerialPortError error,
                            const QString &systemText, bool mayOpen)
{
    const QString com = QStringLiteral("COM%1").arg(portNumber);
    if (device.isEmpty()) {
        return QStringLiteral("%1 is not connected to any serial device. Plug in the programming cable, or "
                              "choose another port.")
            .arg(com);
    }
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return QStringLiteral("%1 (%2) does not exist. Is the programming cable plugged in?")
            .arg(com, device);
    case QSerialPort::PermissionError:
#ifdef Q_OS_WIN
        return QStringLiteral("%1 is in use by another program, or access was denied.").arg(com);
#else
        // The system says "permission" also for a device another program holds (its lock file, or
        // exclusive use); a device this user may open is therefore one in use.
        if (mayOpen) {
            return QStringLiteral("%1 (%2) is in use by another program (another HV-N35 Writer, hvn35 or a "
                                  "terminal program). Close it, then try again.")
                .arg(com, device);
        }
        return QStringLiteral("Permission denied opening %1 (%2). On Linux, add your user to the dialout "
                              "group (sudo usermod -aG dialout $USER), then log out and in again.")
            .arg(com, device);
#endif
    default:
        return QStringLiteral("%1 (%2) could not be opened: %3").arg(com, device, systemText);
    }
}

QString DescribeLineFailure(const QString &device, const QString &systemText)
{
    return QStringLiteral("The radio stopped answering on %1, or the device went away (a cable pulled out?). "
                          "Check the cable and that the radio is on, then try again. (The system said: %2)")
        .arg(device, systemText);
}

void SerialRadioPort::open(int portNumber)
{
    close();
    failure.clear();
    device = resolver.deviceFor(portNumber);
    if (device.isEmpty())
        throw PortError(DescribeOpenFailure(portNumber, device, QSerialPort::DeviceNotFoundError, {}));
    serial.setPortName(device);
    if (!serial.open(QIODevice::ReadWrite)) {
        const QFileInfo file(device);
        const QString detail = DescribeOpenFailure(portNumber, device, serial.error(), serial.errorString(),
                                                   file.isReadable() && file.isWritable());
        serial.clearError();
        throw PortError(detail);
    }
    const bool configured = serial.setBaudRate(57600) && serial.setDataBits(QSerialPort::Data8) &&
                            serial.setParity(QSerialPort::NoParity) &&
                            serial.setStopBits(QSerialPort::OneStop) &&
                            serial.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        const QString detail =
            QStringLiteral("%1 does not accept 57600 bit/s, 8N1: %2").arg(device, serial.errorString());
        serial.close();
        throw PortError(detail);
    }
    failure.clear();
}

void SerialRadioPort::close()
{
    if (serial.isOpen())
        serial.close();
}

bool SerialRadioPort::isOpen() const
{
    return serial.isOpen();
}

void SerialRadioPort::write(const QByteArray &data)
{
    if (!serial.isOpen())
        throw PortError(QStringLiteral("The serial port is not open."));
    if (serial.write(data) != data.size())
        throw PortError(DescribeLineFailure(device, serial.errorString()));
    // Hand the command to the driver now rather than on the next turn of the event loop.
    serial.flush();
}

QByteArray SerialRadioPort::readAvailable()
{
    return serial.isOpen() ? serial.readAll() : QByteArray();
}

bool SerialRadioPort::waitForWritten(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (serial.isOpen() && serial.bytesToWrite() > 0 && !deadline.hasExpired()) {
        if (!serial.waitForBytesWritten(static_cast<int>(deadline.remainingTime())))
            break;
    }
    return !serial.isOpen() || serial.bytesToWrite() == 0;
}

void SerialRadioPort::discardInput()
{
    if (!serial.isOpen())
        return;
    serial.clear(QSerialPort::Input);
    serial.readAll();
}

void SerialRadioPort::onError(QSerialPort::SerialPortError error)
{
    // Timeouts and open failures are handled where they happen; the rest mean the line is gone.
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError || !serial.isOpen())
        return;
    failure = DescribeLineFailure(device, serial.errorString());
    serial.clearError();
    emit failed();
}

} // namespace n35
