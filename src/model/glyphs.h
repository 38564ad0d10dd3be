#pragma once

#include "model/result.h"

#include <QObject>
#include <QString>
#include <array>

namespace n35
{

// The radio's eight custom glyphs of 16 x 16 pixels, which names and the title use as "\1".."\8". The
// radio keeps 32 bytes per glyph, one after the other: bytes 0-15 the columns of the upper half, bytes 16-31
// those of the lower half, the least significant bit at the top.
class FontGlyphs : public QObject
{
    Q_OBJECT
public:
    static constexpr int GlyphCount = 8;
    static constexpr int Size = 16;
    static constexpr int HexLength = 64;

    using Glyph = std::array<std::array<bool, Size>, Size>; // [row][column]

    explicit FontGlyphs(QObject *parent = nullptr);

    // FontPixel(glyph, row, column).
    bool pixel(int glyph, int row, int column) const;
    const Glyph &glyph(int glyph) const { return FontPixel.at(static_cast<std::size_t>(glyph)); }
    void setPixel(int glyph, int row, int column, bool set);
    void togglePixel(int glyph, int row, int column);
    // Sets or clears the rectangle between two corners, given in any order.
    void setRectangle(int glyph, int row1, int column1, int row2, int column2, bool set);
    // "Clear" one glyph, "All Clear" all eight (the start-up state).
    void clearGlyph(int glyph);
    void reset();

    // 64 hex characters of glyph n. The radio moves the glyphs one by one, so the region's verbs take
    // the glyph's number like the channel table's take the channel's.
    QString MakeFontData(int glyph) const;
    QString encode(int glyph) const { return MakeFontData(glyph); }
    // Glyph n from the first 64 hex characters (a radio reply of 128 may be passed whole). Digits of
    // either case; any other character in them, or a text too short, is a Problem and changes nothing.
    Status ExpandFontData(const QString &hex, int glyph);
    Status decode(const QString &hex, int glyph) { return ExpandFontData(hex, glyph); }

    // Everything this region holds, to take an edit back: state() and restore() give it exactly.
    using State = std::array<Glyph, GlyphCount>;
    State state() const { return FontPixel; }
    void restore(const State &state);

signals:
    void changed();

private:
    void apply(int glyph, const Glyph &next);

    std::array<Glyph, GlyphCount> FontPixel{};
};

} // namespace n35
