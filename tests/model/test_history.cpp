#include "model/channelcells.h"
#include "model/history.h"
#include "model/rowedits.h"
#include "model/rowshift.h"
#include "model/valuetables.h"
#include "support/channelfixtures.h"

#include <QSignalSpy>
#include <QTest>

using namespace n35;

namespace
{

struct Rows {
    std::vector<ChannelCells> cells;
    std::vector<unsigned char> used;
    QStringList labels;
    bool operator==(const Rows &) const = default;
};

Rows Snapshot(const ChannelTable &table)
{
    Rows rows{table.allRows(), table.allUsed(), {}};
    for (int row = 1; row <= ChannelCount; ++row)
        rows.labels << table.label(row);
    return rows;
}

} // namespace

class TestHistory : public QObject
{
    Q_OBJECT
private slots:
    void clearAllThenUndoAndRedoAreExact()
    {
        CloneImage image;
        testing::VaryImage(image);
        ImageHistory history(image);
        const Rows before = Snapshot(image.channels);
        QVERIFY(std::count(before.used.begin(), before.used.end(), 1) > 100);

        ClearChannelRows(image.channels, 1, ChannelCount);
        QVERIFY(history.record(QStringLiteral("Clear all memory")));
        const Rows cleared = Snapshot(image.channels);
        QCOMPARE(history.undoName(), QStringLiteral("Clear all memory"));

        QVERIFY(history.undo());
        QVERIFY(Snapshot(image.channels) == before);
        QCOMPARE(history.redoName(), QStringLiteral("Clear all memory"));
        QVERIFY(history.redo());
        QVERIFY(Snapshot(image.channels) == cleared);
        QVERIFY(!history.canRedo());
        // Nothing changed: no step.
        QVERIFY(!history.record(QStringLiteral("Write All Data")));
        QCOMPARE(history.undoCount(), 1);
    }

    void resetGivesTheStartUpImage()
    {
        CloneImage image;
        testing::VaryImage(image);
        const CloneImage fresh;
        QVERIFY(!(CaptureImage(image) == CaptureImage(fresh)));
        image.reset();
        QVERIFY(CaptureImage(image) == CaptureImage(fresh));
    }

    void cleanMarkFollowsTheHistory()
    {
        CloneImage image;
        ImageHistory history(image);
        QVERIFY(history.isClean());
        image.title.setText(QStringLiteral("EDIT"));
        QVERIFY(history.record(QStringLiteral("title edit")));
        QVERIFY(!history.isClean());
        // Undone back to the clean image it is clean again, redone it is not.
        QVERIFY(history.undo());
        QVERIFY(history.isClean());
        QVERIFY(history.redo());
        QVERIFY(!history.isClean());
        // A save marks the image as it is; undoing the saved edit is a change again.
        history.markClean();
        QVERIFY(history.isClean());
        QVERIFY(history.undo());
        QVERIFY(!history.isClean());
        // A load marks before its own step is recorded; once recorded the image is clean.
        image.title.setText(QStringLiteral("LOADED"));
        history.markClean();
        QVERIFY(history.record(QStringLiteral("Open")));
        QVERIFY(history.isClean());
        history.rebase();
        QVERIFY(history.isClean());
    }

    void undoBringsBackThePartitionWithItsLabelsAndKeys()
    {
        CloneImage image;
        BankPartition::Counts counts{};
        counts[0] = 200;
        counts[7] = 300;
        image.banks.setCounts(counts);
        image.oneTouch.setDisabled(2, false);
        image.oneTouch.setBank(2, 7);
        image.oneTouch.setPosition(2, 250);
        ImageHistory history(image);
        const QString label = image.channels.label(450);
        const OneTouchKeys::State keys = image.oneTouch.state();
        const QStringList bankEntries = image.settings.texts(SetModeSettings::BankMainOption);
        QCOMPARE(label, QStringLiteral("Bank07-249"));

        image.banks.reset();
        QVERIFY(history.record(QStringLiteral("Bank Read")));
        QVERIFY(image.channels.label(450) != label);
        QVERIFY(image.oneTouch.state() != keys);

        QVERIFY(history.undo());
        QCOMPARE(image.banks.counts(), counts);
        QCOMPARE(image.channels.label(450), label);
        QVERIFY(image.oneTouch.state() == keys);
        QCOMPARE(image.settings.texts(SetModeSettings::BankMainOption), bankEntries);

        // Undone back to an unfinished partition (which the lists do not follow), "Bank No." still names
        // the entry it named then, not the entry at its index in today's lists.
        CloneImage edited;
        SetModeSettings &settings = edited.settings;
        settings.setIndex(SetModeSettings::BankMainOption, 5);
        const auto main = [&] {
            return settings.texts(SetModeSettings::BankMainOption)
                .value(settings.index(SetModeSettings::BankMainOption));
        };
        QCOMPARE(main(), QStringLiteral("PRG"));
        ImageHistory steps(edited);
        edited.banks.setCount(5, 10); // 510 in all: the lists stay
        QVERIFY(steps.record(QStringLiteral("bank edit")));
        edited.banks.setCount(0, 90); // 500 again, bank 5 listed
        QVERIFY(steps.record(QStringLiteral("bank edit")));
        QCOMPARE(main(), QStringLiteral("PRG"));
        QVERIFY(steps.undo());
        QCOMPARE(main(), QStringLiteral("PRG"));
        QVERIFY(steps.undo());
        QCOMPARE(main(), QStringLiteral("PRG"));
    }

    void editsOfOneKindMergeOnlyWhileQuick()
    {
        CloneImage image;
        ImageHistory history(image);
        const QString key = QStringLiteral("title edit");
        image.title.setText(QStringLiteral("A"));
        history.record(key, key, 1000);
        image.title.setText(QStringLiteral("AB"));
        history.record(key, key, 1000 + ImageHistory::MergeMs - 1);
        QCOMPARE(history.undoCount(), 1);
        image.title.setText(QStringLiteral("ABC"));
        history.record(key, key, 1000 + 3 * ImageHistory::MergeMs);
        QCOMPARE(history.undoCount(), 2);
        image.dtmf.setMemory(0, QStringLiteral("123"));
        history.record(QStringLiteral("DTMF edit"), QStringLiteral("DTMF edit"),
                       1000 + 3 * ImageHistory::MergeMs);
        QCOMPARE(history.undoCount(), 3);

        history.undo();
        history.undo();
        QCOMPARE(image.title.state().text, QStringLiteral("AB"));
        QVERIFY(image.dtmf.memory(0).isEmpty());
        history.undo();
        QVERIFY(image.title.state().text.isEmpty());
    }

    void historyKeepsItsLimitAndNewStepsDropRedo()
    {
        CloneImage image;
        ImageHistory history(image, 3);
        for (int i = 1; i <= 5; ++i) {
            image.title.setText(QString::number(i));
            history.record(QStringLiteral("step %1").arg(i));
        }
        QCOMPARE(history.undoCount(), 3);
        while (history.undo()) {
        }
        QCOMPARE(image.title.state().text, QStringLiteral("2"));
        QVERIFY(history.canRedo());
        image.title.setText(QStringLiteral("other"));
        history.record(QStringLiteral("other"));
        QVERIFY(!history.canRedo());
    }

    void oddCellsSurviveTheRoundTrip()
    {
        CloneImage image;
        ImageHistory history(image);
        const QString huge(70000, QLatin1Char('x'));
        image.channels.setCell(5, ColName, huge);
        image.channels.setCell(6, ColName, QStringLiteral("\u30a2\x0001\uFFFF"));
        image.channels.setUsed(6, true);
        const Rows edited = Snapshot(image.channels);
        history.record(QStringLiteral("edit"));
        ClearChannelRows(image.channels, 1, ChannelCount);
        history.record(QStringLiteral("clear"));
        history.undo();
        QVERIFY(Snapshot(image.channels) == edited);
    }

    void moveKeepsRowsInTheirGroup_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("moved");
        QTest::addColumn<QList<int>>("order"); // rows 'first-2..last+2' afterwards, by original row number
        // Banks of 10 channels each: rows 1..10 bank 0, 11..20 bank 1, ...
        QTest::newRow("bank row down") << 3 << 3 << 1 << true << QList<int>{1, 2, 4, 3, 5};
        QTest::newRow("block up") << 3 << 4 << -1 << true << QList<int>{1, 3, 4, 2, 5, 6};
        QTest::newRow("not out of its bank") << 10 << 10 << 1 << false << QList<int>{8, 9, 10, 11, 12};
        QTest::newRow("not above the first") << 11 << 12 << -1 << false << QList<int>{9, 10, 11, 12, 13, 14};
        QTest::newRow("dual pair as a pair")
            << 604 << 604 << -1 << true << QList<int>{604, 601, 602, 605, 606};
        QTest::newRow("prg pair") << 501 << 501 << 1 << true << QList<int>{499, 500, 503, 504, 501};
        QTest::newRow("prio row") << 849 << 849 << 1 << true << QList<int>{847, 848, 850, 849, 851};
        QTest::newRow("CALL never") << 851 << 851 << -1 << false << QList<int>{849, 850, 851, 852, 853};
        QTest::newRow("PASS not onto CALL")
            << 853 << 853 << -1 << false << QList<int>{851, 852, 853, 854, 855};
        QTest::newRow("last PASS not past 952") << 952 << 952 << 1 << false << QList<int>{950, 951, 952};
    }
    void moveKeepsRowsInTheirGroup()
    {
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(int, step);
        QFETCH(bool, moved);
        QFETCH(QList<int>, order);
        CloneImage image;
        BankPartition::Counts counts{};
        counts.fill(10);
        image.banks.setCounts(counts);
        // Each row's name is its own row number, so where a row went shows.
        for (int row = 1; row <= ChannelCount; ++row) {
            if (!IsCallChannel(row))
                image.channels.setCell(row, ColName, QString::number(row));
        }
        const MovedRows result = MoveRows(image.channels, image.banks, first, last, step);
        QCOMPARE(result.moved, moved);
        const int from = std::max(first - 2, 1);
        QList<int> seen;
        for (int row = from; row < from + order.size(); ++row)
            seen << (IsCallChannel(row) ? row : image.channels.cell(row, ColName).toInt());
        QCOMPARE(seen, order);
    }

    // Sort, insert and delete-and-shift keep rows in their groups, move pairs as pairs and never the CALL
    // rows, change the table once (one undo step) and are taken back whole by undo.
    void rowShiftsKeepTheirGroups_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<QList<int>>("emptied"); // rows cleared before
        QTest::addColumn<bool>("done");
        QTest::addColumn<int>("from");
        QTest::addColumn<QList<int>>("order"); // rows from.. afterwards by original row number, 0 empty
        // Banks of 10: rows 1..10 bank 0, 11..20 bank 1, ...; frequencies fall as rows rise; each name is its
        // row number, so "10" sorts before "2".
        const QList<int> none;
        QTest::newRow("one row sorts its bank by frequency")
            << "frequency" << 3 << 3 << none << true << 1 << QList<int>{10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 11};
        QTest::newRow("by name") << "name" << 1 << 10 << none << true << 1
                                 << QList<int>{1, 10, 2, 3, 4, 5, 6, 7, 8, 9, 11};
        QTest::newRow("each bank on its own")
            << "frequency" << 9 << 12 << none << true << 8 << QList<int>{8, 10, 9, 12, 11, 13};
        QTest::newRow("empty rows sort last")
            << "frequency" << 1 << 4 << QList<int>{2} << true << 1 << QList<int>{4, 3, 1, 0, 5};
        QTest::newRow("dual pairs as pairs") << "frequency" << 601 << 606 << none << true << 601
                                             << QList<int>{605, 606, 603, 604, 601, 602, 607};
        QTest::newRow("CALL rows stay")
            << "frequency" << 849 << 854 << none << true << 849 << QList<int>{850, 849, 851, 852, 854, 853};
        QTest::newRow("insert opens a row") << "insert" << 3 << 3 << QList<int>{10} << true << 1
                                            << QList<int>{1, 2, 0, 3, 4, 5, 6, 7, 8, 9, 11};
        QTest::newRow("insert into a full bank refused")
            << "insert" << 3 << 3 << none << false << 1 << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
        QTest::newRow("insert a dual pair") << "insert" << 604 << 604 << QList<int>{799, 800} << true << 601
                                            << QList<int>{601, 602, 0, 0, 603, 604};
        QTest::newRow("insert on CALL refused")
            << "insert" << 851 << 851 << QList<int>{850} << false << 850 << QList<int>{0, 851, 852, 853};
        QTest::newRow("delete closes the gap")
            << "delete" << 3 << 4 << none << true << 1 << QList<int>{1, 2, 5, 6, 7, 8, 9, 10, 0, 0, 11};
        QTest::newRow("delete a dual pair")
            << "delete" << 602 << 602 << none << true << 601 << QList<int>{603, 604, 605, 606};
        QTest::newRow("delete keeps CALL")
            << "delete" << 850 << 853 << none << true << 849 << QList<int>{849, 0, 851, 852, 854, 855};
        QTest::newRow("delete of CALL only refused")
            << "delete" << 851 << 852 << none << false << 850 << QList<int>{850, 851, 852, 853};
    }
    void rowShiftsKeepTheirGroups()
    {
        QFETCH(QString, op);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(QList<int>, emptied);
        QFETCH(bool, done);
        QFETCH(int, from);
        QFETCH(QList<int>, order);
        CloneImage image;
        BankPartition::Counts counts{};
        counts.fill(10);
        image.banks.setCounts(counts);
        for (int row = 1; row <= ChannelCount; ++row) {
            if (IsCallChannel(row) || emptied.contains(row))
                continue;
            ChannelCells cells = CallChannelDefaults(FrequencyText(230'000'000 - row * 5'000));
            cells[ColName - 1] = QString::number(row);
            image.channels.setCells(row, cells);
            image.channels.setUsed(row, true);
        }
        ImageHistory history(image);
        const Rows before = Snapshot(image.channels);
        QSignalSpy changes(&image.channels, &ChannelTable::changed);

        bool changed = false;
        if (op == QLatin1String("insert")) {
            const ShiftedRows result = InsertEmptyRow(image.channels, image.banks, first);
            changed = result.done;
            QCOMPARE(result.refusal.isEmpty(), done);
            if (done)
                QCOMPARE(result.row, std::min(first, 603)); // a pair opens at its first row
        } else if (op == QLatin1String("delete")) {
            const ShiftedRows result = DeleteAndShiftUp(image.channels, image.banks, first, last);
            changed = result.done;
            QCOMPARE(result.refusal.isEmpty(), done);
        } else {
            const SortKey key = op == QLatin1String("name") ? SortKey::Name : SortKey::Frequency;
            changed = SortRows(image.channels, image.banks, first, last, key).first > 0;
        }
        QCOMPARE(changed, done);
        QCOMPARE(changes.count(), done ? 1 : 0);
        QList<int> seen;
        for (int row = from; row < from + order.size(); ++row) {
            const bool used = image.channels.used(row);
            QCOMPARE(used, !image.channels.cell(row, ColFrequency).isEmpty());
            seen << (IsCallChannel(row) ? row : image.channels.cell(row, ColName).toInt());
        }
        QCOMPARE(seen, order);
        QCOMPARE(history.record(op), done);
        if (done) {
            QVERIFY(history.undo());
            QVERIFY(Snapshot(image.channels) == before);
        }
    }

    // Rows programmed twice: the same frequency, shift, offset (only with a shift) and the tones the
    // sub-tone mode uses; empty rows and the CALL rows are never listed.
    void duplicatesAreWhatTheRadioCannotTellApart()
    {
        ChannelTable table;
        const QStringList tones = CtcssTexts();
        auto put = [&](int row, const char *frequency, const char *shift, const char *offset,
                       const char *type, int txTone, int rxTone) {
            ChannelCells cells = CallChannelDefaults(QString::fromLatin1(frequency));
            cells[ColShift - 1] = QString::fromLatin1(shift);
            cells[ColShiftFreq - 1] = QString::fromLatin1(offset);
            cells[ColSubtone - 1] = QString::fromLatin1(type);
            cells[ColTxTone - 1] = tones.at(txTone);
            cells[ColRxTone - 1] = tones.at(rxTone);
            cells[ColName - 1] = QString::number(row);
            table.setCells(row, cells);
            table.setUsed(row, true);
        };
        put(1, "224.50000MHz", "-", "1.60000MHz", "T/-", 12, 8);
        put(2, "224.50000MHz", "-", "1.60000MHz", "T/-", 12, 20); // the Rx tone is not used by T/-
        put(3, "224.50000MHz", "-", "1.60000MHz", "T/-", 13, 8);  // another Tx tone
        put(4, "224.50000MHz", "+", "1.60000MHz", "T/-", 12, 8);  // another shift
        put(10, "223.50000MHz", "Off", "0.00000MHz", "None", 0, 0);
        put(601, "223.50000MHz", "Off", "1.60000MHz", "None", 5, 9); // offset and tones unused
        put(700, "223.50000MHz", "Off", "0.00000MHz", "T/T", 5, 9);  // another mode
        put(20, "222.00000MHz", "Off", "0.00000MHz", "None", 8, 8);  // like CALL-222, which is not listed
        put(30, "224.50000MHz", "-", "1.60000MHz", "T/-", 12, 8);
        table.setUsed(30, false); // an empty row
        const std::vector<std::vector<int>> expected{{1, 2}, {10, 601}};
        QCOMPARE(FindDuplicateRows(table), expected);
    }

    void bulkSetChecksLikeTheEditor_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored"); // empty when refused
        const std::tuple<const char *, int, const char *, const char *> rows[] = {
            {"step", ColStep, "12.5KHz", "12.5KHz"},
            {"tone type", ColSubtone, "D/D", "D/D"},
            {"offset in MHz", ColShiftFreq, "1.6", "1.60000MHz"},
            {"offset too large", ColShiftFreq, "1000", ""},
            {"mode AM", ColMode, "AM", ""},
            {"unknown tone", ColTxTone, "66.0Hz", ""},
            {"not the frequency", ColFrequency, "223.50000MHz", ""}};
        for (const auto &[tag, column, text, stored] : rows)
            QTest::newRow(tag) << column << QString::fromLatin1(text) << QString::fromLatin1(stored);
    }
    void bulkSetChecksLikeTheEditor()
    {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, stored);
        ChannelTable table;
        testing::FillVariedChannels(table, 1, 20);
        table.clearRow(5);
        const std::vector<ChannelCells> before = table.allRows();
        const QString refused = SetColumnOfRows(table, 1, 20, column, text);
        QCOMPARE(refused.isEmpty(), !stored.isEmpty());
        for (int row = 1; row <= 20; ++row) {
            if (stored.isEmpty() || row == 5)
                QVERIFY(table.cells(row) == before[static_cast<std::size_t>(row - 1)]);
            else
                QCOMPARE(table.cell(row, column), stored);
        }
    }
};

QTEST_GUILESS_MAIN(TestHistory)
#include "test_history.moc"
