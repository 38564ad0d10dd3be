// The bank page against an in-process radio: the boxes, sliders and total, "Up"/"Down", and the two
// transfers with their messages.

#include "support/windowrig.h"
#include "ui/bankpage.h"

#include <QtTest>
#include <QtWidgets>

using namespace n35;
using namespace n35::testing;
using namespace Qt::StringLiterals;

class TestBankPage : public QObject
{
    Q_OBJECT
private slots:
    void boxesSlidersAndTotal()
    {
        WindowRig rig;
        rig.window->switchPage(2);
        rig.window->show(); // focus moves only in an active window
        QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
        auto *box = rig.find<QLineEdit>("Text1_3");
        auto *slider = rig.find<QSlider>("Slider1_3");
        auto *total = rig.find<QLineEdit>("Total_Mem");
        auto *write = rig.find<QPushButton>("WRITE_BANK");
        QCOMPARE(box->accessibleName(), u"Bank 03 channels"_s);
        QVERIFY(write->isEnabled());

        // Four digits at most; Enter takes the number, the slider stops at 500 and the total turns red.
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, u"12345"_s);
        QCOMPARE(box->text(), u"1234"_s);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(slider->value(), 500);
        QCOMPARE(box->text(), u"1234"_s);
        QCOMPARE(total->text(), u"1634"_s);
        QCOMPARE(total->palette().color(QPalette::Text), QColor(255, 0, 0));
        QVERIFY(!write->isEnabled());

        // Leaving the box settles it: above 500 becomes 100. Leading zeros go.
        rig.find<QWidget>("Text1_4")->setFocus();
        QCOMPARE(box->text(), u"100"_s);
        QCOMPARE(total->text(), u"500"_s);
        QVERIFY(write->isEnabled());
        QCOMPARE(total->palette().color(QPalette::Text), total->palette().color(QPalette::WindowText));

        // The labels of the grid followed the partition: banks 0..4 still hold 100 each.
        QCOMPARE(rig.table().label(301), u"Bank03-000"_s);
    }

    void upAndDownActOnTheLastFocusedSlider()
    {
        WindowRig rig;
        rig.window->switchPage(2);
        rig.window->show();
        QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
        rig.click("BANK_UP_0"); // no slider had the focus yet
        QCOMPARE(rig.window->session().image().banks.total(), 500);
        rig.find<QSlider>("Slider1_9")->setFocus();
        rig.click("BANK_UP_0");
        rig.click("BANK_UP_0");
        rig.click("BANK_UP_1");
        QCOMPARE(rig.find<QLineEdit>("Text1_9")->text(), u"1"_s);
        QCOMPARE(rig.find<QSlider>("Slider1_9")->value(), 1);
        QVERIFY(!rig.find<QWidget>("WRITE_BANK")->isEnabled());
        // A transfer's end does not free "Bank Write" for a partition that does not add up.
        rig.click("cmdZQRESET");
        QVERIFY(!rig.find<QWidget>("WRITE_BANK")->isEnabled());
        rig.click("Bank_Clear");
        QCOMPARE(rig.find<QLineEdit>("Text1_9")->text(), u"0"_s);
        QVERIFY(rig.find<QWidget>("WRITE_BANK")->isEnabled());
    }

    void reads_data()
    {
        QTest::addColumn<int>("bank49");    // what the radio holds for bank 49 (bank 7 holds 500)
        QTest::addColumn<int>("stopAfter"); // commands the radio answers, -1 all
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<int>("bank7"); // afterwards
        QTest::newRow("good") << 0 << -1 << QStringList{u"Bank partition data read successed.| Finish"_s}
                              << 500;
        QTest::newRow("total 501") << 1 << -1
                                   << QStringList{u"Bank Total Error. Initialize.|Caution"_s,
                                                  u"Bank partition data read successed.| Finish"_s}
                                   << 0;
        QTest::newRow("block 1 missing") << 0 << 2 << QStringList{u"Error| Error"_s} << 0;
        QTest::newRow("radio silent") << 0 << 0 << QStringList{u"Negotiation Error.| NG"_s} << 0;
    }

    void reads()
    {
        QFETCH(int, bank49);
        QFETCH(int, stopAfter);
        QFETCH(QStringList, told);
        QFETCH(int, bank7);
        WindowRig rig;
        auto &memory = rig.radio.memory();
        std::fill(memory.begin() + 0x200, memory.begin() + 0x272, 0);
        memory[0x200 + 2 * 7] = 0xF4; // 500, low byte first
        memory[0x200 + 2 * 7 + 1] = 0x01;
        memory[0x240 + 2 * 17] = static_cast<std::uint8_t>(bank49);
        rig.radio.setStopAfter(stopAfter);
        rig.window->switchPage(2);
        rig.click("READ_BANK");
        QCOMPARE(rig.told(), told);
        const BankPartition &banks = rig.window->session().image().banks;
        QCOMPARE(banks.count(7), bank7);
        QVERIFY(banks.valid()); // never half a partition
        QVERIFY(!rig.window->session().isBusy());
    }

    void writes()
    {
        WindowRig rig;
        rig.window->switchPage(2);
        BankPartition::Counts counts{};
        counts[12] = 250;
        counts[40] = 250;
        rig.window->session().image().banks.setCounts(counts);
        rig.click("WRITE_BANK");
        QCOMPARE(rig.told(), QStringList{u"Bank partition data write successed.| Finish"_s});
        QCOMPARE(rig.port.writes().at(1).left(14), QByteArray("ZQ~F00200W0000"));
        QCOMPARE(rig.port.writes().at(2).size(), 4 + 5 + 1 + 100 + 1); // block 1 as 50 bytes
        QCOMPARE(rig.unlockedWrites, 0);

        rig.capture.messages.clear();
        rig.radio.setStopAfter(3 + 2); // this time the identification and block 0 only
        rig.click("WRITE_BANK");
        QCOMPARE(rig.told(), QStringList{u"Bank partition data write failed.| Error"_s});
    }
};

QTEST_MAIN(TestBankPage)
#include "test_bankpage.moc"
