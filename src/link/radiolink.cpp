#include "link/radiolink.h"

#include "link/porterror.h"
#include "link/radiomemory.h"
#include "link/radioport.h"

#include <QEventLoop>
#include <QScopeGuard>
#include <QTimer>

namespace n35
{

RadioLink::RadioLink(RadioPort &port) : radioPort(port) {}

void RadioLink::setPortNumber(int portNumber)
{
    number = portNumber;
    radioPort.close();
}

void RadioLink::ensureOpen()
{
    if (!radioPort.isOpen())
        radioPort.open(number);
}

void RadioLink::close()
{
    radioPort.close();
}

void RadioLink::refuseWhileBusy() const
{
    if (busy) {
        throw PortError(QStringLiteral("A command was not sent: the radio is still answering another one. "
                                       "Wait until that transfer has finished."));
    }
}

QString RadioLink::ExchangeCommand(const QString &command)
{
    refuseWhileBusy();
    ensureOpen();
    busy = true;
    const auto done = qScopeGuard([this] { busy = false; });
    const QByteArray sent = command.toLatin1() + '\r';
    const qsizetype n = sent.size();

    radioPort.discardInput();
    QByteArray received;
    bool complete = false;
    bool portFailed = false;

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    auto collect = [&] {
        received += radioPort.readAvailable();
        // The echo line is exactly n + 2 long; the reply ends at the first CR LF after it.
        if (received.size() > n + 2 && received.endsWith("\r\n")) {
            complete = true;
            loop.quit();
        }
    };
    auto onFailure = [&] {
        portFailed = true;
        loop.quit();
    };
    const auto readyConnection = QObject::connect(&radioPort, &RadioPort::readyRead, &loop, collect);
    const auto failConnection = QObject::connect(&radioPort, &RadioPort::failed, &loop, onFailure);

    timer.start(timeoutMs);
    radioPort.write(sent);
    ++counters.commands;
    counters.bytesSent += n;
    collect(); // a fast radio may already have answered
    if (!complete && !portFailed)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    timer.stop();
    QObject::disconnect(readyConnection);
    QObject::disconnect(failConnection);
    if (!complete && !portFailed)
        received += radioPort.readAvailable();
    counters.bytesReceived += received.size();

    if (portFailed)
        throw PortError(radioPort.lastFailure());

    const qsizetype length = received.size();
    if (length <= n)
        return {};
    if (length < n + 4) {
        throw PortError(QStringLiteral("The radio answered %1 with its echo and %2 more character(s) only; "
                                       "the reply cannot be separated.")
                            .arg(command)
                            .arg(length - n));
    }
    return QString::fromLatin1(received.mid(n + 2, length - n - 4));
}

bool RadioLink::Identify()
{
    return ExchangeCommand(QString::fromLatin1(IdentifyCommand)) == QLatin1String("OK");
}

void RadioLink::SendReset()
{
    refuseWhileBusy();
    ensureOpen();
    busy = true;
    const auto done = qScopeGuard([this] { busy = false; });
    const QByteArray sent = QByteArray(ResetCommand) + '\r';
    radioPort.write(sent);
    ++counters.commands;
    counters.bytesSent += sent.size();
    // A USB adapter still holding the command when the port closes may drop or garble it.
    if (!radioPort.waitForWritten(ResetDrainMs))
        throw PortError(
            QStringLiteral("The reset command could not be sent within %1 ms.").arg(ResetDrainMs));
}

QString RadioLink::ReadBlock(const QString &address)
{
    if (mirror) {
        if (const std::optional<QByteArray> known = mirror->bytes(address.toInt(nullptr, 16), 64))
            return QString::fromLatin1(known->toHex().toUpper());
    }
    QString reply = ExchangeCommand(QStringLiteral("ZQ~F") + address + QLatin1Char('R'));
    if (reply.size() != 128)
        return {};
    return reply;
}

bool RadioLink::WriteBlock(const QString &address, const QString &hex)
{
    const int at = address.toInt(nullptr, 16);
    const QByteArray bytes = QByteArray::fromHex(hex.toLatin1());
    if (mirror && mirror->bytes(at, static_cast<int>(bytes.size())) == bytes) {
        ++counters.blocksSkipped;
        return true;
    }
    ++counters.blocksWritten;
    const bool taken =
        ExchangeCommand(QStringLiteral("ZQ~F") + address + QLatin1Char('W') + hex) == QLatin1String("OK");
    if (mirror && taken)
        mirror->store(at, bytes);
    return taken;
}

TransferOutcome NegotiationError(RadioLink &link)
{
    TransferOutcome outcome = NegotiationError();
    const QString device = link.port().deviceName();
    const QString port = device.isEmpty() ? QStringLiteral("COM%1").arg(link.portNumber())
                                          : QStringLiteral("COM%1 (%2)").arg(link.portNumber()).arg(device);
    outcome.message.detail =
        QStringLiteral(
            "The radio did not answer on %1. Check that the radio is switched on and in clone mode, "
            "that the programming cable is plugged firmly into the radio and into this port, and "
            "that no other program is using the port.")
            .arg(port);
    return outcome;
}

} // namespace n35
