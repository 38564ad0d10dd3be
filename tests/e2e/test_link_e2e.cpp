// The radio link through the real serial path: QSerialPort on the emulator's pty, bound as COM1 by a link.

#include "emulator/emulatorsession.h"
#include "link/porterror.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace n35;
using n35emu::EmulatorSession;

class LinkEndToEndTest : public QObject
{
    Q_OBJECT

private slots:
    void identifiesWritesAndReadsBack();
    void readsFromAnyByteAddress();
    void silentRadioGivesNothingAfterTheTimeout();
    void closedPortReopensForTheNextTransfer();
    void unboundPortIsAPortErrorThatSaysWhy();
};

static void startOrFail(EmulatorSession &session)
{
    QString error;
    QVERIFY2(session.start(&error), qPrintable(error));
}

void LinkEndToEndTest::identifiesWritesAndReadsBack()
{
    EmulatorSession radio;
    startOrFail(radio);
    RadioLink &link = radio.link();
    QVERIFY(link.Identify());

    QString block;
    for (int i = 0; i < 64; ++i)
        block += QStringLiteral("%1").arg((i * 37 + 5) & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
    QVERIFY(link.WriteBlock(QStringLiteral("0D300"), block));
    QCOMPARE(link.ReadBlock(QStringLiteral("0D300")), block);

    // An empty channel is written as its status byte alone; the rest of the record stays.
    QVERIFY(link.WriteBlock(QStringLiteral("0D300"), QStringLiteral("00")));
    QCOMPARE(link.ReadBlock(QStringLiteral("0D300")), QStringLiteral("00") + block.mid(2));
    link.close();

    const QByteArray memory = radio.stopAndReadMemory();
    QCOMPARE(memory.size(), 65536);
    QCOMPARE(quint8(memory.at(0xD300)), quint8(0x00));
    QCOMPARE(quint8(memory.at(0xD301)), quint8((1 * 37 + 5) & 0xFF));
}

void LinkEndToEndTest::readsFromAnyByteAddress()
{
    EmulatorSession radio;
    startOrFail(radio);
    RadioLink &link = radio.link();
    QString bytes;
    for (int i = 0; i < 128; ++i)
        bytes += QStringLiteral("%1").arg(i, 2, 16, QLatin1Char('0')).toUpper();
    QVERIFY(link.WriteBlock(QStringLiteral("00A00"), bytes.left(128)));
    QVERIFY(link.WriteBlock(QStringLiteral("00A40"), bytes.mid(128)));
    // 0x00A33 is byte 0x33 of what was written: 64 bytes from there, not from a block boundary.
    QCOMPARE(link.ReadBlock(QStringLiteral("00A33")), bytes.mid(0x33 * 2, 128));
}

void LinkEndToEndTest::silentRadioGivesNothingAfterTheTimeout()
{
    EmulatorSession radio({QStringLiteral("--fault"), QStringLiteral("silent")});
    startOrFail(radio);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(radio.link().ExchangeCommand(QStringLiteral("ZQ~HV-N35")), QString());
    QVERIFY(clock.elapsed() >= 990);
    QVERIFY(!radio.link().Identify());
}

void LinkEndToEndTest::closedPortReopensForTheNextTransfer()
{
    EmulatorSession radio;
    startOrFail(radio);
    RadioLink &link = radio.link();
    QVERIFY(link.Identify());
    QVERIFY(link.WriteBlock(QStringLiteral("00B00"), QStringLiteral("0280733B0D")));
    link.close();
    QVERIFY(!link.port().isOpen());
    QVERIFY(link.Identify());
    QCOMPARE(link.ReadBlock(QStringLiteral("00B00")).left(10), QStringLiteral("0280733B0D"));
    link.close();
    QVERIFY(link.Identify());
}

void LinkEndToEndTest::unboundPortIsAPortErrorThatSaysWhy()
{
    EmulatorSession radio;
    startOrFail(radio);
    radio.link().setPortNumber(9); // nothing is bound to COM9 and the session lists no system devices
    try {
        radio.link().Identify();
        QFAIL("no PortError");
    } catch (const PortError &e) {
        QVERIFY2(e.detail().contains(QLatin1String("COM9")), qPrintable(e.detail()));
    }
}

QTEST_GUILESS_MAIN(LinkEndToEndTest)
#include "test_link_e2e.moc"
