#include "files/rowclipboard.h"
#include "model/channelcells.h"
#include "support/channelfixtures.h"

#include <QTest>

using namespace n35;

class TestRowClipboard : public QObject
{
    Q_OBJECT
private slots:
    void copiedRowsPasteBackElsewhere()
    {
        ChannelTable table;
        testing::FillVariedChannels(table, 1, 30);
        // The varied rows include frequencies the radio reports but no import takes; these are in band.
        for (int row = 11; row <= 20; ++row)
            table.setCell(row, ColFrequency, FrequencyText(223'000'000 + std::uint32_t(row) * 12'500));
        const QString text = RowsAsText(table, 11, 20);
        QVERIFY(text.startsWith(ChannelHeaderTexts().join(QLatin1Char('\t')) + QLatin1Char('\n')));

        ChannelTable target;
        const PasteResult pasted = PasteRows(text, 601, target);
        QVERIFY2(pasted.refused.empty(), qPrintable(ListRefusals(pasted.refused)));
        QCOMPARE(pasted.lastRow, 610);
        for (int k = 0; k < 10; ++k) {
            QVERIFY(target.cells(601 + k) == table.cells(11 + k));
            QCOMPARE(target.used(601 + k), table.used(11 + k));
        }

        std::vector<RowNote> warnings;
        RowsAsText(table, 11, 20, &warnings);
        QVERIFY(warnings.empty());
        // A name a spreadsheet would run is copied as it is, and told; the radio's own "-/T" is not.
        table.setCell(12, ColName, QStringLiteral("@SUM(A1)"));
        table.setCell(13, ColSubtone, QStringLiteral("-/T"));
        QVERIFY(RowsAsText(table, 11, 20, &warnings).contains(QStringLiteral("\t@SUM(A1)\n")));
        QCOMPARE(warnings.size(), std::size_t(1));
        QCOMPARE(ListWarnings(warnings),
                 QStringLiteral("Row 12, the name \"@SUM(A1)\": a spreadsheet may run this as a formula"));
    }

    void pasteRefusesOnlyTheRowsTheRadioCannotHold_data()
    {
        QTest::addColumn<int>("at");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("refusedColumn"); // empty when the row is taken
        QTest::addColumn<bool>("rowEmptyAfter");
        const QString good = QStringLiteral(
            "223.50000MHz\tFM\t20KHz\tT/-\t100.0Hz\t100.0Hz\t023\t023\t-\t1.60000MHz\t\tREPEATER");
        QTest::newRow("good, cells only") << 10 << good << "" << false;
        QTest::newRow("good, with a label") << 10 << QStringLiteral("Bank00-009\t") + good << "" << false;
        QTest::newRow("out of band") << 10 << QString(good).replace(0, 3, QStringLiteral("146"))
                                     << "the frequency" << true;
        QTest::newRow("AM") << 10 << QString(good).replace(QStringLiteral("\tFM\t"), QStringLiteral("\tAM\t"))
                            << "the mode" << true;
        QTest::newRow("222 MHz into CALL-900") << Call900Channel << good << "the frequency" << false;
        // A name is refused for a character the radio lacks or a control character, never stored as "?".
        QTest::newRow("name with a control character")
            << 10 << QString(good).replace(QStringLiteral("REPEATER"), QStringLiteral("RE\x01P"))
            << "the name" << true;
        QTest::newRow("name with a euro sign")
            << 10 << QString(good).replace(QStringLiteral("REPEATER"), QStringLiteral("5\u20AC"))
            << "the name" << true;
        QTest::newRow("too few fields") << 10 << QStringLiteral("223.50000MHz\tFM") << "the line" << true;
        QTest::newRow("past the last row") << 953 << good << "the line" << false;
    }
    void pasteRefusesOnlyTheRowsTheRadioCannotHold()
    {
        QFETCH(int, at);
        QFETCH(QString, line);
        QFETCH(QString, refusedColumn);
        QFETCH(bool, rowEmptyAfter);
        ChannelTable table;
        testing::FillVariedChannels(table, 1, 20);
        const ChannelCells call = table.cells(Call900Channel);
        // The line between two good ones, so only it may be refused.
        const QString good =
            QStringLiteral("223.50000MHz\tFM\t20KHz\tT/-\t100.0Hz\t100.0Hz\t023\t023\t-\t1.60000MHz\t\tA");
        const int first = at - 1;
        const PasteResult pasted = PasteRows(
            good + QLatin1Char('\n') + line + QLatin1Char('\n') + good + QLatin1Char('\n'), first, table);
        if (refusedColumn.isEmpty()) {
            QVERIFY(pasted.refused.empty());
            QCOMPARE(table.cell(at, ColName), QStringLiteral("REPEATER"));
            return;
        }
        QCOMPARE(pasted.refused.size(), at > ChannelCount ? std::size_t(2) : std::size_t(1));
        QCOMPARE(pasted.refused.front().row, at);
        QCOMPARE(pasted.refused.front().column, refusedColumn);
        QCOMPARE(table.cell(first, ColName), QStringLiteral("A"));
        if (at <= ChannelCount) {
            QCOMPARE(table.cell(at + 1, ColName), QStringLiteral("A"));
            QCOMPARE(table.cell(at, ColFrequency).isEmpty(), rowEmptyAfter);
        }
        if (at == Call900Channel)
            QVERIFY(table.cells(Call900Channel) == call);
    }
};

QTEST_GUILESS_MAIN(TestRowClipboard)
#include "test_rowclipboard.moc"
