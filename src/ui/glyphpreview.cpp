#include "ui/glyphpreview.h"

#include "model/glyphs.h"
#include "model/textcodec.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QStyle>

namespace n35
{

namespace
{

// The glyph a character of internal text stands for (0..7), or -1.
int GlyphOf(char32_t ch)
{
    return ch >= FirstGlyphChar && ch < FirstGlyphChar + GlyphCount ? static_cast<int>(ch - FirstGlyphChar)
                                                                    : -1;
}

QImage GlyphImage(const FontGlyphs &glyphs, int glyph, const QColor &ink)
{
    QImage image(FontGlyphs::Size, FontGlyphs::Size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int row = 0; row < FontGlyphs::Size; ++row) {
        for (int column = 0; column < FontGlyphs::Size; ++column) {
            if (glyphs.pixel(glyph, row, column))
                image.setPixelColor(column, row, ink);
        }
    }
    return image;
}

// Walks the text as the radio shows it, calling draw for each run of characters and each glyph.
template <typename Text, typename Glyph>
int Lay(const QString &escaped, const QFontMetrics &metrics, Text text, Glyph glyph)
{
    const QString internal = ConvertEscapeText(escaped);
    const int side = metrics.height();
    int x = 0;
    QString run;
    auto flush = [&] {
        if (run.isEmpty())
            return;
        text(x, run);
        x += metrics.horizontalAdvance(run);
        run.clear();
    };
    for (const char32_t ch : internal.toUcs4()) {
        const int g = GlyphOf(ch);
        if (g < 0) {
            run += QString::fromUcs4(&ch, 1);
            continue;
        }
        flush();
        glyph(x, g, side);
        x += side;
    }
    flush();
    return x;
}

} // namespace

bool HasGlyphCode(const QString &escaped)
{
    const QString internal = ConvertEscapeText(escaped);
    for (const char32_t ch : internal.toUcs4()) {
        if (GlyphOf(ch) >= 0)
            return true;
    }
    return false;
}

void PaintRadioText(QPainter &painter, const QRect &rect, const QString &escaped, const FontGlyphs &glyphs,
                    const QColor &ink)
{
    const QFontMetrics metrics = painter.fontMetrics();
    const int top = rect.top() + (rect.height() - metrics.height()) / 2;
    painter.save();
    painter.setPen(ink);
    Lay(
        escaped, metrics,
        [&](int x, const QString &run) {
            painter.drawText(QRect(rect.left() + x, top, rect.width() - x, metrics.height()),
                             Qt::AlignLeft | Qt::AlignVCenter, run);
        },
        [&](int x, int glyph, int side) {
            painter.drawImage(QRect(rect.left() + x, top, side, side), GlyphImage(glyphs, glyph, ink));
            // A faint frame, so an empty glyph still shows where it stands.
            painter.setPen(QColor(ink.red(), ink.green(), ink.blue(), 60));
            painter.drawRect(QRect(rect.left() + x, top, side - 1, side - 1));
            painter.setPen(ink);
        });
    painter.restore();
}

QPixmap RadioTextPixmap(const QString &escaped, const FontGlyphs &glyphs, const QFont &font,
                        const QColor &ink)
{
    const QFontMetrics metrics(font);
    const int width = Lay(
        escaped, metrics, [](int, const QString &) {}, [](int, int, int) {});
    if (width == 0)
        return {};
    QPixmap pixmap(width + 2, metrics.height());
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setFont(font);
    PaintRadioText(painter, pixmap.rect(), escaped, glyphs, ink);
    return pixmap;
}

NameCellDelegate::NameCellDelegate(const FontGlyphs &glyphs, QObject *parent)
    : QStyledItemDelegate(parent), glyphs(glyphs)
{
}

void NameCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    const QString text = index.data(Qt::DisplayRole).toString();
    if (!HasGlyphCode(text)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    item.text.clear();
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
    const QColor ink =
        item.palette.color(item.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text);
    painter->save();
    painter->setFont(item.font);
    PaintRadioText(*painter, area.adjusted(2, 0, 0, 0), text, glyphs, ink);
    painter->restore();
}

} // namespace n35
