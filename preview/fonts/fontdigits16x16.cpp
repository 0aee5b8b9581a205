// Placeholder until the generated glyphs land.
#include "boardfont.h"

static const unsigned char glyphs[320] = {};

const BoardFont FontDigits16x16 = {glyphs, 16, 16, digitGlyphIndex, DigitGlyphCount};
