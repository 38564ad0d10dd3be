// The memory page against an in-process radio that answers like the emulator.

#include "link/address.h"
#include "support/windowrig.h"
#include "ui/channeleditor.h"
#include "ui/channelgridmodel.h"
#include "ui/findbar.h"

#include <QtTest>
#include <QtWidgets>

using namespace n35;
using namespace n35::testing;
using namespace Qt::StringLiterals;

// Addresses of the block commands of one kind ('R' or 'W') sent since `from` bytes had been written.
static QStringList blocks(const FakeRadioPort &port, char op, qsizetype from)
{
    const QRegularExpression command(u"ZQ~F([0-9A-F]{5})%1"_s.arg(QLatin1Char(op)));
    QStringList addresses;
    for (const auto &match : command.globalMatch(QString::fromLatin1(port.written().mid(from))))
        addresses << match.captured(1);
    return addresses;
}

// Rows first..last, names without the blanks the radio pads them with.
static std::vector<ChannelCells> rows(const ChannelTable &table, int first, int last)
{
    std::vector<ChannelCells> cells;
    for (int channel = first; channel <= last; ++channel) {
        cells.push_back(table.cells(channel));
        cells.back()[ColName - 1] = cells.back()[ColName - 1].trimmed();
    }
    return cells;
}

class TestMemoryPage : public QObject
{
    Q_OBJECT
private slots:
    void startUpRows()
    {
        WindowRig rig;
        const QAbstractItemModel *model = rig.page()->grid()->model();
        const std::pair<int, const char *> labels[] = {{1, "Bank00-000"}, {500, "Bank04-099"},
                                                       {501, "PRG - 0A"}, {601, "Dual0(Main) "},
                                                       {851, "CALL-222"}, {952, "PASS - 99"}};
        for (const auto &[channel, label] : labels)
            QCOMPARE(model->headerData(channel - 1, Qt::Vertical).toString(), QString::fromLatin1(label));
        for (const auto &[channel, frequency] :
             {std::pair{851, "222.00000MHz"}, std::pair{852, "902.00000MHz"}}) {
            QStringList cells;
            for (int column = 0; column < ChannelCellCount; ++column)
                cells << model->index(channel - 1, column).data().toString();
            QCOMPARE(cells, (QStringList{frequency, "FM", "5KHz", "None", "88.5Hz", "88.5Hz", "023", "023",
                                         "Off", "0.00000MHz", "", ""}));
        }
    }

    // Ctrl+F finds frequencies and names as typed, forwards, backwards and round the end; Ctrl+G goes to
    // a row by its label. The match becomes the current row, scrolled into view; a miss is said in the bar.
    void findAndGoTo()
    {
        WindowRig rig;
        ChannelTable &table = rig.table();
        const std::pair<int, const char *> filled[] = {
            {5, "RPT NORTH"}, {311, "東京 rpt"}, {700, "SIMPLEX"}, {940, "Rpt far"}};
        for (const auto &[channel, name] : filled) {
            ChannelCells cells = CallChannelDefaults(channel == 700 ? u"927.01250MHz"_s : u"223.50000MHz"_s);
            cells[ColName - 1] = QString::fromUtf8(name);
            table.setCells(channel, cells);
            table.setUsed(channel, true);
        }
        MainWindow &window = *rig.window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTableView *grid = rig.page()->grid();
        FindBar *bar = rig.page()->findBar();
        QVERIFY(!bar->isVisible());
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(bar->isVisible() && bar->findField()->hasFocus());

        enum Key { Enter, ShiftEnter, GoTo };
        struct Step {
            Key key;
            const char *text;
            int current; // the current channel after the step
            const char *status;
        };
        const Step steps[] = {
            {Enter, "rpt", 5, ""},
            {Enter, "rpt", 311, ""},
            {Enter, "rpt", 940, ""},
            {Enter, "rpt", 5, "Continued from the top"},
            {ShiftEnter, "rpt", 940, "Continued from the bottom"},
            {Enter, "927.0125", 700, "Continued from the top"},
            {Enter, "223.5", 940, ""},
            {Enter, "東京", 311, "Continued from the top"},
            {Enter, "nowhere", 311, "\"nowhere\" not found"},
            {GoTo, "Bank03-010", 311, ""},
            {GoTo, "call-222", 851, ""},
            {GoTo, "PRG-0A", 501, ""},
            {GoTo, "952", 952, ""},
            {GoTo, "Bank09-000", 952, "\"Bank09-000\" not found"},
            {GoTo, "Bank00-000", 1, ""},
        };
        for (const Step &step : steps) {
            QLineEdit *field = step.key == GoTo ? bar->goToField() : bar->findField();
            field->setText(QString::fromUtf8(step.text));
            QTest::keyClick(field, Qt::Key_Return,
                            step.key == ShiftEnter ? Qt::ShiftModifier : Qt::NoModifier);
            QCOMPARE(rig.page()->currentChannel(), step.current);
            QCOMPARE(rig.page()->selectedChannels(), std::pair(step.current, step.current));
            QCOMPARE(bar->status(), QString::fromUtf8(step.status));
            const QRect row = grid->visualRect(grid->currentIndex());
            QVERIFY2(grid->viewport()->rect().intersects(row), step.text);
        }
        QTest::keyClick(bar->findField(), Qt::Key_Escape);
        QVERIFY(!bar->isVisible());
        QTest::keyClick(grid, Qt::Key_G, Qt::ControlModifier);
        QVERIFY(bar->isVisible() && bar->goToField()->hasFocus());
    }

    void deleteKeyAndMoves()
    {
        WindowRig rig;
        FillVariedChannels(rig.table(), 845, 860);
        QTableView *grid = rig.page()->grid();
        // On a CALL row, Delete clears nothing, even with a selection spanning other rows.
        rig.page()->selectChannels(846, 851);
        QTest::keyClick(grid, Qt::Key_Delete);
        QVERIFY(!rig.table().cell(846, ColFrequency).isEmpty());
        // Elsewhere it clears the selection, but never the CALL rows inside it.
        rig.page()->selectChannels(853, 848);
        QTest::keyClick(grid, Qt::Key_Delete);
        for (int channel : {848, 850, 853})
            QVERIFY(rig.table().cell(channel, ColFrequency).isEmpty() && !rig.table().used(channel));
        for (int channel : {847, 851, 852, 854})
            QVERIFY(!rig.table().cell(channel, ColFrequency).isEmpty());

        // "Up" and "Down" move the current row and select it whole; they stop at the ends.
        rig.page()->selectChannels(1, 1);
        rig.click("LIST_SET_0");
        rig.click("LIST_SET_1");
        rig.click("LIST_SET_1");
        QCOMPARE(rig.page()->selectedChannels(), std::pair(3, 3));
        rig.page()->selectChannels(950, ChannelCount);
        rig.click("LIST_SET_1");
        QCOMPARE(rig.page()->selectedChannels(), std::pair(ChannelCount, ChannelCount));
    }

    void enterAndDoubleClickOpenTheEditor()
    {
        WindowRig rig;
        int opened = 0;
        auto closeEditorOn = [&](int expected) {
            QTimer::singleShot(0, rig.window.get(), [&, expected] {
                auto *editor = qobject_cast<ChannelEditor *>(QApplication::activeModalWidget());
                QVERIFY(editor);
                QCOMPARE(editor->editedChannel(), expected);
                ++opened;
                editor->reject();
            });
        };
        rig.page()->selectChannels(602, 602);
        closeEditorOn(601); // a Sub row opens its Main row with it
        QTest::keyClick(rig.page()->grid(), Qt::Key_Return);
        closeEditorOn(7);
        const QModelIndex cell = rig.page()->gridModel()->index(6, 3);
        rig.page()->grid()->setCurrentIndex(cell);
        emit rig.page()->grid()->doubleClicked(cell);
        QCOMPARE(opened, 2);
    }

    void writeClearReadRestores()
    {
        WindowRig rig;
        for (const auto &[first, last] : {std::pair{10, 20}, std::pair{598, 606}, std::pair{849, 856}}) {
            FillVariedChannels(rig.table(), first - 1, last + 1);
            const std::vector<ChannelCells> written = rows(rig.table(), first, last);
            rig.page()->selectChannels(first, last);
            rig.click("MEM_ONE_WRITE");
            rig.page()->selectChannels(last, first); // bottom-up: the same rows are cleared and read
            rig.click("Clear_Botton");
            for (int channel = first - 1; channel <= last + 1; ++channel) {
                const bool kept = channel < first || channel > last || IsCallChannel(channel);
                QVERIFY(rig.table().used(channel) == kept &&
                        rig.table().cell(channel, ColFrequency).isEmpty() != kept);
            }
            rig.click("ALL_Reset"); // leaves the CALL rows alone
            for (int channel = 1; channel <= ChannelCount; ++channel)
                QVERIFY2(rig.table().used(channel) == IsCallChannel(channel),
                         qPrintable(QString::number(channel)));
            QVERIFY(rig.find<QWidget>("ALL_Reset")->isEnabled() &&
                    rig.find<QWidget>("Clear_Botton")->isEnabled());
            const qsizetype before = rig.port.written().size();
            rig.click("MEM_ONE_READ");
            QStringList expected;
            for (int channel = first; channel <= last; ++channel)
                expected << ChannelBlockAddress(channel);
            QCOMPARE(blocks(rig.port, 'R', before), expected);
            QVERIFY(rows(rig.table(), first, last) == written);
            QCOMPARE(rig.page()->selectedChannels(), std::pair(first, last));
        }
        QCOMPARE(rig.told().filter(u"| Finish"_s).size(), 6);
    }

    void doneThenNegotiationError()
    {
        const std::pair<const char *, const char *> buttons[] = {
            {"MEM_ONE_READ", "Memory data read successed."},
            {"MEM_ONE_WRITE", "Memory data write successed."},
            {"MemAllRead", "ALL memory data read successed."},
            {"MemAllWrite", "All memory data write successed."}};
        for (const auto &[button, done] : buttons) {
            WindowRig rig;
            rig.page()->selectChannels(851, 852);
            rig.click(button);
            rig.radio.setStopAfter(rig.radio.commandsAnswered()); // not even the identification is answered
            rig.click(button);
            QCOMPARE(rig.told(),
                     (QStringList{QLatin1String(done) + u"| Finish"_s, u"Negotiation Error.| NG"_s}));
            QVERIFY(rig.unlockedWrites == 0 && !rig.window->session().isBusy());
        }
    }

    // The grid's model keeps the rules every view relies on through each way its rows change: a fill, a
    // clear, a read from the radio, undo and redo, sorting, pasting, a new bank partition and its table
    // going away. The tester stops the test at the first broken rule.
    void gridModelKeepsTheViewsRules()
    {
        WindowRig rig;
        QAbstractItemModel *model = rig.page()->gridModel();
        const QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::Fatal);
        auto trigger = [&](const char *name) {
            QAction *action = rig.find<QAction>(name);
            QVERIFY2(action && action->isEnabled(), name);
            action->trigger();
            QCoreApplication::processEvents(); // edits made outside a command are recorded when idle
        };
        auto names = [&](int first, int last) { // the names the grid shows, and each row's frequency
            QStringList shown;
            for (int channel = first; channel <= last; ++channel) {
                shown << model->index(channel - 1, ColName - 1).data().toString().trimmed() +
                             model->index(channel - 1, ColFrequency - 1).data().toString();
            }
            return shown;
        };

        FillVariedChannels(rig.table(), 1, 12);
        QCoreApplication::processEvents();
        const QStringList filled = names(1, 12);
        rig.page()->selectChannels(1, 12);
        rig.click("MEM_ONE_WRITE");
        rig.click("ALL_Reset");
        QCOMPARE(names(1, 12), QStringList(12, QString()));
        rig.click("MEM_ONE_READ");
        QCOMPARE(names(1, 12), filled);
        trigger("EditUndo");
        QCOMPARE(names(1, 12), QStringList(12, QString()));
        trigger("EditRedo");
        QCOMPARE(names(1, 12), filled);

        rig.page()->selectChannels(1, 12);
        trigger("EditSortByFrequency");
        QStringList sorted = filled; // channel 7 is the one on 1240 MHz
        sorted.move(6, 11);
        QCOMPARE(names(1, 12), sorted);
        rig.page()->selectChannels(Call222Channel, Call900Channel); // rows of the radio's own bands
        trigger("EditCopy");
        rig.page()->selectChannels(40, 40);
        trigger("EditPaste");
        QCOMPARE(names(40, 41), names(Call222Channel, Call900Channel));

        BankPartition::Counts counts{};
        counts[0] = 250, counts[1] = 250;
        rig.window->session().image().banks.setCounts(counts);
        QCOMPARE(model->headerData(250, Qt::Vertical).toString(), u"Bank01-000"_s);

        // A model over a table that goes first is empty from then on.
        auto table = std::make_unique<ChannelTable>();
        ChannelGridModel alone(*table);
        const QAbstractItemModelTester aloneTester(&alone,
                                                   QAbstractItemModelTester::FailureReportingMode::Fatal);
        table.reset();
        QCOMPARE(QList({alone.rowCount(), alone.columnCount()}), QList({0, 0}));
    }

    void readFailureKeepsEarlierRows()
    {
        for (const bool radioStops : {true, false}) {
            WindowRig rig;
            FillVariedChannels(rig.table(), 10, 20);
            const std::vector<ChannelCells> inRadio = rows(rig.table(), 10, 12);
            rig.page()->selectChannels(10, 20);
            rig.click("MEM_ONE_WRITE");
            ClearChannelRows(rig.table(), 10, 20);
            if (radioStops) // after the identification and three rows
                rig.radio.setStopAfter(rig.radio.commandsAnswered() + 1 + 3);
            else // row 13 as written but for its step code, one past the last (15)
                rig.radio.memory().at(ChannelBlockAddress(13).toUInt(nullptr, 16) + 6) = 16;
            rig.click("MEM_ONE_READ");
            QCOMPARE(rig.told().value(1), radioStops ? u"Error| Error"_s : u"Port Error| Error"_s);
            QVERIFY(rows(rig.table(), 10, 12) == inRadio);
            QVERIFY(!rig.table().used(13) && rig.table().cell(13, ColFrequency).isEmpty());
            QVERIFY(!rig.window->session().isBusy() && !rig.port.isOpen());
        }
    }
};

QTEST_MAIN(TestMemoryPage)
#include "test_memorypage.moc"
