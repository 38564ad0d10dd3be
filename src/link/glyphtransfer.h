#pragma once

#include "link/outcome.h"

namespace n35
{

class FontGlyphs;
class Progress;
class RadioLink;

// Glyph n (0..7), 32 bytes each, without identifying the radio; one progress step each. A read that
// does not bring 64 hex digits leaves the glyph as it was. The whole-radio transfers call these per glyph.
TransferOutcome ReadGlyph(RadioLink &link, FontGlyphs &glyphs, int glyph, Progress &progress);
TransferOutcome WriteGlyph(RadioLink &link, const FontGlyphs &glyphs, int glyph, Progress &progress);
// All eight in order, stopping at the first failure; the glyphs done before it stay done.
TransferOutcome ReadAllGlyphs(RadioLink &link, FontGlyphs &glyphs, Progress &progress);
TransferOutcome WriteAllGlyphs(RadioLink &link, const FontGlyphs &glyphs, Progress &progress);

// The font editor's "Read", "Write", "Read ALL" and "Write ALL": identification first, progress maximum
// 2 for one glyph and 9 for all, every failure (a radio that does not identify too) "Error".
TransferOutcome FontEditorRead(RadioLink &link, FontGlyphs &glyphs, int glyph, Progress &progress);
TransferOutcome FontEditorWrite(RadioLink &link, const FontGlyphs &glyphs, int glyph, Progress &progress);
TransferOutcome FontEditorReadAll(RadioLink &link, FontGlyphs &glyphs, Progress &progress);
TransferOutcome FontEditorWriteAll(RadioLink &link, const FontGlyphs &glyphs, Progress &progress);

} // namespace n35
