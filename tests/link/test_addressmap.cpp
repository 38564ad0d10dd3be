// The radio's address map and hex helpers, on the values the radio's memory layout fixes.

#include "link/address.h"
#include "model/hex.h"

#include <QtTest>

using namespace n35;

class AddressMapTest : public QObject
{
    Q_OBJECT

private slots:
    void addresses_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("expected");
        const std::pair<int, const char *> channels[] = {
            {1, "00B00"},   {600, "0A0C0"}, {601, "0A100"}, {602, "0BA00"}, {603, "0A140"}, {604, "0BA40"},
            {799, "0B9C0"}, {800, "0D2C0"}, {801, "0D300"}, {853, "0E000"}, {952, "0F8C0"},
        };
        for (const auto &[channel, text] : channels)
            QTest::addRow("channel %d", channel) << ChannelBlockAddress(channel) << QString::fromLatin1(text);
        QTest::newRow("bank 0") << BankBlockAddress(0) << "00200";
        QTest::newRow("bank 1") << BankBlockAddress(1) << "00240";
        QTest::newRow("settings 0") << SettingsBlockAddress(0) << "00000";
        QTest::newRow("settings 1") << SettingsBlockAddress(1) << "00040";
        QTest::newRow("settings 2") << SettingsBlockAddress(2) << "00080";
        QTest::newRow("settings 7") << SettingsBlockAddress(7) << "00080";
        QTest::newRow("glyph 0") << GetFontAdr(0) << "00900";
        QTest::newRow("glyph 7") << GetFontAdr(7) << "009E0";
        QTest::newRow("pass index 0") << ReadAddress(MemoryRegion::PassIndex, 0) << "00500";
        QTest::newRow("pass index 12") << WriteAddress(MemoryRegion::PassIndex, 12) << "00800";
        QTest::newRow("write protect") << AddressText(0xFE01) << "0FE01";
        using R = MemoryRegion;
        // The DTMF memories are read from memory boundaries and written in whole blocks.
        const std::tuple<const char *, QString, const char *> regions[] = {
            {"one-touch", ReadAddress(R::OneTouch, 0), "00180"},
            {"title", WriteAddress(R::Title, 0), "001A0"},
            {"write-protect read", ReadAddress(R::WriteProtect, 0), "0FE01"},
            {"DTMF read 1", ReadAddress(R::Dtmf, 1), "00A33"},
            {"DTMF read 2", ReadAddress(R::Dtmf, 2), "00A73"},
            {"DTMF write 1", WriteAddress(R::Dtmf, 1), "00A40"},
            {"DTMF write 2", WriteAddress(R::Dtmf, 2), "00A80"},
            {"bank link 1", WriteAddress(R::BankLinks, 1), "00140"},
            {"region of a DTMF write", RegionAt(0x00A80), "the DTMF memories"},
            {"region of a Sub channel", RegionAt(0x0BA40), "channel 604"},
            {"region of the last glyph", RegionAt(0x009FF), "glyph 8"},
            {"region of the pass index", RegionAt(0x0083F), "the pass-channel index"},
            {"region of nothing", RegionAt(0x0FF00), "the memory at 0FF00"},
        };
        for (const auto &[name, address, text] : regions)
            QTest::newRow(name) << address << QString::fromLatin1(text);
    }
    void addresses()
    {
        QFETCH(QString, address);
        QFETCH(QString, expected);
        QCOMPARE(address, expected);
    }

    void everyChannelHasItsOwnSlot()
    {
        // The interleaved Dual pairs must still cover 0x00B00..0x0F8FF exactly once.
        QSet<QString> seen;
        for (int channel = 1; channel <= 952; ++channel) {
            const QString address = ChannelBlockAddress(channel);
            QVERIFY2(!seen.contains(address), qPrintable(address));
            seen.insert(address);
            const int value = address.toInt(nullptr, 16);
            QVERIFY(value >= 0x00B00 && value <= 0x0F8C0 && (value - 0x00B00) % 64 == 0);
        }
    }

    // A region's encoded bytes go out cut by the table's write lengths, and no two regions share a byte.
    void writesStayInsideTheirRegion()
    {
        const QString dtmf(330, QLatin1Char('D'));
        QCOMPARE(WriteBlockHex(MemoryRegion::Dtmf, 1, dtmf).size(), 128);
        QCOMPARE(WriteBlockHex(MemoryRegion::Dtmf, 2, dtmf).size(), 74);
        QCOMPARE(WriteBlockHex(MemoryRegion::BankLinks, 1, QString(176, QLatin1Char('B'))).size(), 48);
        const QList<RegionMap> &table = AddressTable();
        for (const RegionMap &row : table) {
            for (const WriteStretch &stretch : row.writes)
                QVERIFY2(stretch.address >= row.first && stretch.address + stretch.length <= row.end,
                         row.name);
            for (const RegionMap &other : table)
                QVERIFY2(&other == &row || other.end <= row.first || other.first >= row.end, row.name);
        }
    }

    void littleEndianHex()
    {
        QCOMPARE(Word32Hex(222000000), QStringLiteral("80733B0D"));
        QCOMPARE(Word16Hex(500), QStringLiteral("F401"));
        QCOMPARE(ByteHex(10), QStringLiteral("0A"));
        QCOMPARE(HexWord32At(QStringLiteral("0280733b0d"), 1), qint64(222000000));
        QCOMPARE(HexByteAt(QStringLiteral("0G"), 0), -1);
        QCOMPARE(HexByteAt(QStringLiteral("0"), 0), -1);
    }
};

QTEST_GUILESS_MAIN(AddressMapTest)
#include "test_addressmap.moc"
