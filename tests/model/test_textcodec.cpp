#include "model/textcodec.h"

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
    QString padded = hex;
    while (padded.size() < 64)
        padded += QStringLiteral("2000");
    return padded;
}

const QString Glyph1 = Chars({0x2460});
const QString Fifteen = QStringLiteral("ABCDEFGHIJKLMNO");
const QString FifteenHex = QStringLiteral("410042004300440045004600470048004900"
                                          "4A004B004C004D004E004F00");

} // namespace

class TestTextCodec : public QObject
{
    Q_OBJECT

private slots:
    void escapedToHex_data()
    {
        QTest::addColumn<QString>("escaped");
        QTest::addColumn<QString>("internal");
        QTest::addColumn<QString>("hex");
        QTest::newRow("glyph 1") << "AB\\1"
                                 << "AB" + Glyph1 << Padded("410042004087");
        QTest::newRow("glyph 8") << "\\8" << Chars({0x2467}) << Padded("4787");
        QTest::newRow("double backslash") << "\\\\"
                                          << "\\" << Padded("5C00");
        QTest::newRow("backslash then digit") << "\\\\1"
                                              << "\\1" << Padded("5C003100");
        QTest::newRow("\\9 is no escape") << "\\9"
                                          << "\\9" << Padded("5C003900");
        QTest::newRow("\\0 is no escape") << "\\0"
                                          << "\\0" << Padded("5C003000");
        QTest::newRow("trailing backslash") << "A\\"
                                            << "A\\" << Padded("41005C00");
        QTest::newRow("tilde") << "~"
                               << "~" << Padded("7E00");
        QTest::newRow("empty") << ""
                               << "" << Padded("");
        QTest::newRow("17 single-byte") << Fifteen + "PQ" << Fifteen + "P" << FifteenHex + "5000";
        QTest::newRow("glyph at 15 dropped") << Fifteen + "\\3" << Fifteen << Padded(FifteenHex);
        QTest::newRow("kanji at 15 dropped") << Fifteen + Chars({0x65E5}) << Fifteen << Padded(FifteenHex);
        QTest::newRow("kanji at 14 fits")
            << Fifteen.left(14) + Chars({0x65E5}) << Fifteen.left(14) + Chars({0x65E5})
            << Padded(FifteenHex.left(56) + "FA93");
        QTest::newRow("half-width katakana") << Chars({0xFF71}) << Chars({0xFF71}) << Padded("B100");
        QTest::newRow("user-defined area") << Chars({0xE000}) << Chars({0xE000}) << Padded("40F0");
        QTest::newRow("emoji is ?") << Chars({'A', 0x1F600, 'B'}) << "A?B" << Padded("41003F004200");
        QTest::newRow("thai is ?") << Chars({0x0E01}) << "?" << Padded("3F00");
        QTest::newRow("tab is ?") << "\t"
                                  << "?" << Padded("3F00");
        QTest::newRow("emoji at 15 fits as ?")
            << Fifteen + Chars({0x1F600, 'Z'}) << Fifteen + "?" << FifteenHex + "3F00";
        QTest::newRow("placeholder of a non-character")
            << Chars({0xF0081}) << Chars({0xF0081}) << Padded("8100");
        QTest::newRow("placeholder of a character") << Chars({0xF0041}) << "?" << Padded("3F00");
    }
    void escapedToHex()
    {
        QFETCH(QString, escaped);
        QFETCH(QString, internal);
        QFETCH(QString, hex);
        const QString converted = ConvertEscapeText(escaped);
        QCOMPARE(converted, internal);
        QCOMPARE(MakeTextData(converted), hex);
        QVERIFY(Cp932ByteLength(converted) <= MaxTextPositions);
    }

    void makeTextDataDoesNotCut()
    {
        const QString twenty = QString(20, QChar(u'a'));
        QCOMPARE(MakeTextData(twenty), QStringLiteral("6100").repeated(20));
        QCOMPARE(MakeTextData(Chars({'A', 0x0E01})).left(8), QStringLiteral("41003F00"));
    }

    void hexToEscaped_data()
    {
        QTest::addColumn<QString>("hex");
        QTest::addColumn<QString>("escaped");
        QTest::addColumn<bool>("roundTrips");
        QTest::newRow("glyph 1") << "4087"
                                 << "\\1" << true;
        QTest::newRow("glyph 8") << "4787"
                                 << "\\8" << true;
        QTest::newRow("circled nine is no glyph") << "4887" << Chars({0x2468}) << true;
        QTest::newRow("backslash") << "5C00"
                                   << "\\\\" << true;
        QTest::newRow("backslash before glyph") << "5C004087"
                                                << "\\\\\\1" << true;
        QTest::newRow("backslash then digit") << "5C003100"
                                              << "\\\\1" << true;
        QTest::newRow("padding kept") << "41004200" + QStringLiteral("2000") << "AB " << true;
        QTest::newRow("half-width katakana") << "B100" << Chars({0xFF71}) << true;
        QTest::newRow("kanji lower case") << "fa93" << Chars({0x65E5}) << true;
        QTest::newRow("zero") << "0000" << Chars({0xF0000}) << true;
        QTest::newRow("control") << "0900" << Chars({0xF0009}) << true;
        QTest::newRow("0x80") << "8000" << Chars({0xF0080}) << true;
        QTest::newRow("0xA0") << "A000" << Chars({0xF00A0}) << true;
        QTest::newRow("0xFD") << "FD00" << Chars({0xF00FD}) << true;
        QTest::newRow("lone lead byte") << "8100" << Chars({0xF0081}) << true;
        QTest::newRow("unassigned row") << "4085" << Chars({0xF8540}) << true;
        QTest::newRow("unassigned symbol") << "AD81" << Chars({0xF81AD}) << true;
        QTest::newRow("two single bytes") << "4241" << Chars({0xF4142}) << true;
        QTest::newRow("FFFF") << "FFFF" << Chars({0xFFFFF}) << true;
        QTest::newRow("user-defined area") << "40F0" << Chars({0xE000}) << true;
        QTest::newRow("not hex skipped") << "4100XY004200"
                                         << "AB" << false;
        QTest::newRow("sign not hex") << "-1004200"
                                      << "B" << false;
        QTest::newRow("short tail ignored") << "4100420"
                                            << "A" << false;
    }
    void hexToEscaped()
    {
        QFETCH(QString, hex);
        QFETCH(QString, escaped);
        QFETCH(bool, roundTrips);
        QCOMPARE(ExpandTextData(hex), escaped);
        if (roundTrips)
            QCOMPARE(MakeTextData(ConvertEscapeText(escaped)).left(hex.size()), hex.toUpper());
    }

    void positions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("bytes");
        QTest::newRow("ascii") << "AB" << 2;
        QTest::newRow("glyph") << Glyph1 << 2;
        QTest::newRow("half-width katakana") << Chars({0xFF71}) << 1;
        QTest::newRow("kanji") << Chars({0x65E5}) << 2;
        QTest::newRow("single-byte placeholder") << Chars({0xF0081}) << 1;
        QTest::newRow("double-byte placeholder") << Chars({0xF8540}) << 2;
        QTest::newRow("unmappable counts as ?") << Chars({0x1F600}) << 1;
    }
    void positions()
    {
        QFETCH(QString, text);
        QFETCH(int, bytes);
        QCOMPARE(Cp932ByteLength(text), bytes);
    }

    // Every 16-bit code the radio could hold, eight at a time: reading and writing back gives the same
    // codes, except that duplicates of one character come back as that character's single written code.
    void everyCodeSurvivesReadAndWrite()
    {
        int duplicates = 0;
        for (int first = 0; first < 0x10000; first += 8) {
            QString hex;
            QList<quint16> expected;
            for (int code = first; code < first + 8; ++code) {
                hex += QStringLiteral("%1%2")
                           .arg(code & 0xFF, 2, 16, QChar(u'0'))
                           .arg(code >> 8, 2, 16, QChar(u'0'));
                const char32_t ch = Cp932Char(static_cast<quint16>(code));
                QVERIFY(ch >= 0x20 && ch != 0x7F && ch != 0xFFFD);
                const std::optional<quint16> written = Cp932Code(ch);
                QVERIFY2(written.has_value(), qPrintable(QString::number(code, 16)));
                QCOMPARE(*written < 0x100, code < 0x100);
                if (*written != code) {
                    const bool duplicateArea = (code >= 0x8790 && code <= 0x879C) ||
                                               (code >= 0xED40 && code <= 0xEEFC) ||
                                               (code >= 0xFA40 && code <= 0xFC4B);
                    QVERIFY2(duplicateArea, qPrintable(QString::number(code, 16)));
                    QCOMPARE(Cp932Char(*written), ch);
                    ++duplicates;
                }
                expected.append(*written);
            }
            const QString written = MakeTextData(ConvertEscapeText(ExpandTextData(hex.toUpper())));
            QCOMPARE(written.size(), 64);
            for (int i = 0; i < 8; ++i) {
                const quint16 code = expected.at(i);
                const QString codeHex = QStringLiteral("%1%2")
                                            .arg(code & 0xFF, 2, 16, QChar(u'0'))
                                            .arg(code >> 8, 2, 16, QChar(u'0'))
                                            .toUpper();
                QCOMPARE(written.mid(i * 4, 4), codeHex);
            }
        }
        QVERIFY(duplicates > 0);
    }
};

QTEST_GUILESS_MAIN(TestTextCodec)
#include "test_textcodec.moc"
