#pragma once

#include "link/radioport.h"

#include <QList>
#include <functional>

namespace n35
{

// An in-process line for unit tests. What the program writes goes to a responder, whose answer arrives
// later through the event loop, whole or in pieces, like bytes from a real cable.
class FakeRadioPort : public RadioPort
{
    Q_OBJECT
public:
    using Responder = std::function<QByteArray(const QByteArray &written)>;

    explicit FakeRadioPort(QObject *parent = nullptr);

    void setResponder(Responder responder) { respond = std::move(responder); }
    // Deliver answers in pieces of this many bytes (0: whole), each piece after delayMs.
    void setDelivery(int chunkBytes, int delayMs);
    // The next open() fails with this detail (empty: opens).
    void setOpenFailure(const QString &detail) { openFailure = detail; }
    // Writes leave the program this long after write() (0: at once), like a USB adapter's buffer; what
    // has not left when the line closes is lost.
    void setWriteLatency(int ms) { latency = ms; }
    // The driver reports a failure after the next write.
    void failAfterNextWrite(const QString &detail) { pendingFailure = detail; }

    void open(int portNumber) override;
    void close() override;
    bool isOpen() const override { return opened; }
    void write(const QByteArray &data) override;
    QByteArray readAvailable() override;
    bool waitForWritten(int timeoutMs) override;
    void discardInput() override { inbox.clear(); }
    QString lastFailure() const override { return failure; }

    // What the program wrote; what reached the radio; what was lost at a close.
    QByteArray written() const { return sent; }
    QByteArray arrived() const { return reached; }
    QByteArray lost() const { return dropped; }
    QList<QByteArray> writes() const { return writeList; }
    int openCount() const { return opens; }
    int lastPortNumber() const { return lastNumber; }

signals:
    void writeLeft();

private:
    void arrive(const QByteArray &data);
    void deliver(QByteArray bytes, quint64 generation);

    Responder respond;
    int chunk = 0;
    int delay = 0;
    int latency = 0;
    QByteArray pending;
    QByteArray reached;
    QByteArray dropped;
    bool opened = false;
    int opens = 0;
    int lastNumber = 0;
    quint64 openGeneration = 0;
    QString openFailure;
    QString pendingFailure;
    QString failure;
    QByteArray inbox;
    QByteArray sent;
    QList<QByteArray> writeList;
};

} // namespace n35
