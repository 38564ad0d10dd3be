// The whole-radio write against an in-process radio: the command sequence, and that nothing reaches the
// radio from an image it cannot take. Where each failure ends a read and what it keeps is
// test_faultmatrix's.

#include "emulator/radiocore.h"
#include "link/progress.h"
#include "link/radiolink.h"
#include "link/wholeradio.h"
#include "model/cloneimage.h"
#include "support/channelfixtures.h"
#include "support/fakeradioport.h"

#include <QtTest>

using namespace n35;

namespace
{

struct Bench {
    n35emu::RadioCore radio;
    FakeRadioPort port;
    RadioLink link{port};
    CloneImage image;
    NoProgress progress;

    Bench()
    {
        port.setResponder([this](const QByteArray &w) { return testing::Answer(radio, w); });
        link.setTimeoutMs(50);
    }
    // Each command as its first ten characters and the number of hex characters it carries.
    QStringList shapes() const
    {
        QStringList out;
        for (const QByteArray &w : port.writes()) {
            const QString command = QString::fromLatin1(w.chopped(1));
            out << (command.size() > 10 ? command.left(10) + QStringLiteral("+%1").arg(command.size() - 10)
                                        : command);
        }
        return out;
    }
};

} // namespace

class WholeRadioTest : public QObject
{
    Q_OBJECT
private slots:
    void writeSendsEveryRegionInOrder()
    {
        Bench bench;
        testing::FillVariedChannels(bench.image.channels, 1, ChannelCount);
        const TransferOutcome outcome = WriteAllData(bench.link, bench.image, bench.progress);
        QVERIFY2(outcome.ok, qPrintable(outcome.message.text + outcome.message.detail));
        QStringList expected{"ZQ~HV-N35",      "ZQ~F00200W+128", "ZQ~F00240W+100", "ZQ~F00180W+54",
                             "ZQ~F001A0W+68",  "ZQ~F00000R",     "ZQ~F00040R",     "ZQ~F00080R",
                             "ZQ~F00000W+128", "ZQ~F00040W+128", "ZQ~F00080W+44",  "ZQ~F00A00W+128",
                             "ZQ~F00A40W+128", "ZQ~F00A80W+74",  "ZQ~F0FE01W+2"};
        for (int glyph = 0; glyph < 8; ++glyph)
            expected << QString::asprintf("ZQ~F%05XW+64", 0x900 + 32 * glyph);
        expected += QStringList{"ZQ~F00100W+128", "ZQ~F00140W+48", "ZQ~HV-N35"};
        const QStringList sent = bench.shapes();
        QCOMPARE(sent.mid(0, expected.size()), expected);
        // Then the 952 channel records and the 13 blocks of the pass index, the index last.
        QCOMPARE(sent.size(), expected.size() + ChannelCount + 13);
        QVERIFY(sent.last().startsWith(QLatin1String("ZQ~F00800W")));
    }

    void nothingIsSentFromAnImageTheRadioCannotTake()
    {
        Bench bench;
        bench.image.channels.setCells(700, CallChannelDefaults(QStringLiteral("145.00000MHz")));
        bench.image.channels.setCell(700, ColTxDcs, QStringLiteral("999"));
        TransferOutcome outcome = WriteAllData(bench.link, bench.image, bench.progress);
        QVERIFY2(outcome.message.text.startsWith(
                     QLatin1String("Channel data error.\nChannel 700 (Dual49(Sub)), the Tx DCS")),
                 qPrintable(outcome.message.text));
        QVERIFY(bench.port.writes().isEmpty());

        bench.image.channels.clearRow(700);
        BankPartition::Counts counts{};
        counts[0] = 499;
        bench.image.banks.setCounts(counts);
        outcome = WriteAllData(bench.link, bench.image, bench.progress);
        QCOMPARE(outcome.message.text, QStringLiteral("Write bank Error."));
        QVERIFY(bench.port.writes().isEmpty());
    }
};

QTEST_GUILESS_MAIN(WholeRadioTest)
#include "test_wholeradio.moc"
