#include "model/glyphs.h"

#include "model/hex.h"

#include <algorithm>

namespace n35
{

namespace
{

constexpr int HalfRows = 8;

} // namespace

FontGlyphs::FontGlyphs(QObject *parent) : QObject(parent) {}

bool FontGlyphs::pixel(int glyph, int row, int column) const
{
    return FontPixel.at(static_cast<std::size_t>(glyph))
        .at(static_cast<std::size_t>(row))
        .at(static_cast<std::size_t>(column));
}

void FontGlyphs::apply(int glyph, const Glyph &next)
{
    Glyph &current = FontPixel.at(static_cast<std::size_t>(glyph));
    if (current == next)
        return;
    current = next;
    emit changed();
}

void FontGlyphs::restore(const State &state)
{
    for (int glyph = 0; glyph < GlyphCount; ++glyph)
        apply(glyph, state.at(static_cast<std::size_t>(glyph)));
}

void FontGlyphs::setPixel(int glyph, int row, int column, bool set)
{
    setRectangle(glyph, row, column, row, column, set);
}

void FontGlyphs::togglePixel(int glyph, int row, int column)
{
    setPixel(glyph, row, column, !pixel(glyph, row, column));
}

void FontGlyphs::setRectangle(int glyph, int row1, int column1, int row2, int column2, bool set)
{
    if (glyph < 0 || glyph >= GlyphCount)
        return;
    Glyph next = FontPixel.at(static_cast<std::size_t>(glyph));
    const int top = std::clamp(std::min(row1, row2), 0, Size - 1);
    const int bottom = std::clamp(std::max(row1, row2), 0, Size - 1);
    const int left = std::clamp(std::min(column1, column2), 0, Size - 1);
    const int right = std::clamp(std::max(column1, column2), 0, Size - 1);
    for (int row = top; row <= bottom; ++row) {
        for (int column = left; column <= right; ++column)
            next[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = set;
    }
    apply(glyph, next);
}

void FontGlyphs::clearGlyph(int glyph)
{
    if (glyph >= 0 && glyph < GlyphCount)
        apply(glyph, Glyph{});
}

void FontGlyphs::reset()
{
    const std::array<Glyph, GlyphCount> empty{};
    if (FontPixel == empty)
        return;
    FontPixel = empty;
    emit changed();
}

QString FontGlyphs::MakeFontData(int glyph) const
{
    const Glyph &g = FontPixel.at(static_cast<std::size_t>(glyph));
    QString hex;
    for (int half = 0; half < 2; ++half) {
        for (int column = 0; column < Size; ++column) {
            unsigned value = 0;
            for (int bit = 0; bit < HalfRows; ++bit) {
                const int row = half * HalfRows + bit;
                if (g[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)])
                    value |= 1U << bit;
            }
            hex += ByteHex(value);
        }
    }
    return hex;
}

Status FontGlyphs::ExpandFontData(const QString &hex, int glyph)
{
    if (glyph < 0 || glyph >= GlyphCount || hex.size() < HexLength || !IsHexText(hex.left(HexLength))) {
        return Problem{QStringLiteral("glyph %1").arg(glyph + 1), QStringLiteral("the glyph block"),
                       QStringLiteral("it is not 64 hex characters")};
    }
    Glyph next{};
    for (int half = 0; half < 2; ++half) {
        for (int column = 0; column < Size; ++column) {
            const int value = HexByteAt(hex, half * Size + column);
            for (int bit = 0; bit < HalfRows; ++bit) {
                const int row = half * HalfRows + bit;
                next[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = (value >> bit) & 1;
            }
        }
    }
    apply(glyph, next);
    return {};
}

} // namespace n35
