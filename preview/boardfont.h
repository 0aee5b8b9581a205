// Bitmap fonts of the LED boards.
#pragma once

#include <QChar>

// A glyph is `height` rows, top row first: one byte per row in 8-wide fonts,
// one little-endian 16-bit word in 16-wide ones. The most significant bit of a
// row is the leftmost LED; glyphs sit against the left edge of their cell.
struct BoardFont
{
    const unsigned char *glyphs;
    int width;
    int height;
    int (*lookup)(QChar c);
    int glyphCount;
};

// '0'..'9' -> 0..9, anything else -1.
int digitGlyphIndex(QChar c);

// Slot of a character in the 416-glyph text fonts, -1 when it has none.
int textGlyphIndex(QChar c);

constexpr int DigitGlyphCount = 10;
constexpr int TextGlyphCount = 416;
// The numero sign shares the slot of U+00B9.
constexpr int NumeroSignSlot = 105;

extern const BoardFont FontDigits16x32;
extern const BoardFont FontDigits16x16;
extern const BoardFont FontText16x32;
extern const BoardFont FontText16x20;
extern const BoardFont FontText16x16;
extern const BoardFont FontText8x12;
extern const BoardFont FontText8x8Bold;
extern const BoardFont FontText8x8Thin;
