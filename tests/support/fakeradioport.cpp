#include "support/fakeradioport.h"

#include "link/porterror.h"

#include <QEventLoop>
#include <QTimer>

namespace n35
{

FakeRadioPort::FakeRadioPort(QObject *parent) : RadioPort(parent) {}

void FakeRadioPort::setDelivery(int chunkBytes, int delayMs)
{
    chunk = chunkBytes;
    delay = delayMs;
}

void FakeRadioPort::open(int portNumber)
{
    lastNumber = portNumber;
    if (!openFailure.isEmpty())
        throw PortError(openFailure);
    opened = true;
    ++opens;
    ++openGeneration;
    failure.clear();
    inbox.clear();
}

void FakeRadioPort::close()
{
    dropped += pending;
    pending.clear();
    opened = false;
    ++openGeneration;
}

void FakeRadioPort::write(const QByteArray &data)
{
    if (!opened)
        throw PortError(QStringLiteral("The serial port is not open."));
    sent += data;
    writeList << data;
    if (!pendingFailure.isEmpty()) {
        failure = pendingFailure;
        pendingFailure.clear();
        QTimer::singleShot(0, this, [this] { emit failed(); });
        return;
    }
    if (latency <= 0) {
        arrive(data);
        return;
    }
    pending += data;
    QTimer::singleShot(latency, this, [this, data, generation = openGeneration] {
        if (generation != openGeneration)
            return; // closed meanwhile: counted as lost
        pending.remove(0, data.size());
        arrive(data);
        emit writeLeft();
    });
}

void FakeRadioPort::arrive(const QByteArray &data)
{
    reached += data;
    if (respond)
        deliver(respond(data), openGeneration);
}

bool FakeRadioPort::waitForWritten(int timeoutMs)
{
    if (pending.isEmpty())
        return true;
    QEventLoop loop;
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    connect(this, &FakeRadioPort::writeLeft, &loop, [this, &loop] {
        if (pending.isEmpty())
            loop.quit();
    });
    loop.exec();
    return pending.isEmpty();
}

void FakeRadioPort::deliver(QByteArray bytes, quint64 generation)
{
    if (bytes.isEmpty())
        return;
    const QByteArray piece = chunk > 0 ? bytes.left(chunk) : bytes;
    const QByteArray rest = bytes.mid(piece.size());
    QTimer::singleShot(delay, this, [this, piece, rest, generation] {
        if (!opened || generation != openGeneration)
            return; // the line was closed meanwhile: the bytes are lost, as on a cable
        inbox += piece;
        emit readyRead();
        deliver(rest, generation);
    });
}

QByteArray FakeRadioPort::readAvailable()
{
    QByteArray out;
    out.swap(inbox);
    return out;
}

} // namespace n35
