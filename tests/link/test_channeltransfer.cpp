// Channel reads and writes against an in-process radio: ranges, progress, the pass-channel index,
// and how each failure ends the transfer.

#include "emulator/radiocore.h"
#include "link/address.h"
#include "link/channeltransfer.h"
#include "link/progress.h"
#include "link/radiolink.h"
#include "model/channeltable.h"
#include "support/channelfixtures.h"
#include "support/fakeradioport.h"

#include <QtTest>

using namespace n35;

namespace
{

struct RecordingProgress : Progress {
    int maximum = -1;
    int value = 0;
    void start(int max) override
    {
        maximum = max;
        value = 0;
    }
    void advance() override { ++value; }
};

struct Bench {
    n35emu::RadioCore radio;
    FakeRadioPort port;
    RadioLink link{port};
    ChannelTable table;
    RecordingProgress progress;

    Bench()
    {
        port.setResponder([this](const QByteArray &w) { return testing::Answer(radio, w); });
        link.setTimeoutMs(100);
    }
    // Commands sent, without their CR.
    QStringList commands() const
    {
        QStringList out;
        for (const QByteArray &w : port.writes())
            out << QString::fromLatin1(w.chopped(1));
        return out;
    }
    int indexWrites() const
    {
        int count = 0;
        for (const QString &c : commands()) {
            const int address = c.mid(4, 5).toInt(nullptr, 16);
            count += c.startsWith(QLatin1String("ZQ~F")) && address >= 0x500 && address < 0x840;
        }
        return count;
    }
};

} // namespace

class ChannelTransferTest : public QObject
{
    Q_OBJECT

private slots:
    void rangesAndProgress_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<bool>("index");
        QTest::newRow("1-852") << 1 << 852 << 853 << false;
        QTest::newRow("850-853") << 850 << 853 << 18 << true;
        QTest::newRow("900-900") << 900 << 900 << 15 << true;
        QTest::newRow("952-952") << 952 << 952 << 15 << true;
        QTest::newRow("601-604") << 601 << 604 << 5 << false;
    }
    void rangesAndProgress()
    {
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(int, maximum);
        QFETCH(bool, index);
        Bench bench;
        testing::FillVariedChannels(bench.table, first, last);
        QVERIFY(WriteChannels(bench.link, bench.table, first, last, bench.progress).ok);
        QCOMPARE(bench.progress.maximum, maximum);
        QCOMPARE(bench.progress.value, maximum);
        QCOMPARE(bench.indexWrites(), index ? 13 : 0);
        const QStringList sent = bench.commands();
        QCOMPARE(sent.first(), QStringLiteral("ZQ~HV-N35"));
        QCOMPARE(sent.at(1).left(10), QStringLiteral("ZQ~F") + ChannelBlockAddress(first) + QLatin1Char('W'));

        ChannelTable back;
        QVERIFY(ReadChannels(bench.link, back, first, last, bench.progress).ok);
        QCOMPARE(bench.progress.maximum, last - first + 2);
        QCOMPARE(bench.progress.value, last - first + 2);
        for (int n = first; n <= last; ++n)
            QCOMPARE(back.cell(n, ColFrequency), bench.table.cell(n, ColFrequency));
    }

    void emptyRowWritesItsStatusByteOnly()
    {
        Bench bench;
        bench.table.clearRow(1);
        QVERIFY(WriteChannels(bench.link, bench.table, 1, 1, bench.progress).ok);
        QCOMPARE(bench.port.writes().at(1), QByteArray("ZQ~F00B00W00\r"));
    }

    void refusedCellStopsTheWriteBeforeTheRadioIsTouched()
    {
        Bench bench;
        testing::FillVariedChannels(bench.table, 1, 20);
        bench.table.setCell(15, ColStep, QStringLiteral("7KHz"));
        const TransferOutcome outcome = WriteChannels(bench.link, bench.table, 1, 20, bench.progress);
        QVERIFY(!outcome.ok);
        QCOMPARE(outcome.message.text, QStringLiteral("Channel data error.\nChannel 15, the step: "
                                                      "\"7KHz\" is not a step the radio knows"));
        QVERIFY(bench.port.writes().isEmpty());
    }

    // A radio that stops answering; one that never answers is test_faultmatrix's.
    void failuresEndTheTransfer_data()
    {
        QTest::addColumn<int>("stopAfter");
        QTest::addColumn<int>("last");
        QTest::addColumn<QString>("told"); // "text|title"
        QTest::addColumn<int>("commandsSent");
        QTest::newRow("channel 3 unanswered") << 3 << 5 << "Memory write Error.| NG" << 4;
        // identification, channels 900 and 901, index blocks 0..3: block 3 is the one left unanswered.
        QTest::newRow("index block 3") << 6 << 901 << "Node data write failed.(3)| Error" << 7;
    }
    void failuresEndTheTransfer()
    {
        QFETCH(int, stopAfter);
        QFETCH(int, last);
        QFETCH(QString, told);
        QFETCH(int, commandsSent);
        Bench bench;
        bench.radio.setStopAfter(stopAfter);
        const int first = last == 901 ? 900 : 1;
        testing::FillVariedChannels(bench.table, first, last);
        const TransferOutcome outcome = WriteChannels(bench.link, bench.table, first, last, bench.progress);
        QVERIFY(!outcome.ok);
        QCOMPARE(outcome.message.text + u'|' + outcome.message.title, told);
        QCOMPARE(bench.port.writes().size(), commandsSent);
    }

    void readBlanksEmptyRowsAndCallChannels()
    {
        Bench bench; // erased memory: every record reads as empty
        QVERIFY(ReadChannels(bench.link, bench.table, 849, 853, bench.progress).ok);
        QVERIFY(bench.table.cell(Call222Channel, ColFrequency).isEmpty());
        QVERIFY(bench.table.cell(Call900Channel, ColStep).isEmpty());
        QVERIFY(!bench.table.used(Call222Channel));
    }
};

QTEST_GUILESS_MAIN(ChannelTransferTest)
#include "test_channeltransfer.moc"
