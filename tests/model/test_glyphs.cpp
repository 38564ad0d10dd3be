// The custom glyphs: their radio form both ways, the address of each glyph, and the rectangle edit.

#include "link/address.h"
#include "model/glyphs.h"

#include <QSignalSpy>
#include <QtTest>

using namespace n35;

namespace
{

QString Zeros(int count)
{
    return QString(count, QLatin1Char('0'));
}

} // namespace

class GlyphsTest : public QObject
{
    Q_OBJECT
private slots:
    void encodes_data()
    {
        QTest::addColumn<QList<QPoint>>("pixels"); // (column, row)
        QTest::addColumn<QString>("hex");
        QList<QPoint> column0;
        for (int row = 0; row < 16; ++row)
            column0 << QPoint(0, row);
        QTest::newRow("empty") << QList<QPoint>{} << Zeros(64);
        QTest::newRow("top left") << QList<QPoint>{{0, 0}} << "01" + Zeros(62);
        QTest::newRow("bottom left") << QList<QPoint>{{0, 15}} << Zeros(32) + "80" + Zeros(30);
        QTest::newRow("column 0") << column0 << "FF" + Zeros(30) + "FF" + Zeros(30);
        QTest::newRow("halves' edges") << QList<QPoint>{{15, 8}, {1, 7}} << "0080" + Zeros(58) + "01";
    }

    void encodes()
    {
        QFETCH(QList<QPoint>, pixels);
        QFETCH(QString, hex);
        FontGlyphs glyphs;
        for (const QPoint &p : pixels)
            glyphs.setPixel(5, p.y(), p.x(), true);
        QCOMPARE(glyphs.MakeFontData(5), hex);
        QCOMPARE(glyphs.MakeFontData(4), Zeros(64));
        FontGlyphs decoded;
        QVERIFY(decoded.ExpandFontData(hex, 2).ok());
        QVERIFY(decoded.glyph(2) == glyphs.glyph(5));
    }

    void roundTripsAndAcceptsLowerCase()
    {
        QCOMPARE(GetFontAdr(0) + GetFontAdr(5) + GetFontAdr(7), QStringLiteral("00900009A0009E0"));
        FontGlyphs glyphs;
        for (int i = 0; i < 256; i += 3)
            glyphs.setPixel(7, i / 16, (i * 7) % 16, true);
        const QString hex = glyphs.MakeFontData(7);
        QVERIFY(glyphs.ExpandFontData(hex + Zeros(64), 0).ok()); // a whole 128-character reply
        QVERIFY(glyphs.ExpandFontData(hex.toLower(), 1).ok());
        QCOMPARE(glyphs.MakeFontData(0) + glyphs.MakeFontData(1), hex + hex);
        QVERIFY(glyphs.ExpandFontData("a5" + Zeros(62), 2).ok());
        QVERIFY(glyphs.pixel(2, 0, 0) && !glyphs.pixel(2, 1, 0) && glyphs.pixel(2, 7, 0) &&
                !glyphs.pixel(2, 6, 0));

        // A 'G', a short text or a space change nothing and announce nothing.
        const QString before = glyphs.MakeFontData(7);
        QSignalSpy changed(&glyphs, &FontGlyphs::changed);
        for (const QString &bad : {Zeros(40) + "G" + Zeros(23), Zeros(63), " " + Zeros(63)})
            QVERIFY(!glyphs.ExpandFontData(bad, 7).ok());
        QCOMPARE(glyphs.MakeFontData(7), before);
        QCOMPARE(changed.count(), 0);
    }

    void rectangleCornersInAnyOrder()
    {
        const QList<std::array<int, 4>> corners{{1, 2, 3, 5}, {3, 5, 1, 2}, {1, 5, 3, 2}, {3, 2, 1, 5}};
        for (const auto &[r1, c1, r2, c2] : corners) {
            FontGlyphs glyphs;
            glyphs.setPixel(0, 0, 0, true);
            glyphs.setRectangle(0, r1, c1, r2, c2, true);
            // Columns 2..5 of rows 1..3: bits 1..3 of bytes 2..5.
            QCOMPARE(glyphs.MakeFontData(0), "0100" + QStringLiteral("0E").repeated(4) + Zeros(52));
            glyphs.setRectangle(0, r2, c2, r1, c1, false);
            QCOMPARE(glyphs.MakeFontData(0), "01" + Zeros(62));
        }
    }
};

QTEST_MAIN(GlyphsTest)
#include "test_glyphs.moc"
