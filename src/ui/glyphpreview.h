#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>
#include <QStyledItemDelegate>

class QFont;
class QPainter;
class QRect;

namespace n35
{

class FontGlyphs;

// Names and the title as the radio will show them: cut to 16 positions, each custom glyph "\1".."\8"
// drawn as its 16 x 16 picture from the clone image instead of its code.

// True when the text holds a glyph code, so that a picture says more than the code.
bool HasGlyphCode(const QString &escaped);
// Draws the text from the left of `rect`, vertically centred, in the painter's font.
void PaintRadioText(QPainter &painter, const QRect &rect, const QString &escaped, const FontGlyphs &glyphs,
                    const QColor &ink);
// The same as a picture of the text's own size (empty for an empty text).
QPixmap RadioTextPixmap(const QString &escaped, const FontGlyphs &glyphs, const QFont &font,
                        const QColor &ink);

// Paints the memory grid's name cells with glyph pictures; the cell text (and what a screen reader
// hears) stays the escape notation.
class NameCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    NameCellDelegate(const FontGlyphs &glyphs, QObject *parent = nullptr);
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

private:
    const FontGlyphs &glyphs;
};

} // namespace n35
