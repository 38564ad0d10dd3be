#pragma once

#include <QString>
#include <optional>

namespace n35
{

// Channel names and the radio title hold at most 16 display positions and may use the radio's eight
// custom glyphs. A text appears in three forms:
//   escaped   what the user sees and types: "\1".."\8" for glyph 1..8, "\\" for one backslash;
//   internal  glyphs as U+2460..U+2467 (the circled digits at code page 932 codes 0x8740..0x8747);
//   hex       one 16-bit code page 932 code per character, four upper-case hex digits, low byte first.
// A single-byte character takes one display position, a double-byte one (every glyph included) two.
//
// Characters code page 932 lacks (typed or pasted by the user): ConvertEscapeText replaces each by "?"
// (0x003F, one position), so an internal text only ever holds characters the radio can store and the
// text shown after editing is the text that will be written. Control characters count as lacking.
// MakeTextData writes 0x003F for any such character that reaches it by another path.
//
// Codes from the radio that are no code page 932 character (controls 0x00-0x1F and 0x7F, 0x80, 0xA0,
// 0xFD-0xFF, lone lead bytes such as 0x0081, unassigned or malformed double-byte codes): each becomes
// the private-use character U+F0000 + code. That plane is unused by the converter (its user-defined
// area 0xF040-0xF9FC maps to U+E000-U+E757 and stays an ordinary character), so the code survives
// ExpandTextData -> ConvertEscapeText -> MakeTextData unchanged, and the user sees a placeholder
// rather than a wrong character. It takes one position for a code below 0x100, two otherwise.
// U+F0000 + code is accepted as input only for such codes; for a real character's code it is "?".
//
// Read-then-write keeps every code except duplicates of one character (the NEC-selected IBM
// extensions 0xED40-0xEEFC and a few symbols in rows 13 and 0xFA): these come back as the single
// code the Windows converter writes for that character, e.g. 0xED40 -> 0xFA5C, 0x8790 -> 0x81E0.

constexpr int MaxTextPositions = 16;
constexpr int GlyphCount = 8;
constexpr char32_t FirstGlyphChar = 0x2460;
constexpr char32_t UnmappedCodeBase = 0xF0000;

// The code page 932 code of one character, or nullopt when the radio cannot store it.
std::optional<quint16> Cp932Code(char32_t ch);
// The character for a code; a code that is no character gives U+F0000 + code. Never fails.
char32_t Cp932Char(quint16 code);
// Display positions of one character: 1 for a single-byte code, 2 otherwise; "?" (1) when not storable.
int Cp932Positions(char32_t ch);
// Code page 932 bytes of an internal text, i.e. its display positions.
int Cp932ByteLength(const QString &text);

// Escaped text to internal text, cut to 16 positions; see above for characters the radio lacks.
QString ConvertEscapeText(const QString &escaped);
// Internal text to hex codes, padded with spaces to at least 64 hex digits; a longer text is not cut.
QString MakeTextData(const QString &internal);
// Hex codes to escaped text. Hex digits of either case are read; a group of four that is not all hex
// digits is skipped, as is a trailing group shorter than four. Padding spaces are kept.
QString ExpandTextData(const QString &hex);

// Why a name or title (escaped text) cannot be stored as it is, naming its first character that is a
// control character or that code page 932 lacks; empty when the radio can store every character. Every
// path that takes a name asks here (editor, paste, imports), so none turns a character into "?" unsaid.
// A placeholder for a radio code (U+F0000 + code) stands in names read from the radio and passes when
// `placeholders` is true (the editor, the clipboard); a file cannot carry one, so a file's name with one
// is refused.
QString NameFault(const QString &escaped, bool placeholders);

// Whole texts for files (CSV). The code page 932 bytes of a text; nullopt when a character has none. A
// placeholder U+F0000 + code counts as having none: its code in a file would read back as other
// characters. *lacking receives the first such character.
std::optional<QByteArray> Cp932Bytes(const QString &text, char32_t *lacking = nullptr);
// Code page 932 bytes to text. A byte or byte pair that is no character becomes U+F0000 + code, as in
// names read from the radio, so nothing is silently replaced.
QString Cp932FromBytes(const QByteArray &bytes);

} // namespace n35
