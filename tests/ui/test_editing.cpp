// Undo and redo, the clipboard and moving rows, through the main window's Edit menu.

#include "files/rowclipboard.h"
#include "model/channelcells.h"
#include "support/windowrig.h"
#include "ui/channelgridmodel.h"
#include "ui/filecommands.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QTest>

using namespace n35;
using namespace n35::testing;

class TestEditing : public QObject
{
    Q_OBJECT
private slots:
    void clearAllMemoryIsTakenBack();
    void aReadOverUnsavedEditsIsTakenBack();
    void editsOutsideCommandsAreStepsOfTheirRegion();
    void pasteRefusesTheOutOfBandRowAndNamesIt();
    void altDownMovesADualPairAsAPair();
    void everyPageShowsAnUndoAndNoStepFollows();
    void channelListImportFillsFromTheCurrentRowAndIsOneStep();
    void rowCommandsAreOneStepEach();
    void duplicatesAreListedAndShownNotDeleted();
};

namespace
{

void Trigger(const WindowRig &rig, const char *action)
{
    QAction *item = rig.find<QAction>(action);
    QVERIFY(item && item->isEnabled());
    item->trigger();
}

} // namespace

void TestEditing::clearAllMemoryIsTakenBack()
{
    WindowRig rig;
    FillVariedChannels(rig.table(), 1, ChannelCount);
    QCoreApplication::processEvents(); // the fill is an edit of its own
    const std::vector<ChannelCells> rows = rig.table().allRows();
    const std::vector<unsigned char> used = rig.table().allUsed();

    rig.click("ALL_Reset");
    QCOMPARE(rig.find<QAction>("EditUndo")->text(), QStringLiteral("Undo Clear all memory"));
    Trigger(rig, "EditUndo");
    QVERIFY(rig.table().allRows() == rows);
    QVERIFY(rig.table().allUsed() == used);
    QCOMPARE(rig.find<QAction>("EditRedo")->text(), QStringLiteral("Redo Clear all memory"));
    Trigger(rig, "EditRedo");
    QCOMPARE(std::count(rig.table().allUsed().begin(), rig.table().allUsed().end(), 1), 2);
    // The shortcuts users expect.
    QCOMPARE(rig.find<QAction>("EditUndo")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    QCOMPARE(rig.find<QAction>("EditRedo")->shortcuts(),
             (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")),
                                  QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));
}

void TestEditing::aReadOverUnsavedEditsIsTakenBack()
{
    WindowRig rig;
    PrimeSettings(rig.radio);
    rig.window->session().runStep(QStringLiteral("edit"), [&] { FillVariedChannels(rig.table(), 1, 40); });
    const std::vector<ChannelCells> edited = rig.table().allRows();

    rig.window->ALL_READ_Click();
    QCOMPARE(rig.told().constLast(), QStringLiteral("ALL read successed.| Finish"));
    QVERIFY(rig.table().allRows() != edited);
    QCOMPARE(rig.find<QAction>("EditUndo")->text(), QStringLiteral("Undo Read All Data"));
    Trigger(rig, "EditUndo");
    QVERIFY(rig.table().allRows() == edited);
    // Saving or writing changes nothing, so it is no step.
    QCOMPARE(rig.find<QAction>("EditUndo")->text(), QStringLiteral("Undo edit"));
}

void TestEditing::editsOutsideCommandsAreStepsOfTheirRegion()
{
    WindowRig rig;
    rig.window->session().image().title.setText(QStringLiteral("HELLO"));
    QTRY_COMPARE(rig.find<QAction>("EditUndo")->text(), QStringLiteral("Undo title edit"));
    Trigger(rig, "EditUndo");
    QVERIFY(rig.window->session().image().title.state().text.isEmpty());
    QVERIFY(!rig.find<QAction>("EditUndo")->isEnabled());
}

void TestEditing::pasteRefusesTheOutOfBandRowAndNamesIt()
{
    WindowRig rig;
    QGuiApplication::clipboard()->setText(QStringLiteral(
        "223.50000MHz\tFM\t20KHz\tNone\t67.0Hz\t67.0Hz\t023\t023\tOff\t0.00000MHz\t\tONE\n"
        "146.52000MHz\tFM\t20KHz\tNone\t67.0Hz\t67.0Hz\t023\t023\tOff\t0.00000MHz\t\tTWO\n"
        "903.00000MHz\tFM\t20KHz\tNone\t67.0Hz\t67.0Hz\t023\t023\tOff\t0.00000MHz\t\tTHREE\n"));
    rig.page()->selectChannels(5, 5);
    Trigger(rig, "EditPaste");
    QCOMPARE(rig.table().cell(5, ColName), QStringLiteral("ONE"));
    QVERIFY(!rig.table().used(6));
    QCOMPARE(rig.table().cell(7, ColName), QStringLiteral("THREE"));
    QCOMPARE(rig.told().size(), 1);
    QVERIFY(rig.capture.messages.constLast().detail.startsWith(
        QStringLiteral("Row 6, the frequency: \"146.52000MHz\" lies outside")));
    QCOMPARE(rig.find<QAction>("EditUndo")->text(), QStringLiteral("Undo Paste"));

    // Copy gives the header line and the rows.
    rig.page()->selectChannels(5, 7);
    Trigger(rig, "EditCopy");
    QCOMPARE(QGuiApplication::clipboard()->text(), RowsAsText(rig.table(), 5, 7));
}

void TestEditing::altDownMovesADualPairAsAPair()
{
    WindowRig rig;
    rig.window->show();
    rig.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
    rig.table().setCell(601, ColName, QStringLiteral("MAIN"));
    rig.table().setCell(602, ColName, QStringLiteral("SUB"));
    rig.page()->selectChannels(602, 602);
    rig.page()->grid()->setFocus();
    QTest::keyClick(rig.page()->grid(), Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(rig.table().cell(603, ColName), QStringLiteral("MAIN"));
    QCOMPARE(rig.table().cell(604, ColName), QStringLiteral("SUB"));
    QCOMPARE(rig.page()->selectedChannels(), std::make_pair(603, 604));
    // A CALL row stays where it is.
    const ChannelCells call = rig.table().cells(Call222Channel);
    rig.page()->selectChannels(Call222Channel, Call222Channel);
    QTest::keyClick(rig.page()->grid(), Qt::Key_Up, Qt::AltModifier);
    QVERIFY(rig.table().cells(Call222Channel) == call);
}

void TestEditing::everyPageShowsAnUndoAndNoStepFollows()
{
    WindowRig rig;
    CloneImage &image = rig.window->session().image();
    BankPartition::Counts counts{};
    counts[0] = 100;
    counts[3] = 400;
    rig.window->session().runStep(QStringLiteral("edits"), [&] {
        image.banks.setCounts(counts);
        image.title.setText(QStringLiteral("RADIO"));
        image.settings.setIndex(SetModeSettings::BankMainOption, 1);
        image.oneTouch.setDisabled(0, false);
        image.oneTouch.setBank(0, 3);
    });
    auto shown = [&] {
        return QStringList{rig.find<QLineEdit>("Text1_3")->text(), rig.find<QLineEdit>("TITLE_TEXT")->text(),
                           rig.find<QComboBox>("Set_Mode_Display_11")->currentText(),
                           rig.find<QComboBox>("otmBank_0")->currentText(),
                           QString::number(rig.find<QCheckBox>("NO_SET_0")->isChecked())};
    };
    const QStringList edited = shown();
    QCOMPARE(edited.mid(0, 2), (QStringList{QStringLiteral("400"), QStringLiteral("RADIO")}));

    Trigger(rig, "EditUndo");
    QCoreApplication::processEvents();
    const QStringList undone = shown();
    for (int i = 0; i < edited.size(); ++i)
        QVERIFY2(undone.at(i) != edited.at(i), qPrintable(edited.at(i)));
    // The pages took the image back without changing it again: redo is still there.
    QVERIFY(rig.window->session().history().canRedo());
    Trigger(rig, "EditRedo");
    QCoreApplication::processEvents();
    QCOMPARE(shown(), edited);
    QVERIFY(!rig.window->session().history().canRedo());
    QCOMPARE(rig.find<QAction>("EditUndo")->text(), QStringLiteral("Undo edits"));
}

void TestEditing::channelListImportFillsFromTheCurrentRowAndIsOneStep()
{
    WindowRig rig;
    rig.page()->selectChannels(100, 100);
    Trigger(rig, "EditCopy"); // the import must not depend on the clipboard
    rig.window->session().runStep(QStringLiteral("Import channel list"), [&] {
        ImportChannelListCommand(rig.window->session(), rig.window.get(),
                                 QStringLiteral(N35_TEST_DATA "/channel-list-sample.csv"),
                                 rig.page()->currentChannel());
    });
    QCOMPARE(rig.table().cell(100, ColName).trimmed(), QStringLiteral("RPT 222 EAST"));
    QVERIFY(!rig.table().used(99));
    // "Finish", then the lines the list held that the radio cannot, in a box of their own.
    QCOMPARE(rig.told().size(), 2);
    QCOMPARE(rig.told().constFirst(), QStringLiteral("Import Channel List|Finish"));
    QVERIFY2(rig.told().constLast().contains(QStringLiteral(" not imported:\nLine ")) &&
                 rig.told().constLast().endsWith(QStringLiteral("|Import")),
             qPrintable(rig.told().constLast()));
    QCOMPARE(rig.find<QAction>("EditUndo")->text(), QStringLiteral("Undo Import channel list"));
    Trigger(rig, "EditUndo");
    QVERIFY(!rig.table().used(100));
}

void TestEditing::rowCommandsAreOneStepEach()
{
    WindowRig rig;
    // Bank 0 begins with three channels, frequencies falling, names out of order.
    const char *names[] = {"B", "C", "A"};
    for (int row = 1; row <= 3; ++row) {
        ChannelCells cells = CallChannelDefaults(FrequencyText(224'000'000 - row * 100'000));
        cells[ColName - 1] = QString::fromLatin1(names[row - 1]);
        rig.table().setCells(row, cells);
        rig.table().setUsed(row, true);
    }
    QCoreApplication::processEvents();
    auto shown = [&] {
        QStringList cells;
        for (int row = 1; row <= 4; ++row)
            cells << rig.table().cell(row, ColName);
        return cells.join(QLatin1Char(','));
    };
    const std::tuple<const char *, int, int, const char *, const char *> cases[] = {
        {"EditSortByFrequency", 1, 3, "A,C,B,", "Sort by Frequency"},
        {"EditSortByName", 2, 2, "A,B,C,", "Sort by Name"}, // one row selected: its whole bank
        {"EditInsertRow", 2, 2, "B,,C,A", "Insert Empty Row"},
        {"EditDeleteShift", 1, 2, "A,,,", "Delete and Shift Up"}};
    for (const auto &[action, first, last, after, step] : cases) {
        rig.page()->selectChannels(first, last);
        Trigger(rig, action);
        QCOMPARE(shown(), QString::fromLatin1(after));
        QCOMPARE(rig.find<QAction>("EditUndo")->text(), QStringLiteral("Undo ") + QLatin1String(step));
        Trigger(rig, "EditUndo");
        QCOMPARE(shown(), QStringLiteral("B,C,A,"));
    }

    // A full bank takes no empty row: the user is told why and nothing moves.
    rig.table().setCells(100, CallChannelDefaults(QStringLiteral("223.00000MHz")));
    rig.table().setUsed(100, true);
    QCoreApplication::processEvents();
    rig.page()->selectChannels(2, 2);
    Trigger(rig, "EditInsertRow");
    QVERIFY(rig.told().constLast().endsWith(QStringLiteral("|Insert Empty Row")));
    QVERIFY(rig.told().constLast().contains(QStringLiteral("Bank00-099")));
    QCOMPARE(shown(), QStringLiteral("B,C,A,"));
    QCOMPARE(rig.find<QAction>("EditUndo")->text(), QStringLiteral("Undo channel edit"));

    rig.window->switchPage(2); // the row commands belong to the memory page
    for (const char *action : {"EditSortByName", "EditInsertRow", "EditDeleteShift", "EditFindDuplicates"})
        QVERIFY(!rig.find<QAction>(action)->isEnabled());
}

void TestEditing::duplicatesAreListedAndShownNotDeleted()
{
    WindowRig rig;
    Trigger(rig, "EditFindDuplicates");
    QCOMPARE(rig.told(), QStringList{QStringLiteral("No channel is programmed twice.|Find Duplicates")});

    FillVariedChannels(rig.table(), 1, 20);
    rig.table().setCells(300, rig.table().cells(7)); // the same channel imported twice
    rig.table().setUsed(300, true);
    const std::vector<ChannelCells> rows = rig.table().allRows();
    Trigger(rig, "EditFindDuplicates");
    auto *dialog = rig.window->findChild<QDialog *>(QStringLiteral("DuplicatesDialog"));
    QVERIFY(dialog && dialog->isVisible());
    auto *list = dialog->findChild<QListWidget *>(QStringLiteral("DuplicateList"));
    QCOMPARE(list->count(), 3); // a heading, then both rows
    QCOMPARE(rig.page()->selectedChannels(), std::make_pair(7, 7));
    list->setCurrentRow(2);
    QCOMPARE(rig.page()->selectedChannels(), std::make_pair(300, 300));
    QVERIFY(rig.table().allRows() == rows);
    dialog->close();
}

QTEST_MAIN(TestEditing)
#include "test_editing.moc"
