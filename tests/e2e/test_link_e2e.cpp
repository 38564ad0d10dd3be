// The radio link through the real serial path: QSerialPort on the emulator's pty, bound as COM1 by a link;
// where channel records land in the radio's memory and the pass-channel index the radio walks, the 1000 ms
// time-out, and a COM number bound to nothing. Block commands at any address and an empty channel's status
// byte are test_radiocore's and test_channeltransfer's; writes and reads through the pty, the port closed
// and opened again between them, a whole read-back and a radio that stops mid-read are test_window_e2e's
// and test_faultmatrix's.

#include "emulator/emulatorsession.h"
#include "link/channeltransfer.h"
#include "link/porterror.h"
#include "link/progress.h"
#include "link/serialradioport.h"
#include "model/channeltable.h"
#include "support/channelfixtures.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace n35;
using n35emu::EmulatorSession;

namespace
{

quint32 word32(const QByteArray &memory, int address)
{
    quint32 value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | quint8(memory.at(address + i));
    return value;
}

quint32 hzOf(const ChannelTable &table, int channel)
{
    const QString text = table.cell(channel, ColFrequency);
    const QStringList parts = text.chopped(3).split(QLatin1Char('.'));
    return parts.at(0).toUInt() * 1000000u + parts.at(1).toUInt() * 10u;
}

} // namespace

class LinkEndToEndTest : public QObject
{
    Q_OBJECT

private slots:
    void selectionAcrossDualAndPassChannels()
    {
        EmulatorSession radio;
        QString error;
        QVERIFY2(radio.start(&error), qPrintable(error));
        ChannelTable table;
        testing::FillVariedChannels(table, 790, 870);
        NoProgress progress;
        QVERIFY(WriteChannels(radio.link(), table, 790, 870, progress).ok);
        const QByteArray memory = radio.stopAndReadMemory();
        QCOMPARE(memory.size(), 65536);

        // Dual pair k keeps its Main channel in slot 600 + k and its Sub channel in slot 700 + k.
        for (int channel = 790; channel <= 800; ++channel) {
            const int pair = (channel - 601) / 2;
            const int slot = channel % 2 ? 600 + pair : 700 + pair;
            const int address = 0x0B00 + 64 * slot;
            QCOMPARE(quint8(memory.at(address)), quint8(0x02));
            QCOMPARE(word32(memory, address + 1), hzOf(table, channel));
        }
        QCOMPARE(quint8(memory.at(0x0B00 + 64 * 801 - 64)), quint8(0x02)); // PRIO 0 right after the Sub slots

        // The radio walks the index from the head (slot 100) along "next": every pass channel written, once,
        // in ascending frequency, each pointing back to the one before.
        const int head = 0x0500 + 8 * 100;
        QCOMPARE(word32(memory, head), 0xFFFFFFFFu);
        QCOMPARE(memory.at(head + 4), memory.at(head + 5));
        int node = quint8(memory.at(head + 5));
        int previous = 100;
        quint32 lastHz = 0;
        QSet<int> visited;
        while (node != 0xFF) {
            QVERIFY(node < 100 && !visited.contains(node));
            visited.insert(node);
            const int slot = 0x0500 + 8 * node;
            const quint32 hz = word32(memory, slot);
            QCOMPARE(hz, hzOf(table, 853 + node));
            QVERIFY(hz > lastHz);
            QCOMPARE(quint8(memory.at(slot + 4)), quint8(0xFF));
            QCOMPARE(int(quint8(memory.at(slot + 6))), previous);
            lastHz = hz;
            previous = node;
            node = quint8(memory.at(slot + 5));
        }
        QCOMPARE(visited.size(), 870 - 853 + 1);
        for (int unused = 18; unused < 100; ++unused)
            QCOMPARE(memory.mid(0x0500 + 8 * unused, 8), QByteArray(8, char(0xFF)));
    }

    void silentRadioGivesNothingAfterTheTimeout()
    {
        EmulatorSession radio({QStringLiteral("--fault"), QStringLiteral("silent")});
        QString error;
        QVERIFY2(radio.start(&error), qPrintable(error));
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(radio.link().ExchangeCommand(QStringLiteral("ZQ~HV-N35")), QString());
        QVERIFY(clock.elapsed() >= 990); // the radio's 1000 ms
        QVERIFY(!radio.link().Identify());
    }

    // A port another program holds, and a device that goes away in the middle: each says so, whoever runs
    // the program (root included, whom no permission stops).
    void portFailuresSayWhatHappened_data()
    {
        QTest::addColumn<bool>("busy"); // false: the emulator stops while the port is open
        QTest::addColumn<QString>("said");
        QTest::newRow("busy port") << true << QStringLiteral("is in use by another program");
        QTest::newRow("device gone") << false
                                     << QStringLiteral("or the device went away (a cable pulled out?)");
    }
    void portFailuresSayWhatHappened()
    {
        QFETCH(bool, busy);
        QFETCH(QString, said);
        EmulatorSession radio;
        QString error;
        QVERIFY2(radio.start(&error), qPrintable(error));
        SerialRadioPort other(radio.resolver());
        try {
            if (busy) {
                other.open(1);
            } else {
                QVERIFY(radio.link().Identify()); // the port stays open until the command's end
                radio.stop();
            }
            radio.link().Identify();
            QFAIL("no PortError");
        } catch (const PortError &e) {
            QVERIFY2(e.detail().contains(said), qPrintable(e.detail()));
            QVERIFY2(!e.detail().contains(QLatin1String("dialout")), qPrintable(e.detail()));
        }
    }

    void unboundPortIsAPortErrorThatSaysWhy()
    {
        EmulatorSession radio;
        radio.link().setPortNumber(9); // nothing is bound to COM9 and the session lists no system devices
        try {
            radio.link().Identify();
            QFAIL("no PortError");
        } catch (const PortError &e) {
            QVERIFY2(e.detail().contains(QLatin1String("COM9")), qPrintable(e.detail()));
        }
    }
};

QTEST_GUILESS_MAIN(LinkEndToEndTest)
#include "test_link_e2e.moc"
