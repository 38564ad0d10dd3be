// The common page and the page switch against an in-process radio: the rule that every page but the
// bank page needs a partition of 500, the one-touch keys and the title with their transfers.

#include "support/windowrig.h"

#include <QtTest>
#include <QtWidgets>

using namespace n35;
using namespace n35::testing;
using namespace Qt::StringLiterals;

namespace
{

void SetCounts(WindowRig &rig, std::initializer_list<std::pair<int, int>> banks)
{
    BankPartition::Counts counts{};
    for (const auto &[bank, count] : banks)
        counts[static_cast<std::size_t>(bank)] = count;
    rig.window->session().image().banks.setCounts(counts);
}

void ClickTab(WindowRig &rig, int page)
{
    rig.find<QTabBar>("TabStrip1")->setCurrentIndex(page - 1);
}

// The radio's answer to `written`: its echo and `reply`.
QByteArray Echoed(const QByteArray &written, const QByteArray &reply)
{
    return written + "\r\n" + reply + "\r\n";
}

} // namespace

class TestCommonPage : public QObject
{
    Q_OBJECT
private slots:
    void pagesNeedAPartitionOf500()
    {
        WindowRig rig;
        ClickTab(rig, 2);
        SetCounts(rig, {{0, 100}, {1, 399}});
        rig.capture.answer = false;
        ClickTab(rig, 1);
        ClickTab(rig, 1); // asks again
        QCOMPARE(rig.told(), (QStringList{u"Bank Total Error. Init Data?|Caution"_s,
                                          u"Bank Total Error. Init Data?|Caution"_s}));
        QCOMPARE(rig.window->currentPage(), 2);
        QCOMPARE(rig.find<QTabBar>("TabStrip1")->currentIndex(), 1);
        QCOMPARE(rig.window->session().image().banks.count(1), 399);

        rig.capture.answer = true;
        ClickTab(rig, 3);
        QCOMPARE(rig.window->currentPage(), 3);
        QVERIFY(rig.window->session().image().banks.counts() == BankPartition::DefaultCounts());

        // The bank page starts again from the default without asking.
        rig.capture.messages.clear();
        SetCounts(rig, {{4, 10}});
        ClickTab(rig, 2);
        QVERIFY(rig.capture.messages.isEmpty());
        QCOMPARE(rig.window->session().image().banks.total(), 500);
    }

    void selectionsSurviveVisitsAndFollowChanges()
    {
        WindowRig rig;
        CloneImage &image = rig.window->session().image();
        ClickTab(rig, 3);
        image.oneTouch.setDisabled(2, false);
        image.oneTouch.setBank(2, 3);
        image.oneTouch.setPosition(2, 40);
        image.settings.setIndex(SetModeSettings::BankMainOption, 2);
        ClickTab(rig, 1);
        ClickTab(rig, 3);
        QCOMPARE(rig.find<QComboBox>("otmBank_2")->currentText(), u"3"_s);
        QCOMPARE(rig.find<QComboBox>("otmCh_2")->currentText(), u"40"_s);
        QCOMPARE(rig.find<QComboBox>("Set_Mode_Display_11")->currentText(), u"2"_s);
        QVERIFY(
            !rig.find<QWidget>("otmBank_0")->isVisibleTo(rig.window.get())); // disabled keys hide their lists

        ClickTab(rig, 2);
        SetCounts(rig, {{1, 250}, {6, 250}}); // bank 3 emptied
        ClickTab(rig, 3);
        QCOMPARE(rig.find<QComboBox>("otmBank_2")->currentText(), u"1"_s);
        QCOMPARE(rig.find<QComboBox>("otmCh_2")->currentText(), u"0"_s);
        QCOMPARE(rig.find<QComboBox>("otmCh_2")->count(), 250);
        QCOMPARE(rig.find<QComboBox>("Set_Mode_Display_11")->currentText(), u"1"_s);
        QCOMPARE(rig.find<QComboBox>("Set_Mode_Display_12")->count(), 2 + 5);
        QCOMPARE(rig.find<QWidget>("otmCh_2")->accessibleName(), u"One-touch 3 channel"_s);
    }

    void oneTouchAndTitleTransfers()
    {
        WindowRig rig;
        ClickTab(rig, 3);
        rig.click("COMMON_ONE_TOUCH_RESET");
        rig.click("WRITE_ONE_TOUCH");
        QCOMPARE(rig.port.writes().last(), "ZQ~F00180W" + QByteArray("FF0000").repeated(9) + "\r");
        QCOMPARE(rig.told(), QStringList{u"One touch memory data write successed.| Finish"_s});

        // Replies one character short or long change no key.
        OneTouchKeys &keys = rig.window->session().image().oneTouch;
        for (int length : {127, 129}) {
            rig.port.setResponder([length](const QByteArray &written) {
                return Echoed(written, written.startsWith("ZQ~HV") ? "OK" : QByteArray(length, '0'));
            });
            rig.capture.messages.clear();
            rig.click("READ_ONE_TOUCH");
            QCOMPARE(rig.told(), QStringList{u"Error| Error"_s});
            QVERIFY(keys.key(0).disabled);
            rig.click("TITLE_READ");
            QCOMPARE(rig.told().last(), u"Title string read failed.| Error"_s);
        }

        // A port that will not open ends in "Port Error", the window unlocked.
        rig.port.setOpenFailure(u"no such device"_s);
        rig.capture.messages.clear();
        rig.click("READ_ONE_TOUCH");
        QCOMPARE(rig.told(), QStringList{u"Port Error| Error"_s});
        QVERIFY(!rig.window->session().isBusy());

        // The glyph buttons and the motion list.
        rig.port.setOpenFailure({});
        rig.find<QLineEdit>("TITLE_TEXT")->setText(QString(15, u'x'));
        emit rig.find<QLineEdit>("TITLE_TEXT")->textEdited(QString(15, u'x'));
        rig.click("Command2_0");
        QCOMPARE(rig.window->session().image().title.text(), QString(15, u'x'));
        QCOMPARE(rig.find<QComboBox>("OP_DOUSA")->itemText(1), u"slide"_s);
    }
};

QTEST_MAIN(TestCommonPage)
#include "test_commonpage.moc"
