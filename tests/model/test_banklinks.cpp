// The bank links: their radio form both ways, what a damaged text does, and the links of empty banks.

#include "model/banklinks.h"
#include "model/banks.h"

#include <QSignalSpy>
#include <QtTest>

using namespace n35;

namespace
{

using Links = QList<QPair<int, int>>; // (group, bank)

const QString Zeros16 = QString(16, QLatin1Char('0'));

} // namespace

class BankLinksTest : public QObject
{
    Q_OBJECT
private slots:
    void makeBankLink_data();
    void makeBankLink();
    void expandReadsOnlyTheBankDigits();
    void damagedTextChangesNothing_data();
    void damagedTextChangesNothing();
    void emptyBanksLoseTheirLinks();
};

void BankLinksTest::makeBankLink_data()
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

void BankLinksTest::makeBankLink()
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

void BankLinksTest::expandReadsOnlyTheBankDigits()
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
    QCOMPARE(links.MakeBankLink(),
             Zeros16.repeated(5) + QStringLiteral("8") + QString(15, QLatin1Char('0')) + Zeros16.repeated(5));
}

void BankLinksTest::damagedTextChangesNothing_data()
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

void BankLinksTest::damagedTextChangesNothing()
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

void BankLinksTest::emptyBanksLoseTheirLinks()
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
    links.clear();
    QCOMPARE(links.MakeBankLink(), QString(176, QLatin1Char('0')));
}

QTEST_GUILESS_MAIN(BankLinksTest)
#include "test_banklinks.moc"
