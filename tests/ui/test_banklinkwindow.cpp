// The bank-link window against an in-process radio: its layout and texts, clicks on the matrix, the
// links of empty banks, "Read", "Write", "Clear" and "OK", and the bank page's button that opens it.

#include "support/windowrig.h"
#include "ui/banklinkwindow.h"
#include "ui/twips.h"

#include <QtTest>
#include <QtWidgets>

using namespace n35;
using namespace n35::testing;
using namespace Qt::StringLiterals;

namespace
{

const QColor Grey(128, 128, 128);
const QColor DarkBlue(0, 0, 128);
const QColor Red(255, 0, 0);

QTableWidget *Grid(const BankLinkWindow &dialog)
{
    return dialog.findChild<QTableWidget *>(u"MSFlexGrid1"_s);
}

// How cell (group, bank) looks: "background/text colour/accessible text".
QString Cell(const BankLinkWindow &dialog, int group, int bank)
{
    const QTableWidgetItem *item = Grid(dialog)->item(group + 1, BankLinkWindow::BankColumn(bank));
    const QBrush back = item->background();
    return (back.style() == Qt::NoBrush ? u"default"_s : back.color().name()) + u'/' +
           item->foreground().color().name() + u'/' + item->data(Qt::AccessibleTextRole).toString();
}

void Click(BankLinkWindow &dialog, int row, int column)
{
    // The middle of the section, not of visualRect(): a 1-pixel separator has an empty visual rect.
    QTableWidget *grid = Grid(dialog);
    const QPoint point(grid->columnViewportPosition(column) + grid->columnWidth(column) / 2,
                       grid->rowViewportPosition(row) + grid->rowHeight(row) / 2);
    QCOMPARE(grid->indexAt(point), grid->model()->index(row, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, point);
}

void SetCounts(WindowRig &rig, std::initializer_list<std::pair<int, int>> banks)
{
    BankPartition::Counts counts{};
    for (const auto &[bank, count] : banks)
        counts[static_cast<std::size_t>(bank)] = count;
    rig.window->session().image().banks.setCounts(counts);
}

} // namespace

class TestBankLinkWindow : public QObject
{
    Q_OBJECT
private slots:
    void layoutAndTexts()
    {
        WindowRig rig;
        rig.window->move(100, 80);
        BankLinkWindow dialog(rig.window->session(), rig.window.get());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.objectName(), u"Form5"_s);
        QCOMPARE(dialog.windowTitle(), u"BANK-LINK Setting"_s);
        QVERIFY(dialog.isModal());
        QCOMPARE(dialog.pos(), QPoint(100 + twips(2000), 80 + twips(1000)));
        QTableWidget *grid = Grid(dialog);
        QCOMPARE(grid->accessibleName(), u"Bank links"_s);
        QString header;
        for (int column = 1; column < 55; ++column)
            header += grid->item(0, column)->text().isEmpty() ? u"|"_s : grid->item(0, column)->text();
        QCOMPARE(header, u"0123456789|0123456789|0123456789|0123456789|0123456789"_s);
        QCOMPARE(grid->item(0, 18)->data(Qt::AccessibleTextRole).toString(), u"Bank 16"_s);
        QStringList groups;
        for (int row = 1; row < 12; ++row)
            groups << grid->item(row, 0)->text();
        QCOMPARE(groups.join(u' '),
                 u"Group0 Group1 Group2 Group3 Group4 Group5 Group6 Group7 Group8 Group9 GroupB"_s);
        QStringList runs;
        for (int run = 0; run < 5; ++run)
            runs << dialog.findChild<QLabel *>(u"BankRunLabel_%1"_s.arg(run))->text();
        QCOMPARE(runs, (QStringList{u"BANK0～9"_s, u"BANK10～19"_s, u"BANK20～29"_s, u"BANK30～39"_s,
                                    u"BANK40～49"_s}));
        QStringList buttons;
        for (const char *name : {"GROUP_READ", "GROUP_WRITE", "cmdClearBankLink", "cmdOK"})
            buttons << dialog.findChild<QPushButton *>(QLatin1String(name))->text();
        QCOMPARE(buttons, (QStringList{u"Read"_s, u"Write"_s, u"Clear"_s, u"OK"_s}));

        // Twips as minimums; every digit and group name fits its cell; the whole matrix is in view.
        const QFontMetrics metrics(grid->font());
        for (int column = 0; column < 55; ++column) {
            const int width = grid->columnWidth(column);
            if (BankLinkWindow::ColumnBank(column) < 0 && column > 0) {
                QCOMPARE(width, twips(20));
                continue;
            }
            QVERIFY(width >= (column == 0 ? twips(700) : twips(200)));
            QVERIFY(width > metrics.horizontalAdvance(column == 0 ? u"GroupB"_s : u"8"_s));
        }
        QVERIFY(grid->rowHeight(5) >= std::max(twips(200), metrics.height()));
        QCOMPARE(grid->horizontalScrollBar()->maximum(), 0);
        QCOMPARE(grid->verticalScrollBar()->maximum(), 0);
        QCOMPARE(BankLinkWindow::BankColumn(10), 12);
        for (int bank = 0; bank < 50; ++bank)
            QCOMPARE(BankLinkWindow::ColumnBank(BankLinkWindow::BankColumn(bank)), bank);
    }

    void clicksToggleLinkedBanksOnly()
    {
        WindowRig rig;
        // The banks on both sides of two separators hold channels, so a separator taken for either would
        // show.
        SetCounts(rig, {{4, 100}, {9, 100}, {10, 100}, {39, 100}, {40, 100}});
        BankLinks &links = rig.window->session().image().bankLinks;
        BankLinkWindow dialog(rig.window->session(), rig.window.get());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QString plain = u"default/#000000/Group3, bank 4, not linked"_s;
        QCOMPARE(Cell(dialog, 3, 4), plain);
        QCOMPARE(Cell(dialog, 3, 17), u"#808080/#ff0000/Group3, bank 17, no channels"_s);

        Click(dialog, 4, BankLinkWindow::BankColumn(4));
        QVERIFY(links.linked(3, 4));
        QCOMPARE(Cell(dialog, 3, 4), u"#000080/#ff0000/Group3, bank 4, linked"_s);
        Click(dialog, 4, BankLinkWindow::BankColumn(4));
        QVERIFY(!links.linked(3, 4));
        QCOMPARE(Cell(dialog, 3, 4), plain);

        // Empty banks, the separators, the header row and the group names hold nothing to toggle.
        const QString before = links.MakeBankLink();
        for (const auto &[row, column] : {std::pair{4, 18}, {4, 11}, {11, 44}, {0, 1}, {0, 5}, {4, 0}})
            Click(dialog, row, column);
        QCOMPARE(links.MakeBankLink(), before);
        QCOMPARE(Cell(dialog, 3, 17), u"#808080/#ff0000/Group3, bank 17, no channels"_s);

        // Space toggles the current cell.
        Grid(dialog)->setFocus();
        Grid(dialog)->setCurrentCell(11, BankLinkWindow::BankColumn(40));
        QTest::keyClick(Grid(dialog), Qt::Key_Space);
        QVERIFY(links.linked(10, 40));
        QCOMPARE(Cell(dialog, 10, 40), u"#000080/#ff0000/GroupB, bank 40, linked"_s);
    }

    void openingDropsLinksOfEmptyBanks()
    {
        WindowRig rig;
        BankLinks &links = rig.window->session().image().bankLinks;
        SetCounts(rig, {{0, 250}, {9, 250}});
        for (int group : {0, 7, 10}) {
            links.setLinked(group, 0, true);
            links.setLinked(group, 9, true);
        }
        // Bank 9 loses its channels; a partition of 499 is reset to the default on opening (bank 9 empty).
        SetCounts(rig, {{0, 250}, {9, 249}});
        BankLinkWindow dialog(rig.window->session(), rig.window.get());
        QVERIFY(rig.window->session().image().banks.counts() == BankPartition::DefaultCounts());
        for (int group : {0, 7, 10}) {
            QVERIFY(links.linked(group, 0));
            QVERIFY(!links.linked(group, 9));
            QCOMPARE(Cell(dialog, group, 9).section(u'/', 0, 0), u"#808080"_s);
        }

        dialog.findChild<QPushButton *>(u"GROUP_WRITE"_s)->click();
        QCOMPARE(rig.told(), QStringList{u"Group data write successed.| Finish"_s});
        const QByteArray group = "8000000000000000";
        QCOMPARE(rig.port.writes().at(1), "ZQ~F00100W" + group + QByteArray(16 * 6, '0') + group + "\r");
        QCOMPARE(rig.port.writes().at(2), "ZQ~F00140W" + QByteArray(32, '0') + group + "\r");
        QCOMPARE(rig.unlockedWrites, 0);

        // A partition changed while the window is open drops links at once.
        SetCounts(rig, {{9, 500}});
        QVERIFY(!links.linked(7, 0));
    }

    void reads_data()
    {
        QTest::addColumn<QByteArray>("spoil"); // the command whose reply is spoilt
        QTest::addColumn<int>("cut");          // characters cut from that reply, -1: one turned into 'G'
        QTest::addColumn<QString>("told");
        QTest::newRow("good") << QByteArray() << 0 << u"Group data read successed.| Finish"_s;
        QTest::newRow("block 0 of 129") << QByteArray("ZQ~F00100R") << -2 << u"Error| Error"_s;
        QTest::newRow("block 1 of 127") << QByteArray("ZQ~F00140R") << 1 << u"Error| Error"_s;
        QTest::newRow("a G in block 1") << QByteArray("ZQ~F00140R") << -1 << u"Error| Error"_s;
        QTest::newRow("no identification") << QByteArray("ZQ~HV-N35") << 1 << u"Error| Error"_s;
    }

    void reads()
    {
        QFETCH(QByteArray, spoil);
        QFETCH(int, cut);
        QFETCH(QString, told);
        WindowRig rig;
        BankLinks &links = rig.window->session().image().bankLinks;
        links.setLinked(1, 1, true);
        auto &memory = rig.radio.memory();
        std::fill(memory.begin() + 0x100, memory.begin() + 0x158, 0);
        memory[0x100 + 8 * 2] = 0x08;     // group 2, bank 4
        memory[0x100 + 8 * 2 + 2] = 0x80; // group 2, bank 16: no channels
        memory[0x140 + 8 * 2 + 6] = 0x40; // GroupB, bank 49: no channels
        memory[0x140 + 8 * 2 + 7] = 0xFF; // padding, ignored
        memory[0x140 + 8 * 1] = 0x40;     // Group9, bank 1
        rig.port.setResponder([&](const QByteArray &written) {
            QByteArray answer = Answer(rig.radio, written);
            if (!spoil.isEmpty() && written.startsWith(spoil)) {
                const qsizetype reply = written.size() + 2;
                if (cut == -1)
                    answer[reply + 5] = 'G';
                else if (cut == -2)
                    answer.insert(reply, '0');
                else
                    answer.remove(reply, cut);
            }
            return answer;
        });
        BankLinkWindow dialog(rig.window->session(), rig.window.get());
        dialog.findChild<QPushButton *>(u"GROUP_READ"_s)->click();
        QCOMPARE(rig.told(), QStringList{told});
        if (told.startsWith(u"Group")) {
            QCOMPARE(links.MakeBankLink(), QString(32, u'0') + u"0800000000000000"_s + QString(96, u'0') +
                                               u"4000000000000000"_s + QString(16, u'0'));
            QCOMPARE(Cell(dialog, 2, 4).section(u'/', 0, 0), u"#000080"_s);
        } else {
            QCOMPARE(links.MakeBankLink(), u"4"_s.prepend(QString(16, u'0')) + QString(159, u'0'));
        }
        QVERIFY(!rig.window->session().isBusy());
    }

    void writeFailsWithoutOk()
    {
        WindowRig rig;
        rig.radio.setStopAfter(2); // the identification and block 0 only
        BankLinkWindow dialog(rig.window->session(), rig.window.get());
        dialog.findChild<QPushButton *>(u"GROUP_WRITE"_s)->click();
        QCOMPARE(rig.told(), QStringList{u"Error| Error"_s});
        QCOMPARE(rig.port.writes().size(), 3);
    }

    void buttonsLockedWhileTransferring()
    {
        WindowRig rig;
        BankLinkWindow dialog(rig.window->session(), rig.window.get());
        QStringList enabled;
        rig.port.setResponder([&](const QByteArray &written) {
            for (QWidget *widget : dialog.findChildren<QWidget *>()) {
                if (widget->isEnabled() && (qobject_cast<QPushButton *>(widget) || widget == Grid(dialog)))
                    enabled << widget->objectName();
            }
            return Answer(rig.radio, written);
        });
        dialog.findChild<QPushButton *>(u"GROUP_READ"_s)->click();
        QCOMPARE(enabled, QStringList{});
        QVERIFY(dialog.findChild<QPushButton *>(u"cmdOK"_s)->isEnabled());
        QVERIFY(Grid(dialog)->isEnabled());
    }

    void clearOkAndReopen()
    {
        WindowRig rig;
        BankLinks &links = rig.window->session().image().bankLinks;
        rig.window->switchPage(2);
        links.setLinked(0, 0, true);
        links.setLinked(4, 3, true);
        // The bank page's "Bank_Link" opens the window modally; toggle bank 2 in Group1 and close it.
        QString opened;
        int result = -1;
        QTimer::singleShot(0, [&] {
            if (auto *dialog = qobject_cast<BankLinkWindow *>(QApplication::activeModalWidget())) {
                opened = dialog->objectName();
                dialog->MSFlexGrid1_Click(2, 3);
                dialog->findChild<QPushButton *>(u"cmdOK"_s)->click();
                result = dialog->result();
            }
        });
        rig.click("GROUP_SET");
        QCOMPARE(opened, u"Form5"_s);
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY(rig.window->findChildren<BankLinkWindow *>().isEmpty()); // unloaded
        QVERIFY(links.linked(1, 2) && links.linked(0, 0) && links.linked(4, 3));

        // Open again: the links are still there, and "Clear" paints every bank with channels plain.
        BankLinkWindow again(rig.window->session(), rig.window.get());
        QCOMPARE(Cell(again, 1, 2).section(u'/', 0, 0), u"#000080"_s);
        again.findChild<QPushButton *>(u"cmdClearBankLink"_s)->click();
        QCOMPARE(links.MakeBankLink(), QString(176, u'0'));
        QCOMPARE(Cell(again, 1, 2), u"default/#000000/Group1, bank 2, not linked"_s);
        QCOMPARE(Cell(again, 1, 5).section(u'/', 0, 0), u"#808080"_s);
        QVERIFY(rig.told().isEmpty());
    }
};

QTEST_MAIN(TestBankLinkWindow)
#include "test_banklinkwindow.moc"
