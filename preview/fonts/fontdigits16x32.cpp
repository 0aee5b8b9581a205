// Placeholder until the generated glyphs land.
#include "boardfont.h"

static const unsigned char glyphs[640] = {};

const BoardFont FontDigits16x32 = {glyphs, 16, 32, digitGlyphIndex, DigitGlyphCount};
