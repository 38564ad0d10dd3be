// The one-touch keys and the title: their radio form, decoding against the partition, and the lists that
// follow the partition.

#include "model/banks.h"
#include "model/cloneimage.h"
#include "model/onetouch.h"
#include "model/settings.h"
#include "model/title.h"

#include <QtTest>

using namespace n35;

class OneTouchTest : public QObject
{
    Q_OBJECT
private slots:
    void keysBothWays_data()
    {
        QTest::addColumn<QString>("entry"); // key 0's entry as read; the others disabled
        QTest::addColumn<bool>("disabled");
        QTest::addColumn<int>("bank");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("written");
        QTest::newRow("disabled") << "FF0000" << true << 0 << 0 << "FF0000";
        QTest::newRow("bank 7 position 300") << "072C01" << false << 7 << 300 << "072C01";
        QTest::newRow("position past the bank") << "07F401" << false << 7 << 0 << "070000";
        QTest::newRow("bank without channels") << "090500" << false << 0 << 0 << "000000";
    }
    void keysBothWays()
    {
        QFETCH(QString, entry);
        QFETCH(bool, disabled);
        QFETCH(int, bank);
        QFETCH(int, position);
        QFETCH(QString, written);
        BankPartition banks;
        BankPartition::Counts counts{};
        counts[0] = 100;
        counts[7] = 400; // banks 0 and 7 only
        banks.setCounts(counts);
        OneTouchKeys keys;
        keys.followPartition(banks);
        const QString rest = QStringLiteral("FF0000").repeated(8);
        QVERIFY(keys.ExpandOneTouchData(entry + rest + QStringLiteral("20").repeated(37)).ok());
        QCOMPARE(keys.key(0).disabled, disabled);
        QCOMPARE(keys.key(0).bank, bank);
        QCOMPARE(keys.key(0).position, position);
        QCOMPARE(keys.MakeOneTouchData(), written + rest);

        // Nothing changes on a block that is too short or not hex.
        keys.reset();
        QVERIFY(!keys.ExpandOneTouchData(QStringLiteral("072C01").repeated(8)));
        QVERIFY(!keys.ExpandOneTouchData(QStringLiteral("07G001") + rest));
        QCOMPARE(keys.MakeOneTouchData(), QStringLiteral("FF0000").repeated(9));
    }

    void keysFollowThePartition()
    {
        CloneImage image;
        OneTouchKeys &keys = image.oneTouch;
        QCOMPARE(keys.bankEntries(), (QStringList{"0", "1", "2", "3", "4"}));
        QCOMPARE(keys.positionCount(0), 100);

        // A radio whose keys name bank 7: the partition comes first (as a whole-radio read does), so the
        // keys are decoded against its lists, not the start-up ones.
        BankPartition::Counts counts{};
        counts[2] = 50;
        counts[7] = 450;
        image.banks.setCounts(counts);
        QVERIFY(keys.ExpandOneTouchData(QStringLiteral("071E00") + QStringLiteral("023100") +
                                        QStringLiteral("FF0000").repeated(7)));
        QCOMPARE(keys.key(0).bank, 7);
        QCOMPARE(keys.key(0).position, 30);
        QCOMPARE(keys.key(1).position, 49);
        QCOMPARE(image.settings.texts(SetModeSettings::BankMainOption).first(), QStringLiteral("2"));

        // A slider moved away and back (450 -> 449 -> 450) passes through a partition that does not add
        // up: every selection is where it was, so the next write changes nothing the user did not.
        SetModeSettings &settings = image.settings;
        const auto bankText = [&](OptionId id) { return settings.texts(id).value(settings.index(id)); };
        settings.setIndex(SetModeSettings::BankMainOption, 1);
        settings.setIndex(SetModeSettings::BankSubOption, 5);
        QCOMPARE(bankText(SetModeSettings::BankMainOption), QStringLiteral("7"));
        QCOMPARE(bankText(SetModeSettings::BankSubOption), QStringLiteral("CALL"));
        keys.setPosition(0, 449);
        const OneTouchKeys::State before = keys.state();
        image.banks.setCount(7, 449);
        image.banks.setCount(7, 450);
        QCOMPARE(keys.state(), before);
        QCOMPARE(bankText(SetModeSettings::BankMainOption), QStringLiteral("7"));
        QCOMPARE(bankText(SetModeSettings::BankSubOption), QStringLiteral("CALL"));
        keys.setPosition(0, 30);

        // Bank 2 shrinks: its key loses a position it no longer has; bank 7 empties: its key moves to the
        // first bank listed, position 0. A bank with no channels is never listed.
        counts[2] = 20;
        counts[7] = 0;
        counts[9] = 480;
        image.banks.setCounts(counts);
        QCOMPARE(keys.bankEntries(), (QStringList{"2", "9"}));
        QCOMPARE(keys.key(1).bank, 2);
        QCOMPARE(keys.key(1).position, 0);
        QCOMPARE(keys.key(0).bank, 2);
        QCOMPARE(keys.key(0).position, 0);
        QVERIFY(!image.settings.texts(SetModeSettings::BankSubOption).contains(QStringLiteral("7")));
        // Only the selection whose bank emptied falls back to the first entry.
        QCOMPARE(bankText(SetModeSettings::BankMainOption), QStringLiteral("2"));
        QCOMPARE(bankText(SetModeSettings::BankSubOption), QStringLiteral("CALL"));
    }

    void title_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("motion");
        QTest::addColumn<QString>("sent"); // the title's codes as text, then the motion word
        QTest::newRow("seventeen sent as sixteen") << "ABCDEFGHIJKLMNOPQ" << 0 << "ABCDEFGHIJKLMNOP|0000";
        QTest::newRow("glyph past position 16") << "ABCDEFGHIJKLMNO\\3" << 1 << "ABCDEFGHIJKLMNO |0100";
        QTest::newRow("short title padded") << "CQ" << 0 << "CQ              |0000";
    }
    void title()
    {
        QFETCH(QString, text);
        QFETCH(int, motion);
        QFETCH(QString, sent);
        OpeningTitle title;
        title.setText(text);
        title.setMotion(motion);
        const QString hex = title.encode();
        QCOMPARE(hex.size(), 68);
        QString codes;
        for (int i = 0; i < 16; ++i)
            codes += QChar(hex.mid(i * 4, 2).toInt(nullptr, 16));
        QCOMPARE(codes + QLatin1Char('|') + hex.mid(64), sent);

        // Read back: sixteen characters, trailing spaces included; any motion but 0 is "slide", written
        // 0x0001.
        OpeningTitle read;
        QVERIFY(
            read.ExpandTitleData(hex.left(64) + QStringLiteral("0200") + QStringLiteral("FF").repeated(30))
                .ok());
        QCOMPARE(read.text(), sent.left(16));
        QCOMPARE(read.motion(), 1);
        QVERIFY(read.encode().endsWith(QLatin1String("0100")));
        QVERIFY(!read.ExpandTitleData(hex.left(66)));

        // The glyph buttons cut the whole title back to 16 positions.
        OpeningTitle typed;
        typed.setText(QString(15, QLatin1Char('x')));
        typed.appendGlyph(3);
        QCOMPARE(typed.text(), QString(15, QLatin1Char('x')));
    }
};

QTEST_GUILESS_MAIN(OneTouchTest)
#include "test_onetouch.moc"
