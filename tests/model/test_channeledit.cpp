// The channel editor's rules without its window: opening a row, the frequency boxes, the name length
// and what "OK" stores.

#include "model/channelcells.h"
#include "model/channeledit.h"
#include "support/channelfixtures.h"

#include <QtTest>

using namespace n35;

namespace
{

ChannelPanel panelWith(const QString &mhz, const QString &fraction)
{
    ChannelPanel panel = ClearedPanel();
    panel.frequencyMhz = mhz;
    panel.frequencyFraction = fraction;
    return panel;
}

// One panel field as text, so the opening rules fit one table.
QString field(const ChannelPanel &p, const QString &name)
{
    const QStringList names{"freq", "offset", "mode", "step", "type", "txTone", "rxDcs", "shift", "skip"};
    const QList<int> numbers{p.mode, p.step, p.type, p.txTone, p.rxDcs, p.shift, p.skip};
    const qsizetype at = names.indexOf(name);
    if (at < 2)
        return at == 0 ? p.frequencyMhz + '|' + p.frequencyFraction : p.offsetMhz + '|' + p.offsetFraction;
    return QString::number(numbers.value(at - 2));
}

} // namespace

class ChannelEditTest : public QObject
{
    Q_OBJECT

private slots:
    void openingRules_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        const std::tuple<const char *, int, const char *, const char *, const char *> rows[] = {
            {"AM opens as FM", ColMode, "AM", "mode", "0"},
            {"WFM opens as FM", ColMode, "WFM", "mode", "0"},
            {"NFM", ColMode, "NFM", "mode", "2"},
            {"unknown step", ColStep, "1000KHz", "step", "0"},
            {"Train opens as None", ColSubtone, "Train", "type", "0"},
            {"T/R", ColSubtone, "T/R", "type", "4"},
            {"unknown tone is 88.5Hz", ColTxTone, "67Hz", "txTone", "8"},
            {"last tone", ColTxTone, "250.3Hz", "txTone", "38"},
            {"last DCS", ColRxDcs, "754", "rxDcs", "103"},
            {"unknown DCS", ColRxDcs, "23", "rxDcs", "0"},
            {"shift -", ColShift, "-", "shift", "2"},
            {"four MHz digits", ColFrequency, "1270.00625MHz", "freq", "1270|00625"},
            {"empty frequency", ColFrequency, "", "freq", "|"},
            {"offset", ColShiftFreq, "12.50000MHz", "offset", "12|50000"},
            {"offset too long", ColShiftFreq, "1000.00000MHz", "offset", "|"},
            {"skip", ColSkip, "*", "skip", "1"}};
        for (const auto &[tag, column, text, name, expected] : rows)
            QTest::newRow(tag) << column << QString(text) << QString(name) << QString(expected);
    }
    void openingRules()
    {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        ChannelCells cells = CellsFromPanel(ClearedPanel());
        cells[column - 1] = text;
        QCOMPARE(field(PanelFromCells(cells), name), expected);
    }

    // Every storable row comes back from its panel as it was, but "Train" is stored as "None".
    void panelRoundTrip()
    {
        ChannelTable table;
        testing::FillVariedChannels(table, 1, 100);
        for (int channel = 1; channel <= 100; ++channel) {
            ChannelCells expected = table.cells(channel);
            if (expected[ColSubtone - 1] == "Train")
                expected[ColSubtone - 1] = "None";
            QCOMPARE(CellsFromPanel(PanelFromCells(table.cells(channel))), expected);
        }
    }

    void typeRule()
    {
        // Per type: Tx tone, Rx tone, Tx DCS, Rx DCS enabled.
        const char *rows[] = {"0000", "0000", "1000", "1100", "1100", "0011", "0100",
                              "0100", "0001", "1001", "0010", "0110", "0110"};
        for (int t = 0; t < 13; ++t) {
            const ToneListsEnabled on = TypeRule(t);
            const QString got = QString::number(on.txTone) + QString::number(on.rxTone) +
                                QString::number(on.txDcs) + QString::number(on.rxDcs);
            QVERIFY2(got == rows[t], qPrintable(QString("type %1 gives %2").arg(t).arg(got)));
        }
    }

    void keyFilter()
    {
        const std::tuple<QChar, int, bool, KeyVerdict> rows[] = {
            {'7', 2, false, KeyVerdict::Accept},      {'7', 3, false, KeyVerdict::Drop},
            {'7', 3, true, KeyVerdict::Accept},       {QChar(13), 3, false, KeyVerdict::Confirm},
            {QChar(8), 0, false, KeyVerdict::Accept}, {'a', 0, true, KeyVerdict::Drop},
            {'.', 0, false, KeyVerdict::Drop}};
        for (const auto &[key, length, selection, verdict] : rows)
            QVERIFY2(FilterFrequencyKey(key, length, selection, MhzDigits) == verdict,
                     qPrintable(QString("key %1 length %2").arg(key.unicode()).arg(length)));
    }

    // The boxes are written back as read: digits only, "0" MHz when empty, five fraction digits at least.
    void frequencyBoxes()
    {
        const std::tuple<QString, QString, QString, uint> rows[] = {
            {"222", "125", "222|12500", 222125000u},
            {"", "", "0|00000", 0u},
            {"2x2", "1.5", "22|15000", 22150000u},
            // 2^64 + 222 MHz, pasted: saturates rather than wrapping round to 222 MHz
            {"18446744073709551838", "", "18446744073709551838|00000", 0xFFFFFFFFu},
        };
        for (auto [mhz, fraction, boxes, hz] : rows) {
            QCOMPARE(ReadFrequencyBoxes(mhz, fraction), hz);
            QCOMPARE(mhz + '|' + fraction, boxes);
        }
    }

    void nameLength_data()
    {
        const QString a15(15, 'a');
        const QString a14(14, 'a');
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kept");
        QTest::newRow("17 cut to 16") << QString(17, 'a') << QString(16, 'a');
        QTest::newRow("glyph past 16") << a15 + "\\1" << a15;
        QTest::newRow("glyph at 15-16") << a14 + "\\8b" << a14 + "\\8";
        QTest::newRow("backslash one column") << a15 + "\\\\" << a15 + "\\\\";
        QTest::newRow("after backslash cut") << a15 + "\\\\b" << a15 + "\\\\";
        QTest::newRow("lone backslash") << a15 + "\\x" << a15 + "\\";
        QTest::newRow("kanji at 16") << a15 + "あ" << a15;
        QTest::newRow("kanji at 15-16") << a14 + "あb" << a14 + "あ";
        QTest::newRow("nine kanji") << QString("あいうえおかきくけ") << QString("あいうえおかきく");
    }
    void nameLength()
    {
        QFETCH(QString, name);
        QFETCH(QString, kept);
        QCOMPARE(NameLengthCheckAndCorrect(name), kept);
        QCOMPARE(NameColumns(name) <= 16, name == kept); // kept whole exactly when it fits
    }

    // The band plan fills shift and offset on the segments' edges and not beside them; a shift the user
    // set stays; off, nothing is filled; leaving the segments puts back what the row held.
    void repeaterShiftFill_data()
    {
        QTest::addColumn<QStringList>("typed"); // the frequency boxes after each edit, "MHz|fraction"
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("userSet");
        QTest::addColumn<QString>("shift"); // shift index and offset boxes afterwards
        QTest::addColumn<QString>("band");
        const std::tuple<const char *, QStringList, bool, bool, const char *, const char *> rows[] = {
            {"223.850 first output", {"223|85000"}, true, false, "2 1|60000", "1.25 m"},
            {"224.980 last output", {"224|98"}, true, false, "2 1|60000", "1.25 m"},
            {"223.845 below", {"223|84500"}, true, false, "1 0|50000", ""},
            {"224.985 above", {"224|98500"}, true, false, "1 0|50000", ""},
            {"927.0125 first output", {"927|01250"}, true, false, "2 25|00000", "33 cm"},
            {"927.9875 last output", {"927|98750"}, true, false, "2 25|00000", "33 cm"},
            {"927.000 below", {"927|00000"}, true, false, "1 0|50000", ""},
            {"927.99 above", {"927|99000"}, true, false, "1 0|50000", ""},
            {"902.0125 is an input", {"902|01250"}, true, false, "1 0|50000", ""},
            {"user-set shift kept", {"224|50000"}, true, true, "1 0|50000", ""},
            {"option off", {"224|50000"}, false, false, "1 0|50000", ""},
            {"back out of the segment", {"224|5", "223|5"}, true, false, "1 0|50000", ""},
            {"emptied boxes", {"224|5", "|"}, true, false, "1 0|50000", ""},
            {"typing on inside", {"22|", "224|", "224|9"}, true, false, "2 1|60000", "1.25 m"}};
        for (const auto &[tag, typed, enabled, userSet, shift, band] : rows)
            QTest::newRow(tag) << typed << enabled << userSet << QString::fromLatin1(shift)
                               << QString::fromUtf8(band);
    }
    void repeaterShiftFill()
    {
        QFETCH(QStringList, typed);
        QFETCH(bool, enabled);
        QFETCH(bool, userSet);
        QFETCH(QString, shift);
        QFETCH(QString, band);
        // The row as opened: shift "+", 0.5 MHz.
        ChannelPanel panel = panelWith(QStringLiteral("145"), QStringLiteral("00000"));
        panel.shift = 1;
        panel.offsetMhz = QStringLiteral("0");
        panel.offsetFraction = QStringLiteral("50000");
        RepeaterShiftFill fill(panel, enabled);
        if (userSet)
            fill.userSetShift();
        QString filledBy;
        for (const QString &boxes : typed) {
            panel.frequencyMhz = boxes.section(u'|', 0, 0);
            panel.frequencyFraction = boxes.section(u'|', 1, 1);
            filledBy = fill.frequencyEdited(panel);
        }
        QCOMPARE(QString::number(panel.shift) + ' ' + field(panel, "offset"), shift);
        QCOMPARE(filledBy, band);
        QCOMPARE(panel.frequencyMhz + '|' + panel.frequencyFraction, typed.constLast()); // boxes as typed
    }

    void commitBand_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<QString>("mhz");
        QTest::addColumn<QString>("fraction");
        QTest::addColumn<QString>("stored"); // empty: refused
        const std::tuple<const char *, int, const char *, const char *, const char *> rows[] = {
            {"typed 222 125", 1, "222", "125", "222.12500MHz"},
            {"250 exclusive", 1, "250", "00000", ""},
            {"216 inclusive", 1, "216", "00000", "216.00000MHz"},
            {"928 exclusive", 699, "928", "", ""},
            {"CALL-900 refuses 222", Call900Channel, "222", "", ""},
            {"CALL-900 takes 902", Call900Channel, "902", "", "902.00000MHz"},
            {"CALL-222 refuses 902", Call222Channel, "902", "", ""}};
        for (const auto &[tag, channel, mhz, fraction, stored] : rows)
            QTest::newRow(tag) << channel << QString(mhz) << QString(fraction) << QString(stored);
    }
    void commitBand()
    {
        QFETCH(int, channel);
        QFETCH(QString, mhz);
        QFETCH(QString, fraction);
        QFETCH(QString, stored);
        ChannelTable table;
        const ChannelCells before = table.cells(channel);
        std::array<ChannelPanel, 2> panels{panelWith(mhz, fraction), panelWith("222", "")};
        const EditResult result = CommitChannelEdit(table, channel, panels);
        if (stored.isEmpty()) {
            QCOMPARE(result.verdict, EditVerdict::OutOfBand);
            QVERIFY(panels[0].frequencyMhz.isEmpty() && panels[0].frequencyFraction.isEmpty());
            QCOMPARE(table.cells(channel), before);
        } else {
            QCOMPARE(result.verdict, EditVerdict::Stored);
            QCOMPARE(table.cell(channel, ColFrequency), stored);
            QVERIFY(table.used(channel));
        }
    }

    void offsetAboveLimitIsReset()
    {
        ChannelTable table;
        std::array<ChannelPanel, 2> panels{panelWith("222", ""), {}};
        panels[0].offsetMhz = "999";
        panels[0].offsetFraction = "99995";
        QCOMPARE(CommitChannelEdit(table, 1, panels).verdict, EditVerdict::Stored);
        QCOMPARE(table.cell(1, ColShiftFreq), "999.99995MHz");
        panels[0].offsetFraction = "99996";
        QCOMPARE(CommitChannelEdit(table, 1, panels).verdict, EditVerdict::Stored);
        QCOMPARE(panels[0].offsetMhz + '|' + panels[0].offsetFraction, "0|00000");
        QCOMPARE(table.cell(1, ColShiftFreq), "0.00000MHz");
    }

    void dualPairEditsBothRows()
    {
        QCOMPARE(QList<int>({EditedChannel(602), EditedChannel(800), EditedChannel(600), EditedChannel(802)}),
                 QList<int>({601, 799, 600, 802}));
        QVERIFY(EditsPair(601) && EditsPair(799) && !EditsPair(600) && !EditsPair(801));

        ChannelTable table;
        std::array<ChannelPanel, 2> panels{panelWith("222", "5"), panelWith("300", "")};
        QCOMPARE(CommitChannelEdit(table, EditedChannel(602), panels).panel, 1);
        QVERIFY(!table.used(601) && table.cell(601, ColFrequency).isEmpty());
        panels[1] = panelWith("927", "99999");
        QCOMPARE(CommitChannelEdit(table, 601, panels).verdict, EditVerdict::Stored);
        QCOMPARE(table.cell(601, ColFrequency), "222.50000MHz");
        QCOMPARE(table.cell(602, ColFrequency), "927.99999MHz");
        QVERIFY(table.used(602) && !table.used(603));
    }

    // A frequency another PASS row holds is refused and the edited row keeps its channel; the row's
    // own frequency is no overlap.
    // A name character the radio cannot store is refused, never saved as "?": nothing is stored.
    void badNameStoresNothing()
    {
        ChannelTable table;
        const ChannelCells before = table.cells(1);
        std::array<ChannelPanel, 2> panels{panelWith("222", ""), {}};
        panels[0].name = QStringLiteral("5\u20AC");
        const EditResult result = CommitChannelEdit(table, 1, panels);
        QCOMPARE(result.verdict, EditVerdict::BadName);
        QCOMPARE(result.why,
                 QStringLiteral("The name holds \"\u20AC\" (U+20AC), which the radio cannot store."));
        QVERIFY(table.cells(1) == before && !table.used(1));
        panels[0].name = QStringLiteral("5\\1");
        QCOMPARE(CommitChannelEdit(table, 1, panels).verdict, EditVerdict::Stored);
    }

    void passOverlapKeepsTheRow()
    {
        const int first = FirstPassChannel;
        ChannelTable table;
        table.setCells(first, CellsFromPanel(panelWith("222", "")));
        table.setCells(first + 1, CellsFromPanel(panelWith("223", "")));
        const ChannelCells second = table.cells(first + 1);
        std::array<ChannelPanel, 2> panels{panelWith("222", "0"), {}};
        QCOMPARE(CommitChannelEdit(table, first + 1, panels).verdict, EditVerdict::PassOverlap);
        QCOMPARE(table.cells(first + 1), second);
        panels[0].name = "OWN";
        QCOMPARE(CommitChannelEdit(table, first, panels).verdict, EditVerdict::Stored);
        QCOMPARE(table.cell(first, ColName), "OWN");
    }
};

QTEST_GUILESS_MAIN(ChannelEditTest)
#include "test_channeledit.moc"
