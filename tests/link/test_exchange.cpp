// The command exchange against an in-process line: how the reply is cut from the echo and the line
// ends, the time-out, and the replies that cannot be cut.

#include "link/porterror.h"
#include "link/radiolink.h"
#include "support/fakeradioport.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace n35;

class ExchangeTest : public QObject
{
    Q_OBJECT

private slots:
    void cutsTheReply_data();
    void cutsTheReply();
    void unCuttableReplyIsAPortError_data();
    void unCuttableReplyIsAPortError();
    void waitsForTheWholeReplyWithinOneTimeout();
    void discardsWhatArrivedBeforeTheCommand();
    void blockCommands();
    void openFailureAndDriverFailureArePortErrors();
    void portOpensLazilyAndReopensAfterClose();
    void resetSendsCommandAndReadsNothing_data();
    void resetSendsCommandAndReadsNothing();
    void secondCommandDuringAnExchangeIsRefused();
};

static QByteArray echoed(const QByteArray &written, const QByteArray &reply)
{
    return written + "\r\n" + reply + "\r\n";
}

void ExchangeTest::cutsTheReply_data()
{
    QTest::addColumn<QByteArray>("answer"); // what the radio sends back to "ZQ~HV-N35\r"
    QTest::addColumn<int>("chunk");         // bytes per delivery, 0 = all at once
    QTest::addColumn<QString>("reply");

    const QByteArray echo = "ZQ~HV-N35\r";
    QTest::newRow("whole") << echoed(echo, "OK") << 0 << "OK";
    QTest::newRow("byte by byte") << echoed(echo, "OK") << 1 << "OK";
    QTest::newRow("three pieces") << echoed(echo, "OK") << 6 << "OK";
    QTest::newRow("nothing") << QByteArray() << 0 << "";
    QTest::newRow("part of the echo") << QByteArray("ZQ~HV") << 0 << "";
    QTest::newRow("exactly the echo") << echo << 0 << "";
    // A radio that does not echo never gives a reply past the echo's length here: "" after the time-out.
    QTest::newRow("no echo") << QByteArray("\r\nOK\r\n") << 0 << "";
    // Four or more characters past the echo with no closing CR LF are cut all the same.
    QTest::newRow("unterminated reply") << QByteArray(echo + "\r\nOKAY") << 0 << "OK";
}

void ExchangeTest::cutsTheReply()
{
    QFETCH(QByteArray, answer);
    QFETCH(int, chunk);
    QFETCH(QString, reply);

    FakeRadioPort port;
    port.setResponder([&](const QByteArray &) { return answer; });
    port.setDelivery(chunk, chunk ? 1 : 0);
    RadioLink link(port);
    link.setTimeoutMs(150);
    QCOMPARE(link.ExchangeCommand(QStringLiteral("ZQ~HV-N35")), reply);
    QCOMPARE(port.written(), QByteArray("ZQ~HV-N35\r"));
}

void ExchangeTest::unCuttableReplyIsAPortError_data()
{
    QTest::addColumn<QByteArray>("answer");
    const QByteArray echo = "ZQ~HV-N35\r";
    QTest::newRow("echo and CR LF") << QByteArray(echo + "\r\n");
    QTest::newRow("echo and one") << QByteArray(echo + "\r");
    QTest::newRow("echo and three") << QByteArray(echo + "\r\nO");
}

void ExchangeTest::unCuttableReplyIsAPortError()
{
    QFETCH(QByteArray, answer);
    FakeRadioPort port;
    port.setResponder([&](const QByteArray &) { return answer; });
    RadioLink link(port);
    link.setTimeoutMs(100);
    QVERIFY_THROWS_EXCEPTION(PortError, link.ExchangeCommand(QStringLiteral("ZQ~HV-N35")));
}

void ExchangeTest::waitsForTheWholeReplyWithinOneTimeout()
{
    // Pieces 40 ms apart: each comes well within the time-out, the whole reply does not.
    FakeRadioPort port;
    port.setResponder([](const QByteArray &w) { return echoed(w, "OK"); });
    port.setDelivery(2, 40);
    RadioLink link(port);
    link.setTimeoutMs(150);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(link.ExchangeCommand(QStringLiteral("ZQ~HV-N35")), QString());
    QVERIFY(clock.elapsed() >= 140);
    QVERIFY(clock.elapsed() < 1000);

    // A complete reply ends the wait at once, long before the time-out.
    port.setDelivery(0, 0);
    link.setTimeoutMs(5000);
    clock.restart();
    QCOMPARE(link.ExchangeCommand(QStringLiteral("ZQ~HV-N35")), QStringLiteral("OK"));
    QVERIFY(clock.elapsed() < 1000);
}

void ExchangeTest::discardsWhatArrivedBeforeTheCommand()
{
    FakeRadioPort port;
    RadioLink link(port);
    port.setResponder([](const QByteArray &w) { return echoed(w, "stale"); });
    port.setDelivery(0, 30); // arrives after the first exchange has given up
    link.setTimeoutMs(10);
    QCOMPARE(link.ExchangeCommand(QStringLiteral("ZQ~HV-N35")), QString());
    QTest::qWait(60);
    port.setResponder([](const QByteArray &w) { return echoed(w, "OK"); });
    port.setDelivery(0, 0);
    link.setTimeoutMs(500);
    QCOMPARE(link.ExchangeCommand(QStringLiteral("ZQ~HV-N35")), QStringLiteral("OK"));
}

void ExchangeTest::blockCommands()
{
    FakeRadioPort port;
    QByteArray reply;
    port.setResponder([&](const QByteArray &w) { return echoed(w, reply); });
    RadioLink link(port);
    link.setTimeoutMs(100);

    reply = QByteArray(128, 'A');
    QCOMPARE(link.ReadBlock(QStringLiteral("00A33")), QString(128, QLatin1Char('A')));
    QCOMPARE(port.writes().last(), QByteArray("ZQ~F00A33R\r"));
    reply = QByteArray(127, 'A');
    QCOMPARE(link.ReadBlock(QStringLiteral("00A33")), QString());

    reply = "OK";
    QVERIFY(link.WriteBlock(QStringLiteral("00B00"), QStringLiteral("00")));
    QCOMPARE(port.writes().last(), QByteArray("ZQ~F00B00W00\r"));
    reply = "NG";
    QVERIFY(!link.WriteBlock(QStringLiteral("00B00"), QStringLiteral("00")));

    reply = "OK";
    QVERIFY(link.Identify());
    reply = "OK ";
    QVERIFY(!link.Identify());
}

void ExchangeTest::openFailureAndDriverFailureArePortErrors()
{
    FakeRadioPort port;
    RadioLink link(port);
    port.setOpenFailure(QStringLiteral("Permission denied"));
    try {
        link.ExchangeCommand(QStringLiteral("ZQ~HV-N35"));
        QFAIL("no PortError");
    } catch (const PortError &e) {
        QCOMPARE(e.detail(), QStringLiteral("Permission denied"));
    }

    port.setOpenFailure({});
    port.failAfterNextWrite(QStringLiteral("device unplugged"));
    link.setTimeoutMs(1000);
    QElapsedTimer clock;
    clock.start();
    QVERIFY_THROWS_EXCEPTION(PortError, link.ExchangeCommand(QStringLiteral("ZQ~HV-N35")));
    QVERIFY(clock.elapsed() < 500); // a dead line ends the wait at once
}

void ExchangeTest::portOpensLazilyAndReopensAfterClose()
{
    FakeRadioPort port;
    port.setResponder([](const QByteArray &w) { return echoed(w, "OK"); });
    RadioLink link(port);
    link.setPortNumber(7);
    QCOMPARE(port.openCount(), 0);
    QVERIFY(link.Identify());
    QVERIFY(link.Identify());
    QCOMPARE(port.openCount(), 1);
    QCOMPARE(port.lastPortNumber(), 7);
    link.setPortNumber(3); // closes the open port; the next exchange opens the new one
    QVERIFY(!port.isOpen());
    QVERIFY(link.Identify());
    QCOMPARE(port.openCount(), 2);
    QCOMPARE(port.lastPortNumber(), 3);
}

void ExchangeTest::resetSendsCommandAndReadsNothing_data()
{
    QTest::addColumn<int>("latencyMs"); // how long the adapter holds the bytes
    QTest::addColumn<bool>("sent");
    QTest::newRow("at once") << 0 << true;
    QTest::newRow("adapter slow to send") << 40 << true;
    QTest::newRow("adapter stuck") << RadioLink::ResetDrainMs + 200 << false;
}

void ExchangeTest::resetSendsCommandAndReadsNothing()
{
    QFETCH(int, latencyMs);
    QFETCH(bool, sent);
    FakeRadioPort port;
    port.setWriteLatency(latencyMs);
    RadioLink link(port);
    bool refused = false;
    try {
        link.SendReset();
    } catch (const PortError &) {
        refused = true;
    }
    link.close(); // what the window does right after the reset
    QCOMPARE(refused, !sent);
    QCOMPARE(port.arrived(), sent ? QByteArray("ZQ~RESET\r") : QByteArray());
    QCOMPARE(port.lost().isEmpty(), sent);
}

void ExchangeTest::secondCommandDuringAnExchangeIsRefused()
{
    FakeRadioPort port;
    port.setResponder([](const QByteArray &written) { return echoed(written, "OK"); });
    port.setDelivery(0, 60);
    RadioLink link(port);
    QString refusal;
    QTimer::singleShot(10, &port, [&] {
        try {
            link.ExchangeCommand(QStringLiteral("ZQ~F00200R"));
        } catch (const PortError &e) {
            refusal = e.detail();
        }
    });
    QVERIFY(link.Identify());
    QVERIFY2(refusal.contains(QLatin1String("still answering")), qPrintable(refusal));
    QCOMPARE(port.writes(), QList<QByteArray>{"ZQ~HV-N35\r"});
    QVERIFY(!link.isBusy());
}

QTEST_GUILESS_MAIN(ExchangeTest)
#include "test_exchange.moc"
