// Names and the title drawn as the radio will show them: glyph codes become their pictures, cut to the
// radio's 16 positions, and the pictures follow the glyph editor.

#include "model/glyphs.h"
#include "support/windowrig.h"
#include "ui/channeleditor.h"
#include "ui/glyphpreview.h"

#include <QtTest>
#include <QtWidgets>

using namespace n35;
using namespace n35::testing;
using namespace Qt::StringLiterals;

class TestGlyphPreview : public QObject
{
    Q_OBJECT
private slots:
    void glyphCodesBecomePictures()
    {
        const QStringList withGlyph{u"\\1"_s, u"CQ \\8"_s, u"\\\\\\2"_s};
        const QStringList without{u"CQ"_s, u"\\\\1"_s, u"\\9"_s, QString(15, u'x') + u"\\1"_s};
        for (const QString &text : withGlyph)
            QVERIFY2(HasGlyphCode(text), qPrintable(text));
        for (const QString &text : without) // the last: the glyph would need positions 16 and 17
            QVERIFY2(!HasGlyphCode(text), qPrintable(text));

        // Glyph 1 with its top row set: the picture's top row is inked, the row below not.
        FontGlyphs glyphs;
        glyphs.setRectangle(0, 0, 0, 0, 15, true);
        QFont font;
        font.setPixelSize(32);
        const QImage image = RadioTextPixmap(u"\\1"_s, glyphs, font, Qt::black).toImage();
        const int side = QFontMetrics(font).height();
        const int cell = side / FontGlyphs::Size;
        QVERIFY(image.width() >= side);
        QCOMPARE(image.pixelColor(side / 2, cell / 2).alpha(), 255);
        QVERIFY(image.pixelColor(side / 2, cell + cell / 2).alpha() < 100);
    }

    void titleAndGridFollowTheGlyphs()
    {
        WindowRig rig;
        rig.window->switchPage(3);
        CloneImage &image = rig.window->session().image();
        auto *preview = rig.find<QLabel>("TITLE_PREVIEW");
        image.title.setText(u"CQ"_s);
        QVERIFY(preview->isHidden());
        image.title.setText(u"CQ \\1"_s);
        QVERIFY(!preview->isHidden());
        const qint64 before = preview->pixmap().cacheKey();
        image.glyphs.setPixel(0, 4, 4, true);
        QVERIFY(preview->pixmap().cacheKey() != before);
        // The stored text stays the escape notation.
        QCOMPARE(image.title.text(), u"CQ \\1"_s);
        QCOMPARE(rig.find<QLineEdit>("TITLE_TEXT")->text(), u"CQ \\1"_s);

        // The grid's name column paints through the glyph delegate; the cell's text is unchanged.
        QTableView *grid = rig.page()->grid();
        QVERIFY(qobject_cast<NameCellDelegate *>(grid->itemDelegateForColumn(ColName - 1)));
        rig.table().setCell(3, ColName, u"R\\2"_s);
        QCOMPARE(grid->model()->index(2, ColName - 1).data().toString(), u"R\\2"_s);

        // The channel editor shows the name's picture under the name box.
        ChannelEditor editor(rig.table(), 3, nullptr, &image.glyphs);
        QVERIFY(!editor.findChild<QLabel *>(u"DETAIL_NAME_PREVIEW"_s)->isHidden());
        editor.findChild<QLineEdit *>(u"DETAIL_NAME"_s)->setText(u"R"_s);
        QVERIFY(editor.findChild<QLabel *>(u"DETAIL_NAME_PREVIEW"_s)->isHidden());
    }
};

QTEST_MAIN(TestGlyphPreview)
#include "test_glyphpreview.moc"
