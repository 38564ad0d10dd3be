#include "model/textcodec.h"

#include <QFile>
#include <QHash>
#include <QTest>

using namespace n35;

// Compares our converter with a table written by an independent one (tests/data/make_cp932_reference.py):
// code, U+character, the code the reference encoder writes for that character.
class TestCp932 : public QObject
{
    Q_OBJECT

private slots:
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
};

QTEST_GUILESS_MAIN(TestCp932)
#include "test_cp932.moc"
