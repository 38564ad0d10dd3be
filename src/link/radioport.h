#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

namespace n35
{

// The serial line as the exchange needs it. Two implementations: SerialRadioPort (QSerialPort, real cables
// and the emulator's pty) and the tests' in-process fake.
class RadioPort : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Opens the line for port number 1..16 at 57600 8N1, no handshaking. Throws PortError with the reason.
    virtual void open(int portNumber) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Throws PortError when the line is not open or the driver refuses the data.
    virtual void write(const QByteArray &data) = 0;
    // Whatever has arrived, without blocking.
    virtual QByteArray readAvailable() = 0;
    // Waits, at most timeoutMs, until everything written has left the program for the driver; false
    // when some is still waiting. Closing the line drops what has not left.
    virtual bool waitForWritten(int timeoutMs) = 0;
    virtual void discardInput() = 0;
    // Non-empty after the driver reported a failure (device unplugged, I/O error) since the last open.
    virtual QString lastFailure() const = 0;
    // The device the line was opened on ("/dev/ttyUSB0"), to tell the user; empty where there is none.
    virtual QString deviceName() const { return {}; }

signals:
    void readyRead();
    void failed();
};

} // namespace n35
