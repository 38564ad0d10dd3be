#pragma once

#include "link/portresolver.h"
#include "link/radioport.h"

#include <QSerialPort>

namespace n35
{

// The real line: a QSerialPort at 57600 bit/s, 8 data bits, no parity, 1 stop bit, no handshaking.
class SerialRadioPort : public RadioPort
{
    Q_OBJECT
public:
    explicit SerialRadioPort(const PortResolver &resolver, QObject *parent = nullptr);

    void open(int portNumber) override;
    void close() override;
    bool isOpen() const override;
    void write(const QByteArray &data) override;
    QByteArray readAvailable() override;
    bool waitForWritten(int timeoutMs) override;
    void discardInput() override;
    QString lastFailure() const override { return failure; }
    QString deviceName() const override { return device; }

private:
    void onError(QSerialPort::SerialPortError error);

    const PortResolver &resolver;
    QSerialPort serial;
    QString device;
    QString failure;
};

// The detail text for a port that would not open, with the remedy the user can apply. `mayOpen`: the
// user has read and write access to the device, so a refusal means another program holds it.
QString DescribeOpenFailure(int portNumber, const QString &device, QSerialPort::SerialPortError error,
                            const QString &systemText, bool mayOpen = false);
// The detail text for a line that failed during a transfer (the device gone, the driver refusing it).
QString DescribeLineFailure(const QString &device, const QString &systemText);

} // namespace n35
