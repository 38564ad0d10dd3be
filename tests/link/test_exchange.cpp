// The command exchange against an in-process line: how the reply is cut from the echo and the line
// ends, the time-out, and the replies that cannot be cut.

#include "link/porterror.h"
#include "link/radiolink.h"
#include "support/fakeradioport.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace n35;

namespace
{

QByteArray Echoed(const QByteArray &written, const QByteArray &reply)
{
    return written + "\r\n" + reply + "\r\n";
}

// A link on a fake line whose radio echoes each command and answers `reply`.
struct Line {
    explicit Line(int timeoutMs = 100)
    {
        port.setResponder([this](const QByteArray &written) { return Echoed(written, reply); });
        link.setTimeoutMs(timeoutMs);
    }
    QString exchange() { return link.ExchangeCommand(QStringLiteral("ZQ~HV-N35")); }

    QByteArray reply = "OK";
    FakeRadioPort port;
    RadioLink link{port};
};

} // namespace

class ExchangeTest : public QObject
{
    Q_OBJECT

private slots:
    void cutsTheReply_data()
    {
        QTest::addColumn<QByteArray>("answer"); // what the radio sends back to "ZQ~HV-N35\r"
        QTest::addColumn<int>("chunk");         // bytes per delivery, 0 = all at once
        QTest::addColumn<QString>("reply");     // "!": a reply that cannot be cut, a PortError

        const QByteArray echo = "ZQ~HV-N35\r";
        QTest::newRow("whole") << Echoed(echo, "OK") << 0 << "OK";
        QTest::newRow("byte by byte") << Echoed(echo, "OK") << 1 << "OK";
        QTest::newRow("three pieces") << Echoed(echo, "OK") << 6 << "OK";
        QTest::newRow("nothing") << QByteArray() << 0 << "";
        QTest::newRow("part of the echo") << QByteArray("ZQ~HV") << 0 << "";
        QTest::newRow("exactly the echo") << echo << 0 << "";
        // A radio that does not echo never gives a reply past the echo's length here: "" after the time-out.
        QTest::newRow("no echo") << QByteArray("\r\nOK\r\n") << 0 << "";
        // Four or more characters past the echo with no closing CR LF are cut all the same.
        QTest::newRow("unterminated reply") << QByteArray(echo + "\r\nOKAY") << 0 << "OK";
        QTest::newRow("echo and CR LF") << QByteArray(echo + "\r\n") << 0 << "!";
        QTest::newRow("echo and one") << QByteArray(echo + "\r") << 0 << "!";
        QTest::newRow("echo and three") << QByteArray(echo + "\r\nO") << 0 << "!";
    }
    void cutsTheReply()
    {
        QFETCH(QByteArray, answer);
        QFETCH(int, chunk);
        QFETCH(QString, reply);
        Line line(150);
        line.port.setResponder([&](const QByteArray &) { return answer; });
        line.port.setDelivery(chunk, chunk ? 1 : 0);
        if (reply == u'!')
            QVERIFY_THROWS_EXCEPTION(PortError, line.exchange());
        else
            QCOMPARE(line.exchange(), reply);
        QCOMPARE(line.port.written(), QByteArray("ZQ~HV-N35\r"));
    }

    void waitsForTheWholeReplyWithinOneTimeout()
    {
        // Pieces 40 ms apart: each comes well within the time-out, the whole reply does not.
        Line line(150);
        line.port.setDelivery(2, 40);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(line.exchange(), QString());
        QVERIFY(clock.elapsed() >= 140);
        QVERIFY(clock.elapsed() < 1000);

        // A complete reply ends the wait at once, long before the time-out.
        line.port.setDelivery(0, 0);
        line.link.setTimeoutMs(5000);
        clock.restart();
        QCOMPARE(line.exchange(), QStringLiteral("OK"));
        QVERIFY(clock.elapsed() < 1000);
    }

    void discardsWhatArrivedBeforeTheCommand()
    {
        Line line(10);
        line.reply = "stale";
        line.port.setDelivery(0, 30); // arrives after the first exchange has given up
        QCOMPARE(line.exchange(), QString());
        QTest::qWait(60);
        line.reply = "OK";
        line.port.setDelivery(0, 0);
        line.link.setTimeoutMs(500);
        QCOMPARE(line.exchange(), QStringLiteral("OK"));
    }

    void blockCommands()
    {
        Line line;
        line.reply = QByteArray(128, 'A');
        QCOMPARE(line.link.ReadBlock(QStringLiteral("00A33")), QString(128, QLatin1Char('A')));
        QCOMPARE(line.port.writes().last(), QByteArray("ZQ~F00A33R\r"));
        line.reply = QByteArray(127, 'A');
        QCOMPARE(line.link.ReadBlock(QStringLiteral("00A33")), QString());

        line.reply = "OK";
        QVERIFY(line.link.WriteBlock(QStringLiteral("00B00"), QStringLiteral("00")));
        QCOMPARE(line.port.writes().last(), QByteArray("ZQ~F00B00W00\r"));
        line.reply = "NG";
        QVERIFY(!line.link.WriteBlock(QStringLiteral("00B00"), QStringLiteral("00")));

        line.reply = "OK";
        QVERIFY(line.link.Identify());
        line.reply = "OK ";
        QVERIFY(!line.link.Identify());
    }

    void openFailureAndDriverFailureArePortErrors()
    {
        Line line(1000);
        line.port.setOpenFailure(QStringLiteral("Permission denied"));
        try {
            line.exchange();
            QFAIL("no PortError");
        } catch (const PortError &e) {
            QCOMPARE(e.detail(), QStringLiteral("Permission denied"));
        }

        line.port.setOpenFailure({});
        line.port.failAfterNextWrite(QStringLiteral("device unplugged"));
        QElapsedTimer clock;
        clock.start();
        QVERIFY_THROWS_EXCEPTION(PortError, line.exchange());
        QVERIFY(clock.elapsed() < 500); // a dead line ends the wait at once
    }

    void portOpensLazilyAndReopensAfterClose()
    {
        Line line;
        line.link.setPortNumber(7);
        QCOMPARE(line.port.openCount(), 0);
        QVERIFY(line.link.Identify());
        QVERIFY(line.link.Identify());
        QCOMPARE(line.port.openCount(), 1);
        QCOMPARE(line.port.lastPortNumber(), 7);
        line.link.setPortNumber(3); // closes the open port; the next exchange opens the new one
        QVERIFY(!line.port.isOpen());
        QVERIFY(line.link.Identify());
        QCOMPARE(line.port.openCount(), 2);
        QCOMPARE(line.port.lastPortNumber(), 3);
    }

    void resetSendsCommandAndReadsNothing_data()
    {
        QTest::addColumn<int>("latencyMs"); // how long the adapter holds the bytes
        QTest::addColumn<bool>("sent");
        QTest::newRow("at once") << 0 << true;
        QTest::newRow("adapter slow to send") << 40 << true;
        QTest::newRow("adapter stuck") << RadioLink::ResetDrainMs + 200 << false;
    }
    void resetSendsCommandAndReadsNothing()
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

    void secondCommandDuringAnExchangeIsRefused()
    {
        Line line(RadioLink::DefaultTimeoutMs);
        line.port.setDelivery(0, 60);
        QString refusal;
        QTimer::singleShot(10, &line.port, [&] {
            try {
                line.link.ExchangeCommand(QStringLiteral("ZQ~F00200R"));
            } catch (const PortError &e) {
                refusal = e.detail();
            }
        });
        QVERIFY(line.link.Identify());
        QVERIFY2(refusal.contains(QLatin1String("still answering")), qPrintable(refusal));
        QCOMPARE(line.port.writes(), QList<QByteArray>{"ZQ~HV-N35\r"});
        QVERIFY(!line.link.isBusy());
    }
};

QTEST_GUILESS_MAIN(ExchangeTest)
#include "test_exchange.moc"
