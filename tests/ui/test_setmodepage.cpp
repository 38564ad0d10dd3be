// The set-mode page and the common "Setting" frame against an in-process radio: the language switch, the
// DTMF boxes, and "Write" then "Read" with the exact commands a settings write sends.

#include "support/windowrig.h"

#include <QtTest>
#include <QtWidgets>

using namespace n35;
using namespace n35::testing;
using namespace Qt::StringLiterals;

class TestSetModePage : public QObject
{
    Q_OBJECT
private slots:
    void languageSwitchKeepsEveryIndex()
    {
        WindowRig rig;
        rig.window->switchPage(4);
        auto *language = rig.find<QComboBox>("Set_Mode_Display_0");
        auto *illumination = rig.find<QComboBox>("Set_Mode_Display_1");
        auto *power = rig.find<QComboBox>("Set_Mode_Power_0");
        QCOMPARE(language->currentText(), u"English"_s); // always comes up in English
        QCOMPARE(illumination->accessibleName(), u"Illumination"_s);
        QList<int> before;
        const QList<QComboBox *> lists =
            rig.window->findChildren<QComboBox *>(QRegularExpression(u"^Set_Mode_|^Combo1$"_s));
        for (QComboBox *list : lists)
            before << list->currentIndex();

        language->setCurrentIndex(0);
        emit language->activated(0);
        QCOMPARE(illumination->accessibleName(), u"照明設定"_s);
        QCOMPARE(power->itemText(0), u"解除"_s);
        const QStringList titles = [&] {
            QStringList found;
            for (QGroupBox *box : rig.window->findChildren<QGroupBox *>())
                found << box->title();
            return found;
        }();
        QVERIFY(titles.contains(u"≪表示設定≫"_s));
        QCOMPARE(rig.find<QComboBox>("Set_Mode_Recv_5")->itemText(1), u"Amateur Bands"_s); // English only
        QList<int> after;
        for (QComboBox *list : lists)
            after << list->currentIndex();
        before[static_cast<int>(lists.indexOf(language))] = 0; // the language itself
        for (int i = 0; i < lists.size(); ++i)
            QVERIFY2(after[i] == before[i], qPrintable(lists[i]->objectName()));
        // The shown-but-kept lists cannot be edited.
        QVERIFY(!rig.find<QWidget>("Set_Mode_Scan_4")->isEnabled());
        QVERIFY(!rig.find<QWidget>("Set_Mode_Send_6")->isEnabled());
    }

    void dtmfBoxes()
    {
        WindowRig rig;
        rig.window->switchPage(4);
        auto *box = rig.find<QLineEdit>("COMMON_DTMF_3");
        QTest::keyClicks(box, u"12a-*#B"_s); // lower case refused
        QCOMPARE(box->text(), u"12-*#B"_s);
        QCOMPARE(rig.window->session().image().dtmf.memory(3), u"12-*#B"_s);
        box->clear();
        box->insert(u"0123456789ABCD*#-0123"_s); // a paste of 21
        QCOMPARE(rig.window->session().image().dtmf.memory(3).size(), 16);
        QCOMPARE(box->text().size(), 16);
        QCOMPARE(rig.window->session().image().dtmf.MakeDtmfData().size(), 330);
    }

    void writeThenRead()
    {
        WindowRig rig;
        SetModeSettings &settings = rig.window->session().image().settings;
        PrimeSettings(rig.radio); // an erased radio would show nothing
        rig.window->switchPage(3);
        settings.setIndex({OptionGroup::Display, 13}, 61); // TV CH 62
        settings.setIndex(SetModeSettings::WriteProtectOption, 2);
        rig.window->session().image().dtmf.setMemory(9, u"1-2"_s);
        rig.click("SETTING_WRITE");
        QCOMPARE(rig.told(), QStringList{u"Setting data write successed.| Finish"_s});
        QStringList sent;
        for (const QByteArray &command : rig.port.writes())
            sent << QString::fromLatin1(command.left(10)) + u':' + QString::number(command.size() - 11);
        QCOMPARE(sent, (QStringList{u"ZQ~HV-N35\r:-1"_s, u"ZQ~F00000R:0"_s, u"ZQ~F00040R:0"_s,
                                    u"ZQ~F00080R:0"_s, u"ZQ~F00000W:128"_s, u"ZQ~F00040W:128"_s,
                                    u"ZQ~F00080W:44"_s, u"ZQ~F00A00W:128"_s, u"ZQ~F00A40W:128"_s,
                                    u"ZQ~F00A80W:74"_s, u"ZQ~F0FE01W:2"_s}));
        QCOMPARE(rig.port.writes().last(), QByteArray("ZQ~F0FE01W02\r"));

        rig.capture.messages.clear();
        rig.window->switchPage(4);
        rig.click("Set_Mode_Clear");
        QCOMPARE(settings.writeProtect(), 0);
        QVERIFY(rig.window->session().image().dtmf.memory(9).isEmpty());
        rig.click("Set_Mode_Read");
        QCOMPARE(rig.told(), QStringList{u"Setting data read successed.| Finish"_s});
        QCOMPARE(rig.find<QComboBox>("Set_Mode_Display_13")->currentText(), u"62"_s);
        QCOMPARE(settings.writeProtect(), 2);
        QCOMPARE(rig.find<QLineEdit>("COMMON_DTMF_9")->text(), u"1-2"_s);
        QCOMPARE(rig.unlockedWrites, 0);

        // An erased radio (all 0xFF) cannot be shown: "Error", and the DTMF memories are not read.
        std::fill(rig.radio.memory().begin(), rig.radio.memory().begin() + 0x100, 0xFF);
        rig.capture.messages.clear();
        rig.window->switchPage(3);
        rig.click("SETTING_READ");
        QCOMPARE(rig.told(), QStringList{u"Error| Error"_s});
        QCOMPARE(rig.port.writes().last(), QByteArray("ZQ~F00080R\r")); // no write-protect or DTMF read
        QCOMPARE(rig.window->session().image().dtmf.memory(9), u"1-2"_s);
    }
};

QTEST_MAIN(TestSetModePage)
#include "test_setmodepage.moc"
