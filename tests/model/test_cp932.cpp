#include "model/textcodec.h"

#include <QFile>
#include <QHash>
#include <QTest>

using namespace n35;

namespace
{

struct ReferenceLine {
    quint16 code;
    char32_t ch;
    quint16 encoded; // what the reference encoder writes for ch
};

QString CodeHex(quint16 code)
{
    return QStringLiteral("%1%2")
        .arg(code & 0xFF, 2, 16, QChar(u'0'))
        .arg(code >> 8, 2, 16, QChar(u'0'))
        .toUpper();
}

QString Escaped(char32_t ch)
{
    if (ch == U'\\')
        return QStringLiteral("\\\\");
    if (ch >= FirstGlyphChar && ch < FirstGlyphChar + GlyphCount)
        return QStringLiteral("\\") + QChar(u'1' + static_cast<char16_t>(ch - FirstGlyphChar));
    return QString::fromUcs4(&ch, 1);
}

bool IsNecSelected(quint16 code)
{
    return code >= 0xED40 && code <= 0xEEFC;
}

bool IsIbmExtension(quint16 code)
{
    return code >= 0xFA40 && code <= 0xFC4B;
}

} // namespace

// Compares our converter with a table written by an independent one (tests/data/make_cp932_reference.py).
class TestCp932 : public QObject
{
    Q_OBJECT

private:
    QList<ReferenceLine> m_lines;

private slots:
    void initTestCase()
    {
        QFile file(QStringLiteral(N35_TEST_DATA "/cp932_reference.tsv"));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        while (!file.atEnd()) {
            const QList<QByteArray> fields = file.readLine().trimmed().split('\t');
            QCOMPARE(fields.size(), 3);
            QVERIFY(fields[1].startsWith("U+"));
            bool ok[3];
            m_lines.append({static_cast<quint16>(fields[0].toUInt(&ok[0], 16)),
                            static_cast<char32_t>(fields[1].mid(2).toUInt(&ok[1], 16)),
                            static_cast<quint16>(fields[2].toUInt(&ok[2], 16))});
            QVERIFY(ok[0] && ok[1] && ok[2]);
        }
        QVERIFY(m_lines.size() > 2000);
    }

    void decodesLikeReference()
    {
        for (const ReferenceLine &line : m_lines)
            QCOMPARE(ExpandTextData(CodeHex(line.code)), Escaped(line.ch));
    }

    // The reference encoder writes a character found in both IBM extension copies with its NEC-selected
    // code; the radio software writes the IBM code, as Windows does. Elsewhere both must agree.
    void encodesLikeReference()
    {
        QHash<char32_t, quint16> ibmCode;
        for (const ReferenceLine &line : m_lines) {
            if (IsIbmExtension(line.code) && !ibmCode.contains(line.ch))
                ibmCode.insert(line.ch, line.code);
        }
        int necSelected = 0;
        for (const ReferenceLine &line : m_lines) {
            quint16 expected = line.encoded;
            if (IsNecSelected(expected)) {
                QVERIFY2(ibmCode.contains(line.ch), qPrintable(CodeHex(line.code)));
                expected = ibmCode.value(line.ch);
                ++necSelected;
            }
            const QString text = QString::fromUcs4(&line.ch, 1);
            QCOMPARE(MakeTextData(text).left(4), CodeHex(expected));
            QCOMPARE(Cp932ByteLength(text), expected < 0x100 ? 1 : 2);
        }
        QVERIFY(necSelected > 0);
    }
};

QTEST_GUILESS_MAIN(TestCp932)
#include "test_cp932.moc"
