// The DTMF region: digit codes, its 330 hex characters, parts taken whole, the boxes' rules, the lists.

#include "model/dtmf.h"

#include <QSignalSpy>
#include <QtTest>

using namespace n35;

static QString fill(int n)
{
    return QStringLiteral("11").repeated(n);
}

class DtmfTest : public QObject
{
    Q_OBJECT
private slots:
    void memoryCodes()
    {
        const struct {
            QString typed, codes, kept;
        } cases[] = {{QString(), fill(16), QString()},
                     {"0123456789ABCD*#", "000102030405060708090A0B0C0D0E0F", "0123456789ABCD*#"},
                     {"1-2", "011002" + fill(13), "1-2"},
                     {"12345678901234567890", "01020304050607080900010203040506", "1234567890123456"},
                     {"1a x\u30002#", "01020F" + fill(13), "12#"}};
        for (const auto &c : cases) {
            DtmfMemories dtmf;
            dtmf.setMemory(4, c.typed);
            QCOMPARE(dtmf.memory(4), c.kept);
            QCOMPARE(dtmf.MakeDtmfData(), "010505" + fill(64) + c.codes + fill(80) + "0102");
        }
    }

    void badPartChangesNothing()
    {
        DtmfMemories dtmf;
        dtmf.setMemory(0, "7");
        const QString before = dtmf.MakeDtmfData();
        QSignalSpy spy(&dtmf, &DtmfMemories::changed);
        const struct {
            int part;
            QString hex, what;
        } cases[] = {{0, "0B0505" + fill(48), "the wait time"},
                     {0, "011705" + fill(48), "the head time"},
                     {0, "010517" + fill(48), "the burst time"},
                     {2, fill(48) + "0A07", "the dial channel"},
                     {2, fill(48) + "0917", "the pause time"},
                     {0, "010505" + fill(47), "part 0"},
                     {1, fill(63) + "1G", "part 1"}};
        for (const auto &c : cases) {
            const Status status = dtmf.ExpandDtmfData(c.hex, c.part);
            QVERIFY(!status.ok());
            QCOMPARE(QStringList({status.problem().what, status.problem().where}),
                     QStringList({c.what, "DTMF"}));
        }
        QCOMPARE(dtmf.MakeDtmfData(), before);
        QCOMPARE(spy.count(), 0);
        // A whole region is taken whole or not at all: a bad last part keeps a good first one out too. A
        // later read part still decodes on its own.
        QString region = before;
        region.replace(0, 2, QStringLiteral("0A")).replace(326, 2, QStringLiteral("0A"));
        QVERIFY(!dtmf.decode(region).ok());
        QCOMPARE(dtmf.MakeDtmfData(), before);
        QVERIFY(dtmf.ExpandDtmfData("0D" + fill(63), 1).ok());
        QCOMPARE(QStringList({dtmf.memory(0), dtmf.memory(3)}), QStringList({"7", "D"}));
    }

    void roundTrip()
    {
        DtmfMemories source;
        QSignalSpy spy(&source, &DtmfMemories::changed);
        for (int m = 0; m < DtmfMemories::MemoryCount; ++m)
            source.setMemory(m, QStringLiteral("0123456789ABCD*#-").repeated(2).mid(2 * m, 7 + m));
        source.setWait(10);
        source.setHead(22);
        source.setBurst(0);
        source.setPause(17);
        source.setDialChannel(8);
        source.setDialChannel(8);
        source.setWait(11);
        QCOMPARE(spy.count(), 15);
        const QString hex = source.MakeDtmfData();
        QCOMPARE(hex.left(6) + hex.mid(326), QStringLiteral("0A16000911"));
        QCOMPARE(hex.mid(256).size(), 74); // the third write
        DtmfMemories copy;
        QSignalSpy copySpy(&copy, &DtmfMemories::changed);
        QVERIFY(copy.decode(hex).ok());
        QCOMPARE(copy.MakeDtmfData(), hex);
        QVERIFY(!copy.decode(hex.left(328)).ok());
        copy.ClearDtmf();
        copy.ClearDtmf();
        QCOMPARE(copySpy.count(), 2);
        QCOMPARE(copy.MakeDtmfData(), "010505" + fill(160) + "0102");
        // A stored 0 and a stored 1 both select "1Ch"; fill codes are skipped (01 11 02 is "12"); the part
        // empties its memories first.
        for (const auto &[dial, index] : {std::pair{"00", 0}, {"01", 0}, {"09", 8}}) {
            copy.setDialChannel(3);
            copy.setMemory(8, "5");
            QVERIFY(copy.ExpandDtmfData("011102" + fill(45) + dial + "16", 2).ok());
            QCOMPARE(QList({copy.dialChannel(), copy.pause()}), QList({index, 22}));
            QCOMPARE(QStringList({copy.memory(7), copy.memory(8)}), QStringList({"12", ""}));
        }
    }

    void boxRules()
    {
        const QString full(16, u'1');
        // Per box text: the keys let through and the keys dropped (8 is Backspace, 13 Enter).
        const struct {
            QString text, accepted, dropped;
        } cases[] = {{"12", "09AD*#-\b", "aE \r"},
                     {QString(15, u'1'), "-\b", "a"},
                     {full, "\b", "1D-\r"},
                     {full + "1", "x\b", ""},
                     {QString(9, QChar(0x65E5)), "x", ""}};
        for (const auto &c : cases) {
            for (QChar key : c.accepted)
                QVERIFY2(FilterDtmfKey(key, c.text) == KeyVerdict::Accept, qPrintable(c.text + key));
            for (QChar key : c.dropped)
                QVERIFY2(FilterDtmfKey(key, c.text) == KeyVerdict::Drop, qPrintable(c.text + key));
        }
    }

    void listTexts()
    {
        const QStringList wait = DtmfWaitTexts(), timing = DtmfTimingTexts(), dial = DtmfDialChannelTexts();
        QCOMPARE(QList({wait.size(), timing.size(), dial.size()}), QList<qsizetype>({11, 23, 9}));
        QCOMPARE(QStringList({wait[0], wait[1], wait[10], timing[0], timing[9], timing[10], timing[16],
                              timing[17], timing[18], timing[22], dial[0], dial[8]}),
                 QStringList({"50ms", "100ms", "1000ms", "20ms", "200ms", "300ms", "900ms", "1.0s", "1.2s",
                              "2.0s", "1Ch", "9Ch"}));
    }
};

QTEST_GUILESS_MAIN(DtmfTest)
#include "test_dtmf.moc"
