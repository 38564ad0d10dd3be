// The bank partition: its two blocks, decoding into a whole result, the count boxes' rules, "Up" and
// "Down", and the row labels it gives the grid. The bank links: their radio form both ways, what a damaged
// text does, and the links of empty banks.

#include "model/banklinks.h"
#include "model/banks.h"
#include "model/channeltable.h"
#include "model/cloneimage.h"

#include <QSignalSpy>
#include <QtTest>

using namespace n35;

namespace
{

QString repeat(const char *word, int times)
{
    return QString::fromLatin1(word).repeated(times);
}

using Links = QList<QPair<int, int>>; // (group, bank)

const QString Zeros16 = QString(16, QLatin1Char('0'));

} // namespace

class BanksTest : public QObject
{
    Q_OBJECT
private slots:
    void defaultBlocksBothWays()
    {
        BankPartition banks;
        const QString block0 = repeat("6400", 5) + repeat("0000", 27);
        const QString block1 =
            repeat("0000", 18) + QStringLiteral("6400C800320002006400") + repeat("0000", 2);
        QCOMPARE(EncodeBankBlock(banks, 0), block0);
        QCOMPARE(EncodeBankBlock(banks, 1), block1);
        QCOMPARE(block1.size(), 100);
        QCOMPARE(banks.encode(), block0 + block1);

        BankPartition::Counts counts{};
        QVERIFY(DecodeBankBlock(block0, 0, counts).ok());
        QVERIFY(DecodeBankBlock(block1, 1, counts).ok());
        QVERIFY(counts == BankPartition::DefaultCounts());

        // 500 is F401, low byte first, both ways.
        counts = {};
        counts[49] = 500;
        QVERIFY(banks.applyDecoded(counts));
        QVERIFY(EncodeBankBlock(banks, 1).startsWith(repeat("0000", 17) + QStringLiteral("F401")));
        counts = {};
        QVERIFY(DecodeBankBlock(QStringLiteral("F401") + repeat("0000", 31), 0, counts).ok());
        QCOMPARE(counts[0], 500);
    }

    void decodedPartitionsAreTakenWhole_data()
    {
        QTest::addColumn<QString>("block0");
        QTest::addColumn<QString>("block1");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<bool>("decodes");
        const QString standard = repeat("6400", 5) + repeat("0000", 27);
        const QString zeros = repeat("0000", 18);
        QTest::newRow("the default") << standard << zeros << true << true;
        QTest::newRow("a total of 499")
            << QStringLiteral("6300") + repeat("6400", 4) + repeat("0000", 27) << zeros << false << true;
        QTest::newRow("a total of 510")
            << standard << repeat("0000", 17) + QStringLiteral("0A00") << false << true;
        // A bank above 500, which no slider can show.
        QTest::newRow("one bank of 501")
            << QStringLiteral("F501") + repeat("0000", 31) << zeros << false << true;
        QTest::newRow("not hex") << standard << QStringLiteral("00G0") + repeat("0000", 17) << false << false;
        QTest::newRow("too short") << standard << repeat("0000", 17) << false << false;
    }
    void decodedPartitionsAreTakenWhole()
    {
        QFETCH(QString, block0);
        QFETCH(QString, block1);
        QFETCH(bool, valid);
        QFETCH(bool, decodes);
        BankPartition banks;
        BankPartition::Counts start{};
        start[7] = 500;
        banks.setCounts(start);

        // The two blocks as read: block 1 follows the whole 64 bytes of block 0.
        const Result<BankPartition::Counts> decoded = banks.decode(block0 + block1);
        QCOMPARE(decoded.ok(), decodes);
        if (!decodes) {
            QVERIFY(banks.counts() == start); // nothing applied
            return;
        }
        QCOMPARE(BankPartition::IsValid(*decoded), valid);
        // Whatever the radio sent, the partition is a valid one afterwards: the decoded one or the default.
        QVERIFY(banks.counts() == BankPartition::DefaultCounts());
        QVERIFY(banks.valid());
    }

    void countBoxRules_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("number");  // on Enter
        QTest::addColumn<int>("settled"); // on leaving the box
        QTest::newRow("above 500 becomes 100") << "1234" << 1234 << 100;
        QTest::newRow("leading zeros go") << "0050" << 50 << 50;
        QTest::newRow("500 stays") << "500" << 500 << 500;
        QTest::newRow("501 becomes 100") << "501" << 501 << 100;
        QTest::newRow("empty is 0") << "" << 0 << 0;
        QTest::newRow("pasted letters are removed") << "1a2" << 12 << 12;
    }
    void countBoxRules()
    {
        QFETCH(QString, typed);
        QFETCH(int, number);
        QFETCH(int, settled);
        QCOMPARE(CountBoxNumber(typed), number);
        QCOMPARE(CountBoxSettled(typed), settled);

        QCOMPARE(FilterCountKey(QLatin1Char('7'), 3), KeyVerdict::Accept);
        QCOMPARE(FilterCountKey(QLatin1Char('7'), 4), KeyVerdict::Drop); // no fifth digit
        QCOMPARE(FilterCountKey(QChar(13), 4), KeyVerdict::Confirm);
        QCOMPARE(FilterCountKey(QChar(8), 4), KeyVerdict::Accept);
        QCOMPARE(FilterCountKey(QLatin1Char('-'), 0), KeyVerdict::Drop);
    }

    void upAndDown()
    {
        BankPartition banks;
        QSignalSpy changes(&banks, &BankPartition::changed);
        StepBankCount(banks, NoCurrentBank, 1); // before any slider had the focus
        StepBankCount(banks, NoCurrentBank, -1);
        QCOMPARE(changes.count(), 0);

        StepBankCount(banks, 5, -1); // not below 0
        QCOMPARE(banks.count(5), 0);
        StepBankCount(banks, 5, 1);
        QCOMPARE(banks.count(5), 1);
        QCOMPARE(banks.total(), 501);

        BankPartition::Counts full{};
        full[3] = 500;
        banks.setCounts(full);
        changes.clear();
        StepBankCount(banks, 3, 1); // not above 500
        QCOMPARE(banks.count(3), 500);
        QCOMPARE(changes.count(), 0);
    }

    void rowLabelsFollowValidPartitions()
    {
        CloneImage image;
        ChannelTable &table = image.channels;
        const std::pair<int, const char *> expected[] = {
            {1, "Bank00-000"}, {5, "Bank00-004"},  {101, "Bank01-000"},   {500, "Bank04-099"},
            {501, "PRG - 0A"}, {600, "PRG - 49B"}, {601, "Dual0(Main) "}, {800, "Dual99(Sub) "},
            {801, "PRIO - 0"}, {850, "PRIO - 49"}, {851, "CALL-222"},     {852, "CALL-900"},
            {853, "PASS - 0"}, {952, "PASS - 99"},
        };
        for (const auto &[row, label] : expected)
            QCOMPARE(table.label(row), QString::fromLatin1(label));

        // An unfinished partition leaves the labels; a valid one relabels at once, an empty bank gives no
        // rows.
        BankPartition::Counts counts = image.banks.counts();
        counts[0] = 0;
        image.banks.setCounts(counts);
        QCOMPARE(table.label(1), QStringLiteral("Bank00-000"));
        counts[7] = 100;
        image.banks.setCounts(counts);
        QCOMPARE(table.label(1), QStringLiteral("Bank01-000"));
        QCOMPARE(table.label(500), QStringLiteral("Bank07-099"));

        // Below 500 the rows after the last bank row keep their labels.
        BankPartition partial;
        BankPartition::Counts three{};
        three[9] = 3;
        partial.setCounts(three);
        LabelChannelRows(partial, table);
        QCOMPARE(table.label(3), QStringLiteral("Bank09-002"));
        QCOMPARE(table.label(4), QStringLiteral("Bank01-003"));
    }

    void makeBankLink_data()
    {
        QTest::addColumn<Links>("links");
        QTest::addColumn<QString>("hex");
        QTest::newRow("none") << Links{} << QString(176, QLatin1Char('0'));
        QTest::newRow("bank 0 in group 0")
            << Links{{0, 0}} << QStringLiteral("80") + QString(174, QLatin1Char('0'));
        QTest::newRow("bank 49 in GroupB")
            << Links{{10, 49}} << QString(172, QLatin1Char('0')) + QStringLiteral("4000");
        Links all;
        for (int bank = 0; bank < BankLinks::BankCount; ++bank)
            all << qMakePair(3, bank);
        QTest::newRow("all banks in group 3")
            << all << Zeros16.repeated(3) + QStringLiteral("FFFFFFFFFFFFC000") + Zeros16.repeated(7);
        QTest::newRow("banks 7, 8, 48 in group 8")
            << Links{{8, 7}, {8, 8}, {8, 48}}
            << Zeros16.repeated(8) + QStringLiteral("0180000000008000") + Zeros16.repeated(2);
    }
    void makeBankLink()
    {
        QFETCH(Links, links);
        QFETCH(QString, hex);
        BankLinks made;
        for (const auto &[group, bank] : links)
            made.setLinked(group, bank, true);
        QCOMPARE(made.MakeBankLink(), hex);

        // And back: the same links and nothing else, from the text in either case.
        BankLinks read;
        QVERIFY(read.ExpandBankLink(hex.toLower()).ok());
        for (int group = 0; group < BankLinks::GroupCount; ++group) {
            for (int bank = 0; bank < BankLinks::BankCount; ++bank)
                QCOMPARE(read.linked(group, bank), links.contains(qMakePair(group, bank)));
        }
        QCOMPARE(read.MakeBankLink(), hex);
    }

    void expandReadsOnlyTheBankDigits()
    {
        // Two blocks as read, 256 characters: per group 13 digits of banks (the last digit's two low bits
        // are padding), three ignored digits; after the eleventh group 80 ignored characters.
        QString blocks;
        for (int group = 0; group < BankLinks::GroupCount; ++group)
            blocks += (group == 5 ? QStringLiteral("8000000000003") : QStringLiteral("0000000000000")) +
                      QStringLiteral("FFF");
        blocks += QStringLiteral("ABCDEF0123456789").repeated(5);
        QCOMPARE(blocks.size(), 256);
        BankLinks links;
        QVERIFY(links.ExpandBankLink(blocks).ok());
        for (int group = 0; group < BankLinks::GroupCount; ++group) {
            for (int bank = 0; bank < BankLinks::BankCount; ++bank)
                QCOMPARE(links.linked(group, bank), group == 5 && bank == 0);
        }
        QCOMPARE(links.MakeBankLink(), Zeros16.repeated(5) + QStringLiteral("8") +
                                           QString(15, QLatin1Char('0')) + Zeros16.repeated(5));
    }

    void damagedTextChangesNothing_data()
    {
        QTest::addColumn<QString>("hex");
        const QString good = QString(176, QLatin1Char('1'));
        QString letterG = good;
        letterG[16 * 9 + 12] = QLatin1Char('G'); // the last bank digit of group 9
        QString space = good;
        space[0] = QLatin1Char(' ');
        QTest::newRow("a G") << letterG;
        QTest::newRow("a space") << space;
        QTest::newRow("175 characters") << good.left(175);
    }
    void damagedTextChangesNothing()
    {
        QFETCH(QString, hex);
        BankLinks links;
        links.setLinked(2, 30, true);
        const QString before = links.MakeBankLink();
        QSignalSpy changed(&links, &BankLinks::changed);
        QVERIFY(!links.ExpandBankLink(hex).ok());
        QCOMPARE(links.MakeBankLink(), before);
        QCOMPARE(changed.count(), 0);
    }

    void emptyBanksLoseTheirLinks()
    {
        BankPartition banks; // banks 0..4 hold 100 each
        BankLinks links;
        for (int group : {0, 10}) {
            for (int bank : {4, 5, 49})
                links.setLinked(group, bank, true);
        }
        QSignalSpy changed(&links, &BankLinks::changed);
        links.dropEmptyBanks(banks);
        QCOMPARE(changed.count(), 1);
        for (int group : {0, 10}) {
            QVERIFY(links.linked(group, 4));
            QVERIFY(!links.linked(group, 5));
            QVERIFY(!links.linked(group, 49));
        }
        links.dropEmptyBanks(banks); // nothing left to drop: no signal
        QCOMPARE(changed.count(), 1);

        links.toggle(0, 4);
        QVERIFY(!links.linked(0, 4));
        links.reset();
        QCOMPARE(links.MakeBankLink(), QString(176, QLatin1Char('0')));
    }
};

QTEST_GUILESS_MAIN(BanksTest)
#include "test_banks.moc"
