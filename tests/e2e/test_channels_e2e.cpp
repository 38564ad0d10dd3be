// Channel transfers through the real serial path against the emulator: where the records land in the
// radio's memory, the pass-channel index the radio walks, and a whole read-back.

#include "emulator/emulatorsession.h"
#include "link/channeltransfer.h"
#include "link/progress.h"
#include "model/channeltable.h"
#include "support/channelfixtures.h"

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

QString trimmedName(QString name)
{
    while (name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    return name;
}

} // namespace

class ChannelsEndToEndTest : public QObject
{
    Q_OBJECT

private slots:
    void selectionAcrossDualAndPassChannels();
    void wholeReadBackIntoAnEmptyGrid();
    void radioThatStopsMidReadKeepsEarlierRows();
};

void ChannelsEndToEndTest::selectionAcrossDualAndPassChannels()
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

void ChannelsEndToEndTest::wholeReadBackIntoAnEmptyGrid()
{
    EmulatorSession radio;
    QString error;
    QVERIFY2(radio.start(&error), qPrintable(error));
    ChannelTable written;
    testing::FillVariedChannels(written, 1, ChannelCount);
    NoProgress progress;
    QVERIFY(WriteChannels(radio.link(), written, 1, ChannelCount, progress).ok);
    radio.link().close();

    ChannelTable read;
    for (int channel = 1; channel <= ChannelCount; ++channel)
        read.clearRow(channel);
    QVERIFY(ReadChannels(radio.link(), read, 1, ChannelCount, progress).ok);
    for (int channel = 1; channel <= ChannelCount; ++channel) {
        for (int column = 1; column < ColName; ++column)
            QCOMPARE(read.cell(channel, column), written.cell(channel, column));
        QCOMPARE(trimmedName(read.cell(channel, ColName)), written.cell(channel, ColName));
        QVERIFY(read.used(channel));
    }
}

void ChannelsEndToEndTest::radioThatStopsMidReadKeepsEarlierRows()
{
    // Identification and five records, then nothing.
    EmulatorSession radio({QStringLiteral("--stop-after"), QStringLiteral("6")});
    QString error;
    QVERIFY2(radio.start(&error), qPrintable(error));
    radio.link().setTimeoutMs(300);
    ChannelTable table;
    testing::FillVariedChannels(table, 1, 10);
    NoProgress progress;
    const TransferOutcome outcome = ReadChannels(radio.link(), table, 1, 10, progress);
    QVERIFY(!outcome.ok);
    QCOMPARE(outcome.message.text, QStringLiteral("Error"));
    QCOMPARE(outcome.message.title, QStringLiteral(" Error"));
    for (int channel = 1; channel <= 5; ++channel)
        QVERIFY(table.cell(channel, ColFrequency).isEmpty()); // erased memory read as empty
    for (int channel = 6; channel <= 10; ++channel)
        QVERIFY(!table.cell(channel, ColFrequency).isEmpty()); // never reached: as they were
}

QTEST_GUILESS_MAIN(ChannelsEndToEndTest)
#include "test_channels_e2e.moc"
