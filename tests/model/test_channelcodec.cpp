// Channel records between their radio hex form and the grid's cell texts, the pass-channel index and the
// row labels.

#include "model/channelcodec.h"
#include "model/channeltable.h"
#include "model/hex.h"
#include "model/passindex.h"

#include <QtTest>

using namespace n35;

namespace
{

// 02 80733B0D 01 00 00000000 00 00 09 09 00 00 00 62 00 0A 00, ten zero bytes, sixteen spaces.
const QString CallRecord = QStringLiteral("0280733B0D01000000000000000909000000620"
                                          "00A0000000000000000000000") +
                           QStringLiteral("2000").repeated(16);

QString recordWith(int byteIndex, const QString &pair)
{
    QString record = CallRecord;
    record.replace(byteIndex * 2, pair.size(), pair);
    return record;
}

QString recordWithName(const QString &nameHex)
{
    return CallRecord.left(64) + (nameHex + QStringLiteral("2000").repeated(16)).left(64);
}

} // namespace

class ChannelCodecTest : public QObject
{
    Q_OBJECT

private slots:
    void callRecordBothWays()
    {
        ChannelTable table;
        QVERIFY(DecodeChannel(CallRecord, 5, table).ok());
        const ChannelCells expected = CallChannelDefaults(QStringLiteral("222.00000MHz"));
        for (int column = 1; column < ColName; ++column)
            QCOMPARE(table.cell(5, column), expected[column - 1]);
        QCOMPARE(table.cell(5, ColName), QString(16, QLatin1Char(' ')));
        QVERIFY(table.used(5));
        QCOMPARE(*EncodeChannel(5, table), CallRecord);
        // The start-up CALL channels are the same record.
        QCOMPARE(*EncodeChannel(Call222Channel, table), CallRecord);
    }

    void decodedCells_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reencoded"); // empty: the same record

        // One field of the CALL record changed at byte `at`: the cell it shows, and what is written back in
        // its place ("": the same).
        const struct {
            const char *tag;
            int at;
            const char *hex;
            int column;
            const char *text, *rewritten;
        } fields[] = {
            {"1270.00625MHz", 1, "EAC1B24B", ColFrequency, "1270.00625MHz", ""},
            {"1 Hz digit dropped", 1, "00984C0D", ColFrequency, "223.12345MHz", "FA974C0D"},
            {"offset", 7, "A0BB0D00", ColShiftFreq, "0.90000MHz", ""},
            {"NFM", 5, "00", ColMode, "NFM", ""},
            {"unknown mode is empty, written as NFM", 5, "07", ColMode, "", "00"},
            {"step 1MHz", 6, "0F", ColStep, "1MHz", ""},
            {"shift -", 11, "02", ColShift, "-", ""},
            {"unknown shift is Off", 11, "05", ColShift, "Off", "00"},
            {"D/R", 12, "0C", ColSubtone, "D/R", ""},
            {"tone 250.3Hz", 13, "27", ColTxTone, "250.3Hz", ""},
            {"Rx tone 67.0Hz", 14, "01", ColRxTone, "67.0Hz", ""},
            {"Tx DCS 754", 15, "67", ColTxDcs, "754", ""},
            {"Rx DCS 025", 21, "01", ColRxDcs, "025", ""},
            {"skip", 19, "01", ColSkip, "*", ""},
            {"skip byte 2 is no skip", 19, "02", ColSkip, "", "00"},
            {"ignored bytes are rewritten", 18, "00", ColStep, "5KHz", "62"},
            {"status 01 is in use, written 02", 0, "01", ColFrequency, "222.00000MHz", "02"},
        };
        for (const auto &f : fields)
            QTest::newRow(f.tag) << recordWith(f.at, QLatin1String(f.hex)) << f.column
                                 << QString::fromLatin1(f.text)
                                 << (*f.rewritten ? recordWith(f.at, QLatin1String(f.rewritten)) : QString());
        QTest::newRow("glyph 1") << recordWithName(QStringLiteral("4100") + QStringLiteral("4087"))
                                 << int(ColName) << QStringLiteral("A\\1") + QString(14, QLatin1Char(' '))
                                 << "";
        QTest::newRow("backslash") << recordWithName(QStringLiteral("5C00")) << int(ColName)
                                   << QStringLiteral("\\\\") + QString(15, QLatin1Char(' ')) << "";
        QTest::newRow("lower-case hex")
            << CallRecord.toLower() << int(ColFrequency) << "222.00000MHz" << CallRecord;
    }
    void decodedCells()
    {
        QFETCH(QString, record);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, reencoded);
        ChannelTable table;
        QVERIFY(DecodeChannel(record, 10, table).ok());
        QCOMPARE(table.cell(10, column), text);
        QCOMPARE(*EncodeChannel(10, table), reencoded.isEmpty() ? record : reencoded);
    }

    void codesOutsideTheirTablesAreRefused_data()
    {
        QTest::addColumn<int>("byteIndex");
        QTest::addColumn<QString>("pair");
        QTest::newRow("step 16") << 6 << "10";
        QTest::newRow("sub-tone mode 13") << 12 << "0D";
        QTest::newRow("Tx tone 0") << 13 << "00";
        QTest::newRow("Rx tone 40") << 14 << "28";
        QTest::newRow("Tx DCS 104") << 15 << "68";
        QTest::newRow("Rx DCS 255") << 21 << "FF";
        QTest::newRow("not hex") << 3 << "G0";
    }
    void codesOutsideTheirTablesAreRefused()
    {
        QFETCH(int, byteIndex);
        QFETCH(QString, pair);
        ChannelTable table;
        const ChannelCells before = table.cells(Call222Channel);
        QVERIFY(!DecodeChannel(recordWith(byteIndex, pair), Call222Channel, table).ok());
        QVERIFY(table.cells(Call222Channel) == before);
        QVERIFY(table.used(Call222Channel));

        // Erased or cleared memory is an empty channel, whatever follows.
        for (const char *status : {"FF", "00", "03"}) {
            QVERIFY(DecodeChannel(recordWith(0, QLatin1String(status)), Call222Channel, table).ok());
            QVERIFY(table.cell(Call222Channel, ColFrequency).isEmpty());
            QVERIFY(!table.used(Call222Channel));
            QCOMPARE(*EncodeChannel(Call222Channel, table), QStringLiteral("00"));
            table.reset();
        }
    }

    void encoderRefusesCellsTheRadioCannotTake_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::newRow("step 1000KHz") << int(ColStep) << "1000KHz";
        QTest::newRow("sub-tone t/r") << int(ColSubtone) << "t/r";
        QTest::newRow("tone 67Hz") << int(ColTxTone) << "67Hz";
        QTest::newRow("empty Rx tone") << int(ColRxTone) << "";
        QTest::newRow("DCS 23") << int(ColTxDcs) << "23";
        QTest::newRow("Rx DCS 999") << int(ColRxDcs) << "999";
        QTest::newRow("frequency text") << int(ColFrequency) << "abc";
        QTest::newRow("frequency beyond 32 bits") << int(ColFrequency) << "4294.96730MHz";
        QTest::newRow("negative offset") << int(ColShiftFreq) << "-1.00000MHz";
    }
    void encoderRefusesCellsTheRadioCannotTake()
    {
        QFETCH(int, column);
        QFETCH(QString, text);
        ChannelTable table;
        table.setCell(Call900Channel, column, text);
        const Result<QString> record = EncodeChannel(Call900Channel, table);
        QVERIFY(!record);
        const QString error = record.problem().describe();
        QVERIFY2(error.contains(QLatin1String("Channel 852, ")), qPrintable(error));
        QVERIFY2(error.contains(text), qPrintable(error));
    }

    void frequencyParsing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("hz"); // -1: refused
        QTest::newRow("grid text") << "222.00000MHz" << qint64(222000000);
        QTest::newRow("above 1000 MHz") << "1240.00625MHz" << qint64(1240006250);
        QTest::newRow("no unit") << "223.4" << qint64(223400000);
        QTest::newRow("whole MHz") << "902" << qint64(902000000);
        QTest::newRow("seventh decimal rounds") << "145.0000005" << qint64(145000001);
        QTest::newRow("zero") << "0.00000MHz" << qint64(0);
        QTest::newRow("largest") << "4294.967295" << qint64(4294967295);
        QTest::newRow("too large") << "4294.967296" << qint64(-1);
        QTest::newRow("empty") << "" << qint64(-1);
        QTest::newRow("letters") << "12a.5MHz" << qint64(-1);
        QTest::newRow("two points") << "1.2.3" << qint64(-1);
    }
    void frequencyParsing()
    {
        QFETCH(QString, text);
        QFETCH(qint64, hz);
        const auto parsed = ParseFrequency(text);
        QCOMPARE(parsed ? qint64(*parsed) : qint64(-1), hz);
        if (parsed && *parsed % 10 == 0)
            QCOMPARE(ParseFrequency(FrequencyText(*parsed)), parsed);
    }

    void passFrequencyOverlapKeepsTheRows()
    {
        ChannelTable table;
        table.setCells(FirstPassChannel + 3, CallChannelDefaults(QStringLiteral("223.40000MHz")));
        table.setCells(FirstPassChannel + 7, CallChannelDefaults(QStringLiteral("902.50000MHz")));
        const ChannelCells edited = table.cells(FirstPassChannel + 7);

        QVERIFY(!CheckPassFrequency(QStringLiteral("223.40000"), FirstPassChannel + 7, table));
        QVERIFY(
            !CheckPassFrequency(QStringLiteral("223.4"), FirstPassChannel + 7, table)); // numbers, not texts
        QVERIFY(table.cells(FirstPassChannel + 7) == edited);                           // nothing blanked
        QVERIFY(CheckPassFrequency(QStringLiteral("902.50000"), FirstPassChannel + 7, table)); // its own
        QVERIFY(CheckPassFrequency(QStringLiteral("223.41000"), FirstPassChannel + 7, table));
    }

    void passIndexLinksByFrequency()
    {
        ChannelTable table;
        table.setCells(FirstPassChannel + 5, CallChannelDefaults(QStringLiteral("902.50000MHz")));
        table.setCells(FirstPassChannel + 2, CallChannelDefaults(QStringLiteral("223.40000MHz")));
        const PassIndex index = BuildPassIndex(table);

        // Slot 2: 223 400 000 Hz, field A none, next 5, previous the head.
        QCOMPARE(PassIndexBlockHex(index, 0).mid(16 * 2, 16),
                 Word32Hex(223400000) + QStringLiteral("FF0564FF"));
        QCOMPARE(PassIndexBlockHex(index, 0).mid(16 * 5, 16),
                 Word32Hex(902500000) + QStringLiteral("FFFF02FF"));
        QCOMPARE(PassIndexBlockHex(index, 0).mid(0, 16), QStringLiteral("FF").repeated(8));
        // Slot 100, the head, is the fifth slot of block 12: field A = next = 2, previous none.
        const QString lastBlock = PassIndexBlockHex(index, 12);
        QCOMPARE(lastBlock.mid(4 * 16, 16), QStringLiteral("FFFFFFFF0202FFFF"));
        QCOMPARE(lastBlock.left(4 * 16) + lastBlock.mid(5 * 16), QStringLiteral("FF").repeated(56));
    }

    void passIndexEdges()
    {
        ChannelTable table;
        const PassIndex empty = BuildPassIndex(table);
        for (int block = 0; block < 13; ++block)
            QCOMPARE(PassIndexBlockHex(empty, block), QStringLiteral("FF").repeated(64));

        // All 100 in use, frequencies falling as the pass number rises, one above 1000 MHz.
        for (int pass = 0; pass < PassChannelCount; ++pass) {
            const quint32 hz = pass == 0 ? 1240006250u : 440000000u - quint32(pass) * 12500u;
            table.setCells(FirstPassChannel + pass, CallChannelDefaults(FrequencyText(hz)));
        }
        const PassIndex full = BuildPassIndex(table);
        QCOMPARE(full.nodes[PassIndex::HeadNode].next, std::uint8_t(99)); // lowest
        QCOMPARE(full.nodes[99].previous, std::uint8_t(PassIndex::HeadNode));
        QCOMPARE(full.nodes[0].next, PassIndex::None); // highest
        QCOMPARE(full.nodes[0].frequency, 1240006250u);
        QCOMPARE(full.nodes[0].previous, std::uint8_t(1));
        for (int pass = 1; pass < 99; ++pass) {
            QCOMPARE(full.nodes[pass].next, std::uint8_t(pass - 1));
            QCOMPARE(full.nodes[pass].previous, std::uint8_t(pass + 1));
        }
    }
};

QTEST_GUILESS_MAIN(ChannelCodecTest)
#include "test_channelcodec.moc"
