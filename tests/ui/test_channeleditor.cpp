// The channel editor ("Memory Setting") driven through its controls.

#include "model/banks.h"
#include "ui/channeleditor.h"
#include "ui/messages.h"
#include "ui/twips.h"

#include <QtTest>
#include <QtWidgets>

using namespace n35;
using namespace Qt::StringLiterals;

namespace
{

// Labelled rows; a Dual pair (the Sub row above 1000 MHz) and two PASS rows hold channels.
struct Rig {
    Rig()
    {
        LabelChannelRows(banks, table);
        for (const auto &[channel, frequency] :
             {std::pair{601, "223.00000MHz"}, std::pair{602, "1270.50000MHz"}, std::pair{853, "224.00000MHz"},
              std::pair{854, "225.00000MHz"}}) {
            table.setCells(channel, CallChannelDefaults(QString::fromLatin1(frequency)));
            table.setUsed(channel, true);
        }
    }
    BankPartition banks;
    ChannelTable table;
    MessageCapture capture;
};

template <typename T = QWidget> T *find(const QWidget &editor, const QString &name)
{
    return editor.findChild<T *>(name);
}
void click(const QWidget &editor, const QString &name)
{
    find<QAbstractButton>(editor, name)->click();
}

// Empties a panel's frequency boxes and types into them.
void typeFrequency(const QWidget &editor, const QString &mhz, const QString &fraction,
                   const QString &suffix = {})
{
    for (const auto &[box, keys] :
         {std::pair{u"DETAIL_FREQ_1"_s, mhz}, std::pair{u"DETAIL_FREQ_2"_s, fraction}}) {
        find<QLineEdit>(editor, box + suffix)->clear();
        QTest::keyClicks(find(editor, box + suffix), keys);
    }
}

} // namespace

class TestChannelEditor : public QObject
{
    Q_OBJECT
private slots:
    void opensRowOrPair()
    {
        Rig rig;
        QWidget owner;
        owner.move(120, 80);
        for (const auto &[channel, edited, pair] :
             {std::tuple{602, 601, true}, std::tuple{601, 601, true}, std::tuple{10, 10, false}}) {
            ChannelEditor editor(rig.table, channel, &owner);
            editor.show();
            QCOMPARE(editor.editedChannel(), edited);
            QCOMPARE(find<QLabel>(editor, u"DETAIL_LABEL"_s)->text(), rig.table.label(edited));
            QCOMPARE(find(editor, u"DETAIL_FRAME_2"_s)->isVisible(), pair);
            QVERIFY(editor.width() >= twips(pair ? 13440 : 6555));
            QCOMPARE(editor.pos(), QPoint(120, 80 + twips(1000)));
            for (int mode = 0; mode < 4; ++mode) // the radio stores FM and NFM only
                QCOMPARE(find(editor, u"DETAIL_MODE_%1_2"_s.arg(mode))->isEnabled(), mode % 2 == 0);
        }
        ChannelEditor editor(rig.table, 602);
        QCOMPARE(editor.panel(0).frequencyMhz, u"223"_s);
        // shown whole, though typing stops at three MHz digits
        QCOMPARE(editor.panel(1).frequencyMhz + editor.panel(1).frequencyFraction, u"127050000"_s);
        QCOMPARE(find<QLabel>(editor, u"DETAIL_LABEL_2"_s)->text(), rig.table.label(602));
        click(editor, u"cmdFontInputSubCh_1"_s);
        QCOMPARE(editor.panel(1).name + '|' + editor.panel(0).name, u"\\2|"_s);
    }

    void typedChoicesAreStored()
    {
        Rig rig;
        ChannelEditor editor(rig.table, 5);
        editor.show();
        typeFrequency(editor, u"2x1.94"_s, u"1 25"_s); // the 4th MHz digit, letters and blanks are dropped
        auto *mhz = find<QLineEdit>(editor, u"DETAIL_FREQ_1"_s);
        QCOMPARE(mhz->text(), u"219"_s);
        mhz->selectAll();
        QTest::keyClicks(mhz, u"222"_s); // a full box takes digits over its selection
        mhz->selectAll();
        mhz->insert(u"9z"_s); // nor can anything but digits be pasted
        click(editor, u"PALSE_TYPE_3"_s);
        find<QComboBox>(editor, u"RX_TONE_COMBO"_s)->setCurrentIndex(12);
        find<QLineEdit>(editor, u"DETAIL_NAME"_s)->setText(u"ABCDEFGHIJKLMN"_s);
        for (int glyph : {2, 0}) // the second glyph would need columns 17 and 18
            click(editor, u"cmdFontInput_%1"_s.arg(glyph));
        QTest::keyClick(find(editor, u"DETAIL_FREQ_2"_s), Qt::Key_Return);
        QVERIFY(editor.result() == QDialog::Accepted && rig.table.used(5));
        const ChannelCells &cells = rig.table.cells(5);
        QCOMPARE(QStringList(cells.begin(), cells.end()),
                 (QStringList{"222.12500MHz", "FM", "5KHz", "T/T", "88.5Hz", "100.0Hz", "023", "023", "Off",
                              "0.00000MHz", "", "ABCDEFGHIJKLMN\\3"}));
    }

    void bandChecks()
    {
        // channel, panel, MHz typed, cell stored ("" = refused: boxes emptied, editor open, no message)
        const std::tuple<int, int, const char *, const char *> cases[] = {
            {851, 0, "250", ""}, {851, 0, "216", "216.00000MHz"},
            {852, 0, "222", ""}, {10, 0, "927", "927.00000MHz"},
            {10, 0, "100", ""},  {601, 1, "100", ""}};
        for (const auto &[channel, panel, mhz, stored] : cases) {
            Rig rig;
            const ChannelCells before = rig.table.cells(channel);
            ChannelEditor editor(rig.table, channel);
            editor.show();
            typeFrequency(editor, QString::fromLatin1(mhz), u"0"_s, panel == 0 ? QString() : u"_2"_s);
            click(editor, u"DETAIL_ENTER"_s);
            QVERIFY(rig.capture.messages.isEmpty());
            QCOMPARE(editor.isVisible(), !*stored);
            QCOMPARE(editor.panel(panel).frequencyMhz.isEmpty(), !*stored);
            QCOMPARE(rig.table.cell(channel, ColFrequency),
                     *stored ? QString::fromLatin1(stored) : before.at(ColFrequency - 1));
        }
    }

    // A name with a character the radio cannot store is refused with its reason; the editor stays open.
    void badNameKeepsTheEditorOpen()
    {
        Rig rig;
        const ChannelCells before = rig.table.cells(5);
        ChannelEditor editor(rig.table, 5);
        editor.show();
        typeFrequency(editor, u"223"_s, u"5"_s);
        find<QLineEdit>(editor, u"DETAIL_NAME"_s)->setText(u"TAB\tHERE"_s);
        click(editor, u"DETAIL_ENTER"_s);
        QVERIFY(editor.isVisible() && rig.table.cells(5) == before && !rig.table.used(5));
        QCOMPARE(rig.capture.messages.size(), 1);
        QCOMPARE(rig.capture.messages[0].text + '|' + rig.capture.messages[0].title,
                 u"The name cannot be stored.| Error"_s);
        QCOMPARE(rig.capture.messages[0].detail, u"The name holds the control character U+0009."_s);
    }

    // The band plan fills shift and offset while the frequency is typed, shown before "OK"; a shift the
    // user chose first stays, and with the option off nothing is filled.
    void repeaterShiftFromTheBandPlan()
    {
        const std::tuple<const char *, bool, const char *, const char *, const char *, const char *> cases[] =
            {{"1.25 m", true, "", "224", "94", "-|1.60000MHz"},
             {"33 cm", true, "", "927", "5125", "-|25.00000MHz"},
             {"simplex", true, "", "223", "5", "Off|0.00000MHz"},
             {"user chose +", true, "DETAIL_SHIFT_1", "224", "94", "+|0.00000MHz"},
             {"option off", false, "", "224", "94", "Off|0.00000MHz"}};
        for (const auto &[tag, option, clicked, mhz, fraction, stored] : cases) {
            Rig rig;
            ChannelEditor editor(rig.table, 10);
            editor.setAutomaticShift(option);
            if (*clicked)
                click(editor, QString::fromLatin1(clicked));
            typeFrequency(editor, QString::fromLatin1(mhz), QString::fromLatin1(fraction));
            const bool filled = QByteArray(stored).startsWith("-");
            QVERIFY2(find<QAbstractButton>(editor, u"DETAIL_SHIFT_2"_s)->isChecked() == filled, tag);
            QVERIFY2(find<QLabel>(editor, u"DETAIL_SHIFT_NOTE"_s)->text().isEmpty() != filled, tag);
            click(editor, u"DETAIL_ENTER"_s);
            QCOMPARE(rig.table.cell(10, ColShift) + '|' + rig.table.cell(10, ColShiftFreq),
                     QString::fromLatin1(stored));
        }
    }

    void cancelAndOverlapKeepTheRow()
    {
        for (const QString &button : {u"DETAIL_CANCEL"_s, u"DETAIL_ENTER"_s}) {
            Rig rig;
            const ChannelCells before = rig.table.cells(854);
            ChannelEditor editor(rig.table, 854);
            editor.show();
            typeFrequency(editor, u"224"_s, u"0"_s); // row 853's frequency
            click(editor, button);
            QVERIFY(!editor.isVisible() && editor.result() == QDialog::Rejected);
            QVERIFY(rig.table.cells(854) == before && rig.table.used(854));
            QCOMPARE(rig.table.cell(853, ColFrequency), u"224.00000MHz"_s);
            QCOMPARE(rig.capture.messages.size(), button == u"DETAIL_ENTER"_s ? 1 : 0);
            for (const CapturedMessage &told : rig.capture.messages)
                QCOMPARE(told.text + '|' + told.title, u"Overlaps in Frequency| Error"_s);
        }
    }

    void typeRuleEnablesLists()
    {
        Rig rig;
        ChannelEditor editor(rig.table, 601);
        // Tx tone, Rx tone, Tx DCS, Rx DCS for "None" .. "D/R".
        const char *enabled[] = {"----", "----", "T---", "TT--", "TT--", "--TT", "-T--",
                                 "-T--", "---T", "T--T", "--T-", "-TT-", "-TT-"};
        find<QComboBox>(editor, u"TX_TONE_COMBO"_s)->setCurrentIndex(20);
        for (int type = 0; type < 13; ++type) {
            click(editor, u"PALSE_TYPE_%1"_s.arg(type));
            QString shown;
            for (const char *list : {"TX_TONE_COMBO", "RX_TONE_COMBO", "DCS_COMBO_0", "DCS_COMBO_1"})
                shown += find(editor, QString::fromLatin1(list))->isEnabled() ? 'T' : '-';
            QCOMPARE(shown, QString::fromLatin1(enabled[type]));
            QCOMPARE(editor.panel(0).txTone, 20);                    // kept while disabled
            QVERIFY(!find(editor, u"DCS_COMBO_0_2"_s)->isEnabled()); // the other panel keeps its own
        }
        click(editor, u"PALSE_TYPE_5_2"_s);
        QVERIFY(find(editor, u"DCS_COMBO_0_2"_s)->isEnabled());
    }

    void clearedCallWaitsForBand()
    {
        Rig rig;
        ChannelEditor editor(rig.table, 851);
        editor.show();
        auto *ok = find<QAbstractButton>(editor, u"DETAIL_ENTER"_s);
        click(editor, u"DETAIL_CLEAR"_s);
        QVERIFY(!ok->isEnabled() && editor.panel(0).frequencyMhz.isEmpty());
        QCOMPARE(editor.focusWidget(), find(editor, u"DETAIL_NAME"_s));
        ok->click();
        for (const auto &[mhz, accepted] : {std::pair{"900", false}, std::pair{"223", true}}) {
            typeFrequency(editor, QString::fromLatin1(mhz), u"5"_s);
            QTest::keyClick(find(editor, u"DETAIL_FREQ_1"_s), Qt::Key_Enter);
            QVERIFY(ok->isEnabled() == accepted && editor.isVisible() != accepted);
        }
        QCOMPARE(rig.table.cell(851, ColFrequency), u"223.50000MHz"_s);
    }

    // Every control gets the room it asks for, at a large system font too, and has a name of its own.
    // Set N35_GRAB_DIR to look at the windows.
    void nothingCutOff()
    {
        Rig rig;
        const QFont systemFont = QApplication::font();
        QFont large = systemFont;
        large.setPointSize(systemFont.pointSize() * 2);
        for (const QFont &font : {systemFont, large}) {
            for (int channel : {10, 601}) {
                QApplication::setFont(font);
                ChannelEditor editor(rig.table, channel);
                QApplication::setFont(systemFont);
                editor.show();
                QSet<QString> names;
                for (QWidget *control : editor.findChildren<QWidget *>()) {
                    if (!control->isVisible() || control->inherits("QGroupBox"))
                        continue;
                    const QSize least = control->minimumSizeHint();
                    const QRect place(control->mapTo(&editor, QPoint()), control->size());
                    QVERIFY2(control->width() >= least.width() && control->height() >= least.height() &&
                                 editor.rect().contains(place),
                             qPrintable(control->objectName()));
                    if (control->inherits("QLabel"))
                        continue;
                    QVERIFY2(!control->accessibleName().isEmpty() &&
                                 !names.contains(control->accessibleName()),
                             qPrintable(control->objectName()));
                    names << control->accessibleName();
                }
                if (const QString dir = qEnvironmentVariable("N35_GRAB_DIR"); !dir.isEmpty())
                    editor.grab().save(
                        u"%1/editor-%2-%3pt.png"_s.arg(dir).arg(channel).arg(font.pointSize()));
            }
        }
    }
};

QTEST_MAIN(TestChannelEditor)
#include "test_channeleditor.moc"
