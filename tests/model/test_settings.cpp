// The set-mode settings block: what a read followed by a write sends back, each encoding both ways, a
// decode that stops at a value its list cannot show, and the language the radio's byte 62 chooses.

#include "model/banks.h"
#include "model/cloneimage.h"
#include "model/imagediff.h"
#include "model/settings.h"

#include <QSignalSpy>
#include <QtTest>

using namespace n35;
using namespace Qt::StringLiterals;

namespace
{

using G = OptionGroup;

// The three blocks as the writes send them.
QString Blocks(const SetModeSettings &settings)
{
    return settings.encode();
}

int ByteOf(const QString &blocks, int byte)
{
    return blocks.mid(qsizetype(byte) * 2, 2).toInt(nullptr, 16);
}

QString WithByte(QString blocks, int byte, int value)
{
    blocks.replace(qsizetype(byte) * 2, 2,
                   QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper());
    return blocks;
}

// The written blocks as three reads bring them back: the rest of the last block is zero.
QString AsRead(const QString &blocks)
{
    return blocks + QString(384 - blocks.size(), QLatin1Char('0'));
}

void Load(SetModeSettings &settings, const QString &blocks)
{
    QVERIFY(settings.storeBlocks(AsRead(blocks)).ok());
}

} // namespace

class SettingsTest : public QObject
{
    Q_OBJECT
private slots:
    void readThenWriteSendsBackWhatItRead()
    {
        // A radio whose every option holds a different, valid value.
        SetModeSettings radio;
        int n = 0;
        for (const SetModeOption &option : SetModeOptions()) {
            const int size = static_cast<int>(radio.texts(option.id).size());
            if (option.id != SetModeSettings::LanguageOption && size > 1)
                radio.setIndex(option.id, (++n * 7) % size);
        }
        QString blocks = Blocks(radio);
        QCOMPARE(blocks.size(), 128 + 128 + 44);
        // What the radio holds besides: odd constants, its own kept bytes, and shown-but-kept lists.
        const std::pair<int, int> radioOwn[] = {{0, 0x00},  {8, 0x77},       {20, 0x55},  {55, 0x00},
                                                {81, 0x00}, {149 - 1, 0x33}, {1, 0x9C},   {71, 0x42},
                                                {92, 0x11}, {143, 0xEE},     {144, 0x01}, {16, 25},
                                                {19, 3},    {23, 1},         {25, 1}};
        for (const auto &[byte, value] : radioOwn)
            blocks = WithByte(blocks, byte, value);

        SetModeSettings settings;
        QVERIFY(settings.decode(AsRead(blocks)).ok());
        const QString written = Blocks(settings);
        const std::pair<int, int> constants[] = {{0, 0xA5},  {8, 0x00},  {9, 0x04},  {20, 0x00},
                                                 {50, 0x01}, {51, 0x0C}, {54, 0x00}, {55, 0x02},
                                                 {56, 0x02}, {81, 0x06}, {148, 0x00}};
        QString expected = blocks;
        for (const auto &[byte, value] : constants)
            expected = WithByte(expected, byte, value);
        QCOMPARE(written, expected);
        QCOMPARE(settings.index({G::Scan, 4}), 25); // shown as read
        QVERIFY(SetModeSettings::IsReadOnly({G::Send, 6}) && SetModeSettings::IsReadOnly({G::Scan, 7}));
        QCOMPARE(settings.MakeSettingData(5), settings.MakeSettingData(2));
    }

    void encodings_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("value");     // the byte as read
        QTest::addColumn<QString>("shown"); // the text it selects; empty: the decode stops
        QTest::addColumn<int>("rewritten"); // the byte written for that selection
        const auto row = [](const char *tag, G group, int option, int byte, int value, const char *shown,
                            int rewritten) {
            QTest::newRow(tag) << int(group) << option << byte << value << QString::fromUtf8(shown)
                               << rewritten;
        };
        row("TV CH 1", G::Display, 13, 13, 0x01, "1", 0x01);
        row("TV CH 62", G::Display, 13, 13, 0x3E, "62", 0x3E);
        row("TV CH 0 reads as 1", G::Display, 13, 13, 0x00, "1", 0x01);
        row("TV CH 63", G::Display, 13, 13, 0x3F, "", 0);
        row("preset UHF", G::Display, 14, 14, 3, "UHF", 3);
        row("preset 1200", G::Display, 14, 14, 4, "1200MHz", 4);
        row("preset 2 is beyond", G::Display, 14, 14, 2, "", 0);
        row("preset 5 is beyond", G::Display, 14, 14, 5, "", 0);
        row("bank DUAL", G::Display, 11, 10, 51, "DUAL", 51);
        row("bank PRIO", G::Display, 12, 11, 0x34, "PRIO", 0x34);
        row("bank 7 with channels", G::Display, 11, 10, 7, "7", 7);
        row("bank 8 without", G::Display, 11, 10, 8, "", 0);
        row("bank 55", G::Display, 11, 10, 55, "", 0);
        row("lamp key Illumination", G::Key, 7, 96, 0x15, "Illumination", 0x15);
        row("lamp key 0x60", G::Key, 7, 96, 0x60, "Lamp key assign", 0x60);
        row("wild key unknown", G::Key, 6, 53, 0x00, "", 0);
        row("auto power off 7", G::Power, 0, 45, 7, "", 0);
        row("sensitivity 1", G::Toutyou, 1, 48, 1, "1", 1);
        row("CH display on", G::ChDisplay, 0, 7, 0x0D, "ON", 0x0D);
        row("dial ring 01 00", G::Key, 5, 93, 0x01, "Squelch:Lower　Freq:Top", 0x01);
        // A list shown as read is written back as read only where it can show the byte: an erased radio
        // written and read again must decode.
        row("modulation erased", G::Send, 6, 23, 0xFF, "", 0x00);
        row("byte 25 erased", G::Send, 7, 25, 0xFF, "", 0x00);
        row("byte 16 erased", G::Scan, 4, 16, 0xFF, "", 0x00);
    }
    void encodings()
    {
        QFETCH(int, group);
        QFETCH(int, option);
        QFETCH(int, byte);
        QFETCH(int, value);
        QFETCH(QString, shown);
        QFETCH(int, rewritten);
        SetModeSettings settings;
        BankPartition banks;
        BankPartition::Counts counts = banks.counts();
        counts[4] = 0;
        counts[7] = 100; // banks 0..3 and 7 hold channels
        banks.setCounts(counts);
        settings.setBankEntries(banks);

        // A settings image the radio could hold, with the byte under test.
        SetModeSettings defaults;
        defaults.setBankEntries(banks);
        Load(settings, WithByte(Blocks(defaults), byte, value));
        const OptionId id{static_cast<G>(group), option};
        const Status decoded = settings.ExpandSettingData();
        QCOMPARE(decoded.ok(), !shown.isEmpty());
        if (shown.isEmpty()) {
            if (SetModeSettings::IsReadOnly(id))
                QCOMPARE(ByteOf(Blocks(settings), byte), rewritten);
            return;
        }
        QCOMPARE(settings.texts(id).at(settings.index(id)), shown);
        QCOMPARE(ByteOf(Blocks(settings), byte), rewritten);
        if (id == OptionId{G::ChDisplay, 0})
            QCOMPARE(ByteOf(Blocks(settings), 6), rewritten); // the write-only copy

        // Dial Ring takes two bytes: index 2 is 0x01 at both.
        settings.setIndex({G::Key, 5}, 2);
        QCOMPARE(ByteOf(Blocks(settings), 93) * 16 + ByteOf(Blocks(settings), 95), 0x11);
        settings.setIndex({G::Key, 5}, 1);
        QCOMPARE(ByteOf(Blocks(settings), 93) * 16 + ByteOf(Blocks(settings), 95), 0x01);
    }

    void decodeStopsAtAValueItsListCannotShow()
    {
        SetModeSettings radio;
        radio.setIndex({G::Display, 1}, 8); // byte 44, decoded before byte 45
        radio.setIndex({G::Send, 0}, 2);    // byte 63, decoded after it
        SetModeSettings settings;
        Load(settings, WithByte(Blocks(radio), 45, 7));
        QSignalSpy changes(&settings, &SetModeSettings::changed);
        const Status decoded = settings.ExpandSettingData();
        QVERIFY(!decoded);
        QVERIFY2(decoded.problem().describe().contains(QLatin1String("Auto-power-off")),
                 qPrintable(decoded.problem().describe()));
        QCOMPARE(settings.index({G::Display, 1}), 8);
        QCOMPARE(settings.index({G::Send, 0}), 0);
        QCOMPARE(changes.count(), 1);

        // Blocks that are not hex text change nothing at all.
        const SetModeSettings::State kept = settings.state();
        QVERIFY(!settings.decode(QString(383, QLatin1Char('0')) + QLatin1Char('G')));
        QVERIFY(settings.state() == kept);

        const Status unshowable = settings.decodeWriteProtect(3);
        QVERIFY(!unshowable);
        // It names the byte the radio keeps apart from the settings, not a settings byte it is not.
        QVERIFY2(unshowable.problem().describe().contains(QLatin1String("write-protect byte")),
                 qPrintable(unshowable.problem().describe()));
        QVERIFY(!settings.decodeWriteProtect(QStringLiteral("03") + QString(126, QLatin1Char('0'))));
        QVERIFY(settings.decodeWriteProtect(QStringLiteral("02") + QString(126, QLatin1Char('0'))).ok());
        QCOMPARE(settings.writeProtect(), 2);
        QCOMPARE(settings.encodeWriteProtect(), QStringLiteral("02"));
    }

    // Verify compares what the radio stores, shown in English whatever the page's language.
    void differencesCompareStoredValues_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("language alone") << 0 << QStringList{u"settings, Language: English -> Japanese"_s};
        QTest::newRow("language and illumination")
            << 1
            << QStringList{u"settings, Language: English -> Japanese"_s,
                           u"settings, Illumination: 5sec. -> 10sec."_s};
        QTest::newRow("the same bank in other lists") << 2 << QStringList{};
        QTest::newRow("another bank") << 3 << QStringList{u"settings, Bank No.(Main): 0 -> 3"_s};
    }
    void differencesCompareStoredValues()
    {
        QFETCH(int, change);
        QFETCH(QStringList, lines);
        CloneImage file;
        CloneImage radio;
        if (change <= 1)
            radio.settings.setIndex(SetModeSettings::LanguageOption, 0);
        if (change == 1)
            radio.settings.setIndex({G::Display, 1}, 2);
        if (change >= 2) {
            // Bank 1 empties: "3" moves from entry 3 to entry 2 of the radio's lists.
            BankPartition::Counts counts = radio.banks.counts();
            counts[0] += counts[1];
            counts[1] = 0;
            radio.banks.setCounts(counts);
            file.settings.setIndex(SetModeSettings::BankSubOption, 3);
            radio.settings.setIndex(SetModeSettings::BankSubOption, 2);
            if (change == 3)
                radio.settings.setIndex(SetModeSettings::BankMainOption, 2);
        }
        QStringList found;
        for (const ImageDifference &difference : CompareImages(file, radio)) {
            if (difference.region != u"banks"_s)
                found << difference.describe();
        }
        QCOMPARE(found, lines);
    }

    void languageByteSwitchesFirst()
    {
        SetModeSettings radio;
        radio.setIndex({G::Power, 0}, 1);
        radio.setIndex(SetModeSettings::LanguageOption, 0); // Japanese: byte 62 is 0x01
        const QString blocks = Blocks(radio);
        QCOMPARE(ByteOf(blocks, 62), 0x01);

        SetModeSettings settings;
        QCOMPARE(settings.language(), Language::English);
        Load(settings, blocks);
        QVERIFY(settings.ExpandSettingData().ok());
        QCOMPARE(settings.language(), Language::Japanese);
        QCOMPARE(settings.texts({G::Power, 0}).at(settings.index({G::Power, 0})), QString::fromUtf8("30分"));
        // The set-mode page's "Reset" brings English back, indexes of the others kept by the switch.
        settings.SetModeReset();
        QCOMPARE(settings.language(), Language::English);
        QCOMPARE(settings.index({G::Display, 3}), 7);
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "test_settings.moc"
