// The text codec: escapes, code page 932 both ways, and the names and titles in the radio's form.

#include "model/result.h"
#include "model/textcodec.h"

#include <QFile>
#include <QHash>
#include <QTest>

using namespace n35;

namespace
{

QString Chars(std::initializer_list<char32_t> chars)
{
    return QString::fromUcs4(chars.begin(), static_cast<qsizetype>(chars.size()));
}

QString Padded(const QString &hex)
{
    return hex + QStringLiteral("2000").repeated(qMax(0, int(64 - hex.size()) / 4));
}

QString CodeHex(int code)
{
    return QStringLiteral("%1%2")
        .arg(code & 0xFF, 2, 16, QChar(u'0'))
        .arg(code >> 8, 2, 16, QChar(u'0'))
        .toUpper();
}

const QString Fifteen = QStringLiteral("ABCDEFGHIJKLMNO");
const QString FifteenHex = QStringLiteral("4100420043004400450046004700480049004A004B004C004D004E004F00");

} // namespace

class TestTextCodec : public QObject
{
    Q_OBJECT

private slots:
    // escaped -> internal -> hex; when readsBack, hex -> escaped as well. Codes that are no character
    // read as placeholders and are written back as read.
    void conversions_data()
    {
        QTest::addColumn<QString>("escaped");
        QTest::addColumn<QString>("internal");
        QTest::addColumn<QString>("hex");
        QTest::addColumn<bool>("readsBack");
        QTest::newRow("glyph 1") << QString("AB\\1") << "AB" + Chars({0x2460}) << "410042004087" << true;
        QTest::newRow("double backslash") << QString("\\\\") << QString("\\") << "5C00" << true;
        QTest::newRow("\\9 is no escape") << QString("\\9") << QString("\\9") << "5C003900" << false;
        QTest::newRow("\\0 is no escape") << QString("\\0") << QString("\\0") << "5C003000" << false;
        QTest::newRow("17 single-byte") << Fifteen + "PQ" << Fifteen + "P" << FifteenHex + "5000" << false;
        QTest::newRow("glyph at 15 dropped") << Fifteen + "\\3" << Fifteen << FifteenHex << false;
        QTest::newRow("kanji at 15 dropped") << Fifteen + Chars({0x65E5}) << Fifteen << FifteenHex << false;
        QTest::newRow("half-width katakana") << Chars({0xFF71}) << Chars({0xFF71}) << "B100" << true;
        QTest::newRow("emoji is ?") << Chars({'A', 0x1F600, 'B'}) << QString("A?B") << "41003F004200"
                                    << false;
        QTest::newRow("zero") << Chars({0xF0000}) << Chars({0xF0000}) << "0000" << true;
        QTest::newRow("lone lead byte") << Chars({0xF0081}) << Chars({0xF0081}) << "8100" << true;
        QTest::newRow("unassigned") << Chars({0xF8540}) << Chars({0xF8540}) << "4085" << true;
        QTest::newRow("FFFF") << Chars({0xFFFFF}) << Chars({0xFFFFF}) << "FFFF" << true;
    }
    void conversions()
    {
        QFETCH(QString, escaped);
        QFETCH(QString, internal);
        QFETCH(QString, hex);
        QFETCH(bool, readsBack);
        QCOMPARE(ConvertEscapeText(escaped), internal);
        QCOMPARE(MakeTextData(internal), Padded(hex));
        if (readsBack)
            QCOMPARE(ExpandTextData(hex), escaped);
    }

    // Compares our converter with a table written by an independent one (tests/data/make_cp932_reference.py):
    // code, U+character, the code the reference encoder writes for that character.
    // Every path that takes a name asks here: the first character the radio cannot store is named.
    void nameFaults()
    {
        const QString placeholder = QString::fromUcs4(U"\U000F0009", 1);
        const QString realCharPlaceholder = QString::fromUcs4(U"\U000F0041", 1); // 0x41 is "A"
        // clang-format off
        const struct { QString name; bool placeholders; const char *fault; } cases[] = {
            {"REPEATER \\1\\\\", false, ""}, {QString::fromUtf8("東京ｱｲｳ①Ⅹ纊"), false, ""},
            {QString(QChar(0xE000)), false, ""}, {"A\tB", false, "holds the control character U+0009"},
            {"\x7F", true, "holds the control character U+007F"}, {QStringLiteral("\u0085"), true, "holds the control character U+0085"},
            {QStringLiteral("5\u20AC"), true, "holds \"\u20AC\" (U+20AC), which the radio cannot store"},
            {QStringLiteral("caf\u00E9"), true, "holds \"\u00E9\" (U+00E9), which the radio cannot store"},
            {"A" + placeholder, true, ""}, {"A" + placeholder, false, "holds radio code 0009, which is no character"},
            {realCharPlaceholder, true, "holds radio code 0041, which is no character"}};
        // clang-format on
        for (const auto &c : cases)
            QCOMPARE(NameFault(c.name, c.placeholders), QString::fromUtf8(c.fault));
        // Quoted texts in messages stay short.
        QCOMPARE(QuotedExcerpt(QString(80, 'x')), QString(80, 'x'));
        QCOMPARE(QuotedExcerpt(QString(10'000'000, 'x')), QString(80, 'x') + "... (10000000 characters)");
    }

    void matchesReference()
    {
        QFile file(QStringLiteral(N35_TEST_DATA "/cp932_reference.tsv"));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        QList<std::tuple<uint, char32_t, uint>> lines;
        QHash<char32_t, uint> ibmCode; // first code of a character in the IBM extensions
        while (!file.atEnd()) {
            const QList<QByteArray> fields = file.readLine().trimmed().split('\t');
            QVERIFY(fields.size() == 3 && fields[1].startsWith("U+"));
            const uint code = fields[0].toUInt(nullptr, 16);
            const char32_t ch = fields[1].mid(2).toUInt(nullptr, 16);
            lines.append({code, ch, fields[2].toUInt(nullptr, 16)});
            if (code >= 0xFA40 && code <= 0xFC4B && !ibmCode.contains(ch))
                ibmCode.insert(ch, code);
        }
        QVERIFY(lines.size() > 2000);

        // The reference writes a character found in both IBM extension copies with its NEC-selected code;
        // the radio software writes the IBM code, as Windows does. Elsewhere both must agree.
        int necSelected = 0;
        for (const auto &[code, ch, encoded] : lines) {
            QCOMPARE(uint(Cp932Char(quint16(code))), uint(ch));
            const bool nec = encoded >= 0xED40 && encoded <= 0xEEFC;
            necSelected += nec;
            const uint expected = nec ? ibmCode.value(ch, 0) : encoded;
            QCOMPARE(uint(Cp932Code(ch).value_or(0)), expected);
            QCOMPARE(Cp932Positions(ch), expected < 0x100 ? 1 : 2);
        }
        QVERIFY(necSelected > 0);
    }

    // Every 16-bit code, eight at a time, survives read and write and takes its width (one position below
    // 0x100, else two); only duplicates of one character come back as that character's single code.
    void everyCodeSurvivesReadAndWrite()
    {
        for (int first = 0; first < 0x10000; first += 8) {
            QString hex, expected;
            int positions = 0;
            for (int code = first; code < first + 8; ++code) {
                const char32_t ch = Cp932Char(quint16(code));
                const int written = Cp932Code(ch).value_or(-1);
                const bool duplicate = (code >= 0x8790 && code <= 0x879C) ||
                                       (code >= 0xED40 && code <= 0xEEFC) ||
                                       (code >= 0xFA40 && code <= 0xFC4B);
                QVERIFY2(written == code || (duplicate && written >= 0 && Cp932Char(quint16(written)) == ch),
                         qPrintable(QString::number(code, 16)));
                hex += CodeHex(code);
                expected += CodeHex(written);
                positions += code < 0x100 ? 1 : 2;
            }
            const QString internal = ConvertEscapeText(ExpandTextData(hex));
            QCOMPARE(Cp932ByteLength(internal), positions);
            QCOMPARE(MakeTextData(internal), Padded(expected));
        }
    }
};

QTEST_GUILESS_MAIN(TestTextCodec)
#include "test_textcodec.moc"
