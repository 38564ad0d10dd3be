// The font editor against an in-process radio: moving between glyphs, clicks and selections, the
// window's transfers and what survives closing it.

#include "model/glyphs.h"
#include "support/windowrig.h"
#include "ui/fontwindow.h"
#include "ui/twips.h"

#include <QtTest>
#include <QtWidgets>

using namespace n35;
using namespace n35::testing;
using namespace Qt::StringLiterals;

namespace
{

// The editor's own controls: the main window has a "MSFlexGrid1" and a "ProgressBar1" too.
template <typename T = QWidget> T *Find(const QWidget *font, QAnyStringView name)
{
    return font->findChild<T *>(name.toString());
}

void Click(const QWidget *font, QAnyStringView name)
{
    Find<QAbstractButton>(font, name)->click();
}

QPoint At(QTableWidget *grid, int row, int column)
{
    return grid->visualRect(grid->model()->index(row, column)).center();
}

// Each cell as the grid shows it, against the model.
void ShowsGlyph(QTableWidget *grid, const FontGlyphs &glyphs, int glyph)
{
    for (int row = 0; row < 16; ++row) {
        for (int column = 0; column < 16; ++column) {
            const bool set = glyphs.pixel(glyph, row, column);
            const QVariant background = grid->item(row, column)->data(Qt::BackgroundRole);
            QCOMPARE(background.isValid() ? background.value<QBrush>().color() : QColor(),
                     set ? QColor(0, 0, 128) : QColor());
            QCOMPARE(
                grid->item(row, column)->data(Qt::AccessibleTextRole).toString(),
                u"Row %1, column %2, %3"_s.arg(row + 1).arg(column + 1).arg(set ? u"set"_s : u"clear"_s));
        }
    }
}

} // namespace

class TestFontWindow : public QObject
{
    Q_OBJECT
private slots:
    void editing()
    {
        WindowRig rig;
        FontWindow font(rig.window->session(), rig.window.get());
        font.show();
        QVERIFY(QTest::qWaitForWindowExposed(&font));
        FontGlyphs &glyphs = rig.window->session().image().glyphs;
        auto *grid = Find<QTableWidget>(&font, "MSFlexGrid1");
        auto *list = Find<QComboBox>(&font, "FONT_LIST");
        QCOMPARE(font.windowTitle() + font.objectName() + grid->accessibleName() + list->accessibleName(),
                 u"FontForm4Glyph pixelsGlyph"_s);
        QCOMPARE(grid->columnWidth(15) + grid->rowHeight(15), 2 * twips(400));
        const QString captions =
            u"cmdFont_1_read:Read cmdFont_1_write:Write cmdFontAllRead:Read ALL "
            u"cmdFontAllWrite:Write ALL FONT_CLEAR:Clear ALL_CLEAR:All Clear FONT_BACK:BACK "
            u"FONT_NEXT:NEXT IKKATU_ON:Select Setting IKKATU_OFF:Select Delete Command1:OK"_s;
        for (const QString &pair : captions.split(QRegularExpression(u" (?=\\w+:)"_s))) {
            const auto *button = Find<QPushButton>(&font, pair.section(u':', 0, 0));
            QCOMPARE(button->text(), pair.section(u':', 1));
            QCOMPARE(button->accessibleName(), button->text());
        }

        // BACK on "1" and NEXT on "8" stay put.
        Click(&font, "FONT_BACK");
        QCOMPARE(list->currentText(), u"1"_s);
        for (int i = 0; i < 8; ++i)
            Click(&font, "FONT_NEXT");
        QCOMPARE(list->currentText(), u"8"_s);
        Click(&font, "FONT_BACK");
        QCOMPARE(list->currentIndex(), 6);

        // A drag from row 3, column 5 to row 1, column 2 toggles nothing; "Select Setting" fills it.
        QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, At(grid, 3, 5));
        QTest::mouseMove(grid->viewport(), At(grid, 2, 3));
        QTest::mouseMove(grid->viewport(), At(grid, 1, 2));
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, At(grid, 1, 2));
        QCOMPARE(glyphs.MakeFontData(6), QString(64, u'0'));
        const QModelIndex current = grid->currentIndex();
        const QModelIndexList selected = grid->selectionModel()->selectedIndexes();
        QCOMPARE(selected.size(), 12);
        Click(&font, "IKKATU_ON");
        QCOMPARE(glyphs.MakeFontData(6), "0000" + u"0E"_s.repeated(4) + QString(52, u'0'));
        QCOMPARE(grid->currentIndex(), current);
        QCOMPARE(grid->selectionModel()->selectedIndexes(), selected);
        ShowsGlyph(grid, glyphs, 6);

        // A click toggles one pixel and selects its cell alone; Space toggles the current cell.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, At(grid, 15, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, At(grid, 2, 2));
        QVERIFY(glyphs.pixel(6, 15, 0) && !glyphs.pixel(6, 2, 2) && glyphs.pixel(6, 2, 3));
        ShowsGlyph(grid, glyphs, 6);
        Click(&font, "IKKATU_ON");
        QVERIFY(glyphs.pixel(6, 2, 2));
        Click(&font, "IKKATU_OFF");
        QTest::keyClick(grid, Qt::Key_Space);
        QVERIFY(glyphs.pixel(6, 2, 2) && glyphs.pixel(6, 1, 2));

        // Clear empties the shown glyph, All Clear all eight.
        glyphs.setPixel(0, 4, 4, true);
        Click(&font, "FONT_CLEAR");
        QVERIFY(!glyphs.pixel(6, 15, 0) && glyphs.pixel(0, 4, 4));
        glyphs.setPixel(6, 9, 9, true);
        Click(&font, "ALL_CLEAR");
        for (int glyph = 0; glyph < 8; ++glyph)
            QCOMPARE(glyphs.MakeFontData(glyph), QString(64, u'0'));
        ShowsGlyph(grid, glyphs, 6);
    }

    void editsOutliveTheWindow()
    {
        WindowRig rig;
        rig.window->move(100, 50);
        FontGlyphs &glyphs = rig.window->session().image().glyphs;
        QTimer::singleShot(0, [&] {
            auto *font = qobject_cast<FontWindow *>(QApplication::activeModalWidget());
            QVERIFY(font);
            QCOMPARE(font->pos(), rig.window->pos() + QPoint(twips(3000), 0));
            QVERIFY(font->height() >= twips(9435));
            Click(font, "FONT_NEXT");
            Click(font, "FONT_NEXT");
            QTest::mouseClick(Find<QTableWidget>(font, "MSFlexGrid1")->viewport(), Qt::LeftButton, {},
                              At(Find<QTableWidget>(font, "MSFlexGrid1"), 7, 7));
            Click(font, "Command1");
        });
        OpenFontEditor(rig.window->session(), rig.window.get());
        QVERIFY(!rig.window->findChild<FontWindow *>()); // unloaded
        QVERIFY(glyphs.pixel(2, 7, 7));

        FontWindow font(rig.window->session(), rig.window.get());
        QCOMPARE(Find<QComboBox>(&font, "FONT_LIST")->currentText(), u"1"_s);
        font.ShowGlyph(2);
        ShowsGlyph(Find<QTableWidget>(&font, "MSFlexGrid1"), glyphs, 2);
    }

    void readAllStopsAtTheFirstBadReply()
    {
        WindowRig rig;
        FontWindow font(rig.window->session(), rig.window.get());
        FontGlyphs &glyphs = rig.window->session().image().glyphs;
        for (int glyph = 0; glyph < 8; ++glyph)
            glyphs.setRectangle(glyph, 0, 0, 15, 15, true);
        for (int i = 0; i < 256; ++i)
            rig.radio.memory()[0x900 + i] = static_cast<std::uint8_t>(i * 7 + 1);
        QList<bool> enabledDuring;
        rig.port.setResponder([&](const QByteArray &written) {
            for (const char *name : {"FONT_LIST", "cmdFontAllRead", "Command1", "MSFlexGrid1"})
                enabledDuring << Find<QWidget>(&font, name)->isEnabled();
            if (written.startsWith("ZQ~F00940R"))
                return written + "\r\n" + QByteArray(127, '0') + "\r\n";
            return Answer(rig.radio, written);
        });
        Click(&font, "cmdFontAllRead");
        QCOMPARE(rig.told(), QStringList{u"Error| Error"_s});
        QCOMPARE(rig.port.writes().size(), 4);
        QVERIFY(!enabledDuring.contains(true));
        for (int glyph = 0; glyph < 8; ++glyph) {
            const QByteArray radio(reinterpret_cast<const char *>(&rig.radio.memory()[0x900 + 32 * glyph]),
                                   32);
            QCOMPARE(glyphs.MakeFontData(glyph),
                     glyph < 2 ? QString::fromLatin1(radio.toHex().toUpper()) : u"FF"_s.repeated(32));
        }
        QVERIFY(Find<QWidget>(&font, "cmdFontAllRead")->isEnabled() &&
                Find<QWidget>(&font, "FONT_LIST")->isEnabled());
        QCOMPARE(Find<QProgressBar>(&font, "ProgressBar1")->value(), 0);
    }

    void transfers_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("identifies");
        QTest::addColumn<int>("commands");
        for (const char *button :
             {"cmdFont_1_read", "cmdFont_1_write", "cmdFontAllRead", "cmdFontAllWrite"}) {
            const int commands = QByteArray(button).contains("All") ? 9 : 2;
            QTest::addRow("%s", button) << QString::fromLatin1(button) << true << commands;
            QTest::addRow("%s unidentified", button) << QString::fromLatin1(button) << false << 1;
        }
    }

    void transfers()
    {
        QFETCH(QString, button);
        QFETCH(bool, identifies);
        QFETCH(int, commands);
        WindowRig rig;
        FontWindow font(rig.window->session(), rig.window.get());
        FontGlyphs &glyphs = rig.window->session().image().glyphs;
        glyphs.setPixel(0, 0, 0, true);
        glyphs.setPixel(0, 15, 15, true);
        int maximum = 0; // of the window's own bar while the radio talks
        rig.port.setResponder([&](const QByteArray &written) {
            maximum = Find<QProgressBar>(&font, "ProgressBar1")->maximum();
            return written.startsWith("ZQ~HV") && !identifies ? written + "\r\nNG\r\n"
                                                              : Answer(rig.radio, written);
        });
        Click(&font, button);
        QCOMPARE(rig.told(), QStringList{identifies ? u"OK|OK"_s : u"Error| Error"_s});
        QCOMPARE(rig.port.writes().size(), commands);
        QCOMPARE(rig.unlockedWrites, 0);
        QCOMPARE(maximum, button.contains(u"All") ? 9 : 2);
        const bool reads = button.contains(u"ead");
        if (identifies) {
            const QByteArray last = commands == 2 ? "ZQ~F00900" : "ZQ~F009E0";
            QCOMPARE(rig.port.writes().last().left(10), last + (reads ? "R" : "W"));
        }
        if (button == u"cmdFont_1_write"_s && identifies)
            QCOMPARE(rig.port.writes().last(), "ZQ~F00900W01" + QByteArray(60, '0') + "80\r");
        if (reads) // the erased radio's glyphs are all set
            QCOMPARE(glyphs.pixel(0, 5, 5), identifies);
    }
};

QTEST_MAIN(TestFontWindow)
#include "test_fontwindow.moc"
